// The whole main window against the scripted game server and the private
// XMPP server: the client configuration starts the XMPP session and the
// lobby chat, under the nick the room gives or accepts, also in scripted
// rooms of other kinds; the player menu on a room's nick finds the player
// the room shows, or names, and never another; the login sends the machine
// id; invitations wait for the inviter's name and are throttled per inviter.
#include "FakeXmppServer.h"
#include "XmppTestServer.h"
#include "mainwindow/LoginWindow.h"
#include "FormLogin.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PreferencesWindow.h"
#include "peer/PeerProcess.h"
#include "social/ChatController.h"
#include "social/ChatOutputWidget.h"
#include "social/ConferenceWidget.h"
#include "social/FriendsWindow.h"
#include "social/PlayerDb.h"
#include "xmpp/client/XMPPConference.h"
#include "xmpp/elements/PresenceStanza.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QDomDocument>
#include <QApplication>
#include <QGlyphRun>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

#include <memory>

class TestMainwindowSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sessionsAndInvitations();
    void invitationsAsTheSettingIsStored();
    void lobbyChatWithoutAListedRoom();
    void lobbyChatUnderTheRoomsNick_data();
    void lobbyChatUnderTheRoomsNick();
    void playerMenuOnRoomNicks();
    void textsOfOthersCannotTurnTheirSentence();
    void playerMenuOfAPlainOccupant();
    void lobbyChatInAScriptedRoom_data();
    void lobbyChatInAScriptedRoom();

private:
    // The scenario file name in dir holding json; empty if it cannot be written.
    static QString writeScenario(const QTemporaryDir &dir, const QString &name, const QByteArray &json);
    // A scenario that names the XMPP server and the lobby room at login.
    QString configScenario(const QTemporaryDir &dir, const QString &lobbyRoom, const QString &server = QString()) const;
    // Another player in a room of the XMPP server, by a bare session.
    struct Occupant
    {
        std::unique_ptr<XMPPClient> client;
        std::unique_ptr<XMPPConference> room;
    };
    std::unique_ptr<Occupant> occupant(const QString &user, const XMPPJid &room, const QString &nick);

    XmppTestServer m_xmpp;
};

QString TestMainwindowSession::writeScenario(const QTemporaryDir &dir, const QString &name, const QByteArray &json)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size())
        return QString();
    return path;
}

QString TestMainwindowSession::configScenario(const QTemporaryDir &dir, const QString &lobbyRoom,
                                              const QString &server) const
{
    return writeScenario(dir, QStringLiteral("config.json"),
                         QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "%2", "searchService": ""}}]})")
                             .arg(server.isEmpty() ? QStringLiteral("localhost:%1").arg(m_xmpp.port()) : server)
                             .arg(lobbyRoom)
                             .toUtf8());
}

std::unique_ptr<TestMainwindowSession::Occupant>
TestMainwindowSession::occupant(const QString &user, const XMPPJid &room, const QString &nick)
{
    auto o = std::make_unique<Occupant>();
    o->client = std::make_unique<XMPPClient>();
    QSignalSpy connected(o->client.get(), &XMPPClient::connected);
    o->client->authenticate(user, m_xmpp.password(user));
    o->client->connectToHost(m_xmpp.host(), m_xmpp.port(), XMPPClient::TlsRequired);
    if (!connected.wait(15000))
        return nullptr;
    o->room = std::make_unique<XMPPConference>();
    o->room->setClient(o->client.get());
    o->room->setRoomJid(room);
    o->room->join(nick);
    if (!QTest::qWaitFor([&] { return o->room->isJoined(); }, 10000))
        return nullptr;
    return o;
}

static QMenu *userMenu()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *menu = qobject_cast<QMenu *>(widget);
        if (menu && menu->isVisible())
            return menu;
    }
    return nullptr;
}

// The player clicks the nick in the lobby chat's log.
static void clickNick(MainWindow &window, const QString &nick)
{
    auto *log = window.view().lobbyChat->findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
    QVERIFY(log);
    QVERIFY2(log->toPlainText().contains(nick + QStringLiteral(": ")), qPrintable(log->toPlainText()));
    emit log->anchorClicked(QUrl(ChatOutputWidget::nickUrl(nick)));
}

