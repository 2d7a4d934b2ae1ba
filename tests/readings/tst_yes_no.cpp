// The yes/no reading: shuffle, fan, pick, store, turn and answer, all on driven time.
#include "AppSettings.h"
#include "CardDataStore.h"
#include "DrawnCard.h"
#include "FanSelection.h"
#include "ManualAnimationDriver.h"
#include "QueuedRandomSource.h"
#include "Reading.h"
#include "ReadingEngine.h"
#include "Scheduler.h"
#include "SoundCues.h"
#include "StoreTestSupport.h"
#include "YesNoReadingModel.h"

#include <QSignalSpy>

namespace {

constexpr int shuffleMs = 1600;

QList<SoundEffect::Effect> effects(const QSignalSpy &cues)
{
    QList<SoundEffect::Effect> result;
    for (const QList<QVariant> &cue : cues)
        result.append(cue.first().value<SoundEffect::Effect>());
    return result;
}

} // namespace

class YesNoTest : public QObject
{
    Q_OBJECT

private:
    // A model on the question, with the injected time and randomness.
    std::unique_ptr<YesNoReadingModel> makeModel(ModelContext *context, CardDataStore *cards = nullptr)
    {
        auto model = std::make_unique<YesNoReadingModel>(cards ? *cards : m_cards, context);
        model->setScheduler(m_scheduler);
        model->setRandomSource(m_random);
        return model;
    }

    // Runs the shuffle to its end and spreads the fan.
    void toTheFan(YesNoReadingModel &model)
    {
        model.shuffleDeck();
        QCOMPARE(model.phase(), YesNoReadingModel::Shuffling);
        m_scheduler.advance(shuffleMs);
        QCOMPARE(model.phase(), YesNoReadingModel::Fan);
        m_scheduler.advance(FanSelection::fanOutDelayMs);
        QVERIFY(model.fan()->isFanned());
    }

private slots:
    void initTestCase()
    {
        m_cards.loadCards();
        QCOMPARE(m_cards.allCards().size(), 78);
    }

    // The fan only sets the moment of the draw: the card is the catalogue's card at a uniform
    // index, whatever fan card was clicked, and the coin turns it. The stored setting decides
    // whether there is a coin (no settings record: there is). The question is the reading's
    // notes exactly as typed; with none, the notes keep their empty default and the result
    // quotes nothing.
    void aPickDrawsFromTheWholeCatalogue_data()
    {
        QTest::addColumn<int>("fanIndex");
        QTest::addColumn<int>("setting"); // -1: no record, 0: reversals off, 1: on
        QTest::addColumn<quint64>("raw");
        QTest::addColumn<int>("cardIndex");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("question");
        QTest::newRow("first fan card, last card, reversed")
            << 0 << -1 << quint64(77) << 77 << true << QStringLiteral("  Will the move go well?\n");
        QTest::newRow("middle fan card, first card, upright") << 4 << 1 << quint64(78 * 5) << 0 << false << QString();
        QTest::newRow("last fan card, a middle card") << 8 << 1 << quint64(41) << 41 << true << QStringLiteral("   ");
        QTest::newRow("last fan card, the same middle card") << 8 << -1 << quint64(78 + 41) << 41 << false << QString();
        QTest::newRow("reversals off: no coin") << 2 << 0 << quint64(9) << 9 << false << QString();
    }
    void aPickDrawsFromTheWholeCatalogue()
    {
        QFETCH(int, fanIndex);
        QFETCH(int, setting);
        QFETCH(quint64, raw);
        QFETCH(int, cardIndex);
        QFETCH(bool, reversed);
        QFETCH(QString, question);
        TempStore store;
        auto context = store.open();
        if (setting >= 0) {
            auto *settings = new AppSettings;
            settings->setAllowReversedCards(setting == 1);
            context->insert(settings);
            QVERIFY(context->save());
        }
        auto model = makeModel(context.get());
        model->setQuestionText(question);
        toTheFan(*model);

        m_random.queue({raw, setting == 0 || reversed ? 1u : 2u}); // an odd coin reverses if drawn
        model->pickCard(fanIndex);
        QCOMPARE(model->fan()->selectedIndex(), fanIndex);
        m_scheduler.advance(FanSelection::pickDelayMs - 1);
        QCOMPARE(model->phase(), YesNoReadingModel::Fan);
        QVERIFY(!model->savedReading());
        m_scheduler.advance(1);

        QCOMPARE(model->phase(), YesNoReadingModel::Reveal);
        QCOMPARE(m_random.drawn(), setting == 0 ? 1 : 2); // one index, then one coin if reversals are on
        const TarotCard &expected = m_cards.allCards().at(cardIndex);
        QCOMPARE(model->drawnCard()->id, expected.id);
        QCOMPARE(model->isReversed(), reversed);
        const YesNoAnswer answer = ReadingEngine::yesNoAnswer(expected, reversed);
        QCOMPARE(model->answer(), answer.answer);
        QCOMPARE(model->explanation(), answer.explanation);
        QCOMPARE(model->quotedQuestion(), question.isEmpty() ? QString() : u'"' + question + u'"');
        QVERIFY(!model->isCardRevealed());

        // Stored before the card is turned: one yes/no reading with its one answer card.
        QVERIFY(!context->hasChanges());
        context.reset();
        context = store.open();
        const QList<Reading *> readings = context->fetch<Reading>();
        QCOMPARE(readings.size(), 1);
        QCOMPARE(readings.first()->spreadType(), QStringLiteral("yes_no"));
        QCOMPARE(readings.first()->notes(), question.isEmpty() ? QStringLiteral("") : question);
        QCOMPARE(readings.first()->drawnCards().size(), 1);
        const DrawnCard *drawn = readings.first()->drawnCards().first();
        QCOMPARE(drawn->cardId(), expected.id);
        QCOMPARE(drawn->positionId(), QStringLiteral("answer"));
        QCOMPARE(drawn->isReversed(), reversed);
        QCOMPARE(context->fetch<DrawnCard>().size(), 1);
    }

