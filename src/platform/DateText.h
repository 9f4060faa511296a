#pragma once

#include <QDate>
#include <QString>

namespace pelmar {

// Dates travel as text.  Every format is built with the C locale, so month
// names never follow the workstation's language.

// "mm/dd/yyyy": statements, report parameters, most titles.
QString usDate(const QDate& date);
// "yyyy/mm/dd": text that sorts as the date does.
QString sortableDate(const QDate& date);
// "mm-dd-yyyy": export file names.
QString fileDate(const QDate& date);
// "mmm,yyyy": the titles of departmental reports ("Mar,2012").
QString monthCaption(const QDate& date);
// Reads "mm/dd/yyyy" (an invalid date for anything else).
QDate fromUsDate(const QString& text);

// The first and the last day of a date's month, as "mm/dd/yyyy".
struct MonthRangeTexts {
    QString start;
    QString end;
};
MonthRangeTexts MonthRange(const QDate& date);

// False when the period runs backwards or ends after today, compared as
// "yyyy/mm/dd" texts.  Callers say "Invalid Report Period..." then.
bool PeriodCheck(const QDate& start, const QDate& end, const QDate& today);

} // namespace pelmar
