#include "scene/DiscardView.h"

#include "scene/TileGraphics.h"
#include "scene/TileView.h"

#include <QGraphicsScene>

namespace {
struct Sizes
{
    int w = 0, h = 0, w2 = 0, h2 = 0;
};

Sizes sizes(TileImages::Side side)
{
    Sizes s;
    if (const TileImages *images = TileGraphics::instance().scaledPainter().images()) {
        const TileMetrics lying = images->metrics(side, TileImages::Declared);
        const TileMetrics turned = images->metrics(side, TileImages::DeclaredTurned);
        s = Sizes{lying.width, lying.height, turned.width, turned.height};
    }
    return s;
}
} // namespace

DiscardView::DiscardView(TileImages::Side side)
    : m_side(side)
{
}

DiscardView::~DiscardView()
{
    // The items are children: QGraphicsItem deletes them.
    m_tiles.clear();
}

QPointF DiscardView::tilePosition(int i) const
{
    const Sizes s = sizes(m_side);
    const int row = i / RowLength, column = i % RowLength;
    QPointF p;
    switch (m_side) {
    case TileImages::Bottom:
        p = QPointF(s.w * column, s.h * (row - 1));
        break;
    case TileImages::Right:
        p = QPointF(s.w * (row - 1), -s.h * (column + 1));
        break;
    case TileImages::Top:
        p = QPointF(-s.w * (column + 1), -s.h * row);
        break;
    case TileImages::Left:
        p = QPointF(-s.w * row, s.h * column);
        break;
    }
    if (m_riichiIndex < 0)
        return p;
    if (i == m_riichiIndex) {
        switch (m_side) {
        case TileImages::Bottom:
            break;
        case TileImages::Right:
            p += QPointF(0, -(s.h2 - s.h));
            break;
        case TileImages::Top:
            p += QPointF(-(s.w2 - s.w), -(s.h2 - s.h));
            break;
        case TileImages::Left:
            p += QPointF(s.w - s.w2, 0);
            break;
        }
    } else if (i > m_riichiIndex && i / RowLength == m_riichiIndex / RowLength) {
        // Later tiles of the riichi row make room for the turned tile.
        switch (m_side) {
        case TileImages::Bottom:
            p += QPointF(s.w2 - s.w, 0);
            break;
        case TileImages::Right:
            p += QPointF(0, -(s.h2 - s.h));
            break;
        case TileImages::Top:
            p += QPointF(-(s.w2 - s.w), 0);
            break;
        case TileImages::Left:
            p += QPointF(0, s.h2 - s.h);
            break;
        }
    }
    return p;
}

double DiscardView::tileZ(int i) const
{
    const int row = i / RowLength, column = i % RowLength;
    switch (m_side) {
    case TileImages::Bottom:
        return i;
    case TileImages::Right:
        return RowLength * (row + 1) - i;
    case TileImages::Top:
        return -i;
    case TileImages::Left:
        return column;
    }
    return 0;
}

QPointF DiscardView::rowOffset(int n) const
{
    const Sizes s = sizes(m_side);
    const int k = n > 0 ? (n - 1) / RowLength : 0;
    switch (m_side) {
    case TileImages::Bottom:
        return QPointF(0, -s.h * k);
    case TileImages::Right:
        return QPointF(-s.w * k, 0);
    case TileImages::Top:
        return QPointF(0, s.h * k);
    case TileImages::Left:
        return QPointF(s.w * k, 0);
    }
    return QPointF();
}

void DiscardView::placeGroup()
{
    const QPointF o = rowOffset(static_cast<int>(m_tiles.size()));
    setTransform(QTransform::fromTranslate(o.x(), o.y()));
    updateShadow();
}

void DiscardView::addTile(tile t)
{
    if (!m_tiles.empty())
        m_tiles.back()->setMarked(false);
    const int n = static_cast<int>(m_tiles.size());
    auto *item = new TileView(m_side, m_riichiIndex == n ? TileImages::DeclaredTurned : TileImages::Declared, t);
    m_tiles.push_back(item);
    addItem(item);
    item->setPos(tilePosition(n));
    item->setZValue(tileZ(n));
    placeGroup();
}

void DiscardView::setTiles(const tile_vector &tiles, int riichiIndex)
{
    clear();
    m_riichiIndex = riichiIndex;
    for (const tile t : tiles)
        addTile(t);
}

void DiscardView::removeTileItem(TileView *item)
{
    if (QGraphicsScene *s = item->scene())
        s->removeItem(item);
    delete item;
}

void DiscardView::clear()
{
    for (TileView *item : m_tiles)
        removeTileItem(item);
    m_tiles.clear();
    placeGroup();
    m_riichiIndex = -1;
}

tile DiscardView::takeLastTile()
{
    if (m_tiles.empty())
        return NoTile;
    TileView *item = m_tiles.back();
    m_tiles.pop_back();
    item->setMarked(false);
    const tile t = item->getTile();
    removeTileItem(item);
    placeGroup();
    return t;
}

void DiscardView::markRiichi()
{
    m_riichiIndex = static_cast<int>(m_tiles.size());
}

void DiscardView::markLastAsRiichi()
{
    if (m_tiles.empty())
        return;
    const tile t = takeLastTile();
    m_riichiIndex = static_cast<int>(m_tiles.size());
    addTile(t);
}

void DiscardView::setLastTileMarked(bool marked)
{
    if (!m_tiles.empty())
        m_tiles.back()->setMarked(marked);
}

void DiscardView::layoutTiles()
{
    for (int i = 0; i < static_cast<int>(m_tiles.size()); ++i) {
        // Refreshes the shadow data for new images.
        m_tiles[i]->imagesChanged(m_tiles[i]->tilePainter());
        m_tiles[i]->setPos(tilePosition(i));
    }
    placeGroup();
}

void DiscardView::updateToolTips()
{
    for (TileView *item : m_tiles)
        item->updateToolTip();
}

std::vector<TilePlace> DiscardView::targetPlaces(const tile_vector &)
{
    // Drawn turned or not, a discard flies in as a lying tile. It lands in
    // the group as moved for one more tile (a new row moves the rows).
    const int n = static_cast<int>(m_tiles.size());
    const QPointF inGroup = tilePosition(n) + rowOffset(n + 1) - rowOffset(n);
    return {TilePlace{mapToScene(inGroup), TileImages::Declared, m_side}};
}

std::vector<TilePlace> DiscardView::targetPlaces(int)
{
    return {};
}

void DiscardView::addTargetTiles(const tile_vector &tiles)
{
    if (!tiles.empty())
        addTile(tiles.front());
}

void DiscardView::addTargetTiles(int) {}

std::vector<TilePlace> DiscardView::sourcePlaces(int)
{
    if (m_tiles.empty())
        return {TilePlace{mapToScene(tilePosition(0)), TileImages::Declared, m_side}};
    return {m_tiles.back()->tilePlace()};
}

void DiscardView::takeSourceTiles(int)
{
    takeLastTile();
}
