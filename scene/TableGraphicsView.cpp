#include "scene/TableGraphicsView.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

TableGraphicsView::TableGraphicsView(QWidget *parent)
    : QGraphicsView(parent)
{
}

void TableGraphicsView::paintEvent(QPaintEvent *event)
{
    m_exposed = event->region();
    QGraphicsView::paintEvent(event);
    m_exposed = QRegion();
}

void TableGraphicsView::ensureCloth(const QTransform &transform)
{
    const QBrush brush = scene() ? scene()->backgroundBrush() : QBrush();
    const qreal ratio = viewport()->devicePixelRatio();
    const QSize size = viewport()->size() * ratio;
    if (!m_cloth.isNull() && m_cloth.size() == size && m_clothTransform == transform && m_clothBrush == brush)
        return;
    // Made as QGraphicsView makes its background cache, for the same pixels.
    m_cloth = QPixmap(size);
    m_cloth.setDevicePixelRatio(ratio);
    const QBrush base = viewport()->palette().brush(viewport()->backgroundRole());
    if (!base.isOpaque())
        m_cloth.fill(Qt::transparent);
    {
        QPainter p(&m_cloth);
        p.fillRect(0, 0, m_cloth.width(), m_cloth.height(), base);
    }
    QPainter p(&m_cloth);
    p.setClipRegion(QRegion(viewport()->rect()));
    if (isTransformed())
        p.setTransform(transform);
    QGraphicsView::drawBackground(&p, mapToScene(viewport()->rect()).boundingRect());
    m_clothTransform = transform;
    m_clothBrush = brush;
}

void TableGraphicsView::drawBackground(QPainter *painter, const QRectF &rect)
{
    // Anything but a repaint of the viewport (a picture of the table, the
    // view's own cache if turned on) is drawn as by QGraphicsView.
    if (m_exposed.isEmpty() || painter->device() != viewport() || cacheMode() != CacheNone) {
        QGraphicsView::drawBackground(painter, rect);
        return;
    }
    ensureCloth(viewportTransform());
    painter->save();
    painter->setWorldTransform(QTransform());
    for (const QRect &part : m_exposed) {
        // One rectangle as the clip: the raster engine copies straight.
        painter->setClipRect(part);
        painter->drawPixmap(
            part.topLeft(), m_cloth,
            QRectF(part.topLeft() * m_cloth.devicePixelRatio(), part.size() * m_cloth.devicePixelRatio()));
    }
    painter->restore();
}
