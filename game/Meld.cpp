#include "game/Meld.h"

#include <QDebug>

#include <ostream>
#include <sstream>

const char *meldTypeName(int meldType)
{
    switch (meldType) {
    case MELD_CHOW:
        return "CHOW";
    case MELD_PONG:
        return "PONG";
    case MELD_PONG_TO_KONG:
        return "PONG TO KONG";
    case MELD_KONG:
        return "KONG";
    case MELD_MAHJONG:
        return "MAHJONG";
    case MELD_PAIR:
        return "PAIR";
    default:
        return "UNKNOWN";
    }
}

tile_vector makeChowTiles(tile first)
{
    // Byte arithmetic only: the server says which chows exist.
    return {first, tile(first + 1), tile(first + 2)};
}

tile_vector makePongTiles(tile first)
{
    return tile_vector(3, first);
}

tile_vector makeKongTiles(tile first)
{
    return tile_vector(4, first);
}

std::ostream &operator<<(std::ostream &os, const meld_tuple &m)
{
    return os << "Meld<" << meldTypeName(m.meldType) << ' ' << m.firstTile << " concealed:" << m.visibility << '>';
}

std::ostream &operator<<(std::ostream &os, const meld_vector &melds)
{
    os << "Melds<";
    bool first = true;
    for (const meld_tuple &m : melds) {
        if (!first)
            os << ',';
        first = false;
        os << m;
    }
    return os << '>';
}

QDebug operator<<(QDebug dbg, const meld_tuple &m)
{
    std::ostringstream os;
    os << m;
    QDebugStateSaver saver(dbg);
    dbg.noquote() << QString::fromStdString(os.str());
    return dbg;
}
