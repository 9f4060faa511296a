#include "UiDriver.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "shell/Dispatcher.h"
#include "shell/MdiReportForm.h"
#include "shell/MenuPanel.h"
#include "shell/Twips.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace pelmar;
using namespace pelmar::test;

namespace {

const QStringList kCategories = {
    "End of Day (Others)",
    "End of Day (Clinical Area)",
    "End of Month (Others)",
    "End of Month (Clinical Area)",
    "By Period",
    "End of the &Year Reports (Others)",
    "End of the &Year Reports (Clinical Area)",
    "Maintenance",
};

// The panel's column: top 60, 7455 high; category buttons 315 high, stacked
// 100 twips above its bottom edge when they follow the selected one.
constexpr double kStackBase = 60 + 7455 - 100;
constexpr double kButtonHeight = 315;

struct Fixture {
    MenuPanel panel{MenuPanel::SignedInUser{"Ana", "DB1"}};
    Fixture() {
        panel.resize(1000, 700);
        panel.load();
        panel.show();
    }
};

QList<int> visibleSubMenus(const MenuPanel& panel) {
    QList<int> shown;
    for (int j = 0; j < panel.fltSubMenuCount(); ++j)
        if (panel.fltSubMenu(j)->isVisible())
            shown << j;
    return shown;
}

void openPeriodDialog(const std::optional<QString>&) {}

} // namespace

class MenuPanelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void designAfterLoad();
    void categorySelection_data();
    void categorySelection();
    void switchingHidesTheOtherButtons();
    void splitterStopsAtItsLimits_data();
    void splitterStopsAtItsLimits();
    void splitterFollowsTheMouse();
    void sizeControlsClamps_data();
    void sizeControlsClamps();
    void statusBarShowsUserServerDateAndTime();
    void unreadablePictureNamesItsPath();
    void picturesAreDistinctAndFit();
    void buttonsOfExistingDialogsAreEnabled();
    void everyControlHasAnAccessibleName();
    void mainWindowShowsThePanelAndReloadsItAfterNo();
};

void MenuPanelTest::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale::c());
}

