// The friends views against the private XMPP server with three players and
// the scripted game server for their names: search and add, subscriptions
// both ways, presence icons and tool tips, the tables a player sits at
// shown in the details, invitations, and removal; and the tables a player
// sits at through the real table controller published in the presence;
// and the list sorted by the names the game server gives as they arrive.
#include "LiveSession.h"

#include "game/GameModel.h"
#include "lobby/CompactTableView.h"
#include "lobby/TableModel.h"
#include "peer/PeerProcess.h"
#include "protocol/ConnectionManager.h"
#include "social/FriendDetailWindow.h"
#include "social/FriendSearchWindow.h"
#include "social/FriendsFilter.h"
#include "social/FriendsRosterModel.h"
#include "social/FriendsWindow.h"
#include "social/PlayerDb.h"
#include "social/TableInviteDialog.h"
#include "social/TablePresenceManager.h"
#include "table/GameController.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/elements/PresenceStanza.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <utility>

namespace {
struct Player
{
    std::unique_ptr<ConnectionManager> session;
    std::unique_ptr<XMPPClient> client;
    std::unique_ptr<XMPPRosterModel> roster;
    std::unique_ptr<PlayerDb> db;
    XMPPJid jid;
};

const XMPPRosterItem *item(const Player &p, const Player &contact)
{
    return p.roster->findItem(contact.jid);
}

int flagsOf(const Player &p, const Player &contact)
{
    const XMPPRosterItem *i = item(p, contact);
    return i ? i->flags : -1;
}

QImage iconImage(const QVariant &icon)
{
    return icon.value<QIcon>().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage resourceImage(const QString &name)
{
    return QImage(QStringLiteral("resources:") + name).convertToFormat(QImage::Format_ARGB32);
}

void sendStatus(XMPPClient &client, int availability, const QString &status)
{
    xmpp::PresenceStanza stanza;
    XMPPPresence::setAvailability(availability, stanza);
    stanza.statuses.insert(QStringLiteral("UND"), status);
    client.send(stanza);
}
} // namespace

class TestFriendsLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void friends();
    void inviteLimit();
    void namesSortedAsTheyArrive();
    void ownTablesPublished();

private:
    bool start(Player &p, const QString &user, bool named);

    XmppTestServer m_server;
    PeerProcess m_peer;
};

void TestFriendsLive::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_server.trust();
    PeerProcess::installTestCa();
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("avatars"), {QStringLiteral(":/default/avatars")});
    QStringList accounts = {QStringLiteral("--account"), QStringLiteral("alice:pw:6107:Alice"),
                            QStringLiteral("--account"), QStringLiteral("bob:pw:6108:Bob & <i>Co</i>"),
                            QStringLiteral("--account"), QStringLiteral("carol:pw:6109:carol"),
                            QStringLiteral("--account"), QStringLiteral("dave:pw:6110:Dave")};
    // Names that sort apart from their ids, for the friends list's order.
    const QStringList names = {QStringLiteral("Zoë"),     QStringLiteral("émile"), QStringLiteral("Émile B"),
                               QStringLiteral("bob"),     QStringLiteral("Bobby"), QStringLiteral("10 tiles"),
                               QStringLiteral("9 tiles"), QStringLiteral("Ærø")};
    for (int i = 0; i < names.size(); ++i)
        accounts << QStringLiteral("--account")
                 << QStringLiteral("named%1:pw:%2:%3").arg(i).arg(7301 + i).arg(names.at(i));
    // The player search names the players as this game server does.
    accounts << QStringLiteral("--names-dir")
             << QDir(qEnvironmentVariable("MAHJONG_XMPP_SERVER_DIR")).filePath(QStringLiteral("names"));
    QVERIFY2(m_peer.start(accounts), qPrintable(m_peer.errorString()));
}

