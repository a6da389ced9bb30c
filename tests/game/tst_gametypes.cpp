#include "MahjongTranslator.h"

#include "game/EndHandScoring.h"
#include "game/GameMetaTypes.h"
#include "game/Meld.h"
#include "game/Orientation.h"
#include "game/PlayerData.h"
#include "game/RulesetInfo.h"
#include "game/Tile.h"
#include "game/Wind.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QtTest>

#include <limits>
#include <sstream>
#include <stdexcept>

namespace {

template <typename T>
std::string streamed(const T &value)
{
    std::ostringstream os;
    os << value;
    return os.str();
}

// Tile-by-tile wall bookkeeping, written straight from the rules, to check
// the run-based version against.
void referenceWallCounts(int ruleset, qint32 count, bool fromDeadWall, qint32 &live, qint32 &dead, qint32 &dealt)
{
    if (!fromDeadWall) {
        live -= count;
        return;
    }
    if (ruleset == 1) {
        if (count > 0)
            live -= count;
    } else if (ruleset == 2) {
        for (int i = 0; i < count; ++i) {
            if (live >= 1)
                --live;
            else
                --dead;
        }
    } else if (ruleset == 0) {
        for (int i = 0; i < count; ++i) {
            --dead;
            if (dead <= 12 && live >= 2) {
                live -= 2;
                dead += 2;
            }
        }
    }
    dealt += count;
}

} // namespace

class tst_GameTypes : public QObject
{
    Q_OBJECT

private slots:
    void tileKindsAndNumbers_data();
    void tileKindsAndNumbers();
    void tileDisplayNames();
    void tileNamesAreTranslatedInMahjongContext();
    void tileDebugTexts();
    void tileVectorPrinters();
    void meldNamesMakersAndPrinters();
    void windsAndOrientations();
    void rulesets();
    void wallCountsDocumentedCases();
    void wallCountsMatchTileByTileRules();
    void wallCountsHugeCountsAreCheapAndSaturate();
    void playerRecordBasics();
    void playerRecordDrawsAndDiscards();
    void playerRecordResetForHand();
    void scoringRecordCopiesAreIndependent();
    void metaTypesTravelThroughVariants();
};

void tst_GameTypes::tileKindsAndNumbers_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("number");
    const struct
    {
        int byte, kind, number;
    } rows[] = {{0, 0, 1},   {8, 0, 9},    {9, 1, 1},    {17, 1, 9},   {18, 2, 1},  {26, 2, 9}, {27, 4, 1},
                {30, 4, 4},  {31, 3, 1},   {33, 3, 3},   {34, 5, 1},   {37, 5, 4},  {38, 6, 1}, {41, 6, 4},
                {42, 6, -1}, {127, 6, -1}, {128, 6, -1}, {200, 6, -1}, {255, 6, -1}};
    for (const auto &r : rows)
        QTest::addRow("byte %d", r.byte) << r.byte << r.kind << r.number;
}

void tst_GameTypes::tileKindsAndNumbers()
{
    QFETCH(int, byte);
    QFETCH(int, kind);
    QFETCH(int, number);
    const tile t = static_cast<tile>(static_cast<quint8>(byte));
    QCOMPARE(tileType(t), kind);
    QCOMPARE(tileNumber(t), number);
    QCOMPARE(int(tileToWire(t)), byte);
}

void tst_GameTypes::tileDisplayNames()
{
    QCOMPARE(tileName(CONCEALED_TILE), QStringLiteral("Concealed"));
    QCOMPARE(tileName(tile(6)), QStringLiteral("Bamboo 7"));
    QCOMPARE(tileName(tile(9)), QStringLiteral("Character 1"));
    QCOMPARE(tileName(tile(24)), QStringLiteral("Circle 7"));
    QCOMPARE(tileName(tile(27)), QStringLiteral("East Wind"));
    QCOMPARE(tileName(tile(30)), QStringLiteral("North Wind"));
    QCOMPARE(tileName(tile(31)), QStringLiteral("Green Dragon"));
    QCOMPARE(tileName(tile(33)), QStringLiteral("White Dragon"));
    QCOMPARE(tileName(tile(34)), QStringLiteral("Plum blossom 1"));
    // The fourth flower shares its word with the bamboo suit.
    QCOMPARE(tileName(tile(37)), QStringLiteral("Bamboo 4"));
    QCOMPARE(tileName(tile(38)), QStringLiteral("Spring 1"));
    QCOMPARE(tileName(tile(41)), QStringLiteral("Winter 4"));
    // Not a tile: no name rather than a read past a table.
    QCOMPARE(tileName(tile(42)), QString());
    QCOMPARE(tileName(tile(100)), QString());
}

