// Encoding, decoding, framing and refusal of bad server data.
#include "protocol/Codec.h"
#include "protocol/ConnectionManager.h"
#include "protocol/FrameReader.h"
#include "protocol/MessageIds.h"
#include "protocol/ServerError.h"
#include "protocol/WireConversions.h"
#include "tools/peer/ProtocolReference.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
typedef WireValue::List L;

// A value of the given layout, varied by seed, covering extremes of ranges.
WireValue sample(const Codec::Type &t, int seed, int depth = 0)
{
    switch (t.kind) {
    case Codec::Type::Bool:
        return WireValue(seed % 2 == 1);
    case Codec::Type::I8:
        return WireValue(qint64(t.ranged ? t.min + seed % (t.max - t.min + 1) : -100 + seed));
    case Codec::Type::U8:
        return WireValue(qint64(200 + seed % 50));
    case Codec::Type::I16:
        return WireValue(qint64(-30000 + seed));
    case Codec::Type::U16:
        return WireValue(qint64(t.ranged ? t.min : 60000 + seed));
    case Codec::Type::I32:
        if (t.ranged)
            return WireValue(qint64(seed % 2 ? t.max : t.min));
        return WireValue(qint64(seed % 3 == 0 ? std::numeric_limits<qint32>::min() + seed : 7919 * seed));
    case Codec::Type::I64:
        return WireValue(qint64(seed % 2 ? std::numeric_limits<qint64>::max() - seed : -seed));
    case Codec::Type::Tile:
        return WireValue(qint64(seed % 3 == 0 ? -1 : seed % 42));
    case Codec::Type::Str:
        return WireValue(seed % 4 == 0 ? QString() : QStringLiteral("text %1 \u6771 \u00e9 \U0001F004").arg(seed));
    case Codec::Type::Time:
        return seed % 5 == 0 ? WireValue(QDateTime())
                             : WireValue(QDateTime::fromMSecsSinceEpoch(1700000000123LL + seed * 1000LL, Qt::UTC));
    case Codec::Type::List: {
        L items;
        for (int i = 0; i < (depth > 3 ? 0 : 2); ++i)
            items.push_back(sample(*t.element, seed + i + 1, depth + 1));
        return WireValue(std::move(items));
    }
    case Codec::Type::RecordRef: {
        L fields;
        int i = 0;
        for (const Codec::Field &f : t.record->fields)
            fields.push_back(sample(*f.type, seed + i++, depth + 1));
        return WireValue(std::move(fields));
    }
    case Codec::Type::Var:
        switch (seed % 6) {
        case 0:
            return WireValue(qint64(seed));
        case 1:
            return WireValue(QStringLiteral("v%1").arg(seed));
        case 2:
            return WireValue(QDateTime::fromMSecsSinceEpoch(1600000000000LL + seed, Qt::UTC));
        case 3:
            return WireValue(L{WireValue(qint64(1)), WireValue(qint64(-2))});
        case 4:
            return WireValue(qint64(1) << 40);
        default:
            return WireValue(true);
        }
    case Codec::Type::Any:
        if (seed % 2)
            return WireValue(L{}, 0);
        return WireValue(L{WireValue(qint64(seed % 1001))}, value_tag::POT_SHARE);
    case Codec::Type::Inner:
        break;
    }
    return WireValue();
}

L sampleFields(const Codec::Record &r, int seed)
{
    L fields;
    int i = 0;
    for (const Codec::Field &f : r.fields)
        fields.push_back(sample(*f.type, seed + i++));
    return fields;
}

message_t bytes(std::initializer_list<int> list)
{
    message_t m;
    for (int b : list)
        m.push_back(quint8(b));
    return m;
}
} // namespace

