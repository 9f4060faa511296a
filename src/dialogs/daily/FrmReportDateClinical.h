#pragma once

#include "dialogs/DateEntryDialog.h"

namespace pelmar {

// "Report Date Entry": one day's examination logbook of a clinical department.
class FrmReportDateClinical : public DateEntryDialog {
    Q_OBJECT

public:
    explicit FrmReportDateClinical(QWidget* parent = nullptr);

protected:
    QString captionFor(const QString& reportType) const override;
    void runReport() override;
};

} // namespace pelmar
