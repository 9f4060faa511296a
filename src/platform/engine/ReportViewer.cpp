#include "platform/engine/ReportViewer.h"

#include "platform/Error.h"
#include "platform/engine/Document.h"
#include "platform/engine/Exporters.h"
#include "platform/engine/Layout.h"
#include "platform/engine/Report.h"
#include "platform/engine/TextMetrics.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pelmar::engine {

// Pages laid out before the viewer first paints, then per slice between events.
constexpr int kFirstSlicePages = 2;
constexpr int kSlicePages = 25;

class PageView : public QAbstractScrollArea {
public:
    explicit PageView(ReportViewer* owner)
        : QAbstractScrollArea(owner)
        , v_(owner) {
        setAccessibleName(QStringLiteral("Report page"));
        viewport()->setBackgroundRole(QPalette::Dark);
        viewport()->setAutoFillBackground(true);
        setFocusPolicy(Qt::StrongFocus);
    }

    QSizeF pageSize() const {
        const auto& d = v_->doc_;
        return d ? QSizeF(d->pageWidth, d->pageHeight) : QSizeF(612, 792);
    }

    double scale() const {
        const QSizeF p = pageSize();
        const double margin = 16;
        switch (v_->zoomMode_) {
        case ReportViewer::FitWidth:
            return std::max(0.05, (viewport()->width() - margin) / p.width());
        case ReportViewer::FitPage:
            return std::max(0.05, std::min((viewport()->width() - margin) / p.width(),
                                           (viewport()->height() - margin) / p.height()));
        default:
            return v_->zoomPercent_ / 100.0 * logicalDpiX() / 72.0;
        }
    }

