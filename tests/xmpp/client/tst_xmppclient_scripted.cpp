// XMPPClient against a scripted peer: the login branches and stream
// failures that a real server does not produce on demand.

#include "FakeXmppServer.h"

#include "xmpp/elements/Iq.h"
#include "xmpp/elements/Namespaces.h"
#include "xmpp/elements/IqSearch.h"
#include "xmpp/client/XMPPClient.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QByteArray plainMechanism =
    "<mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>SCRAM-SHA-1</mechanism>"
    "<mechanism>PLAIN</mechanism></mechanisms>";
const QByteArray startTlsOffered = "<starttls xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>";
const QByteArray startTlsRequired = "<starttls xmlns='urn:ietf:params:xml:ns:xmpp-tls'><required/></starttls>";
const QByteArray bindFeature = "<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><required/></bind>";
const QByteArray sessionFeature = "<session xmlns='urn:ietf:params:xml:ns:xmpp-session'/>";
const QByteArray saslSuccess = "<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>";
const QString boundJid = QStringLiteral("u@localhost/desk");

QByteArray saslFailureXml(const QByteArray &condition)
{
    return "<failure xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><" + condition + "/></failure>";
}

QByteArray iqResult(const QString &id, const QByteArray &payload = QByteArray())
{
    return "<iq type='result' id='" + id.toUtf8() + "'>" + payload + "</iq>";
}

QByteArray bindResult(const QString &id)
{
    return iqResult(id, "<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>" + boundJid.toUtf8() + "</jid></bind>");
}

QByteArray plainData(const QString &user, const QString &password)
{
    return (QString(QChar(0)) + user + QChar(0) + password).toUtf8().toBase64();
}

// Thousands of stanzas would fill the test's output with the client's
// debug lines.
struct QuietClient
{
    QuietClient() { QLoggingCategory::setFilterRules(QStringLiteral("mahjong.xmpp.debug=false")); }
    ~QuietClient() { QLoggingCategory::setFilterRules(QString()); }
};

} // namespace

class TestXmppClientScripted : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tlsPolicy_data();
    void tlsPolicy();
    void tlsFailureClosesWithoutError();
    void plainWithoutTlsOnlyToLoopbackOrWhenAllowed();
    void saslFailure_data();
    void saslFailure();
    void authenticateDuringExchangeSendsNothing();
    void bindWithoutSessionConnectsAtOnce();
    void sessionAnswerMatchedById();
    void answerToOtherIdDuringLoginFails();
    void optionalSessionLogsIn();
    void bindOrSessionErrorFails_data();
    void bindOrSessionErrorFails();
    void noBindFeatureFails();
    void unexpectedElementDuringLogin();
    void serverStreamErrorDuringLogin();
    void malformedXmlEndsStream();
    void overlongAddressEndsStream();
    void requestAnsweredWithErrorToSender();
    void answersWithoutHandlerAreNotAnswered();
    void handlerCalledOnceWithAnswer();
    void refusedStanzaCostsOnlyThatStanza();
    void stanzaOverABoundSkippedAlone_data();
    void stanzaOverABoundSkippedAlone();
    void pendingHandlersGetNullBeforeDisconnected();
    void serverStreamErrorAfterLogin();
    void serverEndsStream();
    void lastWordsBeforeCloseAreRead();
    void serverThatDoesNotReadIsDropped();
    void messagesDispatched();
    void presenceDispatch();
    void rosterPushReachesRoster();
    void ownPresencePublishing();
    void subscriptionStanzas();
    void connectWhileConnectedIgnored();
    void conferenceRequestsNeedSession();

private:
    bool startClient(XMPPClient::TlsPolicy policy);
    bool reachAuth();
    bool reachBinding(const QByteArray &features, QString *bindId);
    bool login();
    static QString attributeText(const QByteArray &xml, const char *name);

    std::unique_ptr<FakeXmppServer> m_fake;
    std::unique_ptr<XMPPClient> m_client;
};

void TestXmppClientScripted::init()
{
    m_fake = std::make_unique<FakeXmppServer>();
    QVERIFY(m_fake->listen());
    m_client = std::make_unique<XMPPClient>();
}

void TestXmppClientScripted::cleanup()
{
    m_client.reset();
    m_fake.reset();
}

bool TestXmppClientScripted::startClient(XMPPClient::TlsPolicy policy)
{
    m_client->authenticate(QStringLiteral("u"), QStringLiteral("p"));
    m_client->connectToHost(QStringLiteral("127.0.0.1"), m_fake->port(), policy);
    if (!m_fake->waitForConnection() || !m_fake->waitFor("<stream:stream"))
        return false;
    m_fake->clearReceived();
    m_fake->sendHeader();
    return true;
}

bool TestXmppClientScripted::reachAuth()
{
    if (!startClient(XMPPClient::TlsWhenOffered))
        return false;
    m_fake->sendFeatures(plainMechanism);
    if (!m_fake->waitFor("</auth>"))
        return false;
    m_fake->clearReceived();
    return m_client->state() == XMPPClient::AuthenticatingState;
}

bool TestXmppClientScripted::reachBinding(const QByteArray &features, QString *bindId)
{
    if (!reachAuth())
        return false;
    m_fake->send(saslSuccess);
    if (!m_fake->waitFor("<stream:stream"))
        return false;
    m_fake->clearReceived();
    m_fake->sendHeader();
    m_fake->sendFeatures(features);
    if (!m_fake->waitFor("</iq>"))
        return false;
    *bindId = m_fake->lastId("iq");
    m_fake->clearReceived();
    return m_client->state() == XMPPClient::BindingState && !bindId->isEmpty();
}

