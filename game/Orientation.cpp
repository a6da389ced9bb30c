#include "game/Orientation.h"

const char *orientationName(int orientation)
{
    static const char *const names[] = {"BOTTOM", "RIGHT", "TOP", "LEFT"};
    return orientation >= 0 && orientation <= 3 ? names[orientation] : "<undefined>";
}
