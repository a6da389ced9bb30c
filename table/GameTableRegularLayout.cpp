#include "table/GameTableRegularLayout.h"

#include "scene/SquareCityView.h"
#include "scene/TileGraphics.h"
#include "table/GameWindow.h"

#include <QGraphicsView>

GameTableRegularLayout::GameTableRegularLayout(GameWindow *window)
    : GameTableLayout(window)
{
    window->replaceCityView(new SquareCityView(&window->tableScene()));
}

QSize GameTableRegularLayout::designSize() const
{
    auto *city = static_cast<SquareCityView *>(window()->cityView());
    const QSize wall = city->baseSize();
    const int a3 = wallStep();
    return QSize(meldDepth(TileImages::Right) + meldDepth(TileImages::Left) + a3 + wall.width(),
                 meldDepth(TileImages::Top) + meldDepth(TileImages::Bottom) + a3 + wall.height() + handExtra(1.0));
}

void GameTableRegularLayout::layout()
{
    GameWindow *w = window();
    auto *city = static_cast<SquareCityView *>(w->cityView());
    const double s = TileGraphics::instance().gameScale();
    const QPoint m = w->graphicsView()->sceneRect().center().toPoint();

    city->relayout();
    relayoutViews(s);

    const int extra = handExtra(s);
    const QPoint topLeft(m.x() - city->width() / 2, m.y() - (city->height() + city->stackOffset() + extra) / 2);
    city->layoutWalls(topLeft);
    const QRect inner = city->innerRect().translated(topLeft);
    const QRect bounds = city->boundingRect().translated(topLeft);
    placeAround(bounds, inner, m, s);
}
