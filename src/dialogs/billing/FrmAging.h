#pragma once

#include "dialogs/ReportDialog.h"

class QDateEdit;
class QPushButton;
class QRadioButton;

namespace pelmar {

// "AGING": the detailed aging, the aging summary and the aging with interest
// income over a period, for positive, negative or all balances.
class FrmAging : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmAging(QWidget* parent = nullptr);

    void cmdOK_Click();

    QDateEdit* dtpPeriod(int index) const { return pickers_[index]; }
    QRadioButton* optOptions(int index) const { return options_[index]; }
    QPushButton* cmdOK() const { return ok_; }
    QPushButton* cmdCancel() const { return cancel_; }

protected:
    void loadForm() override;

private:
    void produce();

    QDateEdit* pickers_[2];
    QRadioButton* options_[3];
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace pelmar