    // One pick per appearance: a second click while the first waits, or any later click,
    // changes nothing and draws nothing more.
    void aSecondClickDuringTheDelayDoesNothing()
    {
        TempStore store;
        auto context = store.open();
        auto model = makeModel(context.get());
        toTheFan(*model);
        m_random.queue({5, 2});

        model->pickCard(2);
        m_scheduler.advance(100);
        model->pickCard(6);
        QVERIFY(!model->fan()->select(7));
        QCOMPARE(model->fan()->selectedIndex(), 2);
        m_scheduler.advance(FanSelection::pickDelayMs);
        QCOMPARE(model->phase(), YesNoReadingModel::Reveal);
        QCOMPARE(model->drawnCard()->id, m_cards.allCards().at(5).id);
        m_scheduler.advance(1000);
        model->pickCard(3);
        QCOMPARE(m_random.drawn(), 2);
        QCOMPARE(context->fetch<Reading>().size(), 1);
        QCOMPARE(context->fetch<DrawnCard>().size(), 1);
    }

    // Turning the card plays the flip and the reveal once; the answer shows 0.8 s later.
    // Nothing sounds at the pick.
    void theAnswerFollowsTheTurn()
    {
        TempStore store;
        auto context = store.open();
        auto model = makeModel(context.get());
        QSignalSpy cues(&SoundCues::shared(), &SoundCues::cued);
        model->revealCard();
        QVERIFY(!model->isCardRevealed());
        toTheFan(*model);
        m_random.queue({12, 2});
        model->pickCard(5);
        m_scheduler.advance(FanSelection::pickDelayMs);
        QCOMPARE(effects(cues), QList<SoundEffect::Effect>{SoundEffect::Shuffle});

        model->revealCard();
        QVERIFY(model->isCardRevealed());
        model->revealCard();
        QCOMPARE(effects(cues),
                 (QList<SoundEffect::Effect>{SoundEffect::Shuffle, SoundEffect::CardFlip, SoundEffect::Reveal}));
        m_scheduler.advance(YesNoReadingModel::resultDelayMs - 1);
        QCOMPARE(model->phase(), YesNoReadingModel::Reveal);
        m_scheduler.advance(1);
        QCOMPARE(model->phase(), YesNoReadingModel::Result);
        QCOMPARE(m_scheduler.pendingCount(), 0);
    }

