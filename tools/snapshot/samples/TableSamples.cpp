#include "../Sample.h"

#include "game/GameModel.h"
#include "lobby/LocalizationDb.h"
#include "protocol/ServerTime.h"
#include "scene/TileGraphics.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameWindow.h"
#include "table/MeldAuction.h"
#include "table/PlayerInactiveWindow.h"
#include "table/PlayerWidget.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/SelectorButton.h"
#include "table/SideBar.h"
#include "table/TableSelector.h"
#include "table/WaitingForPlayersWindow.h"
#include "table/WashoutWindow.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace {

constexpr QSize Felt(800, 600);

// The table's felt with the panel shown on it as the table window shows it.
QWidget *onFelt(QWidget *panel, QSize size = Felt)
{
    auto *host = new QWidget;
    host->setObjectName(QStringLiteral("sampleTable"));
    host->setStyleSheet(QStringLiteral("#sampleTable { background-image: url(resources:/game-bg-pattern.jpg); }"));
    host->resize(size);
    panel->setParent(host);
    if (auto *dialog = qobject_cast<MahjongDialog *>(panel)) {
        dialog->showDialog(true);
    } else {
        panel->adjustSize();
        panel->show();
        MahjongDialog::centerWidgetInParent(panel);
    }
    return host;
}

LocalizationDb *names(QObject *parent)
{
    auto *db = new LocalizationDb(nullptr, nullptr, parent);
    db->onTableNames(QStringLiteral("en"),
                     {{7, QStringLiteral("Bamboo Grove {tableId}")}, {8, QStringLiteral("Quick {tableId}")}});
    return db;
}

TableInfo riichiTable()
{
    TableInfo info(4711, QStringLiteral("101/Practice"));
    info.setRuleset(2);
    info.setCapacity(4);
    info.setSeated(3);
    info.setGameType(TableInfo::FULL_GAME);
    info.setWindRounds(2);
    info.setNameId(7);
    info.setValue(ValueColumnType(1, 1000, 100));
    return info;
}

QWidget *sideBar()
{
    auto *host = new QWidget;
    host->setObjectName(QStringLiteral("sampleTable"));
    host->setStyleSheet(QStringLiteral("#sampleTable { background-image: url(resources:/game-bg-pattern.jpg); }"));
    auto *layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *model = new GameModel(4711, riichiTable(), 1, QStringLiteral("Ayame"), host);
    auto *bar = new SideBar(names(host), host);
    bar->setModel(model);
    bar->setHandId(120034);
    bar->setWindRound(1);
    bar->addPlayer(1, QStringLiteral("Ayame"), 0, 25300, 1, false);
    bar->addPlayer(2, QStringLiteral("Kurosawa the Magnificent"), 1, -12000, 0, true);
    bar->addPlayer(3, QStringLiteral("Li Wei"), 2, 36700, 2, false);
    bar->setWindsVisible(true);
    bar->setScoresVisible(true);
    bar->showPlayerClaim(3, 2, 0);
    bar->setHighlightedPlayer(1);
    layout->addWidget(bar);
    return host;
}

MeldAuction *claimPanel()
{
    useTiles();
    auto *panel = new MeldAuction;
    panel->enablePass();
    const tile discard = 4; // bamboo 5
    for (const meld_offer &offer :
         {meld_offer(1, 2), meld_offer(1, 3), meld_offer(2, 4), meld_offer(8, 4), meld_offer(16, 0)})
        panel->addOffer(offer, discard);
    panel->setAuctionType(MeldAuction::Claim);
    return panel;
}

MeldAuction *declarationPanel()
{
    auto *panel = new MeldAuction;
    panel->showCloseButton();
    panel->addOffer(meld_offer(16, 0), 0);
    panel->addOffer(meld_offer(128, 5), 0);
    panel->setAuctionType(MeldAuction::Declaration);
    return panel;
}

ConcealedActionDialog *concealedActions()
{
    auto *dialog = new ConcealedActionDialog;
    dialog->setOffers({meld_offer(128, 3), meld_offer(8, 12), meld_offer(64, 35)});
    return dialog;
}

PlayerHandScore handScore(qint32 id, const QString &name, int result, int handScore, int settlement)
{
    PlayerHandScore score;
    score.playerId = id;
    score.screenName = name;
    score.result = result;
    score.handScore = handScore;
    score.settlement = settlement;
    score.currentScore = 25000 + settlement;
    return score;
}

