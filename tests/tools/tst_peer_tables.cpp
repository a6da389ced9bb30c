// The run command's game server as a newcomer plays it, at the protocol:
// a tournament seat that can be taken and rounds that follow each other to
// the final standings, games that end so that a leave gives the seat back,
// a full game whose next hand carries the moved points and sticks, hands
// scored with every fan they hold, and the run's own options.
#include "game/EndHandScoring.h"
#include "protocol/ConnectionManager.h"
#include "protocol/Seating.h"
#include "protocol/TournamentInfoUpdates.h"
#include "tools/peer/PeerProcess.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>

class TestPeerTables : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tournamentSeatsAndPlaysEveryRound();
    void gameEndGivesTheSeatBack_data();
    void gameEndGivesTheSeatBack();
    void internationalWinsCountMixedDoubleChow_data();
    void internationalWinsCountMixedDoubleChow();
    void runOptionsPlayOnAndAnnounceTheChat();
    void aShortTournamentIsAlwaysOpen();
    void aLeftHandPlaysAgainForTheNextJoinOrWatch();
    void aWatchedHandCountsItsPlayers_data();
    void aWatchedHandCountsItsPlayers();

private:
    bool start(PeerProcess &peer, ConnectionManager &cm, const QStringList &args);
    // Answers every offer of the demo hands but those of tableLeft:
    // discards the drawn tile, takes every claim and win, is ready.
    void playAlong(ConnectionManager &cm, QObject *context, qint32 tableLeft = 0);
};

namespace {
// The lobby's seat count of each table, as the session hears it.
void followSeats(ConnectionManager &cm, std::map<qint32, int> &seats)
{
    QObject::connect(&cm, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate), &cm,
                     [&seats](const TableInfo &t) { seats[t.id()] = t.seated(); });
    QObject::connect(&cm, qOverload<qint32, int, TableInfoUpdates>(&ConnectionManager::tableInfoUpdate), &cm,
                     [&seats](qint32 id, int seated, const TableInfoUpdates &) { seats[id] = seated; });
}

void forEachStep(const QJsonArray &steps, const std::function<void(const QJsonObject &)> &visit)
{
    for (const QJsonValue &v : steps) {
        const QJsonObject step = v.toObject();
        visit(step);
        const QJsonObject reply = step.value(QStringLiteral("reply")).toObject();
        for (auto it = reply.begin(); it != reply.end(); ++it)
            forEachStep(it.value().toArray(), visit);
    }
}
} // namespace

void TestPeerTables::initTestCase()
{
    PeerProcess::installTestCa();
}

bool TestPeerTables::start(PeerProcess &peer, ConnectionManager &cm, const QStringList &args)
{
    if (!peer.start(args)) {
        qWarning() << peer.errorString();
        return false;
    }
    QSignalSpy checked(&cm, &ConnectionManager::versionCheckComplete);
    QSignalSpy loggedIn(&cm, &ConnectionManager::loginSuccess);
    cm.connectToHost(QStringLiteral("localhost"), peer.port());
    if (!checked.wait(10000))
        return false;
    cm.login(QStringLiteral("newcomer"), QStringLiteral("any"));
    return loggedIn.wait(10000);
}

void TestPeerTables::playAlong(ConnectionManager &cm, QObject *context, qint32 tableLeft)
{
    const qint32 me = cm.ownPlayerId();
    connect(&cm, &ConnectionManager::tilesFromWall, context,
            [&cm](qint32, tile_vector tiles, bool) { cm.setProperty("drawn", int(tiles.back())); });
    // "firstDiscard": the tile that goes on the first turn at each table
    // instead of the drawn one (the tournament hand keeps its East pair so).
    auto firstTurns = std::make_shared<std::set<qint32>>();
    connect(&cm, &ConnectionManager::playerShouldAct, context,
            [&cm, me, tableLeft, firstTurns](qint32 table, TimeSpan, qint32 player) {
        if (player != me || table == tableLeft)
            return;
        tile t = tile(cm.property("drawn").toInt());
        if (firstTurns->insert(table).second && cm.property("firstDiscard").isValid())
            t = tile(cm.property("firstDiscard").toInt());
        QTimer::singleShot(50, &cm, [&cm, table, me, t] { cm.discard_tile(table, me, t); });
    });
    connect(&cm, &ConnectionManager::meldSuggestion, context,
            [&cm, me](qint32 table, TimeSpan, meld_offer_vector offers) {
        if (offers.at(0).meldType == MELD_PONG)
            cm.call_pong(table, me, offers.at(0).t);
        else
            cm.call_mahjong(table, me);
    });
    // With "declineWins" set the drawn tile goes instead.
    connect(&cm, &ConnectionManager::concealedMeldSuggestion, context,
            [&cm, me](qint32 table, TimeSpan, const meld_offer_vector &offers) {
        if (offers.at(0).meldType == MELD_MAHJONG && !cm.property("declineWins").toBool())
            cm.call_mahjong(table, me);
    });
    connect(&cm, &ConnectionManager::areYouReady, context, [&cm, me](qint32 table, TimeSpan) { cm.ready(table, me); });
}

