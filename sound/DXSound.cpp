#include "sound/DXSound.h"

#include "sound/AudioBuffer.h"
#include "sound/WaveFileReader.h"

#include <cstdlib>
#include <cstring>

DXSound::DXSound(std::vector<std::unique_ptr<AudioBuffer>> buffers, quint32 bufferSize,
                 std::unique_ptr<WaveFileReader> reader, quint32 creationFlags)
    : m_buffers(std::move(buffers))
    , m_bufferSize(bufferSize)
    , m_reader(std::move(reader))
    , m_creationFlags(creationFlags)
{
}

DXSound::~DXSound()
{
    m_buffers.clear();
    if (m_reader)
        m_reader->close();
}

AudioResult::code_t DXSound::fill()
{
    if (m_buffers.empty())
        return AudioResult::NotInitialised;
    return fillBuffer(m_buffers.front().get());
}

AudioBuffer *DXSound::freeBuffer() const
{
    if (m_buffers.empty())
        return nullptr;
    for (const auto &buffer : m_buffers) {
        quint32 status = 0;
        if (!buffer)
            continue;
        if (AudioResult::failed(buffer->getStatus(&status)) || !(status & AudioBuffer::StatusPlaying))
            return buffer.get();
    }
    return m_buffers[size_t(std::rand()) % m_buffers.size()].get();
}

AudioResult::code_t DXSound::restoreBuffer(AudioBuffer *buffer, bool *restored)
{
    if (restored)
        *restored = false;
    if (!buffer)
        return AudioResult::NotInitialised;
    quint32 status = 0;
    const AudioResult::code_t result = buffer->getStatus(&status);
    if (AudioResult::failed(result))
        return result;
    if (!(status & AudioBuffer::StatusLost))
        return AudioResult::False;
    // Restoring rebinds to whatever output there is; waiting for one would
    // only stall the GUI thread on every play.
    const AudioResult::code_t restore = buffer->restore();
    if (AudioResult::failed(restore))
        return restore;
    if (restored)
        *restored = true;
    return AudioResult::Ok;
}

AudioResult::code_t DXSound::fillBuffer(AudioBuffer *buffer)
{
    if (!buffer)
        return AudioResult::NotInitialised;
    AudioResult::code_t result = restoreBuffer(buffer, nullptr);
    if (AudioResult::failed(result))
        return result;

    void *region = nullptr;
    quint32 locked = 0;
    result = buffer->lock(0, m_bufferSize, &region, &locked, nullptr, nullptr, 0);
    if (AudioResult::failed(result))
        return result;

    quint32 read = 0;
    result = m_reader->rewind();
    if (AudioResult::succeeded(result))
        result = m_reader->read(static_cast<quint8 *>(region), locked, &read);
    if (AudioResult::failed(result)) {
        buffer->unlock(region, locked, nullptr, 0);
        return result;
    }
    if (read < locked) {
        const int silence = m_reader->format()->bitsPerSample() == 8 ? 128 : 0;
        std::memset(static_cast<char *>(region) + read, silence, locked - read);
    }
    buffer->unlock(region, locked, nullptr, 0);
    return AudioResult::Ok;
}

AudioResult::code_t DXSound::play(quint32 priority, quint32 flags, qint32 volume, qint32 frequency, qint32 pan)
{
    Q_UNUSED(pan) // buffers with a pan control are never created (see AudioDevice)
    if (m_buffers.empty())
        return AudioResult::NotInitialised;
    AudioBuffer *buffer = freeBuffer();
    if (!buffer)
        return AudioResult::Fail;

    // A buffer that finds its output gone only when it starts is lost then;
    // a second round moves it to the current output, if there is one.
    AudioResult::code_t result = AudioResult::BufferLost;
    for (int round = 0; round < 2 && result == AudioResult::BufferLost; ++round) {
        bool restored = false;
        result = restoreBuffer(buffer, &restored);
        if (AudioResult::failed(result))
            return result;
        if (restored) {
            result = fillBuffer(buffer);
            if (AudioResult::failed(result))
                return result;
        }

        if (m_creationFlags & AudioBuffer::CtrlVolume)
            buffer->setVolume(volume);
        if (frequency != -1 && (m_creationFlags & AudioBuffer::CtrlFrequency))
            buffer->setFrequency(quint32(frequency));
        result = buffer->play(0, priority, flags);
    }
    return result;
}

AudioResult::code_t DXSound::stop()
{
    if (m_buffers.empty())
        return AudioResult::NotInitialised;
    AudioResult::code_t result = AudioResult::Ok;
    for (const auto &buffer : m_buffers)
        if (buffer)
            result |= buffer->stop();
    return result;
}

AudioResult::code_t DXSound::rewind()
{
    if (m_buffers.empty())
        return AudioResult::NotInitialised;
    AudioResult::code_t result = AudioResult::Ok;
    for (const auto &buffer : m_buffers)
        if (buffer)
            result |= buffer->setCurrentPosition(0);
    return result;
}
