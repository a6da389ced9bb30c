#pragma once

#include <QGraphicsSvgItem>
#include <QImage>
#include <QPainter>
#include <QTransform>

// An SVG item drawn, as with a device coordinate cache, from a picture of it
// at the device's scale, rendered again only when its scale, size or
// sub-pixel place changes. The picture is rendered in bands a few rows high:
// the raster engine hands a fill of many lines to its thread pool, and the
// pool's wake-ups cost more than the fills of an item this size.
class BandedSvgItem : public QGraphicsSvgItem
{
public:
    explicit BandedSvgItem(QGraphicsItem *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void render(QSize size, const QTransform &itemToPicture, QPainter::RenderHints hints);

    QImage m_picture;
    QTransform m_itemToPicture;
    QPainter::RenderHints m_hints;
};
