#include "dialogs/billing/FrmAgingClass.h"

#include "dialogs/ReportDialog.h"
#include "dialogs/billing/BillingForms.h"
#include "lookup/FrmSearch.h"
#include "lookup/KeyRules.h"
#include "lookup/LeaveLookup.h"
#include "platform/DateText.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

namespace pelmar {
namespace {

enum class Category { AccountNumber, ClassDetailed, ClassSummary, AgingSummary };

// One recompute and template per category and period choice.  Some
// procedure names are followed by a blank before the first literal, some
// are not; the statements keep the texts the database log has always shown.
struct AgingClassRow {
    Category category;
    bool byPeriod;
    const char* procedure;
    bool blank;
    bool withCode;
    const char* templateName;
};

const AgingClassRow kRows[] = {
    {Category::AccountNumber, false, "Billing..sp_BILLING_RepAgingRecomputeAccountNum", true, true,
     "\\AgingComputationAccountNum.rpt"},
    {Category::ClassDetailed, false, "Billing..sp_BILLING_RepAgingRecomputeClass", true, true,
     "\\AgingComputationClassDetailed.rpt"},
    {Category::ClassSummary, false, "Billing..sp_BILLING_RepAgingRecomputeClass", false, true,
     "\\AgingComputationClassSummary.rpt"},
    {Category::AgingSummary, false, "Billing..sp_BILLING_RepAgingRecompute", false, false,
     "\\AgingComputationDateRange.rpt"},
    {Category::AccountNumber, true, "Billing..sp_BILLING_RepAgingRecomputeAccountNumPeriod", true,
     true, "\\AgingComputationAccountNum.rpt"},
    {Category::ClassDetailed, true, "Billing..sp_BILLING_RepAgingRecomputeClassPeriod", true, true,
     "\\AgingComputationClassDetailed.rpt"},
    {Category::ClassSummary, true, "Billing..sp_BILLING_RepAgingRecomputeClassPeriod", false, true,
     "\\AgingComputationClassSummary.rpt"},
    {Category::AgingSummary, true, "Billing..sp_BILLING_RepAgingRecomputePeriod", false, false,
     "\\AgingComputationDateRange.rpt"},
};

const AgingClassRow& rowFor(Category category, bool byPeriod) {
    for (const AgingClassRow& row : kRows) {
        if (row.category == category && row.byPeriod == byPeriod)
            return row;
    }
    return kRows[0];
}

QPushButton* pictureButton(const QString& name, const QString& accessible, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    // A picture button: clicking it leaves the focus where it is.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

} // namespace

FrmAgingClass::FrmAgingClass(QWidget* parent)
    : ReportDialog(parent)
    , fdetailed_(new QGroupBox(QStringLiteral("Category"), this))
    , optClass_(new QRadioButton(QStringLiteral("Class"), fdetailed_))
    , optAccountNum_(new QRadioButton(QStringLiteral("Acount Number"), fdetailed_))
    , optGrandSummary_(
          new QRadioButton(QStringLiteral("Aging Summary (w/ Date Range)"), fdetailed_))
    , detailFrame_(new QGroupBox(fdetailed_))
    , optDetailed_(new QRadioButton(QStringLiteral("Detailed"), detailFrame_))
    , optSummary_(new QRadioButton(QStringLiteral("Summary"), detailFrame_))
    , detailGroup_(new QButtonGroup(this))
    , start_(makeDatePicker(QStringLiteral("dtStartDate"), QStringLiteral("Start Date"), this))
    , end_(makeDatePicker(QStringLiteral("dtEndDate"), QStringLiteral("End Date"), this))
    , optPeriod_(new QRadioButton(QStringLiteral("BY PERIOD"), this))
    , lblCompany_(new QLabel(QStringLiteral("Company"), this))
    , txtDept_{new QLineEdit(this), new QLineEdit(this), new QLineEdit(this), new QLineEdit(this)}
    , cmdFind_(pictureButton(QStringLiteral("cmdFind"), QStringLiteral("Find code"), this))
    , cmdPeriod_(pictureButton(QStringLiteral("cmdPeriod"), QStringLiteral("Find period"), this))
    , cmdview_(new QPushButton(QStringLiteral("View Report"), this))
    , lookups_(new LeaveLookup(this, [this](QLineEdit* box) { lookUp(box); })) {
    setObjectName(QStringLiteral("frmAgingClass"));
    setWindowTitle(QStringLiteral("Aging - Classification"));
    applyDialogLook(this);

    auto* categories = new QButtonGroup(this);
    for (QRadioButton* option : {optClass_, optAccountNum_, optGrandSummary_})
        categories->addButton(option);
    detailGroup_->addButton(optDetailed_);
    detailGroup_->addButton(optSummary_);
    // Alone in its group: once chosen it stays chosen.
    auto* periodGroup = new QButtonGroup(this);
    periodGroup->addButton(optPeriod_);

    optClass_->setObjectName(QStringLiteral("optClass"));
    optAccountNum_->setObjectName(QStringLiteral("optAccountNum"));
    optGrandSummary_->setObjectName(QStringLiteral("optGrandSummary"));
    optDetailed_->setObjectName(QStringLiteral("optDetailed"));
    optSummary_->setObjectName(QStringLiteral("optSummary"));
    optPeriod_->setObjectName(QStringLiteral("optPeriod"));
    fdetailed_->setObjectName(QStringLiteral("fdetailed"));
    detailFrame_->setObjectName(QStringLiteral("detailFrame"));
    lblCompany_->setObjectName(QStringLiteral("lblCompany"));
    lblCompany_->setBuddy(txtDept_[0]);
    cmdview_->setObjectName(QStringLiteral("cmdview"));
    cmdview_->setAccessibleName(QStringLiteral("View Report"));
    cmdview_->setAutoDefault(false);

    const char* accessible[] = {"Code", "Name", "Period name", "Period"};
    for (int i = 0; i < 4; ++i) {
        txtDept_[i]->setObjectName(QStringLiteral("txtDept%1").arg(i));
        txtDept_[i]->setAccessibleName(QString::fromLatin1(accessible[i]));
        lookups_->watch(txtDept_[i]);
    }
    txtDept_[1]->setReadOnly(true);
    txtDept_[2]->setReadOnly(true);

    connect(optClass_, &QRadioButton::clicked, this, [this] { optClass_Click(); });
    connect(optAccountNum_, &QRadioButton::clicked, this, [this] { optAccountNum_Click(); });
    connect(optGrandSummary_, &QRadioButton::clicked, this, [this] { optGrandSummary_Click(); });
    connect(optPeriod_, &QRadioButton::clicked, this, [this] { optPeriod_Click(); });
    connect(optDetailed_, &QRadioButton::clicked, lookups_, &LeaveLookup::flush);
    connect(optSummary_, &QRadioButton::clicked, lookups_, &LeaveLookup::flush);
    connect(cmdFind_, &QPushButton::clicked, this, [this] { cmdFind_Click(); });
    connect(cmdPeriod_, &QPushButton::clicked, this, [this] { cmdPeriod_Click(); });
    connect(cmdview_, &QPushButton::clicked, this, [this] { cmdview_Click(); });

    auto* detailLayout = new QHBoxLayout(detailFrame_);
    detailLayout->addWidget(optDetailed_);
    detailLayout->addWidget(optSummary_);
    auto* categoryLayout = new QGridLayout(fdetailed_);
    categoryLayout->addWidget(optClass_, 0, 0);
    categoryLayout->addWidget(detailFrame_, 0, 1, 2, 1);
    categoryLayout->addWidget(optAccountNum_, 1, 0);
    categoryLayout->addWidget(optGrandSummary_, 2, 0);

    auto* startLabel = new QLabel(QStringLiteral("Start Date"), this);
    startLabel->setBuddy(start_);
    auto* endLabel = new QLabel(QStringLiteral("End Date"), this);
    endLabel->setBuddy(end_);
    auto* periodLabel = new QLabel(QStringLiteral("Period"), this);
    periodLabel->setBuddy(txtDept_[3]);

    auto* fields = new QGridLayout;
    fields->addWidget(startLabel, 0, 0);
    fields->addWidget(start_, 0, 1);
    fields->addWidget(endLabel, 0, 2);
    fields->addWidget(end_, 0, 3);
    fields->addWidget(optPeriod_, 1, 0, 1, 4);
    fields->addWidget(periodLabel, 2, 0);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(txtDept_[3]);
    periodRow->addWidget(cmdPeriod_);
    periodRow->addWidget(txtDept_[2], 1);
    fields->addLayout(periodRow, 2, 1, 1, 3);
    fields->addWidget(lblCompany_, 3, 0);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(txtDept_[0]);
    codeRow->addWidget(cmdFind_);
    codeRow->addWidget(txtDept_[1], 1);
    fields->addLayout(codeRow, 3, 1, 1, 3);
    txtDept_[0]->setMaximumWidth(110);
    txtDept_[3]->setMaximumWidth(110);
    txtDept_[1]->setMinimumWidth(240);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdview_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fdetailed_);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(optClass_, optAccountNum_);
    setTabOrder(optAccountNum_, optGrandSummary_);
    setTabOrder(optGrandSummary_, optDetailed_);
    setTabOrder(optDetailed_, optSummary_);
    setTabOrder(optSummary_, start_);
    setTabOrder(start_, end_);
    setTabOrder(end_, optPeriod_);
    setTabOrder(optPeriod_, txtDept_[3]);
    setTabOrder(txtDept_[3], txtDept_[2]);
    setTabOrder(txtDept_[2], txtDept_[0]);
    setTabOrder(txtDept_[0], txtDept_[1]);
    setTabOrder(txtDept_[1], cmdview_);
}

void FrmAgingClass::loadForm() {
    optClass_->setChecked(true);
    optClass_Click();
    const QDate today = QDate::currentDate();
    start_->setDate(today);
    end_->setDate(today);
    txtDept_[0]->clear();
    txtDept_[1]->clear();
    optDetailed_->setChecked(true);
    for (int i = 2; i < 4; ++i)
        txtDept_[i]->setEnabled(false);
    cmdPeriod_->setEnabled(false);
}

void FrmAgingClass::setCodeBoxes(bool enabled) {
    for (int i = 0; i < 2; ++i) {
        txtDept_[i]->setEnabled(enabled);
        txtDept_[i]->clear();
    }
    cmdFind_->setEnabled(enabled);
}

void FrmAgingClass::unselectDetail() {
    detailGroup_->setExclusive(false);
    optDetailed_->setChecked(false);
    optSummary_->setChecked(false);
    detailGroup_->setExclusive(true);
}

void FrmAgingClass::optClass_Click() {
    // The code boxes are emptied: a lookup for what they held is moot.
    lookups_->cancel();
    detailFrame_->setEnabled(true);
    lblCompany_->setText(QStringLiteral("CLASS"));
    setCodeBoxes(true);
}

void FrmAgingClass::optAccountNum_Click() {
    lookups_->cancel();
    detailFrame_->setEnabled(false);
    lblCompany_->setText(QStringLiteral("COMPANY"));
    setCodeBoxes(true);
    unselectDetail();
}

void FrmAgingClass::optGrandSummary_Click() {
    lookups_->cancel();
    detailFrame_->setEnabled(false);
    setCodeBoxes(false);
    unselectDetail();
}

void FrmAgingClass::optPeriod_Click() {
    lookups_->flush();
    txtDept_[2]->setEnabled(true);
    txtDept_[3]->setEnabled(true);
    cmdPeriod_->setEnabled(true);
}

void FrmAgingClass::lookUp(QLineEdit* box) {
    runHandler([this, box] {
        if (box == txtDept_[3]) {
            searchInto(QStringLiteral("Periods"),
                       QStringLiteral("Reports..sp_Rep_SearchPeriod '##'"), txtDept_[3],
                       txtDept_[2]);
        } else if (optAccountNum_->isChecked()) {
            searchInto(QStringLiteral("Company"),
                       QStringLiteral("Reports..sp_Rep_SearchCompany '##'"), txtDept_[0],
                       txtDept_[1]);
        } else if (optClass_->isChecked()) {
            searchInto(QStringLiteral("Class"), QStringLiteral("Reports..sp_Rep_SearchClass '##'"),
                       txtDept_[0], txtDept_[1]);
        }
    });
}

void FrmAgingClass::cmdFind_Click() {
    lookups_->flush();
    txtDept_[0]->setFocus(Qt::OtherFocusReason);
    moveFocusOn(txtDept_[0]);
    lookups_->cancel();
    lookUp(txtDept_[0]);
}

void FrmAgingClass::cmdPeriod_Click() {
    lookups_->flush();
    txtDept_[3]->setFocus(Qt::OtherFocusReason);
    moveFocusOn(txtDept_[3]);
    lookups_->cancel();
    lookUp(txtDept_[3]);
}

std::optional<qint16> FrmAgingClass::periodNumber(const QString& text) {
    QString compact = text;
    compact.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    static const QRegularExpression leadingNumber(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
    const QRegularExpressionMatch match = leadingNumber.match(compact);
    if (!match.hasMatch())
        return qint16(0);
    const double rounded = std::nearbyint(match.captured(0).toDouble());
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return qint16(rounded);
}

void FrmAgingClass::produce() {
    const QDate startDate = start_->date();
    const QDate endDate = end_->date();
    if (startDate > endDate) {
        showMessage(this, QStringLiteral("Invalid Report Period..."));
        return;
    }
    const QString s = usDate(startDate);
    const QString e = usDate(endDate);
    const QString c = txtDept_[0]->text().trimmed();
    const bool byPeriod = optPeriod_->isChecked();
    const std::optional<qint16> p = periodNumber(txtDept_[3]->text());
    if (byPeriod && !p) {
        showMessage(this, QStringLiteral("The period %1 is not a period number: pick the period "
                                         "from the list.")
                              .arg(txtDept_[3]->text().trimmed()));
        txtDept_[3]->setFocus(Qt::OtherFocusReason);
        return;
    }

    Hourglass hourglass;
    Category category;
    if (optAccountNum_->isChecked()) {
        if (c.isEmpty()) {
            hourglass.restore();
            showMessage(this, QStringLiteral("Account Number is Empty!"));
            txtDept_[0]->setFocus(Qt::OtherFocusReason);
            return;
        }
        category = Category::AccountNumber;
    } else if (optClass_->isChecked()) {
        if (optDetailed_->isChecked())
            category = Category::ClassDetailed;
        else if (optSummary_->isChecked())
            category = Category::ClassSummary;
        else
            return;
    } else if (optGrandSummary_->isChecked()) {
        category = Category::AgingSummary;
    } else {
        return;
    }

    const AgingClassRow& row = rowFor(category, byPeriod);
    QString statement = QString::fromLatin1(row.procedure) +
                        (row.blank ? QStringLiteral(" ") : QString()) + quoted(s) +
                        QStringLiteral(", ") + quoted(e);
    if (row.withCode)
        statement += QStringLiteral(", ") + quoted(c);
    if (byPeriod)
        statement += QStringLiteral(", ") + QString::number(*p);
    ExecuteSql(statement);

    const QVariantList values = {s, e, session().CompanyAddress};
    OpenReport(session().ReportsFolder + QString::fromLatin1(row.templateName),
               QStringLiteral("Billing"), values);
    if (category == Category::AgingSummary)
        OpenSubreport(QStringLiteral("Classification"), QStringLiteral("Billing"), values);
    ShowReport(true, QStringLiteral("Aging Analysis Report"), false, false);
    close();
}

void FrmAgingClass::cmdview_Click() {
    lookups_->flush();
    runHandler([this] { produce(); });
}

} // namespace pelmar
