#include "UiDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace pelmar::test {

void whenModalAppears(std::function<void(QWidget*)> act, int timeoutMs) {
    auto timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    // A window that is up now counts again once it has closed and reopened,
    // as a dialog does when it is shown again.
    auto before = std::make_shared<QPointer<QWidget>>(QApplication::activeModalWidget());
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (*before && !(*before)->isVisible())
            *before = nullptr;
        if (modal && modal != *before && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

void answerMessageBox(const QString& button, MessageBoxSeen* seen) {
    whenModalAppears([button, seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return;
        if (seen) {
            seen->shown = true;
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
        }
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove(QLatin1Char('&')).compare(button, Qt::CaseInsensitive) == 0) {
                b->click();
                return;
            }
        }
        box->reject();
    });
}

} // namespace pelmar::test
