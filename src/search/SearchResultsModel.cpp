#include "SearchResultsModel.h"

#include "DateFormat.h"
#include "ModelContext.h"
#include "Reading.h"
#include "Readings.h"
#include "StoreLog.h"
#include "Theme.h"

#include <QLocale>

#include <algorithm>

namespace {

QString headingOf(SearchIndex::Kind kind, qsizetype shown, int total)
{
    const QString name = SearchResultsModel::kindName(kind);
    if (shown >= total)
        return name;
    return SearchResultsModel::tr("%1 · the newest %2 of %3")
        .arg(name, QLocale().toString(shown), QLocale().toString(total));
}

} // namespace

SearchResultsModel::SearchResultsModel(QObject *parent) : QAbstractListModel(parent)
{}

SearchResultsModel::~SearchResultsModel() = default;

void SearchResultsModel::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    m_context = context;
    m_index = context ? std::make_unique<SearchIndex>(context) : nullptr;
    emit modelContextChanged();
    refresh();
}

void SearchResultsModel::setQuery(const QString &query)
{
    if (query == m_query)
        return;
    m_query = query;
    emit queryChanged();
    refresh();
}

QString SearchResultsModel::kindName(SearchIndex::Kind kind)
{
    switch (kind) {
    case SearchIndex::Kind::Reading:
        return tr("Readings");
    case SearchIndex::Kind::Journal:
        return tr("Journal");
    case SearchIndex::Kind::CardNote:
        return tr("Card Notes");
    }
    return {};
}

QString SearchResultsModel::titleOf(const SearchIndex::Hit &hit)
{
    switch (hit.kind) {
    case SearchIndex::Kind::Reading: {
        QString cards = hit.cardNames.join(QStringLiteral(", "));
        if (hit.cardCount > hit.cardNames.size() && !cards.isEmpty())
            cards += QStringLiteral(", …");
        const QString spread = hit.spreadName.isEmpty() ? tr("Reading") : hit.spreadName;
        return cards.isEmpty() ? spread : tr("%1 · %2").arg(spread, cards);
    }
    case SearchIndex::Kind::Journal: {
        const QString day =
            hit.date.isValid() ? DateFormat::longDate(hit.date.toLocalTime().date()) : tr("Journal entry");
        return hit.cardNames.isEmpty() ? day : tr("%1 · %2").arg(day, hit.cardNames.constFirst());
    }
    case SearchIndex::Kind::CardNote:
        return hit.cardNames.isEmpty() ? tr("Card note") : tr("Note on %1").arg(hit.cardNames.constFirst());
    }
    return {};
}

QString SearchResultsModel::dateTextOf(const SearchIndex::Hit &hit)
{
    return hit.date.isValid() ? DateFormat::mediumDate(hit.date.toLocalTime().date()) : QString();
}

QString SearchResultsModel::styledSnippet(const QString &snippet)
{
    const QString accent = Theme::accent().name();
    QString styled;
    styled.reserve(snippet.size() * 2);
    qsizetype from = 0;
    bool inMatch = false;
    for (qsizetype i = 0; i <= snippet.size(); ++i) {
        const bool end = i == snippet.size();
        const QChar c = end ? QChar() : snippet.at(i);
        if (!end && c != SearchIndex::highlightStart && c != SearchIndex::highlightEnd)
            continue;
        styled += snippet.mid(from, i - from).toHtmlEscaped();
        if (!end) {
            if (c == SearchIndex::highlightStart && !inMatch)
                styled += QStringLiteral("<b><font color=\"%1\">").arg(accent);
            else if (c == SearchIndex::highlightEnd && inMatch)
                styled += QStringLiteral("</font></b>");
            inMatch = c == SearchIndex::highlightStart;
        }
        from = i + 1;
    }
    if (inMatch)
        styled += QStringLiteral("</font></b>");
    // Line breaks in a reflection would make rows of different heights.
    styled.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return styled;
}

QString SearchResultsModel::plainSnippet(const QString &snippet)
{
    QString plain;
    plain.reserve(snippet.size());
    for (const QChar c : snippet) {
        if (c == SearchIndex::highlightStart || c == SearchIndex::highlightEnd)
            continue;
        plain += (c == QLatin1Char('\n') || c == QLatin1Char('\t') || c == QLatin1Char('\r')) ? QChar(u' ') : c;
    }
    return plain;
}

