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

#include <algorithm>

Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_StudyPlugin)

namespace {

QStringList ids(const QList<TarotCard> &cards)
{
    QStringList result;
    for (const TarotCard &card : cards)
        result.append(card.id);
    return result;
}

QVariant row(FlashcardViewModel &model, int index, FlashcardDeckModel::Roles role)
{
    return model.deck()->data(model.deck()->index(index), role);
}

// A scripted source whose draws leave every card in place: each swap index is i itself.
QList<quint64> keepOrder(int cards)
{
    return QList<quint64>(qMax(0, cards - 1), 0);
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

    void openingCountsTheFirstCardOnly()
    {
        ScriptedRandomSource random(keepOrder(78));
        FlashcardViewModel model(m_catalogue, random);
        QCOMPARE(model.cardCount(), 0);
        model.appear();
        QVERIFY(random.usedExactly());
        QCOMPARE(model.progressText(), QStringLiteral("1 of 78 studied"));
        QCOMPARE(model.counterText(), QStringLiteral("Card 1 of 78"));
        QCOMPARE(row(model, 0, FlashcardDeckModel::StudiedRole).toBool(), true);
        QCOMPARE(row(model, 0, FlashcardDeckModel::CurrentRole).toBool(), true);
        QCOMPARE(row(model, 1, FlashcardDeckModel::StudiedRole).toBool(), false);
        QCOMPARE(model.currentCard()->id, m_catalogue.allCards().first().id);
        QVERIFY(!model.showMeaning());

        // Appearing again keeps the deck and the place and deals nothing new.
        model.next();
        const QList<TarotCard> dealt = model.shuffledCards();
        model.appear();
        QCOMPARE(model.shuffledCards(), dealt);
        QCOMPARE(model.currentIndex(), 1);
        QCOMPARE(model.studiedCount(), 2);
        QVERIFY(random.usedExactly());
    }

    // Buttons, swipes, keys and the list all page through next, previous and select.
    void pagingCountsEachNewCardOnce()
    {
        FlashcardViewModel model(m_catalogue, RandomSource::system());
        model.appear();
        QSignalSpy progress(&model, &FlashcardViewModel::progressChanged);
        model.next();
        model.next();
        QCOMPARE(model.studiedCount(), 3);
        model.previous();
        model.previous();
        QCOMPARE(model.currentIndex(), 0);
        QCOMPARE(model.studiedCount(), 3);
        QCOMPARE(progress.count(), 2);

        const QString tenth = model.shuffledCards().at(9).id;
        model.select(tenth);
        QCOMPARE(model.currentIndex(), 9);
        QCOMPARE(model.studiedCount(), 4);
        QCOMPARE(row(model, 9, FlashcardDeckModel::StudiedRole).toBool(), true);
        QCOMPARE(row(model, 3, FlashcardDeckModel::StudiedRole).toBool(), false);
        QCOMPARE(model.progressText(), QStringLiteral("4 of 78 studied"));
    }

    void revealingTheSameCardCountsItOnce()
    {
        FlashcardViewModel model(m_catalogue, RandomSource::system());
        model.appear();
        for (int i = 0; i < 5; ++i)
            model.toggleMeaning();
        QVERIFY(model.showMeaning());
        QVERIFY(model.animatesMeaning());
        QCOMPARE(model.studiedCount(), 1);

        // Paging hides the meaning at once, without the slide.
        model.next();
        QVERIFY(!model.showMeaning());
        QVERIFY(!model.animatesMeaning());
        model.toggleMeaning();
        model.toggleMeaning();
        QCOMPARE(model.studiedCount(), 2);
    }

    void bothEndsStop()
    {
        FlashcardViewModel model(m_catalogue, RandomSource::system());
        model.appear();
        model.toggleMeaning();
        QVERIFY(!model.canGoPrevious());
        QSignalSpy deck(&model, &FlashcardViewModel::deckChanged);
        model.previous();
        QCOMPARE(model.currentIndex(), 0);
        QVERIFY(model.showMeaning()); // nothing happened, not even the meaning closing
        QCOMPARE(deck.count(), 0);

        model.select(model.shuffledCards().last().id);
        QCOMPARE(model.currentIndex(), 77);
        QVERIFY(model.canGoPrevious());
        QVERIFY(!model.canGoNext());
        model.toggleMeaning();
        deck.clear();
        model.next();
        QCOMPARE(model.currentIndex(), 77);
        QVERIFY(model.showMeaning());
        QCOMPARE(deck.count(), 0);
        QCOMPARE(model.counterText(), QStringLiteral("Card 78 of 78"));
    }

    void aSidebarChoiceShowsThatCardWithItsMeaningHidden()
    {
        FlashcardViewModel model(m_catalogue, RandomSource::system());
        model.appear();
        model.toggleMeaning();
        const QString sixth = model.shuffledCards().at(5).id;
        model.select(sixth);
        QCOMPARE(model.currentCard()->id, sixth);
        QVERIFY(!model.showMeaning());
        QCOMPARE(row(model, 5, FlashcardDeckModel::CurrentRole).toBool(), true);
        QCOMPARE(row(model, 0, FlashcardDeckModel::CurrentRole).toBool(), false);

        // No selection, or a card that is not in this deck, changes nothing.
        model.toggleMeaning();
        model.select(QString());
        model.select(QStringLiteral("no_such_card"));
        QCOMPARE(model.currentIndex(), 5);
        QVERIFY(model.showMeaning());
    }

    void choosingWandsDealsTheFourteenWandsAfresh()
    {
        // The whole deck stays in order; the wands are dealt with every swap one place on,
        // which carries the first wand to the end.
        QList<quint64> script = keepOrder(78);
        script.append(QList<quint64>(13, 1));
        ScriptedRandomSource random(script);
        FlashcardViewModel model(m_catalogue, random);
        model.appear();
        model.next();
        model.toggleMeaning();

        const int wandsEntry = int(FlashcardViewModel::filterLabels().indexOf(QStringLiteral("Wands")));
        model.selectFilter(wandsEntry);
        QVERIFY(random.usedExactly());
        QCOMPARE(model.filter(), FlashcardViewModel::Wands);
        QStringList expected;
        for (int number = 2; number <= 14; ++number)
            expected.append(QStringLiteral("wands_%1").arg(number, 2, 10, QChar('0')));
        expected.append(QStringLiteral("wands_01"));
        QCOMPARE(ids(model.shuffledCards()), expected);
        QCOMPARE(model.currentIndex(), 0);
        QVERIFY(!model.showMeaning());
        QCOMPARE(model.counterText(), QStringLiteral("Card 1 of 14"));
        QCOMPARE(model.progressText(), QStringLiteral("0 of 14 studied"));
        QCOMPARE(row(model, 0, FlashcardDeckModel::StudiedRole).toBool(), false);

        // The entry already chosen: no new deal, nothing reset.
        model.toggleMeaning();
        QCOMPARE(model.progressText(), QStringLiteral("1 of 14 studied"));
        QSignalSpy deck(&model, &FlashcardViewModel::deckChanged);
        model.selectFilter(wandsEntry);
        QCOMPARE(deck.count(), 0);
        QVERIFY(model.showMeaning());
        QCOMPARE(model.studiedCount(), 1);
        QVERIFY(random.usedExactly());

        // Every group deals exactly its own cards.
        const QList<QPair<QString, QList<TarotCard>>> groups{
            {QStringLiteral("Major Arcana"), m_catalogue.majorArcana()},
            {QStringLiteral("Cups"), m_catalogue.cardsForSuit(Suit::cups)},
            {QStringLiteral("Swords"), m_catalogue.cardsForSuit(Suit::swords)},
            {QStringLiteral("Pentacles"), m_catalogue.cardsForSuit(Suit::pentacles)},
            {QStringLiteral("All Cards"), m_catalogue.allCards()},
        };
        FlashcardViewModel fair(m_catalogue, RandomSource::system());
        for (const auto &[label, cards] : groups) {
            fair.selectFilter(int(FlashcardViewModel::filterLabels().indexOf(label)));
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
        CardFixtures::writeCards(dir.path(), QStringLiteral("MajorArcana"), four);
        CardDataStore cards{ResourceLocation(dir.path())};
        cards.loadCards();
        QCOMPARE(cards.allCards().size(), 4);
        const QStringList catalogueOrder = ids(cards.allCards());

        FlashcardViewModel model(cards, RandomSource::system());
        QHash<QString, int> counts;
        constexpr int deals = 24000;
        for (int i = 0; i < deals; ++i) {
            model.reshuffle();
            ++counts[ids(model.shuffledCards()).join(QLatin1Char(','))];
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
        QVERIFY(scene.find(QStringLiteral("noCardsMessage"))->isVisible());
        QVERIFY(!scene.find(QStringLiteral("flashcardSidebar")));
        ResourceLocation::resetRoot();
    }

    // A section's card appears only when it names a card of the catalogue; the article
    // itself comes from the file, under its own title, or falls back without sections.
    void articlePanelsShowOnlyKnownCards()
    {
        QTemporaryDir dir;
        const QJsonArray sections{
            QJsonObject{{"heading", "The Fool"}, {"body", "Beginnings."}, {"cardId", "major_00"}},
            QJsonObject{{"heading", "Lost"}, {"body", "No such card."}, {"cardId", "major_99"}},
            QJsonObject{{"heading", "Plain"}, {"body", "Text alone."}},
        };
        const QJsonArray articles{QJsonObject{{"id", "history"},
                                              {"title", "Old Lore"},
                                              {"icon", "book"},
                                              {"cardId", "major_02"},
                                              {"sections", sections}}};
        CardFixtures::writeFile(dir.path() + "/education_content.json", QJsonDocument(articles).toJson());
        const EducationContent content{ResourceLocation(dir.path())};
        const StudyMenuModel menu(content);

        const EducationArticle history = menu.article(QStringLiteral("history"));
        QCOMPARE(history.title, QStringLiteral("Old Lore"));
        const EducationArticle suits = menu.article(QStringLiteral("suits"));
        QCOMPARE(suits.title, QStringLiteral("Suits"));
        QVERIFY(suits.sections.isEmpty());

        EducationArticleModel panels(m_catalogue);
        panels.setArticle(history);
        QCOMPARE(panels.rowCount(), 3);
        const QList<bool> hasCard{true, false, false};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(panels.data(panels.index(i), EducationArticleModel::HasCardRole).toBool(), hasCard.at(i));
        QCOMPARE(panels.data(panels.index(0), EducationArticleModel::CardRole).value<TarotCard>().id,
                 QStringLiteral("major_00"));
        QCOMPARE(panels.data(panels.index(1), EducationArticleModel::BodyRole).toString(),
                 QStringLiteral("No such card."));
        panels.setArticle(suits);
        QCOMPARE(panels.rowCount(), 0);
    }
};

QTEST_MAIN(FlashcardsTest)
#include "tst_flashcards.moc"