void tst_GameTypes::tileNamesAreTranslatedInMahjongContext()
{
    MahjongTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const QString circle = tileName(tile(24));
    const QString concealed = tileName(CONCEALED_TILE);
    const QString east = translatedWindName(0);
    const QString prevalent = translatedPrevalentWindName(1);
    const QString west = translatedWindName(2);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(circle, QStringLiteral("7-Pin"));
    QCOMPARE(concealed, QStringLiteral("Ura"));
    QCOMPARE(east, QStringLiteral("Higashi"));
    QCOMPARE(prevalent, QStringLiteral("Bakaze: Minami"));
    QCOMPARE(west, QStringLiteral("West"));
}

void tst_GameTypes::tileDebugTexts()
{
    QCOMPARE(tileToString(tile(24)), std::string("CIRCLE 7"));
    QCOMPARE(tileToString(tile(0)), std::string("BAMBOO 1"));
    QCOMPARE(tileToString(tile(17)), std::string("CHARACTER 9"));
    QCOMPARE(tileToString(tile(28)), std::string("SOUTH WIND"));
    QCOMPARE(tileToString(tile(32)), std::string("RED DRAGON"));
    QCOMPARE(tileToString(tile(33)), std::string("WHITE DRAGON"));
    QCOMPARE(tileToString(tile(36)), std::string("CHRYSANTHEMUM"));
    QCOMPARE(tileToString(tile(37)), std::string("BAMBOO"));
    QCOMPARE(tileToString(tile(40)), std::string("AUTUMN"));
    QCOMPARE(tileToString(CONCEALED_TILE), std::string("CONCEALED"));
    QCOMPARE(tileToString(tile(99)), std::string("INVALID 99"));
    QCOMPARE(streamed(tile(29)), std::string("WEST WIND"));
}

void tst_GameTypes::tileVectorPrinters()
{
    QCOMPARE(streamed(tile_vector{}), std::string());
    QCOMPARE(streamed(tile_vector{tile(0), tile(31), CONCEALED_TILE}), std::string("BAMBOO 1,GREEN DRAGON,CONCEALED"));

    QString text;
    QDebug(&text) << tile_vector{tile(10), tile(38)};
    QCOMPARE(text.trimmed(), QStringLiteral("CHARACTER 2,SPRING"));
}

void tst_GameTypes::meldNamesMakersAndPrinters()
{
    QCOMPARE(meldTypeName(1), "CHOW");
    QCOMPARE(meldTypeName(2), "PONG");
    QCOMPARE(meldTypeName(4), "PONG TO KONG");
    QCOMPARE(meldTypeName(8), "KONG");
    QCOMPARE(meldTypeName(16), "MAHJONG");
    QCOMPARE(meldTypeName(32), "PAIR");
    for (int other : {0, 3, 64, 128, -1})
        QCOMPARE(meldTypeName(other), "UNKNOWN");

    QCOMPARE(makeChowTiles(tile(3)), (tile_vector{3, 4, 5}));
    // Byte arithmetic only, even across a suit boundary.
    QCOMPARE(makeChowTiles(tile(7)), (tile_vector{7, 8, 9}));
    QCOMPARE(makePongTiles(tile(31)), (tile_vector{31, 31, 31}));
    QCOMPARE(makeKongTiles(tile(27)), (tile_vector{27, 27, 27, 27}));

    const meld_tuple pong{MELD_PONG, 1, tile(27), 5, 0};
    QCOMPARE(streamed(pong), std::string("Meld<PONG EAST WIND concealed:1>"));
    const meld_tuple odd{99, 0, tile(33), -1, 0};
    QCOMPARE(streamed(meld_vector{pong, odd}),
             std::string("Melds<Meld<PONG EAST WIND concealed:1>,Meld<UNKNOWN WHITE DRAGON "
                         "concealed:0>>"));
    QCOMPARE(streamed(meld_vector{}), std::string("Melds<>"));

    meld_tuple copy = pong;
    copy.claimedOffset = 2;
    QCOMPARE(pong.claimedOffset, qint8(0));
    QVERIFY(!(copy == pong));
}

