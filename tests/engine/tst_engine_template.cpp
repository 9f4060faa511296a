// Template loading: faults named with file and line; the parsed form of the
// compact tabular form; value formats.

#include "platform/Error.h"
#include "platform/engine/Format.h"
#include "platform/engine/Report.h"
#include "platform/engine/Template.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;

class TemplateTest : public QObject {
    Q_OBJECT

    QString templates() const {
        return qEnvironmentVariable("PELMAR_SOURCE_DIR") + "/tests/engine/templates";
    }

private slots:
    void badTemplatesNameFileLineAndFault_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("fault");
        QTest::newRow("not well formed")
            << QByteArray("<report>\n<header>\n<text>x</header>\n</report>") << 3 << "";
        QTest::newRow("wrong root")
            << QByteArray("<?xml version=\"1.0\"?>\n<rpt/>") << 2 << "root element";
        QTest::newRow("unknown element")
            << QByteArray(
                   "<report>\n<query>SELECT 1 AS x FROM t</query>\n<table alias=\"t\" "
                   "location=\"A.b.c\"/>\n<detail>\n<feld name=\"x\"/>\n</detail>\n</report>")
            << 5 << "unknown element <feld>";
        QTest::newRow("table without location")
            << QByteArray("<report>\n\n<table alias=\"t\"/>\n</report>") << 3 << "location";
        QTest::newRow("unknown parameter in query")
            << QByteArray(
                   "<report>\n<parameter name=\"A\"/>\n<table alias=\"t\" "
                   "location=\"A.b.c\"/>\n<query>SELECT 1 FROM t WHERE x = {?B}</query>\n</report>")
            << 4 << "{?B}";
        QTest::newRow("bad number")
            << QByteArray("<report>\n<header>\n<text x=\"ten\">a</text>\n</header>\n</report>") << 3
            << "not a number";
        QTest::newRow("bad total")
            << QByteArray("<report>\n<table alias=\"t\" location=\"A.b.c\"/><query>SELECT 1 FROM "
                          "t</query>\n<columns>\n<column field=\"a\" "
                          "total=\"median\"/>\n</columns>\n</report>")
            << 4 << "median";
        QTest::newRow("duplicate parameter")
            << QByteArray("<report>\n<parameter name=\"A\"/>\n<parameter name=\"a\"/>\n</report>")
            << 3 << "given twice";
        QTest::newRow("columns too wide")
            << QByteArray("<report>\n<table alias=\"t\" location=\"A.b.c\"/><query>SELECT 1 FROM "
                          "t</query>\n<columns>\n<column field=\"a\" width=\"150\"/>\n<column "
                          "field=\"b\" width=\"150\"/>\n</columns>\n</report>")
            << 3 << "wide";
    }

    void badTemplatesNameFileLineAndFault() {
        QFETCH(QByteArray, xml);
        QFETCH(int, line);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath("Bad.rpt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(xml);
        f.close();
        try {
            loadTemplate(path);
            QFAIL("a bad template loaded");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains(path), qPrintable(e.description()));
            QVERIFY2(e.description().contains(QStringLiteral("line %1:").arg(line)),
                     qPrintable(e.description()));
            QVERIFY2(e.description().contains(fault), qPrintable(e.description()));
        }
    }

    void missingTemplateNamesItsPath() {
        const QString path = QDir::tempPath() + "/no-such-folder/Aging.rpt";
        try {
            loadTemplate(path);
            QFAIL("a missing template loaded");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains(path) && e.description().contains("not found"),
                     qPrintable(e.description()));
        }
    }

    void tabularFormExpandsToSections() {
        const auto t = loadTemplate(templates() + "/charges.rpt");
        QCOMPARE(t->tables.size(), 2);
        QCOMPARE(t->tables[1].location, QString("Patient_Data.dbo.eng_departments"));
        QStringList params;
        for (const auto& p : t->parameters)
            params << p.name;
        QCOMPARE(params, QStringList({"StartDate", "EndDate", "Address", "Title", "Note"}));
        QCOMPARE(t->parameters[0].type, QString("date"));
        QCOMPARE(t->sheetHeadings, QStringList({"Patient", "Date", "Qty", "Amount"}));
        // Detail fields per column, right-aligned numbers; a group footer with two sums.
        QCOMPARE(t->detail.elements.size(), 4);
        QCOMPARE(t->detail.elements[3].align, int(AlignRight));
        QCOMPARE(t->detail.elements[1].align, int(AlignLeft));
        int totals = 0;
        for (const auto& e : t->groups[0].footer.elements)
            if (e.kind == ElementKind::Total) {
                ++totals;
                QCOMPARE(e.scope, QString("dept"));
            }
        QCOMPARE(totals, 2);
        QCOMPARE(t->subreports.size(), 1);
        QCOMPARE(t->subreports[0].body->parameters.size(), 1);
    }

    void productTemplatesLoad() {
        const QDir reports(qEnvironmentVariable("PELMAR_SOURCE_DIR") + "/REPORTS");
        const QStringList files = reports.entryList({"*.rpt"});
        QVERIFY(!files.isEmpty());
        for (const QString& f : files) {
            try {
                loadTemplate(reports.filePath(f));
            } catch (const Error& e) {
                QFAIL(qPrintable(e.description()));
            }
        }
    }

    void queryTakesParametersAsBoundValues() {
        QTemporaryDir dir;
        QFile f(dir.filePath("q.rpt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"(<report>
  <table alias="m" location="Reports.dbo.tbRepMonthly"/>
  <table alias="D" location="Patient_Data.x.Doctors"/>
  <parameter name="Code"/> <parameter name="AsOf" type="date"/> <parameter name="Unset"/>
  <query>WITH t AS (SELECT 1) SELECT '{?Code}' AS literal, {?Code} AS code, {?asof} AS d, {?Unset} AS u,
    {?Code} AS again -- {?AsOf} in a comment
    FROM m JOIN D ON true</query>
</report>)");
        f.close();
        auto report = Report::open(f.fileName(), f.fileName());
        report->GetParameterFields()[0]->SetCurrentValue("x'); DROP TABLE m; --");
        report->GetParameterFields()[1]->SetCurrentValue("02/29/2012");
        report->GetDatabaseTables()[0]->SetLocation("BILLING.dbo.tbRepMonthly");
        QVariantList bound;
        const QString sql = report->queryText(&bound);
        QCOMPARE(sql, QString("WITH \"m\" AS (SELECT * FROM \"billing\".\"tbrepmonthly\"), \"D\" "
                              "AS (SELECT * FROM "
                              "\"patient_data\".\"doctors\"), t AS (SELECT 1) SELECT '{?Code}' AS "
                              "literal, $1 AS code, "
                              "$2 AS d, $3 AS u,\n    $1 AS again -- {?AsOf} in a comment\n    "
                              "FROM m JOIN D ON true"));
        QCOMPARE(bound.size(), 3);
        QCOMPARE(bound[0], QVariant("x'); DROP TABLE m; --"));
        QCOMPARE(bound[1], QVariant(QDate(2012, 2, 29)));
        QVERIFY(bound[2].isNull());
        // A location that names no database and table cannot become a relation.
        report->GetDatabaseTables()[1]->SetLocation("Doctors");
        QVERIFY_THROWS_EXCEPTION(Error, report->queryText(nullptr));
    }

    void formats_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("grouped") << QVariant(1234567.891) << "#,##0.00"
                                 << "1,234,567.89";
        QTest::newRow("numeric text") << QVariant("-1234.5") << "#,##0.00"
                                      << "-1,234.50";
        QTest::newRow("no decimals") << QVariant(99.5) << "#,##0"
                                     << "100";
        QTest::newRow("tiny negative") << QVariant(-0.001) << "0.00"
                                       << "0.00";
        QTest::newRow("percent") << QVariant(0.256) << "0.0%"
                                 << "25.6%";
        QTest::newRow("date") << QVariant(QDate(2012, 3, 1)) << "mm/dd/yyyy"
                              << "03/01/2012";
        QTest::newRow("month name") << QVariant(QDate(2013, 1, 31)) << "mmm,yyyy"
                                    << "Jan,2013";
        QTest::newRow("iso text date") << QVariant("2012-02-29") << "mm/dd/yyyy"
                                       << "02/29/2012";
        QTest::newRow("null") << QVariant() << "#,##0"
                              << "";
    }

    void formats() {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(formatValue(value, format), expected);
    }
};

QTEST_MAIN(TemplateTest)
#include "tst_engine_template.moc"
