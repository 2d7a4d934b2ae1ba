// The history of stored readings: every row known at once and read a page at a time, the favourites filter, deletion
// and its undo, the live list, what a row shows, and a stored reading shown again.
#include "CardDataStore.h"
#include "DrawnCard.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "ReadingDetailModel.h"
#include "ReadingHistoryModel.h"
#include "SpreadDefinition.h"
#include "StoreTestSupport.h"
#include "Theme.h"

#include <QSignalSpy>

#include <algorithm>

namespace {

const QDateTime monday(QDate(2026, 1, 5), QTime(10, 0));

// A complete spread's cards, the catalogue's first cards in order.
QList<CardPlan> cardsFor(const SpreadDefinition &spread, const CardDataStore &catalogue)
{
    QList<CardPlan> cards;
    for (const SpreadPosition &position : spread.positions)
        cards.append({catalogue.allCards().at(position.index).id, position.id, position.index % 2 == 1});
    return cards;
}

QList<QUuid> idsOf(const QList<Reading *> &readings)
{
    QList<QUuid> ids;
    for (const Reading *reading : readings)
        ids.append(reading->id());
    return ids;
}

QString role(const ReadingHistoryModel &model, int row, int role)
{
    return model.data(model.index(row), role).toString();
}

} // namespace

class ReadingHistoryTest : public QObject
{
    Q_OBJECT

private:
    QString cardLeaning(YesNoLeaning leaning) const
    {
        for (const TarotCard &card : m_cards.allCards())
            if (card.yesNoLeaning == leaning)
                return card.id;
        return {};
    }

private slots:
    void initTestCase()
    {
        m_cards.loadCards();
        QCOMPARE(m_cards.allCards().size(), 78);
    }

    // The list knows every row at once and reads readings a page at a time, without a gap or a
    // repeat, whatever the page size, however many readings share a date, from disk or with
    // readings not yet saved, filtered or not.
    void pagingListsEveryReadingOnceNewestFirst_data()
    {
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<int>("source"); // 0: disk, 1: disk and unsaved readings, 2: all in memory
        QTest::addColumn<bool>("favoritesOnly");
        for (int pageSize : {1, 3, 4, 7, 40}) {
            QTest::addRow("pages of %d, from disk", pageSize) << pageSize << 0 << false;
            QTest::addRow("pages of %d, with unsaved readings", pageSize) << pageSize << 1 << false;
            QTest::addRow("pages of %d, all in memory", pageSize) << pageSize << 2 << false;
            QTest::addRow("pages of %d, starred only", pageSize) << pageSize << 1 << true;
        }
    }
    void pagingListsEveryReadingOnceNewestFirst()
    {
        QFETCH(int, pageSize);
        QFETCH(int, source);
        QFETCH(bool, favoritesOnly);
        TempStore store;
        auto context = store.open();
        // Dates in groups of four equal ones, stored out of date order; two without a date.
        struct Made
        {
            QUuid id;
            bool hasDate;
            qint64 date;
            int order; // the order of storing
            bool favorite;
        };
        QList<Made> made;
        const auto make = [&](int i, const QDateTime &date) {
            Reading *reading = addReading(*context, QStringLiteral("three_card"), date, i % 3 == 0);
            made.append({reading->id(), date.isValid(), date.isValid() ? date.toMSecsSinceEpoch() : 0, i,
                         reading->isFavorite()});
        };
        for (int i = 0; i < 23; ++i)
            make(i, i == 5 || i == 17 ? QDateTime() : monday.addSecs(3600 * ((i * 7) % 23 / 4)));
        QVERIFY(context->save());
        context.reset();
        context = store.open();
        if (source == 2)
            context->fetch<Reading>();
        if (source >= 1) {
            // Readings in memory only, dated like stored ones.
            make(23, monday.addSecs(3600 * 2));
            make(24, monday.addSecs(3600 * 2));
        }
        std::sort(made.begin(), made.end(), [](const Made &a, const Made &b) {
            if (a.hasDate != b.hasDate)
                return a.hasDate;
            if (a.date != b.date)
                return a.date > b.date;
            return a.order > b.order;
        });
        QList<QUuid> expected;
        for (const Made &m : made)
            if (!favoritesOnly || m.favorite)
                expected.append(m.id);

        ReadingHistoryModel model(m_cards, nullptr);
        model.setPageSize(pageSize);
        model.setShowFavoritesOnly(favoritesOnly);
        model.setModelContext(context.get());
        QCOMPARE(model.count(), int(expected.size()));
        // Readings 23 and 24 live in memory; of them only 24 is starred.
        const int unsaved = source >= 1 ? (favoritesOnly ? 1 : 2) : 0;
        QCOMPARE(model.rowsRead(), unsaved);
        // A row far down is read with its page only.
        QVERIFY(model.at(model.count() - 1));
        QVERIFY(model.rowsRead() <= pageSize + unsaved);
        QCOMPARE(idsOf(model.readings()), expected);
        // Each page came with its drawn cards' reading links intact: a row's reading is live.
        for (Reading *reading : model.readings())
            QCOMPARE(reading->context(), context.get());
    }

