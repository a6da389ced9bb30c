#pragma once

#include <QGraphicsScene>
#include <QPainterPath>
#include <QPointer>

class ShadowLayer;

// The table scene: under all its items lies one translucent shade, the union
// of the shadows of all shadowed groups, so overlapping shadows do not darken
// each other. The shade is an item of its own (ShadowLayer) at the lowest
// stacking position, kept up to date by the groups, so every view and
// render() call shows it without special painting flags.
class GameGraphicsScene : public QGraphicsScene
{
    Q_OBJECT
public:
    explicit GameGraphicsScene(QObject *parent = nullptr);
    ~GameGraphicsScene() override;

    // Fills the union of the shadow paths (item data key 0, mapped to the
    // scene) of the given items.
    static void drawShadows(QPainter *painter, const QList<QGraphicsItem *> &items);
    // The union of the items' shadows in scene coordinates, and its fill.
    static QPainterPath shadeOf(const QList<QGraphicsItem *> &items);
    static void fillShade(QPainter *painter, const QPainterPath &shade);

    // Called by a shadowed group that is being destroyed.
    void shadowCasterGone(const QGraphicsItem *group);
    // Called by shadowed groups whenever their shadow, place or visibility
    // changed, or when one leaves the scene; (re)creates the shade item when
    // needed (e.g. after clear()). Without a group every shadow is read again.
    void shadowsChanged(const QGraphicsItem *group = nullptr, bool leaving = false);

private:
    QPointer<ShadowLayer> m_layer;
    bool m_closing = false;
};
