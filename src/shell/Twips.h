#pragma once

#include <QRect>
#include <QRectF>

class QWidget;

namespace pelmar {

// Window layouts are laid down in twips: 1440 to the inch at the screen's
// logical resolution, so a layout keeps its proportions at every scale.
inline constexpr double kTwipsPerInch = 1440.0;

// Logical dots per inch of the widget's screen (the primary screen without
// a widget).
double logicalDpi(const QWidget* widget = nullptr);

// Twips to whole pixels (rounded to the nearest) and back.
int twipsToPixels(double twips, const QWidget* widget = nullptr);
double pixelsToTwips(int pixels, const QWidget* widget = nullptr);
QRect twipsToPixels(const QRectF& twips, const QWidget* widget = nullptr);

} // namespace pelmar
