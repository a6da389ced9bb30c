#include "xmpp/elements/IqVCard.h"

#include <QBuffer>
#include <QCryptographicHash>

namespace xmpp {

IqVCard::IqVCard(const QString &id, const XMPPJid &to)
    : Iq(id, to, Get)
{
}

IqVCard::IqVCard(const QString &id, XMPPVCard *vcard)
    : Iq(id, XMPPJid(), Set)
    , m_vcard(vcard)
{
}

const XMPPVCard *IqVCard::vcard() const
{
    while (!m_receivedPhotos.isEmpty()) {
        const ReceivedPhoto photo = m_receivedPhotos.takeFirst();
        if (m_vcard->loadPhoto(photo.data, photo.format.isEmpty() ? nullptr : photo.format.constData())) {
            m_vcard->setHash(QCryptographicHash::hash(photo.data, QCryptographicHash::Sha1));
            m_receivedPhotos.clear();
        }
    }
    return m_vcard.get();
}

QImage IqVCard::photo() const
{
    const XMPPVCard *card = vcard();
    return card ? card->photo() : QImage();
}

QByteArray IqVCard::photoData() const
{
    if (!m_vcard || m_vcard->photo().isNull())
        return QByteArray();
    if (m_photoData.isNull()) {
        QBuffer buffer(&m_photoData);
        buffer.open(QIODevice::WriteOnly);
        m_vcard->photo().save(&buffer, "PNG");
    }
    return m_photoData;
}

QByteArray IqVCard::photoHash() const
{
    if (!m_vcard || m_vcard->photo().isNull())
        return QByteArray();
    if (m_photoHash.isNull())
        m_photoHash = QCryptographicHash::hash(photoData(), QCryptographicHash::Sha1);
    return m_photoHash;
}

} // namespace xmpp
