#pragma once

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <memory>

namespace pelmar {

class UserSession;
class CodeSearch;
class PatientSearch;

namespace engine {
class Report;
}

// The department codes the reports pass to the database and the templates.
namespace DepartmentCode {
inline const QString XRay = QStringLiteral("XR");
inline const QString Laboratory = QStringLiteral("LB");
inline const QString PhysicalTherapy = QStringLiteral("PT");
inline const QString Ultrasound = QStringLiteral("US");
inline const QString Rts = QStringLiteral("PA");
inline const QString CtScan = QStringLiteral("CT");
inline const QString Apparatus = QStringLiteral("AP");
} // namespace DepartmentCode

// The values start-up fixes for the whole session.  Only Main writes them,
// except CurrentReport, which opening and closing reports replace.
struct SessionContext {
    ::pelmar::UserSession* CurrentUser = nullptr;
    ::pelmar::CodeSearch* CodeSearch = nullptr;
    ::pelmar::PatientSearch* PatientSearch = nullptr;

    QString CompanyName;
    QString CompanyAddress;
    QDateTime ServerDate;
    QString MtsServerName;
    QString ConnectionString;
    QPointer<QObject> PatientClass;
    QPointer<QObject> Admission;
    QString ReportsFolder;

    std::shared_ptr<engine::Report> CurrentReport;
};

SessionContext& session();

} // namespace pelmar