void TestPeerTables::tournamentSeatsAndPlaysEveryRound()
{
    PeerProcess peer;
    ConnectionManager cm(true);
    const QStringList args{QStringLiteral("--demo"), QStringLiteral("--seat-after-ms"), QStringLiteral("300")};
    QVERIFY(start(peer, cm, args));
    // A hand at a practice table is left waiting for the player: the
    // tournament's hands play all the same.
    QSignalSpy practice(&cm, &ConnectionManager::playerShouldAct);
    cm.join_table(1001);
    QVERIFY(practice.wait(20000));
    QObject context;
    // The 6 of bamboo goes first at the tournament's tables: the East pair
    // stays for the win.
    cm.setProperty("firstDiscard", 5);
    playAlong(cm, &context, 1001);
    QSignalSpy seated(&cm, &ConnectionManager::tournamentSeated);
    QSignalSpy joined(&cm, &ConnectionManager::joinSuccessful);
    QSignalSpy refused(&cm, &ConnectionManager::joinFailed);
    QSignalSpy roundEnds(&cm, &ConnectionManager::endOfTournamentRound);
    QSignalSpy standings(&cm, &ConnectionManager::tournamentRankings);
    QSignalSpy updates(&cm, qOverload<qint32, TournamentInfoUpdates>(&ConnectionManager::tournamentInfoUpdate));
    QSignalSpy tables(&cm, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate));
    QSignalSpy games(&cm, &ConnectionManager::gameData);
    QSignalSpy dealt(&cm, &ConnectionManager::startHand);
    QSignalSpy balances(&cm, &ConnectionManager::currentAccountBalance);
    const qint32 coffeeBreak = 19; // two rounds, starting soon
    // The tournament as the client's lobby knows it.
    TournamentInfo info;
    connect(&cm, qOverload<TournamentInfo>(&ConnectionManager::tournamentInfoUpdate), &context,
            [&info](const TournamentInfo &t) {
        if (t.id == coffeeBreak)
            info = t;
    });
    connect(&cm, qOverload<qint32, TournamentInfoUpdates>(&ConnectionManager::tournamentInfoUpdate), &context,
            [&info](qint32 id, const TournamentInfoUpdates &u) {
        if (id == coffeeBreak)
            for (const auto &apply : u)
                apply(info);
    });
    cm.tournaments_lobby_subscribe();
    // Players come as the run goes on; with more than eight four places
    // are paid, and the three bots the player beats tie for three of them.
    QTRY_VERIFY_WITH_TIMEOUT(info.registeredPlayers >= 8, 60000);
    cm.register_tournament_request(coffeeBreak);
    QTRY_VERIFY_WITH_TIMEOUT(info.status != TournamentInfo::Open,
                             10000 + int(PeerProcess::effectiveValue(args, QStringLiteral("--seat-after-ms"), 0)));
    const qint64 registeredBalance = balances.last()[0].toLongLong();
    const int players = info.registeredPlayers;
    QVERIFY(players >= 9);

    std::vector<qint32> rounds;
    qint32 ownPoints = 0;
    for (int round = 0; round < 2; ++round) {
        // The first round won, the second lost to a bot.
        cm.setProperty("declineWins", round == 1);
        QTRY_COMPARE_WITH_TIMEOUT(seated.size(), round + 1, 20000);
        QCOMPARE(seated.last()[0].toInt(), coffeeBreak);
        const qint32 table = seated.last()[1].toInt();
        rounds.push_back(table);
        // The round runs from its seat on, as long as the tournament's rounds.
        QCOMPARE(info.currentRound, round);
        QVERIFY(std::abs(info.roundsStart.at(size_t(round)).secsTo(QDateTime::currentDateTimeUtc())) < 5);
        // As the client does: the tournament's tables, then the seat's join.
        cm.lobby_subscribe(QStringLiteral("101/mtt/%1").arg(coffeeBreak));
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(
                                     tables.begin(), tables.end(),
                                     [table](const QList<QVariant> &t) {
            return t[0].value<TableInfo>().id() == table && t[0].value<TableInfo>().isFull();
                                     }),
                                 10000);
        cm.join_table(table);
        QTRY_COMPARE_WITH_TIMEOUT(joined.size() + refused.size(), round + 1, 10000);
        QCOMPARE(refused.size(), 0);
        QCOMPARE(joined.last()[0].toInt(), table);
        // The hand is dealt to the table as its last game data showed it.
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(dealt.begin(), dealt.end(),
                                             [table](const QList<QVariant> &d) { return d[0].toInt() == table; }),
                                 20000);
        std::set<qint32> atTable;
        for (const QList<QVariant> &g : games)
            if (g[0].toInt() == table) {
                atTable.clear();
                for (const PlayerData &p : g[3].value<std::vector<PlayerData>>())
                    atTable.insert(p.id());
            }
        for (qint32 id : dealt.last()[2].value<Seating>().players)
            QVERIFY2(atTable.count(id),
                     qPrintable(QStringLiteral("player %1 is dealt in but not at the table").arg(id)));
        QTRY_COMPARE_WITH_TIMEOUT(roundEnds.size(), round + 1, 60000);
        QCOMPARE(roundEnds.last()[1].toInt(), table);
        QCOMPARE(roundEnds.last()[2].toBool(), round == 1);
        // One rule in every round: the places at the table give 4, 2, 1 and
        // 0 points (in halves), tied places sharing theirs.
        const TournamentRoundScores results = roundEnds.last()[3].value<TournamentRoundScores>();
        QCOMPARE(results.size(), size_t(4));
        qint32 total = 0;
        for (const TournamentRoundScore &a : results) {
            total += a.result;
            for (const TournamentRoundScore &b : results) {
                if (a.mahjongPoints > b.mahjongPoints)
                    QVERIFY2(a.result > b.result, qPrintable(QStringLiteral("round %1").arg(round + 1)));
                if (a.mahjongPoints == b.mahjongPoints)
                    QCOMPARE(a.result, b.result);
            }
            if (a.playerId == cm.ownPlayerId())
                ownPoints += a.result;
            // The hand kept for the win wins the first round.
            if (a.playerId == cm.ownPlayerId() && round == 0)
                QCOMPARE(a.result, 8);
        }
        QCOMPARE(total, 14);
        QTRY_COMPARE_WITH_TIMEOUT(standings.size(), round + 1, 10000);
        const TournamentRankings ranking = standings.last()[1].value<TournamentRankings>();
        // Every registered player stands in the list, in the order of the
        // points; the player with the points of the rounds played.
        QCOMPARE(int(ranking.size()), info.registeredPlayers);
        for (size_t i = 1; i < ranking.size(); ++i)
            QVERIFY(ranking[i - 1].competitionPoints >= ranking[i].competitionPoints);
        const auto own = std::find_if(ranking.begin(), ranking.end(),
                                      [&cm](const TournamentRanking &r) { return r.playerId == cm.ownPlayerId(); });
        QVERIFY(own != ranking.end());
        QCOMPARE(own->competitionPoints, ownPoints);
        // The final standings come with the tournament done, not later.
        QCOMPARE(info.status == TournamentInfo::Done, round == 1);
        if (round == 0) {
            for (const TournamentRanking &r : ranking)
                QCOMPARE(r.payout, qint64(0));
            continue;
        }
        // Every place in the money is paid as the prize list shows it
        // (50, 30, 10 and 10 per cent, down to ten cents); tied players,
        // listed by name, share the prizes of their places evenly.
        const qint64 pot = qint64(info.cost.bet) * players + info.additionalPayoutAmount;
        const auto shown = [pot](int share) { return qint64(share / 1000.0 * double(pot)) / 10 * 10; };
        qint64 paid = 0;
        for (size_t i = 0; i < ranking.size(); ++i) {
            paid += ranking[i].payout;
            if (i > 0 && ranking[i].competitionPoints == ranking[i - 1].competitionPoints
                && ranking[i].tablePoints == ranking[i - 1].tablePoints) {
                QVERIFY(std::abs(ranking[i].payout - ranking[i - 1].payout) <= 1);
                QVERIFY(ranking[i - 1].name < ranking[i].name);
            }
        }
        QCOMPARE(paid, shown(500) + shown(300) + 2 * shown(100));
        QTRY_COMPARE(balances.last()[0].toLongLong(), registeredBalance + own->payout);
    }
    QVERIFY(rounds[0] != rounds[1]);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

