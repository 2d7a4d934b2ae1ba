#pragma once

#include <QMetaMethod>
#include <QObject>
#include <QtQml/qqmlregistration.h>

class ModelContext;

// Base of every stored record. A record belongs to at most one context; its setters report
// changes to that context so the next save writes them. Equality is identity.
class Record : public QObject
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    // Chosen by the store for a record it is about to fill from a row: no defaults are worked
    // out (no clock reading, no new identifier) only to be overwritten.
    struct Loading
    {
    };

    ModelContext *context() const { return m_context; }
    // The store's own identifier: 0 until the record's first successful save.
    qint64 storeId() const { return m_storeId; }
    bool isDeleted() const { return m_deleted; }

protected:
    explicit Record(QObject *parent = nullptr) : QObject(parent) {}

    // Assigns a stored property, tells the context and emits the property's notify signal.
    template <typename Self, typename T> void setField(T &field, const T &value, void (Self::*notify)())
    {
        if (field == value && field.isNull() == value.isNull())
            return;
        field = value;
        markChanged(QMetaMethod::fromSignal(notify));
        (static_cast<Self *>(this)->*notify)();
    }
    template <typename Self> void setField(bool &field, bool value, void (Self::*notify)())
    {
        if (field == value)
            return;
        field = value;
        markChanged(QMetaMethod::fromSignal(notify));
        (static_cast<Self *>(this)->*notify)();
    }

    // Records that the stored property announced by `notify` changed, so that a save writes
    // that column (and only the columns that changed).
    void markChanged(const QMetaMethod &notify);

    // The records that belong to this one and are stored and removed with it (a reading's
    // drawn cards). They point back at it through a stored link property.
    virtual QList<Record *> ownedRecords() const { return {}; }

private:
    friend class ModelContext;
    ModelContext *m_context = nullptr;
    qint64 m_storeId = 0;
    // One bit per property index: the stored properties changed since the last load or save.
    quint64 m_changedProperties = 0;
    bool m_deleted = false;
};
