#include "RecordingStatements.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/sql/StatementLayer.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

using namespace pelmar;
using namespace pelmar::test;

class RecordSetTest : public QObject {
    Q_OBJECT

private slots:
    void cursorWalksRowsByColumnName();
    void emptySetIsAtStartAndEnd();
    void openRecordsetClosesWhatItHeld();
    void statementsWithoutASessionFailClearly();
    void nativePaths_data();
    void nativePaths();
};

void RecordSetTest::cursorWalksRowsByColumnName() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchCompany",
              rowSet({"Name", "Code"}, {{"O'BRIEN CLINIC", "C01"}, {QVariant(), "C02"}}));
    RecordSet rs = ExecuteSqlForRows("Reports..sp_Rep_SearchCompany 'O'");
    QVERIFY(!rs.atStart() && !rs.atEnd());
    QCOMPARE(rs.field("NAME").toString(), QString("O'BRIEN CLINIC"));
    QCOMPARE(rs.field("code").toString(), QString("C01"));
    rs.moveNext();
    QVERIFY(rs.isNull("Name"));
    QVERIFY(!rs.isNull("Code"));
    rs.moveNext();
    QVERIFY(rs.atEnd());
    QVERIFY_THROWS_EXCEPTION(Error, rs.field("Name"));
    rs.moveFirst();
    QCOMPARE(rs.field("Code").toString(), QString("C01"));
    try {
        rs.field("Balance");
        QFAIL("an unknown column was read");
    } catch (const Error& e) {
        QVERIFY(e.description().contains("Balance"));
    }
}

void RecordSetTest::emptySetIsAtStartAndEnd() {
    RecordingStatements db;
    RecordSet rs = ExecuteSqlForRows("Reports..sp_Rep_SearchClass ''");
    QVERIFY(rs.isOpen());
    QVERIFY(rs.atStart() && rs.atEnd());
}

void RecordSetTest::openRecordsetClosesWhatItHeld() {
    RecordingStatements db;
    db.answer("Reports..sp_Rep_SearchPeriod", rowSet({"Name", "Code"}, {{"March", "3"}}));
    RecordSet rs;
    OpenRecordset(rs, "Reports..sp_Rep_SearchCompany 'A'");
    QVERIFY(rs.atEnd());
    OpenRecordset(rs, "Reports..sp_Rep_SearchPeriod 'M'");
    QCOMPARE(rs.field("Code").toString(), QString("3"));
    rs.close();
    QVERIFY(!rs.isOpen());
    QVERIFY_THROWS_EXCEPTION(Error, rs.field("Code"));
    QCOMPARE(db.statements, (QStringList{"Reports..sp_Rep_SearchCompany 'A'",
                                         "Reports..sp_Rep_SearchPeriod 'M'"}));
}

void RecordSetTest::statementsWithoutASessionFailClearly() {
    try {
        ExecuteSql("Reports..sp_Rep_SearchCompany 'A'");
        QFAIL("ran without a session");
    } catch (const Error& e) {
        QVERIFY(e.description().contains("sign in"));
    }
}

void RecordSetTest::nativePaths_data() {
    QTest::addColumn<QString>("systemPath");
    QTest::addColumn<QString>("expected");
    QStandardPaths::setTestModeEnabled(true);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QTest::newRow("template") << "/opt/pelmar\\REPORTS\\Aging.rpt"
                              << "/opt/pelmar/REPORTS/Aging.rpt";
    QTest::newRow("picture") << "/opt/pelmar\\Reports.Jpg"
                             << "/opt/pelmar/Reports.Jpg";
    QTest::newRow("common desktop")
        << "C:\\Documents and Settings\\All Users\\Desktop\\Daily Income Report 03-15-2012.xls"
        << desktop + "/Daily Income Report 03-15-2012.xls";
    QTest::newRow("common desktop, other case")
        << "c:\\documents and settings\\all users\\desktop\\x.xls" << desktop + "/x.xls";
}

void RecordSetTest::nativePaths() {
    QFETCH(QString, systemPath);
    QFETCH(QString, expected);
    QCOMPARE(nativePath(systemPath), QDir::toNativeSeparators(expected));
    if (systemPath.contains("Desktop", Qt::CaseInsensitive))
        QVERIFY(QDir(QFileInfo(expected).path()).exists());
}

QTEST_GUILESS_MAIN(RecordSetTest)
#include "tst_recordset.moc"
