// How long the GUI thread is blocked while a whole scripted hand plays at a
// shown 1920 x 1080 table window with animations: the demo's Riichi hand
// against the scripted game server, answered as a player would. The event
// loop never sleeps on its own (no qWait): a 1 ms precise timer ticks, and
// the gaps between its ticks are the stalls a player would see. Prints the
// median, the 99th percentile and the longest gap and how many exceed one
// 60 Hz frame (16 ms) in the hand, the window's first show apart; asserts
// nothing.
//
// Beside the figures, the same measure of a bare Qt program run twice right
// after the hand (this program started again with --bare): a window with a
// view set up like the table's and as many plain tile pixmaps as the table
// shows, shown and then animating a deal and a few discards. Its first show
// is the one gap over 16 ms that a bare program has too.
#include "BareTable.h"
#include "PoolStarts.h"

#include "game/GameModel.h"
#include "game/RulesetInfo.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "scene/CityView.h"
#include "scene/DealStartHandAnimation.h"
#include "scene/DiscardView.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/TileAnimationSet.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/ScoreBoard.h"
#include "tools/peer/PeerProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsItemAnimation>
#include <QGraphicsPixmapItem>
#include <QLabel>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QPainterPath>
#include <QProcess>
#include <QSignalSpy>
#include <QTimeLine>
#include <QTimer>
#include <QtTest>

#include <QDeadlineTimer>
#include <QDir>
#include <QSettings>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// Runs the event loop until the condition holds; it wakes for events only
// (the probe's ticks among them), never for a sleep of its own. The probe
// ticks every millisecond, so the deadline is seen in time.
bool waitFor(const std::function<bool()> &condition, int ms = 60000)
{
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Names the longest events the GUI thread handled, so that a stall can be
// traced to its receiver: the outermost dispatches over 8 ms. Notes the
// first paint, the first show whose stall is counted apart.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    struct Slow
    {
        double at, ms;
        QString what;
    };
    std::vector<Slow> slow;
    QElapsedTimer clock;
    double firstPaintAt = -1;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (m_depth > 0 || !clock.isValid())
            return QApplication::notify(receiver, event);
        ++m_depth;
        QElapsedTimer timer;
        timer.start();
        const int type = event->type();
        if (type == QEvent::Paint && firstPaintAt < 0)
            firstPaintAt = clock.nsecsElapsed() / 1e9;
        const QString name = QString::fromLatin1(receiver->metaObject()->className()) + QLatin1Char('/')
                             + receiver->objectName();
        const bool result = QApplication::notify(receiver, event);
        const double ms = timer.nsecsElapsed() / 1e6;
        --m_depth;
        if (ms > 8.0)
            slow.push_back({clock.elapsed() / 1000.0, ms, QStringLiteral("%1 event %2").arg(name).arg(type)});
        return result;
    }

private:
    int m_depth = 0;
};

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Every gap between ticks of a 1 ms precise timer beyond 1 ms is time the
// GUI thread could not take events. A gap is work on the GUI thread or the
// thread waiting for a core on a busy machine: the thread's own CPU time in
// the gap tells them apart.
class Probe
{
public:
    struct Stall
    {
        double at, ms, cpuMs;
    };

    explicit Probe(TimedApplication &app)
        : m_app(app)
    {
        m_gaps.reserve(200000);
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const double gap = m_sinceTick.nsecsElapsed() / 1e6;
            const double cpu = threadCpuMs();
            m_gaps.push_back(gap);
            const double at = m_app.clock.nsecsElapsed() / 1e9;
            if (m_firstShowMs < 0 && m_app.firstPaintAt >= 0 && m_app.firstPaintAt <= at)
                m_firstShowMs = gap;
            if (gap > 16.0)
                m_stalls.push_back({at, gap, cpu - m_cpuAtTick});
            m_cpuAtTick = cpu;
            m_sinceTick.restart();
        });
    }

    void start()
    {
        m_cpuAtTick = threadCpuMs();
        m_sinceTick.start();
        m_timer.start();
        m_app.clock.start();
    }
    void stop() { m_timer.stop(); }

    // The stall in which the first paint happened (the first show), or none.
    bool isFirstShow(const Stall &s) const
    {
        return m_app.firstPaintAt >= 0 && s.at - s.ms / 1000 <= m_app.firstPaintAt && m_app.firstPaintAt <= s.at;
    }
    // The gap in which the first paint happened, however long.
    double firstShowMs() const { return std::max(m_firstShowMs, 0.0); }
    int stallsBeyondFirstShow() const
    {
        return int(std::count_if(m_stalls.begin(), m_stalls.end(), [this](const Stall &s) { return !isFirstShow(s); }));
    }
    // Stalls beyond the first show in which the GUI thread worked most of
    // the time, rather than waited for a core.
    int ownStallsBeyondFirstShow() const
    {
        return int(std::count_if(m_stalls.begin(), m_stalls.end(),
                                 [this](const Stall &s) { return !isFirstShow(s) && s.cpuMs > s.ms / 2; }));
    }
    std::vector<double> sortedGaps() const
    {
        std::vector<double> g = m_gaps;
        std::sort(g.begin(), g.end());
        return g;
    }
    const std::vector<Stall> &stalls() const { return m_stalls; }

