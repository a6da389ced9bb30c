#pragma once

#include "game/Tile.h"
#include "scene/TilePlace.h"

#include <QObject>

class TableInfo;
class TileAnimationSource;

// The wall of the table, drawn from the model's wall counts; square or
// compact.
class CityView : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setTableInfo(const TableInfo &info) = 0;
    virtual void setWallState(int bottomWind, int liveTiles, int deadWallTiles, int deadWallPosition,
                              int deadWallTilesDealt, const tile_vector &doras) = 0;
    // Back to "no wall state yet": a table before its first hand shows the
    // full wall, which all-zero counts would draw as an empty one.
    virtual void clearWallState() = 0;
    virtual bool hasWallState() const = 0;
    virtual void addDora(tile t) = 0;
    virtual TileAnimationSource *animationSource(bool deadWall) = 0;

    // Where the next tile of the live or the dead wall lies.
    virtual TilePlace nextPlace(bool deadWall) const = 0;
    // Applies `count` single draws by the ruleset's counting rule.
    virtual void drawTiles(int count, bool deadWall) = 0;
};