class TestProtocolCodec : public QObject
{
    Q_OBJECT

private slots:
    void everyMessageRoundTrips();
    void fixedClassIds();
    void referenceDocumentIsCurrent();
    void encodingRefusesValuesOutsideTheLayout();
    void framesSurvivePartialReads();
    void severalFramesInOneRead();
    void oversizedAndEmptyFramesAreRefused();
    void malformedBodiesAreRefused_data();
    void malformedBodiesAreRefused();
    void typedRecordsRoundTripThroughTheSession();
    void unacceptableServerDataBecomesExceptionCaught();
    void exceptionsOfReceiversBecomeExceptionCaught();
    void answersNobodyAskedForAreIgnored();
};

void TestProtocolCodec::everyMessageRoundTrips()
{
    const Codec &codec = Codec::instance();
    int count = 0;
    for (const auto &m : codec.messages()) {
        for (int seed = 0; seed < 6; ++seed) {
            L fields;
            quint8 classId = m->id;
            if (m->space == Codec::Frame) {
                if (m->body.fields.size() > 0 && m->body.fields.back().type->kind == Codec::Type::Inner)
                    continue; // covered through their inner classes below
                fields = sampleFields(m->body, seed);
            } else if (m->space == Codec::Tournament) {
                classId = msg::TOURNAMENT_ENVELOPE;
                fields = L{qint64(seed), WireValue(sampleFields(m->body, seed), m->id)};
            } else if (m->space == Codec::Service) {
                classId = m->direction == Codec::ToServer ? msg::SERVICE_REQUEST : msg::SERVICE_RESPONSE;
                fields = L{qint64(2), qint64(seed), WireValue(sampleFields(m->body, seed), m->id)};
            } else {
                // value tags travel in the prize configuration
                classId = msg::TOURNAMENT_ENVELOPE;
                L share{WireValue(L{qint64(1), qint64(2)}), WireValue(sampleFields(m->body, seed), m->id)};
                L table{WireValue(L{qint64(2), qint64(8)}), WireValue(L{WireValue(share)})};
                fields = L{qint64(1), WireValue(L{WireValue(L{WireValue(table)})}, tmt_msg::PRIZE_CONFIGURATION)};
            }
            const message_t body = codec.encode(classId, fields);
            QCOMPARE(body.front(), classId);
            const L decoded = codec.decode(body);
            if (decoded != fields)
                QFAIL(qPrintable(QStringLiteral("%1 (seed %2) changed in a round trip")
                                     .arg(QString::fromStdString(m->name))
                                     .arg(seed)));
            // Every strict prefix is refused: nothing reads past the end.
            for (size_t cut = 1; cut < body.size(); cut += std::max<size_t>(1, body.size() / 7))
                QVERIFY_THROWS_EXCEPTION(server_error, codec.decode(body.data(), cut));
            ++count;
        }
    }
    QVERIFY(count > 600);
}

void TestProtocolCodec::fixedClassIds()
{
    const Codec &codec = Codec::instance();
    QCOMPARE(codec.message(Codec::Frame, 205)->name, std::string("register_tournament"));
    QCOMPARE(codec.message(Codec::Frame, 207)->name, std::string("unregister_tournament"));
    QCOMPARE(codec.message(Codec::Frame, 104)->name, std::string("tournament_envelope"));
    QCOMPARE(codec.message(Codec::Tournament, 68)->name, std::string("ranking_list_request"));
    QCOMPARE(codec.message(Codec::Tournament, 70)->name, std::string("prize_configuration_request"));
    QCOMPARE(codec.message(Codec::Service, 97)->name, std::string("coming_events_request"));

    // Big-endian layout of a simple request: class, i32 table, i8 seat.
    QCOMPARE(codec.encode(msg::JOIN_TABLE, L{qint64(0x01020304), qint64(-1)}), bytes({40, 1, 2, 3, 4, 0xff}));
    QCOMPARE(FrameReader::frame(bytes({13})), QByteArray::fromHex("000000010d"));
    // A text: u32 length, UTF-8 bytes.
    QCOMPARE(codec.encode(msg::LOBBY_SUBSCRIBE, L{QStringLiteral("101/\u00e9")}),
             bytes({30, 0, 0, 0, 6, '1', '0', '1', '/', 0xc3, 0xa9}));
}

