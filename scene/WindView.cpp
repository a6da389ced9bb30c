#include "scene/WindView.h"

#include "game/Wind.h"
#include "scene/Logging.h"
#include "scene/TableArt.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {
bool artUsable()
{
    return TableArt::hasElements(TableArt::windIndicators(),
                                 {QStringLiteral("blank"), QStringLiteral("glow"), QStringLiteral("east"),
                                  QStringLiteral("south"), QStringLiteral("west"), QStringLiteral("north")});
}
} // namespace

WindView::WindView(TileImages::Side side)
    : m_side(side)
{
    setToolTip(translatedWindName(m_wind));
    if (!artUsable())
        hide();
}

QSizeF WindView::elementSize()
{
    static const QSizeF size = [] {
        QSizeF s(-1, -1);
        if (!artUsable())
            return s;
        for (const char *e : {"east", "blank", "glow"}) {
            const QRectF b = TableArt::windIndicators().boundsOnElement(QLatin1String(e));
            s = s.expandedTo(b.size());
        }
        return s;
    }();
    return size;
}

void WindView::setWind(int wind)
{
    if (wind < 0 || wind > 3) {
        qCWarning(lcScene, "Ignoring wind %d for a seat marker", wind);
        return;
    }
    if (wind == m_wind)
        return;
    m_wind = wind;
    setToolTip(translatedWindName(m_wind));
    update();
}

void WindView::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    update();
}

void WindView::setScale(double scale)
{
    if (!qFuzzyCompare(scale, m_scale)) {
        prepareGeometryChange();
        m_scale = scale;
    } else if (m_rendered) {
        return;
    }
    renderPictures();
}

void WindView::renderPictures()
{
    m_rendered = true;
    const QSizeF e = elementSize();
    if (!(e.width() > 0 && e.height() > 0))
        return;
    const QTransform t = QTransform::fromScale(1 / e.width(), 1 / e.height()) * QTransform().rotate(-90 * m_side);
    QSvgRenderer &r = TableArt::windIndicators();
    const char *const elements[] = {"blank", "east", "south", "west", "north", "glow"};
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        m_pictures[i] = TableArt::bands(TableArt::elementPixmap(r, QLatin1String(elements[i]), m_scale, t, m_side));
    }
}

int WindView::width() const
{
    return TableArt::markerSize(m_scale);
}

int WindView::height() const
{
    return TableArt::markerSize(m_scale);
}

QRectF WindView::boundingRect() const
{
    return QRectF(0, 0, width(), height());
}

void WindView::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!m_rendered)
        renderPictures();
    TableArt::drawBands(painter, m_pictures[0]);
    TableArt::drawBands(painter, m_pictures[1 + m_wind]);
    if (m_active)
        TableArt::drawBands(painter, m_pictures[5]);
}
