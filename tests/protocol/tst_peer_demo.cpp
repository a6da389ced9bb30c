// The demo server of the run command as a newcomer meets it: the start
// page's quick joins, the lobby the client subscribes, seats and money that
// add up, and demo hands scored as their ruleset scores them.
#include "game/EndHandScoring.h"
#include "game/Meld.h"
#include "protocol/ConnectionManager.h"
#include "tools/peer/PeerProcess.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

class TestPeerDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void quickJoinSeatsAtATableOfThatKind_data();
    void quickJoinSeatsAtATableOfThatKind();
    void lobbySeatsAndMoneyAddUp();
    void droppedPlayerKeepsSeatAndMoney();
    void watchedHandIsOfTheTablesRuleset_data();
    void watchedHandIsOfTheTablesRuleset();
    void demoHandsScoreAsTheirRulesetPays_data();
    void demoHandsScoreAsTheirRulesetPays();

private:
    bool start(PeerProcess &peer, ConnectionManager &cm);
    bool logIn(PeerProcess &peer, ConnectionManager &cm);
};

void TestPeerDemo::initTestCase()
{
    PeerProcess::installTestCa();
}

bool TestPeerDemo::start(PeerProcess &peer, ConnectionManager &cm)
{
    if (!peer.start({QStringLiteral("--demo")})) {
        qWarning() << peer.errorString();
        return false;
    }
    return logIn(peer, cm);
}

bool TestPeerDemo::logIn(PeerProcess &peer, ConnectionManager &cm)
{
    QSignalSpy checked(&cm, &ConnectionManager::versionCheckComplete);
    QSignalSpy loggedIn(&cm, &ConnectionManager::loginSuccess);
    cm.connectToHost(QStringLiteral("localhost"), peer.port());
    if (!checked.wait(10000))
        return false;
    cm.login(QStringLiteral("newcomer"), QStringLiteral("any"));
    return loggedIn.wait(10000);
}

void TestPeerDemo::quickJoinSeatsAtATableOfThatKind_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("ruleset");
    QTest::addColumn<int>("liveTiles");
    // The welcome page's buttons; each table's hand deals its ruleset's wall.
    QTest::newRow("play now") << QStringLiteral("/Regular/ForFun/Riichi/Express/4/") << 2 << 70;
    QTest::newRow("riichi") << QStringLiteral("/Practice/Riichi/4/") << 2 << 70;
    QTest::newRow("international") << QStringLiteral("/Practice/International/4/") << 1 << 92;
    QTest::newRow("classic") << QStringLiteral("/Practice/Classic/4/") << 0 << 78;
    // The Riichi table for three, Practice 1004.
    QTest::newRow("riichi for three") << QStringLiteral("/Practice/Riichi/3/") << 2 << 122;
    QTest::newRow("unknown kind waits") << QStringLiteral("/Practice/Bridge/4/") << -1 << 0;
}