// Logs in to the XMPP server and, when named, to the game server, so that
// the directory knows the others' screen names.
bool TestFriendsLive::start(Player &p, const QString &user, bool named)
{
    p.session = std::make_unique<ConnectionManager>(true);
    if (named) {
        QSignalSpy checked(p.session.get(), &ConnectionManager::versionCheckComplete);
        QSignalSpy loggedIn(p.session.get(), &ConnectionManager::loginSuccess);
        p.session->connectToHost(QStringLiteral("localhost"), m_peer.port());
        if (!checked.wait(10000))
            return false;
        p.session->login(user == QLatin1String("6107") ? QStringLiteral("alice") : QStringLiteral("dave"),
                         QStringLiteral("pw"));
        if (!loggedIn.wait(10000))
            return false;
    }
    p.client = std::make_unique<XMPPClient>();
    p.roster = std::make_unique<XMPPRosterModel>(p.client.get());
    p.db = std::make_unique<PlayerDb>(p.session.get(), p.client.get(), nullptr);
    p.db->setOwnPlayer(user.toInt(), user);
    QSignalSpy resets(p.client.get(), &XMPPClient::rosterReset);
    QSignalSpy connected(p.client.get(), &XMPPClient::connected);
    p.client->authenticate(user, m_server.password(user));
    p.client->connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    if (!connected.wait(10000) || !(resets.size() > 0 || resets.wait(10000)))
        return false;
    p.jid = live::bareJid(m_server, user);
    return true;
}

