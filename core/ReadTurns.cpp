#include "core/ReadTurns.h"

#include <QMetaObject>
#include <QObject>

ReadTurns::ReadTurns(QObject *owner, std::function<bool()> step)
    : m_owner(owner)
    , m_step(std::move(step))
{
    m_clock.start();
}

void ReadTurns::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(
        m_owner, [this] { run(); }, Qt::QueuedConnection);
}

void ReadTurns::run()
{
    m_scheduled = false;
    m_clock.start();
    if (m_step())
        schedule();
}
