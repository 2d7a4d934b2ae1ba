#pragma once

#include "CardDataStore.h"
#include "CardJson.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

// Card objects and card files for tests, shaped like the shipped catalogue but written here.
namespace CardFixtures {

inline QJsonObject cardObject(const QString &id, Arcana arcana, std::optional<Suit> suit, qint64 number)
{
    QJsonObject object{
        {"id", id},
        {"name", "Card " + id},
        {"arcana", rawValue(arcana)},
        {"number", number},
        {"imageName", id},
        {"uprightKeywords", QJsonArray{"Up " + id, "Rise", "Bloom"}},
        {"reversedKeywords", QJsonArray{"Down " + id, "Fall"}},
        {"uprightMeaning", "Upright meaning of " + id},
        {"reversedMeaning", "Reversed meaning of " + id},
        {"yesNoLeaning", "yes"},
        {"artDescription", "A figure under a lantern"},
        {"positionMeanings", QJsonObject{{"outcome", QJsonObject{{"upright", "Ends well"}, {"reversed", "Stalls"}}}}},
        {"affirmation", "I walk on."},
        {"reflectionQuestions", QJsonArray{"What now?"}},
        {"journalPrompt", "Write about " + id},
    };
    if (suit)
        object.insert("suit", rawValue(*suit));
    return object;
}

// The ids of `cards`, in order.
inline QStringList ids(const QList<TarotCard> &cards)
{
    QStringList result;
    for (const TarotCard &card : cards)
        result.append(card.id);
    return result;
}

inline TarotCard card(const QString &id, Arcana arcana = Arcana::major, std::optional<Suit> suit = {},
                      qint64 number = 0)
{
    return *CardJson::decodeCard(cardObject(id, arcana, suit, number));
}

// The cards of one card file: 22 majors, or the 14 cards of the file's suit.
inline QJsonArray group(const QString &resourceName)
{
    QJsonArray cards;
    const qsizetype groupIndex = CardDataStore::cardResourceNames().indexOf(resourceName);
    if (groupIndex == 0) {
        for (int number = 0; number <= 21; ++number)
            cards.append(
                cardObject(QStringLiteral("major_%1").arg(number, 2, 10, QChar('0')), Arcana::major, {}, number));
        return cards;
    }
    const Suit suit = allSuitCases.at(groupIndex - 1);
    for (int number = 1; number <= 14; ++number) {
        const QString id = QStringLiteral("%1_%2").arg(rawValue(suit)).arg(number, 2, 10, QChar('0'));
        cards.append(cardObject(id, Arcana::minor, suit, number));
    }
    return cards;
}

inline void writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline void writeCards(const QString &root, const QString &resourceName, const QJsonArray &cards)
{
    writeFile(root + "/cards/" + resourceName + ".json", QJsonDocument(cards).toJson());
}

// All five card files, 78 cards.
inline void writeCatalogue(const QString &root)
{
    for (const QString &name : CardDataStore::cardResourceNames())
        writeCards(root, name, group(name));
}

} // namespace CardFixtures
