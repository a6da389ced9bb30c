// The peer's scenario notation and configuration files.
#include "protocol/Codec.h"
#include "protocol/MessageIds.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/ScenarioJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QJsonValue json(const char *text)
{
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(text));
    return doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array());
}

const Codec::Record &body(const char *name)
{
    return Codec::instance().messageByName(name)->body;
}

// A clock that moves on by a millisecond each time it is read, as a loaded
// machine's clock may between two reads.
const QDateTime kClockBase(QDate(2030, 1, 2), QTime(3, 4, 5), Qt::UTC);
int g_clockReads = 0;
QDateTime steppingClock()
{
    return kClockBase.addMSecs(g_clockReads++);
}

struct SteppingClock
{
    SteppingClock()
    {
        g_clockReads = 0;
        ScenarioJson::setClock(&steppingClock);
    }
    ~SteppingClock() { ScenarioJson::setClock(nullptr); }
};
} // namespace

class TestPeerScenario : public QObject
{
    Q_OBJECT

private slots:
    void fieldsByNameOrderAndVariables();
    void relativeTimesAndInnerClasses();
    void mistakesNameTheField();
    void jsonRoundTripOfAWholeMessage();
    void expectationsMatchPartially();
    void accountsFile();
};

void TestPeerScenario::fieldsByNameOrderAndVariables()
{
    const ScenarioJson::Variables vars{{QStringLiteral("table"), 1001}, {QStringLiteral("pid"), 7}};
    const WireValue::List byName = ScenarioJson::recordToWire(
        body("tile_discarded"), json(R"({"tile": 5, "playerId": "$pid", "tableId": "$table"})"), vars, "t");
    const WireValue::List byOrder = ScenarioJson::recordToWire(body("tile_discarded"), json(R"([1001, 7, 5])"), vars,
                                                               "t");
    QVERIFY(byName == byOrder);
    QCOMPARE(byName[0].toInt(), 1001);
    // fields left out take their zero value
    const WireValue::List player = ScenarioJson::recordToWire(
        body("player_joined"), json(R"({"tableId": 1, "player": {"id": 3, "name": "Bo"}})"), vars, "p");
    QCOMPARE(player[1].at(1).toString(), QStringLiteral("Bo"));
    QCOMPARE(player[1].at(4).size(), size_t(0));
    QCOMPARE(player[1].at(8).toBool(), false);
    Codec::instance().encode(msg::TILE_DISCARDED, byName); // and it encodes
}

void TestPeerScenario::relativeTimesAndInnerClasses()
{
    {
        // Every "now" of one record is the same moment, however far the
        // clock moves while the record is read; the next record reads it anew.
        const SteppingClock clock;
        const WireValue::List f = ScenarioJson::recordToWire(
            body("are_you_ready"), json(R"({"tableId": 1, "ts": {"start": "now-1000", "end": "now+5000"}})"), {}, "r");
        QCOMPARE(f[1].at(0).toDateTime(), kClockBase.addMSecs(-1000));
        QCOMPARE(f[1].at(1).toDateTime(), kClockBase.addMSecs(5000));
        const WireValue::List times = ScenarioJson::recordToWire(
            body("tournament_info_update"),
            json(R"({"tournamentId": 7, "updates": [{"key": 10, "value": [{"time": "now"}, {"time": "now+1"}]},
                                                    {"key": 11, "value": {"time": "now"}}]})"),
            {}, "u");
        const QDateTime second = kClockBase.addMSecs(1);
        QCOMPARE(times[1].at(0).at(1).at(0).toDateTime(), second);
        QCOMPARE(times[1].at(0).at(1).at(1).toDateTime(), second.addMSecs(1));
        QCOMPARE(times[1].at(1).at(1).toDateTime(), second);
    }
    const WireValue::List f = ScenarioJson::recordToWire(
        body("are_you_ready"), json(R"({"tableId": 1, "ts": {"start": "now-1000", "end": "now+5000"}})"), {}, "r");
    const QDateTime end = f[1].at(1).toDateTime();
    QCOMPARE(f[1].at(0).toDateTime().msecsTo(end), qint64(6000));
    QVERIFY(qAbs(QDateTime::currentDateTimeUtc().msecsTo(end) - 5000) < 1000);
    const WireValue::List iso = ScenarioJson::recordToWire(
        body("are_you_ready"), json(R"({"ts": {"start": "2030-01-02T03:04:05.006Z"}})"), {}, "r");
    QCOMPARE(iso[1].at(0).toDateTime(), QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5, 6), Qt::UTC));
    QVERIFY(!iso[1].at(1).toDateTime().isValid());

    const WireValue::List env = ScenarioJson::recordToWire(
        body("tournament_envelope"),
        json(R"({"tournamentId": 7, "request": {"class": "ranking_list", "fields": {"rankings": [{"playerId": 1}]}}})"),
        {}, "e");
    QCOMPARE(env[1].tag(), int(tmt_msg::RANKING_LIST));
    QCOMPARE(env[1].at(0).at(0).at(0).toInt(), qint64(1));
    const WireValue::List update = ScenarioJson::recordToWire(
        body("tournament_info_update"),
        json(R"({"tournamentId": 7, "updates": [{"key": 10, "value": [{"time": "now"}]}, {"key": 3, "value": "N"}]})"),
        {}, "u");
    QVERIFY(update[1].at(0).at(1).at(0).isDateTime());
    QCOMPARE(update[1].at(1).at(1).toString(), QStringLiteral("N"));
}

