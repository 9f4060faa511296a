#include "shell/MenuPanel.h"

#include "dialogs/ReportDialog.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/user/UserSession.h"
#include "shell/Dispatcher.h"
#include "shell/MdiReportForm.h"
#include "shell/Twips.h"
#include "shell/Workspace.h"
#include "startup/SessionContext.h"

#include <QDateTime>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cmath>
#include <functional>

namespace pelmar {
namespace {

const QColor kPanelColour(4, 134, 183);
const QColor kHighlight(128, 255, 255);
const QColor kShadow(0, 255, 255);
const QColor kSplitterColour(128, 128, 128);

// Design positions and sizes, in twips.
const QRectF kPanel(60, 60, 3735, 7455);
const QRectF kCategoryButton(0, 0, 3675, 315);
const QRectF kSubMenuButton(60, 480, 3555, 465);
const QRectF kSplitterBar(0, 0, 135, 0);
const QRectF kSplitterHandle(3720, 60, 150, 6645);
const QRectF kImage(3840, 60, 9975, 6975);
constexpr int kSubMenuButtons = 11;

const QString kPictureFile = QStringLiteral("\\Reports.Jpg");

// Rounds to the nearest whole number, halves to even.
void showFailure(QWidget* parent, const QString& description) {
    ReportDialog::showFailure(parent, description);
}

double roundEven(double value) {
    return std::nearbyint(value);
}

QString withoutAccelerator(QString caption) {
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// The invisible strip right of the column that drags the splitter.
class SplitterHandle : public QWidget {
public:
    std::function<void()> pressed;
    std::function<void(double)> moved;
    std::function<void()> released;

    using QWidget::QWidget;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && pressed)
            pressed();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (moved)
            moved(pixelsToTwips(qRound(event->position().x()), this));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && released)
            released();
    }
};

// The background picture, scaled to cover its area.
class PictureArea : public QWidget {
public:
    using QWidget::QWidget;
    void setPicture(const QPixmap& picture) {
        picture_ = picture;
        update();
    }
    QPixmap picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.isNull())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize scaled = picture_.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
        const QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2),
                           scaled);
        p.drawPixmap(target, picture_);
    }

private:
    QPixmap picture_;
};

struct PictureLook {
    char32_t symbol;
    QColor colour;
};

// The report pictures: a tile in the colour of the report family with a
// symbol of the report.  Some numbers serve two categories, so those
// symbols stay general.
PictureLook pictureLook(int number) {
    // clang-format off
    static const char32_t symbols[43] = {
        0,
        // 1-9: end of day (others)
        U'\u279C', U'\u2197', U'\u2695', U'\u270D', U'\u270E', U'\u2714', U'\u00B1', U'\u2211', U'\u26C1',
        // 10-13: logbooks
        U'\u2697', U'\u2622', U'\u224B', U'\u25CE',
        // 14-23: end of month (others); 22 and 23 also head the clinical months
        U'\u2630', U'\u25F4', U'\u25F7', U'\u21C4', U'\u21C6', U'\u2611', U'\u2699', U'\u2731',
        U'\u25A6', U'\u25D4',
        // 24-30: end of month (clinical area)
        U'\u224B', U'\u2702', U'\u267F', U'\u2624', U'\u25CE', U'\u2665', U'\u2756',
        // 31-33: by period and year end; 32 and 33 serve two categories
        U'\u2263', U'\u2605', U'\u2726',
        // 34-40: year end (clinical area)
        U'\u2622', U'\u224B', U'\u2702', U'\u267F', U'\u2624', U'\u25CE', U'\u2665',
        // 41-42: maintenance
        U'\u2692', U'\u2696',
    };
    // clang-format on
    QColor colour;
    if (number <= 9)
        colour = QColor(0x2e, 0x8b, 0x57);
    else if (number <= 13)
        colour = QColor(0x11, 0x7a, 0x8b);
    else if (number <= 21)
        colour = QColor(0xd0, 0x7a, 0x12);
    else if (number <= 30)
        colour = QColor(0xc0, 0x39, 0x2b);
    else if (number == 31)
        colour = QColor(0x28, 0x5e, 0xc9);
    else if (number == 32)
        colour = QColor(0x4b, 0x4f, 0xb8);
    else if (number <= 40)
        colour = QColor(0x7d, 0x3c, 0x98);
    else
        colour = QColor(0x54, 0x6e, 0x7a);
    return {number >= 1 && number <= 42 ? symbols[number] : U'?', colour};
}

