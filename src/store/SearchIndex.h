#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <memory>

class ModelContext;

// The full-text index over what the user wrote: readings (their question and notes, the names
// of their cards and positions, their spread), journal entries (reflection, prompt, mood and
// the day's card) and card notes (with their card's name). SQLite keeps it current by triggers
// inside every transaction that writes those rows, so it never lags behind a save, a deletion
// or an import. Names of cards, positions and spreads come from the catalogue and are kept in
// the store beside the index, so the triggers can index a reading by its cards' names.
class SearchIndex
{
public:
    enum class Kind { Reading, Journal, CardNote };

    // A name the index puts beside a record's own text: `key` is "card:<card id>",
    // "spread:<spread id>" or "position:<spread id>/<position id>".
    struct Name
    {
        QString key;
        QString name;
        bool operator==(const Name &other) const = default;
    };

    struct Hit
    {
        Kind kind = Kind::Reading;
        qint64 storeId = 0; // the record's row in the store
        QUuid id;
        QDateTime date;        // a reading's or entry's date, a note's last change
        QString spreadType;    // readings
        QString spreadName;    // readings, from the names the index knows
        QStringList cardNames; // a reading's first cards, an entry's or note's card
        int cardCount = 0;     // readings: how many cards it has
        QString cardId;        // entries and notes
        // A short passage around the matched words, each match between highlightStart and
        // highlightEnd.
        QString snippet;
        bool described = false;
    };

    struct Results
    {
        // Newest first within each kind, at most the limit asked for.
        QList<Hit> readings;
        QList<Hit> journal;
        QList<Hit> cardNotes;
        // How many records of each kind match in all.
        int readingCount = 0;
        int journalCount = 0;
        int cardNoteCount = 0;
        // The text asked for held no word to look for (only spaces, punctuation or symbols).
        bool noTerms = true;
        bool isEmpty() const { return readingCount + journalCount + cardNoteCount == 0; }
    };

    static constexpr QChar highlightStart = QChar(0x0001);
    static constexpr QChar highlightEnd = QChar(0x0002);
    // The most words of one search that are looked for; the rest are ignored.
    static constexpr int maximumTerms = 32;

    explicit SearchIndex(ModelContext *context);
    ~SearchIndex();
    SearchIndex(const SearchIndex &) = delete;
    SearchIndex &operator=(const SearchIndex &) = delete;

    // The records whose indexed text holds every word of `text`, the last word also as the
    // start of a longer one (the user may still be typing it). Any text is accepted: it is
    // split into words the way the index splits what it holds, so quotes, operators and
    // brackets are plain characters, never query syntax. Records removed in memory but not
    // saved yet are left out.
    // With `describe` false, the hits carry their kind, row and date only, and describe()
    // fills in the rest when a row is shown.
    Results find(const QString &text, int limitPerKind, bool describe = true) const;
    // Fills in a hit's id, names and passage, for the words of `text`.
    void describe(Hit &hit, const QString &text) const;

    // The query `text` turns into: each word quoted, the last one a prefix. Empty when the
    // text holds no word. Exposed for tests.
    QString matchExpression(const QString &text) const;

    // Makes the index use these names, rebuilding it in one transaction when they differ from
    // the ones it holds. Returns false and says why when the store could not be written.
    bool useNames(const QList<Name> &names, QString *error = nullptr) const;
    // The names the index holds now, and whether they are these.
    QList<Name> names() const;
    bool holdsNames(const QList<Name> &names) const;

    // The statements that create the index in a store that has none and fill it from the
    // rows already there; a store whose readings have no question and outcome yet (one being
    // upgraded step by step) indexes their notes only.
    static QStringList schemaStatements(bool withQuestionAndOutcome = true);
    // The statements that make a store's index read a reading's question and outcome beside its
    // notes, once the table has those columns, and index every reading again.
    static QStringList readingWordsStatements();

private:
    struct Statements;
    struct Terms;
    Terms termsOf(const QString &text) const;
    static QByteArray expressionOf(const Terms &terms);
    void describeWith(Hit &hit, const Terms &terms) const;
    // A short passage of the first of `texts` that holds a match (or of the one with most),
    // around its first match, every matching word marked.
    QString passageOf(const QStringList &texts, const Terms &terms) const;
    ModelContext *m_context;
    std::unique_ptr<Statements> m_statements;
    mutable QString m_describedText;
    mutable std::unique_ptr<Terms> m_describedTerms;
};
