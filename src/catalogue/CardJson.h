#pragma once

#include "TarotCard.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

// The JSON form of the card files. Decoding is strict: a top-level array of card objects with
// exactly spelled keys, exact enumeration texts and the right JSON types. One faulty card
// fails the whole document; members that are not card fields are ignored.
namespace CardJson {

std::optional<TarotCard> decodeCard(const QJsonValue &value);
std::optional<QList<TarotCard>> decodeCards(const QJsonDocument &document);
// Parses the bytes first; text that is not JSON fails like a faulty card.
std::optional<QList<TarotCard>> decodeCards(const QByteArray &json);

// The same keys as decoding; "suit" only when the card has one.
QJsonObject encodeCard(const TarotCard &card);
QJsonDocument encodeCards(const QList<TarotCard> &cards);

} // namespace CardJson
