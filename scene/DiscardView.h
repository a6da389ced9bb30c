#pragma once

#include "game/Tile.h"
#include "scene/ShadowedGroup.h"
#include "scene/TileAnimationSource.h"
#include "scene/TileAnimationTarget.h"
#include "scene/TileImages.h"

#include <vector>

class TileView;

// The discards of one seat in rows of six, turned to the seat's side; the
// riichi discard lies turned, the newest row always at the same place.
class DiscardView : public ShadowedGroup, public TileAnimationTarget, public TileAnimationSource
{
public:
    enum { Type = SceneItem::DiscardViewType };
    static constexpr int RowLength = 6;
    // What takeLastTile answers on an empty view (0 is a tile).
    static constexpr tile NoTile = tile(-1); // 255

    explicit DiscardView(TileImages::Side side);
    ~DiscardView() override;

    void addTile(tile t);
    void setTiles(const tile_vector &tiles, int riichiIndex);
    void clear();
    tile takeLastTile();
    void markRiichi();
    void markLastAsRiichi();
    void setLastTileMarked(bool marked);
    void layoutTiles();
    void updateToolTips();

    TileImages::Side side() const { return m_side; }
    int riichiIndex() const { return m_riichiIndex; }
    const std::vector<TileView *> &tileItems() const { return m_tiles; }

    // Where tile i lies in the group (riichi shifts included), its z, and
    // the group's translation for n tiles.
    QPointF tilePosition(int i) const;
    double tileZ(int i) const;
    QPointF rowOffset(int n) const;

    int type() const override { return Type; }

protected:
    std::vector<TilePlace> targetPlaces(const tile_vector &tiles) override;
    std::vector<TilePlace> targetPlaces(int count) override;
    void addTargetTiles(const tile_vector &tiles) override;
    void addTargetTiles(int count) override;
    std::vector<TilePlace> sourcePlaces(int count) override;
    void takeSourceTiles(int count) override;

private:
    void removeTileItem(TileView *item);
    void placeGroup();

    TileImages::Side m_side;
    std::vector<TileView *> m_tiles;
    int m_riichiIndex = -1;
};