bool TestXmppClientScripted::login()
{
    QString bindId;
    if (!reachBinding(bindFeature, &bindId))
        return false;
    QSignalSpy connectedSpy(m_client.get(), &XMPPClient::connected);
    m_fake->send(bindResult(bindId));
    if (!connectedSpy.wait(5000) || !m_fake->waitFor("</presence>"))
        return false;
    m_fake->clearReceived();
    return true;
}

QString TestXmppClientScripted::attributeText(const QByteArray &xml, const char *name)
{
    const QRegularExpression re(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(QLatin1String(name)));
    return re.match(QString::fromUtf8(xml)).captured(1);
}

void TestXmppClientScripted::tlsPolicy_data()
{
    QTest::addColumn<int>("policy");
    QTest::addColumn<QByteArray>("features");
    QTest::addColumn<QByteArray>("expectedSent");
    QTest::addColumn<int>("expectedState"); // when no error is expected
    QTest::addColumn<QString>("expectedError");

    QTest::newRow("required, offered") << int(XMPPClient::TlsRequired) << startTlsOffered + plainMechanism
                                       << QByteArray("<starttls") << int(XMPPClient::TlsState) << QString();
    QTest::newRow("required, not offered")
        << int(XMPPClient::TlsRequired) << plainMechanism << QByteArray("TLS required") << int(XMPPClient::ClosingState)
        << QStringLiteral("stream_error, code: 13, what: TLS required");
    QTest::newRow("when offered, offered") << int(XMPPClient::TlsWhenOffered) << startTlsOffered + plainMechanism
                                           << QByteArray("<starttls") << int(XMPPClient::TlsState) << QString();
    QTest::newRow("when offered, not offered")
        << int(XMPPClient::TlsWhenOffered) << plainMechanism << QByteArray("mechanism=\"PLAIN\"")
        << int(XMPPClient::AuthenticatingState) << QString();
    QTest::newRow("never, offered") << int(XMPPClient::TlsNever) << startTlsOffered + plainMechanism
                                    << QByteArray("mechanism=\"PLAIN\"") << int(XMPPClient::AuthenticatingState)
                                    << QString();
    QTest::newRow("never, required") << int(XMPPClient::TlsNever) << startTlsRequired + plainMechanism
                                     << QByteArray("won't use TLS") << int(XMPPClient::ClosingState)
                                     << QStringLiteral("stream_error, code: 13, what: won't use TLS");
    QTest::newRow("lower-case plain only") << int(XMPPClient::TlsNever)
                                           << QByteArray("<mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'>"
                                                         "<mechanism>plain</mechanism></mechanisms>")
                                           << QByteArray("PLAIN auth required") << int(XMPPClient::ClosingState)
                                           << QStringLiteral("stream_error, code: 13, what: PLAIN auth required");
}

void TestXmppClientScripted::tlsPolicy()
{
    QFETCH(int, policy);
    QFETCH(QByteArray, features);
    QFETCH(QByteArray, expectedSent);
    QFETCH(int, expectedState);
    QFETCH(QString, expectedError);

    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(m_client.get(), &XMPPClient::disconnected);
    QVERIFY(startClient(XMPPClient::TlsPolicy(policy)));
    m_fake->sendFeatures(features);
    QVERIFY2(m_fake->waitFor(expectedSent), m_fake->received().constData());
    if (expectedError.isEmpty()) {
        QCOMPARE(m_client->state(), expectedState);
        QVERIFY(errorSpy.isEmpty());
        if (expectedSent.contains("PLAIN")) {
            QVERIFY(m_fake->waitFor("</auth>"));
            QVERIFY(m_fake->received().contains(plainData(QStringLiteral("u"), QStringLiteral("p"))));
        }
    } else {
        QVERIFY(m_fake->received().contains("<policy-violation"));
        QVERIFY(!m_fake->received().contains("<auth"));
        QCOMPARE(errorSpy.size(), 1);
        QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::ConnectionError);
        QCOMPARE(errorSpy.at(0).at(1).toString(), expectedError);
        // The client closed the failed login, so its end is announced.
        QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.size(), 1, 5000);
        QCOMPARE(m_client->state(), int(XMPPClient::UnconnectedState));
    }
}

void TestXmppClientScripted::tlsFailureClosesWithoutError()
{
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(m_client.get(), &XMPPClient::disconnected);
    QVERIFY(startClient(XMPPClient::TlsRequired));
    m_fake->sendFeatures(startTlsOffered + plainMechanism);
    QVERIFY(m_fake->waitFor("<starttls"));
    m_fake->send("<failure xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>");
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.size(), 1, 5000);
    QVERIFY(errorSpy.isEmpty());
    QCOMPARE(m_client->state(), int(XMPPClient::UnconnectedState));
}

void TestXmppClientScripted::plainWithoutTlsOnlyToLoopbackOrWhenAllowed()
{
    QVERIFY(XMPPClient::plainAllowedWithoutTls(QHostAddress(QHostAddress::LocalHost), false));
    QVERIFY(XMPPClient::plainAllowedWithoutTls(QHostAddress(QHostAddress::LocalHostIPv6), false));
    QVERIFY(!XMPPClient::plainAllowedWithoutTls(QHostAddress(QStringLiteral("192.0.2.7")), false));
    QVERIFY(!XMPPClient::plainAllowedWithoutTls(QHostAddress(), false));
    QVERIFY(XMPPClient::plainAllowedWithoutTls(QHostAddress(QStringLiteral("192.0.2.7")), true));
}

