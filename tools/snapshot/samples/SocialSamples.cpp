#include "../Sample.h"

#include "game/GameModel.h"
#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "social/AvatarDialog.h"
#include "social/ConferenceWidget.h"
#include "social/FriendDetailWindow.h"
#include "social/FriendSearchWindow.h"
#include "social/FriendsWindow.h"
#include "social/PlayerDb.h"
#include "social/TableInviteDialog.h"
#include "scene/TileGraphics.h"
#include "table/GameWindow.h"
#include "table/WaitingForPlayersWindow.h"
#include "widgets/AutoCenterToParent.h"
#include "widgets/MahjongDialog.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/elements/DelayedDeliveryInfo.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/XMPPDataReport.h"
#include "xmpp/elements/XMPPMessage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPushButton>
#include <QLabel>
#include <QListView>
#include <QTreeView>
#include <QTreeWidget>

namespace {
const XMPPJid lobbyRoom(QStringLiteral("conference.localhost"), QStringLiteral("lobby"));

XMPPMessage roomMessage(const QString &nick, const QString &text, const QDateTime &delayedFrom = QDateTime())
{
    XMPPMessage message(XMPPJid(), XMPPMessage::GroupChat);
    message.setFrom(XMPPJid(lobbyRoom.domain(), lobbyRoom.node(), nick));
    message.setBody(text);
    if (delayedFrom.isValid())
        message.stanza().delay = xmpp::DelayedDeliveryInfo{lobbyRoom, delayedFrom};
    return message;
}

// The lobby chat as a player finds it: yesterday's history, the own join,
// others coming and going and talking, one with markup in the nick.
QWidget *lobbyChat()
{
    auto *pane = new ConferenceWidget(nullptr, 0);
    // The style sheet's colours apply to lines added after this.
    pane->ensurePolished();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    pane->onMessage(roomMessage(QStringLiteral("Mei"), QStringLiteral("Good game everyone!"), now.addDays(-1)));
    pane->onMessage(
        roomMessage(QStringLiteral("Kenji"), QStringLiteral("See you tomorrow"), now.addDays(-1).addSecs(90)));
    pane->onParticipantJoined(nullptr, QStringLiteral("Alice"));
    pane->onParticipantJoined(nullptr, QStringLiteral("<b>Bob</b>"));
    pane->onMessage(
        roomMessage(QStringLiteral("Alice"), QStringLiteral("Anyone for a game of riichi? <img src=x> & more")));
    pane->onMessage(roomMessage(QStringLiteral("<b>Bob</b>"), QStringLiteral("Table 1001 has a free seat")));
    pane->onMessage(roomMessage(QStringLiteral("美咲"), QStringLiteral("よろしくお願いします")));
    pane->onParticipantLeft(nullptr, QStringLiteral("Kenji"));
    pane->onParticipantKicked(nullptr, QStringLiteral("Spammer"), XMPPJid(), QString());
    return pane;
}

// The lobby chat (its notice mask) after the room renamed the player, who
// chats on under the new nick.
QWidget *lobbyChatRenamed()
{
    auto *pane = new ConferenceWidget(nullptr, 11);
    pane->ensurePolished();
    pane->onUserJoined();
    pane->onMessage(roomMessage(QStringLiteral("Mei"), QStringLiteral("Good game everyone!")));
    pane->onMessage(roomMessage(QStringLiteral("Kenji"), QStringLiteral("Anyone for riichi?")));
    pane->onUserNickChanged(nullptr, QStringLiteral("Kenji (2001)"));
    pane->onMessage(roomMessage(QStringLiteral("Kenji (2001)"), QStringLiteral("Still me")));
    return pane;
}

// The lobby chat when the room refused the player's name (taken once the
// room normalised it) and took it with the player's number.
QWidget *lobbyChatNickRefused()
{
    auto *pane = new ConferenceWidget(nullptr, 11);
    pane->ensurePolished();
    pane->onUserJoined();
    pane->appendNotice(ConferenceWidget::tr("You chat as %1 in this room").arg(QStringLiteral("bob (2001)")));
    pane->onMessage(roomMessage(QStringLiteral("bob"), QStringLiteral("Welcome!")));
    pane->onMessage(roomMessage(QStringLiteral("bob (2001)"), QStringLiteral("Thanks, hello all")));
    return pane;
}

// A table's chat: others at the table join, the own kick shows its reason.
QWidget *tableChat()
{
    auto *pane = new ConferenceWidget(nullptr, 0);
    // The style sheet's colours apply to lines added after this.
    pane->ensurePolished();
    pane->onParticipantJoined(nullptr, QStringLiteral("East"));
    pane->onParticipantJoined(nullptr, QStringLiteral("South"));
    pane->onParticipantJoined(nullptr, QStringLiteral("West"));
    pane->onMessage(roomMessage(QStringLiteral("East"), QStringLiteral("Good luck!")));
    pane->onMessage(roomMessage(QStringLiteral("West"), QStringLiteral("Thanks, you too")));
    pane->appendNotice(
        ConferenceWidget::tr("%1 has been kicked from the chat by %2 due to %3")
            .arg(QStringLiteral("North"), QStringLiteral("admin@localhost"), QStringLiteral("flooding")));
    pane->appendNotice(ConferenceWidget::tr("The chat connection was lost"));
    return pane;
}
// A roster as a session would leave it: friends in every state, one with a
// status in markup, one seated at two tables, one only asked for.
struct Friends
{
    ConnectionManager *session = new ConnectionManager;
    XMPPClient *client = new XMPPClient;
    XMPPRosterModel *roster = new XMPPRosterModel(client);
    PlayerDb *db = new PlayerDb(session, client, nullptr);
    TableModel *tables = new TableModel(session);

