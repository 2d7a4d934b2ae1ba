#pragma once

#include "SpreadMenu.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class ModelContext;
#include "Spread.h"
Q_MOC_INCLUDE("ModelContext.h")

// The spreads the user designed, oldest first, as the Readings menu lists them, kept up to
// date with the store. Deleting one leaves every reading made with it as it was.
class DesignedSpreadList : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles { SpreadRole = Qt::UserRole + 1, SpreadTypeRole, NameRole, ItemRole };

    explicit DesignedSpreadList(QObject *parent = nullptr);

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    int count() const { return int(m_rows.size()); }

    // How many readings were made with the spread in this row.
    Q_INVOKABLE int readingCount(int row) const;
    // The question asked before the spread in this row is deleted.
    Q_INVOKABLE QString deleteQuestion(int row) const;
    static QString deleteQuestion(const QString &name, int readingCount);
    // Deletes the spread in this row and saves; whether the store took it.
    Q_INVOKABLE bool remove(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void modelContextChanged();
    void countChanged();

private:
    void refresh();

    QPointer<ModelContext> m_context;
    struct Row
    {
        QPointer<Spread> spread;
        SpreadMenuItem item; // the design, read once per refresh
    };
    QList<Row> m_rows;
};