void TestProtocolCodec::referenceDocumentIsCurrent()
{
    QFile doc(qEnvironmentVariable("MAHJONG_SOURCE_DIR") + QStringLiteral("/docs/protocol.md"));
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const QByteArray text = doc.readAll();
    QVERIFY2(text.contains(QByteArray::fromStdString(ProtocolReference::markdown())),
             "docs/protocol.md is out of date: regenerate its table with mahjong-peer --protocol-reference");
}

void TestProtocolCodec::encodingRefusesValuesOutsideTheLayout()
{
    const Codec &codec = Codec::instance();
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, codec.encode(msg::JOIN_TABLE, L{qint64(1)}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, codec.encode(msg::JOIN_TABLE, L{qint64(1), qint64(200)}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, codec.encode(msg::QUERY_WEB_PAGE, L{qint64(14)}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, codec.encode(msg::DISCARD_TILE, L{1, 2, qint64(42)}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, codec.encode(msg::LOGIN, L{QStringLiteral("u"), qint64(5)}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, codec.encode(quint8(255), L{}));
}

void TestProtocolCodec::framesSurvivePartialReads()
{
    const message_t body = Codec::instance().encode(msg::PLAYER_MESSAGE, L{QStringLiteral("hello \u6771")});
    const QByteArray frame = FrameReader::frame(body);
    FrameReader reader;
    message_t out;
    for (int i = 0; i < frame.size() - 1; ++i) {
        reader.append(frame.constData() + i, 1);
        QVERIFY(!reader.next(out));
    }
    reader.append(frame.constData() + frame.size() - 1, 1);
    QVERIFY(reader.next(out));
    QCOMPARE(out, body);
    QVERIFY(!reader.next(out));
    QCOMPARE(reader.buffered(), 0);
}

void TestProtocolCodec::severalFramesInOneRead()
{
    const Codec &codec = Codec::instance();
    std::vector<message_t> bodies = {codec.encode(msg::WAITING_OVER, L{7}), codec.encode(msg::FORCED_LOGOUT, L{}),
                                     codec.encode(msg::PLAYER_MESSAGE, L{QString(5000, QLatin1Char('x'))})};
    QByteArray stream;
    for (const message_t &b : bodies)
        stream += FrameReader::frame(b);
    // All at once, plus the first half of a fourth frame.
    const QByteArray fourth = FrameReader::frame(bodies[0]);
    stream += fourth.left(3);
    FrameReader reader;
    reader.append(stream);
    message_t out;
    for (const message_t &b : bodies) {
        QVERIFY(reader.next(out));
        QCOMPARE(out, b);
    }
    QVERIFY(!reader.next(out));
    reader.append(fourth.mid(3));
    QVERIFY(reader.next(out));
    QCOMPARE(out, bodies[0]);
}

void TestProtocolCodec::oversizedAndEmptyFramesAreRefused()
{
    FrameReader reader;
    message_t out;
    reader.append(QByteArray::fromHex("00100001")); // 1 MiB + 1, nothing more sent
    QVERIFY_THROWS_EXCEPTION(server_error, reader.next(out));
    FrameReader huge;
    huge.append(QByteArray::fromHex("ffffffff"));
    QVERIFY_THROWS_EXCEPTION(server_error, huge.next(out));
    FrameReader empty;
    empty.append(QByteArray::fromHex("00000000"));
    QVERIFY_THROWS_EXCEPTION(server_error, empty.next(out));
    // Exactly the limit is accepted once complete.
    FrameReader limit;
    limit.append(QByteArray::fromHex("00100000"));
    QVERIFY(!limit.next(out));
    limit.append(QByteArray(1024 * 1024, '\x10'));
    QVERIFY(limit.next(out));
    QCOMPARE(out.size(), size_t(1024 * 1024));
}

void TestProtocolCodec::malformedBodiesAreRefused_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown class") << QByteArray::fromHex("fa") << "unknown message class id 250";
    QTest::newRow("truncated i32") << QByteArray::fromHex("490000") << "ends inside a field";
    QTest::newRow("trailing bytes") << QByteArray::fromHex("580000000700") << "unexpected bytes";
    QTest::newRow("text past frame") << QByteArray::fromHex("10000000ff41") << "runs past the end";
    QTest::newRow("bad utf-8") << QByteArray::fromHex("1000000002c328") << "not valid UTF-8";
    QTest::newRow("overlong utf-8") << QByteArray::fromHex("1000000002c0af") << "not valid UTF-8";
    QTest::newRow("enum out of range") << QByteArray::fromHex("180000000e00000000") << "out of range 0..13";
    QTest::newRow("flag not 0/1") << QByteArray::fromHex("630000000102") << "neither 0 nor 1";
    QTest::newRow("tile out of range") << QByteArray::fromHex("51000000012a") << "tile value 42";
    QTest::newRow("list count past frame") << QByteArray::fromHex("7c00000fff") << "runs past the end";
    QTest::newRow("list count 2^32-1") << QByteArray::fromHex("7cffffffff00000001") << "0..4096 are allowed";
    // Lists are bounded by what the game allows, whatever the frame holds.
    QTest::newRow("145 tiles") << QByteArray::fromHex("4b0000000100000091" + QByteArray(145 * 2, '1') + "00")
                               << "0..144 are allowed";
    QTest::newRow("five players") << QByteArray::fromHex("4600000001000000000000000000000000"
                                                         "00000005")
                                  << "0..4 are allowed";
    QTest::newRow("var list of 1025") << QByteArray::fromHex("790000000700000001000000010600000401")
                                      << "value list of 1025 elements";
    QTest::newRow("unknown var tag") << QByteArray::fromHex("21000000010000000100000001000000050"
                                                            "9")
                                     << "unknown value tag";
    QTest::newRow("time out of range") << QByteArray::fromHex("0500000000000000007fffffffffffffff")
                                       << "date-time out of range";
    QTest::newRow("unknown inner class") << QByteArray::fromHex("6800000001ee") << "unknown inner class id 238";
    QTest::newRow("empty body") << QByteArray() << "empty message";
}

void TestProtocolCodec::malformedBodiesAreRefused()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, error);
    try {
        Codec::instance().decode(reinterpret_cast<const quint8 *>(body.constData()), size_t(body.size()));
        QFAIL("accepted");
    } catch (const server_error &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(error), e.what());
    }
}

