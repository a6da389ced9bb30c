#include "xmpp/elements/XMPPPresence.h"

#include "xmpp/elements/ErrorConditions.h"

XMPPPresence::XMPPPresence(const xmpp::PresenceStanza &stanza)
    : m_stanza(stanza)
{
}

int XMPPPresence::availability() const
{
    switch (m_stanza.presenceType()) {
    case xmpp::PresenceStanza::Unavailable:
        return Unavailable;
    case xmpp::PresenceStanza::Error:
        return Error;
    default:
        break;
    }
    switch (m_stanza.show) {
    case xmpp::PresenceStanza::Away:
        return Away;
    case xmpp::PresenceStanza::Chat:
        return Chat;
    case xmpp::PresenceStanza::Dnd:
        return Dnd;
    case xmpp::PresenceStanza::Xa:
        return Xa;
    default:
        return Available;
    }
}

QString XMPPPresence::status() const
{
    return m_stanza.statuses.value(QStringLiteral("UND"));
}

XMPPPresence::error_t XMPPPresence::errorType() const
{
    using Type = xmpp::StanzaErrorType;
    using Cond = xmpp::StanzaErrorCondition;
    if (m_stanza.presenceType() != xmpp::PresenceStanza::Error && !m_stanza.hasError())
        return NoError;
    const int type = m_stanza.errorType;
    const int condition = m_stanza.errorCondition;
    if (type == Type::Auth) {
        if (condition == Cond::Forbidden)
            return Forbidden;
        if (condition == Cond::NotAuthorized)
            return NotAuthorized;
        if (condition == Cond::RegistrationRequired)
            return RegistrationRequired;
    } else if (type == Type::Cancel) {
        if (condition == Cond::Conflict)
            return Conflict;
        if (condition == Cond::NotAllowed)
            return NotAllowed;
    } else if (type == Type::Wait) {
        if (condition == Cond::ServiceUnavailable)
            return ServiceUnavailable;
        if (condition == Cond::RecipientUnavailable)
            return RecipientUnavailable;
    }
    return OtherError;
}

QList<int> XMPPPresence::roomStatusIndexes() const
{
    QList<int> indexes;
    indexes.reserve(m_stanza.mucUser.statusCodes.size());
    for (int code : m_stanza.mucUser.statusCodes)
        indexes.append(xmpp::MucUserInfo::statusIndex(code));
    return indexes;
}

int XMPPPresence::rank(int availability)
{
    switch (availability) {
    case Available:
        return 5;
    case Chat:
        return 4;
    case Away:
        return 3;
    case Xa:
        return 2;
    case Dnd:
        return 1;
    default:
        return 0;
    }
}

bool XMPPPresence::rankLess(const XMPPPresence &a, const XMPPPresence &b)
{
    return rank(a.availability()) < rank(b.availability());
}

void XMPPPresence::setAvailability(int availability, xmpp::PresenceStanza &stanza)
{
    stanza.typeText = availability == Unavailable
                          ? xmpp::PresenceStanza::presenceTypeText(xmpp::PresenceStanza::Unavailable)
                          : QString();
    switch (availability) {
    case Away:
        stanza.show = xmpp::PresenceStanza::Away;
        break;
    case Chat:
        stanza.show = xmpp::PresenceStanza::Chat;
        break;
    case Dnd:
        stanza.show = xmpp::PresenceStanza::Dnd;
        break;
    case Xa:
        stanza.show = xmpp::PresenceStanza::Xa;
        break;
    default:
        stanza.show = xmpp::PresenceStanza::ShowNone;
        break;
    }
}
