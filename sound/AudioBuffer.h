#pragma once

#include "sound/AudioResult.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QtMultimedia/qaudio.h>

#include <memory>

class AudioBufferStream;
class QAudioSink;
class QMediaDevices;
class QTimer;

// A block of sample memory that plays on an audio output, once or looping,
// from a play position that stays where playback stopped. The caller writes
// the samples through lock() and unlock(). Playback pulls from the memory
// through a QAudioSink.
class AudioBuffer : public QObject
{
    Q_OBJECT

public:
    enum caps_t { CtrlFrequency = 0x20, CtrlVolume = 0x80 };
    enum status_t { StatusPlaying = 1, StatusLost = 2, StatusLooping = 4 };
    enum play_t { PlayLooping = 1 };
    enum lock_t { LockFromWriteCursor = 1, LockEntireBuffer = 2 };
    static constexpr qint32 VolumeMin = -10000; // hundredths of a decibel
    static constexpr quint32 FrequencyOriginal = 0;
    static constexpr quint32 FrequencyMin = 100;
    static constexpr quint32 FrequencyMax = 200000;

    AudioBuffer(const QAudioDevice &output, const QAudioFormat &format, std::shared_ptr<QByteArray> data, quint32 flags,
                QObject *parent = nullptr);
    ~AudioBuffer() override;

    // A buffer of the same output, format and memory, with its own position.
    std::unique_ptr<AudioBuffer> duplicate() const;

    AudioResult::code_t lock(quint32 offset, quint32 bytes, void **region1, quint32 *bytes1, void **region2,
                             quint32 *bytes2, quint32 flags);
    AudioResult::code_t unlock(void *region1, quint32 bytes1, void *region2, quint32 bytes2);
    AudioResult::code_t play(quint32 reserved, quint32 priority, quint32 flags);
    AudioResult::code_t stop();
    AudioResult::code_t setCurrentPosition(quint32 position);
    AudioResult::code_t getCurrentPosition(quint32 *play, quint32 *write) const;
    AudioResult::code_t getStatus(quint32 *status) const;
    // Gives a lost buffer back its output: the one it had when that is there
    // again, else the current default output. Never waits.
    AudioResult::code_t restore();
    AudioResult::code_t setVolume(qint32 volume);
    AudioResult::code_t setFrequency(quint32 frequency);

    // The output failed: playback stops and the memory is gone until
    // restore() succeeds and the owner fills it again. Also done when the
    // output leaves the system's list of outputs.
    void markLost();
    const QAudioDevice &output() const { return m_output; }

    quint32 size() const { return quint32(m_data->size()); }
    quint32 flags() const { return m_flags; }
    const QAudioFormat &format() const { return m_format; }
    // The sink of the current playback; null while stopped.
    QAudioSink *sink() const { return m_sink; }

private:
    void onSinkStateChanged(QAudio::State state);
    void onOutputsChanged();
    bool outputPresent() const;
    QAudioFormat sinkFormat() const;
    AudioResult::code_t startSink(qint64 position, bool looping);
    void stopSink();
    qint64 playCursor() const;

    QAudioDevice m_output;
    QAudioFormat m_format;
    std::shared_ptr<QByteArray> m_data;
    quint32 m_flags;
    QAudioSink *m_sink = nullptr;
    AudioBufferStream *m_stream = nullptr;
    QMediaDevices *m_devices = nullptr;
    QTimer *m_outputWatch = nullptr;
    qint64 m_position = 0;      // play cursor while not playing
    qint64 m_startPosition = 0; // where the current playback began
    bool m_playing = false;
    bool m_looping = false;
    bool m_lost = false;
    bool m_switching = false; // the sink's own state changes are ours
    qint32 m_volume = 0;
    quint32 m_frequency = FrequencyOriginal;
};