ScoreBoard *scoreBoard()
{
    useTiles();
    EndHandScoring scoring;
    scoring.winKind = EndHandScoring::WIN_ON_DISCARD;
    PlayerHandScore winner = handScore(1, QStringLiteral("Ayame"), 1, 7700, 7700);
    winner.doublesLines = {
        {QStringLiteral("Riichi"), 1}, {QStringLiteral("All simples"), 1}, {QStringLiteral("Dora"), 2}};
    winner.doublesTotal = 4;
    winner.pointsLines = {{QStringLiteral("Base"), 20}, {QStringLiteral("Closed ron"), 10}};
    winner.pointsTotal = 30;
    winner.payment = 1540;
    winner.tileGroups = {{{1, 2, 3}, 2}, {{11, 12, 13}, 12}, {{21, 22, 23}, 21}, {{4, 4, 4}, 4}, {{14, 14}, 14}};
    scoring.players[1] = winner;
    PlayerHandScore loser = handScore(2, QStringLiteral("Kurosawa the Magnificent"), 0, 0, -7700);
    loser.payment = -1540;
    scoring.players[2] = loser;
    scoring.players[3] = handScore(3, QStringLiteral("Li Wei"), 0, 0, 0);
    scoring.players[4] = handScore(4, QStringLiteral("<b>Bob</b>"), 0, 0, 0);
    scoring.doraTiles = {3, 28};
    scoring.uraDoraTiles = {17};
    auto *board = new ScoreBoard;
    board->setScoring(scoring, 1, riichiTable());
    board->setPlayerPicture(1, QPixmap(QStringLiteral("resources:/avatar-default-1.png")));
    board->setPlayerPicture(2, QPixmap(QStringLiteral("resources:/avatar-default-2.png")));
    board->setPlayerPicture(3, QPixmap(QStringLiteral("resources:/avatar-default-blue.png")));
    return board;
}

RoundScoreBoard *roundScores(bool tournament)
{
    LocalizationDb *db = names(nullptr);
    auto *board = new RoundScoreBoard(db);
    db->setParent(board);
    board->setPlayerLookup(
        [](qint32 id) {
        static const char *const names[] = {"Ayame", "Kurosawa the Magnificent", "Li Wei", "Bob"};
        return QString::fromLatin1(names[(id - 1) & 3]);
        },
        [](qint32 id) {
        static const char *const pictures[] = {"1", "2", "blue", "1"};
        return QPixmap(QStringLiteral("resources:/avatar-default-%1.png").arg(QLatin1String(pictures[(id - 1) & 3])));
    });
    if (tournament) {
        TournamentInfo info;
        info.name = QStringLiteral("Sunday Open");
        info.numberOfRounds = 5;
        info.currentRound = 1;
        board->setTournamentInfo(info);
        board->setRoundScores({{1, 32000, 3}, {2, 18000, -1}, {3, 41000, 3}, {4, 9000, -5}});
        board->setTournamentRankings({{1, QString(), 7}, {3, QString(), 9}, {2, QString(), -3}});
    } else {
        TableInfo info = riichiTable();
        board->setTableInfo(info);
        board->setMonetaryRoundScores({{1, 32000, 2150}, {2, 18000, -1075}, {3, 41000, 0}, {4, 9000, -1075}});
    }
    return board;
}

WashoutWindow *washout()
{
    auto *window = new WashoutWindow;
    TableInfo info = riichiTable();
    window->setTableInfo(info);
    window->setEndOfGame(true);
    window->setWashoutType(8);
    // The next hand starts in 12 s, counted down as the table shows it.
    window->startCountdown(ServerTime::instance().now().addSecs(12));
    return window;
}

TableSelector *selector()
{
    auto *strip = new TableSelector;
    auto *db = names(strip);
    strip->setLocalizationDb(db);
    TableInfo practice = riichiTable();
    strip->addTable(practice);
    TableInfo tournament(90210, QStringLiteral("101/mtt/12"));
    tournament.setGameType(TableInfo::TOURNAMENT);
    tournament.setNameId(7);
    strip->addTable(tournament);
    TableInfo shortName(12, QStringLiteral("101/Practice"));
    shortName.setNameId(8);
    strip->addTable(shortName);
    strip->onTableActiveChanged(12, false);
    // Play waits on the player at the other table: its time-out mark runs.
    const QDateTime now = ServerTime::instance().now();
    strip->onTableActivity(90210, true, TimeSpan(now.addSecs(-8), now.addSecs(12)));
    strip->onTableActivity(4711, true, TimeSpan(now.addSecs(-2), now.addSecs(18)));
    strip->setActiveTable(4711);
    return strip;
}

