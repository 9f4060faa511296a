#pragma once
// The foundation pieces the engine builds on.  Until a piece exists in the
// tree, a minimal stand-in with the same names keeps the engine building.

#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/sql/ConnectionSettings.h"

#include <QStringList>
#include <QVariant>
#include <memory>

class QMdiArea;

#if __has_include("platform/sql/RecordSet.h")
#include "platform/sql/RecordSet.h"
#else
#define PELMAR_ENGINE_STANDIN_RECORDSET 1
namespace pelmar {
class RecordSet {
public:
    RecordSet() = default;
    RecordSet(QStringList columns, QList<QVariantList> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}
    const QStringList& columns() const { return columns_; }
    const QList<QVariantList>& rows() const { return rows_; }
    int rowCount() const { return int(rows_.size()); }
    bool atStart() const { return pos_ == 0; }
    bool atEnd() const { return pos_ >= rows_.size(); }
    void moveNext() { ++pos_; }
    void moveFirst() { pos_ = 0; }
    QVariant field(const QString& name) const
    {
        const int c = int(columns_.indexOf(name, 0)); // exact first
        for (int i = 0; i < columns_.size(); ++i)
            if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
                return atEnd() ? QVariant() : rows_[pos_][i];
        Q_UNUSED(c);
        return {};
    }
    bool isNull(const QString& name) const { return field(name).isNull(); }
    void close() { rows_.clear(); pos_ = 0; }

private:
    QStringList columns_;
    QList<QVariantList> rows_;
    qsizetype pos_ = 0;
};
} // namespace pelmar
#endif

#if __has_include("platform/sql/SqlConnection.h")
#include "platform/sql/SqlConnection.h"
#else
#define PELMAR_ENGINE_STANDIN_SQLCONNECTION 1
namespace pelmar {
class SqlConnection {
public:
    explicit SqlConnection(ConnectionSettings settings);
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;
    void open();
    RecordSet query(const QString& sql, const QVariantList& boundValues = {});

private:
    ConnectionSettings settings_;
    QString name_;
};
} // namespace pelmar
#endif

#if __has_include("platform/sql/StatementLayer.h")
#include "platform/sql/StatementLayer.h"
#else
#define PELMAR_ENGINE_STANDIN_STATEMENTLAYER 1
namespace pelmar {
void logRun(const QString& action, const QString& statement, const QString& templatePath,
            const QString& database, const QStringList& parameters, const QString& detail);
}
#endif

#if __has_include("startup/SessionContext.h")
#include "startup/SessionContext.h"
#else
#define PELMAR_ENGINE_STANDIN_SESSION 1
#include <QDateTime>
namespace pelmar {
namespace engine { class Report; }
class UserSession {
public:
    QString serverName() const { return server; }
    int port() const { return portNumber; }
    QString userId() const { return user; }
    QString serverPassword() const { return password; }
    QString databaseName() const { return database; }
    QString server, user, password, database;
    int portNumber = 5432;
};
struct SessionContext {
    UserSession* CurrentUser = nullptr;
    QString CompanyName;
    QString CompanyAddress;
    QDateTime ServerDate;
    QString ReportsFolder;
    std::shared_ptr<engine::Report> CurrentReport;
};
SessionContext& session();
} // namespace pelmar
#endif

#if __has_include("shell/Workspace.h")
#include "shell/Workspace.h"
#else
#define PELMAR_ENGINE_STANDIN_WORKSPACE 1
namespace pelmar {
QMdiArea* mainWorkspace();
void setMainWorkspace(QMdiArea* area);
}
#endif
