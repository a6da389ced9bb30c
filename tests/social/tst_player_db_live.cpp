// The player directory against the scripted game server (names, screen-name
// changes and queries) and the private XMPP server (pictures from vCards,
// default avatars, photo-hash changes, failed and lost requests).
#include "LiveSession.h"

#include "peer/PeerProcess.h"
#include "protocol/ConnectionManager.h"
#include "social/PlayerDb.h"
#include "xmpp/elements/PresenceStanza.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QPainter>

#include <memory>

class TestPlayerDbLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultAvatars_data();
    void defaultAvatars();
    void addresses_data();
    void addresses();
    void namesFromGameServer();
    void picturesFromVCards();
    void photoHashChangeFetchedOnce();
    void ownPicture();
    void lostConnectionCachesNothing();

private:
    XMPPPresence presenceFrom(const QString &from, const QByteArray &hash) const;

    XmppTestServer m_server;
};

namespace {
QImage photo(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QPainter(&image).fillRect(0, 0, width / 2, height / 2, Qt::white);
    return image;
}

QByteArray pngSha1(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QCryptographicHash::hash(png, QCryptographicHash::Sha1);
}

bool upload(XMPPClient &client, const QImage &image)
{
    QSignalSpy ok(&client, &XMPPClient::uploadVCardOk);
    client.uploadVCard(image);
    return ok.wait(10000);
}

int updatesFor(const QSignalSpy &spy, qint32 pid)
{
    int n = 0;
    for (const QList<QVariant> &args : spy)
        n += args.at(0).toInt() == pid;
    return n;
}
} // namespace

void TestPlayerDbLive::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_server.trust();
    PeerProcess::installTestCa();
    QDir::setSearchPaths(QStringLiteral("avatars"), {QStringLiteral(":/default/avatars")});
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
}

XMPPPresence TestPlayerDbLive::presenceFrom(const QString &from, const QByteArray &hash) const
{
    xmpp::PresenceStanza stanza;
    stanza.from = XMPPJid(from);
    stanza.photoHash = hash;
    return XMPPPresence(stanza);
}

void TestPlayerDbLive::defaultAvatars_data()
{
    QTest::addColumn<qint32>("pid");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << QStringLiteral("resources:/avatar-default-1.png");
    QTest::newRow("9") << 9 << QStringLiteral("resources:/avatar-default-1.png");
    QTest::newRow("1") << 1 << QStringLiteral("resources:/avatar-default-2.png");
    QTest::newRow("8") << 8 << QStringLiteral("resources:/avatar-default-yellow.png");
    QTest::newRow("-1") << -1 << QStringLiteral("resources:/avatar-default-brown.png");
    QTest::newRow("6104") << 6104 << QStringLiteral("resources:/avatar-default-blue.png");
}

void TestPlayerDbLive::defaultAvatars()
{
    QFETCH(qint32, pid);
    QFETCH(QString, name);
    QCOMPARE(PlayerDb::defaultAvatarName(pid), name);
    QCOMPARE(PlayerDb::defaultAvatar(pid).size(), QSize(64, 64));
}

void TestPlayerDbLive::addresses_data()
{
    QTest::addColumn<QString>("jid");
    QTest::addColumn<qint32>("pid");
    QTest::newRow("player") << QStringLiteral("7@localhost") << 7;
    QTest::newRow("with resource") << QStringLiteral("6101@localhost/desk") << 6101;
    QTest::newRow("other domain") << QStringLiteral("7@other.example") << -1;
    QTest::newRow("room occupant") << QStringLiteral("lobby@conference.localhost/7") << -1;
    QTest::newRow("not a number") << QStringLiteral("alice@localhost") << -1;
    QTest::newRow("sign") << QStringLiteral("+7@localhost") << -1;
    QTest::newRow("negative") << QStringLiteral("-1@localhost") << -1;
    QTest::newRow("too large") << QStringLiteral("99999999999@localhost") << -1;
    QTest::newRow("server") << QStringLiteral("localhost") << -1;
    QTest::newRow("leading zeros") << QStringLiteral("0007@localhost") << -1;
    QTest::newRow("zero") << QStringLiteral("0@localhost") << 0;
    QTest::newRow("double zero") << QStringLiteral("00@localhost") << -1;
    QTest::newRow("domain in capitals") << QStringLiteral("7@LocalHost/desk") << 7;
}