void TestPeerTables::gameEndGivesTheSeatBack_data()
{
    QTest::addColumn<qint32>("table");
    // Each practice table's demo hand, joined from the lobby.
    QTest::newRow("classic single hand") << 1001;
    QTest::newRow("riichi full game") << 1002;
    QTest::newRow("international east only") << 1003;
}

void TestPeerTables::gameEndGivesTheSeatBack()
{
    QFETCH(qint32, table);
    PeerProcess peer;
    ConnectionManager cm(true);
    QVERIFY(start(peer, cm, {QStringLiteral("--demo")}));
    std::map<qint32, int> seats;
    followSeats(cm, seats);
    QObject context;
    playAlong(cm, &context);
    QSignalSpy scored(&cm, &ConnectionManager::handEndScoring);
    QSignalSpy washouts(&cm, &ConnectionManager::handEndNonScoring);
    QSignalSpy started(&cm, &ConnectionManager::startHand);
    QSignalSpy roundEnd(&cm, &ConnectionManager::endOfRound);
    QSignalSpy summaries(&cm, &ConnectionManager::lobbySummary);
    cm.lobby_subscribe(QStringLiteral("101/Practice"));
    QTRY_VERIFY(seats.count(table));
    const int before = seats[table];
    cm.query_lobby_summary();
    QVERIFY(summaries.wait(10000));
    const lobby_summary_t idle = summaries.last()[0].value<lobby_summary_t>();
    cm.join_table(table);
    QVERIFY(roundEnd.wait(90000));
    // The lobby counts everyone the table deals in, bots too, and its
    // figures follow without being asked again.
    const int dealtIn = int(started.last()[2].value<Seating>().players.size());
    QCOMPARE(seats[table], dealtIn);
    QTRY_VERIFY_WITH_TIMEOUT(
        summaries.last()[0].value<lobby_summary_t>().playersSeated == idle.playersSeated + dealtIn - before, 10000);

    // The round's last hand ended the game: the client may leave now.
    QVERIFY(!scored.isEmpty());
    const bool lastIsWashout = !washouts.isEmpty();
    const bool endOfGame = lastIsWashout ? washouts.last()[2].toBool()
                                         : scored.last()[1].value<EndHandScoring>().endOfGame;
    QVERIFY(endOfGame);
    if (started.size() > 1) {
        // A full game goes on: the next hand starts from the scored points,
        // the riichi sticks taken off the table.
        const EndHandScoring first = scored.first()[1].value<EndHandScoring>();
        QVERIFY(!first.endOfGame);
        const auto scores = started[1][3].value<round_score_vector>();
        QCOMPARE(scores.size(), size_t(4));
        for (const round_score_t &s : scores)
            QCOMPARE(s.points, first.players.at(s.playerId).currentScore);
        QCOMPARE(started[1][5].value<TableState>().riichiSticks, 0);
        QCOMPARE(started[0][5].value<TableState>().riichiSticks, 0);
    }
    cm.leave_table(table);
    QTRY_COMPARE(seats[table], before);
    QTRY_COMPARE_WITH_TIMEOUT(summaries.last()[0].value<lobby_summary_t>().playersSeated, idle.playersSeated, 10000);

    // Joined again, the table's hand is dealt again from its start.
    const qsizetype hands = started.size();
    cm.join_table(table);
    QTRY_VERIFY_WITH_TIMEOUT(started.size() > hands, 20000);
    QCOMPARE(started.last()[1].toLongLong(), started.first()[1].toLongLong());
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

void TestPeerTables::internationalWinsCountMixedDoubleChow_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("played") << QStringLiteral("demo-international-hand.json");
    QTest::newRow("watched") << QStringLiteral("demo-watch-international.json");
}

