#include "FakeXmppServer.h"

#include "xmpp/client/XMPPClient.h"

#include <QRegularExpression>
#include <QtTest>

FakeXmppServer::FakeXmppServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        QTcpSocket *peer = m_server.nextPendingConnection();
        if (m_peer) {
            peer->abort();
            peer->deleteLater();
            return;
        }
        m_peer = peer;
        connect(peer, &QTcpSocket::readyRead, this, [this, peer] {
            if (m_reading)
                m_received += peer->readAll();
        });
    });
}

bool FakeXmppServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

bool FakeXmppServer::waitForConnection(int ms)
{
    return QTest::qWaitFor([this] { return !m_peer.isNull(); }, ms);
}

bool FakeXmppServer::isConnected() const
{
    return m_peer && m_peer->state() == QAbstractSocket::ConnectedState;
}

bool FakeXmppServer::waitForDisconnected(int ms)
{
    return QTest::qWaitFor([this] { return !isConnected(); }, ms);
}

bool FakeXmppServer::waitFor(const QByteArray &needle, int ms)
{
    return QTest::qWaitFor([&] { return m_received.contains(needle); }, ms);
}

QString FakeXmppServer::lastId(const QByteArray &name) const
{
    const QString text = QString::fromUtf8(m_received);
    const QRegularExpression tag(QStringLiteral("<%1\\b[^>]*\\bid=\"([^\"]*)\"").arg(QString::fromLatin1(name)));
    QString id;
    for (auto it = tag.globalMatch(text); it.hasNext();)
        id = it.next().captured(1);
    return id;
}

void FakeXmppServer::stopReading()
{
    m_reading = false;
    if (m_peer) {
        // Qt's buffer stops taking bytes once it holds one, and the kernel's
        // is kept small, so the client's output backs up soon.
        m_peer->setReadBufferSize(1);
        m_peer->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    }
}

void FakeXmppServer::send(const QByteArray &xml)
{
    if (m_peer) {
        m_peer->write(xml);
        m_peer->flush();
    }
}

void FakeXmppServer::sendHeader()
{
    send("<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
         "xmlns:stream='http://etherx.jabber.org/streams' from='localhost' id='s1' "
         "version='1.0' xml:lang='en'>");
}

void FakeXmppServer::sendFeatures(const QByteArray &inner)
{
    send("<stream:features>" + inner + "</stream:features>");
}

void FakeXmppServer::closeConnection()
{
    if (m_peer)
        m_peer->disconnectFromHost();
}

bool FakeXmppServer::logIn(XMPPClient &client)
{
    client.authenticate(QStringLiteral("u"), QStringLiteral("p"));
    client.connectToHost(QStringLiteral("127.0.0.1"), port(), XMPPClient::TlsNever);
    if (!waitForConnection() || !waitFor("<stream:stream"))
        return false;
    clearReceived();
    sendHeader();
    sendFeatures("<mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism></mechanisms>");
    if (!waitFor("</auth>"))
        return false;
    clearReceived();
    send("<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>");
    if (!waitFor("<stream:stream"))
        return false;
    clearReceived();
    sendHeader();
    sendFeatures("<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/>");
    if (!waitFor("</iq>"))
        return false;
    send("<iq type='result' id='" + lastId("iq").toUtf8()
         + "'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>u@localhost/desk</jid></bind></iq>");
    return QTest::qWaitFor([&] { return client.state() == XMPPClient::ConnectedState; }, 5000);
}
