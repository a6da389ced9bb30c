#pragma once

#include "scene/TileImages.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class GameWindow;

// Places the items of a table window's scene and tells how large the scene
// must be at game scale 1. The window owns one layout at a time.
class GameTableLayout
{
public:
    explicit GameTableLayout(GameWindow *window)
        : m_window(window)
    {
    }
    virtual ~GameTableLayout() = default;

    GameTableLayout(const GameTableLayout &) = delete;
    GameTableLayout &operator=(const GameTableLayout &) = delete;

    virtual QSize designSize() const = 0;
    virtual void layout() = 0;
    virtual bool isCompact() const = 0;

    // The scene area inside the wall where the discards lie, as the last
    // layout placed it: what is drawn beside a discard stays in it.
    QRect discardArea() const { return m_discardArea; }

protected:
    GameWindow *window() const { return m_window; }

    // Measures from the unscaled tile images (0 when none are loaded).
    static TileMetrics unscaledMetrics(TileImages::Side side, TileImages::Use use);
    static TileMetrics scaledMetrics(TileImages::Side side, TileImages::Use use);
    // The depth the melds of a side need beside the wall.
    static int meldDepth(TileImages::Side side);
    // Three times a third of a one-tile wall stack's width on the bottom side.
    static int wallStep();
    // How much the hand row is higher than half the bottom melds' depth.
    static int handExtra(double scale);

    // Steps shared by both layouts, given the wall's bounding and inner
    // rectangles in scene coordinates and the scene centre.
    void relayoutViews(double scale);
    void placeAround(const QRect &bounds, const QRect &inner, QPoint centre, double scale);

private:
    GameWindow *m_window;
    QRect m_discardArea;
};
