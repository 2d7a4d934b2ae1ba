#pragma once

#include "SpreadDefinition.h"

#include <QList>
#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The label of one spread entry of the menu: the spread, a line about it and its card count.
struct SpreadMenuItem
{
    Q_GADGET
    QML_VALUE_TYPE(spreadMenuItem)
    Q_PROPERTY(SpreadDefinition spread READ spreadValue CONSTANT)
    Q_PROPERTY(QString subtitle READ subtitleText CONSTANT)
    Q_PROPERTY(QString cardCountText READ cardCountText)

public:
    SpreadDefinition spread;
    QString subtitle;

    // "1 card", "3 cards".
    QString cardCountText() const;

private:
    SpreadDefinition spreadValue() const { return spread; }
    QString subtitleText() const { return subtitle; }
};

// The spreads a user can lay out from the menu, in the order shown. The single card has no
// entry: it belongs to the daily card.
class SpreadMenu : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QVariantList items READ itemList CONSTANT)

public:
    explicit SpreadMenu(QObject *parent = nullptr) : QObject(parent) {}

    static QList<SpreadMenuItem> items();
    // The same, as QML lists them.
    static QVariantList itemList();
    // The spread's symbol, or the plain card for a spread the table does not know.
    Q_INVOKABLE static QString iconName(const QString &spreadType);
    // The spread's name, or the stored text itself for a spread the table does not know.
    Q_INVOKABLE static QString spreadName(const QString &spreadType);
};
