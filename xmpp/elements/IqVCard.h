#pragma once

#include "xmpp/elements/Iq.h"
#include "xmpp/elements/XMPPVCard.h"

#include <QByteArray>
#include <QImage>
#include <QList>

#include <memory>

class QDomElement;

namespace xmpp {

class IqVCard : public Iq
{
public:
    IqVCard() = default;
    IqVCard(const QString& id, const XMPPJid& to); // "get"
    IqVCard(const QString& id, XMPPVCard* vcard);  // "set", takes ownership
    // Reads the "vCard" payload; the envelope is filled by the codec. The
    // photos are only decoded when the vCard is first looked at, so that a
    // vCard nobody asked for costs no decoding.
    explicit IqVCard(const QDomElement& vcardElement);

    int type() const override { return ElementType::IqVCard; }

    const XMPPVCard* vcard() const;
    QImage photo() const;
    // SHA-1 of the PNG bytes that are sent, null without a photo.
    QByteArray photoHash() const;
    // The photo as sent: PNG, encoded once.
    QByteArray photoData() const;

private:
    struct ReceivedPhoto
    {
        QByteArray format;
        QByteArray data;
    };

    std::unique_ptr<XMPPVCard> m_vcard;
    // Received PHOTO elements in document order, until decoded.
    mutable QList<ReceivedPhoto> m_receivedPhotos;
    mutable QByteArray m_photoData;
    mutable QByteArray m_photoHash;
};

} // namespace xmpp
