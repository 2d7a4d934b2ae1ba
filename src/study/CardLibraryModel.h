#pragma once

#include "DeckFilter.h"
#include "ModelContext.h"
#include "TarotCard.h"

#include <QAbstractListModel>
#include <QHash>
#include <QLocale>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class CardDataStore;
class UserCardNote;

// The cards the library grid shows: the list the selected filter chip picks from the catalogue,
// narrowed by the search text to cards whose name or one of whose upright keywords contains it,
// or whose card the user's note mentions it on. Matching ignores letter case the way the user's
// locale does and never trims the text. The notes are watched: a note edited anywhere changes
// the result in the next turn of the event loop. Rows are removed and inserted rather than
// reset, so the grid keeps the cells it already built. The slider's scale picks the card size
// and the column width the grid is laid out by.
class CardLibraryModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(
        DeckFilter::Group selectedFilter READ selectedFilter WRITE setSelectedFilter NOTIFY selectedFilterChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(double cardScale READ cardScale WRITE setCardScale NOTIFY cardScaleChanged)
    Q_PROPERTY(int cardSize READ cardSize NOTIFY cardScaleChanged)
    Q_PROPERTY(double columnWidthBasis READ columnWidthBasis NOTIFY cardScaleChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QStringList filterLabels READ filterLabels CONSTANT)
    Q_PROPERTY(QStringList cardIds READ cardIds NOTIFY cardsChanged)

public:
    enum Roles { CardRole = Qt::UserRole + 1, CardIdRole, NameRole };

    explicit CardLibraryModel(QObject *parent = nullptr);

    // Every chip's label, in chip order: the deck's groups by their short names.
    static QStringList filterLabels();
    // The search rule over an already filtered list; `notes` may name any card.
    static QList<TarotCard> search(const QList<TarotCard> &cards, const QString &searchText,
                                   const QList<UserCardNote *> &notes, const QLocale &locale = QLocale());
    // What case-insensitive matching compares: the text with letter case folded the way the
    // locale folds it (upper then lower, so "ß" meets "SS" and a final sigma meets a sigma).
    static QString folded(const QString &text, const QLocale &locale);

    // Where the cards come from: the shared catalogue unless a test gives its own, which must
    // outlive the model.
    void setCardStore(const CardDataStore &store);
    void setLocale(const QLocale &locale);

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    DeckFilter::Group selectedFilter() const { return m_filter; }
    void setSelectedFilter(DeckFilter::Group filter);
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    double cardScale() const { return m_cardScale; }
    void setCardScale(double scale);
    // A CardSize::Size: small, medium or large by the integer part of the scale.
    int cardSize() const;
    double columnWidthBasis() const;

    int count() const { return int(m_cards.size()); }
    const QList<TarotCard> &filteredCards() const { return m_cards; }
    // The ids of the cards shown, in order: what the detail pager pages through.
    QStringList cardIds() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Computes the result again now; changes of the filter, the text and the notes do it anyway.
    void refresh();

signals:
    void modelContextChanged();
    void selectedFilterChanged();
    void searchTextChanged();
    void cardScaleChanged();
    void countChanged();
    // The list of cards shown changed in any way.
    void cardsChanged();

private:
    struct FoldedCard
    {
        QString name;
        QStringList keywords;
    };
    struct FoldedNote
    {
        QString source;
        QString folded;
    };

    const CardDataStore &store() const;
    QList<TarotCard> compute();
    const FoldedCard &foldedCard(const TarotCard &card);
    void apply(const QList<TarotCard> &fresh);
    void notesChanged();
    const QString &foldedNote(const UserCardNote *note);
    void warmNotes();

    const CardDataStore *m_store = nullptr;
    QPointer<ModelContext> m_context;
    QLocale m_locale;
    DeckFilter::Group m_filter = DeckFilter::All;
    QString m_searchText = QStringLiteral("");
    double m_cardScale = 1.0;
    QList<TarotCard> m_cards;
    // Folding the catalogue and every note on each keystroke would cost more than the search
    // itself, so the folded texts are kept; a note's entry is refreshed when its text differs.
    QHash<QString, FoldedCard> m_foldedCards;
    QHash<const UserCardNote *, FoldedNote> m_foldedNotes;
};
