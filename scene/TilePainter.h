#pragma once

#include "scene/TileBlitCache.h"
#include "scene/TileImages.h"

#include <QPoint>

#include <memory>
#include <set>

class QPainter;

// Holds one TileImages and the items that draw from it, and draws tile
// pictures from it.
class TilePainter
{
public:
    // Told around every replacement of the images.
    class Listner
    {
    public:
        virtual ~Listner() = default;
        virtual void imagesAboutToChange(TilePainter &) {}
        virtual void imagesChanged(TilePainter &) {}
    };

    TilePainter();
    ~TilePainter();
    TilePainter(const TilePainter &) = delete;
    TilePainter &operator=(const TilePainter &) = delete;

    // Takes ownership; the previous images are deleted between the two
    // notifications.
    void setImages(TileImages *images);
    const TileImages *images() const { return m_images.get(); }

    // Pictures of these images already scaled and turned; emptied with them.
    TileBlitCache &blitCache() { return m_blitCache; }

    void addListener(Listner *listener);
    void removeListener(Listner *listener);
    std::size_t listenerCount() const { return m_listeners.size(); }

    void drawTile(QPainter &p, const QPoint &pos, int tile, TileImages::Side side, bool highlighted) const;
    void drawFaceDown(QPainter &p, const QPoint &pos, TileImages::Side side) const;
    void drawTurnedTile(QPainter &p, const QPoint &pos, int tile, TileImages::Side side) const;
    void drawHandTile(QPainter &p, const QPoint &pos, int tile, bool highlighted, bool enabled) const;
    void drawBlank(QPainter &p, const QPoint &pos, TileImages::Side side) const;
    void drawWallStack(QPainter &p, const QPoint &pos, TileImages::Side side, int k) const;
    void drawWallDora(QPainter &p, const QPoint &pos, int tile, TileImages::Side side) const;

private:
    std::unique_ptr<TileImages> m_images;
    TileBlitCache m_blitCache;
    std::set<Listner *> m_listeners;
};
