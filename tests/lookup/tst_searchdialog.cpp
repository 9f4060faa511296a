// The lookup dialog and its callers against the recording statement layer:
// the statement of each search, the keyboard rules, the protocol, and the
// lookups of the department report when a code box is left.

#include "RecordingReports.h"
#include "RecordingStatements.h"
#include "UiDriver.h"
#include "dialogs/ReportDialogs.h"
#include "dialogs/monthly/FrmReportMonthMiscellaneous.h"
#include "lookup/FrmMiscellaneous.h"
#include "lookup/FrmSearch.h"
#include "lookup/RecordSetModel.h"
#include "shell/Dispatcher.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

namespace {

const QString kClassQuery = "Reports..sp_Rep_SearchClass '##'";
const QString kMiscQuery = "Reports..sp_Rep_SearchMiscellaneousRevenue '0','##'";

RecordSet classes() {
    return rowSet({"Name", "Code"}, {{"CORPORATE ACCOUNTS", "03"},
                                     {"GOVERNMENT", "05"},
                                     {"HMO / INSURANCE", "04"},
                                     {"PATIENTS (CASH)", "01"}});
}

// Shows the shared search with the protocol and runs the script while it is
// up; returns once it has closed.
void showSearch(const QString& criteria, const QString& query,
                std::function<void(FrmSearch&)> script) {
    FrmSearch& search = FrmSearch::shared();
    search.setSearchCaption("Class");
    search.setCriteria(criteria);
    search.setQuery(query);
    whenModalAppears([&search, script](QWidget*) {
        script(search);
        if (search.isVisible())
            search.reject();
    });
    search.exec();
}

int currentRow(const FrmSearch& search) {
    return search.grdDispWindow()->currentIndex().row();
}

} // namespace

class SearchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void statementText_data();
    void statementText();
    void loadShowsTheFirstRow();
    void typingSearchesInCapitals();
    void gridMovesWithoutSearching();
    void enterChoosesTheTopVisibleRow();
    void downGoesToTheGrid();
    void emptyResult();
    void cancelKeepsEarlierResults();
    void failedSearchIsShown();

    void departmentKeys();
    void departmentLookupOnLeaving();
    void departmentOkAfterLookup();
    void departmentCancelLooksNothingUp();
    void departmentYearEnd();

    void maintenanceListAndFilter();
    void maintenancePickSaveAndNew();
    void maintenanceRefusedSaveKeepsTheEntry();
};

void SearchDialogTest::initTestCase() {
    QLocale::setDefault(QLocale::c());
    registerReportDialogs();
}

void SearchDialogTest::init() {
    session().ReportsFolder = "/opt/pelmar\\REPORTS";
    session().CompanyAddress = "12 Harbour Road";
    session().CompanyName = "St. Brigid's Test Hospital";
    session().ServerDate = QDateTime(QDate(2012, 3, 15), QTime(9, 30));
}

void SearchDialogTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReportDialog*>(w))
            delete w;
    }
}

void SearchDialogTest::statementText_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("statement");
    QTest::newRow("text") << kClassQuery << "AB"
                          << "Reports..sp_Rep_SearchClass 'AB'";
    QTest::newRow("empty") << kClassQuery << ""
                           << "Reports..sp_Rep_SearchClass ''";
    QTest::newRow("two places") << "Reports..sp_Rep_SearchMiscellaneousRevenue '##','##'"
                                << "M"
                                << "Reports..sp_Rep_SearchMiscellaneousRevenue 'M','M'";
    QTest::newRow("apostrophe stays inside its literal")
        << kMiscQuery << "O'BRIEN"
        << "Reports..sp_Rep_SearchMiscellaneousRevenue '0','O''BRIEN'";
    QTest::newRow("placeholder is case-exact, text is inserted once")
        << "Reports..sp_Rep_SearchCompany '##'"
        << "#"
        << "Reports..sp_Rep_SearchCompany '#'";
}

