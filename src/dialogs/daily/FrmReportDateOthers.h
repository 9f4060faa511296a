#pragma once

#include "dialogs/DateEntryDialog.h"

namespace pelmar {

// "Report Date Entry" of the non-clinical daily reports: each shown in a
// viewer child window with its spreadsheet export preset to the common
// desktop.
class FrmReportDateOthers : public DateEntryDialog {
    Q_OBJECT

public:
    explicit FrmReportDateOthers(QWidget* parent = nullptr);

    // The file the viewer's export button writes for an export name and day.
    static QString exportFileFor(const QString& exportName, const QDate& day);

protected:
    QString captionFor(const QString& reportType) const override;
    void runReport() override;
};

} // namespace pelmar
