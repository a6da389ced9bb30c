#include "scene/AssignWindAnimation.h"

#include "scene/AnimationHost.h"

#include <QGraphicsItem>
#include <QTransform>

namespace {
// The sound of the wind assignment (sound/SoundPlayer's WindAssignment).
constexpr int WindAssignmentSound = 12;
} // namespace

AssignWindAnimation::AssignWindAnimation(AnimationHost *host, const std::array<QGraphicsItem *, 4> &windMarkers)
    : GameWindowAnimation(DurationMs)
    , m_host(host)
    , m_markers(windMarkers)
{
    for (int i = 0; i < 4; ++i) {
        m_targets[i] = m_host->windPosition(i);
        m_centre += m_targets[i] / 4;
    }
    for (int i = 0; i < 4; ++i) {
        if (!m_markers[i])
            continue;
        m_markers[i]->setPos(m_centre);
        QGraphicsItemAnimation &a = m_animations[i];
        a.setItem(m_markers[i]);
        a.setTimeLine(&m_timeLine); // once: a second call would delete the shared time line
        for (int k = 0; k <= KeyFrames; ++k) {
            const double t = double(k) / KeyFrames;
            a.setPosAt(t, markerPosAt(i, t));
        }
    }
}

AssignWindAnimation::~AssignWindAnimation() = default;

QPointF AssignWindAnimation::markerPosAt(int i, double t) const
{
    const QTransform spiral = QTransform::fromTranslate(-m_centre.x(), -m_centre.y()) * QTransform().rotate(-360 * t)
                              * QTransform::fromScale(t, t) * QTransform::fromTranslate(m_centre.x(), m_centre.y());
    return spiral.map(m_targets[i]);
}

void AssignWindAnimation::start(bool immediate)
{
    if (m_host->isShownOnScreen())
        m_host->playSound(WindAssignmentSound);
    if (!immediate)
        m_timeLine.start();
}

void AssignWindAnimation::finish(bool)
{
    m_timeLine.stop();
    for (int i = 0; i < 4; ++i)
        if (m_markers[i])
            m_markers[i]->setPos(m_targets[i]);
}
