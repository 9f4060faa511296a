#include "lookup/FrmSearch.h"

#include "lookup/KeyRules.h"
#include "lookup/RecordSetModel.h"
#include "platform/Error.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/StatementLayer.h"
#include "shell/Twips.h"
#include "startup/SessionContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace pelmar {
namespace {

// Column widths of the grid in twips: the row marker, the name, the code.
constexpr double kMarkerWidth = 200;
constexpr double kNameWidth = 4150;
constexpr double kCodeWidth = 2000;

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLabel* titleLabel(const QString& name, const QColor& color, int shift, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(16);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setContentsMargins(8 + shift, 4 + shift, 8, 4);
    return label;
}

} // namespace

FrmSearch::FrmSearch(QWidget* parent)
    : QDialog(parent)
    , lblTitle_(titleLabel(QStringLiteral("lblTitle"), Qt::white, 0, this))
    , lblSTitle_(titleLabel(QStringLiteral("lblSTitle"), QColor(0, 0, 64), 2, this))
    , lblHospital_(new QLabel(this))
    , txtSearchStr_(new QLineEdit(this))
    , cmdSelect_(new QPushButton(QStringLiteral("&Select"), this))
    , cmdCancel_(new QPushButton(QStringLiteral("&Cancel"), this))
    , grid_(new QTableView(this))
    , chkAutoSearch_(new QCheckBox(QStringLiteral("AutoSearch"), this))
    , model_(new RecordSetModel(this)) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    setFont(font);

    auto* band = new QWidget(this);
    band->setAutoFillBackground(true);
    QPalette bandPalette = band->palette();
    bandPalette.setColor(QPalette::Window, QColor(0, 0, 128));
    band->setPalette(bandPalette);
    auto* bandLayout = new QGridLayout(band);
    bandLayout->setContentsMargins(0, 0, 0, 0);
    lblSTitle_->setParent(band);
    lblTitle_->setParent(band);
    bandLayout->addWidget(lblSTitle_, 0, 0);
    bandLayout->addWidget(lblTitle_, 0, 0);
    lblTitle_->raise();

    lblHospital_->setObjectName(QStringLiteral("lblHospital"));

    txtSearchStr_->setObjectName(QStringLiteral("txtSearchStr"));
    txtSearchStr_->setAccessibleName(QStringLiteral("Search"));
    QFont searchFont = font;
    searchFont.setBold(true);
    txtSearchStr_->setFont(searchFont);
    QPalette searchPalette = txtSearchStr_->palette();
    searchPalette.setColor(QPalette::Text, Qt::blue);
    txtSearchStr_->setPalette(searchPalette);
    txtSearchStr_->installEventFilter(this);
    connect(txtSearchStr_, &QLineEdit::textChanged, this, &FrmSearch::searchTextChanged);

    cmdSelect_->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect_->setAccessibleName(QStringLiteral("Select"));
    cmdSelect_->setAutoDefault(false);
    cmdSelect_->setEnabled(false);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAccessibleName(QStringLiteral("Cancel"));
    cmdCancel_->setAutoDefault(false);
    connect(cmdSelect_, &QPushButton::clicked, this, &FrmSearch::cmdSelect_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &FrmSearch::reject);

    grid_->setObjectName(QStringLiteral("grdDispWindow"));
    grid_->setAccessibleName(QStringLiteral("Records List"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->horizontalHeader()->setHighlightSections(false);
    QFont headingFont = font;
    headingFont.setBold(true);
    grid_->horizontalHeader()->setFont(headingFont);
    grid_->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this, [this] {
        if (cmdSelect_->isEnabled())
            cmdSelect_Click();
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmSearch::currentCellChanged);

    chkAutoSearch_->setObjectName(QStringLiteral("chkAutoSearch"));
    chkAutoSearch_->setChecked(true);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(txtSearchStr_, 1);
    searchRow->addWidget(chkAutoSearch_);

    auto* frame = new QGroupBox(QStringLiteral("Records List"), this);
    frame->setObjectName(QStringLiteral("fraDispWinFrame"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(grid_);

    auto* help = new QLabel(
        QStringLiteral("Help Tip: type to search, Down to browse the list, Enter to select."),
        this);
    help->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help, 1);
    buttons->addWidget(cmdSelect_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(band);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->addWidget(lblHospital_);
    body->addLayout(searchRow);
    body->addWidget(frame);
    body->addLayout(buttons);
    layout->addLayout(body);

    const int gridWidth = twipsToPixels(kMarkerWidth + kNameWidth + kCodeWidth + 400, this);
    grid_->setMinimumSize(gridWidth, twipsToPixels(3600, this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(txtSearchStr_, grid_);
    setTabOrder(grid_, cmdSelect_);
    setTabOrder(cmdSelect_, cmdCancel_);
}

FrmSearch::~FrmSearch() = default;

FrmSearch& FrmSearch::shared() {
    static QPointer<FrmSearch> instance;
    if (!instance) {
        instance = new FrmSearch;
        connect(qApp, &QCoreApplication::aboutToQuit, instance, &QObject::deleteLater);
    }
    return *instance;
}

QString FrmSearch::searchStatement(const QString& query, const QString& criteria) {
    const QString literal = quoted(criteria);
    return QString(query).replace(QStringLiteral("##"), literal.mid(1, literal.size() - 2));
}

int FrmSearch::exec() {
    loadForm();
    return QDialog::exec();
}

void FrmSearch::loadForm() {
    valid_ = false;
    typedByUser_ = false;
    lblHospital_->setText(session().CompanyName);
    setWindowTitle(searchCaption_);
    lblTitle_->setText(searchCaption_);
    lblSTitle_->setText(searchCaption_);
    txtSearchStr_->setEnabled(!disableSearch_);
    if (!disableSearch_) {
        // The box shows the caller's text; setting it is not typing.
        txtSearchStr_->setText(criteria_);
        RunSearchQuery();
    }
    if (model_->rowCount() > 0)
        makeCurrent(0);
    setColumnWidths();
}

void FrmSearch::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (disableSearch_)
        grid_->setFocus(Qt::ActiveWindowFocusReason);
    else
        txtSearchStr_->setFocus(Qt::ActiveWindowFocusReason);
}

void FrmSearch::RunSearchQuery() {
    ++searchCount_;
    RecordSet found;
    QString failure;
    try {
        found = ExecuteSqlForRows(searchStatement(query_, criteria_));
    } catch (const Error& error) {
        failure = error.description();
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    model_->setRecordSet(found);
    setColumnWidths();
    cmdSelect_->setEnabled(model_->rowCount() > 0);
    if (!failure.isEmpty()) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Pelmar - Reports"),
                        QStringLiteral("The search failed: %1").arg(failure), QMessageBox::Ok,
                        this);
        box.setAccessibleName(QStringLiteral("Message"));
        box.exec();
    }
}

void FrmSearch::setColumnWidths() {
    grid_->verticalHeader()->setFixedWidth(twipsToPixels(kMarkerWidth, this));
    if (model_->columnCount() > 0)
        grid_->setColumnWidth(0, twipsToPixels(kNameWidth, this));
    if (model_->columnCount() > 1)
        grid_->setColumnWidth(1, twipsToPixels(kCodeWidth, this));
}

void FrmSearch::searchTextChanged(const QString& text) {
    if (!typedByUser_)
        return;
    criteria_ = text;
    RunSearchQuery();
    typedByUser_ = false;
}

void FrmSearch::currentCellChanged() {
    typedByUser_ = false;
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid())
        txtSearchStr_->setText(model_->text(current.row(), 0));
}

int FrmSearch::topVisibleRow() const {
    const int top = grid_->rowAt(0);
    return top >= 0 ? top : 0;
}

void FrmSearch::makeCurrent(int row) {
    grid_->setCurrentIndex(model_->index(row, 0));
}

void FrmSearch::cmdSelect_Click() {
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    resultCode_ = model_->text(row, 1);
    revenue_ = model_->text(row, 0);
    valid_ = true;
    accept();
}

void FrmSearch::reject() {
    valid_ = false;
    QDialog::reject();
}

bool FrmSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSearchStr_) {
        if (event->type() == QEvent::FocusIn) {
            txtSearchStr_->selectAll();
            // A click would place the cursor after this; select once it has.
            QTimer::singleShot(0, txtSearchStr_, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Down) {
                if (model_->rowCount() > 0)
                    makeCurrent(topVisibleRow());
                grid_->setFocus(Qt::OtherFocusReason);
                return true;
            }
            if (isEnter(key)) {
                if (model_->rowCount() > 0) {
                    makeCurrent(topVisibleRow());
                    cmdSelect_Click();
                }
                return true;
            }
            typedByUser_ = true;
            return deliverUpperCase(txtSearchStr_, key);
        }
    } else if (watched == grid_ && event->type() == QEvent::KeyPress) {
        if (isEnter(static_cast<QKeyEvent*>(event))) {
            if (cmdSelect_->isEnabled())
                cmdSelect_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool searchInto(const QString& caption, const QString& query, QLineEdit* codeBox,
                QLineEdit* nameBox) {
    FrmSearch& search = FrmSearch::shared();
    search.setSearchCaption(caption);
    search.setCriteria(codeBox->text());
    search.setQuery(query);
    search.exec();
    if (!search.Valid())
        return false;
    codeBox->setText(search.ResultCode());
    nameBox->setText(search.Revenue());
    return true;
}

} // namespace pelmar
