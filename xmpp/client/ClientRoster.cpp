#include "xmpp/client/ClientRoster.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/IqRoster.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/stanza_error.h"
#include "xmpp/elements/stream_error.h"

#include <QDebug>

namespace xmpp {

namespace {

bool isResult(const Iq *iq)
{
    return iq && iq->typeText == QLatin1String("result");
}

// Only the own server, pushing without a sender or for the own bare
// address, speaks for the account's roster. (Answers need no such test:
// the client takes an answer only from whom the request went to.)
bool fromOwnAccount(const Iq &iq, const XMPPJid &ownJid)
{
    return iq.from.isEmpty() || iq.from == ownJid.bare();
}

} // namespace

ClientRoster::ClientRoster(XMPPClient *client, QObject *parent)
    : QObject(parent)
    , ClientExtension(client)
{
    qRegisterMetaType<XMPPJid>("XMPPJid");
}

void ClientRoster::requestRoster()
{
    const QString id = nextId();
    send(IqRoster(id));
    registerIqHandler(id, [this](StreamElement *element) { requestRosterResult(element); });
}

void ClientRoster::requestRosterResult(StreamElement *element)
{
    const auto *iq = dynamic_cast<const Iq *>(element);
    if (!isResult(iq)) {
        qCWarning(lcXmpp) << "Request roster error";
        return;
    }
    if (iq->type() != ElementType::IqRoster)
        throw stream_error(StreamErrorCondition::UndefinedCondition, QStringLiteral("Expected roster query"));
    // Copied: a slot may end the session, and with it the element.
    const QVector<IqRoster::Item> items = static_cast<const IqRoster *>(iq)->items;
    emit rosterReset();
    for (const IqRoster::Item &item : items)
        emit rosterUpdate(item.jid, item.subscription, item.remove, item.name, item.group);
    qCDebug(lcXmpp) << "Request roster ok";
}

void ClientRoster::updateRosterItem(const XMPPJid &jid, bool remove, const QString &name, const QString &group)
{
    const QString id = nextId();
    send(IqRoster(QVector<IqRoster::Item>{IqRoster::Item(jid, remove, name, group)}, id));
    registerIqHandler(id, [this](StreamElement *element) { updateRosterItemResult(element); });
}

void ClientRoster::updateRosterItemResult(StreamElement *element)
{
    const auto *iq = dynamic_cast<const Iq *>(element);
    if (!isResult(iq)) {
        qCWarning(lcXmpp) << "Update roster item error";
        return;
    }
    if (iq->type() != ElementType::Iq)
        qCDebug(lcXmpp) << "Unexpected stanza type " << iq->type() << " in updateRosterItemResult";
    qCDebug(lcXmpp) << "Update roster item ok";
}

void ClientRoster::handleRosterPush(const IqRoster &iq)
{
    if (iq.typeText == QLatin1String("set")) {
        // Only the own server speaks for the account's roster; a push from
        // anyone else would let any user plant a contact.
        if (!fromOwnAccount(iq, client()->jid())) {
            qCWarning(lcXmpp) << "roster push from" << iq.from.text() << "refused";
            throw stanza_error(stanza_error::IqKind, StanzaErrorType::Auth, StanzaErrorCondition::Forbidden, iq.id);
        }
        const QVector<IqRoster::Item> items = iq.items;
        const QString id = iq.id;
        for (const IqRoster::Item &item : items)
            emit rosterUpdate(item.jid, item.subscription, item.remove, item.name, item.group);
        Iq answer(id, XMPPJid(), Iq::Result);
        send(answer);
        qCDebug(lcXmpp) << "IqRoster";
        return;
    }
    if (iq.typeText == QLatin1String("get"))
        throw stanza_error(stanza_error::IqKind, StanzaErrorType::Continue, StanzaErrorCondition::BadRequest, iq.id);
    throw stream_error(StreamErrorCondition::UndefinedCondition, QString());
}

} // namespace xmpp
