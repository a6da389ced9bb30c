#pragma once

#include "sound/AudioResult.h"

#include <QtGlobal>

#include <memory>
#include <vector>

class AudioBuffer;
class WaveFileReader;

// One loaded sound: the sample data of a WAVE file in one or more buffers
// that can play at the same time.
class DXSound
{
public:
    DXSound(std::vector<std::unique_ptr<AudioBuffer>> buffers, quint32 bufferSize,
            std::unique_ptr<WaveFileReader> reader, quint32 creationFlags);
    virtual ~DXSound();
    DXSound(const DXSound &) = delete;
    DXSound &operator=(const DXSound &) = delete;

    // Puts the sound into the first buffer; done once after construction.
    AudioResult::code_t fill();

    // frequency -1 keeps the buffer's rate.
    AudioResult::code_t play(quint32 priority, quint32 flags, qint32 volume, qint32 frequency, qint32 pan);
    AudioResult::code_t stop();
    AudioResult::code_t rewind();

    int bufferCount() const { return int(m_buffers.size()); }
    AudioBuffer *buffer(int index) const { return m_buffers.at(size_t(index)).get(); }
    quint32 bufferSize() const { return m_bufferSize; }
    quint32 creationFlags() const { return m_creationFlags; }

private:
    AudioBuffer *freeBuffer() const;
    AudioResult::code_t restoreBuffer(AudioBuffer *buffer, bool *restored);
    AudioResult::code_t fillBuffer(AudioBuffer *buffer);

    std::vector<std::unique_ptr<AudioBuffer>> m_buffers;
    quint32 m_bufferSize;
    std::unique_ptr<WaveFileReader> m_reader;
    quint32 m_creationFlags;
};
