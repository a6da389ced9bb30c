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
    // Never at its end, not even when a single play has handed out its last
    // byte: the buffer itself stops the sink then. Qt 6.4's PulseAudio sink,
    // told of the end when the server runs dry before the sink's next feed
    // (a busy machine), asks the server to drain the stream and hands it its
    // own address for the answer; stopping and deleting the sink does not
    // cancel that, and the answer then reaches a deleted sink (a crash on
    // the sound server's thread).
    bool atEnd() const override { return false; }

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
