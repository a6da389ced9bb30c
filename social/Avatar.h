#pragma once

#include <QImage>
#include <QMetaType>
#include <QPixmap>

// One picture of the avatar grid, with the overlay drawn while it is chosen.
class Avatar
{
public:
    static constexpr int Side = 64;

    Avatar() = default;
    explicit Avatar(const QImage &image);

    QImage image;
    QPixmap selectedOverlay;
};

Q_DECLARE_METATYPE(Avatar)
