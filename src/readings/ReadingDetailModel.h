#pragma once

#include "Reading.h"
#include "ReadingResult.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class CardDataStore;
class PositionedCardList;
class Reading;
Q_MOC_INCLUDE("PositionedCardList.h")
Q_MOC_INCLUDE("Reading.h")

// A stored reading shown again: its spread's name and the day it was made, its drawn cards
// laid in their positions (cards no longer in the catalogue, or positions the spread does not
// have, are left out), whether the Celtic Cross can be drawn, and the card opened in the
// sequence viewer. It follows the reading when its cards or spread change.
class ReadingDetailModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Reading *reading READ reading WRITE setReading NOTIFY readingChanged)
    Q_PROPERTY(QString spreadName READ spreadName NOTIFY cardsChanged)
    Q_PROPERTY(QString spreadType READ spreadType NOTIFY cardsChanged)
    Q_PROPERTY(QString notes READ notes NOTIFY notesChanged)
    Q_PROPERTY(QString question READ question NOTIFY notesChanged)
    Q_PROPERTY(bool isRecorded READ isRecorded NOTIFY cardsChanged)
    Q_PROPERTY(QString extraCardsText READ extraCardsText NOTIFY cardsChanged)
    Q_PROPERTY(QString dateText READ dateText NOTIFY dateChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(bool hasSpread READ hasSpread NOTIFY cardsChanged)
    Q_PROPERTY(bool showsCross READ showsCross NOTIFY cardsChanged)
    Q_PROPERTY(bool showsDesign READ showsDesign NOTIFY cardsChanged)
    Q_PROPERTY(PositionedCardList *cards READ cards CONSTANT)
    Q_PROPERTY(int selectedCardIndex READ selectedCardIndex NOTIFY selectedCardIndexChanged)

public:
    explicit ReadingDetailModel(QObject *parent = nullptr);
    // For C++: looks cards up in `cardStore`, which must outlive the model.
    explicit ReadingDetailModel(CardDataStore &cardStore, QObject *parent = nullptr);
    ~ReadingDetailModel() override;

    // The drawn cards of `reading` in the order the reading holds them, each paired with its
    // catalogue card and spread position; a card or position that cannot be found is skipped,
    // and a reading of an unknown spread has none.
    static QList<PositionedCard> positionedCards(const Reading &reading, const CardDataStore &cards);

    Reading *reading() const { return m_reading; }
    void setReading(Reading *reading);
    // The spread's name, or the stored spread type when the spread is unknown.
    QString spreadName() const;
    QString spreadType() const { return m_reading ? m_reading->spreadType() : QString(); }
    QString notes() const { return m_reading ? m_reading->notes() : QString(); }
    QString question() const { return m_reading ? m_reading->question() : QString(); }
    // Written down from the user's own deck: its cards can be edited.
    bool isRecorded() const { return m_reading && m_reading->isRecorded(); }
    // The extra cards that fell out while shuffling, "Three of Cups (reversed)".
    QStringList extraCardNames() const;
    // "Extra cards: Three of Cups, The Star (reversed)", or empty when there are none.
    QString extraCardsText() const;
    // The reading's day in the long date style.
    QString dateText() const;
    // The title bar's words: the spread and the day, "Celtic Cross, 5 January 2026".
    QString title() const;
    bool hasSpread() const;
    // A Celtic Cross whose ten cards can all be laid out.
    bool showsCross() const;
    // Whether the reading is of a spread the user designed, drawn as it was designed.
    bool showsDesign() const;
    PositionedCardList *cards() const { return m_cards; }
    int selectedCardIndex() const { return m_selectedCardIndex; }

    // A card of the cross or a row was clicked: the sequence viewer opens at it.
    Q_INVOKABLE void selectCard(int index);
    // The sequence viewer was closed.
    Q_INVOKABLE void clearSelection();

signals:
    void notesChanged();
    void readingChanged();
    void cardsChanged();
    void dateChanged();
    void titleChanged();
    void selectedCardIndexChanged();

private:
    CardDataStore &catalogue() const;
    void rebuild();

    mutable CardDataStore *m_cardStore = nullptr;
    QPointer<Reading> m_reading;
    PositionedCardList *m_cards;
    int m_selectedCardIndex = -1;
};
