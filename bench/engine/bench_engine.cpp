// Times the engine on the benchmark report: open (query and fill), first
// page on screen, full layout, PDF, .xls and .xlsx export, printing to a PDF
// file, and the process's peak memory.  The database comes from PELMAR_TEST_*
// as the tests use it (scripts/bench starts one).
//   bench_engine                        5,000, 50,000 and 200,000 rows, each in its own
//                                       process, with the ReportLab peer beside each
//   bench_engine ROWS OUTPUT_FOLDER     one row count

#include "platform/engine/Document.h"
#include "platform/engine/Exporters.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Layout.h"
#include "platform/engine/Report.h"
#include "platform/engine/ReportViewer.h"
#include "reporting/ReportRoutines.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QPrinter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>

using namespace pelmar;

static QString env(const char* name) {
    return qEnvironmentVariable(name);
}

static long peakKb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The benchmark table holds exactly `rows` rows, about 40 departments.
static void prepare(int rows) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "bench-admin");
    db.setHostName(env("PELMAR_TEST_HOST"));
    db.setPort(env("PELMAR_TEST_PORT").toInt());
    db.setDatabaseName(env("PELMAR_TEST_DB"));
    db.setUserName(env("PELMAR_TEST_ADMIN"));
    db.setPassword(env("PELMAR_TEST_ADMIN_PASSWORD"));
    if (!db.open())
        qFatal("cannot reach the database: %s", qPrintable(db.lastError().text()));
    QSqlQuery q(db);
    q.exec("CREATE TABLE IF NOT EXISTS reports.bench_charges (id int PRIMARY KEY, dept text, code "
           "text, "
           "patient text, service_date date, qty int, price numeric(12,2), amount numeric(12,2))");
    q.exec("GRANT SELECT ON reports.bench_charges TO pelmar_reports");
    q.exec("SELECT count(*) FROM reports.bench_charges");
    q.next();
    if (q.value(0).toInt() != rows) {
        q.exec("TRUNCATE reports.bench_charges");
        const QString fill =
            QStringLiteral(
                "INSERT INTO reports.bench_charges "
                "SELECT g, 'D' || lpad((g % 40)::text, 2, '0'), 'C' || (1000 + g % 977), "
                "'Patient ' || md5(g::text)::varchar(12), DATE '2012-01-01' + (g % 366), 1 + g % "
                "5, "
                "round((10 + (g % 997) * 1.37)::numeric, 2), round(((1 + g % 5) * (10 + (g % 997) "
                "* 1.37))::numeric, 2) "
                "FROM generate_series(1, %1) g")
                .arg(rows);
        if (!q.exec(fill))
            qFatal("cannot fill the benchmark table: %s", qPrintable(q.lastError().text()));
        q.exec("ANALYZE reports.bench_charges");
    }
}

static QMap<QString, double> figures(const QString& line) {
    QMap<QString, double> out;
    for (const QString& kv : line.split(' ', Qt::SkipEmptyParts))
        if (kv.contains('='))
            out.insert(kv.section('=', 0, 0), kv.section('=', 1).toDouble());
    return out;
}

