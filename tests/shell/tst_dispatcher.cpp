#include "RecordingReports.h"
#include "UiDriver.h"
#include "dialogs/ReportDialog.h"
#include "platform/Error.h"
#include "reporting/ReportRoutines.h"
#include "shell/Dispatcher.h"
#include "shell/MenuPanel.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

using namespace pelmar;
using namespace pelmar::test;

namespace {

struct Row {
    int category, item;
    const char* caption;
    const char* dialog;
    const char* reportType; // nullptr: none is set
};

// Every menu button and the dialog it must open.
const Row kExpected[] = {
    {0, 0, "Daily Summary Of Discharges", "frmReportDateOthers", "0"},
    {0, 1, "Daily Income Report", "frmReportPeriod", "10"},
    {0, 2, "Daily Summary Of Services", "frmReportDateOthers", "2"},
    {0, 3, "Admission Logbook", "frmReportDateOthers", "3"},
    {0, 4, "OPD Registration Logbook", "frmReportDateOthers", "4"},
    {0, 5, "Daily Transactions Audit Trail", "frmAuditTrail", nullptr},
    {0, 6, "Adjustments Report", "frmReportPeriod", "6"},
    {0, 7, "Payment Summary Report", "frmReportDateOthers", "7"},
    {0, 8, "Cash Collection Report", "frmReportDate", "Cash Collection Report"},
    {1, 0, "Laboratory Examination Logbook", "frmReportDateClinical", "0"},
    {1, 1, "X-Ray Examination Logbook", "frmReportDateClinical", "1"},
    {1, 2, "Ultrasound Examination Logbook", "frmReportDateClinical", "2"},
    {1, 3, "CT Scan Examination Logbook", "frmReportDateClinical", "3"},
    {2, 0, "Patient's Account Status Report", "frmAccountStatusReport", nullptr},
    {2, 1, "Aging Analysis - Detail Report", "frmAging", "1"},
    {2, 2, "Aging Analysis - Summary", "frmAging", "2"},
    {2, 3, "Payable Aging Analysis - Detail", "frmReportPeriod", "3"},
    {2, 4, "Payable Aging Analysis - Summary", "frmReportPeriod", "4"},
    {2, 5, "Monthly Summary of Audit Trail", "frmAuditTrailMonthly", nullptr},
    {2, 6, "Monthly Apparatus Report", "frmReportMonthBefore", "6"},
    {2, 7, "Monthly Miscellaneous Report", "frmReportMonthMiscellaneous", "M"},
    {2, 8, "Aging Analysis - Summary(CLASS)", "frmAgingClass", nullptr},
    {2, 9, "Aging Computation w/ Income Interest", "frmAging", "9"},
    {3, 0, "Monthly Laboratory Report", "frmReportMonth", "0"},
    {3, 1, "Monthly XRay Report", "frmReportMonth", "1"},
    {3, 2, "Monthly Ultrasound Report", "frmReportMonth", "2"},
    {3, 3, "Monthly Operating Room Report", "frmReportMonth", "3"},
    {3, 4, "Monthly Physical Therapy Report", "frmReportMonth", "4"},
    {3, 5, "Monthly RTS Report", "frmReportMonth", "5"},
    {3, 6, "Monthly CT Scan Report", "frmReportMonth", "6"},
    {3, 7, "Monthly Delivery Room Report", "frmReportMonth", "7"},
    {3, 8, "Monthly Package Deal Report", "frmReportMonth", "8"},
    {4, 0, "List of Admissions", "frmReportPeriodOthers", "0"},
    {4, 1, "Senior Citizen Income Report", "frmReportPeriodOthers", "1"},
    {5, 0, "Year End Apparatus Report", "frmReportYearOthers", "0"},
    {5, 1, "Year End Miscellaneous Report", "frmReportMonthMiscellaneous", "Y"},
    {6, 0, "Year End Laboratory Report", "frmReportYearClinical", "0"},
    {6, 1, "Year End X Ray  Report", "frmReportYearClinical", "1"},
    {6, 2, "Year End Ultrasound Report", "frmReportYearClinical", "2"},
    {6, 3, "Year End Operating Room  Report", "frmReportYearClinical", "3"},
    {6, 4, "Year End Physical Therapy Report", "frmReportYearClinical", "4"},
    {6, 5, "Year End RTS  Report", "frmReportYearClinical", "5"},
    {6, 6, "Year End CT Scan  Report", "frmReportYearClinical", "6"},
    {6, 7, "Year End Delivery Room  Report", "frmReportYearClinical", "7"},
    {7, 0, "Miscellaneous Reports", "frmMiscellaneous", nullptr},
    {7, 1, "Quarterly Summary of Sales Report", "frmReportPeriodOthers", "2"},
};

const char* const kDialogs[] = {
    "frmReportDateOthers",
    "frmReportPeriod",
    "frmAuditTrail",
    "frmReportDate",
    "frmReportDateClinical",
    "frmAccountStatusReport",
    "frmAging",
    "frmAuditTrailMonthly",
    "frmReportMonthBefore",
    "frmReportMonthMiscellaneous",
    "frmAgingClass",
    "frmReportMonth",
    "frmReportPeriodOthers",
    "frmReportYearOthers",
    "frmReportYearClinical",
    "frmMiscellaneous",
};
constexpr int kDialogCount = int(std::size(kDialogs));

// A dialog that notes what its handlers saw.  Its caption comes from the
// ReportType at load, as the real dialogs do.
class ProbeDialog : public ReportDialog {
public:
    static inline ProbeDialog* last = nullptr;
    int loads = 0;
    QString loadedWith;
    QString okSaw;