void TestPeerTables::internationalWinsCountMixedDoubleChow()
{
    QFETCH(QString, file);
    QFile f(QDir(PeerProcess::scenarioDirectory()).filePath(file));
    QVERIFY(f.open(QIODevice::ReadOnly));
    int wins = 0;
    forEachStep(QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("steps")).toArray(),
                [&](const QJsonObject &step) {
        if (step.value(QStringLiteral("send")).toString() != QLatin1String("hand_end_scoring"))
            return;
        const QJsonObject scoring =
            step.value(QStringLiteral("fields")).toObject().value(QStringLiteral("scoring")).toObject();
        for (const QJsonValue &v : scoring.value(QStringLiteral("scores")).toArray()) {
            const QJsonObject s = v.toObject();
            if (s.value(QStringLiteral("result")).toInt() != 1)
                continue;
            ++wins;
            // Chows by suit and first number (tiles 0-26: three suits of nine).
            std::map<int, std::set<int>> suitsOfChow;
            for (const QJsonValue &g : s.value(QStringLiteral("tileGroups")).toArray()) {
                const QJsonArray t = g.toObject().value(QStringLiteral("tiles")).toArray();
                if (t.size() == 3 && t[0].toInt() < 27 && t[1].toInt() == t[0].toInt() + 1)
                    suitsOfChow[t[0].toInt() % 9].insert(t[0].toInt() / 9);
            }
            QStringList lines;
            for (const QJsonValue &line : s.value(QStringLiteral("points")).toArray())
                lines << line.toObject().value(QStringLiteral("name")).toString();
            for (const auto &[number, suits] : suitsOfChow) {
                if (suits.size() == 2)
                    QVERIFY2(lines.contains(QStringLiteral("Mixed Double Chow")), qPrintable(lines.join(", ")));
                if (suits.size() == 3)
                    QVERIFY2(lines.contains(QStringLiteral("Mixed Triple Chow")), qPrintable(lines.join(", ")));
            }
        }
    });
    QVERIFY(wins > 0);
}

