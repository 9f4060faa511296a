#pragma once

#include "dialogs/ReportDialog.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace pelmar {

class RecordSetModel;

// "Miscellaneous Reports": the list of miscellaneous revenue codes, filtered
// as the user types; a picked row can be edited, Add/New starts an entry,
// Save stores it (adding the code or replacing its description).
class FrmMiscellaneous : public ReportDialog {
    Q_OBJECT

public:
    explicit FrmMiscellaneous(QWidget* parent = nullptr);

    static QString listStatement(const QString& filter);
    static QString saveStatement(const QString& code, const QString& description);

    // 0 Save, 1 Close, 2 Add/New.
    void cmdOptions_Click(int index);
    void cmdFind_Click();

    QLineEdit* txtSearch() const { return txtSearch_; }
    QTableView* grdRevenues() const { return grid_; }
    QLineEdit* txtRevenue() const { return txtRevenue_; }
    QLineEdit* txtDescription() const { return txtDescription_; }
    QPushButton* cmdOptions(int index) const { return buttons_[index]; }
    const RecordSetModel& rows() const { return *model_; }

protected:
    void loadForm() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadRevenueList();
    void ClearEntry();
    void save();
    void currentCellChanged();

    QLineEdit* txtSearch_;
    QPushButton* cmdFind_;
    QTableView* grid_;
    QLineEdit* txtRevenue_;
    QLineEdit* txtDescription_;
    QPushButton* buttons_[3];
    RecordSetModel* model_;
};

} // namespace pelmar
