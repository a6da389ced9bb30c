// The tournament lobby against the scripted game server over loopback TLS:
// records, partial updates, registrations that arrive after the records,
// removals, a registration of the player and a ranking list, as the lobby
// window shows them.
#include "TournamentsTestHost.h"

#include "tools/peer/PeerProcess.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "tournaments/ComingEventPopup.h"
#include "tournaments/ComingEventsModel.h"
#include "tournaments/ComingEventsView.h"
#include "tournaments/JoinDialog.h"
#include "tournaments/TournamentDetailDialog.h"
#include "tournaments/TournamentPreview.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentRankingModel.h"
#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "tournaments/TournamentsLobbyWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QDir>
#include <QTemporaryDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

class TestTournamentsPeer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lobbyFollowsTheServer();
    void demoLobby();
    void registrationToSeat();
    void detailFollowsTheTournamentBackAfterANewLogin();
    void joinDialogFollowsTheTournament();
    void rankingRequestsAreBounded();
    void unansweredRankingRequestExpires();
    void aStartedTournamentReachesEverySession();
};

void TestTournamentsPeer::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-tournaments-peer-test"));
    QSettings().clear();
    PeerProcess::installTestCa();
}

void TestTournamentsPeer::lobbyFollowsTheServer()
{
    PeerProcess peer;
    QVERIFY2(
        peer.start({QStringLiteral("--account"), QStringLiteral("alice:secret:42:Alice"), QStringLiteral("--scenario"),
                    QDir(PeerProcess::scenarioDirectory()).filePath(QStringLiteral("tournament-lobby.json"))}),
        qPrintable(peer.errorString()));
    ConnectionManager session(true);
    TournamentsLobbyModel model;
    model.setSession(&session);
    TournamentsLobbyWindow window;
    window.setModel(&model);
    window.resize(800, 400);
    window.show();

    QSignalSpy removed(&model, &TournamentsLobbyModel::tournamentRemoved);
    QSignalSpy statusChanged(&model, &TournamentsLobbyModel::tournamentStatusChanged);
    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("alice"), QStringLiteral("secret"));
    QVERIFY(!peer.waitForLine(QStringLiteral("SCENARIO_DONE")).isNull());
    QTRY_COMPARE(removed.size(), 1);

    // 7 filled up and closed; 8 was registered, then removed; 9 came in.
    QCOMPARE(model.tournamentIds(), (QList<qint32>{7, 9}));
    const TournamentInfo &seven = model.tournamentInfo(7);
    QCOMPARE(seven.registeredPlayers, 64);
    QCOMPARE(seven.status, TournamentInfo::Closed);
    QCOMPARE(statusChanged.size(), 1);
    QCOMPARE(model.indexOfTournament(9).siblingAtColumn(TournamentsLobbyModel::NameColumn).data().toString(),
             QStringLiteral("Night <i>Owl</i>"));
    QCOMPARE(model.indexOfTournament(9).siblingAtColumn(TournamentsLobbyModel::PlayersColumn).data().toString(),
             QStringLiteral("3/16"));

    // The window hides full tournaments without "View all".
    const QAbstractItemModel *shown = window.view()->model();
    QCOMPARE(shown->rowCount(), 2);
    window.findChild<QCheckBox *>(QStringLiteral("viewAllAvailableTournamentsCheckBox"))->setChecked(false);
    QTRY_COMPARE(shown->rowCount(), 1);
    QCOMPARE(shown->index(0, 0).data(TournamentRoles::IdRole).toInt(), 9);
    window.findChild<QCheckBox *>(QStringLiteral("viewAllAvailableTournamentsCheckBox"))->setChecked(true);

    // The player registers: the mark follows, and the row goes on top.
    QSignalSpy updated(&model, &TournamentsLobbyModel::tournamentUpdated);
    session.register_tournament_request(7);
    QVERIFY(updated.wait(5000));
    QTRY_VERIFY(model.indexOfTournament(7).data(TournamentRoles::RegisteredRole).toBool());
    window.view()->sortByColumn(TournamentsLobbyModel::StartColumn, Qt::DescendingOrder);
    QCOMPARE(shown->index(0, 0).data(TournamentRoles::IdRole).toInt(), 7);

    // The standings of a tournament, with tied positions.
    TournamentRankingModel rankings(7);
    connect(&session, &ConnectionManager::tournamentRankings, &rankings, &TournamentRankingModel::onTournamentRankings);
    QSignalSpy rows(&rankings, &QAbstractItemModel::rowsInserted);
    session.get_tournament_ranking_list(7);
    // Every registered player is on the list, the player registered above too.
    QTRY_COMPARE(rankings.rowCount(), model.tournamentInfo(7).registeredPlayers);
    QVERIFY(rankings.rowCount() > 4);
    QCOMPARE(rankings.index(0, 1).data().toString(), QStringLiteral("Lucky"));
    QVERIFY(rankings.index(2, 2).data().toString().startsWith(QStringLiteral("-2.5/0/")));
}