// Where a laid-out text breaks its reading order: the letters, digits and
// colons (those of right-to-left scripts aside, which read their own way)
// must stand left to right, line by line, as they are read. Empty when none.
static QString outOfOrder(const QTextLayout &layout, const QString &text)
{
    qreal last = -1e9;
    int lastLine = -1;
    int seen = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar::Direction direction = c.direction();
        if ((!c.isLetterOrNumber() && c != QLatin1Char(':')) || direction == QChar::DirR || direction == QChar::DirAL
            || direction == QChar::DirAN)
            continue;
        const QList<QGlyphRun> runs = layout.glyphRuns(i, 1);
        if (runs.isEmpty())
            return QStringLiteral("nothing laid out at %1 in: %2").arg(i).arg(text);
        qreal left = 1e9;
        for (const QGlyphRun &run : runs)
            left = std::min(left, run.boundingRect().left());
        const int line = layout.lineForTextPosition(i).lineNumber();
        if (line == lastLine && left < last)
            return QStringLiteral("'%1' (%2) stands left of what comes before it in: %3").arg(c).arg(i).arg(text);
        last = left;
        lastLine = line;
        ++seen;
    }
    return seen > 0 ? QString() : QStringLiteral("nothing to read in: %1").arg(text);
}

// A plain text as a label lays it out.
static QString outOfOrder(const QString &text, const QFont &font)
{
    QTextDocument document;
    document.setDefaultFont(font);
    document.setPlainText(text);
    document.documentLayout()->documentSize();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString broken = outOfOrder(*block.layout(), block.text());
        if (!broken.isEmpty())
            return broken;
    }
    return QString();
}

void TestMainwindowSession::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-session-test"));
    QVERIFY2(m_xmpp.load(), qPrintable(m_xmpp.error()));
    m_xmpp.trust();
    PeerProcess::installTestCa();
}

static QList<QMessageBox *> boxes(MainWindow &window, const QString &title)
{
    QList<QMessageBox *> found;
    for (QMessageBox *box : window.findChildren<QMessageBox *>()) {
        if (box->windowTitle() == title && box->isVisible())
            found << box;
    }
    return found;
}

void TestMainwindowSession::sessionsAndInvitations()
{
    // After the login: the configuration, then two invitations by Bob, whose
    // name the client has not heard yet, and one for a table it does not know.
    QTemporaryDir dir;
    const QString scenario = writeScenario(
        dir, QStringLiteral("session.json"),
        QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "lobby@conference.localhost", "searchService": ""}},
        {"wait_ms": 1500},
        {"send": "notify_invited", "fields": {"tableId": 1001, "inviterId": 1002, "kind": 0}},
        {"send": "notify_invited", "fields": {"tableId": 4711, "inviterId": 1003, "kind": 0}},
        {"wait_ms": 500},
        {"send": "notify_invited", "fields": {"tableId": 1002, "inviterId": 1002, "kind": 0}}]})")
            .arg(m_xmpp.port())
            .toUtf8());
    QVERIFY(!scenario.isEmpty());
    PeerProcess peer;
    QVERIFY2(
        peer.start({QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann"), QStringLiteral("--account"),
                    QStringLiteral("bob:secret:1002:Bob"), QStringLiteral("--account"),
                    QStringLiteral("cy:secret:1003:Cy"), QStringLiteral("--scenario"), scenario}),
        qPrintable(peer.errorString()));

    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    // The command line's credentials fill in the form; the player logs in.
    QVERIFY(logInWithTheForm(window));

    // The XMPP login is the player id with the credential of the login answer.
    QTRY_COMPARE_WITH_TIMEOUT(window.xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QCOMPARE(window.clientConfig().lobbyRoom(), QStringLiteral("lobby@conference.localhost"));
    QTRY_COMPARE_WITH_TIMEOUT(window.chatController().lobbyRoom().node(), QStringLiteral("lobby"), 10000);
    QVERIFY(!peer.linesStartingWith("RECV service_request").filter("log_client_uuid").isEmpty());
    QVERIFY(!peer.linesStartingWith("RECV query_client_config").isEmpty());
    QVERIFY(!peer.linesStartingWith("RECV query_account_balance").isEmpty());

    // Bob's first invitation is shown once his name is there; the second
    // within ten minutes and the one for an unknown table are not.
    QTRY_COMPARE_WITH_TIMEOUT(boxes(window, QStringLiteral("Table invitation")).size(), 1, 10000);
    QVERIFY(boxes(window, QStringLiteral("Table invitation")).first()->text().startsWith(QStringLiteral("Bob has")));
    QTest::qWait(1500);
    QCOMPARE(boxes(window, QStringLiteral("Table invitation")).size(), 1);

    // Yes joins the table of the invitation.
    boxes(window, QStringLiteral("Table invitation")).first()->button(QMessageBox::Yes)->click();
    QVERIFY(!peer.waitForLine(QStringLiteral("RECV join_table")).isNull());
    QVERIFY(peer.linesStartingWith("RECV join_table").value(0).contains("1001"));
}

