#include "scene/SquareCityView.h"

#include "game/Orientation.h"
#include "game/RulesetInfo.h"
#include "protocol/TableInfo.h"
#include "scene/Logging.h"
#include "scene/TileGraphics.h"
#include "scene/WallFill.h"
#include "scene/WallView.h"

#include <QGraphicsScene>

#include <algorithm>
#include <stdexcept>

SquareCityView::SquareCityView(QGraphicsScene *scene)
    : m_scene(scene)
    , m_sceneOwnsItems(scene != nullptr)
{
    buildWalls();
    applyState();
}

SquareCityView::~SquareCityView()
{
    deleteWalls();
}

void SquareCityView::buildWalls()
{
    m_sceneOwnsItems = m_scene != nullptr;
    for (int side = 0; side < 4; ++side) {
        m_walls[side] = new WallView(orientationOf(side), m_stacksPerSide);
        if (m_scene)
            m_scene->addItem(m_walls[side]);
        m_walls[side]->setLightPosition(m_light);
    }
}

void SquareCityView::deleteWalls()
{
    // A scene that is gone has deleted the rows with its items.
    if (m_sceneOwnsItems && !m_scene)
        return;
    for (WallView *&w : m_walls) {
        delete w;
        w = nullptr;
    }
}

void SquareCityView::setTableInfo(const TableInfo &info)
{
    m_ruleset = info.ruleset();
    int tiles = 144;
    try {
        tiles = info.deadWallTiles() + info.liveWallTiles();
    } catch (const std::runtime_error &e) {
        qCWarning(lcScene, "Wall of ruleset %d drawn as 144 tiles: %s", m_ruleset, e.what());
    }
    const int perSide = std::clamp(tiles / 8, 1, 18);
    const int mode = WallFill::modeOf(m_ruleset);
    const bool rebuild = perSide != m_stacksPerSide;
    if (rebuild) {
        deleteWalls();
        m_stacksPerSide = perSide;
        m_smallSquare = perSide < 18;
        buildWalls();
    }
    if (rebuild || mode != m_mode) {
        m_mode = mode;
        layoutWalls(m_position);
        applyState();
    }
}

void SquareCityView::setWallState(int bottomWind, int liveTiles, int deadWallTiles, int deadWallPosition,
                                  int deadWallTilesDealt, const tile_vector &doras)
{
    m_hasState = true;
    m_bottomWind = bottomWind;
    m_live = liveTiles;
    m_dead = deadWallTiles;
    m_deadPosition = deadWallPosition;
    m_deadDealt = deadWallTilesDealt;
    m_doras = doras;
    applyState();
}

void SquareCityView::clearWallState()
{
    m_hasState = false;
    m_live = m_dead = m_deadPosition = m_deadDealt = 0;
    m_doras.clear();
    applyState();
}

void SquareCityView::applyState()
{
    const int perSide = m_stacksPerSide;
    const WallFill fill = WallFill::square(m_mode, 4 * perSide, m_hasState, m_live, m_dead, m_deadPosition, m_deadDealt,
                                           m_mode == WallFill::RiichiMode ? m_doras : tile_vector());
    m_liveNext = fill.liveNext;
    m_deadNext = fill.deadNext;
    for (int side = 0; side < 4; ++side) {
        if (m_walls[side])
            m_walls[side]->setState(orientationOf(side + m_bottomWind) * perSide, fill.stacks, -1, -1, fill.doras);
    }
    const auto place = [this, perSide](int stack) {
        const auto side = orientationOf(stack / perSide - m_bottomWind);
        const WallView *row = m_walls[side];
        const int k = stack % perSide;
        return TilePlace{row ? row->scenePos() + row->stackPos(k) : QPointF(), TileImages::WallSingle, side};
    };
    m_livePlace = place(m_liveNext);
    m_deadPlace = place(m_deadNext);
}

void SquareCityView::addDora(tile t)
{
    m_doras.push_back(t);
    applyState();
}

TileAnimationSource *SquareCityView::animationSource(bool deadWall)
{
    return deadWall ? static_cast<TileAnimationSource *>(&m_deadSource) : &m_liveSource;
}

TilePlace SquareCityView::nextPlace(bool deadWall) const
{
    return deadWall ? m_deadPlace : m_livePlace;
}

void SquareCityView::drawTiles(int count, bool deadWall)
{
    const int draws = std::clamp(count, 0, 4 * 2 * m_stacksPerSide);
    for (int i = 0; i < draws; ++i) {
        qint32 live = m_live, dead = m_dead, dealt = m_deadDealt;
        updateWallCounts(m_ruleset, 1, deadWall, live, dead, dealt);
        setWallState(m_bottomWind, live, dead, m_deadPosition, dealt, m_doras);
    }
}

void SquareCityView::layoutWalls(QPoint topLeft)
{
    m_position = topLeft;
    WallView *bottom = m_walls[TileImages::Bottom], *right = m_walls[TileImages::Right];
    WallView *top = m_walls[TileImages::Top], *left = m_walls[TileImages::Left];
    if (!bottom || !right || !top || !left)
        return;
    const QPointF p(topLeft);
    if (!m_smallSquare) {
        left->setPos(p);
        top->setPos(p + QPointF(left->width(), 0));
        right->setPos(p + QPointF(top->width(), top->height()));
        bottom->setPos(p + QPointF(0, left->height()));
    } else {
        const int w = bottom->width() + 2 * right->width();
        const int h = 2 * bottom->height() + right->height();
        left->setPos(p + QPointF(0, (h - left->height()) / 2));
        top->setPos(p + QPointF((w - top->width()) / 2, 0));
        right->setPos(p + QPointF(w - right->width(), (h - right->height()) / 2));
        bottom->setPos(p + QPointF((w - bottom->width()) / 2, h - bottom->height()));
    }
    for (WallView *row : m_walls)
        row->updateShadow();
}

int SquareCityView::width() const
{
    return m_walls[0]->width() + (m_smallSquare ? 2 : 1) * m_walls[1]->width();
}

int SquareCityView::height() const
{
    return m_walls[1]->height() + (m_smallSquare ? 2 : 1) * m_walls[0]->height();
}

int SquareCityView::stackOffset() const
{
    return WallView::stackOffset();
}

QRect SquareCityView::boundingRect() const
{
    return QRect(0, 0, width(), height() + stackOffset());
}

QRect SquareCityView::innerRect() const
{
    const int rw = m_walls[1]->width(), bh = m_walls[0]->height(), o = stackOffset();
    return QRect(rw, bh + o, width() - 2 * rw, height() - 2 * bh - o);
}

QSize SquareCityView::baseSize() const
{
    const int w = m_walls[0]->baseWidth() + (m_smallSquare ? 2 : 1) * m_walls[1]->baseWidth();
    const int h = m_walls[1]->baseHeight() + (m_smallSquare ? 2 : 1) * m_walls[0]->baseHeight();
    const TileImages *base = TileGraphics::instance().unscaledPainter().images();
    const int o = base ? base->metrics(TileImages::Right, TileImages::WallTriple).depth : 0;
    return QSize(w, h + o);
}

void SquareCityView::relayout()
{
    for (WallView *row : m_walls)
        row->relayoutStacks();
    applyState();
}

void SquareCityView::setLightPosition(QPointF light)
{
    m_light = light;
    for (WallView *row : m_walls)
        row->setLightPosition(light);
}
