#pragma once

#include "SpreadDefinition.h"

#include <QList>
#include <QString>

#include <optional>

class ModelContext;
class Reading;
class Spread;

// Every spread a reading can be made with: the built-in ones and those the user designed, as
// the same SpreadDefinition values the engine deals.
namespace SpreadBook {

// The user's spreads, oldest first; a stored design that cannot be read is left out.
QList<SpreadDefinition> designed(ModelContext *context);
std::optional<SpreadDefinition> definitionOf(const Spread &spread);
// A built-in spread by its id, or a designed one by its spread type.
std::optional<SpreadDefinition> find(ModelContext *context, const QString &spreadType);
// The spread a stored reading was made with: a built-in one, or the copy of the design the
// reading keeps.
std::optional<SpreadDefinition> ofReading(const Reading &reading);
// The spread's name for a reading, or the stored type for a spread no longer known.
QString nameOf(const Reading &reading);
QString iconOf(const Reading &reading);

} // namespace SpreadBook
