#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QtQmlIntegration/qqmlintegration.h>

#include <optional>

// One place of a spread. Positions are the same position whenever their ids agree, whatever
// their names or geometry.
struct SpreadPosition
{
    Q_GADGET
    QML_VALUE_TYPE(spreadPosition)
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(int index MEMBER index)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString description MEMBER description)
    Q_PROPERTY(QPointF layoutOffset MEMBER layoutOffset)
    Q_PROPERTY(double layoutRotation MEMBER layoutRotation)

public:
    QString id;
    // The place in the spread's drawing order.
    int index = 0;
    QString name;
    QString description;
    // The card's centre relative to the layout's centre in unscaled points; y grows downward.
    QPointF layoutOffset;
    // Clockwise, in degrees.
    double layoutRotation = 0;

    bool operator==(const SpreadPosition &other) const { return id == other.id; }
};

size_t qHash(const SpreadPosition &position, size_t seed = 0);

// A named arrangement of positions, one card each. The four spreads are fixed.
struct SpreadDefinition
{
    Q_GADGET
    QML_VALUE_TYPE(spreadDefinition)
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString description MEMBER description)
    Q_PROPERTY(int cardCount MEMBER cardCount)
    Q_PROPERTY(QList<SpreadPosition> positions MEMBER positions)
    Q_PROPERTY(QString iconName MEMBER iconName)

public:
    QString id;
    QString name;
    QString description;
    int cardCount = 0;
    // In drawing order.
    QList<SpreadPosition> positions;
    QString iconName;

    static const SpreadDefinition &singleCard();
    static const SpreadDefinition &yesNo();
    static const SpreadDefinition &threeCard();
    static const SpreadDefinition &celticCross();
    // The four spreads in the order above.
    static const QList<SpreadDefinition> &allSpreads();
    // The first spread with exactly this id.
    static std::optional<SpreadDefinition> withID(const QString &id);
};
