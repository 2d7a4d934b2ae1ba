#pragma once

#include "Scheduler.h"

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QQuickAsyncImageProvider>
#include <QSize>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

// The card pictures (faces and the back) as the views show them. A view asks for a picture by
// an "image://cardpicture/..." URL naming the file, the size it is shown at (the Image's source
// size, which Qt multiplies by the device pixel ratio) and the rounding of its corners. The
// provider decodes it off the GUI thread straight to that size (JPEG decoding scales down as it
// reads), rounds its corners, and keeps it in a cache shared by every view, so flipping,
// paging and a grid of faces do not decode the same picture twice. Nothing is decoded before
// the application's first frame is on screen: the drawn plate shows until then.
namespace CardPictures {

inline constexpr auto providerId = "cardpicture";

// What a picture URL asks for.
struct Request
{
    QString path;
    // Corner radius as a fraction of the picture's width; 0 leaves the corners square.
    double corner = 0;

    bool operator==(const Request &) const = default;
};

// The URL of the picture at `path` (":/..." for the bundle or a local file), or an empty URL
// for an empty path.
QUrl url(const QString &path, double corner = 0);
// The request an image id (the URL without "image://cardpicture/") stands for, or nothing
// for an id this provider did not make.
std::optional<Request> parse(const QString &id);

// The size a picture of `source` size takes when fitted inside `requested` keeping its aspect
// ratio; a missing width or height leaves that side free. Never larger than the source: a
// picture is not blown up beyond its own pixels.
QSize fittedSize(QSize source, QSize requested);

// Reads the picture at `path` fitted inside `requested` with the corners rounded; a null image
// when the file cannot be read.
QImage decode(const Request &request, QSize requested);

} // namespace CardPictures

// Decoded pictures by file, size and corner, up to a budget of bytes; the least recently used
// go first. Safe to use from any thread.
class CardPictureCache
{
public:
    // Enough for every face of the deck at the large size on a standard-density screen.
    static constexpr qsizetype defaultCapacityBytes = 40 * 1024 * 1024;

    static CardPictureCache &shared();

    explicit CardPictureCache(qsizetype capacityBytes = defaultCapacityBytes);

    // The picture from the cache, decoding it on a miss. A picture that cannot be read is not
    // remembered, so a file that appears later is found.
    QImage picture(const CardPictures::Request &request, QSize requested);
    std::optional<QImage> cached(const CardPictures::Request &request, QSize requested) const;

    qsizetype capacityBytes() const;
    void setCapacityBytes(qsizetype bytes);
    qsizetype usedBytes() const;
    int count() const;
    int decodeCount() const;
    void clear();

private:
    static QString key(const CardPictures::Request &request, QSize requested);

    mutable QMutex m_mutex;
    // Costs are in KiB so a few hundred megabytes still fit QCache's int.
    QCache<QString, QImage> m_pictures;
    int m_decodes = 0;
};

// Gives the heap's free pages back to the kernel once pictures stop arriving. Paging through
// faces frees about as much as it keeps (the last page's decode buffers and textures), and the
// allocator holds on to those pages for reuse; after a walk through the deck that is more than
// the next page needs. A second of quiet after the last picture hands them back. Arrivals and
// the release are on the main thread.
class FreedMemoryRelease
{
public:
    static constexpr int quietMs = 1000;

    // `release` does the handing back; it is called once per quiet period.
    FreedMemoryRelease(Scheduler &scheduler, std::function<void()> release);
    FreedMemoryRelease(const FreedMemoryRelease &) = delete;
    FreedMemoryRelease &operator=(const FreedMemoryRelease &) = delete;

    // The process's own: trims the C heap.
    static FreedMemoryRelease &shared();

    // A picture reached a view: the quiet starts again from now.
    void pictureArrived();
    // How many releases have finished, for a benchmark that waits for the settled state.
    int releaseCount() const;

private:
    Scheduler &m_scheduler;
    std::function<void()> m_release;
    // Owns the pending wait, which goes with it; the shared instance outlives the application,
    // so its destruction must not reach into the event loop's timers.
    std::unique_ptr<QObject> m_owner;
    Scheduler::TaskId m_pending = 0;
    int m_releases = 0;
};

// Hands the views their pictures: registered on an engine under CardPictures::providerId.
class CardPictureProvider : public QQuickAsyncImageProvider
{
public:
    // Registers a provider on `engine` unless it already has one.
    static void ensureRegistered(QQmlEngine *engine);

    QQuickImageResponse *requestImageResponse(const QString &id, const QSize &requestedSize) override;
};