void TestXmppClientScripted::saslFailure_data()
{
    QTest::addColumn<QByteArray>("condition");
    QTest::addColumn<bool>("retry");
    QTest::newRow("not-authorized") << QByteArray("not-authorized") << true;
    QTest::newRow("invalid-authzid") << QByteArray("invalid-authzid") << true;
    QTest::newRow("temporary-auth-failure") << QByteArray("temporary-auth-failure") << true;
    QTest::newRow("mechanism-too-weak") << QByteArray("mechanism-too-weak") << false;
    QTest::newRow("aborted") << QByteArray("aborted") << false;
    QTest::newRow("no condition") << QByteArray() << false;
}

void TestXmppClientScripted::saslFailure()
{
    QFETCH(QByteArray, condition);
    QFETCH(bool, retry);
    QVERIFY(reachAuth());
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(m_client.get(), &XMPPClient::disconnected);
    m_fake->send(condition.isEmpty() ? QByteArray("<failure xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>")
                                     : saslFailureXml(condition));
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    if (retry) {
        QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::RetryAuth);
        QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("retry auth"));
        QCOMPARE(m_client->state(), int(XMPPClient::AuthenticatingState));
        m_client->authenticate(QStringLiteral("u"), QStringLiteral("second"));
        QVERIFY(m_fake->waitFor("</auth>"));
        QVERIFY(m_fake->received().contains(plainData(QStringLiteral("u"), QStringLiteral("second"))));
        m_fake->clearReceived();
        m_fake->send(saslSuccess);
        QVERIFY(m_fake->waitFor("<stream:stream"));
        QVERIFY(m_fake->isConnected());
        QVERIFY(disconnectedSpy.isEmpty());
    } else {
        QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::ConnectionError);
        QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("PLAIN auth failed"));
        QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.size(), 1, 5000);
        QVERIFY(!m_fake->received().contains("<auth"));
    }
}

void TestXmppClientScripted::authenticateDuringExchangeSendsNothing()
{
    QVERIFY(reachAuth());
    m_client->authenticate(QStringLiteral("u"), QStringLiteral("other"));
    QTest::qWait(100);
    QVERIFY(!m_fake->received().contains("<auth"));
    // The stored credentials are the ones a later retry uses.
    m_fake->send(saslFailureXml("not-authorized"));
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QVERIFY(errorSpy.wait(5000));
    QCOMPARE(m_client->state(), int(XMPPClient::AuthenticatingState));
    QVERIFY(!m_fake->received().contains("<auth"));
}

void TestXmppClientScripted::bindWithoutSessionConnectsAtOnce()
{
    QSignalSpy connectedSpy(m_client.get(), &XMPPClient::connected);
    QString bindId;
    QVERIFY(reachBinding(bindFeature, &bindId));
    m_fake->send(bindResult(bindId));
    QVERIFY(connectedSpy.wait(5000));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
    QCOMPARE(m_client->jid().text(), boundJid);
    QVERIFY(m_fake->waitFor("</presence>"));
    QVERIFY(!m_fake->received().contains("<session"));
    QCOMPARE(connectedSpy.size(), 1);
}

void TestXmppClientScripted::sessionAnswerMatchedById()
{
    QSignalSpy connectedSpy(m_client.get(), &XMPPClient::connected);
    QString bindId;
    QVERIFY(reachBinding(bindFeature + sessionFeature, &bindId));
    m_fake->send(bindResult(bindId));
    QVERIFY(m_fake->waitFor("</iq>"));
    QVERIFY(m_fake->received().contains("urn:ietf:params:xml:ns:xmpp-session"));
    const QString sessionId = m_fake->lastId("iq");
    QVERIFY(!sessionId.isEmpty() && sessionId != bindId);
    QCOMPARE(m_client->state(), int(XMPPClient::BindingState));
    QVERIFY(connectedSpy.isEmpty());

    // Servers answer with an empty result, not a session element.
    m_fake->send(iqResult(sessionId));
    QVERIFY(connectedSpy.wait(5000));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
    QVERIFY(m_fake->waitFor("</presence>"));
    QTest::qWait(50);
    QCOMPARE(connectedSpy.size(), 1);
}

void TestXmppClientScripted::answerToOtherIdDuringLoginFails()
{
    QSignalSpy connectedSpy(m_client.get(), &XMPPClient::connected);
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QString bindId;
    QVERIFY(reachBinding(bindFeature, &bindId));
    m_fake->send(iqResult(QStringLiteral("999")));
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("stream_error, code: 12, what: "));
    QVERIFY(m_fake->waitForDisconnected());
    QVERIFY(connectedSpy.isEmpty());
}

void TestXmppClientScripted::optionalSessionLogsIn()
{
    QSignalSpy connectedSpy(m_client.get(), &XMPPClient::connected);
    QString bindId;
    QVERIFY(reachBinding(bindFeature + "<session xmlns='urn:ietf:params:xml:ns:xmpp-session'><optional/></session>",
                         &bindId));
    m_fake->send(bindResult(bindId));
    // An optional session is not requested: the bind result alone completes login.
    QVERIFY(connectedSpy.wait(5000));
    QVERIFY(!m_fake->received().contains("xmpp-session"));
    QCOMPARE(connectedSpy.size(), 1);
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
}

void TestXmppClientScripted::bindOrSessionErrorFails_data()
{
    QTest::addColumn<bool>("failSession");
    QTest::newRow("bind") << false;
    QTest::newRow("session") << true;
}

