#include "CustomSpread.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QtMath>

#include <cmath>

namespace CustomSpread {

namespace {
const QString prefix = QStringLiteral("custom_");
// Cards closer than this are taken to lie on the same spot.
constexpr double sameSpot = 1;

QString folded(const QString &name)
{
    return name.simplified().toCaseFolded();
}
} // namespace

QString spreadTypeFor(const QUuid &id)
{
    return prefix + id.toString(QUuid::Id128);
}

bool isCustom(const QString &spreadType)
{
    return spreadType.startsWith(prefix);
}

QString encode(const SpreadDefinition &spread)
{
    QJsonArray positions;
    for (const SpreadPosition &position : spread.positions)
        positions.append(QJsonObject{{QStringLiteral("id"), position.id},
                                     {QStringLiteral("name"), position.name},
                                     {QStringLiteral("description"), position.description},
                                     {QStringLiteral("x"), position.layoutOffset.x()},
                                     {QStringLiteral("y"), position.layoutOffset.y()},
                                     {QStringLiteral("rotation"), position.layoutRotation}});
    const QJsonObject object{{QStringLiteral("name"), spread.name},
                             {QStringLiteral("description"), spread.description},
                             {QStringLiteral("positions"), positions}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<SpreadDefinition> decode(const QString &spreadType, const QString &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue name = object.value(QStringLiteral("name"));
    const QJsonValue description = object.value(QStringLiteral("description"));
    const QJsonValue positions = object.value(QStringLiteral("positions"));
    if (!name.isString() || !(description.isString() || description.isUndefined()) || !positions.isArray())
        return std::nullopt;
    const QJsonArray list = positions.toArray();
    if (list.isEmpty() || list.size() > maxPositions)
        return std::nullopt;

    SpreadDefinition spread{
        spreadType, name.toString(), description.toString(), 0, {}, QStringLiteral("square.grid.3x3")};
    QSet<QString> ids;
    for (const QJsonValue &entry : list) {
        const QJsonObject place = entry.toObject();
        const QJsonValue id = place.value(QStringLiteral("id"));
        const QJsonValue placeName = place.value(QStringLiteral("name"));
        const QJsonValue x = place.value(QStringLiteral("x"));
        const QJsonValue y = place.value(QStringLiteral("y"));
        const QJsonValue rotation = place.value(QStringLiteral("rotation"));
        if (!entry.isObject() || !id.isString() || id.toString().isEmpty() || !placeName.isString() || !x.isDouble() ||
            !y.isDouble() || !(rotation.isDouble() || rotation.isUndefined()) || ids.contains(id.toString()))
            return std::nullopt;
        ids.insert(id.toString());
        spread.positions.append({id.toString(), int(spread.positions.size()), placeName.toString(),
                                 place.value(QStringLiteral("description")).toString(),
                                 QPointF(x.toDouble(), y.toDouble()), rotation.toDouble()});
    }
    spread.cardCount = int(spread.positions.size());
    return spread;
}

std::optional<SpreadDefinition> ofReading(const QString &spreadType, const QString &snapshot)
{
    if (std::optional<SpreadDefinition> builtIn = SpreadDefinition::withID(spreadType))
        return builtIn;
    if (!isCustom(spreadType) || snapshot.isEmpty())
        return std::nullopt;
    return decode(spreadType, snapshot);
}

SpreadDefinition startingFrom(const SpreadDefinition &builtIn)
{
    // The built-in offsets were drawn for smaller cards; spaced 1.3 times across and 1.6 times
    // down, the Celtic Cross's cards clear each other, the challenge laid across the centre included.
    SpreadDefinition spread = builtIn;
    spread.iconName = QStringLiteral("square.grid.3x3");
    for (SpreadPosition &position : spread.positions)
        position.layoutOffset = QPointF(position.layoutOffset.x() * 1.3, position.layoutOffset.y() * 1.6);
    return spread;
}

QRectF cardBounds(const SpreadPosition &position)
{
    const double radians = qDegreesToRadians(position.layoutRotation);
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    const double width = cardWidth * c + cardHeight * s;
    const double height = cardWidth * s + cardHeight * c;
    const QPointF centre = position.layoutOffset;
    return {centre.x() - width / 2, centre.y() - height / 2, width, height};
}

QRectF layoutBounds(const QList<SpreadPosition> &positions)
{
    QRectF bounds;
    for (const SpreadPosition &position : positions)
        bounds = bounds.isNull() ? cardBounds(position) : bounds.united(cardBounds(position));
    return bounds;
}

bool overlap(const SpreadPosition &a, const SpreadPosition &b)
{
    // Touching edges do not count: cards laid edge to edge on the grid are apart.
    const QRectF shared = cardBounds(a).intersected(cardBounds(b));
    return shared.width() > 0.5 && shared.height() > 0.5;
}

bool Problems::any() const
{
    if (!name.isEmpty() || !count.isEmpty() || !layout.isEmpty())
        return true;
    for (const QString &problem : positions)
        if (!problem.isEmpty())
            return true;
    return false;
}

Problems check(const SpreadDefinition &spread)
{
    Problems problems;
    if (spread.name.trimmed().isEmpty())
        problems.name = QObject::tr("Give the spread a name.");
    const qsizetype count = spread.positions.size();
    if (count == 0)
        problems.count = QObject::tr("Add at least one position.");
    else if (count > maxPositions)
        problems.count = QObject::tr("A spread holds at most %1 positions; remove %2 to save it.")
                             .arg(maxPositions)
                             .arg(count - maxPositions);

    QHash<QString, int> firstWithName;
    for (int i = 0; i < count; ++i) {
        const QString name = folded(spread.positions.at(i).name);
        QString problem;
        if (name.isEmpty())
            problem = QObject::tr("Give this position a name.");
        else if (firstWithName.contains(name))
            problem = QObject::tr("Position %1 already has this name.").arg(firstWithName.value(name) + 1);
        else
            firstWithName.insert(name, i);
        problems.positions.append(problem);
    }

    if (count >= 2) {
        const QPointF first = spread.positions.constFirst().layoutOffset;
        const bool stacked =
            std::all_of(spread.positions.cbegin(), spread.positions.cend(), [&](const SpreadPosition &p) {
                const QPointF apart = p.layoutOffset - first;
                return std::abs(apart.x()) < sameSpot && std::abs(apart.y()) < sameSpot;
            });
        if (stacked)
            problems.layout = QObject::tr("Every card lies on the same spot. Move them apart so each one can be seen.");
    }
    return problems;
}

} // namespace CustomSpread
