#include "scene/RiichiStickView.h"

#include "scene/Logging.h"
#include "scene/TableArt.h"

#include <QGraphicsSvgItem>
#include <QSvgRenderer>

namespace {
const QString &stickElement()
{
    static const QString id = QStringLiteral("stick");
    return id;
}
} // namespace

RiichiStickView::RiichiStickView(TileImages::Side side)
    : m_rotation(QTransform().rotate(-90 * side))
{
    if (!TableArt::hasElements(TableArt::riichiStick(), {stickElement()}))
        hide();
}

void RiichiStickView::setStickCount(int count)
{
    if (count < 0) {
        qCWarning(lcScene, "Ignoring a riichi stick count of %d", count);
        return;
    }
    while (static_cast<int>(m_sticks.size()) < count) {
        auto *stick = new QGraphicsSvgItem(this);
        stick->setSharedRenderer(&TableArt::riichiStick());
        stick->setElementId(stickElement());
        stick->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
        m_sticks.push_back(stick);
    }
    m_count = count;
    for (int k = 0; k < static_cast<int>(m_sticks.size()); ++k)
        m_sticks[k]->setVisible(k < count);
    layoutSticks();
}

void RiichiStickView::setScale(double scale)
{
    if (qFuzzyCompare(scale, m_scale))
        return;
    m_scale = scale;
    layoutSticks();
}

void RiichiStickView::layoutSticks()
{
    const QRectF b = TableArt::riichiStick().boundsOnElement(stickElement());
    if (!(b.width() > 0 && b.height() > 0))
        return;
    const int thickness = static_cast<int>(m_scale * 15);
    const int length = static_cast<int>(thickness * b.width() / b.height());
    for (int k = 0; k < static_cast<int>(m_sticks.size()); ++k) {
        QGraphicsSvgItem *stick = m_sticks[k];
        stick->setTransform(m_rotation);
        stick->setScale(thickness / b.height());
        stick->setPos(m_rotation.map(QPointF(-length, k * thickness)));
    }
}
