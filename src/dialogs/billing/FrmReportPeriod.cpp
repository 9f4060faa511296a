#include "dialogs/billing/FrmReportPeriod.h"

#include "dialogs/ReportDialog.h"
#include "dialogs/billing/BillingForms.h"
#include "platform/DateText.h"
#include "platform/engine/Report.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "platform/user/UserSession.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmar {
namespace {

const QString kReports = QStringLiteral("Reports");
const QString kREPORTS = QStringLiteral("REPORTS");

QString templatePath(const char* name) {
    return session().ReportsFolder + QString::fromLatin1(name);
}

QString employeeName() {
    const UserSession* user = session().CurrentUser;
    return user ? user->employeeName() : QString();
}

// Hospital statistics: recompute, then a modal viewer.
void statistics(const PeriodDialog::Period& p, QWidget* dialog) {
    ExecuteSql(QStringLiteral("Patient_Data..sp_Adm_Statistics ") + quoted(p.s) +
               QStringLiteral(",") + quoted(p.e));
    const auto days = qint16(p.start.daysTo(p.end) + 1);
    OpenReport(templatePath("\\Statistics_BRV.rpt"), kReports,
               {QStringLiteral("for the period ") + p.s + QStringLiteral(" to ") + p.e,
                QStringLiteral("Hospital Statistical Report"), days});
    dialog->close();
    ShowReport(true, QStringLiteral("Hospital Statistical Report"), false, true);
}

struct AgingByPeriod {
    const char* reportType;
    const char* procedure;
    const char* templateName;
    bool classification;
    const char* caption;
};

const AgingByPeriod kAging[] = {
    {"1", "sp_BILLING_RepAgingRecompute", "\\Aging.rpt", false, "Aging"},
    {"2", "sp_BILLING_RepAgingRecompute", "\\AgingComputation.rpt", true, "Aging Analysis Report"},
    {"3", "sp_BILLING_RepAgingPayableRecompute", "\\PayableDetail.rpt", false, "Payable Aging"},
    {"4", "sp_BILLING_RepAgingPayableRecompute", "\\PayableComputation.rpt", true,
     "Payable Aging Analysis Report"},
};

void aging(const AgingByPeriod& row, const PeriodDialog::Period& p, QWidget* dialog) {
    OpenProgressWindow();
    ExecuteSql(QStringLiteral("REPORTS..") + QString::fromLatin1(row.procedure) +
               QStringLiteral(" ") + quoted(p.s) + QStringLiteral(", ") + quoted(p.e));
    const QVariantList values = {p.s, p.e, session().CompanyAddress};
    OpenReport(templatePath(row.templateName), kREPORTS, values);
    if (row.classification)
        OpenSubreport(QStringLiteral("Classification"), kREPORTS, values);
    CloseProgressWindow();
    dialog->close();
    ShowReport(true, QString::fromLatin1(row.caption), false, false);
}

void adjustments(const PeriodDialog::Period& p, QWidget* dialog, Hourglass& hourglass) {
    // The end carries the time so the whole last day is included.
    OpenReport(templatePath("\\DailyAdjustment_New.rpt"), kReports,
               {session().CompanyAddress, p.s, p.e + QStringLiteral(" 23:59:59.99")});
    hourglass.restore();
    dialog->close();
    ShowReport(false, QStringLiteral("Daily Adjustment Report"), false, false);
}

// The daily income report stays on the dialog's period: the dialog remains
// open, and the viewer's export button writes the preset spreadsheet.
void dailyIncome(const PeriodDialog::Period& p, Hourglass& hourglass) {
    const QString caption = QStringLiteral("Daily Summary Of Discharges Company Account");
    OpenProgressWindow();
    OpenReport(templatePath("\\DailyIncomeReport.rpt"), kReports,
               {p.s, p.e, session().CompanyAddress, employeeName()});
    hourglass.restore();
    ShowReport(false, caption, false, false);
    if (const auto& report = session().CurrentReport) {
        engine::ExportOptions& options = report->GetExportOptions();
        options.SetExportFileName(
            QStringLiteral("C:\\Documents and Settings\\All Users\\Desktop\\") + caption +
            QStringLiteral(" ") + fileDate(p.start) + QStringLiteral(".xls"));
        options.SetExportDestination(1);
        options.SetExportFormat(29);
    }
    CloseProgressWindow();
}

struct OthersRow {
    const char* reportType;
    const char* templateName;
    bool blanks; // two empty values between the period and the address
    const char* caption;
};

const OthersRow kOthers[] = {
    {"0", "\\AdmissionList.rpt", false, "List Of Admissions"},
    {"1", "\\SeniorCitizenIncomeReport.rpt", true, "Senior Citizen Income Report"},
    {"2", "\\rptSummaryListOfSales.rpt", true, "Quarterly Summary of Sales"},
};

} // namespace

