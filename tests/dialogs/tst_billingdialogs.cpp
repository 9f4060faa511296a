// The billing and period dialogs against the recording doubles: statements
// to the character, templates, databases, parameter values, captions and
// flags, and the refusals that run nothing.

#include "RecordingReports.h"
#include "RecordingStatements.h"
#include "Transcript.h"
#include "UiDriver.h"
#include "dialogs/ReportDialogs.h"
#include "dialogs/billing/FrmAccountStatusReport.h"
#include "dialogs/billing/FrmAging.h"
#include "dialogs/billing/FrmAgingClass.h"
#include "dialogs/billing/FrmReportPeriod.h"
#include "lookup/FrmSearch.h"
#include "platform/engine/Report.h"
#include "shell/Dispatcher.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

namespace {

const QString kFolder = "/opt/pelmar\\REPORTS";
const QDate kJan1(2013, 1, 1), kJan31(2013, 1, 31), kMar1(2013, 3, 1), kMar31(2013, 3, 31);

void setPeriod(QDateEdit* start, QDateEdit* end, QDate from, QDate to) {
    start->setDate(from);
    end->setDate(to);
    QCOMPARE(start->date(), from);
    QCOMPARE(end->date(), to);
}

} // namespace

class BillingDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void accountStatus_data();
    void accountStatus();
    void accountStatusKeys();

    void aging_data();
    void aging();

    void agingClass_data();
    void agingClass();
    void agingClassOptionClicks();
    void agingClassEmptyAccount();
    void agingClassNeitherDetailNorSummary();
    void agingClassRefusals();
    void agingClassFindWithTypedCode();

    void period_data();
    void period();
    void periodRefusals_data();
    void periodRefusals();
    void dailyIncomeStaysOpenWithExportPreset();
    void failureIsShownAndTheDialogStays();
};

void BillingDialogsTest::initTestCase() {
    QLocale::setDefault(QLocale::c());
    registerReportDialogs();
}

void BillingDialogsTest::init() {
    session().ReportsFolder = kFolder;
    session().CompanyAddress = "12 Harbour Road";
    session().CompanyName = "St. Brigid's Test Hospital";
    session().ServerDate = QDateTime(QDate(2013, 4, 15), QTime(9, 30));
}

void BillingDialogsTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReportDialog*>(w))
            delete w;
    }
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// ---- account status ------------------------------------------------------

void BillingDialogsTest::accountStatus_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("expected");
    const char* show = "\nshow \"Patients Account Status Report\" tree=%1 print=0 modal=1";
    QTest::newRow("balance") << 0
                             << "open \\PatientsAccountStatusReportByBalance.rpt on BILLING "
                                "[12 Harbour Road|03/31/2013]" +
                                    QString(show).arg(0);
    QTest::newRow("name") << 1
                          << "open \\PatientsAccountStatusReportByName.rpt on BILLING "
                             "[12 Harbour Road|03/31/2013]" +
                                 QString(show).arg(0);
    QTest::newRow("account limit") << 2
                                   << "open \\PatientsAccountStatusReportByAccountLimit.rpt on "
                                      "BILLING [12 Harbour Road|03/31/2013]" +
                                          QString(show).arg(0);
    QTest::newRow("station shows the group tree")
        << 3
        << "open \\PatientsAccountStatusReportByStation.rpt on BILLING "
           "[12 Harbour Road|03/31/2013]" +
               QString(show).arg(1);
}

void BillingDialogsTest::accountStatus() {
    QFETCH(int, option);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(2, 0);
    auto* d = ReportDialog::instance<FrmAccountStatusReport>();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString());
    QCOMPARE(d->dtpReportDate()->date(), QDate(2013, 4, 15));
    QCOMPARE(d->dtpReportDate()->maximumDate(), QDate(2013, 4, 15));
    QVERIFY(d->optOptions(0)->isChecked());
    QPointer<FrmAccountStatusReport> alive(d);
    d->dtpReportDate()->setDate(kMar31);
    d->optOptions(option)->setChecked(true);
    QTest::mouseClick(d->cmdOptions(0), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QTRY_VERIFY(!alive);
}

