#include "ArchiveWriter.h"

#include "AppSettings.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "Spread.h"
#include "StoreSchema.h"
#include "UserCardNote.h"

#include <QSaveFile>
#include <QUuid>

#include <functional>

namespace {

// Writes indented JSON straight into bytes: ten years of readings are some 100,000 objects,
// which a tree of QJsonObjects would build, copy and then print again.
class JsonOut
{
public:
    QByteArray bytes;

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    // The name of the next member of the current object.
    void key(const char *name)
    {
        separate();
        bytes += '"';
        bytes += name;
        bytes += "\": ";
        m_afterKey = true;
    }
    void value(const QString &text)
    {
        separate();
        if (text.isNull()) {
            bytes += "null";
            return;
        }
        bytes += '"';
        for (const char c : text.toUtf8()) {
            switch (c) {
            case '"':
                bytes += "\\\"";
                break;
            case '\\':
                bytes += "\\\\";
                break;
            case '\n':
                bytes += "\\n";
                break;
            case '\r':
                bytes += "\\r";
                break;
            case '\t':
                bytes += "\\t";
                break;
            default:
                if (uchar(c) < 0x20)
                    bytes += "\\u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
                else
                    bytes += c; // UTF-8 passes as it is
            }
        }
        bytes += '"';
    }
    void value(bool on)
    {
        separate();
        bytes += on ? "true" : "false";
    }
    void value(int number)
    {
        separate();
        bytes += QByteArray::number(number);
    }
    void null()
    {
        separate();
        bytes += "null";
    }

private:
    void open(char bracket)
    {
        separate();
        bytes += bracket;
        m_empty.append(true);
    }
    void close(char bracket)
    {
        const bool empty = m_empty.takeLast();
        if (!empty)
            newline();
        bytes += bracket;
    }
    // Before a value: a comma after the previous one and a new line, unless it follows its key.
    void separate()
    {
        if (m_afterKey) {
            m_afterKey = false;
            return;
        }
        if (m_empty.isEmpty())
            return;
        if (!m_empty.last())
            bytes += ',';
        m_empty.last() = false;
        newline();
    }
    void newline()
    {
        bytes += '\n';
        bytes += QByteArray(2 * m_empty.size(), ' ');
    }

    QList<bool> m_empty; // per open bracket: nothing in it yet
    bool m_afterKey = false;
};

// An instant as the user's clock showed it, with its offset, to the millisecond.
QString isoDate(const QDateTime &when)
{
    if (!when.isValid())
        return {};
    const QDateTime local = when.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

// The stored fields of one record type, looked up once for all its records.
struct Field
{
    QMetaProperty property;
    QByteArray name;
    enum { Text, Switch, Instant, Identifier } kind;
};

QList<Field> fieldsOf(const QMetaObject &type)
{
    QList<Field> fields;
    for (const QMetaProperty &property : StoreSchema::storedProperties(type)) {
        // Links to other records are left to the owner, which nests what it owns.
        if (StoreSchema::linkedType(property))
            continue;
        const QMetaType meta = property.metaType();
        const auto kind = meta == QMetaType::fromType<bool>()        ? Field::Switch
                          : meta == QMetaType::fromType<QDateTime>() ? Field::Instant
                          : meta == QMetaType::fromType<QUuid>()     ? Field::Identifier
                                                                     : Field::Text;
        fields.append({property, property.name(), kind});
    }
    return fields;
}

// A record's stored fields under their own names, inside an object the caller opened.
void writeFields(JsonOut &json, const QList<Field> &fields, const Record &record)
{
    for (const Field &field : fields) {
        json.key(field.name.constData());
        const QVariant value = field.property.read(&record);
        switch (field.kind) {
        case Field::Switch:
            json.value(value.toBool());
            break;
        case Field::Instant:
            if (value.toDateTime().isValid())
                json.value(isoDate(value.toDateTime()));
            else
                json.null();
            break;
        case Field::Identifier:
            json.value(value.toUuid().toString(QUuid::WithoutBraces));
            break;
        case Field::Text:
            json.value(value.toString());
            break;
        }
    }
}

template <typename T>
void writeList(JsonOut &json, const char *name, ModelContext &context, const std::function<void(const T &)> &more = {})
{
    const QList<Field> fields = fieldsOf(T::staticMetaObject);
    json.key(name);
    json.beginArray();
    for (const T *record : context.fetch<T>()) {
        json.beginObject();
        writeFields(json, fields, *record);
        if (more)
            more(*record);
        json.endObject();
    }
    json.endArray();
}

} // namespace

QByteArray ArchiveWriter::document(ModelContext &context, const QDateTime &now, QString *error)
{
    JsonOut json;
    json.bytes.reserve(1 << 20);
    json.beginObject();
    json.key("format");
    json.value(QString::fromLatin1(formatName));
    json.key("formatVersion");
    json.value(formatVersion);
    json.key("appVersion");
    json.value(QStringLiteral(QUILLMOOR_VERSION));
    json.key("exportedAt");
    json.value(isoDate(now));

    json.key("settings");
    const QList<AppSettings *> settings = context.fetch<AppSettings>();
    if (settings.isEmpty()) {
        json.null();
    } else {
        json.beginObject();
        writeFields(json, fieldsOf(AppSettings::staticMetaObject), *settings.first());
        json.endObject();
    }
    writeList<JournalEntry>(json, "journalEntries", context);
    const QList<Field> cardFields = fieldsOf(DrawnCard::staticMetaObject);
    writeList<Reading>(json, "readings", context, [&json, &cardFields](const Reading &reading) {
        json.key("drawnCards");
        json.beginArray();
        for (const DrawnCard *card : reading.drawnCards()) {
            json.beginObject();
            writeFields(json, cardFields, *card);
            json.endObject();
        }
        json.endArray();
    });
    writeList<UserCardNote>(json, "cardNotes", context);
    writeList<Spread>(json, "spreads", context);
    json.endObject();
    json.bytes += '\n';

    // A read that failed part-way leaves lists short; such an archive would look complete.
    if (context.isDamaged()) {
        if (error)
            *error = QStringLiteral("The store could not be read whole; nothing was exported.");
        return {};
    }
    return json.bytes;
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
