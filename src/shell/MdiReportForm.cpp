#include "shell/MdiReportForm.h"

#include "reporting/ReportPrinter.h"
#include "shell/AppIcons.h"
#include "shell/Workspace.h"

#include <QAction>
#include <QCloseEvent>
#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QToolBar>

namespace pelmar {
namespace {

struct ToolbarButton {
    const char* key;
    const char* caption;
    const char* tip;
    AppIcon icon;
};

// The toolbar, in its order.  "BeforeEOM" has a button of its own so that
// every batch window has a way in.
const ToolbarButton kToolbarButtons[] = {
    {"EndOfDay", "End of Day", "Shows the options for the End Of Day Reports", AppIcon::EndOfDay},
    {"BeforeEOM", "Before EOM", "Shows the options for the reports BEFORE END OF MONTH",
     AppIcon::BeforeEndOfMonth},
    {"AfterEOM", "After EOM", "Shows the options for the reports AFTER END OF MONTH",
     AppIcon::AfterEndOfMonth},
    {"EndOfYear", "End of Year", "Shows the Options for YEARLY REPORTS", AppIcon::EndOfYear},
    {"Exit", "Exit", "QUITS the system", AppIcon::Exit},
};

QHash<QString, MdiReportForm::WindowOpener>& windowOpeners() {
    static QHash<QString, MdiReportForm::WindowOpener> openers;
    return openers;
}

MdiReportForm::WindowOpener& menuPanelOpener() {
    static MdiReportForm::WindowOpener opener;
    return opener;
}

} // namespace

void MdiReportForm::setWindowOpener(const QString& key, WindowOpener opener) {
    windowOpeners().insert(key, std::move(opener));
}

void MdiReportForm::setMenuPanelOpener(WindowOpener opener) {
    menuPanelOpener() = std::move(opener);
}

MdiReportForm::MdiReportForm(QWidget* parent)
    : QMainWindow(parent)
    , workspace_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("mdiReportForm"));
    setWindowTitle(QStringLiteral("Pelmar - Reports"));
    setAccessibleName(windowTitle());
    setWindowIcon(appIcon(AppIcon::Application));
    workspace_->setObjectName(QStringLiteral("workspace"));
    workspace_->setAccessibleName(tr("Workspace"));
    workspace_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(workspace_);
    setMainWorkspace(workspace_);

    createMenus();
    createToolbar();
    showMenuPanel();
}

MdiReportForm::~MdiReportForm() {
    if (mainWorkspace() == workspace_)
        setMainWorkspace(nullptr);
}

void MdiReportForm::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* setup =
        file->addAction(QStringLiteral("&Page Setup"), this, &MdiReportForm::pageSetup);
    setup->setObjectName(QStringLiteral("mnuPageSetup"));
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setObjectName(QStringLiteral("mnuExit"));

    windowMenu_ = menuBar()->addMenu(QStringLiteral("&Window"));
    windowMenu_->setObjectName(QStringLiteral("mnuWindow"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &MdiReportForm::refreshWindowMenu);
    refreshWindowMenu();
}

// Lists the open child windows; choosing one brings it to the front.
void MdiReportForm::refreshWindowMenu() {
    windowMenu_->clear();
    windowMenu_->addAction(tr("&Cascade"), workspace_, &QMdiArea::cascadeSubWindows);
    windowMenu_->addAction(tr("&Tile"), workspace_, &QMdiArea::tileSubWindows);
    const QList<QMdiSubWindow*> windows = workspace_->subWindowList();
    if (!windows.isEmpty())
        windowMenu_->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        const QString caption = number < 10 ? QStringLiteral("&%1 %2") : QStringLiteral("%1 %2");
        QAction* item = windowMenu_->addAction(caption.arg(number++).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == workspace_->activeSubWindow());
        connect(item, &QAction::triggered, workspace_,
                [this, window] { workspace_->setActiveSubWindow(window); });
    }
}

void MdiReportForm::createToolbar() {
    toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setAccessibleName(tr("Batch reports"));
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolbarButton& button : kToolbarButtons) {
        const QString key = QString::fromLatin1(button.key);
        QAction* action = toolbar_->addAction(appIcon(button.icon), tr(button.caption));
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(button.tip));
        action->setStatusTip(action->toolTip());
        // A window that is not part of the program yet has a disabled button.
        action->setEnabled(key == QLatin1String("Exit") || windowOpeners().contains(key));
        connect(action, &QAction::triggered, this, [this, key] { toolbarButtonClick(key); });
    }
}

void MdiReportForm::toolbarButtonClick(const QString& key) {
    if (key == QLatin1String("Exit")) {
        close();
        return;
    }
    const auto opener = windowOpeners().constFind(key);
    if (opener != windowOpeners().constEnd() && *opener)
        (*opener)(this);
}

void MdiReportForm::showMenuPanel() {
    if (menuPanelOpener())
        menuPanelOpener()(this);
}

void MdiReportForm::pageSetup() {
    // A cancel is no failure: nothing to say, nothing changes.
    QPageSetupDialog dialog(&reportPrinter(), this);
    dialog.setWindowTitle(QStringLiteral("Page Setup"));
    dialog.exec();
}

bool MdiReportForm::confirmClose() {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Message"),
                    QStringLiteral("Are you sure you wish to Close the Program?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setAccessibleName(QStringLiteral("Message"));
    return box.exec() == QMessageBox::Yes;
}

void MdiReportForm::closeEvent(QCloseEvent* event) {
    workspace_->closeAllSubWindows();
    if (confirmClose()) {
        event->accept();
        return;
    }
    event->ignore();
    showMenuPanel();
}

} // namespace pelmar
