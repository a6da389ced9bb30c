#include "xmpp/elements/IqVCard.h"

#include "xmpp/elements/ElementCodec.h"
#include "xmpp/elements/Namespaces.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDomElement>

namespace xmpp {

IqVCard::IqVCard(const QString& id, const XMPPJid& to)
    : Iq(id, to, Get)
{
}

IqVCard::IqVCard(const QString& id, XMPPVCard* vcard)
    : Iq(id, XMPPJid(), Set)
    , m_vcard(vcard)
{
}

IqVCard::IqVCard(const QDomElement& vcardElement)
    : m_vcard(std::make_unique<XMPPVCard>())
{
    const QString vcardNs = QString::fromLatin1(ns::vcard);
    for (QDomElement photo = firstChildElementNS(vcardElement, QStringLiteral("PHOTO"), vcardNs); !photo.isNull();
         photo = nextSiblingElementNS(photo, QStringLiteral("PHOTO"), vcardNs)) {
        const QDomElement type = firstChildElementNS(photo, QStringLiteral("TYPE"), vcardNs);
        const QDomElement binval = firstChildElementNS(photo, QStringLiteral("BINVAL"), vcardNs);
        if (type.isNull() || binval.isNull())
            continue;
        const QByteArray format = type.text() == QLatin1String("image/png") ? QByteArray("PNG") : QByteArray();
        m_receivedPhotos.append({format, QByteArray::fromBase64(binval.text().toLatin1())});
    }
}

const XMPPVCard* IqVCard::vcard() const
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
    const XMPPVCard* card = vcard();
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
