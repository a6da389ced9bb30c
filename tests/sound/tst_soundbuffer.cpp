#include "PulseProbe.h"
#include "WavBuilder.h"

#include "sound/AudioBuffer.h"
#include "sound/AudioBufferDesc.h"
#include "sound/AudioBufferStream.h"
#include "sound/AudioDevice.h"
#include "sound/DXSound.h"
#include "sound/DXSoundDevice.h"
#include "sound/DXSoundSound.h"
#include "sound/WaveFileReader.h"

#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

// The buffers on a real output: what they hold, how they play, stop, loop and
// come back after being lost.
class TestSoundBuffer : public QObject
{
    Q_OBJECT

private:
    static constexpr quint32 Rate = 22050;
    static constexpr int ClipMs = 600;

    QTemporaryDir m_dir;
    QWidget m_window;
    QString m_clip; // 16-bit mono, ClipMs long
    QByteArray m_samples;

    QString store(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        WavBuilder::write(path, bytes);
        return path;
    }

    std::unique_ptr<DXSound> load(const QString &path, int buffers = 1)
    {
        std::unique_ptr<DXSound> sound;
        const AudioResult::code_t result = DXSoundDevice::instance().createSound(&sound, path, 0, QUuid(), buffers);
        if (result != AudioResult::Ok)
            qWarning("createSound: %x", unsigned(result));
        return sound;
    }

    static QByteArray contents(AudioBuffer *buffer)
    {
        void *region = nullptr;
        quint32 bytes = 0;
        if (buffer->lock(0, 0, &region, &bytes, nullptr, nullptr, AudioBuffer::LockEntireBuffer) != AudioResult::Ok)
            return {};
        QByteArray copy(static_cast<const char *>(region), bytes);
        buffer->unlock(region, bytes, nullptr, 0);
        return copy;
    }

    static quint32 status(AudioBuffer *buffer)
    {
        quint32 s = 0xFFFF;
        buffer->getStatus(&s);
        return s;
    }

    static quint32 position(AudioBuffer *buffer)
    {
        quint32 play = 0;
        buffer->getCurrentPosition(&play, nullptr);
        return play;
    }

    static bool playing(AudioBuffer *buffer) { return status(buffer) & AudioBuffer::StatusPlaying; }

    // Waits for a single play to end; the longest time the output reported
    // as played, in milliseconds, or -1 when it did not end.
    static qint64 playedUntilEnd(AudioBuffer *buffer)
    {
        qint64 played = 0;
        QElapsedTimer clock;
        clock.start();
        while (playing(buffer)) {
            if (clock.elapsed() > 3000 + ClipMs)
                return -1;
            if (QAudioSink *sink = buffer->sink())
                played = qMax(played, sink->processedUSecs() / 1000);
            QTest::qWait(10);
        }
        return played;
    }

    static quint32 bytesFor(int ms) { return quint32(ms) * Rate / 1000 * 2; }

private slots:
    void initTestCase()
    {
        if (QMediaDevices::audioOutputs().isEmpty())
            QSKIP("no audio output: the PulseAudio fixture is not running");
        QVERIFY(m_dir.isValid());
        QCOMPARE(DXSoundDevice::instance().initialise(&m_window, AudioDevice::LevelPriority), AudioResult::Ok);
        QCOMPARE(DXSoundDevice::instance().device()->cooperativeLevel(), 2);
        m_samples = WavBuilder::samples(int(Rate) * ClipMs / 1000, 1, 16, Rate);
        m_clip = store(QStringLiteral("clip.wav"), WavBuilder::pcmWave(m_samples, 1, Rate, 16));
    }

    void cleanupTestCase() { DXSoundDevice::instance().release(); }

    void initialiseReportsLevelFailure()
    {
        DXSoundDevice device;
        // The output stays usable when only the sharing level was refused.
        QCOMPARE(device.initialise(nullptr, AudioDevice::LevelPriority), AudioResult::InvalidArg);
        QVERIFY(device.device());
        QCOMPARE(device.initialise(&m_window, 9), AudioResult::InvalidArg);
        device.release();
        QVERIFY(!device.device());
    }

