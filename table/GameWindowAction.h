#pragma once

// One queued display step of a table window.
class GameWindowAction
{
public:
    virtual ~GameWindowAction();

    // True lets the queue go on at once; false makes it wait until the
    // queue's nextAction() is called again.
    virtual bool run(bool immediate) = 0;
};
