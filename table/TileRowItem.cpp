#include "table/TileRowItem.h"

#include "scene/TileGraphics.h"
#include "scene/TileView.h"

TileRowItem::TileRowItem()
{
    setFlag(ItemHasNoContents);
}

void TileRowItem::addGroup(const tile_vector &tiles)
{
    addGroup(tiles, CONCEALED_TILE);
}

void TileRowItem::addGroup(const tile_vector &tiles, tile markTile)
{
    std::vector<TileView *> group;
    bool marked = false;
    for (tile t : tiles) {
        auto *view = new TileView(TileImages::Bottom, TileImages::Declared, t);
        view->setPainter(TileGraphics::instance().unscaledPainter());
        if (!marked && t == markTile && markTile != CONCEALED_TILE) {
            view->setMarked(true);
            marked = true;
        }
        view->setParentItem(this);
        group.push_back(view);
    }
    m_groups.push_back(std::move(group));
    relayout();
}

void TileRowItem::clear()
{
    prepareGeometryChange();
    for (auto &group : m_groups)
        for (TileView *view : group)
            delete view;
    m_groups.clear();
}

void TileRowItem::relayout()
{
    prepareGeometryChange();
    qreal x = 0;
    for (auto &group : m_groups) {
        for (TileView *view : group) {
            view->setPos(x, 0);
            const TileMetrics metrics = view->imageMetrics();
            x += metrics.isNull() ? view->boundingRect().width() : metrics.width;
        }
        if (!group.empty()) {
            const TileMetrics metrics = group.front()->imageMetrics();
            x += metrics.isNull() ? 8 : metrics.width / 3;
        }
    }
}

void TileRowItem::updateToolTips()
{
    for (auto &group : m_groups)
        for (TileView *view : group)
            view->updateToolTip();
}

QRectF TileRowItem::boundingRect() const
{
    return childrenBoundingRect();
}
