#include "AudioManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QLoggingCategory>
#include <QQmlEngine>
#include <QTemporaryDir>

Q_LOGGING_CATEGORY(lcSound, "com.quillmoor.tarot.Sound")

namespace {

using PlaySound = QObject *(*)(QObject *parent, const QString &file, double volume);

// The multimedia part of the player, loaded once: installed beside the program, or where the
// build put it.
PlaySound loadPlayer()
{
    const QStringList places = {
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(QUILLMOOR_SOUND_PLAYER_INSTALLED)),
        QStringLiteral(QUILLMOOR_SOUND_PLAYER_BUILT),
    };
    for (const QString &place : places) {
        QLibrary library(place);
        if (!QFileInfo::exists(place) || !library.load())
            continue;
        if (auto play = reinterpret_cast<PlaySound>(library.resolve("quillmoorPlaySound")))
            return play;
    }
    qCWarning(lcSound, "The sound player library was not found; sounds stay off");
    return nullptr;
}

} // namespace

QString SoundEffect::resourceName(Effect effect)
{
    switch (effect) {
    case Shuffle:
        return QStringLiteral("shuffle");
    case CardFlip:
        return QStringLiteral("card_flip");
    case CardPlace:
        return QStringLiteral("card_place");
    case Reveal:
        return QStringLiteral("reveal");
    }
    return {};
}

double SoundEffect::volume(Effect effect)
{
    switch (effect) {
    case Shuffle:
        return 0.5;
    case CardFlip:
        return 0.6;
    case CardPlace:
        return 0.4;
    case Reveal:
        return 0.7;
    }
    return 0;
}

AudioManager::AudioManager(QObject *parent) : QObject(parent)
{}

void AudioManager::chooseMediaBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

AudioManager &AudioManager::shared()
{
    static AudioManager *instance = [] {
        chooseMediaBackend();
        return new AudioManager;
    }();
    return *instance;
}

AudioManager *AudioManager::create(QQmlEngine *, QJSEngine *)
{
    AudioManager *instance = &shared();
    QQmlEngine::setObjectOwnership(instance, QQmlEngine::CppOwnership);
    return instance;
}

void AudioManager::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit isEnabledChanged();
}

QString AudioManager::playableFile(const QString &path)
{
    if (!path.startsWith(u':'))
        return path;
    static QTemporaryDir extracted;
    static QHash<QString, QString> copies;
    if (const auto known = copies.constFind(path); known != copies.cend())
        return *known;
    if (!extracted.isValid())
        return {};
    const QString copy = extracted.filePath(QString::number(copies.size()) + u'-' + QFileInfo(path).fileName());
    if (!QFile::copy(path, copy))
        return {};
    copies.insert(path, copy);
    return copy;
}

void AudioManager::play(SoundEffect::Effect effect)
{
    if (!m_enabled)
        return;
    const std::optional<QString> path =
        ResourceLocation().path(SoundEffect::resourceName(effect), QStringLiteral("mp3"));
    if (!path)
        return;
    // A file that cannot be opened cannot be played; give up without a trace.
    if (QFile file(*path); !file.open(QIODevice::ReadOnly))
        return;
    const QString file = playableFile(*path);
    if (file.isEmpty())
        return;

    static const PlaySound playSound = loadPlayer();
    if (!playSound)
        return;
    QObject *player = playSound(this, file, SoundEffect::volume(effect));
    if (m_player)
        m_player->deleteLater();
    m_player = player;
    emit audioPlayerChanged();
}
