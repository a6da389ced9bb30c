#include "scene/HiddenHandView.h"

#include "scene/Logging.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"

#include <QGraphicsScene>

HiddenHandView::HiddenHandView(TileImages::Side side)
    : m_side(side)
{
}

HiddenHandView::~HiddenHandView() = default; // the backs are children

QPointF HiddenHandView::tileOffset(int k) const
{
    const TileImages *images = TileGraphics::instance().scaledPainter().images();
    if (!images)
        return QPointF();
    const TileMetrics m = images->metrics(m_side, TileImages::Hidden);
    const QRectF r = images->rect(m_side, TileImages::Hidden);
    const int w = m.width, h = m.height;
    const int rw = static_cast<int>(r.width()), rh = static_cast<int>(r.height());
    switch (m_side) {
    case TileImages::Bottom:
        return QPointF(-(k + 1) * w, 0);
    case TileImages::Right:
        return QPointF(0, k * h);
    case TileImages::Top:
        return QPointF(k * w, -rh);
    case TileImages::Left:
        return QPointF(-rw, -(k + 1) * h);
    }
    return QPointF();
}

double HiddenHandView::tileZ(int k) const
{
    // The nearer backs of the side rows cover the farther ones.
    return m_side == TileImages::Right ? k : m_side == TileImages::Left ? -k : 0;
}

QPointF HiddenHandView::tilePosition(int k) const
{
    return scenePos() + tileOffset(k);
}

void HiddenHandView::setTileCount(int n)
{
    if (n < 0 || n > MaxTiles) {
        qCWarning(lcScene, "Ignoring a hidden hand of %d tiles", n);
        return;
    }
    if (n == tileCount())
        return;
    for (int k = tileCount(); k < n; ++k) {
        auto *back = new TileView(m_side, TileImages::Hidden);
        addItem(back);
        back->setPos(tileOffset(k));
        back->setZValue(tileZ(k));
        m_tiles.push_back(back);
    }
    while (tileCount() > n) {
        TileView *back = m_tiles.back();
        m_tiles.pop_back();
        if (QGraphicsScene *s = back->scene())
            s->removeItem(back);
        delete back;
    }
    updateShadow();
}

void HiddenHandView::layoutTiles()
{
    for (int k = 0; k < tileCount(); ++k) {
        m_tiles[k]->setPos(tileOffset(k));
        m_tiles[k]->imagesChanged(m_tiles[k]->tilePainter());
    }
    updateShadow();
}

std::vector<TilePlace> HiddenHandView::sourcePlaces(int count)
{
    std::vector<TilePlace> places;
    const int n = tileCount();
    for (int i = 0; i < count; ++i)
        places.push_back(TilePlace{tilePosition(n - i - 1), TileImages::Hidden, m_side});
    return places;
}

void HiddenHandView::takeSourceTiles(int count)
{
    setTileCount(tileCount() - count);
}

std::vector<TilePlace> HiddenHandView::targetPlaces(int count)
{
    std::vector<TilePlace> places;
    const int n = tileCount();
    for (int i = 0; i < count; ++i)
        places.push_back(TilePlace{tilePosition(n + i), TileImages::Hidden, m_side});
    return places;
}

void HiddenHandView::addTargetTiles(int count)
{
    setTileCount(tileCount() + count);
}
