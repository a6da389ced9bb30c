#pragma once

#include "game/Tile.h"
#include "scene/ShadowedGroup.h"
#include "scene/TileImages.h"

#include <map>
#include <vector>

class TileView;

// One row of wall stacks seen from one side. Stack 0 lies at the row's
// clockwise end, so stack indices run counter-clockwise around the table.
class WallView : public ShadowedGroup
{
public:
    enum { Type = SceneItem::WallViewType };

    WallView(TileImages::Side side, int stackCount);
    ~WallView() override;

    QPointF stackPos(int k) const;
    // Stack k shows stacks[first + k], or the dora indicator doras[first + k]
    // face up. Gap indices are global; -1 for none.
    void setState(int first, const std::vector<int> &stacks, int gapBefore, int gapFrom,
                  const std::map<int, tile> &doras);
    void relayoutStacks();

    int width() const;
    int height() const;
    int baseWidth() const;
    int baseHeight() const;

    TileImages::Side side() const { return m_side; }
    int stackCount() const { return static_cast<int>(m_stacks.size()); }
    const std::vector<TileView *> &stackItems() const { return m_stacks; }
    int type() const override { return Type; }

    // Depth of a three-tile stack: how far the wall rises above its ground.
    static int stackOffset();

private:
    int width(const TileImages *images) const;
    int height(const TileImages *images) const;

    TileImages::Side m_side;
    std::vector<TileView *> m_stacks;
    int m_gapBefore = -1;
    int m_gapFrom = -1;
    // Stacks were last placed with a gap.
    bool m_gapsShown = false;
};
