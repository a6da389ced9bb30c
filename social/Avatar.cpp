#include "social/Avatar.h"

Avatar::Avatar(const QImage &image)
    : image(image)
    , selectedOverlay(QStringLiteral("resources:/avatar-selected.png"))
{
}
