#pragma once

#include "platform/sql/ConnectionSettings.h"

#include <QObject>
#include <QString>
#include <memory>

class QWidget;

namespace pelmar {

class SqlConnection;

// The signed-in user: signs in through its dialog, owns the one session
// connection, and supplies the log-on values every report uses.  It never
// keeps the password anywhere but in memory.
class UserSession : public QObject {
    Q_OBJECT

public:
    explicit UserSession(QObject* parent = nullptr);
    ~UserSession() override;

    // The module this program is; a user who has not been granted it is
    // refused at sign-in.
    void setPasswordDeptCode(const QString& code) { passwordDeptCode_ = code; }
    const QString& passwordDeptCode() const { return passwordDeptCode_; }

    // Values shown in the sign-in dialog when nothing was remembered yet.
    void setDefaults(const QString& server, const QString& database);

    // Shows the sign-in dialog until the user signs in or cancels.
    virtual void showMain();

    // Signs in without the dialog; throws pelmar::Error with the reason.
    void signIn(const ConnectionSettings& settings);

    virtual bool connected() const { return connection_ != nullptr; }
    // The session connection; throws when not signed in.
    virtual SqlConnection& sqlConnection() const;

    QString serverName() const { return settings_.host; }
    int port() const { return settings_.port; }
    QString databaseName() const { return settings_.database; }
    QString userId() const { return settings_.user; }
    QString serverPassword() const { return settings_.password; }
    QString employeeName() const { return employeeName_; }

    // Why the last sign-in attempt failed; empty after a cancel.
    QString lastError() const { return lastError_; }

    // "host" or "host:port" as typed in the server box.
    static void parseServer(const QString& server, QString* host, int* port);

private:
    QString passwordDeptCode_;
    QString defaultServer_;
    QString defaultDatabase_;
    ConnectionSettings settings_;
    std::unique_ptr<SqlConnection> connection_;
    QString employeeName_;
    QString lastError_;
};

} // namespace pelmar
