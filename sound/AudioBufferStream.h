#pragma once

#include <QByteArray>
#include <QIODevice>

#include <memory>

// The sample source an audio sink pulls from: the bytes of one buffer from a
// start position, once to the end or round and round. Only whole frames are
// handed out: a partial frame at the end of the data is never played, so a
// loop wraps on a frame boundary.
class AudioBufferStream : public QIODevice
{
    Q_OBJECT

public:
    AudioBufferStream(std::shared_ptr<QByteArray> data, int frameBytes, QObject *parent = nullptr);

    // Starts over at position; delivered() counts from here.
    void restart(qint64 position, bool looping);
    void setLooping(bool looping) { m_looping = looping; }
    // Byte offset of the next byte handed out.
    qint64 position() const { return m_position; }
    // Bytes handed out since restart().
    qint64 delivered() const { return m_delivered; }
    // A single play has handed out its last byte.
    bool drained() const { return !m_looping && m_position >= playableSize(); }
    // The bytes of the whole frames in the data.
    qint64 playableSize() const { return m_data->size() - m_data->size() % m_frameBytes; }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    std::shared_ptr<QByteArray> m_data;
    qint64 m_frameBytes;
    qint64 m_position = 0;
    qint64 m_delivered = 0;
    bool m_looping = false;
};
