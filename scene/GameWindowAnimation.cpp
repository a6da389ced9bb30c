#include "scene/GameWindowAnimation.h"

GameWindowAnimation::GameWindowAnimation(int durationMs)
    : m_timeLine(durationMs)
{
    m_timeLine.setUpdateInterval(TickMs);
    connect(&m_timeLine, &QTimeLine::finished, this, &GameWindowAnimation::finished);
}
