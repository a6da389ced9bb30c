// libFuzzer target: arbitrary bytes as a sound file, opened by the WAVE
// reader and read to the end twice (with a rewind between). A refusal is a
// failed result code; any crash, leak, undefined behaviour or read outside
// the file is a finding.
#include "sound/WaveFileReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input.wav"));
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    WaveFileReader reader;
    if (AudioResult::failed(reader.open(path)))
        return 0;
    // Odd-sized reads cross every boundary the reader keeps.
    std::vector<quint8> buffer(4093);
    for (int pass = 0; pass < 2; ++pass) {
        quint32 got = 0;
        while (AudioResult::succeeded(reader.read(buffer.data(), quint32(buffer.size()), &got)) && got > 0) {
        }
        reader.rewind();
    }
    reader.close();
    return 0;
}
