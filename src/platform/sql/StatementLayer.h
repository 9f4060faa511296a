#pragma once

#include "platform/sql/RecordSet.h"

#include <QString>
#include <QStringList>

namespace pelmar {

class SqlConnection;

// Where statement texts go.  The program runs them on the session connection;
// widget tests install a recording double.
class StatementRunner {
public:
    virtual ~StatementRunner() = default;
    virtual RecordSet run(const QString& statement) = 0;
    virtual void logRun(const QString& action, const QString& statement,
                        const QString& templatePath, const QString& database,
                        const QStringList& parameters, const QString& detail) = 0;
};

// Runs statements on a connection: translated, logged, then executed.
class ConnectionStatementRunner : public StatementRunner {
public:
    explicit ConnectionStatementRunner(SqlConnection& connection)
        : connection_(connection) {}
    RecordSet run(const QString& statement) override;
    void logRun(const QString& action, const QString& statement, const QString& templatePath,
                const QString& database, const QStringList& parameters,
                const QString& detail) override;

private:
    SqlConnection& connection_;
};

// Installs the runner that ExecuteSql uses (none: statements fail, logging
// does nothing).  Returns the one it replaces.
StatementRunner* setStatementRunner(StatementRunner* runner);
StatementRunner* statementRunner();

// Runs one statement text, dropping any result.
void ExecuteSql(const QString& statement);
// Runs one statement text and returns its rows.
RecordSet ExecuteSqlForRows(const QString& statement);
// Opens a row set, closing what the set held before.
void OpenRecordset(RecordSet& recordSet, const QString& statement);

// Appends one row to the audit log of the signed-in session.
void logRun(const QString& action, const QString& statement, const QString& templatePath = {},
            const QString& database = {}, const QStringList& parameters = {},
            const QString& detail = {});

} // namespace pelmar
