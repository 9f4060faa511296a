#pragma once

#include <QMainWindow>
#include <functional>

class QMdiArea;
class QMenu;
class QToolBar;

namespace pelmar {

// The main window: a frame for the menu panel and the report viewers, with
// the File and Window menus and the toolbar of the batch windows.
class MdiReportForm : public QMainWindow {
    Q_OBJECT

public:
    explicit MdiReportForm(QWidget* parent = nullptr);
    ~MdiReportForm() override;

    QMdiArea* workspace() const { return workspace_; }
    QToolBar* toolbar() const { return toolbar_; }

    // Opens the window behind a toolbar key ("EndOfDay", "AfterEOM",
    // "EndOfYear", "BeforeEOM") or closes the program for "Exit".
    void toolbarButtonClick(const QString& key);

    // Shows the menu panel as a child window (once it exists).
    void showMenuPanel();

    // What opens each batch window and the menu panel; set by the units
    // that provide them.
    using WindowOpener = std::function<void(QWidget* mainWindow)>;
    static void setWindowOpener(const QString& key, WindowOpener opener);
    static void setMenuPanelOpener(WindowOpener opener);

public slots:
    void pageSetup();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolbar();
    void refreshWindowMenu();
    bool confirmClose();

    QMdiArea* workspace_;
    QMenu* windowMenu_ = nullptr;
    QToolBar* toolbar_ = nullptr;
};

} // namespace pelmar
