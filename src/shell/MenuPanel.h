#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QRectF>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QLabel;
class QMdiSubWindow;
class QPushButton;
class QStatusBar;
class QTimer;

namespace pelmar {

// A flat button with a picture left of its caption; it shows a raised edge
// under the mouse and a sunken one while pressed.
class FlatPictureButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit FlatPictureButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return picture_; }

    void setColours(const QColor& background, const QColor& highlight, const QColor& shadow,
                    const QColor& text);
    QColor background() const { return background_; }
    QColor highlight() const { return highlight_; }
    QColor shadow() const { return shadow_; }
    QColor textColour() const { return text_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap picture_;
    QColor background_, highlight_, shadow_, text_;
    bool hovered_ = false;
};

// The menu panel (frmMain): the column of report categories on the left,
// the selected category's report buttons under it, a splitter that sets the
// column's width, the background picture and the status bar.  Positions and
// sizes are kept in twips; the widgets follow them in pixels.
class MenuPanel : public QWidget {
    Q_OBJECT

public:
    // Whose name and server the status bar shows.
    struct SignedInUser {
        QString employeeName;
        QString serverName;
    };

    // The signed-in user of the session (none before sign-in).
    explicit MenuPanel(QWidget* parent = nullptr);
    explicit MenuPanel(SignedInUser user, QWidget* parent = nullptr);
    ~MenuPanel() override;

    // Builds the menu, fills the status bar, loads the background picture
    // and selects the first category.  Throws pelmar::Error, naming the
    // file, when the picture cannot be read.
    void load();

    // The main window's opener: loads a new panel and shows it maximized in
    // the main window's workspace.  Throws what load() throws.
    static QMdiSubWindow* openIn(QWidget* mainWindow);
    // The same for the main window's opener: while the main window is being
    // built a failure reaches start-up; once it is on screen the failure is
    // shown and the program goes on without the menu.
    static void showIn(QWidget* mainWindow);

    // Lays the panel out for a column x twips wide; x is clamped in place to
    // 1500 .. window width - 1500.
    void SizeControls(double& x);

    // A category button's click: selects category k.
    void categoryClick(int k);
    // A report button's click: opens its dialog; a failure shows a message.
    void subMenuClick(int j);

    // The splitter, driven by the handle's mouse (x in twips from the
    // handle's left edge).
    void splitterMouseDown();
    void splitterMouseMove(double x);
    void splitterMouseUp();

    int SelectedCategory() const { return selectedCategory_; }
    int ImageBase() const { return imageBase_; }
    bool Moving() const { return moving_; }

    // The controls (cmdMainMenu 0..8, fltSubMenu 0..10) and their twips.
    QWidget* picMainMenu() const { return picMainMenu_; }
    QPushButton* cmdMainMenu(int i) const { return cmdMainMenu_.value(i); }
    int cmdMainMenuCount() const { return int(cmdMainMenu_.size()); }
    FlatPictureButton* fltSubMenu(int j) const { return fltSubMenu_.value(j); }
    int fltSubMenuCount() const { return int(fltSubMenu_.size()); }
    QWidget* picSplitter() const { return picSplitter_; }
    QWidget* imgSplitter() const { return imgSplitter_; }
    QWidget* image1() const { return image1_; }
    QStatusBar* statusBar() const { return statusBar_; }
    QLabel* statusPanel(int index) const; // 1 user, 2 date, 3 time
    QRectF twips(const QWidget* control) const { return twips_.value(control); }
    double windowWidthTwips() const;

    // The panel's categories in order, with their first picture number.
    struct Category {
        const char* caption;
        int imageBase;
    };
    static const QVector<Category>& categories();
    static QStringList categoryItems(int category);

    // Picture n (1 to 42) of the report buttons, and the panel's cursor.
    static QPixmap ImageListBig(int number);
    static QCursor menuCursor();

    // Reads a picture file; throws pelmar::Error naming the path.
    static QPixmap readPicture(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void BuildMainMenu(const QStringList& captions);
    void ArrangeMainMenu(int k);
    void LoadCategoryItems(int k);
    void BuildSubMenu(int k, const QStringList& captions);
    void loadPicture();
    void updateClock();

    QPushButton* newCategoryButton(int index);
    FlatPictureButton* newSubMenuButton(int index);

    void place(QWidget* control, const QRectF& rect);
    void setLeft(QWidget* control, double left);
    void setTop(QWidget* control, double top);
    void setWidth(QWidget* control, double width);
    void setHeight(QWidget* control, double height);

    SignedInUser user_;
    QWidget* picMainMenu_ = nullptr;
    QVector<QPushButton*> cmdMainMenu_;
    QVector<FlatPictureButton*> fltSubMenu_;
    QWidget* picSplitter_ = nullptr;
    QWidget* imgSplitter_ = nullptr;
    QWidget* image1_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* panels_[3] = {};
    QTimer* clock_ = nullptr;
    QHash<const QWidget*, QRectF> twips_;

    int selectedCategory_ = 0;
    int imageBase_ = 0;
    bool moving_ = false;
};

} // namespace pelmar
