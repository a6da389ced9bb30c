#include "xmpp/stream/StreamReader.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/LogText.h"
#include "xmpp/elements/Namespaces.h"
#include "xmpp/elements/stanza_error.h"
#include "xmpp/elements/stream_parse_error.h"

#include <stdexcept>

namespace xmpp {

StreamReader::StreamReader() = default;

StreamReader::~StreamReader() = default;

void StreamReader::reset()
{
    m_reader.clear();
    m_tree.clear();
    m_current = -1;
    m_element.reset();
    m_refused = RefusedStanza();
    m_language.clear();
    m_server = XMPPJid();
    m_depth = -1;
    m_bytesSinceToken = 0;
    m_tokenEndOffset = 0;
    m_elementStartOffset = 0;
}

void StreamReader::setLimits(qint64 maxElementBytes, int maxDepth)
{
    m_maxElementBytes = maxElementBytes;
    m_maxDepth = maxDepth;
}

void StreamReader::addData(const QByteArray &data)
{
    m_reader.addData(data);
    m_bytesSinceToken += data.size();
}

void StreamReader::checkSize() const
{
    // Counted from where the top-level element began, or outside one from
    // the end of the last token: what one read brings does not count, so
    // many small stanzas read at once pass. The XML reader counts the
    // characters of a token it has not finished, too.
    const qint64 start = m_depth >= 1 ? m_elementStartOffset : m_tokenEndOffset;
    // A backstop in bytes, should it ever hold data it has not counted: no
    // character takes more than four bytes, in any encoding.
    const bool tooLarge = m_reader.characterOffset() - start > m_maxElementBytes
                          || m_bytesSinceToken > 4 * m_maxElementBytes;
    if (tooLarge)
        throw stream_parse_error(StreamErrorCondition::PolicyViolation, QStringLiteral("element too large"));
}

int StreamReader::next()
{
    m_refused = RefusedStanza();
    for (;;) {
        const QXmlStreamReader::TokenType token = m_reader.readNext();
        if (token != QXmlStreamReader::NoToken && token != QXmlStreamReader::Invalid)
            m_bytesSinceToken = 0;
        switch (token) {
        case QXmlStreamReader::NoToken:
            checkSize();
            return NeedMoreData;
        case QXmlStreamReader::Invalid:
            if (m_reader.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
                checkSize();
                return NeedMoreData;
            }
            throw stream_parse_error(StreamErrorCondition::XmlNotWellFormed, m_reader.errorString());
        case QXmlStreamReader::StartDocument:
        case QXmlStreamReader::Comment:
            break;
        case QXmlStreamReader::DTD:
            throw stream_parse_error(StreamErrorCondition::RestrictedXml, QStringLiteral("DTD not allowed"));
        case QXmlStreamReader::EntityReference:
            throw stream_parse_error(
                StreamErrorCondition::RestrictedXml,
                QStringLiteral("entity reference not allowed: %1").arg(m_reader.name().toString()));
        case QXmlStreamReader::ProcessingInstruction:
            throw stream_parse_error(StreamErrorCondition::RestrictedXml,
                                     QStringLiteral("processing instruction not allowed: %1")
                                         .arg(m_reader.processingInstructionTarget().toString()));
        case QXmlStreamReader::EndDocument:
            return EndOfStream;
        case QXmlStreamReader::StartElement:
            startElement();
            break;
        case QXmlStreamReader::EndElement: {
            const int result = endElement();
            if (result != NeedMoreData)
                return result;
            break;
        }
        case QXmlStreamReader::Characters:
            // Text directly inside the stream root is dropped: it would
            // otherwise pile up there for the life of the stream. Inside an
            // element it is kept as sent, whitespace included.
            if (m_depth >= 1)
                m_tree.addText(m_current, m_reader.text().toString());
            break;
        default:
            throw stream_parse_error(StreamErrorCondition::InvalidXml,
                                     QStringLiteral("unknown xml stream token: %1").arg(int(token)));
        }
        checkSize();
        m_tokenEndOffset = m_reader.characterOffset();
    }
}

QString StreamReader::intern(QStringView name)
{
    QString &slot = m_names[qHash(name) % m_names.size()];
    if (slot != name)
        slot = name.toString();
    return slot;
}

void StreamReader::startElement()
{
    if (m_depth >= 0 && m_depth + 1 > m_maxDepth)
        throw stream_parse_error(StreamErrorCondition::PolicyViolation, QStringLiteral("element nested too deeply"));
    if (m_depth <= 0)
        m_tree.clear();
    if (m_depth == 0)
        m_elementStartOffset = m_tokenEndOffset;
    const int node = m_tree.addElement(m_current, intern(m_reader.namespaceUri()), intern(m_reader.name()));
    const QXmlStreamAttributes attributes = m_reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        m_tree.addAttribute(node, intern(attribute.namespaceUri()), intern(attribute.name()),
                            attribute.value().toString());
    }
    if (m_depth < 0) {
        startStream();
        return;
    }
    m_current = node;
    ++m_depth;
}

void StreamReader::startStream()
{
    const XmlElement element = m_tree.root();
    if (element.namespaceURI() != QLatin1String(ns::stream) || element.localName() != QLatin1String("stream")) {
        throw stream_parse_error(StreamErrorCondition::BadFormat,
                                 QStringLiteral("invalid stream start tag: %1").arg(m_reader.qualifiedName()));
    }
    const QString version = element.attribute(QStringLiteral("version"));
    if (version != QLatin1String("1.0")) {
        throw stream_parse_error(StreamErrorCondition::UnsupportedVersion,
                                 QStringLiteral("unsupported version: %1").arg(version));
    }
    XMPPJid server;
    try {
        server = XMPPJid(element.attribute(QStringLiteral("from")));
    } catch (const std::invalid_argument &e) {
        throw stream_parse_error(StreamErrorCondition::InvalidFrom, QString::fromLatin1(e.what()));
    }
    m_depth = 0;
    m_language = xmlLang(element);
    m_server = server;
    // The root is not kept: only its children are read as elements.
    m_tree.clear();
}

void StreamReader::noteRefused(const XmlElement &element)
{
    if (element.namespaceURI() != QLatin1String(ns::client))
        return;
    const QString name = element.localName();
    if (name == QLatin1String("message"))
        m_refused.kind = stanza_error::MessageKind;
    else if (name == QLatin1String("iq"))
        m_refused.kind = stanza_error::IqKind;
    else if (name == QLatin1String("presence"))
        m_refused.kind = stanza_error::PresenceKind;
    else
        return;
    m_refused.id = element.attribute(QStringLiteral("id"));
    m_refused.type = element.attribute(QStringLiteral("type"));
    m_refused.from = element.attribute(QStringLiteral("from"));
}

int StreamReader::endElement()
{
    // The end tag counts too.
    checkSize();
    --m_depth;
    if (m_depth < 0) {
        // The peer closed its stream.
        m_current = -1;
        return EndOfStream;
    }
    m_current = m_tree.parentOf(m_current);
    if (m_depth > 0)
        return NeedMoreData;

    m_element.reset();
    struct Clear
    {
        XmlTree &tree;
        ~Clear() { tree.clear(); }
    } clear{m_tree};
    m_tokenEndOffset = m_reader.characterOffset();
    const XmlElement finished = m_tree.root();
    try {
        m_element = parseStreamElement(finished);
    } catch (...) {
        noteRefused(finished);
        throw;
    }
    // Kinds and ids only: what players write stays out of the log.
    qCDebug(lcXmpp).noquote() << "xmpp: received" << logSummary(*m_element);
    return ElementReady;
}

} // namespace xmpp
