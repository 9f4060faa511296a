#include "RecordingReports.h"
#include "RecordingStatements.h"
#include "Transcript.h"
#include "UiDriver.h"
#include "dialogs/ReportDialogs.h"
#include "dialogs/daily/FrmReportDateClinical.h"
#include "dialogs/monthly/FrmReportMonth.h"
#include "dialogs/monthly/FrmReportMonthBefore.h"
#include "dialogs/monthly/FrmReportYear.h"
#include "shell/Dispatcher.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

namespace {

const QString kFolder = "/opt/pelmar\\REPORTS";

DateEntryDialog* openDialog(int category, int item) {
    OpenMenuItem(category, item);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<DateEntryDialog*>(w); d && d->isVisible())
            return d;
    }
    return nullptr;
}

} // namespace

class MonthlyDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void menuRows_data();
    void menuRows();
    void valuesNoMenuSends_data();
    void valuesNoMenuSends();
    void pickerStopsAtTheServerDate();
    void cancelRunsNothing();
    void failureIsShownAndTheDialogStays();
};

void MonthlyDialogsTest::initTestCase() {
    registerReportDialogs();
}

void MonthlyDialogsTest::init() {
    session().ReportsFolder = kFolder;
    session().CompanyAddress = "12 Harbour Road";
    session().ServerDate = QDateTime(QDate(2012, 3, 15), QTime(9, 30));
}

void MonthlyDialogsTest::menuRows_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("item");
    QTest::addColumn<QDate>("picked");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");

    const QDate march15(2012, 3, 15);
    QTest::newRow("ultrasound logbook")
        << 1 << 2 << march15 << "Daily Ultrasound Examination Logbook"
        << "open \\rptDailyReports.rpt on Reports [03/15/2012|03/15/2012|US|12 Harbour Road|"
           "Daily Ultrasound Examination Logbook|03/15/2012]\n"
           "show \"Daily Ultrasound Examination Logbook: 03/15/2012\" tree=0 print=0 modal=0";
    QTest::newRow("monthly laboratory, March 2012")
        << 3 << 0 << march15 << "Monthly Laboratory Summary Report"
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'LB', 'N'\n"
           "progress on\n"
           "open \\rptMonthlyReport.rpt on REPORTS [03/01/2012|03/31/2012|LB|N|12 Harbour Road|"
           "Monthly Laboratory Summary Report|03/31/2012]\n"
           "show \"Monthly Laboratory Summary Report: Mar,2012\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("monthly operating room, leap February")
        << 3 << 3 << QDate(2012, 2, 10) << "Monthly Operating Room Summary Report"
        << "Reports..sp_Rep_MonthlyREcompute '02/01/2012', '02/29/2012', 'OR', 'N'\n"
           "progress on\n"
           "open \\MonthlyORReport.rpt on REPORTS [02/01/2012|02/29/2012|OR|N|12 Harbour Road|"
           "Monthly Operating Room Summary Report|02/29/2012]\n"
           "show \"Monthly Operating Room Summary Report: Feb,2012\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("monthly RTS uses PA")
        << 3 << 5 << march15 << "Monthly RTS Summary Report"
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'PA', 'N'\n"
           "progress on\n"
           "open \\rptMonthlyReport.rpt on REPORTS [03/01/2012|03/31/2012|PA|N|12 Harbour Road|"
           "Monthly RTS Summary Report|03/31/2012]\n"
           "show \"Monthly RTS Summary Report: Mar,2012\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("package deal")
        << 3 << 8 << march15 << "Monthly Package Deal Report"
        << "open \\MonthLaboratoryPackageDeal.rpt on Reports [03/01/2012|03/31/2012|"
           "12 Harbour Road]\n"
           "show \"Month Laboratory Package Deal Report\" tree=0 print=0 modal=0";
    QTest::newRow("monthly apparatus")
        << 2 << 6 << march15 << "Monthly Apparatus Report"
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'AP', 'Y'\n"
           "progress on\n"
           "open \\rptMonthlyReport.rpt on REPORTS [03/01/2012|03/31/2012|AP|Y|12 Harbour Road|"
           "Monthly Apparatus Report|03/31/2012]\n"
           "show \"Monthly Apparatus Report: Mar,2012\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("year-end laboratory")
        << 6 << 0 << march15 << "Year End Laboratory Summary Report"
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'LB', 'N'\n"
           "progress on\n"
           "open \\rptYearEndReport.rpt on Reports [2012|LB|12 Harbour Road|"
           "Year End Laboratory Summary Report|03/31/2012]\n"
           "show \"Year End Laboratory Summary Report: Mar,2012\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("year-end delivery, year changed to 2011")
        << 6 << 7 << QDate(2011, 3, 15) << "Year End Delivery Summary Report"
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2011', '03/31/2011', 'DR', 'N'\n"
           "progress on\n"
           "open \\rptYearEndReport.rpt on Reports [2011|DR|12 Harbour Road|"
           "Year End Delivery Summary Report|03/31/2011]\n"
           "show \"Year End Delivery Summary Report: Mar,2011\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("year-end apparatus")
        << 5 << 0 << march15 << "Year End Apparatus Report"
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'AP', 'Y'\n"
           "progress on\n"
           "open \\rptYearEndReport.rpt on Reports [2012|AP|12 Harbour Road|"
           "Year End Apparatus Report|03/31/2012]\n"
           "show \"Year End Apparatus Report: Mar,2012\" tree=0 print=0 modal=0\n"
           "progress off";
}