void TestXmppClientScripted::bindOrSessionErrorFails()
{
    QFETCH(bool, failSession);
    QSignalSpy connectedSpy(m_client.get(), &XMPPClient::connected);
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QString id;
    QVERIFY(reachBinding(bindFeature + sessionFeature, &id));
    if (failSession) {
        m_fake->send(bindResult(id));
        QVERIFY(m_fake->waitFor("</iq>"));
        id = m_fake->lastId("iq");
        m_fake->clearReceived();
    }
    m_fake->send("<iq type='error' id='" + id.toUtf8()
                 + "'><error type='cancel'><not-allowed xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QCOMPARE(errorSpy.at(0).at(1).toString(),
             QStringLiteral("stream_error, code: 19, what: %1 failed").arg(failSession ? "session" : "bind"));
    QVERIFY(m_fake->waitFor("<undefined-condition"));
    QVERIFY(connectedSpy.isEmpty());
    QVERIFY(m_fake->waitForDisconnected());
}

void TestXmppClientScripted::noBindFeatureFails()
{
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QVERIFY(reachAuth());
    m_fake->send(saslSuccess);
    QVERIFY(m_fake->waitFor("<stream:stream"));
    m_fake->sendHeader();
    m_fake->sendFeatures(sessionFeature);
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("stream_error, code: 13, what: bind feature required"));
    // The stream was past authentication, so its end is written too.
    QVERIFY(m_fake->waitFor("</stream:stream>"));
}

void TestXmppClientScripted::unexpectedElementDuringLogin()
{
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QVERIFY(startClient(XMPPClient::TlsNever));
    m_fake->send("<message from='x@localhost'><body>hi</body></message>");
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("stream_error, code: 12, what: "));
    QVERIFY(m_fake->waitFor("<not-authorized"));
    QVERIFY(m_fake->waitForDisconnected());
}

void TestXmppClientScripted::serverStreamErrorDuringLogin()
{
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(m_client.get(), &XMPPClient::disconnected);
    QVERIFY(startClient(XMPPClient::TlsNever));
    m_fake->send("<stream:error><host-unknown xmlns='urn:ietf:params:xml:ns:xmpp-streams'/>"
                 "<text xmlns='urn:ietf:params:xml:ns:xmpp-streams'>No such host</text></stream:error>");
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::ConnectionError);
    QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("stream_error, code: 5, what: No such host"));
    QVERIFY(m_fake->waitForDisconnected());
    // The server ended the stream: it gets no error of ours back.
    QVERIFY(!m_fake->received().contains("stream:error"));
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.size(), 1, 5000);
}

void TestXmppClientScripted::malformedXmlEndsStream()
{
    QVERIFY(login());
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy messageSpy(m_client.get(), &XMPPClient::messageReceived);
    m_fake->send("<message><body>x</message><message><body>never</body></message>");
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QVERIFY(errorSpy.at(0).at(1).toString().startsWith(QStringLiteral("stream_parse_error, code: 23")));
    QVERIFY(m_fake->waitFor("<xml-not-well-formed"));
    QVERIFY(messageSpy.isEmpty());
    QVERIFY(m_fake->waitForDisconnected());
}

void TestXmppClientScripted::overlongAddressEndsStream()
{
    QVERIFY(login());
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(m_client.get(), &XMPPClient::disconnected);
    m_fake->send("<message from='" + QByteArray(2000, 'n') + "@localhost'><body>x</body></message>");
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::ConnectionError);
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.size(), 1, 5000);
}

void TestXmppClientScripted::requestAnsweredWithErrorToSender()
{
    QVERIFY(login());
    m_fake->send("<iq type='get' id='q1' from='friend@localhost/phone' to='" + boundJid.toUtf8()
                 + "'><ping xmlns='urn:xmpp:ping'/></iq>");
    QVERIFY(m_fake->waitFor("</iq>"));
    const QByteArray reply = m_fake->received();
    QCOMPARE(attributeText(reply, "to"), QStringLiteral("friend@localhost/phone"));
    QCOMPARE(attributeText(reply, "id"), QStringLiteral("q1"));
    QCOMPARE(attributeText(reply, "type"), QStringLiteral("error"));
    QVERIFY(reply.contains("<error type=\"cancel\"><feature-not-implemented"));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));

    // A message of a kind nobody handles goes on without closing anything.
    m_fake->clearReceived();
    m_fake->send("<iq type='set' id='q2'><query xmlns='jabber:iq:version'/></iq>");
    QVERIFY(m_fake->waitFor("</iq>"));
    QCOMPARE(attributeText(m_fake->received(), "id"), QStringLiteral("q2"));
    QVERIFY(!m_fake->received().contains(" to=")); // from the server itself
}

