#include "sound/SoundPlayer.h"

#include "game/Meld.h"
#include "sound/AudioDevice.h"
#include "sound/DXSound.h"
#include "sound/DXSoundDevice.h"
#include "sound/DXSoundSound.h"
#include "sound/Logging.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSettings>
#include <QSoundEffect>
#include <QUrl>
#include <QUuid>

namespace {
const char *const SoundNames[SoundPlayer::SoundCount] = {"sounds:/hover",
                                                         "sounds:/tile_discarded",
                                                         "sounds:/joined",
                                                         "sounds:/left",
                                                         "sounds:/chow",
                                                         "sounds:/pong",
                                                         "sounds:/kong",
                                                         "sounds:/mahjong",
                                                         "sounds:/washout",
                                                         "sounds:/start",
                                                         "sounds:/meld_suggestion",
                                                         "sounds:/meld_pass_only",
                                                         "sounds:/wind_assignment",
                                                         "sounds:/lobby_1min"};

void releaseInstance()
{
    // Multimedia objects must go while the application object still exists;
    // the device goes after the sounds made on it.
    SoundPlayer::instance().release();
    DXSoundDevice::instance().release();
}
} // namespace

SoundPlayer &SoundPlayer::instance()
{
    // The device is built first so that it outlives the player.
    DXSoundDevice::instance();
    static SoundPlayer player;
    static const bool releaseAtExit = (qAddPostRoutine(releaseInstance), true);
    Q_UNUSED(releaseAtExit)
    return player;
}

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer()
{
    release();
}

void SoundPlayer::release()
{
    for (auto &effect : m_effects)
        effect.reset();
    for (auto &sound : m_sounds)
        sound.reset();
}

QString SoundPlayer::soundName(int id)
{
    return validId(id) ? QString::fromLatin1(SoundNames[id]) : QString();
}

bool SoundPlayer::validId(int id)
{
    return id >= 0 && id < SoundCount;
}

Sound *SoundPlayer::sound(int id) const
{
    return validId(id) ? m_sounds[size_t(id)].get() : nullptr;
}

QSoundEffect *SoundPlayer::fallback(int id) const
{
    return validId(id) ? m_effects[size_t(id)].get() : nullptr;
}

void SoundPlayer::initSoundSystem(QWidget *window)
{
    const AudioResult::code_t result = DXSoundDevice::instance().initialise(window, AudioDevice::LevelPriority);
    qCDebug(lcSound).noquote() << QStringLiteral("DirectX initialised with result %1").arg(result);
}

std::unique_ptr<Sound> SoundPlayer::loadSound(const QString &name)
{
    const QString fileName = name + QLatin1String(".wav");
    if (!QFileInfo::exists(fileName)) {
        qCDebug(lcSound).noquote() << QStringLiteral("sound file not found ") + name;
        return nullptr;
    }
    std::unique_ptr<DXSound> created;
    const AudioResult::code_t result = DXSoundDevice::instance().createSound(
        &created, QFileInfo(fileName).absoluteFilePath(), 0, QUuid(), 1);
    if (AudioResult::failed(result) || !created)
        return nullptr;
    return std::make_unique<DXSoundSound>(std::move(created));
}

void SoundPlayer::load(QWidget *window)
{
    initSoundSystem(window);
    for (int id = 0; id < SoundCount; ++id) {
        const QString name = soundName(id);
        m_sounds[size_t(id)] = loadSound(name);
        if (m_sounds[size_t(id)])
            continue;
        const QFileInfo file(name + QLatin1String(".wav"));
        if (!file.exists()) {
            qCDebug(lcSound).noquote() << QStringLiteral("sound file not found ") + name;
        } else if (!QMediaDevices::audioOutputs().isEmpty()) {
            qCDebug(lcSound).noquote() << QStringLiteral("sound filename is ") + file.fileName();
            qCDebug(lcSound).noquote() << QStringLiteral("sound path is ") + file.path();
            qCDebug(lcSound).noquote() << QStringLiteral("sound filePath is ") + file.filePath();
            qCDebug(lcSound).noquote() << QStringLiteral("sound absoluteFilePath is ") + file.absoluteFilePath();
            auto effect = std::make_unique<QSoundEffect>();
            // The effect takes a URL, which knows nothing of search paths.
            effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
            m_effects[size_t(id)] = std::move(effect);
        } else {
            qCDebug(lcSound).noquote() << QStringLiteral("sound not available , file is ") + name;
        }
    }
}

void SoundPlayer::play(int id, int flags)
{
    if (!validId(id)) {
        qCWarning(lcSound) << "no sound with id" << id;
        return;
    }
    if (id == m_loopingId)
        return;
    if (!QSettings().value(QStringLiteral("game/sound"), true).toBool())
        return;

    if (flags & Exclusive) {
        for (int other = 0; other < SoundCount; ++other)
            if (other != id)
                stop(other);
    } else if ((flags & Loop) && m_loopingId != -1) {
        stop(m_loopingId);
    }

    const bool loop = flags & Loop;
    if (loop)
        m_loopingId = id;
    if (m_sounds[size_t(id)])
        m_sounds[size_t(id)]->play(loop);
    if (QSoundEffect *effect = m_effects[size_t(id)].get()) {
        effect->setLoopCount(loop ? QSoundEffect::Infinite : 1);
        effect->play();
    }
}

void SoundPlayer::stop(int id)
{
    if (!validId(id)) {
        qCWarning(lcSound) << "no sound with id" << id;
        return;
    }
    if (m_sounds[size_t(id)])
        m_sounds[size_t(id)]->stop();
    if (m_effects[size_t(id)])
        m_effects[size_t(id)]->stop();
    if (id == m_loopingId)
        m_loopingId = -1;
}

void SoundPlayer::playMeld(int meldType)
{
    switch (meldType) {
    case MELD_CHOW:
        play(Chow, 0);
        break;
    case MELD_PONG:
        play(Pong, 0);
        break;
    case MELD_KONG:
        play(Kong, 0);
        break;
    case MELD_MAHJONG:
        play(Mahjong, 0);
        break;
    default:
        qCWarning(lcSound).noquote() << QStringLiteral("invalid meld for sound play:%1").arg(meldType);
    }
}