private:
    TimedApplication &m_app;
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    double m_cpuAtTick = 0;
    double m_firstShowMs = -1;
    std::vector<double> m_gaps;
    std::vector<Stall> m_stalls;
};

struct GapFigures
{
    double median = 0, p99 = 0, longest = 0, firstShow = 0;
    int over = 0, overBeyondFirstShow = 0, ownBeyondFirstShow = 0;
    std::size_t ticks = 0;

    static GapFigures of(const Probe &probe)
    {
        GapFigures f;
        const std::vector<double> g = probe.sortedGaps();
        if (g.empty())
            return f;
        f.ticks = g.size();
        f.median = g[g.size() / 2];
        f.p99 = g[g.size() * 99 / 100];
        f.longest = g.back();
        f.over = int(probe.stalls().size());
        f.overBeyondFirstShow = probe.stallsBeyondFirstShow();
        f.ownBeyondFirstShow = probe.ownStallsBeyondFirstShow();
        f.firstShow = probe.firstShowMs();
        return f;
    }
};

int fail(const char *what)
{
    std::fprintf(stderr, "table_hand_benchmark: %s\n", what);
    return 1;
}

QPixmap plainTile(const QSize &size)
{
    QPixmap tile(size);
    tile.fill(Qt::transparent);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(120, 110, 90));
    p.setBrush(QColor(245, 240, 225));
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 3, 3);
    return tile;
}

// The GUI thread's own work (its CPU time) of three steps that one event
// does at once, in ms, the median of several rounds: a hand's deal set going
// (the deal's flights made, the wall emptied of the dealt tiles), a tile
// drawn from the wall and landed (taken, landed and repainted), the own
// discard landed (the tile flown from the hand to the discards, the shade
// filled again where it changed, repainted) and a score board's first layout
// (filled, shown and painted). Beside the discard, the CPU time the other
// threads spent meanwhile: the raster engine's thread pool at work.
struct StepWork
{
    double dealStart = 0, wallDraw = 0, ownDiscard = 0, ownDiscardOthers = 0, ownDiscardPoolStarts = 0, boardLayout = 0;
};

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Lets the scene report its changes and the view repaint them, as the event
// loop does after the event that made them.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

template <typename F>
double ownWork(F &&work)
{
    const double before = threadCpuMs();
    work();
    return threadCpuMs() - before;
}

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

constexpr int StepRounds = 9;

