#pragma once

#include "core/TimeSpan.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

class QWidget;
class TimerView;

// The "Next hand starts in:" line of a board or notice: its label and timer
// show only while the timer has a number to show, and both go as it runs
// out, whether the dialog is shown then or not.
class NextHandCountdown : public QObject
{
    Q_OBJECT
public:
    NextHandCountdown(QWidget *label, TimerView *timer, QObject *parent);

    // Counts down to a server time; an end already past shows nothing.
    void start(const QDateTime &end);
    void stop();
    // The time window counted down; empty once stopped or run out.
    const TimeSpan &span() const { return m_span; }

private:
    void check();

    QWidget *m_label;
    TimerView *m_timer;
    QTimer m_runOut;
    TimeSpan m_span;
};
