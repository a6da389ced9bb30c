#pragma once

#include <QMetaType>
#include <QPolygonF>

// What a tile picture covers on the table and how high it stands; the
// shadowed groups project it away from the light.
struct ShadowGeometry
{
    QPolygonF outline;
    int height = 0;

    ShadowGeometry() = default;
    ShadowGeometry(const QPolygonF &o, int h)
        : outline(o)
        , height(h)
    {
    }

    bool operator==(const ShadowGeometry &o) const { return height == o.height && outline == o.outline; }

    // Registers "ShadowGeometry" and "QPainterPath" with the meta-type
    // system so both travel in QGraphicsItem::data; safe to call often.
    static void registerMetaTypes();
};

Q_DECLARE_METATYPE(ShadowGeometry)
