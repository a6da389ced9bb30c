// The tournament value types and texts, the lobby model's rows and signals,
// the ranking model and the prize structure model.
#include "TournamentTestData.h"

#include "core/TextFormat.h"
#include "lobby/VariantLessThan.h"
#include "protocol/TournamentInfoUpdates.h"
#include "tournaments/TournamentItems.h"
#include "tournaments/TournamentPrizeStructureModel.h"
#include "tournaments/TournamentRankingModel.h"
#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentTexts.h"
#include "tournaments/TournamentsLobbyModel.h"

#include <QSignalSpy>
#include <QTest>

#include <random>

class TestTournamentModels : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void durationText_data();
    void durationText();
    void amounts();
    void prizes_data();
    void prizes();
    void orderOfValues();

    void lobbyRowsAndSignals();
    void newStartsKeepTheModelInOrder();
    void statusChanges();
    void registrationMarks();
    void badUpdateChangesNothing();
    void busyLobbyShowsChangesPerInterval();

    void rankingPositionsAndTexts();
    void rankingMerge();

    void prizeStructure();
};

void TestTournamentModels::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("open") << tournamentStatusName(0) << "Open";
    QTest::newRow("aborted") << tournamentStatusName(7) << "Aborted";
    QTest::newRow("unknown status") << tournamentStatusName(-1) << "<undefined>";
    QTest::newRow("status 8") << tournamentStatusName(8) << "<undefined>";
    QTest::newRow("players") << registeredInfoText({12, 64}) << "12/64";
    QTest::newRow("one position") << positionRangeText({1, 1}) << "#1";
    QTest::newRow("positions") << positionRangeText({4, 10}) << "#4-#10";
    QTest::newRow("points") << rankingPointsText({1, "a", 9, 5, 0, false}) << "4.5/2.5";
    QTest::newRow("even points") << rankingPointsText({1, "a", 8, 2, 0, false}) << "4/1";
    QTest::newRow("negative points") << rankingPointsText({1, "a", -5, -3, 0, false}) << "-2.5/-1.5";
    QTest::newRow("payout") << rankingPointsPayoutText({1, "a", 7, 3, 1250, false})
                            << "3.5/1.5/" + Utils::moneyString(1250, false);
}

void TestTournamentModels::texts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void TestTournamentModels::durationText_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<QList<int>>("lengths");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no rounds") << 0 << QList<int>{1200} << QString();
    QTest::newRow("not scheduled") << 4 << QList<int>{} << QString();
    QTest::newRow("equal") << 4 << QList<int>{1200, 1200, 1200, 1200} << "4x20 min(s)";
    QTest::newRow("one round") << 1 << QList<int>{1800} << "1x30 min(s)";
    QTest::newRow("unequal") << 3 << QList<int>{1200, 1800, 1200} << "70 min(s)";
    // Only the lengths the record holds count, never beyond them.
    QTest::newRow("fewer lengths") << 4 << QList<int>{1200, 1800} << "50 min(s)";
    QTest::newRow("more lengths") << 2 << QList<int>{600, 600, 6000} << "2x10 min(s)";
}

void TestTournamentModels::durationText()
{
    QFETCH(int, rounds);
    QFETCH(QList<int>, lengths);
    TournamentInfo t;
    t.numberOfRounds = rounds;
    t.roundsLength.assign(lengths.begin(), lengths.end());
    QTEST(tournamentDurationText(t), "expected");
}

