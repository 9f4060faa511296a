#include "platform/engine/TextMetrics.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QMutex>
#include <memory>

namespace pelmar::engine {

FontFace faceOf(const QString& family) {
    const QString f = family.toLower();
    if (f.contains("mono") || f.contains("courier"))
        return FontFace::Mono;
    if ((f.contains("serif") && !f.contains("sans")) || f.contains("times") || f.contains("roman"))
        return FontFace::Serif;
    return FontFace::Sans;
}

static QString concreteFamily(FontFace face) {
    switch (face) {
    case FontFace::Mono:
        return QStringLiteral("Liberation Mono");
    case FontFace::Serif:
        return QStringLiteral("Liberation Serif");
    default:
        return QStringLiteral("Liberation Sans");
    }
}

TextMetrics::TextMetrics(const FontSpec& font)
    : size_(font.size)
    , spec_(font) {
    QFont f(concreteFamily(faceOf(font.family)));
    f.setPixelSize(1000);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false);
    const QFontMetricsF m(f);
    ascent_ = m.ascent() / 1000.0;
    for (int c = 0; c < 256; ++c)
        widths_[c] = float(m.horizontalAdvance(QChar(c < 32 ? 32 : c)) / 1000.0);
}

TextMetrics& TextMetrics::of(const FontSpec& font) {
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<TextMetrics>> cache;
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(int(faceOf(font.family)))
                            .arg(font.size)
                            .arg(font.bold)
                            .arg(font.italic);
    QMutexLocker lock(&mutex);
    auto& slot = cache[key];
    if (!slot)
        slot.reset(new TextMetrics(font));
    return *slot;
}

double TextMetrics::width(QStringView text) const {
    double w = 0;
    for (const QChar c : text)
        w += widths_[c.unicode() < 256 ? c.unicode() : '?'];
    return w * size_;
}

QString TextMetrics::fit(const QString& text, double width) const {
    double w = 0;
    const double limit = width / size_;
    for (int i = 0; i < text.size(); ++i) {
        const ushort u = text[i].unicode();
        w += widths_[u < 256 ? u : '?'];
        if (w > limit + 1e-6)
            return text.left(i);
    }
    return text;
}

} // namespace pelmar::engine
