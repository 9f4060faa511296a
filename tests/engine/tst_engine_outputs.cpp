// A real template against the test database, out to PDF, .xls, .xlsx and
// CSV: the hospital name, the parameter values, every row and the right
// group and grand totals; paging with "Page N of M"; long sheets.

#include "EngineFixture.h"
#include "platform/engine/Document.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "reporting/ReportRoutines.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;
using namespace pelmar::test;

class OutputsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    std::shared_ptr<Report> openCharges(const QString& database = "Reports",
                                        const QString& note = "Checked by T. Ter") {
        session().CompanyName = QStringLiteral("St. Brigid's Test Hospital");
        OpenReport(engineTemplates() + "/charges.rpt", database,
                   {"03/01/2012", "03/31/2012", "12 Harbour Road, Port Elin",
                    "Charges by Department", note});
        OpenSubreport("Summary", database, {"LB"});
        return session().CurrentReport;
    }

private slots:
    void initTestCase() {
        if (!TestDatabase::available())
            QSKIP("no test database (run through scripts/test)");
        QLocale::setDefault(QLocale::c());
        loadEngineFixture();
        useTestLogOn();
    }

    void pdfCarriesHospitalParametersRowsAndTotals() {
        auto report = openCharges();
        const QString file = dir_.filePath("charges.pdf");
        report->exportTo(file, FormatPdf);
        if (qEnvironmentVariableIsSet("KEEP_PDF"))
            QFile::copy(file, qEnvironmentVariable("KEEP_PDF"));
        const QString text = pdfText(file);
        for (const char* s :
             {"St. Brigid's Test Hospital", "12 Harbour Road, Port Elin", "Charges by Department",
              "For 03/01/2012 to 03/31/2012", "Checked by T. Ter", "Ann Lee", "Bob Roy", "Cy Dale",
              "Dee Fox", "Eve Gil", "O'Neil Pat", "03/20/2012", "LB Laboratory", "XR X-Ray",
              "Visits in LB: 3", "Page 1 of 1"})
            QVERIFY2(text.contains(s),
                     qPrintable(QStringLiteral("missing \"%1\" in:\n%2").arg(QString(s), text)));
        QVERIFY(!text.contains("Fay Hu")); // April is outside the period
        // Totals sit on the line of their label.
        const QStringList lines = text.split('\n');
        auto line = [&](const QString& label) {
            for (const QString& l : lines)
                if (l.contains(label))
                    return l.simplified();
            return QString();
        };
        QCOMPARE(line("Total LB Laboratory"), QString("Total LB Laboratory 6 255.75"));
        QCOMPARE(line("Total XR X-Ray"), QString("Total XR X-Ray 4 619.99"));
        QCOMPARE(line("Grand Total"), QString("Grand Total 10 875.74"));
    }

    void pdfHasBookmarksFromTheGroups() {
        auto report = openCharges();
        const auto doc = report->document();
        QCOMPARE(doc->outline.size(), 2);
        QCOMPARE(doc->outline[0].title, QString("LB Laboratory"));
        const QString file = dir_.filePath("outline.pdf");
        report->exportTo(file, FormatPdf);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("/Type/Outlines"));
        QVERIFY(bytes.contains("/PageMode/UseOutlines"));
    }

    void xlsHoldsRowsNumbersDatesAndTotals() {
        auto report = openCharges();
        const QString file = dir_.filePath("charges.xls");
        report->exportTo(file, FormatExcel);
        const QStringList rows = xlsRows(file);
        const QStringList expected = {
            "Report|0|T:St. Brigid's Test Hospital",
            "Report|1|T:12 Harbour Road, Port Elin",
            "Report|2|T:Charges by Department",
            "Report|3|T:For 03/01/2012 to 03/31/2012",
            "Report|4|T:Checked by T. Ter",
            "Report|5|T:Patient|T:Date|T:Qty|T:Amount",
            "Report|6|T:LB Laboratory",
            "Report|7|T:Ann Lee|D:03/01/2012|N:2.0|N:150.0",
            "Report|8|T:Bob Roy|D:03/05/2012|N:1.0|N:75.5",
            "Report|9|T:Cy Dale|D:03/09/2012|N:3.0|N:30.25",
            "Report|10|T:Total LB Laboratory||N:6.0|N:255.75",
            "Report|11|T:XR X-Ray",
            "Report|12|T:Dee Fox|D:03/02/2012|N:1.0|N:400.0",
            "Report|13|T:Eve Gil|D:03/15/2012|N:2.0|N:120.0",
            "Report|14|T:O'Neil Pat|D:03/20/2012|N:1.0|N:99.99",
            "Report|15|T:Total XR X-Ray||N:4.0|N:619.99",
            "Report|16|T:Grand Total||N:10.0|N:875.74",
        };
        QCOMPARE(rows, expected);
    }

    void xlsContinuesOnFurtherSheets() {
        OpenReport(engineTemplates() + "/series.rpt", "Reports", {70000, 1000});
        auto report = session().CurrentReport;
        const QString file = dir_.filePath("long.xls");
        report->exportTo(file, FormatExcel);
        const QString script = QStringLiteral(R"PY(
import sys, xlrd
b = xlrd.open_workbook(sys.argv[1])
print(b.nsheets, [s.nrows for s in b.sheets()])
s1, s2 = b.sheet_by_index(0), b.sheet_by_index(1)
print(s1.cell(65535, 0).value, s1.cell(65535, 1).ctype)
print(s2.row_values(0))
print(s2.row_values(1))
print(s2.row_values(s2.nrows - 1))
)PY");
        const QStringList out = python(script, {file}).split('\n');
        // 1 title + 1 heading + 70 headers + 70,000 rows + 70 totals + 1 grand total.
        QCOMPARE(out.value(0), QString("2 [65536, 4608]"));
        QCOMPARE(out.value(2), QString("['Label', 'N', 'Half', 'Day']"));
        QVERIFY2(out.value(1).endsWith(" 2"), qPrintable(out.value(1))); // a number cell
        QVERIFY2(out.value(3).startsWith("['Row 6"), qPrintable(out.value(3)));
        QCOMPARE(out.value(4), QString("['Grand Total', 2450035000.0, 1225017500.0, '']"));
    }

    void pagesCountAndKeepGroupHeadersWithTheirRows() {
        OpenReport(engineTemplates() + "/series.rpt", "Reports", {300, 40});
        auto report = session().CurrentReport;
        const auto doc = report->document();
        const int pages = doc->pageCount();
        QVERIFY(pages > 3);
        QCOMPARE(doc->outline.size(), 8);
        // No group header ends a page: its first row follows on the same page.
        for (const OutlineEntry& e : doc->outline) {
            const int block = e.title.mid(6).toInt();
            const QString firstRow = QStringLiteral("Row %1").arg((block - 1) * 40 + 1);
            bool found = false;
            for (const Prim& p : doc->pages[size_t(e.page)].prims)
                found = found || (doc->textOf(p, e.page) == firstRow && p.y > e.y);
            QVERIFY2(found, qPrintable(e.title));
        }
        const QString file = dir_.filePath("series.pdf");
        report->exportTo(file, FormatPdf);
        const QString text = pdfText(file);
        QVERIFY(text.contains(QStringLiteral("Page 1 of %1").arg(pages)));
        QVERIFY(text.contains(QStringLiteral("Page %1 of %1").arg(pages)));
        QVERIFY(!text.contains(QStringLiteral("Page %1 of").arg(pages + 1)));
        QVERIFY(text.simplified().contains("Total Block 1 820 410.00"));
        QVERIFY(text.simplified().contains("Grand Total 45150 22,575.00"));
    }

    void freeFormRunningTotalAndCount() {
        session().CompanyName = "Free Form Hospital";
        OpenReport(engineTemplates() + "/freeform.rpt", "Reports", {"LB"});
        const QString file = dir_.filePath("free.pdf");
        session().CurrentReport->exportTo(file, FormatPdf);
        const QString text = pdfText(file).simplified();
        QVERIFY2(text.contains("Free Form Hospital Department LB"), qPrintable(text));
        QVERIFY2(text.contains("Ann Lee 150.00 150.00 Bob Roy 75.50 225.50 Cy Dale 30.25 255.75"),
                 qPrintable(text));
        QVERIFY2(text.contains("Total 255.75 3"), qPrintable(text));
    }

    void xlsxHasOutlineLevelsAndFrozenHeading() {
        auto report = openCharges();
        const QString file = dir_.filePath("charges.xlsx");
        report->exportTo(file, FormatExcelXlsx);
        const QString script = QStringLiteral(R"PY(
import sys, zipfile
x = zipfile.ZipFile(sys.argv[1]).read('xl/worksheets/sheet1.xml').decode()
print('frozen' if 'state="frozen"' in x and 'ySplit="6"' in x else 'not frozen')
print(x.count('outlineLevel="1"'))
print('<v>875.74</v>' in x)
)PY");
        QCOMPARE(python(script, {file}).split('\n').mid(0, 3),
                 QStringList({"frozen", "6", "True"}));
    }

    void csvQuotesTextAndKeepsNumbers() {
        auto report = openCharges();
        const QString file = dir_.filePath("charges.csv");
        report->exportTo(file, FormatCsv);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n");
        QVERIFY(lines.contains("\"12 Harbour Road, Port Elin\",,,"));
        QVERIFY(lines.contains("Ann Lee,03/01/2012,2,150"));
        QVERIFY(lines.contains("Grand Total,,10,875.74"));
    }

    void unwritableFileNamesIt() {
        auto report = openCharges();
        const QString file = dir_.filePath("no-such-folder/out.xls");
        for (int format : {int(FormatExcel), int(FormatPdf), int(FormatCsv)}) {
            try {
                report->exportTo(file, format);
                QFAIL("an export into a missing folder succeeded");
            } catch (const Error& e) {
                QVERIFY2(e.description().contains(file), qPrintable(e.description()));
            }
        }
    }
};

QTEST_MAIN(OutputsTest)
#include "tst_engine_outputs.moc"
