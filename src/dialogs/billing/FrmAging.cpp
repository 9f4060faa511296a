#include "dialogs/billing/FrmAging.h"

#include "dialogs/ReportDialog.h"
#include "dialogs/billing/BillingForms.h"
#include "lookup/KeyRules.h"
#include "platform/DateText.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pelmar {
namespace {

struct AgingRow {
    const char* reportType;
    const char* windowTitle; // nullptr: "AGING" stays
    const char* templateName;
    bool classification;
    const char* caption;
};

const AgingRow kRows[] = {
    {"1", "Aging Detailed Report", "\\Aging.rpt", false, "Aging Detailed Report"},
    {"2", "Aging Summary Report", "\\AgingComputation.rpt", true, "Aging Summary Report"},
    {"9", nullptr, "\\AgingComputationInterestIncome.rpt", true, "Aging Summary Report"},
};

const AgingRow* rowFor(const QString& reportType) {
    for (const AgingRow& row : kRows) {
        if (reportType == QLatin1String(row.reportType))
            return &row;
    }
    return nullptr;
}

// Which balances are aged, by option: receivables, payables, all at net.
const char* const kBalanceKinds[] = {"P", "N", "A"};

} // namespace

FrmAging::FrmAging(QWidget* parent)
    : ReportDialog(parent)
    , pickers_{makeDatePicker(QStringLiteral("dtpPeriod0"), QStringLiteral("Report Period"), this),
               makeDatePicker(QStringLiteral("dtpPeriod1"), QStringLiteral("to"), this)}
    , options_{new QRadioButton(QStringLiteral("AR (With Positive Balances Only)"), this),
               new QRadioButton(QStringLiteral("Payable (With Negative Balances Only)"), this),
               new QRadioButton(QStringLiteral("All (at net)"), this)}
    , ok_(new QPushButton(QStringLiteral("&OK"), this))
    , cancel_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmAging"));
    setWindowTitle(QStringLiteral("AGING"));
    applyDialogLook(this);

    auto* frame = new QGroupBox(QStringLiteral("Aging Report Options"), this);
    auto* from = new QLabel(QStringLiteral(" Report Period:"), frame);
    from->setBuddy(pickers_[0]);
    auto* to = new QLabel(QStringLiteral("to"), frame);
    to->setBuddy(pickers_[1]);
    auto* period = new QHBoxLayout;
    period->addWidget(from);
    for (int i = 0; i < 2; ++i) {
        pickers_[i]->setParent(frame);
        applyKeyRules(pickers_[i], {.enterMovesOn = true});
    }
    period->addWidget(pickers_[0]);
    period->addWidget(to);
    period->addWidget(pickers_[1]);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addLayout(period);
    for (int i = 0; i < 3; ++i) {
        options_[i]->setParent(frame);
        options_[i]->setObjectName(QStringLiteral("optOptions%1").arg(i));
        frameLayout->addWidget(options_[i]);
    }
    options_[0]->setChecked(true);

    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setAccessibleName(QStringLiteral("OK"));
    ok_->setAutoDefault(false);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    cancel_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &FrmAging::cmdOK_Click);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrmAging::loadForm() {
    const QDate today = session().ServerDate.date();
    for (QDateEdit* picker : pickers_) {
        picker->setMaximumDate(today);
        picker->setDate(today);
    }
    const AgingRow* row = rowFor(reportType());
    if (row && row->windowTitle)
        setWindowTitle(QString::fromLatin1(row->windowTitle));
}

void FrmAging::produce() {
    const QDate start = pickers_[0]->date();
    const QDate end = pickers_[1]->date();
    if (!acceptPeriod(this, start, end))
        return;
    Hourglass hourglass;
    const AgingRow* row = rowFor(reportType());
    if (!row)
        return;
    const QString s = usDate(start);
    const QString e = usDate(end);
    int kind = 2;
    if (options_[0]->isChecked())
        kind = 0;
    else if (options_[1]->isChecked())
        kind = 1;
    ExecuteSql(QStringLiteral("REPORTS..sp_BILLING_RepAgingRecompute ") + quoted(s) +
               QStringLiteral(", ") + quoted(e) + QStringLiteral(", ") +
               quoted(QString::fromLatin1(kBalanceKinds[kind])));
    const QVariantList values = {s, e, session().CompanyAddress};
    OpenReport(session().ReportsFolder + QString::fromLatin1(row->templateName),
               QStringLiteral("REPORTS"), values);
    if (row->classification)
        OpenSubreport(QStringLiteral("Classification"), QStringLiteral("REPORTS"), values);
    close();
    ShowReport(true, QString::fromLatin1(row->caption), false, false);
}

void FrmAging::cmdOK_Click() {
    runHandler([this] { produce(); });
}

} // namespace pelmar
