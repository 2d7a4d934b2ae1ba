#include "SpreadBook.h"

#include "CustomSpread.h"
#include "Reading.h"
#include "Spread.h"
#include "SpreadMenu.h"
#include "Spreads.h"

namespace SpreadBook {

std::optional<SpreadDefinition> definitionOf(const Spread &spread)
{
    std::optional<SpreadDefinition> definition =
        CustomSpread::decode(CustomSpread::spreadTypeFor(spread.id()), spread.layout());
    if (definition) {
        // The record's name and description are the ones the editor keeps up to date.
        definition->name = spread.name();
        definition->description = spread.summary();
    }
    return definition;
}

QList<SpreadDefinition> designed(ModelContext *context)
{
    QList<SpreadDefinition> result;
    for (const Spread *spread : Spreads(context).all())
        if (std::optional<SpreadDefinition> definition = definitionOf(*spread))
            result.append(*definition);
    return result;
}

std::optional<SpreadDefinition> find(ModelContext *context, const QString &spreadType)
{
    if (std::optional<SpreadDefinition> builtIn = SpreadDefinition::withID(spreadType))
        return builtIn;
    for (const SpreadDefinition &spread : designed(context))
        if (spread.id == spreadType)
            return spread;
    return std::nullopt;
}

std::optional<SpreadDefinition> ofReading(const Reading &reading)
{
    return CustomSpread::ofReading(reading.spreadType(), reading.spreadLayout());
}

QString nameOf(const Reading &reading)
{
    if (CustomSpread::isCustom(reading.spreadType()))
        if (const std::optional<SpreadDefinition> spread = ofReading(reading))
            return spread->name;
    return SpreadMenu::spreadName(reading.spreadType());
}

QString iconOf(const Reading &reading)
{
    if (CustomSpread::isCustom(reading.spreadType()) && !reading.spreadLayout().isEmpty())
        return QStringLiteral("square.grid.3x3");
    return SpreadMenu::iconName(reading.spreadType());
}

} // namespace SpreadBook