    void ok() { okSaw = reportType(); }

protected:
    void loadForm() override {
        ++loads;
        loadedWith = reportType();
        setWindowTitle(QStringLiteral("Report ") + reportType());
        last = this;
    }
};

template <int N> class NamedDialog : public ProbeDialog {
public:
    NamedDialog() { setObjectName(QString::fromLatin1(kDialogs[N])); }
};

template <int N> void showNamed(const std::optional<QString>& reportType) {
    ReportDialog::open<NamedDialog<N>>(reportType);
}

template <int... N> void registerAll(std::integer_sequence<int, N...>) {
    (setDialogOpener(QString::fromLatin1(kDialogs[N]), &showNamed<N>), ...);
}

void unregisterAll() {
    for (const char* name : kDialogs)
        setDialogOpener(QString::fromLatin1(name), nullptr);
}

class FailingDialog : public ReportDialog {
public:
    static inline bool standardException = false;
    static inline int created = 0;
    FailingDialog() { ++created; }

protected:
    void loadForm() override {
        if (standardException)
            throw std::runtime_error("out of memory while loading");
        throw Error(QStringLiteral("The server DB1 refused the connection."));
    }
};

// A dialog whose OK handler fails, run the way the real dialogs run theirs.
class FailingOkDialog : public ReportDialog {
public:
    bool pressOk() {
        return runHandler([] { throw Error(QStringLiteral("The template is missing.")); });
    }
};

void showFailing(const std::optional<QString>& reportType) {
    ReportDialog::open<FailingDialog>(reportType);
}

void closeTopLevelDialogs() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<ReportDialog*>(w))
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class DispatcherTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void tableHasEveryButtonOnce();
    void tableHasEveryButtonOnce_data();
    void withoutDialogsEveryButtonIsDisabled();
    void everyButtonOpensItsDialogWithItsReportType_data();
    void everyButtonOpensItsDialogWithItsReportType();
    void secondClickBringsTheOpenDialogForward();
    void closedDialogLoadsAfresh();
    void failedLoadShowsTheErrorAndGoesOn_data();
    void failedLoadShowsTheErrorAndGoesOn();
    void dialogShownDirectlyStillLoadsOnce();
    void failedHandlerKeepsTheDialogOpen();
};

void DispatcherTest::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
}

void DispatcherTest::cleanup() {
    unregisterAll();
    closeTopLevelDialogs();
    ProbeDialog::last = nullptr;
}

void DispatcherTest::tableHasEveryButtonOnce_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kExpected)); ++i)
        QTest::newRow(kExpected[i].caption) << i;
}

