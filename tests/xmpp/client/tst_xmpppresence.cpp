#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/XMPPPresence.h"

#include <QtTest>

#include <algorithm>

using xmpp::PresenceStanza;

namespace {

PresenceStanza stanza(int type, int show = PresenceStanza::ShowNone)
{
    PresenceStanza s(XMPPJid(QStringLiteral("d"), QStringLiteral("n"), QStringLiteral("r")), type);
    s.from = s.to;
    s.show = show;
    return s;
}

PresenceStanza errorStanza(int errorType, int condition)
{
    PresenceStanza s = stanza(PresenceStanza::Error);
    s.errorType = errorType;
    s.errorCondition = condition;
    return s;
}

} // namespace

class TestXmppPresence : public QObject
{
    Q_OBJECT

private slots:
    void availability_data();
    void availability();
    void errorType_data();
    void errorType();
    void rankPrefersAvailableAndKeepsFirstOfEquals();
    void setAvailabilityRoundTrips();
    void copiesAreIndependent();
    void statusTablesPhotoAndRoomData();
};

void TestXmppPresence::availability_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("show");
    QTest::addColumn<int>("expected");
    QTest::newRow("available") << int(PresenceStanza::Available) << int(PresenceStanza::ShowNone)
                               << int(XMPPPresence::Available);
    QTest::newRow("away") << int(PresenceStanza::Available) << int(PresenceStanza::Away) << int(XMPPPresence::Away);
    QTest::newRow("chat") << int(PresenceStanza::Available) << int(PresenceStanza::Chat) << int(XMPPPresence::Chat);
    QTest::newRow("dnd") << int(PresenceStanza::Available) << int(PresenceStanza::Dnd) << int(XMPPPresence::Dnd);
    QTest::newRow("xa") << int(PresenceStanza::Available) << int(PresenceStanza::Xa) << int(XMPPPresence::Xa);
    QTest::newRow("unavailable wins over show")
        << int(PresenceStanza::Unavailable) << int(PresenceStanza::Away) << int(XMPPPresence::Unavailable);
    QTest::newRow("error") << int(PresenceStanza::Error) << int(PresenceStanza::ShowNone) << int(XMPPPresence::Error);
    QTest::newRow("subscribe counts as available")
        << int(PresenceStanza::Subscribe) << int(PresenceStanza::ShowNone) << int(XMPPPresence::Available);
}

void TestXmppPresence::availability()
{
    QFETCH(int, type);
    QFETCH(int, show);
    QFETCH(int, expected);
    QCOMPARE(XMPPPresence(stanza(type, show)).availability(), expected);
}

void TestXmppPresence::errorType_data()
{
    using T = xmpp::StanzaErrorType;
    using C = xmpp::StanzaErrorCondition;
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("condition");
    QTest::addColumn<int>("expected");
    QTest::newRow("forbidden") << int(T::Auth) << int(C::Forbidden) << int(XMPPPresence::Forbidden);
    QTest::newRow("not-authorized") << int(T::Auth) << int(C::NotAuthorized) << int(XMPPPresence::NotAuthorized);
    QTest::newRow("registration-required")
        << int(T::Auth) << int(C::RegistrationRequired) << int(XMPPPresence::RegistrationRequired);
    QTest::newRow("conflict") << int(T::Cancel) << int(C::Conflict) << int(XMPPPresence::Conflict);
    QTest::newRow("service-unavailable") << int(T::Wait) << int(C::ServiceUnavailable)
                                         << int(XMPPPresence::ServiceUnavailable);
    QTest::newRow("recipient-unavailable")
        << int(T::Wait) << int(C::RecipientUnavailable) << int(XMPPPresence::RecipientUnavailable);
    QTest::newRow("not-allowed") << int(T::Cancel) << int(C::NotAllowed) << int(XMPPPresence::NotAllowed);
    QTest::newRow("item-not-found") << int(T::Cancel) << int(C::ItemNotFound) << int(XMPPPresence::OtherError);
    QTest::newRow("forbidden with wrong type") << int(T::Cancel) << int(C::Forbidden) << int(XMPPPresence::OtherError);
}

