#include "protocol/FrameReader.h"

#include "protocol/ServerError.h"

#include <QtEndian>

void FrameReader::append(const char *data, qint64 size)
{
    // Drop what was consumed before growing, so the buffer holds at most one
    // partial frame plus what the last read brought.
    if (m_pos > 0 && (m_pos == m_buffer.size() || m_pos > 64 * 1024)) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    m_buffer.append(data, size);
}

bool FrameReader::next(message_t &body)
{
    const qint64 available = m_buffer.size() - m_pos;
    if (available < 4)
        return false;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData() + m_pos);
    if (length == 0)
        throw server_error("empty frame from server");
    if (length > maxBodySize)
        throw server_error("frame of " + std::to_string(length) + " bytes exceeds the limit of "
                           + std::to_string(maxBodySize) + " bytes");
    if (available - 4 < qint64(length))
        return false;
    const auto *begin = reinterpret_cast<const quint8 *>(m_buffer.constData() + m_pos + 4);
    body.assign(begin, begin + length);
    m_pos += 4 + length;
    if (m_pos == m_buffer.size()) {
        m_buffer.clear();
        m_pos = 0;
    }
    return true;
}

void FrameReader::clear()
{
    m_buffer.clear();
    m_pos = 0;
}

QByteArray FrameReader::frame(const message_t &body)
{
    QByteArray out(4 + qsizetype(body.size()), Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(body.size()), out.data());
    if (!body.empty())
        memcpy(out.data() + 4, body.data(), body.size());
    return out;
}