// "Show table invites" as the settings file gives it back after a restart:
// the text "true", not the bool the preferences page writes.
void TestMainwindowSession::invitationsAsTheSettingIsStored()
{
    QTemporaryDir dir;
    const QString scenario = writeScenario(dir, QStringLiteral("invited.json"), R"({"trigger": "login", "steps": [
        {"expect": "query_web_page", "fields": {"page": 13}, "hold": true},
        {"send": "notify_invited", "fields": {"tableId": 1001, "inviterId": 1002, "kind": 0}}]})");
    QVERIFY(!scenario.isEmpty());
    PeerProcess peer;
    QVERIFY2(
        peer.start({QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann"), QStringLiteral("--account"),
                    QStringLiteral("bob:secret:1002:Bob"), QStringLiteral("--scenario"), scenario}),
        qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<PreferencesWindow *>(), 15000);
    QSettings().setValue(QStringLiteral("game/showtableinvites"), QStringLiteral("true"));
    // The checkpoint: the server invites the player now.
    window.connectionManager().query_web_page(WebPageRequest::Reserved);
    QTRY_COMPARE_WITH_TIMEOUT(boxes(window, QStringLiteral("Table invitation")).size(), 1, 10000);
}

void TestMainwindowSession::lobbyChatWithoutAListedRoom()
{
    // The configuration names the conference service but no lobby room, and
    // nobody is in any room, so the service lists none.
    QTemporaryDir dir;
    const QString scenario = writeScenario(
        dir, QStringLiteral("no-lobby.json"),
        QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "", "searchService": ""}}]})")
            .arg(m_xmpp.port())
            .toUtf8());
    QVERIFY(!scenario.isEmpty());
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("cy:secret:1003:Cy"), QStringLiteral("--scenario"),
                         scenario}),
             qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("cy"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_COMPARE_WITH_TIMEOUT(window.xmppClient().state(), int(XMPPClient::ConnectedState), 15000);
    QVERIFY(window.clientConfig().lobbyRoom().isEmpty());

    // The service's own lobby room is entered: the player can write there.
    QTRY_COMPARE_WITH_TIMEOUT(window.chatController().lobbyRoom().text(), QStringLiteral("lobby@conference.localhost"),
                              10000);
    auto *input = window.view().lobbyChat->findChild<QWidget *>(QStringLiteral("chatInput"));
    QVERIFY(input);
    QTRY_VERIFY_WITH_TIMEOUT(input->isEnabled(), 10000);
}

