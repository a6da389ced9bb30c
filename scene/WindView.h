#pragma once

#include "scene/SceneItem.h"
#include "scene/TileImages.h"

#include <QGraphicsItem>
#include <QPixmap>

#include <vector>

#include <array>

// The wind marker of one seat, turned to the seat's side, glowing for the
// seat whose turn it is.
class WindView : public QGraphicsItem
{
public:
    enum { Type = SceneItem::WindViewType };

    explicit WindView(TileImages::Side side);

    // A wind outside 0-3 (from the server) is refused with a warning.
    void setWind(int wind);
    void setActive(bool active);
    // Also renders every picture the marker may show at that scale, so that
    // no paint renders a drawing.
    void setScale(double scale);

    TileImages::Side side() const { return m_side; }
    int wind() const { return m_wind; }
    bool isActive() const { return m_active; }
    double markerScale() const { return m_scale; }
    int width() const;
    int height() const;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The largest extent of "east", "blank" and "glow"; (-1, -1) when the
    // drawing is unusable.
    static QSizeF elementSize();

private:
    void renderPictures();

    TileImages::Side m_side;
    int m_wind = 0;
    bool m_active = false;
    double m_scale = 1.0;
    // "blank", the four winds and "glow" at m_scale, turned to the side, each
    // in bands of a few rows: the raster engine hands a copy of many rows to
    // its thread pool.
    std::array<std::vector<QPixmap>, 6> m_pictures;
    bool m_rendered = false;
};
