#include "xmpp/elements/PresenceStanza.h"

namespace xmpp {

namespace {
const char *const presenceTypeNames[] = {nullptr,        "subscribe",   "subscribed", "unsubscribe",
                                         "unsubscribed", "unavailable", "probe",      "error"};
const char *const showNames[] = {nullptr, "away", "chat", "dnd", "xa"};
} // namespace

PresenceStanza::PresenceStanza(const XMPPJid &to_, int presenceType, const QString &id_)
{
    to = to_;
    id = id_;
    typeText = presenceTypeText(presenceType);
}

int PresenceStanza::presenceTypeFromText(const QString &text)
{
    for (int i = 1; i < int(std::size(presenceTypeNames)); ++i) {
        if (text == QLatin1String(presenceTypeNames[i]))
            return i;
    }
    return Available;
}

QString PresenceStanza::presenceTypeText(int presenceType)
{
    if (presenceType <= 0 || presenceType >= int(std::size(presenceTypeNames)))
        return QString();
    return QString::fromLatin1(presenceTypeNames[presenceType]);
}

QString PresenceStanza::showText(int show)
{
    if (show <= 0 || show >= int(std::size(showNames)))
        return QString();
    return QString::fromLatin1(showNames[show]);
}

} // namespace xmpp
