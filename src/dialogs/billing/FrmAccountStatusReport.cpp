#include "dialogs/billing/FrmAccountStatusReport.h"

#include "dialogs/billing/BillingForms.h"
#include "lookup/KeyRules.h"
#include "platform/DateText.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pelmar {
namespace {

struct SortOrder {
    const char* option;
    const char* templateName;
    bool groupTree;
};

const SortOrder kOrders[] = {
    {"Sorted by Balance", "\\PatientsAccountStatusReportByBalance.rpt", false},
    {"Sorted by Name", "\\PatientsAccountStatusReportByName.rpt", false},
    {"Sorted by Account Limit", "\\PatientsAccountStatusReportByAccountLimit.rpt", false},
    {"Sorted by Station", "\\PatientsAccountStatusReportByStation.rpt", true},
};

} // namespace

FrmAccountStatusReport::FrmAccountStatusReport(QWidget* parent)
    : ReportDialog(parent)
    , picker_(makeDatePicker(QStringLiteral("dtpReportDate"), QStringLiteral("Report Date"), this))
    , buttons_{new QPushButton(QStringLiteral("&OK    "), this),
               new QPushButton(QStringLiteral("&Cancel"), this)} {
    setObjectName(QStringLiteral("frmAccountStatusReport"));
    // No caption and no close box: OK, Cancel and Esc are the ways out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    setFont(font);

    auto* dateLabel = new QLabel(QStringLiteral("Report Date"), this);
    dateLabel->setBuddy(picker_);
    applyKeyRules(picker_, {.enterMovesOn = true});

    auto* frame = new QGroupBox(this);
    auto* frameLayout = new QVBoxLayout(frame);
    for (int i = 0; i < 4; ++i) {
        options_[i] = new QRadioButton(QString::fromLatin1(kOrders[i].option), frame);
        options_[i]->setObjectName(QStringLiteral("optOptions%1").arg(i));
        applyKeyRules(options_[i], {.enterMovesOn = true});
        frameLayout->addWidget(options_[i]);
    }
    options_[0]->setChecked(true);

    const char* accessible[] = {"OK", "Cancel"};
    for (int i = 0; i < 2; ++i) {
        buttons_[i]->setObjectName(QStringLiteral("cmdOptions%1").arg(i));
        buttons_[i]->setAccessibleName(QString::fromLatin1(accessible[i]));
        buttons_[i]->setFlat(true);
        buttons_[i]->setAutoDefault(false);
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { cmdOptions_Click(i); });
    }
    buttons_[0]->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    buttons_[1]->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(picker_);
    dateRow->addStretch();

    auto* hintIcon = new QLabel(this);
    hintIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    auto* hint = new QLabel(
        QStringLiteral("Click one from the options above  or <ESC>/Cancel to exit"), this);
    auto* hintRow = new QHBoxLayout;
    hintRow->addWidget(hintIcon);
    hintRow->addWidget(hint, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(buttons_[0]);
    buttons->addWidget(buttons_[1]);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(makeTitleBand(QStringLiteral("Patient's Account Status Report"), this));
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    body->addLayout(dateRow);
    body->addWidget(frame);
    body->addLayout(buttons);
    body->addLayout(hintRow);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrmAccountStatusReport::loadForm() {
    const QDate today = session().ServerDate.date();
    picker_->setMaximumDate(today);
    picker_->setDate(today);
}

void FrmAccountStatusReport::produce() {
    int chosen = 0;
    for (int i = 0; i < 4; ++i) {
        if (options_[i]->isChecked())
            chosen = i;
    }
    const SortOrder& order = kOrders[chosen];
    Hourglass hourglass;
    OpenReport(session().ReportsFolder + QString::fromLatin1(order.templateName),
               QStringLiteral("BILLING"), {session().CompanyAddress, usDate(picker_->date())});
    close();
    hourglass.restore();
    ShowReport(order.groupTree, QStringLiteral("Patients Account Status Report"), false, true);
}

void FrmAccountStatusReport::cmdOptions_Click(int index) {
    if (index == 0)
        runHandler([this] { produce(); });
    else
        close();
}

} // namespace pelmar
