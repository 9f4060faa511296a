#include "UiDriver.h"
#include "shell/MdiReportForm.h"
#include "shell/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>
#include <QWindow>

using namespace pelmar;
using namespace pelmar::test;

namespace {

QStringList captionsOf(const QList<QAction*>& actions) {
    QStringList captions;
    for (QAction* a : actions)
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

QMdiSubWindow* addChild(MdiReportForm& form, const QString& title) {
    auto* child = form.workspace()->addSubWindow(new QWidget);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowTitle(title);
    child->show();
    return child;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void captionMenusAndToolbar();
    void toolbarButtonsOpenTheirWindows();
    void windowMenuListsAndSwitchesChildren();
    void answeringNoKeepsTheWindowAndClosesChildren_data();
    void answeringNoKeepsTheWindowAndClosesChildren();
    void answeringYesCloses();
    void cancelledPageSetupSaysNothing();

private:
    int menuPanelShown_ = 0;
    int endOfDayOpened_ = 0;
};

void MainWindowTest::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    MdiReportForm::setMenuPanelOpener([this](QWidget*) { ++menuPanelShown_; });
    MdiReportForm::setWindowOpener("EndOfDay", [this](QWidget*) { ++endOfDayOpened_; });
}

void MainWindowTest::captionMenusAndToolbar() {
    MdiReportForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QString("Pelmar - Reports"));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(mainWorkspace(), form.workspace());

    QCOMPARE(captionsOf(form.menuBar()->actions()), (QStringList{"&File", "&Window"}));
    auto* file = form.findChild<QMenu*>("mnuFile");
    QCOMPARE(captionsOf(file->actions()), (QStringList{"&Page Setup", "-", "E&xit"}));

    QToolBar* toolbar = form.toolbar();
    QVERIFY(toolbar->isVisible());
    QStringList keys, tips;
    for (QAction* a : toolbar->actions()) {
        keys << a->objectName();
        tips << a->toolTip();
        QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
    }
    QCOMPARE(keys, (QStringList{"EndOfDay", "BeforeEOM", "AfterEOM", "EndOfYear", "Exit"}));
    QCOMPARE(tips[0], QString("Shows the options for the End Of Day Reports"));
    QCOMPARE(tips[2], QString("Shows the options for the reports AFTER END OF MONTH"));
    QCOMPARE(tips[3], QString("Shows the Options for YEARLY REPORTS"));
    QCOMPARE(tips[4], QString("QUITS the system"));
}

void MainWindowTest::toolbarButtonsOpenTheirWindows() {
    MdiReportForm form;
    form.show();
    // A window that is not in the program is a disabled button, never a
    // silent one; one that is opens on click.
    QVERIFY(form.findChild<QAction*>("EndOfDay")->isEnabled());
    QVERIFY(!form.findChild<QAction*>("AfterEOM")->isEnabled());
    QVERIFY(form.findChild<QAction*>("Exit")->isEnabled());
    const int before = endOfDayOpened_;
    form.findChild<QAction*>("EndOfDay")->trigger();
    QCOMPARE(endOfDayOpened_, before + 1);
}

void MainWindowTest::windowMenuListsAndSwitchesChildren() {
    MdiReportForm form;
    form.show();
    addChild(form, "Daily Income Report");
    addChild(form, "Aging Report");
    auto* menu = form.findChild<QMenu*>("mnuWindow");
    emit menu->aboutToShow();
    const QStringList captions = captionsOf(menu->actions());
    QVERIFY(captions.contains("&1 Daily Income Report"));
    QVERIFY(captions.contains("&2 Aging Report"));
    menu->actions()[captions.indexOf("&1 Daily Income Report")]->trigger();
    QCOMPARE(form.workspace()->activeSubWindow()->windowTitle(), QString("Daily Income Report"));
}

void MainWindowTest::answeringNoKeepsTheWindowAndClosesChildren_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("File, Exit") << false;
    QTest::newRow("close box") << true;
}

void MainWindowTest::answeringNoKeepsTheWindowAndClosesChildren() {
    QFETCH(bool, closeBox);
    MdiReportForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    addChild(form, "Viewer 1");
    addChild(form, "Viewer 2");
    const int panelsBefore = menuPanelShown_;

    MessageBoxSeen seen;
    answerMessageBox("No", &seen);
    if (closeBox)
        form.windowHandle()->close();
    else
        form.findChild<QAction*>("mnuExit")->trigger();

    QVERIFY(seen.shown);
    QCOMPARE(seen.title, QString("Message"));
    QCOMPARE(seen.text, QString("Are you sure you wish to Close the Program?"));
    QCOMPARE(seen.icon, int(QMessageBox::Critical));
    QVERIFY(form.isVisible());
    QTRY_VERIFY(form.workspace()->subWindowList().isEmpty());
    QCOMPARE(menuPanelShown_, panelsBefore + 1);
}

void MainWindowTest::answeringYesCloses() {
    MdiReportForm form;
    form.show();
    MessageBoxSeen seen;
    answerMessageBox("Yes", &seen);
    form.findChild<QAction*>("Exit")->trigger();
    QVERIFY(seen.shown);
    QVERIFY(!form.isVisible());
}

void MainWindowTest::cancelledPageSetupSaysNothing() {
    MdiReportForm form;
    form.show();
    QString dialogTitle;
    whenModalAppears([&](QWidget* dialog) {
        dialogTitle = dialog->windowTitle();
        qobject_cast<QDialog*>(dialog)->reject();
    });
    form.findChild<QAction*>("mnuPageSetup")->trigger();
    QCOMPARE(dialogTitle, QString("Page Setup"));
    QTest::qWait(100);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!(qobject_cast<QMessageBox*>(w) && w->isVisible()));
    QVERIFY(form.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
