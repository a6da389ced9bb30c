// vCards, roster, discovery, rooms and user search against a real server
// (the fixture's Prosody with the test search component).

#include "LiveSession.h"

#include "xmpp/client/ClientVCard.h"
#include "xmpp/elements/IqRoster.h"
#include "xmpp/client/XMPPConference.h"
#include "xmpp/client/XMPPRosterModel.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

class TestXmppExtensionsLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void vCardUploadFetchAndHashInPresence();
    void rosterAddRenameRemoveFollowPushes();
    void rosterPushFromAnotherUserIsRefused();
    void discoveryFindsConferenceOnceAndListsRooms();
    void roomJoinTalkHistoryConflictKick();
    void addressesWithCapitalsMatchTheServersAnswers();
    void busyRoomIsRetriedFiveTimesThenReported();
    void forbiddenRoomIsReportedAtOnce();
    void searchFormAndResults();

private:
    std::unique_ptr<XMPPClient> login(const QString &user) { return live::login(m_server, user); }
    XMPPJid jid(const QString &user) const { return live::bareJid(m_server, user); }
    QString fixtureCommand(XMPPClient *client, const QString &command);

    XmppTestServer m_server;
    const XMPPJid m_searchService{QStringLiteral("search.localhost")};
    const XMPPJid m_conferenceService{QStringLiteral("conference.localhost")};
};

void TestXmppExtensionsLive::initTestCase()
{
    if (!m_server.load())
        QFAIL(qPrintable(m_server.error()));
    m_server.trust();
}

// Asks the test component to do something and returns its answer.
QString TestXmppExtensionsLive::fixtureCommand(XMPPClient *client, const QString &command)
{
    QSignalSpy messages(client, &XMPPClient::messageReceived);
    XMPPMessage message(m_searchService, XMPPMessage::Chat);
    message.setBody(command);
    client->sendMessage(message);
    const int at = live::waitFor(messages, [&](const QList<QVariant> &args) {
        return args.at(0).value<XMPPMessage>().from() == m_searchService;
    });
    return at < 0 ? QString() : messages.at(at).at(0).value<XMPPMessage>().body();
}

static QImage testPicture(QColor colour)
{
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.fillRect(2, 2, 8, 8, Qt::yellow);
    return image;
}

static QByteArray pngSha1(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QCryptographicHash::hash(png, QCryptographicHash::Sha1);
}