void tst_GameTypes::windsAndOrientations()
{
    QCOMPARE(windName(0), "EAST");
    QCOMPARE(windName(3), "NORTH");
    QCOMPARE(windName(4), "<undefined>");
    QCOMPARE(windName(-1), "<undefined>");
    QCOMPARE(orientationName(0), "BOTTOM");
    QCOMPARE(orientationName(1), "RIGHT");
    QCOMPARE(orientationName(2), "TOP");
    QCOMPARE(orientationName(3), "LEFT");
    QCOMPARE(orientationName(4), "<undefined>");
    QCOMPARE(orientationName(-7), "<undefined>");

    QCOMPARE(translatedWindName(1), QStringLiteral("South"));
    QCOMPARE(translatedPrevalentWindName(3), QStringLiteral("Prevalent wind: North"));
    QCOMPARE(translatedWindName(4), QString());
    QCOMPARE(translatedPrevalentWindName(-1), QString());

    QCOMPARE(nextWind(0), 1);
    QCOMPARE(nextWind(1), 2);
    QCOMPARE(nextWind(2), 3);
    QCOMPARE(nextWind(3), 0);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, nextWind(4));
    try {
        nextWind(-1);
        QFAIL("no exception");
    } catch (const std::runtime_error &e) {
        QCOMPARE(std::string(e.what()), std::string("invalid wind"));
    }

    QCOMPARE(wrapWind(0 - 3), 1);
    QCOMPARE(wrapWind(-4), 0);
    QCOMPARE(wrapWind(-5), 3);
    QCOMPARE(wrapWind(7), 3);
    QCOMPARE(wrapWind(std::numeric_limits<int>::min()), 0);
}

void tst_GameTypes::rulesets()
{
    QCOMPARE(rulesetInfo(0).deadWall(), 14);
    QCOMPARE(rulesetInfo(0).liveWall(), 130);
    QCOMPARE(rulesetInfo(1).deadWall(), 0);
    QCOMPARE(rulesetInfo(1).liveWall(), 144);
    QCOMPARE(rulesetInfo(2).deadWall(), 14);
    QCOMPARE(rulesetInfo(2).liveWall(), 122);
    QCOMPARE(&rulesetInfo(2), &rulesetInfo(2));
    for (int bad : {3, -1, 255}) {
        try {
            rulesetInfo(bad);
            QFAIL("no exception");
        } catch (const std::runtime_error &e) {
            QCOMPARE(std::string(e.what()), std::string("Ruleset not supported"));
        }
    }
}

void tst_GameTypes::wallCountsDocumentedCases()
{
    // Classic: the dead wall is topped up once it is down to 12.
    qint32 live = 50, dead = 14, dealt = 0;
    updateWallCounts(0, 1, true, live, dead, dealt);
    QCOMPARE(live, 50);
    QCOMPARE(dead, 13);
    QCOMPARE(dealt, 1);
    updateWallCounts(0, 1, true, live, dead, dealt);
    QCOMPARE(live, 48);
    QCOMPARE(dead, 14);
    QCOMPARE(dealt, 2);

    // Riichi: the dead wall shrinks only once the live wall is empty.
    live = 0, dead = 10, dealt = 0;
    updateWallCounts(2, 2, true, live, dead, dealt);
    QCOMPARE(live, 0);
    QCOMPARE(dead, 8);
    QCOMPARE(dealt, 2);
    live = 1, dead = 14, dealt = 3;
    updateWallCounts(2, 2, true, live, dead, dealt);
    QCOMPARE(live, 0);
    QCOMPARE(dead, 13);
    QCOMPARE(dealt, 5);

    // International has no dead wall of its own.
    live = 100, dead = 0, dealt = 4;
    updateWallCounts(1, 2, true, live, dead, dealt);
    QCOMPARE(live, 98);
    QCOMPARE(dead, 0);
    QCOMPARE(dealt, 6);

    // From the live wall only the live count moves, whatever the ruleset.
    for (int ruleset : {0, 1, 2, 7}) {
        live = 40, dead = 11, dealt = 3;
        updateWallCounts(ruleset, 3, false, live, dead, dealt);
        QCOMPARE(live, 37);
        QCOMPARE(dead, 11);
        QCOMPARE(dealt, 3);
    }

    // Unknown ruleset from the dead wall: only the dealt count.
    live = 40, dead = 11, dealt = 3;
    updateWallCounts(9, 2, true, live, dead, dealt);
    QCOMPARE(live, 40);
    QCOMPARE(dead, 11);
    QCOMPARE(dealt, 5);

    // Zero or negative counts from the dead wall change only the dealt count.
    for (int ruleset : {0, 1, 2}) {
        live = 40, dead = 11, dealt = 3;
        updateWallCounts(ruleset, 0, true, live, dead, dealt);
        updateWallCounts(ruleset, -2, true, live, dead, dealt);
        QCOMPARE(live, 40);
        QCOMPARE(dead, 11);
        QCOMPARE(dealt, 1);
    }
}

