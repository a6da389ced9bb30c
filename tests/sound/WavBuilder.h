#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Writes RIFF/WAVE files byte by byte for the tests, sizes and all, so that
// well-formed and malformed files come from the same few lines.
class WavBuilder
{
public:
    // A chunk: id, the size written in its header, and its bytes (a size that
    // differs from bytes.size() makes a lying header).
    static QByteArray chunk(const char *id, quint32 declaredSize, const QByteArray &bytes);
    static QByteArray chunk(const char *id, const QByteArray &bytes);
    // "RIFF" <size> "WAVE" followed by the chunks; size counted unless given.
    static QByteArray riff(const QByteArray &chunks, qint64 declaredSize = -1, const char *form = "WAVE");
    // The 16 PCM format bytes.
    static QByteArray pcmFormat(quint16 tag, quint16 channels, quint32 rate, quint16 bits);
    // Samples of a quiet sine, frames * channels * bits / 8 bytes.
    static QByteArray samples(int frames, quint16 channels, quint16 bits, quint32 rate = 22050);
    // A complete PCM file.
    static QByteArray pcmWave(const QByteArray &samples, quint16 channels, quint32 rate, quint16 bits);
    static QByteArray u16(quint16 value);
    static QByteArray u32(quint32 value);
    static void write(const QString &path, const QByteArray &bytes);
};