void TestXmppExtensionsLive::vCardUploadFetchAndHashInPresence()
{
    auto alice = login(QStringLiteral("3001"));
    auto bob = login(QStringLiteral("3002"));
    QVERIFY(alice && bob);
    // Alice's model accepts Bob's subscription request.
    XMPPRosterModel aliceRoster(alice.get());
    QSignalSpy bobPresences(bob.get(), &XMPPClient::presence);
    bob->requestSubscription(jid(QStringLiteral("3001")), false);
    QVERIFY(live::waitForPresence(bobPresences, jid(QStringLiteral("3001")),
                                  [](const XMPPPresence &p) { return p.availability() == XMPPPresence::Available; })
            >= 0);

    const QImage picture = testPicture(Qt::darkGreen);
    const QByteArray expectedHash = pngSha1(picture);
    QSignalSpy uploadOk(alice.get(), &XMPPClient::uploadVCardOk);
    QSignalSpy uploadError(alice.get(), &XMPPClient::uploadVCardError);
    alice->uploadVCard(picture);
    QVERIFY(uploadOk.wait(10000));
    QCOMPARE(uploadError.size(), 0);
    QCOMPARE(alice->photoHash(), expectedHash);

    // The hash reaches the contact with the next presence.
    QVERIFY(live::waitForPresence(bobPresences, jid(QStringLiteral("3001")),
                                  [&](const XMPPPresence &p) { return p.photoHash() == expectedHash; })
            >= 0);

    // Bob fetches it, asking for a full address.
    QSignalSpy received(bob.get(), &XMPPClient::vCardReceived);
    QSignalSpy receivedError(bob.get(), &XMPPClient::vCardReceivedError);
    const XMPPJid aliceFull = alice->jid();
    QVERIFY(!aliceFull.resource().isEmpty());
    bob->requestVCard(aliceFull);
    QVERIFY(received.wait(10000));
    QCOMPARE(receivedError.size(), 0);
    QCOMPARE(received.at(0).at(0).value<XMPPJid>(), jid(QStringLiteral("3001")));
    const auto card = received.at(0).at(1).value<XMPPVCard>();
    QCOMPARE(card.hash(), expectedHash);
    QCOMPARE(card.photo().convertToFormat(picture.format()), picture);

    // Asking again for the same address while a request is out sends
    // nothing more: the one answer serves every asker.
    xmpp::ClientVCard extension(bob.get());
    QSignalSpy extensionReceived(&extension, &xmpp::ClientVCard::vCardReceived);
    for (int i = 0; i < 5; ++i)
        extension.requestVCard(i % 2 ? aliceFull : jid(QStringLiteral("3001")));
    QVERIFY(extension.isRequestPending(jid(QStringLiteral("3001"))));
    QVERIFY(extensionReceived.wait(10000));
    QTest::qWait(300);
    QCOMPARE(extensionReceived.size(), 1);
    QVERIFY(!extension.isRequestPending(jid(QStringLiteral("3001"))));

    // The own vCard is asked for without an address and reported under the
    // own one.
    QSignalSpy ownReceived(alice.get(), &XMPPClient::vCardReceived);
    alice->requestVCard(aliceFull);
    QVERIFY(ownReceived.wait(10000));
    QCOMPARE(ownReceived.at(0).at(0).value<XMPPJid>(), jid(QStringLiteral("3001")));
    QCOMPARE(ownReceived.at(0).at(1).value<XMPPVCard>().hash(), expectedHash);

    // Someone who never stored a vCard: the server refuses, the request
    // ends as an error and may be made again. That is no fault: the log says
    // so for debugging only, naming whom.
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^no vCard for 3006@")));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("vCard")));
    QSignalSpy extensionError(&extension, &xmpp::ClientVCard::vCardReceivedError);
    extension.requestVCard(jid(QStringLiteral("3006")));
    QVERIFY(extension.isRequestPending(jid(QStringLiteral("3006"))));
    QVERIFY(extensionError.wait(10000));
    QCOMPARE(extensionError.at(0).at(0).value<XMPPJid>(), jid(QStringLiteral("3006")));
    QVERIFY(!extension.isRequestPending(jid(QStringLiteral("3006"))));

    // A picture far over the server's stanza limit is scaled down to fit
    // and uploaded; the session survives it.
    QImage noise(400, 400, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random.generate());
    }
    alice->uploadVCard(noise);
    QVERIFY(uploadOk.wait(10000));
    QCOMPARE(uploadError.size(), 0);
    bob->requestVCard(aliceFull);
    QVERIFY(received.wait(10000));
    const auto scaled = received.last().at(1).value<XMPPVCard>();
    QVERIFY(scaled.photo().width() < noise.width());
    QCOMPARE(scaled.hash(), alice->photoHash());
    QCOMPARE(alice->state(), int(XMPPClient::ConnectedState));

    // Uploading no picture clears the advertised hash.
    alice->uploadVCard(QImage());
    QVERIFY(uploadOk.wait(10000));
    QVERIFY(alice->photoHash().isNull());

    // Not connected: refused at once.
    XMPPClient offline;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, offline.requestVCard(jid(QStringLiteral("3001"))));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, offline.uploadVCard(picture));
}

