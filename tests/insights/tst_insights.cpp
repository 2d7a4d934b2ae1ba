// The insights over real stores and simulated ones: a planted favourite is found and nothing
// else, uniform draws are marked no more often than the chosen rate, too few draws say so, the
// balance names what leans, the moods fall into their months, and the headless command prints
// the same numbers.
#include "CardDataStore.h"
#include "Clock.h"
#include "InsightsCommand.h"
#include "InsightsModel.h"
#include "InsightsReport.h"
#include "JournalEntry.h"
#include "StoreTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTextStream>

#include <algorithm>
#include <random>

using namespace InsightsReport;

namespace {

const QString tower = QStringLiteral("major_16");

QStringList deckIds()
{
    QStringList ids;
    for (const TarotCard &card : CardDataStore::shared().allCards())
        ids.append(card.id);
    return ids;
}

// `size` different cards, as a deal gives them.
QStringList deal(std::mt19937 &random, int size)
{
    QStringList ids = deckIds();
    std::shuffle(ids.begin(), ids.end(), random);
    return ids.mid(0, size);
}

// Draws counted as the store's tally would count them: daily cards and readings of three and ten.
DrawTallies::Tally simulated(std::mt19937 &random, int daily, int threes, int tens)
{
    DrawTallies::Tally tally;
    std::bernoulli_distribution coin(0.5);
    const auto draw = [&](int size, int times) {
        for (int i = 0; i < times; ++i)
            for (const QString &id : deal(random, size))
                (coin(random) ? tally.cards[id].reversed : tally.cards[id].upright) += 1;
        if (times > 0)
            tally.eventsBySize[size] += times;
    };
    draw(1, daily);
    draw(3, threes);
    draw(10, tens);
    tally.dailyCards = daily;
    tally.readings = threes + tens;
    return tally;
}

const CardFinding *findingOf(const Report &report, const QString &cardId)
{
    for (const CardFinding &card : report.cards)
        if (card.cardId == cardId)
            return &card;
    return nullptr;
}

// A store of 2026: a daily card each day, the Tower on every sixth, a three-card reading each
// week, and a recorded Celtic Cross each month holding the Tower. Moods on most days.
void fillYear(ModelContext &context)
{
    std::mt19937 random(2026);
    const QDate first(2026, 1, 1);
    for (int day = 0; day < 365; ++day) {
        const QDate date = first.addDays(day);
        auto *entry = new JournalEntry(QDateTime(date, QTime(8, 0)));
        entry->setDailyCardId(day % 6 == 0 ? tower : deal(random, 1).constFirst());
        entry->setDailyCardReversed(day % 2 == 0);
        if (day % 5 != 4)
            entry->setMood(JournalEntry::moods().at(day % 8));
        context.insert(entry);
        if (day % 7 == 3) {
            QList<CardPlan> cards;
            const QStringList ids = deal(random, 3);
            for (int i = 0; i < 3; ++i)
                cards.append({ids.at(i), QStringLiteral("p%1").arg(i), false});
            addReading(context, QStringLiteral("three_card"), QDateTime(date, QTime(20, 0)), false, cards);
        }
        if (date.day() == 15) {
            QStringList ids = deckIds();
            ids.removeAll(tower);
            std::shuffle(ids.begin(), ids.end(), random);
            QList<CardPlan> cards{{tower, QStringLiteral("present"), true}};
            for (int i = 0; i < 9; ++i)
                cards.append({ids.at(i), QStringLiteral("c%1").arg(i), false});
            addReading(context, QStringLiteral("celtic_cross"), QDateTime(date, QTime(21, 0)), false, cards)
                ->setOrigin(Reading::ownDeck);
        }
    }
    QVERIFY(context.save());
}

} // namespace

class InsightsTest : public QObject
{
    Q_OBJECT

private slots:
    void aPlantedFavouriteIsMarkedAndNothingElse()
    {
        TempStore store;
        auto context = store.open();
        QVERIFY(context);
        fillYear(*context);
        if (QTest::currentTestFailed())
            return;
        Report report;
        QString error;
        QVERIFY(build(context.get(), {}, {}, true, &report, &error));
        // 365 daily cards, 52 readings of three, 12 of ten.
        QCOMPARE(report.cardsDrawn, 365 + 52 * 3 + 12 * 10);
        QCOMPARE(report.dailyCards, 365);
        QCOMPARE(report.readings, 64);
        const CardFinding *found = findingOf(report, tower);
        QVERIFY(found);
        QCOMPARE(report.cards.constFirst().cardId, tower);
        QVERIFY(found->count >= 61 + 12);
        QCOMPARE(found->expected, 641.0 / 78);
        QVERIFY(found->marked);
        QCOMPARE(report.markedCount, 1);
        QVERIFY(report.recurringSummary.startsWith(QStringLiteral("A mark means a card came up more often")));

        // Without the daily cards and the recorded readings, the Tower is an ordinary card again.
        QVERIFY(build(context.get(), {}, {false, true, false}, true, &report, &error));
        QCOMPARE(report.cardsDrawn, 52 * 3);
        QCOMPARE(report.markedCount, 0);
        QCOMPARE(
            report.recurringSummary,
            QStringLiteral("No card comes up more often than chance would give. With 78 cards some always lead, and "
                           "about 4 of them have a p-value of their own below 5 % by chance alone."));
        // Only the recorded readings: twelve Celtic Crosses, all holding the Tower.
        QVERIFY(build(context.get(), {}, {false, false, true}, true, &report, &error));
        QCOMPARE(report.cardsDrawn, 120);
        QCOMPARE(findingOf(report, tower)->count, 12);
        QCOMPARE(findingOf(report, tower)->reversed, 12);
    }

