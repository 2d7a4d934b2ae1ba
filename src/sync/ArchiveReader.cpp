#include "ArchiveReader.h"

#include "LookBack.h"

#include "AppSettings.h"
#include "ArchiveWriter.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "PerceivedText.h"
#include "Reading.h"
#include "Spread.h"
#include "StoreSchema.h"
#include "UserCardNote.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QUuid>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Thrown out of the checks with the sentence for the user; caught once, in parse().
struct Refusal
{
    QString why;
};

[[noreturn]] void refuse(const QString &why)
{
    throw Refusal{why};
}

// Card, position and spread names: lower-case words joined by underscores ("cups_03", "past").
// A name this version does not know is kept, as the writer keeps it.
bool isName(const QString &text)
{
    static const QRegularExpression pattern(u"^[a-z][a-z0-9_]{0,63}$"_s);
    return pattern.match(text).hasMatch();
}

// The fields whose values are names rather than free text, and whether they may be empty.
struct NameField
{
    const char *name;
    bool mayBeEmpty;
};
constexpr NameField nameFields[] = {
    {"cardId", false}, {"positionId", false}, {"spreadType", false}, {"dailyCardId", true}, {"origin", true},
};

// Fields the first format did not have: an archive of that format has none of them, and each
// reads as empty.
constexpr const char *laterFields[] = {"question", "origin", "outcome", "lookBackOn", "spreadLayout"};

bool isLaterField(const QString &name)
{
    return std::any_of(std::begin(laterFields), std::end(laterFields),
                       [&name](const char *field) { return name == QLatin1String(field); });
}

QDateTime instant(const QString &text, const QString &where)
{
    // The offset must be written: without it the instant would depend on this computer's zone.
    static const QRegularExpression withOffset(
        u"^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}(\\.\\d{1,3})?(Z|[+-]\\d{2}:\\d{2})$"_s);
    const QDateTime when = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!withOffset.match(text).hasMatch() || !when.isValid())
        refuse(u"%1 is not a date and time with its offset (\"%2\")."_s.arg(where, text.left(40)));
    return when;
}

// Fills `record`'s stored fields from `object`, checking each. Every field the format lists is
// required; fields it does not list are ignored.
void readFields(const QJsonObject &object, Record *record, const QString &where, QSet<QUuid> &ids)
{
    for (const QMetaProperty &property : StoreSchema::storedProperties(*record->metaObject())) {
        if (StoreSchema::linkedType(property))
            continue;
        const QString name = QString::fromLatin1(property.name());
        // Named only in a refusal: building it for every field of every record is wasted work.
        const auto at = [&where, &name] { return where + u'.' + name; };
        const auto found = object.constFind(name);
        if (found == object.constEnd()) {
            if (!isLaterField(name))
                refuse(u"%1 is missing."_s.arg(at()));
            property.write(record, QString());
            continue;
        }
        const QJsonValue value = *found;
        const QMetaType type = property.metaType();
        QVariant stored;
        if (type == QMetaType::fromType<bool>()) {
            if (!value.isBool())
                refuse(u"%1 must be true or false."_s.arg(at()));
            stored = value.toBool();
        } else if (type == QMetaType::fromType<QDateTime>()) {
            if (value.isNull())
                stored = QDateTime();
            else if (value.isString())
                stored = instant(value.toString(), at());
            else
                refuse(u"%1 must be a date and time, or null."_s.arg(at()));
        } else if (type == QMetaType::fromType<QUuid>()) {
            const QUuid id = value.isString() ? QUuid::fromString(value.toString()) : QUuid();
            if (id.isNull())
                refuse(u"%1 is not an identifier."_s.arg(at()));
            if (ids.contains(id))
                refuse(u"%1 repeats the identifier %2 of an earlier record."_s.arg(at(), value.toString()));
            ids.insert(id);
            stored = id;
        } else {
            if (!value.isString() && !value.isNull())
                refuse(u"%1 must be a text, or null."_s.arg(at()));
            const QString text = value.isNull() ? QString() : value.toString();
            for (const NameField &field : nameFields) {
                if (name != QLatin1String(field.name))
                    continue;
                if (!(field.mayBeEmpty && text.isEmpty()) && !isName(text))
                    refuse(u"%1 is not a card, position or spread name (\"%2\")."_s.arg(at(), text.left(40)));
            }
            if (name == QLatin1String("lookBackOn") && !text.isEmpty() && !LookBack::fromStored(text).isValid())
                refuse(u"%1 is not a day written as yyyy-MM-dd (\"%2\")."_s.arg(at(), text.left(40)));
            // Counting user-perceived characters is slow; a text of fewer code units than the
            // limit cannot have more characters.
            if (text.size() > ArchiveReader::maxTextLength &&
                PerceivedText::length(text) > ArchiveReader::maxTextLength)
                refuse(u"%1 is longer than %2 characters."_s.arg(
                    at(), QLocale(QLocale::English).toString(ArchiveReader::maxTextLength)));
            stored = text;
        }
        property.write(record, stored);
    }
}

QJsonArray listOf(const QJsonObject &archive, const char *name)
{
    const QJsonValue value = archive.value(QLatin1String(name));
    if (!value.isArray())
        refuse(u"The archive has no list \"%1\"."_s.arg(QLatin1String(name)));
    return value.toArray();
}

