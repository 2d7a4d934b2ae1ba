#pragma once

#include "Record.h"

#include <QPointer>

class Reading;
Q_MOC_INCLUDE("Reading.h")

// One card of a saved reading. `reading` is the inverse of `Reading::drawnCards`.
class DrawnCard : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Drawn cards are created by the reading screens")
    Q_PROPERTY(QString cardId READ cardId WRITE setCardId NOTIFY cardIdChanged)
    Q_PROPERTY(QString positionId READ positionId WRITE setPositionId NOTIFY positionIdChanged)
    Q_PROPERTY(bool isReversed READ isReversed WRITE setIsReversed NOTIFY isReversedChanged)
    Q_PROPERTY(Reading *reading READ reading WRITE setReading NOTIFY readingChanged)

public:
    explicit DrawnCard(QObject *parent = nullptr);
    DrawnCard(const QString &cardId, const QString &positionId, bool isReversed, QObject *parent = nullptr);

    QString cardId() const { return m_cardId; }
    void setCardId(const QString &v) { setField(m_cardId, v, &DrawnCard::cardIdChanged); }
    QString positionId() const { return m_positionId; }
    void setPositionId(const QString &v) { setField(m_positionId, v, &DrawnCard::positionIdChanged); }
    bool isReversed() const { return m_isReversed; }
    void setIsReversed(bool v) { setField(m_isReversed, v, &DrawnCard::isReversedChanged); }

    Reading *reading() const { return m_reading; }
    // Moves the card to `reading`, keeping both sides of the relationship in step.
    void setReading(Reading *reading);

signals:
    void cardIdChanged();
    void positionIdChanged();
    void isReversedChanged();
    void readingChanged();

private:
    QString m_cardId = QStringLiteral("");
    QString m_positionId = QStringLiteral("");
    bool m_isReversed = false;
    QPointer<Reading> m_reading;
};
