// The lookups and the maintenance window on the test database: what the
// search procedures return through the dialog, saving a code and reading it
// back, apostrophes in search texts, codes and descriptions, and the
// statement shapes of the aging dialogs as the database takes them.

#include "RecordingReports.h"
#include "TestDatabase.h"
#include "UiDriver.h"
#include "dialogs/billing/FrmAgingClass.h"
#include "dialogs/billing/FrmReportPeriod.h"
#include "lookup/FrmMiscellaneous.h"
#include "lookup/FrmSearch.h"
#include "lookup/RecordSetModel.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "platform/user/UserSession.h"
#include "startup/Main.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace pelmar;
using namespace pelmar::test;

namespace {

ConnectionSettings settingsOf(const TestDatabase& db) {
    return {db.host, db.port, db.database, db.user, db.password};
}

// Every row of a search, "name|code", through the dialog as a user sees it.
QStringList searchRows(const QString& query, const QString& criteria) {
    FrmSearch& search = FrmSearch::shared();
    search.setSearchCaption("Search");
    search.setCriteria(criteria);
    search.setQuery(query);
    QStringList rows;
    whenModalAppears([&](QWidget*) {
        for (int r = 0; r < search.rows().rowCount(); ++r)
            rows << search.rows().text(r, 0) + "|" + search.rows().text(r, 1);
        search.reject();
    });
    search.exec();
    return rows;
}

void removeTestCodes() {
    SqlConnection admin(settingsOf(TestDatabase::admin()));
    admin.open();
    admin.query("DELETE FROM reports.tbmiscellaneousrevenue WHERE code LIKE 'ZQ%'");
}

} // namespace

class LookupDatabaseTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SqlConnection> connection_;
    std::unique_ptr<ConnectionStatementRunner> runner_;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void searches_data();
    void searches();
    void saveAndReadBack();
    void refusedSaveKeepsTheEntry();
    void agingStatementsRun_data();
    void agingStatementsRun();
    void dailyIncomeNamesTheEmployee();
};

void LookupDatabaseTest::initTestCase() {
    if (!TestDatabase::available())
        QSKIP("no test database (run through scripts/test)");
    QLocale::setDefault(QLocale::c());
    connection_ = std::make_unique<SqlConnection>(settingsOf(TestDatabase::member()));
    connection_->open();
    runner_ = std::make_unique<ConnectionStatementRunner>(*connection_);
    setStatementRunner(runner_.get());
    session().CompanyName = "St. Brigid's Test Hospital";
    session().CompanyAddress = "12 Harbour Road";
    session().ReportsFolder = "/opt/pelmar\\REPORTS";
    session().ServerDate = QDateTime::currentDateTime();
    removeTestCodes();
}

void LookupDatabaseTest::cleanupTestCase() {
    if (!connection_)
        return;
    removeTestCodes();
    setStatementRunner(nullptr);
}

void LookupDatabaseTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReportDialog*>(w))
            delete w;
    }
}

void LookupDatabaseTest::searches_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("rows"); // -1: at least one

    const QString misc = "Reports..sp_Rep_SearchMiscellaneousRevenue '0','##'";
    QTest::newRow("misc: apostrophe in the text") << misc << "O'BRIEN"
                                                  << "O'BRIEN MEMORIAL FUND|OB" << 1;
    QTest::newRow("misc: code first") << misc << "MI"
                                      << "MISCELLANEOUS INCOME|MI" << -1;
    QTest::newRow("misc: everything") << misc << ""
                                      << "APPARATUS|AP" << 5;
    QTest::newRow("company: apostrophe") << "Reports..sp_Rep_SearchCompany '##'"
                                         << "O'NEIL"
                                         << "O'NEIL TRADING|C-002" << 1;
    QTest::newRow("company: patients are no companies") << "Reports..sp_Rep_SearchCompany '##'"
                                                        << "SMITH"
                                                        << "" << 0;
    QTest::newRow("class: by code") << "Reports..sp_Rep_SearchClass '##'"
                                    << "02"
                                    << "Corporate Accounts|02" << 1;
    QTest::newRow("period: by name") << "Reports..sp_Rep_SearchPeriod '##'"
                                     << "MAR"
                                     << "MARCH 2012|6" << 1;
    QTest::newRow("quote alone finds nothing and fails nothing")
        << "Reports..sp_Rep_SearchClass '##'"
        << "'"
        << "" << 0;
}

void LookupDatabaseTest::searches() {
    QFETCH(QString, query);
    QFETCH(QString, criteria);
    QFETCH(QString, first);
    QFETCH(int, rows);
    MessageBoxSeen failure;
    answerMessageBox("OK", &failure);
    const QStringList found = searchRows(query, criteria);
    QVERIFY2(!failure.shown, qPrintable(failure.text));
    if (rows >= 0)
        QCOMPARE(found.size(), rows);
    else
        QVERIFY(!found.isEmpty());
    QCOMPARE(found.value(0), first);
}

