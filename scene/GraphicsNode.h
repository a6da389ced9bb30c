#pragma once

#include <QGraphicsItem>

// An item that draws nothing and only groups its children.
class GraphicsNode : public QGraphicsItem
{
public:
    explicit GraphicsNode(QGraphicsItem *parent = nullptr);
    ~GraphicsNode() override;

    void addItem(QGraphicsItem *item);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};