void TestXmppClientScripted::answersWithoutHandlerAreNotAnswered()
{
    QVERIFY(login());
    m_fake->send(iqResult(QStringLiteral("77")));
    m_fake->send("<iq type='error' id='78' from='friend@localhost/x'><error type='cancel'>"
                 "<item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    m_fake->send("<presence type='probe' from='localhost'/>");
    // The probe's answer shows the two iqs before it were handled.
    QVERIFY(m_fake->waitFor("</presence>"));
    QVERIFY(!m_fake->received().contains("<iq"));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
}

void TestXmppClientScripted::handlerCalledOnceWithAnswer()
{
    QVERIFY(login());
    const QString id = m_client->nextId();
    QList<int> calls;
    m_client->registerIqHandler(id, [&](xmpp::StreamElement *e) { calls << (e ? e->type() : -1); });
    m_fake->send(iqResult(id, "<query xmlns='http://jabber.org/protocol/disco#info'>"
                              "<feature var='http://jabber.org/protocol/muc'/></query>"));
    QTRY_COMPARE_WITH_TIMEOUT(calls.size(), 1, 5000);
    QCOMPARE(calls.at(0), int(xmpp::ElementType::IqDiscoInfo));

    // An error answer also reaches the handler; a repeat does not.
    const QString id2 = m_client->nextId();
    m_client->registerIqHandler(id2, [&](xmpp::StreamElement *e) { calls << (e ? e->type() : -1); });
    const QByteArray error =
        "<iq type='error' id='" + id2.toUtf8()
        + "'><error type='cancel'><item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>";
    m_fake->send(error);
    m_fake->send(error);
    m_fake->send(iqResult(id));
    QTRY_COMPARE_WITH_TIMEOUT(calls.size(), 2, 5000);
    QTest::qWait(100);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(1), int(xmpp::ElementType::Iq));
}

