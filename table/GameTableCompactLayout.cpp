#include "table/GameTableCompactLayout.h"

#include "scene/CompactCityView.h"
#include "scene/TileGraphics.h"
#include "scene/WallView.h"
#include "table/GameWindow.h"

#include <QGraphicsView>

GameTableCompactLayout::GameTableCompactLayout(GameWindow *window)
    : GameTableLayout(window)
{
    window->replaceCityView(new CompactCityView(&window->tableScene()));
}

QSize GameTableCompactLayout::designSize() const
{
    auto *city = static_cast<CompactCityView *>(window()->cityView());
    const TileMetrics d0 = unscaledMetrics(TileImages::Bottom, TileImages::Declared);
    const TileMetrics d3 = unscaledMetrics(TileImages::Left, TileImages::Declared);
    const int a3 = wallStep();
    return QSize(meldDepth(TileImages::Right) + meldDepth(TileImages::Left) + a3 + 7 * d3.width + 6 * d0.width,
                 meldDepth(TileImages::Top) + meldDepth(TileImages::Bottom) + handExtra(1.0) + a3 + 7 * d0.height
                     + 6 * d3.height + city->baseSize().height());
}

void GameTableCompactLayout::layout()
{
    GameWindow *w = window();
    auto *city = static_cast<CompactCityView *>(w->cityView());
    const double s = TileGraphics::instance().gameScale();
    const QPoint m = w->graphicsView()->sceneRect().center().toPoint();

    city->relayout();
    relayoutViews(s);

    const TileMetrics d0 = unscaledMetrics(TileImages::Bottom, TileImages::Declared);
    const TileMetrics d3 = unscaledMetrics(TileImages::Left, TileImages::Declared);
    const int frameW = int((7 * d3.width + 6 * d0.width) * s);
    const int frameH = int((7 * d0.height + 6 * d3.height) * s);
    const int wallHeight = city->boundingRect().height();
    const int x0 = m.x() - frameW / 2;
    const int y0 = m.y() - (frameH + wallHeight) / 2;
    const int lift = 2 * unscaledMetrics(TileImages::Left, TileImages::WallTriple).depth / 9;
    const QRect bounds(x0, y0, frameW, frameH + wallHeight - lift);
    city->setPos(QPoint(x0 + int((frameW - city->width()) * 0.5), y0 + frameH - lift));
    const QRect inner(x0, y0, frameW, frameH);
    placeAround(bounds, inner, m, s);
}
