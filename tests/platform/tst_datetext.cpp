#include "platform/DateText.h"

#include <QTest>

using namespace pelmar;

class DateTextTest : public QObject {
    Q_OBJECT

private slots:
    void monthRange_data();
    void monthRange();
    void formatsIgnoreTheWorkstationLocale();
    void periodCheck_data();
    void periodCheck();
};

void DateTextTest::monthRange_data() {
    QTest::addColumn<QDate>("picked");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("mid-March") << QDate(2012, 3, 15) << "03/01/2012"
                               << "03/31/2012";
    QTest::newRow("leap February") << QDate(2012, 2, 10) << "02/01/2012"
                                   << "02/29/2012";
    QTest::newRow("plain February") << QDate(2013, 2, 28) << "02/01/2013"
                                    << "02/28/2013";
    QTest::newRow("December") << QDate(2012, 12, 1) << "12/01/2012"
                              << "12/31/2012";
    QTest::newRow("30-day month, last day") << QDate(2012, 4, 30) << "04/01/2012"
                                            << "04/30/2012";
}

void DateTextTest::monthRange() {
    QFETCH(QDate, picked);
    QFETCH(QString, start);
    QFETCH(QString, end);
    const MonthRangeTexts range = MonthRange(picked);
    QCOMPARE(range.start, start);
    QCOMPARE(range.end, end);
}

void DateTextTest::formatsIgnoreTheWorkstationLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QDate date(2012, 3, 5);
    QCOMPARE(usDate(date), QString("03/05/2012"));
    QCOMPARE(sortableDate(date), QString("2012/03/05"));
    QCOMPARE(fileDate(date), QString("03-05-2012"));
    QCOMPARE(monthCaption(date), QString("Mar,2012"));
    QCOMPARE(fromUsDate("03/05/2012"), date);
    QVERIFY(!fromUsDate("2012-03-05").isValid());
    QLocale::setDefault(QLocale::c());
}

void DateTextTest::periodCheck_data() {
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<bool>("accepted");
    const QDate today(2012, 3, 15);
    QTest::newRow("ordinary") << QDate(2012, 3, 1) << QDate(2012, 3, 14) << true;
    QTest::newRow("one day, today") << today << today << true;
    QTest::newRow("backwards") << QDate(2012, 3, 10) << QDate(2012, 3, 9) << false;
    QTest::newRow("ends tomorrow") << QDate(2012, 3, 1) << QDate(2012, 3, 16) << false;
    QTest::newRow("across years") << QDate(2011, 12, 31) << QDate(2012, 1, 1) << true;
}

void DateTextTest::periodCheck() {
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(bool, accepted);
    QCOMPARE(PeriodCheck(start, end, QDate(2012, 3, 15)), accepted);
}

QTEST_GUILESS_MAIN(DateTextTest)
#include "tst_datetext.moc"