void tst_GameTypes::wallCountsMatchTileByTileRules()
{
    for (int ruleset : {0, 1, 2, 5}) {
        for (bool fromDead : {false, true}) {
            for (qint32 live0 : {-3, 0, 1, 2, 3, 4, 5, 11, 48}) {
                for (qint32 dead0 : {-2, 0, 5, 11, 12, 13, 14, 15, 20}) {
                    for (qint32 count = -1; count <= 30; ++count) {
                        qint32 live = live0, dead = dead0, dealt = 7;
                        qint32 rl = live0, rd = dead0, rdealt = 7;
                        updateWallCounts(ruleset, count, fromDead, live, dead, dealt);
                        referenceWallCounts(ruleset, count, fromDead, rl, rd, rdealt);
                        if (live != rl || dead != rd || dealt != rdealt) {
                            const QString where = QStringLiteral("ruleset %1 fromDead %2 live %3 dead %4 count %5")
                                                      .arg(ruleset)
                                                      .arg(fromDead)
                                                      .arg(live0)
                                                      .arg(dead0)
                                                      .arg(count);
                            QFAIL(qPrintable(where
                                             + QStringLiteral(": got %1/%2/%3, want %4/%5/%6")
                                                   .arg(live)
                                                   .arg(dead)
                                                   .arg(dealt)
                                                   .arg(rl)
                                                   .arg(rd)
                                                   .arg(rdealt)));
                        }
                    }
                }
            }
        }
    }
}

void tst_GameTypes::wallCountsHugeCountsAreCheapAndSaturate()
{
    const qint32 maxInt = std::numeric_limits<qint32>::max();
    const qint32 minInt = std::numeric_limits<qint32>::min();

    // A hostile count must neither spin nor wrap around.
    qint32 live = maxInt, dead = 14, dealt = maxInt - 1;
    updateWallCounts(0, maxInt, true, live, dead, dealt);
    QCOMPARE(dealt, maxInt);
    QVERIFY(live >= 0);
    QVERIFY(dead >= 13 && dead <= 14);

    live = 0, dead = minInt + 1, dealt = 0;
    updateWallCounts(0, maxInt, true, live, dead, dealt);
    QCOMPARE(dead, minInt);

    live = minInt, dead = 0, dealt = 0;
    updateWallCounts(2, maxInt, false, live, dead, dealt);
    QCOMPARE(live, minInt);
}

void tst_GameTypes::playerRecordBasics()
{
    const PlayerData p(42, QStringLiteral("Ann"));
    QCOMPARE(p.id(), 42);
    QCOMPARE(p.name(), QStringLiteral("Ann"));
    QCOMPARE(p.wind(), 0);
    QCOMPARE(p.hiddenTiles(), 0);
    QCOMPARE(p.riichiDiscardIndex(), -1);
    QVERIFY(p.isActive());
    QVERIFY(!p.isReady());
    QVERIFY(!p.isFuriten());
    QVERIFY(!p.isSeated());
    QVERIFY(p.melds().empty() && p.hand().empty() && p.discards().empty());

    PlayerData q = p;
    q.setWind(2);
    QCOMPARE(streamed(q), std::string("PlayerData { id:42 name:\"Ann\" wind:WEST }"));
    q.setWind(9);
    QCOMPARE(streamed(q), std::string("PlayerData { id:42 name:\"Ann\" wind:<undefined> }"));
    QCOMPARE(p.wind(), 0);
}

void tst_GameTypes::playerRecordDrawsAndDiscards()
{
    PlayerData p(1, QStringLiteral("Bo"));
    p.setHand({30, 2, 17, 9, 0, 5, 22, 22, 31, 27, 13, 8, 1});
    const tile_vector sorted{0, 1, 2, 5, 8, 9, 13, 17, 22, 22, 27, 30, 31};
    QCOMPARE(p.hand(), sorted);

    p.addDrawnTiles({tile(10)});
    QCOMPARE(p.hand().size(), size_t(14));
    QVERIFY(std::is_sorted(p.hand().begin(), p.hand().end()));
    QCOMPARE(p.drawnTiles(), tile_vector{tile(10)});

    p.addDiscard(tile(10), false);
    QVERIFY(p.drawnTiles().empty());
    p.addDrawnTiles({tile(3)});
    p.addMeld(MELD_PONG, 0, tile(22), 7, 0);
    QVERIFY(p.drawnTiles().empty());
    QCOMPARE(p.melds().back(), (meld_tuple{MELD_PONG, 0, tile(22), 7, 0}));
    p.addDrawnTiles({tile(4)});
    p.setMelds({});
    QVERIFY(p.drawnTiles().empty());
    QVERIFY(p.melds().empty());

    // Riichi marks the index the declaring discard gets.
    p.setDiscards({1, 2, 3, 4, 5}, -1);
    p.addDiscard(tile(6), true);
    QCOMPARE(p.riichiDiscardIndex(), 5);
    p.addDiscard(tile(7), false);
    QCOMPARE(p.riichiDiscardIndex(), 5);
    QCOMPARE(p.discards().size(), size_t(7));

    tile taken = 0;
    QVERIFY(p.takeLastDiscard(taken));
    QCOMPARE(taken, tile(7));
    QCOMPARE(p.discards().size(), size_t(6));

    // An empty pond yields nothing and stays intact.
    PlayerData empty(2, QStringLiteral("Cy"));
    taken = 12;
    QVERIFY(!empty.takeLastDiscard(taken));
    QCOMPARE(taken, tile(12));
    QVERIFY(empty.discards().empty());
}

