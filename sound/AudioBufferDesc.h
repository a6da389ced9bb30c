#pragma once

#include <QUuid>
#include <QtGlobal>

class WaveFormat;

// What AudioDevice::createBuffer is asked to make.
struct AudioBufferDesc
{
    quint32 flags = 0; // AudioBuffer::caps_t bits
    quint32 bufferBytes = 0;
    const WaveFormat *format = nullptr;
    QUuid algorithm3d; // only the null id is known
};
