#pragma once

#include "dialogs/ReportDialog.h"

#include <optional>

class QButtonGroup;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pelmar {

class LeaveLookup;

// "Aging - Classification": the aging of the billing accounts over a date
// range for one class (detailed or summary), one company account, or all
// accounts with their classification, optionally limited to the bills of
// one accounting period.  Codes are looked up through the search dialog.
class FrmAgingClass : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmAgingClass(QWidget* parent = nullptr);

    void optClass_Click();
    void optAccountNum_Click();
    void optGrandSummary_Click();
    void optPeriod_Click();
    void cmdFind_Click();
    void cmdPeriod_Click();
    void cmdview_Click();

    // The period number typed or looked up: the number at the start of the
    // text rounded to a whole one (halves to even), 0 when there is none;
    // nothing when it does not fit a period number.
    static std::optional<qint16> periodNumber(const QString& text);

    QRadioButton* optClass() const { return optClass_; }
    QRadioButton* optAccountNum() const { return optAccountNum_; }
    QRadioButton* optGrandSummary() const { return optGrandSummary_; }
    QRadioButton* optDetailed() const { return optDetailed_; }
    QRadioButton* optSummary() const { return optSummary_; }
    QRadioButton* optPeriod() const { return optPeriod_; }
    QGroupBox* detailFrame() const { return detailFrame_; }
    QLabel* lblCompany() const { return lblCompany_; }
    QLineEdit* txtDept(int index) const { return txtDept_[index]; }
    QPushButton* cmdFind() const { return cmdFind_; }
    QPushButton* cmdPeriod() const { return cmdPeriod_; }
    QPushButton* cmdview() const { return cmdview_; }
    QDateEdit* dtStartDate() const { return start_; }
    QDateEdit* dtEndDate() const { return end_; }

protected:
    void loadForm() override;

private:
    void lookUp(QLineEdit* box);
    void produce();
    void setCodeBoxes(bool enabled);
    void unselectDetail();

    QGroupBox* fdetailed_;
    QRadioButton* optClass_;
    QRadioButton* optAccountNum_;
    QRadioButton* optGrandSummary_;
    QGroupBox* detailFrame_;
    QRadioButton* optDetailed_;
    QRadioButton* optSummary_;
    QButtonGroup* detailGroup_;
    QDateEdit* start_;
    QDateEdit* end_;
    QRadioButton* optPeriod_;
    QLabel* lblCompany_;
    QLineEdit* txtDept_[4];
    QPushButton* cmdFind_;
    QPushButton* cmdPeriod_;
    QPushButton* cmdview_;
    LeaveLookup* lookups_;
};

} // namespace pelmar
