#include "platform/user/UserSession.h"

#include "platform/Error.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "platform/user/SignInDialog.h"

#include <QApplication>
#include <QHash>
#include <QSettings>

namespace pelmar {
namespace {

// The database role that grants each module of the product.
QString moduleRole(const QString& deptCode) {
    static const QHash<QString, QString> roles = {
        {QStringLiteral("RP"), QStringLiteral("pelmar_reports")},
    };
    return roles.value(deptCode.toUpper());
}

QSettings rememberedSignIn() {
    return QSettings(QStringLiteral("Pelmar"), QStringLiteral("Reports"));
}

} // namespace

UserSession::UserSession(QObject* parent)
    : QObject(parent) {}

UserSession::~UserSession() = default;

void UserSession::setDefaults(const QString& server, const QString& database) {
    defaultServer_ = server;
    defaultDatabase_ = database;
}

void UserSession::parseServer(const QString& server, QString* host, int* port) {
    const QString text = server.trimmed();
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const int number = colon > 0 ? text.mid(colon + 1).toInt(&ok) : 0;
    if (ok && number > 0) {
        *host = text.left(colon);
        *port = number;
    } else {
        *host = text;
        *port = 5432;
    }
}

SqlConnection& UserSession::sqlConnection() const {
    if (!connection_)
        throw Error(QStringLiteral("Not signed in: there is no database connection."));
    return *connection_;
}

void UserSession::signIn(const ConnectionSettings& settings) {
    auto connection = std::make_unique<SqlConnection>(settings);
    connection->open();

    const QString role = moduleRole(passwordDeptCode_);
    const RecordSet granted = connection->query(
        QStringLiteral("SELECT role_exists AND pg_has_role(session_user, ?, 'MEMBER') AS granted "
                       "FROM (SELECT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = ?) "
                       "AS role_exists) r"),
        {role, role});
    if (role.isEmpty() || !granted.field(QStringLiteral("granted")).toBool()) {
        throw Error(QStringLiteral("The user %1 has not been granted the Reports module on %2.\n"
                                   "Ask the system administrator to grant it.")
                        .arg(settings.user, settings.host));
    }
    employeeName_ = connection->query(QStringLiteral("SELECT reports.employee_name() AS name"))
                        .field(QStringLiteral("name"))
                        .toString();

    settings_ = settings;
    connection_ = std::move(connection);
    ConnectionStatementRunner(*connection_)
        .logRun(QStringLiteral("sign-in"), {}, {}, settings.database, {}, employeeName_);
}

void UserSession::showMain() {
    lastError_.clear();
    QSettings remembered = rememberedSignIn();
    SignInDialog dialog;
    dialog.setServer(remembered.value("server", defaultServer_).toString());
    dialog.setDatabase(remembered.value("database", defaultDatabase_).toString());
    dialog.setUser(remembered.value("user").toString());

    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return;
        ConnectionSettings settings;
        parseServer(dialog.server(), &settings.host, &settings.port);
        settings.database = dialog.database().trimmed();
        settings.user = dialog.user().trimmed();
        settings.password = dialog.password();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            signIn(settings);
            QApplication::restoreOverrideCursor();
        } catch (const Error& error) {
            QApplication::restoreOverrideCursor();
            lastError_ = error.description();
            dialog.showError(lastError_);
            continue;
        }
        remembered.setValue("server", dialog.server().trimmed());
        remembered.setValue("database", settings.database);
        remembered.setValue("user", settings.user);
        return;
    }
}

} // namespace pelmar