void TestTournamentModels::amounts()
{
    TournamentInfo t = makeTournament(1, "T", TournamentInfo::Open, 0, 1000, 100, 10);
    t.additionalPayoutAmount = 5000;
    QCOMPARE(tournamentPot(t), qint64(15000));
    QCOMPARE(tournamentBuyIn(t), qint64(1100));
    // No buy-in set: counts as nothing, never as a negative amount.
    t.cost = TournamentCost(-1, 0);
    QCOMPARE(tournamentPot(t), qint64(5000));
    QCOMPARE(tournamentBuyIn(t), qint64(0));
    // Large pots do not wrap around.
    t.cost = TournamentCost(2000000000, 0);
    t.registeredPlayers = 1000;
    QCOMPARE(tournamentPot(t), qint64(2000000000) * 1000 + 5000);

    QVERIFY(!isTournamentActive(makeTournament(1, "T", TournamentInfo::Unknown, 0, 0, 0, 0)));
    QVERIFY(isTournamentActive(makeTournament(1, "T", TournamentInfo::Paused, 0, 0, 0, 0)));
    QVERIFY(!isTournamentActive(makeTournament(1, "T", TournamentInfo::Cancelled, 0, 0, 0, 0)));
}

void TestTournamentModels::prizes_data()
{
    QTest::addColumn<qint64>("pot");
    QTest::addColumn<int>("share");
    QTest::addColumn<qint64>("prize");
    QTest::newRow("350 of 1400") << qint64(1400) << 350 << qint64(490);
    QTest::newRow("250 of 12345") << qint64(12345) << 250 << qint64(3080);
    QTest::newRow("whole pot") << qint64(12345) << 1000 << qint64(12340);
    QTest::newRow("nothing") << qint64(12345) << 0 << qint64(0);
    QTest::newRow("huge pot") << qint64(9000000000000000000) << 333 << qint64(2997000000000000000);
    QTest::newRow("share above the pot") << qint64(1000) << 1001 << qint64(-1);
    QTest::newRow("negative share") << qint64(1000) << -1 << qint64(-1);
}

void TestTournamentModels::prizes()
{
    QFETCH(qint64, pot);
    QFETCH(int, share);
    QTEST(tournamentPrize(pot, share), "prize");
    // Exact in integers: every pot of up to 2000 cents against every share.
    if (QTest::currentDataTag() == QLatin1String("350 of 1400")) {
        for (qint64 p = 0; p <= 2000; ++p) {
            for (int s = 0; s <= 1000; ++s) {
                const qint64 exact = p * s / 1000;
                if (tournamentPrize(p, s) != exact - exact % 10)
                    QFAIL(qPrintable(QStringLiteral("share %1 of %2").arg(s).arg(p)));
            }
        }
    }
}

void TestTournamentModels::orderOfValues()
{
    const auto v = [](const auto &value) { return QVariant::fromValue(value); };
    QVERIFY(variantLessThan(v(TournamentCost(1050, 0)), v(TournamentCost(1000, 100))));
    QVERIFY(variantLessThan(v(TournamentRegisteredInfo{5, 10}), v(TournamentRegisteredInfo{5, 20})));
    QVERIFY(variantLessThan(v(TournamentRegisteredInfo{4, 64}), v(TournamentRegisteredInfo{5, 10})));
    QVERIFY(!variantLessThan(v(TournamentRegisteredInfo{5, 10}), v(TournamentRegisteredInfo{5, 10})));
    QVERIFY(variantLessThan(QVariant(QStringLiteral("B")), QVariant(QStringLiteral("b")))
            != variantLessThan(QVariant(QStringLiteral("b")), QVariant(QStringLiteral("B"))));
    // Invalid values: equal among themselves, before everything else.
    QVERIFY(!variantLessThan(QVariant(), QVariant()));
    QVERIFY(variantLessThan(QVariant(), QVariant(-5)));
    QVERIFY(!variantLessThan(QVariant(-5), QVariant()));
    QCOMPARE(qvariant_cast<TournamentCost>(QVariant()), TournamentCost(-1, 0));
    QCOMPARE(qvariant_cast<TournamentRegisteredInfo>(QVariant(3)), TournamentRegisteredInfo{});
}

