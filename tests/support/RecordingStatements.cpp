#include "RecordingStatements.h"

#include "platform/Error.h"

namespace pelmar::test {

RecordingStatements::RecordingStatements()
    : previous_(setStatementRunner(this)) {}

RecordingStatements::~RecordingStatements() {
    if (statementRunner() == this)
        setStatementRunner(previous_);
}

void RecordingStatements::answer(const QString& statementPrefix, const RecordSet& rows) {
    rules_.prepend({statementPrefix, rows, {}});
}

void RecordingStatements::fail(const QString& statementPrefix, const QString& description) {
    rules_.prepend({statementPrefix, {}, description});
}

RecordSet RecordingStatements::run(const QString& statement) {
    statements << statement;
    for (const Rule& rule : rules_) {
        if (!statement.startsWith(rule.prefix, Qt::CaseInsensitive))
            continue;
        if (!rule.failure.isNull())
            throw Error(rule.failure);
        return rule.rows;
    }
    return RecordSet({}, {});
}

void RecordingStatements::logRun(const QString& action, const QString& statement,
                                 const QString& templatePath, const QString& database,
                                 const QStringList& parameters, const QString& detail) {
    log << LogEntry{action, statement, templatePath, database, parameters, detail};
}

RecordSet rowSet(const QStringList& columns, const QList<QVariantList>& rows) {
    return RecordSet(columns, rows);
}

} // namespace pelmar::test
