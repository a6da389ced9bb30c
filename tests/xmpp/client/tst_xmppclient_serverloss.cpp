// Requests still waiting when the real server goes away end as failed.

#include "xmpp/server/XmppTestServer.h"

#include "xmpp/elements/Iq.h"
#include "xmpp/client/XMPPClient.h"

#include <QSignalSpy>
#include <QtTest>

class TestXmppClientServerLoss : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pendingRequestsGetNullAnswersBeforeDisconnected();

private:
    XmppTestServer m_server;
};

void TestXmppClientServerLoss::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_server.trust();
}

void TestXmppClientServerLoss::pendingRequestsGetNullAnswersBeforeDisconnected()
{
    XMPPClient client;
    QSignalSpy connectedSpy(&client, &XMPPClient::connected);
    const QString user = m_server.users().value(0).first;
    client.authenticate(user, m_server.password(user));
    client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    QVERIFY(connectedSpy.wait(10000));

    QStringList events;
    connect(&client, &XMPPClient::disconnected, this, [&] { events << QStringLiteral("disconnected"); });

    // A request the live server answers goes through the registry.
    const QString answeredId = client.nextId();
    bool answered = false;
    client.registerIqHandler(answeredId, [&](xmpp::StreamElement *e) { answered = e != nullptr; });
    client.send(xmpp::Iq(answeredId, client.serverJid(), xmpp::Iq::Get));
    QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);

    // Freeze the server so that nothing more is answered, then end it.
    QVERIFY(m_server.pause());
    for (int i = 0; i < 2; ++i) {
        const QString id = client.nextId();
        client.registerIqHandler(id, [&events, id](xmpp::StreamElement *e) {
            events << (e ? QStringLiteral("answer %1").arg(id) : QStringLiteral("null %1").arg(id));
        });
        client.send(xmpp::Iq(id, client.serverJid(), xmpp::Iq::Get));
    }
    QTest::qWait(100);
    QVERIFY(events.isEmpty());
    QVERIFY(m_server.kill());

    QTRY_VERIFY_WITH_TIMEOUT(events.contains(QStringLiteral("disconnected")), 10000);
    QCOMPARE(events.size(), 3);
    QVERIFY(events.at(0).startsWith(QStringLiteral("null ")));
    QVERIFY(events.at(1).startsWith(QStringLiteral("null ")));
    QCOMPARE(events.at(2), QStringLiteral("disconnected"));
    QCOMPARE(client.state(), int(XMPPClient::UnconnectedState));
}

QTEST_GUILESS_MAIN(TestXmppClientServerLoss)
#include "tst_xmppclient_serverloss.moc"
