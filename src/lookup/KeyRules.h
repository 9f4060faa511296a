#pragma once

class QKeyEvent;
class QWidget;

namespace pelmar {

// Keyboard habits of the data-entry windows, installed per control.
struct KeyRules {
    bool enterMovesOn = false;   // Enter moves the focus on, as Tab does
    bool dropApostrophe = false; // the apostrophe key does nothing
    bool upperCase = false;      // typed letters come out in capitals
};

// Applies the rules to the widget's key presses for as long as it lives.
void applyKeyRules(QWidget* widget, KeyRules rules);

// Moves the focus to the next control of the widget's window that takes
// the focus by Tab, as the Tab key does.
void moveFocusOn(QWidget* from);

// The event with its text in capitals delivered to the receiver instead;
// false when the text has no lower-case letter (nothing delivered).
bool deliverUpperCase(QWidget* receiver, const QKeyEvent* event);

} // namespace pelmar