void TestPlayerDbLive::addresses()
{
    QFETCH(QString, jid);
    QFETCH(qint32, pid);
    auto client = live::login(m_server, QStringLiteral("6105"));
    QVERIFY(client);
    ConnectionManager session;
    PlayerDb db(&session, client.get(), nullptr);
    QCOMPARE(db.pidFromJid(XMPPJid(jid)), pid);
    if (pid == -1)
        QCOMPARE(db.screennameForJid(XMPPJid(jid)), QString());
    QCOMPARE(db.jidForPid(42).text(), QStringLiteral("42@localhost"));
}

void TestPlayerDbLive::namesFromGameServer()
{
    PeerProcess peer;
    QVERIFY2(
        peer.start({QStringLiteral("--account"), QStringLiteral("alice:secret:6101:Alice"), QStringLiteral("--account"),
                    QStringLiteral("bob:pw:6102:Bob"), QStringLiteral("--account"), QStringLiteral("dan:pw:6103:dan"),
                    QStringLiteral("--account"), QStringLiteral("dax:pw:6104:Ｄａｎ")}),
        qPrintable(peer.errorString()));
    ConnectionManager session(true);
    XMPPClient client;
    PlayerDb db(&session, &client, nullptr);
    QSignalSpy checked(&session, &ConnectionManager::versionCheckComplete);
    QSignalSpy loggedIn(&session, &ConnectionManager::loginSuccess);
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    QVERIFY(checked.wait(10000));
    session.login(QStringLiteral("alice"), QStringLiteral("secret"));
    QVERIFY(loggedIn.wait(10000));
    db.setOwnPlayer(6101, QStringLiteral("Alice"));
    QCOMPARE(db.playerIdString(), QStringLiteral("6101"));

    QSignalSpy names(&db, &PlayerDb::playerNameUpdate);
    QCOMPARE(db.screenname(6102), QStringLiteral("6102"));
    QVERIFY(names.wait(10000));
    QCOMPARE(names.at(0).at(1).toString(), QStringLiteral("Bob"));
    QCOMPARE(db.screenname(6102), QStringLiteral("Bob"));
    QVERIFY(db.hasScreenname(QStringLiteral("BOB")));
    QCOMPARE(db.pidForScreenname(QStringLiteral("bob")), 6102);
    QCOMPARE(db.pidForScreenname(QStringLiteral("nobody")), -1);
    QCOMPARE(db.jidForScreenname(QStringLiteral("nobody")).node(), QStringLiteral("-1"));
    // A room's nick names a player by the exact name or by the number the
    // chat panes put in: "Dan" is not "dan", whom the index finds regardless
    // of case, but the room's spelling of "Ｄａｎ".
    db.screenname(6103);
    db.screenname(6104);
    QTRY_VERIFY_WITH_TIMEOUT(db.hasScreenname(QStringLiteral("dan")) && db.hasScreenname(QStringLiteral("Ｄａｎ")),
                             10000);
    const QList<std::pair<QString, qint32>> nicks{{"dan", 6103},      {"Dan", -1},    {"Dan (6104)", 6104},
                                                  {"Bob (6104)", -1}, {"6104", 6104}, {"06104", -1}};
    for (const auto &[nick, pid] : nicks)
        QVERIFY2(db.pidForNick(nick) == pid, qPrintable(nick));
    QCOMPARE(db.pidForRoomSpelling(QStringLiteral("Dan")), 6104);
    QCOMPARE(db.pidForRoomSpelling(QStringLiteral("Carl")), -1);

    // Without an XMPP session no address is one of ours.
    QCOMPARE(db.screennameForJid(XMPPJid(QStringLiteral("localhost"), QStringLiteral("6102"))), QString());

    // Screen-name queries.
    QSignalSpy found(&db, &PlayerDb::searchJidResult);
    QSignalSpy notFound(&db, &PlayerDb::searchJidError);
    db.queryScreennameInfo(QStringLiteral("Bob"));
    QVERIFY(found.wait(10000));
    QCOMPARE(found.at(0).at(0).value<XMPPJid>().node(), QStringLiteral("6102"));
    db.queryScreennameInfo(QStringLiteral("Nobody"));
    QVERIFY(notFound.wait(10000));
    QVERIFY(!notFound.at(0).at(0).toString().isEmpty());

    // A refused name changes nothing; an agreed one is applied on the answer.
    names.clear();
    QSignalSpy refused(&db, &PlayerDb::setScreennameFailed);
    db.setScreenname(QStringLiteral("   "));
    QVERIFY(refused.wait(10000));
    QCOMPARE(db.ownScreenname(), QStringLiteral("Alice"));
    QVERIFY(!db.hasScreenname(QStringLiteral("   ")));
    QCOMPARE(names.size(), 0);
    QSignalSpy agreed(&db, &PlayerDb::setScreennameOk);
    db.setScreenname(QStringLiteral("Alicia"));
    QCOMPARE(db.ownScreenname(), QStringLiteral("Alice"));
    QVERIFY(agreed.wait(10000));
    QCOMPARE(db.ownScreenname(), QStringLiteral("Alicia"));
    QCOMPARE(db.pidForScreenname(QStringLiteral("ALICIA")), 6101);
    QCOMPARE(names.size(), 1);
    QCOMPARE(names.at(0).at(1).toString(), QStringLiteral("Alicia"));
}