    // The title and the empty screens follow the filter and what is stored, live.
    void titlesAndEmptyStates_data()
    {
        QTest::addColumn<int>("stored"); // 0: nothing, 1: unstarred readings, 2: a starred one too
        QTest::addColumn<bool>("favoritesOnly");
        QTest::addColumn<int>("state");
        const auto none = int(ReadingHistoryModel::NoReadings);
        const auto shown = int(ReadingHistoryModel::NotEmpty);
        QTest::newRow("nothing stored") << 0 << false << none;
        QTest::newRow("nothing stored, starred only") << 0 << true << none;
        QTest::newRow("none starred") << 1 << false << shown;
        QTest::newRow("none starred, starred only") << 1 << true << int(ReadingHistoryModel::NoSaved);
        QTest::newRow("one starred, starred only") << 2 << true << shown;
    }
    void titlesAndEmptyStates()
    {
        QFETCH(int, stored);
        QFETCH(bool, favoritesOnly);
        QFETCH(int, state);
        TempStore store;
        auto context = store.open();
        if (stored >= 1) {
            addReading(*context, QStringLiteral("three_card"), monday);
            addReading(*context, QStringLiteral("yes_no"), monday.addDays(1));
        }
        if (stored == 2)
            addReading(*context, QStringLiteral("celtic_cross"), monday.addDays(-1), true);
        QVERIFY(context->save());
        ReadingHistoryModel model(m_cards, context.get());
        model.setShowFavoritesOnly(favoritesOnly);
        QCOMPARE(model.title(), favoritesOnly ? QStringLiteral("Saved Readings") : QStringLiteral("Reading History"));
        QCOMPARE(model.filterSymbol(), favoritesOnly ? QStringLiteral("star.fill") : QStringLiteral("star"));
        QCOMPARE(int(model.emptyState()), state);
        // The empty screen's symbol, title and message.
        const QStringList empty =
            state == ReadingHistoryModel::NoReadings
                ? QStringList{"rectangle.stack", "No readings yet", "Your past readings will appear here."}
            : state == ReadingHistoryModel::NoSaved
                ? QStringList{"star", "No saved readings", "Star a reading to save it here."}
                : QStringList{};
        if (!empty.isEmpty()) {
            QCOMPARE((QStringList{model.emptySymbol(), model.emptyTitle(), model.emptyMessage()}), empty);
            QCOMPARE(model.count(), 0);
        }

        // Starring a reading anywhere fills the filtered list; deleting everything empties it.
        if (stored == 1 && favoritesOnly) {
            context->fetch<Reading>().first()->setIsFavorite(true);
            QVERIFY(context->save());
            QTRY_COMPARE(model.emptyState(), ReadingHistoryModel::NotEmpty);
            QCOMPARE(model.count(), 1);
            for (Reading *reading : context->fetch<Reading>())
                context->remove(reading);
            QVERIFY(context->save());
            QTRY_COMPARE(model.emptyState(), ReadingHistoryModel::NoReadings);
        }
    }

