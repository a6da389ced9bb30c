#include "sound/AudioBuffer.h"

#include "sound/AudioBufferStream.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
// Short enough that stop and restart are prompt, long enough not to starve.
constexpr qint64 SinkBufferUSecs = 100000;
// How often a playing buffer checks that its output is still there.
constexpr int OutputWatchMs = 50;

// Hundredths of a decibel to the sink's linear scale.
qreal linearVolume(qint32 volume)
{
    return std::pow(10.0, volume / 2000.0);
}
} // namespace

AudioBuffer::AudioBuffer(const QAudioDevice &output, const QAudioFormat &format, std::shared_ptr<QByteArray> data,
                         quint32 flags, QObject *parent)
    : QObject(parent)
    , m_output(output)
    , m_format(format)
    , m_data(std::move(data))
    , m_flags(flags)
    , m_stream(new AudioBufferStream(m_data, m_format.bytesPerFrame(), this))
    , m_devices(new QMediaDevices(this))
    , m_outputWatch(new QTimer(this))
{
    connect(m_devices, &QMediaDevices::audioOutputsChanged, this, &AudioBuffer::onOutputsChanged);
    // Qt 6.4 neither reports a removed output nor fails the sink that plays
    // on it, so a running sink looks for its output itself.
    m_outputWatch->setInterval(OutputWatchMs);
    connect(m_outputWatch, &QTimer::timeout, this, &AudioBuffer::onOutputsChanged);
}

AudioBuffer::~AudioBuffer()
{
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        delete m_sink;
    }
}

std::unique_ptr<AudioBuffer> AudioBuffer::duplicate() const
{
    return std::make_unique<AudioBuffer>(m_output, m_format, m_data, m_flags);
}

