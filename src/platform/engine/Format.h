#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace pelmar::engine {

bool isNumberFormat(const QString& format);
bool isDateFormat(const QString& format);
// Reads a value as a date: QDate, QDateTime, "yyyy-mm-dd" or "mm/dd/yyyy".
QDate toDate(const QVariant& value);
bool toNumber(const QVariant& value, double* out);
// Formats a value for the page; dates and numbers in the C locale.
QString formatValue(const QVariant& value, const QString& format);

} // namespace pelmar::engine