void TestMainwindowSession::lobbyChatUnderTheRoomsNick_data()
{
    QTest::addColumn<QString>("account");
    // Someone already in the room under this nick.
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("roomNick");
    // The room normalises nicks: halfwidth kana become fullwidth, fullwidth
    // letters plain ones.
    QTest::newRow("halfwidth katakana") << QStringLiteral("dan:secret:1004:ｱﾝｼ") << QString()
                                        << QStringLiteral("アンシ");
    QTest::newRow("fullwidth latin") << QStringLiteral("eve:secret:1005:Ｂｏｂ") << QString() << QStringLiteral("Bob");
    // The room refuses the name: as another's nick once normalised, or as
    // one it cannot spell (Latin and Arabic letters in one nick); the
    // player chats under the name with the number, or the number.
    QTest::newRow("taken once normalised")
        << QStringLiteral("fay:secret:1006:ｂｏｂ") << QStringLiteral("bob") << QStringLiteral("bob (1006)");
    QTest::newRow("latin and arabic") << QStringLiteral("gus:secret:1007:Ali\u0639\u0644\u064a") << QString()
                                      << QStringLiteral("1007");
}

void TestMainwindowSession::lobbyChatUnderTheRoomsNick()
{
    QFETCH(QString, account);
    QFETCH(QString, taken);
    QFETCH(QString, roomNick);
    const XMPPJid room(QStringLiteral("lobby-nicks@conference.localhost"));
    std::unique_ptr<Occupant> other;
    if (!taken.isEmpty()) {
        other = occupant(QStringLiteral("1008"), room, taken);
        QVERIFY(other);
    }
    QTemporaryDir dir;
    const QString scenario = configScenario(dir, room.text());
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), account, QStringLiteral("--scenario"), scenario}),
             qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), account.section(QLatin1Char(':'), 0, 0),
                      QStringLiteral("secret"), true, QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    QTRY_COMPARE_WITH_TIMEOUT(window.xmppClient().state(), int(XMPPClient::ConnectedState), 15000);

    // The room seats the player under its own spelling of the name, or
    // under the nick it accepts: the player is in, is told that nick, and
    // writes under it.
    ConferenceWidget *lobby = window.view().lobbyChat;
    auto *input = lobby->findChild<QLineEdit *>(QStringLiteral("chatInput"));
    QVERIFY(input);
    QTRY_VERIFY_WITH_TIMEOUT(lobby->conference().isJoined(), 15000);
    QVERIFY(input->isEnabled());
    QCOMPARE(lobby->conference().nick(), roomNick);
    auto *log = lobby->findChild<QTextEdit *>(QStringLiteral("chatOutput"));
    QVERIFY(log);
    QVERIFY2(log->toPlainText().contains(QStringLiteral("You chat as %1 in this room").arg(roomNick)),
             qPrintable(log->toPlainText()));
    input->setText(QStringLiteral("hello"));
    QTest::keyClick(input, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(roomNick + QStringLiteral(": hello")), 10000);

    // The player's menu on that nick knows who it is.
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<FriendsWindow *>(), 15000);
    clickNick(window, roomNick);
    QTRY_VERIFY_WITH_TIMEOUT(userMenu(), 10000);
    QCOMPARE(userMenu()->actions().value(0)->text(), QStringLiteral("This is you"));
    userMenu()->close();
}

