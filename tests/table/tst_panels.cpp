#include "core/TextFormat.h"
#include "game/GameModel.h"
#include "lobby/LocalizationDb.h"
#include "protocol/WallState.h"
#include "scene/DeclaredView.h"
#include "scene/MeldView.h"
#include "protocol/ServerTime.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "table/ConcealedActionDialog.h"
#include "table/MeldAuction.h"
#include "table/MeldChoice.h"
#include "table/PlayerInactiveWindow.h"
#include "table/PlayerWidget.h"
#include "table/RoundScoreBoard.h"
#include "table/RoundScoreWidget.h"
#include "table/ScoreBoard.h"
#include "table/SelectorButton.h"
#include "table/SideBar.h"
#include "table/TableSelector.h"
#include "table/WaitingForPlayersWindow.h"
#include "table/WashoutWindow.h"

#include <QGraphicsView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include <stdexcept>

namespace {
template <typename T = QWidget>
T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

// Visible object names among names, in that order (visible to its parent).
QStringList shown(const QWidget *parent, const QStringList &names)
{
    QStringList result;
    for (const QString &name : names)
        if (!child(parent, qPrintable(name))->isHidden())
            result << name;
    return result;
}

TableInfo table(int ruleset, int gameType, int capacity = 4)
{
    TableInfo info(77, QStringLiteral("101/Practice"));
    info.setRuleset(ruleset);
    info.setGameType(gameType);
    info.setCapacity(capacity);
    info.setWindRounds(2);
    info.setValue(ValueColumnType(1, 1000, 100));
    return info;
}

PlayerHandScore score(qint32 id, int result, int handScore, int settlement = 0, int payment = 0)
{
    PlayerHandScore entry;
    entry.playerId = id;
    entry.screenName = QStringLiteral("p%1").arg(id);
    entry.result = result;
    entry.handScore = handScore;
    entry.settlement = settlement;
    entry.payment = payment;
    return entry;
}

QDateTime fixedNow()
{
    return QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
}
} // namespace