void TestXmppClientScripted::refusedStanzaCostsOnlyThatStanza()
{
    QVERIFY(login());
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy messageSpy(m_client.get(), &XMPPClient::messageReceived);
    QList<int> calls;
    auto record = [&](xmpp::StreamElement *e) { calls << (e ? e->type() : -1); };

    // A request the codec refuses still gets an answer, addressed to its sender.
    m_fake->send("<iq type='set' id='b1' from='friend@localhost/x'><query xmlns='jabber:iq:version'/>"
                 "<error type='cancel'><conflict xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QVERIFY(m_fake->waitFor("</iq>"));
    QCOMPARE(attributeText(m_fake->received(), "to"), QStringLiteral("friend@localhost/x"));
    QCOMPARE(attributeText(m_fake->received(), "id"), QStringLiteral("b1"));
    QVERIFY(m_fake->received().contains("<error type=\"modify\"><bad-request"));

    // An answer whose error type cannot be read ends its request as failed.
    const QString unreadable = m_client->nextId();
    m_client->registerIqHandler(unreadable, record);
    m_client->send(xmpp::Iq(unreadable, XMPPJid(QStringLiteral("friend@localhost/x")), xmpp::Iq::Get));
    m_fake->send("<iq type='error' id='" + unreadable.toUtf8()
                 + "' from='friend@localhost/x'><error type='Cancel'>"
                   "<item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QTRY_COMPARE_WITH_TIMEOUT(calls, QList<int>{-1}, 5000);

    // A search answer refused as a stanza: the error goes back to the service
    // and the request ends.
    m_fake->clearReceived();
    const QString search = m_client->nextId();
    m_client->registerIqHandler(search, record);
    m_client->send(xmpp::IqSearch(search, XMPPJid(QStringLiteral("search.localhost"))));
    QVERIFY(m_fake->waitFor("</iq>"));
    m_fake->clearReceived();
    m_fake->send("<iq type='result' id='" + search.toUtf8()
                 + "' from='search.localhost'>"
                   "<query xmlns='jabber:iq:search'><x xmlns='jabber:x:data' type='cancel'/></query></iq>");
    QVERIFY(m_fake->waitFor("</iq>"));
    QCOMPARE(attributeText(m_fake->received(), "to"), QStringLiteral("search.localhost"));
    QCOMPARE(attributeText(m_fake->received(), "id"), search);
    QTRY_COMPARE_WITH_TIMEOUT(calls, (QList<int>{-1, -1}), 5000);

    // Broken messages and presences are dropped without a word.
    m_fake->clearReceived();
    m_fake->send(
        "<message type='error' from='friend@localhost/x'><body>no error element</body></message>"
        "<presence from='friend@localhost/x'><error type='cancel'><gone xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/>"
        "</error></presence>"
        "<message type='chat' from='friend@localhost/x'><body>fine</body></message>");
    QTRY_COMPARE_WITH_TIMEOUT(messageSpy.size(), 1, 5000);
    QCOMPARE(messageSpy.at(0).at(0).value<XMPPMessage>().body(), QStringLiteral("fine"));
    QTest::qWait(50);
    QVERIFY(m_fake->received().isEmpty());
    QVERIFY(errorSpy.isEmpty());
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
}

void TestXmppClientScripted::stanzaOverABoundSkippedAlone_data()
{
    // What a hostile server, or another user through an ordinary one, can
    // send; "vcard" answers the client's request for a picture.
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("warning");
    const QByteArray to = "<message type='chat' from='friend@localhost/x' id='bad'";
    const QString dropped = QStringLiteral("xmpp: stanza dropped: stream_parse_error, code: 13, what: %1");
    QTest::newRow("nested 65 deep") << QByteArray(to + "><body>deep</body>" + QByteArray("<a>").repeated(64)
                                                  + QByteArray("</a>").repeated(64) + "</message>")
                                    << dropped.arg("element nested too deeply");
    QTest::newRow("element over a MiB") << QByteArray(to + "><body>" + QByteArray(1 << 20, 'x') + "</body></message>")
                                        << dropped.arg("element too large");
    QTest::newRow("vCard photo of 10 MB")
        << QByteArray("<iq type='result' id='vcard' from='friend@localhost'><vCard xmlns='vcard-temp'><PHOTO>"
                      "<TYPE>image/png</TYPE><BINVAL>"
                      + QByteArray(10 << 20, 'A') + "</BINVAL></PHOTO></vCard></iq>")
        << dropped.arg("element too large");
    QByteArray attributes;
    for (int i = 0; i < 60000; ++i)
        attributes += " a" + QByteArray::number(i) + "=''";
    QTest::newRow("60,000 attributes") << QByteArray(to + attributes + "><body>many</body></message>")
                                       << dropped.arg("too many attributes");
    QTest::newRow("attribute of a MiB") << QByteArray(to + " x='" + QByteArray(1 << 20, 'y') + "'/>")
                                        << dropped.arg("element too large");
    QTest::newRow("10 MB of spaces between stanzas")
        << QByteArray(10 << 20, ' ')
        << QStringLiteral("xmpp: dropping text between two stanzas longer than an element may be");
}

void TestXmppClientScripted::stanzaOverABoundSkippedAlone()
{
    QFETCH(QByteArray, sent);
    QFETCH(QString, warning);
    QuietClient quiet;
    QVERIFY(login());
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy messageSpy(m_client.get(), &XMPPClient::messageReceived);
    QSignalSpy vCardErrorSpy(m_client.get(), &XMPPClient::vCardReceivedError);
    const XMPPJid friendJid(QStringLiteral("friend@localhost"));
    if (sent.contains("id='vcard'")) {
        m_client->requestVCard(friendJid);
        QVERIFY(m_fake->waitFor("</iq>"));
        sent.replace("id='vcard'", "id='" + m_fake->lastId("iq").toUtf8() + "'");
    }
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    m_fake->send(sent + "<message type='chat' from='friend@localhost/x'><body>after</body></message>");
    QTRY_COMPARE_WITH_TIMEOUT(messageSpy.size(), 1, 30000);
    QCOMPARE(messageSpy.at(0).at(0).value<XMPPMessage>().body(), QStringLiteral("after"));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
    QVERIFY(errorSpy.isEmpty());
    // The refused answer ends its request as failed.
    QCOMPARE(vCardErrorSpy.size(), sent.contains("<vCard") ? 1 : 0);
}

void TestXmppClientScripted::pendingHandlersGetNullBeforeDisconnected()
{
    QVERIFY(login());
    QStringList events;
    for (const QString &id : {m_client->nextId(), m_client->nextId()})
        m_client->registerIqHandler(id, [&events, id](xmpp::StreamElement *e) {
            events << (e ? QStringLiteral("answer ") : QStringLiteral("null ")) + id;
        });
    connect(m_client.get(), &XMPPClient::disconnected, this, [&] { events << QStringLiteral("disconnected"); });
    m_fake->closeConnection();
    QTRY_COMPARE_WITH_TIMEOUT(events.size(), 3, 5000);
    QVERIFY(events.at(0).startsWith(QStringLiteral("null ")));
    QVERIFY(events.at(1).startsWith(QStringLiteral("null ")));
    QCOMPARE(events.at(2), QStringLiteral("disconnected"));
    QCOMPARE(m_client->state(), int(XMPPClient::UnconnectedState));
    QTest::qWait(50);
    QCOMPARE(events.size(), 3);
}

void TestXmppClientScripted::serverStreamErrorAfterLogin()
{
    QVERIFY(login());
    QSignalSpy errorSpy(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy disconnectedSpy(m_client.get(), &XMPPClient::disconnected);
    m_fake->send("<stream:error><conflict xmlns='urn:ietf:params:xml:ns:xmpp-streams'/>"
                 "<text xmlns='urn:ietf:params:xml:ns:xmpp-streams'>Replaced by new connection</text>"
                 "</stream:error>");
    QTRY_COMPARE_WITH_TIMEOUT(errorSpy.size(), 1, 5000);
    QCOMPARE(errorSpy.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::ConnectionError);
    QCOMPARE(errorSpy.at(0).at(1).toString(), QStringLiteral("Replaced by new connection"));
    QVERIFY(m_fake->waitFor("</stream:stream>"));
    QVERIFY(!m_fake->received().contains("<error"));
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.size(), 1, 5000);
}

void TestXmppClientScripted::serverEndsStream()
{
    QVERIFY(login());
    QSignalSpy disconnectedSpy(m_client.get(), &XMPPClient::disconnected);
    m_fake->send("</stream:stream>");
    QVERIFY(m_fake->waitFor("</stream:stream>"));
    QTRY_COMPARE_WITH_TIMEOUT(disconnectedSpy.size(), 1, 5000);
    QCOMPARE(disconnectedSpy.size(), 1);
    QCOMPARE(m_client->state(), int(XMPPClient::UnconnectedState));
}

void TestXmppClientScripted::lastWordsBeforeCloseAreRead()
{
    QVERIFY(login());
    const QuietClient quiet;
    QStringList events;
    connect(m_client.get(), &XMPPClient::messageReceived, this, [&](const XMPPMessage &m) { events << m.body(); });
    connect(m_client.get(), &XMPPClient::xmppError, this,
            [&](XMPPClient::XMPPError, const QString &text) { events << QStringLiteral("error ") + text; });
    connect(m_client.get(), &XMPPClient::disconnected, this, [&] { events << QStringLiteral("disconnected"); });
    // More than the client's socket holds at once, so that the close is
    // seen before all is read; then the reason, then the close.
    QByteArray burst;
    constexpr int count = 20000;
    for (int i = 0; i < count; ++i)
        burst += "<message type='groupchat' from='room@conference.localhost/x'><body>" + QByteArray::number(i)
                 + "</body></message>";
    m_fake->send(burst
                 + "<stream:error><system-shutdown xmlns='urn:ietf:params:xml:ns:xmpp-streams'/>"
                   "<text xmlns='urn:ietf:params:xml:ns:xmpp-streams'>going down</text></stream:error>");
    m_fake->closeConnection();
    QTRY_COMPARE_WITH_TIMEOUT(events.size(), count + 2, 30000);
    for (int i = 0; i < count; ++i)
        QCOMPARE(events.at(i), QString::number(i));
    QCOMPARE(events.at(count), QStringLiteral("error going down"));
    QCOMPARE(events.at(count + 1), QStringLiteral("disconnected"));
    QCOMPARE(m_client->state(), int(XMPPClient::UnconnectedState));
}

void TestXmppClientScripted::serverThatDoesNotReadIsDropped()
{
    QVERIFY(login());
    const QuietClient quiet;
    QStringList events;
    const QString pending = m_client->nextId();
    m_client->registerIqHandler(pending,
                                [&](xmpp::StreamElement *e) { events << QLatin1String(e ? "answer" : "null"); });
    connect(m_client.get(), &XMPPClient::disconnected, this, [&] { events << QStringLiteral("disconnected"); });
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^the XMPP server does not read: [0-9]+ bytes unsent, "
                                                           "ending the session$")));
    m_fake->stopReading();

    // Requests the client answers, sent as fast as it reads them, while its
    // answers stay unread: far more than the kernel's buffers hold.
    QByteArray batch;
    for (int i = 0; i < 1000; ++i)
        batch += "<iq type='get' id='g" + QByteArray::number(i)
                 + "' from='other@localhost/x'><query xmlns='jabber:iq:version'/></iq>";
    constexpr int maxBatches = 300;
    int batches = 0;
    const bool settled = QTest::qWaitFor(
        [&] {
        if (!events.isEmpty() || m_fake->bytesToWrite() > 64 * 1024)
            return !events.isEmpty();
        if (batches == maxBatches)
            return true;
        m_fake->send(batch);
        ++batches;
        return false;
        },
        60000);
    QVERIFY(settled);
    QVERIFY2(events.contains(QStringLiteral("disconnected")),
             qPrintable(QStringLiteral("session still up after %1 requests").arg(batches * 1000)));
    // Ended as a lost connection: the request still waiting failed first.
    QCOMPARE(events, (QStringList{QStringLiteral("null"), QStringLiteral("disconnected")}));
    QCOMPARE(m_client->state(), int(XMPPClient::UnconnectedState));
}

