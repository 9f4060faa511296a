#pragma once

#include "dialogs/DateEntryDialog.h"

namespace pelmar {

// "Report Year": one year-end departmental summary.  The picker shows the
// year; its month and day stay those of the server's date.
class FrmReportYear : public DateEntryDialog {
    Q_OBJECT

public:
    struct YearRow {
        QString reportType;
        QString title; // also the caption
        QString departmentCode;
        QString optionFlag;
    };

protected:
    FrmReportYear(const QString& objectName, const QList<YearRow>& rows, QWidget* parent);
    QString captionFor(const QString& reportType) const override;
    void runReport() override;

private:
    const YearRow* rowFor(const QString& reportType) const;
    QList<YearRow> rows_;
};

class FrmReportYearClinical : public FrmReportYear {
    Q_OBJECT

public:
    explicit FrmReportYearClinical(QWidget* parent = nullptr);
};

class FrmReportYearOthers : public FrmReportYear {
    Q_OBJECT

public:
    explicit FrmReportYearOthers(QWidget* parent = nullptr);
};

} // namespace pelmar