void tst_GameTypes::playerRecordResetForHand()
{
    PlayerData p(3, QStringLiteral("Di"));
    p.setHiddenTiles(13);
    p.setWind(3);
    p.setPoints(25000);
    p.setWins(2);
    p.setReady(true);
    p.setActive(false);
    p.setFuriten(true);
    p.setSeated(true);
    p.setHand({1, 2});
    p.addDrawnTiles({3});
    p.addMeld(MELD_CHOW, 0, 4, 1, 1);
    p.setBonusTiles({34});
    p.addDiscard(5, true);

    p.resetForHand();
    QCOMPARE(p.hiddenTiles(), 0);
    QCOMPARE(p.riichiDiscardIndex(), -1);
    QVERIFY(p.hand().empty() && p.melds().empty() && p.bonusTiles().empty());
    QVERIFY(p.discards().empty() && p.drawnTiles().empty());
    QVERIFY(!p.isReady());
    QCOMPARE(p.id(), 3);
    QCOMPARE(p.name(), QStringLiteral("Di"));
    QCOMPARE(p.wind(), 3);
    QCOMPARE(p.points(), 25000);
    QCOMPARE(p.wins(), 2);
    QVERIFY(!p.isActive());
    QVERIFY(p.isFuriten());
    QVERIFY(p.isSeated());
}

void tst_GameTypes::scoringRecordCopiesAreIndependent()
{
    EndHandScoring source;
    source.endOfGame = true;
    source.winKind = EndHandScoring::SELF_DRAWN;
    PlayerHandScore score;
    score.playerId = 5;
    score.screenName = QStringLiteral("Ed");
    score.result = 1;
    score.pointsLines = {{QStringLiteral("Pung of dragons"), 2}};
    score.tileGroups = {{tile_vector{31, 31, 31}, tile(31)}};
    score.currentScore = 27000;
    source.players[5] = score;
    source.doraTiles = {4};

    EndHandScoring copy = source;
    copy.players[5].tileGroups[0].first.push_back(31);
    copy.players[5].pointsLines.clear();
    copy.doraTiles.push_back(9);

    QCOMPARE(source.players.at(5).tileGroups[0].first.size(), size_t(3));
    QCOMPARE(source.players.at(5).pointsLines.size(), size_t(1));
    QCOMPARE(source.doraTiles.size(), size_t(1));
    QVERIFY(source.isWon());
    QVERIFY(!EndHandScoring().isWon());

    const EndHandScoring empty;
    const EndHandScoring emptyCopy = empty;
    QVERIFY(emptyCopy.players.empty());
    QVERIFY(emptyCopy == empty);
}

void tst_GameTypes::metaTypesTravelThroughVariants()
{
    registerGameMetaTypes();
    for (const char *name :
         {"tile", "tile_vector", "meld_tuple", "meld_vector", "PlayerData", "EndHandScoring", "PlayerHandScore"})
        QVERIFY2(QMetaType::fromName(name).isValid(), name);

    EndHandScoring e;
    e.winKind = 2;
    e.players[3].settlement = -800;
    const QVariant v = QVariant::fromValue(e);
    QCOMPARE(v.value<EndHandScoring>().players.at(3).settlement, -800);

    PlayerData p(8, QStringLiteral("Fa"));
    p.setPoints(300);
    QCOMPARE(QVariant::fromValue(p).value<PlayerData>().points(), 300);
    const meld_tuple m{MELD_KONG, 1, 27, -1, 0};
    QCOMPARE(QVariant::fromValue(m).value<meld_tuple>(), m);
}

QTEST_GUILESS_MAIN(tst_GameTypes)
#include "tst_gametypes.moc"
