// The meaning panel's choices and its QML, and the card gallery picture.
#include "CardDataStore.h"
#include "CardMeaningModel.h"
#include "CardTestSupport.h"
#include "ManualAnimationDriver.h"

#include <QFile>

using namespace Qt::StringLiterals;

class CardMeaningTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void meaningChoice_data()
    {
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("positionId");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("position upright") << false << u"past"_s << u"past up"_s << u"Upright Meaning"_s;
        QTest::newRow("position reversed") << true << u"past"_s << u"past down"_s << u"Reversed Meaning"_s;
        QTest::newRow("no entry for the position") << false << u"future"_s << u"general up"_s << u"Upright Meaning"_s;
        QTest::newRow("no position reversed") << true << u""_s << u"general down"_s << u"Reversed Meaning"_s;
        QTest::newRow("id must match exactly") << false << u"Past"_s << u"general up"_s << u"Upright Meaning"_s;
    }
    void meaningChoice()
    {
        QFETCH(bool, reversed);
        QFETCH(QString, positionId);
        QFETCH(QString, text);
        QFETCH(QString, title);
        TarotCard card;
        card.uprightMeaning = "general up";
        card.reversedMeaning = "general down";
        card.uprightKeywords = {"courage"};
        card.reversedKeywords = {"doubt", "delay"};
        card.positionMeanings.insert("past", {"past up", "past down"});
        CardMeaningModel model;
        model.setCard(card);
        model.setReversed(reversed);
        model.setPositionId(positionId);
        QCOMPARE(model.meaningText(), text);
        QCOMPARE(model.meaningTitle(), title);
        QCOMPARE(model.keywords(), reversed ? card.reversedKeywords : card.uprightKeywords);
    }

    // A meaning that the text above already ended with starts folded; a different meaning (a
    // position's own, or the other orientation) is shown open.
    void meaningRepeatedAboveStartsFolded()
    {
        TarotCard card;
        card.uprightMeaning = "Trust the path.";
        card.reversedMeaning = "Doubt the map.";
        card.positionMeanings.insert("past", {"Once trusted.", "Once doubted."});
        CardMeaningModel model;
        model.setCard(card);
        QVERIFY(!model.meaningStartsFolded());
        model.setTextAbove("The energy of the card suggests yes. Trust the path. ");
        QVERIFY(model.meaningStartsFolded());
        model.setReversed(true);
        QVERIFY(!model.meaningStartsFolded());
        model.setReversed(false);
        model.setPositionId("past");
        QVERIFY(!model.meaningStartsFolded());

        Scene scene("import QtQuick\nimport Quillmoor.Cards\nCardMeaningView { width: 400; textAbove: \"So: " +
                    card.uprightMeaning.toUtf8() + "\" }\n");
        QVERIFY(scene.root);
        scene.root->setProperty("card", QVariant::fromValue(card));
        QQuickItem *text = scene.find("meaningText");
        QQuickItem *disclosure = scene.find("meaningDisclosure");
        QVERIFY(disclosure->isVisible());
        QVERIFY(!scene.find("meaningTitle")->isVisible());
        QVERIFY(!text->isVisible());
        disclosure->setProperty("checked", true);
        QVERIFY(text->isVisible());
    }

    void badgeAndPositionBoxFollowTheFields_data()
    {
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<bool>("badge");
        QTest::addColumn<bool>("box");
        QTest::addColumn<bool>("description");
        QTest::newRow("upright, no position") << QByteArray("") << false << false << false;
        QTest::newRow("description without a name")
            << QByteArray("positionDescription: \"d\"") << false << false << false;
        QTest::newRow("name only") << QByteArray("positionName: \"Past\"") << false << true << false;
        QTest::newRow("reversed with both")
            << QByteArray("isReversed: true; positionName: \"Past\"; positionDescription: \"d\"") << true << true
            << true;
    }
    void badgeAndPositionBoxFollowTheFields()
    {
        QFETCH(QByteArray, properties);
        QFETCH(bool, badge);
        QFETCH(bool, box);
        QFETCH(bool, description);
        Scene scene("import QtQuick\nimport Quillmoor.Cards\nCardMeaningView { width: 400; " + properties + " }\n");
        QVERIFY(scene.root);
        QCOMPARE(scene.find("reversedBadge")->isVisible(), badge);
        QCOMPARE(scene.find("positionBox")->isVisible(), box);
        QCOMPARE(scene.find("positionDescription")->isVisible(), description);
    }

    // Writes build/screenshots/card-gallery.png: every size upright and reversed, a back, a
    // card mid-flip, both shuffles mid-way and a meaning panel.
    void galleryScreenshot()
    {
        QFile file(QStringLiteral(QUILLMOOR_SOURCE_DIR "/tests/cards/card_gallery.qml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        Scene scene(file.readAll(), {1280, 1280});
        QVERIFY(scene.root);
        ManualAnimationDriver animation;
        const auto minor = CardDataStore::shared().cardByID(QStringLiteral("wands_03"));
        const auto major = CardDataStore::shared().cardByID(QStringLiteral("major_17"));
        QVERIFY(minor && major);
        scene.root->setProperty("minor", QVariant::fromValue(*minor));
        scene.root->setProperty("major", QVariant::fromValue(*major));
        // Half a second into both shuffles, with the flip a fifth of a second into its turn.
        animation.advanceBy(500);
        scene.root->setProperty("flipped", true);
        animation.advanceBy(180);
        saveScreenshot(&scene.window, QStringLiteral("card-gallery"));
    }
};

QTEST_MAIN(CardMeaningTest)
#include "tst_card_meaning.moc"
