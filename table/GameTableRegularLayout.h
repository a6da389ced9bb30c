#pragma once

#include "table/GameTableLayout.h"

// The full square wall around the discards.
class GameTableRegularLayout : public GameTableLayout
{
public:
    explicit GameTableRegularLayout(GameWindow *window);

    QSize designSize() const override;
    void layout() override;
    bool isCompact() const override { return false; }
};
