#include "scene/MeldView.h"

#include "game/Meld.h"
#include "game/Orientation.h"
#include "scene/Logging.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"

#include <algorithm>
#include <stdexcept>

namespace {
// The offsets from the first tile along a claimed chow: [claimed offset]
// [claimed position]; the claimed tile sits at its position, the others
// keep ascending order.
constexpr int ChowOrder[3][3][3] = {
    {{0, 1, 2}, {1, 0, 2}, {1, 2, 0}},
    {{1, 0, 2}, {0, 1, 2}, {0, 2, 1}},
    {{2, 0, 1}, {0, 2, 1}, {0, 1, 2}},
};

bool alongX(TileImages::Side side)
{
    return side == TileImages::Bottom || side == TileImages::Top;
}
} // namespace

std::vector<MeldView::Place> MeldView::placesFor(int meldType, tile first, int &p, int claimedOffset, int visibility)
{
    const auto use = [](bool faceDown, bool turned) {
        return faceDown ? TileImages::DeclaredFaceDown : turned ? TileImages::DeclaredTurned : TileImages::Declared;
    };
    std::vector<Place> places;
    switch (meldType) {
    case MELD_CHOW:
        if (p != -1 && (p < 0 || p > 2 || claimedOffset < 0 || claimedOffset > 2)) {
            qCWarning(lcScene, "Chow from %d drawn unclaimed: claimed position %d, offset %d", first, p, claimedOffset);
            p = -1;
        }
        for (int i = 0; i < 3; ++i) {
            const int offset = p == -1 ? i : ChowOrder[claimedOffset][p][i];
            places.push_back(Place{tile(first + offset), use(false, i == p), false});
        }
        break;
    case MELD_PONG:
        for (int j = 0; j < 3; ++j)
            places.push_back(Place{first, use(j < 2 ? visibility == Hidden : visibility != Open, p == j), false});
        break;
    case MELD_KONG:
        places.push_back(Place{first, use(visibility != Open, p == 0), false});
        places.push_back(Place{first, use(visibility == Hidden, p == 1), false});
        places.push_back(Place{first, use(visibility == Hidden, false), false});
        places.push_back(Place{first, use(visibility != Open, p == 2), false});
        break;
    case MELD_PONG_TO_KONG: {
        const bool turned[4] = {p == 0, p == 0 || p == 1, p == 1 || p == 2, p == 2};
        for (int j = 0; j < 4; ++j) {
            // The added tile lies on the claimed one.
            const bool stacked = turned[j] && j > 0 && turned[j - 1];
            places.push_back(Place{first, use(false, turned[j]), stacked});
        }
        break;
    }
    case MELD_PAIR:
        for (int j = 0; j < 2; ++j)
            places.push_back(Place{first, use(false, p == j), false});
        break;
    case MELD_BONUS:
    case MELD_RIICHI:
        places.push_back(Place{first, TileImages::Declared, false});
        break;
    default:
        throw std::runtime_error("can't create view for unhandled meld-type");
    }
    return places;
}

MeldView::MeldView(int orientation, int meldType, tile first, int claimedPosition, int claimedOffset, int visibility)
    : m_painter(&TileGraphics::instance().scaledPainter())
    , m_orientation(orientationOf(orientation))
    , m_meldType(meldType)
    , m_first(first)
    , m_visibility(visibility)
    , m_claimedPosition(claimedPosition)
{
    createTiles(placesFor(meldType, first, m_claimedPosition, claimedOffset, visibility));
}

MeldView::MeldView(int orientation, int meldType, const tile_vector &tiles)
    : m_painter(&TileGraphics::instance().scaledPainter())
    , m_orientation(orientationOf(orientation))
    , m_meldType(meldType)
    , m_first(tiles.empty() ? tile(0) : tiles.front())
{
    std::vector<Place> places;
    for (const tile t : tiles)
        places.push_back(Place{t, TileImages::Declared, false});
    createTiles(places);
}

MeldView::~MeldView() = default; // the tiles are children

void MeldView::createTiles(const std::vector<Place> &places)
{
    for (const Place &s : places) {
        auto *item = new TileView(m_orientation, s.use, s.face);
        item->setPainter(*m_painter);
        item->setParentItem(this);
        m_tiles.push_back(item);
        m_stacked.push_back(s.stacked);
    }
    layoutTiles();
}

void MeldView::setPainter(TilePainter *painter)
{
    if (!painter)
        return;
    m_painter = painter;
    for (TileView *item : m_tiles)
        item->setPainter(*painter);
    layoutTiles();
}

tile_vector MeldView::tiles() const
{
    tile_vector faces;
    for (const TileView *item : m_tiles)
        faces.push_back(item->getTile());
    return faces;
}

void MeldView::markTile(tile t)
{
    for (TileView *item : m_tiles) {
        if (item->getTile() == t && !item->isMarked()) {
            item->setMarked(true);
            return;
        }
    }
}

void MeldView::layoutTiles()
{
    prepareGeometryChange();
    const TileImages *images = m_painter->images();
    if (!images) {
        m_extent = QRectF();
        return;
    }
    const bool horizontal = alongX(m_orientation);
    const TileMetrics declared = images->metrics(m_orientation, TileImages::Declared);
    const TileMetrics turned = images->metrics(m_orientation, TileImages::DeclaredTurned);
    // Room for two turned tiles lying on each other.
    const int thickness = horizontal ? std::max(declared.height, 2 * turned.height)
                                     : std::max(declared.width, 2 * turned.width);
    int run = 0, lastRun = 0;
    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        TileView *item = m_tiles[i];
        const TileMetrics m = item->imageMetrics();
        const bool stacked = m_stacked[i];
        const int at = stacked ? lastRun : run;
        // A stacked tile moves one tile further from the row's outer edge.
        const int lift = stacked ? (horizontal ? m.height : m.width) : 0;
        switch (m_orientation) {
        case TileImages::Bottom:
            item->setPos(at, thickness - m.height - lift);
            break;
        case TileImages::Right:
            item->setPos(thickness - m.width - lift, -(at + m.height));
            break;
        case TileImages::Top:
            item->setPos(-(at + m.width), lift);
            break;
        case TileImages::Left:
            item->setPos(lift, at);
            break;
        }
        if (!stacked) {
            lastRun = run;
            run += horizontal ? m.width : m.height;
        }
    }
    switch (m_orientation) {
    case TileImages::Bottom:
        m_extent = QRectF(0, 0, run, thickness);
        break;
    case TileImages::Right:
        m_extent = QRectF(0, -run, thickness, run);
        break;
    case TileImages::Top:
        m_extent = QRectF(-run, 0, run, thickness);
        break;
    case TileImages::Left:
        m_extent = QRectF(0, 0, thickness, run);
        break;
    }
}

QRectF MeldView::extent() const
{
    return m_extent;
}

void MeldView::updateTileGraphics()
{
    for (TileView *item : m_tiles)
        item->imagesChanged(item->tilePainter());
    layoutTiles();
}

void MeldView::updateToolTips()
{
    for (TileView *item : m_tiles)
        item->updateToolTip();
}

QRectF MeldView::boundingRect() const
{
    return m_extent;
}

void MeldView::paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) {}