void SearchDialogTest::statementText() {
    QFETCH(QString, query);
    QFETCH(QString, criteria);
    QFETCH(QString, statement);
    QCOMPARE(FrmSearch::searchStatement(query, criteria), statement);
    RecordingStatements db;
    showSearch(criteria, query, [](FrmSearch&) {});
    QCOMPARE(db.statements, QStringList{statement});
}

void SearchDialogTest::loadShowsTheFirstRow() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass", classes());
    bool checked = false;
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        QCOMPARE(s.windowTitle(), QString("Class"));
        QCOMPARE(s.findChild<QLabel*>("lblTitle")->text(), QString("Class"));
        QCOMPARE(s.findChild<QLabel*>("lblHospital")->text(),
                 QString("St. Brigid's Test Hospital"));
        QCOMPARE(s.rows().rowCount(), 4);
        QCOMPARE(s.rows().headerData(0, Qt::Horizontal).toString(), QString("Name"));
        QCOMPARE(currentRow(s), 0);
        QCOMPARE(s.txtSearchStr()->text(), QString("CORPORATE ACCOUNTS"));
        QVERIFY(s.cmdSelect()->isEnabled());
        QVERIFY(!s.TypedByUser());
        QCOMPARE(s.focusWidget(), s.txtSearchStr());
        checked = true;
    });
    QVERIFY(checked);
    QCOMPARE(db.statements.size(), 1); // showing the row's name is no search
}

void SearchDialogTest::typingSearchesInCapitals() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass", classes());
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        s.txtSearchStr()->clear();
        QTest::keyClick(s.txtSearchStr(), Qt::Key_A);
        QTest::keyClicks(s.txtSearchStr(), "b");
        QCOMPARE(s.txtSearchStr()->text(), QString("AB"));
        QCOMPARE(s.Criteria(), QString("AB"));
        QVERIFY(!s.TypedByUser());
        QTest::keyClick(s.txtSearchStr(), Qt::Key_Backspace);
        QCOMPARE(s.Criteria(), QString("A"));
    });
    QCOMPARE(db.statements,
             (QStringList{"Reports..sp_Rep_SearchClass ''", "Reports..sp_Rep_SearchClass 'A'",
                          "Reports..sp_Rep_SearchClass 'AB'", "Reports..sp_Rep_SearchClass 'A'"}));
}

void SearchDialogTest::gridMovesWithoutSearching() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass", classes());
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        QTest::keyClick(s.txtSearchStr(), Qt::Key_G); // a search, then browse
        s.grdDispWindow()->setFocus();
        s.grdDispWindow()->setCurrentIndex(s.rows().index(2, 0));
        QCOMPARE(s.txtSearchStr()->text(), QString("HMO / INSURANCE"));
        QTest::keyClick(s.grdDispWindow(), Qt::Key_Down);
        QCOMPARE(s.txtSearchStr()->text(), QString("PATIENTS (CASH)"));
    });
    QCOMPARE(db.statements,
             (QStringList{"Reports..sp_Rep_SearchClass ''", "Reports..sp_Rep_SearchClass 'G'"}));
}

void SearchDialogTest::enterChoosesTheTopVisibleRow() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass", classes());
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        s.grdDispWindow()->setCurrentIndex(s.rows().index(3, 0));
        QTest::keyClick(s.txtSearchStr(), Qt::Key_Return);
    });
    FrmSearch& search = FrmSearch::shared();
    QVERIFY(search.Valid());
    QCOMPARE(search.ResultCode(), QString("03"));
    QCOMPARE(search.Revenue(), QString("CORPORATE ACCOUNTS"));

    // Enter or a double click in the grid takes the grid's current row.
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        s.grdDispWindow()->setCurrentIndex(s.rows().index(1, 0));
        QTest::keyClick(s.grdDispWindow(), Qt::Key_Enter);
    });
    QCOMPARE(search.ResultCode(), QString("05"));
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        const QModelIndex third = s.rows().index(2, 0);
        s.grdDispWindow()->setCurrentIndex(third);
        const QRect cell = s.grdDispWindow()->visualRect(third);
        QTest::mouseClick(s.grdDispWindow()->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(s.isVisible());
        QTest::mouseDClick(s.grdDispWindow()->viewport(), Qt::LeftButton, {}, cell.center());
    });
    QVERIFY(search.Valid());
    QCOMPARE(search.ResultCode(), QString("04"));
    QCOMPARE(search.Revenue(), QString("HMO / INSURANCE"));
}

