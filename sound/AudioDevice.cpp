#include "sound/AudioDevice.h"

#include "sound/AudioBuffer.h"
#include "sound/AudioBufferDesc.h"
#include "sound/WaveFormat.h"

#include <QAudioFormat>
#include <QMediaDevices>
#include <QtEndian>

#include <cstring>
#include <new>

namespace {
// The tail every standard sub-format id shares behind its 16-bit format tag.
constexpr unsigned char SubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                             0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr int ExtensibleExtraSize = 22;
} // namespace

AudioDevice::AudioDevice(const QAudioDevice &output)
    : m_output(output)
{
}

AudioResult::code_t AudioDevice::create(std::unique_ptr<AudioDevice> *device)
{
    if (!device)
        return AudioResult::InvalidArg;
    device->reset();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return AudioResult::NoDevice;
    device->reset(new AudioDevice(output));
    return AudioResult::Ok;
}

AudioResult::code_t AudioDevice::setCooperativeLevel(QWidget *window, int level)
{
    if (!window || level < LevelNormal || level > LevelWritePrimary)
        return AudioResult::InvalidArg;
    m_level = level;
    return AudioResult::Ok;
}

bool AudioDevice::toAudioFormat(const WaveFormat &wave, QAudioFormat *format)
{
    quint16 tag = wave.formatTag();
    const quint16 bits = wave.bitsPerSample();
    if (tag == WaveFormat::Extensible) {
        const QByteArray extra = wave.extra();
        if (wave.extraSize() < ExtensibleExtraSize || extra.size() < ExtensibleExtraSize)
            return false;
        const quint16 validBits = qFromLittleEndian<quint16>(extra.constData());
        if (validBits != 0 && validBits != bits)
            return false;
        if (std::memcmp(extra.constData() + 8, SubFormatTail, sizeof SubFormatTail) != 0)
            return false;
        tag = qFromLittleEndian<quint16>(extra.constData() + 6);
    }

    QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
    if (tag == WaveFormat::Pcm) {
        if (bits == 8)
            sample = QAudioFormat::UInt8;
        else if (bits == 16)
            sample = QAudioFormat::Int16;
        else if (bits == 32)
            sample = QAudioFormat::Int32;
    } else if (tag == WaveFormat::IeeeFloat && bits == 32) {
        sample = QAudioFormat::Float;
    }
    const quint16 channels = wave.channels();
    const quint32 rate = wave.samplesPerSec();
    if (sample == QAudioFormat::Unknown || channels < 1 || channels > 8 || wave.blockAlign() != channels * bits / 8
        || rate < AudioBuffer::FrequencyMin || rate > AudioBuffer::FrequencyMax)
        return false;

    format->setSampleFormat(sample);
    format->setChannelCount(channels);
    format->setSampleRate(int(rate));
    return true;
}

AudioResult::code_t AudioDevice::createBuffer(const AudioBufferDesc &desc, std::unique_ptr<AudioBuffer> *buffer)
{
    if (!buffer || !desc.format)
        return AudioResult::InvalidArg;
    buffer->reset();
    if (!desc.algorithm3d.isNull() || desc.bufferBytes < MinBufferBytes || desc.bufferBytes > MaxBufferBytes)
        return AudioResult::InvalidArg;
    if (desc.flags & ~quint32(AudioBuffer::CtrlFrequency | AudioBuffer::CtrlVolume))
        return AudioResult::ControlUnavailable;

    QAudioFormat format;
    if (!toAudioFormat(*desc.format, &format) || !m_output.isFormatSupported(format))
        return AudioResult::BadFormat;
    // Less than one frame has nothing to play.
    if (desc.bufferBytes < quint32(format.bytesPerFrame()))
        return AudioResult::InvalidArg;

    std::shared_ptr<QByteArray> data;
    try {
        data = std::make_shared<QByteArray>(qsizetype(desc.bufferBytes), '\0');
    } catch (const std::bad_alloc &) {
        return AudioResult::OutOfMemory;
    }
    buffer->reset(new AudioBuffer(m_output, format, std::move(data), desc.flags));
    return AudioResult::Ok;
}

AudioResult::code_t AudioDevice::duplicateBuffer(const AudioBuffer &original, std::unique_ptr<AudioBuffer> *buffer)
{
    if (!buffer)
        return AudioResult::InvalidArg;
    *buffer = original.duplicate();
    return AudioResult::Ok;
}
