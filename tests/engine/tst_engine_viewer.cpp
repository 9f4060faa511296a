// The viewer: the first page before the whole report is laid out, the group
// tree leading to pages, search, zoom; the progress window and its clip.

#include "EngineFixture.h"
#include "platform/engine/Document.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "platform/engine/ReportViewer.h"
#include "reporting/ProgressWindow.h"
#include "reporting/ReportRoutines.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace pelmar;
using namespace pelmar::engine;
using namespace pelmar::test;

class ViewerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ReportViewer> view(int rows, int size, bool tree = true) {
        OpenReport(engineTemplates() + "/series.rpt", "Reports", {rows, size});
        auto v = std::make_unique<ReportViewer>();
        v->resize(900, 700);
        v->SetReportSource(session().CurrentReport);
        v->SetViewerStartOption(1);
        v->SetGroupTreeShown(tree);
        v->SetGroupTreeEnabled(tree);
        v->show();
        v->ViewReport();
        return v;
    }

    bool pageHas(const ReportViewer& v, int page, const QString& text) {
        for (const Prim& p : v.document()->pages[size_t(page)].prims)
            if (p.type == Prim::Text && v.document()->textOf(p, page) == text)
                return true;
        return false;
    }

private slots:
    void initTestCase() {
        if (!TestDatabase::available())
            QSKIP("no test database (run through scripts/test)");
        QLocale::setDefault(QLocale::c());
        loadEngineFixture();
        useTestLogOn();
    }

    void showsFirstPageBeforeTheLastIsLaidOut() {
        auto v = view(30000, 100);
        // ViewReport returned with page 1 ready and the rest still to come.
        QVERIFY(!v->isLayoutComplete());
        QVERIFY(v->pageCount() >= 1);
        QCOMPARE(v->currentPage(), 0);
        QVERIFY(pageHas(*v, 0, "Row 1"));
        QTRY_VERIFY_WITH_TIMEOUT(v->isLayoutComplete(), 60000);
        QVERIFY2(v->pageCount() > 400, qPrintable(QString::number(v->pageCount())));
        // The report keeps the finished pages: printing and exporting reuse them.
        QCOMPARE(session().CurrentReport->document(), v->document());
    }

    void groupTreeLeadsToThePages() {
        auto v = view(2000, 100);
        v->finishLayout();
        QTreeWidget* tree = v->groupTree();
        QVERIFY(v->isGroupTreeShown() && v->isGroupTreeEnabled());
        QCOMPARE(tree->topLevelItemCount(), 20);
        QTreeWidgetItem* item = tree->topLevelItem(14);
        QCOMPARE(item->text(0), QString("Block 15"));
        emit tree->itemClicked(item, 0);
        QVERIFY(pageHas(*v, v->currentPage(), "Block 15"));
        QVERIFY(pageHas(*v, v->currentPage(), "Row 1401") ||
                pageHas(*v, v->currentPage() + 1, "Row 1401"));

        auto hidden = view(10, 5, false);
        QVERIFY(!hidden->isGroupTreeShown());
        QVERIFY(!hidden->isGroupTreeEnabled());
    }

    void searchFindsTextOnItsPageAndGoesOn() {
        auto v = view(2000, 100);
        QVERIFY(v->findText("Row 1777"));
        QVERIFY(pageHas(*v, v->currentPage(), "Row 1777"));
        const int first = v->currentPage();
        // "Row 5" then "Row 50", "Row 51"... each further hit moves on, wrapping round.
        QVERIFY(v->findText("Block 2"));
        const int a = v->currentPage();
        QVERIFY(v->findText("Block 2"));
        QVERIFY(v->currentPage() >= a);
        QVERIFY(!v->findText("no such text"));
        Q_UNUSED(first);
    }

    void navigationAndZoom() {
        auto v = view(2000, 100);
        v->finishLayout();
        const int n = v->pageCount();
        v->lastPage();
        QCOMPARE(v->currentPage(), n - 1);
        v->nextPage();
        QCOMPARE(v->currentPage(), n - 1);
        v->firstPage();
        v->previousPage();
        QCOMPARE(v->currentPage(), 0);
        v->setZoom(ReportViewer::Percent, 200);
        const double twice = v->zoomFactor();
        v->setZoom(ReportViewer::Percent, 100);
        QVERIFY(qAbs(twice - 2 * v->zoomFactor()) < 1e-6);
        v->setZoom(ReportViewer::FitPage);
        const double fitPage = v->zoomFactor();
        v->setZoom(ReportViewer::FitWidth);
        QVERIFY(v->zoomFactor() > fitPage); // a tall page in a wide window
        v->zoomIn();
        QVERIFY(v->zoomFactor() > fitPage);
    }

    void progressWindowPlaysItsClip() {
        QTemporaryDir folder;
        frmAnimate::setClipFolder(folder.path());
        const QString clip = frmAnimate::clipPath();
        try {
            OpenProgressWindow();
            QFAIL("the progress window loaded without its clip");
        } catch (const Error& e) {
            QVERIFY2(e.description().contains(clip), qPrintable(e.description()));
        }
        QVERIFY(!frmAnimate::shared());

        writeFileCopyClip(clip);
        OpenProgressWindow();
        frmAnimate* w = frmAnimate::shared();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QString("Generating report..."));
        QCOMPARE(w->size(), QSize(294, 90));
        QVERIFY(!w->Animation->AutoPlay);
        QVERIFY(w->Animation->isPlaying());
        QCOMPARE(w->Animation->frameCount(), 16);
        QTRY_VERIFY(w->Animation->currentFrame() > 2);
        OpenProgressWindow(); // a second open reuses the window
        QCOMPARE(frmAnimate::shared(), w);
        CloseProgressWindow();
        QVERIFY(!frmAnimate::shared());
        CloseProgressWindow(); // closing twice is harmless
        frmAnimate::setClipFolder({});
    }
};

QTEST_MAIN(ViewerTest)
#include "tst_engine_viewer.moc"
