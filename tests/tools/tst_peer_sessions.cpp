// The run command's game server with several tables and several players, as
// the real client meets it: a session at two tables at once (a hand left
// for another table, a tournament seat while a practice hand runs), two
// sessions in one tournament, a player away who answers again, and the
// tournament hand of a player whose first turn ran out.
#include "game/EndHandScoring.h"
#include "game/GameModel.h"
#include "game/Meld.h"
#include "protocol/ComingEvent.h"
#include "protocol/lobby_summary_t.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "social/PlayerDb.h"
#include "table/GameController.h"
#include "tools/peer/PeerProcess.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "xmpp/client/XMPPClient.h"

#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

#include <map>
#include <memory>
#include <set>

namespace {

// The demo's "Coffee Break Sprint", open for registration from the start.
constexpr qint32 Sprint = 19;
// The tournament hand keeps the East pair when the 6 of bamboo goes first.
constexpr tile SixOfBamboo = 5;

// One player's client: the session, the lobby's tables, the tournaments and
// the table controller as the main window wires them.
struct Client
{
    ConnectionManager session{true};
    TableModel tables{&session};
    XMPPClient xmpp;
    PlayerDb playerDb{&session, &xmpp, nullptr};
    TournamentsLobbyModel tournaments;
    QWidget window;
    std::unique_ptr<GameController> games;

    bool logIn(quint16 port, const QString &user)
    {
        tournaments.setSession(&session);
        QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
        session.connectToHost(QStringLiteral("localhost"), port);
        if (!checked.wait(10000))
            return false;
        QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
        session.login(user, QStringLiteral("any"));
        if (!loggedIn.wait(10000))
            return false;
        tables.subscribe(QStringLiteral("101/Practice"));
        if (!QTest::qWaitFor([this] { return tables.hasTable(1003); }, 10000))
            return false;
        games = std::make_unique<GameController>(&session, &playerDb, &tournaments, &window);
        games->setTableModel(&tables);
        games->setPlayerId(session.ownPlayerId());
        games->setPlayerName(user);
        return true;
    }
    qint32 me() const { return session.ownPlayerId(); }
    int seated(qint32 table) const { return tables.hasTable(table) ? tables.tableInfo(table).seated() : -1; }
};

// Answers the questions of the tables it is told to, as a player would:
// the drawn tile goes (at a tournament table the 6 of bamboo on the first
// turn, and later turns wait for the win), claims are passed, wins taken,
// Ready pressed.
class Answers : public QObject
{
public:
    explicit Answers(Client &client)
        : m_client(client)
    {
        ConnectionManager &cm = client.session;
        connect(&cm, &ConnectionManager::tilesFromWall, this,
                [this](qint32 table, const tile_vector &tiles, bool) { m_drawn[table] = tiles.back(); });
        connect(&cm, &ConnectionManager::playerShouldAct, this, [this](qint32 table, TimeSpan, qint32 player) {
            if (player != m_client.me() || !m_tables.count(table))
                return;
            const bool tournament = m_client.tables.hasTable(table)
                                    && m_client.tables.tableInfo(table).gameType() == TableInfo::TOURNAMENT;
            if (!tournament)
                m_client.session.discard_tile(table, m_client.me(), m_drawn[table]);
            else if (m_turns[table]++ == 0)
                m_client.session.discard_tile(table, m_client.me(), SixOfBamboo);
        });
        connect(&cm, &ConnectionManager::meldSuggestion, this, [this](qint32 table, TimeSpan, meld_offer_vector) {
            if (m_tables.count(table))
                m_client.session.call_pass(table, m_client.me(), false);
        });
        connect(&cm, &ConnectionManager::concealedMeldSuggestion, this,
                [this](qint32 table, TimeSpan, const meld_offer_vector &offers) {
            if (m_tables.count(table) && offers.at(0).meldType == MELD_MAHJONG)
                m_client.session.call_mahjong(table, m_client.me());
        });
        connect(&cm, &ConnectionManager::areYouReady, this, [this](qint32 table, TimeSpan) {
            if (m_tables.count(table))
                m_client.session.ready(table, m_client.me());
        });
    }
    // From now on the table's questions are answered.
    void answer(qint32 table) { m_tables.insert(table); }

private:
    Client &m_client;
    std::set<qint32> m_tables;
    std::map<qint32, tile> m_drawn;
    std::map<qint32, int> m_turns;
};

bool hasTable(const QSignalSpy &spy, qint32 table)
{
    return std::any_of(spy.begin(), spy.end(), [table](const QList<QVariant> &s) { return s[0].toInt() == table; });
}

} // namespace

