#include "scene/CompactCityView.h"

#include "game/RulesetInfo.h"
#include "protocol/TableInfo.h"
#include "scene/TileGraphics.h"
#include "scene/WallFill.h"
#include "scene/WallView.h"

#include <QBrush>
#include <QFont>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>

#include <algorithm>

CompactCityView::CompactCityView(QGraphicsScene *scene)
    : m_scene(scene)
    , m_sceneOwnsItems(scene != nullptr)
{
    m_wall = new WallView(TileImages::Bottom, StackCount);
    m_counter = new QGraphicsSimpleTextItem;
    m_counterShadow = new QGraphicsSimpleTextItem;
    QFont font;
    font.setPixelSize(18);
    font.setWeight(QFont::DemiBold);
    m_counter->setFont(font);
    m_counterShadow->setFont(font);
    m_counter->setZValue(2);
    m_counterShadow->setZValue(1);
    m_counter->setBrush(QColor(255, 255, 255, 80));
    m_counterShadow->setBrush(QColor(0, 0, 0, 64));
    m_counter->setToolTip(tr("Remaining tiles"));
    if (m_scene) {
        m_scene->addItem(m_wall);
        m_scene->addItem(m_counterShadow);
        m_scene->addItem(m_counter);
    }
    applyState();
}

CompactCityView::~CompactCityView()
{
    // A scene that is gone has deleted these with its items.
    if (m_sceneOwnsItems && !m_scene)
        return;
    delete m_wall;
    delete m_counter;
    delete m_counterShadow;
}

void CompactCityView::setTableInfo(const TableInfo &info)
{
    m_ruleset = info.ruleset();
    const int mode = WallFill::modeOf(m_ruleset);
    if (mode == m_mode)
        return;
    m_mode = mode;
    applyState();
    setPos(m_position);
}

void CompactCityView::setWallState(int, int liveTiles, int deadWallTiles, int, int deadWallTilesDealt,
                                   const tile_vector &doras)
{
    m_hasState = true;
    m_live = liveTiles;
    m_dead = deadWallTiles;
    m_deadDealt = deadWallTilesDealt;
    m_doras = doras;
    applyState();
}

void CompactCityView::clearWallState()
{
    m_hasState = false;
    m_live = m_dead = m_deadDealt = 0;
    m_doras.clear();
    applyState();
}

QString CompactCityView::counterText() const
{
    return m_hasState ? QString::number(m_live) : QString();
}

void CompactCityView::applyState()
{
    const WallFill fill = WallFill::compact(m_mode, m_hasState, m_live, m_dead, m_deadDealt,
                                            m_mode == WallFill::RiichiMode ? m_doras : tile_vector());
    m_wall->setState(0, fill.stacks, -1, -1, fill.doras);
    m_counter->setText(counterText());
    m_counterShadow->setText(counterText());
    placeCounters();
}

void CompactCityView::addDora(tile t)
{
    m_doras.push_back(t);
    applyState();
}

TileAnimationSource *CompactCityView::animationSource(bool deadWall)
{
    return deadWall ? static_cast<TileAnimationSource *>(&m_deadSource) : &m_liveSource;
}

TilePlace CompactCityView::nextPlace(bool deadWall) const
{
    const int k = deadWall ? 0 : StackCount - 1;
    return TilePlace{m_wall->scenePos() + m_wall->stackPos(k), TileImages::WallSingle, TileImages::Bottom};
}

void CompactCityView::drawTiles(int count, bool deadWall)
{
    const int draws = std::clamp(count, 0, 144);
    for (int i = 0; i < draws; ++i) {
        qint32 live = m_live, dead = m_dead, dealt = m_deadDealt;
        updateWallCounts(m_ruleset, 1, deadWall, live, dead, dealt);
        setWallState(0, live, dead, 0, dealt, m_doras);
    }
}

void CompactCityView::placeCounters()
{
    const int h = m_wall->height(), o = WallView::stackOffset();
    const double t = m_counter->boundingRect().height() * m_counter->scale();
    const QPointF at(m_position.x() + m_wall->width() + o / 2, m_position.y() + int((h + o - t) * 0.5));
    m_counter->setPos(at);
    const int s = int(h * 0.125);
    m_counterShadow->setPos(at + QPointF(s, s));
}

void CompactCityView::setPos(QPoint topLeft)
{
    m_position = topLeft;
    m_wall->setPos(topLeft);
    placeCounters();
}

int CompactCityView::width() const
{
    return m_wall->width();
}

QRect CompactCityView::boundingRect() const
{
    return QRect(0, 0, m_wall->width(), WallView::stackOffset() + m_wall->height());
}

QSize CompactCityView::baseSize() const
{
    const TileImages *base = TileGraphics::instance().unscaledPainter().images();
    const int o = base ? base->metrics(TileImages::Right, TileImages::WallTriple).depth : 0;
    return QSize(m_wall->baseWidth(), o + m_wall->baseHeight());
}

void CompactCityView::relayout()
{
    m_wall->relayoutStacks();
    applyState();
    const double s = m_wall->height() / 24.0;
    m_counter->setScale(s);
    m_counterShadow->setScale(s);
    m_wall->setPos(m_position);
    placeCounters();
}

void CompactCityView::setLightPosition(QPointF light)
{
    m_wall->setLightPosition(light);
}
