#pragma once

#include "xmpp/elements/StreamElement.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XmlTree.h"
#include "xmpp/stream/StreamScanner.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <array>

#include <memory>

namespace xmpp {

// The reading half of an XMPP stream: bytes in, in pieces of any size; one
// element out per top-level child of the peer's stream root. Refuses what
// XMPP forbids (DTDs, entity references, processing instructions). An
// element over a bound of size, depth, elements or attributes per start tag
// is refused alone: the stream goes on behind it, and neither memory nor time
// grows with what the peer sends.
class StreamReader
{
public:
    enum Result { NeedMoreData = 0, EndOfStream = 1, ElementReady = 2 };

    // A parsed element costs around a hundred times its bytes in memory, so
    // this stays a few times above the 256 KiB servers accept from a client.
    static constexpr qint64 DefaultMaxElementBytes = 1024 * 1024;
    static constexpr int DefaultMaxDepth = 64;
    // Elements of one top-level element, itself included: a roster of
    // thousands of friends fits, and reading and freeing the largest costs
    // the GUI thread a few milliseconds.
    static constexpr int DefaultMaxElements = 16384;
    // No element of the protocol needs more than a handful (a stream header
    // has seven); the XML reader's time for one start tag grows faster than
    // their number.
    static constexpr int DefaultMaxAttributes = 32;

    StreamReader();
    StreamReader(const StreamReader &) = delete;
    StreamReader &operator=(const StreamReader &) = delete;
    ~StreamReader();

    // Forget the current stream; the next bytes must start a new one.
    void reset();

    void addData(const QByteArray &data);
    // Throws stream_parse_error (or what the element codec throws). After
    // the refusal of a top-level element (refusedStanza() names a stanza),
    // or of what the element codec refused, the next call goes on behind it.
    int next();

    // The last complete element, owned by the reader until the next one.
    StreamElement *element() const { return m_element.get(); }
    std::unique_ptr<StreamElement> takeElement() { return std::move(m_element); }

    // The envelope of the top-level stanza refused in the last call of
    // next() (kind -1 when none), so that the stanza alone can be answered
    // or dropped. A stanza refused at its start tag has only its kind.
    struct RefusedStanza
    {
        int kind = -1; // stanza_error::Kind
        QString id;
        QString type;
        QString from;
    };
    const RefusedStanza &refusedStanza() const { return m_refused; }

    const QString &streamLanguage() const { return m_language; }
    const XMPPJid &server() const { return m_server; }

    // Limits: bytes of one top-level element, start and end tags included,
    // however they were cut into pieces; depth below the stream root; its
    // elements; and attributes (namespace declarations included) of one
    // start tag.
    void setLimits(qint64 maxElementBytes, int maxDepth, int maxElements = DefaultMaxElements,
                   int maxAttributes = DefaultMaxAttributes);

private:
    // Hands the XML reader what the scanner lets through; false when there
    // is nothing yet. Throws a refusal once the reader has read what came
    // before it.
    bool feed();
    [[noreturn]] void refuse();
    void startStream();
    void startElement();
    int endElement();
    void noteRefused(const XmlElement &element);
    void noteRefused(const QByteArray &qualifiedName);
    // Names and namespaces repeat in every stanza: one shared copy each.
    QString intern(QStringView name);

    StreamScanner m_scanner;
    QXmlStreamReader m_reader;
    XmlTree m_tree;     // the top-level element being read
    int m_current = -1; // its innermost open node; -1 at the root
    std::array<QString, 256> m_names;
    QString m_language;
    XMPPJid m_server;
    QString m_defaultNamespace; // of the stream root
    std::unique_ptr<StreamElement> m_element;
    RefusedStanza m_refused;

    int m_depth = -1; // -1 before the header, 0 at the root
};

} // namespace xmpp
