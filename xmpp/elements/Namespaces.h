#pragma once

// Namespace URIs of the XMPP vocabulary the client speaks. Each one is
// spelled here only, so reading and writing can never disagree.
namespace xmpp::ns {

inline constexpr char client[] = "jabber:client";
inline constexpr char stream[] = "http://etherx.jabber.org/streams";
inline constexpr char streamErrors[] = "urn:ietf:params:xml:ns:xmpp-streams";
inline constexpr char tls[] = "urn:ietf:params:xml:ns:xmpp-tls";
inline constexpr char sasl[] = "urn:ietf:params:xml:ns:xmpp-sasl";
inline constexpr char bind[] = "urn:ietf:params:xml:ns:xmpp-bind";
inline constexpr char session[] = "urn:ietf:params:xml:ns:xmpp-session";
inline constexpr char stanzas[] = "urn:ietf:params:xml:ns:xmpp-stanzas";
inline constexpr char discoInfo[] = "http://jabber.org/protocol/disco#info";
inline constexpr char discoItems[] = "http://jabber.org/protocol/disco#items";
inline constexpr char muc[] = "http://jabber.org/protocol/muc";
inline constexpr char mucUser[] = "http://jabber.org/protocol/muc#user";
inline constexpr char mucOwner[] = "http://jabber.org/protocol/muc#owner";
inline constexpr char dataForms[] = "jabber:x:data";
inline constexpr char vcard[] = "vcard-temp";
inline constexpr char vcardUpdate[] = "vcard-temp:x:update";
inline constexpr char roster[] = "jabber:iq:roster";
inline constexpr char search[] = "jabber:iq:search";
inline constexpr char delay[] = "urn:xmpp:delay";
inline constexpr char legacyDelay[] = "jabber:x:delay";
inline constexpr char xml[] = "http://www.w3.org/XML/1998/namespace";

// The service's own extension listing the tables a player sits at.
inline constexpr char tablePresence[] = "http://kestrova-mahjong.net/protocol/tablepresence";

} // namespace xmpp::ns