PlayerData turnSeat(qint32 id, const char *name, int wind, const tile_vector &discards, int hidden)
{
    PlayerData p(id, QString::fromLatin1(name));
    p.setWind(wind);
    p.setPoints(25000);
    p.setDiscards(discards, -1);
    p.setHiddenTiles(hidden);
    p.setSeated(true);
    return p;
}

// The local player's turn at a Riichi table: the countdown beside the hand.
QWidget *ownTurn()
{
    useTiles();
    constexpr qint32 own = 100;
    auto *window = new GameWindow(nullptr, own);
    TableInfo info = riichiTable();
    info.setId(7);
    auto *model = new GameModel(7, info, own, QStringLiteral("You"), window);
    TableState state;
    state.playerId = own;
    state.lastDiscarder = 103;
    WallState wall;
    wall.liveTiles = 62;
    wall.deadWallTiles = 14;
    wall.deadWallPosition = 5;
    wall.doraIndicators = {21};
    model->markJoined();
    model->onGameData(31, server_game_state::TILE_DISCARDED_STATE,
                      {turnSeat(own, "You", 1, {27, 33, 0}, 0), turnSeat(101, "Kaede", 2, {28, 32}, 13),
                       turnSeat(102, "Marco", 3, {30, 1}, 13), turnSeat(103, "Ines", 0, {29, 10, 19}, 13)},
                      state, wall);
    const tile_vector hand{2, 3, 4, 12, 13, 14, 21, 22, 23, 29, 29, 31, 31, 15};
    model->onPrivatePlayerData(PrivatePlayerData{hand, true, false});
    window->setModel(model);
    window->onPrivatePlayerData(PrivatePlayerData{hand, true, false});
    window->resize(1280, 800);
    const QDateTime now = ServerTime::instance().now();
    window->onPlayerShouldAct(own, TimeSpan(now.addSecs(-3), now.addSecs(12)));
    return window;
}

} // namespace

MAHJONG_SAMPLE(tableOwnTurn, {QStringLiteral("table-window-own-turn"), {1280, 800}, [] { return ownTurn(); }});
MAHJONG_SAMPLE(tableSideBar, {QStringLiteral("table-side-bar"), {229, 760}, [] { return sideBar(); }});
MAHJONG_SAMPLE(tableClaimPanel, {QStringLiteral("table-claim-panel"), Felt, [] { return onFelt(claimPanel()); }});
MAHJONG_SAMPLE(tableDeclarationPanel,
               {QStringLiteral("table-declaration-panel"), Felt, [] { return onFelt(declarationPanel()); }});
MAHJONG_SAMPLE(tableConcealedActions, {QStringLiteral("table-concealed-action-dialog"), {300, 240}, [] {
                                           return onFelt(concealedActions(), {300, 240});
                                       }});
MAHJONG_SAMPLE(tableScoreBoard, {QStringLiteral("table-score-board"), {1024, 768}, [] {
                                     return onFelt(scoreBoard(), {1024, 768});
                                 }});
MAHJONG_SAMPLE(tableRoundScoresTournament,
               {QStringLiteral("table-round-score-board-tournament"), Felt, [] { return onFelt(roundScores(true)); }});
MAHJONG_SAMPLE(tableRoundScoresMoney,
               {QStringLiteral("table-round-score-board-money"), Felt, [] { return onFelt(roundScores(false)); }});
MAHJONG_SAMPLE(tableWashout, {QStringLiteral("table-washout"), Felt, [] { return onFelt(washout()); }});
MAHJONG_SAMPLE(tableWaiting, {QStringLiteral("table-waiting-for-players"), Felt, [] {
                                  auto *window = new WaitingForPlayersWindow;
                                  window->onSeatsRemaining(2);
                                  return onFelt(window);
                              }});
MAHJONG_SAMPLE(tableInactive,
               {QStringLiteral("table-player-inactive"), Felt, [] { return onFelt(new PlayerInactiveWindow); }});
MAHJONG_SAMPLE(tableSelector, {QStringLiteral("table-selector"), {600, 40}, [] { return selector(); }});
