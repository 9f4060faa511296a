#include "RecordingReports.h"
#include "RecordingStatements.h"
#include "Transcript.h"
#include "UiDriver.h"
#include "dialogs/ReportDialogs.h"
#include "dialogs/daily/FrmAuditTrail.h"
#include "dialogs/daily/FrmReportDate.h"
#include "dialogs/daily/FrmReportDateOthers.h"
#include "platform/engine/Report.h"
#include "reporting/DailySummaries.h"
#include "shell/Dispatcher.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

namespace {

const QString kFolder = "/opt/pelmar\\REPORTS";
const QString kTotals = "Reports..sp_Rep_GetComputed";

RecordSet totalsRow(const QVariantList& row) {
    return rowSet({"TotalPatientCharge", "TotalHospCharge", "TotalProfCharge", "TotalPatientCash",
                   "TotalHospCash", "TotalProfCash"},
                  {row});
}

template <class Dialog> Dialog* visible() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible())
            return d;
    }
    return nullptr;
}

} // namespace

class DailyDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void reportDateRows_data();
    void reportDateRows();
    void summaryTotals_data();
    void summaryTotals();
    void patientTotalOutOfRangeIsRefused();
    void reportDateFailureKeepsTheDialog();
    void cancelRunsNothing();
    void cashCollection_data();
    void cashCollection();
    void cashCollectionBoxesAndForeignReportType();
    void auditTrail_data();
    void auditTrail();
    void auditTrailMonthly_data();
    void auditTrailMonthly();
};

void DailyDialogsTest::initTestCase() {
    registerReportDialogs();
}

void DailyDialogsTest::init() {
    session().ReportsFolder = kFolder;
    session().CompanyAddress = "12 Harbour Road";
    session().CompanyName = "Harbour General";
    session().ServerDate = QDateTime(QDate(2012, 3, 15), QTime(9, 30));
}

void DailyDialogsTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReportDialog*>(w))
            w->close();
    }
    QTest::qWait(0);
    session().CurrentReport.reset();
}

void DailyDialogsTest::reportDateRows_data() {
    QTest::addColumn<int>("item"); // menu item of "End of Day (Others)", or -1
    QTest::addColumn<QString>("reportType");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("exportFile");

    const QString desktop = "C:\\Documents and Settings\\All Users\\Desktop\\";
    QTest::newRow("0 discharges summary, prepared first")
        << 0 << "0"
        << "Daily Summary of Discharges"
        << "Reports..sp_Rep_DumpDailySummaryOfDischarges  '03/15/2012'\n"
           "Reports..sp_RepRecomputeExtensionInPatient  '03/15/2012'\n"
           "Reports..sp_Rep_GetComputedInPatients '03/15/2012'\n"
           "progress on\n"
           "open \\rptDailySummaryOfDischargesColumns.rpt on Reports [03/15/2012|03/15/2012|"
           "12 Harbour Road|7|9|1500.5|2500.25|300|400]\n"
           "show \"Daily Summary Of Discharges\" tree=0 print=0 modal=0\n"
           "progress off"
        << desktop + "Daily Summary Of Discharges 03-15-2012.xls";
    QTest::newRow("1 company accounts, design caption")
        << -1 << "1"
        << "Report Date Entry"
        << "progress on\n"
           "open \\DailyIncomeReport.rpt on Reports [03/15/2012|03/15/2012|12 Harbour Road|]\n"
           "show \"Daily Summary Of Discharges Company Account\" tree=0 print=0 modal=0\n"
           "progress off"
        << desktop + "Daily Summary Of Discharges Company Account 03-15-2012.xls";
    QTest::newRow("2 services summary")
        << 2 << "2"
        << "Daily Summary of Services"
        << "Reports..sp_Rep_DumpDailySummaryOfServices  '03/15/2012'\n"
           "Reports..sp_RepRecomputeExtensionOutPatient  '03/15/2012'\n"
           "Reports..sp_Rep_GetComputedOutPatients '03/15/2012'\n"
           "progress on\n"
           "open \\rptDailySummaryOfServices.rpt on Reports [03/15/2012|03/15/2012|"
           "12 Harbour Road|7|9|1500.5|2500.25|300|400]\n"
           "show \"Daily Summary Of Services\" tree=0 print=0 modal=0\n"
           "progress off"
        << desktop + "Daily Summary Of Services 03-15-2012.xls";
    QTest::newRow("3 admission logbook, one value")
        << 3 << "3"
        << "Daily Admission Logbook"
        << "open \\DailyAdmissionLogbook.rpt on Reports [03/15/2012]\n"
           "show \"Daily Admission Logbook\" tree=0 print=0 modal=0"
        << desktop + "Daily Admission Logbook 03-15-2012.xls";
    QTest::newRow("4 OPD logbook, date twice")
        << 4 << "4"
        << "Daily OPD Registration Logbook"
        << "open \\rptDailyOPDLogBook.rpt on Reports [03/15/2012|12 Harbour Road|03/15/2012]\n"
           "show \"Daily OPD Registration LogBook: 03/15/2012\" tree=0 print=0 modal=0"
        << desktop + "Daily OPD Registration LogBook 03-15-2012.xls";
    QTest::newRow("5 audit trail caption only") << -1 << "5"
                                                << "Daily Transactions Audit Trail"
                                                << ""
                                                << "";
    QTest::newRow("6 adjustments")
        << -1 << "6"
        << "Daily Adjustments Report"
        << "open \\DailyAdjustment.rpt on Reports [03/15/2012|12 Harbour Road]\n"
           "show \"Daily Adjustment Report\" tree=0 print=0 modal=0"
        << desktop + "Daily Adjustment Report 03-15-2012.xls";
    QTest::newRow("7 payment summary")
        << 7 << "7"
        << "Payment Summary Report"
        << "open \\PaymentSummary.rpt on Reports [03/15/2012|12 Harbour Road]\n"
           "show \"Payment Summary Report: 03/15/2012\" tree=0 print=0 modal=0"
        << desktop + "Payment Summary Report 03-15-2012.xls";
    QTest::newRow("8 cash collection summary on BILLING")
        << -1 << "8"
        << "Report Date Entry"
        << "open \\DailyDepartmentalCollection.rpt on BILLING [03/15/2012|03/15/2012|"
           "12 Harbour Road]\n"
           "show \"CASH Collection Summary: 03/15/2012\" tree=0 print=0 modal=0"
        << desktop + "CASH Collection Summary 03-15-2012.xls";
    QTest::newRow("unknown value") << -1 << "9"
                                   << "Report Date Entry"
                                   << ""
                                   << "";
}

