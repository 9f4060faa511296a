#pragma once

#include "dialogs/BatchWindow.h"

namespace pelmar {

// The year-end departmental summaries in one go.
class FrmReportYearEnd : public BatchWindow {
    Q_OBJECT

public:
    explicit FrmReportYearEnd(QWidget* parent = nullptr);
};

} // namespace pelmar
