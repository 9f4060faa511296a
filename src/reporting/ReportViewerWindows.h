#pragma once
// The two viewer windows: a child of the main window and a modal one.

#include <QDialog>
#include <QWidget>
#include <memory>

namespace pelmar {

namespace engine {
class Report;
class ReportViewer;
} // namespace engine

// A child window of the main window, maximized.  Its export button exports
// the report it shows with the options the dialog preset on that report.
class frmReportViewer : public QWidget {
    Q_OBJECT
public:
    explicit frmReportViewer(QWidget* parent = nullptr);
    ~frmReportViewer() override;

    bool ShowGroupTree = false;
    // Hands CurrentReport to the viewer and renders it.  Throws pelmar::Error.
    void load();
    engine::ReportViewer* viewer() const { return viewer_; }
    std::shared_ptr<engine::Report> report() const;

private:
    void onExportRequested(bool* useDefault);
    engine::ReportViewer* viewer_;
};

// A top-level window shown modally and maximized; closing it releases
// CurrentReport.  Its export button keeps the viewer's own export.
class frmReportViewervbModal : public QDialog {
    Q_OBJECT
public:
    explicit frmReportViewervbModal(QWidget* parent = nullptr);
    ~frmReportViewervbModal() override;

    bool ShowGroupTree = false;
    void load();
    // Shows the window modally; returns when the user closes it.
    void showModal();
    engine::ReportViewer* viewer() const { return viewer_; }

    void done(int result) override;

private:
    engine::ReportViewer* viewer_;
};

} // namespace pelmar
