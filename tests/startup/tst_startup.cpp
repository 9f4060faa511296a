#include "RecordingStatements.h"
#include "platform/lookup/CodeSearch.h"
#include "platform/lookup/PatientSearch.h"
#include "platform/sql/SqlConnection.h"
#include "platform/user/UserSession.h"
#include "shell/MdiReportForm.h"
#include "startup/Main.h"
#include "startup/SessionContext.h"

#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

namespace {

// A user component that signs in (or not) without a dialog or a server.
class FakeUser : public UserSession {
public:
    explicit FakeUser(bool signsIn)
        : signsIn_(signsIn)
        , connection_(ConnectionSettings{"db.example", 5432, "pelmar", "nurse", "pw"}) {}
    void showMain() override { shown_ = true; }
    bool connected() const override { return shown_ && signsIn_; }
    SqlConnection& sqlConnection() const override { return connection_; }

private:
    bool signsIn_;
    bool shown_ = false;
    mutable SqlConnection connection_;
};

class RefusingPatientSearch : public PatientSearch {
public:
    bool InitConnection(QString&, QString&) override { return false; }
};

const QString kHospital = "Select *, GetDate() as CurDate From Patient_data..tbHospitalInfo";

RecordSet hospitalRows(const QList<QVariantList>& rows) {
    return rowSet({"HospitalID", "Company", "Address1", "MTSServerName", "CurDate"}, rows);
}

struct Run {
    QStringList messages;
    std::unique_ptr<Startup> startup;
};

Run runMain(bool signsIn, std::function<std::unique_ptr<PatientSearch>()> patientSearch = {}) {
    Run run;
    StartupHooks hooks;
    hooks.makeUser = [signsIn] { return std::make_unique<FakeUser>(signsIn); };
    hooks.makePatientSearch = std::move(patientSearch);
    hooks.showMessage = [&run](const QString& text) { run.messages << text; };
    run.startup = Main(hooks);
    return run;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void signedInSessionReadsTheFirstHospitalRow();
    void cancelledSignInShowsOneMessageAndEnds();
    void emptyHospitalTableShowsTheErrorAndEnds();
    void failingHospitalQueryShowsTheErrorAndEnds();
    void refusedPatientSearchEndsSilently();
};

void StartupTest::signedInSessionReadsTheFirstHospitalRow() {
    RecordingStatements db;
    const QDateTime now(QDate(2012, 3, 15), QTime(9, 30));
    db.answer(kHospital, hospitalRows({{1, "First Hospital", "1 Main St", "MTS1", now},
                                       {2, "Second Hospital", "2 Side St", "MTS2", now}}));
    const Run run = runMain(true);

    QVERIFY(run.startup);
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(db.statements, QStringList{kHospital});
    const SessionContext& s = session();
    QCOMPARE(s.CompanyName, QString("First Hospital"));
    QCOMPARE(s.CompanyAddress, QString("1 Main St"));
    QCOMPARE(s.MtsServerName, QString("MTS1"));
    QCOMPARE(s.ServerDate, now);
    QVERIFY(s.ReportsFolder.endsWith("\\REPORTS"));
    QCOMPARE(s.CurrentUser->passwordDeptCode(), kReportsModuleCode);
    QCOMPARE(s.CurrentUser->sqlConnection().commandTimeout(), 0);

    QCOMPARE(s.CodeSearch->mtsServer(), QString("MTS1"));
    QVERIFY(s.CodeSearch->searchMode());
    QVERIFY(s.CodeSearch->initialized());
    QCOMPARE(s.CodeSearch->connection(), &s.CurrentUser->sqlConnection());
    QCOMPARE(s.CodeSearch->companyName(), QString("First Hospital"));
    QCOMPARE(s.PatientSearch->connectionString(), s.ConnectionString);
    QVERIFY(s.ConnectionString.contains("db.example"));
    QVERIFY(!s.ConnectionString.contains("pw"));
    QCOMPARE(s.PatientSearch->mtsServerName(), QString("MTS1"));
    QVERIFY(s.PatientClass && s.Admission);

    QVERIFY(run.startup->mainWindow);
    QCOMPARE(run.startup->mainWindow->windowTitle(), QString("Pelmar - Reports"));
    QVERIFY(run.startup->mainWindow->isVisible());
    QVERIFY(run.startup->mainWindow->windowState() & Qt::WindowMaximized);
}

void StartupTest::cancelledSignInShowsOneMessageAndEnds() {
    RecordingStatements db;
    const Run run = runMain(false);
    QVERIFY(!run.startup);
    QCOMPARE(run.messages, QStringList{QString()});
    QVERIFY(db.statements.isEmpty());
}

void StartupTest::emptyHospitalTableShowsTheErrorAndEnds() {
    RecordingStatements db;
    db.answer(kHospital, hospitalRows({}));
    const Run run = runMain(true);
    QVERIFY(!run.startup);
    QCOMPARE(run.messages.size(), 1);
    QVERIFY2(run.messages[0].contains("Company") && run.messages[0].contains("no current row"),
             qPrintable(run.messages[0]));
}

void StartupTest::failingHospitalQueryShowsTheErrorAndEnds() {
    RecordingStatements db;
    db.fail(kHospital, "relation \"patient_data.tbhospitalinfo\" does not exist");
    const Run run = runMain(true);
    QVERIFY(!run.startup);
    QCOMPARE(run.messages, QStringList{"relation \"patient_data.tbhospitalinfo\" does not exist"});
}

void StartupTest::refusedPatientSearchEndsSilently() {
    RecordingStatements db;
    db.answer(kHospital, hospitalRows({{1, "H", "A", "M", QDateTime::currentDateTime()}}));
    const Run run = runMain(true, [] { return std::make_unique<RefusingPatientSearch>(); });
    QVERIFY(!run.startup);
    QVERIFY(run.messages.isEmpty());
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
