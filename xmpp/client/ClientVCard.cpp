#include "xmpp/client/ClientVCard.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/IqVCard.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/stream_error.h"

#include <QBuffer>
#include <QDebug>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <memory>

namespace xmpp {

ClientVCard::ClientVCard(XMPPClient *client, QObject *parent)
    : QObject(parent)
    , ClientExtension(client)
{
    qRegisterMetaType<XMPPVCard>("XMPPVCard");
}

XMPPJid ClientVCard::requestAddress(const XMPPJid &jid) const
{
    const XMPPJid bare = jid.bare();
    // Without "to" the server answers with the account's own vCard.
    return client()->jid().bare() == bare ? XMPPJid() : bare;
}

bool ClientVCard::isRequestPending(const XMPPJid &jid) const
{
    return m_pending.contains(requestAddress(jid));
}

void ClientVCard::requestVCard(const XMPPJid &jid)
{
    requireConnected();
    const XMPPJid to = requestAddress(jid);
    // Views ask on every repaint; the one answer serves them all.
    if (m_pending.contains(to))
        return;
    const QString id = nextId();
    send(IqVCard(id, to));
    m_pending.insert(to);
    registerIqHandler(id, [this, to](StreamElement *element) { requestVCardResult(to, element); });
}

void ClientVCard::requestVCardResult(const XMPPJid &to, StreamElement *element)
{
    m_pending.remove(to);
    // Reported under the address asked for: the own vCard's answer may come
    // without a sender or from the domain, and a failure names nobody.
    const XMPPJid requested = to.isNull() ? client()->jid().bare() : to;
    const auto *iq = dynamic_cast<const Iq *>(element);
    if (!iq || iq->typeText != QLatin1String("result")) {
        // A player who never stored a vCard is answered "item-not-found":
        // no fault of anyone's.
        if (iq && iq->errorCondition == StanzaErrorCondition::ItemNotFound)
            qCDebug(lcXmpp).noquote() << "no vCard for" << requested.text();
        else
            qCWarning(lcXmpp).noquote() << "Download vCard error for" << requested.text()
                                        << (iq ? stanzaErrorConditionName(iq->errorCondition) : QString());
        emit vCardReceivedError(requested);
        return;
    }
    if (iq->type() != ElementType::IqVCard)
        throw stream_error(StreamErrorCondition::UndefinedCondition, QStringLiteral("Expected vCard"));
    const auto *answer = static_cast<const IqVCard *>(iq);
    const XMPPVCard vcard = answer->vcard() ? *answer->vcard() : XMPPVCard();
    qCDebug(lcXmpp) << "VCard recieved, " << (vcard.photo().isNull() ? "no photo" : "has photo");
    emit vCardReceived(requested, vcard);
}

void ClientVCard::uploadVCard(const QImage &photo)
{
    requireConnected();
    const QString id = nextId();
    auto iq = std::make_unique<IqVCard>(id, new XMPPVCard(photo));
    // Sent too large, it would cost the session, not just the picture.
    for (qint64 size = stanzaBytes(*iq); size > MaxStanzaBytes; size = stanzaBytes(*iq)) {
        const QSize current = iq->photo().size();
        // The PNG shrinks about with the area; aim a little below the limit.
        const double factor = std::min(0.9, std::sqrt(double(MaxStanzaBytes) / double(size)) * 0.95);
        const QSize smaller(std::max(1, int(current.width() * factor)), std::max(1, int(current.height() * factor)));
        qCDebug(lcXmpp) << "vCard of" << size << "bytes: photo scaled from" << current << "to" << smaller;
        // Always from the original, so the picture is smoothed only once.
        iq = std::make_unique<IqVCard>(
            id, new XMPPVCard(photo.scaled(smaller, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    send(*iq);
    const QByteArray hash = iq->photoHash();
    registerIqHandler(id, [this, hash](StreamElement *element) { uploadVCardResult(hash, element); });
}

qint64 ClientVCard::stanzaBytes(const IqVCard &iq)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    writeStreamElement(xml, iq);
    return buffer.size();
}

void ClientVCard::uploadVCardResult(const QByteArray &hash, StreamElement *element)
{
    const auto *iq = dynamic_cast<const Iq *>(element);
    if (!iq || iq->typeText != QLatin1String("result")) {
        qCWarning(lcXmpp) << "Upload vCard error";
        emit uploadVCardError();
        return;
    }
    if (iq->type() != ElementType::Iq)
        qCWarning(lcXmpp) << "Unexpected stanza type " << iq->type() << " in uploadVCardResult";
    setPhotoHash(hash);
    emit uploadVCardOk();
    qCDebug(lcXmpp) << "Upload vCard ok";
}

} // namespace xmpp
