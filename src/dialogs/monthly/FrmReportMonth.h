#pragma once

#include "dialogs/DateEntryDialog.h"

namespace pelmar {

// "Monthly Report" of the clinical departments, and the laboratory package
// deal report of a month.
class FrmReportMonth : public DateEntryDialog {
    Q_OBJECT

public:
    explicit FrmReportMonth(QWidget* parent = nullptr);

protected:
    QString captionFor(const QString& reportType) const override;
    void runReport() override;
};

} // namespace pelmar
