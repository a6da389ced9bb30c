#include "xmpp/elements/XMPPVCard.h"

#include <QBuffer>
#include <QImageReader>

bool XMPPVCard::isAcceptedFormat(const QByteArray& format)
{
    // Raster formats with a fixed, cheap decoder; anything else (vector
    // pictures above all) could cost unbounded time to draw.
    static const QByteArray accepted[] = {"png", "jpeg", "gif", "bmp"};
    const QByteArray name = format.toLower();
    for (const QByteArray& candidate : accepted) {
        if (name == candidate)
            return true;
    }
    return false;
}

bool XMPPVCard::loadPhoto(const QByteArray& data, const char* format)
{
    m_photo = QImage();
    // A picture comes from another user: the format is told by the bytes,
    // not by the sender, and a few hundred bytes of PNG can claim a huge
    // canvas, so both are checked before anything is decoded.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray detected = QImageReader::imageFormat(&buffer);
    if (!isAcceptedFormat(detected) || (format && detected != QByteArray(format).toLower()))
        return false;
    buffer.seek(0);
    QImageReader reader(&buffer, detected);
    reader.setAutoDetectImageFormat(false);
    // The header's size is not always the canvas decoded (a GIF tells its
    // first frame, then draws on a screen of any size): the allocation is
    // bounded too, with room for 16 bits per channel.
    reader.setAllocationLimit(int(qint64(MaxPhotoSide) * MaxPhotoSide * 8 / (1024 * 1024)) + 1);
    const QSize size = reader.size();
    if (size.isValid() && size.width() <= MaxPhotoSide && size.height() <= MaxPhotoSide)
        m_photo = reader.read();
    if (m_photo.width() > MaxPhotoSide || m_photo.height() > MaxPhotoSide)
        m_photo = QImage();
    return !m_photo.isNull();
}
