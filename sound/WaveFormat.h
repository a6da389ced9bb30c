#pragma once

#include <QByteArray>
#include <QtGlobal>

// The format record of a WAVE file: the 16 bytes of the PCM format, a 16-bit
// extra size and that many extra bytes, little-endian as stored in the file.
class WaveFormat
{
public:
    enum tag_t { Pcm = 1, IeeeFloat = 3, Extensible = 0xFFFE };
    static constexpr int PcmSize = 16;
    static constexpr int HeaderSize = 18;

    WaveFormat() = default;
    // pcm: the 16 bytes of the PCM format; extra: the bytes behind the header.
    WaveFormat(const QByteArray &pcm, const QByteArray &extra);

    quint16 formatTag() const { return u16(0); }
    quint16 channels() const { return u16(2); }
    quint32 samplesPerSec() const { return u32(4); }
    quint32 avgBytesPerSec() const { return u32(8); }
    quint16 blockAlign() const { return u16(12); }
    quint16 bitsPerSample() const { return u16(14); }
    quint16 extraSize() const { return u16(16); }
    QByteArray extra() const { return m_record.mid(HeaderSize); }

    // Size of the whole record in bytes (18 + extra size).
    int size() const { return int(m_record.size()); }

private:
    quint16 u16(int offset) const;
    quint32 u32(int offset) const;

    QByteArray m_record;
};
