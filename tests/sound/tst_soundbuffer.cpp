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

// What the output reports as played of a buffer's playback. It is read just
// before each event this thread handles, among them the sink's feeding
// timer, so the last reading comes right before the sink's last feed, however
// late this thread gets to run on a busy machine.
class PlayedWatch : public QObject
{
public:
    explicit PlayedWatch(AudioBuffer *buffer)
        : m_buffer(buffer)
    {
        QCoreApplication::instance()->installEventFilter(this);
        read();
    }

    void read()
    {
        // The sink of the playback that runs now; a finished one is gone.
        if (QAudioSink *sink = m_buffer->sink())
            m_playedUs = qMax(m_playedUs, sink->processedUSecs());
    }

    qint64 playedMs() const { return m_playedUs / 1000; }

protected:
    bool eventFilter(QObject *, QEvent *) override
    {
        read();
        return false;
    }

private:
    AudioBuffer *m_buffer;
    qint64 m_playedUs = 0;
};

// The buffers on a real output: what they hold, how they play, stop, loop and
// come back after being lost.
//
// The sound server shares the machine with everything else: it may report an
// underrun, take its time to play, to list a new output or to drop one that
// went, and the test thread may wait long to run. No check depends on how
// soon something happens; waits are long and only bound a failure.
class TestSoundBuffer : public QObject
{
    Q_OBJECT

private:
    static constexpr quint32 Rate = 22050;
    static constexpr int ClipMs = 600;
    // A single play that the test may well catch in its middle.
    static constexpr int LongClipMs = 3000;
    static constexpr int Patience = 30000;

    QTemporaryDir m_dir;
    QWidget m_window;
    QString m_clip;     // 16-bit mono, ClipMs long
    QString m_longClip; // the same, LongClipMs long
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

    // Waits for a single play that runs now to end; the longest time the
    // output reported as played, in milliseconds, or -1 when it did not end.
    static qint64 playedUntilEnd(AudioBuffer *buffer)
    {
        PlayedWatch watch(buffer);
        QElapsedTimer clock;
        clock.start();
        while (playing(buffer)) {
            if (clock.elapsed() > Patience)
                return -1;
            watch.read();
            QTest::qWait(10);
        }
        return watch.playedMs();
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
        m_longClip = store(
            QStringLiteral("long.wav"),
            WavBuilder::pcmWave(WavBuilder::samples(int(Rate) * LongClipMs / 1000, 1, 16, Rate), 1, Rate, 16));
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
        // It ends by itself, having played its length once: not less, and
        // not round again. (The sound server's stream of a playing buffer is
        // looked at in loopsAndResumesWhereItStopped: this play may be over
        // before a look at the server's streams comes back.)
        const qint64 played = playedUntilEnd(buffer);
        QVERIFY2(played >= 0, "the single play did not end");
        QVERIFY2(clock.elapsed() >= ClipMs / 2, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(played >= ClipMs * 8 / 10 && played <= ClipMs + 100, qPrintable(QString::number(played)));
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 0, Patience);
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
        QTRY_VERIFY_WITH_TIMEOUT(buffer->sink()->processedUSecs() > qint64(ClipMs) * 2000, Patience);
        QVERIFY(playing(buffer));
        // The sound server sees a stream of ours running.
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 1, Patience);
        // Somewhere inside the clip, not at its start.
        QTRY_VERIFY_WITH_TIMEOUT(position(buffer) > bytesFor(100) && position(buffer) < bytesFor(ClipMs - 100),
                                 Patience);

        sound.stop();
        QVERIFY(!playing(buffer));
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 0, Patience);
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
        std::unique_ptr<DXSound> loaded = load(m_longClip);
        QVERIFY(loaded);
        AudioBuffer *buffer = loaded->buffer(0);
        DXSoundSound sound(std::move(loaded));

        // The first play is caught in its middle; on a busy machine it may
        // end before the test looks, and is then played again.
        for (int attempt = 0; attempt < 10 && !(playing(buffer) && position(buffer) > bytesFor(200)); ++attempt) {
            sound.play(false);
            QTRY_VERIFY_WITH_TIMEOUT(position(buffer) > bytesFor(200) || !playing(buffer), Patience);
        }
        QVERIFY(playing(buffer));
        QVERIFY(position(buffer) > bytesFor(200));
        QElapsedTimer clock;
        clock.start();
        sound.play(false);
        QVERIFY(playing(buffer));
        QVERIFY(position(buffer) < bytesFor(100));
        // The second play ran its whole length.
        const qint64 played = playedUntilEnd(buffer);
        QVERIFY2(played >= LongClipMs * 9 / 10, qPrintable(QString::number(played)));
        QVERIFY2(clock.elapsed() >= LongClipMs / 2, qPrintable(QString::number(clock.elapsed())));

        // A single play also starts over after a stopped loop.
        sound.play(true);
        QTRY_VERIFY_WITH_TIMEOUT(position(buffer) > bytesFor(200), Patience);
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
        QTRY_VERIFY_WITH_TIMEOUT(!playing(buffer), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 0, Patience);
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
        QTRY_VERIFY_WITH_TIMEOUT(buffer->sink()->processedUSecs() > 600000, Patience);
        QVERIFY(playing(buffer));
        // A partial frame would fail the output's writes. An underrun is no
        // fault of ours: a busy sound server may report one, and playback
        // goes on.
        const QAudio::Error error = buffer->sink()->error();
        QVERIFY2(error == QAudio::NoError || error == QAudio::UnderrunError, qPrintable(QString::number(error)));
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
        // However late the list of outputs learns of it.
        QTRY_VERIFY_WITH_TIMEOUT(QMediaDevices::audioOutputs().isEmpty(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(status(looping), quint32(AudioBuffer::StatusLost), Patience);
        // An idle buffer learns of it when it is played.
        sound.play(false);
        QCOMPARE(status(buffer), quint32(AudioBuffer::StatusLost));
        // Plays fail, again and again, rather than succeed on no output or
        // hang. (Restoring once waited a second for the output on every play:
        // how long a play takes is a timing question that a loaded machine
        // changes, not one for this test.)
        for (int i = 0; i < 3; ++i)
            QCOMPARE(other->play(0, 0, 0, -1, 0), AudioResult::BufferLost);

        // Another output appears: the next play goes there, refilled. Both
        // loop, so that the server's streams are looked at while they run.
        QVERIFY(PulseProbe::command({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                     QStringLiteral("sink_name=mahjong_back")}));
        QTRY_VERIFY_WITH_TIMEOUT(!QMediaDevices::defaultAudioOutput().isNull(), Patience);
        QCOMPARE(other->play(0, AudioBuffer::PlayLooping, 0, -1, 0), AudioResult::Ok);
        QVERIFY(playing(looping));
        QCOMPARE(looping->output().id(), QMediaDevices::defaultAudioOutput().id());
        QCOMPARE(contents(looping), m_samples);
        // Also one that never noticed the old output leave.
        QCOMPARE(unplayed->play(0, AudioBuffer::PlayLooping, 0, -1, 0), AudioResult::Ok);
        QCOMPARE(unplayed->buffer(0)->output().id(), QMediaDevices::defaultAudioOutput().id());
        PulseProbe probe;
        QTRY_COMPARE_WITH_TIMEOUT(probe.runningStreams(), 2, Patience);
        other->stop();
        unplayed->stop();
    }
};

QTEST_MAIN(TestSoundBuffer)
#include "tst_soundbuffer.moc"