void TestPeerDemo::quickJoinSeatsAtATableOfThatKind()
{
    QFETCH(QString, path);
    QFETCH(int, ruleset);
    QFETCH(int, liveTiles);
    PeerProcess peer;
    ConnectionManager cm(true);
    QVERIFY(start(peer, cm));
    std::map<qint32, TableInfo> tables;
    connect(&cm, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate), this,
            [&tables](const TableInfo &t) { tables[t.id()] = t; });
    QSignalSpy waiting(&cm, &ConnectionManager::waitingList);
    QSignalSpy joined(&cm, &ConnectionManager::joinSuccessful);
    QSignalSpy started(&cm, &ConnectionManager::startHand);
    cm.lobby_subscribe(QStringLiteral("101/Practice"));
    QTRY_COMPARE(tables.size(), size_t(6));
    cm.filter_join(path);
    if (ruleset < 0) {
        QVERIFY(waiting.wait(5000));
        QCOMPARE(joined.size(), 0);
        return;
    }
    QVERIFY(joined.wait(5000));
    const qint32 id = joined[0][0].toInt();
    QVERIFY(tables.count(id));
    QCOMPARE(tables[id].ruleset(), ruleset);
    QVERIFY(!tables[id].value().hasBuyIn());
    QVERIFY(started.wait(15000));
    QCOMPARE(started[0][0].toInt(), id);
    QCOMPARE(started[0][6].value<WallState>().liveTiles, liveTiles);
    QCOMPARE(waiting.size(), 0);

    // The hand plays to its end: two discards, every claim and win taken.
    const qint32 me = cm.ownPlayerId();
    int turns = 0;
    connect(&cm, &ConnectionManager::playerShouldAct, this, [&](qint32 table, TimeSpan, qint32 player) {
        const tile first = ruleset == 2 ? 5 : 33;
        if (player == me && ++turns <= 2)
            cm.discard_tile(table, me, turns == 1 ? first : tile(ruleset == 2 ? 33 : 5));
    });
    connect(&cm, &ConnectionManager::meldSuggestion, this, [&](qint32 table, TimeSpan, meld_offer_vector offers) {
        if (offers.at(0).meldType == MELD_PONG)
            cm.call_pong(table, me, offers.at(0).t);
        else
            cm.call_mahjong(table, me);
    });
    connect(&cm, &ConnectionManager::concealedMeldSuggestion, this,
            [&](qint32 table, TimeSpan, const meld_offer_vector &offers) {
        if (offers.at(0).meldType == MELD_MAHJONG)
            cm.call_mahjong(table, me);
    });
    connect(&cm, &ConnectionManager::areYouReady, this, [&](qint32 table, TimeSpan) { cm.ready(table, me); });
    QSignalSpy scored(&cm, &ConnectionManager::handEndScoring);
    QSignalSpy roundEnd(&cm, &ConnectionManager::endOfRound);
    QVERIFY(roundEnd.wait(60000));
    QCOMPARE(scored.size(), 1);
    const EndHandScoring scoring = scored[0][1].value<EndHandScoring>();
    QCOMPARE(scoring.players.at(me).result, 1); // the player won
    QCOMPARE(scoring.players.at(me).screenName, QStringLiteral("newcomer"));
    QVERIFY(!peer.waitForLine(QStringLiteral("SCENARIO_DONE")).isNull());
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());

    // Once every table of the kind is full, the next quick join opens another.
    for (int i = 0; i < 4; ++i) {
        joined.clear();
        cm.filter_join(path);
        QVERIFY(joined.wait(5000));
    }
    const qint32 last = joined[0][0].toInt();
    QVERIFY(last != id);
    QTRY_VERIFY(tables.count(last));
    QCOMPARE(tables[last].ruleset(), ruleset);
    QCOMPARE(waiting.size(), 0);
}

