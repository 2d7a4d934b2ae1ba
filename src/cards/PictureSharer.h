#pragma once

#include "SavedFileNotice.h"
#include "TarotCard.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QQuickItem;
class QQuickItemGrabResult;

// Renders an item off screen into a picture at three pixels per point and hands it on: saved
// as a PNG where the user chooses, or copied to the clipboard.
class PictureSharer : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasPicture READ hasPicture NOTIFY pictureChanged)
    Q_PROPERTY(QString lastError READ lastError NOTIFY lastErrorChanged)
    Q_PROPERTY(int pixelsPerPoint READ pixelsPerPoint CONSTANT)
    Q_PROPERTY(SavedFileNotice *savedNotice READ savedNotice CONSTANT)

public:
    static constexpr int scale = 3;

    explicit PictureSharer(QObject *parent = nullptr);

    // Starts rendering `item`; pictureChanged follows when the picture is ready. Nothing happens
    // when the item cannot be rendered (no window, no size).
    Q_INVOKABLE void render(QQuickItem *item);
    // Writes the picture as a PNG and confirms it with the saved notice.
    Q_INVOKABLE bool saveTo(const QUrl &file);
    Q_INVOKABLE void copyToClipboard() const;
    // A file name to offer in the save dialog.
    Q_INVOKABLE static QString suggestedFileName(const TarotCard &card);
    // Where the save dialog starts: the user's Pictures folder, or the home folder when there is
    // none.
    Q_INVOKABLE static QUrl picturesFolder();

    // The share picture's texts: the first three keywords of the card's orientation and the date.
    Q_INVOKABLE static QStringList topKeywords(const TarotCard &card, bool isReversed);
    Q_INVOKABLE static QString headingDate(const QDateTime &date);

    int pixelsPerPoint() const { return scale; }
    bool hasPicture() const { return !m_picture.isNull(); }
    const QImage &picture() const { return m_picture; }
    QString lastError() const { return m_lastError; }
    SavedFileNotice *savedNotice() { return &m_savedNotice; }

signals:
    void pictureChanged();
    void lastErrorChanged();

private:
    void setError(const QString &error);

    QImage m_picture;
    QString m_lastError;
    SavedFileNotice m_savedNotice;
    QSharedPointer<QQuickItemGrabResult> m_pending;
};
