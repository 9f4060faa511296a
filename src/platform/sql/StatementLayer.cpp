#include "platform/sql/StatementLayer.h"

#include "platform/Error.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementTranslator.h"

namespace pelmar {
namespace {

StatementRunner* g_runner = nullptr;

StatementRunner& requireRunner() {
    if (!g_runner)
        throw Error(QStringLiteral("There is no database session: sign in first."));
    return *g_runner;
}

} // namespace

RecordSet ConnectionStatementRunner::run(const QString& statement) {
    // Translate first, so a refused text is neither logged as run nor sent.
    const TranslatedStatement translated = translateStatement(statement);
    logRun(QStringLiteral("statement"), statement, {}, {}, {}, {});
    return connection_.query(translated.sql, translated.values);
}

void ConnectionStatementRunner::logRun(const QString& action, const QString& statement,
                                       const QString& templatePath, const QString& database,
                                       const QStringList& parameters, const QString& detail) {
    // An empty list binds as NULL through the driver; an array literal keeps
    // every value, quotes included, as data.
    QStringList items;
    for (QString p : parameters)
        items << QLatin1Char('"') +
                     p.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
                         .replace(QLatin1Char('"'), QLatin1String("\\\"")) +
                     QLatin1Char('"');
    const auto orNull = [](const QString& s) { return s.isNull() ? QVariant() : QVariant(s); };
    connection_.query(QStringLiteral("SELECT reports.log_run(?, ?, ?, ?, ?::text[], ?)"),
                      {action, orNull(statement), orNull(templatePath), orNull(database),
                       QVariant(QLatin1Char('{') + items.join(QLatin1Char(',')) + QLatin1Char('}')),
                       orNull(detail)});
}

StatementRunner* setStatementRunner(StatementRunner* runner) {
    StatementRunner* previous = g_runner;
    g_runner = runner;
    return previous;
}

StatementRunner* statementRunner() {
    return g_runner;
}

void ExecuteSql(const QString& statement) {
    requireRunner().run(statement);
}

RecordSet ExecuteSqlForRows(const QString& statement) {
    return requireRunner().run(statement);
}

void OpenRecordset(RecordSet& recordSet, const QString& statement) {
    if (recordSet.isOpen())
        recordSet.close();
    recordSet = requireRunner().run(statement);
}

void logRun(const QString& action, const QString& statement, const QString& templatePath,
            const QString& database, const QStringList& parameters, const QString& detail) {
    if (g_runner)
        g_runner->logRun(action, statement, templatePath, database, parameters, detail);
}

} // namespace pelmar
