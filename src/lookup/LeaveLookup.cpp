#include "lookup/LeaveLookup.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

namespace pelmar {

LeaveLookup::LeaveLookup(QWidget* form, Lookup lookup)
    : QObject(form)
    , form_(form)
    , lookup_(std::move(lookup)) {
    connect(qApp, &QApplication::focusChanged, this, &LeaveLookup::focusChanged);
}

void LeaveLookup::watch(QLineEdit* box) {
    boxes_ << box;
}

void LeaveLookup::exempt(QWidget* control) {
    exempt_ << control;
}

bool LeaveLookup::watched(QWidget* widget) const {
    for (QLineEdit* box : boxes_) {
        if (box == widget)
            return true;
    }
    return false;
}

bool LeaveLookup::onForm(QWidget* widget) const {
    return widget && widget->window() == form_;
}

void LeaveLookup::focusChanged(QWidget* old, QWidget* now) {
    if (!onForm(now))
        return; // another window, such as the lookup itself, took the focus
    QLineEdit* left = nullptr;
    if (watched(old))
        left = static_cast<QLineEdit*>(old);
    else if (held_ && onForm(old))
        left = held_;
    if (!left || left == now) {
        held_ = nullptr;
        return;
    }
    if (exempt_.contains(now)) {
        held_ = left;
        return;
    }
    held_ = nullptr;
    pending_ = left;
    QTimer::singleShot(0, this, &LeaveLookup::flush);
}

void LeaveLookup::cancel() {
    pending_ = nullptr;
    held_ = nullptr;
}

void LeaveLookup::flush() {
    if (!pending_)
        return;
    QLineEdit* box = pending_;
    pending_ = nullptr;
    lookup_(box);
}

} // namespace pelmar
