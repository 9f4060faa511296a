#include "startup/Main.h"

#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/lookup/CodeSearch.h"
#include "platform/lookup/PatientSearch.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "platform/user/UserSession.h"
#include "shell/MdiReportForm.h"
#include "shell/MenuPanel.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QMessageBox>

namespace pelmar {
namespace {

const QString kHospitalRecord =
    QStringLiteral("Select *, GetDate() as CurDate From Patient_data..tbHospitalInfo");

void showStartupMessage(const StartupHooks& hooks, const QString& text) {
    if (hooks.showMessage) {
        hooks.showMessage(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok);
    box.setAccessibleName(QStringLiteral("Message"));
    box.exec();
}

void readHospitalRecord(SessionContext& context) {
    RecordSet hospital = ExecuteSqlForRows(kHospitalRecord);
    context.CompanyName = hospital.field(QStringLiteral("Company")).toString();
    context.CompanyAddress = hospital.field(QStringLiteral("Address1")).toString();
    context.ServerDate = hospital.field(QStringLiteral("CurDate")).toDateTime();
    context.MtsServerName = hospital.field(QStringLiteral("MTSServerName")).toString();
    hospital.close();
}

void setUpCodeSearch(CodeSearch& codeSearch, const SessionContext& context) {
    codeSearch.setMTS_Server(context.MtsServerName);
    codeSearch.setSearchMode(true);
    codeSearch.Initialize_Classes();
    codeSearch.setConnection(&context.CurrentUser->sqlConnection());
    codeSearch.setCompanyName(context.CompanyName);
}

} // namespace

Startup::Startup() = default;

Startup::~Startup() {
    if (mainWindow)
        delete mainWindow.data();
    if (runner && statementRunner() == runner.get())
        setStatementRunner(nullptr);
    session() = SessionContext{};
}

std::unique_ptr<Startup> Main(const StartupHooks& hooks) {
    auto startup = std::make_unique<Startup>();
    SessionContext& context = session();
    try {
        startup->user = hooks.makeUser ? hooks.makeUser() : std::make_unique<UserSession>();
        startup->codeSearch = std::make_unique<CodeSearch>();
        startup->patientSearch =
            hooks.makePatientSearch ? hooks.makePatientSearch() : std::make_unique<PatientSearch>();
        context.CurrentUser = startup->user.get();
        context.CodeSearch = startup->codeSearch.get();
        context.PatientSearch = startup->patientSearch.get();

        UserSession& user = *startup->user;
        user.setPasswordDeptCode(kReportsModuleCode);
        user.setDefaults(hooks.defaultServer, hooks.defaultDatabase);
        user.showMain();
        if (!user.connected()) {
            showStartupMessage(hooks, user.lastError());
            return nullptr;
        }
        QCoreApplication::processEvents();

        user.sqlConnection().setCommandTimeout(0);
        if (!statementRunner()) {
            startup->runner = std::make_unique<ConnectionStatementRunner>(user.sqlConnection());
            setStatementRunner(startup->runner.get());
        }
        readHospitalRecord(context);
        setUpCodeSearch(*startup->codeSearch, context);

        context.ConnectionString = user.sqlConnection().connectionString();
        QString connectionString = context.ConnectionString;
        QString mtsServerName = context.MtsServerName;
        if (!startup->patientSearch->InitConnection(connectionString, mtsServerName))
            return nullptr;
        context.PatientClass = startup->patientSearch->PatientClass();
        context.Admission = startup->patientSearch->Admission();

        context.ReportsFolder = applicationFolder() + QStringLiteral("\\REPORTS");

        MdiReportForm::setMenuPanelOpener(&MenuPanel::showIn);
        startup->mainWindow = new MdiReportForm;
        startup->mainWindow->showMaximized();
    } catch (const Error& error) {
        showStartupMessage(hooks, error.description());
        return nullptr;
    } catch (const std::exception& error) {
        showStartupMessage(hooks, QString::fromUtf8(error.what()));
        return nullptr;
    }
    return startup;
}

} // namespace pelmar
