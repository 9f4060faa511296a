// The program's own windows on the real database and the real templates:
// every date dialog of the menu and every batch window with all its boxes
// ticked produce their reports without a single failure, each report on
// screen with pages that carry the hospital's name.

#include "TestDatabase.h"
#include "dialogs/DateEntryDialog.h"
#include "dialogs/ReportDialogs.h"
#include "dialogs/daily/FrmEndOfDay.h"
#include "dialogs/monthly/FrmReportAfterEOM.h"
#include "dialogs/monthly/FrmReportBeforeEOM.h"
#include "dialogs/monthly/FrmReportYearEnd.h"
#include "platform/engine/Document.h"
#include "platform/engine/ReportViewer.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "platform/user/UserSession.h"
#include "reporting/ReportViewerWindows.h"
#include "shell/Dispatcher.h"
#include "shell/Workspace.h"
#include "startup/Main.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace pelmar;
using namespace pelmar::test;

namespace {

// Answers whatever modal window comes up: a message box is a failure to
// report, a modal viewer is a report to count and close.
class ModalWatcher : public QObject {
public:
    QStringList messages;
    QStringList modalTitles;
    int emptyModalViewers = 0;

    ModalWatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] { answer(); });
        timer_.start(10);
    }

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            box->done(QMessageBox::Ok);
        } else if (auto* viewer = qobject_cast<frmReportViewervbModal*>(modal)) {
            modalTitles << viewer->windowTitle();
            if (viewer->viewer()->pageCount() < 1)
                ++emptyModalViewers;
            viewer->close();
        }
    }
    QTimer timer_;
};

} // namespace

class WindowsEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void dateDialogsOfTheMenu();
    void batchWindows_data();
    void batchWindows();

private:
    QStringList childViewerProblems() const;

    std::unique_ptr<UserSession> user_;
    std::unique_ptr<ConnectionStatementRunner> runner_;
    QMdiArea workspace_;
};

void WindowsEndToEndTest::initTestCase() {
    if (!TestDatabase::available())
        QSKIP("needs the test cluster of scripts/test");
    QLocale::setDefault(QLocale::c());
    const TestDatabase m = TestDatabase::member();
    user_ = std::make_unique<UserSession>();
    user_->setPasswordDeptCode(kReportsModuleCode);
    user_->signIn({m.host, m.port, m.database, m.user, m.password});
    runner_ = std::make_unique<ConnectionStatementRunner>(user_->sqlConnection());
    setStatementRunner(runner_.get());

    SessionContext& s = session();
    s.CurrentUser = user_.get();
    s.CompanyName = "St. Brigid's Test Hospital";
    s.CompanyAddress = "12 Harbour Road, Port Elin";
    s.ServerDate = QDateTime(QDate(2012, 3, 15), QTime(16, 0));
    s.ReportsFolder = qEnvironmentVariable("PELMAR_SOURCE_DIR") + "\\REPORTS";
    setMainWorkspace(&workspace_);
    workspace_.resize(1200, 900);
    workspace_.show();
    registerReportDialogs();
}

void WindowsEndToEndTest::cleanup() {
    workspace_.closeAllSubWindows();
    QTest::qWait(0);
}

// Child viewers that show nothing, or not this hospital.
QStringList WindowsEndToEndTest::childViewerProblems() const {
    QStringList problems;
    for (QMdiSubWindow* window : workspace_.subWindowList()) {
        auto* viewer = qobject_cast<frmReportViewer*>(window->widget());
        if (!viewer)
            continue;
        if (viewer->viewer()->pageCount() < 1)
            problems << window->windowTitle() + ": no pages";
        else if (!viewer->viewer()->findText("St. Brigid's Test Hospital"))
            problems << window->windowTitle() + ": no hospital name";
    }
    return problems;
}

void WindowsEndToEndTest::dateDialogsOfTheMenu() {
    ModalWatcher watcher;
    QStringList ran;
    for (const MenuEntry& entry : menuEntries()) {
        if (!dialogOpener(entry))
            continue;
        OpenMenuItem(entry.category, entry.item);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<ReportDialog*>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            if (auto* dateEntry = qobject_cast<DateEntryDialog*>(dialog)) {
                dateEntry->cmdOptions_Click(0);
                ran << QString::fromLatin1(entry.caption);
            }
            dialog->close();
        }
    }
    QVERIFY2(ran.size() >= 20, qPrintable(ran.join('\n')));
    QVERIFY2(watcher.messages.isEmpty(), qPrintable(watcher.messages.join("\n---\n")));
    QVERIFY2(watcher.emptyModalViewers == 0, "a modal viewer showed no pages");
    const QStringList problems = childViewerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QVERIFY(workspace_.subWindowList().size() >= ran.size() - 4);
}

void WindowsEndToEndTest::batchWindows_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("reports"); // one per box that produces a report
    QTest::newRow("End of Day") << "EndOfDay" << 13;
    QTest::newRow("Before EOM, account status box runs nothing") << "BeforeEOM" << 4;
    QTest::newRow("After EOM, box 8 runs nothing") << "AfterEOM" << 17;
    QTest::newRow("Year End") << "EndOfYear" << 9;
}

void WindowsEndToEndTest::batchWindows() {
    QFETCH(QString, window);
    QFETCH(int, reports);
    ModalWatcher watcher;
    BatchWindow* batch = nullptr;
    if (window == "EndOfDay")
        batch = ReportDialog::open<FrmEndOfDay>();
    else if (window == "BeforeEOM")
        batch = ReportDialog::open<FrmReportBeforeEOM>();
    else if (window == "AfterEOM")
        batch = ReportDialog::open<FrmReportAfterEOM>();
    else
        batch = ReportDialog::open<FrmReportYearEnd>();
    QPointer<BatchWindow> alive(batch);
    batch->cmdSelectAll_Click();
    batch->cmdOK_Click(1);

    QVERIFY2(watcher.messages.isEmpty(), qPrintable(watcher.messages.join("\n---\n")));
    QVERIFY2(watcher.emptyModalViewers == 0, "a modal viewer showed no pages");
    const QStringList problems = childViewerProblems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QCOMPARE(int(workspace_.subWindowList().size() + watcher.modalTitles.size()), reports);
    if (alive)
        alive->close();
}

QTEST_MAIN(WindowsEndToEndTest)
#include "tst_e2e_windows.moc"