void MonthlyDialogsTest::menuRows() {
    QFETCH(int, category);
    QFETCH(int, item);
    QFETCH(QDate, picked);
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    DateEntryDialog* dialog = openDialog(category, item);
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), caption);
    QPointer<DateEntryDialog> alive(dialog);
    dialog->picker()->setDate(picked);
    QTest::mouseClick(dialog->button(0), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QTRY_VERIFY(!alive);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// ReportType values the dialogs serve though no menu button sends them.
void MonthlyDialogsTest::valuesNoMenuSends_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("reportType");
    QTest::addColumn<QDate>("picked");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    const QDate march15(2012, 3, 15);
    QTest::newRow("hemodialysis keeps the design caption")
        << "month"
        << "9" << march15 << "Monthly Report"
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'DI', 'N'\n"
           "progress on\n"
           "open \\rptMonthlyReport.rpt on REPORTS [03/01/2012|03/31/2012|DI|N|12 Harbour Road|"
           "Monthly Hemodialysis Summary Report|03/31/2012]\n"
           "show \"Monthly Hemodialysis Summary Report: Mar,2012\" tree=0 print=0 modal=0\n"
           "progress off";
    QTest::newRow("aging detail, February 2012")
        << "before"
        << "1" << QDate(2012, 2, 20) << "Aging - Detailed"
        << "REPORTS..sp_BILLING_RepAgingRecompute '02/01/2012', '02/29/2012'\n"
           "progress on\n"
           "open \\Aging.rpt on REPORTS [02/01/2012|02/29/2012|12 Harbour Road]\n"
           "progress off\n"
           "show \"Aging\" tree=1 print=0 modal=0";
    QTest::newRow("aging summary with its classification")
        << "before"
        << "2" << march15 << "Aging - Summary"
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2012', '03/31/2012'\n"
           "progress on\n"
           "open \\AgingComputation.rpt on REPORTS [03/01/2012|03/31/2012|12 Harbour Road]\n"
           "subreport Classification on REPORTS [03/01/2012|03/31/2012|12 Harbour Road]\n"
           "progress off\n"
           "show \"Aging Analysis Report\" tree=1 print=0 modal=0";
    QTest::newRow("payable summary")
        << "before"
        << "4" << march15 << "Payable - Summary"
        << "REPORTS..sp_BILLING_RepAgingPayableRecompute '03/01/2012', '03/31/2012'\n"
           "progress on\n"
           "open \\PayableComputation.rpt on REPORTS [03/01/2012|03/31/2012|12 Harbour Road]\n"
           "subreport Classification on REPORTS [03/01/2012|03/31/2012|12 Harbour Road]\n"
           "progress off\n"
           "show \"Payable Aging Analysis Report\" tree=1 print=0 modal=0";
    QTest::newRow("account status caption only")
        << "before"
        << "0" << march15 << "Patients Account Status Report"
        << "";
    QTest::newRow("audit trail caption only") << "before"
                                              << "5" << march15 << "Monthly Audit Trail"
                                              << "";
    QTest::newRow("unknown month value") << "month"
                                         << "10" << march15 << "Monthly Report"
                                         << "";
    QTest::newRow("empty clinical value") << "clinical"
                                          << "" << march15 << "Report Date Entry"
                                          << "";
    QTest::newRow("year others, other value") << "yearOthers"
                                              << "1" << march15 << "Report Year"
                                              << "";
}

