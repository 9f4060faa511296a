#include "dialogs/monthly/FrmReportMonthMiscellaneous.h"

#include "dialogs/ReportDialog.h"
#include "dialogs/billing/BillingForms.h"
#include "lookup/FrmSearch.h"
#include "lookup/KeyRules.h"
#include "lookup/LeaveLookup.h"
#include "platform/DateText.h"
#include "reporting/DepartmentRuns.h"
#include "startup/SessionContext.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pelmar {

FrmReportMonthMiscellaneous::FrmReportMonthMiscellaneous(QWidget* parent)
    : ReportDialog(parent)
    , label2_(new QLabel(QStringLiteral("Department"), this))
    , txtDept_{new QLineEdit(this), new QLineEdit(this)}
    , cmdFind_(new QPushButton(this))
    , label1_(new QLabel(QStringLiteral("Report Month"), this))
    , picker_(new QDateEdit(this))
    , buttons_{new QPushButton(QStringLiteral("&OK"), this),
               new QPushButton(QStringLiteral("&Cancel"), this)}
    , lookups_(new LeaveLookup(this, [this](QLineEdit*) { lookUp(); })) {
    setObjectName(QStringLiteral("frmReportMonthMiscellaneous"));
    setWindowTitle(QStringLiteral("Monthly Miscellaneous Report"));
    applyDialogLook(this);

    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setBuddy(txtDept_[0]);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setBuddy(picker_);
    txtDept_[0]->setObjectName(QStringLiteral("txtDept0"));
    txtDept_[0]->setAccessibleName(QStringLiteral("Department"));
    txtDept_[1]->setObjectName(QStringLiteral("txtDept1"));
    txtDept_[1]->setAccessibleName(QStringLiteral("Department name"));
    txtDept_[1]->setReadOnly(true);
    txtDept_[1]->setMinimumWidth(220);
    // Codes come out in capitals and never carry an apostrophe.
    for (QLineEdit* box : txtDept_) {
        applyKeyRules(box, {.enterMovesOn = true, .dropApostrophe = true, .upperCase = true});
        lookups_->watch(box);
    }

    cmdFind_->setObjectName(QStringLiteral("cmdFind"));
    cmdFind_->setAccessibleName(QStringLiteral("Find department"));
    cmdFind_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    cmdFind_->setFocusPolicy(Qt::NoFocus);
    cmdFind_->setAutoDefault(false);
    connect(cmdFind_, &QPushButton::clicked, this, &FrmReportMonthMiscellaneous::cmdFind_Click);

    picker_->setObjectName(QStringLiteral("dtpReportDate"));
    picker_->setAccessibleName(QStringLiteral("Report Month"));
    picker_->setDisplayFormat(QStringLiteral("MM/yyyy"));
    applyKeyRules(picker_, {.enterMovesOn = true});

    const char* accessible[] = {"OK", "Cancel"};
    for (int i = 0; i < 2; ++i) {
        buttons_[i]->setObjectName(QStringLiteral("cmdOptions%1").arg(i));
        buttons_[i]->setAccessibleName(QString::fromLatin1(accessible[i]));
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { cmdOptions_Click(i); });
    }
    // Leaving a code box for Cancel looks nothing up.
    lookups_->exempt(buttons_[1]);

    auto* grid = new QGridLayout;
    grid->addWidget(label2_, 0, 0);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(txtDept_[0]);
    codeRow->addWidget(cmdFind_);
    codeRow->addWidget(txtDept_[1], 1);
    txtDept_[0]->setMaximumWidth(80);
    grid->addLayout(codeRow, 0, 1);
    grid->addWidget(label1_, 1, 0);
    grid->addWidget(picker_, 1, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(buttons_[0]);
    buttons->addWidget(buttons_[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtDept_[0], txtDept_[1]);
    setTabOrder(txtDept_[1], picker_);
    setTabOrder(picker_, buttons_[0]);
    setTabOrder(buttons_[0], buttons_[1]);
}

void FrmReportMonthMiscellaneous::loadForm() {
    if (reportType() == QLatin1String("Y"))
        picker_->setDisplayFormat(QStringLiteral("yyyy"));
    const QDate today = session().ServerDate.date();
    picker_->setMaximumDate(today);
    picker_->setDate(today);
}

void FrmReportMonthMiscellaneous::lookUp() {
    runHandler([this] {
        searchInto(QStringLiteral("Miscellaneous"),
                   QStringLiteral("Reports..sp_Rep_SearchMiscellaneousRevenue '0','##'"),
                   txtDept_[0], txtDept_[1]);
    });
}

void FrmReportMonthMiscellaneous::cmdFind_Click() {
    lookups_->flush();
    txtDept_[0]->setFocus(Qt::OtherFocusReason);
    moveFocusOn(txtDept_[0]);
    lookups_->cancel();
    lookUp();
}

void FrmReportMonthMiscellaneous::runReport() {
    const QString code = txtDept_[0]->text();
    const QString name = txtDept_[1]->text();
    const QDate picked = picker_->date();
    if (reportType() == QLatin1String("M")) {
        const MonthRangeTexts month = MonthRange(picked);
        Hourglass hourglass;
        RunMonthlyDepartmentReport(month.start, month.end, code,
                                   QStringLiteral("Monthly ") + name + QStringLiteral(" Report"),
                                   false, QStringLiteral("Y"));
    } else if (reportType() == QLatin1String("Y")) {
        // The picker shows the year only; the month stays the server's.
        const MonthRangeTexts month = MonthRange(QDate(picked.year(), picked.month(), 1));
        Hourglass hourglass;
        RunYearEndDepartmentReport(month.start, month.end, code,
                                   QStringLiteral("Year End ") + name + QStringLiteral(" Report"),
                                   false, QStringLiteral("Y"));
    }
}

void FrmReportMonthMiscellaneous::cmdOptions_Click(int index) {
    if (index == 0) {
        lookups_->flush();
        if (!runHandler([this] { runReport(); }))
            return;
    } else {
        lookups_->cancel();
    }
    close();
}

} // namespace pelmar
