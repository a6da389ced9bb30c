// Nothing stays on the cloth: the scripted server's Riichi hand played with
// animations in a shown table window, answered as a player would, at
// 1024x768 and 1920x1080, and once resized in the middle of the hand. Each
// time the window is idle, what its view last put on the screen (repainted
// only where items changed) must equal the window drawn afresh: a tile that
// painted outside its area, or a shadow left where a group no longer lies,
// stays in the first and not in the second. The countdowns are left out (a
// clock redraws them), and so is what differs no more once the window has
// painted what it had pending.
// TABLE_FELT_FRAMES=dir saves each compared frame (and its difference, if
// any) to look at.

#include "DemoPeerLogin.h"
#include "QuietTableSettings.h"

#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HandTile.h"
#include "scene/HandView.h"
#include "scene/SceneItem.h"
#include "scene/TileGraphics.h"
#include "scene/TimerView.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/ScoreBoard.h"
#include "tools/peer/PeerProcess.h"

#include <QApplication>
#include <QDir>
#include <QGraphicsView>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

namespace {

// What the window's view shows now, as last painted and as drawn afresh;
// the pixels that differ clearly, leaving out what a clock draws (the
// countdowns change between the two pictures).
struct Frame
{
    QImage shown, fresh;
    std::vector<bool> differs;
    int wrong = 0;
};

Frame compareFrame(GameWindow *window)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    Frame f;
    const QRect area = window->graphicsView()->geometry();
    f.shown = window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32).copy(area);
    f.fresh = window->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    if (f.shown.size() != f.fresh.size())
        return f.wrong = -1, f;
    QRegion clocks;
    for (const TimerView *timer : window->findChildren<TimerView *>()) {
        if (timer->isVisible())
            clocks += QRect(timer->mapTo(window, QPoint()), timer->size()).translated(-area.topLeft());
    }
    f.differs.assign(size_t(f.fresh.width()) * size_t(f.fresh.height()), false);
    for (int y = 0; y < f.fresh.height(); ++y)
        for (int x = 0; x < f.fresh.width(); ++x) {
            const QRgb a = f.shown.pixel(x, y), b = f.fresh.pixel(x, y);
            if (std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))}) > 24
                && !clocks.contains(QPoint(x, y))) {
                f.differs[size_t(y) * size_t(f.fresh.width()) + size_t(x)] = true;
                ++f.wrong;
            }
        }
    return f;
}

// Only what is still wrong after the window has painted what it had to:
// on a busy machine a part just shown (a board's new row) may wait for its
// first paint; a leftover stays.
Frame settledFrame(GameWindow *window, const std::function<bool()> &busy)
{
    Frame first = compareFrame(window);
    if (first.wrong <= 0)
        return first;
    QTest::qWait(100);
    if (busy())
        return Frame{};
    Frame again = compareFrame(window);
    if (again.wrong <= 0 || again.differs.size() != first.differs.size())
        return again;
    again.wrong = 0;
    for (size_t i = 0; i < again.differs.size(); ++i)
        again.wrong += again.differs[i] && first.differs[i];
    return again;
}

// The table's scene as drawn (the shade copied from its kept picture) and
// with the shade filled afresh from every group's shadow as it is now: a
// shadow kept where no group casts one any more shows in the first only.
int shadeLeftovers(GameWindow *window, QImage *drawn, QImage *fresh)
{
    GameGraphicsScene &scene = window->tableScene();
    // What the view shows: the scene's own rectangle grows with every item
    // ever placed, to fractions of a pixel, and would draw it scaled.
    const QRectF area = window->graphicsView()->sceneRect();
    *drawn = QImage(area.size().toSize(), QImage::Format_RGB32);
    *fresh = QImage(area.size().toSize(), QImage::Format_RGB32);
    {
        QPainter p(drawn);
        scene.render(&p, QRectF(drawn->rect()), area);
    }
    QGraphicsItem *layer = nullptr;
    QList<QGraphicsItem *> casters;
    for (QGraphicsItem *item : scene.items()) {
        if (item->type() == SceneItem::ShadowLayerType)
            layer = item;
        else if (item->isVisible())
            casters << item;
    }
    const QBrush cloth = scene.backgroundBrush();
    {
        QPainter p(fresh);
        p.fillRect(fresh->rect(), cloth);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-area.topLeft());
        GameGraphicsScene::drawShadows(&p, casters);
        p.resetTransform();
        scene.setBackgroundBrush(Qt::NoBrush);
        if (layer)
            layer->hide();
        scene.render(&p, QRectF(fresh->rect()), area);
        if (layer)
            layer->show();
        scene.setBackgroundBrush(cloth);
    }
    int wrong = 0;
    for (int y = 0; y < fresh->height(); ++y)
        for (int x = 0; x < fresh->width(); ++x) {
            const QRgb a = drawn->pixel(x, y), b = fresh->pixel(x, y);
            // The shade darkens the dark cloth by a few steps only.
            wrong += std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))}) > 3;
        }
    return wrong;
}

} // namespace

