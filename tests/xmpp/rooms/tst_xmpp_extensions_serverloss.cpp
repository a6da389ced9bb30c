// Requests still unanswered when the server goes away end as failures,
// each with what identifies it.

#include "LiveSession.h"

#include "xmpp/client/ClientVCard.h"
#include "xmpp/client/XMPPConference.h"
#include "xmpp/client/XMPPRosterModel.h"

#include <QImage>
#include <QtTest>

class TestXmppExtensionsServerLoss : public QObject
{
    Q_OBJECT

private slots:
    void pendingRequestsFailWhenServerStops();
};

void TestXmppExtensionsServerLoss::pendingRequestsFailWhenServerStops()
{
    XmppTestServer server;
    QVERIFY2(server.load(), qPrintable(server.error()));
    server.trust();
    auto client = live::login(server, QStringLiteral("4001"));
    QVERIFY(client);
    XMPPRosterModel model(client.get());
    QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 0, 5000);
    XMPPConference room;
    room.setClient(client.get());
    room.setRoomJid(XMPPJid(QStringLiteral("conference.localhost"), QStringLiteral("lobby")));
    QSignalSpy joined(&room, &XMPPConference::userJoined);
    room.join();
    QVERIFY(joined.wait(10000));

    // A contact online in the model, so the drop has something to clear.
    model.onRosterUpdate(XMPPJid(QStringLiteral("localhost"), QStringLiteral("4002")), 3, false, QString(), QString());
    xmpp::PresenceStanza online;
    online.from = XMPPJid(QStringLiteral("localhost"), QStringLiteral("4002"), QStringLiteral("desk"));
    model.onPresence(XMPPPresence(online));
    QCOMPARE(model.item(model.index(0, 0))->availability(), int(XMPPPresence::Available));

    QVERIFY(server.pause());
    QSignalSpy vCardErrors(client.get(), &XMPPClient::vCardReceivedError);
    QSignalSpy uploadErrors(client.get(), &XMPPClient::uploadVCardError);
    QSignalSpy formErrors(client.get(), &XMPPClient::requestSearchFormError);
    QSignalSpy searchErrors(client.get(), &XMPPClient::searchError);
    QSignalSpy found(client.get(), &XMPPClient::conferenceJID);
    QSignalSpy rooms(client.get(), &XMPPClient::conferenceRooms);
    QSignalSpy disconnected(client.get(), &XMPPClient::disconnected);

    const XMPPJid service(QStringLiteral("search.localhost"));
    client->requestVCard(XMPPJid(QStringLiteral("localhost"), QStringLiteral("4002")));
    xmpp::ClientVCard vCards(client.get());
    vCards.requestVCard(XMPPJid(QStringLiteral("localhost"), QStringLiteral("4003")));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    client->uploadVCard(picture);
    client->requestSearchForm(service, QStringLiteral("form-tag"));
    XMPPDataForm form(XMPPDataForm::DataForm);
    form.addField(new XMPPDataForm::Field(XMPPDataForm::TextSingle, QStringLiteral("search")));
    client->search(service, form, QStringLiteral("search-tag"));
    client->requestRoster();
    client->discoverConference();
    client->requestConferenceRooms(XMPPJid(QStringLiteral("conference.localhost")));
    QTest::qWait(200);
    QCOMPARE(vCardErrors.size() + uploadErrors.size() + formErrors.size() + searchErrors.size(), 0);

    QVERIFY(server.kill());
    QVERIFY(disconnected.wait(10000));
    QCOMPARE(vCardErrors.size(), 1);
    QCOMPARE(vCardErrors.at(0).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("localhost"), QStringLiteral("4002")));
    // A lost request leaves the address free to be asked again.
    QVERIFY(!vCards.isRequestPending(XMPPJid(QStringLiteral("localhost"), QStringLiteral("4003"))));
    QCOMPARE(uploadErrors.size(), 1);
    QCOMPARE(formErrors.size(), 1);
    QCOMPARE(formErrors.at(0).at(0).toString(), QStringLiteral("form-tag"));
    QCOMPARE(searchErrors.size(), 1);
    QCOMPARE(searchErrors.at(0).at(0).toString(), QStringLiteral("search-tag"));
    QCOMPARE(found.size(), 0);
    QCOMPARE(rooms.size(), 0);
    QVERIFY(client->photoHash().isNull());

    // Nobody stays online without a session; the contacts stay listed.
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(model.item(model.index(0, 0))->presences.isEmpty());
    QCOMPARE(model.item(model.index(0, 0))->availability(), int(XMPPPresence::Unavailable));
    QVERIFY(!room.isJoined());

    // Without a session, requests are refused or dropped, never queued.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, client->requestVCard(XMPPJid(QStringLiteral("x@localhost"))));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, room.sendMessage(QStringLiteral("anyone?")));
}

QTEST_MAIN(TestXmppExtensionsServerLoss)
#include "tst_xmpp_extensions_serverloss.moc"
