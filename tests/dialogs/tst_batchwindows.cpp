#include "RecordingReports.h"
#include "RecordingStatements.h"
#include "Transcript.h"
#include "UiDriver.h"
#include "dialogs/ReportDialogs.h"
#include "dialogs/daily/FrmEndOfDay.h"
#include "dialogs/monthly/FrmReportAfterEOM.h"
#include "dialogs/monthly/FrmReportBeforeEOM.h"
#include "dialogs/monthly/FrmReportYearEnd.h"
#include "platform/engine/Report.h"
#include "shell/MdiReportForm.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

namespace {

const QString kFolder = "/opt/pelmar\\REPORTS";

// The viewer captions with their print flags, in the order shown.
QStringList shownCaptions(const RecordingReports& reports) {
    QStringList captions;
    for (const auto& s : reports.shown)
        captions << s.caption + (s.directPrint ? " (printed)" : "");
    return captions;
}

// Fails one call of one template, wherever it comes in the run.
class FailingAt : public RecordingReports {
public:
    QString templateSuffix, call, description;

    void OpenReport(const QString& templatePath, const QString& databaseName,
                    const QVariantList& parameterValues) override {
        if (call == "OpenReport" && templatePath.endsWith(templateSuffix))
            failNext(call, description);
        RecordingReports::OpenReport(templatePath, databaseName, parameterValues);
    }
    void ShowReport(bool showGroupTree, const QString& caption, bool directPrint,
                    bool modal) override {
        if (call == "ShowReport" && session().CurrentReport &&
            session().CurrentReport->templatePath().endsWith(templateSuffix))
            failNext(call, description);
        RecordingReports::ShowReport(showGroupTree, caption, directPrint, modal);
    }
};

void tick(BatchWindow* window, const QList<int>& boxes) {
    for (int index : boxes)
        QTest::mouseClick(window->box(index), Qt::LeftButton);
}

} // namespace

class BatchWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void toolbarOpensEachWindow();
    void tickedCountFollowsTheBoxes_data();
    void tickedCountFollowsTheBoxes();
    void endOfDayViewAll();
    void endOfDayPrintShowsTheSummaries();
    void failureInTheMiddleStopsAndKeepsTheWindow_data();
    void failureInTheMiddleStopsAndKeepsTheWindow();
    void nothingTickedClosesWithoutRunning();
    void beforeEomRunsStatementsTwiceAndModal();
    void afterEomOrderAndBoxEight();
    void yearEndOrderAndYear();
};

void BatchWindowsTest::initTestCase() {
    registerReportDialogs();
}

void BatchWindowsTest::init() {
    session().ReportsFolder = kFolder;
    session().CompanyAddress = "12 Harbour Road";
    session().CompanyName = "Harbour General";
    session().ServerDate = QDateTime(QDate(2012, 3, 15), QTime(9, 30));
}

void BatchWindowsTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReportDialog*>(w))
            w->close();
    }
    QTest::qWait(0);
    session().CurrentReport.reset();
}

void BatchWindowsTest::toolbarOpensEachWindow() {
    MdiReportForm main;
    const QList<std::pair<QString, QString>> keys{
        {"EndOfDay", "End Of Day Reports"},
        {"BeforeEOM", "End of the Month Reports (Before EOM)"},
        {"AfterEOM", "End of Month (After EOM)"},
        {"EndOfYear", "Year End Reports"}};
    for (const auto& [key, caption] : keys) {
        main.toolbarButtonClick(key);
        BatchWindow* found = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* b = qobject_cast<BatchWindow*>(w);
                b && b->isVisible() && b->windowTitle() == caption)
                found = b;
        }
        QVERIFY2(found, qPrintable(key));
        QCOMPARE(found->TickedCount(), qint16(0));
        QVERIFY(!found->runButton(0)->isEnabled());
        QVERIFY(!found->runButton(1)->isEnabled());
        QCOMPARE(found->picker()->maximumDate(), QDate(2012, 3, 15));
        QCOMPARE(found->picker()->date(),
                 key == "BeforeEOM" || key == "AfterEOM" ? QDate(2012, 3, 1) : QDate(2012, 3, 15));
        found->close();
    }
}