// The three steps at the table window, after its hand: a full wall and
// empty hands before each deal, a scoring like the hand's for the board.
StepWork measureTableSteps(GameWindow *window, const EndHandScoring &scoring, qint32 ownId)
{
    const RulesetInfo &rules = rulesetInfo(window->tableInfo().ruleset());
    const auto fullWall = [&] {
        for (int seat = 0; seat < GameWindow::SeatCount; ++seat)
            window->hiddenHandView(seat)->setTileCount(0);
        for (int slot = 0; slot < DealStartHandAnimation::MaxTiles; ++slot)
            window->setDealSlot(slot, nullptr);
        window->cityView()->setWallState(window->bottomWind(), rules.liveWall(), rules.deadWall(), 9, 0, {});
        settle();
    };
    std::vector<double> deal, draw, discard, others, starts, board;
    for (int round = 0; round < StepRounds; ++round) {
        fullWall();
        {
            DealStartHandAnimation animation(window);
            deal.push_back(ownWork([&] { animation.start(false); }));
            animation.timeLine().stop();
            animation.finish(true);
        }
        fullWall();
        window->hiddenHandView(1)->setTileCount(13);
        settle();
        {
            TileAnimationSet set(&window->tableScene(), window->liveWallSource(), window->hiddenHandView(1), 500, 1);
            draw.push_back(ownWork([&] {
                set.start(false);
                set.finish(false);
                settle();
            }));
        }
        // A full hand and a few discards before, as mid-hand.
        window->handView()->setTiles({0, 1, 2, 9, 10, 11, 18, 19, 20, 27, 27, 28, 28, 31});
        window->discardView(0)->setTiles({33, 32, 8, 17, 26, 3, 12}, -1);
        settle();
        {
            TileAnimationSet set(&window->tableScene(), window->handView(), window->discardView(0), 500,
                                 tile_vector{31});
            const double process = processCpuMs();
            const long startsBefore = poolStarts();
            const double own = ownWork([&] {
                set.start(false);
                set.finish(false);
                settle();
            });
            starts.push_back(double(poolStarts() - startsBefore));
            discard.push_back(own);
            others.push_back(std::max(0.0, processCpuMs() - process - own));
        }
        auto *fresh = new ScoreBoard(window);
        settle();
        board.push_back(ownWork([&] {
            fresh->setScoring(scoring, ownId, window->tableInfo());
            fresh->showDialog(false);
            settle();
        }));
        delete fresh;
        settle();
    }
    return {median(deal), median(draw), median(discard), median(others), median(starts), median(board)};
}

// The same steps in a bare program: the deal's 53 pixmap items made with
// their flights on a time line, a pixmap taken from the wall with a flight
// made and ended and one landed at a seat and repainted, and a plain board of four text columns with the
// same kind of lines filled, shown and painted.
StepWork measureBareSteps(BareTable &bare, const QPixmap &tile)
{
    std::vector<double> deal, draw, board;
    QGraphicsPixmapItem *wallTile = bare.addTile(tile, bare.scene().sceneRect().center(), 10);
    QGraphicsPixmapItem *landed = bare.addTile(tile, QPointF(), 10);
    landed->hide();
    QString lines;
    for (int k = 0; k < 8; ++k)
        lines += QStringLiteral("<p>Scoring line %1 <b>%2</b></p>").arg(k).arg(k * 8);
    for (int round = 0; round < StepRounds; ++round) {
        QTimeLine line(BareDeal::DurationMs);
        std::vector<QGraphicsItemAnimation *> flights;
        deal.push_back(ownWork([&] {
            for (int i = 0; i < BareDeal::Tiles; ++i) {
                auto *flight = new QGraphicsItemAnimation;
                flight->setItem(bare.addTile(tile, QPointF(i, 0), 1000 + i));
                flight->setTimeLine(&line);
                flight->setPosAt(0, QPointF(i, 0));
                flight->setPosAt(1, QPointF(0, i));
                flight->setScaleAt(1, 0.9, 0.9);
                flights.push_back(flight);
            }
            line.start();
        }));
        line.stop();
        for (QGraphicsItemAnimation *flight : flights) {
            delete flight->item();
            delete flight;
        }
        wallTile->show();
        landed->hide();
        settle();
        draw.push_back(ownWork([&] {
            // A flight made and ended at once, as the table's draw makes one.
            QTimeLine flightLine(500);
            QGraphicsItemAnimation flight;
            QGraphicsPixmapItem *flying = bare.addTile(tile, wallTile->pos(), 2000);
            flight.setItem(flying);
            flight.setTimeLine(&flightLine);
            flight.setPosAt(0, wallTile->pos());
            flight.setPosAt(1, QPointF(100, 100 + round));
            flightLine.start();
            wallTile->hide();
            flightLine.stop();
            delete flying;
            landed->setPos(bare.scene().sceneRect().topLeft() + QPointF(100, 100 + round));
            landed->show();
            settle();
        }));
        QWidget *plain = new QWidget(&bare);
        auto *columns = new QHBoxLayout(plain);
        std::vector<QTextEdit *> texts;
        for (int c = 0; c < 4; ++c) {
            auto *column = new QVBoxLayout;
            column->addWidget(new QLabel(QStringLiteral("player %1").arg(c)));
            texts.push_back(new QTextEdit);
            column->addWidget(texts.back());
            columns->addLayout(column);
        }
        plain->hide();
        settle();
        board.push_back(ownWork([&] {
            for (QTextEdit *text : texts)
                text->setHtml(lines);
            plain->resize(900, 600);
            plain->show();
            settle();
        }));
        delete plain;
        settle();
    }
    // A discard lands in the bare program as its wall draw does: one pixmap
    // flown and landed, repainted.
    return {median(deal), median(draw), median(draw), 0.0, 0.0, median(board)};
}

