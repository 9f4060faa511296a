#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace pelmar {

// Server, database, user and password.  A failed attempt is said in the
// dialog, which stays open for another try.
class SignInDialog : public QDialog {
    Q_OBJECT

public:
    explicit SignInDialog(QWidget* parent = nullptr);

    QString server() const;
    QString database() const;
    QString user() const;
    QString password() const;

    void setServer(const QString& server);
    void setDatabase(const QString& database);
    void setUser(const QString& user);

    // Shows why the last attempt failed and clears the password.
    void showError(const QString& message);

private:
    void focusFirstEmptyField();

    QLineEdit* server_;
    QLineEdit* database_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLabel* error_;
};

} // namespace pelmar
