// The monthly departmental summary end to end: the recompute fills its rows,
// the product template reads them on "REPORTS" with the seven values of a
// monthly run, and the PDF and the .xls carry the hospital's totals.

#include "../engine/EngineFixture.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "reporting/ReportRoutines.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;
using namespace pelmar::test;

class MonthlyTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        if (!TestDatabase::available())
            QSKIP("no test database (run through scripts/test)");
        QLocale::setDefault(QLocale::c());
        useTestLogOn();
    }

    void laboratoryMarch2012() {
        const TestDatabase m = TestDatabase::member();
        SqlConnection conn({m.host, m.port, m.database, m.user, m.password});
        conn.open();
        conn.query("SELECT reports.sp_rep_monthlyrecompute(?, ?, ?, ?)",
                   {"03/01/2012", "03/31/2012", "LB", "N"});

        session().CompanyName = "St. Brigid's Test Hospital";
        session().ReportsFolder = qEnvironmentVariable("PELMAR_SOURCE_DIR") + "\\REPORTS";
        OpenReport(session().ReportsFolder + "\\rptMonthlyReport.rpt", "REPORTS",
                   {"03/01/2012", "03/31/2012", "LB", "N", "12 Harbour Road, Port Elin",
                    "Monthly Laboratory Summary Report", "03/31/2012"});
        auto report = session().CurrentReport;
        QCOMPARE(report->GetDatabaseTables()[0]->GetLocation(),
                 QString("REPORTS.dbo.tbRepMonthly"));

        const QString pdf = dir_.filePath("monthly.pdf");
        report->exportTo(pdf, FormatPdf);
        const QString text = pdfText(pdf);
        for (const char* s :
             {"St. Brigid's Test Hospital", "Monthly Laboratory Summary Report",
              "For the period 03/01/2012 to 03/31/2012", "As of 03/31/2012", "Page 1 of 1"})
            QVERIFY2(text.contains(s), qPrintable(QString(s) + "\n" + text));
        const QString flat = text.simplified();
        QVERIFY2(flat.contains("Total In-Patients 6 6 1,240.00 0.00 1,240.00"), qPrintable(flat));
        QVERIFY2(flat.contains("Total Out-Patients 2 2 1,450.00 0.00 1,450.00"), qPrintable(flat));
        QVERIFY2(flat.contains("Grand Total 8 8 2,690.00 0.00 2,690.00"), qPrintable(flat));

        const QString xls = dir_.filePath("monthly.xls");
        report->exportTo(xls, FormatExcel);
        const QString rows = xlsRows(xls).join('\n');
        QVERIFY2(rows.contains("|T:Grand Total||N:8.0|N:8.0|N:2690.0|N:0.0|N:2690.0"),
                 qPrintable(rows));
        QVERIFY2(rows.contains("|T:LBP01|"), qPrintable(rows));
    }
};

QTEST_MAIN(MonthlyTest)
#include "tst_reporting_monthly.moc"