void TestProtocolCodec::typedRecordsRoundTripThroughTheSession()
{
    ConnectionManager cm(false);
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    const Codec &codec = Codec::instance();
    cm.handleMessage(codec.encode(msg::HELLO_OK, L{1}));

    // game data with every player field
    PlayerData p(1001, QStringLiteral("Ann"));
    p.setWind(2);
    p.setHiddenTiles(10);
    meld_tuple meld;
    meld.meldType = 2;
    meld.visibility = 1;
    meld.firstTile = 5;
    meld.claimedFrom = 1002;
    meld.claimedOffset = 0;
    p.setMelds({meld});
    p.setBonusTiles({34, 39});
    p.setDiscards({1, 2, 30, -1}, 2);
    p.setReady(true);
    p.setPoints(-2500);
    p.setWins(3);
    TableState ts{1001, 1, 1003, -1, 2, 1};
    WallState ws{7, {4, 33}, 70, 14, 2};
    QSignalSpy gameData(&cm, &ConnectionManager::gameData);
    cm.handleMessage(codec.encode(msg::GAME_DATA, L{12, qint64(1) << 40, 7, WireValue(L{wire::fromPlayerData(p)}),
                                                    wire::fromTableState(ts), wire::fromWallState(ws)}));
    QCOMPARE(gameData.size(), 1);
    QCOMPARE(gameData[0][0].toInt(), 12);
    QCOMPARE(gameData[0][1].toLongLong(), qint64(1) << 40);
    QCOMPARE(gameData[0][2].value<server_game_state::enum_t>(), server_game_state::HAND_ENDED_WAITING_STATE);
    const auto players = gameData[0][3].value<std::vector<PlayerData>>();
    QCOMPARE(players.size(), size_t(1));
    QCOMPARE(players[0].name(), QStringLiteral("Ann"));
    QCOMPARE(players[0].melds(), p.melds());
    QCOMPARE(players[0].discards(), p.discards());
    QCOMPARE(players[0].riichiDiscardIndex(), 2);
    QCOMPARE(players[0].bonusTiles(), p.bonusTiles());
    QCOMPARE(players[0].isReady(), true);
    QCOMPARE(players[0].points(), -2500);
    QCOMPARE(players[0].wins(), 3);
    QCOMPARE(players[0].hiddenTiles(), 10);
    QCOMPARE(players[0].wind(), 2);
    QVERIFY(gameData[0][4].value<TableState>() == ts);
    QVERIFY(gameData[0][5].value<WallState>() == ws);

    // hand-end scoring
    EndHandScoring s;
    s.endOfGame = true;
    s.winKind = 3;
    PlayerHandScore h;
    h.playerId = 1001;
    h.screenName = QStringLiteral("Ann");
    h.result = 1;
    h.pointsLines = {{QStringLiteral("Pung"), 4}};
    h.doublesLines = {{QStringLiteral("Dragon"), 1}};
    h.limitHandLines = {};
    h.pointsTotal = 30;
    h.doublesTotal = 2;
    h.extraValue = 9;
    h.handScore = 120;
    h.settlement = 360;
    h.currentScore = 2360;
    h.payment = 150;
    h.tileGroups = {{{31, 31, 31}, 31}};
    s.players[1001] = h;
    s.doraTiles = {3};
    s.uraDoraTiles = {-1};
    QSignalSpy scoring(&cm, &ConnectionManager::handEndScoring);
    cm.handleMessage(codec.encode(msg::HAND_END_SCORING, L{12, wire::fromEndHandScoring(s)}));
    QCOMPARE(scoring.size(), 1);
    QVERIFY(scoring[0][1].value<EndHandScoring>() == s);

    // table info and a partial update
    TableInfo info(2001, QStringLiteral("101/Money"));
    info.setRuleset(2);
    info.setCapacity(4);
    info.setSeated(3);
    info.setGameType(TableInfo::FULL_GAME);
    info.setWindRounds(2);
    info.setValue(ValueColumnType(1, 500, 25));
    info.setNameId(4);
    info.setValue(99, QVariant(QStringLiteral("future key")));
    QSignalSpy tableInfo(&cm, qOverload<TableInfo>(&ConnectionManager::tableInfoUpdate));
    cm.handleMessage(codec.encode(msg::TABLE_INFO, L{wire::fromTableInfo(info)}));
    QCOMPARE(tableInfo.size(), 1);
    QVERIFY(tableInfo[0][0].value<TableInfo>() == info);
    QSignalSpy tableUpdate(&cm, qOverload<qint32, int, TableInfoUpdates>(&ConnectionManager::tableInfoUpdate));
    cm.handleMessage(
        codec.encode(msg::TABLE_INFO_UPDATE,
                     L{2001, 4, wire::fromKeyedValues({{TableInfo::SEATED, 4}, {TableInfo::BET, qlonglong(600)}})}));
    QCOMPARE(tableUpdate.size(), 1);
    QCOMPARE(tableUpdate[0][1].toInt(), 4);
    TableInfo updated = info;
    applyUpdates(updated, tableUpdate[0][2].value<TableInfoUpdates>());
    QCOMPARE(updated.seated(), 4);
    QCOMPARE(updated.value().bet, qint64(600));
    QCOMPARE(updated.value().fee, qint64(25));

    // tournament record, rankings, prizes, coming events
    TournamentInfo t;
    t.id = 7;
    t.persistentId = 70;
    t.status = TournamentInfo::Seating;
    t.name = QStringLiteral("Cup \u6771");
    t.registeredPlayers = 9;
    t.start = QDateTime::fromMSecsSinceEpoch(1700000000000LL, Qt::UTC);
    t.closeRegister = t.start.addSecs(-60);
    t.maxPlayers = 64;
    t.numberOfRounds = 2;
    t.currentRound = 1;
    t.roundsStart = {t.start, t.start.addSecs(1800)};
    t.roundsLength = {1500, 1200};
    t.ruleset = 1;
    t.cost = TournamentCost(1000, 100);
    t.additionalPayoutAmount = 5000;
    QSignalSpy tournament(&cm, qOverload<TournamentInfo>(&ConnectionManager::tournamentInfoUpdate));
    cm.handleMessage(codec.encode(msg::TOURNAMENT_INFO, L{wire::fromTournamentInfo(t)}));
    QCOMPARE(tournament.size(), 1);
    QVERIFY(tournament[0][0].value<TournamentInfo>() == t);

    TournamentRankings rankings = {{1001, QStringLiteral("Ann"), 31, 2, 2500, false}};
    QSignalSpy rankingSpy(&cm, &ConnectionManager::tournamentRankings);
    cm.handleMessage(codec.encode(msg::TOURNAMENT_ENVELOPE,
                                  L{7, WireValue(L{wire::fromTournamentRankings(rankings)}, tmt_msg::RANKING_LIST)}));
    QCOMPARE(rankingSpy.size(), 1);
    QVERIFY(rankingSpy[0][1].value<TournamentRankings>() == rankings);

    tournament_prize_configuration_t prizes;
    prizes[Range<int>(2, 8)] = {{Range<int>(1, 1), pot_share_t{700}}, {Range<int>(2, 3), std::any()}};
    QSignalSpy prizeSpy(&cm, &ConnectionManager::tournamentPrizeConfiguration);
    cm.handleMessage(codec.encode(msg::TOURNAMENT_ENVELOPE, L{7, WireValue(L{wire::fromPrizeConfiguration(prizes)},
                                                                           tmt_msg::PRIZE_CONFIGURATION)}));
    QCOMPARE(prizeSpy.size(), 1);
    const auto got = prizeSpy[0][1].value<tournament_prize_configuration_t>();
    const prize_structure_t &structure = got.at(Range<int>(5, 5)); // found by a player count inside the range
    QCOMPARE(std::any_cast<pot_share_t>(structure.at(Range<int>(1, 1))).share, 700);
    QVERIFY(!structure.at(Range<int>(3, 3)).has_value());

    // Reasons the client has no words for still arrive, as they are.
    QSignalSpy joinFailed(&cm, &ConnectionManager::joinFailed);
    QSignalSpy kicked(&cm, &ConnectionManager::kickPlayer);
    cm.handleMessage(codec.encode(msg::JOIN_FAILED, L{12, 9}));
    cm.handleMessage(codec.encode(msg::KICK_PLAYER, L{12, -1}));
    QSignalSpy registerFailed(&cm, &ConnectionManager::tournamentRegisterFailed);
    cm.handleMessage(codec.encode(msg::TOURNAMENT_REGISTER_FAILED, L{7, 40}));
    QCOMPARE(tmnt_register_failed_reason::text(registerFailed[0][1].value<tmnt_register_failed_reason::enum_t>()),
             "Failed");
    QCOMPARE(int(joinFailed[0][1].value<join_failed_reason::enum_t>()), 9);
    QVERIFY(join_failed_reason::text(9).isEmpty());
    QCOMPARE(int(kicked[0][1].value<kick_reason::enum_t>()), -1);
    QVERIFY(!ReasonText::find(kick_reason::texts, -1));

    QCOMPARE(errors.size(), 0);
}

