#include "scene/TimerView.h"

#include "protocol/ServerTime.h"

#include <QConicalGradient>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {
QDateTime serverNow()
{
    return ServerTime::instance().now();
}
} // namespace

TimerView::TimerView(QWidget *parent, Qt::WindowFlags flags, DisplayType displayType, PieType pieType)
    : QWidget(parent, flags)
    , m_displayType(displayType)
    , m_pieType(pieType)
{
    m_timer.setParent(this);
    connect(&m_timer, &QTimer::timeout, this, &TimerView::tick);
    m_align.setParent(this);
    m_align.setSingleShot(true);
    m_align.setTimerType(Qt::PreciseTimer);
    connect(&m_align, &QTimer::timeout, this, [this] {
        // Restarted here, the counter's ticks fall just after the moments
        // its number changes.
        if (m_timer.isActive())
            m_timer.start();
        tick();
    });
}

qint64 TimerView::msecsBetween(const QDateTime &a, const QDateTime &b)
{
    const QDateTime ua = a.toUTC(), ub = b.toUTC();
    return ua.date().daysTo(ub.date()) * 86400000LL + ua.time().msecsTo(ub.time());
}

void TimerView::setTimeSpan(const TimeSpan &span)
{
    m_deadline = span.end();
    if (!m_deadline.isValid()) {
        m_total = 0;
    } else {
        const QDateTime start = span.start().isValid() ? span.start() : serverNow();
        m_total = std::max<qint64>(msecsBetween(start, m_deadline), 0);
    }
    // A window of nothing stops at once rather than at a paint that a
    // hidden timer never gets.
    if (m_total == 0)
        m_timer.stop();
    else
        startIfLive();
    update();
}

void TimerView::setEndTime(const QDateTime &end)
{
    setTimeSpan(TimeSpan(serverNow(), end));
}

void TimerView::startIfLive()
{
    if (m_total == 0 || !isVisible())
        return;
    const qint64 interval = m_displayType == DEC_COUNTER ? 1000 : std::max<qint64>(m_total / 100, 100);
    m_timer.setInterval(static_cast<int>(std::min<qint64>(interval, std::numeric_limits<int>::max())));
    if (m_displayType == DEC_COUNTER)
        m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.start();
    alignCounter();
}

void TimerView::alignCounter()
{
    // Every counter of one deadline then shows the same number, however
    // far apart they were started.
    if (m_displayType != DEC_COUNTER || !m_timer.isActive())
        return;
    const qint64 rest = remaining();
    if (rest <= 0)
        return;
    qint64 next = rest % 1000 - 500;
    if (next < 0)
        next += 1000;
    // Already just after a change: the ticks are in step.
    if (next >= 980)
        return;
    m_align.start(static_cast<int>(next) + 2);
}

void TimerView::stopWhenDone()
{
    if (m_timer.isActive() && (m_total == 0 || !m_deadline.isValid() || m_deadline < serverNow()))
        m_timer.stop();
}

void TimerView::tick()
{
    stopWhenDone();
    alignCounter();
    update();
}

void TimerView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_timer.isActive() && m_deadline.isValid() && m_deadline > serverNow())
        startIfLive();
}

void TimerView::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    m_align.stop();
    QWidget::hideEvent(event);
}

qint64 TimerView::remaining() const
{
    if (m_total == 0 || !m_deadline.isValid())
        return 0;
    return std::max<qint64>(msecsBetween(serverNow(), m_deadline), 0);
}

int TimerView::pieSpan() const
{
    if (m_total <= 0)
        return 0;
    // A window that has not begun yet shows a full circle, not more.
    const double fraction = std::min(double(remaining()) / double(m_total), 1.0);
    return static_cast<int>(fraction * 5760);
}

QString TimerView::counterText() const
{
    const qint64 seconds = (remaining() + 500) / 1000;
    return seconds > 0 ? QStringLiteral("%L1").arg(seconds) : QString();
}

qint64 TimerView::msecsShown(qint64 rest) const
{
    if (m_total == 0 || rest <= 0)
        return 0;
    // The counter rounds: its last second goes at half a second left; the
    // pie goes with its last sixteenth of a degree.
    const qint64 gone = m_displayType == DEC_COUNTER ? 500 : (m_total + 5759) / 5760;
    return std::max<qint64>(rest - gone + 1, 0);
}

void TimerView::paintEvent(QPaintEvent *)
{
    stopWhenDone();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_displayType == DEC_PIE) {
        const int span = pieSpan();
        if (span <= 0)
            return;
        p.setPen(Qt::NoPen);
        const QRect r = rect().adjusted(0, 0, -m_shadowOffset, -m_shadowOffset);
        if (m_shadowOffset != 0) {
            p.setBrush(QColor(0, 0, 0, 64));
            p.drawPie(QRectF(r.translated(m_shadowOffset, m_shadowOffset)), 1440, span);
        }
        if (m_pieType == PIE_GRADIENT) {
            QConicalGradient gradient(r.width() / 2 + 1, r.height() / 2, 90);
            gradient.setColorAt(0.0, Qt::red);
            gradient.setColorAt(0.3, Qt::yellow);
            gradient.setColorAt(1.0, Qt::white);
            p.setBrush(gradient);
        } else {
            p.setBrush(m_solidColor);
        }
        p.drawPie(QRectF(r), 1440, span);
    } else {
        const QString text = counterText();
        m_shownText = text;
        if (text.isEmpty())
            return;
        if (m_backdropColor.isValid() && m_backdropColor.alpha() > 0) {
            const QPen pen = p.pen();
            p.setPen(Qt::NoPen);
            p.setBrush(m_backdropColor);
            const qreal radius = std::min(width(), height()) / 4.0;
            p.drawRoundedRect(QRectF(rect()), radius, radius);
            p.setPen(pen);
        }
        p.drawText(rect(), Qt::AlignCenter, text);
    }
}

void TimerView::setDisplayType(DisplayType type)
{
    m_displayType = type;
    update();
}

void TimerView::setPieType(PieType type)
{
    m_pieType = type;
    update();
}

void TimerView::setSolidColor(const QColor &color)
{
    m_solidColor = color;
    update();
}

void TimerView::setBackdropColor(const QColor &color)
{
    m_backdropColor = color;
    update();
}

void TimerView::setShadowOffset(int offset)
{
    m_shadowOffset = offset;
    update();
}
