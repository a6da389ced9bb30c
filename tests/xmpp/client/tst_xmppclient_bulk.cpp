// XMPPClient against a real XMPP server under the load a friends list
// brings: many large answers arriving together.

#include "xmpp/server/XmppTestServer.h"

#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/Iq.h"

#include <QHash>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

class TestXmppClientBulk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void manyPicturesAtOnceKeepTheSession();

private:
    std::unique_ptr<XMPPClient> startLogin(const QString &user);

    XmppTestServer m_server;
};

namespace {

// A picture that PNG cannot shrink: about 150 KB, so its vCard is about
// 200 KB once in Base64.
QImage noisePicture(quint32 seed)
{
    constexpr int side = 224;
    QImage image(side, side, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    }
    return image;
}

} // namespace

void TestXmppClientBulk::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_server.trust();
    QCOMPARE(m_server.users().size(), 21);
}

std::unique_ptr<XMPPClient> TestXmppClientBulk::startLogin(const QString &user)
{
    auto client = std::make_unique<XMPPClient>();
    client->authenticate(user, m_server.password(user));
    client->connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
    return client;
}

void TestXmppClientBulk::manyPicturesAtOnceKeepTheSession()
{
    // Twenty friends store a large picture each.
    const auto users = m_server.users();
    std::vector<std::unique_ptr<XMPPClient>> friends;
    int loggedIn = 0;
    for (int i = 1; i < users.size(); ++i) {
        friends.push_back(startLogin(users.at(i).first));
        connect(friends.back().get(), &XMPPClient::connected, this, [&loggedIn] { ++loggedIn; });
    }
    QTRY_COMPARE_WITH_TIMEOUT(loggedIn, int(friends.size()), 60000);
    QHash<QString, QImage> pictures;
    int stored = 0;
    for (size_t i = 0; i < friends.size(); ++i) {
        const QImage picture = noisePicture(quint32(i + 1));
        pictures.insert(users.at(int(i) + 1).first, picture);
        connect(friends[i].get(), &XMPPClient::uploadVCardOk, this, [&stored] { ++stored; });
        friends[i]->uploadVCard(picture);
    }
    QTRY_COMPARE_WITH_TIMEOUT(stored, int(friends.size()), 60000);
    friends.clear();

    // The friends list asks for all their rows at once.
    const auto player = startLogin(users.at(0).first);
    QSignalSpy connectedSpy(player.get(), &XMPPClient::connected);
    QVERIFY(connectedSpy.wait(20000));
    QSignalSpy received(player.get(), &XMPPClient::vCardReceived);
    QSignalSpy receivedError(player.get(), &XMPPClient::vCardReceivedError);
    QSignalSpy errorSpy(player.get(), &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(player.get(), &XMPPClient::disconnected);
    for (int i = 1; i < users.size(); ++i)
        player->requestVCard(XMPPJid(users.at(i).first + QLatin1Char('@') + m_server.host()));
    QTRY_VERIFY_WITH_TIMEOUT(
        received.size() + receivedError.size() == int(pictures.size()) || !disconnectedSpy.isEmpty(), 60000);
    QVERIFY2(disconnectedSpy.isEmpty(),
             qPrintable(QStringLiteral("session lost after %1 of %2 pictures: %3")
                            .arg(received.size())
                            .arg(pictures.size())
                            .arg(errorSpy.isEmpty() ? QString() : errorSpy.at(0).at(1).toString())));
    QCOMPARE(receivedError.size(), 0);
    QVERIFY(errorSpy.isEmpty());
    for (const QList<QVariant> &answer : received) {
        const QString node = answer.at(0).value<XMPPJid>().node();
        QVERIFY2(pictures.contains(node), qPrintable(node));
        const QImage picture = pictures.value(node);
        QCOMPARE(answer.at(1).value<XMPPVCard>().photo().convertToFormat(picture.format()), picture);
    }

    // And the session goes on.
    QCOMPARE(player->state(), int(XMPPClient::ConnectedState));
    const QString id = player->nextId();
    bool answered = false;
    player->registerIqHandler(id, [&](xmpp::StreamElement *e) { answered = e != nullptr; });
    player->send(xmpp::Iq(id, player->serverJid(), xmpp::Iq::Get));
    QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
    QVERIFY(disconnectedSpy.isEmpty());
}

QTEST_GUILESS_MAIN(TestXmppClientBulk)
#include "tst_xmppclient_bulk.moc"
