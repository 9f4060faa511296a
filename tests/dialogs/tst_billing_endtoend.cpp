// The billing and period dialogs end to end on the test database: each
// dialog's statement runs, its template opens with the dialog's values and
// renders to PDF.  Only the viewer is left out, so nothing waits on a user.

#include "../engine/EngineFixture.h"
#include "UiDriver.h"
#include "dialogs/billing/FrmAccountStatusReport.h"
#include "dialogs/billing/FrmAging.h"
#include "dialogs/billing/FrmAgingClass.h"
#include "dialogs/billing/FrmReportPeriod.h"
#include "platform/engine/Report.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace pelmar;
using namespace pelmar::test;

namespace {

// The real opening and binding; showing only records the caption.
class RoutinesWithoutViewer : public EngineReportRoutines {
public:
    void ShowReport(bool, const QString& caption, bool, bool) override { captions << caption; }
    void OpenProgressWindow() override {}
    void CloseProgressWindow() override {}
    QStringList captions;
};

const QDate kMar1(2012, 3, 1), kMar31(2012, 3, 31);

} // namespace

class BillingEndToEndTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<SqlConnection> connection_;
    std::unique_ptr<ConnectionStatementRunner> runner_;
    RoutinesWithoutViewer routines_;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void renders_data();
    void renders();
};

void BillingEndToEndTest::initTestCase() {
    if (!TestDatabase::available())
        QSKIP("no test database (run through scripts/test)");
    QLocale::setDefault(QLocale::c());
    useTestLogOn();
    const TestDatabase m = TestDatabase::member();
    connection_ = std::make_unique<SqlConnection>(
        ConnectionSettings{m.host, m.port, m.database, m.user, m.password});
    connection_->open();
    runner_ = std::make_unique<ConnectionStatementRunner>(*connection_);
    setStatementRunner(runner_.get());
    setReportRoutines(&routines_);
    session().CompanyName = "St. Brigid's Test Hospital";
    session().CompanyAddress = "12 Harbour Road, Port Elin";
    session().ReportsFolder = qEnvironmentVariable("PELMAR_SOURCE_DIR") + "\\REPORTS";
    session().ServerDate = QDateTime::currentDateTime();
}

void BillingEndToEndTest::cleanupTestCase() {
    setReportRoutines(nullptr);
    setStatementRunner(nullptr);
    session().CurrentReport.reset();
}

void BillingEndToEndTest::renders_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("reportType");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("caption");

    QTest::newRow("account status by station") << "status"
                                               << ""
                                               << "3"
                                               << "Patients Account Status Report";
    QTest::newRow("aging detail, receivables") << "aging"
                                               << "1"
                                               << "0"
                                               << "Aging Detailed Report";
    QTest::newRow("aging summary, payables") << "aging"
                                             << "2"
                                             << "1"
                                             << "Aging Summary Report";
    QTest::newRow("aging with interest, all") << "aging"
                                              << "9"
                                              << "2"
                                              << "Aging Summary Report";
    QTest::newRow("class 02 detailed") << "class"
                                       << ""
                                       << "detailed 02"
                                       << "Aging Analysis Report";
    QTest::newRow("class 02 summary by period 6") << "class"
                                                  << ""
                                                  << "summary 02 6"
                                                  << "Aging Analysis Report";
    QTest::newRow("account C-001") << "class"
                                   << ""
                                   << "account C-001"
                                   << "Aging Analysis Report";
    QTest::newRow("all accounts by period 6") << "class"
                                              << ""
                                              << "all - 6"
                                              << "Aging Analysis Report";
    QTest::newRow("statistics") << "period"
                                << "A"
                                << ""
                                << "Hospital Statistical Report";
    QTest::newRow("payable summary") << "period"
                                     << "4"
                                     << ""
                                     << "Payable Aging Analysis Report";
    QTest::newRow("adjustments") << "period"
                                 << "6"
                                 << ""
                                 << "Daily Adjustment Report";
    QTest::newRow("daily income") << "period"
                                  << "10"
                                  << ""
                                  << "Daily Summary Of Discharges Company Account";
    QTest::newRow("admissions") << "others"
                                << "0"
                                << ""
                                << "List Of Admissions";
    QTest::newRow("senior citizens") << "others"
                                     << "1"
                                     << ""
                                     << "Senior Citizen Income Report";
    QTest::newRow("sales") << "others"
                           << "2"
                           << ""
                           << "Quarterly Summary of Sales";
}

void BillingEndToEndTest::renders() {
    QFETCH(QString, dialog);
    QFETCH(QString, reportType);
    QFETCH(QString, choice);
    QFETCH(QString, caption);
    routines_.captions.clear();
    session().CurrentReport.reset();
    MessageBoxSeen failure;
    answerMessageBox("OK", &failure);

    QPointer<QWidget> window;
    if (dialog == "status") {
        auto* d = ReportDialog::open<FrmAccountStatusReport>();
        window = d;
        d->dtpReportDate()->setDate(kMar31);
        d->optOptions(choice.toInt())->setChecked(true);
        d->cmdOptions_Click(0);
    } else if (dialog == "aging") {
        auto* d = ReportDialog::open<FrmAging>(reportType);
        window = d;
        d->dtpPeriod(0)->setDate(kMar1);
        d->dtpPeriod(1)->setDate(kMar31);
        d->optOptions(choice.toInt())->setChecked(true);
        d->cmdOK_Click();
    } else if (dialog == "class") {
        const QStringList parts = choice.split(' ');
        auto* d = ReportDialog::open<FrmAgingClass>();
        window = d;
        d->dtStartDate()->setDate(kMar1);
        d->dtEndDate()->setDate(kMar31);
        if (parts[0] == "account")
            d->optAccountNum()->click();
        else if (parts[0] == "all")
            d->optGrandSummary()->click();
        else if (parts[0] == "summary")
            d->optSummary()->click();
        if (parts[1] != "-")
            d->txtDept(0)->setText(parts[1]);
        if (parts.size() > 2) {
            d->optPeriod()->click();
            d->txtDept(3)->setText(parts[2]);
        }
        d->cmdview_Click();
    } else {
        PeriodDialog* d =
            dialog == "others"
                ? static_cast<PeriodDialog*>(ReportDialog::open<FrmReportPeriodOthers>(reportType))
                : ReportDialog::open<FrmReportPeriod>(reportType);
        window = d;
        d->dtpPeriod(0)->setDate(kMar1);
        d->dtpPeriod(1)->setDate(kMar31);
        d->cmdOK_Click();
    }
    QVERIFY2(!failure.shown, qPrintable(failure.text));
    QCOMPARE(routines_.captions, QStringList{caption});
    const auto report = session().CurrentReport;
    QVERIFY(report);
    const QString pdf = dir_.filePath(QString(QTest::currentDataTag()).replace(' ', '_') + ".pdf");
    report->exportTo(pdf, engine::FormatPdf);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains("St. Brigid's Test Hospital"), qPrintable(text.left(2000)));
    if (window)
        delete window.data();
}

QTEST_MAIN(BillingEndToEndTest)
#include "tst_billing_endtoend.moc"
