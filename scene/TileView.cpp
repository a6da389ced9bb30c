#include "scene/TileView.h"

#include "scene/ShadowGeometry.h"
#include "scene/TileGraphics.h"
#include "scene/TileImages.h"

#include <QCursor>
#include <QGraphicsScene>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <stdexcept>

namespace {
const QPixmap &markerPixmap()
{
    static const QPixmap pixmap(QStringLiteral("resources:/last-tile-marker.png"));
    return pixmap;
}
} // namespace

TileView::TileView(TileImages::Side side, TileImages::Use use)
    : TileView(side, use, 0)
{
}

TileView::TileView(TileImages::Side side, TileImages::Use use, tile t)
    : m_painter(&TileGraphics::instance().scaledPainter())
    , m_tile(t)
    , m_side(side)
{
    ShadowGeometry::registerMetaTypes();
    m_painter->addListener(this);
    setUse(use);
}

TileView::~TileView()
{
    m_painter->removeListener(this);
}

void TileView::setTile(tile t)
{
    if (t == m_tile)
        return;
    m_tile = t;
    updateToolTip();
    update();
}

void TileView::setUse(TileImages::Use use)
{
    if (use == m_use)
        return;
    prepareGeometryChange();
    m_use = use;
    updateShadowData();
    updateToolTip();
    update();
    setCursor(use == TileImages::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TileView::setSide(TileImages::Side side)
{
    if (side == m_side)
        return;
    prepareGeometryChange();
    m_side = side;
    updateShadowData();
    update();
}

void TileView::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    // A hand tile's marker stands above it: the view does not always
    // repaint where it stood once it goes.
    const QRectF before = m_use == TileImages::Hand ? sceneBoundingRect() : QRectF();
    if (m_use == TileImages::Hand)
        prepareGeometryChange();
    m_marked = marked;
    update();
    if (QGraphicsScene *s = scene(); s && !before.isEmpty())
        s->update(before);
}

void TileView::setPainter(TilePainter &painter)
{
    if (&painter == m_painter)
        return;
    imagesAboutToChange(*m_painter);
    m_painter->removeListener(this);
    m_painter = &painter;
    m_painter->addListener(this);
    imagesChanged(*m_painter);
}

TileMetrics TileView::imageMetrics() const
{
    const TileImages *images = m_painter->images();
    return images ? images->metrics(m_side, m_use) : TileMetrics();
}

TilePlace TileView::tilePlace() const
{
    return TilePlace{scenePos(), m_use, m_side};
}

void TileView::updateToolTip()
{
    switch (m_use) {
    case TileImages::Declared:
    case TileImages::DeclaredFaceDown:
    case TileImages::DeclaredTurned:
    case TileImages::Hand:
    case TileImages::WallDora:
        setToolTip(tileName(m_tile));
        break;
    default:
        setToolTip(QString());
    }
}

void TileView::updateShadowData()
{
    const TileImages *images = m_painter->images();
    if (!images || m_use == TileImages::Unused || m_use < 0 || m_use >= TileImages::UseCount)
        setData(SceneItem::ShadowGeometryKey, QVariant());
    else
        setData(SceneItem::ShadowGeometryKey, QVariant::fromValue(images->shadow(m_side, m_use)));
}

qreal TileView::markerHeight() const
{
    const TileImages *images = m_painter->images();
    return images ? markerPixmap().height() * images->scale() : 0.0;
}

QRectF TileView::boundingRect() const
{
    const TileImages *images = m_painter->images();
    if (!images)
        return QRectF();
    QRectF r = images->rect(m_side, m_use);
    if (m_use == TileImages::Hand && m_marked)
        r.setTop(r.top() - markerHeight());
    return r;
}

void TileView::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (m_use < 0 || m_use >= TileImages::UseCount)
        throw std::runtime_error("Invalid tile type!");
    if (!m_painter->images())
        return;
    // Every tile is copied as a plain blit at a whole pixel: a smooth
    // transform, even a fractional move, makes the raster engine resample
    // the picture on its thread pool, which costs more than the pixels.
    const QTransform t = painter->worldTransform();
    if (t.type() <= QTransform::TxTranslate) {
        painter->save();
        painter->setWorldTransform(QTransform::fromTranslate(std::round(t.dx()), std::round(t.dy())));
        drawPicture(*painter, true);
        painter->restore();
        return;
    }
    // Turned or scaled (a tile in flight): the picture at the nearest
    // quarter turn and scale step, made once.
    TileBlitCache::Key key;
    const QRect bounds = boundingRect().toAlignedRect();
    if (bounds.isEmpty() || !TileBlitCache::snap(t, &key.quarterTurns, &key.scaleStep)) {
        // Sheared, mirrored or out of range: drawn as the painter says.
        painter->save();
        drawPicture(*painter, false);
        painter->restore();
        return;
    }
    key.use = m_use;
    key.side = m_side;
    const bool showsFace = m_use == TileImages::Declared || m_use == TileImages::DeclaredTurned
                           || m_use == TileImages::Hand || m_use == TileImages::WallDora;
    key.tile = showsFace ? static_cast<quint8>(m_tile) : -1;
    key.flags = (m_marked ? 1 : 0) | (m_use == TileImages::Hand && !isEnabled() ? 2 : 0);
    const TileBlitCache::Picture &picture = m_painter->blitCache().picture(
        key, bounds, [this](QPainter &p) { drawPicture(p, true); });
    // Half-way through a turn the picture at the nearest quarter turn lies
    // about the tile's centre, where the turning tile lies: about its corner
    // it would stick out of the area the view repaints for the item, and
    // what it paints there would stay on the cloth.
    const double s = double(key.scaleStep) / TileBlitCache::ScaleSteps;
    const QPointF centre = QRectF(bounds).center();
    const QPointF snapped = (QTransform::fromScale(s, s) * QTransform().rotate(90.0 * key.quarterTurns)).map(centre);
    const QPointF corner = t.map(centre) - snapped + picture.offset;
    const QPoint at(int(std::lround(corner.x())), int(std::lround(corner.y())));
    const QRect drawn(at, picture.image.size());
    const QRect area = t.mapRect(boundingRect()).toAlignedRect();
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The rounding of scale and place may reach a pixel beyond the item.
    if (!area.contains(drawn))
        painter->setClipRect(area, Qt::IntersectClip);
    painter->drawImage(at, picture.image);
    painter->restore();
}

