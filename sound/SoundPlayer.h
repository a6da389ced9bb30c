#pragma once

#include <QString>

#include <array>
#include <memory>

class QSoundEffect;
class QWidget;
class Sound;

// The process-wide player of the game sounds and the lobby music.
class SoundPlayer
{
public:
    enum flags_t { Loop = 1, Exclusive = 2 };
    enum sound_t {
        Hover,
        TileDiscarded,
        Joined,
        Left,
        Chow,
        Pong,
        Kong,
        Mahjong,
        Washout,
        Start,
        MeldSuggestion,
        MeldPassOnly,
        WindAssignment,
        LobbyMusic
    };
    static constexpr int SoundCount = 14;

    static SoundPlayer &instance();

    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer &) = delete;
    SoundPlayer &operator=(const SoundPlayer &) = delete;

    // Opens the sound output on the window and loads every sound once.
    void load(QWidget *window);
    void play(int id, int flags);
    void stop(int id);
    void playMeld(int meldType);

    // The sound started last with Loop and not stopped since, or -1.
    int loopingId() const { return m_loopingId; }
    Sound *sound(int id) const;
    QSoundEffect *fallback(int id) const;
    // "sounds:/..." name of a sound, without the ".wav".
    static QString soundName(int id);

    // Frees every sound; the player is silent afterwards.
    void release();

private:
    void initSoundSystem(QWidget *window);
    std::unique_ptr<Sound> loadSound(const QString &name);
    static bool validId(int id);

    std::array<std::unique_ptr<Sound>, SoundCount> m_sounds;
    std::array<std::unique_ptr<QSoundEffect>, SoundCount> m_effects;
    int m_loopingId = -1;
};
