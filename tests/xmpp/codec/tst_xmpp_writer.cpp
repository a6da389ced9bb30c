#include "XmppTestUtil.h"

#include "xmpp/elements/MessageStanza.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/SASLSuccess.h"
#include "xmpp/stream/StreamReader.h"
#include "xmpp/stream/StreamWriter.h"
#include "xmpp/elements/TLSStart.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

using xmpp::StreamWriter;

namespace {

const QByteArray expectedHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><stream:stream xmlns=\"jabber:client\" "
    "xmlns:stream=\"http://etherx.jabber.org/streams\" xml:lang=\"en\" to=\"chat.example.net\" version=\"1.0\">";

// Counts the write calls a device receives.
class CountingBuffer : public QBuffer
{
public:
    int writes = 0;

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        ++writes;
        return QBuffer::writeData(data, len);
    }
};

QString thrownBy(StreamWriter &writer, const xmpp::StreamElement &element)
{
    try {
        writer.writeElement(element);
    } catch (const std::runtime_error &e) {
        return QString::fromLatin1(e.what());
    }
    return QString();
}

} // namespace

class TestXmppWriter : public QObject
{
    Q_OBJECT

private slots:
    void headerBytes();
    void oneWritePerElement();
    void writingNeedsAnOpenStream();
    void closeOnce();
    void notWrittenElements();
    void keepAlive();
    void keepAliveTimerFollowsOutput();
    void throughRealSocket();
};

void TestXmppWriter::headerBytes()
{
    QBuffer socket;
    socket.open(QIODevice::ReadWrite);
    StreamWriter writer(XMPPJid(QStringLiteral("chat.example.net")), QStringLiteral("en"));
    QVERIFY(!writer.isOpen());
    writer.open(&socket);
    QVERIFY(writer.isOpen());
    QCOMPARE(socket.data(), expectedHeader);
    QCOMPARE(writer.keepAliveInterval(), 60000);
}

void TestXmppWriter::oneWritePerElement()
{
    CountingBuffer socket;
    socket.open(QIODevice::ReadWrite);
    StreamWriter writer(XMPPJid(QStringLiteral("d")), QStringLiteral("en"));
    writer.open(&socket);
    QCOMPARE(socket.writes, 1);
    xmpp::MessageStanza message;
    message.to = XMPPJid(QStringLiteral("a@d"));
    message.bodies.insert(QStringLiteral("UND"), QString(5000, QLatin1Char('x')));
    writer.writeElement(message);
    QCOMPARE(socket.writes, 2);
    QVERIFY(socket.data().endsWith("</body></message>"));
}

void TestXmppWriter::writingNeedsAnOpenStream()
{
    QBuffer socket;
    socket.open(QIODevice::ReadWrite);
    StreamWriter writer(XMPPJid(QStringLiteral("d")), QStringLiteral("en"));
    QCOMPARE(thrownBy(writer, xmpp::TLSStart()), QStringLiteral("writing requires an open stream"));
    writer.open(&socket);
    writer.close();
    const QByteArray sent = socket.data();
    QCOMPARE(thrownBy(writer, xmpp::TLSStart()), QStringLiteral("writing requires an open stream"));
    QCOMPARE(socket.data(), sent);
}

void TestXmppWriter::closeOnce()
{
    QBuffer socket;
    socket.open(QIODevice::ReadWrite);
    StreamWriter writer(XMPPJid(QStringLiteral("d")), QStringLiteral("en"));
    writer.close(); // not open: nothing
    writer.open(&socket);
    const qsizetype header = socket.data().size();
    writer.close();
    QCOMPARE(socket.data().mid(header), QByteArray("</stream:stream>"));
    writer.close();
    writer.sendKeepAlive();
    QCOMPARE(socket.data().mid(header), QByteArray("</stream:stream>"));
}

void TestXmppWriter::notWrittenElements()
{
    QBuffer socket;
    socket.open(QIODevice::ReadWrite);
    StreamWriter writer(XMPPJid(QStringLiteral("d")), QStringLiteral("en"));
    writer.open(&socket);
    const QByteArray header = socket.data();
    QTest::ignoreMessage(QtDebugMsg, "xmpp: element type 9 is not written");
    writer.writeElement(xmpp::SASLSuccess());
    QCOMPARE(socket.data(), header);
}

void TestXmppWriter::keepAlive()
{
    QBuffer socket;
    socket.open(QIODevice::ReadWrite);
    StreamWriter writer(XMPPJid(QStringLiteral("d")), QStringLiteral("en"));
    writer.setKeepAliveInterval(20);
    writer.open(&socket);
    const qsizetype header = socket.data().size();
    QTRY_VERIFY(socket.data().size() >= header + 2);
    // Nothing but single spaces while idle.
    QCOMPARE(socket.data().mid(header), QByteArray(socket.data().size() - header, ' '));
    writer.close();
    const QByteArray closed = socket.data();
    QTest::qWait(60);
    QCOMPARE(socket.data(), closed);
}

void TestXmppWriter::keepAliveTimerFollowsOutput()
{
    QBuffer socket;
    socket.open(QIODevice::ReadWrite);
    StreamWriter writer(XMPPJid(QStringLiteral("d")), QStringLiteral("en"));
    auto *timer = writer.findChild<QTimer *>();
    QVERIFY(timer);
    QVERIFY(!timer->isActive());
    writer.open(&socket);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 60000);
    QVERIFY(!timer->isSingleShot());

    // Each flush starts the minute again.
    QTest::qWait(50);
    const int before = timer->remainingTime();
    writer.writeElement(xmpp::PresenceStanza());
    QVERIFY(timer->remainingTime() > before);
    QVERIFY(timer->remainingTime() > 59900);
    writer.sendKeepAlive();
    QVERIFY(socket.data().endsWith("</presence> "));
}

void TestXmppWriter::throughRealSocket()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(client.waitForConnected(5000));
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *peer = server.nextPendingConnection();

    StreamWriter writer(XMPPJid(QStringLiteral("localhost")), QStringLiteral("en"));
    writer.open(&client);
    xmpp::MessageStanza message;
    message.to = XMPPJid(QStringLiteral("room@conf.localhost"));
    message.typeText = QStringLiteral("groupchat");
    message.bodies.insert(QStringLiteral("UND"), QStringLiteral("ünïcödé & <tags>"));
    writer.writeElement(message);
    writer.close();

    // The peer reads our stream with the same reader the client uses.
    xmpp::StreamReader reader;
    QStringList bodies;
    bool ended = false;
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                 reader.addData(peer->readAll());
                                 for (int r; (r = reader.next()) != xmpp::StreamReader::NeedMoreData;) {
                                     if (r == xmpp::StreamReader::EndOfStream) {
                                         ended = true;
                                         break;
                                     }
                                     bodies
                                         << static_cast<xmpp::MessageStanza *>(reader.element())->bodies.value("UND");
                                 }
                                 return ended;
                             }()),
                             5000);
    QCOMPARE(bodies, QStringList({QStringLiteral("ünïcödé & <tags>")}));
    QCOMPARE(reader.server().text(), QString()); // our header names no "from"
    QCOMPARE(reader.streamLanguage(), QStringLiteral("en"));
}

QTEST_GUILESS_MAIN(TestXmppWriter)
#include "tst_xmpp_writer.moc"
