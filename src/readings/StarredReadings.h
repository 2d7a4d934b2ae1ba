#pragma once

#include "ModelContext.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class Reading;
class RecordListModel;
Q_MOC_INCLUDE("Reading.h")

// The newest starred readings, live: starring or unstarring a reading anywhere, or storing a
// new one, changes the list at once. Each row carries what the menu's shortcut row shows.
class StarredReadings : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(int limit READ limit WRITE setLimit NOTIFY limitChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles {
        ReadingRole = Qt::UserRole + 1,
        SpreadNameRole,
        IconNameRole,
        DateTextRole,
    };

    explicit StarredReadings(QObject *parent = nullptr);
    ~StarredReadings() override;

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    // How many of the newest starred readings are listed.
    int limit() const { return m_limit; }
    void setLimit(int limit);
    int count() const { return int(m_rows.size()); }
    const QList<Reading *> &readings() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void modelContextChanged();
    void limitChanged();
    void countChanged();

protected:
    // The readings listed, at most `limit`: the newest starred ones.
    virtual QList<Reading *> select(ModelContext &context, int limit) const;
    // Called after every refresh of the rows.
    virtual void refreshed() {}

private:
    void refresh();

    QPointer<ModelContext> m_context;
    RecordListModel *m_query = nullptr;
    int m_limit = 3;
    QList<Reading *> m_rows;
};
