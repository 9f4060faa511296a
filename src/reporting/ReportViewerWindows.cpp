#include "reporting/ReportViewerWindows.h"

#include "platform/engine/Foundation.h"
#include "platform/engine/Report.h"
#include "platform/engine/ReportViewer.h"

#include <QMessageBox>
#include <QVBoxLayout>

namespace pelmar {

namespace {

// The viewer fills the window: top and left 0, the window's inner size.
engine::ReportViewer* fillWith(QWidget* window) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* viewer = new engine::ReportViewer(window);
    layout->addWidget(viewer);
    return viewer;
}

void loadViewer(engine::ReportViewer* viewer, bool showGroupTree) {
    viewer->SetReportSource(session().CurrentReport);
    viewer->SetViewerStartOption(1);
    viewer->SetGroupTreeShown(showGroupTree);
    viewer->SetGroupTreeEnabled(showGroupTree);
    viewer->ViewReport();
}

} // namespace

frmReportViewer::frmReportViewer(QWidget* parent)
    : QWidget(parent)
    , viewer_(fillWith(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    connect(viewer_, &engine::ReportViewer::ExportRequested, this,
            &frmReportViewer::onExportRequested);
}

frmReportViewer::~frmReportViewer() = default;

void frmReportViewer::load() {
    loadViewer(viewer_, ShowGroupTree);
    viewer_->setWindowTitle(windowTitle());
}

std::shared_ptr<engine::Report> frmReportViewer::report() const {
    return viewer_->reportSource();
}

void frmReportViewer::onExportRequested(bool* useDefault) {
    *useDefault = false;
    // Each viewer exports the report it shows, even after CurrentReport has moved on.
    const auto report = viewer_->reportSource();
    if (!report) {
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("There is no report to export."));
        return;
    }
    try {
        viewer_->finishLayout();
        report->ExportReport(false);
    } catch (const Error& e) {
        QMessageBox::warning(this, windowTitle(), e.description());
    }
}

frmReportViewervbModal::frmReportViewervbModal(QWidget* parent)
    : QDialog(parent)
    , viewer_(fillWith(this)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
}

frmReportViewervbModal::~frmReportViewervbModal() {
    session().CurrentReport.reset();
}

void frmReportViewervbModal::load() {
    loadViewer(viewer_, ShowGroupTree);
    viewer_->setWindowTitle(windowTitle());
}

void frmReportViewervbModal::showModal() {
    setWindowState(Qt::WindowMaximized);
    exec();
}

void frmReportViewervbModal::done(int result) {
    session().CurrentReport.reset();
    QDialog::done(result);
}

} // namespace pelmar