void TestTournamentModels::lobbyRowsAndSignals()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    QSignalSpy added(&model, &TournamentsLobbyModel::tournamentAdded);
    QSignalSpy updated(&model, &TournamentsLobbyModel::tournamentUpdated);
    QSignalSpy removed(&model, &TournamentsLobbyModel::tournamentRemoved);

    TournamentInfo t = makeTournament(7, "Sunday <b>Classic</b>", TournamentInfo::Open, 0, 1000, 100, 12);
    t.additionalPayoutAmount = 5000;
    model.addOrUpdateTournament(t);
    model.addOrUpdateTournament(makeTournament(3, "Early", TournamentInfo::Playing, 2, -1, 0, 64));
    QCOMPARE(added.size(), 2);
    QCOMPARE(updated.size(), 0);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), int(TournamentsLobbyModel::ColumnCount));
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    QCOMPARE(model.tournamentIds(), (QList<qint32>{3, 7}));
    QCOMPARE(model.tournamentIdByPersistentId(70), 7);
    QCOMPARE(model.tournamentIdByPersistentId(71), -1);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, model.tournamentInfo(99));

    // The new row comes last; every cell names its tournament.
    const int row = model.indexOfTournament(7).row();
    QCOMPARE(row, 0);
    QCOMPARE(model.indexOfTournament(3).row(), 1);
    for (int column = 0; column < model.columnCount(); ++column)
        QCOMPARE(model.index(row, column).data(TournamentRoles::IdRole).toInt(), 7);
    const auto text = [&](int column) { return model.index(row, column).data().toString(); };
    QCOMPARE(text(TournamentsLobbyModel::StatusColumn), "Open");
    QCOMPARE(text(TournamentsLobbyModel::NameColumn), t.name);
    QCOMPARE(text(TournamentsLobbyModel::RulesColumn), "Classic");
    QCOMPARE(text(TournamentsLobbyModel::PlayersColumn), "12/64");
    QCOMPARE(text(TournamentsLobbyModel::StartColumn), Utils::localDateTimeString(t.start));
    QCOMPARE(model.index(row, TournamentsLobbyModel::BuyInColumn).data(TournamentRoles::RawValueRole).toLongLong(),
             1100);
    QCOMPARE(model.index(row, TournamentsLobbyModel::PotColumn).data(TournamentRoles::RawValueRole).toLongLong(),
             17000);
    // Names from the server show as plain text in tool tips.
    QVERIFY(model.index(row, 3).data(Qt::ToolTipRole).toString().contains("&lt;b&gt;"));
    // No buy-in: "-", never "-$0.01".
    QCOMPARE(model.index(1, TournamentsLobbyModel::BuyInColumn).data().toString(), "-");

    // A second record updates in place and sorts the model by start.
    t.registeredPlayers = 13;
    model.addOrUpdateTournament(t);
    QCOMPARE(added.size(), 2);
    QCOMPARE(updated.size(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(text(TournamentsLobbyModel::PlayersColumn), "13/64");
    t.start = t.start.addDays(-1);
    model.addOrUpdateTournament(t);
    QCOMPARE(model.indexOfTournament(7).row(), 0);
    QCOMPARE(model.indexOfTournament(3).row(), 1);

    model.onTournamentRemoved(99);
    QCOMPARE(removed.size(), 0);
    model.onTournamentRemoved(3);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(removed.at(0).at(0).toInt(), 3);
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(!model.hasTournament(3));
    QVERIFY(!model.indexOfTournament(3).isValid());
}

void TestTournamentModels::newStartsKeepTheModelInOrder()
{
    // Tournaments come in any order of start and are not sorted in; every
    // new start leaves the whole model in order of start, whether it moves
    // its row far, a little, or not at all.
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    std::mt19937 random(5);
    const QDateTime base(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
    const auto startAt = [&](int row) {
        return model.index(row, TournamentsLobbyModel::StartColumn).data(TournamentRoles::RawValueRole).toDateTime();
    };
    qint32 nextId = 1;
    for (int round = 0; round < 60; ++round) {
        for (int i = 0; i < int(random() % 3); ++i) {
            TournamentInfo t = makeTournament(nextId++, QStringLiteral("T"), TournamentInfo::Open, 0, 0, 0, 1);
            t.start = base.addSecs(60 * qint64(random() % 100));
            model.addOrUpdateTournament(t);
        }
        if (model.rowCount() == 0)
            continue;
        // A row's start moves by a second (mostly staying between its
        // neighbours) or anywhere.
        const int row = int(random() % model.rowCount());
        TournamentInfo t = model.tournamentInfo(model.index(row, 0).data(TournamentRoles::IdRole).toInt());
        t.start = round % 2 ? startAt(row).addSecs(random() % 2 ? 1 : -1) : base.addSecs(60 * qint64(random() % 100));
        model.addOrUpdateTournament(t);
        for (int r = 1; r < model.rowCount(); ++r)
            QVERIFY2(startAt(r - 1) <= startAt(r), qPrintable(QStringLiteral("round %1, row %2").arg(round).arg(r)));
    }
}

void TestTournamentModels::statusChanges()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    QSignalSpy updated(&model, &TournamentsLobbyModel::tournamentUpdated);
    QSignalSpy changed(&model, &TournamentsLobbyModel::tournamentStatusChanged);
    model.addOrUpdateTournament(makeTournament(5, "T", TournamentInfo::Unknown, 0, 0, 0, 0));
    const auto setStatus = [&](int status) {
        model.updateTournamentInfo(5, {tournamentInfoValueUpdate(TournamentInfo::STATUS, status)});
    };
    setStatus(TournamentInfo::Open); // from unknown: no change announced
    setStatus(TournamentInfo::Open); // unchanged
    setStatus(TournamentInfo::Seating);
    QCOMPARE(updated.size(), 3);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 5);
    QCOMPARE(changed.at(0).at(1).value<TournamentInfo::status_t>(), TournamentInfo::Open);
    QCOMPARE(changed.at(0).at(2).value<TournamentInfo::status_t>(), TournamentInfo::Seating);
    QCOMPARE(model.index(0, TournamentsLobbyModel::StatusColumn).data().toString(), "Seating");

    model.updateTournamentInfo(6, {tournamentInfoValueUpdate(TournamentInfo::STATUS, 1)});
    QCOMPARE(updated.size(), 3);
}

