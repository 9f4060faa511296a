#include "platform/DateText.h"

#include <QLocale>

namespace pelmar {
namespace {

QString format(const QDate& date, const QString& pattern) {
    return QLocale::c().toString(date, pattern);
}

} // namespace

QString usDate(const QDate& date) {
    return format(date, QStringLiteral("MM/dd/yyyy"));
}

QString sortableDate(const QDate& date) {
    return format(date, QStringLiteral("yyyy/MM/dd"));
}

QString fileDate(const QDate& date) {
    return format(date, QStringLiteral("MM-dd-yyyy"));
}

QString monthCaption(const QDate& date) {
    return format(date, QStringLiteral("MMM,yyyy"));
}

QDate fromUsDate(const QString& text) {
    return QDate::fromString(text.left(10), QStringLiteral("MM/dd/yyyy"));
}

MonthRangeTexts MonthRange(const QDate& date) {
    const QDate start = date.addDays(1 - date.day());
    const QDate next = start.addMonths(1);
    return {usDate(start), usDate(next.addDays(-next.day()))};
}

bool PeriodCheck(const QDate& start, const QDate& end, const QDate& today) {
    return !(sortableDate(start) > sortableDate(end) || sortableDate(end) > sortableDate(today));
}

} // namespace pelmar
