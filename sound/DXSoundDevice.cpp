#include "sound/DXSoundDevice.h"

#include "sound/AudioBuffer.h"
#include "sound/AudioBufferDesc.h"
#include "sound/AudioDevice.h"
#include "sound/DXSound.h"
#include "sound/WaveFileReader.h"

#include <new>
#include <vector>

DXSoundDevice &DXSoundDevice::instance()
{
    static DXSoundDevice device;
    return device;
}

DXSoundDevice::DXSoundDevice() = default;

DXSoundDevice::~DXSoundDevice()
{
    release();
}

AudioResult::code_t DXSoundDevice::initialise(QWidget *window, int cooperativeLevel)
{
    release();
    std::unique_ptr<AudioDevice> device;
    const AudioResult::code_t result = AudioDevice::create(&device);
    if (AudioResult::failed(result))
        return result;
    m_device = std::move(device);
    const AudioResult::code_t level = m_device->setCooperativeLevel(window, cooperativeLevel);
    return AudioResult::failed(level) ? level : AudioResult::Ok;
}

void DXSoundDevice::release()
{
    m_device.reset();
}

AudioResult::code_t DXSoundDevice::createSound(std::unique_ptr<DXSound> *sound, const QString &path,
                                               quint32 creationFlags, const QUuid &algorithm3d, int bufferCount)
{
    if (!m_device)
        return AudioResult::NotInitialised;
    if (path.isNull() || !sound || bufferCount < 1)
        return AudioResult::InvalidArg;

    std::vector<std::unique_ptr<AudioBuffer>> buffers;
    std::unique_ptr<WaveFileReader> reader;
    try {
        buffers.resize(size_t(bufferCount));
        reader = std::make_unique<WaveFileReader>();
    } catch (const std::bad_alloc &) {
        return AudioResult::OutOfMemory;
    }

    reader->open(path, WaveFileReader::Read);
    if (reader->dataSize() == 0)
        return AudioResult::Fail;

    AudioBufferDesc desc;
    desc.flags = creationFlags;
    desc.bufferBytes = reader->dataSize();
    desc.format = reader->format();
    desc.algorithm3d = algorithm3d;

    AudioResult::code_t result = m_device->createBuffer(desc, &buffers[0]);
    AudioResult::code_t final = AudioResult::Ok;
    if (result == AudioResult::NoVirtualisation)
        final = result;
    else if (AudioResult::failed(result))
        return result;

    for (int i = 1; i < bufferCount; ++i) {
        result = m_device->duplicateBuffer(*buffers[0], &buffers[size_t(i)]);
        if (AudioResult::failed(result))
            return result;
    }

    const quint32 size = reader->dataSize();
    auto created = std::make_unique<DXSound>(std::move(buffers), size, std::move(reader), creationFlags);
    // A sound whose samples never reached its buffer would play garbage or
    // silence: it is no sound at all.
    result = created->fill();
    if (AudioResult::failed(result))
        return result;
    *sound = std::move(created);
    return final;
}
