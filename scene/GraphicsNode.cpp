#include "scene/GraphicsNode.h"

GraphicsNode::GraphicsNode(QGraphicsItem *parent)
    : QGraphicsItem(parent)
{
}

GraphicsNode::~GraphicsNode() = default;

void GraphicsNode::addItem(QGraphicsItem *item)
{
    item->setParentItem(this);
}

QRectF GraphicsNode::boundingRect() const
{
    return QRectF(0, 0, 0, 0);
}

void GraphicsNode::paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) {}
