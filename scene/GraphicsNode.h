#pragma once

#include "scene/SceneItem.h"

#include <QGraphicsItem>

// An item that draws nothing and only groups its children.
class GraphicsNode : public QGraphicsItem
{
public:
    enum { Type = SceneItem::GraphicsNodeType };

    explicit GraphicsNode(QGraphicsItem *parent = nullptr);
    ~GraphicsNode() override;

    void addItem(QGraphicsItem *item);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};
