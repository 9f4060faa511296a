#pragma once

#include "platform/sql/ConnectionSettings.h"
#include "platform/sql/RecordSet.h"

#include <QObject>
#include <QThread>
#include <QVariantList>
#include <functional>

namespace pelmar {

class DatabaseWorker;

// One PostgreSQL connection, owned by a database thread of its own.  A Qt SQL
// connection belongs to the thread that opened it; keeping it on a worker
// lets the interface repaint (and the progress window animate) while a
// statement runs, and the caller still reads as a straight sequence.
class SqlConnection : public QObject {
    Q_OBJECT

public:
    explicit SqlConnection(ConnectionSettings settings, QObject* parent = nullptr);
    ~SqlConnection() override;

    // Throws pelmar::Error naming the server when the log-on is refused or
    // the server cannot be reached.
    void open();
    bool isOpen() const { return open_; }

    const ConnectionSettings& settings() const { return settings_; }
    QString connectionString() const { return settings_.connectionString(); }

    // Seconds a statement may run; 0 means no limit.
    int commandTimeout() const { return commandTimeout_; }
    void setCommandTimeout(int seconds);

    // Runs one statement with bound values ('?' placeholders) and returns
    // every row.  Throws pelmar::Error with the server's message.
    RecordSet query(const QString& sql, const QVariantList& boundValues = {});

private:
    void runOnDatabaseThread(const std::function<void()>& job);

    ConnectionSettings settings_;
    QString connectionName_;
    QThread thread_;
    DatabaseWorker* worker_ = nullptr;
    int commandTimeout_ = 30;
    bool open_ = false;
};

} // namespace pelmar
