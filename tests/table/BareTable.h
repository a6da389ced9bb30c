#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QStringList>
#include <QWidget>

#include <vector>

class QGraphicsPixmapItem;

// What Qt itself costs for the table's drawing, the anchor of the table
// benchmarks: a window with one QGraphicsView set up like the table window's
// (render hints, caches, update mode, optimisation flags, no frame, no
// scroll bars, the same cloth) showing one plain pixmap item of tile size
// wherever the table shows a tile. A table figure divided by the bare
// program's, measured in the same run, means the same on an idle and on a
// busy machine.
class BareTable : public QWidget
{
public:
    struct ViewSettings
    {
        int renderHints = 0;
        int cacheMode = 0;
        int optimizationFlags = 0;
        int updateMode = 0;
        QSize viewSize;

        static ViewSettings of(const QGraphicsView &view);
        QStringList toArguments() const;
        // False when the arguments do not hold five numbers and a size.
        static bool fromArguments(const QStringList &arguments, ViewSettings *settings);
    };

    BareTable(const ViewSettings &settings, const QBrush &cloth, const QSize &windowSize);

    QGraphicsScene &scene() { return m_scene; }
    QGraphicsView *view() { return m_view; }

    // A tile as a bare program draws one: a pixmap item at its place, drawn
    // the way QGraphicsPixmapItem draws by default.
    QGraphicsPixmapItem *addTile(const QPixmap &picture, const QPointF &topLeft, qreal z = 0);

    // `count` tiles of one picture laid in rows round the middle of the
    // table, as the wall and hands lie.
    void addTableOfTiles(const QPixmap &picture, int count);

private:
    QGraphicsScene m_scene;
    QGraphicsView *m_view;
};

// The deal as a bare program would animate it: tiles moving in straight
// lines from the middle of the table to the four seats, in groups of four,
// each flight a third of the deal as the table's deal flies them.
class BareDeal
{
public:
    static constexpr int Tiles = 53;
    static constexpr int DurationMs = 1500;

    BareDeal(BareTable &table, const QPixmap &picture);
    // Places every tile as at this time of the deal.
    void setTime(int ms);

private:
    struct Flight
    {
        QGraphicsPixmapItem *item;
        QPointF from, to;
        double start, end;
    };
    std::vector<Flight> m_flights;
};
