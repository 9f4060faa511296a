#include "dialogs/monthly/FrmReportYear.h"

#include "platform/DateText.h"
#include "reporting/DepartmentRuns.h"
#include "startup/SessionContext.h"

namespace pelmar {

FrmReportYear::FrmReportYear(const QString& objectName, const QList<YearRow>& rows, QWidget* parent)
    : DateEntryDialog({QStringLiteral("Report Year"), QStringLiteral("Report Year"),
                       QStringLiteral("yyyy"), QStringLiteral("dtpReportMonth")},
                      parent)
    , rows_(rows) {
    setObjectName(objectName);
}

const FrmReportYear::YearRow* FrmReportYear::rowFor(const QString& reportType) const {
    for (const YearRow& row : rows_) {
        if (row.reportType == reportType)
            return &row;
    }
    return nullptr;
}

QString FrmReportYear::captionFor(const QString& reportType) const {
    const YearRow* row = rowFor(reportType);
    return row ? row->title : QString();
}

void FrmReportYear::runReport() {
    const MonthRangeTexts month = MonthRange(pickedDate());
    const YearRow* row = rowFor(reportType());
    if (!row)
        return;
    RunYearEndDepartmentReport(month.start, month.end, row->departmentCode, row->title, false,
                               row->optionFlag);
}

FrmReportYearClinical::FrmReportYearClinical(QWidget* parent)
    : FrmReportYear(
          QStringLiteral("frmReportYearClinical"),
          {
              {"0", "Year End Laboratory Summary Report", DepartmentCode::Laboratory, "N"},
              {"1", "Year End X-Ray Summary Report", DepartmentCode::XRay, "N"},
              {"2", "Year End Ultrasound Summary Report", DepartmentCode::Ultrasound, "N"},
              {"3", "Year End Operating Room Summary Report", "OR", "N"},
              {"4", "Year End Physical Therapy Summary Report", DepartmentCode::PhysicalTherapy,
               "N"},
              {"5", "Year End RTS Summary Report", DepartmentCode::Rts, "N"},
              {"6", "Year End CT Scan Summary Report", DepartmentCode::CtScan, "N"},
              {"7", "Year End Delivery Summary Report", "DR", "N"},
          },
          parent) {}

FrmReportYearOthers::FrmReportYearOthers(QWidget* parent)
    : FrmReportYear(QStringLiteral("frmReportYearOthers"),
                    {{"0", "Year End Apparatus Report", DepartmentCode::Apparatus, "Y"}}, parent) {}

} // namespace pelmar