void TestXmppExtensionsLive::rosterAddRenameRemoveFollowPushes()
{
    auto carol = login(QStringLiteral("3003"));
    QVERIFY(carol);
    XMPPRosterModel model(carol.get());
    QSignalSpy resets(carol.get(), &XMPPClient::rosterReset);
    QVERIFY(resets.wait(10000) || resets.size() == 1);
    QCOMPARE(model.rowCount(), 0);

    QSignalSpy updates(carol.get(), &XMPPClient::rosterUpdate);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    const XMPPJid dave = jid(QStringLiteral("3004"));
    carol->updateRosterItem(dave, false, QStringLiteral("Dave"), QStringLiteral("Friends"));
    QVERIFY(inserted.wait(10000));
    QCOMPARE(model.rowCount(), 1);
    const XMPPRosterItem *item = model.findItem(dave);
    QVERIFY(item);
    QCOMPARE(item->name, QStringLiteral("Dave"));
    QCOMPARE(item->group, QStringLiteral("Friends"));
    QCOMPARE(item->flags, 0);
    QCOMPARE(model.data(model.indexOf(dave)).toString(), dave.text());

    // Rename: the push changes the row in place.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    carol->updateRosterItem(dave, false, QStringLiteral("David"), QString());
    QVERIFY(changed.wait(10000));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.findItem(dave)->name, QStringLiteral("David"));
    QCOMPARE(model.findItem(dave)->group, QString());

    // A subscription request shows as pending (flag 4).
    carol->requestSubscription(dave, false);
    QTRY_VERIFY_WITH_TIMEOUT(model.findItem(dave)->flags & 4, 10000);

    // A second session of the same account sees the whole roster.
    auto carol2 = login(QStringLiteral("3003"));
    QVERIFY(carol2);
    XMPPRosterModel model2(carol2.get());
    QTRY_COMPARE_WITH_TIMEOUT(model2.rowCount(), 1, 10000);
    QCOMPARE(model2.findItem(dave)->name, QStringLiteral("David"));

    // Removal reaches both sessions as a push.
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    carol->updateRosterItem(dave, true, QString(), QString());
    QVERIFY(removed.wait(10000));
    QCOMPARE(model.rowCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(model2.rowCount(), 0, 10000);
    QVERIFY(!model.findItem(dave));
}

void TestXmppExtensionsLive::rosterPushFromAnotherUserIsRefused()
{
    auto carol = login(QStringLiteral("3003"));
    auto mallory = login(QStringLiteral("3005"));
    QVERIFY(carol && mallory);
    XMPPRosterModel model(carol.get());
    QSignalSpy resets(carol.get(), &XMPPClient::rosterReset);
    QVERIFY(resets.wait(10000) || resets.size() == 1);
    const int rowsBefore = model.rowCount();
    QSignalSpy updates(carol.get(), &XMPPClient::rosterUpdate);

    xmpp::IqRoster push(QVector<xmpp::IqRoster::Item>{xmpp::IqRoster::Item(jid(QStringLiteral("3005")), false,
                                                                           QStringLiteral("Trust me"), QString())},
                        mallory->nextId());
    push.to = carol->jid();
    bool answered = false;
    QString answerType;
    mallory->registerIqHandler(push.id, [&](xmpp::StreamElement *element) {
        answered = true;
        if (const auto *iq = dynamic_cast<const xmpp::Iq *>(element))
            answerType = iq->typeText;
    });
    mallory->send(push);
    QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
    QCOMPARE(answerType, QStringLiteral("error"));
    QCOMPARE(updates.size(), 0);
    QCOMPARE(model.rowCount(), rowsBefore);
    QCOMPARE(carol->state(), int(XMPPClient::ConnectedState));
}

void TestXmppExtensionsLive::discoveryFindsConferenceOnceAndListsRooms()
{
    auto erin = login(QStringLiteral("3005"));
    QVERIFY(erin);
    QSignalSpy found(erin.get(), &XMPPClient::conferenceJID);
    erin->discoverConference();
    QVERIFY(found.wait(10000));
    // Let the rest of the walk (the search component) finish.
    QTest::qWait(500);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(0).value<XMPPJid>(), m_conferenceService);
    QCOMPARE(erin->state(), int(XMPPClient::ConnectedState));

    // A room exists once someone is in it.
    XMPPConference room;
    room.setClient(erin.get());
    room.setRoomJid(XMPPJid(m_conferenceService.text(), QStringLiteral("listed")));
    QSignalSpy joined(&room, &XMPPConference::userJoined);
    room.join();
    QVERIFY(joined.wait(10000));
    QCOMPARE(room.nick(), QStringLiteral("3005"));

    QSignalSpy rooms(erin.get(), &XMPPClient::conferenceRooms);
    erin->requestConferenceRooms(m_conferenceService);
    QVERIFY(rooms.wait(10000));
    QVERIFY(rooms.at(0).at(0).value<QList<XMPPJid>>().contains(room.roomJid()));
    // Asking an entity that is no room service ends quietly.
    erin->requestConferenceRooms(XMPPJid(QStringLiteral("nowhere.localhost")));
    QTest::qWait(500);
    QCOMPARE(erin->state(), int(XMPPClient::ConnectedState));

    XMPPClient offline;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, offline.discoverConference());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, offline.requestConferenceRooms(m_conferenceService));
}

