#pragma once

#include "dialogs/ReportDialog.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelmar {

class LeaveLookup;

// The monthly ("M") or year-end ("Y") report of one miscellaneous revenue
// department, chosen by code; leaving the code boxes looks the code up.
class FrmReportMonthMiscellaneous : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmReportMonthMiscellaneous(QWidget* parent = nullptr);

    // 0 OK: runs the report and closes; 1 Cancel: closes, without a lookup.
    void cmdOptions_Click(int index);
    void cmdFind_Click();

    QLineEdit* txtDept(int index) const { return txtDept_[index]; }
    QDateEdit* dtpReportDate() const { return picker_; }
    QPushButton* cmdOptions(int index) const { return buttons_[index]; }
    QPushButton* cmdFind() const { return cmdFind_; }

protected:
    void loadForm() override;

private:
    void lookUp();
    void runReport();

    QLabel* label2_;
    QLineEdit* txtDept_[2];
    QPushButton* cmdFind_;
    QLabel* label1_;
    QDateEdit* picker_;
    QPushButton* buttons_[2];
    LeaveLookup* lookups_;
};

} // namespace pelmar
