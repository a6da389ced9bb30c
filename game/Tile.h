#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <iosfwd>
#include <string>
#include <vector>

class QDebug;

// One tile as the server sends it: a single signed byte. 0-8 bamboo, 9-17
// character, 18-26 circle, 27-30 winds, 31-33 dragons, 34-37 flowers, 38-41
// seasons; -1 (the byte 255) is a concealed tile shown face down.
typedef qint8 tile;
typedef std::vector<tile> tile_vector;

// The byte 255: a tile whose face the local player cannot see.
constexpr tile CONCEALED_TILE = tile(-1);

// Kinds answered by tileType. Dragons come before winds here although wind
// bytes come first.
enum TileKind {
    TILE_BAMBOO = 0,
    TILE_CHARACTER = 1,
    TILE_CIRCLE = 2,
    TILE_DRAGON = 3,
    TILE_WIND = 4,
    TILE_FLOWER = 5,
    TILE_SEASON = 6
};

int tileType(tile t);
// 1-based number within the kind; -1 for anything outside 0-41.
int tileNumber(tile t);

// Translated display name (context "Mahjong").
QString tileName(tile t);

// Debug text: "CIRCLE 7", "WHITE DRAGON", "CONCEALED"... The tile images are
// looked up by these words, so they are part of the tile-set format.
std::string tileToString(tile t);

// The byte sent for a tile in requests.
inline quint8 tileToWire(tile t)
{
    return static_cast<quint8>(t);
}

std::ostream &operator<<(std::ostream &os, tile t);
std::ostream &operator<<(std::ostream &os, const tile_vector &tiles);
QDebug operator<<(QDebug dbg, const tile_vector &tiles);
