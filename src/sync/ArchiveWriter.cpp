#include "ArchiveWriter.h"

#include "AppSettings.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "StoreSchema.h"
#include "UserCardNote.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUuid>

#include <functional>

namespace {

// An instant as the user's clock showed it, with its offset, to the millisecond.
QString isoDate(const QDateTime &when)
{
    if (!when.isValid())
        return {};
    const QDateTime local = when.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

// A record's stored fields under their own names; links to other records are left to the
// owner, which nests what it owns.
QJsonObject fieldsOf(const Record &record)
{
    QJsonObject fields;
    for (const QMetaProperty &property : StoreSchema::storedProperties(*record.metaObject())) {
        if (StoreSchema::linkedType(property))
            continue;
        const QVariant value = property.read(&record);
        const QString name = QString::fromLatin1(property.name());
        const QMetaType type = property.metaType();
        if (type == QMetaType::fromType<bool>())
            fields.insert(name, value.toBool());
        else if (type == QMetaType::fromType<QDateTime>())
            fields.insert(name, value.toDateTime().isValid() ? QJsonValue(isoDate(value.toDateTime())) : QJsonValue());
        else if (type == QMetaType::fromType<QUuid>())
            fields.insert(name, value.toUuid().toString(QUuid::WithoutBraces));
        else
            fields.insert(name, value.toString().isNull() ? QJsonValue() : QJsonValue(value.toString()));
    }
    return fields;
}

template <typename T>
QJsonArray arrayOf(ModelContext &context, const std::function<void(const T &, QJsonObject &)> &more = {})
{
    QJsonArray array;
    for (const T *record : context.fetch<T>()) {
        QJsonObject fields = fieldsOf(*record);
        if (more)
            more(*record, fields);
        array.append(fields);
    }
    return array;
}

} // namespace

QByteArray ArchiveWriter::document(ModelContext &context, const QDateTime &now, QString *error)
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), QLatin1String(formatName));
    root.insert(QStringLiteral("formatVersion"), formatVersion);
    root.insert(QStringLiteral("appVersion"), QStringLiteral(QUILLMOOR_VERSION));
    root.insert(QStringLiteral("exportedAt"), isoDate(now));

    const QList<AppSettings *> settings = context.fetch<AppSettings>();
    root.insert(QStringLiteral("settings"),
                settings.isEmpty() ? QJsonValue() : QJsonValue(fieldsOf(*settings.first())));
    root.insert(QStringLiteral("journalEntries"), arrayOf<JournalEntry>(context));
    root.insert(QStringLiteral("readings"), arrayOf<Reading>(context, [](const Reading &reading, QJsonObject &fields) {
                    QJsonArray cards;
                    for (const DrawnCard *card : reading.drawnCards())
                        cards.append(fieldsOf(*card));
                    fields.insert(QStringLiteral("drawnCards"), cards);
                }));
    root.insert(QStringLiteral("cardNotes"), arrayOf<UserCardNote>(context));

    // A read that failed part-way leaves lists short; such an archive would look complete.
    if (context.isDamaged()) {
        if (error)
            *error = QStringLiteral("The store could not be read whole; nothing was exported.");
        return {};
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool ArchiveWriter::write(ModelContext &context, const QString &path, const QDateTime &now, QString *error)
{
    const QByteArray archive = document(context, now, error);
    if (archive.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(archive) != archive.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