    void theCommandPrintsTheSameNumbers()
    {
        TempStore store;
        {
            auto context = store.open();
            QVERIFY(context);
            fillYear(*context);
        }
        QString output;
        QString problems;
        QTextStream out(&output);
        QTextStream err(&problems);
        QCOMPARE(InsightsCommand::run(store.path(),
                                      {QStringLiteral("--from"), QStringLiteral("2026-03-01"), QStringLiteral("--to"),
                                       QStringLiteral("2026-03-31"), QStringLiteral("--json")},
                                      out, err),
                 0);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
        const QJsonObject json = QJsonDocument::fromJson(output.toUtf8()).object();
        QCOMPARE(json.value(QStringLiteral("from")).toString(), QStringLiteral("2026-03-01"));
        QCOMPARE(json.value(QStringLiteral("correction")).toString(), QStringLiteral("holm"));
        // March: 31 daily cards, readings on 4 Wednesdays-ish of three and one Celtic Cross.
        const auto context = store.open();
        Report report;
        QString error;
        QVERIFY(build(context.get(), {QDate(2026, 3, 1), QDate(2026, 3, 31)}, {}, true, &report, &error));
        QCOMPARE(json.value(QStringLiteral("cardsDrawn")).toInteger(), report.cardsDrawn);
        QCOMPARE(json.value(QStringLiteral("readings")).toInteger(), report.readings);
        const QJsonArray cards = json.value(QStringLiteral("cards")).toArray();
        QCOMPARE(cards.size(), 78);
        const QJsonObject top = cards.first().toObject();
        QCOMPARE(top.value(QStringLiteral("id")).toString(), report.cards.constFirst().cardId);
        QCOMPARE(top.value(QStringLiteral("count")).toInteger(), report.cards.constFirst().count);
        QCOMPARE(top.value(QStringLiteral("marked")).toBool(), report.cards.constFirst().marked);
        QCOMPARE(top.value(QStringLiteral("log10PValue")).toDouble(),
                 report.cards.constFirst().logPValue / std::log(10.0));
        const QJsonArray months = json.value(QStringLiteral("moodsByMonth")).toArray();
        QCOMPARE(months.size(), 1);
        QCOMPARE(months.first().toObject().value(QStringLiteral("month")).toString(), QStringLiteral("2026-03"));
        QCOMPARE(json.value(QStringLiteral("balance")).toArray().size(), 4);

        // What it refuses, on standard error with exit 2; a missing store with exit 1.
        const QList<QStringList> refused{
            {QStringLiteral("--from"), QStringLiteral("2026-03-01")},
            {QStringLiteral("--from"), QStringLiteral("March"), QStringLiteral("--to"), QStringLiteral("2026-03-31")},
            {QStringLiteral("--from"), QStringLiteral("2026-04-01"), QStringLiteral("--to"),
             QStringLiteral("2026-03-31")},
            {QStringLiteral("--colour")}};
        for (const QStringList &arguments : refused) {
            output.clear();
            problems.clear();
            QCOMPARE(InsightsCommand::run(store.path(), arguments, out, err), 2);
            err.flush();
            QVERIFY(output.isEmpty());
            QVERIFY2(!problems.isEmpty(), qPrintable(arguments.join(u' ')));
        }
        QCOMPARE(InsightsCommand::run(store.dir.filePath(QStringLiteral("none.store")), {}, out, err), 1);
        QVERIFY(!QFile::exists(store.dir.filePath(QStringLiteral("none.store"))));
    }