void SearchDialogTest::downGoesToTheGrid() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass", classes());
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        s.grdDispWindow()->setCurrentIndex(s.rows().index(2, 0));
        s.txtSearchStr()->setFocus();
        QTest::keyClick(s.txtSearchStr(), Qt::Key_Down);
        QCOMPARE(s.focusWidget(), s.grdDispWindow());
        QCOMPARE(currentRow(s), 0);
        QVERIFY(s.isVisible());
    });
    QCOMPARE(db.statements.size(), 1);
}

void SearchDialogTest::emptyResult() {
    RecordingStatements db;
    showSearch("ZZZ", kClassQuery, [&](FrmSearch& s) {
        QCOMPARE(s.rows().rowCount(), 0);
        QVERIFY(!s.cmdSelect()->isEnabled());
        QTest::keyClick(s.txtSearchStr(), Qt::Key_Return);
        QVERIFY(s.isVisible());
    });
    QVERIFY(!FrmSearch::shared().Valid());
}

void SearchDialogTest::cancelKeepsEarlierResults() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass", classes());
    showSearch("", kClassQuery, [](FrmSearch& s) { s.cmdSelect_Click(); });
    QVERIFY(FrmSearch::shared().Valid());
    showSearch("", kClassQuery, [](FrmSearch& s) { QTest::keyClick(&s, Qt::Key_Escape); });
    QVERIFY(!FrmSearch::shared().Valid());
    QCOMPARE(FrmSearch::shared().ResultCode(), QString("03"));
    showSearch("", kClassQuery, [](FrmSearch& s) { s.close(); });
    QVERIFY(!FrmSearch::shared().Valid());
}

void SearchDialogTest::failedSearchIsShown() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass", classes());
    MessageBoxSeen seen;
    showSearch("", kClassQuery, [&](FrmSearch& s) {
        db.fail("Reports..sp_Rep_SearchClass 'X'", "The server went away.");
        answerMessageBox("OK", &seen);
        QTest::keyClick(s.txtSearchStr(), Qt::Key_X);
        QVERIFY(seen.shown);
        QVERIFY(seen.text.contains("The server went away."));
        QVERIFY(s.isVisible());
        QCOMPARE(s.rows().rowCount(), 0);
        QVERIFY(!s.cmdSelect()->isEnabled());
        QCOMPARE(s.txtSearchStr()->text(), QString("X"));
    });
    QVERIFY(seen.shown);
}

// ---- the department report's lookup --------------------------------------

void SearchDialogTest::departmentKeys() {
    OpenMenuItem(2, 7);
    auto* d = ReportDialog::instance<FrmReportMonthMiscellaneous>();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Monthly Miscellaneous Report"));
    QCOMPARE(d->dtpReportDate()->displayFormat(), QString("MM/yyyy"));
    QCOMPARE(d->dtpReportDate()->maximumDate(), QDate(2012, 3, 15));
    QTest::keyClicks(d->txtDept(0), "s'5");
    QCOMPARE(d->txtDept(0)->text(), QString("S5"));
}

