#pragma once

#include "Record.h"

#include <QDateTime>
#include <QQmlListProperty>
#include <QUuid>

class DrawnCard;
Q_MOC_INCLUDE("DrawnCard.h")

// One saved spread with the cards drawn in it. Removing a reading removes its drawn cards.
class Reading : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Readings are created by the reading screens")
    Q_PROPERTY(QUuid id READ id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(QString spreadType READ spreadType WRITE setSpreadType NOTIFY spreadTypeChanged)
    Q_PROPERTY(QDateTime date READ date WRITE setDate NOTIFY dateChanged)
    Q_PROPERTY(QString notes READ notes WRITE setNotes NOTIFY notesChanged)
    Q_PROPERTY(bool isFavorite READ isFavorite WRITE setIsFavorite NOTIFY isFavoriteChanged)
    Q_PROPERTY(QString question READ question WRITE setQuestion NOTIFY questionChanged)
    Q_PROPERTY(QString origin READ origin WRITE setOrigin NOTIFY originChanged)
    Q_PROPERTY(QString outcome READ outcome WRITE setOutcome NOTIFY outcomeChanged)
    Q_PROPERTY(QString lookBackOn READ lookBackOn WRITE setLookBackOn NOTIFY lookBackOnChanged)
    Q_PROPERTY(QString spreadLayout READ spreadLayout WRITE setSpreadLayout NOTIFY spreadLayoutChanged)
    Q_PROPERTY(bool isRecorded READ isRecorded NOTIFY originChanged STORED false)
    Q_PROPERTY(QQmlListProperty<DrawnCard> drawnCards READ drawnCardsProperty NOTIFY drawnCardsChanged STORED false)

public:
    explicit Reading(QObject *parent = nullptr);
    Reading(Loading, QObject *parent = nullptr) : Record(parent), m_id() {}
    explicit Reading(const QString &spreadType, QObject *parent = nullptr);

    QUuid id() const { return m_id; }
    void setId(const QUuid &v) { setField(m_id, v, &Reading::idChanged); }
    QString spreadType() const { return m_spreadType; }
    void setSpreadType(const QString &v) { setField(m_spreadType, v, &Reading::spreadTypeChanged); }
    QDateTime date() const { return m_date; }
    void setDate(const QDateTime &v) { setField(m_date, v, &Reading::dateChanged); }
    QString notes() const { return m_notes; }
    void setNotes(const QString &v) { setField(m_notes, v, &Reading::notesChanged); }
    bool isFavorite() const { return m_isFavorite; }
    void setIsFavorite(bool v) { setField(m_isFavorite, v, &Reading::isFavoriteChanged); }
    // The question of a reading written down from the user's own deck (a dealt yes/no reading
    // keeps its question in the notes).
    QString question() const { return m_question; }
    void setQuestion(const QString &v) { setField(m_question, v, &Reading::questionChanged); }
    // Where the cards came from: empty when the app dealt them, ownDeck when the user laid them
    // out with a deck of their own and wrote them down.
    QString origin() const { return m_origin; }
    void setOrigin(const QString &v) { setField(m_origin, v, &Reading::originChanged); }
    static inline const QString ownDeck = QStringLiteral("own_deck");
    bool isRecorded() const { return m_origin == ownDeck; }
    // How it turned out, written when looking back.
    QString outcome() const { return m_outcome; }
    void setOutcome(const QString &v) { setField(m_outcome, v, &Reading::outcomeChanged); }
    // The local day to look back on the reading, "yyyy-MM-dd", or empty.
    QString lookBackOn() const { return m_lookBackOn; }
    void setLookBackOn(const QString &v) { setField(m_lookBackOn, v, &Reading::lookBackOnChanged); }

    // For a spread of the user's own design, the spread as it was when the reading was made (its
    // name, positions and layout as a JSON text), so the reading reads the same after the
    // spread is changed or deleted; empty for the built-in spreads.
    QString spreadLayout() const { return m_spreadLayout; }
    void setSpreadLayout(const QString &v) { setField(m_spreadLayout, v, &Reading::spreadLayoutChanged); }

    // The drawn cards in the order they were attached; the relationship itself keeps no order.
    const QList<DrawnCard *> &drawnCards() const { return m_drawnCards; }
    // Attaches a card to this reading (and detaches it from any other).
    void addDrawnCard(DrawnCard *card);

signals:
    void idChanged();
    void spreadTypeChanged();
    void dateChanged();
    void notesChanged();
    void isFavoriteChanged();
    void questionChanged();
    void originChanged();
    void outcomeChanged();
    void lookBackOnChanged();
    void spreadLayoutChanged();
    void drawnCardsChanged();

protected:
    QList<Record *> ownedRecords() const override;

private:
    friend class DrawnCard;
    QQmlListProperty<DrawnCard> drawnCardsProperty();

    QUuid m_id = QUuid::createUuid();
    QString m_spreadType = QStringLiteral("");
    QDateTime m_date;
    QString m_notes = QStringLiteral("");
    bool m_isFavorite = false;
    QString m_question = QStringLiteral("");
    QString m_origin = QStringLiteral("");
    QString m_outcome = QStringLiteral("");
    QString m_lookBackOn = QStringLiteral("");
    QString m_spreadLayout = QStringLiteral("");
    QList<DrawnCard *> m_drawnCards;
};
