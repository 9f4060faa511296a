#include "RecordingReports.h"

#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"

namespace pelmar::test {

RecordingReports::RecordingReports() {
    setReportRoutines(this);
}

RecordingReports::~RecordingReports() {
    setReportRoutines(nullptr);
}

void RecordingReports::maybeFail(const QString& call) {
    if (failCall_ != call)
        return;
    failCall_.clear();
    throw Error(failDescription_);
}

void RecordingReports::failNext(const QString& call, const QString& description) {
    failCall_ = call;
    failDescription_ = description;
}

void RecordingReports::clear() {
    calls.clear();
    opened.clear();
    subreports.clear();
    shown.clear();
}

void RecordingReports::OpenReport(const QString& templatePath, const QString& databaseName,
                                  const QVariantList& parameterValues) {
    calls << QStringLiteral("OpenReport");
    session().CurrentReport.reset();
    maybeFail(QStringLiteral("OpenReport"));
    auto report = engine::Report::placeholder(templatePath);
    report->SetCompanyName(session().CompanyName);
    session().CurrentReport = report;
    opened << Opened{templatePath, databaseName, parameterValues, report};
}

void RecordingReports::OpenSubreport(const QString& subreportName, const QString& databaseName,
                                     const QVariantList& parameterValues) {
    calls << QStringLiteral("OpenSubreport");
    maybeFail(QStringLiteral("OpenSubreport"));
    if (!session().CurrentReport)
        throw Error(QStringLiteral("The subreport \"%1\" cannot be opened: no report is open.")
                        .arg(subreportName));
    subreports << SubreportOpened{subreportName, databaseName, parameterValues};
}

void RecordingReports::ShowReport(bool showGroupTree, const QString& caption, bool directPrint,
                                  bool modal) {
    calls << QStringLiteral("ShowReport");
    maybeFail(QStringLiteral("ShowReport"));
    const auto report = session().CurrentReport;
    if (directPrint && !report)
        throw Error(QStringLiteral("There is no report to print. Open the report again."));
    shown << Shown{showGroupTree, caption, directPrint, modal,
                   report ? report->templatePath() : QString()};
    // Released as the real routine releases it: after a direct print, and
    // when a modal viewer closes (at once here).
    if (directPrint || modal)
        session().CurrentReport.reset();
}

void RecordingReports::OpenProgressWindow() {
    calls << QStringLiteral("OpenProgressWindow");
    progressWindowOpen = true;
}

void RecordingReports::CloseProgressWindow() {
    calls << QStringLiteral("CloseProgressWindow");
    progressWindowOpen = false;
}

const engine::ExportOptions* RecordingReports::exportOptions(int index) const {
    if (opened.isEmpty())
        return nullptr;
    if (index < 0)
        index = int(opened.size()) - 1;
    return &opened.value(index).report->GetExportOptions();
}

} // namespace pelmar::test
