#include "table/GameTableLayout.h"

#include "scene/DeclaredView.h"
#include "scene/DiscardView.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/PlayerActionView.h"
#include "scene/PrevalentWindView.h"
#include "scene/RiichiStickView.h"
#include "scene/TileGraphics.h"
#include "scene/TilePainter.h"
#include "scene/WindView.h"
#include "table/GameWindow.h"

#include <QGraphicsView>

#include <algorithm>
#include <cmath>

namespace {

// Scene edges as the layouts count them: one past the last pixel.
int rightOf(const QRect &r)
{
    return r.x() + r.width();
}

int bottomOf(const QRect &r)
{
    return r.y() + r.height();
}

TileMetrics metricsOf(const TileImages *images, TileImages::Side side, TileImages::Use use)
{
    if (!images)
        return TileMetrics(0, 0, 0);
    const TileMetrics m = images->metrics(side, use);
    return TileMetrics(std::max(0, m.width), std::max(0, m.height), std::max(0, m.depth));
}

} // namespace

TileMetrics GameTableLayout::unscaledMetrics(TileImages::Side side, TileImages::Use use)
{
    return metricsOf(TileGraphics::instance().unscaledPainter().images(), side, use);
}

TileMetrics GameTableLayout::scaledMetrics(TileImages::Side side, TileImages::Use use)
{
    return metricsOf(TileGraphics::instance().scaledPainter().images(), side, use);
}

int GameTableLayout::meldDepth(TileImages::Side side)
{
    const TileMetrics declared = unscaledMetrics(side, TileImages::Declared);
    const TileMetrics turned = unscaledMetrics(side, TileImages::DeclaredTurned);
    if (side == TileImages::Right || side == TileImages::Left)
        return declared.height / 2 + 2 * std::max(declared.width, 2 * turned.width);
    return declared.width / 2 + 2 * std::max(declared.height, 2 * turned.height);
}

int GameTableLayout::wallStep()
{
    return unscaledMetrics(TileImages::Bottom, TileImages::WallSingle).width / 3 * 3;
}

int GameTableLayout::handExtra(double scale)
{
    if (scale == 1.0)
        return std::max(0, HandView::baseHandRowHeight() - meldDepth(TileImages::Bottom) / 2);
    return std::max(0, HandView::handRowHeight() - int(meldDepth(TileImages::Bottom) * scale) / 2);
}

void GameTableLayout::relayoutViews(double scale)
{
    GameWindow *w = window();
    for (int seat = 0; seat < GameWindow::SeatCount; ++seat) {
        w->hiddenHandView(seat)->layoutTiles();
        w->declaredView(seat)->setMaxRowLength(420.0 * scale);
        w->declaredView(seat)->relayout();
        w->discardView(seat)->layoutTiles();
    }
    w->handView()->layoutTiles();
}

void GameTableLayout::placeAround(const QRect &b, const QRect &inner, QPoint centre, double s)
{
    GameWindow *w = window();
    m_discardArea = inner;
    const int t = scaledMetrics(TileImages::Bottom, TileImages::WallSingle).width / 3;
    const int m0 = t + int(meldDepth(TileImages::Bottom) * s / 2);
    const int m1 = t + int(meldDepth(TileImages::Right) * s / 2);
    const int bRight = rightOf(b), bBottom = bottomOf(b);
    const int iRight = rightOf(inner), iBottom = bottomOf(inner);

    QSize wind[GameWindow::SeatCount];
    for (int seat = 0; seat < GameWindow::SeatCount; ++seat)
        wind[seat] = QSize(w->windView(seat)->width(), w->windView(seat)->height());
    w->setWindPosition(0, QPointF(inner.left() - wind[0].width(), bBottom));
    w->setWindPosition(1, QPointF(bRight, iBottom));
    w->setWindPosition(2, QPointF(iRight, b.top() - wind[2].height()));
    w->setWindPosition(3, QPointF(b.left() - wind[3].width(), inner.top() - wind[3].height()));

    const QPoint q = QRectF(b).center().toPoint();
    const QPointF banners[GameWindow::SeatCount] = {{double(q.x()), double(bBottom)},
                                                    {double(bRight), double(q.y())},
                                                    {double(q.x()), double(b.top())},
                                                    {double(b.left()), double(q.y())}};
    const QPointF stickOffsets[GameWindow::SeatCount] = {{double(wind[0].width()), double(wind[0].height())},
                                                         {double(wind[1].width()), 0},
                                                         {0, 0},
                                                         {0, double(wind[3].height())}};
    const QPointF discards[GameWindow::SeatCount] = {{double(inner.left() + t), double(iBottom - t)},
                                                     {double(iRight - t), double(iBottom - t)},
                                                     {double(iRight - t), double(inner.top() + t)},
                                                     {double(inner.left() + t), double(inner.top() + t)}};
    const QPointF declared[GameWindow::SeatCount] = {{double(inner.left() + t), double(bBottom + t)},
                                                     {double(bRight + t), double(iBottom - t)},
                                                     {double(iRight - t), double(b.top() - t)},
                                                     {double(b.left() - t), double(inner.top() + t)}};
    for (int seat = 0; seat < GameWindow::SeatCount; ++seat) {
        PlayerActionView *banner = w->playerActionView(seat);
        banner->setPlacement(1);
        banner->setScale(s);
        banner->setPos(banners[seat]);
        RiichiStickView *sticks = w->riichiStickView(seat);
        sticks->setScale(s);
        sticks->setPos(w->windPosition(seat) + stickOffsets[seat]);
        w->discardView(seat)->setPos(discards[seat]);
        w->declaredView(seat)->setPos(declared[seat]);
    }

    HandView *hand = w->handView();
    const int sceneBottom = int(w->graphicsView()->sceneRect().bottom());
    const int rowHeight = HandView::handRowHeight();
    const int handY = std::max(int((sceneBottom + bBottom + m0 - rowHeight) * 0.5), int(bBottom + m0));
    hand->setPos(bRight, handY);
    w->moveSideWidget(QPointF(bRight + m0 / 2, handY + (HandView::handTileHeight() - w->sideWidgetHeight()) / 2));

    PrevalentWindView *prevalent = w->prevalentWindView();
    const QPoint half(int(std::lround(prevalent->width() / 2.0)), int(std::lround(prevalent->height() / 2.0)));
    prevalent->setPos(centre - half);

    w->hiddenHandView(0)->setPos(hand->pos());
    w->hiddenHandView(1)->setPos(bRight + m1, b.top());
    w->hiddenHandView(2)->setPos(b.left(), b.top() - m0);
    w->hiddenHandView(3)->setPos(b.left() - m1, bBottom);

    w->setLightPosition(centre);
}