void SearchDialogTest::departmentLookupOnLeaving() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchMiscellaneousRevenue",
              rowSet({"Description", "Code"}, {{"MISCELLANEOUS INCOME", "MI"}}));
    auto* d = ReportDialog::open<FrmReportMonthMiscellaneous>(QString("M"));
    QVERIFY(QTest::qWaitForWindowActive(d));
    d->txtDept(0)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), d->txtDept(0));
    QTest::keyClicks(d->txtDept(0), "mi");

    // Enter moves on, and leaving the box looks the code up.
    QString criteria;
    whenModalAppears([&](QWidget*) {
        criteria = FrmSearch::shared().Criteria();
        FrmSearch::shared().cmdSelect_Click();
    });
    QTest::keyClick(d->txtDept(0), Qt::Key_Return);
    QTRY_COMPARE(d->txtDept(1)->text(), QString("MISCELLANEOUS INCOME"));
    QCOMPARE(criteria, QString("MI"));
    QCOMPARE(db.statements, QStringList{"Reports..sp_Rep_SearchMiscellaneousRevenue '0','MI'"});
    QCOMPARE(d->txtDept(0)->text(), QString("MI"));

    // A cancelled lookup leaves both boxes as they are.
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    d->txtDept(0)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), d->txtDept(0));
    d->txtDept(0)->setText("MX");
    whenModalAppears([](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); });
    d->dtpReportDate()->setFocus();
    QTRY_COMPARE(db.statements.size(), 2);
    QTRY_VERIFY(!FrmSearch::shared().isVisible());
    QCOMPARE(d->txtDept(0)->text(), QString("MX"));
    QCOMPARE(d->txtDept(1)->text(), QString("MISCELLANEOUS INCOME"));
}

void SearchDialogTest::departmentOkAfterLookup() {
    RecordingStatements db;
    RecordingReports reports;
    db.answer("Reports..sp_Rep_SearchMiscellaneousRevenue",
              rowSet({"Description", "Code"}, {{"MEDICAL CERTIFICATES", "MC"}}));
    auto* d = ReportDialog::open<FrmReportMonthMiscellaneous>(QString("M"));
    QVERIFY(QTest::qWaitForWindowActive(d));
    QPointer<FrmReportMonthMiscellaneous> alive(d);
    d->txtDept(0)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), d->txtDept(0));
    d->txtDept(0)->setText("M");
    QStringList seenWhenSearching;
    whenModalAppears([&](QWidget*) {
        seenWhenSearching = db.statements;
        FrmSearch::shared().cmdSelect_Click();
    });
    QTest::mouseClick(d->cmdOptions(0), Qt::LeftButton);
    // The search came first; the report took what it chose.
    QCOMPARE(seenWhenSearching, QStringList{"Reports..sp_Rep_SearchMiscellaneousRevenue '0','M'"});
    QCOMPARE(db.statements.value(1),
             QString("Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'MC', 'Y'"));
    QCOMPARE(reports.opened.size(), 1);
    QCOMPARE(reports.opened[0].parameterValues.value(5).toString(),
             QString("Monthly MEDICAL CERTIFICATES Report"));
    QTRY_VERIFY(!alive);
}

void SearchDialogTest::departmentCancelLooksNothingUp() {
    RecordingStatements db;
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmReportMonthMiscellaneous>(QString("M"));
    QVERIFY(QTest::qWaitForWindowActive(d));
    QPointer<FrmReportMonthMiscellaneous> alive(d);
    d->txtDept(0)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), d->txtDept(0));
    QTest::keyClicks(d->txtDept(0), "MI");
    QTest::mouseClick(d->cmdOptions(1), Qt::LeftButton);
    QTRY_VERIFY(!alive);
    QTest::qWait(50);
    QVERIFY(db.statements.isEmpty());
    QVERIFY(reports.calls.isEmpty());
}

void SearchDialogTest::departmentYearEnd() {
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(5, 1);
    auto* d = ReportDialog::instance<FrmReportMonthMiscellaneous>();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Monthly Miscellaneous Report"));
    QCOMPARE(d->dtpReportDate()->displayFormat(), QString("yyyy"));
    d->txtDept(0)->setText("AP");
    d->txtDept(1)->setText("APPARATUS");
    d->dtpReportDate()->setDate(QDate(2011, 3, 15));
    d->cmdOptions_Click(0);
    QCOMPARE(db.statements,
             QStringList{"Reports..sp_Rep_MonthlyREcompute '03/01/2011', '03/31/2011', 'AP', 'Y'"});
    QCOMPARE(reports.opened[0].parameterValues.value(3).toString(),
             QString("Year End APPARATUS Report"));
}

