#pragma once

#include "dialogs/ReportDialog.h"

class QCheckBox;
class QDateEdit;
class QPushButton;
class QRadioButton;

namespace pelmar {

// The cash collection report over a period, of the hospital or of the multi
// diagnostic section, detailed or summarised.
class FrmReportDate : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmReportDate(QWidget* parent = nullptr);

    QRadioButton* section(int index) const { return index == 0 ? hospital_ : multiDiagnostic_; }
    QCheckBox* option(int index) const { return index == 0 ? detailed_ : summary_; }
    QDateEdit* startPicker() const { return start_; }
    QDateEdit* endPicker() const { return end_; }
    QPushButton* button(int index) const { return index == 0 ? ok_ : cancel_; }

    // index 0 runs the report (only for the cash collection ReportType) and
    // closes; index 1 closes.
    void cmdOptions_Click(int index);

protected:
    void loadForm() override;

private:
    void chkOption_Click(int index);

    QRadioButton* hospital_;
    QRadioButton* multiDiagnostic_;
    QCheckBox* detailed_;
    QCheckBox* summary_;
    QDateEdit* start_;
    QDateEdit* end_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace pelmar
