#include "PictureSharer.h"

#include "DateFormat.h"
#include "UserFolders.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QStandardPaths>

PictureSharer::PictureSharer(QObject *parent) : QObject(parent)
{}

namespace {

// Lays out everything below `item` now, deepest first, so positioners and layouts that would
// wait for the next frame report their final size before the picture's size is taken.
void polishTree(QQuickItem *item)
{
    for (QQuickItem *child : item->childItems())
        polishTree(child);
    item->ensurePolished();
}

} // namespace

void PictureSharer::render(QQuickItem *item)
{
    if (!item || !item->window())
        return;
    polishTree(item);
    if (item->width() <= 0 || item->height() <= 0)
        return;
    const QSize target = (item->size() * scale).toSize();
    m_pending = item->grabToImage(target);
    if (!m_pending)
        return;
    connect(m_pending.data(), &QQuickItemGrabResult::ready, this, [this] {
        if (!m_pending)
            return;
        const QImage image = m_pending->image();
        m_pending.reset();
        if (image.isNull())
            return;
        m_picture = image;
        emit pictureChanged();
    });
}

bool PictureSharer::saveTo(const QUrl &file)
{
    if (m_picture.isNull())
        return false;
    const QString path = file.isLocalFile() ? file.toLocalFile() : file.toString();
    if (!m_picture.save(path, "PNG")) {
        setError(tr("The picture could not be saved to %1.").arg(path));
        m_savedNotice.dismiss();
        return false;
    }
    setError(QString());
    m_savedNotice.show(path);
    return true;
}

void PictureSharer::copyToClipboard() const
{
    if (!m_picture.isNull())
        QGuiApplication::clipboard()->setImage(m_picture);
}

QString PictureSharer::suggestedFileName(const TarotCard &card)
{
    return QStringLiteral("Quillmoor-%1.png")
        .arg(card.name.isEmpty() ? QStringLiteral("Card")
                                 : QString(card.name).replace(QLatin1Char(' '), QLatin1Char('-')));
}

QUrl PictureSharer::picturesFolder()
{
    return UserFolders::startFolder(QStandardPaths::PicturesLocation);
}

QStringList PictureSharer::topKeywords(const TarotCard &card, bool isReversed)
{
    return (isReversed ? card.reversedKeywords : card.uprightKeywords).mid(0, 3);
}

QString PictureSharer::headingDate(const QDateTime &date)
{
    return DateFormat::longDate(date.toLocalTime().date());
}

void PictureSharer::setError(const QString &error)
{
    if (m_lastError == error)
        return;
    m_lastError = error;
    emit lastErrorChanged();
}
