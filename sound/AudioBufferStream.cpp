#include "sound/AudioBufferStream.h"

#include <cstring>

AudioBufferStream::AudioBufferStream(std::shared_ptr<QByteArray> data, int frameBytes, QObject *parent)
    : QIODevice(parent)
    , m_data(std::move(data))
    , m_frameBytes(qMax(1, frameBytes))
{
    // Unbuffered: bytes read ahead into QIODevice's own buffer would be
    // played after a restart, before the new position.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void AudioBufferStream::restart(qint64 position, bool looping)
{
    if (!isOpen())
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    m_position = qBound<qint64>(0, position, playableSize());
    m_delivered = 0;
    m_looping = looping;
}

qint64 AudioBufferStream::bytesAvailable() const
{
    const qint64 size = playableSize();
    const qint64 left = m_looping ? size : size - m_position;
    return qMax<qint64>(0, left) + QIODevice::bytesAvailable();
}

qint64 AudioBufferStream::readData(char *data, qint64 maxSize)
{
    const qint64 size = playableSize();
    qint64 copied = 0;
    while (copied < maxSize && size > 0) {
        if (m_position >= size) {
            if (!m_looping)
                break;
            m_position = 0;
        }
        const qint64 n = qMin(maxSize - copied, size - m_position);
        std::memcpy(data + copied, m_data->constData() + m_position, size_t(n));
        copied += n;
        m_position += n;
    }
    m_delivered += copied;
    return copied;
}

qint64 AudioBufferStream::writeData(const char *, qint64)
{
    return -1;
}
