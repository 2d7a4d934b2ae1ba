#include "JournalExporter.h"

#include "CardDataStore.h"
#include "DateFormat.h"
#include "FileRevealer.h"
#include "UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString separator = QStringLiteral("\n\n---\n\n");

struct EntryTexts
{
    QString date;
    QString mood;     // empty when the entry has none
    QString cardLine; // card name and reversed suffix; empty when there is no known card
    QString cardName;
};

EntryTexts textsOf(const JournalEntry *entry, const CardDataStore &cards, const QString &datePattern,
                   const QLocale &locale)
{
    EntryTexts texts;
    texts.date = locale.toString(entry->date().toLocalTime().date(), datePattern);
    texts.mood = entry->mood();
    if (!entry->dailyCardId().isEmpty()) {
        const auto found = cards.cardsByID().constFind(entry->dailyCardId());
        if (found != cards.cardsByID().cend()) {
            texts.cardName = found->name;
            texts.cardLine = texts.cardName;
            if (entry->dailyCardReversed())
                texts.cardLine += QStringLiteral(" (Reversed)");
        }
    }
    return texts;
}

QString textBlock(const JournalEntry *entry, const EntryTexts &texts)
{
    QString block = texts.date;
    if (!texts.mood.isEmpty())
        block += QStringLiteral("\nMood: ") + texts.mood;
    if (!texts.cardLine.isEmpty())
        block += QStringLiteral("\nDaily Card: ") + texts.cardLine;
    if (entry->hasReflection())
        block += QStringLiteral("\n\n") + entry->reflectionText();
    return block;
}

QString markdownBlock(const JournalEntry *entry, const EntryTexts &texts)
{
    QString block = QStringLiteral("## ") + texts.date;
    if (!texts.mood.isEmpty())
        block += QStringLiteral("\n**Mood:** ") + texts.mood;
    if (!texts.cardLine.isEmpty())
        block += QStringLiteral("\n**Daily Card:** ") + texts.cardLine;
    if (!entry->journalPrompt().isEmpty())
        block += QStringLiteral("\n\n> *") + entry->journalPrompt() + QLatin1Char('*');
    if (entry->hasReflection())
        block += QStringLiteral("\n\n") + entry->reflectionText();
    return block;
}

// The file a save dialog chose. Qt 6.4's own dialog reports a typed name as a bare absolute
// path without the "file:" scheme; anything that is not a local file is no location.
QString localPath(const QUrl &file)
{
    if (file.isLocalFile())
        return file.toLocalFile();
    if (file.scheme().isEmpty() && QDir::isAbsolutePath(file.path()))
        return file.path();
    return {};
}

QString quoted(const QString &field)
{
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString csvLine(const JournalEntry *entry, const EntryTexts &texts)
{
    // Only the reflection is escaped: quotes doubled, then line feeds turned into blanks.
    QString reflection = entry->reflectionText();
    reflection.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    reflection.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QStringList{quoted(texts.date), quoted(texts.mood), quoted(texts.cardName),
                       quoted(entry->dailyCardReversed() ? QStringLiteral("Yes") : QStringLiteral("No")),
                       quoted(reflection)}
        .join(QLatin1Char(','));
}

} // namespace

JournalExporter::JournalExporter(QObject *parent) : QObject(parent), m_cards(&CardDataStore::shared())
{}

JournalExporter::~JournalExporter() = default;

QString JournalExporter::fileExtension(Format format)
{
    switch (format) {
    case Markdown:
        return QStringLiteral("md");
    case Csv:
        return QStringLiteral("csv");
    case Text:
        break;
    }
    return QStringLiteral("txt");
}

QString JournalExporter::suggestedFileName(Format format)
{
    return QStringLiteral("Quillmoor-Journal.") + fileExtension(format);
}

QStringList JournalExporter::nameFilters(Format format)
{
    // Markdown is plain text too: it is offered under the same type as the text export.
    if (format == Csv)
        return {tr("Comma-separated text (*.csv)")};
    return {tr("Plain text (*.txt *.text *.md)")};
}