void TileView::drawPicture(QPainter &p, bool plain) const
{
    const QPoint origin(0, 0);
    const int t = static_cast<quint8>(m_tile);
    if (m_use == TileImages::Hand && m_marked) {
        if (const TileImages *images = m_painter->images(); images && !markerPixmap().isNull()) {
            // The marker is drawn scaled, so it keeps smooth sampling.
            const qreal s = images->scale();
            const QSizeF size(markerPixmap().width() * s, markerPixmap().height() * s);
            const qreal handWidth = images->metrics(TileImages::Bottom, TileImages::Hand).width;
            p.setRenderHint(QPainter::SmoothPixmapTransform, true);
            p.drawPixmap(QRectF(QPointF((handWidth - size.width()) / 2, -size.height()), size), markerPixmap(),
                         QRectF(markerPixmap().rect()));
        }
    }
    // At whole pixels unscaled, the pictures are plain copies.
    p.setRenderHint(QPainter::SmoothPixmapTransform, !plain);
    switch (m_use) {
    case TileImages::Declared:
        m_painter->drawTile(p, origin, t, m_side, m_marked);
        break;
    case TileImages::DeclaredFaceDown:
        m_painter->drawFaceDown(p, origin, m_side);
        break;
    case TileImages::DeclaredTurned:
        m_painter->drawTurnedTile(p, origin, t, m_side);
        break;
    case TileImages::Hand:
        m_painter->drawHandTile(p, origin, t, m_marked, isEnabled());
        break;
    case TileImages::Hidden:
        m_painter->drawBlank(p, origin, m_side);
        break;
    case TileImages::WallSingle:
    case TileImages::WallDouble:
    case TileImages::WallTriple:
        m_painter->drawWallStack(p, origin, m_side, m_use - TileImages::WallSingle);
        break;
    case TileImages::Unused:
        break;
    case TileImages::WallDora:
        m_painter->drawWallDora(p, origin, t, m_side);
        break;
    default:
        throw std::runtime_error("Invalid tile type!");
    }
}

void TileView::imagesAboutToChange(TilePainter &)
{
    prepareGeometryChange();
}

void TileView::imagesChanged(TilePainter &)
{
    updateShadowData();
    update();
}
