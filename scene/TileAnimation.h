#pragma once

#include "scene/TileImages.h"
#include "scene/TilePlace.h"
#include "scene/TileView.h"

#include <QGraphicsItemAnimation>

class QGraphicsScene;
class QTimeLine;

// One tile flying across the table on a shared time line, between the
// fractions startTime and endTime of it. It shows the target side's picture
// from its first step, turned so that it still looks as seen from the
// source, and turns into place while it flies.
class TileAnimation : public QGraphicsItemAnimation
{
public:
    // The time line is attached once here and never replaced (replacing it
    // would delete the shared one).
    TileAnimation(QGraphicsScene *scene, QTimeLine *timeLine, TileImages::Use use, TileImages::Side fromSide,
                  TileImages::Side toSide, double startTime, double endTime);
    ~TileAnimation() override;

    void setStartPlace(const TilePlace &place);
    void setEndPlace(const TilePlace &place);
    void setStartScale(double scale);
    void setEndScale(double scale);
    void setMovingZ(double z);
    void setLandedZ(double z);
    // The tile is hidden once it has landed.
    void setHiddenWhenLanded(bool hidden) { m_hiddenWhenLanded = hidden; }

    TileView &tileItem() { return m_item; }
    const TileView &tileItem() const { return m_item; }
    TileImages::Side fromSide() const { return m_fromSide; }
    TileImages::Side toSide() const { return m_toSide; }
    double startTime() const { return m_startTime; }
    double endTime() const { return m_endTime; }

    // Size of the picture of (use, side) in the game-scaled images, and its
    // length along a row (width on Bottom and Top, height on the sides).
    static QSizeF imageSize(TileImages::Use use, TileImages::Side side);
    static double rowExtent(TileImages::Use use, TileImages::Side side);
    // Scene point of the middle of the picture lying at a place.
    static QPointF centreOf(const TilePlace &place);
    // The quarter turns, in degrees, that make a tile drawn for toSide look
    // as seen from fromSide: any of -90, 0, 90, 180 for face-up pictures,
    // 0 or 90 for the others (their backs look alike half a turn round).
    static int startTurn(TileImages::Use use, TileImages::Side fromSide, TileImages::Side toSide);

protected:
    void afterAnimationStep(qreal step) override;

private:
    // The item's transform as the animation sets it at this step.
    QTransform transformAt(qreal step) const;

    TileView m_item;
    TileImages::Use m_use;
    TileImages::Side m_fromSide;
    TileImages::Side m_toSide;
    double m_startTime;
    double m_endTime;
    double m_movingZ = 100.0;
    double m_landedZ = 100.0;
    bool m_hiddenWhenLanded = false;
};
