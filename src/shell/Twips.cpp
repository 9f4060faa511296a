#include "shell/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace pelmar {

double logicalDpi(const QWidget* widget) {
    if (widget)
        return widget->logicalDpiX();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchX();
    return 96.0;
}

int twipsToPixels(double twips, const QWidget* widget) {
    return int(std::lround(twips * logicalDpi(widget) / kTwipsPerInch));
}

double pixelsToTwips(int pixels, const QWidget* widget) {
    return pixels * kTwipsPerInch / logicalDpi(widget);
}

QRect twipsToPixels(const QRectF& twips, const QWidget* widget) {
    // Edges are rounded, not sizes, so neighbours that touch in twips touch
    // in pixels too.
    const int left = twipsToPixels(twips.left(), widget);
    const int top = twipsToPixels(twips.top(), widget);
    const int right = twipsToPixels(twips.left() + twips.width(), widget);
    const int bottom = twipsToPixels(twips.top() + twips.height(), widget);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace pelmar
