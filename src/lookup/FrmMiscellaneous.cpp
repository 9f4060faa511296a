#include "lookup/FrmMiscellaneous.h"

#include "dialogs/ReportDialog.h"
#include "lookup/KeyRules.h"
#include "lookup/RecordSetModel.h"
#include "platform/Hourglass.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "shell/Twips.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace pelmar {
namespace {

QLabel* bandLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

FrmMiscellaneous::FrmMiscellaneous(QWidget* parent)
    : ReportDialog(parent)
    , txtSearch_(new QLineEdit(this))
    , cmdFind_(new QPushButton(this))
    , grid_(new QTableView(this))
    , txtRevenue_(new QLineEdit(this))
    , txtDescription_(new QLineEdit(this))
    , buttons_{new QPushButton(QStringLiteral("&Save"), this),
               new QPushButton(QStringLiteral("&Close"), this),
               new QPushButton(QStringLiteral("&Add/New"), this)}
    , model_(new RecordSetModel(this)) {
    setObjectName(QStringLiteral("frmMiscellaneous"));
    setWindowTitle(QStringLiteral("Miscellaneous Reports"));
    applyDialogLook(this);

    auto* lblTitle = bandLabel(QStringLiteral("Miscellaneous Reports   "), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont titleFont = this->font();
    titleFont.setPointSizeF(16);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* searchLabel = bandLabel(QStringLiteral("  Search"), this);
    searchLabel->setBuddy(txtSearch_);

    txtSearch_->setObjectName(QStringLiteral("txtSearch"));
    txtSearch_->setAccessibleName(QStringLiteral("Search"));
    txtSearch_->installEventFilter(this);
    connect(txtSearch_, &QLineEdit::textChanged, this,
            [this] { runHandler([this] { LoadRevenueList(); }); });

    cmdFind_->setObjectName(QStringLiteral("cmdFind"));
    cmdFind_->setAccessibleName(QStringLiteral("Find"));
    cmdFind_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    cmdFind_->setAutoDefault(false);
    connect(cmdFind_, &QPushButton::clicked, this, &FrmMiscellaneous::cmdFind_Click);

    grid_->setObjectName(QStringLiteral("grdRevenues"));
    grid_->setAccessibleName(QStringLiteral("Miscellaneous revenue codes"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->setFixedWidth(twipsToPixels(200, this));
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setMinimumSize(twipsToPixels(7600, this), twipsToPixels(3600, this));
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmMiscellaneous::currentCellChanged);

    txtRevenue_->setObjectName(QStringLiteral("txtRevenue"));
    txtDescription_->setObjectName(QStringLiteral("txtDescription"));
    applyKeyRules(txtRevenue_, {.enterMovesOn = true});
    applyKeyRules(txtDescription_, {.enterMovesOn = true});

    const char* names[] = {"cmdOptions0", "cmdOptions1", "cmdOptions2"};
    const char* accessible[] = {"Save", "Close", "Add/New"};
    for (int i = 0; i < 3; ++i) {
        buttons_[i]->setObjectName(QString::fromLatin1(names[i]));
        buttons_[i]->setAccessibleName(QString::fromLatin1(accessible[i]));
        buttons_[i]->setAutoDefault(false);
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { cmdOptions_Click(i); });
    }

    auto* band = new QGridLayout;
    band->setSpacing(0);
    band->addWidget(lblTitle, 0, 0, 1, 3);
    band->addWidget(searchLabel, 1, 0);
    band->addWidget(txtSearch_, 1, 1);
    band->addWidget(cmdFind_, 1, 2);

    auto* entry = new QFormLayout;
    auto* codeLabel = new QLabel(QStringLiteral("Code"), this);
    codeLabel->setBuddy(txtRevenue_);
    auto* descriptionLabel = new QLabel(QStringLiteral("Description"), this);
    descriptionLabel->setBuddy(txtDescription_);
    txtRevenue_->setAccessibleName(QStringLiteral("Code"));
    txtDescription_->setAccessibleName(QStringLiteral("Description"));
    entry->addRow(codeLabel, txtRevenue_);
    entry->addRow(descriptionLabel, txtDescription_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(buttons_[2]);
    buttons->addWidget(buttons_[0]);
    buttons->addWidget(buttons_[1]);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(band);
    layout->addWidget(grid_);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtSearch_, grid_);
    setTabOrder(grid_, txtRevenue_);
    setTabOrder(txtRevenue_, txtDescription_);
    setTabOrder(txtDescription_, buttons_[2]);
    setTabOrder(buttons_[2], buttons_[0]);
    setTabOrder(buttons_[0], buttons_[1]);
}

QString FrmMiscellaneous::listStatement(const QString& filter) {
    return QStringLiteral("Reports..sp_Rep_SearchMiscellaneousRevenue '0', ") + quoted(filter);
}

QString FrmMiscellaneous::saveStatement(const QString& code, const QString& description) {
    return QStringLiteral("Reports..sp_Rep_UpdateMiscellaneous ") + quoted(code) +
           QStringLiteral(", ") + quoted(description) + QStringLiteral(" ");
}

void FrmMiscellaneous::loadForm() {
    LoadRevenueList();
}

void FrmMiscellaneous::LoadRevenueList() {
    RecordSet rows;
    try {
        rows = ExecuteSqlForRows(listStatement(txtSearch_->text()));
    } catch (...) {
        // A list that no longer matches the filter would mislead.
        model_->setRecordSet({});
        throw;
    }
    model_->setRecordSet(std::move(rows));
    if (model_->columnCount() > 0)
        grid_->setColumnWidth(0, twipsToPixels(5400, this));
}

void FrmMiscellaneous::ClearEntry() {
    txtRevenue_->clear();
    txtDescription_->clear();
}

void FrmMiscellaneous::cmdFind_Click() {
    runHandler([this] { LoadRevenueList(); });
}

void FrmMiscellaneous::currentCellChanged() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid())
        return;
    txtRevenue_->setText(model_->text(current.row(), 1));
    txtDescription_->setText(model_->text(current.row(), 0));
}

void FrmMiscellaneous::save() {
    {
        Hourglass hourglass;
        ExecuteSql(saveStatement(txtRevenue_->text(), txtDescription_->text()));
    }
    // Stored: the entry is done with.  A refused save keeps it for mending.
    ClearEntry();
    LoadRevenueList();
}

void FrmMiscellaneous::cmdOptions_Click(int index) {
    switch (index) {
    case 0:
        runHandler([this] { save(); });
        break;
    case 1:
        close();
        break;
    case 2:
        ClearEntry();
        txtRevenue_->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

bool FrmMiscellaneous::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSearch_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        grid_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return ReportDialog::eventFilter(watched, event);
}

} // namespace pelmar
