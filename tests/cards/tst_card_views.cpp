#include "CardStyle.h"
#include "CardTestSupport.h"
#include "FocusScroller.h"
#include "ManualAnimationDriver.h"
#include "SoundCues.h"

#include <QMatrix4x4>
#include <QSignalSpy>

class CardViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

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

    void reversedMarkerOnlyAtMediumAndLarge_data()
    {
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<bool>("marker");
        QTest::newRow("small reversed") << QByteArray("size: CardSize.Small; isReversed: true") << false;
        QTest::newRow("medium reversed") << QByteArray("size: CardSize.Medium; isReversed: true") << true;
        QTest::newRow("large reversed") << QByteArray("size: CardSize.Large; isReversed: true") << true;
        QTest::newRow("medium upright") << QByteArray("size: CardSize.Medium") << false;
    }
    void reversedMarkerOnlyAtMediumAndLarge()
    {
        QFETCH(QByteArray, properties);
        QFETCH(bool, marker);
        Scene scene(cardScene("TarotCardView", properties));
        QCOMPARE(scene.find(QStringLiteral("reversedMarker"))->isVisible(), marker);
        QCOMPARE(scene.find(QStringLiteral("face"))->rotation(), properties.contains("isReversed") ? 180.0 : 0.0);
    }

    // Only a tappable card opens the full-screen sheet, by click or by Tab and Return; a click
    // on the sheet (here the photo symbol standing in for a missing picture) or Escape closes it,
    // and the card has the focus again, ring and all. A card that is not tappable is no Tab stop.
    void onlyATappableCardOpensTheFullScreenSheet()
    {
        Scene scene("import QtQuick\nimport Quillmoor.Cards\nRow {\n"
                    "  TarotCardView { objectName: \"still\" }\n"
                    "  TarotCardView { objectName: \"tappable\"; tappable: true }\n}\n");
        QQuickItem *still = scene.find(QStringLiteral("still"));
        QQuickItem *tappable = scene.find(QStringLiteral("tappable"));
        QQuickItem *tapArea = findItem(tappable, QStringLiteral("tapArea"));
        const auto sheet = [&] { return findItem(scene.window.contentItem(), QStringLiteral("backdrop")); };
        scene.window.requestActivate();
        QTest::keyClick(&scene.window, Qt::Key_Tab);
        QTRY_COMPARE(scene.window.activeFocusItem(), tapArea);
        QVERIFY(tapArea->property("visualFocus").toBool());
        QTest::keyClick(&scene.window, Qt::Key_Tab); // the only stop: focus comes round again
        QCOMPARE(scene.window.activeFocusItem(), tapArea);
        QTest::keyClick(&scene.window, Qt::Key_Return);
        QVERIFY(tappable->property("showFullScreen").toBool());
        QTRY_VERIFY(sheet() && sheet()->isVisible());
        QTest::keyClick(&scene.window, Qt::Key_Escape);
        QTRY_VERIFY(!tappable->property("showFullScreen").toBool());
        QTRY_COMPARE(scene.window.activeFocusItem(), tapArea);
        QVERIFY(tapArea->property("visualFocus").toBool());

        scene.clickOn(still);
        QVERIFY(!still->property("showFullScreen").toBool());
        scene.clickOn(tappable);
        QVERIFY(tappable->property("showFullScreen").toBool());
        QTRY_VERIFY(sheet() && sheet()->isVisible());
        QQuickItem *photo = findItem(sheet()->parentItem(), QStringLiteral("photoSymbol"));
        QVERIFY(photo && photo->isVisible());
        scene.clickOn(photo);
        QTRY_VERIFY(!tappable->property("showFullScreen").toBool());
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
        QCOMPARE(FocusScroller::scrolledTo(0, 300, 200, top, bottom, 10), 0.0); // shorter content never scrolls
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
            QVERIFY(face >= CardStyle::faceOpacity(progress - 0.05) && face <= 1);
            QVERIFY(progress > 0.45 || face == 0.0);
            QVERIFY(progress < 0.55 || face == 1.0);
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
