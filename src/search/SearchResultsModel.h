#pragma once

#include "ModelContext.h"
#include "SearchIndex.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <memory>

// The search field's results: the records that hold every word typed, grouped by kind
// (readings, then journal entries, then card notes), newest first within each kind. Newest
// first because a journal is remembered by when things happened, and because the ranking an
// index can give short texts that mostly share card names says little. Each row has its
// date, a title (a reading's spread and first cards, an entry's date and card, a note's card)
// and a passage with the matched words highlighted.
class SearchResultsModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    // What the list says when it has no rows to show, or an empty text when it has.
    Q_PROPERTY(QString stateText READ stateText NOTIFY stateChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // The row Return opens: the first after each search, moved by the arrow keys.
    Q_PROPERTY(int currentRow READ currentRow WRITE setCurrentRow NOTIFY currentRowChanged)
    // How many rows a page key moves by: what the list shows at once.
    Q_PROPERTY(int rowsPerPage READ rowsPerPage WRITE setRowsPerPage NOTIFY rowsPerPageChanged)

public:
    enum State {
        Empty,   // nothing typed yet
        NoWords, // only spaces, punctuation or symbols
        NoMatch,
        Found,
    };
    Q_ENUM(State)
    enum Role {
        KindRole = Qt::UserRole + 1,
        SectionRole,
        TitleRole,
        DateTextRole,
        SnippetRole,
        AccessibleTextRole,
    };

    // The most rows shown of one kind; the section heading says how many match in all.
    static constexpr int rowsPerKind = 25;

    explicit SearchResultsModel(QObject *parent = nullptr);
    ~SearchResultsModel() override;

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    QString query() const { return m_query; }
    void setQuery(const QString &query);
    State state() const { return m_state; }
    QString stateText() const;
    int count() const { return int(m_hits.size()); }
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);
    int rowsPerPage() const { return m_rowsPerPage; }
    void setRowsPerPage(int rows);
    // Moves the current row by `rows` (a page by rowsPerPage() when `page` is set), stopping at
    // the first and the last.
    Q_INVOKABLE void moveCurrent(int rows, bool page = false);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Where the row opens: { kind: "reading" | "journal" | "cardNote", and then
    // reading: the Reading, or day: "yyyy-MM-dd", or cardId }. Empty for a row that is gone.
    Q_INVOKABLE QVariantMap destination(int row) const;

    // The same texts as the rows show, for the headless command.
    static QString titleOf(const SearchIndex::Hit &hit);
    static QString dateTextOf(const SearchIndex::Hit &hit);
    static QString kindName(SearchIndex::Kind kind);
    // The passage as styled text: the user's text escaped, each match in bold accent.
    static QString styledSnippet(const QString &snippet);
    // The passage as plain text on one line.
    static QString plainSnippet(const QString &snippet);

signals:
    void modelContextChanged();
    void queryChanged();
    void stateChanged();
    void countChanged();
    void currentRowChanged();
    void rowsPerPageChanged();

private:
    void refresh();

    QPointer<ModelContext> m_context;
    std::unique_ptr<SearchIndex> m_index;
    QString m_query;
    State m_state = Empty;
    // Described when first shown, hence mutable.
    mutable QList<SearchIndex::Hit> m_hits;
    int m_currentRow = -1;
    int m_rowsPerPage = 8;
    // The heading of each kind, with how many match in all.
    QString m_sections[3];
};
