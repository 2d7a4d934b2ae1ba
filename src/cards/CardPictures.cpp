#include "CardPictures.h"

#include "ThreadPriority.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QResource>
#include <QScopeGuard>
#include <QThread>
#include <QThreadPool>
#include <QUrlQuery>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

const QString cornerKey = QStringLiteral("corner");

// Decoding runs here, beside the GUI and render threads: one thread less than the machine has,
// so a screen full of faces never takes every core from the frame being drawn. The cache the
// decodes fill is made first, so at exit it outlives the pool, which waits for its last decode.
QThreadPool &decodePool()
{
    struct DecodePool
    {
        DecodePool()
        {
            CardPictureCache::shared();
            pool.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 4));
            // Decoding uses Qt's image plugins, which go when the application object does: finish
            // (or drop) the decodes before that.
            qAddPostRoutine([] {
                decodePool().clear();
                decodePool().waitForDone();
            });
        }
        QThreadPool pool;
    };
    static DecodePool decoding;
    return decoding.pool;
}

void startDecode(std::function<void()> job)
{
    decodePool().start([job = std::move(job)] {
        ThreadPriority::lowerCurrentThread();
        job();
        // The reader's smoothing and the conversions fan out over Qt's own image threads.
        ThreadPriority::lowerPooledThreads();
    });
}

// Pictures wait for the first frame: decoding (and loading the JPEG reader) while a window
// builds its first frame makes that frame later, even from another thread. Until some window
// of the application has presented a frame, decodes queue here; the next frame lets them go.
struct FirstFrameGate
{
    QMutex mutex;
    bool open = false;
    std::vector<std::function<void()>> waiting;
    // Windows whose frames are watched; touched on the GUI thread only.
    QList<QPointer<QQuickWindow>> watched;
};

FirstFrameGate &gate()
{
    static FirstFrameGate instance;
    return instance;
}

void openGate()
{
    std::vector<std::function<void()>> waiting;
    {
        QMutexLocker lock(&gate().mutex);
        if (gate().open)
            return;
        gate().open = true;
        waiting.swap(gate().waiting);
    }
    for (std::function<void()> &job : waiting)
        startDecode(std::move(job));
}

// On the GUI thread: watches every Qt Quick window for its next frame.
void watchWindows()
{
    FirstFrameGate &g = gate();
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        auto *quick = qobject_cast<QQuickWindow *>(window);
        if (!quick || g.watched.contains(quick))
            continue;
        g.watched.append(quick);
        // Emitted on the render thread; openGate() is safe there.
        QObject::connect(quick, &QQuickWindow::frameSwapped, quick, &openGate, Qt::DirectConnection);
        // The frames that were asked for may all be presented already: ask for one more.
        quick->update();
    }
}

void decodeAfterFirstFrame(std::function<void()> job)
{
    {
        QMutexLocker lock(&gate().mutex);
        if (!gate().open) {
            gate().waiting.push_back(std::move(job));
            if (QCoreApplication *app = QCoreApplication::instance())
                QMetaObject::invokeMethod(app, &watchWindows, Qt::QueuedConnection);
            return;
        }
    }
    startDecode(std::move(job));
}

// The compiled-in pictures are read straight from the executable's mapped pages, which then
// count as this process's memory although the decoded picture is what stays in use. Once it is
// decoded, the whole pages of its compressed bytes are handed back to the kernel; they are
// read-only and backed by the file, so a later decode reads them in again.
void releaseCompressedPages(const uchar *data, qint64 size)
{
    static const quintptr page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr begin = (quintptr(data) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(data) + quintptr(size)) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_DONTNEED);
}

qsizetype imageBytes(const QImage &image)
{
    return image.sizeInBytes();
}

} // namespace

