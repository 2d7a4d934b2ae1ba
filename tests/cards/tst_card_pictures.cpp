// The card pictures: the shipped files, decoding at the size shown, the shared cache, and the
// views that show a picture or fall back to their drawn forms.
#include "CardDataStore.h"
#include "CardPictures.h"
#include "CardStyle.h"
#include "CardTestSupport.h"
#include "ManualAnimationDriver.h"
#include "ResourceLocation.h"
#include "TarotCard.h"

#include <QAccessible>
#include <QDirIterator>
#include <QImageReader>
#include <QTemporaryDir>

namespace {

TarotCard pictured(const QString &imageName, const QString &name = QStringLiteral("The Test Card"))
{
    TarotCard card;
    card.id = imageName;
    card.name = name;
    card.arcana = Arcana::minor;
    card.suit = Suit::cups;
    card.imageName = imageName;
    return card;
}

QByteArray viewScene(const QByteArray &type, const QByteArray &properties)
{
    return "import QtQuick\nimport Quillmoor.Cards\n" + type + " { objectName: \"view\"; x: 40; y: 40; " + properties +
           " }\n";
}

QString pictureStatus(QQuickItem *image)
{
    static const char *names[] = {"null", "ready", "loading", "error"};
    return QString::fromLatin1(names[std::clamp(image->property("status").toInt(), 0, 3)]);
}

// A picture file of `size` filled with one colour.
void writePicture(const QString &path, QSize size, QColor colour = Qt::darkRed)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY(picture.save(path));
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
        QSet<QString> shipped;
        QDirIterator it(ResourceLocation::bundleRoot() + QStringLiteral("/pictures"), {QStringLiteral("*.jpg")});
        while (it.hasNext()) {
            const QString path = it.next();
            shipped.insert(QFileInfo(path).completeBaseName());
            QImageReader reader(path);
            QVERIFY2(reader.size().height() * 9 >= reader.size().width() * 15, qPrintable(path)); // portrait
            // Decoded at a card's small size: the reader still walks the whole file.
            const QImage image = CardPictures::decode({path, 0}, QSize(80, 142));
            QVERIFY2(!image.isNull(), qPrintable(path));
        }
        QCOMPARE(shipped, expected);
        QVERIFY(QFile::exists(ResourceLocation::bundleRoot() + QStringLiteral("/pictures/LICENSE")));
    }

    void picturesFitInsideWithoutGrowing_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("fitted");
        QTest::newRow("card face, large") << QSize(683, 1200) << QSize(220, 392) << QSize(220, 387);
        QTest::newRow("limited by height") << QSize(683, 1200) << QSize(500, 600) << QSize(342, 600);
        QTest::newRow("width only") << QSize(683, 1200) << QSize(341, 0) << QSize(341, 599);
        QTest::newRow("height only") << QSize(683, 1200) << QSize(-1, 300) << QSize(171, 300);
        QTest::newRow("no size asked") << QSize(683, 1200) << QSize() << QSize(683, 1200);
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
        QCOMPARE(qAlpha(rounded.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(rounded.pixel(89, 159)), 0);
        QCOMPARE(qAlpha(rounded.pixel(45, 0)), 255);
        QCOMPARE(qAlpha(rounded.pixel(45, 80)), 255);
        const QImage square = CardPictures::decode({path, 0}, QSize(45, 80));
        QCOMPARE(square.size(), QSize(45, 80));
        QCOMPARE(qAlpha(square.pixel(0, 0)), 255);
        QVERIFY(CardPictures::decode({dir.filePath(QStringLiteral("missing.jpg")), 0}, QSize(45, 80)).isNull());
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
        const QUrl url = CardPictures::url(path, corner);
        QCOMPARE(url.scheme(), QStringLiteral("image"));
        QCOMPARE(url.host(), QStringLiteral("cardpicture"));
        const QString id = QUrl(url.toString()).toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1);
        const std::optional<CardPictures::Request> request = CardPictures::parse(id);
        QVERIFY(request);
        QCOMPARE(request->path, path);
        QVERIFY(std::abs(request->corner - corner) < 1e-4);
        QVERIFY(CardPictures::url(QString()).isEmpty());
        QVERIFY(!CardPictures::parse(QStringLiteral("x.jpg?corner=2")));
        QVERIFY(!CardPictures::parse(QString()));
    }

    // Pictures are decoded once per size, the least recently used leave first, the budget holds,
    // and a picture that could not be read is tried again later.
    void cacheDecodesOnceAndKeepsToItsBudget()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.png"));
        const QString b = dir.filePath(QStringLiteral("b.png"));
        const QString c = dir.filePath(QStringLiteral("c.png"));
        for (const QString &path : {a, b, c})
            writePicture(path, QSize(100, 100));
        const QSize size(100, 100);
        const qsizetype one = 100 * 100 * 4;
        CardPictureCache cache(2 * one + 1024);

        QVERIFY(!cache.picture({a, 0}, size).isNull());
        QVERIFY(!cache.picture({a, 0}, size).isNull());
        QCOMPARE(cache.decodeCount(), 1);
        QVERIFY(!cache.picture({a, 0.1}, size).isNull()); // other corners: another picture
        QCOMPARE(cache.decodeCount(), 2);
        QVERIFY(!cache.picture({b, 0}, size).isNull()); // the budget pushes the oldest out
        QCOMPARE(cache.count(), 2);
        QVERIFY(cache.usedBytes() <= cache.capacityBytes());
        QVERIFY(!cache.cached({a, 0}, size));
        QVERIFY(cache.cached({b, 0}, size));
        cache.picture({a, 0.1}, size); // used again: now b is the oldest
        cache.picture({c, 0}, size);
        QVERIFY(cache.cached({a, 0.1}, size));
        QVERIFY(!cache.cached({b, 0}, size));

        const QString late = dir.filePath(QStringLiteral("late.png"));
        QVERIFY(cache.picture({late, 0}, size).isNull());
        writePicture(late, size);
        QVERIFY(!cache.picture({late, 0}, size).isNull());
    }

    // With its picture the face shows it, decoded at the size shown; the drawn face and its
    // painted plate are gone.
    void faceShowsItsPictureAtTheSizeShown_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("miniature") << int(CardSize::Miniature) << QSize(55, 97);
        QTest::newRow("large") << int(CardSize::Large) << QSize(220, 387);
    }
    void faceShowsItsPictureAtTheSizeShown()
    {
        QFETCH(int, size);
        QFETCH(QSize, decoded);
        Scene scene(viewScene("TarotCardView", "size: " + QByteArray::number(size)));
        scene.root->setProperty("card", QVariant::fromValue(CardDataStore::shared().cardByID("cups_03").value()));
        QQuickItem *picture = scene.find(QStringLiteral("picture"));
        QTRY_COMPARE(pictureStatus(picture), QStringLiteral("ready"));
        QCOMPARE(picture->property("sourceSize").toSize().width(), qCeil(CardStyle::metrics(size).width));
        QCOMPARE(picture->implicitWidth(), decoded.width() / scene.window.effectiveDevicePixelRatio());
        QCOMPARE(picture->implicitHeight(), decoded.height() / scene.window.effectiveDevicePixelRatio());
        QVERIFY(!scene.find(QStringLiteral("drawnFace"))->isVisible());
        QVERIFY(!scene.find(QStringLiteral("plate")));
    }

    // Without a picture, or with one that cannot be read, the drawn face takes its place: the
    // suit symbol and the name on the gradient plate.
    void faceWithoutAReadablePictureIsDrawn_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("broken") << QByteArray("not a picture at all");
    }
    void faceWithoutAReadablePictureIsDrawn()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        if (!file.isNull()) {
            QDir(dir.path()).mkpath(QStringLiteral("pictures"));
            QFile broken(dir.filePath(QStringLiteral("pictures/cups_03.jpg")));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write(file);
        }
        ResourceLocation::setRoot(dir.path());
        Scene scene(viewScene("TarotCardView", "size: CardSize.Large"));
        scene.root->setProperty("card", QVariant::fromValue(pictured("cups_03", "Three of Cups")));
        QQuickItem *picture = scene.find(QStringLiteral("picture"));
        QTRY_VERIFY(pictureStatus(picture) == QStringLiteral("null") ||
                    pictureStatus(picture) == QStringLiteral("error"));
        QVERIFY(scene.find(QStringLiteral("drawnFace"))->isVisible());
        QVERIFY(scene.find(QStringLiteral("plate")));
        QCOMPARE(scene.find(QStringLiteral("cardName"))->property("text").toString(), QStringLiteral("Three of Cups"));
        QCOMPARE(scene.find(QStringLiteral("suitSymbol"))->property("name").toString(), QStringLiteral("drop.fill"));
    }

    void backShowsItsPictureOrTheDrawnStar()
    {
        {
            Scene scene(viewScene("CardBackView", "size: CardSize.Large"));
            QTRY_COMPARE(pictureStatus(scene.find(QStringLiteral("backPicture"))), QStringLiteral("ready"));
            QVERIFY(!scene.find(QStringLiteral("backStar"))->isVisible());
            saveScreenshot(&scene.window, QStringLiteral("card-back"));
        }
        QTemporaryDir empty;
        ResourceLocation::setRoot(empty.path());
        Scene drawn(viewScene("CardBackView", "size: CardSize.Large"));
        QVERIFY(drawn.find(QStringLiteral("backStar"))->isVisible());
        QVERIFY(drawn.find(QStringLiteral("backPlate")));
    }

    void cardsAreNamedForAssistiveTechnology_data()
    {
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("name");
        QTest::newRow("upright") << false << QStringLiteral("Three of Cups");
        QTest::newRow("reversed") << true << QStringLiteral("Three of Cups, reversed");
    }
    void cardsAreNamedForAssistiveTechnology()
    {
        QFETCH(bool, reversed);
        QFETCH(QString, name);
        Scene scene(viewScene("TarotCardView", reversed ? "isReversed: true" : ""));
        scene.root->setProperty("card", QVariant::fromValue(pictured("cups_03", "Three of Cups")));
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(scene.root.get());
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), name);
        // A card being turned over is named once it is face up.
        Scene flip(viewScene("CardFlipView", reversed ? "isReversed: true" : ""));
        flip.root->setProperty("card", QVariant::fromValue(pictured("cups_03", "Three of Cups")));
        QAccessibleInterface *flipped = QAccessible::queryAccessibleInterface(flip.root.get());
        QVERIFY(flipped->text(QAccessible::Name) != name);
        flip.root->setProperty("isFlipped", true);
        QCOMPARE(flipped->text(QAccessible::Name), name);
    }

    // The face is decoded while the card still lies face down, so the turn shows the picture
    // from its first frame rather than an empty plate.
    void faceIsReadyBeforeTheCardTurns()
    {
        Scene scene(viewScene("CardFlipView", "size: CardSize.Large"), QSize(340, 500));
        scene.root->setProperty("card", QVariant::fromValue(CardDataStore::shared().cardByID("major_17").value()));
        QQuickItem *face = scene.find(QStringLiteral("faceLayer"));
        QTRY_COMPARE(pictureStatus(findItem(face, QStringLiteral("picture"))), QStringLiteral("ready"));
        QTRY_VERIFY(picturesSettled(scene.root.get()));
        ManualAnimationDriver animation;
        QObject *turn = scene.root->findChild<QObject *>(QStringLiteral("flipSpring"));
        scene.clickOn(scene.root.get());
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
        Scene scene(viewScene("TarotCardView", "size: CardSize.Large; tappable: true; isReversed: true"),
                    QSize(1000, 800));
        scene.root->setProperty("card", QVariant::fromValue(CardDataStore::shared().cardByID("major_16").value()));
        QTRY_VERIFY(picturesSettled(scene.root.get()));
        saveScreenshot(&scene.window, QStringLiteral("card-reversed"));
        scene.clickOn(scene.root.get());
        QQuickItem *backdrop = nullptr;
        QTRY_VERIFY((backdrop = findItem(scene.window.contentItem(), QStringLiteral("backdrop"))));
        QQuickItem *view = backdrop->parentItem();
        QQuickItem *picture = findItem(view, QStringLiteral("picture"));
        QTRY_COMPARE(pictureStatus(picture), QStringLiteral("ready"));
        QCOMPARE(view->width(), 1000.0);
        QCOMPARE(view->height(), 800.0);
        // 720 high at most inside the margins: the picture is decoded to that, not to its file.
        QCOMPARE(picture->implicitHeight(), 720.0);
        QCOMPARE(picture->rotation(), 180.0);
        QVERIFY(!findItem(view, QStringLiteral("photoSymbol"))->isVisible());
        saveScreenshot(&scene.window, QStringLiteral("full-screen-card"));
    }
};

QTEST_MAIN(CardPicturesTest)
#include "tst_card_pictures.moc"
