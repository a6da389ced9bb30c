#include "mainwindow/MainWindow.h"

#include "mainwindow/CreateUserWindow.h"
#include "mainwindow/EmbeddedBrowser.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/JavascriptInterface.h"
#include "mainwindow/Logging.h"
#include "mainwindow/LoginWindow.h"
#include "mainwindow/MachineId.h"
#include "mainwindow/PreferencesWindow.h"
#include "mainwindow/SystemBrowser.h"

#include "app/Log.h"
#include "app/MahjongApplication.h"
#include "core/ApplicationVersion.h"
#include "core/TextFormat.h"
#include "lobby/LobbyController.h"
#include "lobby/LobbySummary.h"
#include "lobby/LobbyWindow.h"
#include "lobby/LocalizationDb.h"
#include "lobby/SetScreennameDialog.h"
#include "lobby/TableModel.h"
#include "lobby/TablePreview.h"
#include "protocol/ServerTime.h"
#include "protocol/login_status.h"
#include "social/ConferenceWidget.h"
#include "social/FriendsWindow.h"
#include "social/TablePresenceManager.h"
#include "social/PlayerDb.h"
#include "scene/TileGraphics.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/MeldAuction.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "sound/SoundPlayer.h"
#include "table/TableSelector.h"
#include "tournaments/ComingEventPopup.h"
#include "tournaments/ComingEventsModel.h"
#include "tournaments/ComingEventsView.h"
#include "tournaments/ComingTournamentsWidget.h"
#include "tournaments/TournamentPreview.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/TranslationsManager.h"
#include "widgets/UPushButton.h"
#include "widgets/UTabWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QUrlQuery>

// The in-game dialogs with fixed sample data, to compare their look with the
// style sheets without a server.
namespace {
PlayerHandScore sampleScore(qint32 id, const QString &name, int result, int settlement)
{
    PlayerHandScore score;
    score.playerId = id;
    score.screenName = name;
    score.result = result;
    score.handScore = result == 1 ? settlement : 0;
    score.settlement = settlement;
    score.currentScore = 25000 + settlement;
    return score;
}

TableInfo sampleTable()
{
    TableInfo info(4711, QStringLiteral("101/Practice"));
    info.setRuleset(2);
    info.setCapacity(4);
    info.setSeated(4);
    info.setGameType(TableInfo::FULL_GAME);
    info.setWindRounds(2);
    return info;
}
} // namespace

void MainWindow::onDisplayMiscDialogs()
{
    // The current tile set again, so that tile pictures exist.
    QSettings settings;
    const int blank = settings.value(QStringLiteral("game/tileblank"), 0).toInt();
    const int face = settings.value(QStringLiteral("game/tileface"), 0).toInt();
    TileGraphics::instance().setTileSet(blank >= 0 && blank < TileGraphics::blankNames().size() ? blank : 0,
                                        face >= 0 && face < TileGraphics::faceNames().size() ? face : 0);

    EndHandScoring scoring;
    scoring.winKind = EndHandScoring::WIN_ON_DISCARD;
    PlayerHandScore winner = sampleScore(1, QStringLiteral("Ayame"), 1, 7700);
    winner.doublesLines = {
        {QStringLiteral("Riichi"), 1}, {QStringLiteral("All simples"), 1}, {QStringLiteral("Dora"), 2}};
    winner.doublesTotal = 4;
    winner.pointsLines = {{QStringLiteral("Base"), 20}, {QStringLiteral("Closed ron"), 10}};
    winner.pointsTotal = 30;
    winner.payment = 1540;
    winner.tileGroups = {{{1, 2, 3}, 2}, {{11, 12, 13}, 12}, {{21, 22, 23}, 21}, {{4, 4, 4}, 4}, {{14, 14}, 14}};
    scoring.players[1] = winner;
    PlayerHandScore loser = sampleScore(2, QStringLiteral("Kurosawa"), 0, -7700);
    loser.payment = -1540;
    scoring.players[2] = loser;
    scoring.players[3] = sampleScore(3, QStringLiteral("Li Wei"), 0, 0);
    scoring.players[4] = sampleScore(4, QStringLiteral("Bob"), 0, 0);
    scoring.doraTiles = {3, 28};
    scoring.uraDoraTiles = {17};
    auto *board = new ScoreBoard(this);
    board->setAttribute(Qt::WA_DeleteOnClose);
    board->setScoring(scoring, 1, sampleTable());
    board->setPlayerPicture(1, QPixmap(QStringLiteral("resources:/avatar-default-1.png")));
    board->setPlayerPicture(2, QPixmap(QStringLiteral("resources:/avatar-default-2.png")));
    board->setPlayerPicture(3, QPixmap(QStringLiteral("resources:/avatar-default-blue.png")));
    board->show();

    auto *claim = new MeldAuction(this);
    claim->setAttribute(Qt::WA_DeleteOnClose);
    claim->enablePass();
    for (const meld_offer &offer : {meld_offer(1, 2), meld_offer(1, 3), meld_offer(2, 4), meld_offer(16, 0)})
        claim->addOffer(offer, 4);
    claim->setAuctionType(MeldAuction::Claim);
    claim->show();
    centreOnWindow(claim);

    auto *declaration = new MeldAuction(this);
    declaration->setAttribute(Qt::WA_DeleteOnClose);
    declaration->showCloseButton();
    declaration->enablePass();
    for (const meld_offer &offer : {meld_offer(1, 5), meld_offer(2, 6), meld_offer(16, 0)})
        declaration->addOffer(offer, 6);
    declaration->setAuctionType(MeldAuction::Claim);
    declaration->show();
    centreOnWindow(declaration);

    auto *rounds = new RoundScoreBoard(m_localizationDb, this);
    rounds->setAttribute(Qt::WA_DeleteOnClose);
    rounds->setWindowFlag(Qt::Dialog);
    rounds->setPlayerLookup(
        [](qint32 id) {
        static const char *const names[] = {"Ayame", "Kurosawa", "Li Wei", "Bob"};
        return QString::fromLatin1(names[(id - 1) & 3]);
        },
        [](qint32) { return QPixmap(); });
    rounds->setTournamentInfo(TournamentInfo());
    rounds->setRoundScores({{1, 32000, 3}, {2, 18000, -1}, {3, 41000, 3}, {4, 9000, -5}});
    rounds->show();

    ComingEvent event;
    event.kind = 1;
    event.when = ServerTime::instance().now().addSecs(180);
    auto *popup = new ComingEventPopup(this, event);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->move(20, 60);
    popup->show();
}
