// The departmental, logbook, package deal and aging templates end to end on
// the test database: each case runs the procedure its caller runs, opens the
// template on the database name its caller uses with the caller's values in
// order, binds the subreports the caller binds, renders to PDF and finds the
// fixture's known figures in the text.  Set PELMAR_KEEP_REPORTS to a folder
// to keep the PDFs for a look.

#include "../engine/EngineFixture.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "platform/sql/SqlConnection.h"
#include "reporting/ReportRoutines.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;
using namespace pelmar::test;

namespace {

const QString kAddress = QStringLiteral("12 Harbour Road, Port Elin");
const QString kHospital = QStringLiteral("St. Brigid's Test Hospital");

QVariantList variants(const QStringList& values) {
    QVariantList out;
    for (const QString& v : values)
        out << v;
    return out;
}

struct Bind {
    QString name;
    QString database;
    QStringList values;
};

struct Case {
    QString name;
    QString procedure; // run first with procedureArgs, when given
    QStringList procedureArgs;
    QString templateName;
    QString database;
    QStringList values;
    QList<Bind> subreports;
    QStringList expected; // in the PDF text, blanks collapsed
    QStringList absent;
};

const QString kMonthly = QStringLiteral("reports.sp_rep_monthlyrecompute");
const QString kAging = QStringLiteral("reports.sp_billing_repagingrecompute");
const QString kPayable = QStringLiteral("reports.sp_billing_repagingpayablerecompute");

QList<Case> cases() {
    const QStringList march{"03/01/2012", "03/31/2012", kAddress};
    return {
        {"monthly laboratory, leap February",
         kMonthly,
         {"02/01/2012", "02/29/2012", "LB", "N"},
         "rptMonthlyReport.rpt",
         "REPORTS",
         {"02/01/2012", "02/29/2012", "LB", "N", kAddress, "Monthly Laboratory Summary Report",
          "02/29/2012"},
         {},
         {"Monthly Laboratory Summary Report", "For the period 02/01/2012 to 02/29/2012",
          "As of 02/29/2012", "Department LB", "LB001 COMPLETE BLOOD COUNT 1 1 250.00 0.00 250.00",
          "Total Out-Patients 1 1 120.00 0.00 120.00", "Grand Total 2 2 370.00 0.00 370.00"},
         {"1,240.00"}},
        {"apparatus with its grouped codes",
         kMonthly,
         {"03/01/2012", "03/31/2012", "AP", "Y"},
         "rptMonthlyReport.rpt",
         "REPORTS",
         {"03/01/2012", "03/31/2012", "AP", "Y", kAddress, "Monthly Apparatus Report",
          "03/31/2012"},
         {},
         {"Monthly Apparatus Report", "AP - APPARATUS",
          "AP002 CARDIAC MONITOR PER DAY 1 2 1,000.00", "Grand Total 2 12 2,000.00 0.00 2,000.00"},
         {}},
        {"operating room with its surgeons",
         kMonthly,
         {"03/01/2012", "03/31/2012", "OR", "N"},
         "MonthlyORReport.rpt",
         "REPORTS",
         {"03/01/2012", "03/31/2012", "OR", "N", kAddress, "Monthly Operating Room Summary Report",
          "03/31/2012"},
         {},
         {"Monthly Operating Room Summary Report", "For the period 03/01/2012 to 03/31/2012",
          "OR001 APPENDECTOMY 1 1 20,000.00 5,000.00 25,000.00",
          "D01 DR. ALBA CRUZ 1 20,000.00 5,000.00 25,000.00",
          "Total Procedures 1 20,000.00 5,000.00 25,000.00",
          "Total Surgeons 1 20,000.00 5,000.00 25,000.00",
          "Department Total 1 1 20,000.00 5,000.00 25,000.00"},
         {"50,000.00"}},
        {"medical certificates",
         kMonthly,
         {"02/01/2012", "02/29/2012", "MC", "Y"},
         "rptMonthlyReport_MH.rpt",
         "REPORTS",
         {"02/01/2012", "02/29/2012", "MC", "Y", kAddress, "Monthly Medical Certificates Report",
          "02/29/2012"},
         {},
         {"Monthly Medical Certificates Report", "MC - MEDICAL CERTIFICATES", "Out-Patients",
          "MC001 MEDICAL CERTIFICATE 1 1 100.00", "Grand Total 1 1 100.00"},
         {}},
        {"year end laboratory",
         kMonthly,
         {"03/01/2012", "03/31/2012", "LB", "N"},
         "rptYearEndReport.rpt",
         "Reports",
         {"2012", "LB", kAddress, "Year End Laboratory Summary Report", "03/31/2012"},
         {},
         {"Year End Laboratory Summary Report", "For the year 2012, January to December",
          "As of 03/31/2012", "LB001 COMPLETE BLOOD COUNT Qty 1 5 6",
          "Amt 250.00 1,250.00 1,500.00",
          "LBP01 EXECUTIVE LAB PACKAGE Qty 1 1 Amt 1,200.00 1,200.00",
          "Total quantity 0 2 8 0 0 0 0 0 0 0 0 0 10",
          "Total hospital fees 0.00 370.00 2,690.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 "
          "3,060.00"},
         {}},
        {"daily x-ray logbook",
         {},
         {},
         "rptDailyReports.rpt",
         "Reports",
         {"03/15/2012", "03/15/2012", "XR", kAddress, "Daily X-Ray Examination Logbook",
          "03/15/2012"},
         {},
         {"Daily X-Ray Examination Logbook", "Report date 03/15/2012",
          "08:00 A-0002 HN-0002 O'BRIEN, MARY", "14:10 V-0002",
          "CHEST X-RAY PA DR. BEN O'CONNOR 1 600.00 200.00", "Grand Total 2 1,200.00 400.00",
          "Examinations listed: 2"},
         {}},
        {"daily laboratory logbook leaves corrections out",
         {},
         {},
         "rptDailyReports.rpt",
         "Reports",
         {"03/14/2012", "03/14/2012", "LB", kAddress, "Daily Laboratory Examination Logbook",
          "03/14/2012"},
         {},
         {"Daily Laboratory Examination Logbook", "Grand Total 2 370.00 0.00",
          "Examinations listed: 2"},
         {"-240.00", "-2 "}},
        {"laboratory package deals",
         {},
         {},
         "MonthLaboratoryPackageDeal.rpt",
         "Reports",
         march,
         {},
         {"Monthly Laboratory Package Deal Report", "For the period 03/01/2012 to 03/31/2012",
          "LBP-EXEC EXECUTIVE LAB PACKAGE", "03/15/2012 DELA CRUZ, JUAN Out-Patient 1 1,200.00",
          "Grand Total 1 1,200.00"},
         {}},
        {"receivable aging, detailed",
         kAging,
         {"03/01/2012", "03/31/2012"},
         "Aging.rpt",
         "REPORTS",
         march,
         {},
         {"Aging Analysis of Accounts Receivable - Detailed",
          "As of 03/31/2012 (period 03/01/2012 to 03/31/2012)", "02 Corporate Accounts",
          "B-0010 10/15/2011 11/14/2011 138", "B-0001 SMITH, JOHN 03/15/2012 04/14/2012 32,370.00",
          "Total 02 Corporate Accounts 38,170.00 33,170.00 0.00 0.00 0.00 0.00 5,000.00",
          "Grand Total 56,740.00 43,540.00 8,200.00 0.00 0.00 0.00 5,000.00", "Bills aged: 6"},
         {"G-001", "-500.00"}},
        {"receivable aging at net, credit balances included",
         kAging,
         {"03/01/2012", "03/31/2012", "A"},
         "Aging.rpt",
         "REPORTS",
         march,
         {},
         {"All accounts, at net", "04 Government Agencies",
          "B-0011 01/10/2012 02/09/2012 51 -500.00 0.00 0.00 -500.00",
          "Grand Total 56,240.00 43,540.00 8,200.00 -500.00 0.00 0.00 5,000.00", "Bills aged: 7"},
         {}},
        {"receivable aging, summary",
         kAging,
         {"03/01/2012", "03/31/2012"},
         "AgingComputation.rpt",
         "REPORTS",
         march,
         {{"Classification", "REPORTS", march}},
         {"Aging Analysis of Accounts Receivable - Summary",
          "As of 03/31/2012 (period 03/01/2012 to 03/31/2012)",
          "Grand Total 5,000.00 70,790.00 -15,000.00 -4,050.00 56,740.00 43,540.00 8,200.00 0.00 "
          "0.00 0.00 5,000.00",
          "Summary by Classification", "02 Corporate Accounts 2 38,170.00",
          "Total receivables 5 56,740.00 43,540.00 8,200.00 0.00 0.00 0.00 5,000.00 100.0%",
          "Company Accounts: Credit Position",
          "C-001 ACME MINING CORPORATION 30 100,000.00 12.00 37,370.00 32,370.00 5,000.00 13.4% "
          "226.85",
          "Total company accounts 48,540.00 43,540.00 5,000.00 226.85"},
         {}},
        {"payable aging, detailed",
         kPayable,
         {"03/01/2012", "03/31/2012"},
         "PayableDetail.rpt",
         "REPORTS",
         march,
         {},
         {"Aging Analysis of Accounts Payable - Detailed",
          "As of 03/31/2012 (period 03/01/2012 to 03/31/2012)",
          "S-002 O'HARA LAUNDRY SERVICES (terms 15 days)", "INV-1001 01/05/2012 02/04/2012 56",
          "Grand Total 9,200.00 2,500.00 -3,000.00 8,700.00 2,500.00 0.00 5,000.00 0.00 0.00 "
          "1,200.00",
          "Invoices aged: 3"},
         {}},
        {"payable aging, summary",
         kPayable,
         {"03/01/2012", "03/31/2012"},
         "PayableComputation.rpt",
         "REPORTS",
         march,
         {{"Classification", "REPORTS", march}},
         {"Aging Analysis of Accounts Payable - Summary",
          "Grand Total 9,200.00 2,500.00 -3,000.00 8,700.00 2,500.00 0.00 5,000.00 0.00 0.00 "
          "1,200.00",
          "05 Suppliers 2 8,700.00",
          "Total payables 2 8,700.00 2,500.00 0.00 5,000.00 0.00 0.00 1,200.00 100.0%",
          "Suppliers: Past-Due Position",
          "S-001 MEDSUPPLY INC 30 7,500.00 2,500.00 5,000.00 66.7% 86.2%",
          "Total suppliers 8,700.00 2,500.00 6,200.00 100.0%"},
         {}},
    };
}

Case caseNamed(const QString& name) {
    for (const Case& c : cases())
        if (c.name == name)
            return c;
    qFatal("no case named %s", qPrintable(name));
}

} // namespace

class MonthlyTemplatesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<SqlConnection> conn_;
    QVariant startedAt_;

    QString outputFolder() const {
        const QString keep = qEnvironmentVariable("PELMAR_KEEP_REPORTS");
        if (!keep.isEmpty() && QDir().mkpath(keep))
            return keep;
        return dir_.path();
    }

    QString render(const Case& c) {
        if (!c.procedure.isEmpty()) {
            QStringList marks;
            for (int i = 0; i < c.procedureArgs.size(); ++i)
                marks << "?";
            conn_->query(QStringLiteral("SELECT %1(%2)").arg(c.procedure, marks.join(", ")),
                         variants(c.procedureArgs));
        }
        OpenReport(session().ReportsFolder + "\\" + c.templateName, c.database, variants(c.values));
        for (const Bind& b : c.subreports)
            OpenSubreport(b.name, b.database, variants(b.values));
        auto report = session().CurrentReport;
        for (DatabaseTable* t : report->GetDatabaseTables())
            if (!t->GetLocation().startsWith(c.database + "."))
                return QStringLiteral("<table at %1, not on %2>").arg(t->GetLocation(), c.database);
        const QString pdf =
            QDir(outputFolder()).filePath(QString(c.templateName).replace(".rpt", ".pdf"));
        report->exportTo(pdf, FormatPdf);
        return pdfText(pdf);
    }

