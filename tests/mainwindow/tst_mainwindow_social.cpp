// The social seams of the whole main window, against the scripted game
// server and the private XMPP server: a friend invited from a table sees the
// invitation and joins; the avatar is chosen from the preferences page and
// uploaded; the player menu of the tournament detail dialog is the main
// window's.
#include "XmppTestServer.h"
#include "app/ResourcePaths.h"
#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "FormLogin.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PreferencesWindow.h"
#include "peer/PeerProcess.h"
#include "social/Avatar.h"
#include "social/AvatarDialog.h"
#include "social/FriendsWindow.h"
#include "social/PlayerDb.h"
#include "social/TableInviteDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/WaitingForPlayersWindow.h"
#include "tournaments/TournamentDetailDialog.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "widgets/UTabWidget.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPRosterModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <memory>

class TestMainwindowSocial : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void inviteFriendToTable();
    void avatarFromPreferences();
    void tournamentPlayerMenu();

private:
    // A peer whose sessions get the client configuration of the XMPP server
    // at login; extra scenarios are played after it.
    bool startPeer(PeerProcess &peer, const QStringList &accounts, const QString &extraScenario = QString());
    std::unique_ptr<MainWindow> loggedIn(PeerProcess &peer, const QString &user);
    XMPPJid jidOf(qint32 pid) const;

    XmppTestServer m_xmpp;
    QTemporaryDir m_dir;
};

void TestMainwindowSocial::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-social-test"));
    QSettings().clear();
    ResourcePaths::install({});
    QVERIFY2(m_xmpp.load(), qPrintable(m_xmpp.error()));
    m_xmpp.trust();
    PeerProcess::installTestCa();
}

bool TestMainwindowSocial::startPeer(PeerProcess &peer, const QStringList &accounts, const QString &extraScenario)
{
    const QString config = m_dir.filePath(QStringLiteral("config-%1.json").arg(QTest::currentTestFunction()));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "lobby@conference.localhost", "searchService": ""}}]})")
                   .arg(m_xmpp.port())
                   .toUtf8());
    file.close();
    QStringList args;
    for (const QString &account : accounts)
        args << QStringLiteral("--account") << account;
    args << QStringLiteral("--scenario") << config;
    if (!extraScenario.isEmpty()) {
        const QString extra = m_dir.filePath(QStringLiteral("extra-%1.json").arg(QTest::currentTestFunction()));
        QFile extraFile(extra);
        if (!extraFile.open(QIODevice::WriteOnly))
            return false;
        extraFile.write(extraScenario.toUtf8());
        extraFile.close();
        args << QStringLiteral("--scenario") << extra;
    }
    return peer.start(args);
}

std::unique_ptr<MainWindow> TestMainwindowSocial::loggedIn(PeerProcess &peer, const QString &user)
{
    auto window = std::make_unique<MainWindow>(QStringLiteral("localhost"), peer.port(), user, QStringLiteral("secret"),
                                               true, QStringLiteral("127.0.0.1:1"), nullptr);
    window->onStartupFinished(true);
    if (!logInWithTheForm(*window))
        return nullptr;
    return window;
}

XMPPJid TestMainwindowSocial::jidOf(qint32 pid) const
{
    return XMPPJid(QStringLiteral("%1@%2").arg(pid).arg(m_xmpp.host()));
}

static QList<QMessageBox *> boxes(QWidget &window, const QString &title)
{
    QList<QMessageBox *> found;
    for (QMessageBox *box : window.findChildren<QMessageBox *>()) {
        if (box->windowTitle() == title && box->isVisible())
            found << box;
    }
    return found;
}

static QPushButton *inviteButtonOf(GameWindow *table)
{
    return table->waitingForPlayersWindow()->findChild<QPushButton *>(QStringLiteral("inviteButton"));
}