void MenuPanelTest::designAfterLoad() {
    Fixture f;
    MenuPanel& panel = f.panel;
    QCOMPARE(panel.objectName(), QString("frmMain"));
    QCOMPARE(panel.SelectedCategory(), 0);
    QCOMPARE(panel.ImageBase(), 1);
    QCOMPARE(panel.twips(panel.picMainMenu()), QRectF(60, 60, 3735, 7455));
    QCOMPARE(panel.picMainMenu()->palette().color(QPalette::Window), QColor(4, 134, 183));
    QCOMPARE(panel.twips(panel.imgSplitter()), QRectF(3720, 60, 150, 6645));
    QCOMPARE(panel.twips(panel.image1()), QRectF(3840, 60, 9975, 6975));
    QVERIFY(!panel.picSplitter()->isVisible());
    QCOMPARE(panel.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(panel.imgSplitter()->cursor().shape(), Qt::SizeHorCursor);

    // Eight categories and a hidden ninth button.
    QCOMPARE(panel.cmdMainMenuCount(), 9);
    QVERIFY(!panel.cmdMainMenu(8)->isVisible());
    for (int i = 0; i < 8; ++i) {
        QPushButton* button = panel.cmdMainMenu(i);
        QCOMPARE(button->text(), kCategories[i]);
        QVERIFY(button->isVisible());
        const QRectF at = panel.twips(button);
        QCOMPARE(at.left(), 0.0);
        QCOMPARE(at.size(), QSizeF(3675, 315));
        QCOMPARE(at.top(), i == 0 ? 0.0 : kStackBase - (8 - i) * kButtonHeight);
        // The widget sits where its twips say.
        QCOMPARE(button->geometry(), twipsToPixels(at, &panel));
    }

    // Nine reports under the first category, eleven buttons in all.
    QCOMPARE(panel.fltSubMenuCount(), 11);
    QCOMPARE(visibleSubMenus(panel), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    for (int j = 0; j < 9; ++j) {
        FlatPictureButton* button = panel.fltSubMenu(j);
        QCOMPARE(panel.twips(button), QRectF(60, 335 + 505 * j, 3555, 465));
        QCOMPARE(button->font().family(), QString("Ms Sans Serif"));
        QVERIFY(button->font().bold());
        QCOMPARE(button->font().pointSizeF(), 8.25);
        QCOMPARE(button->background(), QColor(4, 134, 183));
        QCOMPARE(button->highlight(), QColor(128, 255, 255));
        QCOMPARE(button->shadow(), QColor(0, 255, 255));
        QCOMPARE(button->textColour(), QColor(Qt::white));
        QCOMPARE(button->picture().toImage(), MenuPanel::ImageListBig(1 + j).toImage());
    }
    QCOMPARE(panel.fltSubMenu(8)->text(), QString("Cash Collection Report"));
}

void MenuPanelTest::categorySelection_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("imageBase");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<double>("step");
    QTest::newRow("End of Day (Clinical Area)")
        << 1 << 10
        << QStringList{"Laboratory Examination Logbook", "X-Ray Examination Logbook",
                       "Ultrasound Examination Logbook", "CT Scan Examination Logbook"}
        << 505.0;
    QTest::newRow("End of Month (Others)")
        << 2 << 14
        << QStringList{"Patient's Account Status Report",  "Aging Analysis - Detail Report",
                       "Aging Analysis - Summary",         "Payable Aging Analysis - Detail",
                       "Payable Aging Analysis - Summary", "Monthly Summary of Audit Trail",
                       "Monthly Apparatus Report",         "Monthly Miscellaneous Report",
                       "Aging Analysis - Summary(CLASS)",  "Aging Computation w/ Income Interest"}
        << 487.0;
    QTest::newRow("End of Month (Clinical Area)")
        << 3 << 22
        << QStringList{"Monthly Laboratory Report",       "Monthly XRay Report",
                       "Monthly Ultrasound Report",       "Monthly Operating Room Report",
                       "Monthly Physical Therapy Report", "Monthly RTS Report",
                       "Monthly CT Scan Report",          "Monthly Delivery Room Report",
                       "Monthly Package Deal Report"}
        << 505.0;
    QTest::newRow("By Period") << 4 << 31
                               << QStringList{"List of Admissions", "Senior Citizen Income Report"}
                               << 505.0;
    QTest::newRow("Year End (Others)")
        << 5 << 32 << QStringList{"Year End Apparatus Report", "Year End Miscellaneous Report"}
        << 505.0;
    QTest::newRow("Year End (Clinical Area)")
        << 6 << 33
        << QStringList{"Year End Laboratory Report",       "Year End X Ray  Report",
                       "Year End Ultrasound Report",       "Year End Operating Room  Report",
                       "Year End Physical Therapy Report", "Year End RTS  Report",
                       "Year End CT Scan  Report",         "Year End Delivery Room  Report"}
        << 505.0;
    QTest::newRow("Maintenance") << 7 << 41
                                 << QStringList{"Miscellaneous Reports",
                                                "Quarterly Summary of Sales Report"}
                                 << 505.0;
}

void MenuPanelTest::categorySelection() {
    QFETCH(int, category);
    QFETCH(int, imageBase);
    QFETCH(QStringList, captions);
    QFETCH(double, step);
    Fixture f;
    MenuPanel& panel = f.panel;
    QTest::mouseClick(panel.cmdMainMenu(category), Qt::LeftButton);
    QCOMPARE(panel.SelectedCategory(), category);
    QCOMPARE(panel.ImageBase(), imageBase);

    // The chosen category and those before it stack from the top, the rest
    // at the bottom of the column.
    for (int i = 0; i < 8; ++i) {
        const double top = panel.twips(panel.cmdMainMenu(i)).top();
        QCOMPARE(top, i <= category ? i * kButtonHeight : kStackBase - (8 - i) * kButtonHeight);
    }
    // The reports follow the chosen category, 20 twips below it, 40 apart,
    // closer where ten of them would otherwise run under the stacked
    // categories.
    const double first = (category + 1) * kButtonHeight + 20;
    QStringList shown;
    for (int j : visibleSubMenus(panel)) {
        FlatPictureButton* button = panel.fltSubMenu(j);
        shown << button->text();
        QCOMPARE(panel.twips(button).top(), first + j * step);
        if (category < 7)
            QVERIFY(panel.twips(button).bottom() <=
                    panel.twips(panel.cmdMainMenu(category + 1)).top());
        QCOMPARE(button->picture().toImage(), MenuPanel::ImageListBig(imageBase + j).toImage());
    }
    QCOMPARE(shown, captions);
}

void MenuPanelTest::switchingHidesTheOtherButtons() {
    Fixture f;
    MenuPanel& panel = f.panel;
    QCOMPARE(visibleSubMenus(panel).size(), 9);
    panel.cmdMainMenu(2)->click();
    QCOMPARE(visibleSubMenus(panel).size(), 10);
    panel.cmdMainMenu(4)->click();
    QCOMPARE(visibleSubMenus(panel), (QList<int>{0, 1}));
    panel.cmdMainMenu(0)->click();
    QCOMPARE(visibleSubMenus(panel).size(), 9);
    QCOMPARE(panel.SelectedCategory(), 0);
}

void MenuPanelTest::splitterStopsAtItsLimits_data() {
    QTest::addColumn<double>("mouseX");
    QTest::addColumn<double>("barLeft"); // negative: window width minus it
    QTest::addColumn<double>("panelWidth");
    QTest::newRow("far left") << -9000.0 << 500.0 << 1500.0;
    QTest::newRow("inside") << 1280.0 << 5000.0 << 5000.0;
    QTest::newRow("far right") << 90000.0 << -500.0 << -1500.0;
}

void MenuPanelTest::splitterStopsAtItsLimits() {
    QFETCH(double, mouseX);
    QFETCH(double, barLeft);
    QFETCH(double, panelWidth);
    Fixture f;
    MenuPanel& panel = f.panel;
    const double width = panel.windowWidthTwips();
    if (barLeft < 0)
        barLeft += width;
    if (panelWidth < 0)
        panelWidth += width;

    panel.splitterMouseDown();
    QVERIFY(panel.Moving());
    QVERIFY(panel.picSplitter()->isVisible());
    QCOMPARE(panel.twips(panel.picSplitter()), QRectF(3720, 60, 75, 6625));
    panel.splitterMouseMove(mouseX);
    QCOMPARE(panel.twips(panel.picSplitter()).left(), barLeft);
    // Only the bar moves while dragging.
    QCOMPARE(panel.twips(panel.picMainMenu()).width(), 3735.0);

    panel.splitterMouseUp();
    QVERIFY(!panel.Moving());
    QVERIFY(!panel.picSplitter()->isVisible());
    QCOMPARE(panel.twips(panel.picMainMenu()).width(), panelWidth);
    for (int i = 0; i < panel.cmdMainMenuCount(); ++i)
        QCOMPARE(panel.twips(panel.cmdMainMenu(i)).width(), panelWidth - 60);
    for (int j = 0; j < panel.fltSubMenuCount(); ++j)
        QCOMPARE(panel.twips(panel.fltSubMenu(j)).width(), panelWidth - 180);
    QCOMPARE(panel.twips(panel.imgSplitter()), QRectF(panelWidth, 60, 150, 7455));
    QCOMPARE(panel.twips(panel.image1()).left(), panelWidth + 150);
    QCOMPARE(panel.twips(panel.image1()).width(), width - (panelWidth + 240));

    // Moving without a press does nothing.
    panel.splitterMouseMove(2000);
    QVERIFY(!panel.picSplitter()->isVisible());
}

void MenuPanelTest::splitterFollowsTheMouse() {
    Fixture f;
    MenuPanel& panel = f.panel;
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QWidget* handle = panel.imgSplitter();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 20));
    QVERIFY(panel.Moving());
    QMouseEvent move(QEvent::MouseMove, QPointF(-300, 20), handle->mapToGlobal(QPointF(-300, 20)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QCOMPARE(panel.twips(panel.picSplitter()).left(), 500.0);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(-300, 20));
    QVERIFY(!panel.Moving());
    QCOMPARE(panel.twips(panel.cmdMainMenu(3)).width(), 1440.0);
    QCOMPARE(panel.cmdMainMenu(3)->width(), twipsToPixels(1440, &panel));
}

