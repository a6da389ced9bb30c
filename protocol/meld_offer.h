#pragma once

#include "game/Tile.h"

#include <QMetaType>
#include <QtGlobal>

#include <vector>

// One claim or declaration the server offers: meld type (1 chow, 2 pong,
// 4 pong to kong, 8 kong, 16 mahjong, 64 bonus, 128 riichi) and a tile (for
// a chow its lowest tile).
struct meld_offer
{
    qint32 meldType = 0;
    tile t = 0;

    meld_offer() = default;
    meld_offer(qint32 type, tile offered)
        : meldType(type)
        , t(offered)
    {
    }

    bool operator==(const meld_offer &other) const = default;
};

// In the server's order.
typedef std::vector<meld_offer> meld_offer_vector;

Q_DECLARE_METATYPE(meld_offer)
Q_DECLARE_METATYPE(meld_offer_vector)
