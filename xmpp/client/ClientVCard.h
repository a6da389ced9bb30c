#pragma once

#include "xmpp/client/ClientExtension.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPVCard.h"

#include <QImage>
#include <QObject>
#include <QSet>

namespace xmpp {

class IqVCard;
class StreamElement;

// Fetches vCards (player pictures) and uploads the own one.
class ClientVCard : public QObject, public ClientExtension
{
    Q_OBJECT

public:
    explicit ClientVCard(XMPPClient *client, QObject *parent = nullptr);

    // Servers close the stream on stanzas over 256 KiB (a common default):
    // the whole vCard stanza, Base64 photo inside, is kept below that, with
    // room for what the server counts beyond the bytes we write.
    static constexpr int MaxStanzaBytes = 250 * 1024;

    // Both throw std::runtime_error("not connected") unless the session is up.
    void requestVCard(const XMPPJid &jid);
    // A photo too large for the stanza limit is scaled down until it fits.
    void uploadVCard(const QImage &photo);

    // Whether a fetch for this address (any resource) is unanswered.
    bool isRequestPending(const XMPPJid &jid) const;

signals:
    void vCardReceived(XMPPJid jid, XMPPVCard vCard);
    void vCardReceivedError(XMPPJid jid);
    void uploadVCardOk();
    void uploadVCardError();

private:
    // The address a fetch is sent to: the bare one, or null for our own.
    XMPPJid requestAddress(const XMPPJid &jid) const;
    void requestVCardResult(const XMPPJid &to, StreamElement *element);
    void uploadVCardResult(const QByteArray &hash, StreamElement *element);
    // The size of the iq as written on its own.
    static qint64 stanzaBytes(const IqVCard &iq);

    QSet<XMPPJid> m_pending;
};

} // namespace xmpp