void MenuPanelTest::sizeControlsClamps_data() {
    QTest::addColumn<double>("requested");
    QTest::addColumn<double>("clamped"); // negative: window width minus it
    QTest::newRow("below the least") << 200.0 << 1500.0;
    QTest::newRow("the least") << 1500.0 << 1500.0;
    QTest::newRow("between") << 4321.5 << 4321.5;
    QTest::newRow("beyond the window") << 1e6 << -1500.0;
}

void MenuPanelTest::sizeControlsClamps() {
    QFETCH(double, requested);
    QFETCH(double, clamped);
    Fixture f;
    MenuPanel& panel = f.panel;
    if (clamped < 0)
        clamped += panel.windowWidthTwips();
    double x = requested;
    panel.SizeControls(x);
    QCOMPARE(x, clamped);
    QCOMPARE(panel.twips(panel.cmdMainMenu(0)).width(), clamped - 60);
    QCOMPARE(panel.twips(panel.fltSubMenu(10)).width(), clamped - 180);
}

void MenuPanelTest::statusBarShowsUserServerDateAndTime() {
    Fixture f;
    MenuPanel& panel = f.panel;
    QCOMPARE(panel.statusPanel(1)->text(), QString("Current User: Ana         SERVER NAME: DB1"));
    const QString date = panel.statusPanel(2)->text();
    QVERIFY2(date == QDate::currentDate().toString("MM/dd/yyyy") ||
                 date == QDate::currentDate().addDays(-1).toString("MM/dd/yyyy"),
             qPrintable(date));
    QVERIFY2(QRegularExpression("^\\d{1,2}:\\d\\d (AM|PM)$")
                 .match(panel.statusPanel(3)->text())
                 .hasMatch(),
             qPrintable(panel.statusPanel(3)->text()));
    // The clock keeps going.
    panel.statusPanel(3)->setText("stale");
    QTRY_VERIFY_WITH_TIMEOUT(panel.statusPanel(3)->text() != "stale", 3000);
    QVERIFY(panel.statusBar()->geometry().bottom() == panel.rect().bottom());
}

