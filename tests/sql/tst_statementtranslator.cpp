#include "platform/Error.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementTranslator.h"

#include <QTest>

using namespace pelmar;

class StatementTranslatorTest : public QObject {
    Q_OBJECT

private slots:
    void acceptsTheShapesDialogsBuild_data();
    void acceptsTheShapesDialogsBuild();
    void refusesEverythingElse_data();
    void refusesEverythingElse();
    void quotedValuesRoundTrip();
};

void StatementTranslatorTest::acceptsTheShapesDialogsBuild_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");

    QTest::newRow("hospital record")
        << "Select *, GetDate() as CurDate From Patient_data..tbHospitalInfo"
        << "SELECT *, getdate() AS \"CurDate\" FROM patient_data.tbhospitalinfo "
           "ORDER BY \"HospitalID\""
        << QVariantList{};
    QTest::newRow("blank before the first argument")
        << "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'LB', 'N'"
        << "SELECT * FROM reports.sp_rep_monthlyrecompute(?, ?, ?, ?)"
        << QVariantList{"03/01/2012", "03/31/2012", "LB", "N"};
    QTest::newRow("no blank, upper-case database")
        << "REPORTS..sp_BILLING_RepAgingRecompute'03/01/2013', '03/31/2013', 'P'"
        << "SELECT * FROM reports.sp_billing_repagingrecompute(?, ?, ?)"
        << QVariantList{"03/01/2013", "03/31/2013", "P"};
    QTest::newRow("two blanks") << "Reports..sp_Rep_DumpDailySummaryOfServices  '03/15/2012'"
                                << "SELECT * FROM reports.sp_rep_dumpdailysummaryofservices(?)"
                                << QVariantList{"03/15/2012"};
    QTest::newRow("doubled apostrophes and an empty text")
        << "Reports..sp_Rep_SearchMiscellaneousRevenue '0','O''BRIEN''S '''"
        << "SELECT * FROM reports.sp_rep_searchmiscellaneousrevenue(?, ?)"
        << QVariantList{"0", "O'BRIEN'S '"};
    QTest::newRow("empty text") << "Reports..sp_Rep_SearchCompany ''"
                                << "SELECT * FROM reports.sp_rep_searchcompany(?)"
                                << QVariantList{""};
    QTest::newRow("unquoted period number")
        << "Billing..sp_BILLING_RepAgingRecomputeClassPeriod'03/01/2013', '03/31/2013', 'HMO', 5"
        << "SELECT * FROM billing.sp_billing_repagingrecomputeclassperiod(?, ?, ?, ?)"
        << QVariantList{"03/01/2013", "03/31/2013", "HMO", qlonglong(5)};
    QTest::newRow("patient data, no blank after the comma")
        << "Patient_Data..sp_Adm_Statistics '03/01/2013','03/31/2013 23:59:59.99'"
        << "SELECT * FROM patient_data.sp_adm_statistics(?, ?)"
        << QVariantList{"03/01/2013", "03/31/2013 23:59:59.99"};
    QTest::newRow("no arguments, trailing blanks")
        << "billing..SP_BILLING_REPAGINGRECOMPUTE   "
        << "SELECT * FROM billing.sp_billing_repagingrecompute()" << QVariantList{};
}

void StatementTranslatorTest::acceptsTheShapesDialogsBuild() {
    QFETCH(QString, statement);
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    const TranslatedStatement translated = translateStatement(statement);
    QCOMPARE(translated.sql, sql);
    QCOMPARE(translated.values, values);
}

void StatementTranslatorTest::refusesEverythingElse_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("reason");

    QTest::newRow("second statement")
        << "Reports..sp_Rep_SearchCompany 'A'; DROP TABLE reports.run_log"
        << "comma";
    QTest::newRow("comment") << "Reports..sp_Rep_SearchCompany 'A' -- x"
                             << "comma";
    QTest::newRow("block comment") << "Reports..sp_Rep_SearchCompany /* x */ 'A'"
                                   << "quoted text or a number";
    QTest::newRow("unknown procedure") << "Reports..sp_DropEverything 'A'"
                                       << "unknown procedure";
    QTest::newRow("unknown database") << "master..sp_Rep_SearchCompany 'A'"
                                      << "unknown database";
    QTest::newRow("stray quote") << "Reports..sp_Rep_SearchCompany 'O'BRIEN'"
                                 << "comma";
    QTest::newRow("unclosed text") << "Reports..sp_Rep_SearchCompany 'OBRIEN"
                                   << "not closed";
    QTest::newRow("bare word argument") << "Reports..sp_Rep_SearchCompany OBRIEN"
                                        << "quoted text or a number";
    QTest::newRow("trailing comma") << "Reports..sp_Rep_SearchCompany 'A',"
                                    << "quoted text or a number";
    QTest::newRow("other select") << "Select * From Patient_data..tbHospitalInfo"
                                  << "\"..\"";
    QTest::newRow("single dot") << "Reports.sp_Rep_SearchCompany 'A'"
                                << "\"..\"";
    QTest::newRow("empty") << ""
                           << "database name";
}

void StatementTranslatorTest::refusesEverythingElse() {
    QFETCH(QString, statement);
    QFETCH(QString, reason);
    try {
        translateStatement(statement);
        QFAIL("the statement was accepted");
    } catch (const Error& error) {
        QVERIFY2(error.description().contains(statement), qPrintable(error.description()));
        QVERIFY2(error.description().contains(reason), qPrintable(error.description()));
    }
}

// Whatever a user types, quoting it and translating gives it back unchanged.
void StatementTranslatorTest::quotedValuesRoundTrip() {
    for (const QString& value :
         {QStringLiteral("O'BRIEN"), QStringLiteral("''"), QStringLiteral("a', 'b"),
          QStringLiteral("x'; DROP TABLE t; --"), QStringLiteral("ÑOÑO \\ \"q\""), QString()}) {
        const auto translated =
            translateStatement("Reports..sp_Rep_SearchCompany " + quoted(value));
        QCOMPARE(translated.values, QVariantList{value.isNull() ? QString("") : value});
    }
}

QTEST_GUILESS_MAIN(StatementTranslatorTest)
#include "tst_statementtranslator.moc"
