#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QLineEdit;
class QWidget;

namespace pelmar {

// Runs a lookup when the focus leaves one of a form's code boxes for another
// control of the form, the way a box's validation step runs.  Controls marked
// exempt (Cancel) do not trigger it; the move that follows from them does.
// The lookup runs once the focus move is complete, or earlier through
// flush(), which every click handler of the form calls first so a lookup
// always comes before the click that caused it.  The focus move is never
// refused.
class LeaveLookup : public QObject {
    Q_OBJECT

public:
    using Lookup = std::function<void(QLineEdit* box)>;
    LeaveLookup(QWidget* form, Lookup lookup);

    void watch(QLineEdit* box);
    void exempt(QWidget* control);

    // Runs the pending lookup now, if any.
    void flush();
    bool pending() const { return !pending_.isNull(); }
    // Forgets a lookup that is pending or held back.
    void cancel();

private:
    void focusChanged(QWidget* old, QWidget* now);
    bool watched(QWidget* widget) const;
    bool onForm(QWidget* widget) const;

    QWidget* form_;
    Lookup lookup_;
    QList<QLineEdit*> boxes_;
    QList<QWidget*> exempt_;
    QPointer<QLineEdit> pending_;
    QPointer<QLineEdit> held_; // left for an exempt control
};

} // namespace pelmar
