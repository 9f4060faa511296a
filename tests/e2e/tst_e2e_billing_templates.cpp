// The account status, aging and period report templates end to end: each run
// starts with the procedure its dialog runs, opens the product template on
// the dialog's database with the dialog's values in order, binds the
// subreport the dialog binds, and renders a PDF whose text must carry the
// figures of the hospital fixture (tests/fixtures/10_hospital_data.sql).

#include "../engine/EngineFixture.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "platform/sql/SqlConnection.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;
using namespace pelmar::test;

namespace {

const QString kAddress = QStringLiteral("12 Harbour Road, Port Elin");

struct TemplateCase {
    const char* name;
    QString procedure; // run first as the signed-in member, "" for none
    QVariantList procedureArgs;
    QString templateName;
    QString database;
    QVariantList values;
    QString subreport;    // bound on the same database with the same values
    QStringList expected; // in this order in the page text, blanks folded
    QStringList absent;
};

const QString kAgingAll = QStringLiteral("SELECT billing.sp_billing_repagingrecompute(?, ?)");
const QVariantList kMarch{QStringLiteral("03/01/2012"), QStringLiteral("03/31/2012")};
const QVariantList kMarchValues{QStringLiteral("03/01/2012"), QStringLiteral("03/31/2012"),
                                kAddress};

QVariantList with(QVariantList list, const QVariant& more) {
    list << more;
    return list;
}

const QList<TemplateCase>& cases() {
    static const QList<TemplateCase> all{
        // In the hospital on 03/14/2012: A-0001 32,370.00, A-0003 21,250.00,
        // A-0002 250.00 (its 03/15 charges come after the date).  A-0005 left
        // on 03/02, A-0004 and A-0006 came later.
        {"account status by balance",
         {},
         {},
         "PatientsAccountStatusReportByBalance.rpt",
         "BILLING",
         {kAddress, "03/14/2012"},
         {},
         {"Patient's Account Status Report", "Sorted by Balance, as of 03/14/2012",
          "A-0001 SMITH, JOHN ST1 ACME MINING CORPORATION 100,000.00 32,370.00 0.00 0.00 32,370.00",
          "A-0003 REYES, ANA ST2 REYES, ANA 0.00 21,250.00 0.00 0.00 21,250.00",
          "A-0002 O'BRIEN, MARY ST1 O'BRIEN, MARY 0.00 250.00 0.00 0.00 250.00",
          "Grand Total 53,870.00 0.00 0.00 53,870.00", "Patients in the hospital: 3"},
         {"A-0004", "A-0005", "A-0006"}},
        {"account status by name",
         {},
         {},
         "PatientsAccountStatusReportByName.rpt",
         "BILLING",
         {kAddress, "03/14/2012"},
         {},
         {"Sorted by Name, as of 03/14/2012", "A-0002 O'BRIEN, MARY", "A-0003 REYES, ANA",
          "A-0001 SMITH, JOHN", "Grand Total 53,870.00 0.00 0.00 53,870.00"},
         {"A-0005"}},
        // Nobody is in on 02/26/2012: the report still carries its zero totals.
        {"account status of an empty hospital",
         {},
         {},
         "PatientsAccountStatusReportByBalance.rpt",
         "BILLING",
         {kAddress, "02/26/2012"},
         {},
         {"Sorted by Balance, as of 02/26/2012", "Grand Total 0.00 0.00 0.00 0.00",
          "Patients in the hospital: 0"},
         {"A-000"}},
        // On 03/01/2012 A-0005 (charged from 02/27) and A-0003 (admitted that day).
        {"account status by account limit",
         {},
         {},
         "PatientsAccountStatusReportByAccountLimit.rpt",
         "BILLING",
         {kAddress, "03/01/2012"},
         {},
         {"Sorted by Account Limit, as of 03/01/2012",
          "A-0005 DELA CRUZ, JUAN MEDICARE HEALTH PLAN 500,000.00 15,370.00 0.00 0.00 15,370.00 "
          "0.00",
          "A-0003 REYES, ANA REYES, ANA 0.00 14,000.00 0.00 0.00 14,000.00 0.00",
          "Grand Total 29,370.00 0.00 0.00 29,370.00 0.00"},
         {"A-0001", "A-0002"}},
        {"account status by station",
         {},
         {},
         "PatientsAccountStatusReportByStation.rpt",
         "BILLING",
         {kAddress, "03/14/2012"},
         {},
         {"Sorted by Station, as of 03/14/2012", "Station ST1", "A-0002 O'BRIEN, MARY",
          "A-0001 SMITH, JOHN", "Total Station ST1 32,620.00 0.00 0.00 32,620.00", "Station ST2",
          "A-0003 REYES, ANA", "Total Station ST2 21,250.00 0.00 0.00 21,250.00",
          "Grand Total 53,870.00 0.00 0.00 53,870.00"},
         {}},

        // Receivables of 03/31/2012 from 03/01/2012, columns: beginning,
        // billed, paid, adjusted, balance, current, 1-30, 31-60, 61-90,
        // 91-120, over 120.  B-0001's write-off and its reversal net to 0.
        {"aging by class, detailed",
         "SELECT billing.sp_billing_repagingrecomputeclass(?, ?, ?)",
         with(kMarch, "02"),
         "AgingComputationClassDetailed.rpt",
         "Billing",
         kMarchValues,
         {},
         {"Aging Analysis by Class - Detailed", "For the period 03/01/2012 to 03/31/2012",
          "All accounts at net; class 02", "02 Corporate Accounts", "C-001 ACME MINING CORPORATION",
          "B-0010 10/15/2011 138 5,000.00 0.00 0.00 0.00 5,000.00 0.00 0.00 0.00 0.00 "
          "0.00 5,000.00",
          "B-0001 SMITH, JOHN 03/15/2012 0 0.00 32,370.00 0.00 0.00 32,370.00 32,370.00",
          "Total C-001 ACME MINING CORPORATION 5,000.00 32,370.00 0.00 0.00 "
          "37,370.00 32,370.00",
          "C-002 O'NEIL TRADING", "B-0007 O'BRIEN, MARY",
          "Total 02 Corporate Accounts 5,000.00 33,170.00 0.00 0.00 38,170.00 33,170.00 0.00 0.00 "
          "0.00 0.00 5,000.00",
          "Grand Total 5,000.00 33,170.00 0.00 0.00 38,170.00 33,170.00 0.00 0.00 0.00 0.00 "
          "5,000.00"},
         {"B-0005", "H-001", "B-0003"}},
        // Class 02, only the bills dated in period 6 (March 2012): B-0010 of
        // October 2011 drops out.
        {"aging by class, summary, one period",
         "SELECT billing.sp_billing_repagingrecomputeclassperiod(?, ?, ?, ?)",
         with(with(kMarch, "02"), 6),
         "AgingComputationClassSummary.rpt",
         "Billing",
         kMarchValues,
         {},
         {"Aging Analysis by Class - Summary",
          "All accounts at net; class 02; bills dated in accounting period 6",
          "C-001 ACME MINING CORPORATION 30 0.00 32,370.00 0.00 0.00 32,370.00 32,370.00",
          "C-002 O'NEIL TRADING 30 0.00 800.00 0.00 0.00 800.00 800.00",
          "Grand Total 0.00 33,170.00 0.00 0.00 33,170.00 33,170.00 0.00 0.00 0.00 0.00 0.00"},
         {"B-0010", "H-001"}},
        {"aging of one account",
         "SELECT billing.sp_billing_repagingrecomputeaccountnum(?, ?, ?)",
         with(kMarch, "C-001"),
         "AgingComputationAccountNum.rpt",
         "Billing",
         kMarchValues,
         {},
         {"Aging Analysis by Account", "All accounts at net; account C-001",
          "C-001 ACME MINING CORPORATION Corporate Accounts; terms 30 days Credit limit 100,000.00",
          "B-0010", "B-0001",
          "Grand Total 5,000.00 32,370.00 0.00 0.00 37,370.00 32,370.00 0.00 0.00 0.00 0.00 "
          "5,000.00"},
         {"C-002", "B-0007"}},
        // Every account at net: 56,240.00, the balance of the control account.
        {"aging summary with classification",
         kAgingAll,
         kMarch,
         "AgingComputationDateRange.rpt",
         "Billing",
         kMarchValues,
         "Classification",
         {"Aging Analysis Summary", "All accounts at net", "01 Self-Paying Patients",
          "P-0004 REYES, ANA 0 0.00 21,250.00 -10,000.00 -4,050.00 7,200.00 0.00 7,200.00",
          "04 Government Agencies",
          "G-001 CITY GOVERNMENT OF PORT ELIN 30 -500.00 0.00 0.00 0.00 -500.00 0.00 0.00 -500.00",
          "Grand Total 4,500.00 70,790.00 -15,000.00 -4,050.00 56,240.00 43,540.00 8,200.00 "
          "-500.00 0.00 0.00 5,000.00",
          "Summary by Classification", "01 Self-Paying Patients 2 8,200.00 0.00 8,200.00",
          "02 Corporate Accounts 2 38,170.00 33,170.00 0.00 0.00 0.00 0.00 5,000.00 67.87%",
          "03 Health Maintenance Organizations 1 10,370.00", "04 Government Agencies 1 -500.00",
          "Total 6 56,240.00 43,540.00 8,200.00 -500.00 0.00 0.00 5,000.00"},
         {"Accounts with positive balances"}},
        {"aging summary of one period",
         "SELECT billing.sp_billing_repagingrecomputeperiod(?, ?, ?)",
         with(kMarch, 6),
         "AgingComputationDateRange.rpt",
         "Billing",
         kMarchValues,
         "Classification",
         {"All accounts at net; bills dated in accounting period 6", "Grand Total", "51,740.00",
          "Summary by Classification", "Total 5 51,740.00"},
         {"G-001", "-500.00"}},
        // Positive balances only (G-001 in credit is left out); B-0010 is
        // 138 days overdue at 12 % a year: 226.85.
        {"aging with interest income",
         "SELECT reports.sp_billing_repagingrecompute(?, ?, ?)",
         with(kMarch, "P"),
         "AgingComputationInterestIncome.rpt",
         "REPORTS",
         kMarchValues,
         "Classification",
         {"Aging Computation with Interest Income", "Accounts with positive balances",
          "C-001 ACME MINING CORPORATION 30 12.00 37,370.00 32,370.00 0.00 0.00 0.00 0.00 5,000.00 "
          "226.85",
          "Grand Total 56,740.00 43,540.00 8,200.00 0.00 0.00 0.00 5,000.00 226.85",
          "Summary by Classification",
          "Total 5 56,740.00 43,540.00 8,200.00 0.00 0.00 0.00 5,000.00 226.85"},
         {"G-001", "-500.00"}},

        // March 2012: 31 days, 4 active beds.
        {"hospital statistics",
         "SELECT patient_data.sp_adm_statistics(?, ?)",
         kMarch,
         "Statistics_BRV.rpt",
         "Reports",
         {"for the period 03/01/2012 to 03/31/2012", "Hospital Statistical Report", 31},
         {},
         {"Hospital Statistical Report", "for the period 03/01/2012 to 03/31/2012 (31 days)",
          "Days in the period 31", "Active beds 4", "Admissions 5",
          "Discharges (deaths included) 5", "Deaths 2", "within 48 hours of admission 1",
          "after 48 hours 1", "In-patient service days (midnight census and same-day stays) 24",
          "Days of stay of the discharges 25", "Out-patient visits 3",
          "Average daily census service days / days 24 / 31 0.77",
          "Bed occupancy rate service days / (beds x days) x 100 24 / (4 x 31) 19.35%",
          "Average length of stay days of stay / discharges 25 / 5 5.00",
          "Gross death rate deaths / discharges x 100 2 / 5 40.00%", "1 / (5 - 1) 25.00%",
          "Figures of the run for 03/01/2012 to 03/31/2012"},
         {}},

        // The end value carries the time of day: the discount entered at
        // 09:10 on 03/15 counts although the period ends that day.
        {"adjustments of one day",
         {},
         {},
         "DailyAdjustment_New.rpt",
         "Reports",
         {kAddress, "03/15/2012", "03/15/2012 23:59:59.99"},
         {},
         {"Daily Adjustment Report", "Entered from 03/15/2012 to 03/15/2012 23:59:59.99",
          "Senior Citizen Discount",
          "03/15/2012 09:10 B-0003 REYES, ANA REYES, ANA SENIOR CITIZEN 20% BILLING A 4,050.00 "
          "0.00 4,050.00",
          "Grand Total 4,050.00 0.00 4,050.00", "Entries: 1"},
         {"B-0009", "Write-off"}},
        // A write-off and its reversal cancel out.
        {"adjustments of two days",
         {},
         {},
         "DailyAdjustment_New.rpt",
         "Reports",
         {kAddress, "03/15/2012", "03/16/2012 23:59:59.99"},
         {},
         {"Senior Citizen Discount", "B-0003", "B-0009",
          "Total Senior Citizen Discount 4,350.00 0.00 4,350.00", "Write-off",
          "WRITE-OFF BILLING A 100.00 0.00 100.00",
          "WRITE-OFF ENTERED IN ERROR BILLING A -100.00 0.00 -100.00",
          "Total Write-off 0.00 0.00 0.00", "Grand Total 4,350.00 0.00 4,350.00", "Entries: 4"},
         {}},

        {"list of admissions",
         {},
         {},
         "AdmissionList.rpt",
         "Reports",
         kMarchValues,
         {},
         {"List of Admissions", "For the period 03/01/2012 to 03/31/2012",
          "A-0003 03/01/2012 10:00 HN-0004 REYES, ANA 72 F SECOND FLOOR PRIVATE 201-A DR. CARLA "
          "LIM REGULAR CHRONIC KIDNEY DISEASE",
          "A-0001", "A-0002", "A-0004", "A-0006 03/30/2012 15:00", "Patients admitted: 5"},
         {"A-0005"}},

        // Gross less the senior discount is the net: 55,420.00 - 4,350.00.
        {"senior citizen income",
         {},
         {},
         "SeniorCitizenIncomeReport.rpt",
         "Reports",
         {"03/01/2012", "03/31/2012", "", "", kAddress},
         {},
         {"Senior Citizen Income Report", "In-Patients",
          "B-0001 03/15/2012 HN-0001 SMITH, JOHN SC-1001 27,370.00 5,000.00 32,370.00 0.00 "
          "32,370.00",
          "B-0003 03/15/2012 HN-0004 REYES, ANA SC-1002 20,250.00 1,000.00 21,250.00 4,050.00 "
          "17,200.00",
          "Total In-Patients 47,620.00 6,000.00 53,620.00 4,050.00 49,570.00", "Out-Patients",
          "B-0009 03/16/2012 HN-0004 REYES, ANA SC-1002 1,500.00 300.00 1,800.00 300.00 1,500.00",
          "Grand Total 49,120.00 6,300.00 55,420.00 4,350.00 51,070.00",
          "Prepared by:", "Checked by:"},
         {"O'BRIEN"}},

        {"summary of sales",
         {},
         {},
         "rptSummaryListOfSales.rpt",
         "Reports",
         {"02/01/2012", "03/31/2012", "", "", kAddress},
         {},
         {"Quarterly Summary of Sales", "For the period 02/01/2012 to 03/31/2012",
          "2012, Quarter 1", "February 2012",
          "DR Delivery Room 8,000.00 0.00 8,000.00 3,000.00 11,000.00",
          "LB Laboratory 250.00 120.00 370.00 0.00 370.00",
          "Total February 2012 12,250.00 220.00 12,470.00 3,000.00 15,470.00", "March 2012",
          "LB Laboratory 1,240.00 1,450.00 2,690.00 0.00 2,690.00",
          "Total March 2012 54,840.00 3,550.00 58,390.00 7,200.00 65,590.00",
          "Total 2012, Quarter 1 67,090.00 3,770.00 70,860.00 10,200.00 81,060.00",
          "Grand Total 67,090.00 3,770.00 70,860.00 10,200.00 81,060.00"},
         {"April"}},
    };
    return all;
}

} // namespace

class BillingTemplatesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<SqlConnection> conn_;

    QString reportsFolder() const {
        return qEnvironmentVariable("PELMAR_SOURCE_DIR") + "\\REPORTS";
    }

    // Opens the template as its dialog does and returns the rendered text.
    QString render(const TemplateCase& c, const QString& pdf) {
        if (!c.procedure.isEmpty())
            conn_->query(c.procedure, c.procedureArgs);
        OpenReport(reportsFolder() + "\\" + c.templateName, c.database, c.values);
        if (!c.subreport.isEmpty())
            OpenSubreport(c.subreport, c.database, c.values);
        session().CurrentReport->exportTo(pdf, FormatPdf);
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
        session().CompanyName = "St. Brigid's Test Hospital";
    }

    void rendersFixtureFigures_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < cases().size(); ++i)
            QTest::newRow(cases()[i].name) << i;
    }

    void rendersFixtureFigures() {
        QFETCH(int, index);
        const TemplateCase& c = cases()[index];
        QString text;
        try {
            text = render(c, dir_.filePath(QStringLiteral("case%1.pdf").arg(index)));
        } catch (const Error& e) {
            QFAIL(qPrintable(e.description()));
        }
        // pdftotext spaces the figures of a division as it likes ("2 / 5" or "2/5").
        static const QRegularExpression slash(QStringLiteral("\\s*/\\s*"));
        const auto fold = [](QString s) {
            return s.simplified().replace(slash, QStringLiteral("/"));
        };
        const QString flat = fold(text);

        // Every page names the hospital and numbers itself.
        QStringList expected{"St. Brigid's Test Hospital", kAddress};
        expected << c.expected << "Page 1 of 1";
        qsizetype from = 0;
        for (const QString& s : expected) {
            const qsizetype at = flat.indexOf(fold(s), from);
            QVERIFY2(
                at >= 0,
                qPrintable(QStringLiteral("\"%1\" missing or out of order in:\n%2").arg(s, text)));
            from = at + fold(s).size();
        }
        for (const QString& s : c.absent)
            QVERIFY2(!flat.contains(fold(s)),
                     qPrintable(QStringLiteral("\"%1\" should not show in:\n%2").arg(s, text)));
    }

    // The spreadsheet keeps numbers as numbers, the class groups with their
    // totals, and the grand total of the aging at net.
    void agingSummaryExportsToXls() {
        const TemplateCase c{
            "xls",     kAgingAll,    kMarch,           "AgingComputationDateRange.rpt",
            "Billing", kMarchValues, "Classification", {},
            {}};
        conn_->query(c.procedure, c.procedureArgs);
        OpenReport(reportsFolder() + "\\" + c.templateName, c.database, c.values);
        OpenSubreport(c.subreport, c.database, c.values);
        const QString xls = dir_.filePath("aging.xls");
        session().CurrentReport->exportTo(xls, FormatExcel);
        const QString rows = xlsRows(xls).join('\n');
        for (const char* s :
             {"|T:Account|T:Account "
              "Name|T:Terms|T:Beginning|T:Billed|T:Paid|T:Adjusted|T:Balance|T:Current|"
              "T:1-30 Days|T:31-60 Days|T:61-90 Days|T:91-120 Days|T:Over 120",
              "|T:02  Corporate Accounts",
              "|T:C-001|T:ACME MINING "
              "CORPORATION|N:30.0|N:5000.0|N:32370.0|N:0.0|N:0.0|N:37370.0|N:32370.0|N:0.0|"
              "N:0.0|N:0.0|N:0.0|N:5000.0",
              "|T:Total 02  Corporate Accounts|",
              "|T:Grand "
              "Total|||N:4500.0|N:70790.0|N:-15000.0|N:-4050.0|N:56240.0|N:43540.0|N:8200.0|N:-500."
              "0|"
              "N:0.0|N:0.0|N:5000.0"})
            QVERIFY2(rows.contains(QString::fromUtf8(s)), qPrintable(QString(s) + "\n" + rows));
    }
};

QTEST_MAIN(BillingTemplatesTest)
#include "tst_e2e_billing_templates.moc"
