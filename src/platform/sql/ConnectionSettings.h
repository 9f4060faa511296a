#pragma once

#include <QString>

namespace pelmar {

// Where and as whom to connect.  A host that is a folder is a Unix socket.
struct ConnectionSettings {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;

    // The connection described without the password, for display and logs.
    QString connectionString() const {
        return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4")
            .arg(host)
            .arg(port)
            .arg(database, user);
    }
};

} // namespace pelmar