void TestXmppExtensionsLive::roomJoinTalkHistoryConflictKick()
{
    auto alice = login(QStringLiteral("3001"));
    auto bob = login(QStringLiteral("3002"));
    QVERIFY(alice && bob);
    const XMPPJid roomJid(m_conferenceService.text(), QStringLiteral("table-17"));

    XMPPConference aliceRoom;
    aliceRoom.setClient(alice.get());
    aliceRoom.setRoomJid(roomJid);
    QSignalSpy aliceJoined(&aliceRoom, &XMPPConference::userJoined);
    QSignalSpy aliceParticipants(&aliceRoom, &XMPPConference::participantJoined);
    QSignalSpy aliceMessages(&aliceRoom, &XMPPConference::message);
    aliceRoom.join(QStringLiteral("Alice"));
    QVERIFY(aliceJoined.wait(10000));
    QVERIFY(aliceRoom.isJoined());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, aliceRoom.setRoomJid(XMPPJid(QStringLiteral("x@y"))));

    aliceRoom.sendMessage(QStringLiteral("first words"));
    QVERIFY(aliceMessages.wait(10000));
    const auto echo = aliceMessages.at(0).at(0).value<XMPPMessage>();
    QCOMPARE(echo.body(), QStringLiteral("first words"));
    QCOMPARE(echo.from().resource(), QStringLiteral("Alice"));
    QVERIFY(!echo.hasDelay());

    // Bob comes in later and gets the history with its time stamps.
    XMPPConference bobRoom;
    bobRoom.setClient(bob.get());
    bobRoom.setRoomJid(roomJid);
    QSignalSpy bobJoined(&bobRoom, &XMPPConference::userJoined);
    QSignalSpy bobMessages(&bobRoom, &XMPPConference::message);
    QSignalSpy bobKicked(&bobRoom, &XMPPConference::userKicked);
    QSignalSpy bobLeft(&bobRoom, &XMPPConference::userLeft);
    const QDateTime beforeJoin = QDateTime::currentDateTimeUtc();
    bobRoom.join(QStringLiteral("Bob"));
    QVERIFY(bobJoined.wait(10000));
    QVERIFY(live::waitFor(aliceParticipants,
                          [](const QList<QVariant> &args) { return args.at(1).toString() == QLatin1String("Bob"); })
            >= 0);
    QVERIFY(live::waitFor(
                bobMessages,
                [](const QList<QVariant> &args) {
        return args.at(0).value<XMPPMessage>().body() == QLatin1String("first words");
                })
            >= 0);
    const auto history = bobMessages.at(0).at(0).value<XMPPMessage>();
    QVERIFY(history.hasDelay());
    QVERIFY(history.delayStamp().isValid());
    QVERIFY(history.delayStamp() <= beforeJoin.addSecs(1));
    QVERIFY(history.delayStamp() >= beforeJoin.addSecs(-60));

    bobRoom.sendMessage(QStringLiteral("hello Alice"));
    QVERIFY(live::waitFor(
                aliceMessages,
                [](const QList<QVariant> &args) {
        const auto m = args.at(0).value<XMPPMessage>();
        return m.body() == QLatin1String("hello Alice") && m.from().resource() == QLatin1String("Bob");
                })
            >= 0);

    // A second entry under a taken nick is refused with "conflict".
    auto bob2 = login(QStringLiteral("3002"));
    QVERIFY(bob2);
    XMPPConference clash;
    clash.setClient(bob2.get());
    clash.setRoomJid(roomJid);
    QSignalSpy clashError(&clash, &XMPPConference::userError);
    clash.join(QStringLiteral("Alice"));
    QVERIFY(clashError.wait(10000));
    QCOMPARE(clashError.at(0).at(1).value<XMPPPresence::error_t>(), XMPPPresence::Conflict);
    QVERIFY(!clash.isJoined());

    // Bob is kicked: he learns it with the reason, Alice sees him go.
    QSignalSpy aliceKicked(&aliceRoom, &XMPPConference::participantKicked);
    QSignalSpy aliceLeft(&aliceRoom, &XMPPConference::participantLeft);
    QCOMPARE(fixtureCommand(alice.get(), QStringLiteral("kick %1/Bob too loud").arg(roomJid.text())),
             QStringLiteral("kicked"));
    QVERIFY(bobKicked.size() > 0 || bobKicked.wait(10000));
    QCOMPARE(bobKicked.at(0).at(2).toString(), QStringLiteral("too loud"));
    QCOMPARE(bobLeft.size(), 1);
    QVERIFY(!bobRoom.isJoined());
    QVERIFY(aliceKicked.size() > 0 || aliceKicked.wait(10000));
    QCOMPARE(aliceKicked.at(0).at(1).toString(), QStringLiteral("Bob"));
    QCOMPARE(aliceKicked.at(0).at(3).toString(), QStringLiteral("too loud"));
    QVERIFY(live::waitFor(aliceLeft,
                          [](const QList<QVariant> &args) { return args.at(1).toString() == QLatin1String("Bob"); })
            >= 0);

    // Leaving ends the membership, and the room's confirmation is
    // reported; the room address may change again.
    QSignalSpy aliceOwnLeft(&aliceRoom, &XMPPConference::userLeft);
    aliceRoom.leave();
    QVERIFY(!aliceRoom.isJoined());
    QVERIFY(aliceOwnLeft.wait(10000));
    QTest::qWait(200);
    QCOMPARE(aliceOwnLeft.size(), 1);
    QVERIFY(!aliceRoom.isJoined());
    aliceRoom.setRoomJid(XMPPJid(m_conferenceService.text(), QStringLiteral("elsewhere")));
}

