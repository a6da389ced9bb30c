#pragma once

#include "scene/CityView.h"
#include "scene/WallTileAnimationSource.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QGraphicsScene;
class QGraphicsSimpleTextItem;
class WallView;

// The short wall of the compact layout: nine stacks (the dead wall and the
// next live tiles) and a counter of the live tiles left.
class CompactCityView : public CityView
{
    Q_OBJECT

public:
    static constexpr int StackCount = 9;

    explicit CompactCityView(QGraphicsScene *scene);
    ~CompactCityView() override;

    void setTableInfo(const TableInfo &info) override;
    // The bottom wind and the dead-wall position do not matter here.
    void setWallState(int bottomWind, int liveTiles, int deadWallTiles, int deadWallPosition, int deadWallTilesDealt,
                      const tile_vector &doras) override;
    void clearWallState() override;
    void addDora(tile t) override;
    TileAnimationSource *animationSource(bool deadWall) override;
    TilePlace nextPlace(bool deadWall) const override;
    void drawTiles(int count, bool deadWall) override;

    void setPos(QPoint topLeft);
    int width() const;
    QRect boundingRect() const;
    QSize baseSize() const;
    void relayout();
    void setLightPosition(QPointF light);

    int mode() const { return m_mode; }
    bool hasWallState() const override { return m_hasState; }
    WallView *wall() const { return m_wall; }
    QString counterText() const;
    QGraphicsSimpleTextItem *counter() const { return m_counter; }
    QGraphicsSimpleTextItem *counterShadow() const { return m_counterShadow; }

private:
    void applyState();
    void placeCounters();

    QPointer<QGraphicsScene> m_scene;
    // Items given to a scene die with it; items without one are ours.
    bool m_sceneOwnsItems;
    WallView *m_wall = nullptr;
    QGraphicsSimpleTextItem *m_counter = nullptr;
    QGraphicsSimpleTextItem *m_counterShadow = nullptr;
    QPoint m_position;
    int m_ruleset = 0;
    int m_mode = 2;

    bool m_hasState = false;
    int m_live = 0;
    int m_dead = 0;
    int m_deadDealt = 0;
    tile_vector m_doras;

    WallTileAnimationSource m_liveSource{*this, false};
    WallTileAnimationSource m_deadSource{*this, true};
};