// What the run command shows: tournaments in every state, kept moving.
void TestTournamentsPeer::demoLobby()
{
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--demo")}), qPrintable(peer.errorString()));
    ConnectionManager session(true);
    TournamentsLobbyModel model;
    model.setSession(&session);
    TournamentsLobbyWindow window;
    window.setModel(&model);
    window.resize(900, 420);
    window.show();

    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("guest"), QStringLiteral("any"));
    QTRY_COMPARE(model.rowCount(), 13);
    QSet<int> states;
    for (qint32 id : model.tournamentIds())
        states.insert(model.tournamentInfo(id).status);
    QCOMPARE(states, (QSet<int>{0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(model.indexOfTournament(15).siblingAtColumn(TournamentsLobbyModel::PlayersColumn).data().toString(),
             QStringLiteral("3/256"));

    QSignalSpy updated(&model, &TournamentsLobbyModel::tournamentUpdated);
    QVERIFY(updated.wait(5000));
    QVERIFY(!peer.waitForLine(QStringLiteral("SENT tournament_info_update")).isNull());

    // A picture of the lobby as the server filled it, when asked for
    // (MAHJONG_SHOT_DIR=dir ctest -R tst_tournaments_peer).
    const QString shotDir = qEnvironmentVariable("MAHJONG_SHOT_DIR");
    if (!shotDir.isEmpty()) {
        window.onResizeColumnsTimeout();
        QVERIFY(window.grab().save(QDir(shotDir).filePath(QStringLiteral("tournament-lobby-peer.png"))));
    }
}

// The player's road into a tournament against the demo server: the records
// arrive, refusals are explained, the registration succeeds and is marked,
// its start is counted down, and at the start the player is seated at the
// tournament's table, which its detail dialog lists.
// A new login empties the lobby; the next session's records bring the
// tournament of an open detail dialog back, with its Register.
void TestTournamentsPeer::detailFollowsTheTournamentBackAfterANewLogin()
{
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("alice:secret:42:Alice")}),
             qPrintable(peer.errorString()));
    ConnectionManager session(true);
    TournamentsTestHost host;
    TournamentsController controller(&session, nullptr, &host);
    host.main.show();
    const auto logIn = [&] {
        QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
        session.connectToHost(QStringLiteral("localhost"), peer.port());
        if (!checked.wait(10000))
            return false;
        session.login(QStringLiteral("alice"), QStringLiteral("secret"));
        return QTest::qWaitFor([&] { return controller.model()->hasTournament(7); }, 10000);
    };
    QVERIFY(logIn());
    controller.createTournamentDetailDialog(7);
    auto *dialog = host.lobby.findChild<TournamentDetailDialog *>(QStringLiteral("detailmtt7"));
    QVERIFY(dialog);
    auto *removed = dialog->findChild<QWidget *>(QStringLiteral("removedContainer"));
    auto *join = dialog->findChild<QPushButton *>(QStringLiteral("joinButton"));
    QVERIFY(removed && join);
    QVERIFY(removed->isHidden());
    QVERIFY(!join->isHidden());

    QSignalSpy gone(&session, &ConnectionManager::disconnected);
    session.disconnectFromServer();
    QVERIFY(gone.count() > 0 || gone.wait(5000));
    QSignalSpy added(controller.model(), &TournamentsLobbyModel::tournamentAdded);
    QVERIFY(logIn());
    QTRY_VERIFY(std::any_of(added.cbegin(), added.cend(),
                            [](const QList<QVariant> &args) { return args.at(0).value<TournamentInfo>().id == 7; }));
    QVERIFY(removed->isHidden());
    QVERIFY(!join->isHidden());
    QCOMPARE(dialog->windowTitle(), controller.model()->tournamentInfo(7).name);
}

