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

StreamReader::StreamReader()
{
    setLimits(DefaultMaxElementBytes, DefaultMaxDepth, DefaultMaxElements, DefaultMaxAttributes);
}

StreamReader::~StreamReader() = default;

void StreamReader::reset()
{
    m_scanner.reset();
    m_reader.clear();
    m_tree.clear();
    m_current = -1;
    m_element.reset();
    m_refused = RefusedStanza();
    m_language.clear();
    m_server = XMPPJid();
    m_defaultNamespace.clear();
    m_depth = -1;
}

void StreamReader::setLimits(qint64 maxElementBytes, int maxDepth, int maxElements, int maxAttributes)
{
    m_scanner.setLimits(maxElementBytes, maxDepth, maxElements, maxAttributes);
}

void StreamReader::addData(const QByteArray &data)
{
    m_scanner.addData(data);
}

bool StreamReader::feed()
{
    // Only once the reader has read everything before it: the elements
    // ahead of a refused one come out first.
    if (m_scanner.hasRefusal())
        refuse();
    const QByteArray bytes = m_scanner.scan();
    if (m_scanner.takeLongGap())
        qCWarning(lcXmpp) << "xmpp: dropping text between two stanzas longer than an element may be";
    if (bytes.isEmpty()) {
        if (m_scanner.hasRefusal())
            refuse();
        return false;
    }
    m_reader.addData(bytes);
    return true;
}

void StreamReader::refuse()
{
    const StreamScanner::Refusal refusal = m_scanner.takeRefusal();
    if (!refusal.fatal) {
        if (m_depth >= 1 && m_scanner.startTagHandedOn())
            noteRefused(m_tree.root());
        else
            noteRefused(m_scanner.elementName());
        if (m_depth >= 1) {
            // The XML reader holds the start of the refused element: it
            // starts over at the stream header, read again.
            m_reader.clear();
            m_tree.clear();
            m_current = -1;
            m_depth = -1;
            m_reader.addData(m_scanner.prologue());
        }
    }
    throw stream_parse_error(refusal.condition, QString::fromLatin1(refusal.text));
}

int StreamReader::next()
{
    m_refused = RefusedStanza();
    for (;;) {
        const QXmlStreamReader::TokenType token = m_reader.readNext();
        switch (token) {
        case QXmlStreamReader::NoToken:
            if (!feed())
                return NeedMoreData;
            break;
        case QXmlStreamReader::Invalid:
            if (m_reader.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
                if (!feed())
                    return NeedMoreData;
                break;
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
            // Text between elements never gets here (the scanner drops it);
            // inside an element it is kept as sent, whitespace included.
            if (m_depth >= 1)
                m_tree.addText(m_current, m_reader.text().toString());
            break;
        default:
            throw stream_parse_error(StreamErrorCondition::InvalidXml,
                                     QStringLiteral("unknown xml stream token: %1").arg(int(token)));
        }
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
    if (m_depth <= 0)
        m_tree.clear();
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
    m_defaultNamespace.clear();
    const QXmlStreamNamespaceDeclarations declarations = m_reader.namespaceDeclarations();
    for (const QXmlStreamNamespaceDeclaration &declaration : declarations) {
        if (declaration.prefix().isEmpty())
            m_defaultNamespace = declaration.namespaceUri().toString();
    }
    m_language = xmlLang(element);
    m_server = server;
    // The root is not kept: only its children are read as elements.
    m_tree.clear();
}

namespace {

int stanzaKind(QStringView name)
{
    if (name == QLatin1String("message"))
        return stanza_error::MessageKind;
    if (name == QLatin1String("iq"))
        return stanza_error::IqKind;
    if (name == QLatin1String("presence"))
        return stanza_error::PresenceKind;
    return -1;
}

} // namespace

void StreamReader::noteRefused(const QByteArray &qualifiedName)
{
    // Refused before the XML reader saw it: a name without a prefix is in
    // the stream's default namespace.
    if (m_defaultNamespace == QLatin1String(ns::client) && !qualifiedName.contains(':'))
        m_refused.kind = stanzaKind(QString::fromLatin1(qualifiedName));
}

void StreamReader::noteRefused(const XmlElement &element)
{
    if (element.namespaceURI() != QLatin1String(ns::client))
        return;
    m_refused.kind = stanzaKind(element.localName());
    if (m_refused.kind < 0)
        return;
    m_refused.id = element.attribute(QStringLiteral("id"));
    m_refused.type = element.attribute(QStringLiteral("type"));
    m_refused.from = element.attribute(QStringLiteral("from"));
}

int StreamReader::endElement()
{
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
