#pragma once

#include "DrawnCard.h"
#include "ModelContext.h"
#include "Reading.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

// Collects the log lines written while it lives, as "category: message".
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(s_previous); }
    const QStringList &lines() const { return s_lines; }

private:
    static void handle(QtMsgType, const QMessageLogContext &context, const QString &message)
    {
        s_lines.append(QString::fromLatin1(context.category ? context.category : "default") + QStringLiteral(": ") +
                       message);
    }
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

// A store in a fresh temporary folder.
struct TempStore
{
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("default.store")); }

    std::unique_ptr<ModelContext> open() const
    {
        QString error;
        auto context = ModelContext::open(path(), &error);
        if (!context)
            qWarning("store did not open: %s", qPrintable(error));
        return context;
    }
};

// One drawn card of a reading a test stores.
struct CardPlan
{
    QString cardId;
    QString positionId;
    bool reversed = false;
};

// A reading inserted into `context` (not saved) with its drawn cards, each inserted and then
// attached as the reading screens do.
inline Reading *addReading(ModelContext &context, const QString &spreadType, const QDateTime &date,
                           bool favorite = false, const QList<CardPlan> &cards = {}, const QString &notes = {})
{
    auto *reading = new Reading(spreadType);
    reading->setDate(date);
    reading->setIsFavorite(favorite);
    if (!notes.isEmpty())
        reading->setNotes(notes);
    context.insert(reading);
    for (const CardPlan &plan : cards) {
        auto *card = new DrawnCard(plan.cardId, plan.positionId, plan.reversed);
        context.insert(card);
        reading->addDrawnCard(card);
    }
    return reading;
}

// The file's contents and modification time (to the nanosecond): equal only if nothing wrote.
inline QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex() + ' ' +
           QByteArray::number(qint64(status.st_mtim.tv_sec)) + '.' + QByteArray::number(qint64(status.st_mtim.tv_nsec));
}
