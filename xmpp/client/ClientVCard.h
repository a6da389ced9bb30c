#pragma once

#include "xmpp/client/ClientExtension.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPVCard.h"

#include <QImage>
#include <QObject>
#include <QSet>

namespace xmpp {

class StreamElement;

// Fetches vCards (player pictures) and uploads the own one.
class ClientVCard : public QObject, public ClientExtension
{
    Q_OBJECT

public:
    explicit ClientVCard(XMPPClient* client, QObject* parent = nullptr);

    // Servers close the stream on stanzas over 256 KiB (a common default);
    // a photo whose PNG is larger is refused here with uploadVCardError.
    static constexpr int MaxPhotoBytes = 192 * 1024;

    // Both throw std::runtime_error("not connected") unless the session is up.
    void requestVCard(const XMPPJid& jid);
    void uploadVCard(const QImage& photo);

    // Whether a fetch for this address (any resource) is unanswered.
    bool isRequestPending(const XMPPJid& jid) const;

signals:
    void vCardReceived(XMPPJid jid, XMPPVCard vCard);
    void vCardReceivedError(XMPPJid jid);
    void uploadVCardOk();
    void uploadVCardError();

private:
    // The address a fetch is sent to: the bare one, or null for our own.
    XMPPJid requestAddress(const XMPPJid& jid) const;
    void requestVCardResult(const XMPPJid& to, StreamElement* element);
    void uploadVCardResult(const QByteArray& hash, StreamElement* element);

    QSet<XMPPJid> m_pending;
};

} // namespace xmpp
