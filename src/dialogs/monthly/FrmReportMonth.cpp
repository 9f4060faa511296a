#include "dialogs/monthly/FrmReportMonth.h"

#include "platform/DateText.h"
#include "reporting/DepartmentRuns.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

namespace pelmar {
namespace {

struct MonthlyRow {
    QString reportType;
    QString caption; // empty: the design caption stays
    QString title;   // the report's title; empty for the package deal
    QString departmentCode;
};

const QString kPackageDeal = QStringLiteral("8");

const QList<MonthlyRow>& monthlyRows() {
    static const QList<MonthlyRow> rows = {
        {"0", "Monthly Laboratory Summary Report", "Monthly Laboratory Summary Report",
         DepartmentCode::Laboratory},
        {"1", "Monthly X-Ray Summary Report", "Monthly X-Ray Summary Report", DepartmentCode::XRay},
        {"2", "Monthly Ultrasound Summary Report", "Monthly Ultrasound Summary Report",
         DepartmentCode::Ultrasound},
        {"3", "Monthly Operating Room Summary Report", "Monthly Operating Room Summary Report",
         "OR"},
        {"4", "Monthly Physical Therapy Summary Report", "Monthly Physical Therapy Summary Report",
         DepartmentCode::PhysicalTherapy},
        {"5", "Monthly RTS Summary Report", "Monthly RTS Summary Report", DepartmentCode::Rts},
        {"6", "Monthly CT Scan Summary Report", "Monthly CT Scan Summary Report",
         DepartmentCode::CtScan},
        {"7", "Monthly Delivery Room Summary Report", "Monthly Delivery Room Summary Report", "DR"},
        {kPackageDeal, "Monthly Package Deal Report", {}, {}},
        {"9", {}, "Monthly Hemodialysis Summary Report", "DI"},
    };
    return rows;
}

const MonthlyRow* rowFor(const QString& reportType) {
    for (const MonthlyRow& row : monthlyRows()) {
        if (row.reportType == reportType)
            return &row;
    }
    return nullptr;
}

void runPackageDeal(const MonthRangeTexts& month) {
    OpenReport(session().ReportsFolder + QStringLiteral("\\MonthLaboratoryPackageDeal.rpt"),
               QStringLiteral("Reports"), {month.start, month.end, session().CompanyAddress});
    ShowReport(false, QStringLiteral("Month Laboratory Package Deal Report"), false, false);
}

} // namespace

FrmReportMonth::FrmReportMonth(QWidget* parent)
    : DateEntryDialog({QStringLiteral("Monthly Report"), QStringLiteral("Report Month"),
                       QStringLiteral("MM/yyyy"), QStringLiteral("dtpReportDate")},
                      parent) {
    setObjectName(QStringLiteral("frmReportMonth"));
}

QString FrmReportMonth::captionFor(const QString& reportType) const {
    const MonthlyRow* row = rowFor(reportType);
    return row ? row->caption : QString();
}

void FrmReportMonth::runReport() {
    const MonthRangeTexts month = MonthRange(pickedDate());
    const MonthlyRow* row = rowFor(reportType());
    if (!row)
        return;
    if (row->reportType == kPackageDeal)
        runPackageDeal(month);
    else
        RunMonthlyDepartmentReport(month.start, month.end, row->departmentCode, row->title, false,
                                   QStringLiteral("N"));
}

} // namespace pelmar