void TestProtocolCodec::unacceptableServerDataBecomesExceptionCaught()
{
    const Codec &codec = Codec::instance();
    struct Case
    {
        message_t body;
        QString error;
        bool handshake;
        // Taken before body.
        std::vector<message_t> earlier = {};
    };
    auto service = [&](qint32 seq, quint8 inner, L fields) {
        return codec.encode(msg::SERVICE_RESPONSE, L{qint64(1), seq, WireValue(std::move(fields), inner)});
    };
    const L goodTable = L{WireValue(L{qint64(1), qint64(2)}), WireValue(L{})};
    std::vector<Case> cases = {
        {codec.encode(msg::LOGIN_OK, L{1, "a", "c", true}), "before the version handshake", false},
        {codec.encode(msg::LOGIN, L{"a", "b"}), "unexpected message login", true},
        {codec.encode(msg::HELLO_OK, L{1}), "second version handshake", true},
        {codec.encode(msg::PONG, L{qint64(123456), QDateTime::currentDateTimeUtc()}), "ping never sent", true},
        {service(55, svc_msg::COMING_EVENTS, L{WireValue(L{})}), "request never sent", true},
        {service(0, svc_msg::COMING_EVENTS, L{WireValue(L{WireValue(L{qint64(1), QDateTime::currentDateTimeUtc()})})}),
         "Unexpected coming event type", true},
        {service(0, svc_msg::SET_SCREENNAME_OK, L{}), "without a request", true},
        {codec.encode(msg::TABLE_INFO,
                      L{WireValue(L{1, "p", wire::fromKeyedValues({{TableInfo::RULESET, QStringLiteral("x")}})})}),
         "is not an integer", true},
        {codec.encode(msg::TABLE_INFO, L{WireValue(L{1, "p", wire::fromKeyedValues({{TableInfo::RULESET, 7}})})}),
         "out of range", true},
        {codec.encode(msg::TABLE_INFO_UPDATE, L{1, 99, WireValue(L{})}), "seated count out of range", true},
        // bet + fee must stay representable
        {codec.encode(msg::TABLE_INFO_UPDATE,
                      L{1, 2, wire::fromKeyedValues({{TableInfo::BET, std::numeric_limits<qint64>::max() / 2 + 1}})}),
         "out of range", true},
        {codec.encode(msg::TOURNAMENT_INFO_UPDATE, L{1, wire::fromKeyedValues({{TournamentInfo::STATUS, 9}})}),
         "out of range", true},
        {codec.encode(msg::TOURNAMENT_ENVELOPE,
                      L{1, WireValue(L{WireValue(L{WireValue(L{WireValue(L{qint64(5), qint64(2)}), WireValue(L{})})})},
                                     tmt_msg::PRIZE_CONFIGURATION)}),
         "reversed", true},
        {codec.encode(msg::TOURNAMENT_ENVELOPE,
                      L{1, WireValue(L{WireValue(L{WireValue(goodTable), WireValue(goodTable)})},
                                     tmt_msg::PRIZE_CONFIGURATION)}),
         "overlapping ranges", true},
        {codec.encode(msg::TOURNAMENT_ENVELOPE, L{1, WireValue(L{}, tmt_msg::RANKING_LIST_REQUEST)}),
         "unexpected tournament message", true},
    };
    PlayerData bad(1, QStringLiteral("x"));
    bad.setDiscards({1, 2}, 5);
    cases.push_back({codec.encode(msg::PLAYER_JOINED, L{1, wire::fromPlayerData(bad)}), "outside the discards", true});

    for (const Case &c : cases) {
        ConnectionManager cm(false);
        QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
        if (c.handshake)
            cm.handleMessage(codec.encode(msg::HELLO_OK, L{1}));
        for (const message_t &earlier : c.earlier)
            cm.handleMessage(earlier);
        QCOMPARE(errors.size(), 0);
        cm.handleMessage(c.body);
        QCOMPARE(errors.size(), 1);
        const QString what = QString::fromStdString(errors[0][0].value<std::string>());
        QVERIFY2(what.contains(c.error), qPrintable(what + " / expected: " + c.error));
    }

    // An answer of the wrong kind under a pending request's sequence number
    // is refused, not taken as the answer of another request.
    ConnectionManager cm(false);
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    QSignalSpy screenname(&cm, &ConnectionManager::setScreennameOk);
    QSignalSpy names(&cm, &ConnectionManager::playerNameUpdate);
    cm.handleMessage(codec.encode(msg::HELLO_OK, L{1}));
    cm.set_screenname(QStringLiteral("ann")); // registered as request 1, though not sent
    cm.set_screenname(QStringLiteral("bob")); // request 2
    cm.handleMessage(service(1, svc_msg::PLAYER_NAME, L{7, "x"}));
    QCOMPARE(errors.size(), 1);
    QVERIFY(QString::fromStdString(errors[0][0].value<std::string>()).contains("does not fit request 1"));
    QCOMPARE(names.size(), 0);
    cm.handleMessage(service(2, svc_msg::SET_SCREENNAME_OK, L{}));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(screenname.size(), 1);
}

