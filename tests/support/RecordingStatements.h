#pragma once

#include "platform/sql/StatementLayer.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace pelmar::test {

// Stands in for the database: records every statement text and audit row,
// answers with the row sets a test scripts, and fails where it is told to.
// Installs itself while it lives.
class RecordingStatements : public StatementRunner {
public:
    struct LogEntry {
        QString action, statement, templatePath, database;
        QStringList parameters;
        QString detail;
    };

    RecordingStatements();
    ~RecordingStatements() override;

    // Rows for statements that start with the prefix (case-insensitive).
    void answer(const QString& statementPrefix, const RecordSet& rows);
    // Throws pelmar::Error with the description for such statements.
    void fail(const QString& statementPrefix, const QString& description);

    RecordSet run(const QString& statement) override;
    void logRun(const QString& action, const QString& statement, const QString& templatePath,
                const QString& database, const QStringList& parameters,
                const QString& detail) override;

    QStringList statements;
    QList<LogEntry> log;

private:
    struct Rule {
        QString prefix;
        RecordSet rows;
        QString failure;
    };
    QList<Rule> rules_;
    StatementRunner* previous_;
};

// A row set from columns and rows, for scripting answers.
RecordSet rowSet(const QStringList& columns, const QList<QVariantList>& rows);

} // namespace pelmar::test
