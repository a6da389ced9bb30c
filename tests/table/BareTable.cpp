#include "BareTable.h"

#include "scene/TableGraphicsView.h"

#include <QGraphicsPixmapItem>

#include <cmath>

BareTable::ViewSettings BareTable::ViewSettings::of(const QGraphicsView &view)
{
    ViewSettings s;
    s.renderHints = int(view.renderHints().toInt());
    s.cacheMode = int(view.cacheMode().toInt());
    // The table's view keeps its background itself; a bare view has Qt's cache.
    if (qobject_cast<const TableGraphicsView *>(&view))
        s.cacheMode |= int(QGraphicsView::CacheBackground);
    s.optimizationFlags = int(view.optimizationFlags().toInt());
    s.updateMode = int(view.viewportUpdateMode());
    s.viewSize = view.size();
    return s;
}

QStringList BareTable::ViewSettings::toArguments() const
{
    return {QString::number(renderHints), QString::number(cacheMode),        QString::number(optimizationFlags),
            QString::number(updateMode),  QString::number(viewSize.width()), QString::number(viewSize.height())};
}

bool BareTable::ViewSettings::fromArguments(const QStringList &arguments, ViewSettings *settings)
{
    if (arguments.size() < 6)
        return false;
    int v[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        v[i] = arguments.at(i).toInt(&ok);
        if (!ok)
            return false;
    }
    if (v[4] <= 0 || v[5] <= 0 || v[4] > 8192 || v[5] > 8192)
        return false;
    *settings = ViewSettings{v[0], v[1], v[2], v[3], QSize(v[4], v[5])};
    return true;
}

BareTable::BareTable(const ViewSettings &settings, const QBrush &cloth, const QSize &windowSize)
{
    resize(windowSize);
    m_view = new QGraphicsView(this);
    m_view->setGeometry(QRect(QPoint(0, 0), settings.viewSize));
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setScene(&m_scene);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setRenderHints(QPainter::RenderHints::fromInt(settings.renderHints));
    m_view->setCacheMode(QGraphicsView::CacheMode::fromInt(settings.cacheMode));
    m_view->setOptimizationFlags(QGraphicsView::OptimizationFlags::fromInt(settings.optimizationFlags));
    m_view->setViewportUpdateMode(QGraphicsView::ViewportUpdateMode(settings.updateMode));
    m_view->setSceneRect(QRectF(QPointF(0, 0), QSizeF(settings.viewSize)));
    m_scene.setBackgroundBrush(cloth);
}

QGraphicsPixmapItem *BareTable::addTile(const QPixmap &picture, const QPointF &topLeft, qreal z)
{
    QGraphicsPixmapItem *item = m_scene.addPixmap(picture);
    item->setPos(topLeft);
    item->setZValue(z);
    return item;
}

void BareTable::addTableOfTiles(const QPixmap &picture, int count)
{
    // Four rows round the middle, growing outwards as walls and hands do.
    const QSizeF area = m_scene.sceneRect().size();
    const QPointF centre(area.width() / 2, area.height() / 2);
    const qreal w = picture.width(), h = picture.height();
    const int perRow = std::max(1, int(std::floor(std::min(area.width(), area.height()) * 0.6 / w)));
    for (int i = 0; i < count; ++i) {
        const int side = i % 4;
        const int ring = i / 4 / perRow;
        const int k = i / 4 % perRow;
        const qreal along = (k - perRow / 2.0) * w;
        const qreal out = perRow * w / 2 + ring * h * 1.2;
        const QPointF at = side == 0   ? QPointF(along, out)
                           : side == 1 ? QPointF(out, along)
                           : side == 2 ? QPointF(-along, -out - h)
                                       : QPointF(-out - w, -along);
        addTile(picture, centre + at, ring);
    }
}

BareDeal::BareDeal(BareTable &table, const QPixmap &picture)
{
    const QRectF area = table.scene().sceneRect();
    const QPointF centre = area.center();
    const QPointF seats[4] = {QPointF(centre.x(), area.bottom() - 2 * picture.height()),
                              QPointF(area.right() - 2 * picture.width(), centre.y()),
                              QPointF(centre.x(), area.top() + picture.height()),
                              QPointF(area.left() + picture.width(), centre.y())};
    int dealt[4] = {};
    for (int i = 0; i < Tiles; ++i) {
        const int seat = i < 48 ? i / 4 % 4 : i % 4;
        const double start = (i / 4 * 4) * 0.667 / Tiles;
        const QPointF along = seat % 2 == 0 ? QPointF(picture.width(), 0) : QPointF(0, picture.height());
        const QPointF to = seats[seat] + along * (dealt[seat]++ - 7);
        const QPointF from = centre + QPointF((i % 9 - 4) * picture.width(), 0);
        m_flights.push_back({table.addTile(picture, from, 1000 + i), from, to, start, start + 0.333});
    }
}

void BareDeal::setTime(int ms)
{
    const double t = double(ms) / DurationMs;
    for (const Flight &f : m_flights) {
        const double k = std::clamp((t - f.start) / (f.end - f.start), 0.0, 1.0);
        f.item->setPos(f.from + (f.to - f.from) * k);
    }
}