void DispatcherTest::tableHasEveryButtonOnce() {
    QFETCH(int, row);
    const Row& want = kExpected[row];
    const MenuEntry* entry = findMenuEntry(want.category, want.item);
    QVERIFY(entry);
    QCOMPARE(QString::fromLatin1(entry->caption), QString::fromLatin1(want.caption));
    QCOMPARE(QString::fromLatin1(entry->dialog), QString::fromLatin1(want.dialog));
    QCOMPARE(entry->reportType == nullptr, want.reportType == nullptr);
    if (want.reportType)
        QCOMPARE(QString::fromLatin1(entry->reportType), QString::fromLatin1(want.reportType));
    // The panel shows the same captions, in item order.
    QCOMPARE(MenuPanel::categoryItems(want.category).value(want.item),
             QString::fromLatin1(want.caption));
    QCOMPARE(int(menuEntries().size()), int(std::size(kExpected)));
}

void DispatcherTest::withoutDialogsEveryButtonIsDisabled() {
    MenuPanel panel(MenuPanel::SignedInUser{"Ana", "DB1"});
    panel.resize(1000, 700);
    panel.load();
    panel.show();
    for (int category = 0; category < 8; ++category) {
        panel.categoryClick(category);
        const int items = int(MenuPanel::categoryItems(category).size());
        for (int item = 0; item < items; ++item) {
            FlatPictureButton* button = panel.fltSubMenu(item);
            QVERIFY2(button->isVisible() && !button->isEnabled(), qPrintable(button->text()));
        }
    }
    // A click on a disabled button does nothing at all: no dialog, no message.
    panel.categoryClick(0);
    QTest::mouseClick(panel.fltSubMenu(1), Qt::LeftButton);
    QTest::qWait(50);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    // Called directly, a button without a dialog is an error naming it.
    try {
        OpenMenuItem(0, 1);
        QFAIL("expected an error");
    } catch (const Error& error) {
        QVERIFY(error.description().contains("Daily Income Report"));
    }
    QVERIFY_THROWS_EXCEPTION(Error, OpenMenuItem(7, 5));
}

void DispatcherTest::everyButtonOpensItsDialogWithItsReportType_data() {
    tableHasEveryButtonOnce_data();
}

void DispatcherTest::everyButtonOpensItsDialogWithItsReportType() {
    QFETCH(int, row);
    const Row& want = kExpected[row];
    registerAll(std::make_integer_sequence<int, kDialogCount>{});

    MenuPanel panel(MenuPanel::SignedInUser{"Ana", "DB1"});
    panel.resize(1000, 700);
    panel.load();
    panel.show();
    QTest::mouseClick(panel.cmdMainMenu(want.category), Qt::LeftButton);
    FlatPictureButton* button = panel.fltSubMenu(want.item);
    QCOMPARE(button->text(), QString::fromLatin1(want.caption));
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);

    ProbeDialog* dialog = ProbeDialog::last;
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QString::fromLatin1(want.dialog));
    QCOMPARE(dialog->loadedWith,
             want.reportType ? QString::fromLatin1(want.reportType) : QString());
    QCOMPARE(dialog->loads, 1);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->parentWidget(), nullptr);
}

void DispatcherTest::secondClickBringsTheOpenDialogForward() {
    registerAll(std::make_integer_sequence<int, kDialogCount>{});
    MenuPanel panel(MenuPanel::SignedInUser{"Ana", "DB1"});
    panel.resize(1000, 700);
    panel.load();
    panel.show();
    panel.categoryClick(2);

    panel.fltSubMenu(2)->click(); // Aging Analysis - Summary
    ProbeDialog* aging = ProbeDialog::last;
    QVERIFY(aging);
    QCOMPARE(aging->windowTitle(), QString("Report 2"));

    panel.activateWindow();
    panel.fltSubMenu(1)->click(); // Aging Analysis - Detail Report
    QCOMPARE(ProbeDialog::last, aging);
    QCOMPARE(aging->loads, 1);
    QCOMPARE(aging->windowTitle(), QString("Report 2"));
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(aging));
    aging->ok();
    QCOMPARE(aging->okSaw, QString("1"));

    // A button without ReportType leaves the open dialog's value alone.
    QCOMPARE(ReportDialog::open<NamedDialog<6>>(std::nullopt), static_cast<ProbeDialog*>(aging));
    aging->ok();
    QCOMPARE(aging->okSaw, QString("1"));
}

