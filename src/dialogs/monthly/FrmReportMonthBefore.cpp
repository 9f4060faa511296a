#include "dialogs/monthly/FrmReportMonthBefore.h"

#include "platform/DateText.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "reporting/DepartmentRuns.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <optional>

namespace pelmar {
namespace {

const QString kReceivable = QStringLiteral("REPORTS..sp_BILLING_RepAgingRecompute");
const QString kPayable = QStringLiteral("REPORTS..sp_BILLING_RepAgingPayableRecompute");

enum class Run { Nothing, Aging, Apparatus };

struct BeforeRow {
    QString reportType;
    QString caption;
    Run run;
    FrmReportMonthBefore::AgingRun aging;
};

const QList<BeforeRow>& beforeRows() {
    static const QList<BeforeRow> rows = {
        {"0", "Patients Account Status Report", Run::Nothing, {}},
        {"1", "Aging - Detailed", Run::Aging, {kReceivable, "\\Aging.rpt", false, "Aging"}},
        {"2",
         "Aging - Summary",
         Run::Aging,
         {kReceivable, "\\AgingComputation.rpt", true, "Aging Analysis Report"}},
        {"3",
         "Payable - Detailed",
         Run::Aging,
         {kPayable, "\\PayableDetail.rpt", false, "Payable Aging"}},
        {"4",
         "Payable - Summary",
         Run::Aging,
         {kPayable, "\\PayableComputation.rpt", true, "Payable Aging Analysis Report"}},
        {"5", "Monthly Audit Trail", Run::Nothing, {}},
        {"6", "Monthly Apparatus Report", Run::Apparatus, {}},
        {"7", "Monthly Miscellaneous Report", Run::Nothing, {}},
    };
    return rows;
}

const BeforeRow* rowFor(const QString& reportType) {
    for (const BeforeRow& row : beforeRows()) {
        if (row.reportType == reportType)
            return &row;
    }
    return nullptr;
}

} // namespace

FrmReportMonthBefore::FrmReportMonthBefore(QWidget* parent)
    : DateEntryDialog({QStringLiteral("Monthly Report"), QStringLiteral("Report Month"),
                       QStringLiteral("MM/yyyy"), QStringLiteral("dtpReportDate")},
                      parent) {
    setObjectName(QStringLiteral("frmReportMonthBefore"));
}

QString FrmReportMonthBefore::captionFor(const QString& reportType) const {
    const BeforeRow* row = rowFor(reportType);
    return row ? row->caption : QString();
}

void FrmReportMonthBefore::runAging(const AgingRun& run, const QString& startDate,
                                    const QString& endDate, bool directPrint) {
    const QVariantList values{startDate, endDate, session().CompanyAddress};
    OpenProgressWindow();
    ExecuteSql(run.procedure + QLatin1Char(' ') + quoted(startDate) + QStringLiteral(", ") +
               quoted(endDate));
    OpenReport(session().ReportsFolder + run.templateName, QStringLiteral("REPORTS"), values);
    if (run.classification)
        OpenSubreport(QStringLiteral("Classification"), QStringLiteral("REPORTS"), values);
    CloseProgressWindow();
    ShowReport(true, run.viewerTitle, directPrint, false);
}

void FrmReportMonthBefore::runReport() {
    const MonthRangeTexts month = MonthRange(pickedDate());
    const BeforeRow* row = rowFor(reportType());
    if (!row)
        return;
    switch (row->run) {
    case Run::Nothing:
        break;
    case Run::Aging:
        runAging(row->aging, month.start, month.end);
        break;
    case Run::Apparatus:
        RunMonthlyDepartmentReport(month.start, month.end, DepartmentCode::Apparatus,
                                   QStringLiteral("Monthly Apparatus Report"), false,
                                   QStringLiteral("Y"));
        break;
    }
}

} // namespace pelmar
