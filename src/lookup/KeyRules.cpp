#include "lookup/KeyRules.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace pelmar {
namespace {

class KeyRulesFilter : public QObject {
public:
    KeyRulesFilter(QWidget* widget, KeyRules rules)
        : QObject(widget)
        , rules_(rules) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (rules_.enterMovesOn && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            moveFocusOn(widget);
            return true;
        }
        if (rules_.dropApostrophe && key->text() == QLatin1String("'"))
            return true;
        if (rules_.upperCase)
            return deliverUpperCase(widget, key);
        return false;
    }

private:
    KeyRules rules_;
};

} // namespace

void applyKeyRules(QWidget* widget, KeyRules rules) {
    new KeyRulesFilter(widget, rules);
}

void moveFocusOn(QWidget* from) {
    QWidget* window = from->window();
    for (QWidget* next = from->nextInFocusChain(); next && next != from;
         next = next->nextInFocusChain()) {
        if (next->window() != window)
            continue;
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
            next->isVisibleTo(window) && !next->focusProxy()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool deliverUpperCase(QWidget* receiver, const QKeyEvent* event) {
    const QString upper = event->text().toUpper();
    if (event->text().isEmpty() || upper == event->text())
        return false;
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), upper,
                       event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(receiver, &replaced);
    return true;
}

} // namespace pelmar
