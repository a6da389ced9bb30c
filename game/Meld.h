#pragma once

#include "game/Tile.h"

#include <QMetaType>
#include <QtGlobal>

#include <iosfwd>
#include <vector>

// Meld types as bit values; claim offers add MELD_BONUS and MELD_RIICHI.
enum MeldType {
    MELD_CHOW = 1,
    MELD_PONG = 2,
    MELD_PONG_TO_KONG = 4,
    MELD_KONG = 8,
    MELD_MAHJONG = 16,
    MELD_PAIR = 32,
    MELD_BONUS = 64,
    MELD_RIICHI = 128
};

// One declared meld. The claimed-from fields are filled in by the table model
// when the meld was made from a claimed discard.
struct meld_tuple
{
    qint32 meldType = 0;
    qint32 visibility = 0;
    tile firstTile = 0;
    // Player whose discard was claimed for this meld; -1 for none.
    qint32 claimedFrom = -1;
    // Claimed tile's byte minus firstTile.
    qint8 claimedOffset = 0;

    bool operator==(const meld_tuple &other) const = default;
};

typedef std::vector<meld_tuple> meld_vector;

const char *meldTypeName(int meldType);

tile_vector makeChowTiles(tile first);
tile_vector makePongTiles(tile first);
tile_vector makeKongTiles(tile first);

std::ostream &operator<<(std::ostream &os, const meld_tuple &m);
std::ostream &operator<<(std::ostream &os, const meld_vector &melds);
QDebug operator<<(QDebug dbg, const meld_tuple &m);

Q_DECLARE_METATYPE(meld_tuple)
