#pragma once

#include <QString>

namespace pelmar {

// The departmental summaries and logbooks: one template each, told apart by
// department code and title.  Dates are "mm/dd/yyyy" texts; the option flag
// is "Y" for the apparatus and miscellaneous-revenue reports, else "N".
// Failures reach the caller, with the progress window already closed.

void RunMonthlyDepartmentReport(const QString& startDate, const QString& endDate,
                                const QString& departmentCode, const QString& reportTitle,
                                bool directPrint, const QString& optionFlag);

void RunYearEndDepartmentReport(const QString& startDate, const QString& endDate,
                                const QString& departmentCode, const QString& reportTitle,
                                bool directPrint, const QString& optionFlag);

void RunDailyDepartmentReport(const QString& startDate, const QString& endDate,
                              const QString& departmentCode, const QString& reportTitle,
                              bool directPrint);

// The statement that refills the departmental report table for one key.
QString monthlyRecomputeStatement(const QString& startDate, const QString& endDate,
                                  const QString& departmentCode, const QString& optionFlag);

// The monthly template for a department code (exact, case-sensitive).
QString monthlyTemplateFor(const QString& departmentCode);

} // namespace pelmar
