#pragma once

#include "xmpp/elements/Iq.h"
#include "xmpp/elements/XMPPVCard.h"

#include <QByteArray>
#include <QImage>
#include <QList>

#include <memory>

namespace xmpp {

class IqVCard : public Iq
{
public:
    IqVCard() = default;
    IqVCard(const QString &id, const XMPPJid &to); // "get"
    IqVCard(const QString &id, XMPPVCard *vcard);  // "set", takes ownership
    // A received photo, kept undecoded until the vCard is first looked at,
    // so that a vCard nobody asked for costs no decoding.
    struct ReceivedPhoto
    {
        QByteArray format; // empty: judged from the bytes
        QByteArray data;
    };
    // A vCard as read, with its photos in document order; the codec fills in
    // the envelope.
    IqVCard(std::unique_ptr<XMPPVCard> vcard, QList<ReceivedPhoto> photos)
        : m_vcard(std::move(vcard))
        , m_receivedPhotos(std::move(photos))
    {
    }

    int type() const override { return ElementType::IqVCard; }

    const XMPPVCard *vcard() const;
    QImage photo() const;
    // SHA-1 of the PNG bytes that are sent, null without a photo.
    QByteArray photoHash() const;
    // The photo as sent: PNG, encoded once.
    QByteArray photoData() const;

private:
    std::unique_ptr<XMPPVCard> m_vcard;
    // Received PHOTO elements in document order, until decoded.
    mutable QList<ReceivedPhoto> m_receivedPhotos;
    mutable QByteArray m_photoData;
    mutable QByteArray m_photoHash;
};

} // namespace xmpp
