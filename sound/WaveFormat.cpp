#include "sound/WaveFormat.h"

#include <QtEndian>

WaveFormat::WaveFormat(const QByteArray &pcm, const QByteArray &extra)
{
    Q_ASSERT(pcm.size() == PcmSize);
    Q_ASSERT(extra.size() <= 0xFFFF);
    m_record = pcm;
    char size[2];
    qToLittleEndian<quint16>(quint16(extra.size()), size);
    m_record.append(size, 2);
    m_record.append(extra);
}

quint16 WaveFormat::u16(int offset) const
{
    if (m_record.size() < offset + 2)
        return 0;
    return qFromLittleEndian<quint16>(m_record.constData() + offset);
}

quint32 WaveFormat::u32(int offset) const
{
    if (m_record.size() < offset + 4)
        return 0;
    return qFromLittleEndian<quint32>(m_record.constData() + offset);
}
