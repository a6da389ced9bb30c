#pragma once

#include "scene/CityView.h"
#include "scene/WallTileAnimationSource.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <array>

class QGraphicsScene;
class WallView;

// The full wall: four rows of 18 stacks in a pinwheel, or of 17 centred on a
// square, turned so that the bottom seat's own wind segment lies at the
// bottom.
class SquareCityView : public CityView
{
    Q_OBJECT

public:
    explicit SquareCityView(QGraphicsScene *scene);
    ~SquareCityView() override;

    void setTableInfo(const TableInfo &info) override;
    void setWallState(int bottomWind, int liveTiles, int deadWallTiles, int deadWallPosition, int deadWallTilesDealt,
                      const tile_vector &doras) override;
    // Back to the full-wall look of a table with no wall state yet.
    void clearWallState() override;
    void addDora(tile t) override;
    TileAnimationSource *animationSource(bool deadWall) override;
    TilePlace nextPlace(bool deadWall) const override;
    void drawTiles(int count, bool deadWall) override;

    void layoutWalls(QPoint topLeft);
    int width() const;
    int height() const;
    int stackOffset() const;
    QRect boundingRect() const;
    QRect innerRect() const;
    QSize baseSize() const;
    void relayout();
    void setLightPosition(QPointF light);

    int stacksPerSide() const { return m_stacksPerSide; }
    int mode() const { return m_mode; }
    bool hasWallState() const override { return m_hasState; }
    int liveNextStack() const { return m_liveNext; }
    int deadNextStack() const { return m_deadNext; }
    WallView *wall(int side) const { return m_walls[side]; }

private:
    void buildWalls();
    void deleteWalls();
    void applyState();

    QPointer<QGraphicsScene> m_scene;
    // Items given to a scene die with it; items without one are ours.
    bool m_sceneOwnsItems;
    std::array<WallView *, 4> m_walls{};
    int m_ruleset = 0;
    int m_stacksPerSide = 18;
    bool m_smallSquare = false;
    int m_mode = 2;
    QPoint m_position;
    QPointF m_light;

    bool m_hasState = false;
    int m_bottomWind = 0;
    int m_live = 0;
    int m_dead = 0;
    int m_deadPosition = 0;
    int m_deadDealt = 0;
    tile_vector m_doras;

    int m_liveNext = 0;
    int m_deadNext = 0;
    TilePlace m_livePlace;
    TilePlace m_deadPlace;
    WallTileAnimationSource m_liveSource{*this, false};
    WallTileAnimationSource m_deadSource{*this, true};
};
