// The card pictures: the shipped files, decoding at the size shown, the shared cache, and the
// views that show a picture or fall back to their drawn forms.
#include "CardDataStore.h"
#include "CardPictures.h"
#include "CardStyle.h"
#include "CardTestSupport.h"
#include "ManualAnimationDriver.h"
#include "ResourceLocation.h"
#include "Scheduler.h"
#include "TarotCard.h"

#include <QAccessible>
#include <QDirIterator>
#include <QImageReader>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace {

QVariant shipped(const char *id)
{
    return QVariant::fromValue(CardDataStore::shared().cardByID(QLatin1String(id)).value());
}

QString pictureStatus(QQuickItem *image)
{
    static const char *names[] = {"null", "ready", "loading", "error"};
    return QString::fromLatin1(names[std::clamp(image->property("status").toInt(), 0, 3)]);
}

// A picture file of `size` filled with one colour.
void writePicture(const QString &path, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkRed);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY(picture.save(path));
}

// How a picture row reads: the share of its pixels without colour (paper, ink and the grey
// edges of letters) and the share of ink alone.
struct RowTone
{
    double neutral = 0;
    double ink = 0;
};

RowTone toneOf(const QImage &picture, int y)
{
    int neutral = 0, ink = 0;
    for (int x = 0; x < picture.width(); ++x) {
        const QColor pixel = picture.pixelColor(x, y);
        const int lightest = std::max({pixel.red(), pixel.green(), pixel.blue()});
        const int darkest = std::min({pixel.red(), pixel.green(), pixel.blue()});
        // Grey or cream paper, black ink and the grey edges of its letters.
        neutral += lightest - darkest < 40 || (darkest > 140 && lightest - darkest < 70);
        ink += lightest < 90;
    }
    return {double(neutral) / picture.width(), double(ink) / picture.width()};
}

// The top row of the caption band along the picture's bottom edge, or -1 when it has none:
// rows up from the bottom without colour, up to the ruled line above the band or to the
// first row with colour, where the painted scene begins.
int captionBandTop(const QImage &picture)
{
    int y = picture.height() - 1;
    for (; y > 0; --y) {
        const RowTone tone = toneOf(picture, y);
        if (tone.neutral < 0.9)
            break;
        if (tone.ink >= 0.8 && picture.height() - y > picture.height() / 25)
            return y;
    }
    return picture.height() - 1 - y >= picture.height() / 25 ? y + 1 : -1;
}

} // namespace

class CardPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }
    void cleanup()
    {
        ResourceLocation::resetRoot();
        CardPictureCache::shared().clear();
    }

    // Every card of the catalogue has its picture, every shipped picture belongs to a card (or
    // is the back), and each one decodes.
    void everyCardHasAShippedPictureThatDecodes()
    {
        const QList<TarotCard> &cards = CardDataStore::shared().allCards();
        QCOMPARE(cards.size(), 78);
        QSet<QString> expected{QStringLiteral("card_back")};
        for (const TarotCard &card : cards) {
            expected.insert(card.imageName);
            QVERIFY2(!CardStyle::faceImage(card).isEmpty(), qPrintable(card.imageName));
        }
        QSet<QString> found;
        QDirIterator it(ResourceLocation::bundleRoot() + QStringLiteral("/pictures"), {QStringLiteral("*.jpg")});
        while (it.hasNext()) {
            const QString path = it.next();
            found.insert(QFileInfo(path).completeBaseName());
            QImageReader reader(path);
            QVERIFY2(reader.size().height() * 9 >= reader.size().width() * 15, qPrintable(path)); // portrait
            // Decoded at a card's small size: the reader still walks the whole file.
            QVERIFY2(!CardPictures::decode({path, 0}, QSize(80, 142)).isNull(), qPrintable(path));
        }
        QCOMPARE(found, expected);
        QVERIFY(QFile::exists(ResourceLocation::bundleRoot() + QStringLiteral("/pictures/LICENSE")));
    }

    // The majors, the aces and the court cards print their name along the bottom edge; the band
    // that hides names in practice covers all of it, and little of the scene above.
    void captionBandHoldsEveryPrintedName()
    {
        int captioned = 0;
        for (const TarotCard &card : CardDataStore::shared().allCards()) {
            const bool printsName = card.arcana == Arcana::major || card.number == 1 || card.number >= 11;
            if (!printsName)
                continue;
            const QString path =
                ResourceLocation::bundleRoot() + QStringLiteral("/pictures/%1.jpg").arg(card.imageName);
            const QImage picture = QImage(path).convertToFormat(QImage::Format_RGB32);
            QVERIFY2(!picture.isNull(), qPrintable(path));
            const double top = double(captionBandTop(picture)) / picture.height();
            QVERIFY2(top > 0, qPrintable(card.name));
            QVERIFY2(top >= CardStyle::captionTop() && top <= CardStyle::captionTop() + 0.04,
                     qPrintable(QStringLiteral("%1: the caption starts at %2").arg(card.name).arg(top)));
            ++captioned;
        }
        QCOMPARE(captioned, 22 + 4 * 5);
    }

    // The cover lies over the caption band of the picture as painted, which is narrower than the
    // card when the shapes differ, and only while asked for.
    void captionCoverLiesOverThePaintedBand()
    {
        Scene scene(cardScene("TarotCardView", "size: CardSize.Large; coversCaption: true"));
        scene.root->setProperty("card", shipped("major_00"));
        QQuickItem *picture = scene.find(QStringLiteral("picture"));
        QTRY_COMPARE(pictureStatus(picture), QStringLiteral("ready"));
        QQuickItem *cover = scene.find(QStringLiteral("captionCover"));
        QVERIFY(cover->isVisible());
        const double paintedWidth = picture->property("paintedWidth").toDouble();
        const double paintedHeight = picture->property("paintedHeight").toDouble();
        const QRectF painted((picture->width() - paintedWidth) / 2, (picture->height() - paintedHeight) / 2,
                             paintedWidth, paintedHeight);
        const QRectF covered = cover->mapRectToItem(picture, QRectF(0, 0, cover->width(), cover->height()));
        QVERIFY2(std::abs(covered.left() - painted.left()) < 0.5 && std::abs(covered.right() - painted.right()) < 0.5,
                 qPrintable(QStringLiteral("%1 %2").arg(covered.left()).arg(covered.right())));
        QVERIFY(std::abs(covered.top() - (painted.top() + paintedHeight * CardStyle::captionTop())) < 0.5);
        QVERIFY(covered.bottom() >= painted.bottom());
        saveScreenshot(&scene.window, QStringLiteral("card-caption-covered"));
        scene.root->setProperty("coversCaption", false);
        QVERIFY(!cover->isVisible());
    }

    void picturesFitInsideWithoutGrowing_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("fitted");
        QTest::newRow("limited by height") << QSize(683, 1200) << QSize(500, 600) << QSize(342, 600);
        QTest::newRow("larger than the file") << QSize(683, 1200) << QSize(1400, 2400) << QSize(683, 1200);
        QTest::newRow("unreadable") << QSize() << QSize(220, 392) << QSize();
    }
    void picturesFitInsideWithoutGrowing()
    {
        QFETCH(QSize, source);
        QFETCH(QSize, requested);
        QFETCH(QSize, fitted);
        QCOMPARE(CardPictures::fittedSize(source, requested), fitted);
    }

    // The rounded corners are in the picture itself: transparent outside, opaque inside.
    void roundedCornersAreCutIntoThePicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("face.png"));
        writePicture(path, QSize(90, 160));
        const QImage rounded = CardPictures::decode({path, 14.0 / 90}, QSize(90, 160));
        QCOMPARE(rounded.size(), QSize(90, 160));
        for (const auto &[x, y, alpha] : {std::tuple{0, 0, 0}, {89, 159, 0}, {45, 0, 255}, {45, 80, 255}})
            QCOMPARE(qAlpha(rounded.pixel(x, y)), alpha);
        const QImage square = CardPictures::decode({path, 0}, QSize(45, 80));
        QCOMPARE(square.size(), QSize(45, 80));
        QCOMPARE(qAlpha(square.pixel(0, 0)), 255);
        QVERIFY(CardPictures::decode({dir.filePath(QStringLiteral("missing.jpg")), 0}, QSize(45, 80)).isNull());
    }

    // A compiled-in picture is read in place and its pages handed back afterwards: decoding it
    // again reads them in again, and either way the picture is the one a copy on disk gives.
    void bundledPicturesDecodeAgainAfterTheirPagesAreReleased()
    {
        const QString bundled = ResourceLocation::bundleRoot() + QStringLiteral("/pictures/card_back.jpg");
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("card_back.jpg"));
        QVERIFY(QFile::copy(bundled, copy));
        for (const double corner : {0.0, 0.06}) {
            const QImage first = CardPictures::decode({bundled, corner}, QSize(220, 391));
            QVERIFY(!first.isNull());
            const QImage again = CardPictures::decode({bundled, corner}, QSize(220, 391));
            QCOMPARE(again, first);
            QCOMPARE(CardPictures::decode({copy, corner}, QSize(220, 391)), first);
        }
    }

    // The heap is trimmed once per pause in the pictures' arrival, a second after the last one,
    // however many came before it; a picture during the pause starts it again.
    void freedMemoryIsHandedBackOncePicturesPause()
    {
        ManualScheduler scheduler;
        int trims = 0;
        FreedMemoryRelease release(scheduler, [&] { ++trims; });
        for (int i = 0; i < 12; ++i) {
            release.pictureArrived();
            scheduler.advance(20);
        }
        scheduler.advance(FreedMemoryRelease::quietMs - 20 - 1);
        QCOMPARE(trims, 0);
        release.pictureArrived(); // the quiet starts over
        scheduler.advance(FreedMemoryRelease::quietMs - 1);
        QCOMPARE(trims, 0);
        scheduler.advance(1);
        QCOMPARE(trims, 1);
        QCOMPARE(release.releaseCount(), 1);
        scheduler.advance(10 * FreedMemoryRelease::quietMs);
        QCOMPARE(trims, 1);
        release.pictureArrived();
        scheduler.advance(FreedMemoryRelease::quietMs);
        QCOMPARE(release.releaseCount(), 2);
    }

    // What a view asks for reaches the provider intact, the way Qt cuts the id out of the URL.
    void pictureUrlsCarryPathAndCorner_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("corner");
        QTest::newRow("bundle") << QStringLiteral(":/bundle/pictures/major_00.jpg") << 14.0 / 220;
        QTest::newRow("square") << QStringLiteral(":/bundle/pictures/card_back.jpg") << 0.0;
        QTest::newRow("local file with odd characters")
            << QStringLiteral("/tmp/a folder/100% #1/cups_03.jpg") << 0.0455;
    }
    void pictureUrlsCarryPathAndCorner()
    {
        QFETCH(QString, path);
        QFETCH(double, corner);
        const QUrl url(CardPictures::url(path, corner).toString());
        QCOMPARE(url.scheme() + url.host(), QStringLiteral("imagecardpicture"));
        const auto request = CardPictures::parse(url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1));
        QVERIFY(request);
        QCOMPARE(request->path, path);
        QVERIFY(std::abs(request->corner - corner) < 1e-4);
        QVERIFY(CardPictures::url(QString()).isEmpty());
        QVERIFY(!CardPictures::parse(QStringLiteral("x.jpg?corner=2")) && !CardPictures::parse(QString()));
    }

    // Pictures are decoded once per size, the least recently used leave first, the budget holds,
    // and a picture that could not be read is tried again later.
    void cacheDecodesOnceAndKeepsToItsBudget()
    {
        QTemporaryDir dir;
        const QSize size(100, 100);
        const QString a = dir.filePath(QStringLiteral("a.png")), b = dir.filePath(QStringLiteral("b.png")),
                      c = dir.filePath(QStringLiteral("c.png")), late = dir.filePath(QStringLiteral("late.png"));
        for (const QString &path : {a, b, c})
            writePicture(path, size);
        CardPictureCache cache(2 * 100 * 100 * 4 + 1024); // room for two

        QVERIFY(!cache.picture({a, 0}, size).isNull());
        QVERIFY(!cache.picture({a, 0}, size).isNull());
        QCOMPARE(cache.decodeCount(), 1);
        QVERIFY(!cache.picture({a, 0.1}, size).isNull()); // other corners: another picture
        QCOMPARE(cache.decodeCount(), 2);
        QVERIFY(!cache.picture({b, 0}, size).isNull()); // the budget pushes the oldest out
        QCOMPARE(cache.count(), 2);
        QVERIFY(cache.usedBytes() <= cache.capacityBytes());
        QVERIFY(!cache.cached({a, 0}, size) && cache.cached({b, 0}, size));
        cache.picture({a, 0.1}, size); // used again: now b is the oldest
        cache.picture({c, 0}, size);
        QVERIFY(cache.cached({a, 0.1}, size) && !cache.cached({b, 0}, size));

        QVERIFY(cache.picture({late, 0}, size).isNull());
        writePicture(late, size);
        QVERIFY(!cache.picture({late, 0}, size).isNull());
    }

    // With its picture the face shows it, decoded at the size shown; the drawn face and its
    // painted plate are gone. The card is named for assistive technology, orientation and all.
    void faceShowsItsPictureAtTheSizeShown_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QSize>("decoded");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("miniature") << int(CardSize::Miniature) << QSize(55, 97) << false;
        QTest::newRow("large, reversed") << int(CardSize::Large) << QSize(220, 387) << true;
    }
    void faceShowsItsPictureAtTheSizeShown()
    {
        QFETCH(int, size);
        QFETCH(QSize, decoded);
        QFETCH(bool, reversed);
        Scene scene(cardScene("TarotCardView",
                              "size: " + QByteArray::number(size) + "; isReversed: " + (reversed ? "true" : "false")));
        scene.root->setProperty("card", shipped("cups_03"));
        QQuickItem *picture = scene.find(QStringLiteral("picture"));
        QTRY_COMPARE(pictureStatus(picture), QStringLiteral("ready"));
        QCOMPARE(picture->property("sourceSize").toSize().width(), qCeil(CardStyle::metrics(size).width));
        QCOMPARE(picture->implicitWidth(), decoded.width() / scene.window.effectiveDevicePixelRatio());
        QCOMPARE(picture->implicitHeight(), decoded.height() / scene.window.effectiveDevicePixelRatio());
        QVERIFY(!scene.find(QStringLiteral("drawnFace"))->isVisible());
        QVERIFY(!scene.find(QStringLiteral("plate")));
        QCOMPARE(QAccessible::queryAccessibleInterface(scene.root.get())->text(QAccessible::Name),
                 reversed ? QStringLiteral("Three of Cups, reversed") : QStringLiteral("Three of Cups"));
    }

    // Decodes run below the drawing threads' priority, yet a processor kept busy on every core
    // by ordinary work (another program, a build) still lets the picture through.
    void aBusyProcessorStillShowsThePicture()
    {
        std::atomic_bool busy = true;
        std::vector<std::thread> spinners;
        for (int i = 0; i < std::max(2, QThread::idealThreadCount()); ++i)
            spinners.emplace_back([&busy] {
                volatile unsigned spin = 0;
                while (busy.load(std::memory_order_relaxed))
                    spin = spin + 1;
            });
        const auto stop = qScopeGuard([&] {
            busy = false;
            for (std::thread &spinner : spinners)
                spinner.join();
        });
        Scene scene(cardScene("TarotCardView", "size: CardSize.Large"));
        scene.root->setProperty("card", shipped("wands_07"));
        QTRY_COMPARE_WITH_TIMEOUT(pictureStatus(scene.find(QStringLiteral("picture"))), QStringLiteral("ready"), 10000);
    }

    // Without a picture, or with one that cannot be read, the drawn face takes its place (the
    // suit symbol and the name on the gradient plate), and the back draws its star.
    void withoutAReadablePictureTheCardIsDrawn_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("broken") << QByteArray("not a picture at all");
    }
    void withoutAReadablePictureTheCardIsDrawn()
    {
        QFETCH(QByteArray, file);
        const QVariant card = shipped("cups_03");
        QTemporaryDir dir;
        for (const char *name : {"pictures/cups_03.jpg", "pictures/card_back.jpg"}) {
            QDir(dir.path()).mkpath(QStringLiteral("pictures"));
            QFile broken(dir.filePath(QLatin1String(name)));
            QVERIFY(file.isNull() || (broken.open(QIODevice::WriteOnly) && broken.write(file) == file.size()));
        }
        ResourceLocation::setRoot(dir.path());
        Scene scene(cardScene("TarotCardView", "size: CardSize.Large"));
        scene.root->setProperty("card", card);
        QQuickItem *picture = scene.find(QStringLiteral("picture"));
        QTRY_VERIFY(pictureStatus(picture) == QStringLiteral("null") ||
                    pictureStatus(picture) == QStringLiteral("error"));
        QVERIFY(scene.find(QStringLiteral("drawnFace"))->isVisible());
        QVERIFY(scene.find(QStringLiteral("plate")));
        QCOMPARE(scene.find(QStringLiteral("cardName"))->property("text").toString(), QStringLiteral("Three of Cups"));
        QCOMPARE(scene.find(QStringLiteral("suitSymbol"))->property("name").toString(), QStringLiteral("drop.fill"));
        Scene back(cardScene("CardBackView", "size: CardSize.Large"));
        QTRY_VERIFY(back.find(QStringLiteral("backStar"))->isVisible());
        QVERIFY(back.find(QStringLiteral("backPlate")));
    }

    // The face is decoded while the card still lies face down, so the turn shows the picture
    // from its first frame rather than an empty plate. Face down the card is not named yet.
    void faceIsReadyBeforeTheCardTurns()
    {
        Scene scene(cardScene("CardFlipView", "size: CardSize.Large"), QSize(340, 500));
        scene.root->setProperty("card", shipped("major_17"));
        QQuickItem *face = scene.find(QStringLiteral("faceLayer"));
        QTRY_COMPARE(pictureStatus(findItem(face, QStringLiteral("picture"))), QStringLiteral("ready"));
        QTRY_COMPARE(pictureStatus(scene.find(QStringLiteral("backPicture"))), QStringLiteral("ready"));
        QVERIFY(!scene.find(QStringLiteral("backStar"))->isVisible());
        saveScreenshot(&scene.window, QStringLiteral("card-back"));
        QAccessibleInterface *named = QAccessible::queryAccessibleInterface(scene.root.get());
        QVERIFY(named->text(QAccessible::Name) != QStringLiteral("The Star"));
        ManualAnimationDriver animation;
        QObject *turn = scene.root->findChild<QObject *>(QStringLiteral("flipSpring"));
        scene.clickOn(scene.root.get());
        QCOMPARE(named->text(QAccessible::Name), QStringLiteral("The Star"));
        // Pictures of the turn on its way, just either side of edge-on, and near its end.
        for (const double at : {0.3, 0.48, 0.52, 0.7}) {
            for (int frame = 0; frame < 200 && turn->property("value").toDouble() < at; ++frame)
                animation.advanceBy(4, 4);
            saveScreenshot(&scene.window, QStringLiteral("flip-turn-%1").arg(qRound(at * 100)));
        }
        animation.advanceBy(3000);
        QVERIFY(!turn->property("running").toBool());
        saveScreenshot(&scene.window, QStringLiteral("flip-turn-done"));
    }

    // The full-screen card shows the picture as large as it can, decoded at that size, upside
    // down for a reversed card.
    void fullScreenCardShowsTheWholePicture()
    {
        Scene scene(cardScene("TarotCardView", "size: CardSize.Large; tappable: true; isReversed: true"),
                    QSize(1000, 800));
        scene.root->setProperty("card", shipped("major_16"));
        QTRY_VERIFY(picturesSettled(scene.root.get()));
        saveScreenshot(&scene.window, QStringLiteral("card-reversed"));
        scene.clickOn(scene.root.get());
        QQuickItem *backdrop = nullptr;
        QTRY_VERIFY((backdrop = findItem(scene.window.contentItem(), QStringLiteral("backdrop"))));
        QQuickItem *view = backdrop->parentItem();
        QQuickItem *picture = findItem(view, QStringLiteral("picture"));
        QTRY_COMPARE(pictureStatus(picture), QStringLiteral("ready"));
        QCOMPARE(QSizeF(view->width(), view->height()), QSizeF(1000, 800));
        // 720 high at most inside the margins: the picture is decoded to that, not to its file.
        QCOMPARE(picture->implicitHeight(), 720.0);
        QCOMPARE(picture->rotation(), 180.0);
        QVERIFY(!findItem(view, QStringLiteral("photoSymbol"))->isVisible());
        saveScreenshot(&scene.window, QStringLiteral("full-screen-card"));
    }
};

QTEST_MAIN(CardPicturesTest)
#include "tst_card_pictures.moc"
