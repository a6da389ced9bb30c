#pragma once

#include <QByteArray>
#include <QPixmap>

// A cached player picture: the photo hash of the vCard it came from (empty
// for a default avatar fetched without an announced hash) and the pixmap.
struct PictureEntry
{
    QByteArray hash;
    QPixmap pixmap;
};
