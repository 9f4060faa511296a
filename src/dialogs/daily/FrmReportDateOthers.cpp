#include "dialogs/daily/FrmReportDateOthers.h"

#include "platform/DateText.h"
#include "platform/engine/Report.h"
#include "platform/user/UserSession.h"
#include "reporting/DailySummaries.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <optional>

namespace pelmar {
namespace {

enum class Run { Nothing, Summary, Template };

enum Value { Date, Address, EmployeeName };

struct DateRow {
    QString reportType;
    QString caption; // empty: the design caption stays
    Run run;
    std::optional<DailySummaryKind> summary;
    bool progressWindow;
    QString templateName;
    QString database;
    QList<Value> values;
    QString viewerTitle;
    bool titleWithDate; // ": " and the date follow the title
    QString exportName;
};

const QList<DateRow>& dateRows() {
    static const QList<DateRow> rows = {
        {"0",
         "Daily Summary of Discharges",
         Run::Summary,
         DailySummaryKind::Discharges,
         false,
         {},
         {},
         {},
         {},
         false,
         "Daily Summary Of Discharges"},
        {"1",
         "",
         Run::Template,
         std::nullopt,
         true,
         "\\DailyIncomeReport.rpt",
         "Reports",
         {Date, Date, Address, EmployeeName},
         "Daily Summary Of Discharges Company Account",
         false,
         "Daily Summary Of Discharges Company Account"},
        {"2",
         "Daily Summary of Services",
         Run::Summary,
         DailySummaryKind::Services,
         false,
         {},
         {},
         {},
         {},
         false,
         "Daily Summary Of Services"},
        {"3",
         "Daily Admission Logbook",
         Run::Template,
         std::nullopt,
         false,
         "\\DailyAdmissionLogbook.rpt",
         "Reports",
         {Date},
         "Daily Admission Logbook",
         false,
         "Daily Admission Logbook"},
        {"4",
         "Daily OPD Registration Logbook",
         Run::Template,
         std::nullopt,
         false,
         "\\rptDailyOPDLogBook.rpt",
         "Reports",
         {Date, Address, Date},
         "Daily OPD Registration LogBook",
         true,
         "Daily OPD Registration LogBook"},
        {"5",
         "Daily Transactions Audit Trail",
         Run::Nothing,
         std::nullopt,
         false,
         {},
         {},
         {},
         {},
         false,
         {}},
        {"6",
         "Daily Adjustments Report",
         Run::Template,
         std::nullopt,
         false,
         "\\DailyAdjustment.rpt",
         "Reports",
         {Date, Address},
         "Daily Adjustment Report",
         false,
         "Daily Adjustment Report"},
        {"7",
         "Payment Summary Report",
         Run::Template,
         std::nullopt,
         false,
         "\\PaymentSummary.rpt",
         "Reports",
         {Date, Address},
         "Payment Summary Report",
         true,
         "Payment Summary Report"},
        {"8",
         "",
         Run::Template,
         std::nullopt,
         false,
         "\\DailyDepartmentalCollection.rpt",
         "BILLING",
         {Date, Date, Address},
         "CASH Collection Summary",
         true,
         "CASH Collection Summary"},
    };
    return rows;
}

const DateRow* rowFor(const QString& reportType) {
    for (const DateRow& row : dateRows()) {
        if (row.reportType == reportType)
            return &row;
    }
    return nullptr;
}

QVariant valueOf(Value value, const QString& reportDate) {
    switch (value) {
    case Date:
        return reportDate;
    case Address:
        return session().CompanyAddress;
    case EmployeeName:
        return session().CurrentUser ? session().CurrentUser->employeeName() : QString();
    }
    return {};
}

// The viewer's export button then writes CurrentReport there without asking.
void presetExport(const QString& exportName, const QDate& day) {
    if (!session().CurrentReport)
        return;
    engine::ExportOptions& options = session().CurrentReport->GetExportOptions();
    options.SetExportFileName(FrmReportDateOthers::exportFileFor(exportName, day));
    options.SetExportDestination(engine::DestinationDisk);
    options.SetExportFormat(engine::FormatExcel);
}

} // namespace

FrmReportDateOthers::FrmReportDateOthers(QWidget* parent)
    : DateEntryDialog({QStringLiteral("Report Date Entry"), QStringLiteral("Report Date"),
                       QStringLiteral("MM/dd/yyyy"), QStringLiteral("dtpReportDate")},
                      parent) {
    setObjectName(QStringLiteral("frmReportDateOthers"));
}

QString FrmReportDateOthers::exportFileFor(const QString& exportName, const QDate& day) {
    return QStringLiteral("C:\\Documents and Settings\\All Users\\Desktop\\") + exportName +
           QLatin1Char(' ') + fileDate(day) + QStringLiteral(".xls");
}

QString FrmReportDateOthers::captionFor(const QString& reportType) const {
    const DateRow* row = rowFor(reportType);
    return row ? row->caption : QString();
}

void FrmReportDateOthers::runReport() {
    const DateRow* row = rowFor(reportType());
    if (!row || row->run == Run::Nothing)
        return;
    const QDate day = pickedDate();
    const QString reportDate = usDate(day);
    const QString exportName = row->exportName;
    if (row->run == Run::Summary) {
        RunDailySummary(*row->summary, reportDate, true,
                        [exportName, day] { presetExport(exportName, day); });
        return;
    }
    ProgressShown progress(row->progressWindow);
    QVariantList values;
    for (Value value : row->values)
        values << valueOf(value, reportDate);
    OpenReport(session().ReportsFolder + row->templateName, row->database, values);
    const QString title = row->titleWithDate ? row->viewerTitle + QStringLiteral(": ") + reportDate
                                             : row->viewerTitle;
    ShowReport(false, title, false, false);
    presetExport(exportName, day);
}

} // namespace pelmar