void TestPeerScenario::mistakesNameTheField()
{
    struct Case
    {
        const char *message;
        const char *fields;
        const char *error;
    };
    const Case cases[] = {
        {"tile_discarded", R"({"tableId": 1, "tiel": 5})", "no field tiel"},
        {"tile_discarded", R"({"tableId": "$nope"})", "unknown variable $nope"},
        {"tile_discarded", R"([1, 2])", "expected 3 fields"},
        {"furiten_changed", R"({"furiten": 1})", "x.furiten: expected true or false"},
        {"are_you_ready", R"({"ts": {"start": "yesterday"}})", "x.ts.start: not a time"},
        {"tournament_envelope", R"({"request": {"class": "nonsense"}})", "unknown inner class"},
    };
    for (const Case &c : cases) {
        try {
            ScenarioJson::recordToWire(body(c.message), json(c.fields), {}, QStringLiteral("x"));
            QFAIL(c.fields);
        } catch (const std::invalid_argument &e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QLatin1String(c.error)), e.what());
        }
    }
}

void TestPeerScenario::jsonRoundTripOfAWholeMessage()
{
    const QJsonValue in = json(R"({
        "tableId": 12, "handId": 99, "state": 4,
        "players": [{"id": 1, "name": "Ann", "wind": 1, "hiddenTiles": 13,
                     "melds": [{"meldType": 2, "visibility": 1, "firstTile": 5, "claimedFrom": 2, "claimedOffset": 0}],
                     "bonusTiles": [34], "discards": [1, 2, -1], "riichiDiscardIndex": 1,
                     "ready": true, "points": -300, "wins": 2}],
        "tableState": {"playerId": 1, "prevailingWind": 0, "thirdValue": 1, "lastDiscarder": -1,
                       "riichiSticks": 0, "counterSticks": 0},
        "wallState": {"deadWallPosition": 3, "doraIndicators": [7], "liveTiles": 80,
                      "deadWallTiles": 14, "deadWallTilesDealt": 0}})");
    const WireValue::List fields = ScenarioJson::recordToWire(body("game_data"), in, {}, "g");
    const message_t encoded = Codec::instance().encode(msg::GAME_DATA, fields);
    const QJsonValue out = ScenarioJson::recordToJson(body("game_data"), Codec::instance().decode(encoded));
    QCOMPARE(out, in);
}

void TestPeerScenario::expectationsMatchPartially()
{
    const QJsonValue actual = json(R"({"tableId": 5, "tiles": [1, 2], "who": {"id": 3, "name": "x"}})");
    QVERIFY(ScenarioJson::matches(json(R"({"tableId": 5})"), actual));
    QVERIFY(ScenarioJson::matches(json(R"({"tiles": [1, "*"], "who": {"id": 3}})"), actual));
    QVERIFY(!ScenarioJson::matches(json(R"({"tiles": [1]})"), actual));
    QVERIFY(!ScenarioJson::matches(json(R"({"tableId": 6})"), actual));
    QVERIFY(!ScenarioJson::matches(json(R"({"missing": 1})"), actual));
    const QJsonValue expected = ScenarioJson::substitute(json(R"({"tableId": "$table", "n": ["$table"]})"),
                                                         {{QStringLiteral("table"), 5}});
    QCOMPARE(expected.toObject().value(QStringLiteral("tableId")).toInt(), 5);
    QCOMPARE(expected.toObject().value(QStringLiteral("n")).toArray().at(0).toInt(), 5);
}

void TestPeerScenario::accountsFile()
{
    QTemporaryDir dir;
    QFile good(dir.filePath(QStringLiteral("accounts")));
    QVERIFY(good.open(QIODevice::WriteOnly));
    good.write("# test accounts\nann secret 1001 Ann\n\nbob pw 1002 Bob 7  # locked\n");
    good.close();
    PeerConfig config;
    config.loadAccounts(good.fileName());
    QCOMPARE(config.accounts.size(), size_t(2));
    QCOMPARE(config.findAccount(QStringLiteral("bob"))->loginStatus, 7);
    QCOMPARE(config.findAccount(1001)->name, QStringLiteral("Ann"));
    QFile bad(dir.filePath(QStringLiteral("bad")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("ann secret\n");
    bad.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, config.loadAccounts(bad.fileName()));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, config.addAccount(QStringLiteral("x:y:notanumber")));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, config.loadScenario(dir.filePath(QStringLiteral("none.json"))));
}

QTEST_GUILESS_MAIN(TestPeerScenario)
#include "tst_peer_scenario.moc"
