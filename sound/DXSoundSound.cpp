#include "sound/DXSoundSound.h"

#include "sound/AudioBuffer.h"
#include "sound/DXSound.h"

DXSoundSound::DXSoundSound(std::unique_ptr<DXSound> sound)
    : m_sound(std::move(sound))
{
}

DXSoundSound::~DXSoundSound() = default;

void DXSoundSound::play(bool loop)
{
    if (!loop)
        m_sound->rewind();
    m_sound->play(0, loop ? AudioBuffer::PlayLooping : 0, 0, -1, 0);
}

void DXSoundSound::stop()
{
    m_sound->stop();
}
