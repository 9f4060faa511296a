#pragma once

#include "dialogs/BatchWindow.h"

namespace pelmar {

// The reports of a closed month in one go, side by side.
class FrmReportAfterEOM : public BatchWindow {
    Q_OBJECT

public:
    explicit FrmReportAfterEOM(QWidget* parent = nullptr);
};

} // namespace pelmar
