#include "WavBuilder.h"

#include <QFile>
#include <QtEndian>

#include <cmath>

QByteArray WavBuilder::u16(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 2);
}

QByteArray WavBuilder::u32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray WavBuilder::chunk(const char *id, quint32 declaredSize, const QByteArray &bytes)
{
    QByteArray out(id, 4);
    out += u32(declaredSize) + bytes;
    if (bytes.size() & 1)
        out += '\0';
    return out;
}

QByteArray WavBuilder::chunk(const char *id, const QByteArray &bytes)
{
    return chunk(id, quint32(bytes.size()), bytes);
}

QByteArray WavBuilder::riff(const QByteArray &chunks, qint64 declaredSize, const char *form)
{
    const quint32 size = declaredSize < 0 ? quint32(chunks.size() + 4) : quint32(declaredSize);
    return QByteArray("RIFF", 4) + u32(size) + QByteArray(form, 4) + chunks;
}

QByteArray WavBuilder::pcmFormat(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 align = quint16(channels * bits / 8);
    return u16(tag) + u16(channels) + u32(rate) + u32(rate * align) + u16(align) + u16(bits);
}

QByteArray WavBuilder::samples(int frames, quint16 channels, quint16 bits, quint32 rate)
{
    QByteArray out;
    for (int i = 0; i < frames; ++i) {
        const double v = 0.3 * std::sin(2 * M_PI * 440.0 * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (bits == 8)
                out += char(quint8(128 + v * 127));
            else if (bits == 16)
                out += u16(quint16(qint16(v * 32767)));
            else
                out += u32(quint32(qint32(v * 2147483647.0)));
        }
    }
    return out;
}

QByteArray WavBuilder::pcmWave(const QByteArray &data, quint16 channels, quint32 rate, quint16 bits)
{
    return riff(chunk("fmt ", pcmFormat(1, channels, rate, bits)) + chunk("data", data));
}

void WavBuilder::write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}
