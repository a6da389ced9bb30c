// Reports how long a tile set takes to render at a game scale, to load from
// the cache, and to scale from the base set (what the table shows while the
// worker renders). Timings are printed, never asserted.

#include "TileTestSupport.h"

#include "scene/TileGraphics.h"
#include "scene/TileImages.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {
double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tiletest::useEmbeddedResources();
    QTemporaryDir cwd;
    QDir::setCurrent(cwd.path());
    const double scale = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 1.25;
    const QString highlight = QStringLiteral("resources:/tile-highlights-red.png");

    std::printf("tile set                                   render ms  cache ms  ratio  base-scaling ms\n");
    for (const auto &[blank, face] : {std::pair{0, 0}, std::pair{3, 4}, std::pair{4, 3}}) {
        const QString b = TileGraphics::blankChoices().at(blank).second;
        const QString f = TileGraphics::faceChoices().at(face).second;
        const double render = medianMs(3, [&] { TileImages images(b, f, highlight, scale); });
        // Make sure the cache file exists, then time the lookup that reads it.
        QDir(tileSetCacheDirectory()).removeRecursively();
        delete loadOrRenderTileImages(b, f, scale);
        const double load = medianMs(5, [&] { delete loadOrRenderTileImages(b, f, scale); });
        const TileImages base(b, f, highlight, 1.0);
        const double scaled = medianMs(5, [&] { TileImages images(base, scale); });
        std::printf("%-42s %9.1f %9.1f %6.1f %16.1f\n",
                    qPrintable(QFileInfo(b).fileName() + QLatin1Char('+') + QFileInfo(f).fileName()), render, load,
                    render / load, scaled);
    }
    std::printf("scale %.5f; render = TileImages from the drawings, cache = loadOrRenderTileImages with a fresh "
                "cache file\n",
                scale);
    return 0;
}
