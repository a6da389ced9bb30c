// The table window against a table model fed with the server's records.

#include "QuietTableSettings.h"
#include "game/GameModel.h"
#include "protocol/ServerError.h"
#include "scene/CompactCityView.h"
#include "scene/DeclaredView.h"
#include "scene/DiscardView.h"
#include "scene/HandView.h"
#include "scene/HandTile.h"
#include "scene/HiddenHandView.h"
#include "scene/MeldView.h"
#include "scene/SquareCityView.h"
#include "scene/TileGraphics.h"
#include "scene/WindView.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/MeldAuction.h"
#include "table/MeldChoice.h"
#include "table/PlayerWidget.h"
#include "table/ScoreBoard.h"
#include "scene/PlayerActionView.h"
#include "scene/TileView.h"
#include "scene/TimerView.h"
#include "table/PlayerInactiveWindow.h"
#include "table/RoundScoreBoard.h"
#include "table/RoundScoreWidget.h"
#include "table/SideBar.h"
#include "table/WashoutWindow.h"

#include <QDir>
#include <QAbstractButton>
#include <QGraphicsView>
#include <QLabel>
#include <QTextBrowser>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const qint32 TABLE = 7, OWN = 100, P1 = 101, P2 = 102, P3 = 103;

PlayerData player(qint32 id, int wind, int hidden = 13)
{
    PlayerData p(id, QStringLiteral("player%1").arg(id));
    p.setWind(wind);
    p.setHiddenTiles(hidden);
    p.setSeated(true);
    return p;
}

TableInfo tableInfo(int ruleset = 2)
{
    TableInfo info(TABLE, QStringLiteral("101/Practice"));
    info.setRuleset(ruleset);
    info.setGameType(2);
    info.setCapacity(4);
    return info;
}

// The connections the table controller makes between a model and its window.
void wire(GameModel *m, GameWindow *w)
{
    GameController::connectModelToWindow(m, w);
}

QString notices(const GameWindow &window)
{
    const auto *log = window.sideBar()->findChild<QTextBrowser *>(QStringLiteral("chatOutput"));
    return log ? log->toPlainText() : QString();
}

// A Riichi hand in play, the local player south, P1 (east) last discarded.
struct Table
{
    GameModel model{TABLE, tableInfo(), OWN, QStringLiteral("me")};
    GameWindow window{nullptr, OWN};

    Table()
    {
        wire(&model, &window);
        TableState state;
        state.playerId = OWN;
        state.lastDiscarder = P1;
        WallState wall;
        wall.liveTiles = 60;
        wall.deadWallTiles = 14;
        wall.deadWallPosition = 4;
        PlayerData east = player(P1, 0);
        east.setDiscards({4}, -1);
        model.markJoined();
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE,
                         {east, player(OWN, 1, 0), player(P2, 2), player(P3, 3)}, state, wall);
        model.onPrivatePlayerData(PrivatePlayerData{{1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32}, true, false});
        window.setModel(&model);
    }
};

TimeSpan window(int ms)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return TimeSpan(now, now.addMSecs(ms));
}

// The deal's backs and tiles still in flight: scene items of no view.
int looseTiles(GameWindow &w)
{
    int n = 0;
    for (QGraphicsItem *item : w.tableScene().items())
        n += (!item->parentItem() && item->isVisible() && dynamic_cast<TileView *>(item)) ? 1 : 0;
    return n;
}

// Clicks the panel's button for the offer if the panel still stands, else
// answers as its button would.
void clickOffer(GameWindow &w, QPointer<MeldAuction> panel, const meld_offer &offer)
{
    if (panel) {
        for (MeldChoice *row : panel->findChildren<MeldChoice *>()) {
            if (row->offer() == offer) {
                row->findChild<QAbstractButton *>(QStringLiteral("meldChoiceButton"))->click();
                return;
            }
        }
        if (offer.meldType == 16) {
            panel->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"))->click();
            return;
        }
    }
    w.onMeldSelected(offer.meldType == 16 ? meld_offer(16, 0) : offer);
}

} // namespace

using GameWindowCall = void (GameWindow::*)(qint32, qint32, tile);
Q_DECLARE_METATYPE(GameWindowCall)

class TestGameWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        useQuietTableSettings(QStringLiteral("tst_gamewindow"));
        TileGraphics::instance().setTileSet(0, 0);
    }

    void cleanupTestCase()
    {
        QSettings().clear();
        // A scale change renders the tiles on a worker thread; the
        // application must not end under it.
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 20000);
    }

    void seatsFollowTheWinds()
    {
        Table t;
        QCOMPARE(t.window.seatPlayerId(0), OWN);
        QCOMPARE(t.window.seatPlayerId(1), P2);
        QCOMPARE(t.window.seatPlayerId(2), P3);
        QCOMPARE(t.window.seatPlayerId(3), P1);
        QCOMPARE(t.window.hiddenHandView(1)->tileCount(), 13);
        QCOMPARE(t.window.discardView(3)->tileItems().size(), size_t(1));
        QCOMPARE(t.window.handView()->tiles().size(), size_t(13));
        QCOMPARE(t.window.sideBar()->seatOrder().size(), 4);
        QVERIFY_THROWS_EXCEPTION(server_error, t.window.seatOf(999));

        // The model's reset frees its records: the seats forget the ids.
        t.window.reset();
        for (int seat = 0; seat < GameWindow::SeatCount; ++seat)
            QCOMPARE(t.window.seatPlayerId(seat), -1);
    }

    void watcherSeesEastAtTheBottom()
    {
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        GameWindow window(nullptr, OWN);
        wire(&model, &window);
        window.setModel(&model);
        model.onWatching(true);
        TableState state;
        state.playerId = P1;
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE, {player(P1, 1), player(P2, 0), player(P3, 2)},
                         state, WallState{});
        QCOMPARE(window.seatPlayerId(0), P2);
        QCOMPARE(window.seatPlayerId(1), P1);
        QCOMPARE(window.seatPlayerId(2), P3);
        QCOMPARE(window.seatPlayerId(3), -1);
        QCOMPARE(window.hiddenHandView(0)->tileCount(), 13);
        QVERIFY(window.handView()->tiles().empty());
    }

    void setModelAnnouncesPlayers()
    {
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        model.onPlayerJoined(player(P1, 0));
        model.onPlayerJoined(player(P2, 1));
        model.onPlayerJoined(player(P3, 2));
        GameWindow window(nullptr, OWN);
        QSignalSpy added(&window, &GameWindow::playerAdded);
        window.setModel(&model);
        QCOMPARE(added.count(), 3);
        QCOMPARE(window.sideBar()->seatOrder().size(), 3);
    }

    void discardByClickIsShownOnce()
    {
        Table t;
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        t.model.onTilesFromWall({33}, false);
        t.model.onPlayerShouldAct(OWN, TimeSpan());
        QVERIFY(t.window.handView()->isActive());
        t.window.onTileClick(33);
        QCOMPARE(discards.count(), 1);
        QCOMPARE(discards.at(0).at(2).value<tile>(), tile(33));
        QCOMPARE(t.window.discardView(0)->tileItems().size(), size_t(1));
        // The server confirms the same tile: nothing more flies.
        t.model.onTileDiscarded(OWN, 33, false);
        QCOMPARE(t.window.discardView(0)->tileItems().size(), size_t(1));
        // A click on an inactive hand sends nothing.
        t.window.onTileClick(1);
        QCOMPARE(discards.count(), 1);
    }

    void answers_data()
    {
        using Call = GameWindowCall;
        QTest::addColumn<int>("type");
        // The call the row sends; none for mahjong, which names no tile.
        QTest::addColumn<Call>("call");
        QTest::newRow("chow") << 1 << Call(&GameWindow::callChow);
        QTest::newRow("pong") << 2 << Call(&GameWindow::callPong);
        QTest::newRow("kong") << 8 << Call(&GameWindow::callKong);
        QTest::newRow("mahjong") << 16 << Call(nullptr);
    }

    void answers()
    {
        using Call = GameWindowCall;
        QFETCH(int, type);
        QFETCH(Call, call);
        Table t;
        auto spy = call ? std::make_unique<QSignalSpy>(&t.window, call)
                        : std::make_unique<QSignalSpy>(&t.window, &GameWindow::callMahjong);
        t.window.onMeldSuggestion({meld_offer(type, 4)}, P1, 4, TimeSpan());
        QVERIFY(t.window.meldAuction());
        emit t.window.meldAuction()->meldSelected(meld_offer(type, 4));
        QCOMPARE(spy->count(), 1);
        QCOMPARE(spy->at(0).at(0).toInt(), TABLE);
        QCOMPARE(spy->at(0).at(1).toInt(), OWN);
        QVERIFY(!t.window.meldAuction());
    }

    void emptyOfferPassesByItself()
    {
        Table t;
        QSignalSpy pass(&t.window, &GameWindow::callPass);
        t.window.onMeldSuggestion({}, P1, 4, TimeSpan());
        QCOMPARE(pass.count(), 1);
        QCOMPARE(pass.at(0).at(2).toBool(), true);
        QVERIFY(!t.window.meldAuction());

        QSettings().setValue(QStringLiteral("game/autoPass"), false);
        t.window.onMeldSuggestion({}, P1, 4, TimeSpan());
        QSettings().remove(QStringLiteral("game/autoPass"));
        QCOMPARE(pass.count(), 1);
        QVERIFY(t.window.meldAuction());
        // Any claim settles the discard: the panel can no longer answer.
        t.model.onTileClaimed(P2);
        QVERIFY(!t.window.meldAuction());
    }

    void riichiChoosesTheDiscard()
    {
        Table t;
        QSignalSpy riichi(&t.window, &GameWindow::callRiichi);
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        t.model.onTilesFromWall({33}, false);
        t.window.onConcealedMeldSuggestion({meld_offer(128, 33), meld_offer(128, 1)}, TimeSpan());
        t.window.onConcealedRiichiSelected();
        QCOMPARE(t.window.tileChoice(), 128);
        QVERIFY(t.window.handView()->isAllowed(33));
        QVERIFY(!t.window.handView()->isAllowed(2));
        t.window.onTileClick(33);
        QCOMPARE(riichi.count(), 1);
        QCOMPARE(discards.count(), 0);
        QCOMPARE(t.window.tileChoice(), 0);
    }

    void timeoutEndsTheTileChoice()
    {
        Table t;
        QSignalSpy kongs(&t.window, &GameWindow::callKong);
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        t.model.onTilesFromWall({27}, false);
        t.model.onPlayerShouldAct(OWN, TimeSpan());
        t.window.onConcealedMeldSuggestion({meld_offer(8, 27)}, TimeSpan());
        t.window.onConcealedKongSelected();
        QCOMPARE(t.window.tileChoice(), 8);
        t.window.onTimeoutOccured();
        QCOMPARE(t.window.tileChoice(), 0);
        QVERIFY(t.window.concealedActionDialog()->isHidden());
        // The server discarded for the player; the next turn's click is a
        // plain discard again.
        t.model.onTileDiscarded(OWN, 27, false);
        t.model.onTilesFromWall({33}, false);
        t.model.onPlayerShouldAct(OWN, TimeSpan());
        t.window.onTileClick(33);
        QCOMPARE(kongs.count(), 0);
        QCOMPARE(discards.count(), 1);
    }

    void riichiWithoutDrawnTileDiscardsNothing()
    {
        Table t;
        t.model.onTileDiscarded(OWN, 1, true);
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        t.window.onConcealedMeldSuggestion({}, TimeSpan());
        QCOMPARE(discards.count(), 0);
    }

    void badServerDataIsSkipped()
    {
        Table t;
        // A mahjong row and an unknown type among the melds: logged, not fatal.
        t.window.onMeldDeclared(P2, meld_tuple{16, 0, 3, -1, 0});
        t.window.onMeldDeclared(P2, meld_tuple{99, 0, 3, -1, 0});
        QCOMPARE(t.window.declaredView(1)->melds().size(), size_t(0));
        t.window.onMeldDeclared(P2, meld_tuple{2, 0, 3, P1, 0});
        QCOMPARE(t.window.declaredView(1)->melds().size(), size_t(1));
        t.window.onWaitingFor(WaitCondition::enum_t(0), TimeSpan(), {});
        QVERIFY_THROWS_EXCEPTION(server_error, t.window.onTileDiscarded(999, 3, false));
    }

    void narrowWindowKeepsTheScale()
    {
        Table t;
        t.window.resize(1200, 800);
        const double scale = TileGraphics::instance().gameScale();
        QVERIFY(scale > 0);
        t.window.resize(t.window.sideBar()->width() / 2, 800);
        QCOMPARE(TileGraphics::instance().gameScale(), scale);
    }

    void layoutSwitchKeepsTheWall()
    {
        Table t;
        QVERIFY(dynamic_cast<SquareCityView *>(t.window.cityView()));
        t.window.onShowCube();
        auto *compact = dynamic_cast<CompactCityView *>(t.window.cityView());
        QVERIFY(compact);
        QVERIFY(compact->hasWallState());
        QCOMPARE(compact->counterText(), QStringLiteral("60"));
        t.window.onShowCube();
        QVERIFY(dynamic_cast<SquareCityView *>(t.window.cityView()));
    }

    void backgroundIsComposedOncePerSize()
    {
        const qint64 first = GameWindow::backgroundBrush(300, 200).textureImage().cacheKey();
        QCOMPARE(GameWindow::backgroundBrush(300, 200).textureImage().cacheKey(), first);
        QCOMPARE(GameWindow::backgroundBrush(0, 200).textureImage().cacheKey(), first);
        QVERIFY(GameWindow::backgroundBrush(301, 200).textureImage().cacheKey() != first);
    }

    void dealThenFirstDraw()
    {
        Table t;
        QSettings().setValue(QStringLiteral("game/animations"), true);
        Seating seating;
        seating.players = {{P1, OWN, P2, P3}};
        WallState wall;
        wall.deadWallPosition = 4;
        t.model.onStartHand(4, seating, {}, true, TableState{OWN, 0, -1, -1, 0, 0}, wall);
        QVERIFY(t.window.actionQueue().isBusy());
        // The deal itself is no draw; the animation shows it.
        t.model.onTilesFromWall({1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32}, false);
        for (qint32 id : {P1, P2, P3})
            t.model.onHiddenTilesFromWall(id, 13, false);
        // The first draw shows every hand at once.
        t.model.onHiddenTilesFromWall(P1, 1, false);
        QSettings().setValue(QStringLiteral("game/animations"), false);
        QVERIFY(!t.window.actionQueue().isBusy());
        QCOMPARE(t.window.handView()->tiles().size(), size_t(13));
        QCOMPARE(t.window.hiddenHandView(3)->tileCount(), 14);
        QCOMPARE(t.window.hiddenHandView(1)->tileCount(), 13);
        QCOMPARE(t.window.hiddenHandView(0)->tileCount(), 0);
        QVERIFY(t.window.windView(0)->isVisible());

        // A window closed in the middle of the deal drops what still waits.
        QSettings().setValue(QStringLiteral("game/animations"), true);
        auto *busy = new Table;
        busy->model.onStartHand(5, seating, {}, false, TableState{OWN, 0, -1, -1, 0, 0}, wall);
        QVERIFY(busy->window.actionQueue().isBusy());
        QTest::qWait(100);
        delete busy;
        QSettings().setValue(QStringLiteral("game/animations"), false);
    }

    void leaveAsksOnlyDuringAHand()
    {
        Table t;
        QSignalSpy leave(&t.window, &GameWindow::leave);
        t.window.onLeaveButtonClick();
        QCOMPARE(leave.count(), 0);
        auto *box = t.window.findChild<QMessageBox *>();
        QVERIFY(box);
        box->button(QMessageBox::Yes)->click();
        QCOMPARE(leave.count(), 1);

        GameModel idle(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        GameWindow window(nullptr, OWN);
        window.setModel(&idle);
        QSignalSpy idleLeave(&window, &GameWindow::leave);
        window.onLeaveButtonClick();
        QCOMPARE(idleLeave.count(), 1);
        auto *button = window.sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
        QVERIFY(button);
        QVERIFY(!button->isEnabled());
        // A refused leave gives the button back.
        window.onLeaveFailed();
        QVERIFY(button->isEnabled());
    }

    void kickedPlayerKeepsSeeingTheHand_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("handShown");
        QTest::newRow("moved to the watchers") << 3 << true;
        QTest::newRow("kicked") << 0 << false;
    }

    // The model keeps its players after a kick; the hand's next events name
    // them and must find their seats.
    void kickedPlayerKeepsSeeingTheHand()
    {
        QFETCH(int, reason);
        QFETCH(bool, handShown);
        Table t;
        t.model.onTilesFromWall({33}, false);
        t.model.onPlayerShouldAct(OWN, TimeSpan());
        t.window.onMeldSuggestion({meld_offer(2, 4)}, P1, 4, TimeSpan());
        t.model.onPlayerKicked(kick_reason::enum_t(reason));
        try {
            t.model.onHiddenTilesFromWall(P2, 1, false);
            t.model.onTileDiscarded(P2, 5, false);
        } catch (const server_error &e) {
            QFAIL(e.what());
        }
        QVERIFY(!t.window.handView()->isActive());
        QVERIFY(!t.window.meldAuction());
        QCOMPARE(t.window.seatPlayerId(1), P2);
        QCOMPARE(t.window.discardView(1)->tileItems().size(), size_t(1));
        QCOMPARE(t.window.sideBar()->seatOrder().size(), handShown ? 4 : 0);
        QCOMPARE(t.window.discardView(3)->tileItems().size(), size_t(handShown ? 1 : 0));
        QCOMPARE(t.window.handView()->tiles().size(), size_t(handShown ? 14 : 0));
        QCOMPARE(t.window.findChild<QMessageBox *>() != nullptr, !handShown);
    }

    // A kick to the watchers takes back the Ready of the hand just ended,
    // whether the hand ended before the kick or while the watch was
    // pending; the server's next readiness question offers it again.
    void kickTakesBackReady_data()
    {
        QTest::addColumn<bool>("kickFirst");
        QTest::newRow("kicked, then the hand ends") << true;
        QTest::newRow("the hand ends, then the kick") << false;
    }

    void kickTakesBackReady()
    {
        QFETCH(bool, kickFirst);
        Table t;
        t.window.show();
        QSignalSpy ready(&t.window, &GameWindow::ready);
        if (kickFirst)
            t.model.onPlayerKicked(kick_reason::enum_t(3));
        t.model.onHandEndNonScoring(endhand_reason_t(0), false);
        if (!kickFirst)
            t.model.onPlayerKicked(kick_reason::enum_t(3));
        t.window.onGameStateChanged();
        const auto *washoutReady = t.window.washoutWindow()->findChild<QAbstractButton *>(
            QStringLiteral("readyButton"));
        const auto *boardReady = t.window.scoreBoard()->findChild<QAbstractButton *>(QStringLiteral("readyPushButton"));
        QVERIFY(washoutReady && boardReady);
        QVERIFY(!washoutReady->isVisible());
        QVERIFY(!boardReady->isVisibleTo(t.window.scoreBoard()));
        t.window.onReadyButtonClick();
        QCOMPARE(ready.count(), 0);
        t.window.onAreYouReady(window(15000), false);
        QVERIFY(boardReady->isVisibleTo(t.window.scoreBoard()));
    }

    // Moved to the watchers while standing down: the stand-down went with
    // the seat; only the server's word shows "Reactivate" again.
    void reactivateGoesWithTheSeat()
    {
        Table t;
        t.window.show();
        t.model.onActiveChanged(false);
        QVERIFY(t.window.playerInactiveWindow()->isVisible());
        t.model.onPlayerKicked(kick_reason::enum_t(3));
        QVERIFY(!t.window.playerInactiveWindow()->isVisible());
        Seating seating;
        seating.players = {{P1, OWN, P2, P3}};
        t.model.onStartHand(4, seating, {}, false, TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        QVERIFY(!t.window.playerInactiveWindow()->isVisible());
        t.model.onActiveChanged(false);
        QVERIFY(t.window.playerInactiveWindow()->isVisible());
    }

    void tileChoiceEndsWithTheOffer_data()
    {
        QTest::addColumn<QString>("path");
        // The tile the next click or the automatic riichi discard sends, 0
        // for none (the hand is over).
        QTest::addColumn<int>("discard");
        QTest::newRow("pass, then the turn") << "pass" << 1;
        QTest::newRow("time-out, then the next turn") << "timeout" << 1;
        QTest::newRow("another seat claims, then a turn") << "claim" << 1;
        QTest::newRow("the hand ends") << "end" << 0;
        QTest::newRow("riichi: pass, then the automatic discard") << "riichi" << 35;
    }

    // A "Replace tiles" offer makes the next click a bonus call; whatever
    // ends or answers the offer makes it a discard again.
    void tileChoiceEndsWithTheOffer()
    {
        QFETCH(QString, path);
        QFETCH(int, discard);
        Table t;
        QSignalSpy bonus(&t.window, &GameWindow::callBonus);
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        QSignalSpy passes(&t.window, &GameWindow::callPass);
        if (path == QLatin1String("riichi"))
            t.model.onTileDiscarded(OWN, 32, true);
        t.model.onTilesFromWall({35}, false);
        t.model.onPlayerShouldAct(OWN, TimeSpan());
        t.window.onReplacementMeldSuggestion({meld_offer(64, 35)}, TimeSpan());
        QCOMPARE(t.window.tileChoice(), 64);
        QVERIFY(t.window.meldAuction());

        if (path == QLatin1String("pass") || path == QLatin1String("riichi")) {
            emit t.window.meldAuction()->passSelected();
            QCOMPARE(passes.count(), 1);
        } else if (path == QLatin1String("timeout")) {
            t.window.onTimeoutOccured();
        } else if (path == QLatin1String("claim")) {
            t.model.onTileClaimed(P2);
        } else if (path == QLatin1String("end")) {
            t.model.onHandEndNonScoring(endhand_reason_t(0), false);
        }
        QCOMPARE(t.window.tileChoice(), 0);
        // The panel goes with its offer: no "Replace tiles" over a turn.
        QVERIFY(!t.window.meldAuction());
        if (path != QLatin1String("end"))
            t.model.onPlayerShouldAct(OWN, TimeSpan());
        if (path == QLatin1String("riichi"))
            t.window.onConcealedMeldSuggestion({}, TimeSpan());
        else
            t.window.onTileClick(1);
        QCOMPARE(bonus.count(), 0);
        QCOMPARE(discards.count(), discard ? 1 : 0);
        if (discard)
            QCOMPARE(discards.at(0).at(2).value<tile>(), tile(discard));
    }

    // The turn announced while flowers are offered for replacement keeps
    // the offer: the offered flower is still a bonus call, any other tile
    // the turn's discard, and a pass leaves the turn going.
    void replacementOfferOutlivesTheTurn_data()
    {
        QTest::addColumn<bool>("passFirst");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("bonusCalls");
        QTest::addColumn<int>("discards");
        QTest::newRow("the flower") << false << 35 << 1 << 0;
        QTest::newRow("another tile") << false << 1 << 0 << 1;
        QTest::newRow("pass, then a tile") << true << 1 << 0 << 1;
    }

    void replacementOfferOutlivesTheTurn()
    {
        QFETCH(bool, passFirst);
        QFETCH(int, clicked);
        QFETCH(int, bonusCalls);
        QFETCH(int, discards);
        Table t;
        QSignalSpy bonus(&t.window, &GameWindow::callBonus);
        QSignalSpy discarded(&t.window, &GameWindow::discardTile);
        QSignalSpy passes(&t.window, &GameWindow::callPass);
        t.model.onTilesFromWall({35}, false);
        t.window.onReplacementMeldSuggestion({meld_offer(64, 35)}, window(15000));
        t.model.onPlayerShouldAct(OWN, window(15000));
        QCOMPARE(t.window.tileChoice(), 64);
        QVERIFY(t.window.meldAuction());
        QVERIFY(t.window.handView()->isActive());
        if (passFirst) {
            emit t.window.meldAuction()->passSelected();
            QCOMPARE(passes.count(), 1);
            QVERIFY(!t.window.meldAuction());
            QVERIFY(t.window.handView()->isActive());
        }
        t.window.onTileClick(tile(clicked));
        QCOMPARE(bonus.count(), bonusCalls);
        QCOMPARE(discarded.count(), discards);
        if (bonusCalls)
            QCOMPARE(bonus.at(0).at(2).value<tile>(), tile(clicked));
        if (discards)
            QCOMPARE(discarded.at(0).at(2).value<tile>(), tile(clicked));
        QVERIFY(!t.window.meldAuction());
    }

    // From the hand's end until the next hand starts, decision events are
    // late: nothing is shown and nothing can be sent.
    void lateAnswersChangeNothing()
    {
        Table t;
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        QSignalSpy passes(&t.window, &GameWindow::callPass);
        QSignalSpy pongs(&t.window, &GameWindow::callPong);
        t.model.onHandEndNonScoring(endhand_reason_t(0), false);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring")));
        t.window.onMeldSuggestion({meld_offer(2, 4)}, P1, 4, TimeSpan());
        QVERIFY(!t.window.meldAuction());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring")));
        t.window.onMeldSuggestion({}, P1, 4, TimeSpan());
        QCOMPARE(passes.count(), 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring")));
        t.window.onRobTheKongSuggestion({meld_offer(16, 4)}, TimeSpan());
        QVERIFY(!t.window.meldAuction());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring")));
        t.window.onReplacementMeldSuggestion({meld_offer(64, 1)}, TimeSpan());
        QVERIFY(!t.window.meldAuction());
        QCOMPARE(t.window.tileChoice(), 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring")));
        t.window.onConcealedMeldSuggestion({meld_offer(128, 1)}, TimeSpan());
        QVERIFY(t.window.concealedActionDialog()->isHidden());
        // Through the model, as the server's event comes, and straight in.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring")));
        t.model.onPlayerShouldAct(OWN, TimeSpan());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring")));
        t.window.onPlayerShouldAct(OWN, TimeSpan());
        QVERIFY(!t.window.handView()->isActive());
        QCOMPARE(t.model.pendingAction().first, -1);
        t.window.onTileClick(1);
        QCOMPARE(discards.count(), 0);
        QCOMPARE(pongs.count(), 0);

        // The next hand asks again.
        Seating seating;
        seating.players = {{P1, OWN, P2, P3}};
        t.model.onStartHand(4, seating, {}, false, TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        t.model.onTileDiscarded(P1, 4, false);
        t.window.onMeldSuggestion({meld_offer(2, 4)}, P1, 4, TimeSpan());
        QVERIFY(t.window.meldAuction());
    }

    // A washout's notice may stay up into the next hand (no automatic
    // popdown); its Ready then belongs to a hand that is over and must not
    // send a ready in the middle of the new one.
    void washoutNoticeCannotReadyIntoTheNextHand()
    {
        Table t;
        QSignalSpy ready(&t.window, &GameWindow::ready);
        t.model.onHandEndNonScoring(endhand_reason_t(6), false);
        auto *notice = t.window.findChild<WashoutWindow *>();
        QVERIFY(notice);
        auto *readyButton = notice->findChild<QPushButton *>(QStringLiteral("readyButton"));
        QVERIFY(readyButton && !readyButton->isHidden());

        Seating seating;
        seating.players = {{P1, OWN, P2, P3}};
        t.model.onStartHand(4, seating, {}, false, TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        QVERIFY(readyButton->isHidden());
        // What is left closes the notice and sends nothing.
        auto *ok = notice->findChild<QPushButton *>(QStringLiteral("okButton"));
        QVERIFY(ok && !ok->isHidden());
        ok->click();
        QCOMPARE(ready.count(), 0);
        QVERIFY(!t.window.handView()->isActive());
    }

    // A self-drawn win alone is offered on the claim panel; the dialog of
    // the other declarations stays away rather than stand as an empty frame.
    void concealedDialogOnlyWithItsButtons_data()
    {
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<bool>("panel");
        QTest::newRow("self-drawn win only") << QList<int>{16} << false << true;
        QTest::newRow("win and kong") << QList<int>{16, 8} << true << true;
        QTest::newRow("riichi only") << QList<int>{128} << true << false;
    }

    void concealedDialogOnlyWithItsButtons()
    {
        QFETCH(QList<int>, types);
        QFETCH(bool, dialog);
        QFETCH(bool, panel);
        Table t;
        t.window.show();
        t.model.onTilesFromWall({27}, false);
        t.model.onPlayerShouldAct(OWN, TimeSpan());
        meld_offer_vector offers;
        for (int type : types)
            offers.push_back(meld_offer(type, 27));
        t.window.onConcealedMeldSuggestion(offers, TimeSpan());
        QCOMPARE(t.window.concealedActionDialog()->isVisible(), dialog);
        QCOMPARE(t.window.meldAuction() && t.window.meldAuction()->isVisible(), panel);
    }

    // Wired as the controller wires it: the round's board is the
    // tournament's, with its name and round, and the notice is written.
    void tournamentRoundEndShowsTheTournamentsBoard()
    {
        TableInfo info(31, QStringLiteral("101/mtt/9"));
        info.setRuleset(2);
        info.setGameType(TableInfo::TOURNAMENT);
        info.setCapacity(4);
        info.setTournamentId(9);
        GameModel model(31, info, OWN, QStringLiteral("me"));
        GameWindow window(nullptr, OWN);
        wire(&model, &window);
        window.setModel(&model);
        window.resize(1280, 800);
        window.show();
        TournamentInfo tournament;
        tournament.id = 9;
        tournament.name = QStringLiteral("Spring Cup");
        tournament.numberOfRounds = 5;
        tournament.currentRound = 1;
        model.onTournamentInfo(tournament);
        model.markJoined();
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE,
                         {player(P1, 0), player(OWN, 1, 0), player(P2, 2), player(P3, 3)},
                         TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        model.onActiveChanged(false);
        QVERIFY(window.playerInactiveWindow()->isVisible());

        QSignalSpy closed(&window, &GameWindow::tournamentScoreDialogClosed);
        model.onEndOfTournamentRound(false, {{P1, 300, 3}, {OWN, 900, 5}, {P2, 100, -1}, {P3, 0, -7}});
        RoundScoreBoard *board = window.roundScoreBoard();
        QVERIFY(board->isVisible());
        QCOMPARE(board->findChild<QLabel *>(QStringLiteral("titleLabel"))->text(), QStringLiteral("Spring Cup"));
        QCOMPARE(board->findChild<QLabel *>(QStringLiteral("roundLabel"))->text(), QStringLiteral("Round 2/5"));
        QVERIFY(notices(window).contains(QStringLiteral("Tournament round ended")));
        QVERIFY(!window.playerInactiveWindow()->isVisible());
        QCOMPARE(board->rows().front()->roundResultText(), QStringLiteral("2.5"));
        // The server moves on to the next round while the board is open.
        tournament.currentRound = 2;
        model.onTournamentInfo(tournament);
        QCOMPARE(board->findChild<QLabel *>(QStringLiteral("roundLabel"))->text(), QStringLiteral("Round 2/5"));

        // The standings give each row its tournament points, in half points.
        model.onTournamentRankings({{OWN, QStringLiteral("me"), 7, 11}, {P1, QString(), 3, 4}});
        QCOMPARE(board->rows().front()->tournamentPointsText(), QStringLiteral("5.5"));
        QCOMPARE(board->rows().back()->tournamentPointsText(), QStringLiteral("0"));

        board->findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), 9);
        QCOMPARE(closed.at(0).at(1).toInt(), 31);
    }

    // Before the first hand the table shows its full wall, whatever zeros
    // the model holds.
    void waitingTableShowsTheFullWall_data()
    {
        QTest::addColumn<bool>("compact");
        QTest::newRow("square") << false;
        QTest::newRow("compact") << true;
    }

    void waitingTableShowsTheFullWall()
    {
        QFETCH(bool, compact);
        GameWindow window(nullptr, OWN);
        window.setCompactTableLayout(compact);
        QVERIFY(!window.cityView()->hasWallState());
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        wire(&model, &window);
        window.setModel(&model);
        model.markJoined();
        model.onGameData(0, server_game_state::INITIAL_STATE, {player(P1, 0)}, TableState{OWN, 0, -1, -1, 0, 0},
                         WallState{});
        window.actionQueue().flush();
        QVERIFY(!window.cityView()->hasWallState());
        // The layout switch makes a new wall view: still full.
        window.setCompactTableLayout(!compact);
        QVERIFY(!window.cityView()->hasWallState());

        // A hand lays the wall out from the counts; a kick clears the table
        // and the full wall comes back.
        Table t;
        t.window.setCompactTableLayout(compact);
        QVERIFY(t.window.cityView()->hasWallState());
        t.model.onPlayerKicked(kick_reason::enum_t(0));
        QVERIFY(!t.window.cityView()->hasWallState());
    }

    // Declarations belong to the own turn: once its discard is chosen or
    // reported, a late offer of them is neither shown nor answered.
    void declarationsEndWithTheOwnDiscard_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("after the discard was chosen") << "chosen";
        QTest::newRow("after the discard was reported") << "reported";
        QTest::newRow("after the next seat drew") << "drew";
    }

    void declarationsEndWithTheOwnDiscard()
    {
        QFETCH(QString, order);
        Table t;
        t.window.show();
        QSignalSpy mahjong(&t.window, &GameWindow::callMahjong);
        QSignalSpy kongs(&t.window, &GameWindow::callKong);
        t.model.onTilesFromWall({27}, false);
        t.model.onPlayerShouldAct(OWN, window(15000));
        t.window.onTileClick(27);
        const meld_offer_vector offers{meld_offer(16, 27), meld_offer(8, 27)};
        if (order == QLatin1String("chosen"))
            t.window.onConcealedMeldSuggestion(offers, window(15000));
        t.model.onTileDiscarded(OWN, 27, false);
        if (order == QLatin1String("reported"))
            t.window.onConcealedMeldSuggestion(offers, window(15000));
        t.model.onHiddenTilesFromWall(P2, 1, false);
        if (order == QLatin1String("drew"))
            t.window.onConcealedMeldSuggestion(offers, window(15000));
        QVERIFY(!t.window.meldAuction() || !t.window.meldAuction()->isVisible());
        QVERIFY(!t.window.concealedActionDialog()->isVisible());
        QVERIFY(!t.window.handView()->isActive());
        clickOffer(t.window, t.window.meldAuction(), meld_offer(16, 27));
        t.window.onConcealedKongSelected();
        t.window.onTileClick(27);
        QCOMPARE(mahjong.count(), 0);
        QCOMPARE(kongs.count(), 0);
    }

    // After riichi an empty declaration offer discards the drawn tile by
    // itself, whether it comes before the turn or after it; the other of
    // the two then asks nothing more. A turn told before its draw lets no
    // tile go until the draw.
    void riichiDiscardsByItselfInEitherOrder_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("turn, then the offer") << "draw turn offer";
        QTest::newRow("offer, then the turn") << "draw offer turn";
        QTest::newRow("turn before its draw") << "turn click draw offer";
    }

    void riichiDiscardsByItselfInEitherOrder()
    {
        QFETCH(QString, order);
        Table t;
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        t.model.onTilesFromWall({33}, false);
        t.model.onTileDiscarded(OWN, 32, true);
        t.model.onHiddenTilesFromWall(P2, 1, false);
        t.model.onTileDiscarded(P2, 5, false);
        for (const QString &event : order.split(QLatin1Char(' '))) {
            if (event == QLatin1String("draw")) {
                t.model.onTilesFromWall({35}, false);
            } else if (event == QLatin1String("turn")) {
                t.model.onPlayerShouldAct(OWN, window(15000));
            } else if (event == QLatin1String("offer")) {
                t.window.onConcealedMeldSuggestion({}, window(15000));
            } else {
                QVERIFY(!t.window.handView()->isActive());
                t.window.onTileClick(t.model.findOwnPlayer()->hand().front());
                QCOMPARE(discards.count(), 0);
            }
        }
        QCOMPARE(discards.count(), 1);
        QCOMPARE(discards.at(0).at(2).value<tile>(), tile(35));
        QVERIFY(!t.window.handView()->isActive());
        t.window.onTileClick(1);
        QCOMPARE(discards.count(), 1);
    }

    // A claim offer answers one discard: whatever the table does next ends
    // it, with or without the server's time-out.
    void claimPanelEndsWithItsDiscard_data()
    {
        QTest::addColumn<QString>("next");
        QTest::newRow("the next seat draws") << "draw";
        QTest::newRow("the next seat draws and discards") << "draw discard";
        QTest::newRow("the next seat's turn") << "turn";
        QTest::newRow("another seat claims") << "claim";
        QTest::newRow("the time-out") << "timeout";
    }

    void claimPanelEndsWithItsDiscard()
    {
        QFETCH(QString, next);
        Table t;
        t.window.show();
        QSignalSpy pongs(&t.window, &GameWindow::callPong);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 27, false);
        t.window.onMeldSuggestion({meld_offer(2, 27)}, P1, 27, window(15000));
        QPointer<MeldAuction> panel = t.window.meldAuction();
        QVERIFY(panel && panel->isVisible());
        if (next.contains(QLatin1String("draw")))
            t.model.onHiddenTilesFromWall(P2, 1, false);
        if (next.contains(QLatin1String("discard")))
            t.model.onTileDiscarded(P2, 5, false);
        if (next == QLatin1String("turn"))
            t.model.onPlayerShouldAct(P2, window(15000));
        if (next == QLatin1String("claim"))
            t.model.onTileClaimed(P3);
        if (next == QLatin1String("timeout"))
            t.window.onTimeoutOccured();
        QVERIFY(!t.window.meldAuction());
        QVERIFY(!panel || !panel->isVisible());
        clickOffer(t.window, panel, meld_offer(2, 27));
        QCOMPARE(pongs.count(), 0);
    }

    // The claim offer comes up once its discard has landed on the table.
    void claimOfferWaitsForItsDiscard()
    {
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        QSettings().setValue(QStringLiteral("game/animations"), true);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 27, false);
        t.window.onMeldSuggestion({meld_offer(2, 27)}, P1, 27, window(15000));
        QSettings().setValue(QStringLiteral("game/animations"), false);
        QVERIFY(t.window.meldAuction());
        QVERIFY(t.window.actionQueue().isBusy());
        QVERIFY(!t.window.meldAuction()->isVisible());
        QVERIFY(t.window.turnTimer()->remaining() == 0);
        QTRY_VERIFY_WITH_TIMEOUT(t.window.meldAuction()->isVisible(), 10000);
        QCOMPARE(t.window.discardView(3)->tileItems().size(), size_t(2));
        QVERIFY(t.window.discardView(3)->tileItems().back()->isVisible());
        QVERIFY(t.window.turnTimer()->remaining() > 0);
    }

    // The countdowns of one claim (beside the hand, beside the discard)
    // count down one deadline: however far apart they were started, they
    // show one number.
    void countdownsAgree()
    {
        Table t;
        // Within the offscreen screen, so that both are painted.
        t.window.resize(800, 600);
        t.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.window));
        const TimeSpan ts = window(15700);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 27, false);
        t.window.onMeldSuggestion({meld_offer(2, 27)}, P1, 27, ts);
        // The table's wait for claims is told a little later in the second.
        QTest::qWait(450);
        t.window.onWaitingFor(WaitCondition::enum_t(0), ts, {OWN});
        TimerView *hand = t.window.turnTimer();
        TimerView *discard = t.window.bigTurnTimer();
        QTRY_VERIFY_WITH_TIMEOUT(!hand->shownText().isEmpty() && !discard->shownText().isEmpty(), 5000);
        // A repaint may take a moment to reach the second counter; they
        // must never show different numbers for longer than that.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 2600) {
            QTest::qWait(20);
            if (hand->shownText() != discard->shownText()) {
                const QString seen = hand->shownText() + QLatin1Char('/') + discard->shownText();
                QTest::qWait(60);
                QVERIFY2(hand->shownText() == discard->shownText(), qPrintable(seen));
            }
        }
    }

    // A bot's flower right after the deal flies from the backs it was dealt;
    // the deal's own tiles are gone from the table. A bot may show it as
    // soon as its own tiles are dealt, before the next seats have theirs.
    void flowerRightAfterTheDeal_data()
    {
        QTest::addColumn<bool>("atOnce");
        QTest::newRow("after the whole deal") << false;
        QTest::newRow("before the next seats are dealt") << true;
    }

    void flowerRightAfterTheDeal()
    {
        QFETCH(bool, atOnce);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Ignoring a hidden hand")));
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        QSettings().setValue(QStringLiteral("game/animations"), true);
        Seating seating;
        seating.players = {{P1, OWN, P2, P3}};
        t.model.onStartHand(4, seating, {}, true, TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        t.model.onHiddenTilesFromWall(P1, 13, false);
        if (atOnce) {
            t.model.onDeclareBonus(P1, {35});
            t.model.onHiddenTilesFromWall(P1, 1, true);
        }
        t.model.onTilesFromWall({1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32}, false);
        for (qint32 id : {P2, P3}) {
            t.model.onHiddenTilesFromWall(id, 13, false);
            if (atOnce && id == P2)
                t.model.onDeclareBonus(P2, {34});
        }
        if (!atOnce)
            t.model.onDeclareBonus(P2, {34});
        QSettings().setValue(QStringLiteral("game/animations"), false);
        QTRY_VERIFY_WITH_TIMEOUT(!t.window.actionQueue().isBusy(), 10000);
        QCOMPARE(t.window.hiddenHandView(1)->tileCount(), 12);
        QCOMPARE(t.window.hiddenHandView(2)->tileCount(), 13);
        QCOMPARE(t.window.hiddenHandView(3)->tileCount(), 13);
        QCOMPARE(t.window.handView()->tiles().size(), size_t(13));
        QCOMPARE(looseTiles(t.window), 0);
        // The replacement tile is drawn as any later draw is.
        t.model.onHiddenTilesFromWall(P2, 1, true);
        QCOMPARE(t.window.hiddenHandView(1)->tileCount(), 13);
    }

    // Orders a server may send that leave the player's question open: the
    // turn before its own draw, the turn before the own claim is reported,
    // another seat's flower and its replacement while a claim waits.
    void questionOutlivesItsOrders_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("the turn before the own draw") << "turn draw";
        QTest::newRow("the turn before the own claim is reported") << "pong turn claimed";
        QTest::newRow("another seat's flower during a claim") << "flower";
    }

    void questionOutlivesItsOrders()
    {
        QFETCH(QString, order);
        Table t;
        t.window.show();
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        QSignalSpy pongs(&t.window, &GameWindow::callPong);
        QSignalSpy activity(&t.window, qOverload<qint32, bool, TimeSpan>(&GameWindow::tableActivity));
        if (order.startsWith(QLatin1String("turn"))) {
            t.model.onHiddenTilesFromWall(P1, 1, false);
            t.model.onTileDiscarded(P1, 8, false);
            t.model.onPlayerShouldAct(OWN, window(15000));
            t.model.onTilesFromWall({5}, false);
        } else {
            t.model.onHiddenTilesFromWall(P1, 1, false);
            t.model.onTileDiscarded(P1, 27, false);
            t.window.onMeldSuggestion({meld_offer(2, 27)}, P1, 27, window(15000));
            if (order == QLatin1String("flower")) {
                t.model.onDeclareBonus(P2, {35});
                t.model.onHiddenTilesFromWall(P2, 1, true);
                QPointer<MeldAuction> panel = t.window.meldAuction();
                QVERIFY(panel && panel->isVisible());
                QVERIFY(t.window.turnTimer()->remaining() > 0);
                clickOffer(t.window, panel, meld_offer(2, 27));
                QCOMPARE(pongs.count(), 1);
                return;
            }
            clickOffer(t.window, t.window.meldAuction(), meld_offer(2, 27));
            QCOMPARE(pongs.count(), 1);
            t.model.onPlayerShouldAct(OWN, window(15000));
            t.model.onTileClaimed(OWN);
            t.model.onMeldDeclared(OWN, meld_tuple{2, 0, 27, P1, 0});
        }
        QVERIFY(t.window.handView()->isActive());
        QVERIFY(t.window.turnTimer()->remaining() > 0);
        // The table still asks for the player's attention.
        QVERIFY(!activity.isEmpty() && activity.last().at(1).toBool());
        t.window.onTileClick(1);
        QCOMPARE(discards.count(), 1);
        QCOMPARE(discards.at(0).at(2).value<tile>(), tile(1));
    }

    // The turn told before its draw and answered at once: a win or kong
    // offered on the draw that follows asks nothing more of the turn.
    void turnAnsweredBeforeItsDraw_data()
    {
        QTest::addColumn<meld_offer_vector>("offers");
        QTest::newRow("a win offered on the draw") << meld_offer_vector{meld_offer(16, 5)};
        QTest::newRow("a kong offered on the draw") << meld_offer_vector{meld_offer(8, 27)};
    }

    void turnAnsweredBeforeItsDraw()
    {
        QFETCH(meld_offer_vector, offers);
        Table t;
        t.window.show();
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 8, false);
        t.model.onPlayerShouldAct(OWN, window(15000));
        t.window.onTileClick(27);
        QCOMPARE(discards.count(), 1);
        t.model.onTilesFromWall({5}, false);
        t.window.onConcealedMeldSuggestion(offers, window(15000));
        QVERIFY(!t.window.handView()->isActive());
        QVERIFY(!t.window.concealedActionDialog() || !t.window.concealedActionDialog()->isVisible());
        QVERIFY(!t.window.meldAuction() || !t.window.meldAuction()->isVisible());
        t.window.onTileClick(5);
        t.window.onTileClick(27);
        QCOMPARE(discards.count(), 1);
    }

    // A win on a discard whose claim offer is still waiting for the
    // discard's flight: nothing of the ended offer starts afterwards.
    void handEndTakesTheQueuedClaim()
    {
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        QSettings().setValue(QStringLiteral("game/animations"), true);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 27, false);
        t.window.onMeldSuggestion({meld_offer(2, 27)}, P1, 27, window(15000));
        t.model.onWaitingFor(WaitCondition::enum_t(0), window(15000), {OWN});
        t.window.onSomeoneDeclaredMahjong(P2, 2);
        EndHandScoring scoring;
        scoring.winKind = EndHandScoring::WIN_ON_DISCARD;
        for (qint32 id : {OWN, P1, P2, P3}) {
            PlayerHandScore score;
            score.playerId = id;
            score.result = id == P2 ? 1 : 0;
            scoring.players[id] = score;
        }
        t.model.onHandEndScoring(scoring);
        QSettings().setValue(QStringLiteral("game/animations"), false);
        QTRY_VERIFY_WITH_TIMEOUT(!t.window.actionQueue().isBusy(), 10000);
        QVERIFY(t.window.scoreBoard()->isVisible());
        QVERIFY(!t.window.meldAuction() || !t.window.meldAuction()->isVisible());
        QCOMPARE(t.window.turnTimer()->remaining(), 0);
        QCOMPARE(t.window.bigTurnTimer()->remaining(), 0);
        QVERIFY(!t.window.bigTurnTimer()->isVisible());
    }

    // A player who joined between hands without a ready notice sits where
    // the next hand's seating names it.
    void newcomerSeatedByTheHandsStart()
    {
        Table t;
        t.window.show();
        t.model.onHandEndNonScoring(endhand_reason_t(0), false);
        t.model.onPlayerLeft(P3);
        const qint32 newcomer = 104;
        PlayerData joining(newcomer, QStringLiteral("newcomer"));
        t.model.onPlayerJoined(joining);
        Seating seating;
        seating.players = {{P1, OWN, P2, newcomer}};
        t.model.onStartHand(4, seating, {}, false, TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        QVERIFY(t.model.isPlayerSeated(newcomer));
        QVERIFY(t.window.sideBar()->hasPlayer(newcomer));
        for (qint32 id : {P1, P2, newcomer})
            t.model.onHiddenTilesFromWall(id, 13, false);
        t.model.onTilesFromWall({1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32}, false);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 5, false);
        t.model.onHiddenTilesFromWall(newcomer, 1, false);
        QCOMPARE(t.window.hiddenHandView(2)->tileCount(), 14);
    }

    // Offers the claim panel has no row for are dropped; the others show.
    void undrawableOffersAreDropped_data()
    {
        QTest::addColumn<bool>("robbing");
        QTest::newRow("claim") << false;
        QTest::newRow("rob the kong") << true;
    }

    void undrawableOffersAreDropped()
    {
        QFETCH(bool, robbing);
        Table t;
        t.window.show();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Dropping an offer of meld type")));
        const meld_offer_vector offers{meld_offer(0, 27),  meld_offer(3, 27), meld_offer(256, 27),
                                       meld_offer(32, 27), meld_offer(2, 27), meld_offer(16, 27)};
        if (robbing) {
            t.window.onRobTheKongSuggestion(offers, window(15000));
        } else {
            t.model.onHiddenTilesFromWall(P1, 1, false);
            t.model.onTileDiscarded(P1, 27, false);
            t.window.onMeldSuggestion(offers, P1, 27, window(15000));
        }
        QPointer<MeldAuction> panel = t.window.meldAuction();
        QVERIFY(panel && panel->isVisible());
        const auto rows = panel->findChildren<MeldChoice *>();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.front()->offer(), meld_offer(2, 27));
        QVERIFY(panel->findChild<QAbstractButton *>(QStringLiteral("mahjongButton"))->isVisible());
    }

    // A win takes the riichi sticks off the table: the side bar says so with
    // the score board, not only with the next hand.
    void winTakesTheRiichiSticks()
    {
        Table t;
        t.window.show();
        const auto *sticks = t.window.sideBar()->findChild<QLabel *>(QStringLiteral("riichiStickText"));
        QVERIFY(sticks);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 5, true);
        QCOMPARE(sticks->text(), QStringLiteral("x1"));
        EndHandScoring scoring;
        scoring.winKind = EndHandScoring::WIN_ON_DISCARD;
        for (qint32 id : {OWN, P1, P2, P3}) {
            PlayerHandScore score;
            score.playerId = id;
            score.result = id == P2 ? 1 : 0;
            scoring.players[id] = score;
        }
        t.model.onHandEndScoring(scoring);
        QCOMPARE(sticks->text(), QStringLiteral("x0"));
        QCOMPARE(t.model.riichiSticks(), 0);
    }

    // The hand's banners go with its boards.
    void bannersLeaveWithTheBoards_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("ron") << int(EndHandScoring::WIN_ON_DISCARD);
        QTest::newRow("mahjong") << int(EndHandScoring::MAHJONG);
    }

    void bannersLeaveWithTheBoards()
    {
        QFETCH(int, kind);
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        t.window.onSomeoneDeclaredMahjong(P2, kind == EndHandScoring::MAHJONG ? 1 : 2);
        QVERIFY(t.window.playerActionView(1)->isVisible());
        EndHandScoring scoring;
        scoring.winKind = kind;
        for (qint32 id : {OWN, P1, P2, P3}) {
            PlayerHandScore score;
            score.playerId = id;
            score.result = id == P2 ? 1 : 0;
            scoring.players[id] = score;
        }
        t.model.onHandEndScoring(scoring);
        QVERIFY(t.window.scoreBoard()->isVisible());
        QVERIFY(t.window.playerActionView(1)->isVisible());
        auto *ready = t.window.scoreBoard()->findChild<QAbstractButton *>(QStringLiteral("readyPushButton"));
        QVERIFY(ready);
        ready->click();
        QVERIFY(!t.window.scoreBoard()->isVisible());
        for (int seat = 0; seat < GameWindow::SeatCount; ++seat)
            QVERIFY(!t.window.playerActionView(seat)->isVisible());
    }

    // The own claim reported with the turn in one burst: the rack still
    // shows the tiles about to fly to the meld. A click on one of them must
    // not send a discard of a tile the player no longer holds; a tile still
    // held goes out. The turn may also be told before the claim, and be
    // clicked while the claim's report is still unread.
    void clickWhileTheOwnClaimFlies_data()
    {
        QTest::addColumn<int>("meldType");
        QTest::addColumn<int>("discard");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<bool>("turnFirst");
        QTest::newRow("chow in the middle") << int(MELD_CHOW) << 2 << 1 << 3 << false;
        QTest::newRow("pong") << int(MELD_PONG) << 27 << 27 << 27 << false;
        QTest::newRow("kong") << int(MELD_KONG) << 27 << 27 << 27 << false;
        QTest::newRow("chow, turn first") << int(MELD_CHOW) << 2 << 1 << 3 << true;
        QTest::newRow("pong, turn first") << int(MELD_PONG) << 27 << 27 << 27 << true;
    }

    void clickWhileTheOwnClaimFlies()
    {
        const auto quiet = qScopeGuard([] { QSettings().setValue(QStringLiteral("game/animations"), false); });
        QFETCH(int, meldType);
        QFETCH(int, discard);
        QFETCH(int, first);
        QFETCH(int, clicked);
        QFETCH(bool, turnFirst);
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.window));
        if (meldType == MELD_KONG)
            t.model.onPrivatePlayerData(
                PrivatePlayerData{{1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 27, 31}, true, false});
        QSignalSpy discards(&t.window, &GameWindow::discardTile);
        QSettings().setValue(QStringLiteral("game/animations"), true);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, tile(discard), false);
        const meld_offer offer(meldType, tile(first));
        t.window.onMeldSuggestion({offer}, P1, tile(discard), window(15000));
        QTRY_VERIFY_WITH_TIMEOUT(t.window.meldAuction() && t.window.meldAuction()->isVisible(), 10000);
        clickOffer(t.window, t.window.meldAuction(), offer);
        const auto press = [&t](tile which) {
            for (const HandTile *item : t.window.handView()->tileItems()) {
                if (item->getTile() != which)
                    continue;
                const QPoint at = t.window.graphicsView()->mapFromScene(item->sceneBoundingRect().center());
                QTest::mouseClick(t.window.graphicsView()->viewport(), Qt::LeftButton, {}, at);
                return true;
            }
            return false;
        };
        if (turnFirst) {
            t.model.onPlayerShouldAct(OWN, window(15000));
            t.window.actionQueue().flush();
            QVERIFY(t.window.handView()->isActive());
            QVERIFY(press(tile(clicked)));
            QCoreApplication::processEvents();
            QCOMPARE(discards.count(), 0);
        }
        t.model.onTileClaimed(OWN);
        t.model.onMeldDeclared(OWN, meld_tuple{meldType, 0, tile(first), P1, 0});
        if (meldType == MELD_KONG)
            t.model.onTilesFromWall({5}, true);
        if (!turnFirst)
            t.model.onPlayerShouldAct(OWN, window(15000));
        QVERIFY(t.window.actionQueue().isBusy());
        // The rack as drawn before the flight still shows the tile.
        QVERIFY(t.window.handView()->isActive());
        QVERIFY(press(tile(clicked)));
        QCoreApplication::processEvents();
        QCOMPARE(discards.count(), 0);
        const auto &hand = t.model.findOwnPlayer()->hand();
        QVERIFY(std::find(hand.begin(), hand.end(), tile(clicked)) == hand.end());
        QVERIFY(t.window.handView()->isActive());
        QVERIFY(press(31));
        QTRY_COMPARE_WITH_TIMEOUT(discards.count(), 1, 5000);
        QCOMPARE(discards.at(0).at(2).value<tile>(), tile(31));
        QSettings().setValue(QStringLiteral("game/animations"), false);
    }

    // A player who comes back to the table mid-hand sees the window built
    // again from the model: every flower shown before is shown again where
    // it lay, whether the game data or the hand's own events told of it.
    void flowersOutliveTheRebuild()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("skipped in the table rebuild")));
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        t.model.onHiddenTilesFromWall(P2, 1, false);
        t.model.onDeclareBonus(P2, {35});
        t.model.onHiddenTilesFromWall(P2, 1, true);
        t.model.onTileDiscarded(P2, 5, false);
        t.model.onTileClaimed(P3);
        t.model.onMeldDeclared(P3, meld_tuple{MELD_PONG, 0, 5, P2, 0});
        t.model.onDeclareBonus(P3, {38, 39});
        t.window.actionQueue().flush();
        const auto shown = [](GameWindow &w, int seat) {
            QStringList melds;
            for (const MeldView *m : w.declaredView(seat)->melds())
                melds << QStringLiteral("%1:%2@%3,%4")
                             .arg(m->meldType())
                             .arg(int(m->firstTile()))
                             .arg(m->pos().x())
                             .arg(m->pos().y());
            return melds;
        };
        QCOMPARE(shown(t.window, 1).size(), 1);
        QCOMPARE(shown(t.window, 2).size(), 3);

        GameWindow again(nullptr, OWN);
        again.resize(1280, 800);
        again.show();
        wire(&t.model, &again);
        again.setModel(&t.model);
        again.actionQueue().flush();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QVERIFY(QTest::qWaitForWindowExposed(&t.window));
        QTRY_VERIFY(!TileGraphics::instance().hasWorker());
        for (int seat = 0; seat < GameWindow::SeatCount; ++seat)
            QCOMPARE(shown(again, seat).join(u" "), shown(t.window, seat).join(u" "));

        // A flower the game data names among the bonus tiles shows once.
        std::vector<PlayerData> players;
        for (const auto &entry : t.model.players())
            players.push_back(entry.second);
        for (PlayerData &p : players) {
            if (p.id() == P2)
                p.setBonusTiles({35, 34});
        }
        TableState state;
        state.playerId = OWN;
        state.lastDiscarder = -1;
        t.model.onGameData(3, server_game_state::TILE_DISCARDED_STATE, players, state, WallState{});
        again.actionQueue().flush();
        QStringList bonus;
        for (const MeldView *m : again.declaredView(1)->melds())
            bonus << QString::number(int(m->firstTile()));
        QCOMPARE(bonus, (QStringList{QStringLiteral("35"), QStringLiteral("34")}));
    }

    // A hand that ends before anyone draws (an abortive draw at once, a
    // dealer's win on the deal): the deal's tiles leave the table, the own
    // seat shows only the own hand and the others keep their backs.
    void handEndedBeforeAnyDraw_data()
    {
        QTest::addColumn<bool>("scoring");
        QTest::newRow("washout") << false;
        QTest::newRow("mahjong") << true;
    }

    void handEndedBeforeAnyDraw()
    {
        QFETCH(bool, scoring);
        const auto quiet = qScopeGuard([] { QSettings().setValue(QStringLiteral("game/animations"), false); });
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        QSettings().setValue(QStringLiteral("game/animations"), true);
        Seating seating;
        seating.players = {{P1, P2, P3, OWN}};
        t.model.onStartHand(4, seating, {}, false, TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        t.model.onPrivatePlayerData(PrivatePlayerData{{0, 8, 9, 17, 18, 26, 27, 28, 29, 30, 31, 32, 4}, true, false});
        for (qint32 id : {P1, P2, P3})
            t.model.onHiddenTilesFromWall(id, 13, false);
        QTRY_VERIFY_WITH_TIMEOUT(!t.window.actionQueue().isBusy(), 10000);
        QVERIFY(looseTiles(t.window) > 0);
        if (scoring) {
            EndHandScoring end;
            end.winKind = EndHandScoring::MAHJONG;
            end.endOfGame = true;
            for (qint32 id : {OWN, P1, P2, P3}) {
                PlayerHandScore score;
                score.playerId = id;
                score.result = id == P1 ? 1 : 0;
                end.players[id] = score;
            }
            t.model.onHandEndScoring(end);
        } else {
            t.model.onHandEndNonScoring(endhand_reason_t(6), true);
        }
        QSettings().setValue(QStringLiteral("game/animations"), false);
        t.window.actionQueue().flush();
        QCOMPARE(looseTiles(t.window), 0);
        QCOMPARE(t.window.handView()->tiles().size(), size_t(13));
        QCOMPARE(t.window.hiddenHandView(0)->tileCount(), 0);
        for (int seat = 1; seat < GameWindow::SeatCount; ++seat)
            QCOMPARE(t.window.hiddenHandView(seat)->tileCount(), 13);
    }

    // At a table joined empty the own record starts with no hidden tiles;
    // its count follows the hand it holds through draws, claims, melds and
    // discards.
    void ownHiddenCountFollowsTheHand()
    {
        GameModel model{TABLE, tableInfo(), OWN, QStringLiteral("me")};
        GameWindow w{nullptr, OWN};
        wire(&model, &w);
        w.setModel(&model);
        model.markJoined();
        TableState state;
        state.playerId = OWN;
        state.lastDiscarder = -1;
        model.onGameData(-1, server_game_state::INITIAL_STATE, {}, state, WallState{});
        for (qint32 id : {P1, P2, P3}) {
            PlayerData p(id, QStringLiteral("bot%1").arg(id));
            model.onPlayerJoined(p);
            model.onPlayerIsReady(id);
        }
        model.onPlayerIsReady(OWN);
        Seating seating;
        seating.players = {{OWN, P1, P2, P3}};
        model.onStartHand(1, seating, {}, true, TableState{OWN, 0, -1, -1, 0, 0}, WallState{});
        model.onTilesFromWall({1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32, 33}, false);
        for (qint32 id : {P1, P2, P3})
            model.onHiddenTilesFromWall(id, 13, false);
        const PlayerData *own = model.findOwnPlayer();
        QVERIFY(own);
        model.onPlayerShouldAct(OWN, window(15000));
        w.onTileClick(33);
        model.onTileDiscarded(OWN, 33, false);
        model.onHiddenTilesFromWall(P1, 1, false);
        model.onTileDiscarded(P1, 27, false);
        model.onTileClaimed(OWN);
        model.onMeldDeclared(OWN, meld_tuple{MELD_PONG, 0, 27, P1, 0});
        model.onTileDiscarded(OWN, 32, false);
        w.actionQueue().flush();
        QCOMPARE(own->hiddenTiles(), 10);
        QCOMPARE(own->hiddenTiles(), int(own->hand().size()));
        QCOMPARE(w.handView()->tiles().size(), own->hand().size());
    }

    // Offers the claim panel has no drawing for: melds that name a bonus
    // tile or the face-down tile, chows that are not three suited tiles in
    // a row. They are dropped; the offers that can be drawn stay.
    void offersOfNoMeldAreDropped_data()
    {
        QTest::addColumn<int>("discard");
        QTest::addColumn<meld_offer_vector>("offers");
        QTest::addColumn<int>("rows");
        QTest::newRow("a season") << 41
                                  << meld_offer_vector{meld_offer(1, 40), meld_offer(1, 39), meld_offer(2, 41),
                                                       meld_offer(16, 41)}
                                  << 0;
        QTest::newRow("the face-down tile")
            << int(CONCEALED_TILE)
            << meld_offer_vector{meld_offer(1, CONCEALED_TILE), meld_offer(4, CONCEALED_TILE), meld_offer(16, 0)} << 0;
        QTest::newRow("chows across suits and of winds")
            << 8 << meld_offer_vector{meld_offer(1, 7), meld_offer(1, 6), meld_offer(2, 8), meld_offer(16, 8)} << 2;
        QTest::newRow("a chow of winds") << 28 << meld_offer_vector{meld_offer(1, 27), meld_offer(2, 28)} << 1;
    }

    void offersOfNoMeldAreDropped()
    {
        QFETCH(int, discard);
        QFETCH(meld_offer_vector, offers);
        QFETCH(int, rows);
        Table t;
        t.window.show();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Dropping an offer of meld type")));
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, tile(discard), false);
        t.window.onMeldSuggestion(offers, P1, tile(discard), window(15000));
        QPointer<MeldAuction> panel = t.window.meldAuction();
        QVERIFY(panel && panel->isVisible());
        const auto shown = panel->findChildren<MeldChoice *>();
        QCOMPARE(int(shown.size()), rows);
    }

    // Another seat's claim ends the question on the discard: its countdowns
    // stop with the claim's report, not when its flight has landed, and a
    // countdown still waiting for the discard's flight never starts.
    void claimStopsTheCountdowns_data()
    {
        QTest::addColumn<bool>("landed");
        QTest::newRow("the countdowns running") << true;
        QTest::newRow("the discard still flying") << false;
    }

    void claimStopsTheCountdowns()
    {
        const auto quiet = qScopeGuard([] { QSettings().setValue(QStringLiteral("game/animations"), false); });
        QFETCH(bool, landed);
        Table t;
        t.window.resize(1280, 800);
        t.window.show();
        QSettings().setValue(QStringLiteral("game/animations"), true);
        const TimeSpan ts = window(15000);
        t.model.onHiddenTilesFromWall(P1, 1, false);
        t.model.onTileDiscarded(P1, 27, false);
        t.window.onMeldSuggestion({meld_offer(2, 27)}, P1, 27, ts);
        t.model.onWaitingFor(WaitCondition::enum_t(0), ts, {OWN});
        if (landed) {
            QTRY_VERIFY_WITH_TIMEOUT(!t.window.actionQueue().isBusy(), 10000);
            QVERIFY(t.window.bigTurnTimer()->isVisible());
            QVERIFY(t.window.turnTimer()->remaining() > 0);
        }
        t.model.onTileClaimed(P3);
        QVERIFY(!t.window.bigTurnTimer()->isVisible());
        QCOMPARE(t.window.bigTurnTimer()->remaining(), 0);
        QCOMPARE(t.window.turnTimer()->remaining(), 0);
        t.model.onMeldDeclared(P3, meld_tuple{MELD_PONG, 0, 27, P1, 0});
        QSettings().setValue(QStringLiteral("game/animations"), false);
        t.window.actionQueue().flush();
        QVERIFY(!t.window.bigTurnTimer()->isVisible());
        QCOMPARE(t.window.turnTimer()->remaining(), 0);
    }
};

QTEST_MAIN(TestGameWindow)
#include "tst_gamewindow.moc"