class TstTableFelt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        useQuietTableSettings(QStringLiteral("tst_tablefelt"));
        QSettings().setValue(QStringLiteral("game/animations"), true);
        TileGraphics::instance().setTileSet(0, 0);
    }

    void cleanupTestCase() { QSettings().clear(); }

    void nothingStaysOnTheCloth_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("resizedTo");
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize();
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize();
        QTest::newRow("1600x900") << QSize(1600, 900) << QSize();
        QTest::newRow("1024x768 resized to 1600x1000") << QSize(1024, 768) << QSize(1600, 1000);
        // The riichi discard below is the hand's rightmost tile.
        QTest::newRow("1024x768 resized to 1920x1080") << QSize(1024, 768) << QSize(1920, 1080);
    }

    void nothingStaysOnTheCloth()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, resizedTo);
        // A server of its own: the demo plays its hand once per player.
        PeerProcess peer;
        QVERIFY(peer.start({QStringLiteral("--demo")}));
        PeerProcess::installTestCa();
        ConnectionManager session(true);
        TableModel tables(&session);
        QVERIFY(logInAtDemoPeer(session, peer.port(), tables));
        QWidget mainWindow;
        GameController controller(&session, nullptr, nullptr, &mainWindow);
        controller.setTableModel(&tables);
        controller.setPlayerId(session.ownPlayerId());
        controller.setPlayerName(QStringLiteral("player"));
        QSignalSpy askedReady(&session, &ConnectionManager::areYouReady);
        session.join_table(1002, -1);
        QVERIFY(QTest::qWaitFor([&] { return controller.view(1002) != nullptr; }, 10000));
        GameWindow *window = controller.view(1002);
        window->resize(size);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        const QString frames = qEnvironmentVariable("TABLE_FELT_FRAMES");
        if (!frames.isEmpty())
            QDir().mkpath(frames);
        int compared = 0, worst = 0;
        QString worstAt;
        // Compared whenever nothing is in flight, while waiting for the
        // next step of the hand.
        const auto waitComparing = [&](const std::function<bool()> &done) {
            QElapsedTimer clock;
            clock.start();
            while (!done()) {
                if (clock.elapsed() > 60000)
                    return false;
                QTest::qWait(40);
                const auto busy = [window] {
                    return window->actionQueue().isBusy() || TileGraphics::instance().hasWorker();
                };
                if (busy())
                    continue;
                Frame f = settledFrame(window, busy);
                if (f.shown.isNull())
                    continue;
                QImage drawn, fresh;
                if (f.wrong == 0 && (f.wrong = shadeLeftovers(window, &drawn, &fresh)) != 0) {
                    f.shown = drawn;
                    f.fresh = fresh;
                }
                const QString name =
                    QStringLiteral("%1-%2").arg(QTest::currentDataTag()).arg(compared, 3, 10, QLatin1Char('0'));
                if (!frames.isEmpty()) {
                    f.shown.save(QStringLiteral("%1/%2.png").arg(frames, name));
                    if (f.wrong != 0)
                        f.fresh.save(QStringLiteral("%1/%2-fresh.png").arg(frames, name));
                }
                ++compared;
                if (f.wrong != 0 && (f.wrong < 0 || f.wrong > worst)) {
                    worst = f.wrong < 0 ? INT_MAX : f.wrong;
                    worstAt = name;
                }
            }
            return true;
        };

        QVERIFY(waitComparing([&] { return window->handView()->isActive(); }));
        if (resizedTo.isValid()) {
            window->resize(resizedTo);
            QVERIFY(waitComparing([&] { return !TileGraphics::instance().hasWorker(); }));
        }
        window->onTileClick(5);
        QVERIFY(waitComparing([&] { return !window->concealedActionDialog()->isHidden(); }));
        window->onConcealedRiichiSelected();
        // The riichi tile is the rightmost: the player points at it (it
        // lifts) and presses it.
        const HandTile *rightmost = window->handView()->tileItems().front();
        QCOMPARE(rightmost->getTile(), tile(33));
        QGraphicsView *view = window->graphicsView();
        const QPoint at = view->mapFromScene(rightmost->sceneBoundingRect().center());
        QTest::mouseMove(view->viewport(), at);
        QTRY_VERIFY(rightmost->transform().dy() < 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(waitComparing([&] { return window->meldAuction() != nullptr; }));
        window->onMeldSelected(meld_offer(MELD_MAHJONG, 27));
        QVERIFY(waitComparing([&] { return !window->scoreBoard()->isHidden() && askedReady.size() == 1; }));
        window->scoreBoard()->hide();
        QElapsedTimer settle;
        settle.start();
        QVERIFY(waitComparing([&] { return settle.elapsed() > 1500; }));
        QVERIFY2(compared >= 8, qPrintable(QStringLiteral("%1 frames compared").arg(compared)));
        QVERIFY2(
            worst == 0,
            qPrintable(
                QStringLiteral("%1 pixels left on the cloth in frame %2 of %3").arg(worst).arg(worstAt).arg(compared)));
    }
};

QTEST_MAIN(TstTableFelt)
#include "tst_tablefelt.moc"