    Friends()
    {
        struct Contact
        {
            const char *name;
            int flags;
            int show;
            bool online;
            const char *status;
            QStringList tables;
        };
        const QList<Contact> contacts{
            {"Mei",
             3,
             xmpp::PresenceStanza::ShowNone,
             true,
             "",
             {QStringLiteral("101/Practice/1001"), QStringLiteral("101/Practice/1002")}},
            {"Kenji", 3, xmpp::PresenceStanza::Away, true, "<b>back soon</b> & then riichi", {}},
            {"Hana", 1, xmpp::PresenceStanza::Xa, true, "", {}},
            {"Taro", 1, xmpp::PresenceStanza::Dnd, true, "", {}},
            {"Yuki", 1, xmpp::PresenceStanza::Chat, true, "", {}},
            {"Sora", 3, xmpp::PresenceStanza::ShowNone, false, "", {}},
            {"美咲", 3, xmpp::PresenceStanza::ShowNone, true, "", {}},
            {"newcomer", 4, xmpp::PresenceStanza::ShowNone, false, "", {}},
        };
        for (const Contact &c : contacts) {
            const XMPPJid jid(QStringLiteral("localhost"), QString::fromUtf8(c.name).toLower());
            roster->onRosterUpdate(jid, c.flags, false, QString::fromUtf8(c.name), QString());
            if (!c.online)
                continue;
            xmpp::PresenceStanza stanza;
            stanza.from = XMPPJid(jid.domain(), jid.node(), QStringLiteral("desk"));
            stanza.show = c.show;
            stanza.statuses.insert(QStringLiteral("UND"), QString::fromUtf8(c.status));
            stanza.tablePaths = QSet<QString>(c.tables.begin(), c.tables.end());
            roster->onPresence(XMPPPresence(stanza));
        }
        tables->setNotifyInterval(0);
    }

    // The helpers live as long as the sample's widget.
    void adopt(QObject *owner)
    {
        for (QObject *o : {static_cast<QObject *>(tables), static_cast<QObject *>(db), static_cast<QObject *>(roster),
                           static_cast<QObject *>(client), static_cast<QObject *>(session)})
            o->setParent(owner);
    }

    void addTables()
    {
        for (qint32 id : {1001, 1002}) {
            TableInfo info(id, QStringLiteral("101/Practice"));
            info.setCapacity(4);
            info.setSeated(id == 1001 ? 3 : 1);
            tables->onTableInfoUpdate(info);
        }
    }
};

QWidget *friendsWindow()
{
    auto *f = new Friends;
    auto *window = new FriendsWindow(f->client, f->roster, f->db, nullptr, nullptr);
    window->setTableModel(f->tables);
    auto *list = window->findChild<QListView *>(QStringLiteral("friendList"));
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        if (list->model()->index(row, 0).data().toString() == QLatin1String("Mei"))
            list->setCurrentIndex(list->model()->index(row, 0));
    }
    f->addTables();
    f->adopt(window);
    delete f;
    return window;
}

QWidget *friendDetails()
{
    auto *f = new Friends;
    auto *window = new FriendDetailWindow;
    window->setPlayerDb(f->db);
    window->setTableModel(f->tables);
    window->setRosterItem(*f->roster->findItem(XMPPJid(QStringLiteral("localhost"), QStringLiteral("kenji"))));
    f->adopt(window);
    delete f;
    return window;
}

QWidget *friendSearch()
{
    auto *client = new XMPPClient;
    auto *window = new FriendSearchWindow(client, QStringLiteral("search.localhost"), nullptr);
    client->setParent(window);
    XMPPDataForm form(XMPPDataForm::DataForm);
    form.addField(new XMPPDataForm::Field(XMPPDataForm::TextSingle, QStringLiteral("search")));
    window->onRequestSearchFormResult(form, QStringLiteral("FriendSearchWindow"));
    window->setSearchText(QStringLiteral("ha"));
    XMPPDataReport report;
    for (const char *name : {"Hana", "Haruto", "hanako", "Shota", "<i>Hacker</i>"}) {
        XMPPDataReport::Row row;
        row.add(QStringLiteral("jid"), QString::fromUtf8(name).toLower() + QStringLiteral("@localhost"));
        row.add(QStringLiteral("Name"), QString::fromUtf8(name));
        report.items.append(row);
    }
    window->onSearchReport(report, QStringLiteral("FriendSearchWindow"));
    auto *results = window->findChild<QTreeWidget *>(QStringLiteral("resultList"));
    results->setCurrentItem(results->topLevelItem(1));
    return window;
}