// The bare program: shown, then a deal and six discard flights on 20 ms
// time lines, as the table animates them. Prints one line of figures.
int runBare(TimedApplication &app, const QStringList &arguments)
{
    BareTable::ViewSettings settings;
    if (arguments.size() < 9 || !BareTable::ViewSettings::fromArguments(arguments.mid(0, 6), &settings))
        return fail("--bare takes the view settings, a tile count and a tile size");
    const int tiles = std::clamp(arguments.at(6).toInt(), 0, 1000);
    const QSize tileSize(std::clamp(arguments.at(7).toInt(), 1, 200), std::clamp(arguments.at(8).toInt(), 1, 200));
    const QPixmap tile = plainTile(tileSize);
    BareTable bare(settings, GameWindow::backgroundBrush(settings.viewSize.width(), settings.viewSize.height()),
                   QSize(1920, 1080));
    bare.addTableOfTiles(tile, std::max(0, tiles - BareDeal::Tiles));
    BareDeal deal(bare, tile);
    QGraphicsPixmapItem *discard = bare.addTile(tile, QPointF(), 2000);

    Probe probe(app);
    bare.show();
    probe.start();
    if (!waitFor([&] { return app.firstPaintAt >= 0; }, 10000))
        return fail("the bare window was never painted");
    QTimeLine dealLine(BareDeal::DurationMs);
    dealLine.setUpdateInterval(20);
    QObject::connect(&dealLine, &QTimeLine::valueChanged,
                     [&](qreal v) { deal.setTime(int(v * BareDeal::DurationMs)); });
    QTimer::singleShot(200, &dealLine, [&] { dealLine.start(); });
    if (!waitFor([&] { return dealLine.state() == QTimeLine::NotRunning && dealLine.currentTime() > 0; }, 10000))
        return fail("the bare deal did not end");
    const QRectF area = bare.scene().sceneRect();
    for (int k = 0; k < 6; ++k) {
        QTimeLine flight(500);
        flight.setUpdateInterval(20);
        const QPointF from(area.center().x() + (k - 3) * tileSize.width(), area.bottom() - 2 * tileSize.height());
        QObject::connect(&flight, &QTimeLine::valueChanged,
                         [&](qreal v) { discard->setPos(from + (area.center() - from) * v); });
        flight.start();
        waitFor([&] { return flight.state() == QTimeLine::NotRunning; }, 10000);
        QElapsedTimer pause;
        pause.start();
        waitFor([&] { return pause.elapsed() >= 200; }, 1000);
    }
    probe.stop();
    const GapFigures f = GapFigures::of(probe);
    const StepWork steps = measureBareSteps(bare, tile);
    std::printf("bare %zu %.3f %.3f %.3f %d %d %.3f %d %.3f %.3f %.3f\n", f.ticks, f.median, f.p99, f.longest, f.over,
                f.overBeyondFirstShow, f.firstShow, f.ownBeyondFirstShow, steps.dealStart, steps.wallDraw,
                steps.boardLayout);
    return 0;
}

// The bare program started again, as a program of its own; false when it
// failed.
bool measureBare(const QStringList &arguments, GapFigures *figures, StepWork *steps)
{
    QProcess bare;
    bare.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bare.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--bare")} + arguments);
    if (!bare.waitForFinished(60000) || bare.exitCode() != 0)
        return false;
    const QStringList parts =
        QString::fromLatin1(bare.readAllStandardOutput()).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 12 || parts.at(0) != QLatin1String("bare"))
        return false;
    steps->dealStart = parts.at(9).toDouble();
    steps->wallDraw = parts.at(10).toDouble();
    steps->ownDiscard = steps->wallDraw;
    steps->boardLayout = parts.at(11).toDouble();
    figures->ticks = parts.at(1).toULongLong();
    figures->median = parts.at(2).toDouble();
    figures->p99 = parts.at(3).toDouble();
    figures->longest = parts.at(4).toDouble();
    figures->over = parts.at(5).toInt();
    figures->overBeyondFirstShow = parts.at(6).toInt();
    figures->firstShow = parts.at(7).toDouble();
    figures->ownBeyondFirstShow = parts.at(8).toInt();
    return true;
}