// Join dialogs left open while their tournament starts or goes away: no
// Accept any more, with a word why, and a click that crossed the news
// registers nothing.
void TestTournamentsPeer::joinDialogFollowsTheTournament()
{
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("moves-on.json"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"trigger": "login", "steps": [
        {"expect": "tournaments_lobby_subscribe"},
        {"send": "tournament_info", "fields": {"info": {"id": 9, "values": [
          {"key": 1, "value": 90}, {"key": 2, "value": 0}, {"key": 3, "value": "Night <i>Owl</i>"},
          {"key": 4, "value": 3}, {"key": 5, "value": {"time": "now+7200000"}}, {"key": 7, "value": 16},
          {"key": 8, "value": 4}, {"key": 12, "value": 1}, {"key": 13, "value": 500}, {"key": 14, "value": 50}]}}},
        {"expect": "query_lobby_summary", "hold": true},
        {"send": "tournament_info_update", "fields": {"tournamentId": 7, "updates": [{"key": 2, "value": 2}]}},
        {"send": "tournament_removed", "fields": {"tournamentId": 9}}]})");
    file.close();
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("alice:secret:42:Alice"),
                         QStringLiteral("--scenario"), scenario}),
             qPrintable(peer.errorString()));
    ConnectionManager session(true);
    TournamentsTestHost host;
    host.balance = 123456;
    TournamentsController controller(&session, nullptr, &host);
    host.main.show();
    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("alice"), QStringLiteral("secret"));
    QTRY_VERIFY(controller.model()->hasTournament(7) && controller.model()->hasTournament(9));

    const auto openDialog = [&](qint32 id) {
        controller.createJoinTournamentDialog(id);
        return host.lobby.findChild<JoinDialog *>(QStringLiteral("joinmtt%1").arg(id));
    };
    JoinDialog *started = openDialog(7);
    JoinDialog *removed = openDialog(9);
    QVERIFY(started && removed);
    const auto accept = [](JoinDialog *d) { return d->findChild<QPushButton *>(QStringLiteral("acceptButton")); };
    const auto note = [](JoinDialog *d) {
        return d->findChild<QLabel *>(QStringLiteral("confirmationInfoLabel"))->text();
    };
    QVERIFY(accept(started)->isVisible() && accept(removed)->isVisible());

    session.query_lobby_summary();
    QTRY_VERIFY_WITH_TIMEOUT(!accept(started)->isVisible() && !accept(removed)->isVisible(), 10000);
    QCOMPARE(note(started), QStringLiteral("Registration for this tournament is closed."));
    QCOMPARE(note(removed), QStringLiteral("This tournament has been removed."));
    QVERIFY(removed->findChild<QPushButton *>(QStringLiteral("depositButton"))->isHidden());
    // The gone tournament's record stays the dialog's own.
    QCOMPARE(removed->findChild<QLabel *>(QStringLiteral("nameLabel"))->text(),
             QStringLiteral("Name: Night <i>Owl</i>"));

    // A click that crossed the news is not sent: the next request the
    // server reads is the one made after it.
    emit accept(started)->clicked();
    emit accept(removed)->clicked();
    session.query_account_balance();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV query_account_balance")).isNull());
    QVERIFY(peer.linesStartingWith(QStringLiteral("RECV register_tournament")).isEmpty());
}

