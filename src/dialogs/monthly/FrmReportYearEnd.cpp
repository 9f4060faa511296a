#include "dialogs/monthly/FrmReportYearEnd.h"

#include "platform/DateText.h"
#include "reporting/DepartmentRuns.h"
#include "startup/SessionContext.h"

namespace pelmar {
namespace {

using BatchRun = BatchWindow::BatchRun;

std::function<void(const BatchRun&)> yearEndRun(const QString& code, const QString& title) {
    return [=](const BatchRun& run) {
        // The picker shows the year only; the month stays the server's.
        const MonthRangeTexts month = MonthRange(run.picked);
        RunYearEndDepartmentReport(month.start, month.end, code, title, run.directPrint,
                                   QStringLiteral("N"));
    };
}

BatchWindow::Design yearEndDesign() {
    BatchWindow::Design design;
    design.objectName = QStringLiteral("frmReportYearEnd");
    design.caption = QStringLiteral("Year End Reports");
    design.banner = QStringLiteral("Year End Reports");
    design.prompt = QStringLiteral("Report Year");
    design.pickerName = QStringLiteral("dtpReportMonth");
    design.displayFormat = QStringLiteral("yyyy");
    design.boxes = {
        {"Year End Laboratory Report"},       {"Year End X-Ray Report"},
        {"Year End Ultrasound Report"},       {"Year End Operating Room Report"},
        {"Year End Physical Therapy Report"}, {"Year End RTS Report"},
        {"Year End Apparatus Report"},        {"Year End CT-Scan Report"},
        {"Year End Delivery Room"},
    };
    design.rows = {
        {0, yearEndRun(DepartmentCode::Laboratory, "Year End Laboratory Summary Report")},
        {1, yearEndRun(DepartmentCode::XRay, "Year End X-Ray Summary Report")},
        {2, yearEndRun(DepartmentCode::Ultrasound, "Year End Ultrasound Summary Report")},
        {3, yearEndRun("OR", "Year End Operating Room Summary Report")},
        {4,
         yearEndRun(DepartmentCode::PhysicalTherapy, "Year End Physical Therapy Summary Report")},
        {5, yearEndRun(DepartmentCode::Rts, "Year End RTS Summary Report")},
        {6, yearEndRun(DepartmentCode::Apparatus, "Year End Apparatus Report")},
        {7, yearEndRun(DepartmentCode::CtScan, "Year End CT Scan Summary Report")},
        {8, yearEndRun("DR", "Year End Delivery Summary Report")},
    };
    return design;
}

} // namespace

FrmReportYearEnd::FrmReportYearEnd(QWidget* parent)
    : BatchWindow(yearEndDesign(), parent) {}

} // namespace pelmar
