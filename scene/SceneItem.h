#pragma once

#include <QGraphicsItem>

// The table's graphics item types, returned by their type() so that
// qgraphicsitem_cast works, and the names of the item data keys they share.
namespace SceneItem {

enum Type {
    GraphicsNodeType = QGraphicsItem::UserType + 1,
    ShadowedGroupType = QGraphicsItem::UserType + 2,
    TileViewType = QGraphicsItem::UserType + 3,
    ShadowLayerType = QGraphicsItem::UserType + 4,
    DiscardViewType = QGraphicsItem::UserType + 5,
    HiddenHandViewType = QGraphicsItem::UserType + 6,
    HandViewType = QGraphicsItem::UserType + 7,
    HandTileType = QGraphicsItem::UserType + 8,
    WindViewType = QGraphicsItem::UserType + 9,
    PrevalentWindViewType = QGraphicsItem::UserType + 10,
    RiichiStickViewType = QGraphicsItem::UserType + 11,
    WallViewType = QGraphicsItem::UserType + 12,
    MeldViewType = QGraphicsItem::UserType + 13,
    DeclaredViewType = QGraphicsItem::UserType + 14,
    Object3DViewType = QGraphicsItem::UserType + 15,
};

// Item data keys (QGraphicsItem::data).
enum DataKey {
    // A QPainterPath: the union of a group's shadows, group coordinates.
    ShadowPathKey = 0,
    // A ShadowGeometry: a tile's footprint and height.
    ShadowGeometryKey = 1,
    // True on an item that an animation holds by value: the scene leaves it
    // alone when it is cleared or destroyed.
    HeldByValueKey = 2,
};

} // namespace SceneItem