void MenuPanelTest::unreadablePictureNamesItsPath() {
    // The picture next to the program loads.
    {
        Fixture f;
        QVERIFY(QFile::exists(nativePath(applicationFolder() + "\\Reports.Jpg")));
    }
    QTemporaryDir dir;
    const QString missing = dir.filePath("Reports.Jpg");
    const QString garbage = dir.filePath("Garbage.Jpg");
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    for (const QString& path : {missing, garbage}) {
        try {
            MenuPanel::readPicture(path);
            QFAIL("expected an error");
        } catch (const Error& error) {
            QVERIFY2(error.description().contains(path), qPrintable(error.description()));
        }
    }
}

void MenuPanelTest::picturesAreDistinctAndFit() {
    QList<QImage> seen;
    for (int n = 1; n <= 42; ++n) {
        const QImage picture = MenuPanel::ImageListBig(n).toImage();
        QVERIFY2(!picture.isNull(), qPrintable(QString::number(n)));
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY2(!seen.contains(picture), qPrintable(QString("picture %1 repeats").arg(n)));
        seen << picture;
    }
    // The picture fits its button's height.
    Fixture f;
    QVERIFY(f.panel.fltSubMenu(0)->height() >= 24);
}

void MenuPanelTest::buttonsOfExistingDialogsAreEnabled() {
    setDialogOpener("frmReportPeriod", &openPeriodDialog);
    Fixture f;
    MenuPanel& panel = f.panel;
    QList<bool> enabled;
    for (int j : visibleSubMenus(panel))
        enabled << panel.fltSubMenu(j)->isEnabled();
    // Daily Income Report and Adjustments Report open the period dialog.
    QCOMPARE(enabled, (QList<bool>{false, true, false, false, false, false, true, false, false}));
    setDialogOpener("frmReportPeriod", nullptr);
    panel.cmdMainMenu(0)->click();
    QVERIFY(!panel.fltSubMenu(1)->isEnabled());
}

void MenuPanelTest::everyControlHasAnAccessibleName() {
    Fixture f;
    MenuPanel& panel = f.panel;
    for (int category = 0; category < 8; ++category) {
        panel.cmdMainMenu(category)->click();
        const QList<QWidget*> controls = panel.findChildren<QWidget*>();
        for (QWidget* control : controls) {
            if (!control->isVisibleTo(&panel) || control->objectName().startsWith("qt_"))
                continue;
            QVERIFY2(!control->accessibleName().isEmpty(),
                     qPrintable(control->metaObject()->className() + QString(" ") +
                                control->objectName()));
        }
    }
    QCOMPARE(panel.cmdMainMenu(5)->accessibleName(), QString("End of the Year Reports (Others)"));
    panel.cmdMainMenu(6)->click();
    QCOMPARE(panel.fltSubMenu(1)->accessibleName(), QString("Year End X Ray  Report"));
}

void MenuPanelTest::mainWindowShowsThePanelAndReloadsItAfterNo() {
    MdiReportForm::setMenuPanelOpener(&MenuPanel::showIn);
    MdiReportForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.workspace()->subWindowList().size(), 1);
    QMdiSubWindow* window = form.workspace()->subWindowList().first();
    auto* panel = qobject_cast<MenuPanel*>(window->widget());
    QVERIFY(panel);
    QVERIFY(window->isMaximized());
    panel->cmdMainMenu(3)->click();
    QCOMPARE(panel->SelectedCategory(), 3);

    answerMessageBox("No");
    form.findChild<QAction*>("mnuExit")->trigger();
    QVERIFY(form.isVisible());
    QTRY_COMPARE(form.workspace()->subWindowList().size(), 1);
    auto* again = qobject_cast<MenuPanel*>(form.workspace()->subWindowList().first()->widget());
    QVERIFY(again);
    QCOMPARE(again->SelectedCategory(), 0);
    QCOMPARE(visibleSubMenus(*again).size(), 9);
    MdiReportForm::setMenuPanelOpener({});
}

QTEST_MAIN(MenuPanelTest)
#include "tst_menupanel.moc"
