#pragma once

#include "scene/SceneItem.h"

#include <QGraphicsItem>
#include <QPixmap>

#include <array>
#include <vector>

// The prevailing wind of the round, in the middle of the table.
class PrevalentWindView : public QGraphicsItem
{
public:
    enum { Type = SceneItem::PrevalentWindViewType };

    PrevalentWindView();

    // A wind outside 0-3 (from the server) is refused with a warning.
    void setWind(int wind);
    // Also renders the four pictures at that scale, so that no paint
    // renders a drawing.
    void setScale(double scale);

    int wind() const { return m_wind; }
    double markerScale() const { return m_scale; }
    int width() const;
    int height() const;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // "prevalentEast" ... "prevalentNorth".
    static QString elementName(int wind);

private:
    void renderPictures();

    int m_wind = 0;
    double m_scale = 1.0;
    // Each picture in bands of a few rows, copied one by one: the raster
    // engine hands a copy of many rows to its thread pool.
    std::array<std::vector<QPixmap>, 4> m_pictures;
    bool m_rendered = false;
};
