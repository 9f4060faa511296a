#include "RecordingReports.h"
#include "RecordingStatements.h"
#include "platform/Error.h"
#include "reporting/DepartmentRuns.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

class DepartmentRunsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void monthlyRun();
    void monthlyTemplateFollowsTheCodeExactly_data();
    void monthlyTemplateFollowsTheCodeExactly();
    void yearEndRun();
    void dailyRunPrintsDirectly();
    void failureClosesTheProgressWindowAndReachesTheCaller();
    void apostropheInATypedCodeStaysInsideItsLiteral();
};

void DepartmentRunsTest::init() {
    session().ReportsFolder = "/opt/pelmar\\REPORTS";
    session().CompanyAddress = "12 Harbour Road";
}

void DepartmentRunsTest::monthlyRun() {
    RecordingStatements db;
    RecordingReports reports;
    RunMonthlyDepartmentReport("01/01/2013", "01/31/2013", "LB",
                               "Monthly Laboratory Summary Report", false, "N");
    QCOMPARE(db.statements, QStringList{"Reports..sp_Rep_MonthlyREcompute '01/01/2013', "
                                        "'01/31/2013', 'LB', 'N'"});
    QCOMPARE(reports.calls, (QStringList{"OpenProgressWindow", "OpenReport", "ShowReport",
                                         "CloseProgressWindow"}));
    QCOMPARE(reports.opened[0].templatePath, QString("/opt/pelmar\\REPORTS\\rptMonthlyReport.rpt"));
    QCOMPARE(reports.opened[0].databaseName, QString("REPORTS"));
    QCOMPARE(reports.opened[0].parameterValues,
             (QVariantList{"01/01/2013", "01/31/2013", "LB", "N", "12 Harbour Road",
                           "Monthly Laboratory Summary Report", "01/31/2013"}));
    QCOMPARE(reports.shown[0].caption, QString("Monthly Laboratory Summary Report: Jan,2013"));
    QVERIFY(!reports.shown[0].showGroupTree);
    QVERIFY(!reports.shown[0].directPrint);
    QVERIFY(!reports.shown[0].modal);
}

void DepartmentRunsTest::monthlyTemplateFollowsTheCodeExactly_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("templateName");
    QTest::newRow("OR") << "OR"
                        << "\\MonthlyORReport.rpt";
    QTest::newRow("MC") << "MC"
                        << "\\rptMonthlyReport_MH.rpt";
    QTest::newRow("MH") << "MH"
                        << "\\rptMonthlyReport_MH.rpt";
    QTest::newRow("MI") << "MI"
                        << "\\rptMonthlyReport_MH.rpt";
    QTest::newRow("mh lower case") << "mh"
                                   << "\\rptMonthlyReport.rpt";
    QTest::newRow("or lower case") << "or"
                                   << "\\rptMonthlyReport.rpt";
    QTest::newRow("DR") << "DR"
                        << "\\rptMonthlyReport.rpt";
}

void DepartmentRunsTest::monthlyTemplateFollowsTheCodeExactly() {
    QFETCH(QString, code);
    QFETCH(QString, templateName);
    RecordingStatements db;
    RecordingReports reports;
    RunMonthlyDepartmentReport("03/01/2012", "03/31/2012", code, "T", false, "N");
    QCOMPARE(reports.opened[0].templatePath, "/opt/pelmar\\REPORTS" + templateName);
}

void DepartmentRunsTest::yearEndRun() {
    RecordingStatements db;
    RecordingReports reports;
    RunYearEndDepartmentReport("01/01/2012", "12/31/2012", "XR", "Year End X-Ray Summary Report",
                               false, "N");
    QCOMPARE(db.statements, QStringList{"Reports..sp_Rep_MonthlyREcompute '01/01/2012', "
                                        "'12/31/2012', 'XR', 'N'"});
    QCOMPARE(reports.opened[0].templatePath, QString("/opt/pelmar\\REPORTS\\rptYearEndReport.rpt"));
    QCOMPARE(reports.opened[0].databaseName, QString("Reports"));
    QCOMPARE(reports.opened[0].parameterValues,
             (QVariantList{"2012", "XR", "12 Harbour Road", "Year End X-Ray Summary Report",
                           "12/31/2012"}));
    QCOMPARE(reports.shown[0].caption, QString("Year End X-Ray Summary Report: Jan,2012"));
}

void DepartmentRunsTest::dailyRunPrintsDirectly() {
    RecordingStatements db;
    RecordingReports reports;
    RunDailyDepartmentReport("03/15/2012", "03/15/2012", "XR", "Daily X-Ray Examination Logbook",
                             true);
    QVERIFY(db.statements.isEmpty());
    QCOMPARE(reports.calls, (QStringList{"OpenReport", "ShowReport"}));
    QCOMPARE(reports.opened[0].templatePath, QString("/opt/pelmar\\REPORTS\\rptDailyReports.rpt"));
    QCOMPARE(reports.opened[0].parameterValues,
             (QVariantList{"03/15/2012", "03/15/2012", "XR", "12 Harbour Road",
                           "Daily X-Ray Examination Logbook", "03/15/2012"}));
    QCOMPARE(reports.shown[0].caption, QString("Daily X-Ray Examination Logbook: 03/15/2012"));
    QVERIFY(reports.shown[0].directPrint);
    QVERIFY(!session().CurrentReport);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void DepartmentRunsTest::failureClosesTheProgressWindowAndReachesTheCaller() {
    RecordingStatements db;
    RecordingReports reports;
    reports.failNext("OpenReport", "The template /x/rptMonthlyReport.rpt does not exist.");
    QVERIFY_THROWS_EXCEPTION(
        Error, RunMonthlyDepartmentReport("03/01/2012", "03/31/2012", "LB", "T", false, "N"));
    QVERIFY(!reports.progressWindowOpen);
    QCOMPARE(db.statements.size(), 1);

    reports.failNext("OpenReport", "missing");
    QVERIFY_THROWS_EXCEPTION(
        Error, RunDailyDepartmentReport("03/15/2012", "03/15/2012", "LB", "T", false));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void DepartmentRunsTest::apostropheInATypedCodeStaysInsideItsLiteral() {
    RecordingStatements db;
    RecordingReports reports;
    RunMonthlyDepartmentReport("03/01/2012", "03/31/2012", "O'B", "T", false, "Y");
    QCOMPARE(db.statements[0],
             QString("Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'O''B', 'Y'"));
    QCOMPARE(reports.opened[0].parameterValues[2], QVariant("O'B"));
}

QTEST_MAIN(DepartmentRunsTest)
#include "tst_departmentruns.moc"
