// Flashcard practice and the article panels, through their models and, for an empty
// catalogue, the real screen.
#include "CardDataStore.h"
#include "CardFixtures.h"
#include "CardTestSupport.h"
#include "EducationArticleModel.h"
#include "EducationContent.h"
#include "FlashcardViewModel.h"
#include "RandomSource.h"
#include "ScriptedRandomSource.h"
#include "StudyMenuModel.h"

#include <QSignalSpy>
#include <QTemporaryDir>

Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_StudyPlugin)

namespace {

using CardFixtures::ids;

bool studied(FlashcardViewModel &model, int index)
{
    return model.deck()->data(model.deck()->index(index), FlashcardDeckModel::StudiedRole).toBool();
}

bool current(FlashcardViewModel &model, int index)
{
    return model.deck()->data(model.deck()->index(index), FlashcardDeckModel::CurrentRole).toBool();
}

// A scripted source whose draws leave every card in place: each swap index is i itself.
QList<quint64> keepOrder(int cards)
{
    return QList<quint64>(qMax(0, cards - 1), 0);
}

int filterEntry(const QString &label)
{
    return int(FlashcardViewModel::filterLabels().indexOf(label));
}

} // namespace

class FlashcardsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_empty;
    // The shipped catalogue, read through a location of its own so that the shared catalogue
    // can be pointed at an empty folder for the screen test.
    CardDataStore m_catalogue{ResourceLocation(ResourceLocation::bundleRoot())};

