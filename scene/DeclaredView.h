#pragma once

#include "game/Tile.h"
#include "scene/ShadowedGroup.h"
#include "scene/TileAnimationTarget.h"
#include "scene/TileImages.h"

#include <list>
#include <vector>

class MeldView;
class TilePainter;

// A seat's declared melds and bonus tiles in rows seen from its side; a full
// row continues further from the table's centre. Bonus tiles always come
// last.
class DeclaredView : public ShadowedGroup, public TileAnimationTarget
{
public:
    enum { Type = SceneItem::DeclaredViewType };

    // One meld as addMeld takes it.
    struct Meld
    {
        int meldType = 0;
        tile first = 0;
        int claimedPosition = -1;
        int claimedOffset = 0;
        int visibility = 0;
    };

    DeclaredView(int side, double maxRowLength);
    ~DeclaredView() override;

    // `claimedFrom` is the player whose discard made the meld (-1 none).
    void addMeld(int meldType, tile first, int claimedPosition, int claimedOffset, int visibility,
                 int claimedFrom = -1);
    void addBonusTile(tile t);
    // A row of face-up tiles in the given order (a mahjong row), the first
    // tile showing `marked` marked.
    void addTileRow(const tile_vector &tiles, tile marked = CONCEALED_TILE);
    void setMelds(const std::vector<Meld> &melds, const tile_vector &bonusTiles);
    void clear();
    void setPainter(TilePainter *painter);
    void setMaxRowLength(double length);
    void relayout();
    void updateTileGraphics();

    TileImages::Side side() const { return m_side; }
    double maxRowLength() const { return m_maxRowLength; }
    const std::list<MeldView *> &melds() const { return m_melds; }
    // Where the next meld begins, in the view's coordinates.
    QPointF nextMeldPoint() const { return m_next; }
    int type() const override { return Type; }

protected:
    std::vector<TilePlace> targetPlaces(int count) override;
    void addTargetTiles(int count) override;

private:
    void insertMeld(MeldView *meld);
    QSizeF declaredSize() const;

    TilePainter *m_painter;
    TileImages::Side m_side;
    double m_maxRowLength;
    std::list<MeldView *> m_melds;
    QPointF m_next;
};