void TestXmppClientScripted::messagesDispatched()
{
    QVERIFY(login());
    QSignalSpy messageSpy(m_client.get(), &XMPPClient::messageReceived);
    // The second half arrives later: the stanza is completed across reads.
    m_fake->send("<message type='chat' from='friend@localhost/x'><bo");
    QTest::qWait(50);
    QVERIFY(messageSpy.isEmpty());
    m_fake->send("dy>hello</body></message>"
                 "<message type='error' from='friend@localhost/x'><error type='cancel'>"
                 "<item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></message>"
                 "<message type='chat' from='friend@localhost/x'><body>again</body></message>");
    QTRY_COMPARE_WITH_TIMEOUT(messageSpy.size(), 2, 5000);
    const auto first = messageSpy.at(0).at(0).value<XMPPMessage>();
    QCOMPARE(first.type(), int(XMPPMessage::Chat));
    QCOMPARE(first.from().text(), QStringLiteral("friend@localhost/x"));
    QCOMPARE(first.body(), QStringLiteral("hello"));
    QCOMPARE(messageSpy.at(1).at(0).value<XMPPMessage>().body(), QStringLiteral("again"));
    QVERIFY(!m_fake->received().contains("<message"));
}

void TestXmppClientScripted::presenceDispatch()
{
    QVERIFY(login());
    QSignalSpy presenceSpy(m_client.get(), &XMPPClient::presence);
    QSignalSpy requestSpy(m_client.get(), &XMPPClient::authorizationRequestReceived);
    m_fake->send("<presence from='a@localhost/x'><show>away</show><status>lunch</status>"
                 "<tables xmlns='"
                 + QByteArray(xmpp::ns::tablePresence)
                 + "'><path>101/Practice/9</path></tables>"
                   "</presence>"
                   "<presence type='subscribe' from='b@localhost'/>"
                   "<presence type='subscribed' from='c@localhost'/>"
                   "<presence type='unsubscribe' from='c@localhost'/>"
                   "<presence type='unsubscribed' from='c@localhost'/>"
                   "<presence type='unavailable' from='a@localhost/x'/>"
                   "<presence type='error' from='room@conference.localhost/me'><error type='cancel'>"
                   "<conflict xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></presence>");
    QTRY_COMPARE_WITH_TIMEOUT(presenceSpy.size(), 3, 5000);
    QCOMPARE(requestSpy.size(), 1);
    QCOMPARE(requestSpy.at(0).at(0).value<XMPPJid>().text(), QStringLiteral("b@localhost"));

    const auto away = presenceSpy.at(0).at(0).value<XMPPPresence>();
    QCOMPARE(away.availability(), int(XMPPPresence::Away));
    QCOMPARE(away.status(), QStringLiteral("lunch"));
    QCOMPARE(away.tables(), QSet<QString>{QStringLiteral("101/Practice/9")});
    QCOMPARE(presenceSpy.at(1).at(0).value<XMPPPresence>().availability(), int(XMPPPresence::Unavailable));
    const auto error = presenceSpy.at(2).at(0).value<XMPPPresence>();
    QCOMPARE(error.availability(), int(XMPPPresence::Error));
    QCOMPARE(int(error.errorType()), int(XMPPPresence::Conflict));
    // Subscription requests are left to the caller to answer.
    QTest::qWait(50);
    QVERIFY(!m_fake->received().contains("<presence"));

    m_fake->send("<presence type='probe' from='localhost'/>");
    QVERIFY(m_fake->waitFor("</presence>"));
}

