#include "scene/TileAtlas.h"

#include "scene/TileImages.h"

#include <QPainter>

namespace {
constexpr int Gap = 4;
constexpr int FaceColumns = 7;

QSize pictureSize(const TileMetrics &m)
{
    return QSize(m.width, m.height + m.depth);
}

int rowHeight()
{
    int h = 0;
    for (const TileImages::Side side : TileImages::Sides)
        for (const TileImages::Use use : TileImages::Uses)
            if (TileAtlas::storesUse(use))
                h = qMax(h, pictureSize(TileImages::renderedMetrics(side, use, TileAtlas::BlankFactor)).height());
    return h;
}
} // namespace

bool TileAtlas::storesUse(TileImages::Use use)
{
    return use != TileImages::Hand && use != TileImages::Unused;
}

QRect TileAtlas::handRect(int highlighted)
{
    const QSize s = pictureSize(TileImages::renderedMetrics(TileImages::Bottom, TileImages::Hand, BlankFactor));
    return QRect(QPoint(highlighted ? s.width() + Gap : 0, 0), s);
}

QRect TileAtlas::blankRect(TileImages::Side side, TileImages::Use use)
{
    if (!storesUse(use) || side < 0 || side >= TileImages::SideCount)
        return QRect();
    const int y = handRect(0).height() + Gap + side * (rowHeight() + Gap);
    int x = 0;
    for (const TileImages::Use u : TileImages::Uses)
        if (u < use && storesUse(u))
            x += pictureSize(TileImages::renderedMetrics(side, u, BlankFactor)).width() + Gap;
    return QRect(QPoint(x, y), pictureSize(TileImages::renderedMetrics(side, use, BlankFactor)));
}

QRect TileAtlas::faceRect(int tile)
{
    const TileMetrics m = TileImages::renderedMetrics(TileImages::Bottom, TileImages::Declared, FaceFactor);
    const int col = tile % FaceColumns;
    const int row = tile / FaceColumns;
    return QRect(col * (m.width + Gap), row * (m.height + Gap), m.width, m.height);
}

QSize TileAtlas::blankAtlasSize()
{
    QRect all = handRect(0) | handRect(1);
    for (const TileImages::Side side : TileImages::Sides)
        for (const TileImages::Use use : TileImages::Uses)
            if (storesUse(use))
                all |= blankRect(side, use);
    return QSize(all.right() + 1, all.bottom() + 1);
}

QSize TileAtlas::faceAtlasSize()
{
    const QRect last = faceRect(TileImages::TileCount - 1);
    const QRect first = faceRect(0);
    return QSize((first.width() + Gap) * FaceColumns - Gap, last.bottom() + 1);
}

QImage TileAtlas::makeBlankAtlas(const TileImages &images)
{
    QImage atlas(blankAtlasSize(), QImage::Format_ARGB32_Premultiplied);
    atlas.fill(Qt::transparent);
    QPainter p(&atlas);
    p.drawImage(handRect(0).topLeft(), images.handImage(false));
    p.drawImage(handRect(1).topLeft(), images.handImage(true));
    for (const TileImages::Side side : TileImages::Sides)
        for (const TileImages::Use use : TileImages::Uses)
            if (storesUse(use))
                p.drawImage(blankRect(side, use).topLeft(), images.blank(side, use));
    p.end();
    return atlas;
}

QImage TileAtlas::makeFaceAtlas(const TileImages &images)
{
    QImage atlas(faceAtlasSize(), QImage::Format_ARGB32_Premultiplied);
    atlas.fill(Qt::transparent);
    QPainter p(&atlas);
    for (int t = 0; t < TileImages::TileCount; ++t)
        p.drawImage(faceRect(t).topLeft(), images.face(TileImages::Bottom, t));
    p.end();
    return atlas;
}