void TestPeerDemo::lobbySeatsAndMoneyAddUp()
{
    PeerProcess peer;
    ConnectionManager cm(true);
    QVERIFY(start(peer, cm));
    std::map<qint32, TableInfo> tables;
    std::map<qint32, int> seated;
    connect(&cm, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate), this, [&](const TableInfo &t) {
        tables[t.id()] = t;
        seated[t.id()] = t.seated();
    });
    connect(&cm, qOverload<qint32, int, TableInfoUpdates>(&ConnectionManager::tableInfoUpdate), this,
            [&seated](qint32 id, int n, const TableInfoUpdates &) { seated[id] = n; });
    QSignalSpy balance(&cm, &ConnectionManager::currentAccountBalance);
    QSignalSpy left(&cm, &ConnectionManager::leaveSuccessful);

    // The money tables are in the lobby the client subscribes.
    cm.lobby_subscribe(QStringLiteral("101/Practice"));
    QTRY_COMPARE(tables.size(), size_t(6));
    QVERIFY(tables.count(2001) && tables.count(2002));
    QVERIFY(tables[2001].value().hasBuyIn());

    cm.query_account_balance();
    QVERIFY(balance.wait(5000));
    const qint64 start = balance.takeFirst()[0].toLongLong();

    // A seat taken and left shows in the lobby both ways; the buy-in of a
    // money table leaves the balance.
    const int before = seated[2001];
    cm.join_table(2001);
    // The player and the bots the hand seats fill the table.
    QTRY_COMPARE(seated[2001], tables[2001].capacity());
    QTRY_COMPARE(balance.size(), 1);
    QCOMPARE(balance.takeFirst()[0].toLongLong(), start - tables[2001].value().total());
    cm.leave_table(2001);
    QVERIFY(left.wait(5000));
    QTRY_COMPARE(seated[2001], before);

    // A tournament's buy-in likewise, given back when unregistering; the
    // registered player is on its player list.
    QSignalSpy registered(&cm, &ConnectionManager::tournamentRegisterSuccess);
    QSignalSpy rankings(&cm, &ConnectionManager::tournamentRankings);
    const qint64 afterTable = start - tables[2001].value().total();
    cm.register_tournament_request(7); // $10.00 + $1.00
    QVERIFY(registered.wait(5000));
    QTRY_COMPARE(balance.size(), 1);
    QCOMPARE(balance.takeFirst()[0].toLongLong(), afterTable - 1100);
    cm.get_tournament_ranking_list(7);
    QVERIFY(rankings.wait(5000));
    bool listed = false;
    for (const TournamentRanking &r : rankings[0][1].value<TournamentRankings>())
        listed = listed || (r.playerId == cm.ownPlayerId() && r.name == QLatin1String("newcomer"));
    QVERIFY(listed);
    cm.unregister_tournament_request(7);
    QTRY_COMPARE(balance.size(), 1);
    QCOMPARE(balance.takeFirst()[0].toLongLong(), afterTable);

    // Won at the money table: the pot pays the stake back with the others'.
    QSignalSpy roundEnd(&cm, &ConnectionManager::endOfRound);
    const qint32 me = cm.ownPlayerId();
    // Two discards (after the first draw and the pong), then the win.
    int turns = 0;
    connect(&cm, &ConnectionManager::playerShouldAct, this, [&cm, me, &turns](qint32 table, TimeSpan, qint32 player) {
        if (player == me && ++turns <= 2)
            cm.discard_tile(table, me, turns == 1 ? 33 : 5);
    });
    connect(&cm, &ConnectionManager::meldSuggestion, this,
            [&cm, me](qint32 table, TimeSpan, meld_offer_vector offers) { cm.call_pong(table, me, offers.at(0).t); });
    connect(&cm, &ConnectionManager::concealedMeldSuggestion, this,
            [&cm, me](qint32 table, TimeSpan, const meld_offer_vector &) { cm.call_mahjong(table, me); });
    connect(&cm, &ConnectionManager::areYouReady, this, [&cm, me](qint32 table, TimeSpan) { cm.ready(table, me); });
    cm.join_table(2001);
    QVERIFY(roundEnd.wait(60000));
    const qint64 bet = tables[2001].value().bet;
    for (const MonetaryRoundScore &s : roundEnd[0][1].value<MonetaryRoundScores>())
        QCOMPARE(s.result, s.playerId == me ? 3 * bet : -bet);
    QTRY_COMPARE(balance.size(), 2);
    QCOMPARE(balance[1][0].toLongLong(), afterTable - tables[2001].value().total() + 4 * bet);
}

void TestPeerDemo::droppedPlayerKeepsSeatAndMoney()
{
    PeerProcess peer;
    auto first = std::make_unique<ConnectionManager>(true);
    QVERIFY(start(peer, *first));
    QSignalSpy joined(first.get(), &ConnectionManager::joinSuccessful);
    first->join_table(2001); // $1.00 + $0.10
    QVERIFY(joined.wait(5000));
    first.reset(); // the connection ends at the table
    QVERIFY(!peer.waitForLine(QStringLiteral("DISCONNECTED")).isNull());

    ConnectionManager again(true);
    QSignalSpy seated(&again, &ConnectionManager::notifySeated);
    QVERIFY(logIn(peer, again));
    QTRY_COMPARE(seated.size(), 1);
    QCOMPARE(seated[0][0].toInt(), 2001);
    QCOMPARE(seated[0][1].toInt(), -1); // not a tournament table
    // The buy-in the first connection paid is still gone.
    QSignalSpy balance(&again, &ConnectionManager::currentAccountBalance);
    again.query_account_balance();
    QVERIFY(balance.wait(5000));
    QCOMPARE(balance[0][0].toLongLong(), qint64(123456 - 110));
    // Taking the kept seat again costs nothing more.
    QSignalSpy rejoined(&again, &ConnectionManager::joinSuccessful);
    again.join_table(2001);
    QVERIFY(rejoined.wait(5000));
    QTest::qWait(300);
    QCOMPARE(balance.size(), 1);
    // Told once: the next login starts afresh.
    ConnectionManager third(true);
    QSignalSpy none(&third, &ConnectionManager::notifySeated);
    QVERIFY(logIn(peer, third));
    QTest::qWait(300);
    QCOMPARE(none.size(), 0);
}

void TestPeerDemo::watchedHandIsOfTheTablesRuleset_data()
{
    QTest::addColumn<qint32>("table");
    QTest::addColumn<int>("liveTiles");
    QTest::newRow("classic") << 1001 << 67;
    QTest::newRow("international") << 1003 << 81;
}

