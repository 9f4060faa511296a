#include "dialogs/ReportDialog.h"

#include "platform/Error.h"
#include "reporting/ReportRoutines.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace pelmar {

void applyDialogLook(QDialog* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    dialog->setFont(font);
}

ReportDialog::ReportDialog(QWidget* parent)
    : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
}

ReportDialog::~ReportDialog() = default;

void ReportDialog::ensureLoaded() {
    if (loaded_)
        return;
    loadForm();
    loaded_ = true;
}

void ReportDialog::bringToFront() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void ReportDialog::showEvent(QShowEvent* event) {
    // A dialog shown without open() still loads before it is first seen; no
    // exception may cross the event loop, so a failure is reported here.
    if (!loaded_) {
        try {
            ensureLoaded();
        } catch (const Error& error) {
            showFailure(this, error.description());
            QTimer::singleShot(0, this, &QWidget::close);
        } catch (const std::exception& error) {
            showFailure(this, QString::fromUtf8(error.what()));
            QTimer::singleShot(0, this, &QWidget::close);
        }
    }
    QDialog::showEvent(event);
}

bool ReportDialog::runHandler(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const Error& error) {
        showFailure(this, error.description());
    } catch (const std::exception& error) {
        showFailure(this, QString::fromUtf8(error.what()));
    }
    return false;
}

void ReportDialog::showFailure(QWidget* parent, const QString& description) {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    CloseProgressWindow();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Pelmar - Reports"), description,
                    QMessageBox::Ok, parent);
    box.setAccessibleName(QStringLiteral("Message"));
    box.exec();
}

} // namespace pelmar
