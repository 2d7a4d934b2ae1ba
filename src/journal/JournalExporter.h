#pragma once

#include "JournalEntry.h"
#include "ModelContext.h"
#include "SavedFileNotice.h"

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class CardDataStore;
class FileRevealer;

// Writes every journal entry to one file in plain text, Markdown or CSV. The flow: start()
// builds the document and asks for a destination (the screen shows the save dialog while the
// phase is ChoosingFile); save() writes it atomically and reveals the file, or reports that it
// could not be written; cancel() drops it.
class JournalExporter : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(Phase phase READ phase NOTIFY phaseChanged)
    Q_PROPERTY(Format format READ format NOTIFY phaseChanged)
    Q_PROPERTY(QString suggestedFileName READ suggestedFileName NOTIFY phaseChanged)
    Q_PROPERTY(QStringList nameFilters READ nameFilters NOTIFY phaseChanged)
    Q_PROPERTY(QString fileExtension READ fileExtension NOTIFY phaseChanged)
    Q_PROPERTY(QUrl startFolder READ startFolder CONSTANT)
    Q_PROPERTY(QString failureMessage READ failureMessage NOTIFY phaseChanged)
    Q_PROPERTY(SavedFileNotice *savedNotice READ savedNotice CONSTANT)

public:
    enum Format { Text, Markdown, Csv };
    Q_ENUM(Format)
    enum Phase {
        Idle,         // nothing under way
        ChoosingFile, // the document is built; the save dialog is up
        WriteFailed,  // the chosen file could not be written; the message is shown
    };
    Q_ENUM(Phase)

    explicit JournalExporter(QObject *parent = nullptr);
    ~JournalExporter() override;

    static QString fileExtension(Format format);
    static QString suggestedFileName(Format format);
    // What the save dialog offers: the format's content type as one name filter.
    static QStringList nameFilters(Format format);
    // Every entry of the context, oldest first.
    static QList<JournalEntry *> entriesOldestFirst(ModelContext &context);
    // The whole document for `entries` (oldest first), dates in the long style of `locale`.
    static QString document(Format format, const QList<JournalEntry *> &entries, const CardDataStore &cards,
                            const QLocale &locale = QLocale());
    // Replaces `path` with `text` in UTF-8 in one step: either the whole text is there or the
    // old file (or none) is. Explains a failure in `error`.
    static bool writeAtomically(const QString &path, const QString &text, QString *error = nullptr);

    // Where the file is shown after writing, and where card names come from; both must outlive
    // the exporter. The system's file manager and the shared catalogue unless a test says otherwise.
    void setRevealer(FileRevealer &revealer);
    void setCardStore(const CardDataStore &cards);

    // The user chose a format in the export menu. Returns false, and shows nothing, when there
    // is no entry to export.
    Q_INVOKABLE bool start(JournalExporter::Format format);
    // The user confirmed the save dialog with `file`.
    Q_INVOKABLE void save(const QUrl &file);
    // The user cancelled the save dialog.
    Q_INVOKABLE void cancel();
    // The user closed the failure message.
    Q_INVOKABLE void dismissFailure();

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    // Confirms a written file, with a way to show it again in the file manager.
    SavedFileNotice *savedNotice() { return &m_savedNotice; }
    Phase phase() const { return m_phase; }
    Format format() const { return m_format; }
    QString suggestedFileName() const { return suggestedFileName(m_format); }
    QStringList nameFilters() const { return nameFilters(m_format); }
    QString fileExtension() const { return fileExtension(m_format); }
    // The folder the save dialog opens in: the user's documents, else home.
    QUrl startFolder() const;
    // The suggested file inside `folder`, for the dialog to preselect.
    Q_INVOKABLE QUrl proposedFile(const QUrl &folder) const;
    QString failureMessage() const { return m_failureMessage; }
    // The document waiting for its destination while the dialog is up.
    const QString &pendingDocument() const { return m_document; }

signals:
    void modelContextChanged();
    void phaseChanged();
    // The file was written and handed to the file manager.
    void exported(const QString &path);

private:
    void setPhase(Phase phase);

    QPointer<ModelContext> m_context;
    FileRevealer *m_revealer = nullptr; // the system's when not set
    SavedFileNotice m_savedNotice;
    const CardDataStore *m_cards = nullptr;
    Phase m_phase = Idle;
    Format m_format = Text;
    QString m_document;
    QString m_failureMessage;
};
