#pragma once

#include <QString>
#include <exception>

namespace pelmar {

// Every failure the program reports carries a description written for the
// user: what failed and what to do about it.
class Error : public std::exception {
public:
    explicit Error(QString description)
        : description_(std::move(description))
        , utf8_(description_.toUtf8()) {}

    const QString& description() const { return description_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString description_;
    QByteArray utf8_;
};

} // namespace pelmar
