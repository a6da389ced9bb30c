#pragma once

#include <QElapsedTimer>

#include <functional>

class QObject;

// Reads what a connection received in turns of the event loop: each turn
// runs the owner's reading step for up to a time budget and, while more is
// left, asks for another turn, so that a flood from a server cannot hold the
// window or grow the memory of what was read but not yet handled.
class ReadTurns
{
public:
    // Time one turn may spend before it lets other events in (0: one item
    // per turn).
    static constexpr int defaultBudgetMs = 8;

    // step reads for one turn, asking spent() between items, and returns
    // true when more may be waiting. Turns run in the thread of owner, and
    // not after owner is gone.
    ReadTurns(QObject *owner, std::function<bool()> step);
    ReadTurns(const ReadTurns &) = delete;
    ReadTurns &operator=(const ReadTurns &) = delete;

    // Asks for a turn, unless one is waiting already. A socket's readyRead()
    // comes once per TLS record: reading there would spend a budget per
    // record before the event loop turns once.
    void schedule();
    bool isScheduled() const { return m_scheduled; }
    // Within a turn: its budget is used up.
    bool spent() const { return m_clock.elapsed() >= m_budgetMs; }
    void setBudget(int ms) { m_budgetMs = ms; }

private:
    void run();

    QObject *m_owner;
    std::function<bool()> m_step;
    QElapsedTimer m_clock;
    int m_budgetMs = defaultBudgetMs;
    bool m_scheduled = false;
};
