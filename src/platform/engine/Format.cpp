#include "platform/engine/Format.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace pelmar::engine {

bool isNumberFormat(const QString& format) {
    return format.contains('0') || format.contains('#');
}

bool isDateFormat(const QString& format) {
    return !isNumberFormat(format) &&
           (format.contains('y', Qt::CaseInsensitive) ||
            format.contains('d', Qt::CaseInsensitive) || format.contains('m', Qt::CaseInsensitive));
}

QDate toDate(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate();
    case QMetaType::QDateTime:
        return value.toDateTime().date();
    default:
        break;
    }
    const QString s = value.toString().trimmed();
    QDate d = QDate::fromString(s.left(10), Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(s, QStringLiteral("MM/dd/yyyy"));
    if (!d.isValid())
        d = QDate::fromString(s, QStringLiteral("M/d/yyyy"));
    return d;
}

bool toNumber(const QVariant& value, double* out) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        *out = value.toDouble();
        return true;
    case QMetaType::QString: {
        bool ok = false;
        *out = value.toString().trimmed().toDouble(&ok);
        return ok;
    }
    default:
        return false;
    }
}

static QString qtDatePattern(const QString& format) {
    // Templates write dates the way the users know them: mm month, nn minutes.
    QString out;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        int n = 1;
        while (i + n < format.size() && format[i + n].toLower() == c)
            ++n;
        if (c == 'm')
            out += QString(n, 'M');
        else if (c == 'n')
            out += QString(n, 'm');
        else if (c == 'y' || c == 'd' || c == 'h' || c == 's')
            out += QString(n, c);
        else if (c.isLetter())
            out += '\'' + format.mid(i, n) + '\'';
        else
            out += format.mid(i, n);
        i += n;
    }
    return out;
}

namespace {

// A format read once: the layout formats every cell, so nothing here may parse per call.
struct ParsedFormat {
    enum Kind { General, Number, Date } kind = General;
    QString prefix, suffix;
    int decimals = 0;
    bool grouping = false;
    bool percent = false;
    bool usDate = false; // exactly mm/dd/yyyy
    bool hasTime = false;
    QString qtPattern;
};

const ParsedFormat& parsed(const QString& format) {
    thread_local QHash<QString, ParsedFormat> cache;
    auto it = cache.constFind(format);
    if (it != cache.constEnd())
        return *it;
    ParsedFormat f;
    if (format.isEmpty()) {
        f.kind = ParsedFormat::General;
    } else if (isNumberFormat(format)) {
        f.kind = ParsedFormat::Number;
        int first = -1, last = -1;
        for (int i = 0; i < format.size(); ++i)
            if (QStringLiteral("#0,.").contains(format[i])) {
                if (first < 0)
                    first = i;
                last = i;
            }
        f.prefix = format.left(first);
        const QString core = format.mid(first, last - first + 1);
        f.suffix = format.mid(last + 1);
        f.percent = f.suffix.contains('%');
        const int dot = int(core.indexOf('.'));
        f.decimals = dot < 0 ? 0 : int(core.size()) - dot - 1;
        f.grouping = core.contains(',');
    } else if (isDateFormat(format)) {
        f.kind = ParsedFormat::Date;
        f.usDate = format.compare(QStringLiteral("mm/dd/yyyy"), Qt::CaseInsensitive) == 0;
        f.hasTime = format.contains(QRegularExpression("[hns]"));
        f.qtPattern = qtDatePattern(format);
    }
    return *cache.insert(format, f);
}

QString formatNumber(double v, const ParsedFormat& f) {
    if (f.percent)
        v *= 100;
    const bool negative = v < 0 && std::round(std::fabs(v) * std::pow(10, f.decimals)) != 0;
    QString digits = QString::number(std::fabs(v), 'f', f.decimals);
    if (f.grouping) {
        int intEnd = int(digits.indexOf('.'));
        if (intEnd < 0)
            intEnd = int(digits.size());
        for (int i = intEnd - 3; i > 0; i -= 3)
            digits.insert(i, ',');
    }
    if (!negative && f.prefix.isEmpty() && f.suffix.isEmpty())
        return digits;
    return (negative ? QStringLiteral("-") : QString()) + f.prefix + digits + f.suffix;
}

QString usDate(const QDate& d) {
    if (!d.isValid())
        return {};
    const int y = d.year(), m = d.month(), day = d.day();
    if (y < 0 || y > 9999)
        return d.toString(QStringLiteral("MM/dd/yyyy"));
    QChar b[10] = {QChar('0' + m / 10),   QChar('0' + m % 10),       QChar('/'),
                   QChar('0' + day / 10), QChar('0' + day % 10),     QChar('/'),
                   QChar('0' + y / 1000), QChar('0' + y / 100 % 10), QChar('0' + y / 10 % 10),
                   QChar('0' + y % 10)};
    return QString(b, 10);
}

} // namespace

QString formatValue(const QVariant& value, const QString& format) {
    if (value.isNull() || !value.isValid())
        return {};
    const ParsedFormat& f = parsed(format);
    if (f.kind == ParsedFormat::Number) {
        double v;
        if (toNumber(value, &v))
            return formatNumber(v, f);
        return value.toString();
    }
    if (f.kind == ParsedFormat::Date) {
        if (value.typeId() == QMetaType::QDateTime && f.hasTime)
            return QLocale::c().toString(value.toDateTime(), f.qtPattern);
        const QDate d = toDate(value);
        if (d.isValid())
            return f.usDate ? usDate(d) : QLocale::c().toString(d, f.qtPattern);
        return value.toString();
    }
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QDate:
        return usDate(value.toDate());
    case QMetaType::QDateTime:
        return QLocale::c().toString(value.toDateTime(), QStringLiteral("MM/dd/yyyy hh:mm"));
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'f', 2);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

} // namespace pelmar::engine
