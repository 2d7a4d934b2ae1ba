#pragma once

#include "ReadingDraft.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <memory>

class CardDataStore;
class ModelContext;
class Reading;
Q_MOC_INCLUDE("ModelContext.h")
Q_MOC_INCLUDE("Reading.h")

// A reading laid out with the user's own deck, written down: the spread, the card and its
// orientation at each position (one row per position), the extra cards that fell out while
// shuffling, the question, the notes, the day and time, and when to look back on it. Saving
// stores it as a reading recorded from one's own deck; given a reading that was recorded so,
// the same screen edits it, keeping its identity and its star.
class RecordReadingModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(Reading *reading READ reading WRITE setReading NOTIFY readingChanged)
    Q_PROPERTY(bool isEditing READ isEditing NOTIFY readingChanged)
    Q_PROPERTY(QString spreadId READ spreadId WRITE setSpreadId NOTIFY spreadChanged)
    Q_PROPERTY(QVariantList spreadChoices READ spreadChoices NOTIFY modelContextChanged)
    Q_PROPERTY(int count READ count NOTIFY spreadChanged)
    Q_PROPERTY(QVariantList extraCards READ extraCards NOTIFY extrasChanged)
    Q_PROPERTY(QString extraProblem READ extraProblem NOTIFY extrasChanged)
    Q_PROPERTY(QString question READ question WRITE setQuestion NOTIFY questionChanged)
    Q_PROPERTY(QString notes READ notes WRITE setNotes NOTIFY notesChanged)
    Q_PROPERTY(QString dateText READ dateText NOTIFY dateChanged)
    Q_PROPERTY(QString dateProblem READ dateProblem NOTIFY dateChanged)
    Q_PROPERTY(int lookBack READ lookBack WRITE setLookBack NOTIFY lookBackChanged)
    Q_PROPERTY(QString lookBackText READ lookBackText NOTIFY lookBackChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY stateChanged)
    Q_PROPERTY(QString stateText READ stateText NOTIFY stateChanged)
    Q_PROPERTY(QString saveError READ saveError NOTIFY saveErrorChanged)

public:
    enum Roles { NameRole = Qt::UserRole + 1, DescriptionRole, CardIdRole, CardNameRole, IsReversedRole, ProblemRole };
    // When to look back, chosen from the screen.
    enum LookBackChoice { NoLookBack, InAWeek, InAMonth, InThreeMonths };
    Q_ENUM(LookBackChoice)

    explicit RecordReadingModel(QObject *parent = nullptr);
    // For C++: names cards from `cards`, which must outlive the model.
    explicit RecordReadingModel(const CardDataStore &cards, QObject *parent = nullptr);
    ~RecordReadingModel() override;

    // The built-in spreads a reading can be recorded in, in the order offered.
    static QList<SpreadDefinition> builtInSpreads();
    // Those, then the spreads the user designed.
    QList<SpreadDefinition> spreads() const;

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    Reading *reading() const { return m_reading; }
    // Edits `reading` when it was recorded from one's own deck; a dealt one keeps its cards
    // and is not taken.
    void setReading(Reading *reading);
    bool isEditing() const { return !m_reading.isNull(); }
    QString spreadId() const { return m_draft->spread().id; }
    // Starts the positions again for another spread; cards at positions both spreads share stay.
    void setSpreadId(const QString &id);
    QVariantList spreadChoices() const;
    int count() const { return int(m_draft->positions().size()); }

    Q_INVOKABLE bool place(int index, const QString &cardId);
    Q_INVOKABLE void setReversed(int index, bool reversed);
    Q_INVOKABLE bool addExtra(const QString &cardId);
    Q_INVOKABLE void removeExtra(int index);
    Q_INVOKABLE void setExtraReversed(int index, bool reversed);
    QVariantList extraCards() const;
    QString extraProblem() const { return m_draft->extraProblem(); }

    QString question() const { return m_draft->question; }
    void setQuestion(const QString &text);
    QString notes() const { return m_draft->notes; }
    void setNotes(const QString &text);

    // The day and time as it is typed: "2026-12-08 16:05".
    QString dateText() const { return m_dateText; }
    // Takes a typed day and time; a text that is no day and time, or a time still to come, is
    // kept as typed and dateProblem() says what is wrong.
    Q_INVOKABLE bool setDateText(const QString &text);
    QString dateProblem() const { return m_dateProblem; }
    QDateTime date() const { return m_draft->date(); }

    int lookBack() const { return m_lookBack; }
    void setLookBack(int choice);
    // "You will be asked on 15 December 2026." for the chosen day, or empty.
    QString lookBackText() const;

    bool canSave() const;
    // What still keeps the reading from being saved, or what saving will do.
    QString stateText() const;
    QString saveError() const { return m_saveError; }
    // Stores the reading (a new one, or the edited one) and returns it; nothing when it cannot
    // be saved yet or the store refused it, with saveError() saying why.
    Q_INVOKABLE Reading *save();

    const ReadingDraft &draft() const { return *m_draft; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void modelContextChanged();
    void readingChanged();
    void spreadChanged();
    void extrasChanged();
    void questionChanged();
    void notesChanged();
    void dateChanged();
    void lookBackChanged();
    void stateChanged();
    void saveErrorChanged();

private:
    const CardDataStore &catalogue() const;
    QString cardName(const QString &cardId) const;
    void startDraft(const SpreadDefinition &spread);
    void rowChanged(int index);

    const CardDataStore *m_cards = nullptr;
    QPointer<ModelContext> m_context;
    QPointer<Reading> m_reading;
    std::unique_ptr<ReadingDraft> m_draft;
    QString m_dateText;
    QString m_dateProblem;
    int m_lookBack = NoLookBack;
    QString m_saveError;
};
