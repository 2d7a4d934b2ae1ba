// Writing down a reading done with one's own deck, editing it later, and looking back on any
// reading: what is stored, what an edit keeps, which readings are due, and the outcome's limit.
#include "Clock.h"
#include "DrawnCard.h"
#include "Reading.h"
#include "ReadingOutcomeModel.h"
#include "Readings.h"
#include "ReadingsToLookBack.h"
#include "RecordReadingModel.h"
#include "Scheduler.h"
#include "StoreTestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime now(QDate(2026, 12, 8), QTime(21, 0));

// The cards of a stored reading as "position=card" (with "~" for reversed), in stored order.
QStringList cardsOf(const Reading &reading)
{
    QStringList cards;
    for (const DrawnCard *card : reading.drawnCards())
        cards.append(card->positionId() + u'=' + card->cardId() + (card->isReversed() ? u"~"_s : QString()));
    return cards;
}

} // namespace

class RecordReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::pin(now); }
    void cleanup() { Clock::reset(); }

    void aRecordedCelticCrossIsStoredAsTheUsersOwn()
    {
        TempStore store;
        QUuid id;
        {
            auto context = store.open();
            RecordReadingModel record;
            record.setModelContext(context.get());
            record.setSpreadId(u"celtic_cross"_s);
            QCOMPARE(record.count(), 10);
            QVERIFY(!record.canSave());
            QCOMPARE(record.stateText(), u"Type the name of each card you drew, position by position."_s);
            for (int i = 0; i < 10; ++i)
                QVERIFY(record.place(i, u"cups_%1"_s.arg(i + 1, 2, 10, QLatin1Char('0'))));
            record.setReversed(2, true);
            // A card already laid is refused at the second place, which keeps its own card.
            QVERIFY(!record.place(9, u"cups_01"_s));
            QCOMPARE(record.data(record.index(9), RecordReadingModel::ProblemRole).toString(),
                     u"Ace of Cups is already in this reading, at The Present."_s);
            QCOMPARE(record.data(record.index(9), RecordReadingModel::CardIdRole).toString(), u"cups_10"_s);
            QVERIFY(record.addExtra(u"major_16"_s));
            QVERIFY(!record.addExtra(u"cups_03"_s));
            QVERIFY(record.setDateText(u"2026-12-01 07:30"_s));
            record.setQuestion(u"What does the new year ask of me?"_s);
            record.setNotes(u"The Tower fell out first."_s);
            record.setLookBack(RecordReadingModel::InAMonth);
            QVERIFY(record.canSave());
            Reading *saved = record.save();
            QVERIFY(saved);
            id = saved->id();
        }
        auto context = store.open(); // from the file, not from memory
        const QList<Reading *> readings = context->fetch<Reading>();
        QCOMPARE(readings.size(), 1);
        const Reading &reading = *readings.constFirst();
        QCOMPARE(reading.id(), id);
        QVERIFY(reading.isRecorded());
        QCOMPARE(reading.spreadType(), u"celtic_cross"_s);
        QCOMPARE(reading.date(), QDateTime(QDate(2026, 12, 1), QTime(7, 30)));
        QCOMPARE(reading.question(), u"What does the new year ask of me?"_s);
        QCOMPARE(reading.notes(), u"The Tower fell out first."_s);
        QCOMPARE(reading.lookBackOn(), u"2027-01-01"_s);
        const QStringList cards = cardsOf(reading);
        QCOMPARE(cards.size(), 11);
        QCOMPARE(cards.at(0), u"present=cups_01"_s);
        QCOMPARE(cards.at(2), u"foundation=cups_03~"_s);
        QCOMPARE(cards.at(10), u"extra=major_16"_s);
    }

    void aDayAndTimeMustBeOneAndNotToCome_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("problem");
        QTest::newRow("words") << u"last Tuesday"_s << u"Write the day and time as 2026-12-08 21:00."_s;
        QTest::newRow("no time") << u"2026-12-01"_s << u"Write the day and time as 2026-12-08 21:00."_s;
        QTest::newRow("impossible day") << u"2026-02-30 10:00"_s << u"Write the day and time as 2026-12-08 21:00."_s;
        QTest::newRow("a minute ahead") << u"2026-12-08 21:01"_s << u"A reading cannot be dated in the future."_s;
        QTest::newRow("extra spaces") << u"  2026-12-08   20:59 "_s << QString();
    }

    void aDayAndTimeMustBeOneAndNotToCome()
    {
        QFETCH(QString, typed);
        QFETCH(QString, problem);
        RecordReadingModel record;
        QVERIFY(record.place(0, u"major_00"_s));
        QCOMPARE(record.setDateText(typed), problem.isEmpty());
        QCOMPARE(record.dateProblem(), problem);
        QCOMPARE(record.canSave(), problem.isEmpty());
        QCOMPARE(record.dateText(), typed); // kept as typed, to be corrected
    }

    void anEditKeepsTheReadingItsIdentityAndItsStar()
    {
        TempStore store;
        QUuid id;
        {
            auto context = store.open();
            RecordReadingModel record;
            record.setModelContext(context.get());
            record.setSpreadId(u"three_card"_s);
            for (int i = 0; i < 3; ++i)
                QVERIFY(record.place(i, u"swords_0%1"_s.arg(i + 1)));
            QVERIFY(record.addExtra(u"major_01"_s));
            QVERIFY(record.addExtra(u"major_02"_s));
            Reading *saved = record.save();
            QVERIFY(saved);
            saved->setIsFavorite(true);
            QVERIFY(context->save());
            id = saved->id();
        }
        {
            auto context = store.open();
            Reading *stored = context->fetch<Reading>().constFirst();
            RecordReadingModel edit;
            edit.setReading(stored);
            QVERIFY(edit.isEditing());
            QCOMPARE(edit.spreadId(), u"three_card"_s);
            // The spread stays while editing.
            edit.setSpreadId(u"celtic_cross"_s);
            QCOMPARE(edit.count(), 3);
            QCOMPARE(edit.extraCards().size(), 2);
            // A card moves: cleared at one place, laid at another.
            QVERIFY(edit.place(0, QString()));
            QVERIFY(edit.place(2, u"swords_01"_s));
            QVERIFY(edit.place(0, u"wands_09"_s));
            edit.setExtraReversed(1, true);
            edit.removeExtra(0);
            edit.setNotes(u"Seen again."_s);
            QCOMPARE(edit.save(), stored);
        }
        auto context = store.open();
        QCOMPARE(context->fetch<Reading>().size(), 1);
        const Reading &reading = *context->fetch<Reading>().constFirst();
        QCOMPARE(reading.id(), id);
        QVERIFY(reading.isFavorite());
        QVERIFY(reading.isRecorded());
        QCOMPARE(reading.notes(), u"Seen again."_s);
        QCOMPARE(cardsOf(reading), (QStringList{u"past=wands_09"_s, u"present=swords_02"_s, u"future=swords_01"_s,
                                                u"extra=major_02~"_s}));
        // The card no longer there left no row behind.
        QCOMPARE(context->fetch<DrawnCard>().size(), 4);
    }

    void aDealtReadingKeepsItsCards()
    {
        TempStore store;
        auto context = store.open();
        Reading *dealt = addReading(*context, u"three_card"_s, now.addDays(-1));
        RecordReadingModel edit;
        edit.setReading(dealt);
        QVERIFY(!edit.isEditing());
    }

    // Due once the day has come and nothing is written yet; newest reading first; the total
    // counts stored and unsaved readings alike.
    void readingsComeDueOnTheirDayUntilAnOutcomeIsWritten()
    {
        TempStore store;
        auto context = store.open();
        const auto add = [&](int daysAgo, const QString &lookBackOn, const QString &outcome = {}) {
            Reading *reading = addReading(*context, u"three_card"_s, now.addDays(-daysAgo));
            reading->setLookBackOn(lookBackOn);
            reading->setOutcome(outcome);
            return reading;
        };
        Reading *older = add(40, u"2026-11-08"_s);
        Reading *today = add(7, u"2026-12-08"_s);
        add(3, u"2026-12-09"_s);                   // tomorrow
        add(60, u"2026-10-08"_s, u"It passed."_s); // looked back on already
        add(2, QString());                         // no day
        QVERIFY(context->save());
        Reading *unsaved = add(1, u"2026-12-01"_s);

        ReadingsToLookBack list;
        list.setLimit(2);
        list.setModelContext(context.get());
        QCOMPARE(list.readings(), (QList<Reading *>{unsaved, today}));
        QCOMPARE(list.total(), 3);
        QCOMPARE(Readings(context.get()).dueCount(now.date()), 3);

        // Writing how it turned out takes a reading off the list.
        QSignalSpy total(&list, &ReadingsToLookBack::totalChanged);
        unsaved->setOutcome(u"Fine."_s);
        // The store reports changes once per event-loop turn.
        QCoreApplication::processEvents();
        QCOMPARE(total.size(), 1);
        QCOMPARE(list.readings(), (QList<Reading *>{today, older}));
        QCOMPARE(list.total(), 2);
        QCOMPARE(Readings(context.get()).due(now.date().addDays(1), 10).size(), 3);
    }

    void anOutcomeIsCutAtItsLimitAndSavedWhenTypingPauses()
    {
        TempStore store;
        auto context = store.open();
        Reading *reading = addReading(*context, u"three_card"_s, QDateTime(QDate(2026, 1, 31), QTime(23, 30)));
        QVERIFY(context->save());
        ManualScheduler scheduler;
        ReadingOutcomeModel outcome;
        outcome.setScheduler(scheduler);
        outcome.setReading(reading);

        // Each "e" with its accent is one character of two code points.
        outcome.editOutcome(u"e\u0301"_s.repeated(50'001));
        QCOMPARE(reading->outcome().size(), 100'000);
        QVERIFY(context->hasChanges());
        scheduler.advance(ReadingOutcomeModel::saveDelayMs - 1);
        QVERIFY(context->hasChanges());
        scheduler.advance(1);
        QVERIFY(!context->hasChanges());

        // A month after the 31st of January is the last day of February.
        outcome.lookBackAfter(ReadingOutcomeModel::InAMonth);
        QCOMPARE(reading->lookBackOn(), u"2026-02-28"_s);
        QVERIFY(!context->hasChanges()); // a chosen day is stored at once
        QCOMPARE(outcome.lookBackText(), u"Ready to look back on since February 28, 2026."_s);
        QVERIFY(!outcome.lookBackOn(u"next spring"_s));
        QCOMPARE(outcome.lookBackProblem(), u"Write the day as 2026-12-15."_s);
        QCOMPARE(reading->lookBackOn(), u"2026-02-28"_s);
        QVERIFY(outcome.lookBackOn(u"2027-03-01"_s));
        QCOMPARE(outcome.lookBackText(), u"Look back on March 1, 2027."_s);
        QCOMPARE(outcome.lookBackProblem(), QString());
    }
};

QTEST_GUILESS_MAIN(RecordReadingTest)
#include "tst_record_reading.moc"
