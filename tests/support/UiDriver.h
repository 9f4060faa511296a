#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pelmar::test {

// Acts on the next modal window once it is up, the way a user would, while
// the code under test waits in its exec().  Gives up after the timeout.
void whenModalAppears(std::function<void(QWidget* modal)> act, int timeoutMs = 10000);

// Answers the next message box with the button whose text matches (without
// '&'), recording its title and text.
struct MessageBoxSeen {
    bool shown = false;
    QString title;
    QString text;
    int icon = 0;
};
void answerMessageBox(const QString& button, MessageBoxSeen* seen = nullptr);

} // namespace pelmar::test
