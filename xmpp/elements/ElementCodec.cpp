#include "xmpp/elements/ElementCodec.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/Iq.h"
#include "xmpp/elements/IqBind.h"
#include "xmpp/elements/IqDiscoInfo.h"
#include "xmpp/elements/IqDiscoItems.h"
#include "xmpp/elements/IqInstantRoom.h"
#include "xmpp/elements/IqRoster.h"
#include "xmpp/elements/IqSearch.h"
#include "xmpp/elements/IqSession.h"
#include "xmpp/elements/IqVCard.h"
#include "xmpp/elements/MessagePresenceCodec.h"
#include "xmpp/elements/MessageStanza.h"
#include "xmpp/elements/MucPresenceStanza.h"
#include "xmpp/elements/Namespaces.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/SASLAbort.h"
#include "xmpp/elements/SASLAuth.h"
#include "xmpp/elements/SASLChallenge.h"
#include "xmpp/elements/SASLFailure.h"
#include "xmpp/elements/SASLResponse.h"
#include "xmpp/elements/SASLSuccess.h"
#include "xmpp/elements/SearchCodec.h"
#include "xmpp/elements/StreamError.h"
#include "xmpp/elements/StreamFeatures.h"
#include "xmpp/elements/TLSFailure.h"
#include "xmpp/elements/TLSProceed.h"
#include "xmpp/elements/TLSStart.h"
#include "xmpp/elements/stanza_error.h"
#include "xmpp/elements/stream_parse_error.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QXmlStreamWriter>

#include <stdexcept>