    // With the filter on, the rows are the starred readings: deleting the second row deletes
    // the second starred reading, with its drawn cards, and nothing else. Undo brings it back
    // whole, under the same identifier.
    void deletingARowDeletesTheReadingShownThere()
    {
        TempStore store;
        auto context = store.open();
        const QList<CardPlan> three = cardsFor(SpreadDefinition::threeCard(), m_cards);
        Reading *first = addReading(*context, QStringLiteral("three_card"), monday.addDays(3), true, three);
        addReading(*context, QStringLiteral("three_card"), monday.addDays(2), false, three);
        Reading *second = addReading(*context, QStringLiteral("three_card"), monday.addDays(1), true, three,
                                     QStringLiteral("Notes kept"));
        Reading *third = addReading(*context, QStringLiteral("yes_no"), monday, true,
                                    {{QStringLiteral("major_00"), QStringLiteral("answer")}});
        QVERIFY(context->save());
        const QUuid secondId = second->id();

        ReadingHistoryModel model(m_cards, context.get());
        model.setShowFavoritesOnly(true);
        QCOMPARE(model.readings(), (QList<Reading *>{first, second, third}));
        QVERIFY(!model.canUndo());
        model.deleteRow(1);
        QCOMPARE(model.readings(), (QList<Reading *>{first, third}));
        QVERIFY(model.canUndo());
        QVERIFY(!context->hasChanges());
        {
            // What the file holds, read by a context of its own.
            auto disk = store.open();
            QCOMPARE(disk->fetch<Reading>().size(), 3);
            QCOMPARE(disk->fetch<DrawnCard>().size(), 7);
            for (const DrawnCard *card : disk->fetch<DrawnCard>())
                QVERIFY(card->reading() && card->reading()->id() != secondId);
        }
        model.setShowFavoritesOnly(false);
        QCOMPARE(model.count(), 3);

        model.undoDelete();
        QVERIFY(!model.canUndo());
        QCOMPARE(model.count(), 4);
        Reading *back = model.at(2);
        QCOMPARE(back->id(), secondId);
        QVERIFY(back->isFavorite());
        QCOMPARE(back->notes(), QStringLiteral("Notes kept"));
        QCOMPARE(back->date(), monday.addDays(1));
        QCOMPARE(ReadingDetailModel::positionedCards(*back, m_cards).size(), 3);
        QCOMPARE(store.open()->fetch<DrawnCard>().size(), 10);

        // Deleting past the end of the list, or twice undoing, changes nothing.
        model.deleteRow(7);
        model.undoDelete();
        QCOMPARE(model.count(), 4);
    }

    // The list follows the store without starting over: rows come and go where they belong,
    // and rows further down that were read stay.
    void theListFollowsTheStore()
    {
        TempStore store;
        auto context = store.open();
        for (int day = 0; day < 10; ++day)
            addReading(*context, QStringLiteral("three_card"), monday.addDays(-day), day % 2 == 0);
        QVERIFY(context->save());
        context.reset();
        context = store.open();
        ReadingHistoryModel model(m_cards, nullptr);
        model.setPageSize(4);
        model.setModelContext(context.get());
        QCOMPARE(model.count(), 10);
        model.at(5);
        QCOMPARE(model.rowsRead(), 4);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

        Reading *newest = addReading(*context, QStringLiteral("yes_no"), monday.addDays(1));
        QVERIFY(context->save());
        QTRY_COMPARE(model.count(), 11);
        QCOMPARE(model.at(0), newest);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 0);

