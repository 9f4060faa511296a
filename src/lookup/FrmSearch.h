#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace pelmar {

class RecordSetModel;

// The one lookup of the program.  A caller writes SearchCaption, Criteria
// and Query (a statement with "##" where the search text goes), shows the
// dialog modally, then reads Valid and, when it is true, ResultCode (the
// code, the second field of the chosen row) and Revenue (the name, the first
// field).  The dialog searches again as the user types.
class FrmSearch : public QDialog {
    Q_OBJECT

public:
    explicit FrmSearch(QWidget* parent = nullptr);
    ~FrmSearch() override;

    // The instance every caller shares; its results stay readable after its
    // window has closed, until the next showing.
    static FrmSearch& shared();

    void setSearchCaption(const QString& caption) { searchCaption_ = caption; }
    void setCriteria(const QString& criteria) { criteria_ = criteria; }
    void setQuery(const QString& query) { query_ = query; }
    void setDisableSearch(bool disable) { disableSearch_ = disable; }

    const QString& Criteria() const { return criteria_; }
    bool Valid() const { return valid_; }
    const QString& ResultCode() const { return resultCode_; }
    const QString& Revenue() const { return revenue_; }
    bool TypedByUser() const { return typedByUser_; }

    // Loads (first search, headings, current row) and shows the window
    // modally; returns once it is closed.
    int exec() override;

    // The statement for a search text: the query with every "##" replaced by
    // the text, its apostrophes doubled so it stays one literal.
    static QString searchStatement(const QString& query, const QString& criteria);

    // Runs the query with Criteria and binds the rows to the grid.  A failed
    // search is shown and leaves the grid empty; the dialog stays up.
    void RunSearchQuery();

    // Chooses the grid's current row; Cancel leaves without a choice.
    void cmdSelect_Click();
    void reject() override;

    QLineEdit* txtSearchStr() const { return txtSearchStr_; }
    QTableView* grdDispWindow() const { return grid_; }
    QPushButton* cmdSelect() const { return cmdSelect_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    const RecordSetModel& rows() const { return *model_; }
    // How many searches this dialog has run, for callers that watch it.
    int searchCount() const { return searchCount_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void loadForm();
    void searchTextChanged(const QString& text);
    void currentCellChanged();
    int topVisibleRow() const;
    void makeCurrent(int row);
    void setColumnWidths();

    QString searchCaption_;
    QString criteria_;
    QString query_;
    bool disableSearch_ = false;
    bool valid_ = false;
    QString resultCode_;
    QString revenue_;
    bool typedByUser_ = false;
    int searchCount_ = 0;

    QLabel* lblTitle_;
    QLabel* lblSTitle_;
    QLabel* lblHospital_;
    QLineEdit* txtSearchStr_;
    QPushButton* cmdSelect_;
    QPushButton* cmdCancel_;
    QTableView* grid_;
    QCheckBox* chkAutoSearch_;
    RecordSetModel* model_;
};

// The calling protocol in one step: the shared dialog searches with the
// code box's text; a choice puts the code and the name into the boxes, a
// cancel leaves them as they are.  Returns whether a row was chosen.
bool searchInto(const QString& caption, const QString& query, QLineEdit* codeBox,
                QLineEdit* nameBox);

} // namespace pelmar