void BatchWindowsTest::tickedCountFollowsTheBoxes_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("boxes");
    QTest::newRow("end of day") << "EndOfDay" << 13;
    QTest::newRow("before EOM") << "BeforeEOM" << 5;
    QTest::newRow("after EOM, disabled box 8 included") << "AfterEOM" << 18;
    QTest::newRow("year end") << "EndOfYear" << 9;
}

void BatchWindowsTest::tickedCountFollowsTheBoxes() {
    QFETCH(QString, window);
    QFETCH(int, boxes);
    BatchWindow* w = nullptr;
    if (window == "EndOfDay")
        w = ReportDialog::open<FrmEndOfDay>();
    else if (window == "BeforeEOM")
        w = ReportDialog::open<FrmReportBeforeEOM>();
    else if (window == "AfterEOM")
        w = ReportDialog::open<FrmReportAfterEOM>();
    else
        w = ReportDialog::open<FrmReportYearEnd>();
    QCOMPARE(w->boxCount(), boxes);

    // Three ticked and unticked again: nothing to run.
    tick(w, {0, 1, 2});
    QCOMPARE(w->TickedCount(), qint16(3));
    QVERIFY(w->runButton(0)->isEnabled() && w->runButton(1)->isEnabled());
    tick(w, {2, 0, 1});
    QCOMPARE(w->TickedCount(), qint16(0));
    QVERIFY(!w->runButton(0)->isEnabled() && !w->runButton(1)->isEnabled());

    tick(w, {1});
    QTest::mouseClick(w->selectAllButton(), Qt::LeftButton);
    QCOMPARE(w->TickedCount(), qint16(boxes));
    for (int i = 0; i < boxes; ++i)
        QVERIFY(w->box(i)->isChecked());
    // Unticked one by one: the buttons stay until the last.
    for (int i = 0; i < boxes; ++i) {
        QVERIFY(w->runButton(1)->isEnabled());
        w->box(i)->setChecked(false);
    }
    QCOMPARE(w->TickedCount(), qint16(0));
    QVERIFY(!w->runButton(0)->isEnabled() && !w->runButton(1)->isEnabled());
}

