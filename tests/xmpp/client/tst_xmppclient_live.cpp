// XMPPClient against a real XMPP server started by the CTest fixture.

#include "ReservedPort.h"
#include "xmpp/server/XmppTestServer.h"

#include "xmpp/elements/MessageStanza.h"
#include "xmpp/client/XMPPClient.h"

#include <QSignalSpy>
#include <QSslConfiguration>
#include <QTcpServer>
#include <QtTest>

#include <memory>

class TestXmppClientLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginReachesSessionOnce();
    void wrongPasswordThenRetryOnSameStream();
    void wrongHostNameIsRefused();
    void unreachablePortGivesSocketErrorOnly();
    void untrustedCertificateIsRefused();
    void presenceWithTablesAndPhotoSeenByContact();
    void declinedSubscriptionSharesNothing();
    void idsKeepGrowingAcrossSessions();
    void brokenStanzaFromPeerCostsOnlyThatStanza();

private:
    std::unique_ptr<XMPPClient> login(const QString &user);
    static bool waitForPresence(QSignalSpy &spy, const XMPPJid &from,
                                const std::function<bool(const XMPPPresence &)> &match);

    XmppTestServer m_server;
    QSslConfiguration m_defaultConfig;
};

void TestXmppClientLive::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_defaultConfig = QSslConfiguration::defaultConfiguration();
    m_server.trust();
}

std::unique_ptr<XMPPClient> TestXmppClientLive::login(const QString &user)
{
    auto client = std::make_unique<XMPPClient>();
    QSignalSpy connectedSpy(client.get(), &XMPPClient::connected);
    client->authenticate(user, m_server.password(user));
    client->connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    if (!connectedSpy.wait(10000))
        return nullptr;
    return client;
}

bool TestXmppClientLive::waitForPresence(QSignalSpy &spy, const XMPPJid &from,
                                         const std::function<bool(const XMPPPresence &)> &match)
{
    int seen = 0;
    return QTest::qWaitFor(
        [&] {
        for (; seen < spy.size(); ++seen) {
            const auto p = spy.at(seen).at(0).value<XMPPPresence>();
            if (p.from().bare() == from.bare() && match(p))
                return true;
        }
        return false;
        },
        10000);
}

void TestXmppClientLive::loginReachesSessionOnce()
{
    XMPPClient client;
    QSignalSpy connectedSpy(&client, &XMPPClient::connected);
    QSignalSpy errorSpy(&client, &XMPPClient::xmppError);
    QSignalSpy presenceSpy(&client, &XMPPClient::presence);
    client.authenticate(QStringLiteral("1001"), m_server.password(QStringLiteral("1001")));
    client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QCOMPARE(client.state(), int(XMPPClient::ConnectingState));

    // A second connect while connecting changes nothing.
    client.connectToHost(QStringLiteral("elsewhere.invalid"), 1, XMPPClient::TlsNever);
    QCOMPARE(client.state(), int(XMPPClient::ConnectingState));

    QVERIFY(connectedSpy.wait(10000));
    QCOMPARE(client.state(), int(XMPPClient::ConnectedState));
    QCOMPARE(client.jid().node(), QStringLiteral("1001"));
    QCOMPARE(client.jid().domain(), m_server.host());
    QVERIFY(!client.jid().resource().isEmpty());
    QCOMPARE(client.serverJid().text(), m_server.host());

    // The own presence went out: the server reflects it to our own resource.
    QVERIFY(waitForPresence(presenceSpy, client.jid(),
                            [](const XMPPPresence &p) { return p.availability() == XMPPPresence::Available; }));
    QCOMPARE(connectedSpy.size(), 1);
    QVERIFY(errorSpy.isEmpty());

    QSignalSpy disconnectedSpy(&client, &XMPPClient::disconnected);
    client.disconnectFromHost();
    QCOMPARE(client.state(), int(XMPPClient::ClosingState));
    QVERIFY(disconnectedSpy.wait(5000));
    QCOMPARE(client.state(), int(XMPPClient::UnconnectedState));
    QCOMPARE(disconnectedSpy.size(), 1);
    QCOMPARE(connectedSpy.size(), 1);
}

void TestXmppClientLive::wrongPasswordThenRetryOnSameStream()
{
    XMPPClient client;
    QSignalSpy connectedSpy(&client, &XMPPClient::connected);
    QSignalSpy errorSpy(&client, &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(&client, &XMPPClient::disconnected);
    client.authenticate(QStringLiteral("1002"), QStringLiteral("not-the-password"));
    client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);

    QVERIFY(errorSpy.wait(10000));
    QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::RetryAuth);
    QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("retry auth"));
    QCOMPARE(client.state(), int(XMPPClient::AuthenticatingState));
    QVERIFY(connectedSpy.isEmpty());

    client.authenticate(QStringLiteral("1002"), m_server.password(QStringLiteral("1002")));
    QVERIFY(connectedSpy.wait(10000));
    QCOMPARE(client.state(), int(XMPPClient::ConnectedState));
    QCOMPARE(client.jid().node(), QStringLiteral("1002"));
    QCOMPARE(errorSpy.size(), 1);
    QVERIFY(disconnectedSpy.isEmpty());
}

