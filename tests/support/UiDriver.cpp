#include "UiDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <memory>

namespace pelmar::test {

void whenModalAppears(std::function<void(QWidget*)> act, int timeoutMs) {
    auto timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QWidget* before = QApplication::activeModalWidget();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible()) {
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