void DispatcherTest::closedDialogLoadsAfresh() {
    registerAll(std::make_integer_sequence<int, kDialogCount>{});
    OpenMenuItem(2, 7); // Monthly Miscellaneous Report
    QPointer<ProbeDialog> first = ProbeDialog::last;
    QCOMPARE(first->loadedWith, QString("M"));
    first->reject();
    QTRY_VERIFY(first.isNull());
    QCOMPARE(ReportDialog::instance<NamedDialog<9>>(), nullptr);

    OpenMenuItem(5, 1); // Year End Miscellaneous Report, the same dialog
    ProbeDialog* second = ProbeDialog::last;
    QVERIFY(second);
    QCOMPARE(second->loads, 1);
    QCOMPARE(second->loadedWith, QString("Y"));
    QCOMPARE(second->objectName(), QString("frmReportMonthMiscellaneous"));
}

void DispatcherTest::failedLoadShowsTheErrorAndGoesOn_data() {
    QTest::addColumn<bool>("standardException");
    QTest::addColumn<QString>("message");
    QTest::newRow("program error") << false << "The server DB1 refused the connection.";
    QTest::newRow("other exception") << true << "out of memory while loading";
}

void DispatcherTest::failedLoadShowsTheErrorAndGoesOn() {
    QFETCH(bool, standardException);
    QFETCH(QString, message);
    FailingDialog::standardException = standardException;
    registerAll(std::make_integer_sequence<int, kDialogCount>{});
    setDialogOpener("frmAging", &showFailing);

    MenuPanel panel(MenuPanel::SignedInUser{"Ana", "DB1"});
    panel.resize(1000, 700);
    panel.load();
    panel.show();
    panel.categoryClick(2);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const int created = FailingDialog::created;
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    QTest::mouseClick(panel.fltSubMenu(1), Qt::LeftButton);
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, message);
    QCOMPARE(FailingDialog::created, created + 1);
    QCOMPARE(ReportDialog::instance<FailingDialog>(), nullptr);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // The panel goes on: the next button still opens its dialog.
    QTest::mouseClick(panel.fltSubMenu(6), Qt::LeftButton);
    QVERIFY(ProbeDialog::last);
    QCOMPARE(ProbeDialog::last->objectName(), QString("frmReportMonthBefore"));
    QCOMPARE(ProbeDialog::last->loadedWith, QString("6"));
}

void DispatcherTest::dialogShownDirectlyStillLoadsOnce() {
    auto* dialog = new NamedDialog<0>;
    dialog->setReportType("3");
    dialog->show();
    QCOMPARE(dialog->loads, 1);
    QCOMPARE(dialog->loadedWith, QString("3"));
    dialog->hide();
    dialog->show();
    QCOMPARE(dialog->loads, 1);

    // Shown directly, a failing load is reported and the dialog goes away.
    FailingDialog::standardException = false;
    QPointer<FailingDialog> failing = new FailingDialog;
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    failing->show();
    QTRY_VERIFY(seen.shown);
    QCOMPARE(seen.text, QString("The server DB1 refused the connection."));
    QTRY_VERIFY(failing.isNull());
}

void DispatcherTest::failedHandlerKeepsTheDialogOpen() {
    RecordingReports reports;
    FailingOkDialog* dialog = ReportDialog::open<FailingOkDialog>(QString("0"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    OpenProgressWindow();
    QVERIFY(reports.progressWindowOpen);
    MessageBoxSeen seen;
    answerMessageBox("OK", &seen);
    QVERIFY(!dialog->pressOk());
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QString("The template is missing."));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(!reports.progressWindowOpen);
    QVERIFY(dialog->isVisible());
    QCOMPARE(ReportDialog::instance<FailingOkDialog>(), dialog);
}

QTEST_MAIN(DispatcherTest)
#include "tst_dispatcher.moc"
