#include "shell/AppIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pelmar {
namespace {

struct IconLook {
    QColor band;
    QString glyph;
};

IconLook lookOf(AppIcon which) {
    switch (which) {
    case AppIcon::Application:
        return {QColor(0x1f, 0x6f, 0xb2), QStringLiteral("P")};
    case AppIcon::EndOfDay:
        return {QColor(0x2e, 0x8b, 0x57), QStringLiteral("D")};
    case AppIcon::BeforeEndOfMonth:
        return {QColor(0xc7, 0x7c, 0x0e), QStringLiteral("M-")};
    case AppIcon::AfterEndOfMonth:
        return {QColor(0xb3, 0x5c, 0x00), QStringLiteral("M+")};
    case AppIcon::EndOfYear:
        return {QColor(0x6a, 0x3d, 0x9a), QStringLiteral("Y")};
    case AppIcon::Exit:
        return {QColor(0xb0, 0x00, 0x20), QStringLiteral("X")};
    }
    return {Qt::gray, QString()};
}

// A report page with a coloured heading band and a short glyph.
QPixmap drawPage(const IconLook& look, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal m = size / 10.0;
    const QRectF page(m, m * 0.5, size - 2 * m, size - m);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), size / 32.0 + 0.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, m * 0.6, m * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(look.band);
    p.drawRect(QRectF(page.left(), page.top() + m, page.width(), page.height() * 0.42));
    p.setPen(QColor(0xb0, 0xb0, 0xb0));
    for (int line = 0; line < 3; ++line) {
        const qreal y = page.top() + page.height() * (0.62 + 0.11 * line);
        p.drawLine(QPointF(page.left() + m, y), QPointF(page.right() - m, y));
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(6, int(size * (look.glyph.size() > 1 ? 0.26 : 0.34))));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(page.left(), page.top() + m, page.width(), page.height() * 0.42),
               Qt::AlignCenter, look.glyph);
    return pixmap;
}

} // namespace

QIcon appIcon(AppIcon which) {
    const IconLook look = lookOf(which);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(drawPage(look, size));
    return icon;
}

} // namespace pelmar
