#include "scene/TilePainter.h"

#include "scene/TileImages.h"

#include <QPainter>

namespace {
constexpr int NoTile = 255;

int tileIndex(int tile)
{
    return tile & 0xff;
}

QPoint offset(const QRectF &r)
{
    return QPoint(static_cast<int>(r.x()), static_cast<int>(r.y()));
}
} // namespace

TilePainter::TilePainter() = default;

TilePainter::~TilePainter() = default;

void TilePainter::setImages(TileImages *images)
{
    // Copies: a listener may unregister itself while being told.
    const std::set<Listner *> before = m_listeners;
    for (Listner *l : before)
        l->imagesAboutToChange(*this);
    m_images.reset(images);
    m_blitCache.clear();
    const std::set<Listner *> after = m_listeners;
    for (Listner *l : after)
        l->imagesChanged(*this);
}

void TilePainter::addListener(Listner *listener)
{
    m_listeners.insert(listener);
}

void TilePainter::removeListener(Listner *listener)
{
    m_listeners.erase(listener);
}

void TilePainter::drawTile(QPainter &p, const QPoint &pos, int tile, TileImages::Side side, bool highlighted) const
{
    if (!m_images)
        return;
    if (tileIndex(tile) == NoTile) {
        drawFaceDown(p, pos, side);
        if (highlighted)
            p.drawImage(pos, m_images->highlight(side));
        return;
    }
    const QPoint o = pos + offset(m_images->rect(side, TileImages::Declared));
    p.drawImage(o, m_images->blank(side, TileImages::Declared));
    p.drawImage(o, m_images->face(side, tileIndex(tile)));
    if (highlighted)
        p.drawImage(o, m_images->highlight(side));
}

void TilePainter::drawFaceDown(QPainter &p, const QPoint &pos, TileImages::Side side) const
{
    if (m_images)
        p.drawImage(pos + offset(m_images->rect(side, TileImages::DeclaredFaceDown)),
                    m_images->blank(side, TileImages::DeclaredFaceDown));
}

void TilePainter::drawTurnedTile(QPainter &p, const QPoint &pos, int tile, TileImages::Side side) const
{
    if (!m_images)
        return;
    const QPoint o = pos + offset(m_images->rect(side, TileImages::DeclaredTurned));
    p.drawImage(o, m_images->blank(side, TileImages::DeclaredTurned));
    p.drawImage(o, m_images->face(orientationOf(side + 1), tileIndex(tile)));
}

void TilePainter::drawHandTile(QPainter &p, const QPoint &pos, int tile, bool highlighted, bool enabled) const
{
    if (!m_images)
        return;
    p.drawImage(pos, m_images->handImage(highlighted));
    const int depth = m_images->metrics(TileImages::Bottom, TileImages::Hand).depth;
    p.drawImage(pos + QPoint(0, depth), m_images->handFace(tileIndex(tile)));
    if (!enabled)
        p.drawImage(pos, m_images->dimMask());
}

void TilePainter::drawBlank(QPainter &p, const QPoint &pos, TileImages::Side side) const
{
    if (m_images)
        p.drawImage(pos, m_images->blank(side, TileImages::Hidden));
}

void TilePainter::drawWallStack(QPainter &p, const QPoint &pos, TileImages::Side side, int k) const
{
    if (m_images)
        p.drawImage(pos, m_images->blank(side, TileImages::Use(TileImages::WallSingle + k)));
}

void TilePainter::drawWallDora(QPainter &p, const QPoint &pos, int tile, TileImages::Side side) const
{
    if (!m_images || tileIndex(tile) == NoTile)
        return;
    p.drawImage(pos, m_images->blank(side, TileImages::WallDora));
    p.drawImage(pos, m_images->face(side, tileIndex(tile)));
}
