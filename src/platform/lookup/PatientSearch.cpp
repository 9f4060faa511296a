#include "platform/lookup/PatientSearch.h"

namespace pelmar {

PatientSearch::PatientSearch(QObject* parent)
    : QObject(parent)
    , patientClass_(new QObject(this))
    , admission_(new QObject(this)) {
    patientClass_->setObjectName(QStringLiteral("PatientClass"));
    admission_->setObjectName(QStringLiteral("Admission"));
}

bool PatientSearch::InitConnection(QString& connectionString, QString& mtsServerName) {
    connectionString_ = connectionString;
    mtsServerName_ = mtsServerName;
    return !connectionString_.isEmpty();
}

} // namespace pelmar
