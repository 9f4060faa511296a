#include "dialogs/monthly/FrmReportAfterEOM.h"

#include "dialogs/monthly/FrmReportMonthBefore.h"
#include "platform/DateText.h"
#include "reporting/DepartmentRuns.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

namespace pelmar {
namespace {

using BatchRun = BatchWindow::BatchRun;

const QString kAging = QStringLiteral("REPORTS..sp_BILLING_RepAgingRecompute");
const QString kPayable = QStringLiteral("REPORTS..sp_BILLING_RepAgingPayableRecompute");

std::function<void(const BatchRun&)> departmentRun(const QString& code, const QString& title,
                                                   const QString& flag = QStringLiteral("N")) {
    return [=](const BatchRun& run) {
        const MonthRangeTexts month = MonthRange(run.picked);
        RunMonthlyDepartmentReport(month.start, month.end, code, title, run.directPrint, flag);
    };
}

std::function<void(const BatchRun&)> agingRun(const FrmReportMonthBefore::AgingRun& aging) {
    return [aging](const BatchRun& run) {
        const MonthRangeTexts month = MonthRange(run.picked);
        FrmReportMonthBefore::runAging(aging, month.start, month.end, run.directPrint);
    };
}

struct LedgerRow {
    QString templateName;
    QString title;
    bool groupTree;
    bool summary; // the "Summary" subreport, with the company name
};

std::function<void(const BatchRun&)> ledgerRun(const LedgerRow& row) {
    return [row](const BatchRun& run) {
        const MonthRangeTexts month = MonthRange(run.picked);
        const QString reports = QStringLiteral("Reports");
        // The ledger ("A", receivables) comes third, as in the monthly audit
        // trail; without it the address would stand in the ledger's place.
        const QString ledger = QStringLiteral("A");
        OpenReport(session().ReportsFolder + row.templateName, reports,
                   {month.start, month.end, ledger, session().CompanyAddress});
        if (row.summary)
            OpenSubreport(
                QStringLiteral("Summary"), reports,
                {month.start, month.end, ledger, session().CompanyAddress, session().CompanyName});
        ShowReport(row.groupTree, row.title, run.directPrint, false);
    };
}

BatchWindow::Design afterDesign() {
    BatchWindow::Design design;
    design.objectName = QStringLiteral("frmReportAfterEOM");
    design.caption = QStringLiteral("End of Month (After EOM)");
    design.banner = QStringLiteral("End of Month (After EOM)");
    design.prompt = QStringLiteral("Report Month");
    design.pickerName = QStringLiteral("dtpReportMonth");
    design.displayFormat = QStringLiteral("yyyy/MM");
    design.pickerStart = BatchWindow::PickerStart::MonthOfServerDate;
    design.boxes = {
        {"Monthly Laboratory Report"},
        {"Monthly X-Ray Report"},
        {"Monthly Ultrasound Report"},
        {"Monthly Operating Room Report"},
        {"Monthly Physical Therapy Report"},
        {"Monthly RTS Report"},
        {"Monthly CT-Scan Report"},
        {"Monthly Delivery Room Report"},
        // The package deal has its own monthly dialog; the batch never runs it.
        {"Laboratory Package Deal", false},
        {"Monthly Hemodialysis Report"},
        {"Aging (Computation)"},
        {"Monthly Apparatus Report"},
        {"Aging (Detailed)"},
        {"A/R General Ledger - Summary"},
        {"Breakdown of Departmental Revenue"},
        {"&A/R General Ledger - Detail"},
        {"Payable Aging (Computation)"},
        {"Payable Aging (Detailed)"},
    };
    design.rows = {
        {0, departmentRun(DepartmentCode::Laboratory, "Monthly Laboratory Summary Report")},
        {1, departmentRun(DepartmentCode::XRay, "Monthly X-Ray Summary Report")},
        {2, departmentRun(DepartmentCode::Ultrasound, "Monthly Ultrasound Summary Report")},
        {3, departmentRun("OR", "Monthly Operating Room Summary Report")},
        {4,
         departmentRun(DepartmentCode::PhysicalTherapy, "Monthly Physical Therapy Summary Report")},
        {5, departmentRun(DepartmentCode::Rts, "Monthly RTS Summary Report")},
        {6, departmentRun(DepartmentCode::CtScan, "Monthly CT Scan Summary Report")},
        {7, departmentRun("DR", "Monthly Delivery Room Summary Report")},
        {11, departmentRun(DepartmentCode::Apparatus, "Monthly Apparatus Report", "Y")},
        {12, agingRun({kAging, "\\Aging.rpt", false, "Aging Analysis Report"})},
        {10, agingRun({kAging, "\\AgingComputation.rpt", true, "Aging Analysis Report"})},
        {17, agingRun({kPayable, "\\PayableDetail.rpt", false, "Payable Aging Analysis Report"})},
        {16,
         agingRun({kPayable, "\\PayableComputation.rpt", true, "Payable Aging Analysis Report"})},
        {15, ledgerRun({"\\MonthlyEntriesGL.rpt", "A/R General Ledger Entries", false, false})},
        {13, ledgerRun({"\\MonthlySummaryGL.rpt", "A/R General Ledger Entries", false, false})},
        {14, ledgerRun({"\\BreakdownOfDepartmentalRevenue.rpt", "Breakdown Of Departmental Revenue",
                        true, true})},
        {9, departmentRun("DI", "Monthly Hemodialysis Summary Report")},
    };
    return design;
}

} // namespace

FrmReportAfterEOM::FrmReportAfterEOM(QWidget* parent)
    : BatchWindow(afterDesign(), parent) {}

} // namespace pelmar
