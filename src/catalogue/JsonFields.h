#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <optional>

// Strict readers of single JSON members, shared by the card and article decoders. Each yields
// nothing when the member is missing, null or of another JSON type.
namespace JsonFields {

std::optional<QString> string(const QJsonObject &object, QLatin1StringView key);
std::optional<QStringList> stringList(const QJsonObject &object, QLatin1StringView key);
// A whole number that fits a signed 64-bit integer, whether the text wrote it as 3 or 3.0.
std::optional<qint64> integer(const QJsonObject &object, QLatin1StringView key);
// A member that may be missing or null. The outer optional is empty on a wrong type; the
// inner one is empty when the member is absent.
std::optional<std::optional<QString>> optionalString(const QJsonObject &object, QLatin1StringView key);

} // namespace JsonFields
