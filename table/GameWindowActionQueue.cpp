#include "table/GameWindowActionQueue.h"

#include "scene/GameWindowAnimation.h"
#include "table/EndAction.h"
#include "table/GameWindowAction.h"
#include "table/StartAction.h"

#include <QSettings>

GameWindowActionQueue::GameWindowActionQueue(QObject *parent)
    : QObject(parent)
{
}

GameWindowActionQueue::~GameWindowActionQueue()
{
    clear();
}

bool GameWindowActionQueue::animationsEnabled()
{
    // Read at every enqueue: a change in the preferences applies at once.
    return QSettings().value(QStringLiteral("game/animations"), true).toBool();
}

std::unique_ptr<GameWindowAction> GameWindowActionQueue::takeFront()
{
    // Out of the queue before it runs: a step that throws or re-enters the
    // queue can never be run twice.
    std::unique_ptr<GameWindowAction> action(m_actions.front());
    m_actions.pop_front();
    return action;
}

void GameWindowActionQueue::enqueueAction(GameWindowAction *action)
{
    m_actions.push_back(action);
    if (!animationsEnabled())
        flush();
    else if (!m_busy)
        nextAction();
    flushWhenTooLong();
}

void GameWindowActionQueue::enqueueAnimation(GameWindowAnimation *animation)
{
    if (!animationsEnabled()) {
        std::unique_ptr<GameWindowAnimation> owned(animation);
        flush();
        owned->start(true);
        owned->finish(true);
        return;
    }
    const QMetaObject::Connection connection = connect(animation, &GameWindowAnimation::finished, this,
                                                       &GameWindowActionQueue::nextAction, Qt::DirectConnection);
    m_actions.push_back(new StartAction(animation));
    m_actions.push_back(new EndAction(animation, connection));
    if (!m_busy)
        nextAction();
    flushWhenTooLong();
}

bool GameWindowActionQueue::nextAction()
{
    while (!m_actions.empty()) {
        if (!takeFront()->run(false))
            break;
    }
    m_busy = !m_actions.empty();
    return m_busy;
}

void GameWindowActionQueue::flush()
{
    while (!m_actions.empty())
        takeFront()->run(false);
    m_busy = false;
}

void GameWindowActionQueue::clear()
{
    while (!m_actions.empty())
        takeFront();
    m_busy = false;
}

void GameWindowActionQueue::flushWhenTooLong()
{
    if (int(m_actions.size()) > MaxWaiting)
        flush();
}