void BatchWindowsTest::endOfDayViewAll() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_GetComputedOutPatients",
              rowSet({"TotalPatientCharge", "TotalHospCharge", "TotalProfCharge",
                      "TotalPatientCash", "TotalHospCash", "TotalProfCash"},
                     {{5, 800.0, 120.0, 4, 600.0, 90.0}}));
    RecordingReports reports;
    auto* w = ReportDialog::open<FrmEndOfDay>();
    QPointer<FrmEndOfDay> alive(w);
    w->picker()->setDate(QDate(2012, 3, 14));
    w->cmdSelectAll_Click();
    QTest::mouseClick(w->runButton(1), Qt::LeftButton);
    // The services summary alone recomputes, without the preparation step.
    QCOMPARE(db.statements,
             QStringList({"Reports..sp_RepRecomputeExtensionOutPatient  '03/14/2012'",
                          "Reports..sp_Rep_GetComputedOutPatients '03/14/2012'"}));
    const QString d = "03/14/2012";
    const QString expected =
        "progress on\n"
        "open \\rptDailySummaryOfDischarges.rpt on Reports [03/14/2012|12 Harbour Road]\n"
        "show \"Daily Summary Of Discharges\" tree=0 print=0 modal=0\n"
        "progress off\n"
        "progress on\n"
        "open \\rptDailySummaryOfServices.rpt on Reports [03/14/2012|03/14/2012|12 Harbour Road|"
        "4|5|600|800|90|120]\n"
        "show \"Daily Summary Of Services\" tree=0 print=0 modal=0\n"
        "progress off\n"
        "open \\DailyAdmissionLogbook.rpt on Reports [03/14/2012]\n"
        "show \"Daily Admission Logbook\" tree=0 print=0 modal=0\n"
        "open \\rptDailyOPDLogBook.rpt on Reports [03/14/2012|12 Harbour Road|"
        "Daily OPD Registration LogBook|03/14/2012]\n"
        "show \"Daily OPD Registration LogBook: 03/14/2012\" tree=0 print=0 modal=0\n"
        "open \\rptDailyReports.rpt on Reports [03/14/2012|03/14/2012|LB|12 Harbour Road|"
        "Daily Laboratory Examination Logbook|03/14/2012]\n"
        "show \"Daily Laboratory Examination Logbook: 03/14/2012\" tree=0 print=0 modal=0\n"
        "open \\rptDailyReports.rpt on Reports [03/14/2012|03/14/2012|XR|12 Harbour Road|"
        "Daily X-Ray Examination Logbook|03/14/2012]\n"
        "show \"Daily X-Ray Examination Logbook: 03/14/2012\" tree=0 print=0 modal=0\n"
        "open \\rptDailyReports.rpt on Reports [03/14/2012|03/14/2012|US|12 Harbour Road|"
        "Daily Ultrasound Examination Logbook|03/14/2012]\n"
        "show \"Daily Ultrasound Examination Logbook: 03/14/2012\" tree=0 print=0 modal=0\n"
        "open \\DailyAuditTrail.rpt on Reports [03/14/2012|A|12 Harbour Road]\n"
        "show \"Daily Audit Trail - Detailed\" tree=1 print=0 modal=0\n"
        "open \\DailyAuditSummaryByAR.rpt on Reports [03/14/2012|A|12 Harbour Road]\n"
        "show \"Daily Audit Trail - Summary by AR\" tree=0 print=0 modal=0\n"
        "open \\DailyAuditSummaryByGL.rpt on Reports [03/14/2012|A|12 Harbour Road]\n"
        "show \"Daily Audit Trail - Summary by GL\" tree=0 print=0 modal=0\n"
        "open \\rptDailyReports.rpt on Reports [03/14/2012|03/14/2012|CT|12 Harbour Road|"
        "Daily CT Scan Examination Logbook|03/14/2012]\n"
        "show \"Daily CT Scan Examination Logbook: 03/14/2012\" tree=0 print=0 modal=0\n"
        "open \\rptDailyDischarges_Demography.rpt on Reports [03/14/2012|12 Harbour Road]\n"
        "show \"Daily Discharges - Demography: 03/14/2012\" tree=0 print=0 modal=0\n"
        "open \\DailyAdjustment.rpt on Reports [03/14/2012|12 Harbour Road]\n"
        "show \"Daily Adjustment Report 03/14/2012\" tree=0 print=0 modal=0";
    QCOMPARE(reportTranscript(reports, kFolder), expected);
    QTRY_VERIFY(!alive);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void BatchWindowsTest::endOfDayPrintShowsTheSummaries() {
    RecordingStatements db;
    RecordingReports reports;
    auto* w = ReportDialog::open<FrmEndOfDay>();
    tick(w, {4, 2, 1, 0});
    QTest::mouseClick(w->runButton(0), Qt::LeftButton);
    QCOMPARE(shownCaptions(reports),
             QStringList({"Daily Summary Of Discharges", "Daily Summary Of Services",
                          "Daily Admission Logbook (printed)",
                          "Daily Laboratory Examination Logbook: 03/15/2012 (printed)"}));
}

void BatchWindowsTest::failureInTheMiddleStopsAndKeepsTheWindow_data() {
    QTest::addColumn<QString>("failingCall");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("missing admission logbook, View")
        << "OpenReport" << 1
        << "The template /opt/pelmar/REPORTS/DailyAdmissionLogbook.rpt does not exist."
        << QStringList{"Daily Summary Of Discharges"};
    QTest::newRow("Print without a printer")
        << "ShowReport" << 0 << "No printer is installed. Add a printer, then print again."
        << QStringList{"Daily Summary Of Discharges"};
}

