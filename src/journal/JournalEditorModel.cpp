#include "JournalEditorModel.h"

#include "CardDataStore.h"
#include "DateFormat.h"
#include "MoodPalette.h"
#include "StoreLog.h"

JournalEditorModel::JournalEditorModel(QObject *parent)
    : QObject(parent), m_fields(new EntryFields(CardDataStore::shared(), this))
{}

void JournalEditorModel::setEntry(JournalEntry *entry)
{
    if (m_entry == entry)
        return;
    if (m_entry)
        m_entry->disconnect(this);
    m_entry = entry;
    if (entry)
        connect(entry, &JournalEntry::dateChanged, this, &JournalEditorModel::entryChanged);
    m_fields->setEntry(entry);
    emit entryChanged();
}

void JournalEditorModel::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    emit modelContextChanged();
}

QString JournalEditorModel::dateText() const
{
    return m_entry ? DateFormat::longDate(m_entry->date().toLocalTime().date()) : QString();
}

void JournalEditorModel::chooseMood(const QString &mood)
{
    if (!m_entry)
        return;
    m_entry->setMood(MoodPalette::toggled(m_entry->mood(), mood));
    if (m_context)
        saveContext(*m_context);
}

void JournalEditorModel::setReflection(const QString &text)
{
    if (m_entry)
        m_entry->setReflectionText(text);
}

void JournalEditorModel::done()
{
    if (m_context)
        saveContext(*m_context);
}
