#include "xmpp/client/ClientVCard.h"

#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/IqVCard.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/stream_error.h"

#include <QDebug>

namespace xmpp {

ClientVCard::ClientVCard(XMPPClient* client, QObject* parent)
    : QObject(parent)
    , ClientExtension(client)
{
    qRegisterMetaType<XMPPVCard>("XMPPVCard");
}

XMPPJid ClientVCard::requestAddress(const XMPPJid& jid) const
{
    const XMPPJid bare = jid.bare();
    // Without "to" the server answers with the account's own vCard.
    return client()->jid().bare() == bare ? XMPPJid() : bare;
}

bool ClientVCard::isRequestPending(const XMPPJid& jid) const
{
    return m_pending.contains(requestAddress(jid));
}

void ClientVCard::requestVCard(const XMPPJid& jid)
{
    requireConnected();
    const XMPPJid to = requestAddress(jid);
    // Views ask on every repaint; the one answer serves them all.
    if (m_pending.contains(to))
        return;
    const QString id = nextId();
    send(IqVCard(id, to));
    m_pending.insert(to);
    registerIqHandler(id, [this, to](StreamElement* element) { requestVCardResult(to, element); });
}

void ClientVCard::requestVCardResult(const XMPPJid& to, StreamElement* element)
{
    m_pending.remove(to);
    const auto* iq = dynamic_cast<const Iq*>(element);
    if (!iq || iq->typeText != QLatin1String("result")) {
        qWarning() << "Download vCard error";
        emit vCardReceivedError(XMPPJid());
        return;
    }
    if (iq->type() != ElementType::IqVCard)
        throw stream_error(StreamErrorCondition::UndefinedCondition, QStringLiteral("Expected vCard"));
    const auto* answer = static_cast<const IqVCard*>(iq);
    XMPPJid from = answer->from;
    // The answer to the own request may come without a sender; it is still
    // the own vCard, and listeners tell players apart by the address.
    if (from.isEmpty() && to.isNull())
        from = client()->jid().bare();
    const XMPPVCard vcard = answer->vcard() ? *answer->vcard() : XMPPVCard();
    qDebug() << "VCard recieved, " << (vcard.photo().isNull() ? "no photo" : "has photo");
    emit vCardReceived(from, vcard);
}

void ClientVCard::uploadVCard(const QImage& photo)
{
    requireConnected();
    const QString id = nextId();
    const IqVCard iq(id, new XMPPVCard(photo));
    if (iq.photoData().size() > MaxPhotoBytes) {
        // Sent, it would cost the session, not just the picture.
        qWarning() << "Upload vCard error: photo of" << iq.photoData().size() << "bytes is too large";
        emit uploadVCardError();
        return;
    }
    send(iq);
    const QByteArray hash = iq.photoHash();
    registerIqHandler(id, [this, hash](StreamElement* element) { uploadVCardResult(hash, element); });
}

void ClientVCard::uploadVCardResult(const QByteArray& hash, StreamElement* element)
{
    const auto* iq = dynamic_cast<const Iq*>(element);
    if (!iq || iq->typeText != QLatin1String("result")) {
        qWarning() << "Upload vCard error";
        emit uploadVCardError();
        return;
    }
    if (iq->type() != ElementType::Iq)
        qWarning() << "Unexpected stanza type " << iq->type() << " in uploadVCardResult";
    setPhotoHash(hash);
    emit uploadVCardOk();
    qDebug() << "Upload vCard ok";
}

} // namespace xmpp
