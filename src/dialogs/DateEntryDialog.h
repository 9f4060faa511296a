#pragma once

#include "dialogs/ReportDialog.h"

#include <QDate>

class QDateEdit;
class QLabel;
class QPushButton;

namespace pelmar {

// The small dialogs that take one date, month or year and run one report:
// a prompt, a date picker that starts at the server's date and offers
// nothing later, and OK / Cancel as one button array.
class DateEntryDialog : public ReportDialog {
    Q_OBJECT

public:
    struct Design {
        QString caption;       // the window caption when ReportType names no report
        QString prompt;        // Label1
        QString displayFormat; // what the picker shows: "MM/dd/yyyy", "MM/yyyy", "yyyy"
        QString pickerName;    // dtpReportDate, dtpReportMonth
    };

    QDateEdit* picker() const { return picker_; }
    QPushButton* button(int index) const { return index == 0 ? ok_ : cancel_; }

    // index 0 runs the report and closes; index 1 closes.  A failed run
    // is shown and the dialog stays open for another try.
    void cmdOptions_Click(int index);

protected:
    explicit DateEntryDialog(const Design& design, QWidget* parent = nullptr);

    QDate pickedDate() const;

    // The caption of a ReportType, or an empty text to keep the design's.
    virtual QString captionFor(const QString& reportType) const = 0;
    // The report of the current ReportType; nothing for an unknown one.
    virtual void runReport() = 0;

    void loadForm() override;

private:
    Design design_;
    QLabel* prompt_;
    QDateEdit* picker_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace pelmar
