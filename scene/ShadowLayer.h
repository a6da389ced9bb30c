#pragma once

#include "scene/SceneItem.h"

#include <QGraphicsObject>
#include <QImage>
#include <QPainterPath>
#include <QRegion>

#include <map>
#include <vector>

// The shade under every item of a table scene: the union of the shadows of
// all shadowed groups, filled once in translucent black. It lies below all
// other items, so views draw it after their background whatever their
// painting mode. The shade is kept as a picture: a change fills again only
// the area of the groups that changed, and a frame copies the picture.
class ShadowLayer : public QGraphicsObject
{
    Q_OBJECT
public:
    enum { Type = SceneItem::ShadowLayerType };

    ShadowLayer();

    // Recomputes the shade from every group of the scene.
    void refresh();
    // After one group's shadow, place or visibility changed, or when it
    // leaves the scene.
    void refresh(const QGraphicsItem *source, bool leaving);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    // A group's shadow in the scene, and its parts (one per tile) with
    // their extents, so that a change or a fill touches only what it needs.
    struct Shadow
    {
        QPainterPath path;
        std::vector<QPolygonF> parts;
        std::vector<QRectF> extents;
    };
    static Shadow shadowOf(const QPainterPath &path);
    // The extent of the parts that one shadow has and the other has not.
    static QRectF changedArea(const Shadow &before, const Shadow &after);

    QList<QGraphicsItem *> shadowItems() const;
    void apply(const QRectF &bounds, const QRectF &dirty);
    // Makes or grows the picture to hold the shade's area.
    void ensurePicture();
    // Fills again the parts of the picture that changed.
    void redrawPicture();
    QPainterPath shadeWithin(const QRect &area) const;

    QRectF m_bounds;
    // Each group's shadow as of the last refresh.
    std::map<const QGraphicsItem *, Shadow> m_shadows;
    // The shade at whole pixels of the scene, from m_origin; the stale part
    // is filled again before it is next drawn.
    QImage m_picture;
    QPoint m_origin;
    QRegion m_stale;
    // Made since the last fill and still clear.
    QRegion m_fresh;
};
