#include "CardDataStore.h"
#include "CardTestSupport.h"
#include "ManualAnimationDriver.h"

#include <QFile>

Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_StudyPlugin)

// Writes build/screenshots/card-gallery.png: every size upright and reversed, a back, a card
// mid-flip, both shuffles mid-way and a meaning panel.
class CardGalleryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void galleryScreenshot()
    {
        QFile file(QStringLiteral(QUILLMOOR_SOURCE_DIR "/tests/study/card_gallery.qml"));
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

QTEST_MAIN(CardGalleryTest)
#include "tst_card_gallery.moc"