// The invitation dialog inside a table window's area; without friends
// online it says so.
QWidget *tableInvite(bool nobodyOnline)
{
    auto *f = new Friends;
    auto *area = new QWidget;
    if (nobodyOnline)
        f->roster->onDisconnected();
    // No session here to name the server's domain: without a player
    // directory every contact counts as a player.
    auto *dialog = new TableInviteDialog(57, QStringLiteral("101/Ranked"), f->roster, nullptr, area);
    dialog->showDialog(true);
    new AutoCenterToParent(dialog);
    f->adopt(area);
    delete f;
    return area;
}

// A table waiting for players, its invite button clicked: the dialog comes
// up over the table with the friends who may join (Mei sits at a table of
// this lobby already, the offline ones and the request are left out).
QWidget *tableWindowInvite()
{
    useTiles();
    auto *f = new Friends;
    TableInfo info(1003, QStringLiteral("101/Practice"));
    info.setCapacity(4);
    info.setSeated(1);
    auto *window = new GameWindow(nullptr, 100);
    auto *model = new GameModel(1003, info, 100, QStringLiteral("You"), window);
    window->setModel(model);
    window->onTableInfo(info);
    window->setRosterModel(f->roster);
    window->resize(1024, 700);
    window->waitingForPlayersWindow()->findChild<QPushButton *>(QStringLiteral("inviteButton"))->click();
    f->adopt(window);
    delete f;
    return window;
}

QWidget *avatarDialog()
{
    auto *area = new QWidget;
    auto *dialog = new AvatarDialog(area);
    dialog->showDialog(true);
    new AutoCenterToParent(dialog);
    return area;
}
} // namespace

MAHJONG_SAMPLE(friendsWindow,
               {QStringLiteral("friends-window"), {591, 532}, [] { return asMainWindowPage(friendsWindow()); }});
MAHJONG_SAMPLE(friendDetails, {QStringLiteral("friend-details"), {320, 360}, [] { return friendDetails(); }});
MAHJONG_SAMPLE(friendSearch, {QStringLiteral("friend-search"), {303, 304}, [] { return friendSearch(); }});
MAHJONG_SAMPLE(tableInvite, {QStringLiteral("table-invite"), {420, 300}, [] { return tableInvite(false); }});
MAHJONG_SAMPLE(tableInviteEmpty, {QStringLiteral("table-invite-empty"), {420, 300}, [] { return tableInvite(true); }});
MAHJONG_SAMPLE(tableWindowInvite,
               {QStringLiteral("table-window-invite"), {1024, 700}, [] { return tableWindowInvite(); }});
MAHJONG_SAMPLE(avatarDialog, {QStringLiteral("avatar-dialog"), {480, 520}, [] { return avatarDialog(); }});

MAHJONG_SAMPLE(lobbyChat, {QStringLiteral("lobby-chat"), {591, 400}, [] { return lobbyChat(); }});
MAHJONG_SAMPLE(lobbyChatRenamed, {QStringLiteral("lobby-chat-renamed"), {360, 260}, [] { return lobbyChatRenamed(); }});
MAHJONG_SAMPLE(lobbyChatNickRefused,
               {QStringLiteral("lobby-chat-nick-refused"), {360, 260}, [] { return lobbyChatNickRefused(); }});
MAHJONG_SAMPLE(tableChat, {QStringLiteral("table-chat"), {320, 300}, [] { return tableChat(); }});

// Find friend as the friends page opens it: in a dialog frame over the page,
// after a search that failed (the box stays open to try again).
namespace {
QWidget *friendSearchDialog(bool failed)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("sampleBackground"));
    page->setStyleSheet(QStringLiteral("QWidget#sampleBackground { background-color: #0b3d2e; }"));
    auto *dialog = new MahjongDialog(page, MahjongDialog::HideTitleBar);
    QWidget *search = friendSearch();
    if (failed) {
        auto *window = static_cast<FriendSearchWindow *>(search);
        window->findChild<QTreeWidget *>(QStringLiteral("resultList"))->clear();
        window->onSearchError(QStringLiteral("FriendSearchWindow"));
    }
    search->setParent(dialog);
    dialog->setWidget(search);
    dialog->showDialog(true);
    new AutoCenterToParent(dialog);
    return asMainWindowPage(page);
}
} // namespace

MAHJONG_SAMPLE(friendSearchDialog,
               {QStringLiteral("friend-search-dialog"), {591, 420}, [] { return friendSearchDialog(false); }});
MAHJONG_SAMPLE(friendSearchFailed,
               {QStringLiteral("friend-search-failed"), {591, 420}, [] { return friendSearchDialog(true); }});