void TestMainwindowSession::playerMenuOnRoomNicks()
{
    // Three players whose room nicks are not their names, one of them the
    // name of another ("bob" and "Ｂｏｂ", whom the room calls "Bob").
    const XMPPJid room(QStringLiteral("lobby-menu@conference.localhost"));
    QTemporaryDir dir;
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--account"), QStringLiteral("hal:secret:1009:Hal"),
                         QStringLiteral("--account"), QStringLiteral("b1:secret:1010:bob"), QStringLiteral("--account"),
                         QStringLiteral("b2:secret:1011:Ｂｏｂ"), QStringLiteral("--account"),
                         QStringLiteral("b3:secret:1012:Ann\u00ada"), QStringLiteral("--scenario"),
                         configScenario(dir, room.text())}),
             qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("hal"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    // The player opens the room, which shows its opener who is who.
    ConferenceWidget *lobby = window.view().lobbyChat;
    QTRY_VERIFY_WITH_TIMEOUT(lobby->conference().isJoined(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<FriendsWindow *>(), 15000);

    struct Other
    {
        QString user;
        QString name;
        QString roomNick;
    };
    const QList<Other> others{{QStringLiteral("1010"), QStringLiteral("bob"), QStringLiteral("bob")},
                              {QStringLiteral("1011"), QStringLiteral("Ｂｏｂ"), QStringLiteral("Bob")},
                              {QStringLiteral("1012"), QStringLiteral("Ann\u00ada"), QStringLiteral("Anna")}};
    std::vector<std::unique_ptr<Occupant>> occupants;
    auto *log = lobby->findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
    for (const Other &o : others) {
        occupants.push_back(occupant(o.user, room, o.name));
        QVERIFY(occupants.back());
        QCOMPARE(occupants.back()->room->nick(), o.roomNick);
        occupants.back()->room->sendMessage(QStringLiteral("hi"));
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(o.roomNick + QStringLiteral(": hi")), 10000);
    }
    // The player knows the name "bob" already, but not "Ｂｏｂ" nor "Ann­a".
    auto *db = window.findChild<PlayerDb *>();
    QVERIFY(db);
    db->screenname(1010);
    QTRY_VERIFY_WITH_TIMEOUT(db->hasScreenname(QStringLiteral("bob")), 10000);
    QVERIFY(!db->hasScreenname(QStringLiteral("Ann\u00ada")));

    for (const Other &o : others) {
        clickNick(window, o.roomNick);
        QTRY_VERIFY_WITH_TIMEOUT(userMenu(), 10000);
        const QAction *first = userMenu()->actions().value(0);
        QVERIFY(first);
        QVERIFY2(first->text() == QStringLiteral("Add to friends"), qPrintable(o.roomNick + ": " + first->text()));
        QCOMPARE(first->data().value<XMPPJid>().bare().text(), QStringLiteral("%1@localhost").arg(o.user));
        userMenu()->close();
        QTRY_VERIFY_WITH_TIMEOUT(!userMenu(), 5000);
    }
}

