#include "platform/sql/StatementTranslator.h"

#include "platform/Error.h"

#include <QHash>
#include <QSet>

namespace pelmar {
namespace {

// The databases of the system and the schemas that hold them.
const QHash<QString, QString>& schemaOfDatabase() {
    static const QHash<QString, QString> schemas = {
        {QStringLiteral("reports"), QStringLiteral("reports")},
        {QStringLiteral("billing"), QStringLiteral("billing")},
        {QStringLiteral("patient_data"), QStringLiteral("patient_data")},
    };
    return schemas;
}

// Every procedure the program calls, by schema, in lower case.
const QSet<QString>& knownProcedures() {
    static const QSet<QString> procedures = {
        "reports.sp_rep_monthlyrecompute",
        "reports.sp_rep_dumpdailysummaryofdischarges",
        "reports.sp_rep_dumpdailysummaryofservices",
        "reports.sp_reprecomputeextensioninpatient",
        "reports.sp_reprecomputeextensionoutpatient",
        "reports.sp_rep_getcomputedinpatients",
        "reports.sp_rep_getcomputedoutpatients",
        "reports.sp_rep_searchcompany",
        "reports.sp_rep_searchclass",
        "reports.sp_rep_searchperiod",
        "reports.sp_rep_searchmiscellaneousrevenue",
        "reports.sp_rep_updatemiscellaneous",
        "reports.sp_billing_repagingrecompute",
        "reports.sp_billing_repagingpayablerecompute",
        "billing.sp_billing_repagingrecompute",
        "billing.sp_billing_repagingrecomputeaccountnum",
        "billing.sp_billing_repagingrecomputeaccountnumperiod",
        "billing.sp_billing_repagingrecomputeclass",
        "billing.sp_billing_repagingrecomputeclassperiod",
        "billing.sp_billing_repagingrecomputeperiod",
        "patient_data.sp_adm_statistics",
    };
    return procedures;
}

// Whole statements that are not procedure calls, compared after folding
// case and blanks.
const QHash<QString, QString>& fixedStatements() {
    static const QHash<QString, QString> statements = {
        {QStringLiteral("select *, getdate() as curdate from patient_data..tbhospitalinfo"),
         QStringLiteral("SELECT *, getdate() AS \"CurDate\" FROM patient_data.tbhospitalinfo "
                        "ORDER BY \"HospitalID\"")},
    };
    return statements;
}

QString normalized(const QString& text) {
    return text.simplified().toLower();
}

[[noreturn]] void refuse(const QString& statement, const QString& why) {
    throw Error(QStringLiteral("The statement was refused (%1):\n%2").arg(why, statement));
}

bool isIdentifierChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// A cursor over the statement text for the procedure-call grammar.
class Parser {
public:
    explicit Parser(const QString& text)
        : text_(text) {}

    TranslatedStatement procedureCall() {
        skipBlanks();
        const QString database = identifier(QStringLiteral("a database name"));
        expect(QStringLiteral(".."), QStringLiteral("\"..\" after the database name"));
        const QString procedure = identifier(QStringLiteral("a procedure name"));

        const auto schema = schemaOfDatabase().constFind(database.toLower());
        if (schema == schemaOfDatabase().constEnd())
            refuse(text_, QStringLiteral("unknown database \"%1\"").arg(database));
        const QString function = *schema + QLatin1Char('.') + procedure.toLower();
        if (!knownProcedures().contains(function))
            refuse(text_, QStringLiteral("unknown procedure \"%1..%2\"").arg(database, procedure));

        QVariantList values;
        skipBlanks();
        if (!atEnd()) {
            values << argument();
            skipBlanks();
            while (!atEnd()) {
                expect(QStringLiteral(","), QStringLiteral("a comma between arguments"));
                skipBlanks();
                values << argument();
                skipBlanks();
            }
        }
        QStringList marks;
        for (qsizetype i = 0; i < values.size(); ++i)
            marks << QStringLiteral("?");
        return {QStringLiteral("SELECT * FROM %1(%2)").arg(function, marks.join(", ")), values};
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_[pos_]; }

    void skipBlanks() {
        while (!atEnd() && peek().isSpace())
            ++pos_;
    }

    QString identifier(const QString& what) {
        const qsizetype start = pos_;
        while (!atEnd() && isIdentifierChar(peek()))
            ++pos_;
        if (pos_ == start)
            refuse(text_, QStringLiteral("expected %1 at position %2").arg(what).arg(start + 1));
        return text_.mid(start, pos_ - start);
    }

    void expect(const QString& token, const QString& what) {
        if (!text_.mid(pos_).startsWith(token))
            refuse(text_, QStringLiteral("expected %1 at position %2").arg(what).arg(pos_ + 1));
        pos_ += token.size();
    }

    QVariant argument() {
        if (peek() == QLatin1Char('\''))
            return quotedText();
        return number();
    }

    QVariant quotedText() {
        const qsizetype start = pos_++;
        QString value;
        while (!atEnd()) {
            const QChar c = text_[pos_++];
            if (c != QLatin1Char('\'')) {
                value += c;
            } else if (peek() == QLatin1Char('\'')) {
                value += c;
                ++pos_;
            } else {
                return value;
            }
        }
        refuse(text_,
               QStringLiteral("the text starting at position %1 is not closed").arg(start + 1));
    }

    QVariant number() {
        const qsizetype start = pos_;
        if (peek() == QLatin1Char('-'))
            ++pos_;
        while (!atEnd() && peek().isDigit())
            ++pos_;
        if (peek() == QLatin1Char('.')) {
            ++pos_;
            while (!atEnd() && peek().isDigit())
                ++pos_;
        }
        const QString digits = text_.mid(start, pos_ - start);
        bool ok = false;
        if (!digits.contains(QLatin1Char('.'))) {
            const qlonglong whole = digits.toLongLong(&ok);
            if (ok)
                return whole;
        } else {
            const double fraction = digits.toDouble(&ok);
            if (ok)
                return fraction;
        }
        refuse(text_,
               QStringLiteral("expected a quoted text or a number at position %1").arg(start + 1));
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

} // namespace

TranslatedStatement translateStatement(const QString& statement) {
    const auto fixed = fixedStatements().constFind(normalized(statement));
    if (fixed != fixedStatements().constEnd())
        return {*fixed, {}};
    return Parser(statement).procedureCall();
}

} // namespace pelmar