void LookupDatabaseTest::saveAndReadBack() {
    auto* d = ReportDialog::open<FrmMiscellaneous>();
    const int before = d->rows().rowCount();
    QVERIFY(before >= 5);

    d->cmdOptions_Click(2);
    d->txtRevenue()->setText("zq1");
    d->txtDescription()->setText("ST. JUDE'S FUND");
    d->cmdOptions_Click(0);
    QVERIFY(d->txtRevenue()->text().isEmpty());
    QCOMPARE(d->rows().rowCount(), before + 1);

    // Read back through the lookup, apostrophe and all.
    QCOMPARE(searchRows("Reports..sp_Rep_SearchMiscellaneousRevenue '0','##'", "JUDE'S"),
             QStringList{"ST. JUDE'S FUND|ZQ1"});

    // Picking the row and saving a new description replaces it.
    d->txtSearch()->setText("ZQ");
    QCOMPARE(d->rows().rowCount(), 1);
    d->grdRevenues()->setCurrentIndex(d->rows().index(0, 0));
    QCOMPARE(d->txtRevenue()->text(), QString("ZQ1"));
    d->txtDescription()->setText("O'BRIEN'S WARD FUND");
    d->cmdOptions_Click(0);
    QCOMPARE(d->rows().rowCount(), 1);
    QCOMPARE(d->rows().text(0, 0), QString("O'BRIEN'S WARD FUND"));
    QCOMPARE(d->rows().text(0, 1), QString("ZQ1"));
    QCOMPARE(searchRows("Reports..sp_Rep_SearchMiscellaneousRevenue '0','##'", "ZQ"),
             QStringList{"O'BRIEN'S WARD FUND|ZQ1"});
}

void LookupDatabaseTest::refusedSaveKeepsTheEntry() {
    auto* d = ReportDialog::open<FrmMiscellaneous>();
    d->txtRevenue()->setText("");
    d->txtDescription()->setText("NO CODE YET");
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    d->cmdOptions_Click(0);
    QVERIFY(seen.shown);
    QVERIFY2(seen.text.contains("code is empty"), qPrintable(seen.text));
    QCOMPARE(d->txtDescription()->text(), QString("NO CODE YET"));
}

// The dialogs' statement texts as the database takes them: with and without
// the blank before the first literal, an unquoted period number, and a code
// with an apostrophe that reaches the procedure intact.
void LookupDatabaseTest::agingStatementsRun_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("detailed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("failure"); // empty: the report is shown
    QTest::newRow("class summary, no blank") << "class" << false << "02"
                                             << ""
                                             << "";
    QTest::newRow("class detailed by period") << "class" << true << "02"
                                              << "6"
                                              << "";
    QTest::newRow("aging summary by period, no blank") << "summary" << false << ""
                                                       << "6"
                                                       << "";
    QTest::newRow("account with an apostrophe reaches the procedure")
        << "account" << false << "O'HARA"
        << ""
        << "There is no account \"O'HARA\": choose an account from the list";
}

void LookupDatabaseTest::agingStatementsRun() {
    QFETCH(QString, category);
    QFETCH(bool, detailed);
    QFETCH(QString, code);
    QFETCH(QString, period);
    QFETCH(QString, failure);
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmAgingClass>();
    d->dtStartDate()->setDate(QDate(2012, 3, 1));
    d->dtEndDate()->setDate(QDate(2012, 3, 31));
    if (category == "account")
        d->optAccountNum()->click();
    else if (category == "summary")
        d->optGrandSummary()->click();
    else if (!detailed)
        d->optSummary()->click();
    d->txtDept(0)->setText(code);
    if (!period.isEmpty()) {
        d->optPeriod()->click();
        d->txtDept(3)->setText(period);
    }
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    d->cmdview_Click();
    if (failure.isEmpty()) {
        QVERIFY2(!seen.shown, qPrintable(seen.text));
        QCOMPARE(reports.shown.size(), 1);
    } else {
        QVERIFY(seen.shown);
        QVERIFY2(seen.text.contains(failure), qPrintable(seen.text));
        QVERIFY(reports.shown.isEmpty());
    }
}

void LookupDatabaseTest::dailyIncomeNamesTheEmployee() {
    UserSession user;
    user.setPasswordDeptCode(kReportsModuleCode);
    user.signIn(settingsOf(TestDatabase::member()));
    session().CurrentUser = &user;
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmReportPeriod>(QString("10"));
    d->dtpPeriod(0)->setDate(QDate(2012, 3, 1));
    d->dtpPeriod(1)->setDate(QDate(2012, 3, 31));
    d->cmdOK_Click();
    session().CurrentUser = nullptr;
    QCOMPARE(reports.opened.size(), 1);
    QCOMPARE(reports.opened[0].parameterValues.value(3).toString(), QString("Tess Ter"));
}

QTEST_MAIN(LookupDatabaseTest)
#include "tst_lookup_database.moc"
