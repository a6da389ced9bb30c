// Art tool for the tile sets.
//
//   mahjong_tileart raster DRAWING.svg OUT.png
//   mahjong_tileart blank-atlas BLANK.svg FACE.svg HIGHLIGHT.png OUT.png
//   mahjong_tileart face-atlas FACE.svg BLANK.svg HIGHLIGHT.png OUT.png
//   mahjong_tileart sheet OUT_DIR [RESOURCE_DIR] [SCALE]
//
// "sheet" draws one picture per face set: every face on every back, then the
// other pictures (hand, face down, turned, standing, wall stacks, dora) of
// each back, for each side. RESOURCE_DIR (default: the embedded sets) lets
// freshly generated files be viewed without rebuilding.

#include "scene/TileAtlas.h"
#include "scene/TileGraphics.h"
#include "scene/TileImages.h"
#include "scene/TilePainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <memory>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: mahjong_tileart raster|blank-atlas|face-atlas|sheet ...\n");
    return 2;
}

bool save(const QImage &img, const QString &path)
{
    if (img.isNull() || !img.save(path, "PNG", 9)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int raster(const QString &in, const QString &out)
{
    QSvgRenderer r(in);
    if (!r.isValid())
        return 1;
    QImage img(r.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    r.render(&p);
    p.end();
    return save(img, out) ? 0 : 1;
}

int atlas(bool blank, const QString &first, const QString &second, const QString &highlight, const QString &out)
{
    const double factor = blank ? TileAtlas::BlankFactor : TileAtlas::FaceFactor;
    const TileImages images(blank ? first : second, blank ? second : first, highlight, factor);
    if (!images.isValid()) {
        std::fprintf(stderr, "%s\n", qPrintable(images.errorString()));
        return 1;
    }
    return save(blank ? TileAtlas::makeBlankAtlas(images) : TileAtlas::makeFaceAtlas(images), out) ? 0 : 1;
}

void label(QPainter &p, int x, int y, const QString &text)
{
    p.setPen(QColor(230, 230, 220));
    p.drawText(x, y, text);
}

int sheet(const QString &outDir, double scale)
{
    const auto blanks = TileGraphics::blankChoices();
    const auto faces = TileGraphics::faceChoices();
    int status = 0;
    for (int f = 0; f < faces.size(); ++f) {
        std::vector<std::unique_ptr<TilePainter>> painters;
        for (const auto &b : blanks) {
            auto painter = std::make_unique<TilePainter>();
            auto *images = new TileImages(b.second, faces[f].second,
                                          QStringLiteral("resources:/tile-highlights-red.png"), scale);
            if (!images->isValid()) {
                std::fprintf(stderr, "%s\n", qPrintable(images->errorString()));
                status = 1;
            }
            painter->setImages(images);
            painters.push_back(std::move(painter));
        }
        const TileImages &ref = *painters.front()->images();
        const TileMetrics up = ref.metrics(TileImages::Bottom, TileImages::Declared);
        const TileMetrics hand = ref.metrics(TileImages::Bottom, TileImages::Hand);
        const int perRow = 21;
        const int cellW = up.width + 2;
        const int cellH = up.height + up.depth + 4;
        const int rowH = qRound(90 * scale);
        const int sectionH = 24 + 2 * cellH + rowH + 12;
        // The row of other pictures is wider than the faces at some scales.
        int picturesW = 3 * hand.width + 2 + 2 + 12;
        for (const TileImages::Side side : TileImages::Sides) {
            for (const TileImages::Use use :
                 {TileImages::Declared, TileImages::DeclaredFaceDown, TileImages::DeclaredTurned, TileImages::Hidden,
                  TileImages::WallSingle, TileImages::WallDouble, TileImages::WallTriple, TileImages::WallDora})
                picturesW += ref.metrics(side, use).width + 3;
            picturesW += 10;
        }
        const int width = 16 + qMax(perRow * cellW, picturesW) + 16;
        QImage img(width, 16 + blanks.size() * sectionH, QImage::Format_ARGB32_Premultiplied);
        img.fill(QColor(28, 92, 64));
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        for (int bi = 0; bi < blanks.size(); ++bi) {
            const TilePainter &tp = *painters[bi];
            const int top = 16 + bi * sectionH;
            label(p, 16, top + 14, blanks[bi].first + QStringLiteral(" + ") + faces[f].first);
            for (int t = 0; t < TileImages::TileCount; ++t) {
                const QPoint pos(16 + (t % perRow) * cellW, top + 22 + (t / perRow) * cellH);
                tp.drawTile(p, pos, t, TileImages::Bottom, false);
            }
            int x = 16;
            const int y = top + 22 + 2 * cellH + 4;
            // hand: plain, highlighted, disabled
            tp.drawHandTile(p, QPoint(x, y), 22, false, true);
            x += hand.width + 2;
            tp.drawHandTile(p, QPoint(x, y), 31, true, true);
            x += hand.width + 2;
            tp.drawHandTile(p, QPoint(x, y), 5, false, false);
            x += hand.width + 12;
            for (const TileImages::Side side : TileImages::Sides) {
                const TileImages &im = *tp.images();
                auto advance = [&](TileImages::Use use) { x += im.metrics(side, use).width + 3; };
                tp.drawTile(p, QPoint(x, y), 13, side, side == TileImages::Top);
                advance(TileImages::Declared);
                tp.drawFaceDown(p, QPoint(x, y), side);
                advance(TileImages::DeclaredFaceDown);
                tp.drawTurnedTile(p, QPoint(x, y), 28, side);
                advance(TileImages::DeclaredTurned);
                tp.drawBlank(p, QPoint(x, y), side);
                advance(TileImages::Hidden);
                for (int k = 0; k < 3; ++k) {
                    tp.drawWallStack(p, QPoint(x, y), side, k);
                    advance(TileImages::Use(TileImages::WallSingle + k));
                }
                tp.drawWallDora(p, QPoint(x, y), 36, side);
                advance(TileImages::WallDora);
                x += 10;
            }
        }
        p.end();
        const QString name = QStringLiteral("%1/tileset-sheet-%2.png").arg(outDir).arg(f);
        if (!save(img, name))
            status = 1;
        else
            std::printf("%s\n", qPrintable(name));
    }
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString mode = args.at(0);
    if (mode == QLatin1String("raster") && args.size() == 3)
        return raster(args.at(1), args.at(2));
    if ((mode == QLatin1String("blank-atlas") || mode == QLatin1String("face-atlas")) && args.size() == 5)
        return atlas(mode == QLatin1String("blank-atlas"), args.at(1), args.at(2), args.at(3), args.at(4));
    if (mode == QLatin1String("sheet") && args.size() >= 2) {
        QStringList paths;
        if (args.size() >= 3 && !args.at(2).isEmpty())
            paths << QDir(args.at(2)).absolutePath();
        paths << QStringLiteral(":/default");
        QDir::setSearchPaths(QStringLiteral("resources"), paths);
        QDir().mkpath(args.at(1));
        return sheet(args.at(1), args.size() >= 4 ? args.at(3).toDouble() : 2.0);
    }
    return usage();
}
