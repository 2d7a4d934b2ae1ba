#include "SpreadMenu.h"

QString SpreadMenuItem::cardCountText() const
{
    const int count = spread.cardCount;
    return count >= 2 ? QObject::tr("%1 cards").arg(count) : QObject::tr("%1 card").arg(count);
}

QList<SpreadMenuItem> SpreadMenu::items()
{
    return {
        {SpreadDefinition::yesNo(), tr("Ask a question, pick a card from the fan")},
        {SpreadDefinition::threeCard(), tr("Explore past, present, and future")},
        {SpreadDefinition::celticCross(), tr("Deep, comprehensive 10-card insight")},
    };
}

QVariantList SpreadMenu::itemList()
{
    QVariantList list;
    for (const SpreadMenuItem &item : items())
        list.append(QVariant::fromValue(item));
    return list;
}

QString SpreadMenu::iconName(const QString &spreadType)
{
    const std::optional<SpreadDefinition> spread = SpreadDefinition::withID(spreadType);
    return spread ? spread->iconName : QStringLiteral("rectangle.portrait");
}

QString SpreadMenu::spreadName(const QString &spreadType)
{
    const std::optional<SpreadDefinition> spread = SpreadDefinition::withID(spreadType);
    return spread ? spread->name : spreadType;
}
