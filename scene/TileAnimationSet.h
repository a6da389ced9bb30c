#pragma once

#include "game/Tile.h"
#include "scene/GameWindowAnimation.h"

#include <memory>
#include <vector>

class QGraphicsScene;
class TileAnimation;
class TileAnimationSource;
class TileAnimationTarget;

// Tiles flying from one view to another: known tiles face up, or a count of
// hidden tiles as backs. The source gives the tiles up when the set starts,
// the target receives them when it finishes; in between the moving items
// stand for them.
class TileAnimationSet : public GameWindowAnimation
{
    Q_OBJECT
public:
    TileAnimationSet(QGraphicsScene *scene, TileAnimationSource *source, TileAnimationTarget *target, int durationMs,
                     const tile_vector &tiles);
    TileAnimationSet(QGraphicsScene *scene, TileAnimationSource *source, TileAnimationTarget *target, int durationMs,
                     int count);
    ~TileAnimationSet() override;

    void start(bool immediate) override;
    void finish(bool immediate) override;

    const std::vector<std::unique_ptr<TileAnimation>> &moving() const { return m_moving; }

private:
    void buildMoving();

    QGraphicsScene *m_scene;
    TileAnimationSource *m_source;
    TileAnimationTarget *m_target;
    int m_count;
    tile_vector m_tiles;
    std::vector<std::unique_ptr<TileAnimation>> m_moving;
};
