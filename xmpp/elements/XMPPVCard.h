#pragma once

#include <QByteArray>
#include <QImage>
#include <QMetaType>

// A player's vCard as far as the client uses it: the photo and its hash.
class XMPPVCard
{
public:
    XMPPVCard() = default;
    explicit XMPPVCard(const QImage &photo)
        : m_photo(photo)
    {
    }

    const QImage &photo() const { return m_photo; }
    void setPhoto(const QImage &photo) { m_photo = photo; }
    const QByteArray &hash() const { return m_hash; }
    void setHash(const QByteArray &hash) { m_hash = hash; }

    // Pictures larger than this on either side are refused unread.
    static constexpr int MaxPhotoSide = 1024;
    // Progressive JPEGs have about ten scans; thousands cost seconds.
    static constexpr int MaxJpegScans = 40;
    // Pixels decoded, counted once per JPEG scan: about 10 ms of decoding.
    static constexpr qint64 MaxDecodedPixels = 20 * qint64(MaxPhotoSide) * MaxPhotoSide;

    // Decodes the photo from encoded bytes; true when that gave an image.
    // Only PNG, JPEG, GIF and BMP are read, as detected from the data; a
    // format given must match what the data is.
    bool loadPhoto(const QByteArray &data, const char *format = nullptr);
    static bool isAcceptedFormat(const QByteArray &format);

private:
    QImage m_photo;
    QByteArray m_hash;
};

Q_DECLARE_METATYPE(XMPPVCard)
