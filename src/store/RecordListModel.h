#pragma once

#include "ModelContext.h"

#include <QAbstractListModel>
#include <QPointer>

// A live query for views: the records a C++ query returns, refreshed whenever the context
// reports a change. The query function applies the predicate and the sort order.
class RecordListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Live queries are made by view models")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles { RecordRole = Qt::UserRole + 1 };
    using Query = std::function<QList<Record *>(ModelContext &)>;

    RecordListModel(ModelContext *context, Query query, QObject *parent = nullptr);

    // A query over one record type with an optional predicate and sort order.
    template <typename T>
    static RecordListModel *make(ModelContext *context, std::function<bool(const T *)> predicate = {},
                                 std::function<bool(const T *, const T *)> lessThan = {}, QObject *parent = nullptr)
    {
        return new RecordListModel(
            context,
            [predicate, lessThan](ModelContext &c) {
                const QList<T *> typed = c.fetch<T>(predicate, lessThan);
                return QList<Record *>(typed.cbegin(), typed.cend());
            },
            parent);
    }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return static_cast<int>(m_records.size()); }
    const QList<Record *> &records() const { return m_records; }
    Q_INVOKABLE Record *at(int row) const;

    // Runs the query again now; views normally wait for the context's change signal.
    void refresh();

signals:
    void countChanged();

private:
    QPointer<ModelContext> m_context;
    Query m_query;
    QList<Record *> m_records;
};
