#include "dialogs/daily/FrmReportDateClinical.h"

#include "platform/DateText.h"
#include "reporting/DepartmentRuns.h"
#include "startup/SessionContext.h"

namespace pelmar {
namespace {

struct Logbook {
    QString reportType;
    QString title; // also the caption
    QString departmentCode;
};

const QList<Logbook>& logbooks() {
    static const QList<Logbook> rows = {
        {"0", "Daily Laboratory Examination Logbook", DepartmentCode::Laboratory},
        {"1", "Daily X-Ray Examination Logbook", DepartmentCode::XRay},
        {"2", "Daily Ultrasound Examination Logbook", DepartmentCode::Ultrasound},
        {"3", "Daily CT Scan Examination Logbook", DepartmentCode::CtScan},
    };
    return rows;
}

const Logbook* logbookFor(const QString& reportType) {
    for (const Logbook& row : logbooks()) {
        if (row.reportType == reportType)
            return &row;
    }
    return nullptr;
}

} // namespace

FrmReportDateClinical::FrmReportDateClinical(QWidget* parent)
    : DateEntryDialog({QStringLiteral("Report Date Entry"), QStringLiteral("Report Date"),
                       QStringLiteral("MM/dd/yyyy"), QStringLiteral("dtpReportDate")},
                      parent) {
    setObjectName(QStringLiteral("frmReportDateClinical"));
}

QString FrmReportDateClinical::captionFor(const QString& reportType) const {
    const Logbook* row = logbookFor(reportType);
    return row ? row->title : QString();
}

void FrmReportDateClinical::runReport() {
    const Logbook* row = logbookFor(reportType());
    if (!row)
        return;
    const QString day = usDate(pickedDate());
    RunDailyDepartmentReport(day, day, row->departmentCode, row->title, false);
}

} // namespace pelmar