        Reading *gone = model.at(3);
        // Compared by identity, not address: the freed record's memory may hold a new one.
        const QUuid goneId = gone->id();
        context->remove(gone);
        QVERIFY(context->save());
        QTRY_COMPARE(model.count(), 10);
        const QList<Reading *> rows = model.readings();
        QVERIFY(std::none_of(rows.begin(), rows.end(), [&](const Reading *r) { return r && r->id() == goneId; }));
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 3);

        // Older than every row: it comes in at the end, and every row kept its place.
        Reading *oldest = addReading(*context, QStringLiteral("celtic_cross"), monday.addDays(-60));
        QVERIFY(context->save());
        QTRY_COMPARE(model.count(), 11);
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(inserted.last().at(1).toInt(), 10);
        QCOMPARE(model.readings().last(), oldest);
        QCOMPARE(resets.size(), 0);

        // The months to jump to, newest first, each with its first row and its size.
        const QVariantList months = model.months();
        QCOMPARE(months.size(), 3);
        QCOMPARE(months.first().toMap().value("title").toString(), QStringLiteral("January 2026"));
        QCOMPARE(months.at(1).toMap().value("title").toString(), QStringLiteral("December 2025"));
        QCOMPARE(months.at(1).toMap().value("row").toInt(), 5);
        QCOMPARE(months.at(2).toMap().value("count").toInt(), 1);
        QCOMPARE(model.data(model.index(5), ReadingHistoryModel::MonthRole).toString(),
                 QStringLiteral("December 2025"));

        // Starring and unstarring with the filter on.
        model.setShowFavoritesOnly(true);
        const int starred = model.count();
        Reading *unstarred = model.readings().contains(newest) ? nullptr : newest;
        QVERIFY(unstarred);
        unstarred->setIsFavorite(true);
        QTRY_COMPARE(model.count(), starred + 1);
        QCOMPARE(model.at(0), newest);
        model.at(1)->setIsFavorite(false);
        QTRY_COMPARE(model.count(), starred);
    }

    // What a row says: a yes/no reading gives its answer in its colour (a reversed card turns
    // it), any other reading, or a yes/no reading whose card is gone, its number of cards;
    // a spread the table does not know keeps its stored name and the plain card symbol. (The
    // known spreads' rows: tst_history_view.)
    void aRowShowsItsReading_data()
    {
        QTest::addColumn<QString>("spreadType");
        QTest::addColumn<QString>("cardId");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("cardCount");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("countText");
        const QString yesNo = QStringLiteral("yes_no");
        const QString yesNoName = QStringLiteral("Yes or No");
        const QString question = QStringLiteral("questionmark.circle");
        QTest::newRow("leans yes, reversed")
            << yesNo << cardLeaning(YesNoLeaning::yes) << true << 1 << yesNoName << question << "No"
            << "1 cards";
        QTest::newRow("leans no, reversed")
            << yesNo << cardLeaning(YesNoLeaning::no) << true << 1 << yesNoName << question << "Yes"
            << "1 cards";
        QTest::newRow("leans maybe") << yesNo << cardLeaning(YesNoLeaning::maybe) << false << 1 << yesNoName << question
                                     << "Maybe"
                                     << "1 cards";
        QTest::newRow("card no longer in the catalogue")
            << yesNo << "major_99" << false << 1 << yesNoName << question << ""
            << "1 cards";
        QTest::newRow("unknown spread") << "tea_leaves"
                                        << "major_01" << false << 2 << "tea_leaves"
                                        << "rectangle.portrait"
                                        << ""
                                        << "2 cards";
    }
    void aRowShowsItsReading()
    {
        QFETCH(QString, spreadType);
        QFETCH(QString, cardId);
        QFETCH(bool, reversed);
        QFETCH(int, cardCount);
        TempStore store;
        auto context = store.open();
        QList<CardPlan> cards;
        for (int i = 0; i < cardCount; ++i)
            cards.append({i == 0 ? cardId : QStringLiteral("major_02"), QStringLiteral("answer"), reversed});
        addReading(*context, spreadType, monday, false, cards, QStringLiteral("Will it work?"));
        ReadingHistoryModel model(m_cards, context.get());
        QCOMPARE(model.count(), 1);
        QTEST(role(model, 0, ReadingHistoryModel::SpreadNameRole), "name");
        QTEST(role(model, 0, ReadingHistoryModel::IconNameRole), "icon");
        QTEST(role(model, 0, ReadingHistoryModel::AnswerRole), "answer");
        QTEST(role(model, 0, ReadingHistoryModel::CardCountTextRole), "countText");
        QCOMPARE(role(model, 0, ReadingHistoryModel::DateTextRole), QStringLiteral("Jan 5, 2026"));
    }

    // A stored reading shown again: the cards it can still lay out, and the cross only when
    // all ten Celtic Cross cards are there.
    void aStoredReadingIsShownAgain_data()
    {
        QTest::addColumn<QString>("spreadType");
        QTest::addColumn<int>("broken"); // -1: none; else this card's id is unknown
        QTest::addColumn<bool>("badPosition");
        QTest::addColumn<int>("cards");
        QTest::addColumn<bool>("cross");
        QTest::addColumn<QString>("name");
        QTest::newRow("Celtic Cross") << "celtic_cross" << -1 << false << 10 << true << "Celtic Cross";
        QTest::newRow("Celtic Cross, a card gone") << "celtic_cross" << 4 << false << 9 << false << "Celtic Cross";
        QTest::newRow("three cards, a foreign position")
            << "three_card" << -1 << true << 2 << false << "Past, Present, Future";
        QTest::newRow("unknown spread") << "tea_leaves" << -1 << false << 0 << false << "tea_leaves";
    }
    void aStoredReadingIsShownAgain()
    {
        QFETCH(QString, spreadType);
        QFETCH(int, broken);
        QFETCH(bool, badPosition);
        QFETCH(int, cards);
        QFETCH(bool, cross);
        TempStore store;
        auto context = store.open();
        const SpreadDefinition spread = SpreadDefinition::withID(spreadType).value_or(SpreadDefinition::celticCross());
        QList<CardPlan> plans = cardsFor(spread, m_cards);
        if (broken >= 0)
            plans[broken].cardId = QStringLiteral("minor_99");
        if (badPosition)
            plans[1].positionId = QStringLiteral("crown");
        Reading *reading = addReading(*context, spreadType, monday, false, plans);
        ReadingDetailModel detail(m_cards);
        detail.setReading(reading);
        QTEST(detail.spreadName(), "name");
        QCOMPARE(detail.dateText(), QStringLiteral("January 5, 2026"));
        QCOMPARE(detail.cards()->count(), cards);
        QCOMPARE(detail.showsCross(), cross);
        QCOMPARE(detail.hasSpread(), spreadType != QLatin1String("tea_leaves"));
        // The rows keep the reading's order, without the cards that cannot be laid out.
        QStringList expected;
        for (int i = 0; i < plans.size() && detail.hasSpread(); ++i)
            if (i != broken && !(badPosition && i == 1))
                expected.append(plans.at(i).positionId);
        QStringList shown;
        for (const PositionedCard &card : detail.cards()->cards())
            shown.append(card.position.id);
        QCOMPARE(shown, expected);
        if (cards > 0) {
            detail.selectCard(cards - 1);
            QCOMPARE(detail.selectedCardIndex(), cards - 1);
            detail.selectCard(cards);
            QCOMPARE(detail.selectedCardIndex(), cards - 1);
            detail.clearSelection();
            QCOMPARE(detail.selectedCardIndex(), -1);
        }
    }

private:
    CardDataStore m_cards;
};

QTEST_MAIN(ReadingHistoryTest)
#include "tst_reading_history.moc"
