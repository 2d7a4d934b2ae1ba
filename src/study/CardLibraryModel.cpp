#include "CardLibraryModel.h"

#include "CardDataStore.h"
#include "CardNotes.h"
#include "CardSize.h"
#include "UserCardNote.h"

#include <QSet>

#include <cmath>

namespace {

// The search rule, with the folding of card and note texts left to the caller so that the
// model can keep them between keystrokes.
template <typename CardTexts, typename NoteText>
QList<TarotCard> searchWith(const QList<TarotCard> &cards, const QString &foldedNeedle,
                            const QList<UserCardNote *> &notes, CardTexts cardTexts, NoteText noteText)
{
    QSet<QString> listed;
    listed.reserve(cards.size());
    for (const TarotCard &card : cards)
        listed.insert(card.id);
    // Only notes on listed cards can add a card; each card needs one matching note at most.
    QSet<QString> noted;
    for (const UserCardNote *note : notes) {
        if (!listed.contains(note->cardId()) || noted.contains(note->cardId()))
            continue;
        if (noteText(note).contains(foldedNeedle))
            noted.insert(note->cardId());
    }
    QList<TarotCard> result;
    for (const TarotCard &card : cards) {
        const auto &texts = cardTexts(card);
        bool match = noted.contains(card.id) || texts.name.contains(foldedNeedle);
        for (qsizetype i = 0; !match && i < texts.keywords.size(); ++i)
            match = texts.keywords.at(i).contains(foldedNeedle);
        if (match)
            result.append(card);
    }
    return result;
}

struct Texts
{
    QString name;
    QStringList keywords;
};

Texts foldCard(const TarotCard &card, const QLocale &locale)
{
    Texts texts{CardLibraryModel::folded(card.name, locale), {}};
    for (const QString &keyword : card.uprightKeywords)
        texts.keywords.append(CardLibraryModel::folded(keyword, locale));
    return texts;
}

} // namespace

CardLibraryModel::CardLibraryModel(QObject *parent) : QAbstractListModel(parent)
{
    refresh();
}

QStringList CardLibraryModel::filterLabels()
{
    QStringList labels;
    for (DeckFilter::Group group : DeckFilter::groups())
        labels.append(DeckFilter::shortName(group));
    return labels;
}

QString CardLibraryModel::folded(const QString &text, const QLocale &locale)
{
    return locale.toLower(locale.toUpper(text));
}

QList<TarotCard> CardLibraryModel::search(const QList<TarotCard> &cards, const QString &searchText,
                                          const QList<UserCardNote *> &notes, const QLocale &locale)
{
    if (searchText.isEmpty())
        return cards;
    return searchWith(
        cards, folded(searchText, locale), notes, [&](const TarotCard &card) { return foldCard(card, locale); },
        [&](const UserCardNote *note) { return folded(note->noteText(), locale); });
}

const CardDataStore &CardLibraryModel::store() const
{
    return m_store ? *m_store : CardDataStore::shared();
}

void CardLibraryModel::setCardStore(const CardDataStore &store)
{
    m_store = &store;
    m_foldedCards.clear();
    const int before = count();
    beginResetModel();
    m_cards = compute();
    endResetModel();
    emit cardsChanged();
    if (count() != before)
        emit countChanged();
}

void CardLibraryModel::setLocale(const QLocale &locale)
{
    m_locale = locale;
    m_foldedCards.clear();
    m_foldedNotes.clear();
    refresh();
}

void CardLibraryModel::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    m_foldedNotes.clear();
    if (m_context) {
        connect(m_context, &ModelContext::changed, this, &CardLibraryModel::notesChanged);
        // Fold the notes once the screen is up, so that the first letter typed is as quick as
        // the others.
        QMetaObject::invokeMethod(this, &CardLibraryModel::warmNotes, Qt::QueuedConnection);
    }
    emit modelContextChanged();
    refresh();
}

void CardLibraryModel::setSelectedFilter(DeckFilter::Group filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    emit selectedFilterChanged();
    refresh();
}

void CardLibraryModel::setSearchText(const QString &text)
{
    // An empty text from QML may arrive as a null string; both mean "no search".
    if (text == m_searchText)
        return;
    m_searchText = text;
    emit searchTextChanged();
    refresh();
}

void CardLibraryModel::setCardScale(double scale)
{
    if (scale == m_cardScale)
        return;
    m_cardScale = scale;
    emit cardScaleChanged();
}

int CardLibraryModel::cardSize() const
{
    switch (int(std::trunc(m_cardScale))) {
    case 0:
        return CardSize::Small;
    case 1:
        return CardSize::Medium;
    default:
        return CardSize::Large;
    }
}

