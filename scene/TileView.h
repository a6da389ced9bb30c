#pragma once

#include "game/Tile.h"
#include "scene/TileMetrics.h"
#include "scene/TilePainter.h"
#include "scene/SceneItem.h"
#include "scene/TileImages.h"
#include "scene/TilePlace.h"

#include <QGraphicsItem>

// One tile on the table, drawn by side and use from a TilePainter (by default
// the game-scale painter, so it follows scale and set changes by itself).
class TileView : public QGraphicsItem, public TilePainter::Listner
{
public:
    enum { Type = SceneItem::TileViewType };

    TileView(TileImages::Side side, TileImages::Use use);
    TileView(TileImages::Side side, TileImages::Use use, tile t);
    ~TileView() override;

    void setTile(tile t);
    void setUse(TileImages::Use use);
    void setSide(TileImages::Side side);
    void setMarked(bool marked);
    void setPainter(TilePainter &painter);

    tile getTile() const { return m_tile; }
    TileImages::Use use() const { return m_use; }
    TileImages::Side side() const { return m_side; }
    bool isMarked() const { return m_marked; }
    TilePainter &tilePainter() const { return *m_painter; }

    TileMetrics imageMetrics() const;
    TilePlace tilePlace() const;
    void updateToolTip();

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    void imagesAboutToChange(TilePainter &) override;
    void imagesChanged(TilePainter &) override;

private:
    void updateShadowData();
    qreal markerHeight() const;
    // The picture at the item's origin; `plain` when the painter only moves
    // by whole pixels, so that images are copied without resampling.
    void drawPicture(QPainter &p, bool plain) const;

    TilePainter *m_painter;
    tile m_tile = 0;
    bool m_marked = false;
    // Invalid, so that the constructor always applies the use.
    TileImages::Use m_use = static_cast<TileImages::Use>(TileImages::UseCount);
    TileImages::Side m_side = TileImages::Bottom;
};
