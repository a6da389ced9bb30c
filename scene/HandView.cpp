#include "scene/HandView.h"

#include "scene/HandTile.h"
#include "scene/Logging.h"
#include "scene/TableArt.h"
#include "scene/TileGraphics.h"

#include <QGraphicsScene>
#include <QSvgRenderer>

#include <algorithm>

namespace {
int handHeight(const TileImages *images)
{
    return images ? static_cast<int>(images->rect(TileImages::Bottom, TileImages::Hand).height()) : 0;
}

int rowHeight(const TileImages *images)
{
    const int h = handHeight(images);
    return h + h / 6;
}

const TileImages *scaledImages()
{
    return TileGraphics::instance().scaledPainter().images();
}
} // namespace

HandView::HandView()
    : m_frame(this)
{
    m_frame.setSharedRenderer(&TableArt::frame());
    m_frame.setElementId(QStringLiteral("frame"));
    m_frame.setZValue(-1);
    m_frame.hide();
}

HandView::~HandView()
{
    // The frame is a member: it leaves the children before the base class
    // deletes the tiles.
}

int HandView::tileAdvance()
{
    const TileImages *images = scaledImages();
    return images ? images->metrics(TileImages::Bottom, TileImages::Hand).width : 0;
}

int HandView::handTileHeight()
{
    return handHeight(scaledImages());
}

int HandView::handRowHeight()
{
    return rowHeight(scaledImages());
}

int HandView::baseHandRowHeight()
{
    return rowHeight(TileGraphics::instance().unscaledPainter().images());
}

tile_vector HandView::tiles() const
{
    tile_vector result;
    for (const HandTile *item : m_tiles)
        result.push_back(item->getTile());
    return result;
}

bool HandView::isAllowed(tile t) const
{
    return m_active && (m_allowed.empty() || std::find(m_allowed.begin(), m_allowed.end(), t) != m_allowed.end());
}

void HandView::setTiles(const tile_vector &tiles)
{
    tile_vector sorted = tiles;
    std::sort(sorted.begin(), sorted.end());
    const int n = static_cast<int>(sorted.size());
    const int advance = tileAdvance();
    while (static_cast<int>(m_tiles.size()) < n) {
        auto *item = new HandTile(this, 0);
        item->setPos(-(static_cast<int>(m_tiles.size()) + 1) * advance, 0);
        addItem(item);
        m_tiles.push_back(item);
    }
    while (static_cast<int>(m_tiles.size()) > n) {
        HandTile *item = m_tiles.back();
        m_tiles.pop_back();
        if (QGraphicsScene *s = item->scene())
            s->removeItem(item);
        delete item;
    }
    fitFrame();
    for (int i = 0; i < n; ++i) {
        HandTile *item = m_tiles[i];
        item->setTile(sorted[n - 1 - i]);
        item->lower();
        item->setEnabled(isAllowed(item->getTile()));
    }
}

void HandView::clear()
{
    setTiles({});
}

void HandView::refreshTileStates()
{
    for (HandTile *item : m_tiles) {
        item->lower();
        item->setEnabled(isAllowed(item->getTile()));
    }
}

void HandView::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (!active)
        m_allowed.clear();
    refreshTileStates();
}

void HandView::setAllowedTiles(const tile_vector &tiles)
{
    m_allowed = tiles;
    refreshTileStates();
}

void HandView::clearAllowedTiles()
{
    m_allowed.clear();
    refreshTileStates();
}

void HandView::markTile(tile t)
{
    for (HandTile *item : m_tiles) {
        if (item->getTile() == t && !item->isMarked()) {
            item->setMarked(true);
            return;
        }
    }
}

void HandView::clearMarks()
{
    for (HandTile *item : m_tiles)
        item->setMarked(false);
}

void HandView::layoutTiles()
{
    const int advance = tileAdvance();
    for (int i = 0; i < static_cast<int>(m_tiles.size()); ++i)
        m_tiles[i]->setPos(-(i + 1) * advance, 0);
    fitFrame();
}

void HandView::updateTileGraphics()
{
    for (HandTile *item : m_tiles)
        item->imagesChanged(item->tilePainter());
}

QPointF HandView::leftmostTilePos() const
{
    const int n = static_cast<int>(m_tiles.size());
    return pos() - QPointF((n - 1) * tileAdvance() / 2.0, 0);
}

void HandView::fitFrame()
{
    // The cached tray is not always repainted where it stood once it
    // shrinks or moves: a piece of it stayed left of the rack.
    const QRectF before = m_frame.isVisible() ? m_frame.sceneBoundingRect() : QRectF();
    placeFrame();
    if (QGraphicsScene *s = scene(); s && !before.isEmpty())
        s->update(before);
}

