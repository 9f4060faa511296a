#include "platform/user/SignInDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmar {
namespace {

QLineEdit* addField(QFormLayout* form, const QString& caption, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    edit->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    form->addRow(label, edit);
    return edit;
}

} // namespace

SignInDialog::SignInDialog(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Pelmar - Sign In"));
    setAccessibleName(windowTitle());

    auto* form = new QFormLayout;
    server_ = addField(form, tr("&Server:"), this);
    database_ = addField(form, tr("&Database:"), this);
    user_ = addField(form, tr("&User:"), this);
    password_ = addField(form, tr("&Password:"), this);
    password_->setEchoMode(QLineEdit::Password);
    server_->setObjectName("txtServer");
    database_->setObjectName("txtDatabase");
    user_->setObjectName("txtUser");
    password_->setObjectName("txtPassword");

    error_ = new QLabel(this);
    error_->setObjectName("lblError");
    error_->setWordWrap(true);
    error_->setStyleSheet(QStringLiteral("color: #b00020"));
    error_->setAccessibleName(tr("Sign-in error"));
    error_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Sign In"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("Sign In"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(error_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QString SignInDialog::server() const {
    return server_->text();
}
QString SignInDialog::database() const {
    return database_->text();
}
QString SignInDialog::user() const {
    return user_->text();
}
QString SignInDialog::password() const {
    return password_->text();
}

void SignInDialog::setServer(const QString& server) {
    server_->setText(server);
    focusFirstEmptyField();
}

void SignInDialog::setDatabase(const QString& database) {
    database_->setText(database);
    focusFirstEmptyField();
}

void SignInDialog::setUser(const QString& user) {
    user_->setText(user);
    focusFirstEmptyField();
}

void SignInDialog::showError(const QString& message) {
    error_->setText(message);
    error_->show();
    password_->clear();
    password_->setFocus();
}

void SignInDialog::focusFirstEmptyField() {
    for (QLineEdit* edit : {server_, database_, user_, password_}) {
        if (edit->text().isEmpty()) {
            edit->setFocus();
            return;
        }
    }
}

} // namespace pelmar