double ratio(double figure, double anchor)
{
    return anchor > 0 ? figure / anchor : 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    TimedApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("mahjong-benchmarks"));
    QCoreApplication::setApplicationName(QStringLiteral("table_hand_benchmark"));
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("textimages"), {QStringLiteral(":/default/textimages")});
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--bare"))
        return runBare(app, arguments.mid(1));

    QSettings().setValue(QStringLiteral("game/animations"), true);
    QSettings().setValue(QStringLiteral("game/sound"), false);
    TileGraphics::instance().setTileSet(0, 0);
    PeerProcess peer;
    if (!peer.start({QStringLiteral("--demo")}))
        return fail("the scripted server did not start");
    PeerProcess::installTestCa();
    ConnectionManager session(true);
    QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
    QObject::connect(&session, &ConnectionManager::versionCheckComplete, &session,
                     [&session] { session.login(QStringLiteral("bench"), QStringLiteral("any")); });
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    if (!loggedIn.wait(10000))
        return fail("no login");
    TableModel tables(&session);
    tables.subscribe(QStringLiteral("101/Practice"));
    if (!waitFor([&] { return tables.hasTable(1002); }, 10000))
        return fail("no lobby");
    QWidget mainWindow;
    GameController controller(&session, nullptr, nullptr, &mainWindow);
    controller.setTableModel(&tables);
    controller.setPlayerId(session.ownPlayerId());
    controller.setPlayerName(QStringLiteral("bench"));
    QSignalSpy askedReady(&session, &ConnectionManager::areYouReady);
    QSignalSpy roundEnded(&session, &ConnectionManager::endOfRound);

    session.join_table(1002, -1);
    if (!waitFor([&] { return controller.view(1002) != nullptr; }, 10000))
        return fail("no table window");
    GameWindow *window = controller.view(1002);
    EndHandScoring scoring;
    if (GameModel *model = controller.model(1002))
        QObject::connect(model, &GameModel::handEndScoring, [&scoring](const EndHandScoring &s) { scoring = s; });
    window->resize(1920, 1080);
    window->show();
    Probe probe(app);
    probe.start();

    // The demo hand: the drawn tile goes out, riichi on the next draw, the
    // win on a discard, Ready at the board.
    if (!waitFor([&] { return window->handView()->isActive(); }))
        return fail("no turn to discard");
    // What the table shows once dealt, for the bare program.
    int tiles = 0;
    for (QGraphicsItem *item : window->tableScene().items())
        if (auto *tile = dynamic_cast<TileView *>(item); tile && tile->isVisible() && tile->use() != TileImages::Unused)
            ++tiles;
    const TileImages *images = TileGraphics::instance().scaledPainter().images();
    const QSize tileSize = images ? images->blank(TileImages::Bottom, TileImages::WallSingle).size() : QSize(40, 60);
    window->onTileClick(5);
    if (!waitFor([&] { return !window->concealedActionDialog()->isHidden(); }))
        return fail("no riichi offer");
    window->onConcealedRiichiSelected();
    window->onTileClick(33);
    if (!waitFor([&] { return window->meldAuction() != nullptr; }))
        return fail("no claim offer");
    window->onMeldSelected(meld_offer(MELD_MAHJONG, 27));
    if (!waitFor([&] { return !window->scoreBoard()->isHidden() && askedReady.size() == 1; }))
        return fail("no score board");
    window->onReadyButtonClick();
    if (!waitFor([&] { return roundEnded.size() == 1; }))
        return fail("no end of round");
    // The last animations and boards, without a sleep.
    const qint64 settled = app.clock.elapsed() + 2000;
    waitFor([&] { return app.clock.elapsed() >= settled; }, 4000);
    probe.stop();
    const double seconds = app.clock.elapsed() / 1000.0;
    const GapFigures hand = GapFigures::of(probe);
    if (hand.ticks == 0)
        return fail("no probe ticks");

    const StepWork steps = measureTableSteps(window, scoring, session.ownPlayerId());
    const QStringList bareArguments = BareTable::ViewSettings::of(*window->graphicsView()).toArguments()
                                      + QStringList{QString::number(tiles), QString::number(tileSize.width()),
                                                    QString::number(tileSize.height())};
    GapFigures bare[2];
    StepWork bareSteps[2];
    for (int i = 0; i < 2; ++i)
        if (!measureBare(bareArguments, &bare[i], &bareSteps[i]))
            return fail("the bare program failed");
    GapFigures anchor;
    anchor.median = (bare[0].median + bare[1].median) / 2;
    anchor.p99 = (bare[0].p99 + bare[1].p99) / 2;
    anchor.longest = (bare[0].longest + bare[1].longest) / 2;
    anchor.firstShow = (bare[0].firstShow + bare[1].firstShow) / 2;

    std::printf("whole hand at 1920x1080: %.1f s, %zu probe ticks (1 ms), %d tiles shown\n", seconds, hand.ticks,
                tiles);
    std::printf("gaps between ticks: median %.2f ms (%.2fx bare), 99th percentile %.2f ms (%.2fx bare), "
                "longest %.2f ms (%.2fx bare)\n",
                hand.median, ratio(hand.median, anchor.median), hand.p99, ratio(hand.p99, anchor.p99), hand.longest,
                ratio(hand.longest, anchor.longest));
    std::printf("gaps over 16 ms in the hand: %d, of them beyond the first show: %d (goal: none), %d of those "
                "mostly the GUI thread's own work; first show %.2f ms (%.2fx bare)\n",
                hand.over, hand.overBeyondFirstShow, hand.ownBeyondFirstShow, hand.firstShow,
                ratio(hand.firstShow, anchor.firstShow));
    for (int i = 0; i < 2; ++i)
        std::printf(
            "  bare Qt program %d, same view settings, %d tile pixmaps, a deal and six flights: median %.2f ms, "
            "99th percentile %.2f ms, longest %.2f ms, %d over 16 ms (%d beyond its first show, %d of those "
            "mostly its own work), first show %.2f ms\n",
            i + 1, tiles, bare[i].median, bare[i].p99, bare[i].longest, bare[i].over, bare[i].overBeyondFirstShow,
            bare[i].ownBeyondFirstShow, bare[i].firstShow);
    const auto bareStep = [&](double StepWork::*field) { return (bareSteps[0].*field + bareSteps[1].*field) / 2; };
    std::printf(
        "GUI thread's own work, medians of %d rounds at the window after the hand (goal: each under 8 ms):\n"
        "  deal set going %.2f ms (%.2fx bare, bare %.2f ms), wall draw landed and repainted %.2f ms "
        "(%.2fx bare, bare %.2f ms), own discard landed and repainted %.2f ms (%.2fx bare, bare %.2f ms; "
        "other threads meanwhile %.2f ms, thread pool started %.0f times, goal: 0 and 0), score board's first layout %.2f ms (%.2fx bare, bare "
        "%.2f ms)\n",
        StepRounds, steps.dealStart, ratio(steps.dealStart, bareStep(&StepWork::dealStart)),
        bareStep(&StepWork::dealStart), steps.wallDraw, ratio(steps.wallDraw, bareStep(&StepWork::wallDraw)),
        bareStep(&StepWork::wallDraw), steps.ownDiscard, ratio(steps.ownDiscard, bareStep(&StepWork::ownDiscard)),
        bareStep(&StepWork::ownDiscard), steps.ownDiscardOthers, steps.ownDiscardPoolStarts, steps.boardLayout,
        ratio(steps.boardLayout, bareStep(&StepWork::boardLayout)), bareStep(&StepWork::boardLayout));
    std::printf("thread pool started %ld times in the whole run\n", poolStarts());
    for (const Probe::Stall &stall : probe.stalls())
        std::printf("  %.2f ms at %.2f s, %.2f ms of it on the GUI thread's CPU%s\n", stall.ms, stall.at, stall.cpuMs,
                    probe.isFirstShow(stall) ? " (first show)" : "");
    std::printf("events that took over 8 ms:\n");
    for (const auto &event : app.slow)
        std::printf("  %.2f ms at %.2f s: %s\n", event.ms, event.at, qPrintable(event.what));
    QSettings().clear();
    return 0;
}