    // Leaving the screen destroys the model: what was waiting never runs.
    void leavingCancelsWhatWaits_data()
    {
        QTest::addColumn<int>("leaveIn"); // 0: the pick's delay, 1: the turn's delay
        QTest::newRow("during the pick's delay") << 0;
        QTest::newRow("during the turn's delay") << 1;
    }
    void leavingCancelsWhatWaits()
    {
        QFETCH(int, leaveIn);
        TempStore store;
        auto context = store.open();
        auto model = makeModel(context.get());
        toTheFan(*model);
        m_random.queue({30, 2});
        model->pickCard(0);
        if (leaveIn == 1) {
            m_scheduler.advance(FanSelection::pickDelayMs);
            model->revealCard();
        }
        model.reset();
        m_scheduler.advance(2000);
        QCOMPARE(m_scheduler.pendingCount(), 0);
        QCOMPARE(context->fetch<Reading>().size(), leaveIn);
    }

    // Without a catalogue the pick leaves the user on the fan, its one pick spent.
    void anEmptyCatalogueStaysOnTheFan()
    {
        TempStore store;
        auto context = store.open();
        CardDataStore empty;
        auto model = makeModel(context.get(), &empty);
        toTheFan(*model);
        model->pickCard(3);
        m_scheduler.advance(1000);
        QCOMPARE(model->phase(), YesNoReadingModel::Fan);
        QVERIFY(!model->hasDrawnCard());
        QCOMPARE(context->fetch<Reading>().size(), 0);
        QVERIFY(!model->fan()->select(4));
    }

    // The cards lie stacked until the fan opens; then each follows the one before it by
    // 0.05 s, ending evenly over 150 degrees, the first on the left.
    void theFanOpensFromLeftToRight()
    {
        ManualAnimationDriver animation;
        ManualScheduler scheduler;
        FanSelection fan;
        fan.setScheduler(scheduler);
        fan.appear();
        scheduler.advance(FanSelection::fanOutDelayMs - 1);
        animation.advanceBy(100);
        QVERIFY(!fan.isFanned());
        for (const FanCard *card : fan.cards())
            QCOMPARE(card->angle(), 0.0);
        scheduler.advance(1);
        QVERIFY(fan.isFanned());

        // Part of the way: each card is behind the one on its left, the last has not moved.
        animation.advanceBy(80);
        const auto progress = [&](int i) { return fan.cards().at(i)->angle() / FanSelection::fannedAngle(i, 9); };
        QVERIFY(progress(0) > 0);
        for (int i : {0, 1, 2, 5, 6, 7})
            QVERIFY2(progress(i) >= progress(i + 1), qPrintable(QString::number(i)));
        QCOMPARE(fan.cards().at(8)->angle(), 0.0);

        animation.advanceBy(3000);
        for (const FanCard *card : fan.cards()) {
            QCOMPARE(card->angle(), -75 + 18.75 * card->index());
            QCOMPARE(card->stacking(), card->index());
        }

        // The picked card rises over all others; a fresh appearance stacks the cards again.
        QVERIFY(fan.select(3));
        animation.advanceBy(2000);
        QCOMPARE(fan.cards().at(3)->lift(), 1.0);
        QCOMPARE(fan.cards().at(3)->stacking(), FanSelection::selectedStacking);
        fan.appear();
        QCOMPARE(fan.selectedIndex(), -1);
        QCOMPARE(fan.cards().at(3)->lift(), 0.0);
        QCOMPARE(fan.cards().at(3)->angle(), 0.0);
        QCOMPARE(fan.cards().at(3)->stacking(), 3);
        QVERIFY(!fan.isFanned());
    }

private:
    CardDataStore m_cards;
    ManualScheduler m_scheduler;
    QueuedRandomSource m_random;
};

QTEST_MAIN(YesNoTest)
#include "tst_yes_no.moc"
