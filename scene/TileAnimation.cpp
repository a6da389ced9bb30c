#include "scene/TileAnimation.h"

#include "scene/SceneItem.h"
#include "scene/TileGraphics.h"

#include <QGraphicsScene>
#include <QTimeLine>

TileAnimation::TileAnimation(QGraphicsScene *scene, QTimeLine *timeLine, TileImages::Use use, TileImages::Side fromSide,
                             TileImages::Side toSide, double startTime, double endTime)
    : m_item(fromSide, use)
    , m_use(use)
    , m_fromSide(fromSide)
    , m_toSide(toSide)
    , m_startTime(startTime)
    , m_endTime(endTime)
{
    m_item.setZValue(100.0);
    // The scene must not delete this member when it is destroyed first.
    m_item.setData(SceneItem::HeldByValueKey, true);
    if (scene)
        scene->addItem(&m_item);
    setItem(&m_item);
    setTimeLine(timeLine);
    if (m_startTime > 0) {
        setRotationAt(0, 0);
        setRotationAt(m_startTime - 0.00001, 0);
    }
    setRotationAt(m_startTime, startTurn(use, fromSide, toSide));
    setRotationAt(m_endTime, 0);
    const QSizeF size = imageSize(use, fromSide);
    setTranslationAt(0, -size.width() / 2, -size.height() / 2);
    m_item.setTransform(QTransform::fromTranslate(-size.width() / 2, -size.height() / 2));
}

TileAnimation::~TileAnimation()
{
    // Gone already when the scene was cleared or destroyed first.
    if (QGraphicsScene *s = m_item.scene())
        s->removeItem(&m_item);
}

QSizeF TileAnimation::imageSize(TileImages::Use use, TileImages::Side side)
{
    const TileImages *images = TileGraphics::instance().scaledPainter().images();
    return images ? images->rect(side, use).size() : QSizeF();
}

double TileAnimation::rowExtent(TileImages::Use use, TileImages::Side side)
{
    const TileImages *images = TileGraphics::instance().scaledPainter().images();
    if (!images)
        return 0.0;
    const TileMetrics m = images->metrics(side, use);
    return side == TileImages::Bottom || side == TileImages::Top ? m.width : m.height;
}

int TileAnimation::startTurn(TileImages::Use use, TileImages::Side fromSide, TileImages::Side toSide)
{
    // Non-negative whatever the order of the sides (C++ % keeps the sign).
    const int quarters = orientationOf(toSide - fromSide);
    if (use == TileImages::Declared || use == TileImages::Hand)
        return (quarters == 3 ? -1 : quarters) * 90;
    return quarters % 2 * 90;
}

QPointF TileAnimation::centreOf(const TilePlace &place)
{
    // The middle of the picture lying there: the flying tile, scaled to the
    // row's extent, covers it from there.
    const TileImages *images = TileGraphics::instance().scaledPainter().images();
    return images ? place.pos + images->rect(place.side, place.use).center() : place.pos;
}

void TileAnimation::setStartPlace(const TilePlace &place)
{
    const QPointF centre = centreOf(place);
    m_item.setPos(centre);
    setPosAt(0, centre);
    setPosAt(m_startTime, centre);
}

void TileAnimation::setEndPlace(const TilePlace &place)
{
    setPosAt(m_endTime, centreOf(place));
}

void TileAnimation::setStartScale(double scale)
{
    setScaleAt(m_startTime, scale, scale);
    if (m_startTime == 0)
        m_item.setTransform(transformAt(0));
}

void TileAnimation::setEndScale(double scale)
{
    setScaleAt(m_endTime, scale, scale);
}

void TileAnimation::setMovingZ(double z)
{
    m_movingZ = z;
    if (m_startTime == 0)
        m_item.setZValue(z);
}

void TileAnimation::setLandedZ(double z)
{
    m_landedZ = z;
}

QTransform TileAnimation::transformAt(qreal step) const
{
    return QTransform()
        .rotate(rotationAt(step))
        .scale(horizontalScaleAt(step), verticalScaleAt(step))
        .translate(xTranslationAt(step), yTranslationAt(step));
}

void TileAnimation::afterAnimationStep(qreal step)
{
    if (step >= m_startTime && (m_item.side() != m_toSide || m_item.use() != m_use)) {
        const QSizeF size = imageSize(m_use, m_toSide);
        setTranslationAt(0, -size.width() / 2, -size.height() / 2);
        m_item.setTransform(transformAt(step));
        m_item.setSide(m_toSide);
        m_item.setUse(m_use);
    }
    const double z = step >= m_endTime ? m_landedZ : step >= m_startTime ? m_movingZ : m_item.zValue();
    if (z != m_item.zValue())
        m_item.setZValue(z);
    if (m_hiddenWhenLanded && step >= m_endTime && m_item.isVisible())
        m_item.hide();
}