void TestTournamentsPeer::registrationToSeat()
{
    PeerProcess peer;
    const QStringList peerArguments{QStringLiteral("--demo"), QStringLiteral("--seat-after-ms"),
                                    QStringLiteral("1500")};
    const qint64 seatAfterMs = PeerProcess::effectiveValue(peerArguments, QStringLiteral("--seat-after-ms"), 1500);
    QVERIFY2(peer.start(peerArguments), qPrintable(peer.errorString()));
    ConnectionManager session(true);
    TournamentsTestHost host;
    connect(&session, &ConnectionManager::currentAccountBalance, &host.main,
            [&host](qint64 cents) { host.balance = cents; });
    TournamentsController controller(&session, nullptr, &host);
    TableModel tables(&session);
    controller.setTableModel(&tables);
    TournamentsLobbyModel *model = controller.model();
    TournamentPreview preview;
    preview.setTournamentsController(&controller);
    preview.setModel(model);
    ComingEventsModel events(&session, model);
    ComingEventsView eventsView(&events, &host.main);
    // The popups count down only while on screen, as in the main window.
    host.main.show();

    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("guest"), QStringLiteral("any"));
    QTRY_COMPARE(model->rowCount(), 13);
    session.query_account_balance();
    QTRY_COMPARE(host.balance, qint64(123456));
    // The server's maintenance notice is the only event yet; its popup counts
    // down. Checked before any registration, so that no seat can replace it.
    QTRY_COMPARE(events.events().size(), size_t(1));
    QTRY_VERIFY(eventsView.popup() && eventsView.popup()->kind() == 0 && !eventsView.popup()->text().isEmpty());
    {
        const QPointer<ComingEventPopup> notice = eventsView.popup();
        const QString before = notice->text();
        QTRY_VERIFY_WITH_TIMEOUT(!notice || notice->text() != before, 5000);
        QVERIFY2(notice, "the maintenance notice's popup went away while it counted down");
    }
    // Every popup the registration brings, with its first text: the seat may
    // replace it before a poll could see it, however soon the server seats.
    QStringList popupTexts;
    connect(&events, &ComingEventsModel::comingEventsChanged, &host.main, [&eventsView, &popupTexts] {
        // After the view's own handling, and after the popup's first countdown.
        QPointer<ComingEventPopup> shown = eventsView.popup();
        QTimer::singleShot(0, &eventsView, [shown, &popupTexts] {
            if (shown && shown->kind() == 1)
                popupTexts << shown->text();
        });
    });

    // Refusals: full, over the balance, members only.
    controller.onTournamentRegister(16);
    QTRY_VERIFY(host.main.findChild<QMessageBox *>());
    QCOMPARE(host.main.findChild<QMessageBox *>()->text(), QStringLiteral("Tournament Full House Cup is full"));
    delete host.main.findChild<QMessageBox *>();
    controller.createJoinTournamentDialog(17);
    auto *tooDear = host.lobby.findChild<JoinDialog *>(QStringLiteral("joinmtt17"));
    QVERIFY(tooDear);
    QCOMPARE(tooDear->joinType(), int(JoinDialog::NeedsDeposit));
    tooDear->close();
    controller.onTournamentRegister(17);
    QTRY_VERIFY(host.main.findChild<QMessageBox *>());
    QVERIFY(host.main.findChild<QMessageBox *>()->text().startsWith(QStringLiteral("You don't have enough money")));
    delete host.main.findChild<QMessageBox *>();
    controller.onTournamentRegister(18);
    QTRY_COMPARE(host.completeKinds, QList<int>{2});

    // The freeroll: confirmed in the join dialog, marked, and shown.
    preview.onPreviewTournament(9);
    controller.createTournamentDetailDialog(9);
    auto *detail = host.lobby.findChild<TournamentDetailDialog *>(QStringLiteral("detailmtt9"));
    QVERIFY(detail);
    preview.findChild<QPushButton *>(QStringLiteral("joinButton"))->click();
    auto *join = host.lobby.findChild<JoinDialog *>(QStringLiteral("joinmtt9"));
    QVERIFY(join);
    QCOMPARE(join->joinType(), int(JoinDialog::Confirm));
    QSignalSpy seated(&session, &ConnectionManager::tournamentSeated);
    join->findChild<QPushButton *>(QStringLiteral("acceptButton"))->click();
    QTRY_VERIFY(model->indexOfTournament(9).data(TournamentRoles::RegisteredRole).toBool());
    QTRY_VERIFY(preview.findChild<QPushButton *>(QStringLiteral("leaveButton"))->isVisibleTo(&preview));
    QVERIFY(preview.findChild<QPushButton *>(QStringLiteral("joinButton"))->isHidden());

    // Its start is counted down in a popup.
    QTRY_VERIFY(!popupTexts.isEmpty());
    QVERIFY2(popupTexts.first().startsWith(QStringLiteral("You are registered for tournament starting in 1h 59m")),
             qPrintable(popupTexts.first()));

    // Seated at its start: the tournament's table, listed in its dialog.
    QTRY_COMPARE_WITH_TIMEOUT(seated.size(), 1, int(10000 + seatAfterMs));
    QCOMPARE(seated.first().at(0).toInt(), 9);
    const qint32 tableId = seated.first().at(1).toInt();
    QTRY_COMPARE(model->tournamentInfo(9).status, TournamentInfo::Seating);
    QTRY_COMPARE(detail->listedTables(), QList<qint32>{tableId});
    QVERIFY(tables.tableInfo(tableId).lobbyPath().startsWith(QStringLiteral("101/mtt/9")));
    // The player at the table, the first round is played.
    session.join_table(tableId);
    QTRY_COMPARE(model->tournamentInfo(9).status, TournamentInfo::Playing);
}

