#pragma once

// One playable sound of the sound player.
class Sound
{
public:
    virtual ~Sound();
    virtual void play(bool loop) = 0;
    virtual void stop() = 0;

protected:
    Sound() = default;
    Sound(const Sound &) = delete;
    Sound &operator=(const Sound &) = delete;
};