void TestPlayerDbLive::picturesFromVCards()
{
    auto wide = live::login(m_server, QStringLiteral("6102"));
    auto tall = live::login(m_server, QStringLiteral("6103"));
    auto viewer = live::login(m_server, QStringLiteral("6101"));
    QVERIFY(wide && tall && viewer);
    QVERIFY(upload(*wide, photo(200, 100, Qt::red)));
    QVERIFY(upload(*tall, photo(100, 300, Qt::blue)));

    ConnectionManager session;
    PlayerDb db(&session, viewer.get(), nullptr);
    QSignalSpy updates(&db, &PlayerDb::playerPictureUpdate);
    struct Case
    {
        qint32 pid;
        QSize size;
    };
    // 6104 has no vCard; 6199 has no account at all.
    const QList<Case> cases{{6102, {64, 32}}, {6103, {21, 64}}, {6104, {64, 64}}, {6199, {64, 64}}};
    for (const Case &c : cases) {
        QCOMPARE(db.picture(c.pid, true).size(), QSize(64, 64));
        QVERIFY(db.picture(c.pid, false).isNull());
    }
    QVERIFY(QTest::qWaitFor(
        [&] {
        for (const Case &c : cases) {
            if (updatesFor(updates, c.pid) == 0)
                return false;
        }
        return true;
        },
        10000));
    for (const Case &c : cases) {
        QCOMPARE(db.picture(c.pid, false).size(), c.size);
        // Repeated asks while the answer was on its way sent one request.
        QCOMPARE(updatesFor(updates, c.pid), 1);
    }
    QCOMPARE(db.picture(6104, false).toImage(), PlayerDb::defaultAvatar(6104).toImage());
}