void BillingDialogsTest::accountStatusKeys() {
    RecordingStatements db;
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmAccountStatusReport>();
    QVERIFY(QTest::qWaitForWindowActive(d));
    d->dtpReportDate()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), d->dtpReportDate());
    QTest::keyClick(d->dtpReportDate(), Qt::Key_Return);
    QVERIFY(QApplication::focusWidget() != d->dtpReportDate());
    QVERIFY(d->isVisible());
    QVERIFY(reports.calls.isEmpty());

    QPointer<FrmAccountStatusReport> alive(d);
    d->optOptions(2)->setFocus();
    QTest::keyClick(d->optOptions(2), Qt::Key_Escape);
    QTRY_VERIFY(!alive);
    QVERIFY(reports.calls.isEmpty());
}

// ---- aging ---------------------------------------------------------------

void BillingDialogsTest::aging_data() {
    QTest::addColumn<QString>("reportType");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    QTest::newRow("detail, receivables")
        << "1" << 0 << "Aging Detailed Report"
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2013', '03/31/2013', 'P'\n"
           "open \\Aging.rpt on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "show \"Aging Detailed Report\" tree=1 print=0 modal=0";
    QTest::newRow("summary, payables")
        << "2" << 1 << "Aging Summary Report"
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2013', '03/31/2013', 'N'\n"
           "open \\AgingComputation.rpt on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "subreport Classification on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "show \"Aging Summary Report\" tree=1 print=0 modal=0";
    QTest::newRow("interest income, all at net, title stays")
        << "9" << 2 << "AGING"
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2013', '03/31/2013', 'A'\n"
           "open \\AgingComputationInterestIncome.rpt on REPORTS "
           "[03/01/2013|03/31/2013|12 Harbour Road]\n"
           "subreport Classification on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "show \"Aging Summary Report\" tree=1 print=0 modal=0";
    QTest::newRow("unknown type runs nothing") << "5" << 0 << "AGING"
                                               << "";
}

void BillingDialogsTest::aging() {
    QFETCH(QString, reportType);
    QFETCH(int, option);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmAging>(reportType);
    QCOMPARE(d->windowTitle(), title);
    QVERIFY(d->optOptions(0)->isChecked());
    QCOMPARE(d->dtpPeriod(1)->maximumDate(), QDate(2013, 4, 15));
    QPointer<FrmAging> alive(d);
    setPeriod(d->dtpPeriod(0), d->dtpPeriod(1), kMar1, kMar31);
    d->optOptions(option)->setChecked(true);
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    if (expected.isEmpty()) {
        QVERIFY(d->isVisible());
        QTest::mouseClick(d->cmdCancel(), Qt::LeftButton);
    }
    QTRY_VERIFY(!alive);
}

// ---- aging classification ------------------------------------------------

