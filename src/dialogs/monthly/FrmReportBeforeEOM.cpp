#include "dialogs/monthly/FrmReportBeforeEOM.h"

#include "platform/DateText.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

namespace pelmar {
namespace {

using BatchRun = BatchWindow::BatchRun;

const QString kAging = QStringLiteral("REPORTS..sp_BILLING_RepAgingRecompute ");
const QString kPayable = QStringLiteral("REPORTS..sp_BILLING_RepAgingPayableRecompute ");
const QString kReports = QStringLiteral("REPORTS");

void recompute(const QString& procedure, const MonthRangeTexts& month) {
    ExecuteSql(procedure + quoted(month.start) + QStringLiteral(", ") + quoted(month.end));
}

std::function<void(const BatchRun&)> detailRun(const QString& procedure,
                                               const QString& templateName, const QString& title) {
    return [=](const BatchRun& run) {
        const MonthRangeTexts month = MonthRange(run.picked);
        recompute(procedure, month);
        OpenReport(session().ReportsFolder + templateName, kReports,
                   {month.start, month.end, session().CompanyAddress});
        ShowReport(true, title, run.directPrint, true);
    };
}

std::function<void(const BatchRun&)>
computationRun(const QString& procedure, const QString& templateName, const QString& title) {
    return [=](const BatchRun& run) {
        const MonthRangeTexts month = MonthRange(run.picked);
        recompute(procedure, month);
        // The same values as the month's single aging report: the template
        // reads the period first.
        OpenReport(session().ReportsFolder + templateName, kReports,
                   {month.start, month.end, session().CompanyAddress});
        OpenSubreport(QStringLiteral("Company"), kReports,
                      {month.start, month.end, session().CompanyAddress});
        OpenSubreport(QStringLiteral("Classification"), kReports, {month.start, month.end});
        ShowReport(false, title, run.directPrint, true);
    };
}

BatchWindow::Design beforeDesign() {
    BatchWindow::Design design;
    design.objectName = QStringLiteral("frmReportBeforeEOM");
    design.caption = QStringLiteral("End of the Month Reports (Before EOM)");
    design.banner = QStringLiteral("End of Month (Before EOM)");
    design.prompt = QStringLiteral("Report Month");
    design.pickerName = QStringLiteral("dtpReportMonth");
    design.displayFormat = QStringLiteral("yyyy/MM");
    design.pickerStart = BatchWindow::PickerStart::MonthOfServerDate;
    design.boxes = {
        {"Patient's Account Status Report"},      {"Aging Analysis - Detail Report"},
        {"Aging Analysis (Computation)"},         {"Payable Aging Analysis - Detail Report"},
        {"Payable Aging Analysis (Computation)"},
    };
    design.columns = {{0, 1, 2, 3, 4}};
    design.rows = {
        // The account status report has its own dialog; the box runs nothing.
        {0, {}},
        {1, detailRun(kAging, QStringLiteral("\\Aging.rpt"), QStringLiteral("Aging"))},
        {2,
         computationRun(kAging, QStringLiteral("\\AgingComputation.rpt"), QStringLiteral("Aging"))},
        {3, detailRun(kPayable, QStringLiteral("\\PayableDetail.rpt"),
                      QStringLiteral("Payable Aging"))},
        {4, computationRun(kPayable, QStringLiteral("\\PayableComputation.rpt"),
                           QStringLiteral("Payable Aging"))},
    };
    return design;
}

} // namespace

FrmReportBeforeEOM::FrmReportBeforeEOM(QWidget* parent)
    : BatchWindow(beforeDesign(), parent) {}

} // namespace pelmar
