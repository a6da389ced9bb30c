#pragma once

#include "scene/TileImages.h"

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QSvgRenderer;
class QTransform;

// The drawings of the table items other than tiles: one renderer per file
// for the whole process, built on first use, and their elements rendered to
// pixmaps kept in the application's pixmap cache.
class TableArt
{
public:
    static QSvgRenderer &windIndicators();
    static QSvgRenderer &riichiStick();
    static QSvgRenderer &frame();

    // True when the drawing loaded and every element exists with an extent.
    // Otherwise warns once per drawing and element list.
    static bool hasElements(QSvgRenderer &renderer, const QStringList &elements);

    // A transparent square of ceil(62 * scale) pixels with the element drawn
    // centred: scaled by 62 * scale, then by `transform`. Cached under
    // "detailPainter:<element>:<scale bits in hex>:<side>".
    static QPixmap elementPixmap(QSvgRenderer &renderer, const QString &element, double scale,
                                 const QTransform &transform, TileImages::Side side);
    static int markerSize(double scale);

    // A picture cut into bands of fewer rows than the raster engine shares
    // among its threads, and drawn from them: a copy of one under a repaint
    // region of several rectangles then wakes no thread pool.
    static std::vector<QPixmap> bands(const QPixmap &picture);
    static void drawBands(QPainter *painter, const std::vector<QPixmap> &bands);
};
