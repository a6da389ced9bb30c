#include "widgets/VisibleTimer.h"

#include <QEvent>
#include <QWidget>

VisibleTimer::VisibleTimer(QObject *parent)
    : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &VisibleTimer::timeout);
}

VisibleTimer::~VisibleTimer()
{
    if (m_widget)
        m_widget->removeEventFilter(this);
}

void VisibleTimer::setWidget(QWidget *widget)
{
    if (m_widget == widget)
        return;
    if (m_widget)
        m_widget->removeEventFilter(this);
    m_widget = widget;
    if (widget)
        widget->installEventFilter(this);
    if (m_active) {
        m_timer.stop();
        follow(widgetShown(), false);
    }
}

void VisibleTimer::start()
{
    m_active = true;
    m_timer.stop();
    // The caller shows the present value itself.
    follow(widgetShown(), false);
}

void VisibleTimer::stop()
{
    m_active = false;
    m_timer.stop();
}

bool VisibleTimer::widgetShown() const
{
    // A widget in a minimized window stays "visible" but is not on screen.
    return !m_widget || (m_widget->isVisible() && !m_widget->window()->isMinimized());
}

void VisibleTimer::follow(bool shown, bool catchUp)
{
    if (!m_active || shown == m_timer.isActive())
        return;
    if (!shown) {
        m_timer.stop();
        return;
    }
    m_timer.start();
    // Whatever time passed while hidden shows at once.
    if (catchUp)
        emit timeout();
}

bool VisibleTimer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_widget) {
        // Hidden with its page or tab, or with its window when it is
        // minimized (a spontaneous hide); shown the same ways.
        if (event->type() == QEvent::Show)
            follow(true, true);
        else if (event->type() == QEvent::Hide)
            follow(false, false);
    }
    return QObject::eventFilter(watched, event);
}
