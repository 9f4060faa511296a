#include "reporting/DepartmentRuns.h"

#include "platform/DateText.h"
#include "platform/Hourglass.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"


namespace pelmar {
namespace {

QString templatePath(const QString& name) {
    return session().ReportsFolder + name;
}

QString departmentCaption(const QString& reportTitle, const QString& startDate) {
    return reportTitle + QStringLiteral(": ") + monthCaption(fromUsDate(startDate));
}

} // namespace

QString monthlyRecomputeStatement(const QString& startDate, const QString& endDate,
                                  const QString& departmentCode, const QString& optionFlag) {
    return QStringLiteral("Reports..sp_Rep_MonthlyREcompute ") + quoted(startDate) +
           QStringLiteral(", ") + quoted(endDate) + QStringLiteral(", ") + quoted(departmentCode) +
           QStringLiteral(", ") + quoted(optionFlag);
}

QString monthlyTemplateFor(const QString& departmentCode) {
    if (departmentCode == QLatin1String("OR"))
        return QStringLiteral("\\MonthlyORReport.rpt");
    if (departmentCode == QLatin1String("MC") || departmentCode == QLatin1String("MH") ||
        departmentCode == QLatin1String("MI"))
        return QStringLiteral("\\rptMonthlyReport_MH.rpt");
    return QStringLiteral("\\rptMonthlyReport.rpt");
}

void RunMonthlyDepartmentReport(const QString& startDate, const QString& endDate,
                                const QString& departmentCode, const QString& reportTitle,
                                bool directPrint, const QString& optionFlag) {
    ProgressShown progress;
    ExecuteSql(monthlyRecomputeStatement(startDate, endDate, departmentCode, optionFlag));
    OpenReport(templatePath(monthlyTemplateFor(departmentCode)), QStringLiteral("REPORTS"),
               {startDate, endDate, departmentCode, optionFlag, session().CompanyAddress,
                reportTitle, usDate(fromUsDate(endDate))});
    ShowReport(false, departmentCaption(reportTitle, startDate), directPrint, false);
    progress.close();
}

void RunYearEndDepartmentReport(const QString& startDate, const QString& endDate,
                                const QString& departmentCode, const QString& reportTitle,
                                bool directPrint, const QString& optionFlag) {
    ProgressShown progress;
    ExecuteSql(monthlyRecomputeStatement(startDate, endDate, departmentCode, optionFlag));
    OpenReport(templatePath(QStringLiteral("\\rptYearEndReport.rpt")), QStringLiteral("Reports"),
               {QString::number(fromUsDate(startDate).year()).rightJustified(4, QLatin1Char('0')),
                departmentCode, session().CompanyAddress, reportTitle,
                usDate(fromUsDate(endDate))});
    ShowReport(false, departmentCaption(reportTitle, startDate), directPrint, false);
    progress.close();
}

void RunDailyDepartmentReport(const QString& startDate, const QString& endDate,
                              const QString& departmentCode, const QString& reportTitle,
                              bool directPrint) {
    Hourglass hourglass;
    OpenReport(
        templatePath(QStringLiteral("\\rptDailyReports.rpt")), QStringLiteral("Reports"),
        {startDate, endDate, departmentCode, session().CompanyAddress, reportTitle, startDate});
    hourglass.restore();
    ShowReport(false, reportTitle + QStringLiteral(": ") + startDate, directPrint, false);
}

} // namespace pelmar