void BillingDialogsTest::agingClass_data() {
    QTest::addColumn<QString>("category"); // class, account, summary
    QTest::addColumn<bool>("detailed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("byPeriod");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("expected");

    const QString open = "\nopen %1 on Billing [01/01/2013|01/31/2013|12 Harbour Road]";
    const QString sub =
        "\nsubreport Classification on Billing [01/01/2013|01/31/2013|12 Harbour Road]";
    const QString show = "\nshow \"Aging Analysis Report\" tree=1 print=0 modal=0";
    QTest::newRow("class detailed")
        << "class" << true << "03" << false << ""
        << "Billing..sp_BILLING_RepAgingRecomputeClass '01/01/2013', '01/31/2013', '03'" +
               open.arg("\\AgingComputationClassDetailed.rpt") + show;
    QTest::newRow("class summary, no blank")
        << "class" << false << "03" << false << ""
        << "Billing..sp_BILLING_RepAgingRecomputeClass'01/01/2013', '01/31/2013', '03'" +
               open.arg("\\AgingComputationClassSummary.rpt") + show;
    QTest::newRow("class with an empty code")
        << "class" << true << "" << false << ""
        << "Billing..sp_BILLING_RepAgingRecomputeClass '01/01/2013', '01/31/2013', ''" +
               open.arg("\\AgingComputationClassDetailed.rpt") + show;
    QTest::newRow("account number, trimmed")
        << "account" << false << "  C-100 " << false << ""
        << "Billing..sp_BILLING_RepAgingRecomputeAccountNum '01/01/2013', '01/31/2013', 'C-100'" +
               open.arg("\\AgingComputationAccountNum.rpt") + show;
    QTest::newRow("account number with an apostrophe")
        << "account" << false << "O'HARA" << false << ""
        << "Billing..sp_BILLING_RepAgingRecomputeAccountNum '01/01/2013', '01/31/2013', "
           "'O''HARA'" +
               open.arg("\\AgingComputationAccountNum.rpt") + show;
    QTest::newRow("aging summary")
        << "summary" << false << "" << false << ""
        << "Billing..sp_BILLING_RepAgingRecompute'01/01/2013', '01/31/2013'" +
               open.arg("\\AgingComputationDateRange.rpt") + sub + show;
    QTest::newRow("account number by period")
        << "account" << false << "C-100" << true << "5"
        << "Billing..sp_BILLING_RepAgingRecomputeAccountNumPeriod '01/01/2013', '01/31/2013', "
           "'C-100', 5" +
               open.arg("\\AgingComputationAccountNum.rpt") + show;
    QTest::newRow("class detailed by period")
        << "class" << true << "03" << true << "5"
        << "Billing..sp_BILLING_RepAgingRecomputeClassPeriod '01/01/2013', '01/31/2013', '03', 5" +
               open.arg("\\AgingComputationClassDetailed.rpt") + show;
    QTest::newRow("class summary by period, no blank")
        << "class" << false << "03" << true << "12"
        << "Billing..sp_BILLING_RepAgingRecomputeClassPeriod'01/01/2013', '01/31/2013', '03', 12" +
               open.arg("\\AgingComputationClassSummary.rpt") + show;
    QTest::newRow("aging summary by period")
        << "summary" << false << "" << true << "5"
        << "Billing..sp_BILLING_RepAgingRecomputePeriod'01/01/2013', '01/31/2013', 5" +
               open.arg("\\AgingComputationDateRange.rpt") + sub + show;
    QTest::newRow("by period with an empty period box")
        << "summary" << false << "" << true << ""
        << "Billing..sp_BILLING_RepAgingRecomputePeriod'01/01/2013', '01/31/2013', 0" +
               open.arg("\\AgingComputationDateRange.rpt") + sub + show;
    QTest::newRow("period half rounds to even")
        << "summary" << false << "" << true << "2.5"
        << "Billing..sp_BILLING_RepAgingRecomputePeriod'01/01/2013', '01/31/2013', 2" +
               open.arg("\\AgingComputationDateRange.rpt") + sub + show;
    QTest::newRow("period number before other text")
        << "summary" << false << "" << true << " 3.5 MARCH"
        << "Billing..sp_BILLING_RepAgingRecomputePeriod'01/01/2013', '01/31/2013', 4" +
               open.arg("\\AgingComputationDateRange.rpt") + sub + show;
}

void BillingDialogsTest::agingClass() {
    QFETCH(QString, category);
    QFETCH(bool, detailed);
    QFETCH(QString, code);
    QFETCH(bool, byPeriod);
    QFETCH(QString, period);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(2, 8);
    auto* d = ReportDialog::instance<FrmAgingClass>();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Aging - Classification"));
    QPointer<FrmAgingClass> alive(d);
    setPeriod(d->dtStartDate(), d->dtEndDate(), kJan1, kJan31);
    if (category == "account") {
        d->optAccountNum()->setChecked(true);
        d->optAccountNum_Click();
    } else if (category == "summary") {
        d->optGrandSummary()->setChecked(true);
        d->optGrandSummary_Click();
    } else if (!detailed) {
        d->optSummary()->setChecked(true);
    }
    d->txtDept(0)->setText(code);
    if (byPeriod) {
        d->optPeriod()->click();
        d->txtDept(3)->setText(period);
    }
    d->cmdview_Click();
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QTRY_VERIFY(!alive);
}

void BillingDialogsTest::agingClassOptionClicks() {
    auto* d = ReportDialog::open<FrmAgingClass>();
    // Load: Class, Detailed, empty code boxes, period part disabled.
    QVERIFY(d->optClass()->isChecked());
    QVERIFY(d->optDetailed()->isChecked());
    QVERIFY(d->detailFrame()->isEnabled());
    QCOMPARE(d->lblCompany()->text(), QString("CLASS"));
    QVERIFY(!d->txtDept(2)->isEnabled() && !d->txtDept(3)->isEnabled());
    QVERIFY(!d->cmdPeriod()->isEnabled());
    QCOMPARE(d->dtStartDate()->date(), QDate::currentDate());

    struct Expect {
        QRadioButton* option;
        bool frame;
        QString label;
        bool codes;
    };
    const Expect rows[] = {
        {d->optAccountNum(), false, "COMPANY", true},
        {d->optGrandSummary(), false, "COMPANY", false}, // the label stays
        {d->optClass(), true, "CLASS", true},
        {d->optGrandSummary(), false, "CLASS", false},
        {d->optAccountNum(), false, "COMPANY", true},
    };
    for (const Expect& row : rows) {
        d->txtDept(0)->setText("X1");
        d->txtDept(1)->setText("NAME");
        d->optSummary()->setChecked(d->optClass()->isChecked());
        row.option->click();
        QVERIFY(row.option->isChecked());
        QCOMPARE(d->detailFrame()->isEnabled(), row.frame);
        QCOMPARE(d->lblCompany()->text(), row.label);
        QCOMPARE(d->txtDept(0)->isEnabled(), row.codes);
        QCOMPARE(d->cmdFind()->isEnabled(), row.codes);
        QCOMPARE(d->txtDept(0)->text(), QString());
        QCOMPARE(d->txtDept(1)->text(), QString());
        if (row.option != d->optClass()) {
            QVERIFY(!d->optDetailed()->isChecked());
            QVERIFY(!d->optSummary()->isChecked());
        }
    }
    // Class keeps whatever detail choice there is (here none).
    d->optClass()->click();
    QVERIFY(!d->optDetailed()->isChecked() && !d->optSummary()->isChecked());

    d->optPeriod()->click();
    QVERIFY(d->txtDept(2)->isEnabled() && d->txtDept(3)->isEnabled());
    QVERIFY(d->cmdPeriod()->isEnabled());
    d->optPeriod()->click();
    d->optAccountNum()->click();
    QVERIFY(d->optPeriod()->isChecked()); // once chosen, it stays
}

void BillingDialogsTest::agingClassEmptyAccount() {
    RecordingStatements db;
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmAgingClass>();
    d->optAccountNum()->click();
    d->txtDept(0)->setText("   ");
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    d->cmdview_Click();
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QString("Account Number is Empty!"));
    QCOMPARE(seen.icon, int(QMessageBox::NoIcon));
    QCOMPARE(d->focusWidget(), d->txtDept(0));
    QVERIFY(d->isVisible());
    QVERIFY(db.statements.isEmpty());
    QVERIFY(reports.calls.isEmpty());
}