// Box 2 fails after box 0 has been shown; boxes 3 and 8 never run.
void BatchWindowsTest::failureInTheMiddleStopsAndKeepsTheWindow() {
    QFETCH(QString, failingCall);
    QFETCH(int, button);
    QFETCH(QString, description);
    QFETCH(QStringList, captions);
    RecordingStatements db;
    FailingAt reports;
    reports.templateSuffix = "\\DailyAdmissionLogbook.rpt";
    reports.call = failingCall;
    reports.description = description;
    auto* w = ReportDialog::open<FrmEndOfDay>();
    tick(w, {8, 3, 2, 0});
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    QTest::mouseClick(w->runButton(button), Qt::LeftButton);
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, description);
    QCOMPARE(seen.title, QString("Pelmar - Reports"));
    QCOMPARE(shownCaptions(reports), captions);
    QCOMPARE(reports.opened.size(), failingCall == "OpenReport" ? 1 : 2);
    QVERIFY(w->isVisible());
    QCOMPARE(w->TickedCount(), qint16(4));
    QVERIFY(!reports.progressWindowOpen);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // Once the cause is mended the same ticks run to the end and close it.
    reports.call.clear();
    reports.clear();
    QPointer<FrmEndOfDay> alive(w);
    w->cmdOK_Click(button);
    QCOMPARE(reports.shown.size(), 4);
    QTRY_VERIFY(!alive);
}

void BatchWindowsTest::nothingTickedClosesWithoutRunning() {
    RecordingStatements db;
    RecordingReports reports;
    for (int round = 0; round < 2; ++round) {
        BatchWindow* w = round == 0 ? static_cast<BatchWindow*>(ReportDialog::open<FrmEndOfDay>())
                                    : ReportDialog::open<FrmReportBeforeEOM>();
        QPointer<BatchWindow> alive(w);
        if (round == 1)
            tick(w, {0}); // the account status box runs nothing
        w->cmdOK_Click(1);
        QTRY_VERIFY(!alive);
    }
    QVERIFY(db.statements.isEmpty());
    QVERIFY(reports.calls.isEmpty());
}

void BatchWindowsTest::beforeEomRunsStatementsTwiceAndModal() {
    RecordingStatements db;
    RecordingReports reports;
    auto* w = ReportDialog::open<FrmReportBeforeEOM>();
    w->picker()->setDate(QDate(2012, 2, 1));
    tick(w, {4, 2, 3, 1});
    QTest::mouseClick(w->runButton(0), Qt::LeftButton);
    const QString aging = "REPORTS..sp_BILLING_RepAgingRecompute '02/01/2012', '02/29/2012'";
    const QString payable =
        "REPORTS..sp_BILLING_RepAgingPayableRecompute '02/01/2012', '02/29/2012'";
    QCOMPARE(db.statements, QStringList({aging, aging, payable, payable}));
    QCOMPARE(
        reportTranscript(reports, kFolder),
        QString("open \\Aging.rpt on REPORTS [02/01/2012|02/29/2012|12 Harbour Road]\n"
                "show \"Aging\" tree=1 print=1 modal=1\n"
                "open \\AgingComputation.rpt on REPORTS [02/01/2012|02/29/2012|12 Harbour Road]\n"
                "subreport Company on REPORTS [02/01/2012|02/29/2012|12 Harbour Road]\n"
                "subreport Classification on REPORTS [02/01/2012|02/29/2012]\n"
                "show \"Aging\" tree=0 print=1 modal=1\n"
                "open \\PayableDetail.rpt on REPORTS [02/01/2012|02/29/2012|12 Harbour Road]\n"
                "show \"Payable Aging\" tree=1 print=1 modal=1\n"
                "open \\PayableComputation.rpt on REPORTS [02/01/2012|02/29/2012|12 Harbour Road]\n"
                "subreport Company on REPORTS [02/01/2012|02/29/2012|12 Harbour Road]\n"
                "subreport Classification on REPORTS [02/01/2012|02/29/2012]\n"
                "show \"Payable Aging\" tree=0 print=1 modal=1"));
}

