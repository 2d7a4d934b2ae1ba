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
    Q_PROPERTY(QStringList paragraphs READ paragraphs NOTIFY changed)

public:
    explicit ReadingSummary(QObject *parent = nullptr) : QObject(parent) {}

    static QStringList paragraphsFor(const QList<PositionedCard> &cards, const QString &spreadType);

    PositionedCardList *cards() const { return m_cards; }
    void setCards(PositionedCardList *cards);
    QString spreadType() const { return m_spreadType; }
    void setSpreadType(const QString &spreadType);
    QStringList paragraphs() const;

signals:
    void changed();

private:
    QPointer<PositionedCardList> m_cards;
    QString m_spreadType;
};
