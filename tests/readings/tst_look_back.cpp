// Going back to a reading: the look-back day counts in calendar days where the user lives, so a
// week that spans a change of the clocks, a month from the 31st, and a reading made in another
// time zone all come due on the day a person would expect. The suite runs in Europe/Berlin
// (set for every test), the user's zone here.
#include "LookBack.h"

#include <QTest>
#include <QTimeZone>

class LookBackTest : public QObject
{
    Q_OBJECT

private slots:
    void theDayIsCountedInLocalCalendarDays_data()
    {
        QTest::addColumn<QDateTime>("reading");
        QTest::addColumn<int>("after");
        QTest::addColumn<QDate>("due");
        const QTimeZone berlin("Europe/Berlin");
        // The clocks go forward on 29 March 2026 and back on 25 October 2026 in Berlin.
        QTest::newRow("a week across spring forward")
            << QDateTime(QDate(2026, 3, 25), QTime(23, 30), berlin) << int(LookBack::After::Week) << QDate(2026, 4, 1);
        QTest::newRow("a week from the night the clocks go back")
            << QDateTime(QDate(2026, 10, 25), QTime(2, 30), berlin) << int(LookBack::After::Week) << QDate(2026, 11, 1);
        QTest::newRow("a month from the 31st")
            << QDateTime(QDate(2026, 1, 31), QTime(9, 0), berlin) << int(LookBack::After::Month) << QDate(2026, 2, 28);
        QTest::newRow("three months into a leap February") << QDateTime(QDate(2027, 11, 30), QTime(9, 0), berlin)
                                                           << int(LookBack::After::ThreeMonths) << QDate(2028, 2, 29);
        // Made at 23:30 in New York, which is already the next day in Berlin, where the user is.
        QTest::newRow("made in another time zone")
            << QDateTime(QDate(2026, 6, 10), QTime(23, 30), QTimeZone("America/New_York")) << int(LookBack::After::Week)
            << QDate(2026, 6, 18);
    }
    void theDayIsCountedInLocalCalendarDays()
    {
        QFETCH(QDateTime, reading);
        QFETCH(int, after);
        QFETCH(QDate, due);
        QCOMPARE(LookBack::dayAfter(reading, LookBack::After(after)), due);
        QVERIFY(!LookBack::isDue(due, due.addDays(-1)));
        QVERIFY(LookBack::isDue(due, due));
        QVERIFY(LookBack::isDue(due, due.addDays(30)));
        QCOMPARE(LookBack::fromStored(LookBack::stored(due)), due);
    }

    void noDayIsNeverDue()
    {
        QVERIFY(!LookBack::isDue(QDate(), QDate(2026, 1, 1)));
        QCOMPARE(LookBack::stored(QDate()), QString());
        QVERIFY(!LookBack::fromStored(QStringLiteral("soon")).isValid());
    }
};

QTEST_GUILESS_MAIN(LookBackTest)
#include "tst_look_back.moc"
