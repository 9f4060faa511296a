#include "platform/sql/SqlConnection.h"

#include "platform/Error.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <exception>

namespace pelmar {

// Lives on the database thread; jobs are posted to it as queued calls.
class DatabaseWorker : public QObject {
public:
    using QObject::QObject;
};

namespace {

QString nextConnectionName() {
    static QAtomicInteger<int> counter;
    return QStringLiteral("pelmar-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString describe(const QSqlError& error) {
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

} // namespace

SqlConnection::SqlConnection(ConnectionSettings settings, QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings))
    , connectionName_(nextConnectionName()) {
    thread_.setObjectName(connectionName_);
    worker_ = new DatabaseWorker;
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

SqlConnection::~SqlConnection() {
    const QString name = connectionName_;
    runOnDatabaseThread([name] {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            if (db.isValid())
                db.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    thread_.quit();
    thread_.wait();
}

// Posts the job to the database thread and waits for it.  On the interface
// thread the wait lets the event loop repaint and run timers but holds back
// the user's input; elsewhere (another thread, or after the application
// object is gone, as in static destruction) it simply blocks.
void SqlConnection::runOnDatabaseThread(const std::function<void()>& job) {
    std::exception_ptr failure;
    const auto guarded = [&] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread() || !thread_.isRunning()) {
        if (thread_.isRunning())
            QMetaObject::invokeMethod(worker_, guarded, Qt::BlockingQueuedConnection);
        else
            guarded();
    } else {
        QEventLoop loop;
        QAtomicInteger<bool> done(false);
        QMetaObject::invokeMethod(
            worker_,
            [&] {
                guarded();
                done.storeRelease(true);
                QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
        if (!done.loadAcquire())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (failure)
        std::rethrow_exception(failure);
}

void SqlConnection::open() {
    const ConnectionSettings s = settings_;
    const QString name = connectionName_;
    const int timeout = commandTimeout_;
    runOnDatabaseThread([s, name, timeout] {
        QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                       : QSqlDatabase::addDatabase("QPSQL", name);
        if (!db.isValid())
            throw Error(QStringLiteral("The PostgreSQL driver of Qt is not installed "
                                       "(Debian package libqt6sql6-psql)."));
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setDatabaseName(s.database);
        db.setUserName(s.user);
        db.setPassword(s.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=pelmar-reports"));
        if (!db.open()) {
            throw Error(QStringLiteral("Cannot sign in to the server %1 (database %2) as %3:\n%4")
                            .arg(s.host, s.database, s.user, describe(db.lastError())));
        }
        QSqlQuery set(db);
        set.exec(QStringLiteral("SET statement_timeout = %1").arg(timeout * 1000));
    });
    open_ = true;
}

void SqlConnection::setCommandTimeout(int seconds) {
    commandTimeout_ = qMax(0, seconds);
    if (open_)
        query(QStringLiteral("SELECT set_config('statement_timeout', ?, false)"),
              {QString::number(commandTimeout_ * 1000)});
}

RecordSet SqlConnection::query(const QString& sql, const QVariantList& boundValues) {
    if (!open_)
        throw Error(QStringLiteral("There is no open database connection."));
    RecordSet result;
    const QString name = connectionName_;
    runOnDatabaseThread([&, name] {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery query(db);
        query.setForwardOnly(true);
        bool ok = false;
        if (boundValues.isEmpty()) {
            ok = query.exec(sql);
        } else {
            ok = query.prepare(sql);
            for (const QVariant& value : boundValues)
                query.addBindValue(value);
            ok = ok && query.exec();
        }
        if (!ok)
            throw Error(describe(query.lastError()));
        QStringList columns;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            columns << record.fieldName(i);
        QList<QVariantList> rows;
        while (query.next()) {
            QVariantList row;
            row.reserve(columns.size());
            for (int i = 0; i < columns.size(); ++i)
                row << query.value(i);
            rows << std::move(row);
        }
        result = RecordSet(std::move(columns), std::move(rows));
    });
    return result;
}

} // namespace pelmar