void DailyDialogsTest::reportDateRows() {
    QFETCH(int, item);
    QFETCH(QString, reportType);
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    QFETCH(QString, exportFile);
    RecordingStatements db;
    db.answer(kTotals, totalsRow({9, 2500.25, 400.0, 7, 1500.5, 300.0}));
    RecordingReports reports;
    FrmReportDateOthers* dialog = nullptr;
    if (item >= 0) {
        OpenMenuItem(0, item);
        dialog = visible<FrmReportDateOthers>();
    } else {
        dialog = ReportDialog::open<FrmReportDateOthers>(reportType);
    }
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), caption);
    QPointer<FrmReportDateOthers> alive(dialog);
    QTest::mouseClick(dialog->button(0), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QTRY_VERIFY(!alive);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    if (exportFile.isEmpty()) {
        QVERIFY(reports.opened.isEmpty());
        return;
    }
    const engine::ExportOptions* options = reports.exportOptions();
    QCOMPARE(options->exportFileName(), exportFile);
    QCOMPARE(options->exportDestination(), 1);
    QCOMPARE(options->exportFormat(), 29);
}

void DailyDialogsTest::summaryTotals_data() {
    QTest::addColumn<RecordSet>("rows");
    QTest::addColumn<QString>("values");
    QTest::newRow("no computed rows: six zeros")
        << rowSet({"TotalPatientCharge"}, {})
        << "03/15/2012|03/15/2012|12 Harbour Road|0|0|0|0|0|0";
    QTest::newRow("null hospital cash only")
        << totalsRow({4, 100.5, 20.0, 3, QVariant(), 10.0})
        << "03/15/2012|03/15/2012|12 Harbour Road|3|4|0|100.5|10|20";
    QTest::newRow("only the first row counts")
        << rowSet({"TotalPatientCharge", "TotalHospCharge", "TotalProfCharge", "TotalPatientCash",
                   "TotalHospCash", "TotalProfCash"},
                  {{1, 2.0, 3.0, 4, 5.0, 6.0}, {100, 200.0, 300.0, 400, 500.0, 600.0}})
        << "03/15/2012|03/15/2012|12 Harbour Road|4|1|5|2|6|3";
    QTest::newRow("16-bit limits pass")
        << totalsRow({32767, 0.0, 0.0, -32768, 0.0, 0.0})
        << "03/15/2012|03/15/2012|12 Harbour Road|-32768|32767|0|0|0|0";
}

