#pragma once

#include "EntryFields.h"
#include "JournalEntry.h"
#include "ModelContext.h"

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
    Q_PROPERTY(EntryFields *fields READ fields CONSTANT)

public:
    explicit JournalEditorModel(QObject *parent = nullptr);

    JournalEntry *entry() const { return m_entry; }
    void setEntry(JournalEntry *entry);
    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);

    QString dateText() const;
    EntryFields *fields() const { return m_fields; }

    Q_INVOKABLE void chooseMood(const QString &mood);
    Q_INVOKABLE void setReflection(const QString &text);
    // Saves everything; the screen closes afterwards whether or not the save succeeded.
    Q_INVOKABLE void done();

signals:
    void entryChanged();
    void modelContextChanged();

private:
    QPointer<JournalEntry> m_entry;
    EntryFields *m_fields;
    QPointer<ModelContext> m_context;
};
