#pragma once

#include "dialogs/BatchWindow.h"

namespace pelmar {

// "End Of Day Reports": the day's closing reports in one go.
class FrmEndOfDay : public BatchWindow {
    Q_OBJECT

public:
    explicit FrmEndOfDay(QWidget* parent = nullptr);
};

} // namespace pelmar