void TestXmppClientScripted::rosterPushReachesRoster()
{
    QVERIFY(login());
    QSignalSpy updateSpy(m_client.get(), &XMPPClient::rosterUpdate);
    m_fake->send("<iq type='set' id='push1'><query xmlns='jabber:iq:roster'>"
                 "<item jid='42@localhost' subscription='both' name='Kim'/></query></iq>");
    QTRY_COMPARE_WITH_TIMEOUT(updateSpy.size(), 1, 5000);
    QCOMPARE(updateSpy.at(0).at(0).value<XMPPJid>().text(), QStringLiteral("42@localhost"));
    QTest::qWait(50);
    QVERIFY(!m_fake->received().contains("feature-not-implemented"));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
}

void TestXmppClientScripted::ownPresencePublishing()
{
    // Changes before the session are kept for the first presence.
    m_client->setPhotoHash(QByteArray::fromHex("00ff10"));
    m_client->addTablePath(QStringLiteral("101/Practice/5"));
    QString bindId;
    QVERIFY(reachBinding(bindFeature, &bindId));
    QVERIFY(!m_fake->received().contains("<presence"));
    m_fake->send(bindResult(bindId));
    QVERIFY(m_fake->waitFor("</presence>"));
    QByteArray sent = m_fake->received();
    QVERIFY(sent.contains("<photo>00ff10</photo>"));
    QVERIFY(sent.contains("<path>101/Practice/5</path>"));
    QVERIFY(!sent.contains("<show"));
    QVERIFY(!sent.contains("<priority"));
    QVERIFY(!sent.contains(" to="));
    QVERIFY(!sent.contains(" id="));
    m_fake->clearReceived();

    // Adding a path already there publishes again, with the path once.
    m_client->addTablePath(QStringLiteral("101/Practice/5"));
    QVERIFY(m_fake->waitFor("</presence>"));
    QCOMPARE(m_fake->received().count("<path>"), 1);
    m_fake->clearReceived();

    m_client->removeTablePath(QStringLiteral("999/None/1"));
    QTest::qWait(100);
    QVERIFY(m_fake->received().isEmpty());

    m_client->removeTablePath(QStringLiteral("101/Practice/5"));
    QVERIFY(m_fake->waitFor("</presence>"));
    QVERIFY(!m_fake->received().contains("<tables"));
    m_fake->clearReceived();

    m_client->setPhotoHash(QByteArray::fromHex("abcd"));
    QVERIFY(m_fake->waitFor("</presence>"));
    QVERIFY(m_fake->received().contains("<photo>abcd</photo>"));
}

void TestXmppClientScripted::subscriptionStanzas()
{
    QVERIFY(login());
    const XMPPJid friendJid(QStringLiteral("localhost"), QStringLiteral("42"));
    const struct
    {
        std::function<void()> call;
        const char *type;
    } cases[] = {
        {[&] { m_client->requestSubscription(friendJid, false); }, "subscribe"},
        {[&] { m_client->requestSubscription(friendJid, true); }, "unsubscribe"},
        {[&] { m_client->answerSubscription(friendJid, true); }, "subscribed"},
        {[&] { m_client->answerSubscription(friendJid, false); }, "unsubscribed"},
    };
    for (const auto &c : cases) {
        m_fake->clearReceived();
        c.call();
        QVERIFY(m_fake->waitFor("</presence>"));
        const QByteArray sent = m_fake->received();
        QCOMPARE(attributeText(sent, "to"), QStringLiteral("42@localhost"));
        QCOMPARE(attributeText(sent, "type"), QString::fromLatin1(c.type));
        QVERIFY(!sent.contains(" id="));
    }
}

void TestXmppClientScripted::connectWhileConnectedIgnored()
{
    QVERIFY(login());
    QSignalSpy socketErrorSpy(m_client.get(), &XMPPClient::socketError);
    m_client->connectToHost(QStringLiteral("127.0.0.1"), 1, XMPPClient::TlsNever);
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
    QTest::qWait(50);
    QVERIFY(socketErrorSpy.isEmpty());
    QVERIFY(m_fake->isConnected());
}

void TestXmppClientScripted::conferenceRequestsNeedSession()
{
    auto notConnected = [&](auto &&call) {
        try {
            call();
        } catch (const std::runtime_error &e) {
            return QString::fromLatin1(e.what()) == QLatin1String("not connected");
        }
        return false;
    };
    QVERIFY(notConnected([&] { m_client->discoverConference(); }));
    QVERIFY(notConnected([&] { m_client->requestConferenceRooms(XMPPJid(QStringLiteral("conference.localhost"))); }));

    QVERIFY(login());
    m_client->discoverConference();
    QVERIFY(m_fake->waitFor("http://jabber.org/protocol/disco#info"));
    m_fake->clearReceived();
    m_client->requestConferenceRooms(XMPPJid(QStringLiteral("conference.localhost")));
    QVERIFY(m_fake->waitFor("http://jabber.org/protocol/disco#items"));
    QCOMPARE(attributeText(m_fake->received(), "to"), QStringLiteral("conference.localhost"));
}

QTEST_GUILESS_MAIN(TestXmppClientScripted)
#include "tst_xmppclient_scripted.moc"
