#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

namespace pelmar {

class CodeSearch;
class MdiReportForm;
class PatientSearch;
class StatementRunner;
class UserSession;

// What start-up makes and what it shows through; tests replace parts.
struct StartupHooks {
    std::function<std::unique_ptr<UserSession>()> makeUser;
    std::function<std::unique_ptr<PatientSearch>()> makePatientSearch;
    // A message box with the text, an OK button and no title.
    std::function<void(const QString&)> showMessage;
    // What the sign-in offers when it remembers nothing.
    QString defaultServer;
    QString defaultDatabase;
};

// The session's components and its main window, kept for as long as the
// program runs.  Destroying it ends the session.
struct Startup {
    std::unique_ptr<UserSession> user;
    std::unique_ptr<CodeSearch> codeSearch;
    std::unique_ptr<PatientSearch> patientSearch;
    std::unique_ptr<StatementRunner> runner;
    QPointer<MdiReportForm> mainWindow;

    Startup();
    ~Startup();
};

// The module's code for the user component.
inline const QString kReportsModuleCode = QStringLiteral("RP");

// Signs in, reads the hospital record, sets up the lookup components and shows
// the main window.  Returns nothing when start-up ends the process instead.
std::unique_ptr<Startup> Main(const StartupHooks& hooks = {});

} // namespace pelmar
