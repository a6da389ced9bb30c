#include "table/StartAction.h"

#include "scene/GameWindowAnimation.h"

bool StartAction::run(bool immediate)
{
    m_animation->start(immediate);
    return false;
}