    void refusesWhatCannotPlay()
    {
        AudioDevice *device = DXSoundDevice::instance().device();
        const QByteArray pcm24 = WavBuilder::pcmFormat(1, 1, Rate, 24);
        WaveFormat format24(pcm24, {});
        WaveFormat format16(WavBuilder::pcmFormat(1, 1, Rate, 16), {});
        std::unique_ptr<AudioBuffer> buffer;
        AudioBufferDesc desc;
        desc.bufferBytes = 1000;
        QCOMPARE(device->createBuffer(desc, &buffer), AudioResult::InvalidArg);
        desc.format = &format24;
        QCOMPARE(device->createBuffer(desc, &buffer), AudioResult::BadFormat);
        desc.format = &format16;
        desc.bufferBytes = 2;
        QCOMPARE(device->createBuffer(desc, &buffer), AudioResult::InvalidArg);
        // Less than one frame of 32-bit stereo.
        WaveFormat format32(WavBuilder::pcmFormat(1, 2, Rate, 32), {});
        desc.format = &format32;
        desc.bufferBytes = 6;
        QCOMPARE(device->createBuffer(desc, &buffer), AudioResult::InvalidArg);
        desc.format = &format16;
        desc.bufferBytes = 1000;
        desc.flags = 0x40; // pan control
        QCOMPARE(device->createBuffer(desc, &buffer), AudioResult::ControlUnavailable);
        desc.flags = 0;
        desc.algorithm3d = QUuid::createUuid();
        QCOMPARE(device->createBuffer(desc, &buffer), AudioResult::InvalidArg);
        QVERIFY(!buffer);

        std::unique_ptr<DXSound> sound;
        DXSoundDevice &sounds = DXSoundDevice::instance();
        QCOMPARE(sounds.createSound(&sound, QString(), 0, QUuid(), 1), AudioResult::InvalidArg);
        QCOMPARE(sounds.createSound(nullptr, m_clip, 0, QUuid(), 1), AudioResult::InvalidArg);
        QCOMPARE(sounds.createSound(&sound, m_clip, 0, QUuid(), 0), AudioResult::InvalidArg);
        QCOMPARE(sounds.createSound(&sound, m_dir.filePath("missing.wav"), 0, QUuid(), 1), AudioResult::Fail);
        const QString noData = store(
            "nodata.wav", WavBuilder::riff(WavBuilder::chunk("fmt ", WavBuilder::pcmFormat(1, 1, Rate, 16))));
        QCOMPARE(sounds.createSound(&sound, noData, 0, QUuid(), 1), AudioResult::Fail);
        const QString emptyData = store("empty.wav", WavBuilder::pcmWave({}, 1, Rate, 16));
        QCOMPARE(sounds.createSound(&sound, emptyData, 0, QUuid(), 1), AudioResult::Fail);
        const QString deep = store("deep.wav", WavBuilder::pcmWave(QByteArray(300, 'x'), 1, Rate, 24));
        QCOMPARE(sounds.createSound(&sound, deep, 0, QUuid(), 1), AudioResult::BadFormat);
        QVERIFY(!sound);
    }

    void lockGivesRegions()
    {
        WaveFormat format(WavBuilder::pcmFormat(1, 1, Rate, 8), {});
        AudioBufferDesc desc;
        desc.format = &format;
        desc.bufferBytes = 100;
        std::unique_ptr<AudioBuffer> buffer;
        QCOMPARE(DXSoundDevice::instance().device()->createBuffer(desc, &buffer), AudioResult::Ok);

        void *first = nullptr, *second = nullptr;
        quint32 firstBytes = 0, secondBytes = 0;
        QCOMPARE(buffer->lock(90, 20, &first, &firstBytes, &second, &secondBytes, 0), AudioResult::Ok);
        QCOMPARE(firstBytes, 10u);
        QCOMPARE(secondBytes, 10u);
        QCOMPARE(static_cast<char *>(first) - static_cast<char *>(second), 90);
        std::memset(first, 'a', firstBytes);
        std::memset(second, 'b', secondBytes);
        QCOMPARE(buffer->unlock(first, firstBytes, second, secondBytes), AudioResult::Ok);
        QCOMPARE(contents(buffer.get()), QByteArray(10, 'b') + QByteArray(80, '\0') + QByteArray(10, 'a'));

        QCOMPARE(buffer->lock(90, 20, &first, &firstBytes, nullptr, nullptr, 0), AudioResult::Ok);
        QCOMPARE(firstBytes, 10u);
        QCOMPARE(buffer->lock(100, 1, &first, &firstBytes, nullptr, nullptr, 0), AudioResult::InvalidArg);
        QCOMPARE(buffer->lock(0, 101, &first, &firstBytes, nullptr, nullptr, 0), AudioResult::InvalidArg);
        QCOMPARE(buffer->lock(0, 0, nullptr, &firstBytes, nullptr, nullptr, 2), AudioResult::InvalidArg);
        char elsewhere[4];
        QCOMPARE(buffer->unlock(elsewhere, 4, nullptr, 0), AudioResult::InvalidArg);

        QCOMPARE(buffer->setVolume(-100), AudioResult::ControlUnavailable);
        QCOMPARE(buffer->setFrequency(11025), AudioResult::ControlUnavailable);
        QCOMPARE(buffer->setCurrentPosition(100), AudioResult::InvalidArg);
        QCOMPARE(buffer->play(0, 1, 0), AudioResult::InvalidArg);
    }

