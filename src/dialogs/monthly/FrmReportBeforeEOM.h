#pragma once

#include "dialogs/BatchWindow.h"

namespace pelmar {

// The month-end aging reports in one go, before the month is closed; each
// report waits in a modal viewer before the next one runs.
class FrmReportBeforeEOM : public BatchWindow {
    Q_OBJECT

public:
    explicit FrmReportBeforeEOM(QWidget* parent = nullptr);
};

} // namespace pelmar
