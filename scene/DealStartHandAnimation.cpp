#include "scene/DealStartHandAnimation.h"

#include "scene/AnimationHost.h"
#include "scene/HiddenHandView.h"
#include "scene/Logging.h"
#include "scene/TileAnimation.h"
#include "scene/TileAnimationSource.h"

#include <QGraphicsScene>

#include <array>

namespace {

// Three rounds of four tiles to each player in wind order, one more each,
// then one more to East.
std::array<int, DealStartHandAnimation::MaxTiles> dealOrder(const std::vector<int> &winds)
{
    std::array<int, DealStartHandAnimation::MaxTiles> order{};
    int i = 0;
    for (int round = 0; round < 3; ++round)
        for (const int w : winds)
            for (int k = 0; k < 4; ++k)
                order[i++] = w;
    for (const int w : winds)
        order[i++] = w;
    order[i] = winds.front();
    return order;
}

const std::array<int, DealStartHandAnimation::MaxTiles> &orderFor(int players)
{
    static const auto two = dealOrder({0, 2});
    static const auto three = dealOrder({0, 1, 2});
    static const auto four = dealOrder({0, 1, 2, 3});
    return players == 2 ? two : players == 3 ? three : four;
}

} // namespace

DealStartHandAnimation::DealStartHandAnimation(AnimationHost *host)
    : GameWindowAnimation(DurationMs)
    , m_host(host)
    , m_bottomWind(host->bottomWind())
    , m_players(host->seatedPlayers())
{
}

int DealStartHandAnimation::tileCount(int players)
{
    return players >= 2 && players <= 4 ? 13 * players + 1 : 0;
}

int DealStartHandAnimation::dealWind(int players, int step)
{
    return step >= 0 && step < tileCount(players) ? orderFor(players)[step] : -1;
}

double DealStartHandAnimation::startTime(int step)
{
    // In groups of four; spread as for 53 tiles whatever the table's size.
    return (step / 4 * 4) * 0.667 / MaxTiles;
}

double DealStartHandAnimation::endTime(int step)
{
    return startTime(step) + 0.333;
}

void DealStartHandAnimation::start(bool immediate)
{
    if (immediate)
        return;
    const int tiles = tileCount(m_players);
    if (tiles == 0) {
        qCWarning(lcScene, "No deal shown for %d seated players", m_players);
        return;
    }
    TileAnimationSource *wall = m_host->liveWallSource();
    QGraphicsScene *scene = m_host->animationScene();
    std::array<int, 4> dealt{};
    for (int i = 0; i < tiles && wall; ++i) {
        const TileImages::Side seat = orientationOf(dealWind(m_players, i) - m_bottomWind);
        HiddenHandView *hand = m_host->hiddenHand(seat);
        const std::vector<TilePlace> next = wall->tilePlaces(1);
        if (!hand || next.empty()) {
            qCWarning(lcScene, "Deal stopped at tile %d: no place to take it from or put it", i);
            break;
        }
        const TilePlace &from = next.front();
        auto *animation = new TileAnimation(scene, &m_timeLine, TileImages::WallSingle, from.side, seat, startTime(i),
                                            endTime(i));
        m_host->setDealSlot(i, animation);
        const double base = TileAnimation::rowExtent(TileImages::WallSingle, seat);
        const double startScale = base > 0 ? TileAnimation::rowExtent(TileImages::WallSingle, from.side) / base : 1.0;
        const double endScale = base > 0 ? TileAnimation::rowExtent(TileImages::Hidden, hand->side()) / base : 1.0;
        // Centred on the back it becomes.
        const QSizeF landed = TileAnimation::imageSize(TileImages::Hidden, hand->side());
        const QPointF end = hand->tilePosition(dealt[seat]) + QPointF(landed.width() / 2, landed.height() / 2);
        animation->setStartPlace(from);
        animation->setStartScale(startScale);
        animation->setPosAt(endTime(i), end);
        animation->setEndScale(endScale);
        animation->tileItem().setZValue(from.pos.y());
        animation->setMovingZ(1000 + i);
        animation->setLandedZ(hand->tileZ(dealt[seat]));
        animation->tileItem().setVisible(true);
        animation->setHiddenWhenLanded(m_host->showsHandFaceUp(seat));
        wall->takeTiles(1);
        ++dealt[seat];
    }
    m_timeLine.start();
}

void DealStartHandAnimation::finish(bool immediate)
{
    if (immediate && m_timeLine.state() == QTimeLine::Running)
        m_timeLine.stop();
}