void TestMainwindowSocial::inviteFriendToTable()
{
    // Ann's table: a hand starts a while after she has invited someone, and
    // the game ends with it.
    const QString hand = QStringLiteral(R"({"trigger": "join", "tables": [1001], "empty_table": true, "steps": [
        {"expect": "invite_players", "timeout_ms": 60000},
        {"wait_ms": 4000},
        {"send": "player_joined", "fields": {"tableId": "$table", "player": {"id": 901, "wind": 1, "riichiDiscardIndex": -1}}},
        {"send": "player_joined", "fields": {"tableId": "$table", "player": {"id": 902, "wind": 2, "riichiDiscardIndex": -1}}},
        {"send": "player_joined", "fields": {"tableId": "$table", "player": {"id": 903, "wind": 3, "riichiDiscardIndex": -1}}},
        {"send": "start_hand", "fields": {"tableId": "$table", "handId": 2,
            "seating": {"east": "$pid", "south": 901, "west": 902, "north": 903},
            "scores": [{"playerId": "$pid", "points": 25000}, {"playerId": 901, "points": 25000},
                       {"playerId": 902, "points": 25000}, {"playerId": 903, "points": 25000}],
            "newRound": true, "tableState": {"playerId": "$pid", "prevailingWind": 0, "thirdValue": "$pid",
                                             "lastDiscarder": -1},
            "wallState": {"deadWallPosition": 0, "doraIndicators": [], "liveTiles": 83, "deadWallTiles": 14,
                          "deadWallTilesDealt": 0}}},
        {"wait_ms": 5000},
        {"send": "hand_end_non_scoring", "fields": {"tableId": "$table", "reason": 0, "endOfGame": true}}]})");
    PeerProcess peer;
    QVERIFY2(startPeer(peer, {QStringLiteral("ann:secret:1101:Ann"), QStringLiteral("bob:secret:1102:Bob")}, hand),
             qPrintable(peer.errorString()));
    auto ann = loggedIn(peer, QStringLiteral("ann"));
    auto bob = loggedIn(peer, QStringLiteral("bob"));
    QVERIFY(ann && bob);
    ann->show();
    bob->show();
    QTRY_COMPARE_WITH_TIMEOUT(ann->xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(bob->xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(ann->findChild<FriendsWindow *>() && bob->findChild<FriendsWindow *>(), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(bob->lobbyController()->tableModel()->hasTable(1001), 15000);

    // Ann sits down alone; without friends the invite button only says so.
    ann->joinTable(1001);
    QTRY_VERIFY_WITH_TIMEOUT(ann->gameController()->view(1001), 10000);
    GameWindow *table = ann->gameController()->view(1001);
    QVERIFY(!peer.waitForLine(QStringLiteral("SCENARIO_START join")).isNull());
    // (A server that ran this test before still holds the friendship.)
    QTest::qWait(500);
    if (!ann->findChild<FriendsWindow *>()->findFriend(jidOf(1102))) {
        inviteButtonOf(table)->click();
        QCOMPARE(boxes(*table, QStringLiteral("Friends")).size(), 1);
        QVERIFY(!table->inviteDialog());
        boxes(*table, QStringLiteral("Friends")).first()->close();
    }

    // Bob becomes her friend: the button opens the list with him in it.
    ann->findChild<FriendsWindow *>()->addFriend(jidOf(1102));
    QTRY_VERIFY_WITH_TIMEOUT(ann->findChild<FriendsWindow *>()->findFriend(jidOf(1102))
                                 && ann->findChild<FriendsWindow *>()->findFriend(jidOf(1102))->bestPresence(),
                             15000);
    inviteButtonOf(table)->click();
    TableInviteDialog *dialog = table->inviteDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    inviteButtonOf(table)->click();
    QCOMPARE(table->findChildren<TableInviteDialog *>().size(), 1);
    auto *list = dialog->findChild<QTreeView *>(QStringLiteral("playerList"));
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->index(0, 0).data().toString(), QStringLiteral("Bob"), 10000);
    list->setCurrentIndex(list->model()->index(0, 0));
    dialog->findChild<QPushButton *>(QStringLiteral("inviteButton"))->click();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV invite_players")).isNull());
    QVERIFY(peer.linesStartingWith("RECV invite_players").value(0).contains(QStringLiteral("1102")));
    QCOMPARE(list->model()->rowCount(), 0);

    // Bob, in the lobby, is asked and joins Ann's table.
    QTRY_COMPARE_WITH_TIMEOUT(boxes(*bob, QStringLiteral("Table invitation")).size(), 1, 10000);
    QMessageBox *question = boxes(*bob, QStringLiteral("Table invitation")).first();
    QVERIFY2(question->text().startsWith(QStringLiteral("Ann has invited you")), qPrintable(question->text()));
    question->button(QMessageBox::Yes)->click();
    QTRY_VERIFY_WITH_TIMEOUT(bob->gameController()->hasTable(1001), 10000);
    QCOMPARE(peer.linesStartingWith("RECV join_table").filter(QStringLiteral("1001")).size(), 2);

    // The hand starts: the invitations are put away, but still count.
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 10000);
    QCOMPARE(dialog->invitesSent(), 1);
    // The game ends: Bob may be invited to the next one.
    QTRY_COMPARE_WITH_TIMEOUT(dialog->invitesSent(), 0, 20000);
    inviteButtonOf(table)->click();
    QVERIFY(dialog->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 1, 10000);
}

