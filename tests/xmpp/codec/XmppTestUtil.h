#pragma once

#include "xmpp/elements/StreamElement.h"
#include "xmpp/stream/StreamReader.h"
#include "xmpp/stream/StreamWriter.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <memory>
#include <stdexcept>

namespace xmpptest {

// A server's stream header as real servers send it.
inline QByteArray serverHeader(const QByteArray &extra = QByteArray())
{
    return "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
           "xmlns:stream='http://etherx.jabber.org/streams' from='example.net' id='s1' "
           "xml:lang='en' version='1.0'"
           + extra + ">";
}

// Runs one top-level element through the real reader and codec.
inline std::unique_ptr<xmpp::StreamElement> parse(const QByteArray &xml)
{
    xmpp::StreamReader reader;
    reader.addData(serverHeader());
    if (reader.next() != xmpp::StreamReader::NeedMoreData)
        throw std::logic_error("header not accepted");
    reader.addData(xml);
    const int result = reader.next();
    if (result != xmpp::StreamReader::ElementReady)
        throw std::logic_error("no element: " + std::to_string(result));
    return reader.takeElement();
}

template <typename T>
std::unique_ptr<T> parseAs(const QByteArray &xml)
{
    std::unique_ptr<xmpp::StreamElement> element = parse(xml);
    T *typed = dynamic_cast<T *>(element.get());
    if (!typed)
        throw std::logic_error("unexpected element type " + std::to_string(element->type()));
    element.release();
    return std::unique_ptr<T>(typed);
}

// The bytes the stream writer sends for one element, after the header.
inline QByteArray written(const xmpp::StreamElement &element)
{
    QBuffer socket;
    socket.open(QIODevice::ReadWrite);
    xmpp::StreamWriter writer(XMPPJid(QStringLiteral("example.net")), QStringLiteral("en"));
    writer.open(&socket);
    const qsizetype headerSize = socket.data().size();
    writer.writeElement(element);
    return socket.data().mid(headerSize);
}

} // namespace xmpptest