void TestPeerDemo::watchedHandIsOfTheTablesRuleset()
{
    QFETCH(qint32, table);
    QFETCH(int, liveTiles);
    PeerProcess peer;
    ConnectionManager cm(true);
    QVERIFY(start(peer, cm));
    QSignalSpy game(&cm, &ConnectionManager::gameData);
    QSignalSpy scored(&cm, &ConnectionManager::handEndScoring);
    QSignalSpy riichi(&cm, &ConnectionManager::riichiDeclared);
    QSignalSpy dora(&cm, &ConnectionManager::kanDora);
    cm.watch_table(table);
    QTRY_VERIFY_WITH_TIMEOUT(game.size() >= 2, 5000);
    // The hand in progress, on the wall of the table's ruleset.
    QCOMPARE(game.last()[5].value<WallState>().liveTiles, liveTiles);
    QVERIFY(scored.wait(60000));
    QCOMPARE(scored[0][1].value<EndHandScoring>().winKind, qint32(EndHandScoring::MAHJONG));
    QCOMPARE(riichi.size(), 0);
    QCOMPARE(dora.size(), 0);
}

namespace {
// Walks every step list of a scenario, replies included.
void forEachStep(const QJsonArray &steps, const std::function<void(const QJsonObject &)> &visit)
{
    for (const QJsonValue &v : steps) {
        const QJsonObject step = v.toObject();
        visit(step);
        const QJsonObject reply = step.value(QStringLiteral("reply")).toObject();
        for (const QJsonValue &branch : reply)
            forEachStep(branch.toArray(), visit);
    }
}

qint64 roundUp100(qint64 v)
{
    return (v + 99) / 100 * 100;
}
} // namespace

void TestPeerDemo::demoHandsScoreAsTheirRulesetPays_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("ruleset");
    QTest::addColumn<int>("startPoints");
    QTest::newRow("classic") << QStringLiteral("demo-hand.json") << 0 << 2000;
    QTest::newRow("international") << QStringLiteral("demo-international-hand.json") << 1 << 0;
    QTest::newRow("riichi") << QStringLiteral("demo-riichi-hand.json") << 2 << 25000;
    QTest::newRow("riichi watched") << QStringLiteral("demo-watch.json") << 2 << 25000;
    QTest::newRow("classic watched") << QStringLiteral("demo-watch-classic.json") << 0 << 2000;
    QTest::newRow("international watched") << QStringLiteral("demo-watch-international.json") << 1 << 0;
    QTest::newRow("classic robbed kong") << QStringLiteral("rob-the-kong-hand.json") << 0 << 2000;
}

