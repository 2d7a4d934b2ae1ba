#pragma once

#include "SpreadDefinition.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

// Spreads the user designs. A designed spread is an ordinary SpreadDefinition whose id is
// "custom_" and the record's UUID, so every reading screen deals and shows it the same way.
// Its positions travel as a small JSON text: in the spread's own record, and copied into each
// reading made with it, so a reading keeps the spread as it was even after the spread changes
// or is deleted.
namespace CustomSpread {

inline constexpr int maxPositions = 15;
// Designed layouts are in the same points as the built-in offsets; each card takes this
// much room there, upright.
inline constexpr double cardWidth = 90;
inline constexpr double cardHeight = 160;
// The editor's grid: arrow keys move one step, with Shift a fine step.
inline constexpr double gridStep = 30;
inline constexpr double fineStep = 5;
// How far from the layout's centre a card's centre may be placed, across and down.
inline constexpr double reachAcross = 600;
inline constexpr double reachDown = 400;

QString spreadTypeFor(const QUuid &id);
bool isCustom(const QString &spreadType);

// The JSON text of a spread's name, description and positions.
QString encode(const SpreadDefinition &spread);
// The spread a JSON text describes, under `spreadType`; nothing for text that is not such a
// spread (wrong types, no positions, more than the most, repeated position ids).
std::optional<SpreadDefinition> decode(const QString &spreadType, const QString &json);
// The spread of a stored reading: a built-in one by its id, else the copy the reading keeps.
std::optional<SpreadDefinition> ofReading(const QString &spreadType, const QString &snapshot);

// A built-in spread as the start of a design of one's own: its positions and layout, with the
// rows pulled apart far enough for cards of the designed size.
SpreadDefinition startingFrom(const SpreadDefinition &builtIn);

// The box a card takes at this offset and rotation, unscaled.
QRectF cardBounds(const SpreadPosition &position);
// The box around every card.
QRectF layoutBounds(const QList<SpreadPosition> &positions);
// Whether two cards, as placed, cover part of each other.
bool overlap(const SpreadPosition &a, const SpreadPosition &b);

// What keeps a design from being saved, said at the field it concerns; all empty when it may be saved.
struct Problems
{
    QString name;
    QStringList positions; // one entry per position, empty when that position is fine
    QString count;
    QString layout;

    bool any() const;
};
Problems check(const SpreadDefinition &spread);

} // namespace CustomSpread
