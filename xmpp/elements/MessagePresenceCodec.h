#pragma once

#include "xmpp/elements/DelayedDeliveryInfo.h"
#include "xmpp/elements/MucUserInfo.h"

#include <QByteArray>
#include <QDateTime>
#include <QDomElement>
#include <QString>

#include <memory>

class QXmlStreamWriter;

namespace xmpp {

class MessageStanza;
class PresenceStanza;

// Content decoders (the envelope is added by the element codec). A field a
// peer got wrong (show, priority, stamp, room role...) is dropped with a
// warning: one bad field must not end the session.
std::unique_ptr<MessageStanza> parseMessage(const QDomElement& element);
std::unique_ptr<PresenceStanza> parsePresence(const QDomElement& element);

MucUserInfo parseMucUserInfo(const QDomElement& x);
// Both return false (and leave info alone) when the stamp is unreadable.
bool parseDelay(const QDomElement& delay, DelayedDeliveryInfo& info);
bool parseLegacyDelay(const QDomElement& x, DelayedDeliveryInfo& info);
// A date-time stamp: any number of fraction digits, "Z" or "+hh:mm"/"-hh:mm".
// Invalid QDateTime when it is not one.
QDateTime parseDelayStamp(const QString& text);

// -1 for an unknown text.
int parseShow(const QString& text);
int parseMucAffiliation(const QString& text);
int parseMucRole(const QString& text);
QByteArray parsePhotoHash(const QDomElement& x);

// Content writers, between the envelope's start and end.
void writeMessageContent(QXmlStreamWriter& xml, const MessageStanza& message);
void writePresenceContent(QXmlStreamWriter& xml, const PresenceStanza& presence);
void writeMucPresenceContent(QXmlStreamWriter& xml, const PresenceStanza& presence);

} // namespace xmpp
