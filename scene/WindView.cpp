#include "scene/WindView.h"

#include "game/Wind.h"
#include "scene/Logging.h"
#include "scene/TableArt.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

namespace {
// Fewer rows than the raster engine shares among its threads.
constexpr int PictureBand = 16;

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
        const QPixmap picture = TableArt::elementPixmap(r, QLatin1String(elements[i]), m_scale, t, m_side);
        m_pictures[i].clear();
        for (int y = 0; y < picture.height(); y += PictureBand)
            m_pictures[i].push_back(picture.copy(0, y, picture.width(), std::min(PictureBand, picture.height() - y)));
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
    const auto draw = [painter](const std::vector<QPixmap> &bands) {
        int y = 0;
        for (const QPixmap &band : bands) {
            painter->drawPixmap(0, y, band);
            y += band.height();
        }
    };
    draw(m_pictures[0]);
    draw(m_pictures[1 + m_wind]);
    if (m_active)
        draw(m_pictures[5]);
}
