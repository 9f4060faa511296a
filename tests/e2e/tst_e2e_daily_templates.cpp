// The daily, cash collection and audit trail templates end to end: each is
// opened from REPORTS on the database its dialog names, with the values in
// the order its callers pass them, after the procedures those callers run,
// and its PDF must carry the hospital's heading and the fixture's figures,
// totals that agree with their rows included.  One export preset is
// followed to the .xls it writes and read back.

#include "../engine/EngineFixture.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;
using namespace pelmar::test;

namespace {

const QString kAddress = QStringLiteral("12 Harbour Road, Port Elin");
const QString kHospital = QStringLiteral("St. Brigid's Test Hospital");

// The nine values of a daily summary: the date twice, the address, then
// the six totals of the totals procedure, cash before charge in each pair.
QVariantList summaryValues(SqlConnection& conn, const QString& totalsFunction,
                           const QString& date) {
    RecordSet rs =
        conn.query(QStringLiteral("SELECT * FROM reports.%1(?)").arg(totalsFunction), {date});
    rs.moveFirst();
    auto total = [&](const char* name) {
        return rs.isNull(name) ? QVariant(0.0) : QVariant(rs.field(name).toDouble());
    };
    auto count = [&](const char* name) {
        return rs.isNull(name) ? QVariant(0) : QVariant(rs.field(name).toInt());
    };
    return {date,
            date,
            kAddress,
            count("TotalPatientCash"),
            count("TotalPatientCharge"),
            total("TotalHospCash"),
            total("TotalHospCharge"),
            total("TotalProfCash"),
            total("TotalProfCharge")};
}

} // namespace

class DailyTemplatesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<SqlConnection> conn_;

    QString outputFolder() const {
        // Set to keep the PDFs for a look.
        const QString keep = qEnvironmentVariable("PELMAR_KEEP_PDF");
        return keep.isEmpty() ? dir_.path() : keep;
    }

    QString render(const QString& templateName, const QString& database, const QVariantList& values,
                   const QStringList& subreports, const QVariantList& bind) {
        OpenReport(session().ReportsFolder + templateName, database, values);
        for (const QString& s : subreports)
            OpenSubreport(s, database, bind);
        auto report = session().CurrentReport;
        for (DatabaseTable* t : report->GetDatabaseTables())
            if (!t->GetLocation().startsWith(database + '.'))
                return "table not relocated: " + t->GetLocation();
        QString file =
            QString(QTest::currentDataTag()).replace(QRegularExpression("[^A-Za-z0-9]+"), "_");
        const QString pdf = QDir(outputFolder()).filePath(file + ".pdf");
        report->exportTo(pdf, FormatPdf);
        return pdfText(pdf).simplified();
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
        session().CompanyName = kHospital;
        session().ReportsFolder = qEnvironmentVariable("PELMAR_SOURCE_DIR") + "\\REPORTS";
    }

    void cleanupTestCase() { conn_.reset(); }

    void rendersFixtureFigures_data() {
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QStringList>("procedures"); // run first, with the first value
        QTest::addColumn<QString>("totals");         // totals procedure giving the nine values
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QStringList>("subreports"); // bound with the values named in "bind"
        QTest::addColumn<QVariantList>("bind");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");

        const QStringList none;
        const QVariantList noValues;

        QTest::newRow("income report, company accounts, March")
            << "\\DailyIncomeReport.rpt"
            << "Reports" << none << QString()
            << QVariantList{"03/01/2012", "03/31/2012", kAddress, "Tess Ter"} << none << noValues
            << QStringList{"Daily Summary of Discharges - Company Accounts",
                           "For the period 03/01/2012 to 03/31/2012",
                           "A-0001 SMITH, JOHN 03/10/2012 08:00 03/15/2012 10:00 5 27,370.00 "
                           "5,000.00 32,370.00",
                           "Total C-001 ACME MINING CORPORATION 5 27,370.00 5,000.00 32,370.00",
                           "Total H-001 MEDICARE HEALTH PLAN 4 12,370.00 3,000.00 15,370.00",
                           "Grand Total 9 39,740.00 8,000.00 47,740.00",
                           "Prepared by: Tess Ter"}
            << QStringList{"O'BRIEN", "REYES", "TAN, LEE"};

        QTest::newRow("admission logbook")
            << "\\DailyAdmissionLogbook.rpt"
            << "Reports" << none << QString() << QVariantList{"03/14/2012"} << none << noValues
            << QStringList{"Daily Admission Logbook", "Admissions of 03/14/2012",
                           "A-0002 09:00 HN-0002 O'BRIEN, MARY 27 F ST1 101-B DR. BEN O'CONNOR "
                           "REGULAR PNEUMONIA",
                           "Admissions of the day: 1"}
            << QStringList{"SMITH", "A-0001"};

        const QStringList opd{"Daily OPD Registration Logbook",
                              "Registrations of 03/15/2012",
                              "V-0001 09:30 HN-0003 DELA CRUZ, JUAN 21 M 8 Hill Road, BAYVIEW",
                              "Total Laboratory 1",
                              "V-0002 14:00 HN-0002 O'BRIEN, MARY 27 F",
                              "DR. BEN O'CONNOR",
                              "Total X-Ray 1",
                              "Grand Total 2"};
        QTest::newRow("OPD logbook, date entry values")
            << "\\rptDailyOPDLogBook.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", kAddress, "03/15/2012"}
            << none << noValues << opd << QStringList{"V-0004", "V-0003"};
        QTest::newRow("OPD logbook, end of day values")
            << "\\rptDailyOPDLogBook.rpt"
            << "Reports" << none << QString()
            << QVariantList{"03/15/2012", kAddress, "Daily OPD Registration LogBook", "03/15/2012"}
            << none << noValues << opd << QStringList{"V-0004"};

        QTest::newRow("adjustments with a reversed write-off")
            << "\\DailyAdjustment.rpt"
            << "Reports" << none << QString() << QVariantList{"03/16/2012", kAddress} << none
            << noValues
            << QStringList{"Discounts and adjustments of 03/16/2012",
                           "B-0009 11:40 REYES, ANA REYES, ANA SENIOR CITIZEN 20% CLERK B 300.00 "
                           "0.00 300.00",
                           "Total Senior Citizen Discount 300.00 0.00 300.00",
                           "B-0001 09:00 SMITH, JOHN ACME MINING CORPORATION WRITE-OFF BILLING A "
                           "100.00 0.00 100.00",
                           "WRITE-OFF ENTERED IN ERROR (reversal) BILLING A -100.00 0.00 -100.00",
                           "Total Write-off 0.00 0.00 0.00",
                           "Grand Total 300.00 0.00 300.00"}
            << QStringList{"4,050.00"};

        QTest::newRow("payment summary")
            << "\\PaymentSummary.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", kAddress} << none
            << noValues
            << QStringList{"Receipts of 03/15/2012",
                           "Cashier: JANE DOE",
                           "RC-0002 11:00 Hospital In-Patient Billing REYES, ANA CASH 10,000.00",
                           "RC-0010 16:40 Hospital In-Patient Billing O'BRIEN, MARY CASH -100.00",
                           "Total Cashier: JANE DOE 12,050.00",
                           "Total Cashier: MARK ROE 1,450.00",
                           "Grand Total 13,500.00"}
            << QStringList{"RC-0003", "RC-0007"};

        QTest::newRow("cash collection summary, both sections (date entry)")
            << "\\DailyDepartmentalCollection.rpt"
            << "BILLING" << none << QString() << QVariantList{"03/15/2012", "03/15/2012", kAddress}
            << none << noValues
            << QStringList{"Cash Collection Summary",
                           "For the period 03/15/2012 to 03/15/2012",
                           "In-Patient Billing CASH 3 12,050.00",
                           "Total Hospital 3 12,050.00",
                           "Laboratory CASH 1 1,450.00",
                           "Total Multi Diagnostic 1 1,450.00",
                           "Grand Total 4 13,500.00"}
            << none;
        QTest::newRow("cash collection summary, hospital, March")
            << "\\DailyDepartmentalCollection.rpt"
            << "BILLING" << none << QString()
            << QVariantList{"03/01/2012", "03/31/2012", kAddress, 0} << none << noValues
            << QStringList{"In-Patient Billing CASH 3 12,050.00",
                           "In-Patient Billing CHECK 1 5,000.00", "Total Hospital 4 17,050.00",
                           "Grand Total 4 17,050.00"}
            << QStringList{"Multi Diagnostic"};
        QTest::newRow("cash collection detailed, multi diagnostic, March")
            << "\\DailyCashCollection.rpt"
            << "BILLING" << none << QString()
            << QVariantList{"03/01/2012", "03/31/2012", kAddress, 1} << none << noValues
            << QStringList{"Cash Collection Report - Detailed",
                           "Cashier: MARK ROE",
                           "RC-0004 03/15/2012 10:00 Laboratory DELA CRUZ, JUAN CASH 1,450.00",
                           "RC-0007 03/16/2012 11:45 Ultrasound REYES, ANA CASH 1,500.00",
                           "Total Cashier: MARK ROE 2,950.00",
                           "Total Multi Diagnostic 2,950.00",
                           "Grand Total 2,950.00"}
            << QStringList{"JANE DOE", "RC-0006"};

        QTest::newRow("summary of discharges with department columns")
            << "\\rptDailySummaryOfDischargesColumns.rpt"
            << "Reports"
            << QStringList{"sp_rep_dumpdailysummaryofdischarges",
                           "sp_reprecomputeextensioninpatient"}
            << "sp_rep_getcomputedinpatients" << noValues << none << noValues
            << QStringList{"Discharges of 03/15/2012",
                           "A-0003 REYES, ANA REYES, ANA 1 14,000.00 250.00 0.00 0.00 6,000.00 "
                           "20,250.00 1,000.00 21,250.00",
                           "A-0002 O'BRIEN, MARY O'BRIEN, MARY 1 1,000.00 250.00 600.00 0.00 0.00 "
                           "1,850.00 200.00 2,050.00",
                           "Total Cash Patients 2 15,000.00 500.00 600.00 0.00 6,000.00 22,100.00 "
                           "1,200.00 23,300.00",
                           "A-0001 SMITH, JOHN ACME MINING CORPORATION 1 6,000.00 370.00 0.00 "
                           "20,000.00 1,000.00 27,370.00 5,000.00 32,370.00",
                           "Total Charge Accounts 1 6,000.00 370.00 0.00 20,000.00 1,000.00 "
                           "27,370.00 5,000.00 32,370.00",
                           "Grand Total 3 21,000.00 870.00 600.00 20,000.00 7,000.00 49,470.00 "
                           "6,200.00 55,670.00",
                           "Cash patients 2 22100.00 1200.00",
                           "Charge accounts 1 27370.00 5000.00"}
            << QStringList{"TAN, LEE", "DELA CRUZ"};
        QTest::newRow("summary of discharges, a day without discharges")
            << "\\rptDailySummaryOfDischargesColumns.rpt"
            << "Reports"
            << QStringList{"sp_rep_dumpdailysummaryofdischarges",
                           "sp_reprecomputeextensioninpatient"}
            << "sp_rep_getcomputedinpatients" << QVariantList{"03/17/2012"} << none << noValues
            << QStringList{"Discharges of 03/17/2012",
                           "Grand Total 0 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00",
                           "Cash patients 0 0.00 0.00", "Charge accounts 0 0.00 0.00"}
            << QStringList{"SMITH", "Cash Patients"};
        QTest::newRow("summary of services")
            << "\\rptDailySummaryOfServices.rpt"
            << "Reports"
            << QStringList{"sp_rep_dumpdailysummaryofservices",
                           "sp_reprecomputeextensionoutpatient"}
            << "sp_rep_getcomputedoutpatients" << noValues << none << noValues
            << QStringList{"Daily Summary of Services - OPD",
                           "Out-patient services of 03/15/2012",
                           "V-0001 09:30 DELA CRUZ, JUAN DELA CRUZ, JUAN LB 1 1,450.00 0.00 0.00 "
                           "1,450.00 0.00 1,450.00",
                           "Total Cash Patients 1 1,450.00 0.00 0.00 1,450.00 0.00 1,450.00",
                           "V-0002 14:00 O'BRIEN, MARY O'NEIL TRADING XR 1 0.00 600.00 0.00 600.00 "
                           "200.00 800.00",
                           "Grand Total 2 1,450.00 600.00 0.00 2,050.00 200.00 2,250.00",
                           "Cash patients 1 1450.00 0.00",
                           "Charge accounts 1 600.00 200.00"}
            << QStringList{"V-0004"};
        // The end of day batch runs no preparation: whatever the department
        // breakdown holds, the row still adds up to its hospital fee.
        QTest::newRow("summary of services without the preparation step")
            << "\\rptDailySummaryOfServices.rpt"
            << "Reports" << QStringList{"sp_reprecomputeextensionoutpatient"}
            << "sp_rep_getcomputedoutpatients" << QVariantList{"02/29/2012"} << none << noValues
            << QStringList{"Out-patient services of 02/29/2012", "220.00 0.00 220.00",
                           "Grand Total 1", "Cash patients 1 220.00 0.00",
                           "Charge accounts 0 0.00 0.00"}
            << QStringList{"V-0001"};

        QTest::newRow("daily discharges")
            << "\\rptDailySummaryOfDischarges.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", kAddress} << none
            << noValues
            << QStringList{"Discharges of 03/15/2012",
                           "A-0003 REYES, ANA 03/01/2012 10:00 03/15/2012 07:00 14 DIED REYES, ANA "
                           "1 20,250.00 1,000.00 21,250.00",
                           "Total Cash Patients 15 2 22,100.00 1,200.00 23,300.00",
                           "Total Charge Accounts 5 1 27,370.00 5,000.00 32,370.00",
                           "Grand Total 20 3 49,470.00 6,200.00 55,670.00"}
            << QStringList{"TAN, LEE"};
        QTest::newRow("discharges by demography")
            << "\\rptDailyDischarges_Demography.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", kAddress} << none
            << noValues
            << QStringList{"Daily Discharges - Demography",
                           "Age 15-44",
                           "A-0002 O'BRIEN, MARY 27 F PORT ELIN SINGLE IMPROVED PNEUMONIA 1 0 1 1",
                           "Total Age 15-44 1 0 1 1",
                           "Age 60 AND OVER",
                           "A-0003 REYES, ANA 72 F BAYVIEW WIDOWED DIED CHRONIC KIDNEY DISEASE 14 "
                           "0 1 1",
                           "A-0001 SMITH, JOHN 61 M PORT ELIN MARRIED RECOVERED ACUTE APPENDICITIS "
                           "5 1 0 1",
                           "Total Age 60 AND OVER 19 1 1 2",
                           "Grand Total 20 1 2 3"}
            << QStringList{"TAN, LEE"};

        // 03/15/2012, all patients: charges 3,650.00 / 400.00, bills
        // 51,520.00 / 6,400.00, payments -13,300.00 / -200.00 (a receipt
        // cancelled by its reversal), one discount -4,050.00.
        const QStringList auditAll{"Transactions of 03/15/2012",
                                   "Total Charges 3,650.00 400.00 4,050.00",
                                   "Total Bills 51,520.00 6,400.00 57,920.00",
                                   "Total Payments -13,300.00 -200.00 -13,500.00",
                                   "PAYMENT (reversal)",
                                   "Total Discounts -4,050.00 0.00 -4,050.00",
                                   "Grand Total 37,820.00 6,600.00 44,420.00"};
        QTest::newRow("audit trail with its subreports")
            << "\\DailyAuditTrail.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", "A", kAddress}
            << QStringList{"Summary", "Doctors"} << QVariantList{"03/15/2012", "A"}
            << auditAll + QStringList{"Daily Audit Trail - Detail",
                                      "Summary by Kind of Transaction",
                                      "Charges 5 3,650.00 400.00 4,050.00",
                                      "Bills 5 51,520.00 6,400.00 57,920.00",
                                      "Payments 5 -13,300.00 -200.00 -13,500.00",
                                      "Discounts 1 -4,050.00 0.00 -4,050.00",
                                      "Total 16 37,820.00 6,600.00 44,420.00",
                                      "Doctors' Fees",
                                      "DR. BEN O'CONNOR O'BRIEN, MARY XR001 200.00",
                                      "Total doctors' fees 400.00"}
            << none;
        QTest::newRow("audit trail, end of day values and no subreports")
            << "\\DailyAuditTrail.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", kAddress} << none
            << noValues << auditAll << QStringList{"Doctors' Fees", "Summary by Kind"};
        QTest::newRow("audit trail, in-patients")
            << "\\DailyAuditTrail.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", "I", kAddress}
            << QStringList{"Doctors"} << QVariantList{"03/15/2012", "I"}
            << QStringList{"Total Charges 1,600.00 200.00 1,800.00",
                           "Total Bills 49,470.00 6,200.00 55,670.00", "Total doctors' fees 200.00"}
            << QStringList{"DELA CRUZ", "O'NEIL TRADING"};
        QTest::newRow("audit summary by A/R")
            << "\\DailyAuditSummaryByAR.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", "A", kAddress} << none
            << noValues
            << QStringList{"Daily Audit Trail - Summary by A/R", "C-001 ACME MINING CORPORATION",
                           "Total C-001 ACME MINING CORPORATION 1 27,370.00 5,000.00 32,370.00",
                           "Total P-0004 REYES, ANA 3 6,200.00 1,000.00 7,200.00",
                           "Grand Total 16 37,820.00 6,600.00 44,420.00"}
            << none;
        QTest::newRow("audit summary by G/L")
            << "\\DailyAuditSummaryByGL.rpt"
            << "Reports" << none << QString() << QVariantList{"03/15/2012", "A", kAddress} << none
            << noValues
            << QStringList{"Daily Audit Trail - Summary by G/L", "Postings of 03/15/2012",
                           "4000 Hospital Service Income", "2100 Doctors' Fees Payable",
                           "5100 Discounts Granted"}
            << none;

        const QVariantList march{"03/01/2012", "03/31/2012", "A", kAddress};
        QTest::newRow("A/R ledger entries in detail")
            << "\\MonthlyEntriesGL.rpt"
            << "Reports" << none << QString() << march << none << noValues
            << QStringList{"A/R General Ledger Entries - Detail",
                           "For the period 03/01/2012 to 03/31/2012",
                           "1100 Accounts Receivable - Patients and Companies",
                           "4000 Hospital Service Income"}
            << QStringList{"10/15/2011", "04/05/2012"};
        QTest::newRow("A/R ledger summary per account")
            << "\\MonthlySummaryGL.rpt"
            << "Reports" << none << QString() << march << none << noValues
            << QStringList{"A/R General Ledger Entries - Summary by A/R",
                           "C-001 ACME MINING CORPORATION"}
            << none;
        QTest::newRow("A/R ledger summary per ledger account")
            << "\\MonthlySummaryARLedger.rpt"
            << "Reports" << none << QString() << march << none << noValues
            << QStringList{"A/R General Ledger Entries - Summary by G/L", "Asset", "Income",
                           "1100 Accounts Receivable - Patients and Companies 19 76,290.00 "
                           "24,550.00 51,740.00",
                           "4000 Hospital Service Income"}
            << none;
        QTest::newRow("breakdown of departmental revenue with its doctors")
            << "\\BreakdownOfDepartmentalRevenue.rpt"
            << "Reports" << none << QString() << march << QStringList{"Doctors"}
            << QVariantList{"03/01/2012", "03/31/2012", "A"}
            << QStringList{"Breakdown of Departmental Revenue",
                           "Laboratory",
                           "LB002 URINALYSIS In 2 240.00 0.00 240.00",
                           "Total Operating Room 1 20,000.00 5,000.00 25,000.00",
                           "Grand Total",
                           "58,390.00 7,200.00 65,590.00",
                           "Doctors' Fees",
                           "D01 DR. ALBA CRUZ 1 5,000.00",
                           "D02 DR. BEN O'CONNOR 3 900.00",
                           "D03 DR. CARLA LIM 2 1,300.00",
                           "Total doctors' fees 6 7,200.00"}
            << QStringList{"Summary by Department", "DELIVERY"};
        QTest::newRow("breakdown with its summary bound")
            << "\\BreakdownOfDepartmentalRevenue.rpt"
            << "Reports" << none << QString() << march << QStringList{"Summary", "Doctors"}
            << QVariantList{"03/01/2012", "03/31/2012", "A"}
            << QStringList{"Summary by Department", "Operating Room 20,000.00 5,000.00 25,000.00",
                           "Total 58,390.00 7,200.00 65,590.00", "Total doctors' fees 6 7,200.00"}
            << none;
    }

    void rendersFixtureFigures() {
        QFETCH(QString, templateName);
        QFETCH(QString, database);
        QFETCH(QStringList, procedures);
        QFETCH(QString, totals);
        QFETCH(QVariantList, values);
        QFETCH(QStringList, subreports);
        QFETCH(QVariantList, bind);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);

        const QString date = values.isEmpty() ? QStringLiteral("03/15/2012") : values[0].toString();
        for (const QString& p : procedures)
            conn_->query(QStringLiteral("SELECT reports.%1(?)").arg(p), {date});
        if (!totals.isEmpty())
            values = summaryValues(*conn_, totals, date);

        QString text;
        try {
            text = render(templateName, database, values, subreports, bind);
        } catch (const Error& e) {
            QFAIL(qPrintable(e.description()));
        }
        QStringList heading{kHospital, "Page 1 of "};
        // The admission logbook is given the date alone, and the end of day
        // batch gives the audit trail no patient type, so its address lands
        // in that field.
        const bool batchAudit = templateName.contains("Audit") && values.size() == 2;
        if (values.size() > 1 && !batchAudit)
            heading << kAddress;
        for (const QString& s : heading + expected)
            QVERIFY2(text.contains(s), qPrintable(QString("missing \"%1\" in:\n%2").arg(s, text)));
        for (const QString& s : absent)
            QVERIFY2(!text.contains(s),
                     qPrintable(QString("unexpected \"%1\" in:\n%2").arg(s, text)));
    }

    // The ledger reports balance: debits equal credits, and the three views
    // of the month's entries agree on both.
    void ledgerReportsBalance() {
        const QVariantList march{"03/01/2012", "03/31/2012", "A", kAddress};
        QStringList grandTotals;
        for (const char* name : {"\\MonthlyEntriesGL.rpt", "\\MonthlySummaryGL.rpt",
                                 "\\MonthlySummaryARLedger.rpt", "\\DailyAuditSummaryByGL.rpt"}) {
            const bool daily = QString(name).contains("Daily");
            OpenReport(session().ReportsFolder + name, "Reports",
                       daily ? QVariantList{"03/15/2012", "A", kAddress} : march);
            const QString pdf = dir_.filePath("ledger.pdf");
            session().CurrentReport->exportTo(pdf, FormatPdf);
            const QString text = pdfText(pdf).simplified();
            const auto m =
                QRegularExpression(R"(Grand Total (?:[\d,]+ )?([-\d,]+\.\d\d) ([-\d,]+\.\d\d))")
                    .match(text);
            QVERIFY2(m.hasMatch(), qPrintable(text));
            QCOMPARE(m.captured(1), m.captured(2));
            QVERIFY2(m.captured(1) != "0.00", qPrintable(text));
            if (!daily)
                grandTotals << m.captured(1);
        }
        QCOMPARE(grandTotals.size(), 3);
        QCOMPARE(grandTotals[1], grandTotals[0]);
        QCOMPARE(grandTotals[2], grandTotals[0]);
    }

    // The payment summary's export preset writes the .xls on the common
    // desktop, and the sheet holds the report's rows and totals.
    void presetExportWritesTheSameRows() {
        const QString home = dir_.filePath("home");
        QVERIFY(QDir().mkpath(home + "/Desktop"));
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/config").toUtf8());

        OpenReport(session().ReportsFolder + "\\PaymentSummary.rpt", "Reports",
                   {"03/15/2012", kAddress});
        auto report = session().CurrentReport;
        ExportOptions& options = report->GetExportOptions();
        options.SetExportFileName("C:\\Documents and Settings\\All Users\\Desktop\\Payment Summary "
                                  "Report 03-15-2012.xls");
        options.SetExportDestination(1);
        options.SetExportFormat(29);
        report->ExportReport(false);

        const QString xls = home + "/Desktop/Payment Summary Report 03-15-2012.xls";
        QVERIFY2(QFile::exists(xls), qPrintable(xls));
        QStringList rows;
        for (const QString& line : xlsRows(xls))
            rows << line.section('|', 2); // without the sheet and row number
        const QStringList expected{
            "T:" + kHospital,
            "T:" + kAddress,
            "T:Payment Summary Report",
            "T:Receipts of 03/15/2012",
            "T:Receipt No.|T:Time|T:Section|T:Department|T:Received From|T:Mode|T:Amount",
            "T:Cashier: JANE DOE",
            "T:RC-0002|T:11:00|T:Hospital|T:In-Patient Billing|T:REYES, ANA|T:CASH|N:10000.0",
            "T:RC-0001|T:16:30|T:Hospital|T:In-Patient Billing|T:O'BRIEN, MARY|T:CASH|N:2050.0",
            "T:RC-0009|T:16:35|T:Hospital|T:In-Patient Billing|T:O'BRIEN, MARY|T:CASH|N:100.0",
            "T:RC-0010|T:16:40|T:Hospital|T:In-Patient Billing|T:O'BRIEN, MARY|T:CASH|N:-100.0",
            "T:Total Cashier: JANE DOE||||||N:12050.0",
            "T:Cashier: MARK ROE",
            "T:RC-0004|T:10:00|T:Multi Diagnostic|T:Laboratory|T:DELA CRUZ, JUAN|T:CASH|N:1450.0",
            "T:Total Cashier: MARK ROE||||||N:1450.0",
            "T:Grand Total||||||N:13500.0",
        };
        QCOMPARE(rows, expected);
    }
};

QTEST_MAIN(DailyTemplatesTest)
#include "tst_e2e_daily_templates.moc"
