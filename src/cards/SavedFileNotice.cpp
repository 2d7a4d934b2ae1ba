#include "SavedFileNotice.h"

#include "FileRevealer.h"

#include <QDir>
#include <QFileInfo>

SavedFileNotice::SavedFileNotice(QObject *parent) : QObject(parent)
{}

void SavedFileNotice::setRevealer(FileRevealer &revealer)
{
    m_revealer = &revealer;
}

void SavedFileNotice::show(const QString &path)
{
    m_path = QFileInfo(path).absoluteFilePath();
    emit changed();
}

void SavedFileNotice::dismiss()
{
    if (m_path.isEmpty())
        return;
    m_path.clear();
    emit changed();
}

void SavedFileNotice::showInFolder()
{
    if (m_path.isEmpty())
        return;
    // The session bus is only reached for when the user asks.
    FileRevealer &revealer = m_revealer ? *m_revealer : FileRevealer::system();
    revealer.reveal(m_path, QFileInfo(m_path).absolutePath());
}

QString SavedFileNotice::message() const
{
    if (m_path.isEmpty())
        return {};
    const QFileInfo file(m_path);
    // The folder as the user knows it: its own name, or the home folder's.
    const QString folder = file.absolutePath() == QDir::homePath() ? tr("your home folder") : file.dir().dirName();
    return tr("Saved “%1” in %2.").arg(file.fileName(), folder.isEmpty() ? file.absolutePath() : folder);
}
