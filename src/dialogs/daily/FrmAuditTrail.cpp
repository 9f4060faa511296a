#include "dialogs/daily/FrmAuditTrail.h"

#include "platform/DateText.h"
#include "platform/Hourglass.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pelmar {
namespace {

QCheckBox* reportBox(const QString& caption, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    box->setChecked(true);
    return box;
}

QPushButton* flatButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

QLabel* promptFor(const QString& text, QDateEdit* picker, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    label->setFont(font);
    label->setBuddy(picker);
    picker->setAccessibleName(QString(text).remove(QLatin1Char(':')));
    return label;
}

void startAtServerDate(QDateEdit* picker) {
    const QDate today = session().ServerDate.date();
    picker->setMaximumDate(today);
    picker->setDate(today);
}

// One report of a View press, with its own progress window.
void runWithProgress(const std::function<void()>& run) {
    OpenProgressWindow();
    run();
    CloseProgressWindow();
}

} // namespace

FrmAuditTrail::FrmAuditTrail(QWidget* parent)
    : ReportDialog(parent)
    , picker_(new QDateEdit(this))
    , detail_(reportBox(QStringLiteral("&Detail"), QStringLiteral("chkDetail"), this))
    , sumAR_(reportBox(QStringLiteral("Summary by &A/R"), QStringLiteral("chkSumAR"), this))
    , sumGL_(reportBox(QStringLiteral("Summary by &G/L"), QStringLiteral("chkSumGL"), this))
    , view_(flatButton(QStringLiteral("&View"), QStringLiteral("cmdView"), this))
    , close_(flatButton(QStringLiteral("&Close"), QStringLiteral("cmdClose"), this)) {
    setObjectName(QStringLiteral("frmAuditTrail"));
    setWindowTitle(QStringLiteral("Audit Trail"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    picker_->setObjectName(QStringLiteral("dtpReportDate"));
    picker_->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    picker_->setCalendarPopup(true);
    auto* prompt = promptFor(QStringLiteral("Report Date:"), picker_, this);
    const char* captions[] = {"In Patients", "Out Patients", "All Patients"};
    for (int index = 0; index < 3; ++index) {
        patientTypes_[index] = new QRadioButton(QString::fromLatin1(captions[index]), this);
        patientTypes_[index]->setObjectName(QStringLiteral("optPatientType%1").arg(index));
    }
    patientTypes_[0]->setChecked(true);
    connect(view_, &QPushButton::clicked, this, [this] { cmdView_Click(); });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(prompt);
    dateRow->addWidget(picker_);
    layout->addLayout(dateRow);
    auto* options = new QHBoxLayout;
    auto* reports = new QVBoxLayout;
    for (QCheckBox* box : {detail_, sumAR_, sumGL_})
        reports->addWidget(box);
    auto* types = new QVBoxLayout;
    for (QRadioButton* type : patientTypes_)
        types->addWidget(type);
    options->addLayout(reports);
    options->addLayout(types);
    layout->addLayout(options);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(view_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrmAuditTrail::loadForm() {
    startAtServerDate(picker_);
}

void FrmAuditTrail::cmdView_Click() {
    const QString date = usDate(picker_->date());
    const QString type = patientTypes_[0]->isChecked()   ? QStringLiteral("I")
                         : patientTypes_[1]->isChecked() ? QStringLiteral("O")
                                                         : QStringLiteral("A");
    const QString folder = session().ReportsFolder;
    const QString address = session().CompanyAddress;
    const bool ran = runHandler([&] {
        Hourglass hourglass;
        if (detail_->isChecked()) {
            runWithProgress([&] {
                OpenReport(folder + QStringLiteral("\\DailyAuditTrail.rpt"),
                           QStringLiteral("Reports"), {date, type, address});
                OpenSubreport(QStringLiteral("Summary"), QStringLiteral("REPORTS"), {date, type});
                OpenSubreport(QStringLiteral("Doctors"), QStringLiteral("REPORTS"), {date, type});
                ShowReport(true, QStringLiteral("Daily Audit Trail - Detail"), false, false);
            });
        }
        if (sumAR_->isChecked()) {
            runWithProgress([&] {
                OpenReport(folder + QStringLiteral("\\DailyAuditSummaryByAR.rpt"),
                           QStringLiteral("Reports"), {date, type, address});
                ShowReport(false, QStringLiteral("Daily Audit Trail - Summary by AR"), false,
                           false);
            });
        }
        if (sumGL_->isChecked()) {
            runWithProgress([&] {
                OpenReport(folder + QStringLiteral("\\DailyAuditSummaryByGL.rpt"),
                           QStringLiteral("Reports"), {date, type, address});
                ShowReport(false, QStringLiteral("Daily Audit Trail - Summary by GL"), false,
                           false);
            });
        }
    });
    if (ran)
        close();
}

FrmAuditTrailMonthly::FrmAuditTrailMonthly(QWidget* parent)
    : ReportDialog(parent)
    , picker_(new QDateEdit(this))
    , detail_(reportBox(QStringLiteral("&A/R General Ledger - Detail"), QStringLiteral("chkDetail"),
                        this))
    , sumGL_(reportBox(QStringLiteral("A/R General Ledger - Summary Per GL"),
                       QStringLiteral("chkSumGL"), this))
    , sumAR_(reportBox(QStringLiteral("A/R General Ledger - Summary Per A/R"),
                       QStringLiteral("chkSumAR"), this))
    , breakDown_(reportBox(QStringLiteral("Breakdown of Departmental Revenue"),
                           QStringLiteral("chkBreakDown"), this))
    , view_(flatButton(QStringLiteral("&View"), QStringLiteral("cmdView"), this))
    , close_(flatButton(QStringLiteral("&Close"), QStringLiteral("cmdClose"), this)) {
    setObjectName(QStringLiteral("frmAuditTrailMonthly"));
    setWindowTitle(QStringLiteral("Audit Trail"));
    picker_->setObjectName(QStringLiteral("dtpReportDate"));
    picker_->setDisplayFormat(QStringLiteral("MM/yyyy"));
    auto* prompt = promptFor(QStringLiteral("Report Month:"), picker_, this);
    connect(view_, &QPushButton::clicked, this, [this] { cmdView_Click(); });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(prompt);
    dateRow->addWidget(picker_);
    layout->addLayout(dateRow);
    for (QCheckBox* box : {detail_, sumGL_, sumAR_, breakDown_})
        layout->addWidget(box);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(view_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
}

void FrmAuditTrailMonthly::loadForm() {
    startAtServerDate(picker_);
}

void FrmAuditTrailMonthly::cmdView_Click() {
    struct LedgerRow {
        QCheckBox* box;
        QString templateName;
        bool groupTree;
        QString title;
        bool doctors; // the breakdown's doctors subreport
    };
    // The A/R box opens the summary-per-GL template and the reverse: the
    // templates are named after the ledger they are summarised from.
    const LedgerRow rows[] = {
        {detail_, QStringLiteral("\\MonthlyEntriesGL.rpt"), false,
         QStringLiteral("A/R General Ledger Entries - Detail"), false},
        {sumAR_, QStringLiteral("\\MonthlySummaryGL.rpt"), false,
         QStringLiteral("A/R General Ledger Entries - Summary by A/R"), false},
        {sumGL_, QStringLiteral("\\MonthlySummaryARLedger.rpt"), true,
         QStringLiteral("A/R General Ledger Entries - Summany by GL"), false},
        {breakDown_, QStringLiteral("\\BreakdownOfDepartmentalRevenue.rpt"), true,
         QStringLiteral("Breakdown Of Departmental Revenue"), true},
    };
    const MonthRangeTexts month = MonthRange(picker_->date());
    const QString folder = session().ReportsFolder;
    const QString address = session().CompanyAddress;
    const bool ran = runHandler([&] {
        Hourglass hourglass;
        for (const LedgerRow& row : rows) {
            if (!row.box->isChecked())
                continue;
            runWithProgress([&] {
                OpenReport(folder + row.templateName, QStringLiteral("Reports"),
                           {month.start, month.end, QStringLiteral("A"), address});
                if (row.doctors)
                    OpenSubreport(QStringLiteral("Doctors"), QStringLiteral("Reports"),
                                  {month.start, month.end, QStringLiteral("A")});
                ShowReport(row.groupTree, row.title, false, false);
            });
        }
    });
    if (ran)
        close();
}

} // namespace pelmar
