#include "table/NextHandCountdown.h"

#include "core/TextFormat.h"
#include "protocol/ServerTime.h"
#include "scene/TimerView.h"

#include <QWidget>

#include <algorithm>
#include <limits>

NextHandCountdown::NextHandCountdown(QWidget *label, TimerView *timer, QObject *parent)
    : QObject(parent)
    , m_label(label)
    , m_timer(timer)
{
    m_runOut.setSingleShot(true);
    // A coarse timer may fire seconds late on a long wait: the label would
    // stand that long without its number.
    m_runOut.setTimerType(Qt::PreciseTimer);
    connect(&m_runOut, &QTimer::timeout, this, &NextHandCountdown::check);
    // A corrected clock may end the countdown sooner or later.
    connect(&ServerTime::instance(), &ServerTime::updatedEstimate, this, [this] {
        if (!m_span.isNull())
            check();
    });
}

void NextHandCountdown::start(const QDateTime &end)
{
    const QDateTime now = Utils::serverNow();
    m_span = now < end ? TimeSpan(now, end) : TimeSpan();
    m_timer->setTimeSpan(m_span);
    check();
}

void NextHandCountdown::stop()
{
    m_span = TimeSpan();
    m_timer->setTimeSpan(m_span);
    check();
}

void NextHandCountdown::check()
{
    const qint64 left = m_span.isNull()
                            ? 0
                            : m_timer->msecsShown(TimerView::msecsBetween(Utils::serverNow(), m_span.end()));
    if (left <= 0) {
        m_runOut.stop();
        if (!m_span.isNull()) {
            m_span = TimeSpan();
            m_timer->setTimeSpan(m_span);
        }
    } else {
        m_runOut.start(int(std::min<qint64>(left, std::numeric_limits<int>::max())));
    }
    m_label->setVisible(left > 0);
    m_timer->setVisible(left > 0);
}
