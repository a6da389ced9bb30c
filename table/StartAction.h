#pragma once

#include "table/GameWindowAction.h"

class GameWindowAnimation;

// Starts an animation and holds the queue until it reports its end. The
// animation belongs to the EndAction queued behind this one.
class StartAction : public GameWindowAction
{
public:
    explicit StartAction(GameWindowAnimation *animation)
        : m_animation(animation)
    {
    }

    bool run(bool immediate) override;

private:
    GameWindowAnimation *m_animation;
};
