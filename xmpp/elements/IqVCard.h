#pragma once

#include "xmpp/elements/Iq.h"
#include "xmpp/elements/XMPPVCard.h"

#include <QByteArray>
#include <QImage>

#include <memory>

namespace xmpp {

class IqVCard : public Iq
{
public:
    IqVCard() = default;
    IqVCard(const QString& id, const XMPPJid& to); // "get"
    IqVCard(const QString& id, XMPPVCard* vcard);  // "set", takes ownership
    // A vCard as read; the codec fills in the envelope.
    explicit IqVCard(std::unique_ptr<XMPPVCard> vcard) : m_vcard(std::move(vcard)) {}

    int type() const override { return ElementType::IqVCard; }

    const XMPPVCard* vcard() const { return m_vcard.get(); }
    QImage photo() const;
    // SHA-1 of the PNG bytes that are sent, null without a photo.
    QByteArray photoHash() const;
    // The photo as sent: PNG, encoded once.
    QByteArray photoData() const;

private:
    std::unique_ptr<XMPPVCard> m_vcard;
    mutable QByteArray m_photoData;
    mutable QByteArray m_photoHash;
};

} // namespace xmpp
