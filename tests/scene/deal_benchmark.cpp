// How long one frame of the busiest table animation takes to draw: the
// four-player deal on a 1920 x 1080 scene, drawn by the software raster
// engine into an image, at the game scale such a window uses, with the full
// square wall of a Classic table. Prints ms per frame over the deal's 75
// frames, beside the same drawing by a bare Qt scene measured in the same
// run, frames interleaved (one plain pixmap item per tile at the table's
// places, the flying ones moved where the table's are); asserts nothing.
// The scene's share only: no window, no render hints, no hand tray, no
// update processing; the frame a player gets is measured by
// table_gamewindow_benchmark.
//   table_deal_benchmark [ROUNDS]
// DEAL_BENCHMARK_FRAME=file.png saves the middle frame to look at.

#include "TileTestSupport.h"

#include "scene/AnimationHost.h"
#include "scene/DealStartHandAnimation.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HiddenHandView.h"
#include "scene/SquareCityView.h"
#include "scene/TileAnimation.h"
#include "protocol/TableInfo.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsPixmapItem>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr QSize SceneSize(1920, 1080);
const QPointF Centre(960, 540);

class Host : public AnimationHost
{
public:
    Host()
    {
        scene.setSceneRect(QRectF(QPointF(0, 0), QSizeF(SceneSize)));
        // The felt the table window lays under the scene.
        scene.setBackgroundBrush(QPixmap(qEnvironmentVariable("MAHJONG_SOURCE_DIR", QStringLiteral(MAHJONG_SOURCE_DIR))
                                         + QStringLiteral("/resources/game-bg-pattern.jpg")));
        const QPointF seats[4] = {Centre + QPointF(250, 420), Centre + QPointF(560, -250), Centre + QPointF(-250, -440),
                                  Centre + QPointF(-560, 280)};
        for (int i = 0; i < 4; ++i) {
            hands[i] = new HiddenHandView(TileImages::Side(i));
            scene.addItem(hands[i]);
            hands[i]->setPos(seats[i]);
            hands[i]->setLightPosition(Centre);
        }
        TableInfo info(1, QStringLiteral("101"));
        info.setRuleset(0);
        city.setTableInfo(info);
        city.setWallState(0, info.liveWallTiles(), info.deadWallTiles(), 5, 0, {});
        city.layoutWalls((Centre - QPointF(city.width() / 2.0, city.boundingRect().height() / 2.0)).toPoint());
        city.setLightPosition(Centre);
    }

    GameGraphicsScene scene;
    SquareCityView city{&scene};
    std::array<HiddenHandView *, 4> hands{};
    std::array<std::unique_ptr<TileAnimation>, DealSlotCount> dealSlots;

    QGraphicsScene *animationScene() override { return &scene; }
    bool isShownOnScreen() const override { return false; }
    void playSound(int) override {}
    QPointF windPosition(int) const override { return Centre; }
    int bottomWind() const override { return 0; }
    int seatedPlayers() const override { return 4; }
    TileAnimationSource *liveWallSource() override { return city.animationSource(false); }
    HiddenHandView *hiddenHand(int position) override { return hands[position]; }
    void setDealSlot(int index, TileAnimation *animation) override { dealSlots.at(index).reset(animation); }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tiletest::useEmbeddedResources();
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    TileGraphics &graphics = TileGraphics::instance();
    graphics.setTileSet(0, 0);
    graphics.setGameScale(1.40625); // a 1920 x 1080 table window
    while (graphics.hasWorker())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    QImage frame(SceneSize, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times, bareTimes;
    const auto render = [&frame](QGraphicsScene &scene) {
        QElapsedTimer t;
        t.start();
        QPainter p(&frame);
        scene.render(&p, QRectF(), scene.sceneRect());
        p.end();
        return t.nsecsElapsed() / 1e6;
    };
    for (int round = 0; round < rounds; ++round) {
        Host host;
        DealStartHandAnimation deal(&host);
        deal.start(false);
        deal.timeLine().stop(); // stepped by hand below, frame by frame

        // The bare scene: the same cloth, one plain pixmap per tile the
        // table shows, where it shows it.
        QGraphicsScene bare;
        bare.setSceneRect(host.scene.sceneRect());
        bare.setBackgroundBrush(host.scene.backgroundBrush());
        std::map<const TileView *, QGraphicsPixmapItem *> twins;
        for (QGraphicsItem *item : host.scene.items(Qt::AscendingOrder)) {
            const auto *tile = dynamic_cast<const TileView *>(item);
            const TileImages *images = tile ? tile->tilePainter().images() : nullptr;
            if (!images || !tile->isVisible() || tile->use() == TileImages::Unused)
                continue;
            QGraphicsPixmapItem *twin = bare.addPixmap(QPixmap::fromImage(images->blank(tile->side(), tile->use())));
            twin->setPos(tile->sceneBoundingRect().topLeft());
            twin->setZValue(double(twins.size()));
            twins[tile] = twin;
        }

        const int frames = DealStartHandAnimation::DurationMs / GameWindowAnimation::TickMs;
        for (int f = 0; f <= frames; ++f) {
            deal.timeLine().setCurrentTime(f * GameWindowAnimation::TickMs);
            for (const auto &[tile, twin] : twins)
                if (!tile->parentItem())
                    twin->setPos(tile->sceneBoundingRect().topLeft());
            bareTimes.push_back(render(bare));
            times.push_back(render(host.scene));
            if (round == 0 && f == frames / 2 && qEnvironmentVariableIsSet("DEAL_BENCHMARK_FRAME"))
                frame.save(qEnvironmentVariable("DEAL_BENCHMARK_FRAME"));
        }
    }
    const auto summary = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        double sum = 0;
        for (const double t : v)
            sum += t;
        struct
        {
            double mean, median, p90, max;
        } s{sum / v.size(), v[v.size() / 2], v[v.size() * 9 / 10], v.back()};
        return s;
    };
    const auto t = summary(times), b = summary(bareTimes);
    std::printf("four-player deal, 1920x1080, raster, scale %.5f: %zu frames\n", graphics.gameScale(), times.size());
    std::printf("ms per frame: mean %.2f (%.1fx bare)  median %.2f (%.1fx bare)  90th percentile %.2f (%.1fx bare)  "
                "max %.2f\n",
                t.mean, t.mean / b.mean, t.median, t.median / b.median, t.p90, t.p90 / b.p90, t.max);
    std::printf("  bare Qt scene, one plain pixmap per tile: mean %.2f  median %.2f  90th percentile %.2f  max %.2f\n",
                b.mean, b.median, b.p90, b.max);
    return 0;
}