namespace xmpp {

namespace {

QString str(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

bool is(const XmlElement &e, const char *nsUri, const char *localName)
{
    return e.localName() == QLatin1String(localName) && e.namespaceURI() == QLatin1String(nsUri);
}

bool hasDescendantNS(const XmlElement &parent, const char *localName, const char *nsUri)
{
    return !parent.elementsByTagNameNS(str(nsUri), str(localName)).isEmpty();
}

QByteArray decodeBase64Text(const XmlElement &element)
{
    const QString text = element.text();
    if (text.isEmpty())
        return QByteArray();
    // Characters outside the alphabet are skipped, as servers may wrap lines.
    return QByteArray::fromBase64(text.toUtf8());
}

template <typename T>
std::unique_ptr<T> parseSASLData(const XmlElement &element)
{
    auto result = std::make_unique<T>();
    result->data = decodeBase64Text(element);
    return result;
}

void beginStanza(QXmlStreamWriter &xml, const char *name, const Stanza &stanza)
{
    xml.writeStartElement(str(name));
    if (!stanza.from.isNull())
        xml.writeAttribute(QStringLiteral("from"), xmlSafeText(stanza.from.text()));
    if (!stanza.to.isNull())
        xml.writeAttribute(QStringLiteral("to"), xmlSafeText(stanza.to.text()));
    if (!stanza.id.isEmpty())
        xml.writeAttribute(QStringLiteral("id"), xmlSafeText(stanza.id));
    if (!stanza.typeText.isEmpty())
        xml.writeAttribute(QStringLiteral("type"), xmlSafeText(stanza.typeText));
    if (!stanza.lang.isEmpty())
        xml.writeAttribute(QStringLiteral("xml:lang"), xmlSafeText(stanza.lang));
}

void endStanza(QXmlStreamWriter &xml, const Stanza &stanza)
{
    writeStanzaError(xml, stanza);
    xml.writeEndElement();
}

void writeEmptyWithNamespace(QXmlStreamWriter &xml, const char *name, const char *nsUri)
{
    xml.writeEmptyElement(str(name));
    xml.writeDefaultNamespace(str(nsUri));
}

void writeIqBindPayload(QXmlStreamWriter &xml, const IqBind &iq)
{
    if (iq.resource.isEmpty()) {
        writeEmptyWithNamespace(xml, "bind", ns::bind);
        return;
    }
    xml.writeStartElement(QStringLiteral("bind"));
    xml.writeDefaultNamespace(str(ns::bind));
    xml.writeTextElement(QStringLiteral("resource"), xmlSafeText(iq.resource));
    xml.writeEndElement();
}

void writeIqVCardPayload(QXmlStreamWriter &xml, const IqVCard &iq)
{
    if (iq.typeText == QLatin1String("get")) {
        writeEmptyWithNamespace(xml, "vCard", ns::vcard);
        return;
    }
    if (iq.typeText != QLatin1String("set"))
        return;
    xml.writeStartElement(QStringLiteral("vCard"));
    xml.writeDefaultNamespace(str(ns::vcard));
    if (iq.vcard()) {
        xml.writeTextElement(QStringLiteral("FN"), QStringLiteral("Unknown"));
        xml.writeEmptyElement(QStringLiteral("N"));
        if (!iq.photo().isNull()) {
            xml.writeStartElement(QStringLiteral("PHOTO"));
            xml.writeTextElement(QStringLiteral("TYPE"), QStringLiteral("image/png"));
            xml.writeTextElement(QStringLiteral("BINVAL"), QString::fromLatin1(iq.photoData().toBase64()));
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();
}

void writeIqRosterPayload(QXmlStreamWriter &xml, const IqRoster &iq)
{
    if (iq.typeText == QLatin1String("get")) {
        writeEmptyWithNamespace(xml, "query", ns::roster);
        return;
    }
    if (iq.typeText != QLatin1String("set"))
        return;
    xml.writeStartElement(QStringLiteral("query"));
    xml.writeDefaultNamespace(str(ns::roster));
    for (const IqRoster::Item &item : iq.items) {
        // The form servers accept: the name as an attribute, no empty group,
        // removal as a subscription value.
        xml.writeStartElement(QStringLiteral("item"));
        xml.writeAttribute(QStringLiteral("jid"), xmlSafeText(item.jid.text()));
        if (!item.name.isEmpty())
            xml.writeAttribute(QStringLiteral("name"), xmlSafeText(item.name));
        if (item.remove)
            xml.writeAttribute(QStringLiteral("subscription"), QStringLiteral("remove"));
        if (!item.group.isEmpty())
            xml.writeTextElement(QStringLiteral("group"), xmlSafeText(item.group));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void writeInstantRoomPayload(QXmlStreamWriter &xml)
{
    xml.writeStartElement(QStringLiteral("query"));
    xml.writeDefaultNamespace(str(ns::mucOwner));
    xml.writeEmptyElement(QStringLiteral("x"));
    xml.writeDefaultNamespace(str(ns::dataForms));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("submit"));
    xml.writeEndElement();
}

} // namespace

QString xmlSafeText(const QString &text)
{
    auto allowed = [](char32_t c) {
        return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
               || (c >= 0x10000 && c <= 0x10FFFF);
    };
    const QChar *const begin = text.constData();
    const qsizetype size = text.size();
    // Most texts are clean: return them untouched without copying.
    qsizetype i = 0;
    for (; i < size; ++i) {
        const char16_t c = begin[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(begin[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (QChar::isSurrogate(c) || !allowed(c))
            break;
    }
    if (i == size)
        return text;

    QString clean;
    clean.reserve(size);
    clean.append(begin, i);
    for (; i < size; ++i) {
        const char16_t c = begin[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(begin[i + 1].unicode())) {
            clean.append(begin[i]);
            clean.append(begin[++i]);
        } else if (!QChar::isSurrogate(c) && allowed(c)) {
            clean.append(begin[i]);
        }
    }
    return clean;
}

XmlElement firstChildElementLocal(const XmlElement &parent, const QString &localName)
{
    for (XmlElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.localName() == localName)
            return e;
    }
    return XmlElement();
}

XmlElement nextSiblingElementLocal(const XmlElement &element, const QString &localName)
{
    for (XmlElement e = element.nextSiblingElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.localName() == localName)
            return e;
    }
    return XmlElement();
}

XmlElement firstChildElementNS(const XmlElement &parent, const QString &localName, const QString &nsUri)
{
    for (XmlElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.localName() == localName && e.namespaceURI() == nsUri)
            return e;
    }
    return XmlElement();
}

XmlElement nextSiblingElementNS(const XmlElement &element, const QString &localName, const QString &nsUri)
{
    for (XmlElement e = element.nextSiblingElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.localName() == localName && e.namespaceURI() == nsUri)
            return e;
    }
    return XmlElement();
}

QString xmlLang(const XmlElement &element)
{
    static const QString xmlNs = str(ns::xml);
    const QString lang = element.attributeNS(xmlNs, QStringLiteral("lang"));
    if (!lang.isEmpty())
        return lang;
    return element.attribute(QStringLiteral("lang"));
}

XMPPJid parseJid(const QString &text)
{
    const QStringView all(text);
    const qsizetype at = all.indexOf(QLatin1Char('@'));
    const QStringView node = at < 0 ? QStringView() : all.left(at);
    const QStringView rest = at < 0 ? all : all.mid(at + 1);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const QStringView domain = slash < 0 ? rest : rest.left(slash);
    const QStringView resource = slash < 0 ? QStringView() : rest.mid(slash + 1);
    // Nearly every address arrives in the form its parts give: it is kept
    // as received instead of being cut up and put together again.
    const bool asWritten = at != 0 && (slash < 0 || !resource.isEmpty());
    if (asWritten && node.size() <= XMPPJid::MaxPartLength && domain.size() <= XMPPJid::MaxPartLength
        && resource.size() <= XMPPJid::MaxPartLength) {
        return XMPPJid::fromCheckedText(text);
    }
    return XMPPJid(domain.toString(), node.toString(), resource.toString());
}

namespace {
std::unique_ptr<StreamElement> parseTopLevel(const XmlElement &element)
{
    const QString nsUri = element.namespaceURI();
    const QString name = element.localName();

    if (nsUri == QLatin1String(ns::client))
        return parseStanza(element);
    if (nsUri == QLatin1String(ns::stream)) {
        if (name == QLatin1String("error"))
            return std::unique_ptr<StreamElement>(parseStreamError(element));
        if (name == QLatin1String("features"))
            return parseStreamFeatures(element);
    } else if (nsUri == QLatin1String(ns::tls)) {
        if (name == QLatin1String("starttls"))
            return std::make_unique<TLSStart>();
        if (name == QLatin1String("proceed"))
            return std::make_unique<TLSProceed>();
        if (name == QLatin1String("failure"))
            return std::make_unique<TLSFailure>();
    } else if (nsUri == QLatin1String(ns::sasl)) {
        if (name == QLatin1String("auth"))
            return parseSASLAuth(element);
        if (name == QLatin1String("challenge"))
            return parseSASLChallenge(element);
        if (name == QLatin1String("response"))
            return parseSASLResponse(element);
        if (name == QLatin1String("abort"))
            return std::make_unique<SASLAbort>();
        if (name == QLatin1String("success"))
            return std::make_unique<SASLSuccess>();
        if (name == QLatin1String("failure"))
            return std::unique_ptr<StreamElement>(parseSASLFailure(element));
    }
    throw stream_parse_error(StreamErrorCondition::UnsupportedStanzaType, name);
}
} // namespace

std::unique_ptr<StreamElement> parseStreamElement(const XmlElement &element)
{
    try {
        return parseTopLevel(element);
    } catch (const std::invalid_argument &e) {
        // An address part over the length limit: the peer broke the stream.
        throw stream_parse_error(StreamErrorCondition::ImproperAddressing,
                                 QStringLiteral("invalid address: %1").arg(QString::fromLatin1(e.what())));
    }
}

std::unique_ptr<StreamElement> parseStanza(const XmlElement &element)
{
    const QString name = element.localName();
    std::unique_ptr<Stanza> stanza;
    if (name == QLatin1String("message"))
        stanza = parseMessage(element);
    else if (name == QLatin1String("iq"))
        stanza = parseIq(element);
    else if (name == QLatin1String("presence"))
        stanza = parsePresence(element);
    else
        throw stream_parse_error(StreamErrorCondition::UnsupportedStanzaType, QString());
    parseStanzaEnvelope(element, *stanza);
    return stanza;
}

void parseStanzaEnvelope(const XmlElement &element, Stanza &stanza)
{
    const QString to = element.attribute(QStringLiteral("to"));
    if (!to.isEmpty())
        stanza.to = parseJid(to);
    const QString from = element.attribute(QStringLiteral("from"));
    if (!from.isEmpty())
        stanza.from = parseJid(from);
    stanza.id = element.attribute(QStringLiteral("id"));
    stanza.typeText = element.attribute(QStringLiteral("type"));
    stanza.lang = xmlLang(element);
    parseStanzaError(element, stanza);
}

std::unique_ptr<Iq> parseIq(const XmlElement &element)
{
    std::unique_ptr<Iq> iq;
    const XmlElement payload = element.firstChildElement();
    try {
        if (payload.isNull())
            iq = std::make_unique<Iq>();
        else if (is(payload, ns::bind, "bind"))
            iq = parseIqBind(payload);
        else if (is(payload, ns::vcard, "vCard"))
            iq = parseIqVCard(payload);
        else if (is(payload, ns::roster, "query"))
            iq = parseIqRoster(payload);
        else if (is(payload, ns::session, "session"))
            iq = std::make_unique<IqSession>();
        else if (is(payload, ns::discoItems, "query"))
            iq = parseIqDiscoItems(payload);
        else if (is(payload, ns::discoInfo, "query"))
            iq = parseIqDiscoInfo(payload);
        else if (is(payload, ns::search, "query"))
            iq = parseIqSearch(payload);
        else
            iq = std::make_unique<Iq>();
    } catch (const stanza_error &e) {
        // The answer must name the iq it refuses, or the peer cannot match it.
        throw stanza_error(e.kind(), e.errorType(), e.errorCondition(), element.attribute(QStringLiteral("id")));
    }

    const QString type = element.attribute(QStringLiteral("type"));
    if (Iq::iqTypeFromText(type) < 0)
        throw stream_parse_error(StreamErrorCondition::BadFormat,
                                 QStringLiteral("invalid iq type attribute <%1>").arg(type));
    return iq;
}

std::unique_ptr<StreamFeatures> parseStreamFeatures(const XmlElement &element)
{
    auto features = std::make_unique<StreamFeatures>();
    const XmlElement startTls = firstChildElementLocal(element, QStringLiteral("starttls"));
    if (!startTls.isNull()) {
        features->startTlsOffered = true;
        features->startTlsRequired = hasDescendantNS(startTls, "required", ns::tls);
    }
    const QList<XmlElement> mechanisms = element.elementsByTagNameNS(str(ns::sasl), QStringLiteral("mechanism"));
    for (const XmlElement &mechanism : mechanisms)
        features->mechanisms.append(mechanism.text());
    features->bindOffered = hasDescendantNS(element, "bind", ns::bind);
    const QList<XmlElement> sessions = element.elementsByTagNameNS(str(ns::session), QStringLiteral("session"));
    features->sessionOffered = !sessions.isEmpty();
    if (features->sessionOffered)
        features->sessionOptional = !firstChildElementLocal(sessions.at(0), QStringLiteral("optional")).isNull();
    return features;
}

std::unique_ptr<SASLAuth> parseSASLAuth(const XmlElement &element)
{
    auto auth = std::make_unique<SASLAuth>();
    auth->mechanism = element.attribute(QStringLiteral("mechanism"));
    auth->data = decodeBase64Text(element);
    return auth;
}

std::unique_ptr<SASLChallenge> parseSASLChallenge(const XmlElement &element)
{
    return parseSASLData<SASLChallenge>(element);
}

std::unique_ptr<SASLResponse> parseSASLResponse(const XmlElement &element)
{
    return parseSASLData<SASLResponse>(element);
}

std::unique_ptr<IqBind> parseIqBind(const XmlElement &bind)
{
    auto iq = std::make_unique<IqBind>();
    const XmlElement resource = firstChildElementLocal(bind, QStringLiteral("resource"));
    if (!resource.isNull())
        iq->resource = resource.text();
    const XmlElement jid = firstChildElementLocal(bind, QStringLiteral("jid"));
    if (!jid.isNull())
        iq->jid = parseJid(jid.text());
    return iq;
}

std::unique_ptr<IqDiscoItems> parseIqDiscoItems(const XmlElement &query)
{
    auto iq = std::make_unique<IqDiscoItems>();
    for (XmlElement e = firstChildElementLocal(query, QStringLiteral("item")); !e.isNull();
         e = nextSiblingElementLocal(e, QStringLiteral("item"))) {
        IqDiscoItems::Item item;
        item.jid = parseJid(e.attribute(QStringLiteral("jid")));
        item.name = e.attribute(QStringLiteral("name"));
        item.node = e.attribute(QStringLiteral("node"));
        iq->items.append(item);
    }
    return iq;
}

std::unique_ptr<IqDiscoInfo> parseIqDiscoInfo(const XmlElement &query)
{
    auto iq = std::make_unique<IqDiscoInfo>();
    for (XmlElement e = firstChildElementLocal(query, QStringLiteral("identity")); !e.isNull();
         e = nextSiblingElementLocal(e, QStringLiteral("identity"))) {
        iq->identities.append({e.attribute(QStringLiteral("category")), e.attribute(QStringLiteral("name")),
                               e.attribute(QStringLiteral("type"))});
    }
    for (XmlElement e = firstChildElementLocal(query, QStringLiteral("feature")); !e.isNull();
         e = nextSiblingElementLocal(e, QStringLiteral("feature"))) {
        iq->features.append(e.attribute(QStringLiteral("var")));
    }
    return iq;
}

std::unique_ptr<IqRoster> parseIqRoster(const XmlElement &query)
{
    auto iq = std::make_unique<IqRoster>();
    const QString rosterNs = str(ns::roster);
    for (XmlElement e = firstChildElementNS(query, QStringLiteral("item"), rosterNs); !e.isNull();
         e = nextSiblingElementNS(e, QStringLiteral("item"), rosterNs)) {
        IqRoster::Item item;
        item.jid = XMPPJid(e.attribute(QStringLiteral("jid")));
        const QString subscription = e.attribute(QStringLiteral("subscription"));
        item.remove = subscription == QLatin1String("remove");
        if (subscription == QLatin1String("to"))
            item.subscription = IqRoster::To;
        else if (subscription == QLatin1String("from"))
            item.subscription = IqRoster::From;
        else if (subscription == QLatin1String("both"))
            item.subscription = IqRoster::Both;
        if (e.attribute(QStringLiteral("ask")) == QLatin1String("subscribe"))
            item.subscription |= IqRoster::Pending;
        // Servers send the name as an attribute; a child element is read
        // as well for peers that wrote it that way.
        if (e.hasAttribute(QStringLiteral("name"))) {
            item.name = e.attribute(QStringLiteral("name"));
        } else {
            const XmlElement name = firstChildElementNS(e, QStringLiteral("name"), rosterNs);
            if (!name.isNull())
                item.name = name.text();
        }
        const XmlElement group = firstChildElementNS(e, QStringLiteral("group"), rosterNs);
        if (!group.isNull())
            item.group = group.text();
        iq->items.append(item);
    }
    return iq;
}

std::unique_ptr<IqVCard> parseIqVCard(const XmlElement &vcard)
{
    QList<IqVCard::ReceivedPhoto> photos;
    const QString vcardNs = str(ns::vcard);
    for (XmlElement photo = firstChildElementNS(vcard, QStringLiteral("PHOTO"), vcardNs); !photo.isNull();
         photo = nextSiblingElementNS(photo, QStringLiteral("PHOTO"), vcardNs)) {
        const XmlElement type = firstChildElementNS(photo, QStringLiteral("TYPE"), vcardNs);
        const XmlElement binval = firstChildElementNS(photo, QStringLiteral("BINVAL"), vcardNs);
        if (type.isNull() || binval.isNull())
            continue;
        const QByteArray format = type.text() == QLatin1String("image/png") ? QByteArray("PNG") : QByteArray();
        photos.append({format, QByteArray::fromBase64(binval.text().toLatin1())});
    }
    return std::make_unique<IqVCard>(std::make_unique<XMPPVCard>(), std::move(photos));
}

bool writeStreamElement(QXmlStreamWriter &xml, const StreamElement &element)
{
    switch (element.type()) {
    case ElementType::StreamError:
        writeStreamError(xml, static_cast<const StreamError &>(element));
        return true;
    case ElementType::TLSStart:
        writeEmptyWithNamespace(xml, "starttls", ns::tls);
        return true;
    case ElementType::SASLAuth: {
        const auto &auth = static_cast<const SASLAuth &>(element);
        if (auth.data.isEmpty()) {
            writeEmptyWithNamespace(xml, "auth", ns::sasl);
            xml.writeAttribute(QStringLiteral("mechanism"), xmlSafeText(auth.mechanism));
        } else {
            xml.writeStartElement(QStringLiteral("auth"));
            xml.writeDefaultNamespace(str(ns::sasl));
            xml.writeAttribute(QStringLiteral("mechanism"), xmlSafeText(auth.mechanism));
            xml.writeCharacters(QString::fromLatin1(auth.data.toBase64()));
            xml.writeEndElement();
        }
        return true;
    }
    case ElementType::MessageStanza: {
        const auto &message = static_cast<const MessageStanza &>(element);
        beginStanza(xml, "message", message);
        writeMessageContent(xml, message);
        endStanza(xml, message);
        return true;
    }
    case ElementType::PresenceStanza:
    case ElementType::MucPresenceStanza: {
        const auto &presence = static_cast<const PresenceStanza &>(element);
        beginStanza(xml, "presence", presence);
        if (element.type() == ElementType::MucPresenceStanza)
            writeMucPresenceContent(xml, presence);
        else
            writePresenceContent(xml, presence);
        endStanza(xml, presence);
        return true;
    }
    case ElementType::Iq:
    case ElementType::IqBind:
    case ElementType::IqVCard:
    case ElementType::IqSession:
    case ElementType::IqRoster:
    case ElementType::IqDiscoInfo:
    case ElementType::IqDiscoItems:
    case ElementType::IqSearch:
    case ElementType::IqInstantRoom: {
        const auto &iq = static_cast<const Iq &>(element);
        beginStanza(xml, "iq", iq);
        switch (element.type()) {
        case ElementType::IqBind:
            writeIqBindPayload(xml, static_cast<const IqBind &>(iq));
            break;
        case ElementType::IqVCard:
            writeIqVCardPayload(xml, static_cast<const IqVCard &>(iq));
            break;
        case ElementType::IqSession:
            writeEmptyWithNamespace(xml, "session", ns::session);
            break;
        case ElementType::IqRoster:
            writeIqRosterPayload(xml, static_cast<const IqRoster &>(iq));
            break;
        case ElementType::IqDiscoInfo:
            writeEmptyWithNamespace(xml, "query", ns::discoInfo);
            break;
        case ElementType::IqDiscoItems:
            writeEmptyWithNamespace(xml, "query", ns::discoItems);
            break;
        case ElementType::IqSearch:
            writeIqSearch(xml, static_cast<const IqSearch &>(iq));
            break;
        case ElementType::IqInstantRoom:
            writeInstantRoomPayload(xml);
            break;
        default:
            break;
        }
        endStanza(xml, iq);
        return true;
    }
    default:
        qCDebug(lcXmpp) << "xmpp: element type" << element.type() << "is not written";
        return false;
    }
}

} // namespace xmpp
