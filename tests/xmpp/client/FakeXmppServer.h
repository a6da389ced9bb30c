#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A scripted XMPP peer on loopback for the branches a real server never
// takes: the test sends raw XML and looks at what the client wrote.
class XMPPClient;

class FakeXmppServer : public QObject
{
    Q_OBJECT

public:
    explicit FakeXmppServer(QObject *parent = nullptr);

    bool listen();
    quint16 port() const { return m_server.serverPort(); }

    bool waitForConnection(int ms = 5000);
    bool waitForDisconnected(int ms = 5000);
    bool isConnected() const;

    // Waits until what the client wrote since the last clear holds needle.
    bool waitFor(const QByteArray &needle, int ms = 5000);
    const QByteArray &received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    // The id attribute of the last start tag <name ...> received.
    QString lastId(const QByteArray &name) const;

    // Plays a server that no longer reads what the client writes: it piles
    // up in the kernel's buffers and then in the client.
    void stopReading();
    // What send() could not hand to the kernel yet: the client is not
    // reading as fast as the test sends.
    qint64 bytesToWrite() const { return m_peer ? m_peer->bytesToWrite() : 0; }

    void send(const QByteArray &xml);
    void sendHeader();
    void sendFeatures(const QByteArray &inner);
    void closeConnection();

    // Starts the client and takes it through a plain login (no TLS, SASL
    // PLAIN, a bound resource) to its connected state.
    bool logIn(XMPPClient &client);

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_peer;
    QByteArray m_received;
    bool m_reading = true;
};
