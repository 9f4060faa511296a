#include "dialogs/billing/BillingForms.h"

#include "platform/DateText.h"

#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

namespace pelmar {

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pelmar - Reports"), text, QMessageBox::Ok,
                    parent);
    box.setAccessibleName(QStringLiteral("Message"));
    box.exec();
}

bool acceptPeriod(QWidget* parent, const QDate& start, const QDate& end) {
    if (PeriodCheck(start, end, QDate::currentDate()))
        return true;
    showMessage(parent, QStringLiteral("Invalid Report Period..."));
    return false;
}

QDateEdit* makeDatePicker(const QString& objectName, const QString& accessibleName,
                          QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(objectName);
    picker->setAccessibleName(accessibleName);
    picker->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    picker->setCalendarPopup(true);
    return picker;
}

QWidget* makeTitleBand(const QString& title, QWidget* parent) {
    auto* band = new QWidget(parent);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    band->setPalette(palette);
    auto* layout = new QGridLayout(band);
    layout->setContentsMargins(0, 0, 0, 0);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(14);
    font.setBold(true);
    const struct {
        const char* name;
        QColor color;
        int shift;
    } labels[] = {{"lblSTitle", QColor(0, 0, 48), 2}, {"lblTitle", Qt::white, 0}};
    for (const auto& l : labels) {
        auto* label = new QLabel(title, band);
        label->setObjectName(QString::fromLatin1(l.name));
        label->setFont(font);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, l.color);
        label->setPalette(p);
        label->setContentsMargins(10 + l.shift, 6 + l.shift, 10, 6);
        layout->addWidget(label, 0, 0);
    }
    return band;
}

} // namespace pelmar
