// The reading flow behind the three-card and Celtic Cross screens: shuffle, deal, store, reveal.
#include "AppSettings.h"
#include "CardDataStore.h"
#include "DrawnCard.h"
#include "OtherConnection.h"
#include "PositionedCardList.h"
#include "RandomSource.h"
#include "Reading.h"
#include "ReadingFlowModel.h"
#include "Scheduler.h"
#include "ShuffleChoreography.h"
#include "SoundCues.h"
#include "SpreadDefinition.h"
#include "StoreTestSupport.h"

#include <QSignalSpy>

namespace {

// Every raw value is the same: shuffles come out the same way each time and every coin lands
// the same side (odd: reversed).
class ConstantRandomSource : public RandomSource
{
public:
    explicit ConstantRandomSource(quint64 value) : m_value(value) {}
    quint64 next() override { return m_value; }

private:
    quint64 m_value;
};

constexpr int shuffleMs = 1600;

} // namespace

class ReadingFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_cards.loadCards();
        QCOMPARE(m_cards.allCards().size(), 78);
    }

    // The whole road of one reading, for both spreads and every state of the reversal setting:
    // nothing happens before the shuffle ends; then the reading is dealt, stored once with its
    // cards in position order, the reveal is cued and the results show.
    void aReadingIsDealtStoredAndRevealed_data()
    {
        QTest::addColumn<QString>("spreadId");
        QTest::addColumn<int>("settings"); // -1: no record, 0: reversals off, 1: on
        for (const QString &spread : {QStringLiteral("three_card"), QStringLiteral("celtic_cross")}) {
            QTest::addRow("%s, no settings", qPrintable(spread)) << spread << -1;
            QTest::addRow("%s, reversals off", qPrintable(spread)) << spread << 0;
            QTest::addRow("%s, reversals on", qPrintable(spread)) << spread << 1;
        }
    }
    void aReadingIsDealtStoredAndRevealed()
    {
        QFETCH(QString, spreadId);
        QFETCH(int, settings);
        const SpreadDefinition spread = *SpreadDefinition::withID(spreadId);
        TempStore store;
        auto context = store.open();
        if (settings >= 0) {
            auto *record = new AppSettings;
            record->setAllowReversedCards(settings == 1);
            context->insert(record);
            QVERIFY(context->save());
        }
        ManualScheduler scheduler;
        ConstantRandomSource odd(1);
        ReadingFlowModel model(m_cards, spreadId, context.get());
        model.setScheduler(scheduler);
        model.setRandomSource(odd);
        QSignalSpy cues(&SoundCues::shared(), &SoundCues::cued);
        QCOMPARE(model.phase(), ReadingFlowModel::Intro);

        model.beginReading();
        QCOMPARE(model.phase(), ReadingFlowModel::Shuffling);
        QVERIFY(model.choreography()->isShuffling());
        scheduler.advance(shuffleMs - 1);
        QCOMPARE(model.phase(), ReadingFlowModel::Shuffling);
        QCOMPARE(context->fetch<Reading>().size(), 0);
        QVERIFY(!model.savedReading());

        scheduler.advance(1);
        QCOMPARE(model.phase(), ReadingFlowModel::Results);
        QCOMPARE(cues.size(), 2);
        QCOMPARE(cues.at(0).first().value<SoundEffect::Effect>(), SoundEffect::Shuffle);
        QCOMPARE(cues.at(1).first().value<SoundEffect::Effect>(), SoundEffect::Reveal);

        const bool reversed = settings != 0;
        const QList<PositionedCard> &dealt = model.drawnCards()->cards();
        QCOMPARE(dealt.size(), spread.cardCount);
        QSet<QString> distinct;
        for (const PositionedCard &card : dealt) {
            QCOMPARE(card.isReversed, reversed);
            distinct.insert(card.card.id);
        }
        QCOMPARE(distinct.size(), dealt.size());
        QVERIFY(!context->hasChanges());

        // What reached the disk: one reading of this spread, its cards in position order.
        QPointer<Reading> saved = model.savedReading();
        QVERIFY(saved);
        context.reset();
        context = store.open();
        const QList<Reading *> readings = context->fetch<Reading>();
        QCOMPARE(readings.size(), 1);
        QCOMPARE(readings.first()->spreadType(), spreadId);
        QVERIFY(!readings.first()->isFavorite());
        const QList<DrawnCard *> drawn = readings.first()->drawnCards();
        QCOMPARE(drawn.size(), spread.cardCount);
        QCOMPARE(context->fetch<DrawnCard>().size(), drawn.size());
        for (int i = 0; i < drawn.size(); ++i) {
            QCOMPARE(drawn.at(i)->positionId(), spread.positions.at(i).id);
            QCOMPARE(drawn.at(i)->cardId(), dealt.at(i).card.id);
            QCOMPARE(drawn.at(i)->isReversed(), reversed);
        }
    }

    // The results show even when the store refuses the reading; the records stay in memory
    // for the next save, and nothing is logged.
    void aFailedSaveStillShowsTheResults()
    {
        TempStore store;
        auto context = store.open();
        context->insert(new AppSettings);
        QVERIFY(context->save());
        OtherConnection raw(store.path());
        QVERIFY(raw.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Reading "
                                        "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        ManualScheduler scheduler;
        ReadingFlowModel model(m_cards, QStringLiteral("celtic_cross"), context.get());
        model.setScheduler(scheduler);
        LogCapture log;
        model.beginReading();
        scheduler.advance(shuffleMs);
        QCOMPARE(model.phase(), ReadingFlowModel::Results);
        QCOMPARE(model.drawnCards()->count(), 10);
        QVERIFY(model.savedReading());
        QCOMPARE(model.savedReading()->drawnCards().size(), 10);
        QVERIFY(context->hasChanges());
        QVERIFY2(log.lines().isEmpty(), qPrintable(log.lines().join(u'\n')));

        QVERIFY(raw.exec(QStringLiteral("DROP TRIGGER refuse")));
        QVERIFY(context->save());
        QCOMPARE(store.open()->fetch<DrawnCard>().size(), 10);
    }

    // Each action works only in its own phase, and a card can be opened again after the viewer
    // was closed.
    void actionsOutOfTurnDoNothing()
    {
        TempStore store;
        auto context = store.open();
        ManualScheduler scheduler;
        ReadingFlowModel model(m_cards, QStringLiteral("three_card"), context.get());
        model.setScheduler(scheduler);
        model.selectCard(0);
        QCOMPARE(model.selectedCardIndex(), -1);
        model.beginReading();
        model.beginReading();
        QCOMPARE(model.choreography()->runningTasks(), 1);
        scheduler.advance(shuffleMs);
        QCOMPARE(context->fetch<Reading>().size(), 1);
        model.beginReading();
        scheduler.advance(shuffleMs);
        QCOMPARE(model.phase(), ReadingFlowModel::Results);
        QCOMPARE(context->fetch<Reading>().size(), 1);

        QSignalSpy selected(&model, &ReadingFlowModel::selectedCardIndexChanged);
        model.selectCard(3);
        model.selectCard(-1);
        QCOMPARE(selected.size(), 0);
        model.selectCard(2);
        QCOMPARE(model.selectedCardIndex(), 2);
        model.clearSelection();
        QCOMPARE(model.selectedCardIndex(), -1);
        model.selectCard(2);
        QCOMPARE(model.selectedCardIndex(), 2);
        QCOMPARE(selected.size(), 3);
    }

    // Leaving the screen during the shuffle ends the shuffle: nothing is dealt or stored.
    void leavingDuringTheShuffleStoresNothing()
    {
        TempStore store;
        auto context = store.open();
        ManualScheduler scheduler;
        auto *model = new ReadingFlowModel(m_cards, QStringLiteral("three_card"), context.get());
        model->setScheduler(scheduler);
        model->beginReading();
        scheduler.advance(800);
        delete model;
        scheduler.advance(shuffleMs);
        QCOMPARE(scheduler.pendingCount(), 0);
        QCOMPARE(context->fetch<Reading>().size(), 0);
        QVERIFY(!context->hasChanges());
    }

    // Without the card files there is nothing to deal: no reading, and the deck waits again.
    void anEmptyCatalogueStoresNoReading()
    {
        TempStore store;
        auto context = store.open();
        CardDataStore empty;
        ManualScheduler scheduler;
        ReadingFlowModel model(empty, QStringLiteral("celtic_cross"), context.get());
        model.setScheduler(scheduler);
        model.beginReading();
        scheduler.advance(shuffleMs);
        QCOMPARE(model.phase(), ReadingFlowModel::Intro);
        QCOMPARE(model.drawnCards()->count(), 0);
        QVERIFY(!model.savedReading());
        QCOMPARE(context->fetch<Reading>().size(), 0);
    }

private:
    CardDataStore m_cards;
};

QTEST_GUILESS_MAIN(ReadingFlowTest)
#include "tst_reading_flow.moc"