private slots:
    void initTestCase()
    {
        prepareGuiTests();
        m_catalogue.loadCards();
        QCOMPARE(m_catalogue.allCards().size(), 78);
    }

    // A card counts as studied once, when it is first shown: opening counts the first card,
    // revealing and paging back count nothing more, and appearing again keeps the deck and the
    // place and deals nothing new.
    void eachCardCountsOnce()
    {
        ScriptedRandomSource random(keepOrder(78));
        FlashcardViewModel model(m_catalogue, random);
        QCOMPARE(model.cardCount(), 0);
        model.appear();
        QCOMPARE(model.progressText(), "1 of 78 studied");
        QCOMPARE(model.counterText(), "Card 1 of 78");
        QVERIFY(studied(model, 0) && current(model, 0) && !studied(model, 1));
        QCOMPARE(model.currentCard()->id, m_catalogue.allCards().first().id);
        QVERIFY(!model.showMeaning());
        for (int i = 0; i < 5; ++i)
            model.toggleMeaning();
        QVERIFY(model.showMeaning() && model.animatesMeaning());
        QCOMPARE(model.studiedCount(), 1);

        QSignalSpy progress(&model, &FlashcardViewModel::progressChanged);
        model.next();
        // Paging hides the meaning at once, without the slide.
        QVERIFY(!model.showMeaning() && !model.animatesMeaning());
        model.next();
        QCOMPARE(model.studiedCount(), 3);
        model.previous();
        model.previous();
        QCOMPARE(model.currentIndex(), 0);
        QCOMPARE(model.studiedCount(), 3);
        QCOMPARE(progress.count(), 2);
        model.select(model.shuffledCards().at(9).id);
        QCOMPARE(model.currentIndex(), 9);
        QVERIFY(studied(model, 9) && !studied(model, 3));
        QCOMPARE(model.progressText(), "4 of 78 studied");

        const QList<TarotCard> dealt = model.shuffledCards();
        model.appear();
        QCOMPARE(model.shuffledCards(), dealt);
        QCOMPARE(model.currentIndex(), 9);
        QCOMPARE(model.studiedCount(), 4);
        QVERIFY(random.usedExactly());
    }

    // At either end the step outward does nothing, not even closing the meaning. A sidebar
    // choice shows that card with its meaning hidden; no choice, or a card not in the deck,
    // changes nothing.
    void bothEndsStopAndTheSidebarSelects()
    {
        FlashcardViewModel model(m_catalogue, RandomSource::system());
        model.appear();
        model.toggleMeaning();
        QVERIFY(!model.canGoPrevious());
        QSignalSpy deck(&model, &FlashcardViewModel::deckChanged);
        model.previous();
        QCOMPARE(model.currentIndex(), 0);
        QVERIFY(model.showMeaning());
        QCOMPARE(deck.count(), 0);

        const QString sixth = model.shuffledCards().at(5).id;
        model.select(sixth);
        QCOMPARE(model.currentCard()->id, sixth);
        QVERIFY(!model.showMeaning());
        QVERIFY(current(model, 5) && !current(model, 0));
        model.toggleMeaning();
        model.select(QString());
        model.select("no_such_card");
        QCOMPARE(model.currentIndex(), 5);
        QVERIFY(model.showMeaning());

        model.select(model.shuffledCards().last().id);
        QCOMPARE(model.currentIndex(), 77);
        QVERIFY(model.canGoPrevious() && !model.canGoNext());
        model.toggleMeaning();
        deck.clear();
        model.next();
        QCOMPARE(model.currentIndex(), 77);
        QVERIFY(model.showMeaning());
        QCOMPARE(deck.count(), 0);
        QCOMPARE(model.counterText(), "Card 78 of 78");
    }

    // Hidden names cover the card shown until its meaning is revealed, and every card paged to
    // or dealt afresh starts covered again; a screen reader hears only its place meanwhile.
    void hiddenNamesStayCoveredUntilTheMeaningIsRevealed()
    {
        FlashcardViewModel model(m_catalogue, RandomSource::system());
        QVERIFY(!model.coversName());
        model.setHidesNames(true);
        QVERIFY2(!model.coversName(), "nothing is dealt yet");
        model.appear();
        QVERIFY(model.coversName());
        QCOMPARE(model.cardAccessibleName(), "Hidden card, Card 1 of 78");

        QSignalSpy cover(&model, &FlashcardViewModel::coverChanged);
        model.toggleMeaning();
        QVERIFY(!model.coversName());
        QCOMPARE(model.cardAccessibleName(), model.currentCard()->name);
        model.next();
        QVERIFY(model.coversName());
        QCOMPARE(model.cardAccessibleName(), "Hidden card, Card 2 of 78");
        model.toggleMeaning();
        model.selectFilter(filterEntry("Cups"));
        QVERIFY(model.hidesNames() && model.coversName());
        QCOMPARE(model.cardAccessibleName(), "Hidden card, Card 1 of 14");
        QVERIFY(cover.count() >= 4);

        // Turned off in the middle of a card, its name shows at once.
        model.setHidesNames(false);
        QVERIFY(!model.coversName());
        QCOMPARE(model.cardAccessibleName(), model.currentCard()->name);
    }

    void choosingWandsDealsTheFourteenWandsAfresh()
    {
        // The whole deck stays in order; the wands are dealt with every swap one place on,
        // which carries the first wand to the end.
        ScriptedRandomSource random(keepOrder(78) + QList<quint64>(13, 1));
        FlashcardViewModel model(m_catalogue, random);
        model.appear();
        model.next();
        model.toggleMeaning();

        model.selectFilter(filterEntry("Wands"));
        QVERIFY(random.usedExactly());
        QCOMPARE(model.filter(), DeckFilter::Wands);
        QStringList expected;
        for (int number = 2; number <= 14; ++number)
            expected.append(QStringLiteral("wands_%1").arg(number, 2, 10, QChar('0')));
        expected.append("wands_01");
        QCOMPARE(ids(model.shuffledCards()), expected);
        QCOMPARE(model.currentIndex(), 0);
        QVERIFY(!model.showMeaning());
        QCOMPARE(model.counterText(), "Card 1 of 14");
        QCOMPARE(model.progressText(), "0 of 14 studied");
        QVERIFY(!studied(model, 0));

        // The entry already chosen: no new deal, nothing reset.
        model.toggleMeaning();
        QCOMPARE(model.progressText(), "1 of 14 studied");
        QSignalSpy deck(&model, &FlashcardViewModel::deckChanged);
        model.selectFilter(filterEntry("Wands"));
        QCOMPARE(deck.count(), 0);
        QVERIFY(model.showMeaning());
        QCOMPARE(model.studiedCount(), 1);
        QVERIFY(random.usedExactly());

        // Every group deals exactly its own cards.
        const QList<std::pair<QString, QList<TarotCard>>> groups{
            {"Major Arcana", m_catalogue.majorArcana()},
            {"Cups", m_catalogue.cardsForSuit(Suit::cups)},
            {"Swords", m_catalogue.cardsForSuit(Suit::swords)},
            {"Pentacles", m_catalogue.cardsForSuit(Suit::pentacles)},
            {"All Cards", m_catalogue.allCards()},
        };
        FlashcardViewModel fair(m_catalogue, RandomSource::system());
        for (const auto &[label, cards] : groups) {
            fair.selectFilter(filterEntry(label));
            QStringList dealt = ids(fair.shuffledCards());
            QStringList wanted = ids(cards);
            dealt.sort();
            wanted.sort();
            QCOMPARE(dealt, wanted);
        }
    }

    // Four cards have 24 orders; 24,000 deals put about 1,000 in each. A fair deal keeps the
    // statistic near its mean of 23 (standard deviation about 7); a deal that favoured one
    // order by a tenth, or never moved the first card, would land far above the bound.
    void theDealIsAUniformPermutation()
    {
        QTemporaryDir dir;
        QJsonArray four;
        for (int number = 0; number < 4; ++number)
            four.append(CardFixtures::cardObject(QStringLiteral("major_%1").arg(number), Arcana::major, {}, number));
        CardFixtures::writeCards(dir.path(), "MajorArcana", four);
        CardDataStore cards{ResourceLocation(dir.path())};
        cards.loadCards();
        QCOMPARE(cards.allCards().size(), 4);
        const QStringList catalogueOrder = ids(cards.allCards());

        FlashcardViewModel model(cards, RandomSource::system());
        QHash<QString, int> counts;
        constexpr int deals = 24000;
        for (int i = 0; i < deals; ++i) {
            model.reshuffle();
            ++counts[ids(model.shuffledCards()).join(',')];
        }
        QCOMPARE(counts.size(), 24);
        const double expected = double(deals) / 24;
        double chiSquare = 0;
        for (int observed : std::as_const(counts))
            chiSquare += (observed - expected) * (observed - expected) / expected;
        QVERIFY2(chiSquare < 70, qPrintable(QString::number(chiSquare)));
        QCOMPARE(ids(cards.allCards()), catalogueOrder);
    }

    void anEmptyCatalogueShowsNoCardsAvailable()
    {
        CardDataStore none{ResourceLocation(m_empty.path())};
        none.loadCards();
        FlashcardViewModel model(none, RandomSource::system());
        model.appear();
        model.next();
        model.previous();
        model.toggleMeaning();
        QCOMPARE(model.cardCount(), 0);
        QVERIFY(!model.hasCurrentCard());
        QCOMPARE(model.studiedCount(), 0);

        // The screen itself, over a shared catalogue that finds no card files.
        ResourceLocation::setRoot(m_empty.path());
        Scene scene("import QtQuick\nimport Quillmoor.Study\nFlashcardView { width: 800; height: 600 }\n", {800, 600});
        QVERIFY(scene.root);
        QMetaObject::invokeMethod(scene.root->property("model").value<QObject *>(), "appear");
        QCoreApplication::processEvents();
        QVERIFY(scene.find("noCardsMessage")->isVisible());
        QVERIFY(!scene.find("flashcardSidebar"));
        ResourceLocation::resetRoot();
    }

    // A section's card appears only when it names a card of the catalogue; an article the
    // file lacks has no sections to show.
    void articlePanelsShowOnlyKnownCards()
    {
        QTemporaryDir dir;
        const QJsonArray sections{QJsonObject{{"heading", "The Fool"}, {"body", "Beginnings."}, {"cardId", "major_00"}},
                                  QJsonObject{{"heading", "Lost"}, {"body", "No such card."}, {"cardId", "major_99"}},
                                  QJsonObject{{"heading", "Plain"}, {"body", "Text alone."}}};
        const QJsonObject article{
            {"id", "history"}, {"title", "Old Lore"}, {"icon", "book"}, {"cardId", "major_02"}, {"sections", sections}};
        CardFixtures::writeFile(dir.path() + "/education_content.json", QJsonDocument(QJsonArray{article}).toJson());
        const EducationContent content{ResourceLocation(dir.path())};
        const StudyMenuModel menu(content); // its fallbacks are EducationContent's (tst_catalogue_articles)

        EducationArticleModel panels(m_catalogue);
        panels.setArticle(menu.article("history"));
        QCOMPARE(panels.rowCount(), 3);
        const auto cell = [&panels](int row, int role) { return panels.data(panels.index(row), role); };
        QCOMPARE(cell(0, EducationArticleModel::CardRole).value<TarotCard>().id, "major_00");
        QCOMPARE(cell(1, EducationArticleModel::BodyRole).toString(), "No such card.");
        for (int row = 0; row < 3; ++row)
            QCOMPARE(cell(row, EducationArticleModel::HasCardRole).toBool(), row == 0);
        panels.setArticle(menu.article("suits"));
        QCOMPARE(panels.rowCount(), 0);
    }
};

QTEST_MAIN(FlashcardsTest)
#include "tst_flashcards.moc"