void TestPlayerDbLive::photoHashChangeFetchedOnce()
{
    auto bob = live::login(m_server, QStringLiteral("6102"));
    auto viewer = live::login(m_server, QStringLiteral("6101"));
    QVERIFY(bob && viewer);
    QVERIFY(upload(*bob, photo(40, 50, Qt::green)));
    ConnectionManager session;
    PlayerDb db(&session, viewer.get(), nullptr);
    db.setOwnPlayer(6101, QStringLiteral("Alice"));
    QSignalSpy updates(&db, &PlayerDb::playerPictureUpdate);

    // Never asked for: a presence alone fetches nothing.
    const QString bobJid = QStringLiteral("6102@localhost/desk");
    db.onPresence(presenceFrom(bobJid, QByteArray(20, 'x')));
    (void)db.picture(6102, true);
    QVERIFY(QTest::qWaitFor([&] { return updatesFor(updates, 6102) == 1; }, 10000));
    QCOMPARE(db.picture(6102, false).size(), QSize(40, 50));

    // A new photo is announced: fetched once, however often it is announced.
    const QImage second = photo(64, 64, Qt::magenta);
    QVERIFY(upload(*bob, second));
    const QByteArray hash = pngSha1(second);
    db.onPresence(presenceFrom(bobJid, hash));
    db.onPresence(presenceFrom(bobJid, hash));
    QVERIFY(QTest::qWaitFor([&] { return updatesFor(updates, 6102) == 2; }, 10000));
    db.onPresence(presenceFrom(bobJid, hash));
    // Presences from elsewhere or from oneself fetch nothing either.
    db.onPresence(presenceFrom(QStringLiteral("6102@other.example/x"), QByteArray(20, 'y')));
    db.onPresence(presenceFrom(QStringLiteral("6101@localhost/x"), QByteArray(20, 'y')));
    QTest::qWait(300);
    QCOMPARE(updatesFor(updates, 6102), 2);
    QCOMPARE(db.picture(6102, false).toImage().pixelColor(60, 60), QColor(Qt::magenta));

    // A player without a picture keeps the default until a new hash comes.
    (void)db.picture(6199, true);
    QVERIFY(QTest::qWaitFor([&] { return updatesFor(updates, 6199) == 1; }, 10000));
    db.onPresence(presenceFrom(QStringLiteral("6199@localhost/x"), QByteArray(20, 'z')));
    QVERIFY(QTest::qWaitFor([&] { return updatesFor(updates, 6199) == 2; }, 10000));
    db.onPresence(presenceFrom(QStringLiteral("6199@localhost/x"), QByteArray(20, 'z')));
    (void)db.picture(6199, true);
    QTest::qWait(300);
    QCOMPARE(updatesFor(updates, 6199), 2);
}

void TestPlayerDbLive::ownPicture()
{
    auto own = live::login(m_server, QStringLiteral("6106"));
    QVERIFY(own);
    ConnectionManager session;
    PlayerDb db(&session, own.get(), nullptr);
    QSignalSpy updates(&db, &PlayerDb::playerPictureUpdate);
    db.setOwnPlayer(6106, QStringLiteral("Own"));
    QVERIFY(QTest::qWaitFor([&] { return updatesFor(updates, 6106) == 1; }, 10000));

    QSignalSpy ok(&db, &PlayerDb::changePictureOk);
    const QImage image = photo(30, 30, Qt::cyan);
    db.setPicture(image);
    QVERIFY(ok.wait(10000));
    QVERIFY(QTest::qWaitFor([&] { return updatesFor(updates, 6106) == 2; }, 10000));
    QCOMPARE(db.picture(6106, false).size(), QSize(30, 30));
    QCOMPARE(own->photoHash(), pngSha1(image));

    QSignalSpy failed(&db, &PlayerDb::changePictureFailed);
    own->disconnectFromHost();
    QVERIFY(QTest::qWaitFor([&] { return own->state() == XMPPClient::UnconnectedState; }, 10000));
    db.setPicture(image);
    QCOMPARE(failed.size(), 1);
}

void TestPlayerDbLive::lostConnectionCachesNothing()
{
    auto viewer = live::login(m_server, QStringLiteral("6105"));
    QVERIFY(viewer);
    ConnectionManager session;
    PlayerDb db(&session, viewer.get(), nullptr);
    (void)db.picture(6102, true);
    viewer->disconnectFromHost();
    QVERIFY(QTest::qWaitFor([&] { return viewer->state() == XMPPClient::UnconnectedState; }, 10000));
    QTest::qWait(100);
    // The request died with the session (unless its answer beat the close):
    // no default was cached for it, and the next session asks again.
    QSignalSpy up(viewer.get(), &XMPPClient::connected);
    viewer->connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QVERIFY(up.wait(10000));
    QVERIFY(QTest::qWaitFor([&] { return !db.picture(6102, false).isNull(); }, 10000));
    QVERIFY(db.picture(6102, false).toImage() != PlayerDb::defaultAvatar(6102).toImage());
}

QTEST_MAIN(TestPlayerDbLive)
#include "tst_player_db_live.moc"
