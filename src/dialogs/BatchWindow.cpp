#include "dialogs/BatchWindow.h"

#include "platform/Hourglass.h"
#include "shell/Twips.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmar {
namespace {

QPushButton* flatButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(false);
    return button;
}

} // namespace

BatchWindow::BatchWindow(Design design, QWidget* parent)
    : ReportDialog(parent)
    , design_(std::move(design))
    , picker_(new QDateEdit(this))
    , selectAll_(flatButton(QStringLiteral("&Select All"), QStringLiteral("cmdSelectAll"), this))
    , view_(flatButton(QStringLiteral("&View"), QStringLiteral("cmdOK1"), this))
    , print_(flatButton(QStringLiteral("&Print"), QStringLiteral("cmdOK0"), this))
    , close_(flatButton(QStringLiteral("&Close"), QStringLiteral("cmdCancel"), this)) {
    setObjectName(design_.objectName);
    setWindowTitle(design_.caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* banner = new QLabel(design_.banner, this);
    banner->setObjectName(QStringLiteral("Label2"));
    QFont bannerFont(QStringLiteral("Times New Roman"));
    bannerFont.setPointSizeF(20.25);
    bannerFont.setBold(true);
    banner->setFont(bannerFont);
    banner->setAlignment(Qt::AlignCenter);
    banner->setAutoFillBackground(true);
    banner->setStyleSheet(QStringLiteral("color: #400040; background: #ffffc0; padding: 6px;"));

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* columnsLayout = new QHBoxLayout(frame);
    for (int index = 0; index < design_.boxes.size(); ++index) {
        auto* check = new QCheckBox(design_.boxes[index].caption, frame);
        check->setObjectName(QStringLiteral("chkOption%1").arg(index));
        check->setAccessibleName(QString(design_.boxes[index].caption).remove(QLatin1Char('&')));
        check->setEnabled(design_.boxes[index].enabled);
        connect(check, &QCheckBox::toggled, this,
                [this, index](bool ticked) { chkOption_Click(index, ticked); });
        boxes_ << check;
    }
    QList<QList<int>> columns = design_.columns;
    if (columns.isEmpty()) {
        const int half = int(boxes_.size() + 1) / 2;
        columns = {{}, {}};
        for (int index = 0; index < boxes_.size(); ++index)
            columns[index < half ? 0 : 1] << index;
    }
    for (const QList<int>& column : columns) {
        auto* columnLayout = new QVBoxLayout;
        for (int index : column)
            columnLayout->addWidget(boxes_.at(index));
        columnLayout->addStretch();
        columnsLayout->addLayout(columnLayout);
    }

    auto* prompt = new QLabel(design_.prompt, this);
    prompt->setObjectName(QStringLiteral("Label1"));
    QFont promptFont(QStringLiteral("Arial"));
    promptFont.setPointSizeF(12);
    promptFont.setBold(true);
    prompt->setFont(promptFont);
    prompt->setBuddy(picker_);
    picker_->setObjectName(design_.pickerName);
    picker_->setDisplayFormat(design_.displayFormat);
    picker_->setCalendarPopup(design_.displayFormat.contains(QLatin1String("dd")));
    picker_->setAccessibleName(design_.prompt);

    connect(selectAll_, &QPushButton::clicked, this, [this] { cmdSelectAll_Click(); });
    connect(print_, &QPushButton::clicked, this, [this] { cmdOK_Click(0); });
    connect(view_, &QPushButton::clicked, this, [this] { cmdOK_Click(1); });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(prompt);
    dateRow->addWidget(picker_);
    dateRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAll_);
    buttons->addStretch();
    buttons->addWidget(view_);
    buttons->addWidget(print_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(dateRow);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void BatchWindow::loadForm() {
    move(twipsToPixels(10, this), twipsToPixels(100, this));
    const QDate today = session().ServerDate.date();
    picker_->setMaximumDate(today);
    picker_->setDate(design_.pickerStart == PickerStart::MonthOfServerDate
                         ? QDate(today.year(), today.month(), 1)
                         : today);
    tickedCount_ = 0;
    // Nothing is ticked yet, so there is nothing to run.
    view_->setEnabled(false);
    print_->setEnabled(false);
}

void BatchWindow::chkOption_Click(int, bool ticked) {
    tickedCount_ = qint16(tickedCount_ + (ticked ? 1 : -1));
    if (tickedCount_ <= 0)
        tickedCount_ = 0;
    view_->setEnabled(tickedCount_ > 0);
    print_->setEnabled(tickedCount_ > 0);
}

void BatchWindow::cmdSelectAll_Click() {
    for (QCheckBox* check : std::as_const(boxes_))
        check->setChecked(true);
    tickedCount_ = qint16(boxes_.size());
}

void BatchWindow::cmdOK_Click(int index) {
    const BatchRun run{picker_->date(), index == 0};
    const bool ran = runHandler([this, &run] {
        Hourglass hourglass;
        for (const Row& row : std::as_const(design_.rows)) {
            if (boxes_.at(row.box)->isChecked() && row.run)
                row.run(run);
        }
    });
    if (ran)
        close();
}

} // namespace pelmar
