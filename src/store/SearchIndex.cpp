#include "SearchIndex.h"

#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "StoreLog.h"
#include "UserCardNote.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <limits>
#include <sqlite3.h>

namespace {

// Each kind is an FTS5 table over a view that puts the names beside the record's own text, so
// the index stores no copy of the text: snippets are cut from the view. Only what a search
// needs is kept: which column a word is in (no word positions, since every query is a list of
// single words), and an index of first letters, which makes the one-letter prefixes typed at
// the start of each word cheap.
const QString indexOptions =
    QStringLiteral("columnsize=0, detail=column, prefix='1', tokenize='unicode61 remove_diacritics 2'");

struct Table
{
    const char *index;   // the FTS5 table
    const char *content; // the view it indexes
    const char *columns; // the view's indexed columns
};
const Table readingTable{"ReadingSearch", "ReadingSearchText", "notes, cards, spread"};
const Table journalTable{"JournalSearch", "JournalSearchText", "reflection, prompt, mood, card"};
const Table noteTable{"CardNoteSearch", "CardNoteSearchText", "note, card"};

QString nameOf(const QString &key)
{
    return QStringLiteral("(SELECT name FROM SearchName WHERE key = %1)").arg(key);
}

// A reading's cards in the order they were drawn, each after its position's name:
// "The Present: Ten of Cups; The Challenge: Judgement". A reading is indexed once it has a
// card: it is stored before its cards, so a save of a new reading indexes it as its cards
// arrive, without first indexing it empty. Its own words are its notes, and, once readings
// have them, its question and how it turned out, as one text.
QString readingView(bool withQuestionAndOutcome)
{
    const QString words = withQuestionAndOutcome
                              ? QStringLiteral("trim(coalesce(r.question, '') || char(10) || coalesce(r.notes, '') || "
                                               "char(10) || coalesce(r.outcome, ''), char(10))")
                              : QStringLiteral("r.notes");
    return QStringLiteral("CREATE VIEW IF NOT EXISTS ReadingSearchText AS SELECT r.pk AS pk, %4 AS notes, "
                          "(SELECT group_concat(line, '; ') FROM (SELECT coalesce(%1 || ': ', '') || coalesce(%2, '') "
                          "AS line FROM DrawnCard d WHERE d.reading = r.pk ORDER BY d.pk)) AS cards, "
                          "%3 AS spread FROM Reading r WHERE EXISTS (SELECT 1 FROM DrawnCard d WHERE d.reading = r.pk)")
        .arg(nameOf(QStringLiteral("'position:' || r.spreadType || '/' || d.positionId")),
             nameOf(QStringLiteral("'card:' || d.cardId")), nameOf(QStringLiteral("'spread:' || r.spreadType")), words);
}
const QString journalView =
    QStringLiteral("CREATE VIEW IF NOT EXISTS JournalSearchText AS SELECT j.pk AS pk, j.reflectionText AS reflection, "
                   "j.journalPrompt AS prompt, j.mood AS mood, %1 AS card FROM JournalEntry j")
        .arg(nameOf(QStringLiteral("'card:' || j.dailyCardId")));
const QString noteView = QStringLiteral("CREATE VIEW IF NOT EXISTS CardNoteSearchText AS SELECT n.pk AS pk, "
                                        "n.noteText AS note, %1 AS card FROM UserCardNote n")
                             .arg(nameOf(QStringLiteral("'card:' || n.cardId")));

// Takes the record `pk` out of the index with the text it was indexed with, which the view
// still shows: these run before the row changes.
QString forget(const Table &table, const QString &pk)
{
    return QStringLiteral("INSERT INTO %1(%1, rowid, %3) SELECT 'delete', pk, %3 FROM %2 WHERE pk = %4;")
        .arg(QLatin1String(table.index), QLatin1String(table.content), QLatin1String(table.columns), pk);
}
// Indexes the record `pk` as the view shows it now: these run after the row changed.
QString learn(const Table &table, const QString &pk)
{
    return QStringLiteral("INSERT INTO %1(rowid, %3) SELECT pk, %3 FROM %2 WHERE pk = %4;")
        .arg(QLatin1String(table.index), QLatin1String(table.content), QLatin1String(table.columns), pk);
}

QString trigger(const QString &name, const QString &when, const QString &body)
{
    return QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 %2 BEGIN %3 END").arg(name, when, body);
}

// The triggers of a table whose rows are documents of their own (an entry, a note).
QStringList ownTriggers(const Table &table, const QString &rowTable, const QString &indexedColumns)
{
    return {
        trigger(rowTable + QStringLiteral("_search_insert"), QStringLiteral("AFTER INSERT ON ") + rowTable,
                learn(table, QStringLiteral("new.pk"))),
        trigger(rowTable + QStringLiteral("_search_before_update"),
                QStringLiteral("BEFORE UPDATE OF %1 ON %2").arg(indexedColumns, rowTable),
                forget(table, QStringLiteral("old.pk"))),
        trigger(rowTable + QStringLiteral("_search_after_update"),
                QStringLiteral("AFTER UPDATE OF %1 ON %2").arg(indexedColumns, rowTable),
                learn(table, QStringLiteral("new.pk"))),
        trigger(rowTable + QStringLiteral("_search_delete"), QStringLiteral("BEFORE DELETE ON ") + rowTable,
                forget(table, QStringLiteral("old.pk"))),
    };
}

// A drawn card is part of its reading's document: a change to one takes the reading out of the
// index and puts it back. When a reading is deleted, its document goes first and its cards
// follow with no reading left to index.
QStringList drawnCardTriggers()
{
    const QString moved = QStringLiteral("(CASE WHEN new.reading IS NOT old.reading THEN new.reading END)");
    return {
        trigger(QStringLiteral("DrawnCard_search_before_insert"), QStringLiteral("BEFORE INSERT ON DrawnCard"),
                forget(readingTable, QStringLiteral("new.reading"))),
        trigger(QStringLiteral("DrawnCard_search_after_insert"), QStringLiteral("AFTER INSERT ON DrawnCard"),
                learn(readingTable, QStringLiteral("new.reading"))),
        trigger(QStringLiteral("DrawnCard_search_before_update"),
                QStringLiteral("BEFORE UPDATE OF cardId, positionId, reading ON DrawnCard"),
                forget(readingTable, QStringLiteral("old.reading")) + forget(readingTable, moved)),
        trigger(QStringLiteral("DrawnCard_search_after_update"),
                QStringLiteral("AFTER UPDATE OF cardId, positionId, reading ON DrawnCard"),
                learn(readingTable, QStringLiteral("old.reading")) + learn(readingTable, moved)),
        trigger(QStringLiteral("DrawnCard_search_before_delete"), QStringLiteral("BEFORE DELETE ON DrawnCard"),
                forget(readingTable, QStringLiteral("old.reading"))),
        trigger(QStringLiteral("DrawnCard_search_after_delete"), QStringLiteral("AFTER DELETE ON DrawnCard"),
                learn(readingTable, QStringLiteral("old.reading"))),
    };
}

QString readingColumns(bool withQuestionAndOutcome)
{
    return withQuestionAndOutcome ? QStringLiteral("notes, spreadType, question, outcome")
                                  : QStringLiteral("notes, spreadType");
}

QString rebuild(const Table &table)
{
    return QStringLiteral("INSERT INTO %1(%1) VALUES('rebuild')").arg(QLatin1String(table.index));
}

sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

fts5_api *fts5Of(sqlite3 *db)
{
    fts5_api *api = nullptr;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &statement, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(statement, 1, static_cast<void *>(&api), "fts5_api_ptr", nullptr);
        sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    return api;
}

QString textOf(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

} // namespace

// Statements prepared once per connection and reused for every keystroke, and the dates of
// every record, read once: ordering the matches by date then needs no lookup in the store.
struct SearchIndex::Statements
{
    sqlite3 *db = nullptr;
    fts5_api *fts5 = nullptr;
    fts5_tokenizer tokenizerApi{};
    Fts5Tokenizer *tokenizer = nullptr;
    struct Kind
    {
        sqlite3_stmt *matches = nullptr; // the row of every match
        sqlite3_stmt *details = nullptr; // one record's id, names and indexed texts
        sqlite3_stmt *dates = nullptr;   // every record's row and date
        QHash<qint64, qint64> dateOf;
        int textColumns = 0; // how many indexed texts `details` ends with
    };
    Kind kinds[3];
    sqlite3_stmt *dataVersion = nullptr;
    // What the dates were read at: another connection's commit changes the first, this one's
    // the second.
    qint64 datesVersion = -1;
    qint64 datesChanges = -1;

