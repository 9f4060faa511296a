#pragma once

#include <QString>
#include <QVariantList>

namespace pelmar {

// What the server runs for one statement text: PostgreSQL with '?'
// placeholders and the values that bind to them.
struct TranslatedStatement {
    QString sql;
    QVariantList values;
    bool operator==(const TranslatedStatement&) const = default;
};

// Translates the statement texts the dialogs build into PostgreSQL:
//   Database..procedure 'text', 'it''s', 42     (with or without a blank
//                                                 before the first argument)
//   the hospital record query
// Database names are case-insensitive; a procedure must be one the program
// knows.  Any other shape (a second statement, a comment, a stray quote, an
// unknown procedure) throws pelmar::Error naming the statement, and nothing
// of it reaches the server.
TranslatedStatement translateStatement(const QString& statement);

} // namespace pelmar
