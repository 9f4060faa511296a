#pragma once
// The small data set of the engine's tests, with totals known by hand:
// March 2012 in Reports: LB 3 visits, qty 6, 255.75; XR 3 visits, qty 4,
// 619.99; together qty 10, 875.74.  April's row is outside the period.
// Billing holds rows of its own so a test can tell which schema was read.

#include "TestDatabase.h"
#include "reporting/ReportRoutines.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace pelmar::test {

inline QString engineTemplates() {
    return qEnvironmentVariable("PELMAR_SOURCE_DIR") + QStringLiteral("/tests/engine/templates");
}

inline void loadEngineFixture() {
    const TestDatabase admin = TestDatabase::admin();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "engine-fixture");
        db.setHostName(admin.host);
        db.setPort(admin.port);
        db.setDatabaseName(admin.database);
        db.setUserName(admin.user);
        db.setPassword(admin.password);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        const char* sql = R"SQL(
BEGIN;
SELECT pg_advisory_xact_lock(4242);
CREATE TABLE IF NOT EXISTS reports.eng_charges (dept text, patient text, service_date date, qty int, amount numeric(12,2));
CREATE TABLE IF NOT EXISTS billing.eng_charges (dept text, patient text, service_date date, qty int, amount numeric(12,2));
CREATE TABLE IF NOT EXISTS reports.eng_departments (dept text PRIMARY KEY, dept_name text);
CREATE TABLE IF NOT EXISTS billing.eng_departments (dept text PRIMARY KEY, dept_name text);
CREATE TABLE IF NOT EXISTS patient_data.eng_departments (dept text PRIMARY KEY, dept_name text);
DELETE FROM reports.eng_charges; DELETE FROM billing.eng_charges;
DELETE FROM reports.eng_departments; DELETE FROM billing.eng_departments; DELETE FROM patient_data.eng_departments;
INSERT INTO reports.eng_charges VALUES
  ('LB', 'Ann Lee', '2012-03-01', 2, 150.00), ('LB', 'Bob Roy', '2012-03-05', 1, 75.50),
  ('LB', 'Cy Dale', '2012-03-09', 3, 30.25), ('XR', 'Dee Fox', '2012-03-02', 1, 400.00),
  ('XR', 'Eve Gil', '2012-03-15', 2, 120.00), ('XR', 'O''Neil Pat', '2012-03-20', 1, 99.99),
  ('US', 'Fay Hu', '2012-04-01', 1, 55.00);
INSERT INTO billing.eng_charges VALUES
  ('BL', 'Bill Only', '2012-03-10', 4, 44.44), ('BL', 'Bea Ledger', '2012-03-11', 1, 1.01);
INSERT INTO reports.eng_departments VALUES ('LB', 'Laboratory'), ('XR', 'X-Ray'), ('US', 'Ultrasound');
INSERT INTO billing.eng_departments VALUES ('BL', 'Billing Office');
INSERT INTO patient_data.eng_departments VALUES ('LB', 'Lab (patient data)'), ('XR', 'X-Ray (patient data)');
GRANT SELECT ON reports.eng_charges, billing.eng_charges, reports.eng_departments,
  billing.eng_departments, patient_data.eng_departments TO pelmar_reports;
COMMIT;
)SQL";
        QVERIFY2(q.exec(QString::fromUtf8(sql)), qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase("engine-fixture");
}

inline void useTestLogOn(const QString& password = {}) {
    setLogOnSource([password] {
        const TestDatabase m = TestDatabase::member();
        return LogOnValues{m.host, m.port, m.database, m.user,
                           password.isEmpty() ? m.password : password};
    });
}

// The text of a PDF as pdftotext reads it, layout kept.
inline QString pdfText(const QString& file) {
    QProcess p;
    p.start("pdftotext", {"-layout", file, "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>")
            .arg(QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Runs python3 (Debian's, with xlrd) on a script; returns its output.
inline QString python(const QString& script, const QStringList& args) {
    QProcess p;
    p.start("/usr/bin/python3", QStringList{"-c", script} + args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QStringLiteral("<python failed: %1>")
            .arg(QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every sheet of an .xls as lines "sheet|row|type:value|type:value...".
inline QStringList xlsRows(const QString& file) {
    const QString script = QStringLiteral(R"PY(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
for s in book.sheets():
    for r in range(s.nrows):
        cells = []
        for c in s.row(r):
            if c.ctype == xlrd.XL_CELL_DATE:
                y, m, d, *_ = xlrd.xldate_as_tuple(c.value, book.datemode)
                cells.append('D:%02d/%02d/%04d' % (m, d, y))
            elif c.ctype == xlrd.XL_CELL_NUMBER:
                cells.append('N:%r' % c.value)
            elif c.ctype == xlrd.XL_CELL_TEXT:
                cells.append('T:' + c.value)
            else:
                cells.append('')
        while cells and cells[-1] == '':
            cells.pop()
        print(s.name + '|' + str(r) + '|' + '|'.join(cells))
)PY");
    return python(script, {file}).split('\n', Qt::SkipEmptyParts);
}

} // namespace pelmar::test
