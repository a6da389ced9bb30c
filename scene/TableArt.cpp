#include "scene/TableArt.h"

#include "scene/Logging.h"

#include <QPainter>
#include <QPixmapCache>
#include <QSet>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

QSvgRenderer &renderer(std::unique_ptr<QSvgRenderer> &slot, const char *path)
{
    if (!slot)
        slot = std::make_unique<QSvgRenderer>(QString::fromLatin1(path));
    return *slot;
}

} // namespace

QSvgRenderer &TableArt::windIndicators()
{
    static std::unique_ptr<QSvgRenderer> r;
    return renderer(r, "resources:/wind-indicators.svg");
}

QSvgRenderer &TableArt::riichiStick()
{
    static std::unique_ptr<QSvgRenderer> r;
    return renderer(r, "resources:/riichi-stick.svg");
}

QSvgRenderer &TableArt::frame()
{
    static std::unique_ptr<QSvgRenderer> r;
    return renderer(r, "resources:/frame.svg");
}

bool TableArt::hasElements(QSvgRenderer &renderer, const QStringList &elements)
{
    bool ok = renderer.isValid();
    QString missing;
    for (const QString &e : elements) {
        const QRectF b = ok ? renderer.boundsOnElement(e) : QRectF();
        // An element without extent would be divided by its size.
        if (!renderer.elementExists(e) || !(b.width() > 0 && b.height() > 0)) {
            ok = false;
            missing = e;
            break;
        }
    }
    if (!ok) {
        static QSet<QString> warned;
        const QString key = QString::number(quintptr(&renderer)) + elements.join(QLatin1Char(','));
        if (!warned.contains(key)) {
            warned.insert(key);
            qCWarning(lcScene, "Table drawing is missing or lacks the element \"%s\"; the item is hidden",
                      qPrintable(missing));
        }
    }
    return ok;
}

int TableArt::markerSize(double scale)
{
    return static_cast<int>(std::ceil(62 * scale));
}

QPixmap TableArt::elementPixmap(QSvgRenderer &renderer, const QString &element, double scale,
                                const QTransform &transform, TileImages::Side side)
{
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof scale);
    std::memcpy(&bits, &scale, sizeof bits);
    const QString key = QStringLiteral("detailPainter:%1:%2:%3").arg(element).arg(bits, 0, 16).arg(side);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const int n = markerSize(scale);
    if (n <= 0)
        return QPixmap();
    pixmap = QPixmap(n, n);
    pixmap.fill(Qt::transparent);
    const QRectF b = renderer.boundsOnElement(element);
    {
        QPainter p(&pixmap);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.translate(n / 2.0, n / 2.0);
        p.scale(62 * scale, 62 * scale);
        p.setTransform(transform, true);
        p.translate(-b.center());
        renderer.render(&p, element, b);
    }
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

std::vector<QPixmap> TableArt::bands(const QPixmap &picture)
{
    constexpr int band = 16;
    std::vector<QPixmap> out;
    for (int y = 0; y < picture.height(); y += band)
        out.push_back(picture.copy(0, y, picture.width(), std::min(band, picture.height() - y)));
    return out;
}

void TableArt::drawBands(QPainter *painter, const std::vector<QPixmap> &bands)
{
    int y = 0;
    for (const QPixmap &band : bands) {
        painter->drawPixmap(0, y, band);
        y += band.height();
    }
}