    void soundFillsItsBuffer_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<char>("silence");
        QTest::newRow("8-bit") << 8 << char(128);
        QTest::newRow("16-bit") << 16 << char(0);
    }

    void soundFillsItsBuffer()
    {
        QFETCH(int, bits);
        QFETCH(char, silence);
        const QByteArray data = WavBuilder::samples(500, 1, quint16(bits), Rate);
        const QString path = store(QStringLiteral("fill%1.wav").arg(bits),
                                   WavBuilder::pcmWave(data, 1, Rate, quint16(bits)));
        std::unique_ptr<DXSound> sound = load(path, 3);
        QVERIFY(sound);
        QCOMPARE(sound->bufferCount(), 3);
        QCOMPARE(sound->bufferSize(), quint32(data.size()));
        QCOMPARE(contents(sound->buffer(0)), data);
        // Further buffers share the memory of the first.
        QCOMPARE(contents(sound->buffer(2)), data);

        // A buffer longer than the data: the rest is silence of the format.
        auto reader = std::make_unique<WaveFileReader>();
        QCOMPARE(reader->open(path), AudioResult::Ok);
        AudioBufferDesc desc;
        desc.format = reader->format();
        desc.bufferBytes = quint32(data.size() + 64);
        std::vector<std::unique_ptr<AudioBuffer>> buffers(1);
        QCOMPARE(DXSoundDevice::instance().device()->createBuffer(desc, &buffers[0]), AudioResult::Ok);
        AudioBuffer *buffer = buffers[0].get();
        DXSound longer(std::move(buffers), desc.bufferBytes, std::move(reader), 0);
        QCOMPARE(longer.fill(), AudioResult::Ok);
        QCOMPARE(contents(buffer), data + QByteArray(64, silence));
    }

    void unfilledBufferIsNoSound()
    {
        // The file loses its samples between reading the header and filling
        // the buffer: the fill fails instead of leaving silence or garbage.
        const QByteArray data = WavBuilder::samples(500, 1, 16, Rate);
        const QString path = store(QStringLiteral("shrinks.wav"), WavBuilder::pcmWave(data, 1, Rate, 16));
        auto reader = std::make_unique<WaveFileReader>();
        QCOMPARE(reader->open(path), AudioResult::Ok);
        QVERIFY(QFile::resize(path, 44 + 100));
        AudioBufferDesc desc;
        desc.format = reader->format();
        desc.bufferBytes = reader->dataSize();
        std::vector<std::unique_ptr<AudioBuffer>> buffers(1);
        QCOMPARE(DXSoundDevice::instance().device()->createBuffer(desc, &buffers[0]), AudioResult::Ok);
        DXSound sound(std::move(buffers), desc.bufferBytes, std::move(reader), 0);
        QVERIFY(AudioResult::failed(sound.fill()));
    }

    void playsOnceForAboutItsLength()
    {
        std::unique_ptr<DXSound> loaded = load(m_clip);
        QVERIFY(loaded);
        AudioBuffer *buffer = loaded->buffer(0);
        DXSoundSound sound(std::move(loaded));
        PulseProbe probe;

        QElapsedTimer clock;
        clock.start();
        sound.play(false);
        QVERIFY(playing(buffer));
        QVERIFY(!(status(buffer) & AudioBuffer::StatusLooping));
        // The sound server sees a stream of ours running.
        QTRY_VERIFY_WITH_TIMEOUT(probe.runningStreams() == 1, 3000);
        const qint64 played = playedUntilEnd(buffer);
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= ClipMs / 2 && took <= ClipMs + 2500, qPrintable(QString::number(took)));
        QVERIFY2(played >= ClipMs * 8 / 10 && played <= ClipMs + 100, qPrintable(QString::number(played)));
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 0, 3000);
        // A finished single play starts over.
        QCOMPARE(position(buffer), 0u);
    }

    void loopsAndResumesWhereItStopped()
    {
        std::unique_ptr<DXSound> loaded = load(m_clip);
        QVERIFY(loaded);
        AudioBuffer *buffer = loaded->buffer(0);
        DXSoundSound sound(std::move(loaded));
        PulseProbe probe;

        sound.play(true);
        QCOMPARE(status(buffer), quint32(AudioBuffer::StatusPlaying | AudioBuffer::StatusLooping));
        // Well past the end of the clip it still plays.
        QTRY_VERIFY_WITH_TIMEOUT(buffer->sink()->processedUSecs() > qint64(ClipMs) * 2000, 5000);
        QVERIFY(playing(buffer));
        // Somewhere inside the clip, not at its start.
        QTRY_VERIFY_WITH_TIMEOUT(position(buffer) > bytesFor(100) && position(buffer) < bytesFor(ClipMs - 100), 3000);

        QCOMPARE(probe.runningStreams(), 1);
        sound.stop();
        QVERIFY(!playing(buffer));
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 0, 3000);
        const quint32 stoppedAt = position(buffer);
        QVERIFY(stoppedAt > 0 && stoppedAt < buffer->size());
        QTest::qWait(200);
        QCOMPARE(position(buffer), stoppedAt);

        sound.play(true);
        QVERIFY(playing(buffer));
        const quint32 resumedAt = position(buffer);
        QVERIFY2(resumedAt >= stoppedAt && resumedAt < stoppedAt + bytesFor(150),
                 qPrintable(QStringLiteral("%1 -> %2").arg(stoppedAt).arg(resumedAt)));
        sound.stop();
    }

    void singlePlayRestartsFromTheBeginning()
    {
        std::unique_ptr<DXSound> loaded = load(m_clip);
        QVERIFY(loaded);
        AudioBuffer *buffer = loaded->buffer(0);
        DXSoundSound sound(std::move(loaded));

        sound.play(false);
        QTRY_VERIFY_WITH_TIMEOUT(position(buffer) > bytesFor(200), 3000);
        QVERIFY(playing(buffer));
        QElapsedTimer clock;
        clock.start();
        sound.play(false);
        QVERIFY(playing(buffer));
        QVERIFY(position(buffer) < bytesFor(100));
        // The second play ran its whole length.
        const qint64 played = playedUntilEnd(buffer);
        QVERIFY2(played >= ClipMs * 8 / 10, qPrintable(QString::number(played)));
        QVERIFY2(clock.elapsed() >= ClipMs / 2, qPrintable(QString::number(clock.elapsed())));

        // A single play also starts over after a stopped loop.
        sound.play(true);
        QTRY_VERIFY_WITH_TIMEOUT(position(buffer) > bytesFor(200), 3000);
        sound.stop();
        sound.play(false);
        QVERIFY(position(buffer) < bytesFor(100));
        sound.stop();
    }

    void rapidReplaysLeaveNothingBehind()
    {
        // As when the pointer runs over a row of tiles.
        const QString tick = store(QStringLiteral("tick.wav"),
                                   WavBuilder::pcmWave(WavBuilder::samples(900, 1, 16, Rate), 1, Rate, 16));
        std::unique_ptr<DXSound> loaded = load(tick);
        QVERIFY(loaded);
        AudioBuffer *buffer = loaded->buffer(0);
        DXSoundSound sound(std::move(loaded));
        PulseProbe probe;
        for (int i = 0; i < 40; ++i) {
            sound.play(false);
            QTest::qWait(5);
        }
        QVERIFY(probe.runningStreams() <= 1);
        QTRY_VERIFY_WITH_TIMEOUT(!playing(buffer), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 0, 3000);
    }

    void streamHandsOutWholeFramesFromItsPosition()
    {
        // Ten bytes of four-byte frames: the loop wraps after eight, or every
        // later frame would be shifted into noise.
        auto data = std::make_shared<QByteArray>("abcdefghij");
        AudioBufferStream stream(data, 4);
        stream.restart(0, true);
        QCOMPARE(stream.read(6), QByteArray("abcdef"));
        QCOMPARE(stream.read(12), QByteArray("ghabcdefghab"));
        // Nothing read ahead before a restart is handed out after it.
        stream.restart(4, false);
        QCOMPARE(stream.read(24), QByteArray("efgh"));
        QVERIFY(stream.drained());
        QCOMPARE(stream.read(4), QByteArray());
    }

    void partialFrameIsNeverPlayed()
    {
        // A data chunk that ends inside a frame: the output refuses a partial
        // frame outright.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("pa_stream_write")));
        QByteArray samples = WavBuilder::samples(int(Rate) * 3 / 10, 2, 16, Rate);
        samples += "xy";
        const QString path = store(QStringLiteral("partial.wav"), WavBuilder::pcmWave(samples, 2, Rate, 16));
        std::unique_ptr<DXSound> loaded = load(path);
        QVERIFY(loaded);
        AudioBuffer *buffer = loaded->buffer(0);
        DXSoundSound sound(std::move(loaded));
        sound.play(true);
        // Over the partial frame twice.
        QTRY_VERIFY_WITH_TIMEOUT(buffer->sink()->processedUSecs() > 600000, 5000);
        QVERIFY(playing(buffer));
        QCOMPARE(buffer->sink()->error(), QAudio::NoError);
        sound.stop();
        QCOMPARE(position(buffer) % 4, 0u);
        sound.play(false);
        const qint64 played = playedUntilEnd(buffer);
        QVERIFY2(played >= 300 * 8 / 10, qPrintable(QString::number(played)));
    }

    void lostBufferIsRestoredAndRefilled()
    {
        std::unique_ptr<DXSound> loaded = load(m_clip);
        QVERIFY(loaded);
        AudioBuffer *buffer = loaded->buffer(0);
        DXSoundSound sound(std::move(loaded));

        sound.play(true);
        buffer->markLost();
        QCOMPARE(status(buffer), quint32(AudioBuffer::StatusLost));
        void *region = nullptr;
        quint32 bytes = 0;
        QCOMPARE(buffer->lock(0, 4, &region, &bytes, nullptr, nullptr, 0), AudioResult::BufferLost);
        QCOMPARE(buffer->play(0, 0, 0), AudioResult::BufferLost);

        sound.play(false);
        QCOMPARE(status(buffer), quint32(AudioBuffer::StatusPlaying));
        QCOMPARE(contents(buffer), m_samples);
        const qint64 played = playedUntilEnd(buffer);
        QVERIFY2(played >= ClipMs * 8 / 10, qPrintable(QString::number(played)));

        // The output itself goes away while a loop plays (a headset pulled
        // out): the buffer is lost, and plays fail at once rather than hang
        // or stall the GUI thread.
        std::unique_ptr<DXSound> other = load(m_clip);
        QVERIFY(other);
        std::unique_ptr<DXSound> unplayed = load(m_clip);
        QVERIFY(unplayed);
        AudioBuffer *looping = other->buffer(0);
        QCOMPARE(other->play(0, AudioBuffer::PlayLooping, 0, -1, 0), AudioResult::Ok);
        QVERIFY(PulseProbe::command({QStringLiteral("unload-module"), QStringLiteral("module-null-sink")}));
        QTRY_VERIFY_WITH_TIMEOUT(QMediaDevices::audioOutputs().isEmpty(), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(status(looping), quint32(AudioBuffer::StatusLost), 3000);
        // An idle buffer learns of it when it is played.
        sound.play(false);
        QCOMPARE(status(buffer), quint32(AudioBuffer::StatusLost));
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(other->play(0, 0, 0, -1, 0), AudioResult::BufferLost);
            // Restoring used to wait a second for the output on every play.
            QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
        }

        // Another output appears: the next play goes there, refilled.
        QVERIFY(PulseProbe::command({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                     QStringLiteral("sink_name=mahjong_back")}));
        QTRY_VERIFY_WITH_TIMEOUT(!QMediaDevices::defaultAudioOutput().isNull(), 3000);
        QCOMPARE(other->play(0, 0, 0, -1, 0), AudioResult::Ok);
        QVERIFY(playing(looping));
        QCOMPARE(looping->output().id(), QMediaDevices::defaultAudioOutput().id());
        QCOMPARE(contents(looping), m_samples);
        // Also one that never noticed the old output leave.
        QCOMPARE(unplayed->play(0, 0, 0, -1, 0), AudioResult::Ok);
        QCOMPARE(unplayed->buffer(0)->output(), QMediaDevices::defaultAudioOutput());
        PulseProbe probe;
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 2, 3000);
    }
};

QTEST_MAIN(TestSoundBuffer)
#include "tst_soundbuffer.moc"