// ---- miscellaneous revenue maintenance -----------------------------------

void SearchDialogTest::maintenanceListAndFilter() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchMiscellaneousRevenue",
              rowSet({"Description", "Code"},
                     {{"MEDICAL CERTIFICATES", "MC"}, {"MISCELLANEOUS INCOME", "MI"}}));
    OpenMenuItem(7, 0);
    auto* d = ReportDialog::instance<FrmMiscellaneous>();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Miscellaneous Reports"));
    QCOMPARE(d->rows().rowCount(), 2);
    QTest::keyClicks(d->txtSearch(), "MI");
    QTest::keyClick(d->txtSearch(), Qt::Key_Apostrophe);
    QCOMPARE(db.statements,
             (QStringList{"Reports..sp_Rep_SearchMiscellaneousRevenue '0', ''",
                          "Reports..sp_Rep_SearchMiscellaneousRevenue '0', 'M'",
                          "Reports..sp_Rep_SearchMiscellaneousRevenue '0', 'MI'",
                          "Reports..sp_Rep_SearchMiscellaneousRevenue '0', 'MI'''"}));
    d->cmdFind_Click();
    QCOMPARE(db.statements.size(), 5);
}

void SearchDialogTest::maintenancePickSaveAndNew() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchMiscellaneousRevenue",
              rowSet({"Description", "Code"},
                     {{"MEDICAL CERTIFICATES", "MC"}, {"MISCELLANEOUS INCOME", "MI"}}));
    auto* d = ReportDialog::open<FrmMiscellaneous>();
    d->txtSearch()->setText("M");
    d->grdRevenues()->setCurrentIndex(d->rows().index(1, 0));
    QCOMPARE(d->txtRevenue()->text(), QString("MI"));
    QCOMPARE(d->txtDescription()->text(), QString("MISCELLANEOUS INCOME"));

    d->txtDescription()->setText("O'BRIEN'S FUND");
    db.statements.clear();
    QTest::mouseClick(d->cmdOptions(0), Qt::LeftButton);
    QCOMPARE(db.statements,
             (QStringList{"Reports..sp_Rep_UpdateMiscellaneous 'MI', 'O''BRIEN''S FUND' ",
                          "Reports..sp_Rep_SearchMiscellaneousRevenue '0', 'M'"}));
    QVERIFY(d->txtRevenue()->text().isEmpty());
    QVERIFY(d->txtDescription()->text().isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // Add/New empties the entry, leaves the list, and waits in the code box.
    d->grdRevenues()->setCurrentIndex(d->rows().index(0, 0));
    QCOMPARE(d->txtRevenue()->text(), QString("MC"));
    db.statements.clear();
    d->cmdOptions_Click(2);
    QVERIFY(d->txtRevenue()->text().isEmpty() && d->txtDescription()->text().isEmpty());
    QCOMPARE(d->focusWidget(), d->txtRevenue());
    QVERIFY(db.statements.isEmpty());
    QCOMPARE(d->rows().rowCount(), 2);
}

void SearchDialogTest::maintenanceRefusedSaveKeepsTheEntry() {
    RecordingStatements db;
    db.fail("Reports..sp_Rep_UpdateMiscellaneous",
            "The description of ZX is empty: type a description before saving");
    auto* d = ReportDialog::open<FrmMiscellaneous>();
    d->txtRevenue()->setText("ZX");
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    d->cmdOptions_Click(0);
    QVERIFY(seen.text.contains("type a description"));
    QCOMPARE(d->txtRevenue()->text(), QString("ZX"));
    QVERIFY(d->isVisible());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(SearchDialogTest)
#include "tst_searchdialog.moc"
