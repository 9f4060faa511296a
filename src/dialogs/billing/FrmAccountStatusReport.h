#pragma once

#include "dialogs/ReportDialog.h"

class QDateEdit;
class QPushButton;
class QRadioButton;

namespace pelmar {

// "Patient's Account Status Report" as of a date, in one of four orders.
class FrmAccountStatusReport : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmAccountStatusReport(QWidget* parent = nullptr);

    // 0 OK: opens the report of the chosen order in a modal viewer; 1 Cancel.
    void cmdOptions_Click(int index);

    QDateEdit* dtpReportDate() const { return picker_; }
    QRadioButton* optOptions(int index) const { return options_[index]; }
    QPushButton* cmdOptions(int index) const { return buttons_[index]; }

protected:
    void loadForm() override;

private:
    void produce();

    QDateEdit* picker_;
    QRadioButton* options_[4];
    QPushButton* buttons_[2];
};

} // namespace pelmar
