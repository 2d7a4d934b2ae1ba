#pragma once

#include "TarotCard.h"

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// What CardMeaningView shows for one drawn card: which keywords, which meaning text under which
// title, and whether the position box and its description line appear. An empty position text
// counts as none.
class CardMeaningModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(TarotCard card READ card WRITE setCard NOTIFY changed)
    Q_PROPERTY(bool isReversed READ isReversed WRITE setReversed NOTIFY changed)
    Q_PROPERTY(QString positionName READ positionName WRITE setPositionName NOTIFY changed)
    Q_PROPERTY(QString positionDescription READ positionDescription WRITE setPositionDescription NOTIFY changed)
    Q_PROPERTY(QString positionId READ positionId WRITE setPositionId NOTIFY changed)
    Q_PROPERTY(QStringList keywords READ keywords NOTIFY changed)
    Q_PROPERTY(QString meaningTitle READ meaningTitle NOTIFY changed)
    Q_PROPERTY(QString meaningText READ meaningText NOTIFY changed)
    Q_PROPERTY(bool showsPositionBox READ showsPositionBox NOTIFY changed)
    Q_PROPERTY(bool showsPositionDescription READ showsPositionDescription NOTIFY changed)
    Q_PROPERTY(QString textAbove READ textAbove WRITE setTextAbove NOTIFY changed)
    Q_PROPERTY(bool meaningStartsFolded READ meaningStartsFolded NOTIFY changed)

public:
    explicit CardMeaningModel(QObject *parent = nullptr) : QObject(parent) {}

    // The position's own meaning when the card has an entry under exactly `positionId`,
    // otherwise the card's general meaning; reversed or upright as drawn.
    static QString chooseMeaning(const TarotCard &card, bool isReversed, const QString &positionId);

    TarotCard card() const { return m_card; }
    bool isReversed() const { return m_reversed; }
    QString positionName() const { return m_positionName; }
    QString positionDescription() const { return m_positionDescription; }
    QString positionId() const { return m_positionId; }
    void setCard(const TarotCard &card);
    void setReversed(bool reversed);
    void setPositionName(const QString &name);
    void setPositionDescription(const QString &description);
    void setPositionId(const QString &id);
    // The text the screen shows just above this view, if any.
    QString textAbove() const { return m_textAbove; }
    void setTextAbove(const QString &text);

    QStringList keywords() const { return m_reversed ? m_card.reversedKeywords : m_card.uprightKeywords; }
    // The title does not change when a position meaning is shown.
    QString meaningTitle() const;
    QString meaningText() const { return chooseMeaning(m_card, m_reversed, m_positionId); }
    bool showsPositionBox() const { return !m_positionName.isEmpty(); }
    bool showsPositionDescription() const { return showsPositionBox() && !m_positionDescription.isEmpty(); }
    // The text above already ends with the meaning, so the meaning starts folded under its
    // title rather than being read twice in a row.
    bool meaningStartsFolded() const;

signals:
    void changed();

private:
    TarotCard m_card;
    bool m_reversed = false;
    QString m_positionName;
    QString m_positionDescription;
    QString m_positionId;
    QString m_textAbove;
};