class TestPeerSessions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aHandLeftForAnotherTablePlaysOnAndFreesItsSeat();
    void aPracticeHandPlaysOnBesideATournamentSeat();
    void everyRegisteredSessionIsSeatedAndPaid();
    void anAwayPlayerWhoAnswersIsBack();
    void aTimedOutFirstTurnIsNoWinningHand();

private:
    bool startPeer(PeerProcess &peer, const QStringList &args);
};

namespace {
// What the peer was given for the option, after MAHJONG_PEER_DELAYS.
qint64 delay(const QStringList &args, const char *option)
{
    return PeerProcess::effectiveValue(args, QLatin1String(option), 0);
}

// A scenario that needs a delay to outlast the test's own steps cannot be
// played with a short one: a run with one skips it, saying why.
QString tooShort(const QStringList &args, const char *option, qint64 least, const char *why)
{
    const qint64 value = delay(args, option);
    return value >= least
               ? QString()
               : QStringLiteral("%1 %2 is too short: %3").arg(QLatin1String(option)).arg(value).arg(QLatin1String(why));
}
} // namespace

void TestPeerSessions::initTestCase()
{
    PeerProcess::installTestCa();
}

bool TestPeerSessions::startPeer(PeerProcess &peer, const QStringList &args)
{
    if (peer.start(QStringList{QStringLiteral("--demo")} + args))
        return true;
    qWarning() << peer.errorString();
    return false;
}

// Leave pressed at the own turn (the client keeps following the table),
// then another table joined at once: the left hand plays on by its
// deadlines to its end, the client leaves it then, and its seat comes back
// to the lobby.
void TestPeerSessions::aHandLeftForAnotherTablePlaysOnAndFreesItsSeat()
{
    PeerProcess peer;
    QVERIFY(startPeer(peer, {QStringLiteral("--question-ms"), QStringLiteral("1500")}));
    Client client;
    QVERIFY(client.logIn(peer.port(), QStringLiteral("newcomer")));
    const qint32 left = 1003;
    const qint32 next = 1001;
    const int before = client.seated(left);
    QSignalSpy turns(&client.session, &ConnectionManager::playerShouldAct);
    QSignalSpy joined(&client.session, &ConnectionManager::joinSuccessful);
    QSignalSpy dealt(&client.session, &ConnectionManager::startHand);
    client.session.join_table(left);
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(turns, left), 60000);
    QTRY_VERIFY(client.seated(left) > before);
    client.games->onLeave(left);
    QVERIFY(!client.games->view(left));
    QVERIFY(client.games->hasTable(left));
    client.session.join_table(next);
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(joined, next), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(dealt, next), 30000);

    // The left hand ends without the player, who is let go of the table.
    QTRY_VERIFY_WITH_TIMEOUT(!client.games->hasTable(left), 180000);
    QTRY_COMPARE_WITH_TIMEOUT(client.seated(left), before, 10000);
    // The other table plays on meanwhile.
    QVERIFY(client.games->hasTable(next));
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

// A tournament seat comes while a practice hand waits for the player: both
// tables play, each by the player's own answers.
void TestPeerSessions::aPracticeHandPlaysOnBesideATournamentSeat()
{
    PeerProcess peer;
    // The questions wait for the player; the seat comes soon after the registration.
    const QStringList args{QStringLiteral("--question-ms"), QStringLiteral("600000"), QStringLiteral("--seat-after-ms"),
                           QStringLiteral("300")};
    if (const QString skip = tooShort(args, "--question-ms", delay(args, "--seat-after-ms") + 120000,
                                      "the practice turn waits for the player while the seat comes");
        !skip.isEmpty())
        QSKIP(qPrintable(skip));
    QVERIFY(startPeer(peer, args));
    Client client;
    QVERIFY(client.logIn(peer.port(), QStringLiteral("newcomer")));
    Answers answers(client);
    const qint32 practice = 1001;
    QSignalSpy turns(&client.session, &ConnectionManager::playerShouldAct);
    QSignalSpy seated(&client.session, &ConnectionManager::tournamentSeated);
    QSignalSpy joined(&client.session, &ConnectionManager::joinSuccessful);
    QSignalSpy scored(&client.session, &ConnectionManager::handEndScoring);
    QSignalSpy roundEnds(&client.session, &ConnectionManager::endOfRound);
    QSignalSpy tournamentRounds(&client.session, &ConnectionManager::endOfTournamentRound);
    client.session.join_table(practice);
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(turns, practice), 60000);

    client.session.register_tournament_request(Sprint);
    QTRY_COMPARE_WITH_TIMEOUT(seated.size(), 1, 20000 + int(delay(args, "--seat-after-ms")));
    const qint32 tournamentTable = seated[0][1].toInt();
    answers.answer(tournamentTable);
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(joined, tournamentTable), 20000);
    QVERIFY(client.games->hasTable(practice));

    // The practice hand waited for the player's turn all along.
    answers.answer(practice);
    client.session.discard_tile(practice, client.me(),
                                tile(client.games->model(practice)->findOwnPlayer()->hand().back()));
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(roundEnds, practice), 120000);
    QVERIFY(hasTable(scored, practice));
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(tournamentRounds, Sprint), 120000);
    QCOMPARE(tournamentRounds[0][1].toInt(), tournamentTable);
    QVERIFY(peer.linesStartingWith(QStringLiteral("LATE")).isEmpty());
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