QPixmap drawPicture(int number, int size) {
    const PictureLook look = pictureLook(number);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tile(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, look.colour.lighter(135));
    fill.setColorAt(1, look.colour.darker(115));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(tile, size * 0.2, size * 0.2);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(6, int(size * 0.62)));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(tile, Qt::AlignCenter, QString::fromUcs4(&look.symbol, 1));
    return pixmap;
}

} // namespace

// ---------------------------------------------------------------------------

FlatPictureButton::FlatPictureButton(QWidget* parent)
    : QAbstractButton(parent)
    , background_(kPanelColour)
    , highlight_(kHighlight)
    , shadow_(kShadow)
    , text_(Qt::white) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void FlatPictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void FlatPictureButton::setColours(const QColor& background, const QColor& highlight,
                                   const QColor& shadow, const QColor& text) {
    background_ = background;
    highlight_ = highlight;
    shadow_ = shadow;
    text_ = text;
    update();
}

QSize FlatPictureButton::sizeHint() const {
    return QSize(237, 31);
}

void FlatPictureButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void FlatPictureButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void FlatPictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, background_);

    const bool live = isEnabled();
    if (live && (isDown() || hovered_ || hasFocus())) {
        // Raised under the mouse or with the focus, sunken while pressed.
        const QColor topLeft = isDown() ? shadow_ : highlight_;
        const QColor bottomRight = isDown() ? highlight_ : shadow_.darker(160);
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }

    const int margin = 4;
    const int side = qMax(8, qMin(r.height() - 2 * margin + 2, 24));
    int textLeft = margin;
    if (!picture_.isNull()) {
        const QRect target(margin, (r.height() - side) / 2, side, side);
        if (live) {
            p.drawPixmap(target, picture_);
        } else {
            p.setOpacity(0.45);
            p.drawPixmap(target, picture_);
            p.setOpacity(1.0);
        }
        textLeft = target.right() + 1 + 6;
    }
    const int shift = isDown() ? 1 : 0;
    const QRect textRect(textLeft + shift, shift, r.width() - textLeft - margin, r.height());
    p.setFont(font());
    p.setPen(live ? text_ : QColor(180, 215, 228));
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());
}

// ---------------------------------------------------------------------------

const QVector<MenuPanel::Category>& MenuPanel::categories() {
    static const QVector<Category> list = {
        {"End of Day (Others)", 1},
        {"End of Day (Clinical Area)", 10},
        {"End of Month (Others)", 14},
        {"End of Month (Clinical Area)", 22},
        {"By Period", 31},
        {"End of the &Year Reports (Others)", 32},
        {"End of the &Year Reports (Clinical Area)", 33},
        {"Maintenance", 41},
    };
    return list;
}

QStringList MenuPanel::categoryItems(int category) {
    QStringList captions;
    for (const MenuEntry& entry : menuEntries())
        if (entry.category == category)
            captions << QString::fromLatin1(entry.caption);
    return captions;
}

QPixmap MenuPanel::ImageListBig(int number) {
    static QHash<int, QPixmap> cache;
    auto found = cache.constFind(number);
    if (found != cache.constEnd())
        return *found;
    const QPixmap picture = drawPicture(number, 32);
    cache.insert(number, picture);
    return picture;
}

QCursor MenuPanel::menuCursor() {
    // An arrow with the panel's blue, so the menu is recognisable under the
    // mouse.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 20);
    arrow.lineTo(6, 15);
    arrow.lineTo(10, 24);
    arrow.lineTo(13, 22.5);
    arrow.lineTo(9, 14);
    arrow.lineTo(16, 14);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(kPanelColour.darker(140));
    p.drawPath(arrow);
    p.setPen(Qt::NoPen);
    p.setBrush(kHighlight);
    p.drawEllipse(QPointF(4.5, 10), 1.6, 1.6);
    p.end();
    return QCursor(pixmap, 1, 1);
}

MenuPanel::MenuPanel(QWidget* parent)
    : MenuPanel(SignedInUser{}, parent) {
    if (const UserSession* user = session().CurrentUser)
        user_ = {user->employeeName(), user->serverName()};
}

MenuPanel::MenuPanel(SignedInUser user, QWidget* parent)
    : QWidget(parent)
    , user_(std::move(user)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Reports Menu"));
    setAccessibleName(windowTitle());
    setCursor(menuCursor());
    createControls();
}

MenuPanel::~MenuPanel() = default;