void TestTournamentModels::registrationMarks()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    model.onRegisteredNotification({2});
    model.addOrUpdateTournament(makeTournament(1, "A", TournamentInfo::Open, 0, 0, 0, 0));
    model.addOrUpdateTournament(makeTournament(2, "B", TournamentInfo::Open, 0, 0, 0, 0));
    const auto mark = [&](qint32 id) {
        return model.indexOfTournament(id).data(TournamentRoles::RegisteredRole).toBool();
    };
    QVERIFY(!mark(1));
    QVERIFY(mark(2));
    QVERIFY(model.tournamentInfo(2).playerRegistered);
    QVERIFY(!model.indexOfTournament(2).data(Qt::DecorationRole).value<QIcon>().isNull());

    // A notice after the records moves the marks it changes, and says so.
    QSignalSpy updated(&model, &TournamentsLobbyModel::tournamentUpdated);
    QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
    model.onRegisteredNotification({1});
    QVERIFY(mark(1));
    QVERIFY(!mark(2));
    QCOMPARE(updated.size(), 2);
    QVERIFY(!dataChanged.isEmpty());

    model.onTournamentUnregisterSuccess(1);
    QVERIFY(!mark(1));
    model.onTournamentRegisterSuccess(1);
    QVERIFY(mark(1));
    model.onTournamentLeaveSuccess(1);
    QVERIFY(!mark(1));
    QCOMPARE(updated.size(), 5);
    // Unknown ids touch no row.
    model.onTournamentRegisterSuccess(9);
    model.onTournamentUnregisterSuccess(9);
    QCOMPARE(updated.size(), 5);
    QCOMPARE(model.rowCount(), 2);
}

