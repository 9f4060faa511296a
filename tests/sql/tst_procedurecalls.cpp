// Every statement shape the dialogs build, run through the statement layer
// as a member of the reports role against the test database: the translator
// and the procedures agree on names, argument counts and result columns.
#include "TestDatabase.h"
#include "platform/Error.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"

#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

class ProcedureCallsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void statementsAsBuilt_data();
    void statementsAsBuilt();
    void miscellaneousCodeWithApostrophesRoundTrips();
    void serverRefusalNamesTheProblem();

private:
    std::unique_ptr<SqlConnection> connection_;
    std::unique_ptr<ConnectionStatementRunner> runner_;
};

void ProcedureCallsTest::initTestCase() {
    if (!TestDatabase::available())
        QSKIP("needs the test cluster of scripts/test");
    const TestDatabase m = TestDatabase::member();
    connection_ = std::make_unique<SqlConnection>(
        ConnectionSettings{m.host, m.port, m.database, m.user, m.password});
    connection_->open();
    runner_ = std::make_unique<ConnectionStatementRunner>(*connection_);
    setStatementRunner(runner_.get());
}

void ProcedureCallsTest::cleanupTestCase() {
    setStatementRunner(nullptr);
    if (!TestDatabase::available())
        return;
    const TestDatabase a = TestDatabase::admin();
    SqlConnection admin({a.host, a.port, a.database, a.user, a.password});
    admin.open();
    admin.query("DELETE FROM reports.tbmiscellaneousrevenue WHERE code = ?", {"ZZ'1"});
}

void ProcedureCallsTest::statementsAsBuilt_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("columns"); // empty: no rows wanted

    const QStringList totals{"TotalPatientCharge", "TotalHospCharge", "TotalProfCharge",
                             "TotalPatientCash",   "TotalHospCash",   "TotalProfCash"};
    const QStringList search{"Name", "Code"};
    const QStringList none;
    QTest::newRow("monthly") << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', "
                                "'LB', 'N'"
                             << none;
    QTest::newRow("discharges dump")
        << "Reports..sp_Rep_DumpDailySummaryOfDischarges  '03/15/2012'" << none;
    QTest::newRow("in-patient extension")
        << "Reports..sp_RepRecomputeExtensionInPatient  '03/15/2012'" << none;
    QTest::newRow("in-patient totals")
        << "Reports..sp_Rep_GetComputedInPatients '03/15/2012'" << totals;
    QTest::newRow("services dump")
        << "Reports..sp_Rep_DumpDailySummaryOfServices  '03/15/2012'" << none;
    QTest::newRow("out-patient extension")
        << "Reports..sp_RepRecomputeExtensionOutPatient  '03/15/2012'" << none;
    QTest::newRow("out-patient totals")
        << "Reports..sp_Rep_GetComputedOutPatients '03/15/2012'" << totals;
    QTest::newRow("aging, two dates")
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2012', '03/31/2012'" << none;
    QTest::newRow("aging, balance kind")
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2013', '03/31/2013', 'P'" << none;
    QTest::newRow("payable aging")
        << "REPORTS..sp_BILLING_RepAgingPayableRecompute '03/01/2012', '03/31/2012'" << none;
    QTest::newRow("billing aging, no blank")
        << "Billing..sp_BILLING_RepAgingRecompute'01/01/2013', '01/31/2013'" << none;
    QTest::newRow("by class") << "Billing..sp_BILLING_RepAgingRecomputeClass '01/01/2013', "
                                 "'01/31/2013', ''"
                              << none;
    QTest::newRow("by class and period")
        << "Billing..sp_BILLING_RepAgingRecomputeClassPeriod'01/01/2013', '01/31/2013', '', 5"
        << none;
    QTest::newRow("by period")
        << "Billing..sp_BILLING_RepAgingRecomputePeriod'01/01/2013', '01/31/2013', 5" << none;
    QTest::newRow("statistics")
        << "Patient_Data..sp_Adm_Statistics '03/01/2012','03/31/2012 23:59:59.99'" << none;
    QTest::newRow("company search") << "Reports..sp_Rep_SearchCompany ''" << search;
    QTest::newRow("class search") << "Reports..sp_Rep_SearchClass 'a'" << search;
    QTest::newRow("period search") << "Reports..sp_Rep_SearchPeriod ''" << search;
    QTest::newRow("miscellaneous search") << "Reports..sp_Rep_SearchMiscellaneousRevenue '0',''"
                                          << QStringList{"Description", "Code"};
}

void ProcedureCallsTest::statementsAsBuilt() {
    QFETCH(QString, statement);
    QFETCH(QStringList, columns);
    try {
        const RecordSet rows = ExecuteSqlForRows(statement);
        if (columns.isEmpty())
            return;
        QVERIFY2(rows.rowCount() > 0, qPrintable(statement));
        for (const QString& column : columns)
            QVERIFY2(rows.hasColumn(column),
                     qPrintable(column + " in " + rows.columns().join(',')));
    } catch (const Error& error) {
        QFAIL(qPrintable(statement + "\n" + error.description()));
    }
}

// A code and a description typed with apostrophes are saved and found as typed.
void ProcedureCallsTest::miscellaneousCodeWithApostrophesRoundTrips() {
    ExecuteSql("Reports..sp_Rep_UpdateMiscellaneous " + quoted("ZZ'1") + ", " +
               quoted("O'BRIEN'S FEE") + " ");
    RecordSet found =
        ExecuteSqlForRows("Reports..sp_Rep_SearchMiscellaneousRevenue '0', " + quoted("zz'1"));
    QVERIFY(!found.atEnd());
    QCOMPARE(found.field("Code").toString(), QString("ZZ'1"));
    QCOMPARE(found.field("Description").toString(), QString("O'BRIEN'S FEE"));
}

void ProcedureCallsTest::serverRefusalNamesTheProblem() {
    try {
        ExecuteSql("Reports..sp_Rep_MonthlyREcompute '13/45/2012', '03/31/2012', 'LB', 'N'");
        QFAIL("a date that does not exist was accepted");
    } catch (const Error& error) {
        QVERIFY2(error.description().contains("13/45/2012"), qPrintable(error.description()));
    }
    // The session goes on after a refused statement.
    QVERIFY(!ExecuteSqlForRows("Reports..sp_Rep_SearchClass ''").atEnd());
}

QTEST_GUILESS_MAIN(ProcedureCallsTest)
#include "tst_procedurecalls.moc"
