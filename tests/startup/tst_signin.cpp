#include "TestDatabase.h"
#include "UiDriver.h"
#include "platform/Error.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "platform/user/SignInDialog.h"
#include "platform/user/UserSession.h"
#include "shell/MdiReportForm.h"
#include "startup/Main.h"
#include "startup/SessionContext.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

namespace {

QString serverText(const TestDatabase& db) {
    return QStringLiteral("%1:%2").arg(db.host).arg(db.port);
}

ConnectionSettings settingsOf(const TestDatabase& db) {
    return {db.host, db.port, db.database, db.user, db.password};
}

// Fills the sign-in dialog and presses Sign In.
void fillAndSubmit(QWidget* dialog, const TestDatabase& db, const QString& password) {
    dialog->findChild<QLineEdit*>("txtServer")->setText(serverText(db));
    dialog->findChild<QLineEdit*>("txtDatabase")->setText(db.database);
    dialog->findChild<QLineEdit*>("txtUser")->setText(db.user);
    dialog->findChild<QLineEdit*>("txtPassword")->setText(password);
    qobject_cast<QDialog*>(dialog)->accept();
}

RecordSet adminQuery(const QString& sql, const QVariantList& values = {}) {
    SqlConnection admin(settingsOf(TestDatabase::admin()));
    admin.open();
    return admin.query(sql, values);
}

} // namespace

class SignInTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void wrongPasswordStaysInTheDialogThenSignsIn();
    void refusals_data();
    void refusals();
    void cancelAbandonsWithoutError();
    void startUpSignsInLogsAndReadsTheHospital();
    void valuesWithApostrophesArriveIntact();
    void commandTimeoutLimitsStatements();
};

void SignInTest::initTestCase() {
    if (!TestDatabase::available())
        QSKIP("needs the test cluster of scripts/test");
    QStandardPaths::setTestModeEnabled(true);
    QSettings("Pelmar", "Reports").clear();
}

void SignInTest::wrongPasswordStaysInTheDialogThenSignsIn() {
    const TestDatabase db = TestDatabase::member();
    UserSession user;
    user.setPasswordDeptCode(kReportsModuleCode);
    QString errorShown;
    whenModalAppears([&](QWidget* dialog) {
        fillAndSubmit(dialog, db, "not the password");
        // The dialog is back with the reason; the second try succeeds.
        whenModalAppears([&](QWidget* again) {
            errorShown = again->findChild<QLabel*>("lblError")->text();
            QVERIFY(again->findChild<QLineEdit*>("txtPassword")->text().isEmpty());
            fillAndSubmit(again, db, db.password);
        });
    });
    user.showMain();

    QVERIFY2(errorShown.contains("password authentication failed"), qPrintable(errorShown));
    QVERIFY(errorShown.contains(db.host));
    QVERIFY(user.connected());
    QCOMPARE(user.employeeName(), QString("Tess Ter"));
    QCOMPARE(user.serverName(), db.host);
    QCOMPARE(user.userId(), db.user);
    QCOMPARE(user.serverPassword(), db.password);

    // The next sign-in offers server, database and user, never the password.
    QSettings remembered("Pelmar", "Reports");
    QCOMPARE(remembered.value("server").toString(), serverText(db));
    QCOMPARE(remembered.value("user").toString(), db.user);
    remembered.sync();
    QFile file(remembered.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains(db.password.toUtf8()));
    SignInDialog next;
    QVERIFY(next.password().isEmpty());
}

void SignInTest::refusals_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("says");
    const TestDatabase outsider = TestDatabase::outsider();
    const TestDatabase member = TestDatabase::member();
    QTest::newRow("no module grant")
        << outsider.host << outsider.user << outsider.password << "has not been granted";
    QTest::newRow("unreachable server")
        << "/nonexistent/socket" << member.user << member.password << "/nonexistent/socket";
    QTest::newRow("unknown user") << member.host << "nobody"
                                  << "x"
                                  << "password authentication failed";
}

void SignInTest::refusals() {
    QFETCH(QString, host);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, says);
    ConnectionSettings settings = settingsOf(TestDatabase::member());
    settings.host = host;
    settings.user = user;
    settings.password = password;
    UserSession session;
    session.setPasswordDeptCode(kReportsModuleCode);
    try {
        session.signIn(settings);
        QFAIL("the sign-in was accepted");
    } catch (const Error& error) {
        QVERIFY2(error.description().contains(says), qPrintable(error.description()));
    }
    QVERIFY(!session.connected());
}

