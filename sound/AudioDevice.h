#pragma once

#include "sound/AudioResult.h"

#include <QAudioDevice>

#include <memory>

class AudioBuffer;
class QAudioFormat;
class QWidget;
class WaveFormat;
struct AudioBufferDesc;

// The default audio output as a maker of sample buffers.
class AudioDevice
{
public:
    enum level_t { LevelNormal = 1, LevelPriority = 2, LevelExclusive = 3, LevelWritePrimary = 4 };
    static constexpr quint32 MinBufferBytes = 4;
    static constexpr quint32 MaxBufferBytes = 0x0FFFFFFF;

    // The default output; NoDevice when there is none.
    static AudioResult::code_t create(std::unique_ptr<AudioDevice> *device);

    // Records how the window means to share the output. Every level shares it
    // here: the sound server mixes all clients.
    AudioResult::code_t setCooperativeLevel(QWidget *window, int level);
    AudioResult::code_t createBuffer(const AudioBufferDesc &desc, std::unique_ptr<AudioBuffer> *buffer);
    // A buffer sharing the original's memory, with its own position.
    AudioResult::code_t duplicateBuffer(const AudioBuffer &original, std::unique_ptr<AudioBuffer> *buffer);

    const QAudioDevice &output() const { return m_output; }
    int cooperativeLevel() const { return m_level; }

    // The sample layout of a WAVE format record, when it is one that plays.
    static bool toAudioFormat(const WaveFormat &wave, QAudioFormat *format);

private:
    explicit AudioDevice(const QAudioDevice &output);

    QAudioDevice m_output;
    int m_level = 0;
};
