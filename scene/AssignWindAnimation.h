#pragma once

#include "scene/GameWindowAnimation.h"

#include <QGraphicsItemAnimation>
#include <QPointF>

#include <array>

class AnimationHost;
class QGraphicsItem;

// The four wind markers spiral out of the table's centre, one full turn, to
// their seats, with the wind-assignment sound.
class AssignWindAnimation : public GameWindowAnimation
{
    Q_OBJECT
public:
    static constexpr int DurationMs = 1000;
    static constexpr int KeyFrames = 50;

    // The markers stay the window's.
    AssignWindAnimation(AnimationHost *host, const std::array<QGraphicsItem *, 4> &windMarkers);
    ~AssignWindAnimation() override;

    void start(bool immediate) override;
    void finish(bool immediate) override;

    QPointF centre() const { return m_centre; }
    // Where marker i is at step t (0 to 1) of the spiral.
    QPointF markerPosAt(int i, double t) const;

private:
    AnimationHost *m_host;
    std::array<QGraphicsItem *, 4> m_markers;
    std::array<QPointF, 4> m_targets;
    QPointF m_centre;
    std::array<QGraphicsItemAnimation, 4> m_animations;
};
