#pragma once

#include "xmpp/elements/StreamElement.h"
#include "xmpp/elements/XMPPJid.h"

#include <QDomElement>
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

// Decoding: each takes the DOM element (namespace-aware) and returns a new
// element, or throws stream_parse_error / stream_error / stanza_error.
std::unique_ptr<StreamElement> parseStreamElement(const QDomElement& element);
std::unique_ptr<StreamElement> parseStanza(const QDomElement& element);
std::unique_ptr<Iq> parseIq(const QDomElement& element);
std::unique_ptr<StreamFeatures> parseStreamFeatures(const QDomElement& element);
std::unique_ptr<SASLAuth> parseSASLAuth(const QDomElement& element);
std::unique_ptr<SASLChallenge> parseSASLChallenge(const QDomElement& element);
std::unique_ptr<SASLResponse> parseSASLResponse(const QDomElement& element);
std::unique_ptr<IqBind> parseIqBind(const QDomElement& bind);
std::unique_ptr<IqDiscoItems> parseIqDiscoItems(const QDomElement& query);
std::unique_ptr<IqDiscoInfo> parseIqDiscoInfo(const QDomElement& query);
std::unique_ptr<IqRoster> parseIqRoster(const QDomElement& query);
std::unique_ptr<IqVCard> parseIqVCard(const QDomElement& vcard);

// Reads the envelope attributes and the error part into the stanza.
void parseStanzaEnvelope(const QDomElement& element, Stanza& stanza);

// "node@domain/resource" -> XMPPJid; throws std::invalid_argument when a
// part is too long.
XMPPJid parseJid(const QString& text);

// The xml:lang of an element (also found when stored without namespace).
QString xmlLang(const QDomElement& element);

// Child elements by local name in any namespace (prefixes do not matter).
QDomElement firstChildElementLocal(const QDomElement& parent, const QString& localName);
QDomElement nextSiblingElementLocal(const QDomElement& element, const QString& localName);

QDomElement firstChildElementNS(const QDomElement& parent, const QString& localName, const QString& nsUri);
QDomElement nextSiblingElementNS(const QDomElement& element, const QString& localName, const QString& nsUri);

// The text without the characters XML 1.0 cannot carry (control
// characters, lone surrogates, U+FFFE/U+FFFF), which would otherwise break
// the stream for the peer.
QString xmlSafeText(const QString& text);

// Writes one top-level element in full. Elements a client never sends are
// logged and produce nothing; returns whether anything was written.
bool writeStreamElement(QXmlStreamWriter& xml, const StreamElement& element);

} // namespace xmpp
