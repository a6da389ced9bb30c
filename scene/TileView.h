#pragma once

#include "game/Tile.h"
#include "scene/TileMetrics.h"
#include "scene/TilePainter.h"
#include "scene/TilePlace.h"

#include <QGraphicsItem>

// One tile on the table, drawn by side and use from a TilePainter (by default
// the game-scale painter, so it follows scale and set changes by itself).
class TileView : public QGraphicsItem, public TilePainter::Listner
{
public:
    TileView(int side, int use);
    TileView(int side, int use, tile t);
    ~TileView() override;

    void setTile(tile t);
    void setUse(int use);
    void setSide(int side);
    void setMarked(bool marked);
    void setPainter(TilePainter &painter);

    tile getTile() const { return m_tile; }
    int use() const { return m_use; }
    int side() const { return m_side; }
    bool isMarked() const { return m_marked; }
    TilePainter &tilePainter() const { return *m_painter; }

    TileMetrics imageMetrics() const;
    TilePlace tilePlace() const;
    void updateToolTip();

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    void imagesAboutToChange(TilePainter &) override;
    void imagesChanged(TilePainter &) override;

private:
    void updateShadowData();
    qreal markerHeight() const;

    TilePainter *m_painter;
    tile m_tile = 0;
    bool m_marked = false;
    int m_use = 10; // invalid, so that the constructor always applies the use
    int m_side = 0;
};
