#pragma once

#include "ReadingResult.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class PositionedCardList;
Q_MOC_INCLUDE("PositionedCardList.h")

// The narrative under a reading's cards: the builder is chosen by the spread type, and a
// spread without a narrative (or a reading with a card missing) has no paragraphs at all.
class ReadingSummary : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PositionedCardList *cards READ cards WRITE setCards NOTIFY changed)
    Q_PROPERTY(QString spreadType READ spreadType WRITE setSpreadType NOTIFY changed)
    Q_PROPERTY(QString spreadName READ spreadName WRITE setSpreadName NOTIFY changed)
    Q_PROPERTY(QStringList paragraphs READ paragraphs NOTIFY changed)

public:
    explicit ReadingSummary(QObject *parent = nullptr) : QObject(parent) {}

    // A spread of the user's own design reads by the general narrative, under its name.
    static QStringList paragraphsFor(const QList<PositionedCard> &cards, const QString &spreadType,
                                     const QString &spreadName = {});

    PositionedCardList *cards() const { return m_cards; }
    void setCards(PositionedCardList *cards);
    QString spreadType() const { return m_spreadType; }
    void setSpreadType(const QString &spreadType);
    QString spreadName() const { return m_spreadName; }
    void setSpreadName(const QString &name);
    QStringList paragraphs() const;

signals:
    void changed();

private:
    QPointer<PositionedCardList> m_cards;
    QString m_spreadType;
    QString m_spreadName;
};
