#pragma once

#include "scene/TileImages.h"

#include <QImage>
#include <QRect>

// Layout of the bitmap tile sets: every picture lies at a fixed rectangle of
// one image, stored at a multiple of its base size so that scaling up stays
// sharp.
class TileAtlas
{
public:
    static constexpr int BlankFactor = 3;
    static constexpr int FaceFactor = 4;

    static QRect handRect(int highlighted);
    static QRect blankRect(TileImages::Side side, TileImages::Use use);
    static QRect faceRect(int tile);
    static QSize blankAtlasSize();
    static QSize faceAtlasSize();

    // Pack a set rendered at BlankFactor / FaceFactor into atlas images.
    static QImage makeBlankAtlas(const TileImages &images);
    static QImage makeFaceAtlas(const TileImages &images);

    // Uses stored in a blank atlas (use 3 is the hand pair, use 8 is empty).
    static bool storesUse(TileImages::Use use);
};
