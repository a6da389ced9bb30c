#pragma once

#include "scene/ShadowedGroup.h"
#include "scene/TileAnimationSource.h"
#include "scene/TileAnimationTarget.h"
#include "scene/TileImages.h"

#include <vector>

class TileView;

// The concealed tiles of a seat as a row of backs seen from its side; back 0
// lies at the seat's own right-hand end.
class HiddenHandView : public ShadowedGroup, public TileAnimationSource, public TileAnimationTarget
{
public:
    enum { Type = SceneItem::HiddenHandViewType };
    static constexpr int MaxTiles = 14;

    explicit HiddenHandView(TileImages::Side side);
    ~HiddenHandView() override;

    // A count outside 0-14 is ignored with a warning.
    void setTileCount(int n);
    int tileCount() const { return static_cast<int>(m_tiles.size()); }
    void layoutTiles();

    QPointF tileOffset(int k) const;
    double tileZ(int k) const;
    QPointF tilePosition(int k) const;

    TileImages::Side side() const { return m_side; }
    const std::vector<TileView *> &tileItems() const { return m_tiles; }
    int type() const override { return Type; }

protected:
    std::vector<TilePlace> sourcePlaces(int count) override;
    void takeSourceTiles(int count) override;
    std::vector<TilePlace> targetPlaces(int count) override;
    void addTargetTiles(int count) override;

private:
    TileImages::Side m_side;
    std::vector<TileView *> m_tiles;
};
