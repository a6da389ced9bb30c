#pragma once

#include "table/GameWindowAction.h"

#include <QMetaObject>

class GameWindowAnimation;

// Finishes an animation and releases it. Owns the animation until it has run.
class EndAction : public GameWindowAction
{
public:
    // queueConnection: the connection of the animation's finished() to the
    // queue, cut when the animation is finished here.
    EndAction(GameWindowAnimation *animation, QMetaObject::Connection queueConnection = {});
    ~EndAction() override;

    EndAction(const EndAction &) = delete;
    EndAction &operator=(const EndAction &) = delete;

    bool run(bool immediate) override;

private:
    GameWindowAnimation *m_animation;
    QMetaObject::Connection m_queueConnection;
};