// The services run of the batch: no preparation, cash before charge.
void DailyDialogsTest::summaryTotals() {
    QFETCH(RecordSet, rows);
    QFETCH(QString, values);
    RecordingStatements db;
    db.answer(kTotals, rows);
    RecordingReports reports;
    RunDailySummary(DailySummaryKind::Services, "03/15/2012", false);
    QCOMPARE(db.statements,
             QStringList({"Reports..sp_RepRecomputeExtensionOutPatient  '03/15/2012'",
                          "Reports..sp_Rep_GetComputedOutPatients '03/15/2012'"}));
    QCOMPARE(reports.opened.size(), 1);
    QCOMPARE(joinedValues(reports.opened[0].parameterValues), values);
    QCOMPARE(reports.opened[0].parameterValues.size(), 9);
    QCOMPARE(reports.opened[0].parameterValues[3].metaType().id(), QMetaType::Short);
}

void DailyDialogsTest::patientTotalOutOfRangeIsRefused() {
    for (const QVariantList& row : {QVariantList{32768, 0.0, 0.0, 1, 0.0, 0.0},
                                    QVariantList{1, 0.0, 0.0, -40000, 0.0, 0.0}}) {
        RecordingStatements db;
        db.answer(kTotals, totalsRow(row));
        RecordingReports reports;
        auto* dialog = ReportDialog::open<FrmReportDateOthers>(QString("0"));
        MessageBoxSeen seen;
        answerMessageBox("OK", &seen);
        dialog->cmdOptions_Click(0);
        QVERIFY(seen.shown);
        QVERIFY2(seen.text.contains(row[0].toInt() == 32768 ? "TotalPatientCharge is 32768"
                                                            : "TotalPatientCash is -40000"),
                 qPrintable(seen.text));
        QVERIFY(reports.opened.isEmpty());
        QVERIFY(!reports.progressWindowOpen);
        QVERIFY(dialog->isVisible());
        dialog->close();
        QTest::qWait(0);
    }
}