    // With Holm's correction at 5 %, stores without any pattern are marked in at most 5 of 100.
    void uniformDrawsAreRarelyMarked()
    {
        std::mt19937 random(78);
        int storesMarked = 0;
        int suitsFlagged = 0;
        for (int store = 0; store < 100; ++store) {
            const DrawTallies::Tally tally = simulated(random, 150, 40, 20);
            const Report report = analyse(tally, {}, {}, CardDataStore::shared(), true);
            QCOMPARE(report.cardsDrawn, 150 + 120 + 200);
            QVERIFY(report.enoughDraws);
            storesMarked += report.markedCount > 0 ? 1 : 0;
            suitsFlagged += report.balances.at(1).pValue < alpha ? 1 : 0;
        }
        QVERIFY2(storesMarked <= 5, qPrintable(QString::number(storesMarked)));
        QVERIFY2(suitsFlagged <= 10, qPrintable(QString::number(suitsFlagged)));
    }

    void fewDrawsSayNotEnough()
    {
        DrawTallies::Tally tally;
        // The same card on 5 of 20 days is unlikely, but 20 cards cannot tell the deck apart.
        tally.cards[tower].upright = 5;
        std::mt19937 random(5);
        for (const QString &id : deal(random, 16))
            if (id != tower)
                tally.cards[id].upright += 1;
        qint64 drawn = 0;
        for (const DrawTallies::CardCount &count : std::as_const(tally.cards))
            drawn += count.upright;
        tally.eventsBySize[1] = drawn;
        const Report report = analyse(tally, {}, {}, CardDataStore::shared(), false);
        QVERIFY(report.cardsDrawn < enoughCards);
        QVERIFY(!report.enoughDraws);
        QCOMPARE(report.markedCount, 0);
        QCOMPARE(report.recurringSummary, QStringLiteral("Not enough draws yet to tell chance from a pattern."));
        QCOMPARE(report.balances.at(1).summary, QStringLiteral("Too few draws yet to compare with the deck."));
        // Reversals are not weighed while reversed cards are not dealt.
        QCOMPARE(report.balances.size(), 3);
    }

    void theBalanceNamesWhatLeans()
    {
        std::mt19937 random(14);
        DrawTallies::Tally tally = simulated(random, 600, 0, 0);
        // Two hundred more cups on top of six hundred uniform daily cards.
        const QStringList cups{QStringLiteral("cups_02"), QStringLiteral("cups_05"), QStringLiteral("cups_09")};
        for (int i = 0; i < 200; ++i)
            tally.cards[cups.at(i % 3)].upright += 1;
        tally.eventsBySize[1] += 200;
        const Report report = analyse(tally, {}, {}, CardDataStore::shared(), true);
        const Balance &suits = report.balances.at(1);
        QCOMPARE(suits.title, QStringLiteral("The four suits"));
        QVERIFY2(suits.summary.startsWith(QStringLiteral("More Cups than chance easily gives")),
                 qPrintable(suits.summary));
        QVERIFY(suits.summary.contains(QStringLiteral("3 degrees of freedom, p < 0.0001")));
        QCOMPARE(suits.groups.at(1).name, QStringLiteral("Cups"));
        // Upright cards against half: the planted cups lie upright.
        QVERIFY(report.balances.at(3).summary.startsWith(QStringLiteral("Fewer Reversed")));
        // The extra cups leave the Major Arcana short of their share.
        QVERIFY(report.balances.at(0).summary.startsWith(QStringLiteral("Fewer Major Arcana")));
    }

    void moodsFallIntoTheirMonths()
    {
        TempStore store;
        auto context = store.open();
        QVERIFY(context);
        // Late on the last night of March (summer time begins that morning in Berlin), then
        // nothing in April, then May; and one entry just outside the span.
        const auto add = [&](QDateTime date, const QString &card, const QString &mood) {
            auto *entry = new JournalEntry(date);
            entry->setDailyCardId(card);
            entry->setMood(mood);
            context->insert(entry);
        };
        add(QDateTime(QDate(2026, 3, 29), QTime(1, 30)), QStringLiteral("cups_03"), QStringLiteral("Joyful"));
        add(QDateTime(QDate(2026, 3, 31), QTime(23, 59)), QStringLiteral("cups_10"), QStringLiteral("Joyful"));
        add(QDateTime(QDate(2026, 5, 1), QTime(0, 0)), QStringLiteral("swords_09"), QStringLiteral("Anxious"));
        add(QDateTime(QDate(2026, 5, 2), QTime(9, 0)), QStringLiteral("major_00"), QString());
        add(QDateTime(QDate(2026, 6, 1), QTime(0, 0)), QStringLiteral("swords_03"), QStringLiteral("Anxious"));
        QVERIFY(context->save());
        Report report;
        QString error;
        QVERIFY(build(context.get(), {QDate(2026, 3, 1), QDate(2026, 5, 31)}, {}, true, &report, &error));
        QCOMPARE(report.dailyCards, 4);
        QCOMPARE(report.months.size(), 3);
        QCOMPARE(report.months.at(0).label, QStringLiteral("March 2026"));
        const qsizetype joyful = JournalEntry::moods().indexOf(QStringLiteral("Joyful"));
        const qsizetype anxious = JournalEntry::moods().indexOf(QStringLiteral("Anxious"));
        QCOMPARE(report.months.at(0).counts.at(joyful), 2);
        QCOMPARE(report.months.at(1).total, 0);
        QCOMPARE(report.months.at(2).counts.at(anxious), 1);
        QCOMPARE(report.months.at(2).total, 1);
        // By the daily card: both cups days joyful, the one sword day anxious.
        QCOMPARE(report.moodsBySuit.at(2).label, QStringLiteral("Cups"));
        QCOMPARE(report.moodsBySuit.at(2).counts.at(joyful), 2);
        QCOMPARE(report.moodsBySuit.at(3).counts.at(anxious), 1);
        QCOMPARE(report.moodsBySuit.at(0).total, 0);
        // All time runs from the first entry's month to the last one's.
        QVERIFY(build(context.get(), {}, {}, true, &report, &error));
        QCOMPARE(report.months.size(), 4);
        QCOMPARE(report.months.constLast().month, QDate(2026, 6, 1));
    }

