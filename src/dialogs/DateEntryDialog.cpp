#include "dialogs/DateEntryDialog.h"

#include "dialogs/ReportDialog.h"
#include "platform/Hourglass.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmar {
DateEntryDialog::DateEntryDialog(const Design& design, QWidget* parent)
    : ReportDialog(parent)
    , design_(design)
    , prompt_(new QLabel(design.prompt, this))
    , picker_(new QDateEdit(this))
    , ok_(new QPushButton(QStringLiteral("&OK"), this))
    , cancel_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setWindowTitle(design.caption);
    applyDialogLook(this);

    QFont promptFont = this->font();
    promptFont.setPointSizeF(12);
    promptFont.setBold(true);
    prompt_->setFont(promptFont);
    prompt_->setObjectName(QStringLiteral("Label1"));
    prompt_->setBuddy(picker_);

    picker_->setObjectName(design.pickerName);
    picker_->setDisplayFormat(design.displayFormat);
    picker_->setCalendarPopup(design.displayFormat.contains(QLatin1String("dd")));
    picker_->setAccessibleName(design.prompt);

    ok_->setObjectName(QStringLiteral("cmdOptions0"));
    ok_->setDefault(true);
    ok_->setAccessibleName(QStringLiteral("OK"));
    cancel_->setObjectName(QStringLiteral("cmdOptions1"));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    connect(ok_, &QPushButton::clicked, this, [this] { cmdOptions_Click(0); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cmdOptions_Click(1); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(picker_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DateEntryDialog::loadForm() {
    const QDate today = session().ServerDate.date();
    picker_->setMaximumDate(today);
    picker_->setDate(today);
    const QString caption = captionFor(reportType());
    if (!caption.isEmpty())
        setWindowTitle(caption);
}

QDate DateEntryDialog::pickedDate() const {
    return picker_->date();
}

void DateEntryDialog::cmdOptions_Click(int index) {
    if (index == 0) {
        const bool ran = runHandler([this] {
            Hourglass hourglass;
            runReport();
        });
        if (!ran)
            return;
    }
    close();
}

} // namespace pelmar