AudioResult::code_t AudioBuffer::lock(quint32 offset, quint32 bytes, void **region1, quint32 *bytes1, void **region2,
                                      quint32 *bytes2, quint32 flags)
{
    if (!region1 || !bytes1)
        return AudioResult::InvalidArg;
    *region1 = nullptr;
    *bytes1 = 0;
    if (region2)
        *region2 = nullptr;
    if (bytes2)
        *bytes2 = 0;
    if (m_lost)
        return AudioResult::BufferLost;
    const quint32 total = size();
    if (flags & LockEntireBuffer) {
        offset = 0;
        bytes = total;
    } else if (flags & LockFromWriteCursor) {
        quint32 play = 0;
        getCurrentPosition(&play, &offset);
    }
    if (offset >= total || bytes == 0 || bytes > total)
        return AudioResult::InvalidArg;
    char *base = m_data->data();
    *region1 = base + offset;
    *bytes1 = qMin(bytes, total - offset);
    if (*bytes1 < bytes && region2 && bytes2) {
        *region2 = base;
        *bytes2 = bytes - *bytes1;
    }
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::unlock(void *region1, quint32 bytes1, void *region2, quint32 bytes2)
{
    const char *begin = m_data->constData();
    const char *end = begin + m_data->size();
    auto inside = [&](void *region, quint32 bytes) {
        const char *p = static_cast<const char *>(region);
        return !p || (p >= begin && p + bytes <= end);
    };
    if (!region1 || !inside(region1, bytes1) || !inside(region2, bytes2))
        return AudioResult::InvalidArg;
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::play(quint32 reserved, quint32 priority, quint32 flags)
{
    if (reserved != 0 || priority != 0)
        return AudioResult::InvalidArg;
    if (m_lost)
        return AudioResult::BufferLost;
    const bool looping = flags & PlayLooping;
    if (m_playing) {
        if (!outputPresent()) {
            markLost();
            return AudioResult::BufferLost;
        }
        // Playing already: only the looping flag changes, the position runs on.
        m_looping = looping;
        m_stream->setLooping(looping);
        return AudioResult::Ok;
    }
    return startSink(m_position, looping);
}

AudioResult::code_t AudioBuffer::stop()
{
    if (m_playing) {
        m_position = playCursor();
        m_playing = false;
        stopSink();
    }
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::setCurrentPosition(quint32 position)
{
    if (position >= size())
        return AudioResult::InvalidArg;
    const int frame = qMax(1, m_format.bytesPerFrame());
    position -= position % quint32(frame);
    if (m_playing) {
        stopSink();
        return startSink(position, m_looping);
    }
    m_position = position;
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::getCurrentPosition(quint32 *play, quint32 *write) const
{
    if (!play && !write)
        return AudioResult::InvalidArg;
    const qint64 cursor = playCursor();
    if (play)
        *play = quint32(cursor);
    if (write) {
        qint64 ahead = m_playing ? m_stream->position() : cursor;
        *write = quint32(ahead >= m_data->size() ? 0 : ahead);
    }
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::getStatus(quint32 *status) const
{
    if (!status)
        return AudioResult::InvalidArg;
    *status = 0;
    if (m_lost)
        *status |= StatusLost;
    if (m_playing)
        *status |= StatusPlaying | (m_looping ? StatusLooping : 0);
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::restore()
{
    if (!m_lost)
        return AudioResult::Ok;
    if (!outputPresent()) {
        const QAudioDevice fallback = QMediaDevices::defaultAudioOutput();
        if (fallback.isNull() || !fallback.isFormatSupported(m_format))
            return AudioResult::BufferLost;
        m_output = fallback;
    }
    m_lost = false;
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::setVolume(qint32 volume)
{
    if (!(m_flags & CtrlVolume))
        return AudioResult::ControlUnavailable;
    if (volume < VolumeMin || volume > 0)
        return AudioResult::InvalidArg;
    m_volume = volume;
    if (m_sink)
        m_sink->setVolume(linearVolume(m_volume));
    return AudioResult::Ok;
}

AudioResult::code_t AudioBuffer::setFrequency(quint32 frequency)
{
    if (!(m_flags & CtrlFrequency))
        return AudioResult::ControlUnavailable;
    if (frequency != FrequencyOriginal && (frequency < FrequencyMin || frequency > FrequencyMax))
        return AudioResult::InvalidArg;
    if (frequency == m_frequency)
        return AudioResult::Ok;
    const qint64 cursor = playCursor();
    m_frequency = frequency;
    if (m_playing) {
        // The sink's rate is fixed once it runs: go on at the new rate from here.
        stopSink();
        return startSink(cursor, m_looping);
    }
    return AudioResult::Ok;
}

void AudioBuffer::markLost()
{
    if (m_playing) {
        m_playing = false;
        stopSink();
    }
    m_position = 0;
    m_lost = true;
    m_data->fill('\0');
}

QAudioFormat AudioBuffer::sinkFormat() const
{
    QAudioFormat format = m_format;
    if (m_frequency != FrequencyOriginal)
        format.setSampleRate(int(m_frequency));
    return format;
}

AudioResult::code_t AudioBuffer::startSink(qint64 position, bool looping)
{
    // A fresh sink each time: a stopped sink does not start cleanly again.
    stopSink();
    // Qt never returns from starting a sink on an output that is gone.
    if (!outputPresent()) {
        markLost();
        return AudioResult::BufferLost;
    }
    const QAudioFormat format = sinkFormat();
    m_sink = new QAudioSink(m_output, format, this);
    m_sink->setBufferSize(int(format.bytesForDuration(SinkBufferUSecs)));
    m_sink->setVolume(linearVolume(m_volume));
    connect(m_sink, &QAudioSink::stateChanged, this, &AudioBuffer::onSinkStateChanged);

    m_stream->restart(position, looping);
    m_startPosition = m_stream->position();
    m_looping = looping;
    m_switching = true;
    m_sink->start(m_stream);
    m_switching = false;
    if (m_sink->error() != QAudio::NoError) {
        m_position = m_startPosition;
        m_playing = false;
        stopSink();
        return AudioResult::Fail;
    }
    m_playing = true;
    m_outputWatch->start();
    return AudioResult::Ok;
}

void AudioBuffer::stopSink()
{
    m_outputWatch->stop();
    if (!m_sink)
        return;
    QAudioSink *sink = m_sink;
    m_sink = nullptr;
    sink->disconnect(this);
    m_switching = true;
    sink->stop();
    m_switching = false;
    // This may run inside the sink's own signal.
    sink->deleteLater();
}

qint64 AudioBuffer::playCursor() const
{
    if (!m_playing || !m_sink)
        return m_position;
    const qint64 size = m_stream->playableSize();
    // What the output has played, never more than was handed to it.
    qint64 played = sinkFormat().bytesForDuration(m_sink->processedUSecs());
    played = qBound<qint64>(0, played, m_stream->delivered());
    qint64 cursor = m_startPosition + played;
    if (cursor >= size)
        cursor = m_looping && size > 0 ? cursor % size : 0;
    return cursor;
}

void AudioBuffer::onSinkStateChanged(QAudio::State state)
{
    if (m_switching || !m_playing)
        return;
    if (state == QAudio::IdleState && m_stream->drained()) {
        // A single play ran out: the buffer stops and starts over next time.
        m_playing = false;
        m_position = 0;
        stopSink();
    } else if (state == QAudio::StoppedState && m_sink && m_sink->error() == QAudio::FatalError) {
        markLost();
    }
}

void AudioBuffer::onOutputsChanged()
{
    if (!m_lost && !outputPresent())
        markLost();
}

bool AudioBuffer::outputPresent() const
{
    // By id: the record of an output also changes when it becomes the default.
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    return std::any_of(outputs.cbegin(), outputs.cend(),
                       [this](const QAudioDevice &output) { return output.id() == m_output.id(); });
}