// Two players register for the same tournament: both are seated, each at a
// table of their own, both play its rounds, stand in its standings and are
// paid by their places.
void TestPeerSessions::everyRegisteredSessionIsSeatedAndPaid()
{
    PeerProcess peer;
    // The tournament starts well after the first registration: the second
    // one, sent right after it, comes before.
    const QStringList args{QStringLiteral("--question-ms"), QStringLiteral("600000"), QStringLiteral("--seat-after-ms"),
                           QStringLiteral("10000")};
    if (const QString skip = tooShort(args, "--question-ms", 60000, "every question waits for the player's answer");
        !skip.isEmpty())
        QSKIP(qPrintable(skip));
    QVERIFY(startPeer(peer, args));
    Client ann;
    Client ben;
    QVERIFY(ann.logIn(peer.port(), QStringLiteral("ann")));
    QVERIFY(ben.logIn(peer.port(), QStringLiteral("ben")));
    Answers annAnswers(ann);
    Answers benAnswers(ben);
    struct Seen
    {
        std::vector<qint32> tables;
        TournamentRankings standings;
        qint64 balance = -1;
        // The player's round results and mahjong points.
        qint32 results = 0;
        qint32 mahjongPoints = 0;
        ComingEvents events;
    };
    std::map<Client *, Seen> seen;
    for (auto [client, answers] : {std::pair{&ann, &annAnswers}, std::pair{&ben, &benAnswers}}) {
        connect(&client->session, &ConnectionManager::tournamentSeated, this,
                [&seen, client, answers](qint32, qint32 table) {
            seen[client].tables.push_back(table);
            answers->answer(table);
        });
        connect(&client->session, &ConnectionManager::tournamentRankings, this,
                [&seen, client](qint32 id, const TournamentRankings &r) {
            if (id == Sprint)
                seen[client].standings = r;
        });
        connect(&client->session, &ConnectionManager::currentAccountBalance, this,
                [&seen, client](qint64 cents) { seen[client].balance = cents; });
        connect(&client->session, &ConnectionManager::endOfTournamentRound, this,
                [&seen, client](qint32, qint32, bool, const TournamentRoundScores &scores) {
            for (const TournamentRoundScore &score : scores) {
                if (score.playerId == client->me()) {
                    seen[client].results += score.result;
                    seen[client].mahjongPoints += score.mahjongPoints;
                }
            }
        });
        connect(&client->session, &ConnectionManager::comingEvents, this,
                [&seen, client](const ComingEvents &events) { seen[client].events = events; });
    }
    // One world for both: the lobby's figures before the tournament, and
    // the maintenance, asked for a while apart.
    QSignalSpy summaries(&ann.session, &ConnectionManager::lobbySummary);
    ann.session.query_lobby_summary();
    QVERIFY(summaries.wait(10000));
    const lobby_summary_t idle = summaries.last()[0].value<lobby_summary_t>();
    ann.session.query_coming_events();
    QTRY_VERIFY(!seen[&ann].events.empty());
    const QDateTime annAsked = QDateTime::currentDateTimeUtc();
    QTRY_VERIFY(QDateTime::currentDateTimeUtc() > annAsked.addSecs(1));
    ben.session.query_coming_events();
    QTRY_VERIFY(!seen[&ben].events.empty());
    QCOMPARE(seen[&ben].events.at(0).kind, 0);
    QCOMPARE(seen[&ben].events.at(0).when, seen[&ann].events.at(0).when);
    QTRY_VERIFY(ann.tournaments.hasTournament(Sprint) && ben.tournaments.hasTournament(Sprint));
    ann.session.query_account_balance();
    ben.session.query_account_balance();
    QTRY_VERIFY(seen[&ann].balance > 0 && seen[&ben].balance > 0);
    const qint64 annBefore = seen[&ann].balance;
    const qint64 benBefore = seen[&ben].balance;
    QSignalSpy annRegistered(&ann.session, &ConnectionManager::tournamentRegisterSuccess);
    QSignalSpy benRegistered(&ben.session, &ConnectionManager::tournamentRegisterSuccess);
    ann.session.register_tournament_request(Sprint);
    ben.session.register_tournament_request(Sprint);
    QTRY_VERIFY(annRegistered.size() == 1 && benRegistered.size() == 1);
    // The server's log tells the two apart.
    const QStringList registrations = peer.linesStartingWith(QStringLiteral("RECV register_tournament"));
    QCOMPARE(registrations.size(), 2);
    QVERIFY2(registrations.filter(QStringLiteral("ann")).size() == 1, qPrintable(registrations.join('\n')));
    QVERIFY2(registrations.filter(QStringLiteral("ben")).size() == 1, qPrintable(registrations.join('\n')));

    const auto done = [](const Client &c) {
        return c.tournaments.hasTournament(Sprint)
               && c.tournaments.tournamentInfo(Sprint).status == TournamentInfo::Done;
    };
    QTRY_VERIFY_WITH_TIMEOUT(done(ann) && done(ben), 240000 + int(delay(args, "--seat-after-ms")));
    const TournamentInfo info = ann.tournaments.tournamentInfo(Sprint);
    const qint64 buyIn = info.cost.bet + info.cost.fee;
    for (Client *client : {&ann, &ben}) {
        const Seen &s = seen[client];
        // Seated for each round, at tables of their own.
        QCOMPARE(int(s.tables.size()), info.numberOfRounds);
        const std::vector<qint32> &other = seen[client == &ann ? &ben : &ann].tables;
        for (qint32 table : s.tables)
            QVERIFY(std::find(other.begin(), other.end(), table) == other.end());
        // The final standings list both, each with the prize of the place.
        QTRY_VERIFY(std::any_of(s.standings.begin(), s.standings.end(),
                                [](const TournamentRanking &r) { return r.payout > 0; }));
        QCOMPARE(int(s.standings.size()), info.registeredPlayers);
        std::set<qint32> listed;
        for (const TournamentRanking &r : s.standings)
            listed.insert(r.playerId);
        QCOMPARE(int(listed.size()), info.registeredPlayers);
        QVERIFY(listed.count(ann.me()) && listed.count(ben.me()));
        const auto own = std::find_if(s.standings.begin(), s.standings.end(),
                                      [client](const TournamentRanking &r) { return r.playerId == client->me(); });
        // Both won both rounds: they share the first two places' prizes.
        QVERIFY2(own - s.standings.begin() < 2, qPrintable(own->name));
        QVERIFY(own->payout > 0);
        // The tournament points are the round results, the table points the
        // mahjong points played, both in half points.
        QCOMPARE(own->competitionPoints, s.results);
        QCOMPARE(own->tablePoints, 2 * s.mahjongPoints);
        const qint64 before = client == &ann ? annBefore : benBefore;
        QTRY_COMPARE(seen[client].balance, before - buyIn + own->payout);
    }
    QCOMPARE(seen[&ann].standings.at(0).payout + seen[&ann].standings.at(1).payout,
             seen[&ben].standings.at(0).payout + seen[&ben].standings.at(1).payout);
    // The rounds' tables left the lobby as their players moved on.
    QTRY_VERIFY_WITH_TIMEOUT(summaries.last()[0].value<lobby_summary_t>().tablesOpen == idle.tablesOpen, 30000);
    QCOMPARE(summaries.last()[0].value<lobby_summary_t>().playersSeated, idle.playersSeated);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

// Away after two questions ran out, the player answers the next one: the
// table has the player back, and says so.
void TestPeerSessions::anAwayPlayerWhoAnswersIsBack()
{
    PeerProcess peer;
    // Short questions for the time-outs; a player away is answered for
    // only long after, so that the own answer comes first.
    const QStringList args{QStringLiteral("--question-ms"), QStringLiteral("300"), QStringLiteral("--away-answer-ms"),
                           QStringLiteral("600000")};
    if (const QString skip = tooShort(args, "--away-answer-ms", 120000, "the own answer comes before the server's");
        !skip.isEmpty())
        QSKIP(qPrintable(skip));
    QVERIFY(startPeer(peer, args));
    Client client;
    QVERIFY(client.logIn(peer.port(), QStringLiteral("newcomer")));
    const qint32 table = 1001;
    QSignalSpy active(&client.session, &ConnectionManager::activeChanged);
    QSignalSpy turns(&client.session, &ConnectionManager::playerShouldAct);
    QSignalSpy roundEnds(&client.session, &ConnectionManager::endOfRound);
    // The turns asked before the player was stood down.
    qsizetype askedBefore = -1;
    connect(&client.session, &ConnectionManager::activeChanged, this, [&](qint32, bool isActive) {
        if (!isActive && askedBefore < 0)
            askedBefore = turns.size();
    });
    client.session.join_table(table);
    QTRY_VERIFY_WITH_TIMEOUT(!active.isEmpty(), 120000);
    QCOMPARE(active[0][1].toBool(), false);
    QTRY_VERIFY(client.games->model(table) && !client.games->model(table)->findOwnPlayer()->isActive());
    // The next turn is the player's own again.
    const auto ownTurn = [&] {
        for (qsizetype i = askedBefore; i < turns.size(); ++i)
            if (turns[i][2].toInt() == client.me())
                return true;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(ownTurn(), 60000);
    const GameModel *model = client.games->model(table);
    client.session.discard_tile(table, client.me(), tile(model->findOwnPlayer()->hand().back()));
    QTRY_COMPARE_WITH_TIMEOUT(active.size(), 2, 20000);
    QCOMPARE(active[1][1].toBool(), true);
    QTRY_VERIFY(client.games->model(table)->findOwnPlayer()->isActive());
    // Present again, the player's Ready runs out in its own time.
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(roundEnds, table), 60000);
    QCOMPARE(active.size(), 2);
    QVERIFY(peer.linesStartingWith(QStringLiteral("LATE")).isEmpty());
}

// The tournament hand's first turn runs out: the drawn East goes, and the
// East pair with it; the third dragon drawn later is no win.
void TestPeerSessions::aTimedOutFirstTurnIsNoWinningHand()
{
    PeerProcess peer;
    const QStringList args{QStringLiteral("--question-ms"), QStringLiteral("500"), QStringLiteral("--seat-after-ms"),
                           QStringLiteral("300")};
    QVERIFY(startPeer(peer, args));
    Client client;
    QVERIFY(client.logIn(peer.port(), QStringLiteral("newcomer")));
    QSignalSpy seated(&client.session, &ConnectionManager::tournamentSeated);
    QSignalSpy offers(&client.session, &ConnectionManager::concealedMeldSuggestion);
    QSignalSpy scored(&client.session, &ConnectionManager::handEndScoring);
    QSignalSpy timeouts(&client.session, &ConnectionManager::timeoutOccured);
    QSignalSpy discards(&client.session, &ConnectionManager::tileDiscarded);
    client.session.register_tournament_request(Sprint);
    QTRY_COMPARE_WITH_TIMEOUT(seated.size(), 1, 20000 + int(delay(args, "--seat-after-ms")));
    const qint32 table = seated[0][1].toInt();
    QTRY_VERIFY_WITH_TIMEOUT(hasTable(scored, table), 120000);
    QVERIFY(!timeouts.isEmpty());
    // The first discard was the drawn East, the player's, for the player.
    const auto own = std::find_if(discards.begin(), discards.end(), [&](const QList<QVariant> &d) {
        return d[0].toInt() == table && d[1].toInt() == client.me();
    });
    QVERIFY(own != discards.end());
    QCOMPARE(int((*own)[2].value<tile>()), 27);
    for (const QList<QVariant> &offer : offers) {
        const meld_offer_vector list = offer[2].value<meld_offer_vector>();
        QVERIFY2(offer[0].toInt() != table
                     || std::none_of(list.begin(), list.end(),
                                     [](const meld_offer &o) { return o.meldType == MELD_MAHJONG; }),
                 "a win was offered on a hand without its pair");
    }
    const EndHandScoring scoring = scored.last()[1].value<EndHandScoring>();
    QCOMPARE(scoring.players.at(client.me()).result, 0);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

QTEST_MAIN(TestPeerSessions)
#include "tst_peer_sessions.moc"