void TestXmppExtensionsLive::addressesWithCapitalsMatchTheServersAnswers()
{
    auto carol = login(QStringLiteral("3003"));
    QVERIFY(carol);
    // The server answers for the room and the user in lower case.
    XMPPConference room;
    room.setClient(carol.get());
    room.setRoomJid(XMPPJid(m_conferenceService.text().toUpper(), QStringLiteral("Table-Caps")));
    QSignalSpy joined(&room, &XMPPConference::userJoined);
    QSignalSpy messages(&room, &XMPPConference::message);
    room.join(QStringLiteral("Carol"));
    QVERIFY(joined.wait(10000));
    room.sendMessage(QStringLiteral("can you read me"));
    QVERIFY(messages.wait(10000));
    room.leave();

    QSignalSpy received(carol.get(), &XMPPClient::vCardReceived);
    QSignalSpy failed(carol.get(), &XMPPClient::vCardReceivedError);
    // Answered (with or without a card) from the lower-case address.
    carol->requestVCard(XMPPJid(m_server.host().toUpper(), QStringLiteral("3001")));
    QTRY_COMPARE_WITH_TIMEOUT(received.size() + failed.size(), 1, 10000);
}

void TestXmppExtensionsLive::busyRoomIsRetriedFiveTimesThenReported()
{
    auto frank = login(QStringLiteral("3006"));
    QVERIFY(frank);
    XMPPConference room;
    room.setClient(frank.get());
    room.setRoomJid(XMPPJid(m_searchService.text(), QStringLiteral("busy-1")));
    QSignalSpy errors(&room, &XMPPConference::userError);
    QElapsedTimer timer;
    timer.start();
    room.join(QStringLiteral("Frank"));
    QVERIFY(errors.wait(15000));
    QVERIFY(timer.elapsed() >= 4500);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.at(0).at(1).value<XMPPPresence::error_t>(), XMPPPresence::RecipientUnavailable);
    QCOMPARE(fixtureCommand(frank.get(), QStringLiteral("count busy-1@search.localhost")), QStringLiteral("6"));

    // Leaving while a retry is pending cancels it.
    room.setRoomJid(XMPPJid(m_searchService.text(), QStringLiteral("busy-2")));
    room.join(QStringLiteral("Frank"));
    QCOMPARE(fixtureCommand(frank.get(), QStringLiteral("count busy-2@search.localhost")), QStringLiteral("1"));
    room.leave();
    QTest::qWait(1500);
    QCOMPARE(fixtureCommand(frank.get(), QStringLiteral("count busy-2@search.localhost")), QStringLiteral("1"));
    QCOMPARE(errors.size(), 1);
}