QList<JournalEntry *> JournalExporter::entriesOldestFirst(ModelContext &context)
{
    return context.fetch<JournalEntry>(
        {}, [](const JournalEntry *a, const JournalEntry *b) { return a->date() < b->date(); });
}

QString JournalExporter::document(Format format, const QList<JournalEntry *> &entries, const CardDataStore &cards,
                                  const QLocale &locale)
{
    // The date pattern is worked out once: it is the same for every entry.
    const QString datePattern = DateFormat::longDatePattern(locale);
    QStringList parts;
    parts.reserve(entries.size() + 1);
    if (format == Csv)
        parts.append(QStringLiteral("Date,Mood,Daily Card,Reversed,Reflection"));
    for (const JournalEntry *entry : entries) {
        const EntryTexts texts = textsOf(entry, cards, datePattern, locale);
        switch (format) {
        case Text:
            parts.append(textBlock(entry, texts));
            break;
        case Markdown:
            parts.append(markdownBlock(entry, texts));
            break;
        case Csv:
            parts.append(csvLine(entry, texts));
            break;
        }
    }
    switch (format) {
    case Markdown:
        return QStringLiteral("# Quillmoor Tarot \u2014 Journal\n\n") + parts.join(separator);
    case Csv:
        return parts.join(QLatin1Char('\n'));
    case Text:
        break;
    }
    return parts.join(separator);
}

bool JournalExporter::writeAtomically(const QString &path, const QString &text, QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

void JournalExporter::setRevealer(FileRevealer &revealer)
{
    m_revealer = &revealer;
    m_savedNotice.setRevealer(revealer);
}

void JournalExporter::setCardStore(const CardDataStore &cards)
{
    m_cards = &cards;
}

void JournalExporter::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    emit modelContextChanged();
}

QUrl JournalExporter::startFolder() const
{
    return UserFolders::startFolder(QStandardPaths::DocumentsLocation);
}

QUrl JournalExporter::proposedFile(const QUrl &folder) const
{
    const QString base = folder.isLocalFile() ? folder.toLocalFile() : startFolder().toLocalFile();
    return QUrl::fromLocalFile(QDir(base).filePath(suggestedFileName()));
}

void JournalExporter::setPhase(Phase phase)
{
    if (m_phase == phase)
        return;
    m_phase = phase;
    emit phaseChanged();
}

bool JournalExporter::start(Format format)
{
    if (m_phase == ChoosingFile || !m_context)
        return false;
    const QList<JournalEntry *> entries = entriesOldestFirst(*m_context);
    if (entries.isEmpty())
        return false;
    m_document = document(format, entries, *m_cards);
    m_format = format;
    m_failureMessage.clear();
    // The format's name and filters change with the phase; say so even when it was up before.
    m_phase = ChoosingFile;
    emit phaseChanged();
    return true;
}

void JournalExporter::save(const QUrl &file)
{
    if (m_phase != ChoosingFile)
        return;
    const QString document = std::exchange(m_document, QString());
    const QString path = localPath(file);
    if (path.isEmpty()) {
        // A confirmed dialog without a location writes nothing.
        setPhase(Idle);
        return;
    }
    QString error;
    if (!writeAtomically(path, document, &error)) {
        m_failureMessage = tr("“%1” could not be written: %2.").arg(QFileInfo(path).fileName(), error);
        m_savedNotice.dismiss();
        setPhase(WriteFailed);
        return;
    }
    setPhase(Idle);
    // The session bus is only reached for when there is something to show.
    FileRevealer &revealer = m_revealer ? *m_revealer : FileRevealer::system();
    revealer.reveal(path, QFileInfo(path).absolutePath());
    m_savedNotice.show(path);
    emit exported(path);
}

void JournalExporter::cancel()
{
    if (m_phase != ChoosingFile)
        return;
    m_document.clear();
    setPhase(Idle);
}

void JournalExporter::dismissFailure()
{
    if (m_phase != WriteFailed)
        return;
    m_failureMessage.clear();
    setPhase(Idle);
}
