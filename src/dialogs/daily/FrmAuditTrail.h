#pragma once

#include "dialogs/ReportDialog.h"

class QCheckBox;
class QDateEdit;
class QPushButton;
class QRadioButton;

namespace pelmar {

// "Audit Trail" of one day: the detailed trail and its summaries by A/R and
// by G/L for in-patients, out-patients or all, each on request.
class FrmAuditTrail : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmAuditTrail(QWidget* parent = nullptr);

    QDateEdit* picker() const { return picker_; }
    QCheckBox* detail() const { return detail_; }
    QCheckBox* sumAR() const { return sumAR_; }
    QCheckBox* sumGL() const { return sumGL_; }
    QRadioButton* patientType(int index) const { return patientTypes_[index]; }
    QPushButton* viewButton() const { return view_; }
    QPushButton* closeButton() const { return close_; }

    // Opens the ticked reports one after another, then closes.
    void cmdView_Click();

protected:
    void loadForm() override;

private:
    QDateEdit* picker_;
    QCheckBox* detail_;
    QCheckBox* sumAR_;
    QCheckBox* sumGL_;
    QRadioButton* patientTypes_[3];
    QPushButton* view_;
    QPushButton* close_;
};

// "Audit Trail" of one month: the A/R general ledger entries, their
// summaries and the breakdown of departmental revenue, each on request.
class FrmAuditTrailMonthly : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmAuditTrailMonthly(QWidget* parent = nullptr);

    QDateEdit* picker() const { return picker_; }
    QCheckBox* detail() const { return detail_; }
    QCheckBox* sumGL() const { return sumGL_; }
    QCheckBox* sumAR() const { return sumAR_; }
    QCheckBox* breakDown() const { return breakDown_; }
    QPushButton* viewButton() const { return view_; }
    QPushButton* closeButton() const { return close_; }

    void cmdView_Click();

protected:
    void loadForm() override;

private:
    QDateEdit* picker_;
    QCheckBox* detail_;
    QCheckBox* sumGL_;
    QCheckBox* sumAR_;
    QCheckBox* breakDown_;
    QPushButton* view_;
    QPushButton* close_;
};

} // namespace pelmar
