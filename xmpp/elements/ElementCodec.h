#pragma once

#include "xmpp/elements/StreamElement.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XmlElement.h"

#include <QString>

#include <memory>

class QXmlStreamWriter;

namespace xmpp {

class Iq;
class IqBind;
class IqDiscoInfo;
class IqDiscoItems;
class IqRoster;
class IqVCard;
class SASLAuth;
class SASLChallenge;
class SASLResponse;
class Stanza;
class StreamFeatures;

// Decoding: each takes the element as read (namespace-aware) and returns a new
// element, or throws stream_parse_error / stream_error / stanza_error.
std::unique_ptr<StreamElement> parseStreamElement(const XmlElement &element);
std::unique_ptr<StreamElement> parseStanza(const XmlElement &element);
std::unique_ptr<Iq> parseIq(const XmlElement &element);
std::unique_ptr<StreamFeatures> parseStreamFeatures(const XmlElement &element);
std::unique_ptr<SASLAuth> parseSASLAuth(const XmlElement &element);
std::unique_ptr<SASLChallenge> parseSASLChallenge(const XmlElement &element);
std::unique_ptr<SASLResponse> parseSASLResponse(const XmlElement &element);
std::unique_ptr<IqBind> parseIqBind(const XmlElement &bind);
std::unique_ptr<IqDiscoItems> parseIqDiscoItems(const XmlElement &query);
std::unique_ptr<IqDiscoInfo> parseIqDiscoInfo(const XmlElement &query);
std::unique_ptr<IqRoster> parseIqRoster(const XmlElement &query);
std::unique_ptr<IqVCard> parseIqVCard(const XmlElement &vcard);

// Reads the envelope attributes and the error part into the stanza.
void parseStanzaEnvelope(const XmlElement &element, Stanza &stanza);

// "node@domain/resource" -> XMPPJid; throws std::invalid_argument when a
// part is too long.
XMPPJid parseJid(const QString &text);

// The xml:lang of an element (also found when stored without namespace).
QString xmlLang(const XmlElement &element);

// Child elements by local name in any namespace (prefixes do not matter).
XmlElement firstChildElementLocal(const XmlElement &parent, const QString &localName);
XmlElement nextSiblingElementLocal(const XmlElement &element, const QString &localName);

XmlElement firstChildElementNS(const XmlElement &parent, const QString &localName, const QString &nsUri);
XmlElement nextSiblingElementNS(const XmlElement &element, const QString &localName, const QString &nsUri);

// The text without the characters XML 1.0 cannot carry (control
// characters, lone surrogates, U+FFFE/U+FFFF), which would otherwise break
// the stream for the peer.
QString xmlSafeText(const QString &text);

// Writes one top-level element in full. Elements a client never sends are
// logged and produce nothing; returns whether anything was written.
bool writeStreamElement(QXmlStreamWriter &xml, const StreamElement &element);

} // namespace xmpp