// Each row count in a process of its own, so each peak is its own.
static int runAll(const char* self) {
    QTemporaryDir dir;
    const bool peer = QProcess::execute("/usr/bin/python3", {"-c", "import reportlab"}) == 0;
    for (int rows : {5000, 50000, 200000}) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QString::fromLocal8Bit(self), {QString::number(rows), dir.path()});
        if (!p.waitForFinished(-1) || p.exitCode() != 0) {
            fprintf(stderr, "the run of %d rows failed\n", rows);
            return 1;
        }
        const QString ours = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        printf("%s\n", qPrintable(ours));
        if (!peer) {
            printf("  (python3-reportlab is not installed: no peer figures)\n");
            continue;
        }
        QProcess r;
        r.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        r.start("/usr/bin/python3", {QStringLiteral(PELMAR_BENCH_DIR "/peer_reportlab.py"),
                                     dir.filePath("rows.tsv"), dir.filePath("peer.pdf")});
        r.waitForFinished(-1);
        const QString theirs = QString::fromUtf8(r.readAllStandardOutput()).trimmed();
        const auto o = figures(ours), t = figures(theirs);
        // Our PDF path is layout and writing; the peer's is its whole build.
        const double mine = o.value("layout") + o.value("pdf");
        printf("  %s\n  PDF ours/peer = %.3f (%.1f times faster); peak memory ours/peer = %.2f\n",
               qPrintable(theirs), mine / t.value("pdf"), t.value("pdf") / mine,
               o.value("peak_mb") / t.value("peak_mb"));
        fflush(stdout);
    }
    return 0;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3)
        return runAll(argv[0]);
    const int rows = atoi(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    prepare(rows);
    setLogOnSource([] {
        return LogOnValues{env("PELMAR_TEST_HOST"), env("PELMAR_TEST_PORT").toInt(),
                           env("PELMAR_TEST_DB"), env("PELMAR_TEST_USER"),
                           env("PELMAR_TEST_PASSWORD")};
    });
    session().CompanyName = "St. Brigid's Test Hospital";
    const QString templ = QStringLiteral(PELMAR_BENCH_DIR "/bench.rpt");
    QElapsedTimer t;

    // Open: template, binding, query and fill.
    t.start();
    OpenReport(templ, "Reports", {"Charges by Department"});
    auto report = session().CurrentReport;
    report->fill();
    const double open = t.nsecsElapsed() / 1e9;

    // Layout alone, from rows already read.
    double layout = 0;
    {
        engine::FilledReport filled = report->fill();
        t.start();
        auto alone = engine::layoutAll(filled);
        layout = t.nsecsElapsed() / 1e9;
    }

    // The peak from here on is the program's own: one report in a viewer,
    // printed and exported.
    malloc_trim(0);
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();

    // First page on screen: the viewer runs the query again and paints page 1,
    // then lays out the rest; its pages are the ones printed and exported.
    engine::ReportViewer viewer;
    viewer.resize(1000, 800);
    viewer.SetReportSource(report);
    viewer.show();
    t.start();
    viewer.ViewReport();
    viewer.grab();
    const double first = t.nsecsElapsed() / 1e9;
    viewer.finishLayout();
    const double viewerTotal = t.nsecsElapsed() / 1e9;
    auto doc = report->document();

    t.start();
    engine::writePdf(*doc, out + "/bench.pdf", "bench");
    const double pdf = t.nsecsElapsed() / 1e9;
    t.start();
    engine::writeXls(*doc, out + "/bench.xls");
    const double xls = t.nsecsElapsed() / 1e9;
    t.start();
    engine::writeXlsx(*doc, out + "/bench.xlsx");
    const double xlsx = t.nsecsElapsed() / 1e9;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out + "/printed.pdf");
    t.start();
    engine::printDocument(*doc, printer, 0, doc->pageCount());
    const double print = t.nsecsElapsed() / 1e9;

    printf("rows=%d pages=%d open=%.3f first_page=%.3f viewer_all=%.3f layout=%.3f pdf=%.3f "
           "xls=%.3f xlsx=%.3f "
           "print_pdf=%.3f peak_mb=%.1f\n",
           rows, doc->pageCount(), open, first, viewerTotal, layout, pdf, xls, xlsx, print,
           peakKb() / 1024.0);
    // Rows for the peer, outside the timings.
    QFile csv(out + "/rows.tsv");
    if (csv.open(QIODevice::WriteOnly)) {
        QByteArray b;
        for (const QVariantList& r : *doc->data) {
            QStringList cells;
            for (const QVariant& v : r)
                cells << (v.typeId() == QMetaType::QDate ? v.toDate().toString("MM/dd/yyyy")
                                                         : v.toString());
            b += cells.join('\t').toUtf8() + '\n';
        }
        csv.write(b);
    }
    engine::closeEngineConnections();
    return 0;
}
