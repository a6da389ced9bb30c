#include "game/Tile.h"

#include <QCoreApplication>
#include <QDebug>

#include <ostream>
#include <sstream>

namespace {

const char *const suitNames[] = {
    QT_TRANSLATE_NOOP("Mahjong", "Bamboo"),
    QT_TRANSLATE_NOOP("Mahjong", "Character"),
    QT_TRANSLATE_NOOP("Mahjong", "Circle"),
};
// The fourth flower shares its English word with the suit; the
// disambiguation lets other languages name the two apart.
const struct
{
    const char *source;
    const char *comment;
} flowerNames[] = {
    QT_TRANSLATE_NOOP3("Mahjong", "Plum blossom", "flower"),
    QT_TRANSLATE_NOOP3("Mahjong", "Orchid", "flower"),
    QT_TRANSLATE_NOOP3("Mahjong", "Chrysanthemum", "flower"),
    QT_TRANSLATE_NOOP3("Mahjong", "Bamboo", "flower"),
};
const char *const seasonNames[] = {
    QT_TRANSLATE_NOOP("Mahjong", "Spring"),
    QT_TRANSLATE_NOOP("Mahjong", "Summer"),
    QT_TRANSLATE_NOOP("Mahjong", "Autumn"),
    QT_TRANSLATE_NOOP("Mahjong", "Winter"),
};
const char *const windTileNames[] = {
    QT_TRANSLATE_NOOP("Mahjong", "East Wind"),
    QT_TRANSLATE_NOOP("Mahjong", "South Wind"),
    QT_TRANSLATE_NOOP("Mahjong", "West Wind"),
    QT_TRANSLATE_NOOP("Mahjong", "North Wind"),
};
const char *const dragonTileNames[] = {
    QT_TRANSLATE_NOOP("Mahjong", "Green Dragon"),
    QT_TRANSLATE_NOOP("Mahjong", "Red Dragon"),
    QT_TRANSLATE_NOOP("Mahjong", "White Dragon"),
};

const char *const debugSuits[] = {"BAMBOO", "CHARACTER", "CIRCLE"};
const char *const debugWinds[] = {"EAST", "SOUTH", "WEST", "NORTH"};
const char *const debugDragons[] = {"GREEN", "RED", "WHITE"};
const char *const debugSeasons[] = {"SPRING", "SUMMER", "AUTUMN", "WINTER"};
const char *const debugFlowers[] = {"PLUM BLOSSOM", "ORCHID", "CHRYSANTHEMUM", "BAMBOO"};

QString tr(const char *text, const char *comment = nullptr)
{
    return QCoreApplication::translate("Mahjong", text, comment);
}

} // namespace

int tileType(tile t)
{
    // Compared as the unsigned byte: 255 and every byte past the seasons
    // falls into the last kind.
    const int b = static_cast<quint8>(t);
    if (b <= 8)
        return TILE_BAMBOO;
    if (b <= 17)
        return TILE_CHARACTER;
    if (b <= 26)
        return TILE_CIRCLE;
    if (b <= 30)
        return TILE_WIND;
    if (b <= 33)
        return TILE_DRAGON;
    if (b <= 37)
        return TILE_FLOWER;
    return TILE_SEASON;
}

int tileNumber(tile t)
{
    const int b = static_cast<quint8>(t);
    if (b <= 8)
        return b + 1;
    if (b <= 17)
        return b - 8;
    if (b <= 26)
        return b - 17;
    if (b <= 30)
        return b - 26;
    if (b <= 33)
        return b - 30;
    if (b <= 37)
        return b - 33;
    if (b <= 41)
        return b - 37;
    return -1;
}

QString tileName(tile t)
{
    if (t == CONCEALED_TILE)
        return QCoreApplication::translate("Mahjong", "Concealed");
    const int number = tileNumber(t);
    if (number < 1)
        return QString();
    switch (tileType(t)) {
    case TILE_BAMBOO:
    case TILE_CHARACTER:
    case TILE_CIRCLE:
        return QCoreApplication::translate("Mahjong", "%1 %L2", "Suit and number, e.g. Bamboo 7")
            .arg(tr(suitNames[tileType(t)]))
            .arg(number);
    case TILE_FLOWER:
        return QCoreApplication::translate("Mahjong", "%1 %L2", "Flower and number, e.g. Orchid 3")
            .arg(tr(flowerNames[number - 1].source, flowerNames[number - 1].comment))
            .arg(number);
    case TILE_SEASON:
        return QCoreApplication::translate("Mahjong", "%1 %L2", "Season and number, e.g. Winter 2")
            .arg(tr(seasonNames[number - 1]))
            .arg(number);
    case TILE_WIND:
        return tr(windTileNames[number - 1]);
    case TILE_DRAGON:
        return tr(dragonTileNames[number - 1]);
    }
    return QString();
}

std::ostream &operator<<(std::ostream &os, tile t)
{
    if (t == CONCEALED_TILE)
        return os << "CONCEALED";
    const int number = tileNumber(t);
    if (number < 1)
        // Not a tile at all: show the byte so the log line stays useful.
        return os << "INVALID " << static_cast<int>(static_cast<quint8>(t));
    switch (tileType(t)) {
    case TILE_BAMBOO:
    case TILE_CHARACTER:
    case TILE_CIRCLE:
        return os << debugSuits[tileType(t)] << ' ' << number;
    case TILE_WIND:
        return os << debugWinds[number - 1] << " WIND";
    case TILE_DRAGON:
        return os << debugDragons[number - 1] << " DRAGON";
    case TILE_FLOWER:
        return os << debugFlowers[number - 1];
    case TILE_SEASON:
        return os << debugSeasons[number - 1];
    }
    return os;
}

std::string tileToString(tile t)
{
    std::ostringstream os;
    os << t;
    return os.str();
}

std::ostream &operator<<(std::ostream &os, const tile_vector &tiles)
{
    bool first = true;
    for (tile t : tiles) {
        if (!first)
            os << ',';
        first = false;
        os << t;
    }
    return os;
}

QDebug operator<<(QDebug dbg, const tile_vector &tiles)
{
    std::ostringstream os;
    os << tiles;
    QDebugStateSaver saver(dbg);
    dbg.noquote() << QString::fromStdString(os.str());
    return dbg;
}
