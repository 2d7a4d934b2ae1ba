// Checks the shipped card files and articles: what a user reads must be complete, consistent
// with the card ids, and keyed by positions the spreads actually have.
#include "CardDataStore.h"
#include "EducationContent.h"
#include "SpreadDefinition.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

int wordCount(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return static_cast<int>(text.split(space, Qt::SkipEmptyParts).size());
}

// Keywords stand inside generated sentences: every word capitalised, except articles,
// conjunctions and "of", which are lower case ("Fear of the Unknown"); a preposition may be
// either, since it can be a particle ("Giving Up", "Faith in the Future").
bool isKeywordCase(const QString &keyword)
{
    static const QStringList alwaysLower = QStringLiteral("a an the and or nor but of").split(QLatin1Char(' '));
    static const QStringList prepositions =
        QStringLiteral("in on to for at by with from into as").split(QLatin1Char(' '));
    const QStringList words = keyword.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (word.isEmpty())
            return false;
        const bool capital = word.at(0).isUpper();
        if (i == 0                                 ? !capital
            : alwaysLower.contains(word.toLower()) ? word != word.toLower()
                                                   : !capital && !prepositions.contains(word))
            return false;
    }
    return true;
}

} // namespace

class ContentTest : public QObject
{
    Q_OBJECT

private slots:
    // The 78 cards in deck order: the majors, then each suit from Ace to King, each card
    // named once.
    void allSeventyEightCardsLoadInDeckOrder()
    {
        CardDataStore store;
        store.loadCards();
        const QList<TarotCard> &cards = store.allCards();
        QCOMPARE(cards.size(), 78);
        QCOMPARE(store.cardsByID().size(), 78);
        QSet<QString> names;
        for (int i = 0; i < cards.size(); ++i) {
            const TarotCard &card = cards.at(i);
            const QString group = i < 22 ? QStringLiteral("major") : rawValue(allSuitCases.at((i - 22) / 14));
            const int number = i < 22 ? i : (i - 22) % 14 + 1;
            QCOMPARE(card.id, QStringLiteral("%1_%2").arg(group).arg(number, 2, 10, QLatin1Char('0')));
            QCOMPARE(card.number, number);
            QCOMPARE(card.imageName, card.id);
            QCOMPARE(card.arcana == Arcana::major, i < 22);
            QCOMPARE(card.suit ? rawValue(*card.suit) : QStringLiteral("major"), group);
            names.insert(card.name);
        }
        QCOMPARE(names.size(), 78);
    }

    void everyCardIsCompleteAndWithinItsRanges()
    {
        CardDataStore store;
        store.loadCards();
        QSet<QString> positionIds;
        for (const SpreadDefinition &spread : SpreadDefinition::allSpreads())
            for (const SpreadPosition &position : spread.positions)
                positionIds.insert(position.id);
        QSet<QString> meaningTexts;
        QStringList problems;
        const auto check = [&problems](const TarotCard &card, bool ok, const QString &what) {
            if (!ok)
                problems.append(card.id + QStringLiteral(": ") + what);
        };
        for (const TarotCard &card : store.allCards()) {
            for (const QStringList *keywords : {&card.uprightKeywords, &card.reversedKeywords}) {
                check(card, keywords->size() >= 4 && keywords->size() <= 6, QStringLiteral("4 to 6 keywords"));
                for (const QString &keyword : *keywords)
                    check(card, isKeywordCase(keyword), QStringLiteral("keyword case: ") + keyword);
            }
            for (const QString &keyword : card.uprightKeywords)
                check(card, !card.reversedKeywords.contains(keyword),
                      QStringLiteral("keyword in both lists: ") + keyword);
            for (const QString *meaning : {&card.uprightMeaning, &card.reversedMeaning}) {
                const int words = wordCount(*meaning);
                check(card, words >= 60 && words <= 120, QStringLiteral("meaning of %1 words").arg(words));
                check(card, !meaningTexts.contains(*meaning), QStringLiteral("meaning shared with another card"));
                meaningTexts.insert(*meaning);
            }
            const int artWords = wordCount(card.artDescription);
            check(card, artWords >= 40 && artWords <= 90, QStringLiteral("art description of %1 words").arg(artWords));
            static const QRegularExpression firstPerson(QStringLiteral("\\b(I|I'm|me|my|myself)\\b"));
            check(card, firstPerson.match(card.affirmation).hasMatch(),
                  QStringLiteral("affirmation in the first person"));
            check(card, card.reflectionQuestions.size() == 3, QStringLiteral("three reflection questions"));
            for (const QString &question : card.reflectionQuestions)
                check(card, question.endsWith(QLatin1Char('?')), QStringLiteral("question mark"));
            check(card, !card.journalPrompt.trimmed().isEmpty(), QStringLiteral("journal prompt"));
            // Every position of the readings that show position texts has its own text.
            for (const SpreadPosition &position :
                 SpreadDefinition::threeCard().positions + SpreadDefinition::celticCross().positions)
                check(card, card.positionMeanings.contains(position.id),
                      QStringLiteral("position meaning ") + position.id);
            for (auto it = card.positionMeanings.cbegin(); it != card.positionMeanings.cend(); ++it) {
                check(card, positionIds.contains(it.key()), QStringLiteral("unknown position ") + it.key());
                for (const QString *text : {&it->upright, &it->reversed}) {
                    const int words = wordCount(*text);
                    check(card, words >= 15 && words <= 50,
                          QStringLiteral("%1 position meaning of %2 words").arg(it.key()).arg(words));
                    check(card, !meaningTexts.contains(*text), QStringLiteral("text shared: ") + it.key());
                    meaningTexts.insert(*text);
                }
            }
            static const QRegularExpression americanJudgement(QStringLiteral("\\bjudgment"),
                                                              QRegularExpression::CaseInsensitiveOption);
            for (const QString &text : {card.uprightMeaning, card.reversedMeaning, card.artDescription})
                check(card, !americanJudgement.match(text).hasMatch(), QStringLiteral("spelled judgment"));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Every article of the study menu is written, and every card it shows exists.
    void theArticlesAreWrittenAndPointAtRealCards()
    {
        CardDataStore store;
        store.loadCards();
        QCOMPARE(loadedArticles().size(), studyArticles().size());
        for (const EducationArticle &article : studyArticles()) {
            QVERIFY2(store.cardByID(article.cardId), qPrintable(article.id));
            QVERIFY2(article.sections.size() >= 3 && article.sections.size() <= 6, qPrintable(article.id));
            for (const auto &section : article.sections) {
                const int words = wordCount(section.body);
                QVERIFY2(words >= 80 && words <= 200, qPrintable(article.id + QStringLiteral(": ") + section.heading));
                QVERIFY(!section.heading.isEmpty());
                QVERIFY2(!section.cardId || store.cardByID(*section.cardId), qPrintable(article.id));
            }
        }
    }
};

QTEST_GUILESS_MAIN(ContentTest)
#include "tst_engine_content.moc"