void SignInTest::cancelAbandonsWithoutError() {
    UserSession user;
    whenModalAppears([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    user.showMain();
    QVERIFY(!user.connected());
    QVERIFY(user.lastError().isEmpty());
}

void SignInTest::startUpSignsInLogsAndReadsTheHospital() {
    const TestDatabase db = TestDatabase::member();
    const QDateTime before = adminQuery("SELECT now() AS t").field("t").toDateTime();
    whenModalAppears([&](QWidget* dialog) { fillAndSubmit(dialog, db, db.password); });
    StartupHooks hooks;
    QStringList messages;
    hooks.showMessage = [&](const QString& text) { messages << text; };
    std::unique_ptr<Startup> startup = Main(hooks);

    QVERIFY2(startup, qPrintable(messages.join('\n')));
    QCOMPARE(startup->mainWindow->windowTitle(), QString("Pelmar - Reports"));
    QCOMPARE(session().CompanyName, QString("St. Brigid's Test Hospital"));
    QCOMPARE(session().CompanyAddress, QString("12 Harbour Road, Port Elin"));
    QVERIFY(session().ServerDate.isValid());
    QCOMPARE(session()
                 .CurrentUser->sqlConnection()
                 .query("SHOW statement_timeout")
                 .field("statement_timeout")
                 .toString(),
             QString("0"));

    const RecordSet log =
        adminQuery("SELECT action, statement, login_name, logged_at FROM reports.run_log "
                   "WHERE login_name = ? AND logged_at >= ? ORDER BY id",
                   {db.user, before});
    QVERIFY(log.rowCount() >= 2);
    QCOMPARE(log.field("action").toString(), QString("sign-in"));
    QVERIFY(log.field("logged_at").toDateTime() >= before);
    const QList<QVariantList>& rows = log.rows();
    QVERIFY(std::any_of(rows.begin(), rows.end(), [](const QVariantList& row) {
        return row[0] == "statement" &&
               row[1] == "Select *, GetDate() as CurDate From Patient_data..tbHospitalInfo";
    }));
}

void SignInTest::valuesWithApostrophesArriveIntact() {
    UserSession user;
    user.setPasswordDeptCode(kReportsModuleCode);
    user.signIn(settingsOf(TestDatabase::member()));
    ConnectionStatementRunner runner(user.sqlConnection());

    const QString value = "O'BRIEN'; DROP TABLE reports.run_log; --";
    QCOMPARE(user.sqlConnection().query("SELECT ?::text AS v", {value}).field("v").toString(),
             value);

    // The audit row keeps the statement text as built, quotes and all.
    const QString statement = "Reports..sp_Rep_SearchCompany 'O''BRIEN'";
    runner.logRun("statement", statement, "\\x.rpt", "REPORTS", {"a\"b", "c,d", "O'B"}, {});
    const RecordSet row = adminQuery(
        "SELECT statement, parameters::text AS p FROM reports.run_log ORDER BY id DESC LIMIT 1");
    QCOMPARE(row.field("statement").toString(), statement);
    QCOMPARE(row.field("p").toString(), QString("{\"a\\\"b\",\"c,d\",O'B}"));

    // A refused text is neither run nor logged.
    const qlonglong lastId =
        adminQuery("SELECT max(id) AS id FROM reports.run_log").field("id").toLongLong();
    QVERIFY_THROWS_EXCEPTION(Error, runner.run("Reports..sp_Rep_SearchCompany 'A'; SELECT 1"));
    QCOMPARE(adminQuery("SELECT max(id) AS id FROM reports.run_log").field("id").toLongLong(),
             lastId);
}

void SignInTest::commandTimeoutLimitsStatements() {
    SqlConnection connection(settingsOf(TestDatabase::member()));
    connection.open();
    connection.setCommandTimeout(1);
    try {
        connection.query("SELECT pg_sleep(3)");
        QFAIL("the statement outlived its timeout");
    } catch (const Error& error) {
        QVERIFY2(error.description().contains("statement timeout"),
                 qPrintable(error.description()));
    }
    // The connection stays usable after a failed statement.
    connection.setCommandTimeout(0);
    QCOMPARE(connection.query("SHOW statement_timeout").field("statement_timeout").toString(),
             QString("0"));
}

QTEST_MAIN(SignInTest)
#include "tst_signin.moc"
