// Feeds arbitrary bytes, cut into arbitrary pieces, through the XMPP stream
// reader and element codec, and writes back every element that comes out.
// Refusals by exception are the expected outcome, and reading goes on
// behind a refused stanza as the client's does; anything else that escapes,
// and any memory error, is a finding. See CMakeLists.txt here for
// how to build and run it.
#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/stanza_error.h"
#include "xmpp/elements/stream_error.h"
#include "xmpp/stream/StreamReader.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QXmlStreamWriter>

#include <cstddef>
#include <cstdint>

namespace {

const QByteArray header =
    "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
    "xmlns:stream='http://etherx.jabber.org/streams' from='example.net' xml:lang='en' version='1.0'>";

void writeBack(const xmpp::StreamElement &element)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeStartDocument();
    xml.writeNamespace(QStringLiteral("http://etherx.jabber.org/streams"), QStringLiteral("stream"));
    xml.writeStartElement(QStringLiteral("http://etherx.jabber.org/streams"), QStringLiteral("stream"));
    xmpp::writeStreamElement(xml, element);
    xml.writeEndDocument();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    if (size < 2)
        return 0;
    // First byte: piece size (the largest: all at once) and whether a valid
    // header comes first.
    const int piece = (data[0] & 0x7f) == 0x7f ? int(size) : 1 + (data[0] & 0x7f);
    const bool withHeader = data[0] & 0x80;
    QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (withHeader)
        input.prepend(header);

    xmpp::StreamReader reader;
    // Small enough that inputs reach it, in one piece or many.
    reader.setLimits(2048, 32, 64, 8);
    for (qsizetype pos = 0; pos < input.size(); pos += piece) {
        reader.addData(input.mid(pos, piece));
        for (;;) {
            int result;
            try {
                result = reader.next();
            } catch (const xmpp::stanza_error &) {
                // Answered with an error stanza; the stream goes on.
                continue;
            } catch (const xmpp::stream_error &) {
                // The client goes on behind a refused stanza and closes on
                // anything else.
                if (reader.refusedStanza().kind < 0)
                    return 0;
                continue;
            }
            if (result == xmpp::StreamReader::NeedMoreData)
                break;
            if (result == xmpp::StreamReader::EndOfStream)
                return 0;
            writeBack(*reader.element());
        }
    }
    return 0;
}
