#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

namespace pelmar {

class RecordSet;

// The daily summaries of discharges (in-patients) and of services
// (out-patients): the database computes the day's figures, then the report
// opens with the date, the address and six totals.
enum class DailySummaryKind { Discharges, Services };

// The six totals of a day.  The patient counts are 16-bit by the report's
// design; a count outside that range is refused rather than wrapped.
struct DailySummaryTotals {
    qint16 TotalPatientCharge = 0;
    double TotalHospCharge = 0;
    double TotalProfCharge = 0;
    qint16 TotalPatientCash = 0;
    double TotalHospCash = 0;
    double TotalProfCash = 0;
};

// Reads the totals from the current (first) row; all zeros for an empty
// result, zero for a null field.  Throws pelmar::Error for a patient count
// outside -32768..32767 or a value that is not a number.
DailySummaryTotals readDailySummaryTotals(const RecordSet& rows);

// The nine values the template takes: date, date, address, then each pair
// cash before charge.
QVariantList dailySummaryValues(const QString& reportDate, const DailySummaryTotals& totals);

// Runs the summary of one day ("mm/dd/yyyy"): optional preparation, the
// recompute, the totals, the report in a viewer child window, then the
// caller's follow-up while the report is CurrentReport.  Failures reach the
// caller.
void RunDailySummary(DailySummaryKind kind, const QString& reportDate, bool prepare,
                     const std::function<void()>& followUp = {});

} // namespace pelmar
