#pragma once

#include <QApplication>
#include <utility>

namespace pelmar {

// The hourglass pointer for the length of some work, back to normal however
// the work ends.
class Hourglass {
public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { restore(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

    // Back to normal before the end of the scope.
    void restore() {
        if (std::exchange(shown_, false))
            QApplication::restoreOverrideCursor();
    }

private:
    bool shown_ = true;
};

} // namespace pelmar
