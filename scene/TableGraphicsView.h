#pragma once

#include <QBrush>
#include <QGraphicsView>
#include <QPixmap>
#include <QRegion>
#include <QTransform>

// The table's view. It keeps the scene's background (the cloth) as a
// picture, as QGraphicsView's background cache does, but copies it one
// rectangle of the repainted region at a time: QGraphicsView copies its
// cache under the whole region, and the raster engine blends a picture
// under a region of several rectangles line by line on its thread pool,
// which on a busy machine costs more than the copy. So the view's own
// background cache stays off.
class TableGraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit TableGraphicsView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    // Draws the background into the picture if its size, the view's
    // transform or the scene's brush changed.
    void ensureCloth(const QTransform &transform);

    QPixmap m_cloth;
    QTransform m_clothTransform;
    QBrush m_clothBrush;
    // The region being repainted, in the viewport's coordinates.
    QRegion m_exposed;
};