void TestMainwindowSession::textsOfOthersCannotTurnTheirSentence()
{
    // Mal's name, his nick in the lobby room, a line of his there and the
    // status his presence tells his friends each carry a right-to-left
    // override, meant to turn the rest of Ivy's sentence around or to pass
    // for another speaker; Ali's Arabic nick comes before a line of digits.
    const QChar override(0x202E);
    const QString malName = QStringLiteral("Mal") + override + QStringLiteral("elbat");
    const XMPPJid room(QStringLiteral("lobby-bidi@conference.localhost"));
    QTemporaryDir dir;
    const QString scenario = writeScenario(
        dir, QStringLiteral("bidi.json"),
        QStringLiteral(R"({"trigger": "login", "disable": ["query_client_config"], "steps": [
        {"send": "client_config", "fields": {"xmppServer": "localhost:%1", "conferenceService": "conference.localhost",
                                             "lobbyRoom": "%2", "searchService": ""}},
        {"expect": "lobby_subscribe", "fields": {"lobbyPath": "101/Practice"}, "timeout_ms": 60000},
        {"send": "notify_invited", "fields": {"tableId": 1001, "inviterId": 1014, "kind": 0}}]})")
            .arg(m_xmpp.port())
            .arg(room.text())
            .toUtf8());
    QVERIFY(!scenario.isEmpty());
    PeerProcess peer;
    QVERIFY2(
        peer.start({QStringLiteral("--account"), QStringLiteral("ivy:secret:1013:Ivy"), QStringLiteral("--account"),
                    QStringLiteral("mal:secret:1014:") + malName, QStringLiteral("--scenario"), scenario}),
        qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ivy"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));

    // The invitation reads as a sentence, with the name in it.
    QTRY_COMPARE_WITH_TIMEOUT(boxes(window, QStringLiteral("Table invitation")).size(), 1, 20000);
    QMessageBox *invitation = boxes(window, QStringLiteral("Table invitation")).first();
    QVERIFY(invitation->text().contains(QStringLiteral(" has invited you to table ")));
    QString broken = outOfOrder(invitation->text(), invitation->font());
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    // The lobby room: Mal writes a line that would read as Carol's; Ali's
    // nick stands before a number.
    ConferenceWidget *lobby = window.view().lobbyChat;
    QTRY_VERIFY_WITH_TIMEOUT(lobby->conference().isJoined(), 20000);
    auto *log = lobby->findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
    std::unique_ptr<Occupant> mal = occupant(QStringLiteral("1014"), room, QStringLiteral("Mal"));
    std::unique_ptr<Occupant> ali = occupant(QStringLiteral("1012"), room, QStringLiteral("\u0639\u0644\u064a"));
    QVERIFY(mal && ali);
    mal->room->sendMessage(override + QStringLiteral("ereht olleh :loraC"));
    ali->room->sendMessage(QStringLiteral("5 apples"));
    // The log as its pane shows it, laid out even while the window is hidden.
    std::unique_ptr<QTextDocument> shownLog;
    const auto line = [log, &shownLog](const QString &part) -> QTextBlock {
        shownLog.reset(log->document()->clone());
        shownLog->setTextWidth(log->viewport()->width());
        shownLog->documentLayout()->documentSize();
        for (QTextBlock block = shownLog->begin(); block.isValid(); block = block.next()) {
            if (block.text().contains(part))
                return block;
        }
        return QTextBlock();
    };
    QTRY_VERIFY_WITH_TIMEOUT(line(QStringLiteral("olleh")).isValid() && line(QStringLiteral("apples")).isValid(),
                             10000);
    for (const char *part : {"olleh", "apples"}) {
        const QTextBlock shownLine = line(QLatin1String(part));
        broken = outOfOrder(*shownLine.layout(), shownLine.text());
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }

    // One to one: Ivy makes Mal her friend; his status comes with his presence.
    auto *friends = window.findChild<FriendsWindow *>();
    QTRY_VERIFY_WITH_TIMEOUT((friends = window.findChild<FriendsWindow *>()), 15000);
    QObject::connect(mal->client.get(), &XMPPClient::authorizationRequestReceived, mal->client.get(),
                     [client = mal->client.get()](const XMPPJid &from) { client->answerSubscription(from, true); });
    const XMPPJid malJid(QStringLiteral("1014@%1").arg(m_xmpp.host()));
    friends->addFriend(malJid);
    QTRY_VERIFY_WITH_TIMEOUT(friends->findFriend(malJid) && friends->findFriend(malJid)->bestPresence(), 15000);
    xmpp::PresenceStanza presence;
    presence.statuses.insert(QStringLiteral("UND"), override + QStringLiteral("gnikool tsuJ"));
    mal->client->send(presence);
    QTRY_VERIFY_WITH_TIMEOUT(friends->findFriend(malJid)->bestPresence()->status().contains(QStringLiteral("gnikool")),
                             10000);
    auto *list = friends->findChild<QListView *>(QStringLiteral("friendList"));
    QVERIFY(list);
    QString toolTip;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QString tip = list->model()->index(row, 0).data(Qt::ToolTipRole).toString();
        if (tip.contains(QStringLiteral("gnikool")))
            toolTip = tip;
    }
    QVERIFY(!toolTip.isEmpty());
    QTextDocument shown;
    shown.setHtml(toolTip);
    shown.documentLayout()->documentSize();
    broken = outOfOrder(*shown.firstBlock().layout(), shown.firstBlock().text());
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
}

