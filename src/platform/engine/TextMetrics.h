#pragma once
// Text widths shared by the layout, the painter and the PDF writer, so that
// every output places text the same way.  Liberation Sans, Serif and Mono
// carry the metrics of the PDF standard fonts Helvetica, Times and Courier.

#include "platform/engine/Template.h"

#include <QString>

namespace pelmar::engine {

enum class FontFace { Sans, Serif, Mono };

FontFace faceOf(const QString& family);

class TextMetrics {
public:
    static TextMetrics& of(const FontSpec& font);
    double width(QStringView text) const; // in points
    double ascent() const { return ascent_ * size_; }
    // The longest start of text that fits in width points.
    QString fit(const QString& text, double width) const;

private:
    TextMetrics(const FontSpec& font);
    double size_;
    double ascent_;
    float widths_[256];
    FontSpec spec_;
};

} // namespace pelmar::engine
