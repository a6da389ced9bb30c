#include "scene/BandedSvgItem.h"

#include <QStyleOptionGraphicsItem>
#include <QSvgRenderer>

#include <algorithm>
#include <cstring>

namespace {
// Few enough lines that no fill of the tray's paths is split among threads.
constexpr int RenderBand = 8;
} // namespace

BandedSvgItem::BandedSvgItem(QGraphicsItem *parent)
    : QGraphicsSvgItem(parent)
{
    setCacheMode(NoCache);
}

void BandedSvgItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    // The device rectangle and the item-to-picture transform of
    // QGraphicsItem::DeviceCoordinateCache, so that the pixels are the same.
    const QTransform world = painter->worldTransform();
    const QRect deviceRect = world.mapRect(boundingRect()).toRect().adjusted(-1, -1, 1, 1);
    if (deviceRect.isEmpty() || !renderer()->isValid())
        return;
    const QSize maximum = maximumCacheSize();
    if (deviceRect.width() > maximum.width() || deviceRect.height() > maximum.height()
        || (option->state & QStyle::State_Selected)) {
        QGraphicsSvgItem::paint(painter, option, widget);
        return;
    }
    const QTransform itemToPicture = world * QTransform::fromTranslate(-deviceRect.x(), -deviceRect.y());
    if (m_picture.size() != deviceRect.size() || itemToPicture != m_itemToPicture || painter->renderHints() != m_hints)
        render(deviceRect.size(), itemToPicture, painter->renderHints());
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->drawImage(deviceRect.topLeft(), m_picture);
    painter->restore();
}

void BandedSvgItem::render(QSize size, const QTransform &itemToPicture, QPainter::RenderHints hints)
{
    m_itemToPicture = itemToPicture;
    m_hints = hints;
    m_picture = QImage(size, QImage::Format_ARGB32_Premultiplied);
    QImage band(size.width(), RenderBand, QImage::Format_ARGB32_Premultiplied);
    const qsizetype rowBytes = qsizetype(size.width()) * 4;
    for (int y = 0; y < size.height(); y += RenderBand) {
        band.fill(Qt::transparent);
        QPainter p(&band);
        p.setRenderHints(p.renderHints(), false);
        p.setRenderHints(hints, true);
        p.setWorldTransform(itemToPicture * QTransform::fromTranslate(0, -y));
        if (elementId().isEmpty())
            renderer()->render(&p, boundingRect());
        else
            renderer()->render(&p, elementId(), boundingRect());
        p.end();
        for (int row = 0; row < std::min(RenderBand, size.height() - y); ++row)
            std::memcpy(m_picture.scanLine(y + row), band.constScanLine(row), rowBytes);
    }
}
