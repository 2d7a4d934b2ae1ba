#include "CardJson.h"

#include "JsonFields.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace CardJson {

namespace {

std::optional<QMap<QString, PositionMeaning>> decodePositionMeanings(const QJsonObject &card)
{
    const QJsonValue value = card.value("positionMeanings"_L1);
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    QMap<QString, PositionMeaning> meanings;
    for (auto member = object.constBegin(); member != object.constEnd(); ++member) {
        if (!member.value().isObject())
            return std::nullopt;
        const QJsonObject meaning = member.value().toObject();
        const auto upright = JsonFields::string(meaning, "upright"_L1);
        const auto reversed = JsonFields::string(meaning, "reversed"_L1);
        if (!upright || !reversed)
            return std::nullopt;
        meanings.insert(member.key(), PositionMeaning{*upright, *reversed});
    }
    return meanings;
}

} // namespace

std::optional<TarotCard> decodeCard(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();

    const auto id = JsonFields::string(object, "id"_L1);
    const auto name = JsonFields::string(object, "name"_L1);
    const auto arcanaText = JsonFields::string(object, "arcana"_L1);
    const auto suitText = JsonFields::optionalString(object, "suit"_L1);
    const auto number = JsonFields::integer(object, "number"_L1);
    const auto imageName = JsonFields::string(object, "imageName"_L1);
    const auto uprightKeywords = JsonFields::stringList(object, "uprightKeywords"_L1);
    const auto reversedKeywords = JsonFields::stringList(object, "reversedKeywords"_L1);
    const auto uprightMeaning = JsonFields::string(object, "uprightMeaning"_L1);
    const auto reversedMeaning = JsonFields::string(object, "reversedMeaning"_L1);
    const auto leaningText = JsonFields::string(object, "yesNoLeaning"_L1);
    const auto artDescription = JsonFields::string(object, "artDescription"_L1);
    const auto positionMeanings = decodePositionMeanings(object);
    const auto affirmation = JsonFields::string(object, "affirmation"_L1);
    const auto reflectionQuestions = JsonFields::stringList(object, "reflectionQuestions"_L1);
    const auto journalPrompt = JsonFields::string(object, "journalPrompt"_L1);
    if (!id || !name || !arcanaText || !suitText || !number || !imageName || !uprightKeywords || !reversedKeywords ||
        !uprightMeaning || !reversedMeaning || !leaningText || !artDescription || !positionMeanings || !affirmation ||
        !reflectionQuestions || !journalPrompt)
        return std::nullopt;

    const auto arcana = arcanaFromRawValue(*arcanaText);
    const auto leaning = yesNoLeaningFromRawValue(*leaningText);
    std::optional<Suit> suit;
    if (*suitText) {
        suit = suitFromRawValue(**suitText);
        if (!suit)
            return std::nullopt;
    }
    if (!arcana || !leaning)
        return std::nullopt;

    return TarotCard{*id,
                     *name,
                     *arcana,
                     suit,
                     *number,
                     *imageName,
                     *uprightKeywords,
                     *reversedKeywords,
                     *uprightMeaning,
                     *reversedMeaning,
                     *leaning,
                     *artDescription,
                     *positionMeanings,
                     *affirmation,
                     *reflectionQuestions,
                     *journalPrompt};
}

std::optional<QList<TarotCard>> decodeCards(const QJsonDocument &document)
{
    if (!document.isArray())
        return std::nullopt;
    const QJsonArray array = document.array();
    QList<TarotCard> cards;
    cards.reserve(array.size());
    for (const QJsonValue &element : array) {
        auto card = decodeCard(element);
        if (!card)
            return std::nullopt;
        cards.append(std::move(*card));
    }
    return cards;
}

std::optional<QList<TarotCard>> decodeCards(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return decodeCards(document);
}

QJsonObject encodeCard(const TarotCard &card)
{
    QJsonObject meanings;
    for (auto entry = card.positionMeanings.cbegin(); entry != card.positionMeanings.cend(); ++entry)
        meanings.insert(entry.key(), QJsonObject{{"upright"_L1, entry->upright}, {"reversed"_L1, entry->reversed}});

    QJsonObject object{
        {"id"_L1, card.id},
        {"name"_L1, card.name},
        {"arcana"_L1, rawValue(card.arcana)},
        {"number"_L1, card.number},
        {"imageName"_L1, card.imageName},
        {"uprightKeywords"_L1, QJsonArray::fromStringList(card.uprightKeywords)},
        {"reversedKeywords"_L1, QJsonArray::fromStringList(card.reversedKeywords)},
        {"uprightMeaning"_L1, card.uprightMeaning},
        {"reversedMeaning"_L1, card.reversedMeaning},
        {"yesNoLeaning"_L1, rawValue(card.yesNoLeaning)},
        {"artDescription"_L1, card.artDescription},
        {"positionMeanings"_L1, meanings},
        {"affirmation"_L1, card.affirmation},
        {"reflectionQuestions"_L1, QJsonArray::fromStringList(card.reflectionQuestions)},
        {"journalPrompt"_L1, card.journalPrompt},
    };
    if (card.suit)
        object.insert("suit"_L1, rawValue(*card.suit));
    return object;
}

QJsonDocument encodeCards(const QList<TarotCard> &cards)
{
    QJsonArray array;
    for (const TarotCard &card : cards)
        array.append(encodeCard(card));
    return QJsonDocument(array);
}

} // namespace CardJson