    void theScreenFollowsChoicesAndSaves()
    {
        TempStore store;
        auto context = store.open();
        QVERIFY(context);
        InsightsModel model;
        QSignalSpy reports(&model, &InsightsModel::reportChanged);
        model.setSpan(InsightsModel::AllTime);
        model.setModelContext(context.get());
        QTRY_COMPARE(reports.size(), 1);
        QCOMPARE(model.drawSummary(), QStringLiteral("No cards drawn in this span yet."));
        QVERIFY(model.cards().isEmpty());

        fillYear(*context);
        QTRY_COMPARE(reports.size(), 2);
        QCOMPARE(model.drawSummary(), QStringLiteral("641 cards drawn: 365 daily cards and 64 readings."));
        QCOMPARE(model.cards().size(), InsightsModel::listedCards);
        // The whole list, the Tower still first, and back.
        model.setShowsEveryCard(true);
        QCOMPARE(model.cards().size(), model.drawnCardCount());
        QCOMPARE(model.drawnCardCount(), 78);
        QCOMPARE(model.cards().constFirst().toMap().value(QStringLiteral("cardId")).toString(), tower);
        model.setShowsEveryCard(false);
        QCOMPARE(model.cards().size(), InsightsModel::listedCards);
        const QVariantMap first = model.cards().constFirst().toMap();
        QCOMPARE(first.value(QStringLiteral("cardId")).toString(), tower);
        QVERIFY(
            first.value(QStringLiteral("accessibleName")).toString().startsWith(QStringLiteral("The Tower: drawn ")));
        QVERIFY(
            first.value(QStringLiteral("accessibleName")).toString().endsWith(QStringLiteral(", more than chance")));
        QCOMPARE(model.months().size(), 12);
        QCOMPARE(model.monthDestination(2).value(QStringLiteral("day")).toString(), QStringLiteral("2026-03-01"));

        // Two dates start as the last 30 days; typed wrong, they say so and keep the last report.
        model.setSpan(InsightsModel::Dates);
        QCOMPARE(model.lastDate(), Clock::today().toString(Qt::ISODate));
        QCOMPARE(model.firstDate(), Clock::today().addDays(-29).toString(Qt::ISODate));
        model.setLastDate(QStringLiteral("2026-03-31"));
        // Half typed is not wrong yet; left half typed, it is.
        model.setFirstDate(QStringLiteral("2026-0"));
        model.refresh();
        QVERIFY(model.dateProblem().isEmpty());
        model.finishDates();
        QVERIFY(model.dateProblem().startsWith(QStringLiteral("Type both dates as yyyy-MM-dd")));
        model.setFirstDate(QStringLiteral("2026-02-30"));
        model.refresh();
        QVERIFY(model.dateProblem().startsWith(QStringLiteral("Type both dates as yyyy-MM-dd")));
        model.setFirstDate(QStringLiteral("2026-04-01"));
        model.refresh();
        QCOMPARE(model.dateProblem(), QStringLiteral("The first date comes after the second."));
        model.setFirstDate(QStringLiteral("2026-03-01"));
        model.refresh();
        QVERIFY(model.dateProblem().isEmpty());
        QCOMPARE(model.months().size(), 1);
        QVERIFY2(model.drawSummary().contains(QStringLiteral(" drawn: 31 daily cards and ")),
                 qPrintable(model.drawSummary()));
    }
};

QTEST_GUILESS_MAIN(InsightsTest)
#include "tst_insights.moc"
