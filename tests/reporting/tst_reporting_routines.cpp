// OpenReport, OpenSubreport and ShowReport against the test database:
// table binding, parameter values by position, the release rules of
// CurrentReport, the viewer windows and their export button.

#include "../engine/EngineFixture.h"
#include "RecordingReports.h"
#include "RecordingStatements.h"
#include "platform/engine/Document.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "platform/engine/ReportViewer.h"
#include "reporting/ReportPrinter.h"
#include "reporting/ReportRoutines.h"
#include "reporting/ReportViewerWindows.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;
using namespace pelmar::test;

class RoutinesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString charges_;
    const QVariantList values_{"03/01/2012", "03/31/2012", "12 Harbour Road", "Charges", "Note"};

    QStringList locations(Report& r) {
        QStringList out;
        for (DatabaseTable* t : r.GetDatabaseTables())
            out << t->GetLocation();
        return out;
    }

    QList<frmReportViewer*> childViewers() {
        QList<frmReportViewer*> out;
        for (QMdiSubWindow* w : mainWorkspace()->subWindowList())
            if (auto* v = qobject_cast<frmReportViewer*>(w->widget()))
                out << v;
        return out;
    }

private slots:
    void initTestCase() {
        if (!TestDatabase::available())
            QSKIP("no test database (run through scripts/test)");
        QLocale::setDefault(QLocale::c());
        loadEngineFixture();
        useTestLogOn();
        session().CompanyName = QStringLiteral("St. Brigid's Test Hospital");
        charges_ = engineTemplates() + "\\charges.rpt"; // as the dialogs build it
        setMainWorkspace(new QMdiArea);
    }

    void init() {
        useTestLogOn();
        session().CurrentReport.reset();
    }

    void bindsEveryTableToTheNamedDatabase() {
        OpenReport(charges_, "BILLING", values_);
        auto report = session().CurrentReport;
        QVERIFY(report);
        QCOMPARE(report->companyName(), QString("St. Brigid's Test Hospital"));
        QCOMPARE(locations(*report),
                 QStringList({"BILLING.dbo.eng_charges", "BILLING.dbo.eng_departments"}));
        const TestDatabase m = TestDatabase::member();
        for (DatabaseTable* t : report->GetDatabaseTables())
            QCOMPARE(t->logOnInfo(), (LogOnInfo{m.host, "BILLING", m.user, m.password}));
        // Both tables are read from billing: its rows only.
        QCOMPARE(report->queryText(nullptr).count("\"billing\"."), 2);
        const auto doc = report->document();
        QStringList patients;
        for (const SheetRow& r : doc->sheetRows)
            if (r.kind == SheetRow::Detail)
                patients << doc->sheetCell(r, 0).toString();
        QCOMPARE(patients, QStringList({"Bill Only", "Bea Ledger"}));
    }

    void locationWithoutDotFailsAtThatTable() {
        try {
            OpenReport(engineTemplates() + "/nodot.rpt", "Billing", {});
            QFAIL("a location without a dot was bound");
        } catch (const Error& e) {
            QVERIFY2(e.description().startsWith("Invalid argument") &&
                         e.description().contains("\"b\"") &&
                         e.description().contains("eng_departments"),
                     qPrintable(e.description()));
        }
        // The half-bound report stays: the first table bound, the third untouched.
        auto report = session().CurrentReport;
        QVERIFY(report);
        QCOMPARE(locations(*report), QStringList({"Billing.dbo.eng_charges", "eng_departments",
                                                  "Reports.dbo.eng_departments"}));
        QVERIFY(report->GetDatabaseTables()[0]->isLoggedOn());
        QVERIFY(!report->GetDatabaseTables()[2]->isLoggedOn());
        // The next OpenReport replaces it.
        OpenReport(charges_, "Reports", values_);
        QVERIFY(session().CurrentReport != report);
    }

    void parameterValuesGoByPosition_data() {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("filled");
        QTest::newRow("7 values for 5 fields")
            << QVariantList{"03/01/2012", "03/31/2012", "Addr",   "Title",
                            "Note",       "extra 5",    "extra 6"}
            << 5;
        QTest::newRow("3 values for 5 fields")
            << QVariantList{"03/01/2012", "03/31/2012", "Addr"} << 3;
        QTest::newRow("none") << QVariantList{} << 0;
    }

    void parameterValuesGoByPosition() {
        QFETCH(QVariantList, values);
        QFETCH(int, filled);
        OpenReport(charges_, "Reports", values);
        const auto fields = session().CurrentReport->GetParameterFields();
        QCOMPARE(fields.size(), 5);
        for (int i = 0; i < fields.size(); ++i) {
            QCOMPARE(fields[i]->hasCurrentValue(), i < filled);
            if (i < filled)
                QCOMPARE(fields[i]->currentValue(), values[i]);
        }
        // A field without a value prints empty; the report still runs.
        const auto doc = session().CurrentReport->document();
        QVERIFY(doc->pageCount() >= 1);
        QStringList titles;
        for (const SheetRow& r : doc->sheetRows)
            if (r.kind == SheetRow::Title)
                titles << r.cells.value(0).toString();
        QCOMPARE(titles.contains("Note"), filled >= 5);
        QVERIFY(!titles.join(' ').contains("extra"));
    }

    void wrongTypedValueNamesTheParameter() {
        try {
            OpenReport(charges_, "Reports", {"not a date"});
            QFAIL("a text was taken for a date");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains("StartDate") &&
                         e.description().contains("not a date"),
                     qPrintable(e.description()));
        }
    }

    void openSubreportLeavesTheMainReport() {
        OpenReport(charges_, "Reports", values_);
        auto main = session().CurrentReport;
        OpenSubreport("Summary", "REPORTS", {"XR", "ignored"});
        QCOMPARE(session().CurrentReport, main);
        QCOMPARE(locations(*main),
                 QStringList({"Reports.dbo.eng_charges", "Reports.dbo.eng_departments"}));
        QCOMPARE(main->GetParameterFields()[0]->currentValue(), QVariant("03/01/2012"));
        Report* sub = main->GetSubreport("summary");
        QCOMPARE(locations(*sub), QStringList({"REPORTS.dbo.eng_charges"}));
        QCOMPARE(sub->GetDatabaseTables()[0]->logOnInfo().database, QString("REPORTS"));
        QCOMPARE(sub->GetParameterFields()[0]->currentValue(), QVariant("XR"));
    }

    void failuresNameTemplateSubreportAndServer() {
        const QString missing = engineTemplates() + "\\Aging.rpt";
        try {
            OpenReport(missing, "Reports", {});
            QFAIL("a missing template opened");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains(nativePath(missing)), qPrintable(e.description()));
        }
        OpenReport(charges_, "Reports", values_);
        try {
            OpenSubreport("Doctors", "Reports", {});
            QFAIL("a missing subreport opened");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains("\"Doctors\"") &&
                         e.description().contains("charges.rpt"),
                     qPrintable(e.description()));
        }
        useTestLogOn("wrong password");
        try {
            OpenReport(charges_, "Reports", values_);
            QFAIL("a refused log-on went through");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains(TestDatabase::member().host),
                     qPrintable(e.description()));
        }
    }

    void directPrintWithModalPrintsAndReleases() {
        OpenReport(charges_, "Reports", values_);
        QPrinter& printer = reportPrinter();
        const QString file = dir_.filePath("printed.pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        const int windowsBefore = int(QApplication::topLevelWidgets().size());
        ShowReport(true, "Never shown", true, true);
        QVERIFY(!session().CurrentReport);
        QCOMPARE(int(QApplication::topLevelWidgets().size()), windowsBefore);
        QVERIFY(pdfText(file).contains("Grand Total"));
        printer.setOutputFileName({});
        printer.setOutputFormat(QPrinter::NativeFormat);
    }

    void printingWithoutPrinterSaysSo() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this machine has a printer");
        OpenReport(charges_, "Reports", values_);
        try {
            ShowReport(false, "x", true, false);
            QFAIL("printed without a printer");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains("no printer"), qPrintable(e.description()));
        }
    }

    void twoChildViewersKeepTheirReportsAndExportThem() {
        for (QMdiSubWindow* w : mainWorkspace()->subWindowList())
            delete w;
        OpenReport(charges_, "Reports", values_);
        auto first = session().CurrentReport;
        ShowReport(false, "Monthly Laboratory Summary Report: Jan,2013", false, false);
        first->GetExportOptions().SetExportFileName(dir_.filePath("first.xls"));
        first->GetExportOptions().SetExportDestination(1);
        first->GetExportOptions().SetExportFormat(29);
        OpenReport(charges_, "BILLING", values_);
        auto second = session().CurrentReport;
        ShowReport(true, "  Second  ", false, false);
        const QString secondFile =
            QStringLiteral("C:\\Documents and Settings\\All Users\\Desktop\\engine-test-%1.xls")
                .arg(QCoreApplication::applicationPid());
        second->GetExportOptions().SetExportFileName(secondFile);
        second->GetExportOptions().SetExportDestination(1);
        second->GetExportOptions().SetExportFormat(29);

        const auto viewers = childViewers();
        QCOMPARE(viewers.size(), 2);
        QCOMPARE(viewers[0]->report(), first);
        QCOMPARE(viewers[1]->report(), second);
        QCOMPARE(session().CurrentReport, second);
        QCOMPARE(mainWorkspace()->subWindowList()[0]->windowTitle(),
                 QString("Monthly Laboratory Summary Report: Jan,2013"));
        QCOMPARE(mainWorkspace()->subWindowList()[1]->windowTitle(), QString("  Second  "));
        QVERIFY(mainWorkspace()->subWindowList()[0]->isMaximized() ||
                mainWorkspace()->subWindowList()[1]->isMaximized());
        QVERIFY(!viewers[0]->viewer()->isGroupTreeShown());
        QVERIFY(viewers[1]->viewer()->isGroupTreeShown() &&
                viewers[1]->viewer()->isGroupTreeEnabled());
        QCOMPARE(viewers[0]->viewer()->viewerStartOption(), 1);

        // Each export button writes its own report to its own preset file.
        viewers[0]->viewer()->exportReport();
        viewers[1]->viewer()->exportReport();
        QVERIFY(xlsRows(dir_.filePath("first.xls")).join('\n').contains("T:Ann Lee"));
        const QString desktopFile = nativePath(secondFile);
        QVERIFY2(xlsRows(desktopFile).join('\n').contains("T:Bill Only"), qPrintable(desktopFile));
        QFile::remove(desktopFile);
        for (QMdiSubWindow* w : mainWorkspace()->subWindowList())
            delete w;
        QCOMPARE(session().CurrentReport, second); // closing a child viewer changes nothing
    }

    void modalViewerReleasesCurrentReportWhenClosed() {
        OpenReport(charges_, "Reports", values_);
        QString seenTitle;
        int seenPages = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* w = qobject_cast<frmReportViewervbModal*>(QApplication::activeModalWidget());
            if (!w)
                return;
            poll.stop();
            seenTitle = w->windowTitle();
            seenPages = w->viewer()->pageCount();
            w->close();
        });
        poll.start(20);
        ShowReport(false, "Aging Report: as of 03/31/2012", false, true);
        QCOMPARE(seenTitle, QString("Aging Report: as of 03/31/2012"));
        QCOMPARE(seenPages, 1);
        QVERIFY(!session().CurrentReport);
    }

    void showingNothingIsAClearError() {
        session().CurrentReport.reset();
        for (bool directPrint : {true, false}) {
            try {
                ShowReport(false, "x", directPrint, false);
                QFAIL("showed no report");
            } catch (const Error& e) {
                QVERIFY2(e.description().contains("no report"), qPrintable(e.description()));
            }
        }
    }

    void everyOpenShowPrintAndExportIsAudited() {
        RecordingStatements audit;
        OpenReport(charges_, "Reports", values_);
        OpenSubreport("Summary", "Reports", {"LB"});
        ShowReport(false, "Audited", false, false);
        session().CurrentReport->exportTo(dir_.filePath("audited.csv"), FormatCsv);
        QPrinter& printer = reportPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("audited.pdf"));
        ShowReport(false, "x", true, false);
        printer.setOutputFileName({});
        QStringList actions;
        for (const auto& e : audit.log)
            actions << e.action;
        QCOMPARE(actions, QStringList({"open", "open", "show", "export", "print"}));
        QCOMPARE(audit.log[0].templatePath, charges_);
        QCOMPARE(audit.log[0].database, QString("Reports"));
        QCOMPARE(audit.log[0].parameters,
                 QStringList({"03/01/2012", "03/31/2012", "12 Harbour Road", "Charges", "Note"}));
        QCOMPARE(audit.log[1].detail, QString("subreport Summary"));
        QCOMPARE(audit.log[2].detail, QString("Audited"));
        for (QMdiSubWindow* w : mainWorkspace()->subWindowList())
            delete w;
    }

    void recordingDoubleStandsInForTheRoutines() {
        RecordingReports rec;
        OpenProgressWindow();
        OpenReport("C:\\App\\REPORTS\\rptMonthlyReport.rpt", "REPORTS",
                   {"01/01/2013", "01/31/2013", "LB"});
        OpenSubreport("Company", "REPORTS", {"x"});
        ShowReport(false, "Monthly Laboratory Summary Report: Jan,2013", false, false);
        session().CurrentReport->GetExportOptions().SetExportFileName("C:\\x.xls");
        session().CurrentReport->GetExportOptions().SetExportFormat(29);
        CloseProgressWindow();
        QCOMPARE(rec.calls, QStringList({"OpenProgressWindow", "OpenReport", "OpenSubreport",
                                         "ShowReport", "CloseProgressWindow"}));
        QCOMPARE(rec.opened[0].templatePath, QString("C:\\App\\REPORTS\\rptMonthlyReport.rpt"));
        QCOMPARE(rec.opened[0].parameterValues, QVariantList({"01/01/2013", "01/31/2013", "LB"}));
        QCOMPARE(rec.subreports[0].subreportName, QString("Company"));
        QCOMPARE(rec.shown[0].caption, QString("Monthly Laboratory Summary Report: Jan,2013"));
        QCOMPARE(rec.exportOptions()->exportFileName(), QString("C:\\x.xls"));
        QCOMPARE(rec.exportOptions()->exportFormat(), 29);
        ShowReport(false, "printed", true, false);
        QVERIFY(!session().CurrentReport);
    }
};

QTEST_MAIN(RoutinesTest)
#include "tst_reporting_routines.moc"
