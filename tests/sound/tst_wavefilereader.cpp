#include "WavBuilder.h"

#include "sound/DXSound.h"
#include "sound/DXSoundDevice.h"
#include "sound/WaveFileReader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestWaveFileReader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString store(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("f%1.wav").arg(m_files++));
        WavBuilder::write(path, bytes);
        return path;
    }

    // Reads the whole data chunk in odd-sized steps.
    static QByteArray readAll(WaveFileReader &reader)
    {
        QByteArray all;
        quint8 piece[97];
        for (;;) {
            quint32 got = 0;
            if (AudioResult::failed(reader.read(piece, sizeof piece, &got)))
                return "<read failed>";
            if (got == 0)
                return all;
            all.append(reinterpret_cast<const char *>(piece), got);
        }
    }

    // A file with a list chunk before the format, an extended format and an
    // odd-sized chunk with its pad byte before the data.
    static QByteArray richFile(const QByteArray &data)
    {
        const QByteArray format = WavBuilder::pcmFormat(0x11, 1, 22050, 4) + WavBuilder::u16(2) + "\x01\x02";
        return WavBuilder::riff(WavBuilder::chunk("LIST", QByteArray("INFOISFT") + WavBuilder::u32(3) + "ab\0\0")
                                + WavBuilder::chunk("fmt ", format) + WavBuilder::chunk("junk", "odd")
                                + WavBuilder::chunk("data", data));
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void readsPcmFile_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::newRow("8-bit mono") << 1 << 8;
        QTest::newRow("16-bit stereo") << 2 << 16;
        QTest::newRow("32-bit mono") << 1 << 32;
    }

    void readsPcmFile()
    {
        QFETCH(int, channels);
        QFETCH(int, bits);
        const QByteArray data = WavBuilder::samples(1001, quint16(channels), quint16(bits));
        WaveFileReader reader;
        QCOMPARE(reader.open(store(WavBuilder::pcmWave(data, quint16(channels), 22050, quint16(bits)))),
                 AudioResult::Ok);

        const WaveFormat *format = reader.format();
        QVERIFY(format);
        QCOMPARE(format->size(), 18);
        QCOMPARE(format->formatTag(), quint16(1));
        QCOMPARE(format->channels(), quint16(channels));
        QCOMPARE(format->samplesPerSec(), 22050u);
        QCOMPARE(format->blockAlign(), quint16(channels * bits / 8));
        QCOMPARE(format->avgBytesPerSec(), quint32(22050 * channels * bits / 8));
        QCOMPARE(format->bitsPerSample(), quint16(bits));
        QCOMPARE(format->extraSize(), quint16(0));
        QCOMPARE(reader.dataSize(), quint32(data.size()));

        QCOMPARE(readAll(reader), data);
        QCOMPARE(reader.remaining(), 0u);
        // The size stays while the bytes still to read count down.
        QCOMPARE(reader.dataSize(), quint32(data.size()));

        QCOMPARE(reader.rewind(), AudioResult::Ok);
        QByteArray head(10, '\0');
        quint32 got = 0;
        QCOMPARE(reader.read(reinterpret_cast<quint8 *>(head.data()), 10, &got), AudioResult::Ok);
        QCOMPARE(got, 10u);
        QCOMPARE(head, data.left(10));
        // A read is capped by the bytes left.
        QByteArray rest(data.size() + 50, '\0');
        QCOMPARE(reader.read(reinterpret_cast<quint8 *>(rest.data()), quint32(rest.size()), &got), AudioResult::Ok);
        QCOMPARE(got, quint32(data.size() - 10));
    }

    void readsExtendedFormatsAndSkipsChunks()
    {
        const QByteArray data = WavBuilder::samples(300, 1, 8);
        WaveFileReader reader;
        QCOMPARE(reader.open(store(richFile(data))), AudioResult::Ok);
        QCOMPARE(reader.format()->size(), 20);
        QCOMPARE(reader.format()->formatTag(), quint16(0x11));
        QCOMPARE(reader.format()->extraSize(), quint16(2));
        QCOMPARE(reader.format()->extra(), QByteArray("\x01\x02"));
        QCOMPARE(readAll(reader), data);

        // A non-PCM format whose extra size is 0.
        const QByteArray floatFile = WavBuilder::riff(
            WavBuilder::chunk("fmt ", WavBuilder::pcmFormat(3, 1, 8000, 32) + WavBuilder::u16(0))
            + WavBuilder::chunk("data", WavBuilder::samples(10, 1, 32)));
        QCOMPARE(reader.open(store(floatFile)), AudioResult::Ok);
        QCOMPARE(reader.format()->size(), 18);
        QCOMPARE(reader.format()->formatTag(), quint16(3));
        QCOMPARE(reader.dataSize(), 40u);

        // An odd-sized data chunk at the very end often lacks its pad byte.
        QByteArray odd = WavBuilder::pcmWave("abc", 1, 8000, 8);
        odd.chop(1);
        odd = WavBuilder::riff(odd.mid(12), odd.size() - 8);
        QCOMPARE(reader.open(store(odd)), AudioResult::Ok);
        QCOMPARE(readAll(reader), QByteArray("abc"));
    }

    void readsEmbeddedResources()
    {
        WaveFileReader reader;
        QCOMPARE(reader.open(QStringLiteral("test-beep")), AudioResult::Ok);
        QCOMPARE(reader.dataSize(), 200u);
        QCOMPARE(reader.format()->bitsPerSample(), quint16(8));
        QCOMPARE(readAll(reader).size(), 200);
        QCOMPARE(reader.open(QStringLiteral("test-beep-wav")), AudioResult::Ok);
        QCOMPARE(reader.format()->bitsPerSample(), quint16(16));
        QCOMPARE(reader.dataSize(), 400u);
        QCOMPARE(reader.open(QStringLiteral("no-such-sound")), AudioResult::Fail);
        QCOMPARE(reader.dataSize(), 0u);
    }

    void refusesMalformedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        using W = WavBuilder;
        const QByteArray fmt = W::chunk("fmt ", W::pcmFormat(1, 1, 8000, 8));
        const QByteArray data = W::chunk("data", W::samples(64, 1, 8));
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("only a header") << QByteArray("RIFF");
        QTest::newRow("not RIFF") << QByteArray("RIFX") + W::riff(fmt + data).mid(4);
        QTest::newRow("not WAVE") << W::riff(fmt + data, -1, "AVI ");
        QTest::newRow("no format chunk") << W::riff(data);
        QTest::newRow("format shorter than 16")
            << W::riff(W::chunk("fmt ", W::pcmFormat(1, 1, 8000, 8).left(14)) + data);
        QTest::newRow("non-PCM format without extra size")
            << W::riff(W::chunk("fmt ", W::pcmFormat(2, 1, 8000, 4)) + data);
        QTest::newRow("extra size beyond the format chunk")
            << W::riff(W::chunk("fmt ", W::pcmFormat(2, 1, 8000, 4) + W::u16(100) + "ab") + data);
        QTest::newRow("extra size 65535")
            << W::riff(W::chunk("fmt ", W::pcmFormat(2, 1, 8000, 4) + W::u16(0xFFFF)) + data);
        QTest::newRow("format chunk size 4 GB")
            << W::riff(W::chunk("fmt ", 0xFFFFFFFF, W::pcmFormat(1, 1, 8000, 8)) + data);
        QTest::newRow("data past the end of the file") << W::riff(fmt + W::chunk("data", 1000, W::samples(10, 1, 8)));
        QTest::newRow("data size 4 GB") << W::riff(fmt + W::chunk("data", 0xFFFFFFF0, W::samples(10, 1, 8)));
        QTest::newRow("no data chunk") << W::riff(fmt + W::chunk("junk", "12345678"));
        QTest::newRow("RIFF larger than the file") << W::riff(fmt + data, 100000);
        QTest::newRow("data outside the RIFF chunk") << W::riff(fmt + data, 4 + fmt.size() + 8);
        QTest::newRow("chunk header cut short") << W::riff(fmt + QByteArray("da"));
    }

    void refusesMalformedFiles()
    {
        QFETCH(QByteArray, file);
        WaveFileReader reader;
        QVERIFY(AudioResult::failed(reader.open(store(file))));
        QCOMPARE(reader.dataSize(), 0u);
        quint8 byte;
        quint32 got = 0;
        // Nothing is played from a refused file.
        QVERIFY(AudioResult::failed(reader.read(&byte, 1, &got)) || got == 0);
    }

    void emptyDataIsNoSound()
    {
        WaveFileReader reader;
        QCOMPARE(reader.open(store(WavBuilder::pcmWave(QByteArray(), 1, 8000, 8))), AudioResult::Ok);
        QCOMPARE(reader.dataSize(), 0u);
    }

    void refusesHugeData()
    {
        // A real (sparse) file just over the limit: refused before anything
        // is allocated for it.
        const quint32 size = WaveFileReader::MaxDataSize + 2;
        const QString path = store(WavBuilder::riff(WavBuilder::chunk("fmt ", WavBuilder::pcmFormat(1, 1, 8000, 8))
                                                        + QByteArray("data") + WavBuilder::u32(size),
                                                    4 + 24 + 8 + qint64(size)));
        QFile file(path);
        QVERIFY(file.resize(file.size() + size));
        WaveFileReader reader;
        QCOMPARE(reader.open(path), AudioResult::Fail);
        QCOMPARE(reader.dataSize(), 0u);
    }

    void truncationSweep()
    {
        const QByteArray full = richFile(WavBuilder::samples(40, 1, 8));
        WaveFileReader reader;
        QCOMPARE(reader.open(store(full)), AudioResult::Ok);
        // The data chunk runs to the end, so every shorter file is cut inside
        // some chunk and must be refused.
        const QString path = m_dir.filePath(QStringLiteral("cut.wav"));
        for (int length = 0; length < full.size(); ++length) {
            WavBuilder::write(path, full.left(length));
            const AudioResult::code_t result = reader.open(path);
            if (!AudioResult::failed(result) || reader.dataSize() != 0)
                QFAIL(qPrintable(QStringLiteral("truncated to %1 bytes: accepted").arg(length)));
        }
    }

    void mutationSweep()
    {
        const QByteArray data = WavBuilder::samples(100, 1, 16);
        const QByteArray valid = richFile(data);
        const QString path = m_dir.filePath(QStringLiteral("mutant.wav"));
        QRandomGenerator random(20261207);
        int accepted = 0;
        for (int round = 0; round < 800; ++round) {
            QByteArray file = valid;
            const int changes = 1 + random.bounded(3);
            for (int i = 0; i < changes; ++i) {
                // Mostly the headers, where the sizes are.
                const int at = random.bounded(qMin<int>(file.size(), 90));
                file[at] = char(random.bounded(256));
            }
            WavBuilder::write(path, file);
            WaveFileReader reader;
            if (AudioResult::failed(reader.open(path)) || reader.dataSize() == 0)
                continue;
            ++accepted;
            QVERIFY(reader.format());
            QVERIFY(reader.format()->size() >= 18);
            QVERIFY(reader.dataSize() <= quint32(file.size()) - 20);
            // What was accepted can be read to its announced end.
            QCOMPARE(readAll(reader).size(), qsizetype(reader.dataSize()));
        }
        // Changes in sample bytes or unrelated fields leave a valid file.
        QVERIFY(accepted > 0);
    }

    void argumentsAndState()
    {
        WaveFileReader reader;
        quint8 byte;
        quint32 got;
        QCOMPARE(reader.read(&byte, 1, &got), AudioResult::NotInitialised);
        QCOMPARE(reader.rewind(), AudioResult::NotInitialised);
        QCOMPARE(reader.open(QString()), AudioResult::InvalidArg);
        const QString path = store(WavBuilder::pcmWave("abcd", 1, 8000, 8));
        QCOMPARE(reader.open(path, 1), AudioResult::InvalidArg);
        QCOMPARE(reader.open(path), AudioResult::Ok);
        QCOMPARE(reader.read(nullptr, 1, &got), AudioResult::InvalidArg);
        QCOMPARE(reader.read(&byte, 1, nullptr), AudioResult::InvalidArg);
        reader.close();
        QCOMPARE(reader.read(&byte, 1, &got), AudioResult::NotInitialised);
        QCOMPARE(reader.dataSize(), 0u);
    }

    void noSoundWithoutDevice()
    {
        DXSoundDevice device;
        std::unique_ptr<DXSound> sound;
        QCOMPARE(device.createSound(&sound, store(WavBuilder::pcmWave("abcd", 1, 8000, 8)), 0, QUuid(), 1),
                 AudioResult::NotInitialised);
        QVERIFY(!sound);
    }
};

QTEST_GUILESS_MAIN(TestWaveFileReader)
#include "tst_wavefilereader.moc"