void BillingDialogsTest::agingClassNeitherDetailNorSummary() {
    RecordingStatements db;
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmAgingClass>();
    d->optAccountNum()->click();
    d->optClass()->click();
    d->txtDept(0)->setText("03");
    d->cmdview_Click();
    QVERIFY(d->isVisible());
    QVERIFY(db.statements.isEmpty());
    QCOMPARE(d->txtDept(0)->text(), QString("03"));
    d->optSummary()->click();
    d->cmdview_Click();
    QCOMPARE(db.statements.size(), 1);
}

void BillingDialogsTest::agingClassRefusals() {
    RecordingStatements db;
    RecordingReports reports;
    auto* d = ReportDialog::open<FrmAgingClass>();
    // A range that runs backwards would age nothing.
    setPeriod(d->dtStartDate(), d->dtEndDate(), kJan31, kJan1);
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    d->cmdview_Click();
    QCOMPARE(seen.text, QString("Invalid Report Period..."));
    QCOMPARE(d->dtStartDate()->date(), kJan31);

    // A period number that cannot be one.
    setPeriod(d->dtStartDate(), d->dtEndDate(), kJan1, kJan31);
    d->optPeriod()->click();
    d->txtDept(3)->setText("99999");
    MessageBoxSeen tooLarge;
    answerMessageBox("OK", &tooLarge);
    d->cmdview_Click();
    QVERIFY(tooLarge.text.contains("99999"));
    QVERIFY(d->isVisible());
    QVERIFY(db.statements.isEmpty());
    QVERIFY(reports.calls.isEmpty());
}

