// libFuzzer target: arbitrary bytes as a tile-set cache file, read the way
// the cache lookup reads one. A refusal is an exception or a stream status
// other than Ok; any crash, leak, undefined behaviour or unbounded
// allocation is a finding.
#include "scene/TileImages.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>

#include <cstddef>
#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    if (size < 1)
        return 0;
    // First byte odd: a valid header (version, proportions, scale 1) comes
    // first, so the fuzzing reaches the pictures and records behind it.
    QByteArray bytes;
    {
        QDataStream header(&bytes, QIODevice::WriteOnly);
        header.setVersion(QDataStream::Qt_4_2);
        header.setByteOrder(QDataStream::BigEndian);
        header.setFloatingPointPrecision(QDataStream::DoublePrecision);
        if (data[0] & 1)
            header << TileImages::CacheVersion << 1.0 << 1.15 << 1.0;
    }
    bytes.append(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_4_2);
    in.setByteOrder(QDataStream::BigEndian);
    in.setFloatingPointPrecision(QDataStream::DoublePrecision);
    try {
        TileImages images(in);
        if (in.status() == QDataStream::Ok) {
            // A set that read cleanly must be usable.
            images.dimMask();
        }
    } catch (const std::exception &) {
    }
    return 0;
}