void TestXmppPresence::errorType()
{
    QFETCH(int, type);
    QFETCH(int, condition);
    QFETCH(int, expected);
    QCOMPARE(int(XMPPPresence(errorStanza(type, condition)).errorType()), expected);
    QCOMPARE(int(XMPPPresence(stanza(PresenceStanza::Available)).errorType()), int(XMPPPresence::NoError));
}

void TestXmppPresence::rankPrefersAvailableAndKeepsFirstOfEquals()
{
    const XMPPPresence available(stanza(PresenceStanza::Available));
    const XMPPPresence chat(stanza(PresenceStanza::Available, PresenceStanza::Chat));
    const XMPPPresence dnd(stanza(PresenceStanza::Available, PresenceStanza::Dnd));
    const XMPPPresence offline(stanza(PresenceStanza::Unavailable));
    QVERIFY(XMPPPresence::rankLess(chat, available));
    QVERIFY(!XMPPPresence::rankLess(available, chat));
    QVERIFY(XMPPPresence::rankLess(offline, dnd));

    PresenceStanza first = stanza(PresenceStanza::Available);
    first.statuses.insert(QStringLiteral("UND"), QStringLiteral("first"));
    PresenceStanza second = stanza(PresenceStanza::Available);
    second.statuses.insert(QStringLiteral("UND"), QStringLiteral("second"));
    const QList<XMPPPresence> list{chat, XMPPPresence(first), offline, XMPPPresence(second)};
    const auto best = std::max_element(list.begin(), list.end(), &XMPPPresence::rankLess);
    QCOMPARE(best->status(), QStringLiteral("first"));
}

void TestXmppPresence::setAvailabilityRoundTrips()
{
    for (int code = XMPPPresence::Error; code <= XMPPPresence::Xa; ++code) {
        PresenceStanza s = stanza(PresenceStanza::Subscribe, PresenceStanza::Dnd);
        XMPPPresence::setAvailability(code, s);
        const int expected = code == XMPPPresence::Error ? int(XMPPPresence::Available) : code;
        QCOMPARE(XMPPPresence(s).availability(), expected);
        QCOMPARE(s.typeText.isEmpty(), code != XMPPPresence::Unavailable);
    }
}

void TestXmppPresence::copiesAreIndependent()
{
    PresenceStanza s = stanza(PresenceStanza::Available);
    s.tablePaths = {QStringLiteral("101/Practice/1")};
    const XMPPPresence original(s);
    XMPPPresence copy = original;
    copy = XMPPPresence(stanza(PresenceStanza::Unavailable));
    QCOMPARE(original.tables(), QSet<QString>{QStringLiteral("101/Practice/1")});
    QCOMPARE(copy.availability(), int(XMPPPresence::Unavailable));
    QVERIFY(copy.tables().isEmpty());
}

void TestXmppPresence::statusTablesPhotoAndRoomData()
{
    PresenceStanza s = stanza(PresenceStanza::Available);
    QVERIFY(!XMPPPresence(s).hasPhotoHash());
    QVERIFY(XMPPPresence(s).status().isEmpty());
    s.statuses.insert(QStringLiteral("de"), QStringLiteral("weg"));
    QVERIFY(XMPPPresence(s).status().isEmpty());
    s.statuses.insert(QStringLiteral("UND"), QStringLiteral("out"));
    s.photoHash = QByteArray("");
    s.hasMucUser = true;
    s.mucUser.reason = QStringLiteral("spam");
    s.mucUser.statusCodes = {110, 307, 999};
    const XMPPPresence p(s);
    QCOMPARE(p.status(), QStringLiteral("out"));
    QVERIFY(p.hasPhotoHash()); // empty but present
    QVERIFY(p.hasRoomData());
    QCOMPARE(p.roomItem().reason, QStringLiteral("spam"));
    QCOMPARE(p.roomStatusIndexes(), (QList<int>{6, 16, 0}));
}

QTEST_GUILESS_MAIN(TestXmppPresence)
#include "tst_xmpppresence.moc"