void TestPeerTables::runOptionsPlayOnAndAnnounceTheChat()
{
    // A test's checkpoint is passed over, and the chat server named.
    QTemporaryDir dir;
    QFile scenario(dir.filePath(QStringLiteral("hold.json")));
    QVERIFY(scenario.open(QIODevice::WriteOnly));
    scenario.write(R"({"trigger": "login", "steps": [
        {"expect": "query_lobby_summary", "hold": true, "timeout_ms": 600000},
        {"send": "player_message", "fields": {"text": "played on"}}]})");
    scenario.close();
    PeerProcess peer;
    ConnectionManager cm(true);
    QSignalSpy messages(&cm, &ConnectionManager::playerMessage);
    QSignalSpy config(&cm, &ConnectionManager::clientConfig);
    QVERIFY(start(peer, cm,
                  {QStringLiteral("--demo"), QStringLiteral("--no-holds"), QStringLiteral("--xmpp-port"),
                   QStringLiteral("5399"), QStringLiteral("--scenario"), scenario.fileName()}));
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 10000);
    QCOMPARE(messages[0][0].toString(), QStringLiteral("played on"));
    cm.query_client_config();
    QVERIFY(config.wait(10000));
    QCOMPARE(config[0][0].value<ClientConfig>().xmppServer(), QStringLiteral("localhost:5399"));
}

