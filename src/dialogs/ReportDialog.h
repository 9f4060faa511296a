#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

namespace pelmar {

// The common ground of the report dialogs.  Each dialog exists once: opening
// it again while it is up brings it to the front without loading it again,
// so a new ReportType reaches only the handlers that read it later.  Dialogs
// are modeless and have no owner; closing one destroys it, so the next open
// starts afresh.
// The look every small window of the program shares: a fixed border with a
// close box and nothing to resize, in Arial 9.
void applyDialogLook(QDialog* dialog);

class ReportDialog : public QDialog {
    Q_OBJECT

public:
    explicit ReportDialog(QWidget* parent = nullptr);
    ~ReportDialog() override;

    // Which report the dialog produces; written before it is shown.
    void setReportType(const QString& reportType) { reportType_ = reportType; }

    bool isLoaded() const { return loaded_; }

    // Opens the single instance of Dialog: creates and loads it when none is
    // open, otherwise brings the open one to the front.  The ReportType, when
    // given, is set before the load.  A failed load throws (pelmar::Error or
    // another std::exception) and leaves no instance behind.
    template <class Dialog>
    static Dialog* open(const std::optional<QString>& reportType = std::nullopt);

    // The open instance of Dialog, or nullptr.
    template <class Dialog> static Dialog* instance() { return slot<Dialog>().data(); }

    // Shows a failure the way every dialog does: normal pointer, progress
    // window closed, and a message box with the description and an OK button.
    static void showFailure(QWidget* parent, const QString& description);

protected:
    const QString& reportType() const { return reportType_; }

    // Runs once per instance, before the dialog is first shown: sets the
    // caption, the initial values and what is enabled.  Throws on failure.
    virtual void loadForm() {}

    // Runs a handler (OK, a check box click...) and reports any failure with
    // showFailure; the dialog stays open.  Returns whether it succeeded.
    bool runHandler(const std::function<void()>& handler);

    void showEvent(QShowEvent* event) override;

private:
    template <class Dialog> static QPointer<Dialog>& slot() {
        static QPointer<Dialog> single;
        return single;
    }

    // Loads once; throws what the load throws.
    void ensureLoaded();
    void bringToFront();

    QString reportType_;
    bool loaded_ = false;
};

template <class Dialog> Dialog* ReportDialog::open(const std::optional<QString>& reportType) {
    QPointer<Dialog>& single = slot<Dialog>();
    if (single) {
        if (reportType)
            single->setReportType(*reportType);
        single->bringToFront();
        return single.data();
    }
    auto* dialog = new Dialog;
    if (reportType)
        dialog->setReportType(*reportType);
    try {
        dialog->ensureLoaded();
    } catch (...) {
        delete dialog;
        throw;
    }
    single = dialog;
    dialog->bringToFront();
    return dialog;
}

} // namespace pelmar