// The player is a plain occupant of a room that Bob opened: the room shows
// the player no one's address, and the menu goes by the nick alone.
void TestMainwindowSession::playerMenuOfAPlainOccupant()
{
    const XMPPJid room(QStringLiteral("lobby-plain@conference.localhost"));
    // "ｂｏｂ" is "bob" in the room; two players sit under the nicks the chat
    // panes fall back to when a room refuses a name.
    const QList<std::pair<QString, QString>> others{
        {"1016", "Bob"}, {"1017", "ｂｏｂ"}, {"1018", "Dee (1018)"}, {"1019", "1019"}};
    std::vector<std::unique_ptr<Occupant>> occupants;
    for (const auto &[user, nick] : others) {
        occupants.push_back(occupant(user, room, nick));
        QVERIFY(occupants.back());
    }
    QTemporaryDir dir;
    PeerProcess peer;
    QStringList arguments{QStringLiteral("--scenario"), configScenario(dir, room.text())};
    for (const QString &account : {"vic:secret:1015:Vic", "b1:secret:1016:Bob", "b2:secret:1017:ｂｏｂ",
                                   "dee:secret:1018:Dee", "eve:secret:1019:Eve"})
        arguments << QStringLiteral("--account") << account;
    QVERIFY2(peer.start(arguments), qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("vic"), QStringLiteral("secret"), true,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));
    ConferenceWidget *lobby = window.view().lobbyChat;
    QTRY_VERIFY_WITH_TIMEOUT(lobby->conference().isJoined(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<FriendsWindow *>(), 15000);
    QVERIFY(lobby->conference().occupantJid(QStringLiteral("Bob")).isNull());
    auto *log = lobby->findChild<ChatOutputWidget *>(QStringLiteral("chatOutput"));
    for (const auto &o : occupants) {
        o->room->sendMessage(QStringLiteral("hi"));
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(o->room->nick() + QStringLiteral(": hi")), 10000);
    }
    // The player knows Bob's name, not yet the one "bob" stands for.
    auto *db = window.findChild<PlayerDb *>();
    db->screenname(1016);
    QTRY_VERIFY_WITH_TIMEOUT(db->hasScreenname(QStringLiteral("Bob")), 10000);

    // The menu's first entry: the player it adds as a friend, or its word.
    const auto menuOn = [&](const QString &nick) {
        clickNick(window, nick);
        if (!QTest::qWaitFor([] { return userMenu(); }, 10000))
            return QStringLiteral("no menu");
        const QAction *first = userMenu()->actions().value(0);
        const QString what = !first->isEnabled() ? first->text() : first->data().value<XMPPJid>().node();
        userMenu()->close();
        (void)QTest::qWaitFor([] { return !userMenu(); }, 5000);
        return what;
    };
    QCOMPARE(menuOn(QStringLiteral("Bob")), QStringLiteral("1016"));
    // "bob" is not Bob in another case; nobody known is so spelled.
    QCOMPARE(menuOn(QStringLiteral("bob")), QStringLiteral("No player with that screen name."));
    QCOMPARE(menuOn(QStringLiteral("Dee (1018)")), QStringLiteral("1018"));
    QCOMPARE(menuOn(QStringLiteral("1019")), QStringLiteral("1019"));
    db->screenname(1017);
    QTRY_VERIFY_WITH_TIMEOUT(db->hasScreenname(QStringLiteral("ｂｏｂ")), 10000);
    QCOMPARE(menuOn(QStringLiteral("bob")), QStringLiteral("1017"));
}

void TestMainwindowSession::lobbyChatInAScriptedRoom_data()
{
    QTest::addColumn<QString>("name");
    // What the room answers to each entry, in turn; what the pane then shows.
    QTest::addColumn<QByteArrayList>("answers");
    QTest::addColumn<QString>("roomNick");
    QTest::addColumn<QString>("notice");
    const QByteArray room = "lobby@conference.localhost/";
    const QByteArray refused = "<presence from='" + room
                               + "%1' type='error'><error type='modify'><bad-request "
                                 "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></presence>";
    const auto present = [&](const QByteArray &nick, const QByteArray &codes) {
        return "<presence from='" + room + nick
               + "'><x xmlns='http://jabber.org/protocol/muc#user'><item "
                 "affiliation='none' role='participant'/>"
               + codes + "</x></presence>";
    };
    // A name the room cannot prepare (Hebrew with Latin letters).
    QTest::newRow("bad-request") << QString::fromUtf8("David\u05d3\u05d5\u05d3")
                                 << QByteArrayList{refused, present("%1", "<status code='110'/>")}
                                 << QString::fromUtf8("David\u05d3\u05d5\u05d3 (1013)") << QString();
    // An older room marks no presence as the player's: Ann is in, then the
    // player under the nick asked for, then the subject.
    QTest::newRow("no status 110")
        << QStringLiteral("Eli")
        << QByteArrayList{present("Ann", "") + present("%1", "")
                          + "<message type='groupchat' from='lobby@conference.localhost'><subject>Hi</subject></message>"}
        << QStringLiteral("Eli") << QString();
    QTest::newRow("no answer") << QStringLiteral("Fay") << QByteArrayList{} << QString()
                               << QStringLiteral("The chat room did not answer");
}