    void updateScrollBars() {
        const QSizeF p = pageSize() * scale();
        horizontalScrollBar()->setRange(0, std::max(0, int(p.width()) + 16 - viewport()->width()));
        verticalScrollBar()->setRange(0, std::max(0, int(p.height()) + 16 - viewport()->height()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        verticalScrollBar()->setPageStep(viewport()->height());
        verticalScrollBar()->setSingleStep(20);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QAbstractScrollArea::resizeEvent(e);
        updateScrollBars();
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(viewport());
        const auto& d = v_->doc_;
        if (!d || d->pageCount() == 0)
            return;
        const double s = scale();
        const QSizeF size = pageSize() * s;
        const double x = std::max(8.0, (viewport()->width() - size.width()) / 2) -
                         horizontalScrollBar()->value();
        const double y = 8 - verticalScrollBar()->value();
        p.fillRect(QRectF(x + 3, y + 3, size.width(), size.height()), QColor(0, 0, 0, 80));
        p.fillRect(QRectF(x, y, size.width(), size.height()), Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.translate(x, y);
        p.scale(s, s);
        if (v_->hitPage_ == v_->page_ && v_->hitPrim_ >= 0) {
            const Prim& hit = d->pages[size_t(v_->page_)].prims[size_t(v_->hitPrim_)];
            const FontSpec& f = d->fonts.value(hit.font);
            const double asc = TextMetrics::of(f).ascent();
            p.fillRect(QRectF(hit.x, hit.y - asc, hit.w, f.size * 1.2), QColor(255, 235, 59));
        }
        paintPage(p, *d, v_->page_);
    }

    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
        case Qt::Key_PageDown:
            v_->nextPage();
            return;
        case Qt::Key_PageUp:
            v_->previousPage();
            return;
        case Qt::Key_Home:
            if (e->modifiers() & Qt::ControlModifier) {
                v_->firstPage();
                return;
            }
            break;
        case Qt::Key_End:
            if (e->modifiers() & Qt::ControlModifier) {
                v_->lastPage();
                return;
            }
            break;
        default:
            break;
        }
        QAbstractScrollArea::keyPressEvent(e);
    }

private:
    ReportViewer* v_;
};

ReportViewer::ReportViewer(QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setAccessibleName(QStringLiteral("Report viewer tools"));
    auto button = [&](const QString& text, QStyle::StandardPixmap icon, auto slot) {
        QAction* a = bar->addAction(style()->standardIcon(icon), text, this, slot);
        a->setToolTip(text);
        bar->widgetForAction(a)->setAccessibleName(text);
        return a;
    };
    auto labelled = [&](QAction* a) {
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return a;
    };
    labelled(button(QStringLiteral("Print"), QStyle::SP_FileIcon, [this] { print(); }));
    labelled(
        button(QStringLiteral("Export"), QStyle::SP_DialogSaveButton, [this] { exportReport(); }));
    QAction* treeToggle = button(QStringLiteral("Group Tree"), QStyle::SP_FileDialogListView,
                                 [this] { tree_->setVisible(!tree_->isVisible()); });
    Q_UNUSED(treeToggle);
    bar->addSeparator();
    button(QStringLiteral("First Page"), QStyle::SP_MediaSkipBackward, [this] { firstPage(); });
    button(QStringLiteral("Previous Page"), QStyle::SP_MediaSeekBackward,
           [this] { previousPage(); });
    button(QStringLiteral("Next Page"), QStyle::SP_MediaSeekForward, [this] { nextPage(); });
    button(QStringLiteral("Last Page"), QStyle::SP_MediaSkipForward, [this] { lastPage(); });
    status_ = new QLabel(this);
    status_->setMinimumWidth(120);
    status_->setAlignment(Qt::AlignCenter);
    status_->setAccessibleName(QStringLiteral("Page"));
    bar->addWidget(status_);
    bar->addSeparator();
    zoomBox_ = new QComboBox(this);
    zoomBox_->setAccessibleName(QStringLiteral("Zoom"));
    zoomBox_->addItems({QStringLiteral("Fit Width"), QStringLiteral("Fit Page"),
                        QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                        QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("400%")});
    connect(zoomBox_, &QComboBox::activated, this, [this](int i) {
        if (i == 0)
            setZoom(FitWidth);
        else if (i == 1)
            setZoom(FitPage);
        else
            setZoom(Percent, zoomBox_->itemText(i).chopped(1).toDouble());
    });
    bar->addWidget(zoomBox_);
    button(QStringLiteral("Zoom In"), QStyle::SP_ArrowUp, [this] { zoomIn(); });
    button(QStringLiteral("Zoom Out"), QStyle::SP_ArrowDown, [this] { zoomOut(); });
    bar->addSeparator();
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Search"));
    search_->setAccessibleName(QStringLiteral("Search text"));
    search_->setMaximumWidth(200);
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        if (!search_->text().isEmpty() && !findText(search_->text()))
            QMessageBox::information(this, windowTitle(),
                                     QStringLiteral("\"%1\" was not found.").arg(search_->text()));
    });
    bar->addWidget(search_);
    button(QStringLiteral("Find Next"), QStyle::SP_FileDialogContentsView,
           [this] { emit search_->returnPressed(); });
    layout->addWidget(bar);

    splitter_ = new QSplitter(this);
    tree_ = new QTreeWidget(splitter_);
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(QStringLiteral("Group tree"));
    tree_->setVisible(false);
    connect(tree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { goToPage(item->data(0, Qt::UserRole).toInt()); });
    view_ = new PageView(this);
    splitter_->addWidget(tree_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({200, 800});
    layout->addWidget(splitter_, 1);
    updateStatus();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::SetReportSource(std::shared_ptr<Report> report) {
    report_ = std::move(report);
}

void ReportViewer::SetViewerStartOption(int option) {
    startOption_ = option;
}

void ReportViewer::SetGroupTreeShown(bool shown) {
    tree_->setVisible(shown);
}

void ReportViewer::SetGroupTreeEnabled(bool enabled) {
    tree_->setEnabled(enabled);
}

bool ReportViewer::isGroupTreeShown() const {
    return !tree_->isHidden();
}
bool ReportViewer::isGroupTreeEnabled() const {
    return tree_->isEnabled();
}

void ReportViewer::ViewReport() {
    if (!report_)
        throw Error(QStringLiteral("There is no report to show. Open the report again."));
    job_.reset();
    auto doc = std::make_shared<Document>();
    job_ = std::make_unique<LayoutJob>(report_->fill(), doc);
    doc_ = doc;
    page_ = 0;
    outlineShown_ = 0;
    outlineStack_.clear();
    tree_->clear();
    hitPage_ = hitPrim_ = -1;
    if (job_->step(kFirstSlicePages)) {
        report_->setDocument(doc_);
        job_.reset();
        emit layoutFinished();
    } else {
        QTimer::singleShot(0, this, &ReportViewer::layoutSlice);
    }
    syncOutline();
    view_->updateScrollBars();
    view_->viewport()->update();
    updateStatus();
}

void ReportViewer::layoutSlice() {
    if (!job_)
        return;
    try {
        if (job_->step(kSlicePages)) {
            job_.reset();
            if (report_)
                report_->setDocument(doc_);
            emit layoutFinished();
        } else {
            QTimer::singleShot(0, this, &ReportViewer::layoutSlice);
        }
    } catch (const Error& e) {
        job_.reset();
        fail(e.description());
    }
    syncOutline();
    updateStatus();
    view_->viewport()->update();
}

bool ReportViewer::isLayoutComplete() const {
    return doc_ && doc_->complete;
}

void ReportViewer::finishLayout() {
    while (job_)
        layoutSlice();
}

int ReportViewer::pageCount() const {
    return doc_ ? doc_->pageCount() : 0;
}

void ReportViewer::goToPage(int index) {
    if (!doc_)
        return;
    // The last page may still be filling; it opens once laid out.
    const int available = doc_->complete ? doc_->pageCount() : doc_->pageCount() - 1;
    index = std::clamp(index, 0, std::max(0, available - 1));
    if (index == page_)
        return;
    page_ = index;
    view_->verticalScrollBar()->setValue(0);
    view_->viewport()->update();
    updateStatus();
    emit pageChanged(page_);
}

void ReportViewer::lastPage() {
    finishLayout();
    goToPage(pageCount() - 1);
}

void ReportViewer::setZoom(ZoomMode mode, double percent) {
    zoomMode_ = mode;
    zoomPercent_ = std::clamp(percent, 10.0, 800.0);
    view_->updateScrollBars();
    view_->viewport()->update();
}

double ReportViewer::zoomFactor() const {
    return view_->scale();
}

void ReportViewer::zoomIn() {
    const double current = view_->scale() * 72.0 / logicalDpiX() * 100;
    setZoom(Percent, current * 1.25);
}

void ReportViewer::zoomOut() {
    const double current = view_->scale() * 72.0 / logicalDpiX() * 100;
    setZoom(Percent, current / 1.25);
}

bool ReportViewer::findText(const QString& text) {
    if (!doc_ || text.isEmpty())
        return false;
    if (text != lastSearch_) {
        lastSearch_ = text;
        hitPage_ = page_;
        hitPrim_ = -1;
    }
    int startPage = hitPage_ < 0 ? page_ : hitPage_;
    int startPrim = hitPage_ < 0 ? 0 : hitPrim_ + 1;
    finishLayout();
    const int n = doc_->pageCount();
    for (int k = 0; k <= n; ++k) {
        const int pi = (startPage + k) % n;
        const auto& prims = doc_->pages[size_t(pi)].prims;
        for (size_t i = (k == 0 ? size_t(startPrim) : 0); i < prims.size(); ++i) {
            if (prims[i].type == Prim::Text &&
                doc_->resolvedText(prims[i], pi).contains(text, Qt::CaseInsensitive)) {
                hitPage_ = pi;
                hitPrim_ = int(i);
                const int old = page_;
                page_ = pi;
                view_->viewport()->update();
                updateStatus();
                if (old != page_)
                    emit pageChanged(page_);
                return true;
            }
        }
    }
    hitPage_ = hitPrim_ = -1;
    view_->viewport()->update();
    return false;
}

void ReportViewer::syncOutline() {
    if (!doc_)
        return;
    for (; outlineShown_ < doc_->outline.size(); ++outlineShown_) {
        const OutlineEntry& e = doc_->outline[outlineShown_];
        while (outlineStack_.size() > e.level)
            outlineStack_.removeLast();
        auto* item = outlineStack_.isEmpty() ? new QTreeWidgetItem(tree_)
                                             : new QTreeWidgetItem(outlineStack_.last());
        item->setText(0, e.title);
        item->setData(0, Qt::UserRole, e.page);
        outlineStack_ << item;
    }
}

void ReportViewer::updateStatus() {
    if (!doc_) {
        status_->setText(QStringLiteral("No report"));
        return;
    }
    status_->setText(doc_->complete
                         ? QStringLiteral("Page %1 of %2").arg(page_ + 1).arg(doc_->pageCount())
                         : QStringLiteral("Page %1 of %2+").arg(page_ + 1).arg(doc_->pageCount()));
}

void ReportViewer::fail(const QString& message) {
    QMessageBox::warning(this, windowTitle().isEmpty() ? QStringLiteral("Report") : windowTitle(),
                         message);
}

void ReportViewer::print() {
    if (!report_) {
        fail(QStringLiteral("There is no report to print."));
        return;
    }
    try {
        finishLayout();
        report_->PrintReport(false);
    } catch (const Error& e) {
        fail(e.description());
    }
}

void ReportViewer::exportReport() {
    bool useDefault = true;
    emit ExportRequested(&useDefault);
    if (!useDefault)
        return;
    if (!report_) {
        fail(QStringLiteral("There is no report to export."));
        return;
    }
    try {
        finishLayout();
        report_->ExportReport(true);
    } catch (const Error& e) {
        fail(e.description());
    }
}

} // namespace pelmar::engine