class tst_Panels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
        QDir::setSearchPaths(QStringLiteral("textimages"), {QStringLiteral(":/default/textimages")});
        TileGraphics::instance().setTileSet(0, 0);
        // Made first: the server clock's estimate installs itself as the
        // text helpers' clock when it is made (the countdowns follow it).
        ServerTime::instance();
        Utils::setServerClock(&fixedNow);
    }

    void chowLabels_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("offerTile");
        QTest::addColumn<int>("lastDiscard");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("chow low") << 1 << 3 << 3 << "Chow Low"
                                  << "Alt+1";
        QTest::newRow("chow mid") << 1 << 3 << 4 << "Chow Mid"
                                  << "Alt+2";
        QTest::newRow("chow hi") << 1 << 3 << 5 << "Chow Hi"
                                 << "Alt+3";
        QTest::newRow("chow off the discard") << 1 << 3 << 7 << ""
                                              << "";
        QTest::newRow("kong") << 8 << 9 << 9 << "Kong"
                              << "Alt+K";
        QTest::newRow("pong") << 2 << 9 << 9 << "Pong"
                              << "Alt+P";
        QTest::newRow("pong to kong") << 4 << 9 << 0 << "Pong to kong"
                                      << "Alt+K";
        QTest::newRow("bonus") << 64 << 35 << 0 << "Bonus"
                               << "";
        QTest::newRow("riichi") << 128 << 5 << 0 << "Riichi"
                                << "Alt+R";
        QTest::newRow("pair") << 32 << 5 << 5 << ""
                              << "";
    }
    void chowLabels()
    {
        QFETCH(int, type);
        QFETCH(int, offerTile);
        QFETCH(int, lastDiscard);
        QFETCH(QString, label);
        QFETCH(QString, shortcut);
        const meld_offer offer(type, tile(offerTile));
        if (label.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, MeldChoice(nullptr, offer, tile(lastDiscard)));
            return;
        }
        MeldChoice row(nullptr, offer, tile(lastDiscard));
        auto *button = child<QPushButton>(&row, "meldChoiceButton");
        QCOMPARE(button->text(), label);
        QCOMPARE(button->shortcut(), QKeySequence(shortcut));
        QSignalSpy selected(&row, &MeldChoice::selected);
        button->click();
        QCOMPARE(selected.value(0).value(0).value<meld_offer>(), offer);

        // Drawn as the table draws the meld, upright and at the tile set's
        // own size, the first tile showing the discard marked.
        const MeldView *meld = row.meldItem();
        QCOMPARE(meld->meldType(), type);
        const tile_vector faces = meld->tiles();
        const auto discard = std::find(faces.begin(), faces.end(), tile(lastDiscard));
        for (std::size_t i = 0; i < faces.size(); ++i) {
            const TileView *item = meld->tileItems()[i];
            QCOMPARE(item->use(), TileImages::Declared);
            QCOMPARE(&item->tilePainter(), &TileGraphics::instance().unscaledPainter());
            QCOMPARE(item->isMarked(), discard != faces.end() && i == std::size_t(discard - faces.begin()));
        }
    }

    void chowErrorText()
    {
        try {
            MeldChoice::kindOf(meld_offer(1, 3), 7);
            QFAIL("accepted");
        } catch (const std::runtime_error &error) {
            QCOMPARE(QString::fromStdString(error.what()),
                     "invalid tile BAMBOO 4 sent in chow meld offer, last discard is BAMBOO 8");
        }
    }

    void claimPanelButtons_data()
    {
        QTest::addColumn<meld_offer_vector>("offers");
        QTest::addColumn<bool>("pass");
        QTest::addColumn<int>("auction");
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("title");
        const QStringList all{"mahjongButtonFrame", "meldChoiceSeparator", "mahjongButton",
                              "riichiButton",       "passButton",          "closeButton"};
        QTest::newRow("mahjong only") << meld_offer_vector{{16, 7}} << true << 0
                                      << QStringList{"mahjongButtonFrame", "meldChoiceSeparator", "mahjongButton",
                                                     "passButton"}
                                      << 0 << "Choose Meld";
        QTest::newRow("riichi on own turn") << meld_offer_vector{{128, 7}} << false << 1
                                            << QStringList{"riichiButton", "closeButton"} << 0 << "Choose Meld";
        QTest::newRow("replace tiles") << meld_offer_vector{} << true << 3 << QStringList{"passButton"} << 0
                                       << "Replace tiles";
        QTest::newRow("rob the kong") << meld_offer_vector{{1, 3}, {2, 5}, {16, 0}} << true << 2
                                      << QStringList{"mahjongButtonFrame", "meldChoiceSeparator", "mahjongButton",
                                                     "passButton"}
                                      << 2 << "Rob the Kong";
    }
    void claimPanelButtons()
    {
        QFETCH(meld_offer_vector, offers);
        QFETCH(bool, pass);
        QFETCH(int, auction);
        QFETCH(QStringList, visible);
        QFETCH(int, rows);
        QFETCH(QString, title);
        MeldAuction panel;
        if (pass)
            panel.enablePass();
        else
            panel.showCloseButton();
        for (const meld_offer &offer : offers)
            panel.addOffer(offer, 5);
        panel.setAuctionType(auction);
        // The title bar has a closeButton of its own: look in the form.
        QCOMPARE(shown(child(&panel, "MeldAuction"), {"mahjongButtonFrame", "meldChoiceSeparator", "mahjongButton",
                                                      "riichiButton", "passButton", "closeButton"}),
                 visible);
        QCOMPARE(panel.findChildren<MeldChoice *>().size(), rows);
        QCOMPARE(panel.windowTitle(), title);

        QSignalSpy melds(&panel, &MeldAuction::meldSelected);
        QSignalSpy passes(&panel, &MeldAuction::passSelected);
        child<QPushButton>(&panel, "mahjongButton")->click();
        child<QPushButton>(&panel, "riichiButton")->click();
        child<QPushButton>(&panel, "passButton")->click();
        const bool mahjong = visible.contains(QStringLiteral("mahjongButton"));
        QCOMPARE(melds.size(), mahjong ? 2 : 1);
        if (mahjong)
            QCOMPARE(melds.value(0).value(0).value<meld_offer>(), meld_offer(16, 0));
        // Riichi never carries the server's tile.
        QCOMPARE(melds.last().value(0).value<meld_offer>(), meld_offer(128, 0));
        // An added offer arms Pass even on an own-turn panel.
        QCOMPARE(passes.size(), pass || !offers.empty() ? 1 : 0);
    }

    void concealedActions_data()
    {
        QTest::addColumn<meld_offer_vector>("offers");
        QTest::addColumn<QStringList>("visible");
        QTest::newRow("riichi and two kongs")
            << meld_offer_vector{{128, 1}, {8, 3}, {8, 9}} << QStringList{"riichiButton", "kongButton"};
        QTest::newRow("chow and pong") << meld_offer_vector{{1, 1}, {2, 3}} << QStringList{};
        QTest::newRow("flower and extension")
            << meld_offer_vector{{64, 35}, {4, 2}} << QStringList{"pongToKongButton", "replaceBonusButton"};
    }
    void concealedActions()
    {
        QFETCH(meld_offer_vector, offers);
        QFETCH(QStringList, visible);
        const QStringList all{"riichiButton", "kongButton", "pongToKongButton", "replaceBonusButton", "cancelButton"};
        ConcealedActionDialog dialog;
        dialog.showCancelOnly();
        QCOMPARE(shown(&dialog, all), QStringList{"cancelButton"});
        dialog.setOffers(offers);
        QCOMPARE(shown(&dialog, all), visible);
    }

    void claimImages_data()
    {
        QTest::addColumn<int>("meld");
        QTest::addColumn<int>("ruleset");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("image");
        QTest::newRow("pong riichi") << 2 << 2 << 0 << "textimages:claim-pon.png";
        QTest::newRow("pong classic") << 2 << 0 << 0 << "textimages:claim-pong.png";
        QTest::newRow("pong international") << 2 << 1 << 0 << "textimages:claim-pong.png";
        QTest::newRow("chow riichi") << 1 << 2 << 0 << "textimages:claim-chii.png";
        QTest::newRow("kong classic") << 8 << 0 << 0 << "textimages:claim-kong.png";
        QTest::newRow("mahjong kind 1") << 16 << 2 << 1 << "textimages:claim-mahjong.png";
        QTest::newRow("mahjong kind 2") << 16 << 2 << 2 << "textimages:claim-ron.png";
        QTest::newRow("mahjong kind 3") << 16 << 2 << 3 << "textimages:claim-tsumo.png";
        QTest::newRow("riichi") << 128 << 2 << 0 << "textimages:claim-riichi.png";
        QTest::newRow("bonus") << 64 << 2 << 0 << "";
    }
    void claimImages()
    {
        QFETCH(int, meld);
        QFETCH(int, ruleset);
        QFETCH(int, kind);
        QFETCH(QString, image);
        PlayerWidget seat;
        if (image.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, seat.showClaim(meld, ruleset, kind));
            QVERIFY(!seat.isClaimShown());
            return;
        }
        seat.showClaim(meld, ruleset, kind);
        QCOMPARE(seat.claimImage(), image);
        QVERIFY(seat.isClaimShown());
        // The ready mark takes the one claim area.
        seat.showReady(true);
        QCOMPARE(seat.claimImage(), QStringLiteral("textimages:ready.png"));
        seat.showReady(false);
        QVERIFY(!seat.isClaimShown());
    }

    void seatScores_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("label");
        QTest::newRow("none") << -1 << ""
                              << "";
        QTest::newRow("single hand") << 0 << "3"
                                     << "3wins";
        QTest::newRow("full game") << 2 << "-12,000"
                                   << "12000pts";
        QTest::newRow("east only") << 3 << "-12,000"
                                   << "12000pts";
        QTest::newRow("tournament") << 1 << "-12,000"
                                    << "12000pts";
    }
    void seatScores()
    {
        QFETCH(int, gameType);
        QFETCH(QString, score);
        QFETCH(QString, label);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        PlayerWidget seat;
        seat.setPoints(-12000);
        seat.setWins(3);
        seat.setGameType(gameType);
        QCOMPARE(seat.scoreText(), score);
        // Without a translation the plural pattern shows its count.
        QCOMPARE(seat.scoreLabelText(), label);
    }

    void seatHighlight()
    {
        PlayerWidget seat;
        seat.setWind(2);
        auto *wind = child<QLabel>(&seat, "windLabel");
        const QImage plain = QPixmap(QStringLiteral("resources:/sb-winds.png")).copy(52, 0, 26, 21).toImage();
        const QImage lit = QPixmap(QStringLiteral("resources:/sb-winds-hilight.png")).copy(52, 0, 26, 21).toImage();
        QVERIFY(plain != lit && !plain.isNull());
        QCOMPARE(wind->pixmap().toImage(), plain);
        seat.setHighlight(true);
        QCOMPARE(wind->pixmap().toImage(), lit);
        QVERIFY(!child(&seat, "highlightLabel")->isHidden());
        seat.setHighlight(false);
        QCOMPARE(wind->pixmap().toImage(), plain);
        QVERIFY(child(&seat, "highlightLabel")->isHidden());
    }

    void sideBarSeats()
    {
        GameModel model(77, table(2, 2), 1, QStringLiteral("me"));
        SideBar bar(nullptr);
        bar.setModel(&model);
        bar.addPlayer(1, QStringLiteral("east"), 0, 0, 0, false);
        QCOMPARE(bar.emptySeats(), 3);
        bar.addPlayer(3, QStringLiteral("west"), 2, 0, 0, false);
        QCOMPARE(bar.emptySeats(), 2);
        bar.addPlayer(4, QStringLiteral("north"), 3, 0, 0, false);
        bar.addPlayer(2, QStringLiteral("south"), 1, 0, 0, false);
        QCOMPARE(bar.emptySeats(), 0);
        // A leaver still listed and a newcomer: more players than seats.
        bar.addPlayer(5, QStringLiteral("newcomer"), 0, 0, 0, false);
        QCOMPARE(bar.emptySeats(), 0);
        bar.removePlayer(5);

        const auto names = [&bar] {
            QStringList result;
            for (PlayerWidget *seat : bar.seatOrder())
                result << seat->name();
            return result;
        };
        QCOMPARE(names(), (QStringList{"east", "south", "west", "north"}));
        TableState state;
        state.playerId = 3;
        std::vector<PlayerData> players;
        model.onGameData(1, server_game_state::INITIAL_STATE, players, state, WallState());
        bar.setPlayerWind(3, 2);
        QCOMPARE(names(), (QStringList{"west", "north", "east", "south"}));

        bar.setHighlightedPlayer(3);
        QVERIFY(bar.playerWidget(3)->highlight());
        bar.removePlayer(3);
        QCOMPARE(bar.highlightedPlayer(), -1);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, bar.playerWidget(3));

        // The user menu gets the whole name, not what the label shows.
        const QString longName = QStringLiteral("A very long screen name indeed");
        bar.addPlayer(6, longName, 2, 0, 0, false);
        QSignalSpy menu(&bar, &SideBar::userMenuRequested);
        emit bar.playerWidget(6)->customContextMenuRequested(QPoint(1, 1));
        QCOMPARE(menu.value(0).value(0).toString(), longName);
    }

    void sideBarRound_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("round");
        QTest::addColumn<int>("secondsLeft");
        QTest::addColumn<QString>("text");
        QTest::newRow("running") << 3 << 1 << 125 << "Round ends in 2m 05s";
        QTest::newRow("under a second") << 3 << 1 << 0 << "Round ends in now";
        QTest::newRow("past") << 3 << 1 << -30 << "Round ends in now";
        QTest::newRow("paused") << 4 << 1 << 125 << "No round playing";
        QTest::newRow("round outside the lists") << 3 << 2 << 125 << "No round playing";
    }
    void sideBarRound()
    {
        QFETCH(int, status);
        QFETCH(int, round);
        QFETCH(int, secondsLeft);
        QFETCH(QString, text);
        GameModel model(77, table(0, 1), 1, QStringLiteral("me"));
        SideBar bar(nullptr);
        bar.setModel(&model);
        TournamentInfo info;
        info.name = QStringLiteral("Cup <b>");
        info.status = TournamentInfo::status_t(status);
        info.numberOfRounds = 4;
        info.currentRound = round;
        info.roundsStart = {fixedNow().addSecs(-3600), fixedNow().addSecs(-600)};
        info.roundsLength = {1800, 600 + secondsLeft};
        if (round >= 2)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no start or length for round"));
        bar.setTournamentInfo(info);
        QCOMPARE(child<QLabel>(&bar, "roundLimit")->text(), text);
        QCOMPARE(child<QLabel>(&bar, "tableRound")->text(), QStringLiteral("Round %1 of 4").arg(round + 1));
        QCOMPARE(child<QLabel>(&bar, "tableName")->textFormat(), Qt::PlainText);
    }

    void scoreBoard()
    {
        EndHandScoring scoring;
        scoring.winKind = EndHandScoring::WIN_ON_DISCARD;
        scoring.players[1] = score(1, 0, 0, -2000, 0);
        scoring.players[2] = score(2, 1, 3900, 3900, 100);
        scoring.players[3] = score(3, 1, 8000, 8000, 0);
        scoring.players[4] = score(4, 0, 0, 1000, 0);
        scoring.players[2].pointsLines = {{QStringLiteral("<i>Base</i>"), 20}};
        scoring.players[2].pointsTotal = 20;
        scoring.players[3].tileGroups = {{{1, 2, 3}, 2}, {{9, 9}, 9}};
        scoring.doraTiles = {3};
        ScoreBoard board;
        board.setScoring(scoring, 1, table(2, 0));
        QCOMPARE(board.playerOrder(), (std::vector<qint32>{3, 2, 1, 4}));
        // The winner's hand: a row per group, its tile to mark marked.
        const QList<QGraphicsItem *> items = child<QGraphicsView>(&board, "graphicsView1")->scene()->items();
        const auto hand = std::find_if(items.begin(), items.end(),
                                       [](QGraphicsItem *item) { return item->type() == DeclaredView::Type; });
        QVERIFY(hand != items.end());
        std::vector<tile_vector> rows;
        tile_vector marked;
        for (const MeldView *row : static_cast<DeclaredView *>(*hand)->melds()) {
            QCOMPARE(row->meldType(), 16);
            rows.push_back(row->tiles());
            for (const TileView *item : row->tileItems())
                if (item->isMarked())
                    marked.push_back(item->getTile());
        }
        QCOMPARE(rows, (std::vector<tile_vector>{{1, 2, 3}, {9, 9}}));
        QCOMPARE(marked, (tile_vector{2, 9}));
        QCOMPARE(child<QTabWidget>(&board, "scoreMelds")->currentIndex(), 0);
        QCOMPARE(child<QTabWidget>(&board, "scoreMelds")->tabText(2), QStringLiteral("Losing hand"));
        // Payment rows everywhere once one entry pays, "$0" included.
        for (const char *name : {"total1", "total2", "total3", "total4"})
            QVERIFY(child<QLabel>(&board, name)->text().contains(QStringLiteral("Payment")));
        QVERIFY(child<QLabel>(&board, "total1")->text().contains(QStringLiteral(">$0<")));
        // A server's line name is text, never markup.
        const QString lines = child<QTextEdit>(&board, "score2")->toPlainText();
        QVERIFY(lines.contains(QStringLiteral("<i>Base</i>")));
        QVERIFY(!lines.contains(QStringLiteral("Hand Score"))); // Riichi shows none
        QVERIFY(!child(&board, "doraTilesFrame")->isHidden());
        QVERIFY(child(&board, "uraDoraTilesLable")->isHidden());
        QCOMPARE(ScoreBoard::claimImage(scoring.players[4], 2, 2), QStringLiteral("textimages:claim-tenpai.png"));
        QCOMPARE(ScoreBoard::claimImage(scoring.players[4], 2, 0), QString());
        QCOMPARE(child<QPushButton>(&board, "readyPushButton")->text(), QStringLiteral("Ready"));

        // No winner: the local player's tab; no payment: no payment row.
        for (auto &[id, entry] : scoring.players) {
            entry.result = 0;
            entry.payment = 0;
        }
        scoring.doraTiles.clear();
        scoring.endOfGame = true;
        board.setScoring(scoring, 4, table(0, 2));
        QCOMPARE(board.playerOrder()[size_t(child<QTabWidget>(&board, "scoreMelds")->currentIndex())], 4);
        QVERIFY(!child<QLabel>(&board, "total1")->text().contains(QStringLiteral("Payment")));
        QVERIFY(child<QTextEdit>(&board, "score2")->toPlainText().contains(QStringLiteral("Hand Score")));
        QVERIFY(child(&board, "doraTilesFrame")->isHidden());
        QCOMPARE(child<QPushButton>(&board, "readyPushButton")->text(), QStringLiteral("Play ($10 + $1)"));
    }

    void scoreBoardFitsTheTable_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("smallest window") << QSize(1024, 768);
        QTest::newRow("full HD") << QSize(1920, 1080);
    }
    void scoreBoardFitsTheTable()
    {
        QFETCH(QSize, window);
        QWidget felt;
        felt.resize(window);
        felt.show();
        EndHandScoring scoring;
        scoring.players[1] = score(1, 1, 8000, 8000, 100);
        scoring.players[1].screenName = QStringLiteral("A rather long screen name for one column");
        // A usual hand's lines, as many as a Riichi win on a discard shows.
        scoring.players[1].pointsLines = {{QStringLiteral("Base"), 20}, {QStringLiteral("Closed ron"), 10}};
        scoring.players[1].doublesLines = {
            {QStringLiteral("Riichi"), 1}, {QStringLiteral("All simples"), 1}, {QStringLiteral("Dora"), 2}};
        scoring.players[2] = score(2, 0, 0, -8000);
        scoring.doraTiles = {3};
        ScoreBoard board(&felt);
        board.setScoring(scoring, 1, table(0, 0));
        board.showDialog(true);
        // The form's width, the table in sight around the board.
        QVERIFY(board.width() >= 736 && board.width() < window.width() - 200);
        QVERIFY(board.y() >= 16 && board.geometry().bottom() < window.height() - 16);
        // Every scoring line in sight, without scrolling.
        QCOMPARE(child<QTextEdit>(&board, "score1")->verticalScrollBar()->maximum(), 0);
        // A name too long for its column is cut; the whole of it on hover.
        auto *name = child<QLabel>(&board, "name1");
        QVERIFY(name->text() != scoring.players[1].screenName);
        QVERIFY(name->toolTip().contains(scoring.players[1].screenName));
        QVERIFY(name->sizeHint().width() <= name->width());
    }

    void roundScores()
    {
        RoundScoreBoard board(nullptr);
        board.setPlayerLookup([](qint32 id) { return QStringLiteral("p%1").arg(id); },
                              [](qint32) { return QPixmap(); });
        board.setRoundScores({{1, 100, 3}, {2, 900, -1}, {3, 300, 3}});
        QStringList rows;
        for (RoundScoreWidget *row : board.rows())
            rows << row->name() + QLatin1Char(' ') + row->roundResultText() + QLatin1Char(' ')
                        + row->tournamentPointsText();
        QCOMPARE(rows, (QStringList{"p3 1.5 0", "p1 1.5 0", "p2 -0.5 0"}));
        QCOMPARE(board.rows()[0]->y(), 55);
        QCOMPARE(board.rows()[2]->y(), 245);
        // The tournament points are the entry's third 32-bit value, in half
        // points; the standings' own table points are not shown here.
        board.setTournamentRankings({{2, QString(), 7, 11}, {9, QString(), 5, 13}});
        QCOMPARE(board.rows()[2]->tournamentPointsText(), QStringLiteral("5.5"));
        QCOMPARE(board.rows()[0]->tournamentPointsText(), QStringLiteral("0"));

        board.setMonetaryRoundScores({{1, 100, -1075}});
        QCOMPARE(board.rows().size(), size_t(1));
        QCOMPARE(board.rows()[0]->mahjongPointsText(), QStringLiteral("-$10.75"));
        QVERIFY(child(board.rows()[0], "roundResults")->isHidden());
        board.setMonetaryRoundScores({});
        QVERIFY(board.rows().empty());
    }

    // The board's title follows the table names the server sends after it is
    // filled (a language change sends them again).
    void roundBoardTitleFollowsNames()
    {
        LocalizationDb names(nullptr, nullptr);
        RoundScoreBoard board(&names);
        TableInfo table(1002, QStringLiteral("101/Practice"));
        table.setNameId(3);
        board.setTableInfo(table);
        // No name known yet: the lobby's word.
        QCOMPARE(board.title(), QStringLiteral("Table 1002"));
        names.onTableNames(names.language(), {{3, QStringLiteral("Practice {tableId}")}});
        QCOMPARE(board.title(), QStringLiteral("Practice 1002"));
        names.onTableNames(names.language(), {{3, QStringLiteral("Renshuu {tableId}")}});
        QCOMPARE(board.title(), QStringLiteral("Renshuu 1002"));
        QCOMPARE(board.roundText(), QStringLiteral("Round results"));

        // A tournament's board keeps the tournament's name.
        TournamentInfo cup;
        cup.name = QStringLiteral("Cup");
        cup.currentRound = 1;
        cup.numberOfRounds = 4;
        board.setTournamentInfo(cup);
        names.onTableNames(names.language(), {{3, QStringLiteral("Other {tableId}")}});
        QCOMPARE(board.title(), QStringLiteral("Cup"));
        QCOMPARE(board.roundText(), QStringLiteral("Round 2/4"));
    }

    void washout_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("watchOnly");
        QTest::addColumn<int>("gameType");
        QTest::addColumn<bool>("endOfGame");
        QTest::addColumn<QString>("reasonText");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("ready");
        QTest::newRow("type 4") << 4 << false << 0 << false << "" << QStringList{"readyButton", "leaveButton"}
                                << "Ready";
        QTest::newRow("nine") << 6 << false << 1 << false << "Nine honors or terminals." << QStringList{"readyButton"}
                              << "Next hand";
        QTest::newRow("four kongs") << 7 << true << 0 << false << "Four kongs." << QStringList{"okButton"} << "Ready";
        QTest::newRow("wind") << 8 << false << 2 << true << "Same wind discard."
                              << QStringList{"readyButton", "leaveButton"} << "Play ($10 + $1)";
        QTest::newRow("riichi") << 9 << false << 2 << false << "No-one declared win after all player declared riichi."
                                << QStringList{"readyButton"} << "Next hand";
    }
    void washout()
    {
        QFETCH(int, reason);
        QFETCH(bool, watchOnly);
        QFETCH(int, gameType);
        QFETCH(bool, endOfGame);
        QFETCH(QString, reasonText);
        QFETCH(QStringList, buttons);
        QFETCH(QString, ready);
        WashoutWindow window;
        window.setWashoutType(reason);
        window.setEndOfGame(endOfGame);
        window.setTableInfo(table(0, gameType));
        window.setWatchOnly(watchOnly);
        auto *label = child<QLabel>(&window, "washoutReason");
        QCOMPARE(label->text(), reasonText);
        QCOMPARE(label->isHidden(), reasonText.isEmpty());
        QCOMPARE(shown(&window, {"readyButton", "leaveButton", "okButton"}), buttons);
        QCOMPARE(child<QPushButton>(&window, "readyButton")->text(), ready);
        window.startCountdown(fixedNow().addSecs(10));
        QVERIFY(!child(&window, "nextRoundLabel")->isHidden());
        window.startCountdown(fixedNow());
        QVERIFY(child(&window, "nextRoundLabel")->isHidden());
    }

    void notices()
    {
        WaitingForPlayersWindow waiting;
        waiting.showDialog();
        waiting.onSeatsRemaining(1);
        QCOMPARE(child<QLabel>(&waiting, "mainText")->text(), QStringLiteral("Waiting for 1 player(s) to join table."));
        QCOMPARE(waiting.windowTitle(), QStringLiteral("Waiting for players"));
        waiting.onSeatsRemaining(0);
        QVERIFY(waiting.isHidden());

        PlayerInactiveWindow inactive;
        QCOMPARE(child<QLabel>(&inactive, "mainText")->text(),
                 QStringLiteral("You have been inactive, and will therefore automatically stand down. Please press "
                                "reactivate to regain control."));
        inactive.showDialog();
        QSignalSpy reactivate(&inactive, &PlayerInactiveWindow::reactivateButtonClicked);
        auto *button = child<QPushButton>(&inactive, "reactivateButton");
        button->click();
        button->click();
        QCOMPARE(reactivate.size(), 1);
        inactive.hide();
        inactive.showDialog();
        QVERIFY(button->isEnabled());
    }

    void selectorStrip()
    {
        LocalizationDb names(nullptr, nullptr);
        names.onTableNames(QStringLiteral("en"),
                           {{1, QStringLiteral("Bamboo Grove {tableId}")}, {2, QStringLiteral("Cup {tableId}")}});
        TableSelector strip;
        strip.resize(1000, 40);
        strip.setLocalizationDb(&names);
        TableInfo grove = table(0, 0);
        grove.setNameId(1);
        TableInfo cup = table(0, 1);
        cup.setId(9);
        cup.setNameId(2);
        strip.addTable(grove);
        strip.addTable(cup);
        QCOMPARE(strip.button(77)->text(), QStringLiteral("Bamboo Grove 77"));
        QCOMPARE(strip.button(77)->toolTip(), Qt::convertFromPlainText(QStringLiteral("Bamboo Grove 77")));
        QCOMPARE(strip.button(9)->text(), QStringLiteral("Table(9)"));
        QCOMPARE(strip.button(9)->kind(), int(SelectorButton::Tournament));
        QCOMPARE(strip.button(77)->kind(), int(SelectorButton::Play));
        QVERIFY(!strip.scrollButtonsVisible());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, strip.addTable(grove));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, strip.removeTable(5));

        QSignalSpy clicked(&strip, &TableSelector::tableClicked);
        strip.lobbyButton()->click();
        QCOMPARE(clicked.value(0).value(0).toInt(), -1);
        strip.setActiveTable(9);
        QCOMPARE(strip.checkedTableId(), 9);
        strip.onTableActiveChanged(77, false);
        QVERIFY(strip.button(77)->timerWidget()->isHidden());
        QVERIFY(!strip.button(77)->inactiveMarker()->isHidden());
        strip.removeTable(77);
        QCOMPARE(strip.button(77), nullptr);
    }
};

QTEST_MAIN(tst_Panels)
#include "tst_panels.moc"
