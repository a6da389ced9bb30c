#pragma once

#include <QString>

// Winds: 0 east, 1 south, 2 west, 3 north (seat winds and the prevailing wind).
struct Wind
{
    enum enum_t { EAST = 0, SOUTH = 1, WEST = 2, NORTH = 3 };
};

// "EAST" ... "NORTH"; "<undefined>" outside 0-3.
const char *windName(int wind);

// Translated (context "Mahjong"). Only 0-3 name a wind; anything else
// gives an empty text.
QString translatedWindName(int wind);
QString translatedPrevalentWindName(int wind);

// East -> south -> west -> north -> east; throws std::runtime_error
// "invalid wind" for anything else.
int nextWind(int wind);

// Seat and wind arithmetic wraps around four places; the result is always
// 0-3, also for negative differences such as (wind - ownWind).
int wrapWind(int value);