void MonthlyDialogsTest::valuesNoMenuSends() {
    QFETCH(QString, dialog);
    QFETCH(QString, reportType);
    QFETCH(QDate, picked);
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    DateEntryDialog* d = nullptr;
    if (dialog == "month")
        d = ReportDialog::open<FrmReportMonth>(reportType);
    else if (dialog == "before")
        d = ReportDialog::open<FrmReportMonthBefore>(reportType);
    else if (dialog == "clinical")
        d = ReportDialog::open<FrmReportDateClinical>(reportType);
    else
        d = ReportDialog::open<FrmReportYearOthers>(reportType);
    QCOMPARE(d->windowTitle(), caption);
    QPointer<DateEntryDialog> alive(d);
    d->picker()->setDate(picked);
    d->cmdOptions_Click(0);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QTRY_VERIFY(!alive);
}

void MonthlyDialogsTest::pickerStopsAtTheServerDate() {
    for (auto [category, item] : {std::pair{1, 0}, {3, 0}, {6, 0}}) {
        DateEntryDialog* d = openDialog(category, item);
        QCOMPARE(d->picker()->date(), QDate(2012, 3, 15));
        QCOMPARE(d->picker()->maximumDate(), QDate(2012, 3, 15));
        d->picker()->setDate(QDate(2012, 3, 16));
        QCOMPARE(d->picker()->date(), QDate(2012, 3, 15));
        d->close();
    }
}

void MonthlyDialogsTest::cancelRunsNothing() {
    RecordingStatements db;
    RecordingReports reports;
    DateEntryDialog* d = openDialog(2, 6);
    QPointer<DateEntryDialog> alive(d);
    QTest::keyClick(d, Qt::Key_Escape);
    QTRY_VERIFY(!alive);
    d = openDialog(3, 1);
    alive = d;
    QTest::mouseClick(d->button(1), Qt::LeftButton);
    QTRY_VERIFY(!alive);
    QVERIFY(db.statements.isEmpty());
    QVERIFY(reports.calls.isEmpty());
}

void MonthlyDialogsTest::failureIsShownAndTheDialogStays() {
    RecordingStatements db;
    RecordingReports reports;
    reports.failNext("OpenReport", "The template /x\\Aging.rpt does not exist.");
    auto* d = ReportDialog::open<FrmReportMonthBefore>(QString("1"));
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    d->cmdOptions_Click(0);
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QString("The template /x\\Aging.rpt does not exist."));
    QVERIFY(d->isVisible());
    QVERIFY(!reports.progressWindowOpen);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // The user can try again once the cause is mended.
    d->cmdOptions_Click(0);
    QCOMPARE(reports.shown.size(), 1);
}

QTEST_MAIN(MonthlyDialogsTest)
#include "tst_monthlydialogs.moc"
