#pragma once

#include "sound/Sound.h"

#include <memory>

class DXSound;

// A Sound played through a DXSound that it owns.
class DXSoundSound : public Sound
{
public:
    explicit DXSoundSound(std::unique_ptr<DXSound> sound);
    ~DXSoundSound() override;

    // A single play starts from the beginning, also over itself; a loop goes
    // on from where the sound last stopped.
    void play(bool loop) override;
    // Keeps the position.
    void stop() override;

    DXSound *sound() const { return m_sound.get(); }

private:
    std::unique_ptr<DXSound> m_sound;
};
