#include "scene/PrevalentWindView.h"

#include "game/Wind.h"
#include "scene/Logging.h"
#include "scene/TableArt.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {
bool artUsable()
{
    QStringList elements;
    for (int w = 0; w < 4; ++w)
        elements << PrevalentWindView::elementName(w);
    return TableArt::hasElements(TableArt::windIndicators(), elements);
}
} // namespace

PrevalentWindView::PrevalentWindView()
{
    setToolTip(translatedPrevalentWindName(m_wind));
    if (!artUsable())
        hide();
}

QString PrevalentWindView::elementName(int wind)
{
    static const char *const names[] = {"prevalentEast", "prevalentSouth", "prevalentWest", "prevalentNorth"};
    return wind >= 0 && wind < 4 ? QLatin1String(names[wind]) : QString();
}

void PrevalentWindView::setWind(int wind)
{
    if (wind < 0 || wind > 3) {
        qCWarning(lcScene, "Ignoring prevailing wind %d", wind);
        return;
    }
    if (wind == m_wind)
        return;
    m_wind = wind;
    setToolTip(translatedPrevalentWindName(m_wind));
    update();
}

void PrevalentWindView::setScale(double scale)
{
    if (!qFuzzyCompare(scale, m_scale)) {
        prepareGeometryChange();
        m_scale = scale;
    } else if (m_rendered) {
        return;
    }
    renderPictures();
}

void PrevalentWindView::renderPictures()
{
    m_rendered = true;
    QSvgRenderer &r = TableArt::windIndicators();
    for (int wind = 0; wind < 4; ++wind) {
        const QString element = elementName(wind);
        const double w = r.boundsOnElement(element).width();
        const QPixmap picture = w > 0 ? TableArt::elementPixmap(r, element, m_scale,
                                                                QTransform::fromScale(1 / w, 1 / w), TileImages::Bottom)
                                      : QPixmap();
        m_pictures[wind] = TableArt::bands(picture);
    }
}

int PrevalentWindView::width() const
{
    return TableArt::markerSize(m_scale);
}

int PrevalentWindView::height() const
{
    return TableArt::markerSize(m_scale);
}

QRectF PrevalentWindView::boundingRect() const
{
    return QRectF(0, 0, width(), height());
}

void PrevalentWindView::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!isVisible())
        return;
    if (!m_rendered)
        renderPictures();
    TableArt::drawBands(painter, m_pictures[m_wind]);
}