private slots:
    void initTestCase() {
        if (!TestDatabase::available())
            QSKIP("no test database (run through scripts/test)");
        QLocale::setDefault(QLocale::c());
        useTestLogOn();
        const TestDatabase m = TestDatabase::member();
        conn_ = std::make_unique<SqlConnection>(
            ConnectionSettings{m.host, m.port, m.database, m.user, m.password});
        conn_->open();
        RecordSet now = conn_->query("SELECT clock_timestamp()::text AS t");
        startedAt_ = now.field("t");
        session().CompanyName = kHospital;
        session().ReportsFolder = qEnvironmentVariable("PELMAR_SOURCE_DIR") + "\\REPORTS";
    }

    // The report rows these runs left would be another test's surprise: the
    // tests share one database.
    void cleanupTestCase() {
        session().CurrentReport.reset();
        conn_.reset();
        if (startedAt_.isNull())
            return;
        const TestDatabase a = TestDatabase::admin();
        SqlConnection admin(ConnectionSettings{a.host, a.port, a.database, a.user, a.password});
        admin.open();
        for (const char* table : {"tbrepmonthly", "tbrepmonthlydoctors", "tbrepyearend",
                                  "tbrepaging", "tbreppayableaging"})
            admin.query(QStringLiteral("DELETE FROM reports.%1 WHERE computed_at >= ?::timestamptz")
                            .arg(table),
                        {startedAt_});
    }

    void rendersKnownFigures_data() {
        QTest::addColumn<int>("index");
        const auto all = cases();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(all[i].name)) << i;
    }

    void rendersKnownFigures() {
        QFETCH(int, index);
        const Case c = cases().at(index);
        const QString text = render(c);
        const QString flat = text.simplified();
        QStringList wanted = c.expected;
        wanted << kHospital << kAddress;
        for (const QString& s : wanted)
            QVERIFY2(flat.contains(s), qPrintable("missing \"" + s + "\" in:\n" + text));
        // Every page is numbered, and the count is the number of pages.
        QStringList numbers;
        auto it = QRegularExpression("Page (\\d+) of (\\d+)").globalMatch(flat);
        while (it.hasNext()) {
            const auto m = it.next();
            numbers << m.captured(1) + "/" + m.captured(2);
        }
        QStringList pages;
        for (int i = 1; i <= numbers.size(); ++i)
            pages << QString("%1/%2").arg(i).arg(numbers.size());
        QVERIFY2(!numbers.isEmpty() && numbers == pages, qPrintable(numbers.join(", ")));
        for (const QString& s : c.absent)
            QVERIFY2(!flat.contains(s), qPrintable("unexpected \"" + s + "\" in:\n" + text));
    }

    // The spreadsheet of the year-end summary carries the month columns as
    // numbers, so it can be summed again in the spreadsheet.
    void yearEndSpreadsheet() {
        const Case c = caseNamed("year end laboratory");
        render(c);
        const QString xls = dir_.filePath("yearend.xls");
        session().CurrentReport->exportTo(xls, FormatExcel);
        const QStringList rows = xlsRows(xls);
        const QString all = rows.join('\n');
        QVERIFY2(all.contains("|T:Code|T:Description|"), qPrintable(all));
        QVERIFY2(all.contains("|T:Jan|T:Feb|T:Mar|"), qPrintable(all));
        QVERIFY2(all.contains("|T:LB001|T:COMPLETE BLOOD COUNT|T:Qty||N:1.0|N:5.0|"),
                 qPrintable(all));
        QVERIFY2(all.contains("|T:LBP01|T:EXECUTIVE LAB PACKAGE|T:Qty|||N:1.0|"), qPrintable(all));
    }

    // "Company" is bound by the End of Month batch only.  Bound, it reads the
    // run of its dates; unbound, the user's latest run, which is the one the
    // dialog has just computed for its main report.
    void companyReadsItsRun() {
        const QString company = "Company Accounts: Credit Position";
        auto run = [&](const QString& start, const QString& end) {
            conn_->query("SELECT reports.sp_billing_repagingrecompute(?, ?)", {start, end});
        };
        auto companyPart = [&](const QList<Bind>& binds) {
            Case c = caseNamed("receivable aging, summary");
            c.procedure.clear();
            c.subreports = binds;
            const QString flat = render(c).simplified();
            return flat.mid(flat.indexOf(company));
        };
        const QStringList march{"03/01/2012", "03/31/2012", kAddress};
        const QStringList february{"02/01/2012", "02/29/2012", kAddress};
        run("02/01/2012", "02/29/2012");
        run("03/01/2012", "03/31/2012");
        QString part = companyPart({{"Classification", "REPORTS", march}});
        QVERIFY2(part.contains("C-001 ACME MINING CORPORATION 30 100,000.00 12.00 37,370.00"),
                 qPrintable(part));

        part =
            companyPart({{"Company", "REPORTS", february}, {"Classification", "REPORTS", march}});
        QVERIFY2(
            part.contains(
                "C-001 ACME MINING CORPORATION 30 100,000.00 12.00 5,000.00 0.00 5,000.00 100.0%"),
            qPrintable(part));
        QVERIFY2(!part.contains("37,370.00"), qPrintable(part));
    }

    // A template that the caller cannot fill is refused with a message that
    // names it, not shown empty.
    void wrongValueIsNamed() {
        try {
            OpenReport(session().ReportsFolder + "\\Aging.rpt", "REPORTS",
                       {kAddress, "03/31/2012"});
            session().CurrentReport->exportTo(dir_.filePath("wrong.pdf"), FormatPdf);
            QFAIL("an address given for the start date was accepted");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains("StartDate"), qPrintable(e.description()));
        }
    }
};

QTEST_MAIN(MonthlyTemplatesTest)
#include "tst_e2e_monthly_templates.moc"