void MenuPanel::createControls() {
    picMainMenu_ = new QWidget(this);
    picMainMenu_->setObjectName(QStringLiteral("picMainMenu"));
    picMainMenu_->setAccessibleName(tr("Report categories"));
    picMainMenu_->setAutoFillBackground(true);
    QPalette palette = picMainMenu_->palette();
    palette.setColor(QPalette::Window, kPanelColour);
    picMainMenu_->setPalette(palette);
    place(picMainMenu_, kPanel);

    cmdMainMenu_ << newCategoryButton(0);
    place(cmdMainMenu_[0], kCategoryButton);

    fltSubMenu_ << newSubMenuButton(0);
    place(fltSubMenu_[0], kSubMenuButton);
    fltSubMenu_[0]->hide();

    image1_ = new PictureArea(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setAccessibleName(tr("Background picture"));
    place(image1_, kImage);

    auto* handle = new SplitterHandle(this);
    handle->setObjectName(QStringLiteral("imgSplitter"));
    handle->setAccessibleName(tr("Menu width"));
    handle->setCursor(Qt::SizeHorCursor);
    handle->pressed = [this] { splitterMouseDown(); };
    handle->moved = [this](double x) { splitterMouseMove(x); };
    handle->released = [this] { splitterMouseUp(); };
    imgSplitter_ = handle;
    place(imgSplitter_, kSplitterHandle);
    imgSplitter_->raise();

    picSplitter_ = new QWidget(this);
    picSplitter_->setObjectName(QStringLiteral("picSplitter"));
    picSplitter_->setAccessibleName(tr("Menu width bar"));
    picSplitter_->setAutoFillBackground(true);
    palette = picSplitter_->palette();
    palette.setColor(QPalette::Window, kSplitterColour);
    picSplitter_->setPalette(palette);
    picSplitter_->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(picSplitter_, QRectF(kSplitterHandle.left(), kSplitterHandle.top(), kSplitterBar.width(),
                               kSplitterHandle.height()));
    picSplitter_->hide();

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setAccessibleName(tr("Status"));
    statusBar_->setSizeGripEnabled(false);
    const char* names[3] = {"Current user", "Date", "Time"};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(statusBar_);
        panels_[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        panels_[i]->setAccessibleName(tr(names[i]));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->setContentsMargins(4, 0, 4, 0);
    }
    statusBar_->addWidget(panels_[0], 1);
    statusBar_->addPermanentWidget(panels_[1]);
    statusBar_->addPermanentWidget(panels_[2]);

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MenuPanel::updateClock);
}

QPushButton* MenuPanel::newCategoryButton(int index) {
    auto* button = new QPushButton(picMainMenu_);
    button->setObjectName(QStringLiteral("cmdMainMenu%1").arg(index));
    connect(button, &QPushButton::clicked, this, [this, index] { categoryClick(index); });
    return button;
}

