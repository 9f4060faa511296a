#pragma once

#include <QObject>
#include <QString>

namespace pelmar {

// The patient-search component of the product suite.  Start-up hands it the
// session's connection string and keeps its two objects for the session.
class PatientSearch : public QObject {
    Q_OBJECT

public:
    explicit PatientSearch(QObject* parent = nullptr);

    // True when the component can work with this connection.
    virtual bool InitConnection(QString& connectionString, QString& mtsServerName);

    QObject* PatientClass() const { return patientClass_; }
    QObject* Admission() const { return admission_; }
    const QString& connectionString() const { return connectionString_; }
    const QString& mtsServerName() const { return mtsServerName_; }

private:
    QString connectionString_;
    QString mtsServerName_;
    QObject* patientClass_;
    QObject* admission_;
};

} // namespace pelmar