void TestTournamentModels::badUpdateChangesNothing()
{
    TournamentsLobbyModel model;
    model.setNotifyInterval(0);
    model.addOrUpdateTournament(makeTournament(1, "A", TournamentInfo::Open, 0, 0, 0, 3));
    QSignalSpy updated(&model, &TournamentsLobbyModel::tournamentUpdated);
    // The first update is valid, the second is not: neither is applied.
    model.updateTournamentInfo(1, {tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, 4),
                                   tournamentInfoValueUpdate(TournamentInfo::STATUS, 99)});
    model.updateTournamentInfo(1, {TournamentInfoUpdates::value_type()});
    QCOMPARE(updated.size(), 0);
    QCOMPARE(model.tournamentInfo(1).registeredPlayers, 3);
    model.addOrUpdateTournament(TournamentInfo()); // id -1
    QCOMPARE(model.rowCount(), 1);
}

void TestTournamentModels::busyLobbyShowsChangesPerInterval()
{
    TournamentsLobbyModel model;
    QCOMPARE(model.notifyInterval(), TournamentsLobbyModel::DefaultNotifyIntervalMs);
    model.addOrUpdateTournament(makeTournament(1, "A", TournamentInfo::Open, 0, 0, 0, 3));
    model.addOrUpdateTournament(makeTournament(2, "B", TournamentInfo::Open, 0, 0, 0, 3));
    QSignalSpy updated(&model, &TournamentsLobbyModel::tournamentUpdated);
    const auto players = [&](qint32 id) {
        return model.indexOfTournament(id).siblingAtColumn(TournamentsLobbyModel::PlayersColumn).data().toString();
    };
    const auto setPlayers = [&](qint32 id, int count) {
        model.updateTournamentInfo(id, {tournamentInfoValueUpdate(TournamentInfo::REGISTERED_PLAYERS, count)});
    };
    setPlayers(1, 4); // the first change shows at once
    QCOMPARE(players(1), "4/64");
    setPlayers(1, 5);
    setPlayers(2, 6);
    // Records and their announcements are current; the rows follow together.
    QCOMPARE(updated.size(), 3);
    QCOMPARE(model.tournamentInfo(2).registeredPlayers, 6);
    QCOMPARE(players(1), "4/64");
    QCOMPARE(players(2), "3/64");
    QTRY_COMPARE(players(1), "5/64");
    QCOMPARE(players(2), "6/64");

    // A tournament removed while its change waits shows nothing.
    setPlayers(2, 7);
    setPlayers(2, 8);
    model.onTournamentRemoved(2);
    model.flushChanges();
    QCOMPARE(model.rowCount(), 1);
}

void TestTournamentModels::rankingPositionsAndTexts()
{
    TournamentRankingModel model(7);
    model.onTournamentRankings(7, {{11, "Ann", 10, 3, 0, false},
                                   {12, "Bob", 8, 2, 0, false},
                                   {13, "Cy", 8, 2, 0, false},
                                   {14, "Di", 6, 2, 0, false},
                                   {15, "Ed", 5, 1, 0, true}});
    QCOMPARE(model.rowCount(), 5);
    QList<int> positions;
    for (int row = 0; row < model.rowCount(); ++row)
        positions << model.index(row, 0).data().toInt();
    QCOMPARE(positions, (QList<int>{1, 2, 2, 4, 5}));
    QCOMPARE(model.index(0, 0).data(TournamentRoles::IdRole).toInt(), 11);
    QCOMPARE(model.index(0, 0).data().metaType(), QMetaType::fromType<int>());
    QCOMPARE(model.index(0, 2).data().toString(), "5/1.5");
    QCOMPARE(model.rankingAt(model.index(1, 1))->name, QStringLiteral("Bob"));
    QVERIFY(!model.rankingAt(QModelIndex()));

    // One payout makes every row show the three-part text.
    model.onTournamentRankings(7, {{11, "Ann", 10, 3, 1, false}, {12, "Bob", 9, 2, 0, false}});
    QCOMPARE(model.index(0, 2).data().toString(), "5/1.5/" + Utils::moneyString(1));
    QCOMPARE(model.index(1, 2).data().toString(), "4.5/1/" + Utils::moneyString(0));
}

