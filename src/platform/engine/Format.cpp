#include "platform/engine/Format.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace pelmar::engine {

bool isNumberFormat(const QString& format)
{
    return format.contains('0') || format.contains('#');
}

bool isDateFormat(const QString& format)
{
    return !isNumberFormat(format) && (format.contains('y', Qt::CaseInsensitive) || format.contains('d', Qt::CaseInsensitive)
                                       || format.contains('m', Qt::CaseInsensitive));
}

QDate toDate(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: return value.toDate();
    case QMetaType::QDateTime: return value.toDateTime().date();
    default: break;
    }
    const QString s = value.toString().trimmed();
    QDate d = QDate::fromString(s.left(10), Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(s, QStringLiteral("MM/dd/yyyy"));
    if (!d.isValid())
        d = QDate::fromString(s, QStringLiteral("M/d/yyyy"));
    return d;
}

bool toNumber(const QVariant& value, double* out)
{
    switch (value.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong:
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

static QString qtDatePattern(const QString& format)
{
    // Templates write dates the way the users know them: mm month, nn minutes.
    QString out;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        int n = 1;
        while (i + n < format.size() && format[i + n].toLower() == c)
            ++n;
        if (c == 'm') out += QString(n, 'M');
        else if (c == 'n') out += QString(n, 'm');
        else if (c == 'y' || c == 'd' || c == 'h' || c == 's') out += QString(n, c);
        else if (c.isLetter()) out += '\'' + format.mid(i, n) + '\'';
        else out += format.mid(i, n);
        i += n;
    }
    return out;
}

static QString formatNumber(double v, const QString& format)
{
    const int first = int(format.indexOf(QRegularExpression("[#0,.]")));
    int last = first;
    for (int i = first; i < format.size(); ++i)
        if (QStringLiteral("#0,.").contains(format[i]))
            last = i;
    const QString prefix = format.left(first);
    const QString core = format.mid(first, last - first + 1);
    QString suffix = format.mid(last + 1);
    if (suffix.contains('%'))
        v *= 100;
    const int dot = int(core.indexOf('.'));
    const int decimals = dot < 0 ? 0 : int(core.size()) - dot - 1;
    const bool grouping = core.contains(',');
    const bool negative = v < 0 && std::round(std::fabs(v) * std::pow(10, decimals)) != 0;
    QString digits = QString::number(std::fabs(v), 'f', decimals);
    if (grouping) {
        int intEnd = int(digits.indexOf('.'));
        if (intEnd < 0)
            intEnd = int(digits.size());
        for (int i = intEnd - 3; i > 0; i -= 3)
            digits.insert(i, ',');
    }
    return (negative ? QStringLiteral("-") : QString()) + prefix + digits + suffix;
}

QString formatValue(const QVariant& value, const QString& format)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (!format.isEmpty() && isNumberFormat(format)) {
        double v;
        if (toNumber(value, &v))
            return formatNumber(v, format);
        return value.toString();
    }
    if (!format.isEmpty() && isDateFormat(format)) {
        if (value.typeId() == QMetaType::QDateTime && format.contains(QRegularExpression("[hns]")))
            return QLocale::c().toString(value.toDateTime(), qtDatePattern(format));
        const QDate d = toDate(value);
        if (d.isValid())
            return QLocale::c().toString(d, qtDatePattern(format));
        return value.toString();
    }
    switch (value.typeId()) {
    case QMetaType::QDate: return QLocale::c().toString(value.toDate(), QStringLiteral("MM/dd/yyyy"));
    case QMetaType::QDateTime: return QLocale::c().toString(value.toDateTime(), QStringLiteral("MM/dd/yyyy hh:mm"));
    case QMetaType::Double: return QString::number(value.toDouble(), 'f', 2);
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return value.toString();
    }
}

} // namespace pelmar::engine
