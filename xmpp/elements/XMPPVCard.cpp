#include "xmpp/elements/XMPPVCard.h"

#include <QBuffer>
#include <QImageReader>

bool XMPPVCard::loadPhoto(const QByteArray& data, const char* format)
{
    // A picture comes from another user: a few hundred bytes of PNG can claim
    // a huge canvas, so its size is checked before anything is decoded.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    QImage image;
    if (size.isValid() && size.width() <= MaxPhotoSide && size.height() <= MaxPhotoSide)
        image = reader.read();
    m_photo = image;
    return !m_photo.isNull();
}
