#include "reporting/ReportRoutines.h"

#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "reporting/ProgressWindow.h"
#include "reporting/ReportViewerWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace pelmar {

namespace {

ReportRoutines* replaced = nullptr;

std::function<LogOnValues()>& logOnSource() {
    static std::function<LogOnValues()> source;
    return source;
}

QStringList texts(const QVariantList& values) {
    QStringList out;
    for (const QVariant& v : values)
        out << v.toString();
    return out;
}

// Points every table at databaseName, keeping its owner and table, and logs it on.
void bindTables(engine::Report& report, const QString& databaseName) {
    for (engine::DatabaseTable* t : report.GetDatabaseTables()) {
        const QString loc = t->GetLocation();
        const int p = int(loc.indexOf('.'));
        if (p < 0)
            throw Error(
                QStringLiteral(
                    "Invalid argument: the table \"%1\" of the report \"%2\" has the location "
                    "\"%3\", which holds no \".\" to separate its database. Correct the template.")
                    .arg(t->name(), report.templatePath(), loc));
        t->SetLocation(databaseName + loc.mid(p));
        // Read afresh for every table, as the user's values may change between tables.
        const LogOnValues logOn = currentLogOnValues();
        engine::setServerDefaults({logOn.port, logOn.database});
        t->SetLogOnInfo(logOn.server, databaseName, logOn.userId, logOn.password);
    }
    report.logOn();
}

void fillParameters(engine::Report& report, const QVariantList& values) {
    const qsizetype n = values.size() - 1;
    if (n < 0)
        return;
    qsizetype i = 0;
    for (engine::ParameterField* f : report.GetParameterFields()) {
        if (i > n)
            break;
        f->SetCurrentValue(values[i]);
        ++i;
    }
}

} // namespace

ReportRoutines& reportRoutines() {
    static EngineReportRoutines real;
    return replaced ? *replaced : real;
}

void setReportRoutines(ReportRoutines* routines) {
    replaced = routines;
}

void OpenReport(const QString& templatePath, const QString& databaseName,
                const QVariantList& parameterValues) {
    reportRoutines().OpenReport(templatePath, databaseName, parameterValues);
}

void OpenSubreport(const QString& subreportName, const QString& databaseName,
                   const QVariantList& parameterValues) {
    reportRoutines().OpenSubreport(subreportName, databaseName, parameterValues);
}

void ShowReport(bool showGroupTree, const QString& caption, bool directPrint, bool modal) {
    reportRoutines().ShowReport(showGroupTree, caption, directPrint, modal);
}

void OpenProgressWindow() {
    reportRoutines().OpenProgressWindow();
}

void CloseProgressWindow() {
    reportRoutines().CloseProgressWindow();
}

void setLogOnSource(std::function<LogOnValues()> source) {
    logOnSource() = std::move(source);
}

LogOnValues currentLogOnValues() {
    if (logOnSource())
        return logOnSource()();
    const UserSession* user = session().CurrentUser;
    if (!user)
        throw Error(QStringLiteral(
            "No user is signed in, so the report cannot log on to the server. Sign in again."));
    return {user->serverName(), user->port(), user->databaseName(), user->userId(),
            user->serverPassword()};
}

void EngineReportRoutines::OpenReport(const QString& templatePath, const QString& databaseName,
                                      const QVariantList& parameterValues) {
    session().CurrentReport.reset();
    {
        engine::Application application;
        session().CurrentReport = application.OpenTemplate(templatePath, 1);
    }
    engine::Report& report = *session().CurrentReport;
    report.SetCompanyName(session().CompanyName);
    bindTables(report, databaseName);
    fillParameters(report, parameterValues);
    logRun(QStringLiteral("open"), {}, templatePath, databaseName, texts(parameterValues), {});
}

void EngineReportRoutines::OpenSubreport(const QString& subreportName, const QString& databaseName,
                                         const QVariantList& parameterValues) {
    const auto main = session().CurrentReport;
    if (!main)
        throw Error(
            QStringLiteral(
                "The subreport \"%1\" cannot be opened: no report is open. Open its report first.")
                .arg(subreportName));
    engine::Report* sub = main->GetSubreport(subreportName);
    main->SetCompanyName(session().CompanyName);
    bindTables(*sub, databaseName);
    fillParameters(*sub, parameterValues);
    logRun(QStringLiteral("open"), {}, main->templatePath(), databaseName, texts(parameterValues),
           QStringLiteral("subreport %1").arg(subreportName));
}

void EngineReportRoutines::ShowReport(bool showGroupTree, const QString& caption, bool directPrint,
                                      bool modal) {
    if (directPrint) {
        const auto report = session().CurrentReport;
        if (!report)
            throw Error(QStringLiteral("There is no report to print. Open the report again."));
        report->PrintReport(false);
        session().CurrentReport.reset();
        return;
    }
    const QString templatePath =
        session().CurrentReport ? session().CurrentReport->templatePath() : QString();
    if (modal) {
        frmReportViewervbModal window;
        window.ShowGroupTree = showGroupTree;
        window.setWindowTitle(caption);
        window.load();
        logRun(QStringLiteral("show"), {}, templatePath, {}, {}, caption);
        window.showModal();
        return;
    }
    auto* window = new frmReportViewer;
    window->ShowGroupTree = showGroupTree;
    window->setWindowTitle(caption);
    try {
        window->load();
    } catch (...) {
        delete window;
        throw;
    }
    logRun(QStringLiteral("show"), {}, templatePath, {}, {}, caption);
    if (QMdiArea* area = mainWorkspace()) {
        QMdiSubWindow* sub = area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(caption);
        sub->showMaximized();
    } else {
        window->showMaximized();
    }
}

void EngineReportRoutines::OpenProgressWindow() {
    frmAnimate::openShared();
}

void EngineReportRoutines::CloseProgressWindow() {
    frmAnimate::closeShared();
}

} // namespace pelmar