void SearchResultsModel::refresh()
{
    const bool blank = m_query.trimmed().isEmpty();
    SearchIndex::Results results;
    if (m_index && !blank) {
        // What the screens hold but have not written yet is found too.
        if (m_context->hasChanges())
            saveContext(*m_context);
        // Rows are described when they are shown.
        results = m_index->find(m_query, rowsPerKind, false);
    }

    const qsizetype before = m_hits.size();
    beginResetModel();
    m_hits.clear();
    m_hits.append(results.readings);
    m_hits.append(results.journal);
    m_hits.append(results.cardNotes);
    m_sections[0] = headingOf(SearchIndex::Kind::Reading, results.readings.size(), results.readingCount);
    m_sections[1] = headingOf(SearchIndex::Kind::Journal, results.journal.size(), results.journalCount);
    m_sections[2] = headingOf(SearchIndex::Kind::CardNote, results.cardNotes.size(), results.cardNoteCount);
    endResetModel();
    if (m_hits.size() != before)
        emit countChanged();
    setCurrentRow(m_hits.isEmpty() ? -1 : 0);

    const State state = blank ? Empty : results.noTerms ? NoWords : m_hits.isEmpty() ? NoMatch : Found;
    // The text of the no-match state names what was typed, so it changes with each keystroke.
    if (state != m_state || state == NoMatch) {
        m_state = state;
        emit stateChanged();
    }
}

void SearchResultsModel::setCurrentRow(int row)
{
    row = m_hits.isEmpty() ? -1 : std::clamp(row, 0, int(m_hits.size()) - 1);
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    emit currentRowChanged();
}

void SearchResultsModel::setRowsPerPage(int rows)
{
    rows = std::max(1, rows);
    if (rows == m_rowsPerPage)
        return;
    m_rowsPerPage = rows;
    emit rowsPerPageChanged();
}

void SearchResultsModel::moveCurrent(int rows, bool page)
{
    if (!m_hits.isEmpty())
        setCurrentRow(m_currentRow + (page ? rows * m_rowsPerPage : rows));
}

QString SearchResultsModel::stateText() const
{
    switch (m_state) {
    case Empty:
        return tr("Search your readings, journal and card notes.");
    case NoWords:
        return tr("Type a word to search for.");
    case NoMatch:
        return tr("Nothing matches “%1”. Try fewer words, or the start of a word.").arg(m_query.simplified().left(60));
    case Found:
        return {};
    }
    return {};
}

int SearchResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

QVariant SearchResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_hits.size())
        return {};
    SearchIndex::Hit &hit = m_hits[index.row()];
    if (role != KindRole && role != SectionRole && m_index)
        m_index->describe(hit, m_query);
    switch (role) {
    case KindRole:
        return int(hit.kind);
    case SectionRole:
        return m_sections[int(hit.kind)];
    case TitleRole:
        return titleOf(hit);
    case DateTextRole:
        return dateTextOf(hit);
    case SnippetRole:
        return styledSnippet(hit.snippet);
    case AccessibleTextRole:
        return tr("%1, %2, %3: %4").arg(kindName(hit.kind), dateTextOf(hit), titleOf(hit), plainSnippet(hit.snippet));
    }
    return {};
}

QHash<int, QByteArray> SearchResultsModel::roleNames() const
{
    return {{KindRole, "kind"},         {SectionRole, "section"}, {TitleRole, "title"},
            {DateTextRole, "dateText"}, {SnippetRole, "snippet"}, {AccessibleTextRole, "accessibleText"}};
}

QVariantMap SearchResultsModel::destination(int row) const
{
    if (row < 0 || row >= m_hits.size() || !m_context)
        return {};
    SearchIndex::Hit &hit = m_hits[row];
    m_index->describe(hit, m_query);
    switch (hit.kind) {
    case SearchIndex::Kind::Reading: {
        const QList<Reading *> found = Readings(m_context).withStoreIds({hit.storeId});
        if (found.isEmpty() || found.constFirst()->isDeleted())
            return {};
        return {{QStringLiteral("kind"), QStringLiteral("reading")},
                {QStringLiteral("reading"), QVariant::fromValue(found.constFirst())}};
    }
    case SearchIndex::Kind::Journal:
        return {{QStringLiteral("kind"), QStringLiteral("journal")},
                {QStringLiteral("day"), hit.date.toLocalTime().date().toString(Qt::ISODate)}};
    case SearchIndex::Kind::CardNote:
        return {{QStringLiteral("kind"), QStringLiteral("cardNote")}, {QStringLiteral("cardId"), hit.cardId}};
    }
    return {};
}
