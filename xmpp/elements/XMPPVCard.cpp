#include "xmpp/elements/XMPPVCard.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// The scans (start-of-scan segments) of a JPEG. Each scan is decoded over
// the whole picture, and a few bytes make one, so their number bounds the
// time to decode as much as the canvas does.
int jpegScanCount(const QByteArray &data)
{
    const auto at = [&](qsizetype pos) { return uchar(data.at(pos)); };
    const auto isRestart = [](uchar marker) { return marker >= 0xd0 && marker <= 0xd7; };
    int scans = 0;
    qsizetype pos = 2; // after the start of image
    while (pos + 1 < data.size()) {
        const uchar marker = at(pos + 1);
        // Stray bytes and fill bytes before a marker are skipped, as decoders do.
        if (at(pos) != 0xff || marker == 0xff) {
            ++pos;
            continue;
        }
        if (marker == 0xd9) // end of image
            break;
        if (marker == 0x00 || marker == 0x01 || isRestart(marker) || pos + 3 >= data.size()) {
            pos += 2;
            continue;
        }
        pos += 2 + ((qsizetype(at(pos + 2)) << 8) | at(pos + 3));
        if (marker != 0xda)
            continue;
        ++scans;
        // The scan's data runs to the next marker other than a stuffed
        // zero or a restart.
        while (pos + 1 < data.size() && !(at(pos) == 0xff && at(pos + 1) != 0x00 && !isRestart(at(pos + 1))))
            ++pos;
    }
    return scans;
}

} // namespace

bool XMPPVCard::isAcceptedFormat(const QByteArray &format)
{
    // Raster formats with a fixed, cheap decoder; anything else (vector
    // pictures above all) could cost unbounded time to draw.
    static const QByteArray accepted[] = {"png", "jpeg", "gif", "bmp"};
    const QByteArray name = format.toLower();
    for (const QByteArray &candidate : accepted) {
        if (name == candidate)
            return true;
    }
    return false;
}

bool XMPPVCard::loadPhoto(const QByteArray &data, const char *format)
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
    const int scans = detected == "jpeg" ? jpegScanCount(data) : 1;
    if (scans > MaxJpegScans)
        return false;
    buffer.seek(0);
    QImageReader reader(&buffer, detected);
    reader.setAutoDetectImageFormat(false);
    // The header's size is not always the canvas decoded (a GIF tells its
    // first frame, then draws on a screen of any size): the allocation is
    // bounded too, with room for 16 bits per channel.
    reader.setAllocationLimit(int(qint64(MaxPhotoSide) * MaxPhotoSide * 8 / (1024 * 1024)) + 1);
    const QSize size = reader.size();
    // Every scan of a JPEG costs about as much as a whole picture.
    const bool withinBudget = qint64(scans) * size.width() * size.height() <= MaxDecodedPixels;
    if (size.isValid() && size.width() <= MaxPhotoSide && size.height() <= MaxPhotoSide && withinBudget)
        m_photo = reader.read();
    if (m_photo.width() > MaxPhotoSide || m_photo.height() > MaxPhotoSide)
        m_photo = QImage();
    return !m_photo.isNull();
}
