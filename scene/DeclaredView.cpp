#include "scene/DeclaredView.h"

#include "game/Meld.h"
#include "game/Orientation.h"
#include "scene/Logging.h"
#include "scene/MeldView.h"
#include "scene/TileGraphics.h"

#include <QGraphicsScene>

#include <algorithm>
#include <cmath>
#include <cstdlib>

DeclaredView::DeclaredView(int side, double maxRowLength)
    : m_painter(&TileGraphics::instance().scaledPainter())
    , m_side(orientationOf(side))
    , m_maxRowLength(maxRowLength)
{
    relayout();
}

DeclaredView::~DeclaredView() = default; // the melds are children

QSizeF DeclaredView::declaredSize() const
{
    const TileImages *images = m_painter->images();
    if (!images)
        return QSizeF();
    const TileMetrics m = images->metrics(m_side, TileImages::Declared);
    return QSizeF(m.width, m.height);
}

void DeclaredView::insertMeld(MeldView *meld)
{
    meld->setPainter(m_painter);
    addItem(meld);
    const auto firstBonus = std::find_if(m_melds.begin(), m_melds.end(),
                                         [](const MeldView *m) { return m->meldType() == MELD_BONUS; });
    m_melds.insert(meld->meldType() == MELD_BONUS ? m_melds.end() : firstBonus, meld);
}

void DeclaredView::addMeld(int meldType, tile first, int claimedPosition, int claimedOffset, int visibility, int)
{
    if (meldType == MELD_BONUS) {
        addBonusTile(first);
        return;
    }
    if (meldType == MELD_PONG_TO_KONG) {
        const auto pong = std::find_if(m_melds.begin(), m_melds.end(), [first](const MeldView *m) {
            return m->meldType() == MELD_PONG && m->firstTile() == first;
        });
        if (pong != m_melds.end()) {
            // The kong keeps the pong's place and its claimed tile.
            auto *kong = new MeldView(m_side, MELD_PONG_TO_KONG, first, (*pong)->claimedPosition(), 0, visibility);
            kong->setPainter(m_painter);
            addItem(kong);
            MeldView *old = *pong;
            *pong = kong;
            if (QGraphicsScene *s = old->scene())
                s->removeItem(old);
            delete old;
            relayout();
            return;
        }
        qCWarning(lcScene, "Kong added to a pong of %d that is not shown; drawn on its own", first);
    }
    insertMeld(new MeldView(m_side, meldType, first, claimedPosition, claimedOffset, visibility));
    relayout();
}

void DeclaredView::addBonusTile(tile t)
{
    insertMeld(new MeldView(m_side, MELD_BONUS, t, -1, 0, MeldView::Open));
    relayout();
}

void DeclaredView::addTileRow(const tile_vector &tiles, tile marked)
{
    auto *row = new MeldView(m_side, MELD_MAHJONG, tiles);
    if (marked != CONCEALED_TILE)
        row->markTile(marked);
    insertMeld(row);
    relayout();
}

void DeclaredView::setMelds(const std::vector<Meld> &melds, const tile_vector &bonusTiles)
{
    clear();
    for (const Meld &m : melds)
        insertMeld(new MeldView(m_side, m.meldType, m.first, m.claimedPosition, m.claimedOffset, m.visibility));
    for (const tile t : bonusTiles)
        insertMeld(new MeldView(m_side, MELD_BONUS, t, -1, 0, MeldView::Open));
    relayout();
}

void DeclaredView::clear()
{
    for (MeldView *meld : m_melds) {
        if (QGraphicsScene *s = meld->scene())
            s->removeItem(meld);
        delete meld;
    }
    m_melds.clear();
    relayout();
}

void DeclaredView::setPainter(TilePainter *painter)
{
    if (!painter)
        return;
    m_painter = painter;
    for (MeldView *meld : m_melds)
        meld->setPainter(painter);
    relayout();
}

void DeclaredView::setMaxRowLength(double length)
{
    m_maxRowLength = length;
    relayout();
}

void DeclaredView::updateTileGraphics()
{
    for (MeldView *meld : m_melds)
        meld->updateTileGraphics();
    relayout();
}

void DeclaredView::relayout()
{
    for (MeldView *meld : m_melds)
        meld->layoutTiles();
    const QSizeF g = declaredSize();
    const int gw = static_cast<int>(g.width()) / 2, gh = static_cast<int>(g.height()) / 2;
    // Sides 2 and 3 hang their first row off the origin; an empty view
    // (every seat of a new table) measures a declared tile instead.
    const QRectF first = m_melds.empty() ? QRectF(QPointF(), g) : m_melds.front()->extent();
    QPointF cursor;
    if (m_side == TileImages::Top)
        cursor = QPointF(0, -first.height());
    else if (m_side == TileImages::Left)
        cursor = QPointF(-first.width(), 0);
    double depth = 0;
    const bool horizontal = m_side == TileImages::Bottom || m_side == TileImages::Top;
    for (MeldView *meld : m_melds) {
        const QRectF r = meld->extent();
        if (horizontal && std::abs(int(cursor.x())) + r.width() > m_maxRowLength) {
            cursor = QPointF(0, cursor.y() + depth);
            depth = 0;
        } else if (!horizontal && std::abs(int(cursor.y())) + r.height() > m_maxRowLength) {
            cursor = QPointF(cursor.x() + depth, 0);
            depth = 0;
        }
        switch (m_side) {
        case TileImages::Bottom:
            meld->setPos(cursor.x() - r.x(), cursor.y());
            cursor.rx() += r.width() + gw;
            depth = std::max(depth, r.height() + gw);
            break;
        case TileImages::Right:
            meld->setPos(cursor.x(), cursor.y() - r.y() - r.height());
            cursor.ry() -= r.height() + gh;
            depth = std::max(depth, r.width() + gh);
            break;
        case TileImages::Top:
            meld->setPos(cursor.x() - r.x() - r.width(), cursor.y());
            cursor.rx() -= r.width() + gw;
            depth = std::min(depth, -(r.height() + gw));
            break;
        case TileImages::Left:
            meld->setPos(cursor.x(), cursor.y() - r.y());
            cursor.ry() += r.height() + gw;
            depth = std::min(depth, -(r.width() + gh));
            break;
        }
    }
    m_next = cursor;
    updateShadow();
}

std::vector<TilePlace> DeclaredView::targetPlaces(int count)
{
    const QSizeF g = declaredSize();
    // The tile's own corner where the next meld starts.
    QPointF corner = m_next;
    if (m_side == TileImages::Right)
        corner.ry() -= g.height();
    else if (m_side == TileImages::Top)
        corner.rx() -= g.width();
    const TilePlace place{mapToScene(corner), TileImages::Declared, m_side};
    return std::vector<TilePlace>(static_cast<std::size_t>(std::clamp(count, 0, 144)), place);
}

void DeclaredView::addTargetTiles(int)
{
    // The meld itself comes with addMeld in a later action.
}