void TestPeerDemo::demoHandsScoreAsTheirRulesetPays()
{
    QFETCH(QString, file);
    QFETCH(int, ruleset);
    QFETCH(int, startPoints);
    QFile f(QDir(PeerProcess::scenarioDirectory()).filePath(file));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject scenario = QJsonDocument::fromJson(f.readAll()).object();
    QCOMPARE(scenario.value(QStringLiteral("rulesets")).toArray(), QJsonArray{ruleset});
    int scored = 0;
    int claimed = 0;
    forEachStep(scenario.value(QStringLiteral("steps")).toArray(), [&](const QJsonObject &step) {
        const QString send = step.value(QStringLiteral("send")).toString();
        const QJsonObject fields = step.value(QStringLiteral("fields")).toObject();
        QJsonArray melds;
        if (send == QLatin1String("meld_declared"))
            melds.append(fields.value(QStringLiteral("meld")));
        for (const QJsonValue &p : fields.value(QStringLiteral("players")).toArray())
            for (const QJsonValue &m : p.toObject().value(QStringLiteral("melds")).toArray())
                melds.append(m);
        for (const QJsonValue &m : melds) {
            // A claimed pong shows every face and whom it came from; a
            // concealed kong turns its two end tiles down.
            const QJsonObject meld = m.toObject();
            const int type = meld.value(QStringLiteral("meldType")).toInt();
            const int from = meld.value(QStringLiteral("claimedFrom")).toInt();
            if (type == 2) {
                ++claimed;
                QVERIFY(from >= 0);
                QCOMPARE(meld.value(QStringLiteral("visibility")).toInt(), 0);
            } else if (type == 8 && from == -1) {
                QCOMPARE(meld.value(QStringLiteral("visibility")).toInt(), 1);
            }
        }
        if (send != QLatin1String("hand_end_scoring"))
            return;
        ++scored;
        const QJsonObject scoring = fields.value(QStringLiteral("scoring")).toObject();
        const int winKind = scoring.value(QStringLiteral("winKind")).toInt();
        // Only Riichi tables know ron and tsumo.
        QCOMPARE(winKind == 1, ruleset != 2);
        qint64 sum = 0;
        QJsonObject winner;
        for (const QJsonValue &v : scoring.value(QStringLiteral("scores")).toArray()) {
            const QJsonObject s = v.toObject();
            QVERIFY(s.value(QStringLiteral("name")).toString() != QLatin1String("winner"));
            // The settlement is what the hand changed.
            QCOMPARE(s.value(QStringLiteral("currentScore")).toInt() - s.value(QStringLiteral("settlement")).toInt(),
                     startPoints);
            sum += s.value(QStringLiteral("settlement")).toInt();
            if (s.value(QStringLiteral("result")).toInt() == 1)
                winner = s;
        }
        QCOMPARE(sum, qint64(0));
        QVERIFY(!winner.isEmpty());
        const int points = winner.value(QStringLiteral("pointsTotal")).toInt();
        const int doubles = winner.value(QStringLiteral("doublesTotal")).toInt();
        const int hand = winner.value(QStringLiteral("handScore")).toInt();
        const QJsonArray doubleLines = winner.value(QStringLiteral("doubles")).toArray();
        const QJsonArray tiles = winner.value(QStringLiteral("tileGroups")).toArray();
        for (const QJsonValue &g : tiles) {
            // Three or four of a kind is a pung; a pair is never called one.
            const QJsonArray group = g.toObject().value(QStringLiteral("tiles")).toArray();
            if (group.size() == 2 && group[0] == group[1] && group[0].toInt() >= 31 && group[0].toInt() <= 33) {
                for (const QJsonValue &line : doubleLines)
                    QVERIFY(!line.toObject().value(QStringLiteral("name")).toString().contains(QLatin1String("ung")));
            }
        }
        if (ruleset == 1) {
            // International: fan only, paid 8 plus the fan by each player
            // on a self-drawn win.
            QVERIFY(doubleLines.isEmpty());
            QCOMPARE(points, hand);
            QCOMPARE(winner.value(QStringLiteral("settlement")).toInt(), 3 * (8 + hand));
        } else if (ruleset == 0) {
            // Classic: points doubled per double; East pays and takes twice.
            QCOMPARE(hand, points << doubles);
            const bool east = winner.value(QStringLiteral("playerId")) == QJsonValue(QStringLiteral("$pid"))
                              || winner.value(QStringLiteral("playerId")).toInt() == 911;
            QCOMPARE(winner.value(QStringLiteral("settlement")).toInt(), east ? 6 * hand : 4 * hand);
            // A robbed kong is paid for by the player robbed alone.
            int payers = 0;
            for (const QJsonValue &v : scoring.value(QStringLiteral("scores")).toArray())
                payers += v.toObject().value(QStringLiteral("settlement")).toInt() < 0 ? 1 : 0;
            const bool robbed = std::any_of(doubleLines.begin(), doubleLines.end(), [](const QJsonValue &line) {
                return line.toObject().value(QStringLiteral("name")).toString() == QLatin1String("Robbing the kong");
            });
            QCOMPARE(payers, robbed ? 1 : 3);
        } else {
            // Riichi: fu and han give the payment; the dealer (East) is paid
            // half as much again; the riichi sticks go to the winner.
            const qint64 base = qint64(points) << (2 + doubles);
            QVERIFY(base <= 2000);
            const bool dealer = winner.value(QStringLiteral("playerId")) == QJsonValue(QStringLiteral("$pid"))
                                || winner.value(QStringLiteral("playerId")).toInt() == 911;
            qint64 paid = 0;
            if (winKind == 2)
                paid = roundUp100(base * (dealer ? 6 : 4));
            else
                paid = dealer ? 3 * roundUp100(2 * base) : roundUp100(2 * base) + 2 * roundUp100(base);
            QCOMPARE(qint64(hand), paid);
            const qint64 sticks = winner.value(QStringLiteral("settlement")).toInt() - paid;
            QVERIFY2(sticks % 1000 == 0 && sticks >= 0 && sticks <= 1000, qPrintable(QString::number(sticks)));
        }
    });
    QVERIFY(scored >= 1);
    QVERIFY(ruleset == 2 || claimed >= 1);
}

QTEST_MAIN(TestPeerDemo)
#include "tst_peer_demo.moc"