void TestXmppClientLive::wrongHostNameIsRefused()
{
    // The stream is addressed to the name connected to; the server serves
    // "localhost" only and ends the stream before any login.
    XMPPClient client;
    QSignalSpy connectedSpy(&client, &XMPPClient::connected);
    QSignalSpy errorSpy(&client, &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(&client, &XMPPClient::disconnected);
    client.authenticate(QStringLiteral("1003"), m_server.password(QStringLiteral("1003")));
    client.connectToHost(QStringLiteral("127.0.0.1"), m_server.port(), XMPPClient::TlsRequired);

    QVERIFY(disconnectedSpy.wait(10000));
    QCOMPARE(client.state(), int(XMPPClient::UnconnectedState));
    QVERIFY(connectedSpy.isEmpty());
    QCOMPARE(errorSpy.size(), 1);
    QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::ConnectionError);
    QVERIFY2(errorSpy.at(0).at(1).toString().startsWith(QStringLiteral("stream_error, code: ")),
             qPrintable(errorSpy.at(0).at(1).toString()));
}

void TestXmppClientLive::unreachablePortGivesSocketErrorOnly()
{
    const ReservedPort reserved;
    const quint16 closedPort = reserved.port();
    QVERIFY(closedPort != 0);
    XMPPClient client;
    QSignalSpy socketErrorSpy(&client, &XMPPClient::socketError);
    QSignalSpy disconnectedSpy(&client, &XMPPClient::disconnected);
    QSignalSpy connectedSpy(&client, &XMPPClient::connected);
    client.authenticate(QStringLiteral("1003"), m_server.password(QStringLiteral("1003")));
    client.connectToHost(QStringLiteral("127.0.0.1"), closedPort, XMPPClient::TlsRequired);

    QVERIFY(socketErrorSpy.wait(10000));
    QCOMPARE(socketErrorSpy.at(0).at(0).value<QAbstractSocket::SocketError>(), QAbstractSocket::ConnectionRefusedError);
    QCOMPARE(client.state(), int(XMPPClient::UnconnectedState));
    QTest::qWait(100);
    QVERIFY(disconnectedSpy.isEmpty());
    QVERIFY(connectedSpy.isEmpty());

    // The client can start again after the failure.
    QSignalSpy connectedAgain(&client, &XMPPClient::connected);
    client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QVERIFY(connectedAgain.wait(10000));
}

void TestXmppClientLive::untrustedCertificateIsRefused()
{
    QSslConfiguration::setDefaultConfiguration(m_defaultConfig);
    XMPPClient client;
    QSignalSpy errorSpy(&client, &XMPPClient::xmppError);
    QSignalSpy socketErrorSpy(&client, &XMPPClient::socketError);
    QSignalSpy connectedSpy(&client, &XMPPClient::connected);
    client.authenticate(QStringLiteral("1003"), m_server.password(QStringLiteral("1003")));
    client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);

    const bool failed = socketErrorSpy.wait(10000);
    m_server.trust();
    QVERIFY(failed);
    QVERIFY(!errorSpy.isEmpty());
    QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::SslError);
    QVERIFY(!errorSpy.at(0).at(1).toString().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), int(XMPPClient::UnconnectedState), 5000);
    QVERIFY(connectedSpy.isEmpty());
}

void TestXmppClientLive::presenceWithTablesAndPhotoSeenByContact()
{
    // The photo hash is set before login and must go out with the first presence.
    const QByteArray hash = QByteArray::fromHex("0123456789abcdef0123456789abcdef01234567");
    auto a = std::make_unique<XMPPClient>();
    a->setPhotoHash(hash);
    a->authenticate(QStringLiteral("1004"), m_server.password(QStringLiteral("1004")));
    QSignalSpy aConnected(a.get(), &XMPPClient::connected);
    QSignalSpy aRequests(a.get(), &XMPPClient::authorizationRequestReceived);
    a->connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QVERIFY(aConnected.wait(10000));

    auto b = login(QStringLiteral("1005"));
    QVERIFY(b);
    QSignalSpy bPresence(b.get(), &XMPPClient::presence);

    // b asks to see a's presence; a accepts.
    b->requestSubscription(a->jid().bare(), false);
    QTRY_VERIFY_WITH_TIMEOUT(!aRequests.isEmpty(), 10000);
    QCOMPARE(aRequests.at(0).at(0).value<XMPPJid>().bare(), b->jid().bare());
    a->answerSubscription(aRequests.at(0).at(0).value<XMPPJid>().bare(), true);

    QVERIFY(waitForPresence(bPresence, a->jid(), [&](const XMPPPresence &p) {
        return p.availability() == XMPPPresence::Available && p.hasPhotoHash() && p.photoHash() == hash;
    }));

    const QString path = QStringLiteral("101/Practice/42");
    a->addTablePath(path);
    a->addTablePath(QStringLiteral("103/Riichi/7"));
    QVERIFY(waitForPresence(bPresence, a->jid(), [&](const XMPPPresence &p) {
        return p.tables() == QSet<QString>{path, QStringLiteral("103/Riichi/7")} && p.photoHash() == hash;
    }));

    a->removeTablePath(path);
    QVERIFY(waitForPresence(bPresence, a->jid(), [&](const XMPPPresence &p) {
        return p.tables() == QSet<QString>{QStringLiteral("103/Riichi/7")};
    }));

    // Going away: the contact sees the session end.
    a->disconnectFromHost();
    QVERIFY(waitForPresence(bPresence, a->jid(),
                            [](const XMPPPresence &p) { return p.availability() == XMPPPresence::Unavailable; }));
}

