#pragma once

#include "JournalEntry.h"
#include "ModelContext.h"
#include "TarotCard.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The full-page editor of one journal entry: mood changes are saved at once, the reflection is
// written into the entry as the user types and saved by "Done".
class JournalEditorModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(JournalEntry *entry READ entry WRITE setEntry NOTIFY entryChanged)
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(QString dateText READ dateText NOTIFY entryChanged)
    Q_PROPERTY(bool hasCard READ hasCard NOTIFY cardChanged)
    Q_PROPERTY(TarotCard card READ card NOTIFY cardChanged)
    Q_PROPERTY(bool hasPrompt READ hasPrompt NOTIFY promptChanged)

public:
    explicit JournalEditorModel(QObject *parent = nullptr);

    JournalEntry *entry() const { return m_entry; }
    void setEntry(JournalEntry *entry);
    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);

    QString dateText() const;
    bool hasCard() const;
    TarotCard card() const;
    bool hasPrompt() const { return m_entry && !m_entry->journalPrompt().isEmpty(); }

    Q_INVOKABLE void chooseMood(const QString &mood);
    Q_INVOKABLE void setReflection(const QString &text);
    // Saves everything; the screen closes afterwards whether or not the save succeeded.
    Q_INVOKABLE void done();

signals:
    void entryChanged();
    void modelContextChanged();
    void cardChanged();
    void promptChanged();

private:
    QPointer<JournalEntry> m_entry;
    QPointer<ModelContext> m_context;
};