double CardLibraryModel::columnWidthBasis() const
{
    switch (int(std::trunc(m_cardScale))) {
    case 0:
        return 120;
    case 1:
        return 160;
    default:
        return 240;
    }
}

QStringList CardLibraryModel::cardIds() const
{
    QStringList ids;
    ids.reserve(m_cards.size());
    for (const TarotCard &card : m_cards)
        ids.append(card.id);
    return ids;
}

int CardLibraryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant CardLibraryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cards.size())
        return {};
    const TarotCard &card = m_cards.at(index.row());
    switch (role) {
    case CardRole:
        return QVariant::fromValue(card);
    case CardIdRole:
        return card.id;
    case NameRole:
    case Qt::DisplayRole:
        return card.name;
    }
    return {};
}

QHash<int, QByteArray> CardLibraryModel::roleNames() const
{
    return {{CardRole, "card"}, {CardIdRole, "cardId"}, {NameRole, "name"}};
}

void CardLibraryModel::notesChanged()
{
    // Without a search the notes do not take part.
    if (!m_searchText.isEmpty())
        refresh();
}

const CardLibraryModel::FoldedCard &CardLibraryModel::foldedCard(const TarotCard &card)
{
    auto it = m_foldedCards.find(card.id);
    if (it == m_foldedCards.end()) {
        const Texts texts = foldCard(card, m_locale);
        it = m_foldedCards.insert(card.id, {texts.name, texts.keywords});
    }
    return *it;
}

QList<TarotCard> CardLibraryModel::compute()
{
    QList<TarotCard> cards = DeckFilter::cardsOf(store(), m_filter);
    if (m_searchText.isEmpty())
        return cards;
    const QList<UserCardNote *> notes = CardNotes(m_context).all();
    // Entries of notes that are gone would only pile up.
    if (m_foldedNotes.size() > 2 * notes.size() + 64)
        m_foldedNotes.clear();
    return searchWith(
        cards, folded(m_searchText, m_locale), notes,
        [this](const TarotCard &card) -> const FoldedCard & { return foldedCard(card); },
        [this](const UserCardNote *note) -> const QString & { return foldedNote(note); });
}

const QString &CardLibraryModel::foldedNote(const UserCardNote *note)
{
    FoldedNote &entry = m_foldedNotes[note];
    const QString text = note->noteText();
    if (entry.folded.isNull() || entry.source != text) {
        entry.source = text;
        entry.folded = folded(text, m_locale);
    }
    return entry.folded;
}

void CardLibraryModel::warmNotes()
{
    if (!m_context)
        return;
    for (const UserCardNote *note : CardNotes(m_context).all())
        foldedNote(note);
}

void CardLibraryModel::refresh()
{
    apply(compute());
}

void CardLibraryModel::apply(const QList<TarotCard> &fresh)
{
    const int before = count();
    const QStringList idsBefore = cardIds();
    QSet<QString> freshIds;
    for (const TarotCard &card : fresh)
        freshIds.insert(card.id);
    QSet<QString> oldIds;
    QStringList kept;
    for (const TarotCard &card : std::as_const(m_cards)) {
        oldIds.insert(card.id);
        if (freshIds.contains(card.id))
            kept.append(card.id);
    }
    QStringList keptInFresh;
    for (const TarotCard &card : fresh)
        if (oldIds.contains(card.id))
            keptInFresh.append(card.id);

    if (kept != keptInFresh) {
        // The cards that stay changed order (another chip's list): start over.
        beginResetModel();
        m_cards = fresh;
        endResetModel();
    } else {
        // Remove the rows that go, last run first, so earlier row numbers stay valid.
        for (qsizetype row = m_cards.size() - 1; row >= 0;) {
            if (freshIds.contains(m_cards.at(row).id)) {
                --row;
                continue;
            }
            qsizetype first = row;
            while (first > 0 && !freshIds.contains(m_cards.at(first - 1).id))
                --first;
            beginRemoveRows({}, int(first), int(row));
            m_cards.remove(first, row - first + 1);
            endRemoveRows();
            row = first - 1;
        }
        // What is left is in the fresh order: insert the new cards in runs where they belong.
        for (qsizetype row = 0; row < fresh.size();) {
            if (row < m_cards.size() && m_cards.at(row).id == fresh.at(row).id) {
                ++row;
                continue;
            }
            qsizetype last = row;
            while (last + 1 < fresh.size() && !oldIds.contains(fresh.at(last + 1).id))
                ++last;
            beginInsertRows({}, int(row), int(last));
            for (qsizetype i = row; i <= last; ++i)
                m_cards.insert(i, fresh.at(i));
            endInsertRows();
            row = last + 1;
        }
    }
    if (cardIds() != idsBefore)
        emit cardsChanged();
    if (count() != before)
        emit countChanged();
}