// The real window in rooms of a scripted XMPP server, unlike the tests' own.
void TestMainwindowSession::lobbyChatInAScriptedRoom()
{
    QFETCH(QString, name);
    QFETCH(QByteArrayList, answers);
    QFETCH(QString, roomNick);
    QFETCH(QString, notice);
    FakeXmppServer fake;
    QVERIFY(fake.listen());
    QTemporaryDir dir;
    PeerProcess peer;
    QVERIFY2(peer.start({QStringLiteral("--plain"), QStringLiteral("--account"),
                         QStringLiteral("p:secret:1013:") + name, QStringLiteral("--scenario"),
                         configScenario(dir, QStringLiteral("lobby@conference.localhost"),
                                        QStringLiteral("127.0.0.1:%1").arg(fake.port()))}),
             qPrintable(peer.errorString()));
    MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("p"), QStringLiteral("secret"), false,
                      QStringLiteral("127.0.0.1:1"), nullptr);
    ConferenceWidget *lobby = window.view().lobbyChat;
    lobby->conference().setEntryTimeout(3000);
    window.onStartupFinished(true);
    QVERIFY(logInWithTheForm(window));

    // The stream, SASL PLAIN and the bind, as any server plays them.
    QVERIFY(fake.waitForConnection(15000) && fake.waitFor("<stream:stream"));
    fake.clearReceived();
    fake.sendHeader();
    fake.sendFeatures("<mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism></mechanisms>");
    QVERIFY(fake.waitFor("</auth>"));
    fake.clearReceived();
    fake.send("<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>");
    QVERIFY(fake.waitFor("<stream:stream"));
    fake.clearReceived();
    fake.sendHeader();
    fake.sendFeatures("<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/>");
    QVERIFY(fake.waitFor("</iq>"));
    const QString bindId = fake.lastId("iq");
    fake.clearReceived();
    fake.send("<iq type='result' id='" + bindId.toUtf8()
              + "'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>1013@localhost/desk</jid></bind></iq>");

    // The nicks of the entries into the room so far.
    const auto entries = [&fake] {
        QStringList nicks;
        QDomDocument doc;
        if (doc.setContent("<r xmlns='jabber:client'>" + fake.received() + "</r>", true)) {
            for (QDomElement e = doc.documentElement().firstChildElement(QStringLiteral("presence")); !e.isNull();
                 e = e.nextSiblingElement(QStringLiteral("presence"))) {
                const QString to = e.attribute(QStringLiteral("to"));
                if (to.startsWith(QLatin1String("lobby@conference.localhost/"))
                    && !e.hasAttribute(QStringLiteral("type")))
                    nicks << to.section(QLatin1Char('/'), 1);
            }
        }
        return nicks;
    };
    // Each entry is answered in turn; its nick stands in for %1.
    for (qsizetype i = 0; i < answers.size(); ++i) {
        QVERIFY(QTest::qWaitFor([&] { return entries().size() > i; }, 15000));
        fake.send(QString::fromUtf8(answers[i]).arg(entries().at(i)).toUtf8());
    }
    auto *input = lobby->findChild<QLineEdit *>(QStringLiteral("chatInput"));
    auto *log = lobby->findChild<QTextEdit *>(QStringLiteral("chatOutput"));
    if (!roomNick.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(lobby->conference().isJoined(), 10000);
        QCOMPARE(lobby->conference().nick(), roomNick);
        QVERIFY(input->isEnabled());
        QCOMPARE(lobby->conference().occupantJid(QStringLiteral("Ann")), XMPPJid());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(notice), 15000);
        QVERIFY(!lobby->conference().isJoined() && !lobby->conference().isEntering());
        QVERIFY(!input->isEnabled());
    }
}

QTEST_MAIN(TestMainwindowSession)
#include "tst_mainwindow_session.moc"
