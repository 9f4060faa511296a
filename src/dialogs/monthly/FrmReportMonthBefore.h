#pragma once

#include "dialogs/DateEntryDialog.h"

namespace pelmar {

// "Monthly Report" of the receivable and payable aging analyses and the
// monthly apparatus report.
class FrmReportMonthBefore : public DateEntryDialog {
    Q_OBJECT

public:
    explicit FrmReportMonthBefore(QWidget* parent = nullptr);

    // One aging analysis of a month: recompute, template, optional
    // "Classification" subreport, viewer with the group tree.  Shared with
    // the month-end batch.
    struct AgingRun {
        QString procedure;
        QString templateName;
        bool classification;
        QString viewerTitle;
    };
    static void runAging(const AgingRun& run, const QString& startDate, const QString& endDate,
                         bool directPrint = false);

protected:
    QString captionFor(const QString& reportType) const override;
    void runReport() override;
};

} // namespace pelmar