void TestXmppExtensionsLive::forbiddenRoomIsReportedAtOnce()
{
    auto frank = login(QStringLiteral("3006"));
    QVERIFY(frank);
    XMPPConference room;
    room.setClient(frank.get());
    room.setRoomJid(XMPPJid(m_searchService.text(), QStringLiteral("forbidden-1")));
    QSignalSpy errors(&room, &XMPPConference::userError);
    room.join(QStringLiteral("Frank"));
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.at(0).at(0).value<XMPPConference *>(), &room);
    QCOMPARE(errors.at(0).at(1).value<XMPPPresence::error_t>(), XMPPPresence::Forbidden);
    QTest::qWait(1200);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(fixtureCommand(frank.get(), QStringLiteral("count forbidden-1@search.localhost")), QStringLiteral("1"));
}

void TestXmppExtensionsLive::searchFormAndResults()
{
    auto frank = login(QStringLiteral("3006"));
    QVERIFY(frank);
    QSignalSpy forms(frank.get(), &XMPPClient::requestSearchFormResult);
    QSignalSpy formErrors(frank.get(), &XMPPClient::requestSearchFormError);
    frank->requestSearchForm(m_searchService, QStringLiteral("a"));
    frank->requestSearchForm(m_searchService, QStringLiteral("b"));
    QTRY_COMPARE_WITH_TIMEOUT(forms.size(), 2, 10000);
    QStringList tags{forms.at(0).at(1).toString(), forms.at(1).at(1).toString()};
    tags.sort();
    QCOMPARE(tags, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    XMPPDataForm form = forms.at(0).at(0).value<XMPPDataForm>();
    XMPPDataForm::Field *field = form.field(QStringLiteral("search"));
    QVERIFY(field);
    QCOMPARE(field->type, int(XMPPDataForm::TextSingle));

    // A form from a service that has none fails with its tag.
    frank->requestSearchForm(m_conferenceService, QStringLiteral("c"));
    QVERIFY(formErrors.wait(10000));
    QCOMPARE(formErrors.at(0).at(0).toString(), QStringLiteral("c"));

    field->value = QStringLiteral("300");
    QSignalSpy reports(frank.get(), &XMPPClient::searchReport);
    QSignalSpy searchErrors(frank.get(), &XMPPClient::searchError);
    frank->search(m_searchService, form, QStringLiteral("friends"));
    QVERIFY(reports.wait(10000));
    QCOMPARE(reports.at(0).at(1).toString(), QStringLiteral("friends"));
    const auto report = reports.at(0).at(0).value<XMPPDataReport>();
    QVERIFY(report.reported.contains(QStringLiteral("jid")));
    QVERIFY(report.reported.contains(QStringLiteral("Name")));
    QStringList found;
    for (const XMPPDataReport::Row &row : report.items)
        found.append(row.value(QStringLiteral("jid")));
    QCOMPARE(found, (QStringList{QStringLiteral("3001@localhost"), QStringLiteral("3002@localhost"),
                                 QStringLiteral("3003@localhost"), QStringLiteral("3004@localhost"),
                                 QStringLiteral("3005@localhost"), QStringLiteral("3006@localhost")}));
    // Named as the game server names a player it has no name for.
    QCOMPARE(report.items.at(2).value(QStringLiteral("Name")), QStringLiteral("player3003"));

    // A form without the expected field is refused: an error with its tag.
    XMPPDataForm wrong(XMPPDataForm::DataForm);
    wrong.addField(new XMPPDataForm::Field(XMPPDataForm::TextSingle, QStringLiteral("first")));
    frank->search(m_searchService, wrong, QStringLiteral("bad"));
    QVERIFY(searchErrors.wait(10000));
    QCOMPARE(searchErrors.at(0).at(0).toString(), QStringLiteral("bad"));
    QCOMPARE(frank->state(), int(XMPPClient::ConnectedState));
}

QTEST_MAIN(TestXmppExtensionsLive)
#include "tst_xmpp_extensions_live.moc"
