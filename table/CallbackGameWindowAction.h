#pragma once

#include "table/GameWindowAction.h"

#include <utility>

// A bound call run as one queued step. Everything it needs is copied into the
// callable when the action is made, so it draws the state of that moment.
template <typename F>
class CallbackGameWindowAction : public GameWindowAction
{
public:
    explicit CallbackGameWindowAction(F call)
        : m_call(std::move(call))
    {
    }

    bool run(bool) override
    {
        m_call();
        return true;
    }

private:
    F m_call;
};

template <typename F>
GameWindowAction *makeCallbackAction(F call)
{
    return new CallbackGameWindowAction<F>(std::move(call));
}