void BillingDialogsTest::agingClassFindWithTypedCode() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchClass",
              rowSet({"Name", "Code"}, {{"ABBOTT GROUP", "AB1"}, {"ABC INSURANCE", "AB2"}}));
    auto* d = ReportDialog::open<FrmAgingClass>();
    d->txtDept(0)->setText("AB");
    d->txtDept(1)->setText("OLD NAME");
    QString criteria;
    whenModalAppears([&](QWidget* modal) {
        criteria = FrmSearch::shared().Criteria();
        QCOMPARE(modal->windowTitle(), QString("Class"));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::mouseClick(d->cmdFind(), Qt::LeftButton);
    QCOMPARE(criteria, QString("AB"));
    QCOMPARE(db.statements, QStringList{"Reports..sp_Rep_SearchClass 'AB'"});
    QVERIFY(!FrmSearch::shared().Valid());
    QCOMPARE(d->txtDept(0)->text(), QString("AB"));
    QCOMPARE(d->txtDept(1)->text(), QString("OLD NAME"));

    // Company for the account number, Periods for the period box; a choice
    // fills both boxes.
    db.answer("Reports..sp_Rep_SearchPeriod", rowSet({"Name", "Code"}, {{"MARCH 2012", "6"}}));
    d->optPeriod()->click();
    d->txtDept(3)->setText("MAR");
    whenModalAppears([](QWidget*) { FrmSearch::shared().cmdSelect_Click(); });
    QTest::mouseClick(d->cmdPeriod(), Qt::LeftButton);
    QCOMPARE(db.statements.last(), QString("Reports..sp_Rep_SearchPeriod 'MAR'"));
    QCOMPARE(d->txtDept(3)->text(), QString("6"));
    QCOMPARE(d->txtDept(2)->text(), QString("MARCH 2012"));

    db.answer("Reports..sp_Rep_SearchCompany", rowSet({"Name", "Code"}, {{"ACME MINING", "C-7"}}));
    d->optAccountNum()->click();
    d->txtDept(0)->setText("ac");
    whenModalAppears([](QWidget*) { FrmSearch::shared().cmdSelect_Click(); });
    QTest::mouseClick(d->cmdFind(), Qt::LeftButton);
    QCOMPARE(db.statements.last(), QString("Reports..sp_Rep_SearchCompany 'ac'"));
    QCOMPARE(d->txtDept(0)->text(), QString("C-7"));
    QCOMPARE(d->txtDept(1)->text(), QString("ACME MINING"));
}

// ---- period dialogs ------------------------------------------------------

void BillingDialogsTest::period_data() {
    QTest::addColumn<bool>("others");
    QTest::addColumn<QString>("reportType");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");

    QTest::newRow("statistics, 31 days")
        << false << "A" << kMar1 << kMar31 << "Hospital Statistical Report"
        << "Patient_Data..sp_Adm_Statistics '03/01/2013','03/31/2013'\n"
           "open \\Statistics_BRV.rpt on Reports [for the period 03/01/2013 to 03/31/2013|"
           "Hospital Statistical Report|31]\n"
           "show \"Hospital Statistical Report\" tree=1 print=0 modal=1";
    QTest::newRow("statistics, one day counts 1")
        << false << "A" << kMar31 << kMar31 << "Hospital Statistical Report"
        << "Patient_Data..sp_Adm_Statistics '03/31/2013','03/31/2013'\n"
           "open \\Statistics_BRV.rpt on Reports [for the period 03/31/2013 to 03/31/2013|"
           "Hospital Statistical Report|1]\n"
           "show \"Hospital Statistical Report\" tree=1 print=0 modal=1";
    QTest::newRow("aging by period")
        << false << "1" << kMar1 << kMar31 << ""
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2013', '03/31/2013'\n"
           "progress on\n"
           "open \\Aging.rpt on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "progress off\n"
           "show \"Aging\" tree=1 print=0 modal=0";
    QTest::newRow("aging summary by period")
        << false << "2" << kMar1 << kMar31 << ""
        << "REPORTS..sp_BILLING_RepAgingRecompute '03/01/2013', '03/31/2013'\n"
           "progress on\n"
           "open \\AgingComputation.rpt on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "subreport Classification on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "progress off\n"
           "show \"Aging Analysis Report\" tree=1 print=0 modal=0";
    QTest::newRow("payable detail")
        << false << "3" << kMar1 << kMar31 << ""
        << "REPORTS..sp_BILLING_RepAgingPayableRecompute '03/01/2013', '03/31/2013'\n"
           "progress on\n"
           "open \\PayableDetail.rpt on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "progress off\n"
           "show \"Payable Aging\" tree=1 print=0 modal=0";
    QTest::newRow("payable summary")
        << false << "4" << kMar1 << kMar31 << ""
        << "REPORTS..sp_BILLING_RepAgingPayableRecompute '03/01/2013', '03/31/2013'\n"
           "progress on\n"
           "open \\PayableComputation.rpt on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "subreport Classification on REPORTS [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "progress off\n"
           "show \"Payable Aging Analysis Report\" tree=1 print=0 modal=0";
    QTest::newRow("adjustments take the whole last day")
        << false << "6" << kMar1 << kMar31 << ""
        << "open \\DailyAdjustment_New.rpt on Reports [12 Harbour Road|03/01/2013|"
           "03/31/2013 23:59:59.99]\n"
           "show \"Daily Adjustment Report\" tree=0 print=0 modal=0";
    QTest::newRow("type 01 is not 1") << false << "01" << kMar1 << kMar31 << ""
                                      << "";
    QTest::newRow("empty type") << false << "" << kMar1 << kMar31 << ""
                                << "";
    QTest::newRow("admissions")
        << true << "0" << kMar1 << kMar31 << "List of Admissions"
        << "progress on\n"
           "open \\AdmissionList.rpt on Reports [03/01/2013|03/31/2013|12 Harbour Road]\n"
           "progress off\n"
           "show \"List Of Admissions\" tree=1 print=0 modal=0";
    QTest::newRow("senior citizen income")
        << true << "1" << kMar1 << kMar31 << ""
        << "progress on\n"
           "open \\SeniorCitizenIncomeReport.rpt on Reports [03/01/2013|03/31/2013|||"
           "12 Harbour Road]\n"
           "progress off\n"
           "show \"Senior Citizen Income Report\" tree=1 print=0 modal=0";
    QTest::newRow("summary of sales")
        << true << "2" << kJan1 << kMar31 << ""
        << "progress on\n"
           "open \\rptSummaryListOfSales.rpt on Reports [01/01/2013|03/31/2013|||"
           "12 Harbour Road]\n"
           "progress off\n"
           "show \"Quarterly Summary of Sales\" tree=1 print=0 modal=0";
    QTest::newRow("others: unknown type") << true << "A" << kMar1 << kMar31 << ""
                                          << "";
}

void BillingDialogsTest::period() {
    QFETCH(bool, others);
    QFETCH(QString, reportType);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    RecordingStatements db;
    RecordingReports reports;
    PeriodDialog* d =
        others ? static_cast<PeriodDialog*>(ReportDialog::open<FrmReportPeriodOthers>(reportType))
               : ReportDialog::open<FrmReportPeriod>(reportType);
    QCOMPARE(d->windowTitle(), title);
    QCOMPARE(d->dtpPeriod(0)->date(), QDate(2013, 4, 15));
    QCOMPARE(d->dtpPeriod(1)->maximumDate(), QDate(2013, 4, 15));
    QPointer<PeriodDialog> alive(d);
    setPeriod(d->dtpPeriod(0), d->dtpPeriod(1), from, to);
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder), expected);
    QVERIFY(!reports.progressWindowOpen);
    if (expected.isEmpty()) {
        QVERIFY(d->isVisible());
        QTest::keyClick(d, Qt::Key_Escape);
    }
    QTRY_VERIFY(!alive);
}

