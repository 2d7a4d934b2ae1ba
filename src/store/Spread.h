#pragma once

#include "Record.h"

#include <QDateTime>
#include <QUuid>

// A spread of the user's own design: its name, a line about it, and its positions with their
// layout as a JSON text that the readings code reads and writes.
class Spread : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Spreads are created by the spread editor")
    Q_PROPERTY(QUuid id READ id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString summary READ summary WRITE setSummary NOTIFY summaryChanged)
    Q_PROPERTY(QString layout READ layout WRITE setLayout NOTIFY layoutChanged)
    Q_PROPERTY(QDateTime created READ created WRITE setCreated NOTIFY createdChanged)

public:
    explicit Spread(QObject *parent = nullptr);
    Spread(Loading, QObject *parent = nullptr) : Record(parent), m_id() {}

    QUuid id() const { return m_id; }
    void setId(const QUuid &v) { setField(m_id, v, &Spread::idChanged); }
    QString name() const { return m_name; }
    void setName(const QString &v) { setField(m_name, v, &Spread::nameChanged); }
    // The short description shown under the name.
    QString summary() const { return m_summary; }
    void setSummary(const QString &v) { setField(m_summary, v, &Spread::summaryChanged); }
    QString layout() const { return m_layout; }
    void setLayout(const QString &v) { setField(m_layout, v, &Spread::layoutChanged); }
    QDateTime created() const { return m_created; }
    void setCreated(const QDateTime &v) { setField(m_created, v, &Spread::createdChanged); }

signals:
    void idChanged();
    void nameChanged();
    void summaryChanged();
    void layoutChanged();
    void createdChanged();

private:
    QUuid m_id = QUuid::createUuid();
    QString m_name = QStringLiteral("");
    QString m_summary = QStringLiteral("");
    QString m_layout = QStringLiteral("");
    QDateTime m_created;
};
