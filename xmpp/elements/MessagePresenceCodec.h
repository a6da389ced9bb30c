#pragma once

#include "xmpp/elements/DelayedDeliveryInfo.h"
#include "xmpp/elements/MucUserInfo.h"
#include "xmpp/elements/XmlElement.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

class QXmlStreamWriter;

namespace xmpp {

class MessageStanza;
class PresenceStanza;

// Content decoders (the envelope is added by the element codec). A field a
// peer got wrong (show, priority, stamp, room role...) is dropped with a
// warning: one bad field must not end the session.
std::unique_ptr<MessageStanza> parseMessage(const XmlElement &element);
std::unique_ptr<PresenceStanza> parsePresence(const XmlElement &element);

MucUserInfo parseMucUserInfo(const XmlElement &x);
// Both return false (and leave info alone) when the stamp is unreadable.
bool parseDelay(const XmlElement &delay, DelayedDeliveryInfo &info);
bool parseLegacyDelay(const XmlElement &x, DelayedDeliveryInfo &info);
// A date-time stamp: any number of fraction digits, "Z" or "+hh:mm"/"-hh:mm".
// Invalid QDateTime when it is not one.
QDateTime parseDelayStamp(const QString &text);

// -1 for an unknown text.
int parseShow(const QString &text);
int parseMucAffiliation(const QString &text);
int parseMucRole(const QString &text);
QByteArray parsePhotoHash(const XmlElement &x);

// Content writers, between the envelope's start and end.
void writeMessageContent(QXmlStreamWriter &xml, const MessageStanza &message);
void writePresenceContent(QXmlStreamWriter &xml, const PresenceStanza &presence);
void writeMucPresenceContent(QXmlStreamWriter &xml, const PresenceStanza &presence);

} // namespace xmpp
