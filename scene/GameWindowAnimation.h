#pragma once

#include <QObject>
#include <QTimeLine>

// The base of every table animation: a time line ticking every 20 ms. The
// action queue starts and finishes it; finished() fires only when the time
// line ran to its end, never for an animation finished early.
class GameWindowAnimation : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickMs = 20;

    explicit GameWindowAnimation(int durationMs);

    virtual void start(bool immediate) = 0;
    virtual void finish(bool immediate) = 0;

    QTimeLine &timeLine() { return m_timeLine; }

signals:
    void finished();

protected:
    QTimeLine m_timeLine;
};
