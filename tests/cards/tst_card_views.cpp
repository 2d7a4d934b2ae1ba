#include "AudioManager.h"
#include "CardStyle.h"
#include "CardTestSupport.h"
#include "Palette.h"
#include "ResourceLocation.h"
#include "TarotCard.h"

#include <QImage>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

TarotCard card(const QString &id, Arcana arcana, std::optional<Suit> suit)
{
    TarotCard c;
    c.id = id;
    c.name = QStringLiteral("The Test Card");
    c.arcana = arcana;
    c.suit = suit;
    c.imageName = id;
    return c;
}

// A scene holding one card view; the card is a wands card unless the source sets another.
QByteArray cardScene(const QByteArray &type, const QByteArray &properties)
{
    return "import QtQuick\nimport Quillmoor.Cards\n" + type + " { objectName: \"view\"; x: 40; y: 40; " + properties +
           " }\n";
}

} // namespace

class CardViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareGuiTests();
        AudioManager::chooseMediaBackend();
    }
    void cleanup()
    {
        ResourceLocation::resetRoot();
        AudioManager::shared().setEnabled(false);
    }

    void everySizeHasItsTableValues_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("namePixels");
        QTest::addColumn<double>("symbol");
        QTest::addColumn<double>("backSymbol");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<bool>("marker");
        QTest::newRow("miniature") << int(CardSize::Miniature) << 55.0 << 4.0 << 7 << 10.0 << 10.0 << 1.0 << false;
        QTest::newRow("small") << int(CardSize::Small) << 80.0 << 6.0 << 10 << 14.0 << 10.0 << 4.0 << false;
        QTest::newRow("medium") << int(CardSize::Medium) << 140.0 << 10.0 << 10 << 24.0 << 18.0 << 4.0 << true;
        QTest::newRow("large") << int(CardSize::Large) << 220.0 << 14.0 << 22 << 40.0 << 28.0 << 8.0 << true;
    }
    void everySizeHasItsTableValues()
    {
        QFETCH(int, size);
        QFETCH(double, width);
        QFETCH(double, radius);
        QFETCH(int, namePixels);
        QFETCH(double, symbol);
        QFETCH(double, backSymbol);
        QFETCH(double, spacing);
        QFETCH(bool, marker);
        const CardMetrics m = CardStyle::metrics(size);
        QCOMPARE(m.width, width);
        // 9 : 16, unrounded: large is 391.111…
        QCOMPARE(m.height, width * 16 / 9);
        QCOMPARE(m.cornerRadius, radius);
        QCOMPARE(m.nameFont.pixelSize(), namePixels);
        QCOMPARE(m.symbolSize, symbol);
        QCOMPARE(m.backSymbolSize, backSymbol);
        QCOMPARE(m.faceSpacing, spacing);
        QCOMPARE(m.showsReversedMarker, marker);

        // The views take exactly that footprint.
        for (const QByteArray type : {"TarotCardView", "CardBackView", "CardFlipView"}) {
            Scene scene(cardScene(type, "size: " + QByteArray::number(size)));
            QVERIFY(scene.root);
            QCOMPARE(scene.root->width(), width);
            QCOMPARE(scene.root->height(), width * 16 / 9);
        }
    }

    void drawnFaceShowsTheSuitSymbolInItsColour_data()
    {
        QTest::addColumn<TarotCard>("card");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("palette");
        QTest::newRow("wands") << card("wands_01", Arcana::minor, Suit::wands) << "flame.fill"
                               << "D4582A";
        QTest::newRow("cups") << card("cups_01", Arcana::minor, Suit::cups) << "drop.fill"
                              << "3B7DD8";
        QTest::newRow("swords") << card("swords_01", Arcana::minor, Suit::swords) << "wind"
                                << "8B9DAF";
        QTest::newRow("pentacles") << card("pentacles_01", Arcana::minor, Suit::pentacles) << "leaf.fill"
                                   << "4A8C3F";
        QTest::newRow("major") << card("major_00", Arcana::major, std::nullopt) << "star.fill"
                               << "C4973B";
        QTest::newRow("minor without suit") << card("odd_01", Arcana::minor, std::nullopt) << "star.fill"
                                            << "C4973B";
    }
    void drawnFaceShowsTheSuitSymbolInItsColour()
    {
        QFETCH(TarotCard, card);
        QFETCH(QString, symbol);
        QFETCH(QString, palette);
        Scene scene(cardScene("TarotCardView", "size: CardSize.Large"));
        scene.root->setProperty("card", QVariant::fromValue(card));
        QCoreApplication::processEvents();
        QVERIFY(scene.find(QStringLiteral("drawnFace"))->isVisible());
        QQuickItem *shown = scene.find(QStringLiteral("suitSymbol"));
        QCOMPARE(shown->property("name").toString(), symbol);
        QColor expected = hexColor(palette);
        expected.setAlphaF(0.6f);
        QCOMPARE(shown->property("color").value<QColor>().rgba(), expected.rgba());
        QCOMPARE(scene.find(QStringLiteral("cardName"))->property("text").toString(), card.name);
    }

    void pictureReplacesTheDrawnFaceWhenItExists()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("images"));
        QImage picture(90, 160, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        QVERIFY(picture.save(dir.filePath(QStringLiteral("images/wands_01.jpg"))));
        ResourceLocation::setRoot(dir.path());
        Scene scene(cardScene("TarotCardView", ""));
        scene.root->setProperty("card", QVariant::fromValue(card("wands_01", Arcana::minor, Suit::wands)));
        QCoreApplication::processEvents();
        QVERIFY(scene.find(QStringLiteral("plate"))->property("showsPicture").toBool());
        QVERIFY(!scene.find(QStringLiteral("drawnFace"))->isVisible());
    }

    void reversedMarkerOnlyAtMediumAndLarge_data()
    {
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<double>("turn");
        QTest::newRow("small reversed") << QByteArray("size: CardSize.Small; isReversed: true") << false << 180.0;
        QTest::newRow("medium reversed") << QByteArray("size: CardSize.Medium; isReversed: true") << true << 180.0;
        QTest::newRow("large reversed") << QByteArray("size: CardSize.Large; isReversed: true") << true << 180.0;
        QTest::newRow("medium upright") << QByteArray("size: CardSize.Medium") << false << 0.0;
    }
    void reversedMarkerOnlyAtMediumAndLarge()
    {
        QFETCH(QByteArray, properties);
        QFETCH(bool, marker);
        QFETCH(double, turn);
        Scene scene(cardScene("TarotCardView", properties));
        QCOMPARE(scene.find(QStringLiteral("reversedMarker"))->isVisible(), marker);
        QCOMPARE(scene.find(QStringLiteral("face"))->rotation(), turn);
    }

    void clickOpensTheSheetOnlyWhenTappable_data()
    {
        QTest::addColumn<bool>("tappable");
        QTest::newRow("tappable") << true;
        QTest::newRow("not tappable") << false;
    }
    void clickOpensTheSheetOnlyWhenTappable()
    {
        QFETCH(bool, tappable);
        Scene scene(cardScene("TarotCardView", tappable ? "tappable: true" : "tappable: false"));
        scene.clickOn(scene.root.get());
        QCOMPARE(scene.root->property("showFullScreen").toBool(), tappable);
        QQuickItem *full = nullptr;
        QTRY_VERIFY(!tappable || (full = findItem(scene.window.contentItem(), QStringLiteral("backdrop"))));
        if (!tappable)
            return;
        // A click anywhere on the sheet closes it and clears the flag.
        scene.clickOn(full);
        QTRY_VERIFY(!scene.root->property("showFullScreen").toBool());
    }

    void fullScreenViewClosesOnClickAndEscape()
    {
        Scene scene(cardScene("FullScreenCardView", "width: 500; height: 700"));
        QSignalSpy dismissed(scene.root.get(), SIGNAL(dismissed()));
        // Without a picture the photo symbol stands in, and clicking on it closes too.
        QQuickItem *photo = scene.find(QStringLiteral("photoSymbol"));
        QVERIFY(photo->isVisible());
        QVERIFY(!scene.find(QStringLiteral("picture"))->isVisible());
        scene.clickOn(photo);
        QCOMPARE(dismissed.count(), 1);
        scene.root->forceActiveFocus();
        QTest::keyClick(&scene.window, Qt::Key_Escape);
        QCOMPARE(dismissed.count(), 2);
    }

    // The flip sound belongs to a click that turns the card face up, and only to that.
    void flipSoundsOnlyWhenAClickTurnsTheCardUp()
    {
        AudioManager &audio = AudioManager::shared();
        audio.setEnabled(true);
        QSignalSpy played(&audio, &AudioManager::audioPlayerChanged);
        Scene scene(cardScene("CardFlipView", "size: CardSize.Large"));
        QObject *spring = scene.root->findChild<QObject *>(QStringLiteral("flipSpring"));
        QCOMPARE(spring->property("response").toDouble(), 0.6);
        QCOMPARE(spring->property("damping").toDouble(), 0.8);

        scene.clickOn(scene.root.get());
        QVERIFY(scene.root->property("isFlipped").toBool());
        QCOMPARE(played.count(), 1);
        QVERIFY(audio.audioPlayer()->source().toString().endsWith(QLatin1String("card_flip.mp3")));
        QVERIFY(spring->property("running").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(!spring->property("running").toBool(), 3000);

        // Face up and settled: the face reads left to right, not mirrored by the turn.
        QQuickItem *face = scene.find(QStringLiteral("faceLayer"));
        const QPointF topLeft = face->mapToItem(scene.root.get(), QPointF(0, 0));
        QVERIFY2(std::abs(topLeft.x()) < 0.5 && std::abs(topLeft.y()) < 0.5,
                 qPrintable(QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y())));
        QCOMPARE(face->opacity(), 1.0);
        QCOMPARE(scene.find(QStringLiteral("backLayer"))->opacity(), 0.0);

        scene.clickOn(scene.root.get());
        QVERIFY(!scene.root->property("isFlipped").toBool());
        scene.root->setProperty("isFlipped", true);
        QCOMPARE(played.count(), 1);
    }

    // The view wires the choreography to its caller: the caller's flag is cleared and the
    // completion runs once; a view that goes away mid-way does neither.
    void shuffleViewsReportToTheirCaller_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<bool>("destroyMidway");
        QTest::newRow("pile") << QByteArray("ShuffleAnimationView") << false;
        QTest::newRow("wash") << QByteArray("WashShuffleView") << false;
        QTest::newRow("pile goes away") << QByteArray("ShuffleAnimationView") << true;
        QTest::newRow("wash goes away") << QByteArray("WashShuffleView") << true;
    }
    void shuffleViewsReportToTheirCaller()
    {
        QFETCH(QByteArray, type);
        QFETCH(bool, destroyMidway);
        Scene scene("import QtQuick\nimport Quillmoor.Cards\nItem {\n  id: caller\n"
                    "  property bool shuffling: true\n  property int completions: 0\n"
                    "  property alias viewActive: loader.active\n"
                    "  Loader { id: loader; sourceComponent: " +
                    type +
                    " {\n"
                    "    cardCount: 6; isShuffling: caller.shuffling\n"
                    "    onIsShufflingChanged: caller.shuffling = isShuffling\n"
                    "    onCompleted: caller.completions++ } }\n}\n");
        QVERIFY(scene.root);
        if (destroyMidway) {
            QTest::qWait(600);
            scene.root->setProperty("viewActive", false);
            QTest::qWait(2400);
            QVERIFY(scene.root->property("shuffling").toBool());
            QCOMPARE(scene.root->property("completions").toInt(), 0);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(scene.root->property("completions").toInt(), 1, 4000);
        QVERIFY(!scene.root->property("shuffling").toBool());
    }
};

QTEST_MAIN(CardViewsTest)
#include "tst_card_views.moc"
