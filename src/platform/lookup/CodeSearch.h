#pragma once

#include <QObject>
#include <QString>

namespace pelmar {

class SqlConnection;

// The code-lookup component of the product suite.  Start-up sets it up and
// nothing in the reports module calls it afterwards, so it keeps what it is
// given and answers nothing more.
class CodeSearch : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void setMTS_Server(const QString& server) { mtsServer_ = server; }
    void setSearchMode(bool on) { searchMode_ = on; }
    void Initialize_Classes() { initialized_ = true; }
    void setConnection(SqlConnection* connection) { connection_ = connection; }
    void setCompanyName(const QString& name) { companyName_ = name; }

    const QString& mtsServer() const { return mtsServer_; }
    bool searchMode() const { return searchMode_; }
    bool initialized() const { return initialized_; }
    SqlConnection* connection() const { return connection_; }
    const QString& companyName() const { return companyName_; }

private:
    QString mtsServer_;
    bool searchMode_ = false;
    bool initialized_ = false;
    SqlConnection* connection_ = nullptr;
    QString companyName_;
};

} // namespace pelmar