namespace CardPictures {

QUrl url(const QString &path, double corner)
{
    if (path.isEmpty())
        return {};
    QUrl result;
    result.setScheme(QStringLiteral("image"));
    result.setHost(QString::fromLatin1(providerId));
    result.setPath(u'/' + path);
    if (corner > 0) {
        QUrlQuery query;
        query.addQueryItem(cornerKey, QString::number(corner, 'f', 4));
        result.setQuery(query);
    }
    return result;
}

std::optional<Request> parse(const QString &id)
{
    const qsizetype queryStart = id.lastIndexOf(u'?');
    Request request;
    request.path = QUrl::fromPercentEncoding(id.left(queryStart < 0 ? id.size() : queryStart).toUtf8());
    if (request.path.isEmpty())
        return std::nullopt;
    if (queryStart >= 0) {
        const QUrlQuery query(id.mid(queryStart + 1));
        bool ok = false;
        const double corner = query.queryItemValue(cornerKey).toDouble(&ok);
        if (!ok || corner < 0 || corner > 0.5)
            return std::nullopt;
        request.corner = corner;
    }
    return request;
}

QSize fittedSize(QSize source, QSize requested)
{
    if (source.isEmpty())
        return {};
    const bool width = requested.width() > 0;
    const bool height = requested.height() > 0;
    QSizeF fitted = source.toSizeF();
    if (width && height)
        fitted = fitted.scaled(requested.toSizeF(), Qt::KeepAspectRatio);
    else if (width)
        fitted = QSizeF(requested.width(), fitted.height() * requested.width() / fitted.width());
    else if (height)
        fitted = QSizeF(fitted.width() * requested.height() / fitted.height(), requested.height());
    if (fitted.width() > source.width() || fitted.height() > source.height())
        return source;
    return QSize(std::max(1, qRound(fitted.width())), std::max(1, qRound(fitted.height())));
}

QImage decode(const Request &request, QSize requested)
{
    // A picture compiled in uncompressed is read in place, without a copy of its bytes.
    const QResource resource(request.path);
    const bool inPlace = resource.isValid() && resource.data() && resource.size() > 0 &&
                         resource.compressionAlgorithm() == QResource::NoCompression;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageReader reader;
    if (inPlace) {
        bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size());
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    } else {
        reader.setFileName(request.path);
    }
    const auto released = qScopeGuard([&] {
        if (inPlace)
            releaseCompressedPages(resource.data(), resource.size());
    });
    const QSize source = reader.size();
    const QSize target = fittedSize(source, requested);
    if (target.isEmpty())
        return {};
    // The JPEG reader decodes straight to a fraction of the full size and smooths the rest.
    if (target != source)
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (request.corner <= 0)
        return image.convertToFormat(QImage::Format_RGB32);

    // Rounded corners are part of the picture, so a plain Image item can show it.
    QImage rounded(target, QImage::Format_ARGB32_Premultiplied);
    rounded.fill(Qt::transparent);
    QPainter painter(&rounded);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(image));
    const double radius = request.corner * target.width();
    painter.drawRoundedRect(QRectF(QPointF(0, 0), target.toSizeF()), radius, radius);
    painter.end();
    return rounded;
}

} // namespace CardPictures

CardPictureCache &CardPictureCache::shared()
{
    static CardPictureCache cache;
    return cache;
}

CardPictureCache::CardPictureCache(qsizetype capacityBytes)
{
    setCapacityBytes(capacityBytes);
}

QString CardPictureCache::key(const CardPictures::Request &request, QSize requested)
{
    return QStringLiteral("%1|%2x%3|%4")
        .arg(request.path)
        .arg(requested.width())
        .arg(requested.height())
        .arg(request.corner, 0, 'f', 4);
}

QImage CardPictureCache::picture(const CardPictures::Request &request, QSize requested)
{
    if (std::optional<QImage> hit = cached(request, requested))
        return *hit;
    // Decoded outside the lock: two threads asking for one new picture at once both decode it,
    // which is rare and cheaper than making every other picture wait.
    QImage image = CardPictures::decode(request, requested);
    QMutexLocker lock(&m_mutex);
    ++m_decodes;
    if (!image.isNull()) {
        const int cost = int(std::max<qsizetype>(1, imageBytes(image) / 1024));
        m_pictures.insert(key(request, requested), new QImage(image), cost);
    }
    return image;
}

std::optional<QImage> CardPictureCache::cached(const CardPictures::Request &request, QSize requested) const
{
    QMutexLocker lock(&m_mutex);
    if (const QImage *image = m_pictures.object(key(request, requested)))
        return *image;
    return std::nullopt;
}

qsizetype CardPictureCache::capacityBytes() const
{
    QMutexLocker lock(&m_mutex);
    return qsizetype(m_pictures.maxCost()) * 1024;
}

void CardPictureCache::setCapacityBytes(qsizetype bytes)
{
    QMutexLocker lock(&m_mutex);
    m_pictures.setMaxCost(int(std::clamp<qsizetype>(bytes / 1024, 0, std::numeric_limits<int>::max())));
}

qsizetype CardPictureCache::usedBytes() const
{
    QMutexLocker lock(&m_mutex);
    return qsizetype(m_pictures.totalCost()) * 1024;
}

int CardPictureCache::count() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_pictures.count());
}

