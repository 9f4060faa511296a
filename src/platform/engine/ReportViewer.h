#pragma once
// The report viewer: pages with zoom and navigation, the group tree, text
// search, print and export.  It shows the first page as soon as it is laid
// out and lays out the rest in slices between events.

#include <QWidget>
#include <memory>

class QAbstractScrollArea;
class QComboBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pelmar::engine {

class Document;
class LayoutJob;
class Report;
class PageView;

class ReportViewer : public QWidget {
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    void SetReportSource(std::shared_ptr<Report> report);
    void SetViewerStartOption(int option);
    void SetGroupTreeShown(bool shown);
    void SetGroupTreeEnabled(bool enabled);
    // Runs the report's query and shows its first page.  Throws pelmar::Error.
    void ViewReport();

    std::shared_ptr<Report> reportSource() const { return report_; }
    std::shared_ptr<Document> document() const { return doc_; }
    int viewerStartOption() const { return startOption_; }
    bool isGroupTreeShown() const;
    bool isGroupTreeEnabled() const;
    bool isLayoutComplete() const;
    void finishLayout();

    int currentPage() const { return page_; } // 0-based
    int pageCount() const;
    void goToPage(int index);
    void nextPage() { goToPage(page_ + 1); }
    void previousPage() { goToPage(page_ - 1); }
    void firstPage() { goToPage(0); }
    void lastPage();

    enum ZoomMode { FitWidth, FitPage, Percent };
    void setZoom(ZoomMode mode, double percent = 100);
    double zoomFactor() const; // screen pixels per point
    void zoomIn();
    void zoomOut();

    // Finds text from the current hit onward; moves to its page. False when absent.
    bool findText(const QString& text);
    QTreeWidget* groupTree() const { return tree_; }

    // The buttons' actions, also for keyboard and tests.
    void print();
    void exportReport();

signals:
    // Raised by the export button.  A handler that sets *useDefault to false
    // replaces the viewer's own export (a save dialog).
    void ExportRequested(bool* useDefault);
    void pageChanged(int index);
    void layoutFinished();

private:
    void layoutSlice();
    void syncOutline();
    void updateStatus();
    void fail(const QString& message);

    std::shared_ptr<Report> report_;
    std::shared_ptr<Document> doc_;
    std::unique_ptr<LayoutJob> job_;
    int startOption_ = 0;
    int page_ = 0;
    int outlineShown_ = 0;
    ZoomMode zoomMode_ = FitWidth;
    double zoomPercent_ = 100;
    int hitPage_ = -1, hitPrim_ = -1;
    QString lastSearch_;
    QList<QTreeWidgetItem*> outlineStack_;

    QSplitter* splitter_;
    QTreeWidget* tree_;
    PageView* view_;
    QLabel* status_;
    QComboBox* zoomBox_;
    QLineEdit* search_;
    friend class PageView;
};

} // namespace pelmar::engine
