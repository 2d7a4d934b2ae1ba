#pragma once

#include "Record.h"

#include <QDateTime>
#include <QUuid>

// The user's personal note on one catalogue card.
class UserCardNote : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Notes are created by the card detail screen")
    Q_PROPERTY(QUuid id READ id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(QString cardId READ cardId WRITE setCardId NOTIFY cardIdChanged)
    Q_PROPERTY(QString noteText READ noteText WRITE setNoteText NOTIFY noteTextChanged)
    Q_PROPERTY(QDateTime lastModified READ lastModified WRITE setLastModified NOTIFY lastModifiedChanged)

public:
    explicit UserCardNote(QObject *parent = nullptr);
    UserCardNote(Loading, QObject *parent = nullptr) : Record(parent), m_id() {}
    UserCardNote(const QString &cardId, const QString &noteText, QObject *parent = nullptr);

    QUuid id() const { return m_id; }
    void setId(const QUuid &v) { setField(m_id, v, &UserCardNote::idChanged); }
    QString cardId() const { return m_cardId; }
    void setCardId(const QString &v) { setField(m_cardId, v, &UserCardNote::cardIdChanged); }
    QString noteText() const { return m_noteText; }
    void setNoteText(const QString &v) { setField(m_noteText, v, &UserCardNote::noteTextChanged); }
    QDateTime lastModified() const { return m_lastModified; }
    void setLastModified(const QDateTime &v) { setField(m_lastModified, v, &UserCardNote::lastModifiedChanged); }

signals:
    void idChanged();
    void cardIdChanged();
    void noteTextChanged();
    void lastModifiedChanged();

private:
    QUuid m_id = QUuid::createUuid();
    QString m_cardId = QStringLiteral("");
    QString m_noteText = QStringLiteral("");
    QDateTime m_lastModified;
};
