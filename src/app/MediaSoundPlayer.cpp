// The part of the sound player that needs Qt Multimedia, built as a library of its own and
// loaded on the first sound: the multimedia stack (a dozen libraries with their codecs) then
// costs nothing at start-up.
#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

// Starts `file` at `volume` (0 to 1) on a new player owned by `parent`, and returns the player.
extern "C" Q_DECL_EXPORT QObject *quillmoorPlaySound(QObject *parent, const QString &file, double volume)
{
    auto *player = new QMediaPlayer(parent);
    player->setSource(QUrl::fromLocalFile(file));
    // Qt 6.4's FFmpeg back end crashes in its render thread when it plays with no output device
    // (a headless machine, no sound server). Without one the player is kept but stays silent.
    if (QMediaDevices::defaultAudioOutput().isNull())
        return player;
    auto *output = new QAudioOutput(player);
    output->setVolume(float(volume));
    player->setAudioOutput(output);
    player->play();
    return player;
}
