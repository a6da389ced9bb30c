#pragma once

#include "protocol/message_t.h"

#include <QByteArray>
#include <QtGlobal>

// Splits a byte stream into frames: a 32-bit big-endian body length, then
// the body, whose first byte is the class id. Bytes may arrive in any
// pieces; a frame is handed out only when it is complete.
class FrameReader
{
public:
    // Largest body accepted; a longer announced length is refused before
    // anything is allocated for it.
    static constexpr quint32 maxBodySize = 1024 * 1024;

    void append(const char *data, qint64 size);
    void append(const QByteArray &data) { append(data.constData(), data.size()); }
    // Takes the next complete body out of the buffer. Returns false when no
    // complete frame is buffered; throws server_error for a length of 0 or
    // one above maxBodySize.
    bool next(message_t &body);
    qint64 buffered() const { return m_buffer.size() - m_pos; }
    void clear();

    // The frame of a body: length prefix and body.
    static QByteArray frame(const message_t &body);

private:
    QByteArray m_buffer;
    qint64 m_pos = 0;
};
