#include "table/EndAction.h"

#include "scene/GameWindowAnimation.h"

EndAction::EndAction(GameWindowAnimation *animation, QMetaObject::Connection queueConnection)
    : m_animation(animation)
    , m_queueConnection(queueConnection)
{
}

EndAction::~EndAction()
{
    delete m_animation;
}

bool EndAction::run(bool immediate)
{
    // A flush can finish the animation while its time line still ticks: a
    // late tick must not reach the queue and end the next animation early.
    QObject::disconnect(m_queueConnection);
    m_animation->timeLine().stop();
    m_animation->finish(immediate);
    m_animation->deleteLater();
    m_animation = nullptr;
    return true;
}
