#include "xmpp/stream/StreamWriter.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/LogText.h"
#include "xmpp/elements/Namespaces.h"

#include <QIODevice>

#include <stdexcept>

namespace xmpp {

StreamWriter::StreamWriter(const XMPPJid &to, const QString &language)
    : m_to(to)
    , m_language(language)
{
    m_keepAlive.setParent(this); // reachable by findChild for inspection
    m_buffer.open(QIODevice::ReadWrite);
    m_xml.setAutoFormatting(false);
    m_keepAlive.setInterval(KeepAliveInterval);
    m_keepAlive.setSingleShot(false);
    m_keepAlive.setTimerType(Qt::PreciseTimer);
    connect(&m_keepAlive, &QTimer::timeout, this, &StreamWriter::sendKeepAlive);
}

StreamWriter::~StreamWriter() = default;

void StreamWriter::open(QIODevice *device)
{
    m_xml.setDevice(&m_buffer);
    m_device = device;
    m_open = 1;
    m_xml.writeStartDocument(QStringLiteral("1.0"));
    m_xml.writeDefaultNamespace(QString::fromLatin1(ns::client));
    m_xml.writeNamespace(QString::fromLatin1(ns::stream), QStringLiteral("stream"));
    m_xml.writeStartElement(QString::fromLatin1(ns::stream), QStringLiteral("stream"));
    m_xml.writeAttribute(QStringLiteral("xml:lang"), m_language);
    m_xml.writeAttribute(QStringLiteral("to"), m_to.text());
    m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    m_xml.writeCharacters(QString());
    flush();
}

void StreamWriter::writeElement(const StreamElement &element)
{
    if (!m_open)
        throw std::runtime_error("writing requires an open stream");
    if (writeStreamElement(m_xml, element))
        qCDebug(lcXmpp).noquote() << "xmpp: sent" << logSummary(element);
    m_xml.writeCharacters(QString());
    flush();
}

void StreamWriter::close()
{
    if (!m_open)
        return;
    m_xml.writeEndElement(); // the stream root; no trailing line break
    m_open = 0;
    flush();
}

void StreamWriter::sendKeepAlive()
{
    if (!m_open)
        return;
    m_xml.writeCharacters(QStringLiteral(" "));
    flush();
}

void StreamWriter::flush()
{
    m_keepAlive.stop();
    if (m_device && !m_buffer.data().isEmpty())
        m_device->write(m_buffer.data());
    m_buffer.buffer().clear();
    m_buffer.seek(0);
    m_keepAlive.start();
}

} // namespace xmpp
