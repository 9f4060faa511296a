#include "dialogs/daily/FrmReportDate.h"

#include "platform/DateText.h"
#include "platform/Hourglass.h"
#include "reporting/ReportRoutines.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pelmar {
namespace {

QDateEdit* datePicker(const QString& name, const QString& label, QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    picker->setCalendarPopup(true);
    picker->setAccessibleName(label);
    return picker;
}

} // namespace

FrmReportDate::FrmReportDate(QWidget* parent)
    : ReportDialog(parent) {
    setObjectName(QStringLiteral("frmReportDate"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);

    auto* frame = new QGroupBox(QStringLiteral(" Report Options "), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    hospital_ = new QRadioButton(QStringLiteral("Hospital"), frame);
    hospital_->setObjectName(QStringLiteral("optReportType0"));
    multiDiagnostic_ = new QRadioButton(QStringLiteral("Multi Diagnostic"), frame);
    multiDiagnostic_->setObjectName(QStringLiteral("optReportType1"));
    hospital_->setChecked(true);
    detailed_ = new QCheckBox(QStringLiteral("Detailed"), frame);
    detailed_->setObjectName(QStringLiteral("chkOption0"));
    summary_ = new QCheckBox(QStringLiteral("Summary"), frame);
    summary_->setObjectName(QStringLiteral("chkOption1"));
    summary_->setChecked(true);
    // A click, not a programmatic change, keeps the two boxes exclusive.
    connect(detailed_, &QCheckBox::clicked, this, [this] { chkOption_Click(0); });
    connect(summary_, &QCheckBox::clicked, this, [this] { chkOption_Click(1); });

    auto* startLabel = new QLabel(QStringLiteral("Start Date"), frame);
    startLabel->setObjectName(QStringLiteral("Label1"));
    start_ = datePicker(QStringLiteral("dtpReportDate"), startLabel->text(), frame);
    startLabel->setBuddy(start_);
    auto* endLabel = new QLabel(QStringLiteral("End Date"), frame);
    endLabel->setObjectName(QStringLiteral("Label2"));
    end_ = datePicker(QStringLiteral("dtpEndDate"), endLabel->text(), frame);
    endLabel->setBuddy(end_);

    ok_ = new QPushButton(QStringLiteral("&OK"), frame);
    ok_->setObjectName(QStringLiteral("cmdOptions0"));
    ok_->setAccessibleName(QStringLiteral("OK"));
    ok_->setAutoDefault(false);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), frame);
    cancel_->setObjectName(QStringLiteral("cmdOptions1"));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    cancel_->setDefault(true); // Enter closes without a report
    connect(ok_, &QPushButton::clicked, this, [this] { cmdOptions_Click(0); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cmdOptions_Click(1); });

    auto* grid = new QGridLayout(frame);
    grid->addWidget(hospital_, 0, 0);
    grid->addWidget(detailed_, 0, 1);
    grid->addWidget(multiDiagnostic_, 1, 0);
    grid->addWidget(summary_, 1, 1);
    grid->addWidget(startLabel, 2, 0);
    grid->addWidget(start_, 2, 1);
    grid->addWidget(endLabel, 3, 0);
    grid->addWidget(end_, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    grid->addLayout(buttons, 4, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrmReportDate::loadForm() {
    const QDate today = session().ServerDate.date();
    for (QDateEdit* picker : {start_, end_}) {
        picker->setMaximumDate(today);
        picker->setDate(today);
    }
    setWindowTitle(reportType());
}

void FrmReportDate::chkOption_Click(int index) {
    QCheckBox* clicked = option(index);
    if (clicked->isChecked())
        option(1 - index)->setChecked(false);
}

void FrmReportDate::cmdOptions_Click(int index) {
    if (index == 1) {
        close();
        return;
    }
    if (reportType().toUpper() != QLatin1String("CASH COLLECTION REPORT"))
        return;
    const qint16 sectionFlag = hospital_->isChecked() ? 0 : 1;
    const QString templateName = detailed_->isChecked()
                                     ? QStringLiteral("\\DailyCashCollection.rpt")
                                     : QStringLiteral("\\DailyDepartmentalCollection.rpt");
    const QString startDate = usDate(start_->date());
    const QString endDate = usDate(end_->date());
    const bool ran = runHandler([&] {
        {
            Hourglass hourglass;
            OpenReport(
                session().ReportsFolder + templateName, QStringLiteral("BILLING"),
                {startDate, endDate, session().CompanyAddress, QVariant::fromValue(sectionFlag)});
        }
        ShowReport(false,
                   QStringLiteral("Daily CASH Collection: ") + startDate + QStringLiteral(" - ") +
                       endDate,
                   false, false);
    });
    if (ran)
        close();
}

} // namespace pelmar
