#include "xmpp/XMPPVCard.h"

bool XMPPVCard::loadPhoto(const QByteArray& data, const char* format)
{
    QImage image;
    if (!image.loadFromData(data, format))
        image = QImage();
    m_photo = image;
    return !m_photo.isNull();
}