void DailyDialogsTest::reportDateFailureKeepsTheDialog() {
    RecordingStatements db;
    RecordingReports reports;
    reports.failNext("OpenReport", "The template /x\\DailyIncomeReport.rpt does not exist.");
    auto* dialog = ReportDialog::open<FrmReportDateOthers>(QString("1"));
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    dialog->cmdOptions_Click(0);
    QCOMPARE(seen.text, QString("The template /x\\DailyIncomeReport.rpt does not exist."));
    QVERIFY(dialog->isVisible());
    QVERIFY(!reports.progressWindowOpen);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void DailyDialogsTest::cancelRunsNothing() {
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(0, 0);
    auto* dialog = visible<FrmReportDateOthers>();
    QPointer<FrmReportDateOthers> alive(dialog);
    QTest::mouseClick(dialog->button(1), Qt::LeftButton);
    QTRY_VERIFY(!alive);
    auto* cash = ReportDialog::open<FrmReportDate>(QString("Cash Collection Report"));
    QPointer<FrmReportDate> cashAlive(cash);
    QTest::keyClick(cash, Qt::Key_Return); // Enter is Cancel here
    QTRY_VERIFY(!cashAlive);
    QVERIFY(db.statements.isEmpty());
    QVERIFY(reports.calls.isEmpty());
}

void DailyDialogsTest::cashCollection_data() {
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("detailed");
    QTest::addColumn<bool>("summary");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hospital summary, as loaded")
        << 0 << false << true << QDate(2012, 3, 1) << QDate(2012, 3, 15)
        << "open \\DailyDepartmentalCollection.rpt on BILLING [03/01/2012|03/15/2012|"
           "12 Harbour Road|0]\n"
           "show \"Daily CASH Collection: 03/01/2012 - 03/15/2012\" tree=0 print=0 modal=0";
    QTest::newRow("multi diagnostic detailed")
        << 1 << true << false << QDate(2012, 3, 1) << QDate(2012, 3, 15)
        << "open \\DailyCashCollection.rpt on BILLING [03/01/2012|03/15/2012|12 Harbour Road|1]\n"
           "show \"Daily CASH Collection: 03/01/2012 - 03/15/2012\" tree=0 print=0 modal=0";
    QTest::newRow("neither box: the summary; backwards period passed as picked")
        << 0 << false << false << QDate(2012, 3, 15) << QDate(2012, 3, 1)
        << "open \\DailyDepartmentalCollection.rpt on BILLING [03/15/2012|03/01/2012|"
           "12 Harbour Road|0]\n"
           "show \"Daily CASH Collection: 03/15/2012 - 03/01/2012\" tree=0 print=0 modal=0";
}

void DailyDialogsTest::cashCollection() {
    QFETCH(int, section);
    QFETCH(bool, detailed);
    QFETCH(bool, summary);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(0, 8);
    auto* dialog = visible<FrmReportDate>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Cash Collection Report"));
    QCOMPARE(dialog->startPicker()->maximumDate(), QDate(2012, 3, 15));
    QCOMPARE(dialog->endPicker()->date(), QDate(2012, 3, 15));
    QPointer<FrmReportDate> alive(dialog);
    if (section == 1)
        QTest::mouseClick(dialog->section(1), Qt::LeftButton);
    if (detailed)
        QTest::mouseClick(dialog->option(0), Qt::LeftButton); // unticks Summary
    if (!summary && dialog->option(1)->isChecked())
        QTest::mouseClick(dialog->option(1), Qt::LeftButton);
    QCOMPARE(dialog->option(0)->isChecked(), detailed);
    QCOMPARE(dialog->option(1)->isChecked(), summary);
    dialog->startPicker()->setDate(start);
    dialog->endPicker()->setDate(end);
    QTest::mouseClick(dialog->button(0), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QCOMPARE(reports.opened[0].parameterValues[3].metaType().id(), QMetaType::Short);
    QTRY_VERIFY(!alive);
}

void DailyDialogsTest::cashCollectionBoxesAndForeignReportType() {
    RecordingStatements db;
    RecordingReports reports;
    auto* dialog = ReportDialog::open<FrmReportDate>(QString("cash collection report"));
    QTest::mouseClick(dialog->option(0), Qt::LeftButton);
    QTest::mouseClick(dialog->option(1), Qt::LeftButton);
    QVERIFY(!dialog->option(0)->isChecked());
    QVERIFY(dialog->option(1)->isChecked());
    QPointer<FrmReportDate> alive(dialog);
    dialog->cmdOptions_Click(0); // any letter case runs
    QCOMPARE(reports.shown.size(), 1);
    QTRY_VERIFY(!alive);

    dialog = ReportDialog::open<FrmReportDate>(QString("Cash Report"));
    dialog->cmdOptions_Click(0);
    QCOMPARE(reports.opened.size(), 1);
    QVERIFY(dialog->isVisible());
    alive = dialog;
    dialog->cmdOptions_Click(1);
    QTRY_VERIFY(!alive);
}

void DailyDialogsTest::auditTrail_data() {
    QTest::addColumn<int>("patientType");
    QTest::addColumn<QList<bool>>("ticks"); // detail, A/R, G/L
    QTest::addColumn<QString>("expected");
    QTest::newRow("all three, in-patients")
        << 0 << QList<bool>{true, true, true}
        << "progress on\n"
           "open \\DailyAuditTrail.rpt on Reports [03/15/2012|I|12 Harbour Road]\n"
           "subreport Summary on REPORTS [03/15/2012|I]\n"
           "subreport Doctors on REPORTS [03/15/2012|I]\n"
           "show \"Daily Audit Trail - Detail\" tree=1 print=0 modal=0\n"
           "progress off\n"
           "progress on\n"
           "open \\DailyAuditSummaryByAR.rpt on Reports [03/15/2012|I|12 Harbour Road]\n"
           "show \"Daily Audit Trail - Summary by AR\" tree=0 print=0 modal=0\n"
           "progress off\n"
           "progress on\n"
           "open \\DailyAuditSummaryByGL.rpt on Reports [03/15/2012|I|12 Harbour Road]\n"
           "show \"Daily Audit Trail - Summary by GL\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("G/L only, all patients")
        << 2 << QList<bool>{false, false, true}
        << "progress on\n"
           "open \\DailyAuditSummaryByGL.rpt on Reports [03/15/2012|A|12 Harbour Road]\n"
           "show \"Daily Audit Trail - Summary by GL\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("A/R only, out-patients")
        << 1 << QList<bool>{false, true, false}
        << "progress on\n"
           "open \\DailyAuditSummaryByAR.rpt on Reports [03/15/2012|O|12 Harbour Road]\n"
           "show \"Daily Audit Trail - Summary by AR\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("nothing ticked") << 0 << QList<bool>{false, false, false} << "";
}

void DailyDialogsTest::auditTrail() {
    QFETCH(int, patientType);
    QFETCH(QList<bool>, ticks);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(0, 5);
    auto* dialog = visible<FrmAuditTrail>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Audit Trail"));
    QVERIFY(dialog->detail()->isChecked() && dialog->sumAR()->isChecked() &&
            dialog->sumGL()->isChecked() && dialog->patientType(0)->isChecked());
    QCOMPARE(dialog->picker()->date(), QDate(2012, 3, 15));
    QPointer<FrmAuditTrail> alive(dialog);
    dialog->patientType(patientType)->setChecked(true);
    dialog->detail()->setChecked(ticks[0]);
    dialog->sumAR()->setChecked(ticks[1]);
    dialog->sumGL()->setChecked(ticks[2]);
    QTest::mouseClick(dialog->viewButton(), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QTRY_VERIFY(!alive);
}

void DailyDialogsTest::auditTrailMonthly_data() {
    QTest::addColumn<QList<bool>>("ticks"); // detail, per GL, per A/R, breakdown (top to bottom)
    QTest::addColumn<QString>("expected");
    QTest::newRow("all four, February 2012")
        << QList<bool>{true, true, true, true}
        << "progress on\n"
           "open \\MonthlyEntriesGL.rpt on Reports [02/01/2012|02/29/2012|A|12 Harbour Road]\n"
           "show \"A/R General Ledger Entries - Detail\" tree=0 print=0 modal=0\n"
           "progress off\n"
           "progress on\n"
           "open \\MonthlySummaryGL.rpt on Reports [02/01/2012|02/29/2012|A|12 Harbour Road]\n"
           "show \"A/R General Ledger Entries - Summary by A/R\" tree=0 print=0 modal=0\n"
           "progress off\n"
           "progress on\n"
           "open \\MonthlySummaryARLedger.rpt on Reports [02/01/2012|02/29/2012|A|"
           "12 Harbour Road]\n"
           "show \"A/R General Ledger Entries - Summany by GL\" tree=1 print=0 modal=0\n"
           "progress off\n"
           "progress on\n"
           "open \\BreakdownOfDepartmentalRevenue.rpt on Reports [02/01/2012|02/29/2012|A|"
           "12 Harbour Road]\n"
           "subreport Doctors on Reports [02/01/2012|02/29/2012|A]\n"
           "show \"Breakdown Of Departmental Revenue\" tree=1 print=0 modal=0\n"
           "progress off";
    QTest::newRow("per A/R box opens the GL summary template")
        << QList<bool>{false, false, true, false}
        << "progress on\n"
           "open \\MonthlySummaryGL.rpt on Reports [02/01/2012|02/29/2012|A|12 Harbour Road]\n"
           "show \"A/R General Ledger Entries - Summary by A/R\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("nothing ticked") << QList<bool>{false, false, false, false} << "";
}

void DailyDialogsTest::auditTrailMonthly() {
    QFETCH(QList<bool>, ticks);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(2, 5);
    auto* dialog = visible<FrmAuditTrailMonthly>();
    QVERIFY(dialog);
    QCOMPARE(dialog->picker()->maximumDate(), QDate(2012, 3, 15));
    QPointer<FrmAuditTrailMonthly> alive(dialog);
    dialog->picker()->setDate(QDate(2012, 2, 17));
    const QList<QCheckBox*> boxes{dialog->detail(), dialog->sumGL(), dialog->sumAR(),
                                  dialog->breakDown()};
    for (int i = 0; i < boxes.size(); ++i) {
        QVERIFY(boxes[i]->isChecked());
        boxes[i]->setChecked(ticks[i]);
    }
    QTest::mouseClick(dialog->viewButton(), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QTRY_VERIFY(!alive);
}

QTEST_MAIN(DailyDialogsTest)
#include "tst_dailydialogs.moc"