void BillingDialogsTest::periodRefusals_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("startOffset"); // days from the workstation's today
    QTest::addColumn<int>("endOffset");
    QTest::newRow("period: start after end") << "period" << -3 << -4;
    QTest::newRow("period: end after today") << "period" << 0 << 1;
    QTest::newRow("others: start after end") << "others" << -1 << -2;
    QTest::newRow("aging: end after today") << "aging" << -5 << 1;
    QTest::newRow("aging: start after end") << "aging" << -2 << -5;
}

void BillingDialogsTest::periodRefusals() {
    QFETCH(QString, dialog);
    QFETCH(int, startOffset);
    QFETCH(int, endOffset);
    // A server clock ahead of the workstation lets the pickers reach tomorrow.
    const QDate today = QDate::currentDate();
    session().ServerDate = QDateTime(today.addDays(1), QTime(8, 0));
    RecordingStatements db;
    RecordingReports reports;
    QDateEdit* start = nullptr;
    QDateEdit* end = nullptr;
    QPushButton* ok = nullptr;
    QWidget* d = nullptr;
    if (dialog == "aging") {
        auto* a = ReportDialog::open<FrmAging>(QString("1"));
        start = a->dtpPeriod(0), end = a->dtpPeriod(1), ok = a->cmdOK(), d = a;
    } else {
        PeriodDialog* p = dialog == "others"
                              ? static_cast<PeriodDialog*>(
                                    ReportDialog::open<FrmReportPeriodOthers>(QString("0")))
                              : ReportDialog::open<FrmReportPeriod>(QString("1"));
        start = p->dtpPeriod(0), end = p->dtpPeriod(1), ok = p->cmdOK(), d = p;
    }
    setPeriod(start, end, today.addDays(startOffset), today.addDays(endOffset));
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QString("Invalid Report Period..."));
    QCOMPARE(seen.icon, int(QMessageBox::NoIcon));
    QVERIFY(db.statements.isEmpty());
    QVERIFY(reports.calls.isEmpty());
    QVERIFY(d->isVisible());
    QCOMPARE(start->date(), today.addDays(startOffset));
    QCOMPARE(end->date(), today.addDays(endOffset));
}