PeriodDialog::PeriodDialog(QWidget* parent)
    : ReportDialog(parent)
    , pickers_{makeDatePicker(QStringLiteral("dtpPeriod0"), QStringLiteral("Report Period"), this),
               makeDatePicker(QStringLiteral("dtpPeriod1"), QStringLiteral("to"), this)}
    , ok_(new QPushButton(QStringLiteral("&OK"), this))
    , cancel_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    applyDialogLook(this);

    auto* from = new QLabel(QStringLiteral(" Report Period:"), this);
    from->setBuddy(pickers_[0]);
    auto* to = new QLabel(QStringLiteral("to"), this);
    to->setBuddy(pickers_[1]);

    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setAccessibleName(QStringLiteral("OK"));
    ok_->setDefault(true);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    cancel_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &PeriodDialog::cmdOK_Click);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);

    auto* period = new QHBoxLayout;
    period->addWidget(from);
    period->addWidget(pickers_[0]);
    period->addWidget(to);
    period->addWidget(pickers_[1]);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PeriodDialog::loadForm() {
    const QDate today = session().ServerDate.date();
    for (QDateEdit* picker : pickers_) {
        picker->setMaximumDate(today);
        picker->setDate(today);
    }
    const QString title = titleFor(reportType());
    if (!title.isEmpty())
        setWindowTitle(title);
}

void PeriodDialog::cmdOK_Click() {
    runHandler([this] {
        Period period{pickers_[0]->date(), pickers_[1]->date(), {}, {}};
        if (!acceptPeriod(this, period.start, period.end))
            return;
        period.s = usDate(period.start);
        period.e = usDate(period.end);
        Hourglass hourglass;
        produce(period, hourglass);
    });
}

FrmReportPeriod::FrmReportPeriod(QWidget* parent)
    : PeriodDialog(parent) {
    setObjectName(QStringLiteral("frmReportPeriod"));
}

QString FrmReportPeriod::titleFor(const QString& reportType) const {
    return reportType == QLatin1String("A") ? QStringLiteral("Hospital Statistical Report")
                                            : QString();
}

bool FrmReportPeriod::produce(const Period& period, Hourglass& hourglass) {
    const QString type = reportType();
    if (type == QLatin1String("A")) {
        statistics(period, this);
        return true;
    }
    if (type == QLatin1String("6")) {
        adjustments(period, this, hourglass);
        return true;
    }
    if (type == QLatin1String("10")) {
        dailyIncome(period, hourglass);
        return true;
    }
    for (const AgingByPeriod& row : kAging) {
        if (type == QLatin1String(row.reportType)) {
            aging(row, period, this);
            return true;
        }
    }
    return false;
}

FrmReportPeriodOthers::FrmReportPeriodOthers(QWidget* parent)
    : PeriodDialog(parent) {
    setObjectName(QStringLiteral("frmReportPeriodOthers"));
}

QString FrmReportPeriodOthers::titleFor(const QString& reportType) const {
    return reportType == QLatin1String("0") ? QStringLiteral("List of Admissions") : QString();
}

bool FrmReportPeriodOthers::produce(const Period& period, Hourglass&) {
    for (const OthersRow& row : kOthers) {
        if (reportType() != QLatin1String(row.reportType))
            continue;
        QVariantList values = {period.s, period.e};
        if (row.blanks)
            values << QString() << QString();
        values << session().CompanyAddress;
        OpenProgressWindow();
        OpenReport(templatePath(row.templateName), kReports, values);
        CloseProgressWindow();
        close();
        ShowReport(true, QString::fromLatin1(row.caption), false, false);
        return true;
    }
    return false;
}

} // namespace pelmar