void TestPeerTables::aShortTournamentIsAlwaysOpen()
{
    PeerProcess peer;
    ConnectionManager cm(true);
    const QStringList args{QStringLiteral("--demo"), QStringLiteral("--short-tournament-secs"), QStringLiteral("3")};
    QVERIFY(start(peer, cm, args));
    // Each one starts this long after the one before.
    const int apartMs = 1000 * int(PeerProcess::effectiveValue(args, QStringLiteral("--short-tournament-secs"), 0));
    std::map<qint32, TournamentInfo> known;
    connect(&cm, qOverload<TournamentInfo>(&ConnectionManager::tournamentInfoUpdate), this,
            [&known](const TournamentInfo &t) { known[t.id] = t; });
    connect(&cm, qOverload<qint32, TournamentInfoUpdates>(&ConnectionManager::tournamentInfoUpdate), this,
            [&known](qint32 id, const TournamentInfoUpdates &u) {
        for (const auto &apply : u)
            apply(known[id]);
    });
    QSignalSpy seated(&cm, &ConnectionManager::tournamentSeated);
    cm.tournaments_lobby_subscribe();
    QTRY_VERIFY(known.count(19));
    QCOMPARE(known[19].status, TournamentInfo::Open);
    // Missed: the first one starts without the player, and the next one
    // like it opens for registration as it does.
    QTRY_VERIFY_WITH_TIMEOUT(known[19].status == TournamentInfo::Playing && known.count(20), apartMs + 10000);
    QCOMPARE(known[20].status, TournamentInfo::Open);
    QCOMPARE(known[20].name, known[19].name);
    QVERIFY(known[20].start > QDateTime::currentDateTimeUtc());
    QCOMPARE(known[20].roundsLength, known[19].roundsLength);
    cm.register_tournament_request(20);
    QTRY_COMPARE_WITH_TIMEOUT(seated.size(), 1, apartMs + 10000);
    QCOMPARE(seated[0][0].toInt(), 20);
    QTRY_VERIFY_WITH_TIMEOUT(known.count(21) && known[21].status == TournamentInfo::Open, 5000);
}

void TestPeerTables::aLeftHandPlaysAgainForTheNextJoinOrWatch()
{
    PeerProcess peer;
    ConnectionManager cm(true);
    QVERIFY(start(peer, cm, {QStringLiteral("--demo")}));
    QSignalSpy turns(&cm, &ConnectionManager::playerShouldAct);
    QSignalSpy dealt(&cm, &ConnectionManager::startHand);
    QSignalSpy left(&cm, &ConnectionManager::leaveSuccessful);
    QSignalSpy discards(&cm, &ConnectionManager::tileDiscarded);
    const qint32 table = 1001;
    cm.join_table(table);
    // Left in the middle of the hand, at the player's turn.
    QVERIFY(turns.wait(20000));
    cm.leave_table(table);
    QVERIFY(left.wait(10000));
    cm.join_table(table);
    QTRY_COMPARE_WITH_TIMEOUT(dealt.size(), 2, 20000);
    QCOMPARE(dealt[1][0].toInt(), table);
    QTRY_COMPARE_WITH_TIMEOUT(turns.size(), 2, 20000);
    // A full table watched meanwhile plays its hand in progress.
    const qint32 full = 2002;
    cm.watch_table(full);
    QTRY_VERIFY_WITH_TIMEOUT(
        std::any_of(discards.begin(), discards.end(), [](const QList<QVariant> &d) { return d[0].toInt() == full; }),
        30000);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

void TestPeerTables::aWatchedHandCountsItsPlayers_data()
{
    QTest::addColumn<qint32>("table");
    QTest::newRow("empty practice table") << 1001;
    QTest::newRow("full money table") << 2002;
}

// The lobby counts the players of the hand a watcher sees, and only while
// it is watched.
void TestPeerTables::aWatchedHandCountsItsPlayers()
{
    QFETCH(qint32, table);
    PeerProcess peer;
    ConnectionManager cm(true);
    QVERIFY(start(peer, cm, {QStringLiteral("--demo")}));
    std::map<qint32, int> seats;
    followSeats(cm, seats);
    QSignalSpy gameData(&cm, &ConnectionManager::gameData);
    cm.lobby_subscribe(QStringLiteral("101/Practice"));
    cm.lobby_subscribe(QStringLiteral("101/Money"));
    QTRY_VERIFY(seats.count(table));
    const int before = seats[table];
    cm.watch_table(table);
    const auto watchedHand = [&] {
        for (const QList<QVariant> &d : gameData)
            if (d[0].toInt() == table && !d[3].value<std::vector<PlayerData>>().empty())
                return int(d[3].value<std::vector<PlayerData>>().size());
        return 0;
    };
    QTRY_VERIFY_WITH_TIMEOUT(watchedHand() > 0, 20000);
    QTRY_COMPARE(seats[table], watchedHand());
    QSignalSpy unwatched(&cm, &ConnectionManager::unwatchSuccessful);
    cm.unwatch_table(table);
    QVERIFY(unwatched.wait(10000));
    QTRY_COMPARE(seats[table], before);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

QTEST_MAIN(TestPeerTables)
#include "tst_peer_tables.moc"