void TestProtocolCodec::exceptionsOfReceiversBecomeExceptionCaught()
{
    // A receiver that cannot accept an event (an unknown table, say) throws;
    // the session reports it and goes on with the next message.
    const Codec &codec = Codec::instance();
    ConnectionManager cm(false);
    cm.handleMessage(codec.encode(msg::HELLO_OK, L{1}));
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    QSignalSpy over(&cm, &ConnectionManager::waitingOver);
    connect(&cm, &ConnectionManager::tileDiscarded, this,
            [](qint32 table, qint32, tile) { throw server_error("no table " + std::to_string(table)); });
    cm.handleMessage(codec.encode(msg::TILE_DISCARDED, L{99, 1, qint64(3)}));
    cm.handleMessage(codec.encode(msg::WAITING_OVER, L{5}));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0][0].value<std::string>(), std::string("no table 99"));
    QCOMPARE(over.size(), 1);
    QCOMPARE(cm.messagesRead(), qint64(3));
}

QTEST_GUILESS_MAIN(TestProtocolCodec)

// What no request of the session's asked for goes alone, with a warning:
// a question to rejoin a table answers a join or a quick join only (it
// names the table the player sits at, not the one asked for), and a login
// answer comes once per login.
void TestProtocolCodec::answersNobodyAskedForAreIgnored()
{
    const Codec &codec = Codec::instance();
    ConnectionManager cm(false);
    QSignalSpy errors(&cm, &ConnectionManager::exceptionCaught);
    QSignalSpy seated(&cm, &ConnectionManager::alreadySeated);
    QSignalSpy login(&cm, &ConnectionManager::loginSuccess);
    cm.handleMessage(codec.encode(msg::HELLO_OK, L{1}));
    const auto alreadySeated = [&](qint32 table) { cm.handleMessage(codec.encode(msg::ALREADY_SEATED, L{table})); };

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already_seated for table 5 answers no join"));
    alreadySeated(5);
    cm.join_table(7, -1);
    alreadySeated(5); // the join of table 7, the player sitting at 5
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already_seated for table 5 answers no join"));
    alreadySeated(5);
    cm.join_table(8, -1);
    cm.handleMessage(codec.encode(msg::JOIN_OK, L{8}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already_seated for table 8 answers no join"));
    alreadySeated(8);
    cm.filter_join(QStringLiteral("/Practice/Riichi/4/"));
    alreadySeated(9);
    cm.filter_join(QStringLiteral("/Practice/Riichi/4/"));
    cm.handleMessage(codec.encode(msg::WAITING_LIST, L{3}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already_seated for table 9 answers no join"));
    alreadySeated(9);
    QCOMPARE(seated.size(), 2);
    QCOMPARE(seated.at(0).at(0).toInt(), 5);
    QCOMPARE(seated.at(1).at(0).toInt(), 9);

    cm.handleMessage(codec.encode(msg::LOGIN_OK, L{1, "Ann", "c", true}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("login answer for player 1 while logged in as player 1"));
    cm.handleMessage(codec.encode(msg::LOGIN_OK, L{1, "Ann", "c", true}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("login answer for player 2 while logged in as player 1"));
    cm.handleMessage(codec.encode(msg::LOGIN_OK, L{2, "Bob", "c", true}));
    QCOMPARE(login.size(), 1);
    QCOMPARE(cm.ownPlayerId(), 1);
    QCOMPARE(errors.size(), 0);
}

#include "tst_protocol_codec.moc"
