#pragma once

#include "game/Tile.h"
#include "scene/SceneItem.h"
#include "scene/TileImages.h"

#include <QGraphicsItem>

#include <vector>

class TilePainter;
class TileView;

// One declared meld as a short row of tiles seen from one side: the claimed
// tile turned sideways, hidden tiles face down.
class MeldView : public QGraphicsItem
{
public:
    enum { Type = SceneItem::MeldViewType };
    // Visibility: every face shown, a concealed kong (outer tiles face
    // down), every tile face down.
    enum { Open = 0, Concealed = 1, Hidden = 2 };

    // Throws std::runtime_error "can't create view for unhandled meld-type"
    // for a type it cannot draw (also a mahjong row: use the other
    // constructor). A chow claim outside positions and offsets 0-2 is drawn
    // unclaimed.
    MeldView(int orientation, int meldType, tile first, int claimedPosition, int claimedOffset, int visibility);
    // Every tile face up, in the given order.
    MeldView(int orientation, int meldType, const tile_vector &tiles);
    ~MeldView() override;

    void setPainter(TilePainter *painter);
    tile_vector tiles() const;
    void markTile(tile t);
    void layoutTiles();
    QRectF extent() const;
    void updateTileGraphics();
    void updateToolTips();

    int orientation() const { return m_orientation; }
    int meldType() const { return m_meldType; }
    int visibility() const { return m_visibility; }
    int claimedPosition() const { return m_claimedPosition; }
    tile firstTile() const { return m_first; }
    const std::vector<TileView *> &tileItems() const { return m_tiles; }

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    struct Place
    {
        tile face;
        TileImages::Use use;
        // Laid on the tile before it instead of after it.
        bool stacked;
    };
    static std::vector<Place> placesFor(int meldType, tile first, int &claimedPosition, int claimedOffset,
                                        int visibility);
    void createTiles(const std::vector<Place> &places);

    TilePainter *m_painter;
    TileImages::Side m_orientation;
    int m_meldType;
    tile m_first = 0;
    int m_visibility = Open;
    int m_claimedPosition = -1;
    std::vector<TileView *> m_tiles;
    std::vector<bool> m_stacked;
    QRectF m_extent;
};