// Every record and update calls for the ranking list; while one request is
// unanswered, the updates meanwhile ask only once more.
void TestTournamentsPeer::rankingRequestsAreBounded()
{
    PeerProcess peer;
    QVERIFY2(
        peer.start({QStringLiteral("--scenario"),
                    QDir(PeerProcess::scenarioDirectory()).filePath(QStringLiteral("tournament-updates-burst.json"))}),
        qPrintable(peer.errorString()));
    ConnectionManager session(true);
    TournamentsTestHost host;
    TournamentsController controller(&session, nullptr, &host);
    QSignalSpy rankings(&session, &ConnectionManager::tournamentRankings);
    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("demo"), QStringLiteral("demo"));
    QVERIFY(!peer.waitForLine(QStringLiteral("SCENARIO_DONE")).isNull());
    QTRY_VERIFY(controller.model()->hasTournament(7) && controller.model()->tournamentInfo(7).registeredPlayers == 16);
    // Records of 7 and 8, then the burst for 7: one request each, and one
    // more for 7 once its first is answered.
    QTRY_COMPARE(rankings.size(), 3);
    QTest::qWait(300);
    QCOMPARE(rankings.size(), 3);
    const QStringList requests = peer.linesStartingWith("RECV tournament_envelope");
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests.filter(QStringLiteral("\"tournamentId\":7")).size(), 2);
}

// A server that drops a ranking answer must not stop the standings of that
// tournament for the rest of the session: the change that waited for the
// lost answer is asked for once the wait is over, and later ones as before.
void TestTournamentsPeer::unansweredRankingRequestExpires()
{
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("dropped-rankings.json"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"trigger": "login", "disable": ["tournament_envelope"], "steps": [
        {"expect": "tournaments_lobby_subscribe"},
        {"wait_ms": 100},
        {"send": "tournament_info_update", "fields": {"tournamentId": 7, "updates": [{"key": 4, "value": 13}]}},
        {"wait_ms": 1800},
        {"send": "tournament_info_update", "fields": {"tournamentId": 7, "updates": [{"key": 4, "value": 14}]}}]})");
    file.close();
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--scenario"), scenario}), qPrintable(peer.errorString()));
    ConnectionManager session(true);
    TournamentsTestHost host;
    TournamentsController controller(&session, nullptr, &host);
    controller.setRankingTimeout(600);
    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("demo"), QStringLiteral("demo"));
    QVERIFY(!peer.waitForLine(QStringLiteral("SCENARIO_DONE"), 10000).isNull());
    QTest::qWait(300);

    // 7: the record's request, the update's (sent when the first expired
    // unanswered) and the late update's; 8: its record's only.
    const QStringList requests = peer.linesStartingWith("RECV tournament_envelope");
    QCOMPARE(requests.filter(QStringLiteral("\"tournamentId\":7")).size(), 3);
    QCOMPARE(requests.filter(QStringLiteral("\"tournamentId\":8")).size(), 1);
}

