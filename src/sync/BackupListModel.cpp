#include "BackupListModel.h"

#include "DateFormat.h"

#include <QLocale>

namespace {

QString keptText()
{
    return BackupListModel::tr("A copy of your data is made each day you use Quillmoor Tarot and kept beside it: "
                               "one for each of the last 7 days and the last 4 weeks.");
}

} // namespace

BackupListModel::BackupListModel(QObject *parent) : QAbstractListModel(parent), m_status(keptText())
{}

void BackupListModel::setScheduler(BackupScheduler *scheduler)
{
    if (m_scheduler == scheduler)
        return;
    if (m_scheduler)
        m_scheduler->disconnect(this);
    m_scheduler = scheduler;
    if (scheduler) {
        connect(scheduler, &BackupScheduler::runningChanged, this, &BackupListModel::runningChanged);
        connect(scheduler, &BackupScheduler::finished, this, &BackupListModel::finished);
    }
    emit schedulerChanged();
    emit runningChanged();
    refresh();
}

QString BackupListModel::backUpLabel() const
{
    return running() ? tr("Backing Up…") : tr("Back Up Now");
}

int BackupListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant BackupListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case TitleRole:
        return row.title;
    case DetailRole:
        return row.detail;
    case PathRole:
        return row.path;
    }
    return {};
}

QHash<int, QByteArray> BackupListModel::roleNames() const
{
    return {{TitleRole, "title"}, {DetailRole, "detail"}, {PathRole, "path"}};
}

QString BackupListModel::titleOf(const StoreBackups::Snapshot &snapshot)
{
    const QDateTime local = snapshot.taken.toLocalTime();
    const QString when =
        tr("%1, %2").arg(DateFormat::longDate(local.date()), QLocale().toString(local.time(), QLocale::ShortFormat));
    return snapshot.kind == StoreBackups::Kind::BeforeUpgrade ? tr("%1 (before an update)").arg(when) : when;
}

QString BackupListModel::detailOf(const StoreBackups::Snapshot &snapshot, const StoreBackups::Contents &contents)
{
    const QLocale locale;
    const QString readings =
        contents.readings == 1 ? tr("1 reading") : tr("%1 readings").arg(locale.toString(contents.readings));
    const QString entries = contents.journalEntries == 1
                                ? tr("1 journal entry")
                                : tr("%1 journal entries").arg(locale.toString(contents.journalEntries));
    return tr("%1, %2 · %3")
        .arg(readings, entries, locale.formattedDataSize(snapshot.size, 0, QLocale::DataSizeSIFormat));
}

void BackupListModel::refresh()
{
    QList<Row> rows;
    if (m_scheduler) {
        for (const StoreBackups::Snapshot &snapshot : m_scheduler->backups().list()) {
            QString error;
            const auto contents = StoreBackups::contents(snapshot.path, &error);
            rows.append(
                {titleOf(snapshot), contents ? detailOf(snapshot, *contents) : tr("Cannot be read"), snapshot.path});
        }
    }
    const bool countChanges = rows.size() != m_rows.size();
    beginResetModel();
    m_rows = rows;
    endResetModel();
    if (countChanges)
        emit countChanged();
}

void BackupListModel::backUpNow()
{
    if (m_scheduler && m_scheduler->backUpNow())
        m_askedForOne = true;
}

void BackupListModel::setStatus(const QString &status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged();
}

void BackupListModel::finished(const QString &error)
{
    refresh();
    // Only a snapshot the user asked for reports; the daily one goes quietly unless it failed.
    if (!error.isEmpty())
        setStatus(tr("The last backup could not be made: %1").arg(error));
    else if (m_askedForOne)
        setStatus(tr("Backed up. %1").arg(keptText()));
    m_askedForOne = false;
}
