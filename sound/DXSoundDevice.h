#pragma once

#include "sound/AudioResult.h"

#include <QString>
#include <QUuid>

#include <memory>

class AudioDevice;
class DXSound;
class QWidget;

// The process-wide sound output that every DXSound is made on. Empty until
// initialise() succeeds.
class DXSoundDevice
{
public:
    static DXSoundDevice &instance();

    DXSoundDevice();
    ~DXSoundDevice();
    DXSoundDevice(const DXSoundDevice &) = delete;
    DXSoundDevice &operator=(const DXSoundDevice &) = delete;

    AudioResult::code_t initialise(QWidget *window, int cooperativeLevel);
    void release();
    AudioDevice *device() const { return m_device.get(); }

    AudioResult::code_t createSound(std::unique_ptr<DXSound> *sound, const QString &path, quint32 creationFlags,
                                    const QUuid &algorithm3d, int bufferCount);

private:
    std::unique_ptr<AudioDevice> m_device;
};