int CardPictureCache::decodeCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_decodes;
}

void CardPictureCache::clear()
{
    QMutexLocker lock(&m_mutex);
    m_pictures.clear();
    m_decodes = 0;
}

FreedMemoryRelease::FreedMemoryRelease(Scheduler &scheduler, std::function<void()> release)
    : m_scheduler(scheduler), m_release(std::move(release)), m_owner(std::make_unique<QObject>())
{}

FreedMemoryRelease &FreedMemoryRelease::shared()
{
    // A trim takes about a millisecond, the event loop is quiet by then, and the scene is drawn
    // on its own thread, so it runs right here.
    static FreedMemoryRelease release(Scheduler::system(), [] {
#ifdef __GLIBC__
        malloc_trim(0);
#endif
    });
    return release;
}

void FreedMemoryRelease::pictureArrived()
{
    m_scheduler.cancel(m_pending);
    m_pending = m_scheduler.schedule(quietMs, m_owner.get(), [this] {
        m_pending = 0;
        m_release();
        ++m_releases;
    });
}

int FreedMemoryRelease::releaseCount() const
{
    return m_releases;
}

namespace {

// Hands a picture to the scene graph as a texture of its own. Qt's default packs pictures this
// size into shared atlas textures of 2048 × 2048, which stay allocated once pages of different
// faces have passed through them.
class PictureTexture : public QQuickTextureFactory
{
public:
    explicit PictureTexture(const QImage &image) : m_image(image) {}

    QSGTexture *createTexture(QQuickWindow *window) const override { return window->createTextureFromImage(m_image); }
    QSize textureSize() const override { return m_image.size(); }
    int textureByteCount() const override { return int(m_image.sizeInBytes()); }
    QImage image() const override { return m_image; }

private:
    QImage m_image;
};

// One picture on its way to an Image. The decode runs in the pool; the answer comes back to the
// response's own thread (the engine's image reader) by a queued call, which Qt drops if the
// reader has deleted the response in the meantime.
class PictureResponse : public QQuickImageResponse
{
public:
    PictureResponse(const CardPictures::Request &request, QSize requested) : m_link(std::make_shared<Link>())
    {
        m_link->response = this;
        std::shared_ptr<Link> link = m_link;
        decodeAfterFirstFrame([link, request, requested] {
            QImage image;
            if (!link->cancelled)
                image = CardPictureCache::shared().picture(request, requested);
            QMutexLocker lock(&link->mutex);
            if (PictureResponse *response = link->response)
                QMetaObject::invokeMethod(
                    response, [response, image] { response->finish(image); }, Qt::QueuedConnection);
        });
    }

    ~PictureResponse() override
    {
        QMutexLocker lock(&m_link->mutex);
        m_link->response = nullptr;
    }

    QQuickTextureFactory *textureFactory() const override
    {
        return m_image.isNull() ? nullptr : new PictureTexture(m_image);
    }
    QString errorString() const override { return m_error; }
    void cancel() override { m_link->cancelled = true; }

private:
    struct Link
    {
        QMutex mutex;
        PictureResponse *response = nullptr;
        std::atomic_bool cancelled = false;
    };

    void finish(const QImage &image)
    {
        m_image = image;
        if (image.isNull())
            m_error = QStringLiteral("The picture could not be read.");
        emit finished();
        if (QCoreApplication *app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app, [] { FreedMemoryRelease::shared().pictureArrived(); }, Qt::QueuedConnection);
    }

    std::shared_ptr<Link> m_link;
    QImage m_image;
    QString m_error;
};

// Answers a request it cannot serve at once, from the reader's thread.
class FailedResponse : public QQuickImageResponse
{
public:
    FailedResponse() { QMetaObject::invokeMethod(this, &QQuickImageResponse::finished, Qt::QueuedConnection); }
    QQuickTextureFactory *textureFactory() const override { return nullptr; }
    QString errorString() const override { return QStringLiteral("Not a card picture."); }
};

} // namespace

void CardPictureProvider::ensureRegistered(QQmlEngine *engine)
{
    if (engine && !engine->imageProvider(QString::fromLatin1(CardPictures::providerId)))
        engine->addImageProvider(QString::fromLatin1(CardPictures::providerId), new CardPictureProvider);
}

QQuickImageResponse *CardPictureProvider::requestImageResponse(const QString &id, const QSize &requestedSize)
{
    const std::optional<CardPictures::Request> request = CardPictures::parse(id);
    if (!request)
        return new FailedResponse;
    return new PictureResponse(*request, requestedSize);
}