void TestXmppClientLive::declinedSubscriptionSharesNothing()
{
    auto a = login(QStringLiteral("1001"));
    QVERIFY(a);
    QSignalSpy aRequests(a.get(), &XMPPClient::authorizationRequestReceived);
    auto c = login(QStringLiteral("1003"));
    QVERIFY(c);
    QSignalSpy cPresence(c.get(), &XMPPClient::presence);

    c->requestSubscription(a->jid().bare(), false);
    QTRY_VERIFY_WITH_TIMEOUT(!aRequests.isEmpty(), 10000);
    a->answerSubscription(c->jid().bare(), false);

    a->addTablePath(QStringLiteral("101/Practice/1"));
    // c is told at most that a is unavailable, never where a sits.
    QTest::qWait(500);
    for (const auto &args : cPresence) {
        const auto p = args.at(0).value<XMPPPresence>();
        if (p.from().bare() == a->jid().bare()) {
            QCOMPARE(p.availability(), int(XMPPPresence::Unavailable));
            QVERIFY(p.tables().isEmpty());
        }
    }
    QCOMPARE(a->state(), int(XMPPClient::ConnectedState));
    QCOMPARE(c->state(), int(XMPPClient::ConnectedState));
}

void TestXmppClientLive::idsKeepGrowingAcrossSessions()
{
    XMPPClient client;
    client.authenticate(QStringLiteral("1002"), m_server.password(QStringLiteral("1002")));
    QSignalSpy connectedSpy(&client, &XMPPClient::connected);
    QSignalSpy disconnectedSpy(&client, &XMPPClient::disconnected);
    client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QVERIFY(connectedSpy.wait(10000));
    const int first = client.nextId().toInt();
    QVERIFY(first > 1); // bind and session took ids before
    client.disconnectFromHost();
    QVERIFY(disconnectedSpy.wait(5000));

    client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QVERIFY(connectedSpy.wait(10000));
    QVERIFY(client.nextId().toInt() > first + 1);
}

void TestXmppClientLive::brokenStanzaFromPeerCostsOnlyThatStanza()
{
    // Any user can send these through the server; they must not end the
    // receiver's session.
    auto a = login(QStringLiteral("1001"));
    QVERIFY(a);
    auto c = login(QStringLiteral("1003"));
    QVERIFY(c);
    QSignalSpy cMessages(c.get(), &XMPPClient::messageReceived);
    QSignalSpy cErrors(c.get(), &XMPPClient::xmppError);
    QSignalSpy cDisconnected(c.get(), &XMPPClient::disconnected);

    auto message = [&](const QString &type, int errorType, int errorCondition, const QString &body) {
        xmpp::MessageStanza stanza;
        stanza.to = c->jid();
        stanza.typeText = type;
        stanza.errorType = errorType;
        stanza.errorCondition = errorCondition;
        stanza.bodies.insert(QStringLiteral("UND"), body);
        a->send(stanza);
    };
    message(QStringLiteral("error"), 0, 0, QStringLiteral("error without an error element"));
    message(QStringLiteral("chat"), 1, 4, QStringLiteral("chat with an error element"));
    message(QStringLiteral("error"), 0, 4, QStringLiteral("error of no known type"));
    message(QStringLiteral("chat"), 0, 0, QStringLiteral("still here"));

    QTRY_VERIFY_WITH_TIMEOUT(!cMessages.isEmpty(), 10000);
    QCOMPARE(cMessages.size(), 1);
    QCOMPARE(cMessages.at(0).at(0).value<XMPPMessage>().body(), QStringLiteral("still here"));
    QCOMPARE(c->state(), int(XMPPClient::ConnectedState));
    QVERIFY(cErrors.isEmpty());
    QVERIFY(cDisconnected.isEmpty());
}

QTEST_GUILESS_MAIN(TestXmppClientLive)
#include "tst_xmppclient_live.moc"
