#pragma once

#include "dialogs/ReportDialog.h"

#include <QDate>

class QDateEdit;
class QPushButton;

namespace pelmar {

class Hourglass;

// The small dialogs that take a report period (start and end, neither after
// the server's date) and produce one report of their table.
class PeriodDialog : public ReportDialog {
    Q_OBJECT

public:
    struct Period {
        QDate start, end;
        QString s, e; // "mm/dd/yyyy"
    };

    void cmdOK_Click();

    QDateEdit* dtpPeriod(int index) const { return pickers_[index]; }
    QPushButton* cmdOK() const { return ok_; }
    QPushButton* cmdCancel() const { return cancel_; }

protected:
    explicit PeriodDialog(QWidget* parent = nullptr);

    // The window title of a ReportType, or an empty text.
    virtual QString titleFor(const QString& reportType) const = 0;
    // Produces the report of the current ReportType under the hourglass,
    // which it may release early; false when the table has no such report.
    virtual bool produce(const Period& period, Hourglass& hourglass) = 0;

    void loadForm() override;

private:
    QDateEdit* pickers_[2];
    QPushButton* ok_;
    QPushButton* cancel_;
};

// Hospital statistics, aging by period, adjustments and the daily income
// report of company accounts.
class FrmReportPeriod : public PeriodDialog {
    Q_OBJECT

public:
    explicit FrmReportPeriod(QWidget* parent = nullptr);

protected:
    QString titleFor(const QString& reportType) const override;
    bool produce(const Period& period, Hourglass& hourglass) override;
};

// Admissions, senior citizen income and the quarterly summary of sales.
class FrmReportPeriodOthers : public PeriodDialog {
    Q_OBJECT

public:
    explicit FrmReportPeriodOthers(QWidget* parent = nullptr);

protected:
    QString titleFor(const QString& reportType) const override;
    bool produce(const Period& period, Hourglass& hourglass) override;
};

} // namespace pelmar
