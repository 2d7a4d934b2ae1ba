#include "AudioManager.h"
#include "ResourceLocation.h"

#include <QAudioDecoder>
#include <QMediaPlayer>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class AudioTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AudioManager::chooseMediaBackend(); }
    void init()
    {
        ResourceLocation::resetRoot();
        AudioManager::shared().setEnabled(true);
    }
    void cleanupTestCase() { AudioManager::shared().setEnabled(false); }

    // Our four effects must decode with the back end chosen for them, and be about as long as
    // the screens expect.
    void bundledEffectsDecodeToTheEnd_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<qint64>("minimumMs");
        QTest::addColumn<qint64>("maximumMs");
        QTest::newRow("shuffle") << int(SoundEffect::Shuffle) << 1000ll << 1500ll;
        QTest::newRow("card_flip") << int(SoundEffect::CardFlip) << 50ll << 300ll;
        QTest::newRow("card_place") << int(SoundEffect::CardPlace) << 50ll << 300ll;
        QTest::newRow("reveal") << int(SoundEffect::Reveal) << 800ll << 1300ll;
    }
    void bundledEffectsDecodeToTheEnd()
    {
        QFETCH(int, effect);
        QFETCH(qint64, minimumMs);
        QFETCH(qint64, maximumMs);
        const auto path =
            ResourceLocation().path(SoundEffect::resourceName(SoundEffect::Effect(effect)), QStringLiteral("mp3"));
        QVERIFY(path);
        QAudioDecoder decoder;
        QVERIFY2(decoder.isSupported(), "no audio decoding back end");
        // The decoder gets the file exactly as the player would.
        const QString file = AudioManager::playableFile(*path);
        QVERIFY(!file.isEmpty() && !file.startsWith(u':'));
        decoder.setSource(QUrl::fromLocalFile(file));
        qint64 decodedUs = 0;
        bool failed = false;
        connect(&decoder, &QAudioDecoder::bufferReady, this, [&] { decodedUs += decoder.read().duration(); });
        connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this, [&] { failed = true; });
        QSignalSpy finished(&decoder, &QAudioDecoder::finished);
        decoder.start();
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1 || failed, 10000);
        QVERIFY2(!failed, qPrintable(decoder.errorString()));
        QVERIFY2(decodedUs / 1000 >= minimumMs && decodedUs / 1000 <= maximumMs,
                 qPrintable(QString::number(decodedUs)));
    }

    // Each play replaces the player before it, which is let go with its sound; a sound that
    // cannot be played (switched off, missing, unreadable) leaves the player as it was.
    void eachPlayReplacesThePlayerUnlessItCannotPlay()
    {
        AudioManager &audio = AudioManager::shared();
        audio.play(SoundEffect::Shuffle);
        QPointer<QObject> first = audio.audioPlayer();
        audio.play(SoundEffect::CardFlip);
        // The player comes from the library loaded for the first sound.
        auto *second = qobject_cast<QMediaPlayer *>(audio.audioPlayer());
        QVERIFY(second && second != first.data());
        QVERIFY(second->source().toString().endsWith(QLatin1String("card_flip.mp3")));
        QTRY_VERIFY(first.isNull());

        audio.setEnabled(false);
        audio.play(SoundEffect::Reveal);
        QCOMPARE(audio.audioPlayer(), second);
        audio.setEnabled(true);
        QTemporaryDir dir;
        ResourceLocation::setRoot(dir.path());
        audio.play(SoundEffect::Reveal);                                          // missing
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sounds/card_flip.mp3"))); // found, but not a file
        audio.play(SoundEffect::CardFlip);
        QCOMPARE(audio.audioPlayer(), second);
    }
};

QTEST_GUILESS_MAIN(AudioTest)
#include "tst_audio.moc"
