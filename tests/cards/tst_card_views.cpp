#include "CardStyle.h"
#include "CardTestSupport.h"
#include "FocusScroller.h"
#include "ManualAnimationDriver.h"
#include "Palette.h"
#include "ResourceLocation.h"
#include "SoundCues.h"
#include "TarotCard.h"

#include <QImage>
#include <QMatrix4x4>
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
    void initTestCase() { prepareGuiTests(); }
    void cleanup() { ResourceLocation::resetRoot(); }

    // Every view of a card takes the 9 : 16 footprint of its size, unrounded.
    void viewsTakeTheFootprintOfTheirSize()
    {
        for (int size : {int(CardSize::Miniature), int(CardSize::Large)}) {
            const double width = CardStyle::metrics(size).width;
            for (const QByteArray type : {"TarotCardView", "CardBackView", "CardFlipView"}) {
                Scene scene(cardScene(type, "size: " + QByteArray::number(size)));
                QVERIFY(scene.root);
                QCOMPARE(scene.root->width(), width);
                QCOMPARE(scene.root->height(), width * 16 / 9);
            }
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
        QTemporaryDir withoutPictures;
        ResourceLocation::setRoot(withoutPictures.path());
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

    // From the keyboard: Tab reaches a tappable card, Return opens the sheet, Escape closes it
    // and the card has the focus again, ring and all. A card that is not tappable is no stop.
    void keyboardOpensAndEscapeClosesTheFullScreenSheet()
    {
        Scene scene("import QtQuick\nimport Quillmoor.Cards\nRow {\n"
                    "  TarotCardView { objectName: \"still\" }\n"
                    "  TarotCardView { objectName: \"tappable\"; tappable: true }\n}\n");
        QQuickItem *tappable = scene.find(QStringLiteral("tappable"));
        QQuickItem *tapArea = findItem(tappable, QStringLiteral("tapArea"));
        scene.window.requestActivate();
        QTest::keyClick(&scene.window, Qt::Key_Tab);
        QTRY_COMPARE(scene.window.activeFocusItem(), tapArea);
        QVERIFY(tapArea->property("visualFocus").toBool());
        QTest::keyClick(&scene.window, Qt::Key_Tab); // the only stop: focus comes round again
        QCOMPARE(scene.window.activeFocusItem(), tapArea);

        QTest::keyClick(&scene.window, Qt::Key_Return);
        QVERIFY(tappable->property("showFullScreen").toBool());
        QQuickItem *backdrop = nullptr;
        QTRY_VERIFY((backdrop = findItem(scene.window.contentItem(), QStringLiteral("backdrop"))) &&
                    backdrop->isVisible());
        QTest::keyClick(&scene.window, Qt::Key_Escape);
        QTRY_VERIFY(!tappable->property("showFullScreen").toBool());
        QTRY_COMPARE(scene.window.activeFocusItem(), tapArea);
        QVERIFY(tapArea->property("visualFocus").toBool());
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

    // Keyboard focus keeps its control in view by scrolling as little as it can.
    void focusScrollsTheLeastDistance_data()
    {
        QTest::addColumn<double>("contentY");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("bottom");
        QTest::addColumn<double>("expected");
        // A view 300 high over content 1000 high, with a margin of 10.
        QTest::newRow("already in view") << 100.0 << 150.0 << 200.0 << 100.0;
        QTest::newRow("below: bottom edge plus margin") << 0.0 << 350.0 << 400.0 << 110.0;
        QTest::newRow("above: top edge less margin") << 500.0 << 300.0 << 340.0 << 290.0;
        QTest::newRow("taller than the view: its top") << 0.0 << 400.0 << 900.0 << 390.0;
        QTest::newRow("near the end: not past it") << 0.0 << 960.0 << 995.0 << 700.0;
        QTest::newRow("near the start: not before it") << 200.0 << 4.0 << 30.0 << 0.0;
    }
    void focusScrollsTheLeastDistance()
    {
        QFETCH(double, contentY);
        QFETCH(double, top);
        QFETCH(double, bottom);
        QFETCH(double, expected);
        QCOMPARE(FocusScroller::scrolledTo(contentY, 300, 1000, top, bottom, 10), expected);
        // Content shorter than the view never scrolls.
        QCOMPARE(FocusScroller::scrolledTo(0, 300, 200, top, bottom, 10), 0.0);
    }

    // Mid-turn the card stays in the plane of the screen, so the scene graph has no depth to
    // clip it by, while the perspective still makes the near edge taller than the far one.
    void flipTurnsInPerspectiveWithoutDepth()
    {
        const double w = 220;
        const double h = 220.0 * 16 / 9;
        for (double degrees : {30.0, 60.0, 89.0, 120.0, 150.0}) {
            const QMatrix4x4 turn = CardStyle::flipTransform(degrees, w, h);
            for (const QPointF &corner : {QPointF(0, 0), QPointF(w, 0), QPointF(0, h), QPointF(w, h)})
                QCOMPARE((turn * QVector4D(float(corner.x()), float(corner.y()), 0, 1)).z(), 0.0f);
            const auto edge = [&](double x) { return turn.map(QPointF(x, h)).y() - turn.map(QPointF(x, 0)).y(); };
            QVERIFY2(std::max(edge(0), edge(w)) > h + 1 && std::min(edge(0), edge(w)) < h - 1,
                     qPrintable(QString::number(degrees)));
            // Turned about its centre line: that line does not move.
            QVERIFY(std::abs(turn.map(QPointF(w / 2, h / 2)).x() - w / 2) < 1e-3);
        }
        // The face shows only from edge-on: before that it would read mirrored through the back.
        for (double progress = 0; progress <= 1.0001; progress += 0.05) {
            const double face = CardStyle::faceOpacity(progress);
            QVERIFY(face >= 0 && face <= 1);
            if (progress <= 0.45)
                QCOMPARE(face, 0.0);
            if (progress >= 0.55)
                QCOMPARE(face, 1.0);
            QVERIFY(face >= CardStyle::faceOpacity(progress - 0.05));
        }
    }

    // The flip sound belongs to a click that turns the card face up, and only to that.
    void flipSoundsOnlyWhenAClickTurnsTheCardUp()
    {
        QSignalSpy cued(&SoundCues::shared(), &SoundCues::cued);
        Scene scene(cardScene("CardFlipView", "size: CardSize.Large"));
        // Installed after the window exists, so it replaces the scene graph's own driver.
        ManualAnimationDriver animation;
        QObject *spring = scene.root->findChild<QObject *>(QStringLiteral("flipSpring"));

        scene.clickOn(scene.root.get());
        QVERIFY(scene.root->property("isFlipped").toBool());
        QCOMPARE(cued.count(), 1);
        QCOMPARE(cued.first().first().value<SoundEffect::Effect>(), SoundEffect::CardFlip);
        QVERIFY(spring->property("running").toBool());
        animation.advanceBy(3000);
        QVERIFY(!spring->property("running").toBool());

        // Face up and settled: the face reads left to right, not mirrored by the turn.
        QQuickItem *face = scene.find(QStringLiteral("faceLayer"));
        const QPointF topLeft = face->mapToItem(scene.root.get(), QPointF(0, 0));
        QVERIFY2(std::abs(topLeft.x()) < 0.5 && std::abs(topLeft.y()) < 0.5,
                 qPrintable(QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y())));
        QCOMPARE(face->opacity(), 1.0);
        QCOMPARE(scene.find(QStringLiteral("backLayer"))->opacity(), 0.0);

        // Turning it back, or an owner turning it, is silent; so is a click the owner handles.
        scene.clickOn(scene.root.get());
        QVERIFY(!scene.root->property("isFlipped").toBool());
        scene.root->setProperty("isFlipped", true);
        scene.root->setProperty("flipsOnClick", false);
        scene.root->setProperty("isFlipped", false);
        QSignalSpy clicked(scene.root.get(), SIGNAL(clicked()));
        scene.clickOn(scene.root.get());
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!scene.root->property("isFlipped").toBool());
        QCOMPARE(cued.count(), 1);
    }
};

QTEST_MAIN(CardViewsTest)
#include "tst_card_views.moc"
