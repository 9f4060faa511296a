// The daily dialogs on the real report routines and the test database: the
// preset export of a daily report writes a spreadsheet that reads back with
// the report's rows, and Print without a printer ends the batch with a
// message while the window stays.  The engine's own small template stands in
// for the product templates, which are tested with their own data.

#include "../engine/EngineFixture.h"
#include "RecordingReports.h"
#include "UiDriver.h"
#include "dialogs/daily/FrmEndOfDay.h"
#include "dialogs/daily/FrmReportDateOthers.h"
#include "platform/Error.h"
#include "platform/engine/Report.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "reporting/DailySummaries.h"
#include "reporting/ReportPrinter.h"
#include "startup/SessionContext.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::test;

class DailyEndToEndTest : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

private slots:
    void initTestCase() {
        if (!TestDatabase::available())
            QSKIP("no test database (run through scripts/test)");
        QLocale::setDefault(QLocale::c());
        loadEngineFixture();
        useTestLogOn();
        // The common desktop maps to this home's desktop.
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home_.path() + "/config").toUtf8());
        QDir(home_.path()).mkpath("REPORTS");
        for (const char* name : {"DailyDepartmentalCollection.rpt", "DailyAdmissionLogbook.rpt",
                                 "DailyAdjustment.rpt"})
            QVERIFY(QFile::copy(engineTemplates() + "/charges.rpt",
                                home_.filePath(QStringLiteral("REPORTS/") + name)));
        session().ReportsFolder = home_.path() + "\\REPORTS";
        session().CompanyName = "St. Brigid's Test Hospital";
        session().CompanyAddress = "12 Harbour Road";
        session().ServerDate = QDateTime(QDate(2012, 3, 15), QTime(9, 30));
    }

    void presetExportWritesTheSpreadsheet() {
        auto* dialog = ReportDialog::open<FrmReportDateOthers>(QString("8"));
        dialog->picker()->setDate(QDate(2012, 3, 10));
        QPointer<FrmReportDateOthers> alive(dialog);
        dialog->cmdOptions_Click(0);
        QTRY_VERIFY(!alive);
        auto report = session().CurrentReport;
        QVERIFY(report);
        report->ExportReport(false); // the viewer's export button
        const QString xls = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) +
                            "/CASH Collection Summary 03-10-2012.xls";
        QVERIFY2(QFile::exists(xls), qPrintable(xls));
        const QString rows = xlsRows(xls).join('\n');
        // Read on BILLING: the billing office's row of that day, nothing else.
        QVERIFY2(rows.contains("T:Bill Only"), qPrintable(rows));
        QVERIFY2(rows.contains("N:44.44"), qPrintable(rows));
        QVERIFY2(!rows.contains("Bea Ledger") && !rows.contains("Ann Lee"), qPrintable(rows));
    }

    // The run's statements on the real procedures: the totals reach the
    // template cash before charge, as the fixture documents them.
    void summaryTotalsFromTheDatabase_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("prepare");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("values");
        QTest::newRow("discharges 03/15/2012")
            << int(DailySummaryKind::Discharges) << true << "03/15/2012"
            << "2|1|22100|27370|1200|5000";
        QTest::newRow("services 03/15/2012, as the batch runs it")
            << int(DailySummaryKind::Services) << false << "03/15/2012"
            << "1|1|1450|600|0|200";
        QTest::newRow("discharges 03/17/2012, nothing computed")
            << int(DailySummaryKind::Discharges) << true << "03/17/2012"
            << "0|0|0|0|0|0";
    }

    void summaryTotalsFromTheDatabase() {
        QFETCH(int, kind);
        QFETCH(bool, prepare);
        QFETCH(QString, day);
        QFETCH(QString, values);
        const TestDatabase m = TestDatabase::member();
        SqlConnection connection({m.host, m.port, m.database, m.user, m.password});
        connection.open();
        ConnectionStatementRunner runner(connection);
        StatementRunner* previous = setStatementRunner(&runner);
        RecordingReports reports;
        try {
            RunDailySummary(DailySummaryKind(kind), day, prepare);
        } catch (const Error& error) {
            setStatementRunner(previous);
            QFAIL(qPrintable(error.description()));
        }
        setStatementRunner(previous);
        QCOMPARE(reports.opened.size(), 1);
        QStringList texts;
        for (const QVariant& v : reports.opened[0].parameterValues.mid(3))
            texts << v.toString();
        QCOMPARE(texts.join('|'), values);
    }

    void printWithoutAPrinterKeepsTheBatchWindow() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed here");
        reportPrinter().setOutputFileName({});
        auto* window = ReportDialog::open<FrmEndOfDay>();
        QTest::mouseClick(window->box(8), Qt::LeftButton);
        QTest::mouseClick(window->box(2), Qt::LeftButton);
        MessageBoxSeen seen;
        answerMessageBox("OK", &seen);
        QTest::mouseClick(window->runButton(0), Qt::LeftButton);
        QVERIFY(seen.shown);
        QVERIFY2(seen.text.contains("DailyAdmissionLogbook.rpt\" was not printed: no printer is "
                                    "installed"),
                 qPrintable(seen.text));
        QVERIFY(window->isVisible());
        QVERIFY(window->box(2)->isChecked() && window->box(8)->isChecked());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        window->close();
    }
};

QTEST_MAIN(DailyEndToEndTest)
#include "tst_daily_endtoend.moc"