void BatchWindowsTest::afterEomOrderAndBoxEight() {
    RecordingStatements db;
    RecordingReports reports;
    auto* w = ReportDialog::open<FrmReportAfterEOM>();
    QVERIFY(!w->box(8)->isEnabled());
    w->picker()->setDate(QDate(2012, 2, 1));
    w->cmdSelectAll_Click();
    QVERIFY(w->box(8)->isChecked());
    QTest::mouseClick(w->runButton(1), Qt::LeftButton);
    QCOMPARE(shownCaptions(reports),
             QStringList({"Monthly Laboratory Summary Report: Feb,2012",
                          "Monthly X-Ray Summary Report: Feb,2012",
                          "Monthly Ultrasound Summary Report: Feb,2012",
                          "Monthly Operating Room Summary Report: Feb,2012",
                          "Monthly Physical Therapy Summary Report: Feb,2012",
                          "Monthly RTS Summary Report: Feb,2012",
                          "Monthly CT Scan Summary Report: Feb,2012",
                          "Monthly Delivery Room Summary Report: Feb,2012",
                          "Monthly Apparatus Report: Feb,2012", "Aging Analysis Report",
                          "Aging Analysis Report", "Payable Aging Analysis Report",
                          "Payable Aging Analysis Report", "A/R General Ledger Entries",
                          "A/R General Ledger Entries", "Breakdown Of Departmental Revenue",
                          "Monthly Hemodialysis Summary Report: Feb,2012"}));
    QStringList templates;
    for (const auto& o : reports.opened) {
        QCOMPARE(o.parameterValues.mid(0, 2), QVariantList({"02/01/2012", "02/29/2012"}));
        templates << o.templatePath.mid(kFolder.size());
    }
    QVERIFY(!templates.contains("\\MonthLaboratoryPackageDeal.rpt"));
    QCOMPARE(
        templates.mid(9),
        QStringList({"\\Aging.rpt", "\\AgingComputation.rpt", "\\PayableDetail.rpt",
                     "\\PayableComputation.rpt", "\\MonthlyEntriesGL.rpt", "\\MonthlySummaryGL.rpt",
                     "\\BreakdownOfDepartmentalRevenue.rpt", "\\rptMonthlyReport.rpt"}));
    QCOMPARE(db.statements.filter("sp_BILLING_RepAgingRecompute").size(), 2);
    QCOMPARE(db.statements.filter("sp_BILLING_RepAgingPayableRecompute").size(), 2);
    QCOMPARE(db.statements.filter("'AP', 'Y'").size(), 1);
    // The breakdown's summary carries the hospital's name.
    const auto summary = reports.subreports.last();
    QCOMPARE(summary.subreportName, QString("Summary"));
    QCOMPARE(summary.databaseName, QString("Reports"));
    QCOMPARE(joinedValues(summary.parameterValues),
             QString("02/01/2012|02/29/2012|A|12 Harbour Road|Harbour General"));
    // The ledger reports read the receivables ledger, the address after it.
    for (const auto& o : reports.opened.mid(13, 3))
        QCOMPARE(joinedValues(o.parameterValues),
                 QString("02/01/2012|02/29/2012|A|12 Harbour Road"));
    for (const auto& s : reports.shown)
        QVERIFY(!s.modal && !s.directPrint);
}

void BatchWindowsTest::yearEndOrderAndYear() {
    RecordingStatements db;
    RecordingReports reports;
    auto* w = ReportDialog::open<FrmReportYearEnd>();
    w->picker()->setDate(QDate(2011, 3, 15));
    tick(w, {8, 6});
    QTest::mouseClick(w->runButton(0), Qt::LeftButton);
    QCOMPARE(db.statements,
             QStringList({"Reports..sp_Rep_MonthlyREcompute '03/01/2011', '03/31/2011', 'AP', 'N'",
                          "Reports..sp_Rep_MonthlyREcompute '03/01/2011', '03/31/2011', 'DR', "
                          "'N'"}));
    QCOMPARE(shownCaptions(reports),
             QStringList({"Year End Apparatus Report: Mar,2011 (printed)",
                          "Year End Delivery Summary Report: Mar,2011 (printed)"}));
}

QTEST_MAIN(BatchWindowsTest)
#include "tst_batchwindows.moc"