QJsonObject objectAt(const QJsonArray &list, qsizetype index, const QString &where)
{
    if (!list.at(index).isObject())
        refuse(u"%1 is not a record."_s.arg(where));
    return list.at(index).toObject();
}

template <typename T> T *make(QObject *holder)
{
    auto *record = static_cast<T *>(StoreSchema::typeFor(&T::staticMetaObject)->create());
    record->setParent(holder);
    return record;
}

template <typename T>
QList<T *> readList(const QJsonObject &archive, const char *name, QObject *holder, QSet<QUuid> &ids,
                    const std::function<void(const QJsonObject &, T *, const QString &)> &more = {})
{
    const QJsonArray list = listOf(archive, name);
    QList<T *> records;
    records.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where = u"%1[%2]"_s.arg(QLatin1String(name)).arg(i);
        const QJsonObject object = objectAt(list, i, where);
        T *record = make<T>(holder);
        readFields(object, record, where, ids);
        if (more)
            more(object, record, where);
        records.append(record);
    }
    return records;
}

// Where a JSON parser stopped, as the line a text editor would show.
int lineAt(const QByteArray &bytes, int offset)
{
    return int(bytes.left(offset).count('\n')) + 1;
}

} // namespace

std::unique_ptr<ArchiveReader::Contents> ArchiveReader::parse(const QByteArray &bytes, QString *error)
{
    const QByteArray trimmed = bytes.trimmed();
    if (trimmed.isEmpty() || trimmed.front() != '{') {
        *error = u"The file is not an archive of Quillmoor Tarot: it is not a JSON document."_s;
        return nullptr;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const int trailing = int(bytes.size() - bytes.lastIndexOf(trimmed.back()) - 1);
        *error = parseError.offset >= bytes.size() - trailing - 1
                     ? u"The archive ends early: the file was cut short, perhaps while it was copied."_s
                     : u"The file is not valid JSON (line %1: %2)."_s.arg(lineAt(bytes, parseError.offset))
                           .arg(parseError.errorString());
        return nullptr;
    }
    const QJsonObject archive = document.object();
    if (archive.value(u"format"_s).toString() != QLatin1String(ArchiveWriter::formatName)) {
        *error = u"The file is JSON but not an archive of Quillmoor Tarot."_s;
        return nullptr;
    }
    const QJsonValue version = archive.value(u"formatVersion"_s);
    // Any whole number counts, however large: a far newer format is still a newer format.
    const double number = version.toDouble();
    if (!version.isDouble() || !(number >= 1 && number < 1e15) || number != std::floor(number)) {
        *error = u"The archive does not say which version of the format it is."_s;
        return nullptr;
    }
    if (number > ArchiveWriter::formatVersion) {
        *error = u"The archive was written by a newer version of Quillmoor Tarot (format %1; this version reads "
                 u"format %2). Update Quillmoor Tarot to import it."_s.arg(qint64(number))
                     .arg(ArchiveWriter::formatVersion);
        return nullptr;
    }

    auto contents = std::make_unique<Contents>();
    QObject *holder = contents->holder.get();
    QSet<QUuid> ids;
    try {
        const QJsonValue settings = archive.value(u"settings"_s);
        if (settings.isObject()) {
            contents->settings = make<AppSettings>(holder);
            readFields(settings.toObject(), contents->settings, u"settings"_s, ids);
        } else if (!settings.isNull()) {
            refuse(u"The archive's settings are neither a record nor null."_s);
        }
        contents->journalEntries = readList<JournalEntry>(archive, "journalEntries", holder, ids);
        contents->readings =
            readList<Reading>(archive, "readings", holder, ids,
                              [holder, &ids](const QJsonObject &object, Reading *reading, const QString &where) {
                                  const QString at = where + u".drawnCards"_s;
                                  const QJsonValue cards = object.value(u"drawnCards"_s);
                                  if (!cards.isArray())
                                      refuse(u"%1 is missing."_s.arg(at));
                                  const QJsonArray list = cards.toArray();
                                  for (qsizetype i = 0; i < list.size(); ++i) {
                                      const QString cardAt = u"%1[%2]"_s.arg(at).arg(i);
                                      auto *card = make<DrawnCard>(holder);
                                      readFields(objectAt(list, i, cardAt), card, cardAt, ids);
                                      reading->addDrawnCard(card);
                                  }
                              });
        contents->cardNotes = readList<UserCardNote>(archive, "cardNotes", holder, ids);
        if (archive.contains(u"spreads"_s))
            contents->spreads = readList<Spread>(archive, "spreads", holder, ids);
    } catch (const Refusal &refusal) {
        *error = u"The archive cannot be imported: %1"_s.arg(refusal.why);
        return nullptr;
    }
    return contents;
}

std::unique_ptr<ArchiveReader::Contents> ArchiveReader::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = u"%1 could not be read: %2"_s.arg(path, file.errorString());
        return nullptr;
    }
    if (file.size() > maxFileBytes) {
        *error = u"%1 is too large to be an archive of Quillmoor Tarot (%2; archives are at most %3)."_s.arg(
            path, QLocale(QLocale::English).formattedDataSize(file.size()),
            QLocale(QLocale::English).formattedDataSize(maxFileBytes));
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        *error = u"%1 could not be read whole: %2"_s.arg(path, file.errorString());
        return nullptr;
    }
    return parse(bytes, error);
}
