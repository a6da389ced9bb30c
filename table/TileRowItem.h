#pragma once

#include "game/Tile.h"

#include <QGraphicsItem>

#include <vector>

class TileView;

// Face-up tiles in groups laid side by side, drawn at the tile set's own size
// (the panels and boards do not follow the table's scale).
class TileRowItem : public QGraphicsItem
{
public:
    TileRowItem();

    // Adds one group; markTile names the tile to mark in it (first match), or
    // none when it is not in the group.
    void addGroup(const tile_vector &tiles, tile markTile);
    void addGroup(const tile_vector &tiles);
    void clear();
    // Lays the tiles out again by the current tile metrics.
    void relayout();
    // Renews every tile's name, e.g. after a language change.
    void updateToolTips();

    int groupCount() const { return int(m_groups.size()); }
    const std::vector<std::vector<TileView *>> &groups() const { return m_groups; }

    QRectF boundingRect() const override;
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}

private:
    std::vector<std::vector<TileView *>> m_groups;
};
