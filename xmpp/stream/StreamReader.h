#pragma once

#include "xmpp/elements/StreamElement.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XmlTree.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <array>

#include <memory>

namespace xmpp {

// The reading half of an XMPP stream: bytes in, in pieces of any size; one
// element out per top-level child of the peer's stream root. Refuses what
// XMPP forbids (DTDs, entity references, processing instructions) and
// bounds the size and depth of an element, so a peer cannot make it grow
// memory without limit.
class StreamReader
{
public:
    enum Result { NeedMoreData = 0, EndOfStream = 1, ElementReady = 2 };

    // A parsed element costs around a hundred times its bytes in memory, so
    // this stays a few times above the 256 KiB servers accept from a client.
    static constexpr qint64 DefaultMaxElementBytes = 1024 * 1024;
    static constexpr int DefaultMaxDepth = 64;

    StreamReader();
    StreamReader(const StreamReader &) = delete;
    StreamReader &operator=(const StreamReader &) = delete;
    ~StreamReader();

    // Forget the current stream; the next bytes must start a new one.
    void reset();

    void addData(const QByteArray &data);
    // Throws stream_parse_error (or what the element codec throws).
    int next();

    // The last complete element, owned by the reader until the next one.
    StreamElement *element() const { return m_element.get(); }
    std::unique_ptr<StreamElement> takeElement() { return std::move(m_element); }

    // The envelope of the top-level stanza the codec refused in the last
    // call of next() (kind -1 when none), so that the stanza alone can be
    // answered or dropped.
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

    // Limits: characters of one top-level element, start and end tags
    // included (also of data that has not completed a token), however the
    // bytes were cut into pieces; and depth below the stream root.
    void setLimits(qint64 maxElementBytes, int maxDepth);

private:
    void startStream();
    void startElement();
    int endElement();
    void noteRefused(const XmlElement &element);
    void checkSize() const;
    // Names and namespaces repeat in every stanza: one shared copy each.
    QString intern(QStringView name);

    QXmlStreamReader m_reader;
    XmlTree m_tree;     // the top-level element being read
    int m_current = -1; // its innermost open node; -1 at the root
    std::array<QString, 256> m_names;
    QString m_language;
    XMPPJid m_server;
    std::unique_ptr<StreamElement> m_element;
    RefusedStanza m_refused;

    int m_depth = -1;                // -1 before the header, 0 at the root
    qint64 m_bytesSinceToken = 0;    // bytes fed since the XML reader last finished a token
    qint64 m_tokenEndOffset = 0;     // character offset where that token ended
    qint64 m_elementStartOffset = 0; // character offset where the current top-level element began
    qint64 m_maxElementBytes = DefaultMaxElementBytes;
    int m_maxDepth = DefaultMaxDepth;
};

} // namespace xmpp