void BillingDialogsTest::dailyIncomeStaysOpenWithExportPreset() {
    RecordingStatements db;
    RecordingReports reports;
    OpenMenuItem(0, 1);
    auto* d = ReportDialog::instance<FrmReportPeriod>();
    QVERIFY(d);
    setPeriod(d->dtpPeriod(0), d->dtpPeriod(1), kMar1, kMar31);
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
    QCOMPARE(transcript(db, reports, kFolder),
             QString("progress on\n"
                     "open \\DailyIncomeReport.rpt on Reports [03/01/2013|03/31/2013|"
                     "12 Harbour Road|]\n"
                     "show \"Daily Summary Of Discharges Company Account\" tree=0 print=0 "
                     "modal=0\n"
                     "progress off"));
    const engine::ExportOptions* options = reports.exportOptions();
    QVERIFY(options);
    QCOMPARE(options->exportFileName(),
             QString("C:\\Documents and Settings\\All Users\\Desktop\\Daily Summary Of "
                     "Discharges Company Account 03-01-2013.xls"));
    QCOMPARE(options->exportDestination(), 1);
    QCOMPARE(options->exportFormat(), 29);
    // The dialog stays with its dates for another period.
    QTest::qWait(50);
    QVERIFY(d->isVisible());
    QCOMPARE(d->dtpPeriod(0)->date(), kMar1);
    d->dtpPeriod(0)->setDate(QDate(2013, 4, 2));
    d->dtpPeriod(1)->setDate(QDate(2013, 4, 2));
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
    QVERIFY(reports.exportOptions()->exportFileName().endsWith(
        "Daily Summary Of Discharges Company Account 04-02-2013.xls"));
    QVERIFY(d->isVisible());
}

void BillingDialogsTest::failureIsShownAndTheDialogStays() {
    RecordingStatements db;
    RecordingReports reports;
    db.fail("REPORTS..sp_BILLING_RepAgingPayableRecompute", "The server went away.");
    auto* d = ReportDialog::open<FrmReportPeriod>(QString("3"));
    setPeriod(d->dtpPeriod(0), d->dtpPeriod(1), kMar1, kMar31);
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
    QCOMPARE(seen.text, QString("The server went away."));
    QVERIFY(d->isVisible());
    QVERIFY(!reports.progressWindowOpen);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    reports.failNext("OpenReport", "The template /x\\Aging.rpt does not exist.");
    auto* a = ReportDialog::open<FrmAging>(QString("1"));
    setPeriod(a->dtpPeriod(0), a->dtpPeriod(1), kMar1, kMar31);
    MessageBoxSeen agingSeen;
    answerMessageBox("OK", &agingSeen);
    QTest::mouseClick(a->cmdOK(), Qt::LeftButton);
    QCOMPARE(agingSeen.text, QString("The template /x\\Aging.rpt does not exist."));
    QVERIFY(a->isVisible());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(BillingDialogsTest)
#include "tst_billingdialogs.moc"
