// The library's search and paging rules and the card detail's note rules, on a small
// catalogue of our own and a temporary store.
#include "AdaptiveColumns.h"
#include "CardDataStore.h"
#include "CardDetailModel.h"
#include "CardDetailPagerModel.h"
#include "CardFixtures.h"
#include "CardLibraryModel.h"
#include "Clock.h"
#include "ModelContext.h"
#include "Scheduler.h"
#include "Theme.h"
#include "UserCardNote.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace CardFixtures;
using namespace Qt::StringLiterals;

namespace {

QJsonObject libraryCard(const QString &id, const QString &name, const QStringList &upright, const QStringList &reversed,
                        const QString &leaning = "yes")
{
    const bool major = id.startsWith("major");
    QJsonObject object = cardObject(id, major ? Arcana::major : Arcana::minor,
                                    major ? std::nullopt : std::optional<Suit>(Suit::cups), id.right(2).toInt());
    object.insert("name", name);
    object.insert("uprightKeywords", QJsonArray::fromStringList(upright));
    object.insert("reversedKeywords", QJsonArray::fromStringList(reversed));
    object.insert("yesNoLeaning", leaning);
    return object;
}

QDateTime at(int day, int hour, int minute)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute));
}

} // namespace

class LibraryRulesTest : public QObject
{
    Q_OBJECT

private slots:
    // Five majors and three cups. "cups" is in a major's name, in another's upright keyword and
    // in a third's reversed keyword; the minors' names carry it too.
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        writeCards(m_dir.path(), "MajorArcana",
                   {libraryCard("major_00", "The Wanderer", {"beginnings", "Leap"}, {"recklessness", "cups of folly"}),
                    libraryCard("major_01", "The Cupsmith", {"craft"}, {"haste"}),
                    libraryCard("major_02", "The Oracle", {"intuition", "teacups"}, {"secrets"}, "maybe"),
                    libraryCard("major_03", "The Empress", {"abundance", "Straße"}, {"smothering"}),
                    libraryCard("major_04", "Sovereign", {"structure"}, {"rigidity"}, "no")});
        writeCards(m_dir.path(), "MinorArcanaCups",
                   {libraryCard("cups_01", "Ace of Cups", {"love"}, {"emptiness"}),
                    libraryCard("cups_02", "Two of Cups", {"union"}, {"imbalance"}),
                    libraryCard("cups_03", "Three of Cups", {"celebration"}, {"gossip"})});
        m_store = std::make_unique<CardDataStore>(ResourceLocation(m_dir.path()));
        m_store->loadCards();
        QCOMPARE(m_store->allCards().size(), 8);
    }

    void init()
    {
        m_storeDir = std::make_unique<QTemporaryDir>();
        QString error;
        m_context = ModelContext::open(m_storeDir->filePath("default.store"), &error);
        QVERIFY2(m_context, qPrintable(error));
        Clock::pin(at(14, 9, 30));
    }
    void cleanup()
    {
        m_context.reset();
        m_storeDir.reset();
        Clock::reset();
    }

    void search_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("noted"); // card ids with a note "a cups of tea ritual"
        QTest::addColumn<QStringList>("expected");
        const int all = DeckFilter::All;
        const int major = DeckFilter::Major;
        QTest::newRow("no text keeps the chip's list")
            << major << u""_s << QStringList{}
            << QStringList{"major_00", "major_01", "major_02", "major_03", "major_04"};
        QTest::newRow("major with cups: name, upright keyword, note")
            << major << u"cups"_s << QStringList{"major_03", "cups_02"}
            << QStringList{"major_01", "major_02", "major_03"};
        QTest::newRow("all with cups adds the cups")
            << all << u"cups"_s << QStringList{}
            << QStringList{"major_01", "major_02", "cups_01", "cups_02", "cups_03"};
        QTest::newRow("capitals find a lower-case keyword")
            << all << u"BEGINNINGS"_s << QStringList{} << QStringList{"major_00"};
        QTest::newRow("lower case finds a capitalised keyword")
            << all << u"leap"_s << QStringList{} << QStringList{"major_00"};
        QTest::newRow("only a reversed keyword finds nothing")
            << all << u"recklessness"_s << QStringList{} << QStringList{};
        QTest::newRow("a blank is searched as it is")
            << major << u" "_s << QStringList{} << QStringList{"major_00", "major_01", "major_02", "major_03"};
        QTest::newRow("two blanks match nothing") << major << u"  "_s << QStringList{} << QStringList{};
        QTest::newRow("sharp s meets double s") << all << u"STRASSE"_s << QStringList{} << QStringList{"major_03"};
        QTest::newRow("a note on a card outside the chip's list has no effect")
            << int(DeckFilter::Cups) << u"ritual"_s << QStringList{"major_04"} << QStringList{};
    }
    void search()
    {
        QFETCH(int, filter);
        QFETCH(QString, text);
        QFETCH(QStringList, noted);
        QFETCH(QStringList, expected);
        for (const QString &id : noted)
            m_context->insert(new UserCardNote(id, "A Cups of tea ritual"));
        const auto list = DeckFilter::cardsOf(*m_store, DeckFilter::Group(filter));
        QCOMPARE(ids(CardLibraryModel::search(list, text, m_context->fetch<UserCardNote>())), expected);

        // The model gives the same, with its kept foldings.
        CardLibraryModel model;
        model.setCardStore(*m_store);
        model.setModelContext(m_context.get());
        model.setSelectedFilter(DeckFilter::Group(filter));
        model.setSearchText(text);
        QCOMPARE(model.cardIds(), expected);
    }

    // Typing and deleting letters removes and inserts rows in place, so the grid keeps the
    // cells it built; a change of chip may start over. Every step ends in the rule's result.
    // The notes are a live query: a note written, changed or emptied elsewhere changes the
    // result without anything else happening.
    void rowsFollowEachKeystrokeAndEachNote()
    {
        CardLibraryModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setCardStore(*m_store);
        model.setModelContext(m_context.get());
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy idsChanged(&model, &CardLibraryModel::cardsChanged);
        for (const QString &text : {"t",  "th", "the", "the ", "the", "th", "t",  "",  "o", "or", "o", "c",
                                    "cu", "c",  "",    "e",    "em",  "e",  "ea", "e", "",  "z",  ""}) {
            model.setSearchText(text);
            QCOMPARE(model.cardIds(), ids(CardLibraryModel::search(m_store->allCards(), text, {})));
        }
        QCOMPARE(resets.count(), 0);
        QVERIFY(idsChanged.count() > 10);

        model.setSearchText("Lantern");
        QCOMPARE(model.count(), 0);
        auto *note = new UserCardNote("major_04", "a lantern by the door");
        m_context->insert(note);
        QTRY_COMPARE(model.cardIds(), QStringList{"major_04"});
        note->setNoteText("a candle by the door");
        QTRY_COMPARE(model.count(), 0);
        note->setNoteText("the LANTERN again");
        QTRY_COMPARE(model.count(), 1);
        note->setNoteText(QString());
        QTRY_COMPARE(model.count(), 0);

        // A change of chip is one change of the list; a suit without cards here shows none.
        model.setSearchText(QString());
        model.setSelectedFilter(DeckFilter::Cups);
        idsChanged.clear();
        model.setSelectedFilter(DeckFilter::Major);
        QCOMPARE(idsChanged.count(), 1);
        QCOMPARE(model.count(), 5);
        model.setSelectedFilter(DeckFilter::Wands);
        QCOMPARE(model.count(), 0);
    }

    // Columns between the basis and 40 more, as many as fit with 16 between them; wider
    // spaces centre the widest columns.
    void adaptiveColumns_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("columnWidth");
        QTest::newRow("exactly four of 120") << 528.0 << 120.0 << 4 << 120.0;
        QTest::newRow("one short of four: three at the maximum") << 527.0 << 120.0 << 3 << 160.0;
        QTest::newRow("three share the width") << 500.0 << 120.0 << 3 << 156.0;
        QTest::newRow("widened up to the maximum only") << 1000.0 << 240.0 << 3 << 280.0;
        QTest::newRow("narrower than a column") << 100.0 << 240.0 << 1 << 240.0;
        QTest::newRow("medium in the smallest window") << 768.0 << 160.0 << 4 << 180.0;
    }
    void adaptiveColumns()
    {
        QFETCH(double, width);
        QFETCH(double, minimum);
        QFETCH(int, count);
        QFETCH(double, columnWidth);
        const auto fit = AdaptiveColumns::fit(width, minimum, minimum + 40, 16);
        QCOMPARE(fit.count, count);
        QCOMPARE(fit.columnWidth, columnWidth);
        QCOMPARE(fit.contentWidth, count * columnWidth + (count - 1) * 16);
    }

    // The fifth card of a filtered result opens there, and paging never leaves the result
    // (the paging rule itself is CardPager's).
    void pagerStaysInTheFilteredResult()
    {
        CardLibraryModel library;
        library.setCardStore(*m_store);
        library.setSearchText("e");
        const QStringList shown = library.cardIds();
        QCOMPARE(shown.size(), 7); // every name but "Two of Cups" has an "e"
        CardDetailPagerModel pager;
        pager.setCardStore(*m_store);
        pager.setCardIds(shown);
        pager.setStartIndex(4);
        QCOMPARE(pager.currentCardId(), shown.at(4));
        QCOMPARE(pager.positionText(), "5 of 7");
        for (int i = 0; i < 5; ++i)
            pager.next();
        QCOMPARE(pager.currentCardId(), shown.last());
        QCOMPARE(pager.positionText(), "7 of 7");
        pager.setStartIndex(7); // outside the list: no card
        QVERIFY(pager.currentCardId().isEmpty());
    }

    void leaningSwapsWhenReversed_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("yes upright") << u"major_00"_s << false << u"Yes"_s << Theme::positive();
        QTest::newRow("yes reversed") << u"major_00"_s << true << u"No"_s << Theme::negative();
        QTest::newRow("no upright") << u"major_04"_s << false << u"No"_s << Theme::negative();
        QTest::newRow("no reversed") << u"major_04"_s << true << u"Yes"_s << Theme::positive();
        QTest::newRow("maybe upright") << u"major_02"_s << false << u"Maybe"_s << Theme::accent();
        QTest::newRow("maybe reversed") << u"major_02"_s << true << u"Maybe"_s << Theme::accent();
    }
    void leaningSwapsWhenReversed()
    {
        QFETCH(QString, id);
        QFETCH(bool, reversed);
        QFETCH(QString, label);
        QFETCH(QColor, colour);
        const TarotCard card = *m_store->cardByID(id);
        CardDetailModel detail;
        detail.setCard(card);
        detail.setShowReversed(reversed);
        QCOMPARE(detail.leaningText(), label);
        QCOMPARE(Theme::answerColor(detail.leaningText()), colour);
        QCOMPARE(detail.meaningTitle(), reversed ? "Reversed Meaning" : "Upright Meaning");
        QCOMPARE(detail.keywords().first(), (reversed ? card.reversedKeywords : card.uprightKeywords).first());
    }

    // Absent, created by the first letter, updated by every change, kept when emptied; each
    // change reaches the file.
    void noteLifecycle()
    {
        ManualScheduler scheduler;
        auto detail = openDetail("major_01", scheduler);
        QVERIFY(!detail->note());
        QCOMPARE(detail->noteText(), "");
        scheduler.advance(CardDetailModel::saveDelayMs);
        QCOMPARE(m_context->fetch<UserCardNote>().size(), 0);

        detail->editNote("H");
        QCOMPARE(m_context->fetch<UserCardNote>().size(), 1);
        UserCardNote *note = detail->note();
        QVERIFY(note);
        QCOMPARE(note->cardId(), "major_01");
        QCOMPARE(note->noteText(), "H");

        Clock::pin(at(14, 9, 31));
        detail->editNote("Ha");
        detail->editNote("Han");
        QCOMPARE(m_context->fetch<UserCardNote>().size(), 1);
        QCOMPARE(note->noteText(), "Han");
        QCOMPARE(note->lastModified(), at(14, 9, 31));
        // The durable save waits a moment after the first change; one save covers the burst.
        scheduler.advance(CardDetailModel::saveDelayMs - 1);
        QVERIFY(m_context->hasChanges());
        detail->editNote("Hang");
        detail->editNote("Han");
        scheduler.advance(1);
        QVERIFY(!m_context->hasChanges());
        QCOMPARE(storedNotes(), QStringList{"major_01:Han"});

        Clock::pin(at(14, 9, 45));
        detail->editNote(QString());
        scheduler.advance(CardDetailModel::saveDelayMs);
        QCOMPARE(m_context->fetch<UserCardNote>().size(), 1);
        QCOMPARE(note->noteText(), "");
        QCOMPARE(note->lastModified(), at(14, 9, 45));
        QCOMPARE(storedNotes(), QStringList{"major_01:"});

        // Opening the card again shows the empty note and changes nothing.
        Clock::pin(at(15, 8, 0));
        detail = openDetail("major_01", scheduler);
        QCOMPARE(detail->note(), note);
        QCOMPARE(detail->noteText(), "");
        QCOMPARE(note->lastModified(), at(14, 9, 45));
        QVERIFY(!m_context->hasChanges());
    }

    // Opening a card whose note has text shows it, which counts as a change: the note's time
    // moves to the opening and the context is saved. Of two notes the first is used.
    void openingANoteStampsItAndUsesTheFirst()
    {
        auto *first = new UserCardNote("major_02", "moonlight");
        auto *second = new UserCardNote("major_02", "other");
        m_context->insert(first);
        m_context->insert(second);
        QVERIFY(m_context->save());
        const QDateTime created = first->lastModified();

        ManualScheduler scheduler;
        Clock::pin(QDateTime(QDate(2026, 4, 1), QTime(20, 0)));
        auto detail = openDetail("major_02", scheduler);
        QCOMPARE(detail->note(), first);
        QCOMPARE(detail->noteText(), "moonlight");
        QCOMPARE(first->lastModified(), QDateTime(QDate(2026, 4, 1), QTime(20, 0)));
        QCOMPARE(second->lastModified(), created);
        QCOMPARE(second->noteText(), "other");
        scheduler.advance(CardDetailModel::saveDelayMs);
        QVERIFY(!m_context->hasChanges());
    }

    // Text typed just before the screen goes away (or the window closes) is not lost.
    void pendingSaveIsMadeWhenTheScreenGoesAway()
    {
        ManualScheduler scheduler;
        auto detail = openDetail("cups_03", scheduler);
        detail->editNote("last words");
        QVERIFY(detail->hasPendingSave());
        detail.reset();
        QCOMPARE(scheduler.pendingCount(), 0);
        QCOMPARE(storedNotes(), QStringList{"cups_03:last words"});

        detail = openDetail("cups_03", scheduler);
        detail->editNote("closing time");
        QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
        QCOMPARE(storedNotes(), QStringList{"cups_03:closing time"});
    }

    // At most 50,000 user-perceived characters: longer input is cut, never in the middle of
    // an emoji or of a letter with its accent.
    void noteLimit_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("kept");
        const QString letters(49'999, 'a');
        const QString thumb = u"\U0001F44D\U0001F3FD"_s;                        // thumbs up, skin tone
        const QString family = u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s; // joined by ZWJ
        QTest::newRow("60,000 pasted") << QString(60'000, 'b') << QString(50'000, 'b');
        QTest::newRow("exactly 50,000") << QString(50'000, 'c') << QString(50'000, 'c');
        QTest::newRow("emoji as the last character") << letters + thumb + u"zz"_s << letters + thumb;
        QTest::newRow("joined emoji as the last character") << letters + family + family << letters + family;
        QTest::newRow("accented letter as the last character") << letters + u"e\u0301x"_s << letters + u"e\u0301"_s;
        QTest::newRow("50,000 emoji are 50,000 characters") << thumb.repeated(50'001) << thumb.repeated(50'000);
    }
    void noteLimit()
    {
        QFETCH(QString, input);
        QFETCH(QString, kept);
        ManualScheduler scheduler;
        auto detail = openDetail("major_00", scheduler);
        QSignalSpy told(detail.get(), &CardDetailModel::noteTextChanged);
        detail->editNote(input);
        QCOMPARE(detail->noteText().size(), kept.size());
        QVERIFY(detail->noteText() == kept);
        QCOMPARE(detail->note()->noteText().size(), kept.size());
        // Pasting again over the kept text still tells the editor to show the kept text.
        told.clear();
        detail->editNote(input);
        QCOMPARE(told.count(), input == kept ? 0 : 1);
        scheduler.advance(CardDetailModel::saveDelayMs);
        QCOMPARE(storedNotes().constFirst().size(), QStringLiteral("major_00:").size() + kept.size());
    }

private:
    // The detail screen's model for a card, shown.
    std::unique_ptr<CardDetailModel> openDetail(const QString &id, Scheduler &scheduler)
    {
        auto detail = std::make_unique<CardDetailModel>();
        detail->setScheduler(scheduler);
        detail->setModelContext(m_context.get());
        detail->setCard(*m_store->cardByID(id));
        detail->appear();
        return detail;
    }

    // "cardId:text" of every note in the file, read through a context of its own.
    QStringList storedNotes() const
    {
        QString error;
        auto reader = ModelContext::open(m_context->path(), &error);
        if (!reader)
            return {error};
        QStringList result;
        for (const UserCardNote *note : reader->fetch<UserCardNote>())
            result.append(note->cardId() + ':' + note->noteText());
        return result;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CardDataStore> m_store;
    std::unique_ptr<QTemporaryDir> m_storeDir;
    std::unique_ptr<ModelContext> m_context;
};

QTEST_MAIN(LibraryRulesTest)
#include "tst_library_rules.moc"
