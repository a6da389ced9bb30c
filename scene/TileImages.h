#pragma once

#include "game/Orientation.h"
#include "scene/ShadowGeometry.h"
#include "scene/TileMetrics.h"

#include <QImage>
#include <QRectF>
#include <QString>

#include <array>

class QDataStream;
class QSvgRenderer;

// Every raster picture needed to draw tiles of one blank (tile back) set and
// one face set at one scale, with the size record, placement rectangle and
// shadow outline of each kind of picture. Built by rendering the sets, by
// scaling another instance, or from the cache stream; not copied.
class TileImages
{
public:
    // The table sides of game/Orientation under the names of the drawing
    // elements' suffixes.
    using Side = Orientation::enum_t;
    static constexpr Side Bottom = Orientation::BOTTOM;
    static constexpr Side Right = Orientation::RIGHT;
    static constexpr Side Top = Orientation::TOP;
    static constexpr Side Left = Orientation::LEFT;
    enum Use {
        Declared = 0,
        DeclaredFaceDown = 1,
        DeclaredTurned = 2,
        Hand = 3,
        Hidden = 4,
        WallSingle = 5,
        WallDouble = 6,
        WallTriple = 7,
        Unused = 8,
        WallDora = 9
    };
    static constexpr int SideCount = Orientation::Count;
    static constexpr int UseCount = 10;
    static constexpr int TileCount = 42;
    static constexpr std::array<Side, SideCount> Sides{Bottom, Right, Top, Left};
    static constexpr std::array<Use, UseCount> Uses{Declared,   DeclaredFaceDown, DeclaredTurned, Hand,   Hidden,
                                                    WallSingle, WallDouble,       WallTriple,     Unused, WallDora};
    static constexpr qint32 CacheVersion = 6;

    TileImages(const QString &blankPath, const QString &facePath, const QString &highlightPath, double scale);
    TileImages(const TileImages &source, double scale);
    // Reads the cache format; throws std::runtime_error on a wrong version or
    // proportions. A short or corrupt stream leaves the stream's status not Ok.
    explicit TileImages(QDataStream &in);
    virtual ~TileImages();

    TileImages(const TileImages &) = delete;
    TileImages &operator=(const TileImages &) = delete;

    QImage blank(Side side, Use use) const;
    QImage handImage(bool highlighted) const;
    QImage face(Side side, int tile) const;
    QImage handFace(int tile) const;
    QImage highlight(Side side) const;
    // Made from the hand picture on first call (GUI thread only).
    QImage dimMask() const;
    TileMetrics metrics(Side side, Use use) const;
    QRectF rect(Side side, Use use) const;
    ShadowGeometry shadow(Side side, Use use) const;
    double scale() const { return m_scale; }

    // False when a source file was missing or unreadable, or a drawing
    // element was absent: such a set must never be cached.
    bool isValid() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    // Size record of (side, use) when rendered at the given scale.
    static TileMetrics renderedMetrics(Side side, Use use, double scale);
    // The fixed pixel and drawing records (rows 0-7).
    static TileMetrics baseMetrics(int row);
    static TileMetrics drawingMetrics(int row);
    // The drawing element of a tile face ("circle_7", "white_dragon" ...).
    static QString faceElementName(int tile);
    static QString sideName(Side side);

    friend void writeTileImages(QDataStream &out, const TileImages &images);

private:
    static int index(Side side, Use use) { return side * UseCount + use; }
    static int faceIndex(Side side, int tile) { return side * TileCount + tile; }

    // Reads a set from a drawing (".svg") or a bitmap atlas; `what` names it
    // in the error.
    void loadSet(const QString &path, const char *what, void (TileImages::*fromDrawing)(QSvgRenderer &),
                 void (TileImages::*fromBitmap)(const QImage &));
    void renderSvgBlanks(QSvgRenderer &renderer);
    void cutBitmapBlanks(const QImage &atlas);
    void renderSvgFaces(QSvgRenderer &renderer);
    void cutBitmapFaces(const QImage &atlas);
    void makeHighlights(const QString &path);
    void setMetricsForScale();
    void finish();
    void computeShadows();
    QImage splitRender(QSvgRenderer &renderer, const QString &id, const TileMetrics &drawing,
                       const TileMetrics &pixels);
    QImage fitRender(QSvgRenderer &renderer, const QString &id, const QSize &size);
    QImage centredRender(QSvgRenderer &renderer, const QString &id, const QSize &size, qreal rotation);
    bool checkElement(QSvgRenderer &renderer, const QString &id);
    void fail(const QString &message);

    double m_scale = 1.0;
    std::array<QImage, SideCount * UseCount> m_blanks;
    std::array<QImage, 2> m_hand;
    mutable QImage m_dimMask;
    std::array<QImage, SideCount * TileCount> m_faces;
    std::array<QImage, TileCount> m_handFaces;
    std::array<QImage, SideCount> m_highlights;
    std::array<TileMetrics, SideCount * UseCount> m_metrics;
    std::array<QRectF, SideCount * UseCount> m_rects;
    std::array<ShadowGeometry, SideCount * UseCount> m_shadows;
    QString m_error;
};

void writeTileImages(QDataStream &out, const TileImages &images);

// "tileset_0x%1.dat" named after a hash of the two paths and the scale.
QString tileSetCacheName(const QString &blankPath, const QString &facePath, double scale);

// Reads the set from the cache when a fresh cache file exists, otherwise
// renders it and (when the rendering succeeded) writes the cache. The caller
// owns the result. Runs on any thread.
TileImages *loadOrRenderTileImages(const QString &blankPath, const QString &facePath, double scale);

// Writes a set to a cache file atomically; false (and a warning) on failure.
bool saveTileImages(const TileImages &images, const QString &fileName);

// Where the per-user tile-set cache lives (created on demand by the writer).
QString tileSetCacheDirectory();

// The caches installed with the program: "tilesets" in the program's own
// directory (empty without an application object). Read before the user's.
QString bundledTileSetCacheDirectory();