void TestMainwindowSocial::avatarFromPreferences()
{
    PeerProcess peer;
    QVERIFY2(startPeer(peer, {QStringLiteral("cy:secret:1103:Cy")}), qPrintable(peer.errorString()));
    auto window = loggedIn(peer, QStringLiteral("cy"));
    QVERIFY(window);
    QTRY_COMPARE_WITH_TIMEOUT(window->xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<PreferencesWindow *>(), 15000);
    auto *page = window->findChild<PreferencesWindow *>();
    auto *button = page->findChild<QPushButton *>(QStringLiteral("setAvatarButton"));
    window->resize(1024, 768);
    window->show();
    window->view().mainTabs->setCurrentWidget(page);
    // The own vCard's answer comes first, or it would close the dialog it
    // races with. The server may keep a picture from an earlier run.
    QTRY_VERIFY_WITH_TIMEOUT(!window->playerDb()->picture(1103, false).isNull(), 15000);
    const QImage before = window->playerDb()->picture(1103, false).toImage().convertToFormat(QImage::Format_ARGB32);

    // One dialog, however often the button is clicked; kept centred on the
    // page.
    button->click();
    button->click();
    QCOMPARE(page->findChildren<AvatarDialog *>().size(), 1);
    AvatarDialog *dialog = page->avatarDialog();
    QVERIFY(dialog->isVisible());
    const auto centred = [&] {
        const QPoint offset = dialog->geometry().center() - page->rect().center();
        return qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1;
    };
    QVERIFY(centred());
    const QSize pageSize = page->size();
    window->resize(1400, 1000);
    QTRY_VERIFY(page->size() != pageSize);
    QTRY_VERIFY(centred());

    // The picture the player shows is the one marked.
    auto *grid = dialog->findChild<QListView *>(QStringLiteral("avatarView"));
    const auto marked = [](QListView *view) {
        return view->selectionModel()->isSelected(view->currentIndex())
                   ? view->currentIndex().data().value<Avatar>().image.convertToFormat(
                       QImage::Format_ARGB32_Premultiplied)
                   : QImage();
    };
    QCOMPARE(marked(grid), before.convertToFormat(QImage::Format_ARGB32_Premultiplied));

    // Another avatar goes up in the own vCard; its arrival closes the
    // dialog and shows on the page.
    QPointer<AvatarDialog> watched(dialog);
    const int row = grid->currentIndex().row() == 0 ? 1 : 0;
    grid->setCurrentIndex(grid->model()->index(row, 0));
    const QImage chosen = grid->model()->index(row, 0).data().value<Avatar>().image;
    QSignalSpy ok(window->playerDb(), &PlayerDb::changePictureOk);
    dialog->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
    QVERIFY(ok.wait(10000));
    QTRY_VERIFY_WITH_TIMEOUT(watched.isNull(), 10000);
    // The page shows the picture once the directory has it (later than the
    // upload's answer on a slow machine).
    const auto shown = [page] {
        return page->findChild<QLabel *>(QStringLiteral("avatarLabel"))
            ->pixmap()
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    };
    QTRY_VERIFY_WITH_TIMEOUT(shown() != before, 10000);
    QCOMPARE(shown().size(), chosen.size());
    QVERIFY(!QApplication::overrideCursor());

    // A failed upload is reported and leaves the dialog open. The new
    // picture is the marked one now.
    button->click();
    dialog = page->avatarDialog();
    QVERIFY(dialog);
    QCOMPARE(marked(dialog->findChild<QListView *>(QStringLiteral("avatarView"))),
             chosen.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    window->xmppClient().disconnectFromHost();
    QTRY_VERIFY(window->xmppClient().state() != int(XMPPClient::ConnectedState));
    dialog->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
    QTRY_VERIFY(!boxes(*window, QStringLiteral("Choose avatar")).isEmpty());
    QCOMPARE(boxes(*window, QStringLiteral("Choose avatar")).first()->text(),
             QStringLiteral("Failed to change avatar"));
    QVERIFY(dialog->isVisible());
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainwindowSocial::tournamentPlayerMenu()
{
    // The standings name "Lucky", whom the server knows by that name.
    PeerProcess peer;
    QVERIFY2(startPeer(peer, {QStringLiteral("dee:secret:1104:Dee"), QStringLiteral("lucky:secret:1105:Lucky")}),
             qPrintable(peer.errorString()));
    auto window = loggedIn(peer, QStringLiteral("dee"));
    QVERIFY(window);
    window->show();
    QTRY_COMPARE_WITH_TIMEOUT(window->xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<FriendsWindow *>(), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(window->tournamentsController()->model()->hasTournament(7), 15000);

    window->tournamentsController()->createTournamentDetailDialog(7);
    auto *detail = window->findChild<TournamentDetailDialog *>(QStringLiteral("detailmtt7"));
    QVERIFY(detail);
    auto *players = detail->findChild<QTreeView *>(QStringLiteral("playerList"));
    // One name for every registered player the tournament counts.
    const int registered = window->tournamentsController()->model()->tournamentInfo(7).registeredPlayers;
    QVERIFY(registered > 3);
    QTRY_COMPARE_WITH_TIMEOUT(players->model()->rowCount(), registered, 10000);
    QModelIndex lucky;
    for (int row = 0; row < players->model()->rowCount(); ++row) {
        for (int column = 0; column < players->model()->columnCount(); ++column) {
            if (players->model()->index(row, column).data().toString() == QStringLiteral("Lucky"))
                lucky = players->model()->index(row, column);
        }
    }
    QVERIFY(lucky.isValid());
    emit players->customContextMenuRequested(players->visualRect(lucky).center());

    // The main window looks the name up and offers to add Lucky.
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV service_request")).isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!peer.linesStartingWith("RECV service_request").filter("Lucky").isEmpty(), 10000);
    const auto userMenu = [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *menu = qobject_cast<QMenu *>(widget);
            if (menu && menu->isVisible())
                return menu;
        }
        return static_cast<QMenu *>(nullptr);
    };
    QTRY_VERIFY_WITH_TIMEOUT(userMenu(), 10000);
    QCOMPARE(userMenu()->actions().value(0)->text(), QStringLiteral("Add to friends"));
    QCOMPARE(userMenu()->actions().value(0)->data().value<XMPPJid>(), jidOf(1105));
    userMenu()->close();
}

QTEST_MAIN(TestMainwindowSocial)
#include "tst_mainwindow_social.moc"
