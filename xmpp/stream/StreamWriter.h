#pragma once

#include "xmpp/elements/StreamElement.h"
#include "xmpp/elements/XMPPJid.h"

#include <QBuffer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QXmlStreamWriter>

class QIODevice;

namespace xmpp {

// The writing half of an XMPP stream. Each element is assembled whole and
// handed to the device in one write; after a minute without output a
// single space keeps the connection alive.
class StreamWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr int KeepAliveInterval = 60000;

    StreamWriter(const XMPPJid &to, const QString &language);
    ~StreamWriter() override;

    // Writes the stream header to the device (not owned).
    void open(QIODevice *device);
    // Throws std::runtime_error "writing requires an open stream" when closed.
    void writeElement(const StreamElement &element);
    // Ends the stream; nothing when not open.
    void close();

    bool isOpen() const { return m_open != 0; }
    int keepAliveInterval() const { return m_keepAlive.interval(); }
    void setKeepAliveInterval(int ms) { m_keepAlive.setInterval(ms); }

public slots:
    void sendKeepAlive();

private:
    void flush();

    int m_open = 0;
    XMPPJid m_to;
    QString m_language;
    QXmlStreamWriter m_xml;
    QIODevice *m_device = nullptr;
    QBuffer m_buffer;
    QTimer m_keepAlive;

    Q_DISABLE_COPY(StreamWriter)
};

} // namespace xmpp