    ~Statements() { reset(); }
    void reset()
    {
        for (Kind &kind : kinds) {
            sqlite3_finalize(std::exchange(kind.matches, nullptr));
            sqlite3_finalize(std::exchange(kind.details, nullptr));
            sqlite3_finalize(std::exchange(kind.dates, nullptr));
            kind.dateOf.clear();
        }
        sqlite3_finalize(std::exchange(dataVersion, nullptr));
        datesVersion = datesChanges = -1;
        if (tokenizer)
            tokenizerApi.xDelete(std::exchange(tokenizer, nullptr));
        fts5 = nullptr;
        db = nullptr;
    }
    bool prepare(sqlite3 *handle)
    {
        if (handle == db && tokenizer)
            return true;
        reset();
        db = handle;
        fts5 = fts5Of(db);
        void *userData = nullptr;
        if (!fts5 || fts5->xFindTokenizer(fts5, "unicode61", &userData, &tokenizerApi) != SQLITE_OK)
            return false;
        const char *arguments[] = {"remove_diacritics", "2"};
        if (tokenizerApi.xCreate(userData, arguments, 2, &tokenizer) != SQLITE_OK) {
            tokenizer = nullptr;
            return false;
        }
        struct Sql
        {
            const char *matches;
            const char *details;
            const char *dates;
            int textColumns;
        };
        const Sql sql[3] = {
            {"SELECT rowid FROM ReadingSearch WHERE ReadingSearch MATCH ?1",
             // A designed spread's name is in the copy the reading keeps.
             "SELECT r.id, r.spreadType, coalesce((SELECT name FROM SearchName WHERE key = 'spread:' || r.spreadType), "
             "CASE WHEN json_valid(r.spreadLayout) THEN json_extract(r.spreadLayout, '$.name') END), "
             "(SELECT group_concat(name, char(10)) FROM (SELECT n.name FROM DrawnCard d JOIN SearchName n "
             "ON n.key = 'card:' || d.cardId WHERE d.reading = r.pk ORDER BY d.pk LIMIT 3)), "
             "(SELECT count(*) FROM DrawnCard d WHERE d.reading = r.pk), '', v.notes, v.cards, v.spread "
             "FROM Reading r JOIN ReadingSearchText v ON v.pk = r.pk WHERE r.pk = ?1",
             "SELECT pk, date FROM Reading", 3},
            {"SELECT rowid FROM JournalSearch WHERE JournalSearch MATCH ?1",
             "SELECT j.id, '', '', v.card, 0, j.dailyCardId, v.reflection, v.prompt, v.mood, v.card "
             "FROM JournalEntry j JOIN JournalSearchText v ON v.pk = j.pk WHERE j.pk = ?1",
             "SELECT pk, date FROM JournalEntry", 4},
            {"SELECT rowid FROM CardNoteSearch WHERE CardNoteSearch MATCH ?1",
             "SELECT n.id, '', '', v.card, 0, n.cardId, v.note, v.card "
             "FROM UserCardNote n JOIN CardNoteSearchText v ON v.pk = n.pk WHERE n.pk = ?1",
             "SELECT pk, lastModified FROM UserCardNote", 2},
        };
        const auto prepareOne = [this](const char *text, sqlite3_stmt **statement) {
            return sqlite3_prepare_v3(db, text, -1, SQLITE_PREPARE_PERSISTENT, statement, nullptr) == SQLITE_OK;
        };
        bool ok = prepareOne("PRAGMA data_version", &dataVersion);
        for (int i = 0; i < 3 && ok; ++i) {
            kinds[i].textColumns = sql[i].textColumns;
            ok = prepareOne(sql[i].matches, &kinds[i].matches) && prepareOne(sql[i].details, &kinds[i].details) &&
                 prepareOne(sql[i].dates, &kinds[i].dates);
        }
        if (!ok) {
            qCWarning(lcApp, "The search cannot be prepared: %s", sqlite3_errmsg(db));
            reset();
        }
        return ok;
    }
    // Reads the dates again when anything was written since they were read.
    void refreshDates()
    {
        qint64 version = -1;
        if (sqlite3_step(dataVersion) == SQLITE_ROW)
            version = sqlite3_column_int64(dataVersion, 0);
        sqlite3_reset(dataVersion);
        const qint64 changes = sqlite3_total_changes64(db);
        if (version == datesVersion && changes == datesChanges)
            return;
        for (Kind &kind : kinds) {
            kind.dateOf.clear();
            while (sqlite3_step(kind.dates) == SQLITE_ROW)
                kind.dateOf.insert(sqlite3_column_int64(kind.dates, 0),
                                   sqlite3_column_type(kind.dates, 1) == SQLITE_NULL
                                       ? std::numeric_limits<qint64>::min()
                                       : sqlite3_column_int64(kind.dates, 1));
            sqlite3_reset(kind.dates);
        }
        datesVersion = version;
        datesChanges = changes;
    }
};

SearchIndex::SearchIndex(ModelContext *context) : m_context(context), m_statements(std::make_unique<Statements>())
{}

QStringList SearchIndex::schemaStatements(bool withQuestionAndOutcome)
{
    QStringList statements{
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS SearchName (key TEXT PRIMARY KEY, name TEXT NOT NULL) WITHOUT ROWID"),
        readingView(withQuestionAndOutcome),
        journalView,
        noteView,
    };
    for (const Table *table : {&readingTable, &journalTable, &noteTable})
        statements.append(QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS %1 USING fts5(%2, content='%3', "
                                         "content_rowid='pk', %4)")
                              .arg(QLatin1String(table->index), QLatin1String(table->columns),
                                   QLatin1String(table->content), indexOptions));
    statements.append(ownTriggers(readingTable, QStringLiteral("Reading"), readingColumns(withQuestionAndOutcome)));
    statements.append(drawnCardTriggers());
    statements.append(ownTriggers(journalTable, QStringLiteral("JournalEntry"),
                                  QStringLiteral("reflectionText, journalPrompt, mood, dailyCardId")));
    statements.append(ownTriggers(noteTable, QStringLiteral("UserCardNote"), QStringLiteral("noteText, cardId")));
    for (const Table *table : {&readingTable, &journalTable, &noteTable})
        statements.append(rebuild(*table));
    return statements;
}

QStringList SearchIndex::readingWordsStatements()
{
    QStringList statements{
        QStringLiteral("DROP VIEW IF EXISTS ReadingSearchText"),
        QStringLiteral("DROP TRIGGER IF EXISTS Reading_search_before_update"),
        QStringLiteral("DROP TRIGGER IF EXISTS Reading_search_after_update"),
        readingView(true),
    };
    for (const QString &statement : ownTriggers(readingTable, QStringLiteral("Reading"), readingColumns(true)))
        if (statement.contains(QLatin1String("_update ")))
            statements.append(statement);
    statements.append(rebuild(readingTable));
    return statements;
}

QList<SearchIndex::Name> SearchIndex::names() const
{
    QList<Name> result;
    if (!m_context->ensureConnected(nullptr))
        return result;
    QSqlQuery query(m_context->m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT key, name FROM SearchName ORDER BY key")))
        return result;
    while (query.next())
        result.append({query.value(0).toString(), query.value(1).toString()});
    return result;
}

namespace {

// By key, one name a key: the order the store lists them in.
QList<SearchIndex::Name> sortedNames(QList<SearchIndex::Name> names)
{
    using Name = SearchIndex::Name;
    std::stable_sort(names.begin(), names.end(), [](const Name &a, const Name &b) { return a.key < b.key; });
    names.erase(std::unique(names.begin(), names.end(), [](const Name &a, const Name &b) { return a.key == b.key; }),
                names.end());
    return names;
}

} // namespace

bool SearchIndex::holdsNames(const QList<Name> &names) const
{
    return this->names() == sortedNames(names);
}

bool SearchIndex::useNames(const QList<Name> &names, QString *error) const
{
    const QList<Name> wanted = sortedNames(names);
    if (m_context->isDamaged() || !m_context->ensureConnected(error))
        return false;
    if (this->names() == wanted)
        return true;
    // Nothing is written to a store that has not been read whole and found sound.
    if (!m_context->ensureChecked(error))
        return false;

    QSqlQuery query(m_context->m_db);
    const auto fail = [&] {
        if (error)
            *error = query.lastError().text();
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
    if (!query.exec(QStringLiteral("DELETE FROM SearchName")))
        return fail();
    if (!query.prepare(QStringLiteral("INSERT INTO SearchName (key, name) VALUES (?, ?)")))
        return fail();
    for (const Name &name : wanted) {
        query.bindValue(0, name.key);
        query.bindValue(1, name.name);
        if (!query.exec())
            return fail();
    }
    // Every document is indexed anew with the new names, in the same transaction, so the index
    // never holds a document under names the view no longer shows.
    for (const Table *table : {&readingTable, &journalTable, &noteTable})
        if (!query.exec(rebuild(*table)))
            return fail();
    if (!query.exec(QStringLiteral("COMMIT")))
        return fail();
    return true;
}

// The words of a search as the index has them: folded to lower case without accents, each
// once, and the last one apart while the user is still typing it.
struct SearchIndex::Terms
{
    QList<QByteArray> whole;
    QByteArray prefix; // empty when the last word is finished

    bool isEmpty() const { return whole.isEmpty() && prefix.isEmpty(); }
    bool matches(const QByteArray &token) const
    {
        return whole.contains(token) || (!prefix.isEmpty() && token.startsWith(prefix));
    }
};

SearchIndex::Terms SearchIndex::termsOf(const QString &text) const
{
    Terms terms;
    if (!m_context->ensureConnected(nullptr))
        return terms;
    sqlite3 *db = handleOf(m_context->m_db);
    if (!db || !m_statements->prepare(db))
        return terms;
    struct Words
    {
        QList<QByteArray> tokens;
        int lastEnd = -1;
    } words;
    const QByteArray utf8 = text.toUtf8();
    const auto collect = [](void *context, int, const char *token, int length, int, int end) {
        auto *found = static_cast<Words *>(context);
        found->tokens.append(QByteArray(token, length));
        found->lastEnd = end;
        return SQLITE_OK;
    };
    m_statements->tokenizerApi.xTokenize(m_statements->tokenizer, &words, FTS5_TOKENIZE_QUERY, utf8.constData(),
                                         int(utf8.size()), collect);
    if (words.tokens.isEmpty())
        return terms;
    // The last word is still being typed when nothing follows it.
    const bool typing = words.lastEnd == utf8.size();
    const QByteArray last = words.tokens.constLast();
    for (const QByteArray &token : std::as_const(words.tokens))
        if (!terms.whole.contains(token) && !(typing && token == last))
            terms.whole.append(token);
    terms.whole.resize(std::min<qsizetype>(terms.whole.size(), maximumTerms - (typing ? 1 : 0)));
    if (typing)
        terms.prefix = last;
    return terms;
}

QString SearchIndex::matchExpression(const QString &text) const
{
    return QString::fromUtf8(expressionOf(termsOf(text)));
}

QByteArray SearchIndex::expressionOf(const Terms &terms)
{
    QByteArray expression;
    // A word the tokenizer made holds letters and digits only, never a quotation mark.
    for (const QByteArray &term : terms.whole)
        expression += (expression.isEmpty() ? "\"" : " \"") + term + '"';
    if (!terms.prefix.isEmpty())
        expression += (expression.isEmpty() ? "\"" : " \"") + terms.prefix + "\"*";
    return expression;
}

QString SearchIndex::passageOf(const QStringList &texts, const Terms &terms) const
{
    // Every word of each text, with where it lies, as the index split it.
    struct Token
    {
        int start;
        int end;
        bool match;
    };
    struct Split
    {
        const Terms *terms;
        QList<Token> tokens;
        int matches = 0;
    };
    QList<QByteArray> utf8;
    QList<Split> splits;
    for (const QString &text : texts) {
        utf8.append(text.toUtf8());
        Split split{&terms, {}, 0};
        const auto collect = [](void *context, int, const char *token, int length, int start, int end) {
            auto *into = static_cast<Split *>(context);
            const bool match = into->terms->matches(QByteArray::fromRawData(token, length));
            into->tokens.append({start, end, match});
            into->matches += match ? 1 : 0;
            return SQLITE_OK;
        };
        m_statements->tokenizerApi.xTokenize(m_statements->tokenizer, &split, FTS5_TOKENIZE_DOCUMENT,
                                             utf8.constLast().constData(), int(utf8.constLast().size()), collect);
        splits.append(split);
    }
    // The user's own words (the first text) when a match lies there, else the text with most.
    qsizetype chosen = 0;
    if (splits.isEmpty())
        return {};
    if (splits.constFirst().matches == 0)
        for (qsizetype i = 1; i < splits.size(); ++i)
            if (splits.at(i).matches > splits.at(chosen).matches)
                chosen = i;
    const QList<Token> &tokens = splits.at(chosen).tokens;
    const QByteArray &bytes = utf8.at(chosen);
    if (tokens.isEmpty())
        return QString::fromUtf8(bytes);
    // A window of words around the first match, a few words of lead-in before it.
    constexpr qsizetype windowWords = 16;
    constexpr qsizetype leadIn = 4;
    qsizetype first = 0;
    while (first < tokens.size() && !tokens.at(first).match)
        ++first;
    if (first == tokens.size())
        first = 0;
    qsizetype from = std::max<qsizetype>(0, first - leadIn);
    const qsizetype to = std::min(tokens.size(), from + windowWords);
    from = std::max<qsizetype>(0, to - windowWords);
    QByteArray passage;
    if (from > 0)
        passage += "…";
    int at = from == 0 ? 0 : tokens.at(from).start;
    for (qsizetype i = from; i < to; ++i) {
        const Token &token = tokens.at(i);
        passage += bytes.mid(at, token.start - at);
        const QByteArray word = bytes.mid(token.start, token.end - token.start);
        if (token.match)
            passage += QString(highlightStart).toUtf8() + word + QString(highlightEnd).toUtf8();
        else
            passage += word;
        at = token.end;
    }
    passage += to == tokens.size() ? bytes.mid(at) : QByteArray("…");
    return QString::fromUtf8(passage);
}

SearchIndex::Results SearchIndex::find(const QString &text, int limitPerKind, bool describe) const
{
    Results results;
    const Terms terms = termsOf(text);
    if (terms.isEmpty())
        return results;
    results.noTerms = false;
    const QByteArray match = expressionOf(terms);
    sqlite3 *db = handleOf(m_context->m_db);
    if (!db || !m_statements->prepare(db))
        return results;
    m_statements->refreshDates();

    const QMetaObject *types[3] = {&Reading::staticMetaObject, &JournalEntry::staticMetaObject,
                                   &UserCardNote::staticMetaObject};
    QList<Hit> *lists[3] = {&results.readings, &results.journal, &results.cardNotes};
    int *counts[3] = {&results.readingCount, &results.journalCount, &results.cardNoteCount};
    for (int kind = 0; kind < 3; ++kind) {
        Statements::Kind &statements = m_statements->kinds[kind];
        const auto state = m_context->m_types.constFind(types[kind]);
        const QHash<qint64, Record *> stored =
            state == m_context->m_types.cend() ? QHash<qint64, Record *>() : state->stored;
        struct Match
        {
            qint64 pk;
            qint64 date;
        };
        QList<Match> matches;
        sqlite3_bind_text(statements.matches, 1, match.constData(), int(match.size()), SQLITE_STATIC);
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(statements.matches)) == SQLITE_ROW) {
            const qint64 pk = sqlite3_column_int64(statements.matches, 0);
            // A deletion not saved yet already counts: the user removed it.
            if (Record *record = stored.value(pk); record && record->isDeleted())
                continue;
            matches.append({pk, statements.dateOf.value(pk, std::numeric_limits<qint64>::min())});
        }
        if (step != SQLITE_DONE)
            qCWarning(lcApp, "The search for %s failed: %s", match.constData(), sqlite3_errmsg(db));
        sqlite3_reset(statements.matches);
        *counts[kind] = int(matches.size());
        const auto newer = [](const Match &a, const Match &b) {
            return a.date != b.date ? a.date > b.date : a.pk > b.pk;
        };
        const auto shown = matches.begin() + std::min<qsizetype>(limitPerKind, matches.size());
        std::partial_sort(matches.begin(), shown, matches.end(), newer);

        for (auto it = matches.begin(); it != shown; ++it) {
            Hit hit;
            hit.kind = Kind(kind);
            hit.storeId = it->pk;
            if (it->date != std::numeric_limits<qint64>::min())
                hit.date = QDateTime::fromMSecsSinceEpoch(it->date);
            if (describe)
                describeWith(hit, terms);
            lists[kind]->append(hit);
        }
    }
    return results;
}

void SearchIndex::describe(Hit &hit, const QString &text) const
{
    if (hit.described)
        return;
    // Rows are described one by one as they are shown, all for the same text.
    if (text != m_describedText || !m_describedTerms) {
        m_describedTerms = std::make_unique<Terms>(termsOf(text));
        m_describedText = text;
    }
    sqlite3 *db = handleOf(m_context->m_db);
    if (db && m_statements->prepare(db))
        describeWith(hit, *m_describedTerms);
}

void SearchIndex::describeWith(Hit &hit, const Terms &terms) const
{
    Statements::Kind &statements = m_statements->kinds[int(hit.kind)];
    sqlite3_stmt *details = statements.details;
    sqlite3_bind_int64(details, 1, hit.storeId);
    if (sqlite3_step(details) == SQLITE_ROW) {
        hit.id = QUuid::fromString(textOf(details, 0));
        hit.spreadType = textOf(details, 1);
        hit.spreadName = textOf(details, 2);
        const QString names = textOf(details, 3);
        if (!names.isEmpty())
            hit.cardNames = names.split(QLatin1Char('\n'));
        hit.cardCount = sqlite3_column_int(details, 4);
        hit.cardId = textOf(details, 5);
        QStringList texts;
        for (int column = 0; column < statements.textColumns; ++column)
            texts.append(textOf(details, 6 + column));
        hit.snippet = passageOf(texts, terms);
    }
    sqlite3_reset(details);
    hit.described = true;
}

// Here, where Terms is complete.
SearchIndex::~SearchIndex() = default;
