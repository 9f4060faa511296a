#include "reporting/DailySummaries.h"

#include "platform/Error.h"
#include "platform/Hourglass.h"
#include "platform/sql/RecordSet.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <cmath>
#include <limits>

namespace pelmar {
namespace {

struct Variant {
    QString prepare;
    QString recompute;
    QString totals;
    QString templateName;
    QString viewerTitle;
};

// The procedure texts end where the quoted date begins; the first two carry
// two blanks before it.
const Variant& variantOf(DailySummaryKind kind) {
    static const Variant discharges{
        QStringLiteral("Reports..sp_Rep_DumpDailySummaryOfDischarges  "),
        QStringLiteral("Reports..sp_RepRecomputeExtensionInPatient  "),
        QStringLiteral("Reports..sp_Rep_GetComputedInPatients "),
        QStringLiteral("\\rptDailySummaryOfDischargesColumns.rpt"),
        QStringLiteral("Daily Summary Of Discharges")};
    static const Variant services{QStringLiteral("Reports..sp_Rep_DumpDailySummaryOfServices  "),
                                  QStringLiteral("Reports..sp_RepRecomputeExtensionOutPatient  "),
                                  QStringLiteral("Reports..sp_Rep_GetComputedOutPatients "),
                                  QStringLiteral("\\rptDailySummaryOfServices.rpt"),
                                  QStringLiteral("Daily Summary Of Services")};
    return kind == DailySummaryKind::Discharges ? discharges : services;
}

double amount(const RecordSet& rows, const QString& name) {
    const QVariant value = rows.field(name);
    if (value.isNull())
        return 0;
    bool ok = false;
    const double result = value.toDouble(&ok);
    if (!ok || !std::isfinite(result))
        throw Error(QStringLiteral("The daily total %1 is not a number (\"%2\").")
                        .arg(name, value.toString()));
    return result;
}

qint16 patientCount(const RecordSet& rows, const QString& name) {
    const double value = std::round(amount(rows, name));
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw Error(QStringLiteral("The daily total %1 is %2, outside what the report can show "
                                   "(-32768 to 32767). Check the day's computed figures.")
                        .arg(name)
                        .arg(value, 0, 'f', 0));
    return static_cast<qint16>(value);
}

} // namespace

DailySummaryTotals readDailySummaryTotals(const RecordSet& rows) {
    DailySummaryTotals totals;
    if (rows.atEnd() || rows.atStart())
        return totals;
    totals.TotalPatientCharge = patientCount(rows, QStringLiteral("TotalPatientCharge"));
    totals.TotalHospCharge = amount(rows, QStringLiteral("TotalHospCharge"));
    totals.TotalProfCharge = amount(rows, QStringLiteral("TotalProfCharge"));
    totals.TotalPatientCash = patientCount(rows, QStringLiteral("TotalPatientCash"));
    totals.TotalHospCash = amount(rows, QStringLiteral("TotalHospCash"));
    totals.TotalProfCash = amount(rows, QStringLiteral("TotalProfCash"));
    return totals;
}

QVariantList dailySummaryValues(const QString& reportDate, const DailySummaryTotals& totals) {
    return {reportDate,
            reportDate,
            session().CompanyAddress,
            QVariant::fromValue(totals.TotalPatientCash),
            QVariant::fromValue(totals.TotalPatientCharge),
            totals.TotalHospCash,
            totals.TotalHospCharge,
            totals.TotalProfCash,
            totals.TotalProfCharge};
}

void RunDailySummary(DailySummaryKind kind, const QString& reportDate, bool prepare,
                     const std::function<void()>& followUp) {
    const Variant& variant = variantOf(kind);
    ProgressShown progress;
    {
        Hourglass hourglass;
        if (prepare)
            ExecuteSql(variant.prepare + quoted(reportDate));
        ExecuteSql(variant.recompute + quoted(reportDate));
        RecordSet rows;
        OpenRecordset(rows, variant.totals + quoted(reportDate));
        const DailySummaryTotals totals = readDailySummaryTotals(rows);
        rows.close();
        OpenReport(session().ReportsFolder + variant.templateName, QStringLiteral("Reports"),
                   dailySummaryValues(reportDate, totals));
    }
    ShowReport(false, variant.viewerTitle, false, false);
    if (followUp)
        followUp();
}

} // namespace pelmar
