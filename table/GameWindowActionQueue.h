#pragma once

#include <QObject>

#include <deque>
#include <memory>

class GameWindowAction;
class GameWindowAnimation;

// The table window's first-in-first-out queue of display steps. An animation
// holds the queue until it has finished; with animations switched off, or
// when more than MaxWaiting steps wait, everything runs at once.
class GameWindowActionQueue : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxWaiting = 20;

    explicit GameWindowActionQueue(QObject *parent = nullptr);
    ~GameWindowActionQueue() override;

    // Both take ownership.
    void enqueueAction(GameWindowAction *action);
    void enqueueAnimation(GameWindowAnimation *animation);

    // Runs everything waiting, finishing any animation in flight.
    void flush();
    // Destroys every waiting step without running it.
    void clear();

    bool isBusy() const { return m_busy; }
    int waiting() const { return int(m_actions.size()); }

public slots:
    // Runs waiting steps until one asks to wait; returns the new busy state.
    bool nextAction();

private:
    static bool animationsEnabled();
    std::unique_ptr<GameWindowAction> takeFront();
    void flushWhenTooLong();

    std::deque<GameWindowAction *> m_actions;
    bool m_busy = false;
};
