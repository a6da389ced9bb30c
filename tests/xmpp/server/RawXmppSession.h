#pragma once

// Another player as a bare XMPP session on the private test server: it logs
// in as any user can (STARTTLS, SASL PLAIN, bind) and then writes whatever
// XML the test gives it, which the server relays as it relays anyone's.
// What it receives is kept only to wait for answers. Waits run the event
// loop, so clients in the same thread go on meanwhile.

#include <QByteArray>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QString>
#include <QtTest>

class RawXmppSession
{
public:
    RawXmppSession()
    {
        QObject::connect(&m_socket, &QSslSocket::readyRead, [this] { m_received += m_socket.readAll(); });
    }

    // False, with error() telling which step failed, unless the session is up.
    bool logIn(const QString &host, quint16 port, const QString &user, const QString &password)
    {
        m_socket.setSslConfiguration(QSslConfiguration::defaultConfiguration());
        m_socket.connectToHost(host, port);
        if (!QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::ConnectedState; }, 10000))
            return fail("connect");
        if (!openStream(host))
            return fail("first stream");
        if (m_received.contains("starttls")) {
            m_received.clear();
            send("<starttls xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>");
            if (!waitFor("proceed"))
                return fail("starttls");
            m_received.clear();
            m_socket.startClientEncryption();
            if (!QTest::qWaitFor([this] { return m_socket.isEncrypted(); }, 10000) || !openStream(host))
                return fail("TLS");
        }
        const QByteArray plain = (QString(QChar(0)) + user + QChar(0) + password).toUtf8().toBase64();
        send("<auth xmlns='urn:ietf:params:xml:ns:xmpp-sasl' mechanism='PLAIN'>" + plain + "</auth>");
        if (!waitFor("<success"))
            return fail("authentication");
        if (!openStream(host))
            return fail("stream after authentication");
        send("<iq type='set' id='bind-1'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/></iq>");
        if (!waitFor("</jid>"))
            return fail("bind");
        m_jid =
            QRegularExpression(QStringLiteral("<jid>([^<]*)</jid>")).match(QString::fromUtf8(m_received)).captured(1);
        m_received.clear();
        return true;
    }

    // Enters a room under nick, once the room has said so.
    bool joinRoom(const QString &room, const QString &nick)
    {
        send("<presence to='" + room.toUtf8() + '/' + nick.toUtf8()
             + "'><x xmlns='http://jabber.org/protocol/muc'/></presence>");
        return waitFor("110");
    }

    void send(const QByteArray &xml) { m_socket.write(xml); }

    bool waitFor(const QByteArray &needle, int ms = 10000)
    {
        return QTest::qWaitFor([&] { return m_received.contains(needle); }, ms);
    }

    QString jid() const { return m_jid; }
    QString error() const { return m_error; }

private:
    bool openStream(const QString &host)
    {
        m_received.clear();
        send(
            "<?xml version='1.0'?><stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams' "
            "to='"
            + host.toUtf8() + "' version='1.0'>");
        return waitFor("</stream:features>");
    }

    bool fail(const char *step)
    {
        m_error =
            QStringLiteral("%1 failed; received: %2").arg(QLatin1String(step), QString::fromUtf8(m_received.left(500)));
        return false;
    }

    QSslSocket m_socket;
    QByteArray m_received;
    QString m_jid;
    QString m_error;
};