FlatPictureButton* MenuPanel::newSubMenuButton(int index) {
    auto* button = new FlatPictureButton(picMainMenu_);
    button->setObjectName(QStringLiteral("fltSubMenu%1").arg(index));
    QFont font = button->font();
    font.setFamilies({QStringLiteral("Ms Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8.25);
    font.setBold(true);
    button->setFont(font);
    connect(button, &QAbstractButton::clicked, this, [this, index] { subMenuClick(index); });
    return button;
}

QLabel* MenuPanel::statusPanel(int index) const {
    return index >= 1 && index <= 3 ? panels_[index - 1] : nullptr;
}

double MenuPanel::windowWidthTwips() const {
    return pixelsToTwips(width(), this);
}

// --- twips geometry --------------------------------------------------------

void MenuPanel::place(QWidget* control, const QRectF& rect) {
    twips_.insert(control, rect);
    control->setGeometry(twipsToPixels(rect, this));
}

void MenuPanel::setLeft(QWidget* control, double left) {
    QRectF r = twips(control);
    r.moveLeft(left);
    place(control, r);
}

void MenuPanel::setTop(QWidget* control, double top) {
    QRectF r = twips(control);
    r.moveTop(top);
    place(control, r);
}

void MenuPanel::setWidth(QWidget* control, double width) {
    QRectF r = twips(control);
    r.setWidth(width);
    place(control, r);
}

void MenuPanel::setHeight(QWidget* control, double height) {
    QRectF r = twips(control);
    r.setHeight(height);
    place(control, r);
}

// --- load ------------------------------------------------------------------

void MenuPanel::load() {
    QStringList captions;
    for (const Category& category : categories())
        captions << QString::fromLatin1(category.caption);
    BuildMainMenu(captions);

    panels_[0]->setText(QStringLiteral("Current User: ") + user_.employeeName +
                        QStringLiteral("         SERVER NAME: ") + user_.serverName);
    updateClock();
    clock_->start();

    loadPicture();
    cmdMainMenu_[0]->click();
}

void MenuPanel::loadPicture() {
    static_cast<PictureArea*>(image1_)->setPicture(
        readPicture(nativePath(applicationFolder() + kPictureFile)));
}

QPixmap MenuPanel::readPicture(const QString& path) {
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw Error(QStringLiteral("The menu's background picture %1 could not be opened (%2).\n"
                                   "Reinstall the program to restore it.")
                        .arg(path, reader.errorString()));
    return QPixmap::fromImage(picture);
}

void MenuPanel::updateClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale c = QLocale::c();
    panels_[1]->setText(c.toString(now.date(), QStringLiteral("MM/dd/yyyy")));
    panels_[2]->setText(c.toString(now.time(), QStringLiteral("h:mm AP")));
}

void MenuPanel::BuildMainMenu(const QStringList& captions) {
    const QRectF first = twips(cmdMainMenu_[0]);
    for (int i = 0; i < captions.size(); ++i) {
        QPushButton* button = cmdMainMenu_[i];
        if (i == 0)
            setTop(button, twips(picMainMenu_).top());
        else
            setTop(button, twips(cmdMainMenu_[i - 1]).top() + twips(button).height());
        setLeft(button, first.left());
        button->setVisible(true);
        button->setText(captions[i]);
        button->setAccessibleName(withoutAccelerator(captions[i]));
        setHeight(button, first.height());

        if (cmdMainMenu_.size() == i + 1) {
            QPushButton* copy = newCategoryButton(i + 1);
            place(copy, twips(cmdMainMenu_[0]));
            copy->hide();
            cmdMainMenu_ << copy;
        }
    }
    while (fltSubMenu_.size() < kSubMenuButtons) {
        FlatPictureButton* copy = newSubMenuButton(int(fltSubMenu_.size()));
        place(copy, twips(fltSubMenu_[0]));
        copy->hide();
        fltSubMenu_ << copy;
    }
}

void MenuPanel::categoryClick(int k) {
    selectedCategory_ = k;
    ArrangeMainMenu(k);
    LoadCategoryItems(k);
}

void MenuPanel::ArrangeMainMenu(int k) {
    for (int i = 0; i <= k && i < cmdMainMenu_.size(); ++i) {
        if (i == 0)
            setTop(cmdMainMenu_[0], 0);
        else
            setTop(cmdMainMenu_[i],
                   twips(cmdMainMenu_[i - 1]).top() + twips(cmdMainMenu_[i - 1]).height());
    }
    const int u = int(cmdMainMenu_.size()) - 1;
    const QRectF panel = twips(picMainMenu_);
    for (int i = k + 1; i <= u - 1; ++i)
        setTop(cmdMainMenu_[i],
               panel.top() + panel.height() - 100 - (u - i) * twips(cmdMainMenu_[i]).height());
}

void MenuPanel::LoadCategoryItems(int k) {
    if (k < 0 || k >= categories().size())
        return;
    imageBase_ = categories()[k].imageBase;
    BuildSubMenu(k, categoryItems(k));
}

void MenuPanel::BuildSubMenu(int k, const QStringList& captions) {
    const QRectF category = twips(cmdMainMenu_[k]);
    double y = roundEven(category.height() + category.top() + 20);
    const QRectF first = twips(fltSubMenu_[0]);
    const int n = qMin(int(captions.size()), int(fltSubMenu_.size()));
    // Buttons are 40 twips apart.  A list too long for the room above the
    // categories stacked at the bottom closes up instead of running under
    // them, so every caption stays whole and clickable.
    double gap = 40;
    const int u = int(cmdMainMenu_.size()) - 1;
    if (n > 1 && k + 1 <= u - 1) {
        const double room = twips(cmdMainMenu_[k + 1]).top() - 20 - y - n * first.height();
        if (room < (n - 1) * gap)
            gap = qMax(0.0, std::floor(room / (n - 1)));
    }
    for (int j = 0; j < n; ++j) {
        FlatPictureButton* button = fltSubMenu_[j];
        QFont font = button->font();
        font.setFamilies({QStringLiteral("Ms Sans Serif"), QStringLiteral("Liberation Sans")});
        button->setFont(font);
        place(button, QRectF(first.left(), y, first.width(), first.height()));
        button->setText(captions[j]);
        button->setAccessibleName(captions[j]);
        button->setPicture(ImageListBig(imageBase_ + j));
        // A report whose dialog is not part of the program cannot be chosen.
        const bool available = menuItemAvailable(k, j);
        button->setEnabled(available);
        button->setToolTip(available ? QString() : tr("Not available in this version"));
        button->setVisible(true);
        y = roundEven(twips(button).height() + y + gap);
    }
    for (int j = n; j < fltSubMenu_.size(); ++j)
        fltSubMenu_[j]->setVisible(false);
    // The categories stacked at the bottom stay whole where a long list
    // reaches them.
    for (QPushButton* button : cmdMainMenu_)
        button->raise();
}

void MenuPanel::subMenuClick(int j) {
    try {
        OpenMenuItem(selectedCategory_, j);
    } catch (const Error& error) {
        showFailure(this, error.description());
    } catch (const std::exception& error) {
        showFailure(this, QString::fromUtf8(error.what()));
    }
}

// --- splitter and layout ---------------------------------------------------

void MenuPanel::splitterMouseDown() {
    const QRectF handle = twips(imgSplitter_);
    place(picSplitter_, QRectF(handle.left(), handle.top(), double(int(handle.width()) / 2),
                               handle.height() - 20));
    picSplitter_->show();
    picSplitter_->raise();
    moving_ = true;
}

void MenuPanel::splitterMouseMove(double x) {
    if (!moving_)
        return;
    const double pos = x + twips(imgSplitter_).left();
    const double width = windowWidthTwips();
    if (pos < 500)
        setLeft(picSplitter_, 500);
    else if (pos > width - 500)
        setLeft(picSplitter_, width - 500);
    else
        setLeft(picSplitter_, pos);
}

void MenuPanel::splitterMouseUp() {
    double x = twips(picSplitter_).left();
    SizeControls(x);
    picSplitter_->hide();
    moving_ = false;
}

void MenuPanel::SizeControls(double& x) {
    const double width = windowWidthTwips();
    if (x < 1500)
        x = 1500;
    if (x > width - 1500)
        x = width - 1500;

    setWidth(picMainMenu_, x);
    for (QPushButton* button : cmdMainMenu_)
        setWidth(button, x - 60);
    for (FlatPictureButton* button : fltSubMenu_)
        setWidth(button, x - 180);
    setLeft(imgSplitter_, x);
    setLeft(image1_, x + twips(imgSplitter_).width());
    setWidth(image1_, width - (twips(picMainMenu_).width() + 240));
    const QRectF panel = twips(picMainMenu_);
    QRectF handle = twips(imgSplitter_);
    handle.moveTop(panel.top());
    handle.setHeight(panel.height());
    place(imgSplitter_, handle);
}

void MenuPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int barHeight = statusBar_->sizeHint().height();
    statusBar_->setGeometry(0, height() - barHeight, width(), barHeight);
    statusBar_->raise();
}

// --- the main window's opener ---------------------------------------------

void MenuPanel::showIn(QWidget* mainWindow) {
    if (!mainWindow || !mainWindow->isVisible()) {
        openIn(mainWindow);
        return;
    }
    try {
        openIn(mainWindow);
    } catch (const Error& error) {
        showFailure(mainWindow, error.description());
    } catch (const std::exception& error) {
        showFailure(mainWindow, QString::fromUtf8(error.what()));
    }
}

QMdiSubWindow* MenuPanel::openIn(QWidget* mainWindow) {
    QMdiArea* area = nullptr;
    if (auto* form = qobject_cast<MdiReportForm*>(mainWindow))
        area = form->workspace();
    if (!area)
        area = mainWorkspace();
    if (!area)
        throw Error(QStringLiteral("The menu cannot be shown: the main window is not open."));

    auto* panel = new MenuPanel;
    try {
        panel->load();
    } catch (...) {
        delete panel;
        throw;
    }
    QMdiSubWindow* window = area->addSubWindow(panel, Qt::SubWindow | Qt::FramelessWindowHint);
    window->setObjectName(QStringLiteral("frmMainWindow"));
    window->setWindowTitle(panel->windowTitle());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
    // The menu always fills the workspace when it comes to the front.
    QObject::connect(area, &QMdiArea::subWindowActivated, window, [window](QMdiSubWindow* active) {
        if (active == window && !window->isMaximized())
            window->showMaximized();
    });
    return window;
}

} // namespace pelmar
