#pragma once

#include "table/GameTableLayout.h"

// The short wall with a counter below the discards, for small windows.
class GameTableCompactLayout : public GameTableLayout
{
public:
    explicit GameTableCompactLayout(GameWindow *window);

    QSize designSize() const override;
    void layout() override;
    bool isCompact() const override { return true; }
};
