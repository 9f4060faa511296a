#include "dialogs/daily/FrmEndOfDay.h"

#include "platform/DateText.h"
#include "reporting/DailySummaries.h"
#include "reporting/DepartmentRuns.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

namespace pelmar {
namespace {

using BatchRun = BatchWindow::BatchRun;

enum class Title { Plain, Colon, Blank }; // what joins the date to the title

enum class Values { Date, DateAddress, DateAllPatientsAddress };

struct TemplateRow {
    QString templateName;
    Values values;
    QString title;
    Title dated;
    bool groupTree;
};

// One template report of the day, printed when Print was pressed.
std::function<void(const BatchRun&)> templateRun(const TemplateRow& row) {
    return [row](const BatchRun& run) {
        const QString date = usDate(run.picked);
        QVariantList values{date};
        // The audit trails take the patient type second: the batch covers
        // them all.
        if (row.values == Values::DateAllPatientsAddress)
            values << QStringLiteral("A");
        if (row.values != Values::Date)
            values << session().CompanyAddress;
        OpenReport(session().ReportsFolder + row.templateName, QStringLiteral("Reports"), values);
        const QString title = row.dated == Title::Colon   ? row.title + QStringLiteral(": ") + date
                              : row.dated == Title::Blank ? row.title + QLatin1Char(' ') + date
                                                          : row.title;
        ShowReport(row.groupTree, title, run.directPrint, false);
    };
}

std::function<void(const BatchRun&)> logbookRun(const QString& code, const QString& title) {
    return [code, title](const BatchRun& run) {
        const QString date = usDate(run.picked);
        RunDailyDepartmentReport(date, date, code, title, run.directPrint);
    };
}

BatchWindow::Design endOfDayDesign() {
    BatchWindow::Design design;
    design.objectName = QStringLiteral("frmEndOfDay");
    design.caption = QStringLiteral("End Of Day Reports");
    design.banner = QStringLiteral("End of Day Reports");
    design.prompt = QStringLiteral("Report Date");
    design.pickerName = QStringLiteral("dtpReportDate");
    design.displayFormat = QStringLiteral("MM/dd/yyyy");
    design.boxes = {
        {"Daily Summary of Discharges"},
        {"Daily Summary of Services - OPD"},
        {"Admission  Log Book"},
        {"OPD Registration Log Book"},
        {"Laboratory Examination Log Book"},
        {"X-Ray Examination Log Book"},
        {"Ultrasound Examination Log Book"},
        {"Audit Trail - Detail"},
        {"Daily Adjustments Report"},
        {"CT-Scan Examination Log Book"},
        {"Discharges Log Book - Demography"},
        {"Audit Trail - Summary by A/R"},
        {"Audit Trail - Summary by G/L"},
    };
    design.columns = {{0, 1, 2, 3, 4, 5, 6}, {8, 9, 10, 7, 11, 12}};
    design.rows = {
        {0,
         [](const BatchRun& run) {
             // Always shown, never printed.  A failure is closed by the trap.
             OpenProgressWindow();
             OpenReport(session().ReportsFolder +
                            QStringLiteral("\\rptDailySummaryOfDischarges.rpt"),
                        QStringLiteral("Reports"), {usDate(run.picked), session().CompanyAddress});
             ShowReport(false, QStringLiteral("Daily Summary Of Discharges"), false, false);
             CloseProgressWindow();
         }},
        {1,
         [](const BatchRun& run) {
             RunDailySummary(DailySummaryKind::Services, usDate(run.picked), false);
         }},
        {2, templateRun({"\\DailyAdmissionLogbook.rpt", Values::Date, "Daily Admission Logbook",
                         Title::Plain, false})},
        {3,
         [](const BatchRun& run) {
             const QString date = usDate(run.picked);
             OpenReport(session().ReportsFolder + QStringLiteral("\\rptDailyOPDLogBook.rpt"),
                        QStringLiteral("Reports"),
                        {date, session().CompanyAddress,
                         QStringLiteral("Daily OPD Registration LogBook"), date});
             ShowReport(false, QStringLiteral("Daily OPD Registration LogBook: ") + date,
                        run.directPrint, false);
         }},
        {4, logbookRun(DepartmentCode::Laboratory, "Daily Laboratory Examination Logbook")},
        {5, logbookRun(DepartmentCode::XRay, "Daily X-Ray Examination Logbook")},
        {6, logbookRun(DepartmentCode::Ultrasound, "Daily Ultrasound Examination Logbook")},
        {7, templateRun({"\\DailyAuditTrail.rpt", Values::DateAllPatientsAddress,
                         "Daily Audit Trail - Detailed", Title::Plain, true})},
        {11, templateRun({"\\DailyAuditSummaryByAR.rpt", Values::DateAllPatientsAddress,
                          "Daily Audit Trail - Summary by AR", Title::Plain, false})},
        {12, templateRun({"\\DailyAuditSummaryByGL.rpt", Values::DateAllPatientsAddress,
                          "Daily Audit Trail - Summary by GL", Title::Plain, false})},
        {9, logbookRun(DepartmentCode::CtScan, "Daily CT Scan Examination Logbook")},
        {10, templateRun({"\\rptDailyDischarges_Demography.rpt", Values::DateAddress,
                          "Daily Discharges - Demography", Title::Colon, false})},
        {8, templateRun({"\\DailyAdjustment.rpt", Values::DateAddress, "Daily Adjustment Report",
                         Title::Blank, false})},
    };
    return design;
}

} // namespace

FrmEndOfDay::FrmEndOfDay(QWidget* parent)
    : BatchWindow(endOfDayDesign(), parent) {}

} // namespace pelmar