void TestTournamentModels::rankingMerge()
{
    TournamentRankingModel model(7);
    model.onTournamentRankings(7,
                               {{11, "Ann", 10, 3, 0, false}, {12, "Bob", 8, 2, 0, false}, {13, "Cy", 6, 1, 0, false}});
    QStandardItem *bobCell = model.item(1, 0);
    QSignalSpy removedRows(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    // Bob overtakes Ann, Cy drops out, Dee comes in: rows are kept, not rebuilt.
    model.onTournamentRankings(
        7, {{12, "Bob", 12, 4, 0, false}, {11, "Ann", 10, 3, 0, false}, {14, "Dee", 2, 0, 0, false}});
    QCOMPARE(reset.size(), 0);
    QCOMPARE(removedRows.size(), 1);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.item(1, 0), bobCell);
    QCOMPARE(model.item(1, 0)->data(Qt::DisplayRole).toInt(), 1);
    QCOMPARE(model.item(0, 0)->data(Qt::DisplayRole).toInt(), 2);
    QCOMPARE(model.item(2, 1)->text(), QStringLiteral("Dee"));
    QCOMPARE(model.item(2, 0)->data(Qt::DisplayRole).toInt(), 3);

    // Other tournaments' lists change nothing; a player listed twice gets one row.
    model.onTournamentRankings(8, {});
    QCOMPARE(model.rowCount(), 3);
    model.onTournamentRankings(7, {{12, "Bob", 12, 4, 0, false}, {12, "Bob", 1, 0, 0, false}});
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 3);
}

void TestTournamentModels::prizeStructure()
{
    TournamentPrizeStructureModel model;
    TournamentInfo t = makeTournament(1, "T", TournamentInfo::Open, 0, 100, 10, 14);
    prize_structure_t prizes{
        {{1, 1}, pot_share_t{350}}, {{2, 3}, pot_share_t{250}}, {{4, 10}, std::any(5)}, {{11, 12}, std::any()}};
    model.onTournamentPrizeStructure(prizes, t); // pot 1400
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.index(0, 0).data().toString(), "#1");
    QCOMPARE(model.index(1, 0).data().toString(), "#2-#3");
    QCOMPARE(model.index(0, 1).data().toString(), Utils::percentString(350));
    QCOMPARE(model.index(0, 2).data().toString(), "(" + Utils::moneyString(490, true) + ")");
    QCOMPARE(model.index(1, 2).data().toString(), "(" + Utils::moneyString(350, true) + ")");
    QCOMPARE(model.item(0, 0)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // Malformed values: the position alone.
    QVERIFY(!model.item(2, 1));
    QVERIFY(!model.item(3, 1));
    const QVariant range = model.index(1, 0).data(TournamentRoles::RawValueRole);
    QCOMPARE(range.metaType(), QMetaType::fromName("position_range_t"));
    QCOMPARE(range.value<Range<int>>(), Range<int>(2, 3));

    // Without a pot there is no amount; an empty table empties the model.
    t.registeredPlayers = 0;
    model.onTournamentPrizeStructure(prizes, t);
    QVERIFY(model.item(0, 1));
    QVERIFY(!model.item(0, 2));
    model.onTournamentPrizeStructure({}, t);
    QCOMPARE(model.rowCount(), 0);
}

QTEST_MAIN(TestTournamentModels)
#include "tst_tournament_models.moc"
