#include "platform/Error.h"
#include "platform/engine/Document.h"
#include "platform/engine/Exporters.h"
#include "platform/engine/TextMetrics.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace pelmar::engine {

static QFont painterFont(const FontSpec& f, const QPaintDevice* device) {
    static const char* families[] = {"Liberation Sans", "Liberation Serif", "Liberation Mono"};
    QFont font(QString::fromLatin1(families[int(faceOf(f.family))]));
    // The painter's unit is one point; the font's size is then in those units.
    const double dpi = device ? device->logicalDpiY() : 72.0;
    font.setPointSizeF(f.size * 72.0 / dpi);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setKerning(false);
    return font;
}

void paintPage(QPainter& painter, const Document& doc, int pageIndex) {
    if (pageIndex < 0 || pageIndex >= doc.pageCount())
        return;
    const Page& page = doc.pages[size_t(pageIndex)];
    QList<QFont> fonts;
    QList<const TextMetrics*> metrics;
    for (const FontSpec& f : doc.fonts) {
        fonts << painterFont(f, painter.device());
        metrics << &TextMetrics::of(f);
    }
    int currentFont = -1;
    painter.setPen(QPen(Qt::black, 0.5));
    painter.setBrush(Qt::NoBrush);
    for (const Prim& p : page.prims) {
        switch (p.type) {
        case Prim::Text: {
            if (p.font != currentFont) {
                painter.setFont(fonts.value(p.font));
                currentFont = p.font;
            }
            const QString text = doc.resolvedText(p, pageIndex);
            double x = p.x;
            if (p.align != AlignLeft) {
                const double w = metrics[p.font]->width(text);
                x += p.align == AlignRight ? p.w - w : (p.w - w) / 2;
            }
            painter.drawText(QPointF(x, p.y), text);
            break;
        }
        case Prim::Line:
            painter.setPen(QPen(Qt::black, p.lineWidth));
            painter.drawLine(QPointF(p.x, p.y), QPointF(p.x + p.w, p.y + p.h));
            break;
        case Prim::Box:
            painter.setPen(p.lineWidth > 0 ? QPen(Qt::black, p.lineWidth) : QPen(Qt::NoPen));
            painter.setBrush(p.color ? QBrush(QColor::fromRgb(QRgb(p.color - 1)))
                                     : QBrush(Qt::NoBrush));
            painter.drawRect(QRectF(p.x, p.y, p.w, p.h));
            painter.setBrush(Qt::NoBrush);
            break;
        case Prim::Image:
            if (int(p.color) < doc.images.size())
                painter.drawImage(QRectF(p.x, p.y, p.w, p.h), doc.images[int(p.color)]);
            break;
        }
    }
}

void printDocument(const Document& doc, QPrinter& printer, int fromPage, int toPage) {
    const QPageLayout saved = printer.pageLayout();
    printer.setPageOrientation(doc.pageWidth > doc.pageHeight ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) {
        printer.setPageLayout(saved);
        throw Error(
            QStringLiteral(
                "The printer \"%1\" could not start printing. Check the printer and try again.")
                .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                        : printer.outputFileName()));
    }
    // Pages are laid out on the whole sheet; the device's origin is its printable area.
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const double scale = printer.resolution() / 72.0;
    bool first = true;
    for (int i = fromPage; i < toPage; ++i) {
        if (!first)
            printer.newPage();
        first = false;
        painter.save();
        painter.translate(paper.left() - printable.left(), paper.top() - printable.top());
        painter.scale(scale, scale);
        paintPage(painter, doc, i);
        painter.restore();
    }
    painter.end();
    printer.setPageLayout(saved);
}

} // namespace pelmar::engine