// Two clients on one server: Ann registers for the short tournament and is
// seated; Ben, who only looks, sees it start, its table, its rounds and its
// end in his detail dialog as Ann's session does, and its full standings.
void TestTournamentsPeer::aStartedTournamentReachesEverySession()
{
    PeerProcess peer;
    // Ann answers nothing: the server plays her turns when their time runs out.
    const QStringList peerArguments{QStringLiteral("--demo"), QStringLiteral("--short-tournament-secs"),
                                    QStringLiteral("8"), QStringLiteral("--question-ms"), QStringLiteral("300")};
    QVERIFY2(peer.start(peerArguments), qPrintable(peer.errorString()));
    // The waits follow the server's timing: its start, and a round's worth
    // of Ann's questions running out.
    const int startWait = int(
        20000 + 1000 * PeerProcess::effectiveValue(peerArguments, QStringLiteral("--short-tournament-secs"), 8));
    const int roundWait = int(
        90000 * std::max<qint64>(1, PeerProcess::effectiveValue(peerArguments, QStringLiteral("--question-ms"), 300))
        / 300);
    const auto logIn = [&peer](ConnectionManager &session, const QString &user) {
        QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
        session.connectToHost(QStringLiteral("localhost"), peer.port());
        if (!checked.wait(10000))
            return false;
        QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
        session.login(user, QStringLiteral("any"));
        return loggedIn.wait(10000);
    };
    ConnectionManager ann(true);
    TableModel annTables(&ann);
    QVERIFY(logIn(ann, QStringLiteral("ann")));
    // Ann takes each round's seat as the client does once the table is known.
    QObject context;
    connect(&ann, &ConnectionManager::tournamentSeated, &context, [&ann, &annTables](qint32 id, qint32 table) {
        annTables.subscribe(QStringLiteral("101/mtt/%1").arg(id));
        QTest::qWaitFor([&] { return annTables.hasTable(table); }, 10000);
        ann.join_table(table);
    });
    ann.tournaments_lobby_subscribe();

    ConnectionManager ben(true);
    TournamentsTestHost host;
    TournamentsController controller(&ben, nullptr, &host);
    TableModel benTables(&ben);
    controller.setTableModel(&benTables);
    QVERIFY(logIn(ben, QStringLiteral("ben")));
    TournamentsLobbyModel *model = controller.model();
    const qint32 sprint = 19;
    QTRY_VERIFY(model->hasTournament(sprint));
    ann.register_tournament_request(sprint);
    // Ann's registration counts for Ben too.
    const int registered = model->tournamentInfo(sprint).registeredPlayers;
    QTRY_VERIFY(model->tournamentInfo(sprint).registeredPlayers > registered);
    controller.createTournamentDetailDialog(sprint);
    auto *detail = host.lobby.findChild<TournamentDetailDialog *>(QStringLiteral("detailmtt19"));
    QVERIFY(detail);
    const auto label = [detail](const char *name) { return detail->findChild<QLabel *>(QLatin1String(name))->text(); };

    // Started and played: Ben's dialog says so, lists the table, and counts
    // down the round as a duration.
    QTRY_COMPARE_WITH_TIMEOUT(model->tournamentInfo(sprint).status, TournamentInfo::Playing, startWait);
    QCOMPARE(label("statusLabel"), QStringLiteral("Status: Playing"));
    QVERIFY(detail->findChild<QPushButton *>(QStringLiteral("joinButton"))->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(detail->listedTables().size(), 1, 10000);
    QTRY_VERIFY(label("nextBreakLabel").startsWith(QStringLiteral("Next break in: 9m ")));
    QVERIFY2(!label("nextBreakLabel").contains(QStringLiteral("time to start")), qPrintable(label("nextBreakLabel")));
    const QString shotDir = qEnvironmentVariable("MAHJONG_SHOT_DIR");
    if (!shotDir.isEmpty()) {
        detail->show();
        QTest::qWait(300);
        QVERIFY(detail->grab().save(QDir(shotDir).filePath(QStringLiteral("second-client-tournament.png"))));
    }
    // The second round, on its own table, in its last round: "Ends in".
    QTRY_COMPARE_WITH_TIMEOUT(model->tournamentInfo(sprint).currentRound, 1, roundWait);
    QTRY_VERIFY_WITH_TIMEOUT(label("nextBreakLabel").startsWith(QStringLiteral("Ends in: 9m ")), 10000);
    QVERIFY2(!label("nextBreakLabel").contains(QStringLiteral("time to start")), qPrintable(label("nextBreakLabel")));
    // Done for Ben as for Ann, with every registered player in the standings.
    QTRY_COMPARE_WITH_TIMEOUT(model->tournamentInfo(sprint).status, TournamentInfo::Done, roundWait);
    QCOMPARE(label("statusLabel"), QStringLiteral("Status: Done"));
    auto *players = detail->findChild<QTreeView *>(QStringLiteral("playerList"));
    QTRY_COMPARE_WITH_TIMEOUT(players->model()->rowCount(), model->tournamentInfo(sprint).registeredPlayers, 10000);
    QVERIFY(peer.linesStartingWith(QStringLiteral("SCENARIO_FAILED")).isEmpty());
}

QTEST_MAIN(TestTournamentsPeer)
#include "tst_tournaments_peer.moc"
