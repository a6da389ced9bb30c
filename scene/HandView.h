#pragma once

#include "game/Tile.h"
#include "scene/BandedSvgItem.h"
#include "scene/GraphicsNode.h"
#include "scene/TileAnimationSource.h"
#include "scene/TileAnimationTarget.h"

#include <QGraphicsSvgItem>
#include <QObject>

#include <functional>
#include <vector>

class HandTile;

// The local player's concealed tiles, face up on a tray along the bottom,
// ascending from left to right and growing to the left of the hand's
// position. Tiles that may be chosen lift under the mouse; a click on one is
// reported by tileClicked() once the press has returned (the receiver may
// take the tile, and with it the item, away).
class HandView : public QObject, public GraphicsNode, public TileAnimationSource, public TileAnimationTarget
{
    Q_OBJECT
public:
    enum { Type = SceneItem::HandViewType };

    HandView();
    ~HandView() override;

    void setTiles(const tile_vector &tiles);
    void clear();
    void setActive(bool active);
    void setAllowedTiles(const tile_vector &tiles);
    void clearAllowedTiles();
    void markTile(tile t);
    void clearMarks();
    void layoutTiles();
    void updateTileGraphics();
    QPointF leftmostTilePos() const;

    // Played when a tile lifts under the mouse (the window plays the hover
    // sound there, and only while it is on screen).
    void setHoverSound(std::function<void()> play) { m_hoverSound = std::move(play); }

    bool isActive() const { return m_active; }
    bool isAllowed(tile t) const;
    tile_vector tiles() const;
    const std::vector<HandTile *> &tileItems() const { return m_tiles; }
    const QGraphicsSvgItem &frameItem() const { return m_frame; }

    static int tileAdvance();
    static int handTileHeight();
    static int handRowHeight();
    static int baseHandRowHeight();

    int type() const override { return Type; }

    // Called by the hand's tiles.
    void tileHovered();
    void tilePressed(tile t);

signals:
    void tileClicked(tile t);

protected:
    std::vector<TilePlace> sourcePlaces(const tile_vector &tiles) override;
    std::vector<TilePlace> sourcePlaces(int count) override;
    void takeSourceTiles(const tile_vector &tiles) override;
    void takeSourceTiles(int count) override;
    std::vector<TilePlace> targetPlaces(const tile_vector &tiles) override;
    std::vector<TilePlace> targetPlaces(int count) override;
    void addTargetTiles(const tile_vector &tiles) override;
    void addTargetTiles(int count) override;

private:
    void fitFrame();
    void placeFrame();
    void refreshTileStates();
    // Scene position of the top-left corner of item index's image.
    QPointF slotPos(int index) const;

    std::vector<HandTile *> m_tiles;
    bool m_active = false;
    tile_vector m_allowed;
    BandedSvgItem m_frame;
    std::function<void()> m_hoverSound;
};