void HandView::placeFrame()
{
    const int n = static_cast<int>(m_tiles.size());
    if (n == 0) {
        m_frame.hide();
        return;
    }
    QSvgRenderer &r = TableArt::frame();
    const QStringList elements{QStringLiteral("frame"), QStringLiteral("frameArea")};
    const int a = tileAdvance(), half = a / 2, h = handTileHeight();
    QRectF target;
    if (TableArt::hasElements(r, elements)) {
        const QRectF frame = r.boundsOnElement(elements[0]);
        target = r.boundsOnElement(elements[1]).translated(-frame.topLeft());
    } else {
        target = m_frame.boundingRect();
    }
    if (!(target.width() > 0 && target.height() > 0) || a <= 0 || h <= 0) {
        m_frame.hide();
        return;
    }
    m_frame.resetTransform();
    m_frame.setPos(-(n * a + half), h / 6);
    QTransform t;
    t.scale((n * a + 2 * half) / target.width(), h / target.height());
    t.translate(-target.x(), -target.y());
    m_frame.setTransform(t);
    m_frame.show();
}

void HandView::tileHovered()
{
    if (m_hoverSound)
        m_hoverSound();
}

void HandView::tilePressed(tile t)
{
    if (!isAllowed(t))
        return;
    // After the press returns: the receiver may delete the pressed item.
    QMetaObject::invokeMethod(
        this, [this, t] { emit tileClicked(t); }, Qt::QueuedConnection);
}

QPointF HandView::slotPos(int index) const
{
    return mapToScene(QPointF(-(index + 1) * tileAdvance(), 0));
}

std::vector<TilePlace> HandView::sourcePlaces(const tile_vector &tiles)
{
    // The items takeTiles will remove: each tile's occurrence nearest the
    // smallest end, one item per given tile. A raised tile starts raised.
    std::vector<bool> taken(m_tiles.size(), false);
    std::vector<TilePlace> places;
    for (const tile t : tiles) {
        int found = -1;
        for (int i = static_cast<int>(m_tiles.size()) - 1; i >= 0 && found < 0; --i) {
            if (!taken[i] && m_tiles[i]->getTile() == t)
                found = i;
        }
        if (found >= 0) {
            taken[found] = true;
            places.push_back(TilePlace{m_tiles[found]->mapToScene(QPointF()), TileImages::Hand, TileImages::Bottom});
        } else {
            // Not in the hand: from the slot where it would sort in.
            const auto greater = std::count_if(m_tiles.begin(), m_tiles.end(),
                                               [t](const HandTile *item) { return item->getTile() > t; });
            places.push_back(TilePlace{slotPos(static_cast<int>(greater)), TileImages::Hand, TileImages::Bottom});
        }
    }
    return places;
}

std::vector<TilePlace> HandView::sourcePlaces(int)
{
    return {};
}

void HandView::takeSourceTiles(const tile_vector &tiles)
{
    tile_vector current = this->tiles();
    for (const tile t : tiles) {
        // The vector runs from the largest tile: search from the smallest.
        const auto it = std::find(current.rbegin(), current.rend(), t);
        if (it != current.rend())
            current.erase(std::next(it).base());
    }
    setTiles(current);
}

void HandView::takeSourceTiles(int) {}

std::vector<TilePlace> HandView::targetPlaces(const tile_vector &tiles)
{
    // The slots the tiles take once added: item i shows the (i+1)-th largest
    // tile; equal tiles take the next free slots of their run.
    tile_vector all = this->tiles();
    all.insert(all.end(), tiles.begin(), tiles.end());
    const tile_vector current = this->tiles();
    std::vector<TilePlace> places;
    for (std::size_t j = 0; j < tiles.size(); ++j) {
        const tile t = tiles[j];
        const auto greater = std::count_if(all.begin(), all.end(), [t](tile o) { return o > t; });
        const auto held = std::count(current.begin(), current.end(), t);
        const auto earlier = std::count(tiles.begin(), tiles.begin() + static_cast<std::ptrdiff_t>(j), t);
        places.push_back(
            TilePlace{slotPos(static_cast<int>(greater + held + earlier)), TileImages::Hand, TileImages::Bottom});
    }
    return places;
}

std::vector<TilePlace> HandView::targetPlaces(int)
{
    return {};
}

void HandView::addTargetTiles(const tile_vector &tiles)
{
    tile_vector all = this->tiles();
    all.insert(all.end(), tiles.begin(), tiles.end());
    setTiles(all);
}

void HandView::addTargetTiles(int) {}
