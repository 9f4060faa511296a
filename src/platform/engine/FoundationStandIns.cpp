// Stand-ins for foundation pieces not yet in the tree; see Foundation.h.
#include "platform/engine/Foundation.h"

#include <QAtomicInt>
#include <QMdiArea>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace pelmar {

#ifdef PELMAR_ENGINE_STANDIN_SQLCONNECTION
static QAtomicInt standInCounter;

SqlConnection::SqlConnection(ConnectionSettings settings)
    : settings_(std::move(settings))
    , name_(QStringLiteral("pelmar-engine-%1").arg(standInCounter.fetchAndAddOrdered(1)))
{
}

SqlConnection::~SqlConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

void SqlConnection::open()
{
    QSqlDatabase db = QSqlDatabase::contains(name_) ? QSqlDatabase::database(name_, false)
                                                    : QSqlDatabase::addDatabase("QPSQL", name_);
    db.setHostName(settings_.host);
    db.setPort(settings_.port);
    db.setDatabaseName(settings_.database);
    db.setUserName(settings_.user);
    db.setPassword(settings_.password);
    if (!db.open())
        throw Error(QStringLiteral("Could not log on to the server %1 as %2: %3")
                        .arg(settings_.host, settings_.user, db.lastError().text()));
}

RecordSet SqlConnection::query(const QString& sql, const QVariantList& boundValues)
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (!db.isOpen())
        open();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw Error(QStringLiteral("The server refused the statement: %1").arg(q.lastError().text()));
    for (const QVariant& v : boundValues)
        q.addBindValue(v);
    if (!q.exec())
        throw Error(QStringLiteral("The server refused the statement: %1").arg(q.lastError().text()));
    QStringList columns;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        columns << rec.fieldName(i);
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << q.value(i);
        rows << std::move(row);
    }
    return RecordSet(columns, std::move(rows));
}
#endif

#ifdef PELMAR_ENGINE_STANDIN_STATEMENTLAYER
void logRun(const QString&, const QString&, const QString&, const QString&, const QStringList&,
            const QString&)
{
}
#endif

#ifdef PELMAR_ENGINE_STANDIN_SESSION
SessionContext& session()
{
    static SessionContext context;
    return context;
}
#endif

#ifdef PELMAR_ENGINE_STANDIN_WORKSPACE
static QPointer<QMdiArea> standInWorkspace;
QMdiArea* mainWorkspace() { return standInWorkspace; }
void setMainWorkspace(QMdiArea* area) { standInWorkspace = area; }
#endif

} // namespace pelmar