void TestFriendsLive::friends()
{
    Player alice, bob, carol;
    QVERIFY(start(alice, QStringLiteral("6107"), true));
    QVERIFY(start(bob, QStringLiteral("6108"), false));
    QVERIFY(start(carol, QStringLiteral("6109"), false));
    const QString bobName = QStringLiteral("Bob & <i>Co</i>");

    FriendsWindow window(alice.client.get(), alice.roster.get(), alice.db.get(), nullptr, nullptr);
    auto *list = window.findChild<QListView *>(QStringLiteral("friendList"));
    auto *searchEdit = window.findChild<QLineEdit *>(QStringLiteral("friendSearchEdit"));
    auto *detail = window.findChild<FriendDetailWindow *>(QStringLiteral("friendDetail"));
    QVERIFY(list && searchEdit && detail);
    QVERIFY(!searchEdit->isEnabled());
    window.setSearchService(XMPPJid(QStringLiteral("search.localhost")));
    QVERIFY(searchEdit->isEnabled());
    TableModel tables(alice.session.get());
    tables.setNotifyInterval(0);
    window.setTableModel(&tables);

    // Alice finds Bob through the search service and adds him; his model
    // accepts, so she sees him online by his screen name.
    window.openFriendSearch(QString());
    QVERIFY(!window.findChild<FriendSearchWindow *>());
    window.openFriendSearch(QStringLiteral("6108"));
    auto *search = window.findChild<FriendSearchWindow *>();
    QVERIFY(search);
    auto *results = search->findChild<QTreeWidget *>(QStringLiteral("resultList"));
    QTRY_COMPARE_WITH_TIMEOUT(results->topLevelItemCount(), 1, 10000);
    // One player, one name: the search lists Bob as the friends list will.
    QCOMPARE(results->topLevelItem(0)->text(0), bobName);
    QCOMPARE(search->findChild<QLabel *>(QStringLiteral("statusLabel"))->text(), QStringLiteral("1 user(s) found"));
    // A second search while one is open leaves it alone.
    window.openFriendSearch(QStringLiteral("6109"));
    QCOMPARE(window.findChildren<FriendSearchWindow *>().size(), 1);
    QCOMPARE(search->findChild<QLineEdit *>(QStringLiteral("searchInput"))->text(), QStringLiteral("6108"));
    results->setCurrentItem(results->topLevelItem(0));
    search->findChild<QPushButton *>(QStringLiteral("addToFriendsButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(flagsOf(alice, bob) == 1 && item(alice, bob)->bestPresence(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(flagsOf(bob, alice) == 2, 10000);
    search->findChild<QPushButton *>(QStringLiteral("closeButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<FriendSearchWindow *>(), 10000);

    QCOMPARE(list->model()->rowCount(), 1);
    const QModelIndex bobRow = list->model()->index(0, 0);
    QTRY_COMPARE_WITH_TIMEOUT(bobRow.data().toString(), bobName, 10000);
    QCOMPARE(bobRow.data(Qt::ToolTipRole).toString(),
             QStringLiteral("<qt>Bob &amp; &lt;i&gt;Co&lt;/i&gt; is online</qt>"));
    QCOMPARE(iconImage(bobRow.data(Qt::DecorationRole)), resourceImage(QStringLiteral("xmpp_available.png")));

    // Carol is added directly; her own address is never asked for.
    window.addFriend(carol.jid);
    window.addFriend(alice.client->jid());
    QTRY_VERIFY_WITH_TIMEOUT(flagsOf(alice, carol) == 1 && item(alice, carol)->bestPresence(), 10000);
    QCOMPARE(FriendsFilter::friendCount(alice.roster.get()), 2);

    // Bob sees Alice only as someone who sees him: no friend to invite yet.
    {
        TableInviteDialog invite(9, QStringLiteral("9/Friends"), bob.roster.get(), bob.db.get(), nullptr);
        QCOMPARE(invite.findChild<QLabel *>(QStringLiteral("info"))->text(),
                 QStringLiteral("No friends to invite available"));
    }
    FriendsWindow bobWindow(bob.client.get(), bob.roster.get(), bob.db.get(), nullptr, nullptr);
    bobWindow.addFriend(alice.jid);
    QTRY_COMPARE_WITH_TIMEOUT(flagsOf(bob, alice), 3, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(flagsOf(alice, bob), 3, 10000);
    // A pending or granted subscription is not asked for again.
    QSignalSpy requests(alice.client.get(), &XMPPClient::authorizationRequestReceived);
    bobWindow.addFriend(alice.jid);

    // Bob goes away with a status in markup: shown as he wrote it.
    const QString status = QStringLiteral("<b>lunch</b> & tea");
    sendStatus(*bob.client, XMPPPresence::Away, status);
    QTRY_COMPARE_WITH_TIMEOUT(item(alice, bob)->availability(), int(XMPPPresence::Away), 10000);
    const QModelIndex bobNow = list->model()->index(0, 0).data().toString() == bobName ? list->model()->index(0, 0)
                                                                                       : list->model()->index(1, 0);
    QCOMPARE(bobNow.data(Qt::ToolTipRole).toString(),
             QStringLiteral("<qt>Bob &amp; &lt;i&gt;Co&lt;/i&gt; is away with status "
                            "\"&lt;b&gt;lunch&lt;/b&gt; &amp; tea\"</qt>"));
    QCOMPARE(iconImage(bobNow.data(Qt::DecorationRole)), resourceImage(QStringLiteral("xmpp_away.png")));
    list->setCurrentIndex(bobNow);
    auto *nameLabel = detail->findChild<QLabel *>(QStringLiteral("nameLabel"));
    auto *statusLabel = detail->findChild<QLabel *>(QStringLiteral("presenceAndStatusLabel"));
    QCOMPARE(nameLabel->text(), bobName);
    QCOMPARE(nameLabel->textFormat(), Qt::PlainText);
    QCOMPARE(statusLabel->text(), QStringLiteral("Away with status \"%1\"").arg(status));
    QCOMPARE(statusLabel->textFormat(), Qt::PlainText);
    QCOMPARE(detail->friendId(), 6108);

    // Bob's presence names the two tables he sits at (ownTablesPublished
    // shows how it comes to).
    const QString t12 = QStringLiteral("9/Friends/12");
    const QString t15 = QStringLiteral("9/Friends/15");
    const auto bobTables = [&] {
        const XMPPPresence *p = item(alice, bob)->bestPresence();
        return p ? p->tables() : QSet<QString>();
    };
    bob.client->addTablePath(t12);
    bob.client->addTablePath(t15);
    const QSet<QString> both{QStringLiteral("9/Friends/12"), QStringLiteral("9/Friends/15")};
    QTRY_COMPARE_WITH_TIMEOUT(bobTables(), both, 10000);

    // The details list both tables of the lobby's table model.
    auto *tableList = detail->findChild<CompactTableView *>(QStringLiteral("tableListView"));
    QTRY_VERIFY_WITH_TIMEOUT(tables.subscriptionCount(QStringLiteral("9/Friends")) > 0, 10000);
    const int subscriptions = tables.subscriptionCount(QStringLiteral("9/Friends"));
    for (qint32 id : {12, 15, 99})
        tables.onTableInfoUpdate(TableInfo(id, QStringLiteral("9/Friends")));
    QTRY_COMPARE_WITH_TIMEOUT(tableList->count(), 2, 10000);
    // Another presence with the same tables keeps the subscription, so the
    // tables stay listed.
    QSignalSpy alicePresences(alice.client.get(), &XMPPClient::presence);
    bob.client->sendPresence();
    QVERIFY(live::waitForPresence(alicePresences, bob.jid, [](const XMPPPresence &) { return true; }) >= 0);
    QCOMPARE(tableList->count(), 2);
    QCOMPARE(tables.subscriptionCount(QStringLiteral("9/Friends")), subscriptions);
    QSignalSpy joins(&window, &FriendsWindow::joinTable);
    QSignalSpy watches(&window, &FriendsWindow::watchTable);
    // Join and Watch wait for a table to be chosen.
    auto *joinButton = detail->findChild<QPushButton *>(QStringLiteral("joinButton"));
    auto *watchButton = detail->findChild<QPushButton *>(QStringLiteral("watchButton"));
    QVERIFY(!joinButton->isEnabled());
    QVERIFY(!watchButton->isEnabled());
    joinButton->click();
    QCOMPARE(joins.size(), 0);
    tableList->listWidget()->setCurrentRow(0);
    QVERIFY(joinButton->isEnabled());
    QVERIFY(watchButton->isEnabled());
    const qint32 shown = tableList->selectedTableId();
    QVERIFY(shown == 12 || shown == 15);
    detail->findChild<QPushButton *>(QStringLiteral("joinButton"))->click();
    detail->findChild<QPushButton *>(QStringLiteral("watchButton"))->click();
    QCOMPARE(joins.size(), 1);
    QCOMPARE(joins.at(0).at(0).toInt(), shown);
    QCOMPARE(watches.at(0).at(0).toInt(), shown);

    // Alice invites to a table of the same lobby path: Bob sits there, so
    // only Carol is listed; once invited she is gone until the next hand.
    TableInviteDialog invite(57, QStringLiteral("9/Friends"), alice.roster.get(), alice.db.get(), nullptr);
    auto *players = invite.findChild<QTreeView *>(QStringLiteral("playerList"));
    auto *info = invite.findChild<QLabel *>(QStringLiteral("info"));
    QCOMPARE(players->model()->rowCount(), 1);
    QCOMPARE(players->model()->index(0, 0).data().toString(), QStringLiteral("carol"));
    QSignalSpy invited(&invite, &TableInviteDialog::invitePlayers);
    players->setCurrentIndex(players->model()->index(0, 0));
    invite.findChild<QPushButton *>(QStringLiteral("inviteButton"))->click();
    QCOMPARE(invited.size(), 1);
    QCOMPARE(invited.at(0).at(0).toInt(), 57);
    QCOMPARE(invited.at(0).at(1).value<std::vector<qint32>>(), std::vector<qint32>{6109});
    QCOMPARE(players->model()->rowCount(), 0);
    QCOMPARE(info->text(), QStringLiteral("No friends to invite available"));
    invite.resetInvites();
    QCOMPARE(players->model()->rowCount(), 1);

    // Friends online that are no players here (a contact of another server,
    // a name that is no player id) could never be invited: not listed.
    const QList<XMPPJid> strangers{XMPPJid(QStringLiteral("elsewhere.example"), QStringLiteral("6110")),
                                   XMPPJid(alice.jid.domain(), QStringLiteral("guest"))};
    for (const XMPPJid &stranger : strangers) {
        alice.roster->onRosterUpdate(stranger, 1, false, QString(), QString());
        xmpp::PresenceStanza stanza;
        stanza.from = XMPPJid(stranger.domain(), stranger.node(), QStringLiteral("home"));
        alice.roster->onPresence(XMPPPresence(stanza));
        QVERIFY(alice.roster->findItem(stranger) && alice.roster->findItem(stranger)->bestPresence());
    }
    QCOMPARE(players->model()->rowCount(), 1);
    for (const XMPPJid &stranger : strangers)
        alice.roster->onRosterUpdate(stranger, 0, true, QString(), QString());

    // Bob stands up from table 12: the path goes, the invitation list is
    // unchanged (he still sits at 15); seated again, it is back; then he
    // leaves both.
    bob.client->removeTablePath(t12);
    QTRY_COMPARE_WITH_TIMEOUT(bobTables(), QSet<QString>{QStringLiteral("9/Friends/15")}, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(tableList->count(), 1, 10000);
    bob.client->addTablePath(t12);
    QTRY_COMPARE_WITH_TIMEOUT(bobTables(), both, 10000);
    bob.client->removeTablePath(t15);
    bob.client->removeTablePath(t12);
    QTRY_VERIFY_WITH_TIMEOUT(bobTables().isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(players->model()->rowCount(), 2, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(tables.subscriptionCount(QStringLiteral("9/Friends")), 0, 10000);
    // Upper case sorts before lower case.
    QCOMPARE(players->model()->index(0, 0).data().toString(), bobName);

    // However many tables a presence names, the details take a few.
    for (int id = 100; id < 100 + 3 * FriendDetailWindow::MaxTablePaths; ++id)
        bob.client->addTablePath(QStringLiteral("9/Many/%1").arg(id));
    QTRY_COMPARE_WITH_TIMEOUT(bobTables().size(), 3 * FriendDetailWindow::MaxTablePaths, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(tables.subscriptionCount(QStringLiteral("9/Many")) > 0, 10000);
    for (int id = 100; id < 100 + 3 * FriendDetailWindow::MaxTablePaths; ++id)
        tables.onTableInfoUpdate(TableInfo(id, QStringLiteral("9/Many")));
    QTRY_COMPARE_WITH_TIMEOUT(tableList->count(), FriendDetailWindow::MaxTablePaths, 10000);
    QVERIFY(tables.subscriptionCount(QStringLiteral("9/Many")) <= FriendDetailWindow::MaxTablePaths);

    // While the chat connection is down nothing can be removed: Remove is
    // off, and the action sends nothing; it comes back with the connection.
    auto *remove = detail->findChild<QPushButton *>(QStringLiteral("removeButton"));
    QVERIFY(remove && remove->isEnabled());
    QSignalSpy down(alice.client.get(), &XMPPClient::disconnected);
    alice.client->disconnectFromHost();
    QVERIFY(down.size() > 0 || down.wait(10000));
    QVERIFY(detail->friendId() != -1);
    QVERIFY(!remove->isEnabled());
    window.onRemoveAction();
    QSignalSpy resets(alice.client.get(), &XMPPClient::rosterReset);
    QSignalSpy up(alice.client.get(), &XMPPClient::connected);
    alice.client->authenticate(QStringLiteral("6107"), m_server.password(QStringLiteral("6107")));
    alice.client->connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QVERIFY(up.wait(10000));
    QVERIFY(resets.size() > 0 || resets.wait(10000));
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 2, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(item(alice, carol) && item(alice, bob), 10000);
    list->setCurrentIndex(list->model()->index(0, 0));
    QTRY_VERIFY(remove->isEnabled());

    // Removing: Carol (only Alice sees her) leaves the roster; Bob, who sees
    // Alice, is only unsubscribed from and is no friend any more.
    const QModelIndex carolRow = list->model()->index(0, 0).data().toString() == QLatin1String("carol")
                                     ? list->model()->index(0, 0)
                                     : list->model()->index(1, 0);
    list->setCurrentIndex(carolRow);
    QCOMPARE(detail->friendId(), 6109);
    detail->findChild<QPushButton *>(QStringLiteral("removeButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!item(alice, carol), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 1, 10000);
    list->setCurrentIndex(list->model()->index(0, 0));
    window.onRemoveAction();
    QTRY_COMPARE_WITH_TIMEOUT(flagsOf(alice, bob), 2, 10000);
    QCOMPARE(list->model()->rowCount(), 0);
    QVERIFY(!list->currentIndex().isValid());
    QVERIFY(!alice.roster->findItem(alice.jid));
    QCOMPARE(requests.size(), 0);
}

// Ten friends invited one by one: the empty list then says so.
void TestFriendsLive::inviteLimit()
{
    Player dave;
    QVERIFY(start(dave, QStringLiteral("6110"), true));
    // Friends the roster holds and hears from, as the session reports them.
    for (int i = 0; i < TableInviteDialog::InviteLimit; ++i) {
        const XMPPJid jid(QStringLiteral("localhost"), QString::number(7000 + i));
        dave.roster->onRosterUpdate(jid, 1, false, QString(), QString());
        xmpp::PresenceStanza stanza;
        stanza.from = XMPPJid(jid.domain(), jid.node(), QStringLiteral("desk"));
        dave.roster->onPresence(XMPPPresence(stanza));
    }
    TableInviteDialog invite(5, QStringLiteral("101/Practice"), dave.roster.get(), dave.db.get(), nullptr);
    auto *players = invite.findChild<QTreeView *>(QStringLiteral("playerList"));
    QSignalSpy invited(&invite, &TableInviteDialog::invitePlayers);
    for (int i = 0; i < TableInviteDialog::InviteLimit; ++i) {
        players->setCurrentIndex(players->model()->index(0, 0));
        invite.onInviteButtonClicked();
    }
    QCOMPARE(invited.size(), TableInviteDialog::InviteLimit);
    QCOMPARE(invite.findChild<QLabel *>(QStringLiteral("info"))->text(), QStringLiteral("No invites left!"));
    invite.resetInvites();
    QCOMPARE(players->model()->rowCount(), TableInviteDialog::InviteLimit);
}

namespace {
// Counts the screen names read from it.
class CountingRosterModel : public FriendsRosterModel
{
public:
    using FriendsRosterModel::FriendsRosterModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            ++reads;
        return FriendsRosterModel::data(index, role);
    }
    mutable int reads = 0;
};
} // namespace

// Friends listed before the game server names them: the list sorted by
// name (the friends filter over the roster model, as the friends window
// has them) ends in the order of the real names, after roster names change
// and rows go too. It reads each row's name once per change of the row,
// not at each comparison, and the names that arrive together re-sort it
// once.
void TestFriendsLive::namesSortedAsTheyArrive()
{
    Player dave;
    QVERIFY(start(dave, QStringLiteral("6110"), true));
    CountingRosterModel model(dave.roster.get(), dave.db.get(), nullptr, false);
    FriendsFilter list;
    list.setSourceModel(&model);
    list.sort(0);
    FriendsWindow window(dave.client.get(), dave.roster.get(), dave.db.get(), nullptr, nullptr);
    auto *shown = window.findChild<QListView *>(QStringLiteral("friendList"))->model();

    QList<XMPPJid> jids;
    for (qint32 pid = 7301; pid <= 7340; ++pid)
        jids << dave.db->jidForPid(pid);
    // Contacts elsewhere go by the names their rosters give.
    jids << XMPPJid(QStringLiteral("other.example"), QStringLiteral("ann"))
         << XMPPJid(QStringLiteral("other.example"), QStringLiteral("cy"));
    int changedRows = 0;
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [&](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
        changedRows += bottomRight.row() - topLeft.row() + 1;
    });
    QSet<qint32> unnamed;
    int namingTurns = 0;
    bool turnCounted = false;
    connect(dave.db.get(), &PlayerDb::playerNameUpdate, this, [&](qint32 pid) {
        unnamed.remove(pid);
        if (!std::exchange(turnCounted, true)) {
            ++namingTurns;
            QTimer::singleShot(0, this, [&] { turnCounted = false; });
        }
    });
    QSignalSpy nameChanges(&model, &QAbstractItemModel::dataChanged);
    for (const XMPPJid &jid : std::as_const(jids)) {
        const qint32 pid = dave.db->pidFromJid(jid);
        if (pid > 0)
            unnamed << pid;
        dave.roster->onRosterUpdate(jid, 3, false, pid > 0 ? QString() : jid.node().toUpper(), QString());
        xmpp::PresenceStanza stanza;
        stanza.from = XMPPJid(jid.domain(), jid.node(), QStringLiteral("desk"));
        dave.roster->onPresence(XMPPPresence(stanza));
    }
    const int presenceChanges = int(nameChanges.size());
    QTRY_VERIFY_WITH_TIMEOUT(unnamed.isEmpty(), 10000);
    QTRY_VERIFY(nameChanges.size() > presenceChanges);
    QCoreApplication::processEvents();
    QVERIFY2(nameChanges.size() - presenceChanges <= namingTurns,
             qPrintable(QStringLiteral("%1 changes for names that came in %2 turns")
                            .arg(nameChanges.size() - presenceChanges)
                            .arg(namingTurns)));
    QVERIFY2(model.reads <= int(jids.size()) + changedRows,
             qPrintable(QStringLiteral("%1 names read for %2 rows and %3 changed rows")
                            .arg(model.reads)
                            .arg(jids.size())
                            .arg(changedRows)));

    const auto inOrderOfRealNames = [&](const QAbstractItemModel &sorted) {
        QStringList names;
        for (const XMPPJid &jid : std::as_const(jids)) {
            const XMPPRosterItem *rosterItem = dave.roster->findItem(jid);
            if (rosterItem)
                names << FriendsRosterModel::displayName(dave.db.get(), *rosterItem);
        }
        std::sort(names.begin(), names.end(),
                  [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
        QStringList listed;
        for (int row = 0; row < sorted.rowCount(); ++row)
            listed << sorted.index(row, 0).data().toString();
        if (listed != names)
            qWarning() << "listed" << listed << "\nnames " << names;
        return listed == names;
    };
    QVERIFY(inOrderOfRealNames(list));
    QVERIFY(inOrderOfRealNames(*shown));
    QCOMPARE(list.index(0, 0).data().toString(), QStringLiteral("10 tiles"));

    // A roster name changes, a friend goes, another one's name changes.
    dave.roster->onRosterUpdate(jids.last(), 3, false, QStringLiteral("aaron"), QString());
    dave.roster->onRosterUpdate(jids.at(3), 3, true, QString(), QString());
    dave.roster->onRosterUpdate(jids.at(jids.size() - 2), 3, false, QStringLiteral("Zed"), QString());
    QVERIFY(inOrderOfRealNames(list));
    QVERIFY(inOrderOfRealNames(*shown));
    QCOMPARE(list.rowCount(), int(jids.size()) - 1);
}

// Erin plays through the real table controller at the scripted game
// server; Fiona, who follows her presence, sees the table she sits at, and
// neither the one she watches nor one she has left.
void TestFriendsLive::ownTablesPublished()
{
    QTemporaryDir dir;
    QFile scenarioFile(dir.filePath(QStringLiteral("seated.json")));
    const QJsonObject ready{{"send", "player_is_ready"},
                            {"fields", QJsonObject{{"tableId", "$table"}, {"playerId", "$pid"}}}};
    const QJsonObject scenario{{"trigger", "join"},
                               {"tables", QJsonArray{1001}},
                               {"empty_table", true},
                               {"steps", QJsonArray{ready, QJsonObject{{"expect", "leave_table"}}}}};
    QVERIFY(scenarioFile.open(QIODevice::WriteOnly));
    scenarioFile.write(QJsonDocument(scenario).toJson());
    scenarioFile.close();
    // Watching plays no hand here, so the seat's scenario can start at once.
    QFile quietWatch(dir.filePath(QStringLiteral("watch.json")));
    QVERIFY(quietWatch.open(QIODevice::WriteOnly));
    quietWatch.write(R"({"trigger": "watch", "tables": [1003], "steps": [{"wait_ms": 0}]})");
    quietWatch.close();
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--demo"), QStringLiteral("--account"), QStringLiteral("erin:pw:6116:Erin"),
                         QStringLiteral("--scenario"), scenarioFile.fileName(), QStringLiteral("--scenario"),
                         quietWatch.fileName()}),
             qPrintable(peer.errorString()));

    ConnectionManager session(true);
    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("erin"), QStringLiteral("pw"));
    QVERIFY(loggedIn.wait(10000));
    QCOMPARE(session.ownPlayerId(), 6116);
    auto erin = live::login(m_server, QStringLiteral("6116"));
    auto fiona = live::login(m_server, QStringLiteral("6117"));
    QVERIFY(erin && fiona);
    XMPPRosterModel erinRoster(erin.get());
    XMPPRosterModel fionaRoster(fiona.get());
    PlayerDb db(&session, erin.get(), nullptr);
    db.setOwnPlayer(6116, QStringLiteral("Erin"));

    // As the main window wires them: the controller learns the own id at
    // login and the presence manager follows the controller.
    TableModel tables(&session);
    tables.subscribe(QStringLiteral("101/Practice"));
    QTRY_VERIFY_WITH_TIMEOUT(tables.hasTable(1001) && tables.hasTable(1003), 10000);
    QWidget mainWindow;
    GameController controller(&session, &db, nullptr, &mainWindow);
    controller.setTableModel(&tables);
    controller.setPlayerId(session.ownPlayerId());
    TablePresenceManager presence(&controller, erin.get());

    const XMPPJid erinJid = live::bareJid(m_server, QStringLiteral("6116"));
    fiona->requestSubscription(erinJid, false);
    QTRY_VERIFY_WITH_TIMEOUT(fionaRoster.findItem(erinJid) && (fionaRoster.findItem(erinJid)->flags & 1)
                                 && fionaRoster.findItem(erinJid)->bestPresence(),
                             10000);
    const auto erinTables = [&] {
        const XMPPPresence *p = fionaRoster.findItem(erinJid)->bestPresence();
        return p ? p->tables() : QSet<QString>();
    };

    QSignalSpy watched(&controller, &GameController::tableWatched);
    session.watch_table(1003);
    QVERIFY(watched.wait(10000));
    QSignalSpy joined(&controller, &GameController::regularTableJoined);
    session.join_table(1001, -1);
    QVERIFY(joined.wait(10000));
    QTRY_COMPARE_WITH_TIMEOUT(erinTables(), QSet<QString>{QStringLiteral("101/Practice/1001")}, 10000);

    controller.onLeave(1001);
    QTRY_VERIFY_WITH_TIMEOUT(!controller.hasTable(1001), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(erinTables().isEmpty(), 10000);
    QVERIFY(controller.hasTable(1003));
}

QTEST_MAIN(TestFriendsLive)
#include "tst_friends_live.moc"
