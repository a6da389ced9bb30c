#include "xmpp/elements/ErrorConditions.h"
#include "xmpp/elements/MucUserInfo.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/XMPPDataForm.h"
#include "xmpp/elements/XMPPDataReport.h"
#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPMessage.h"
#include "xmpp/elements/XMPPVCard.h"
#include "xmpp/elements/stanza_error.h"
#include "xmpp/elements/stream_parse_error.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

#include <any>
#include <stdexcept>

class TestXmppModel : public QObject
{
    Q_OBJECT

private slots:
    void jidText_data();
    void jidText();
    void jidParts();
    void jidLengthLimits();
    void jidEquality();
    void vCardPhotoSizeIsBounded();

    void exceptionMessages();
    void conditionTables();

    void messageTypes();
    void messageBodiesByLanguage();
    void messageDelay();

    void dataFormFields();
    void dataFormCopyIsDeep();
    void reportRows();
    void mucStatusIndex();
    void presenceTypes();
};

void TestXmppModel::jidText_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QString>("text");
    QTest::newRow("node@domain") << "d"
                                 << "n"
                                 << ""
                                 << "n@d";
    QTest::newRow("full") << "d"
                          << "n"
                          << "r"
                          << "n@d/r";
    QTest::newRow("domain/resource") << "d"
                                     << ""
                                     << "r"
                                     << "d/r";
    QTest::newRow("domain only") << "conf"
                                 << ""
                                 << ""
                                 << "conf";
}

void TestXmppModel::jidText()
{
    QFETCH(QString, domain);
    QFETCH(QString, node);
    QFETCH(QString, resource);
    QFETCH(QString, text);
    const XMPPJid jid(domain, node, resource);
    QCOMPARE(jid.text(), text);
    QVERIFY(!jid.isNull());
}

void TestXmppModel::jidParts()
{
    const XMPPJid occupant(QStringLiteral("room@conf/nick/with/slash"));
    QCOMPARE(occupant.resource(), QStringLiteral("nick/with/slash"));
    QCOMPARE(occupant.bare().text(), QStringLiteral("room@conf"));
    QCOMPARE(occupant.node(), QStringLiteral("room"));
    QCOMPARE(occupant.domain(), QStringLiteral("conf"));

    const XMPPJid service(QStringLiteral("conf"));
    QCOMPARE(service.node(), QStringLiteral("conf"));
    QCOMPARE(service.domain(), QStringLiteral("conf"));
    QVERIFY(service.resource().isEmpty());

    QVERIFY(XMPPJid().isNull());
    QVERIFY(XMPPJid().bare().isNull());
}

void TestXmppModel::jidLengthLimits()
{
    const QString max(1023, QLatin1Char('a'));
    const QString over(1024, QLatin1Char('a'));
    QCOMPARE(XMPPJid(max).text().size(), 1023);
    QCOMPARE(XMPPJid(QStringLiteral("d"), max, max).text().size(), 1023 * 2 + 3);
    // A valid address has a valid bare address, however long node and domain are together.
    QCOMPARE(XMPPJid(max, max, QStringLiteral("r")).bare().text(), max + QLatin1Char('@') + max);

    auto message = [](auto &&make) {
        try {
            make();
        } catch (const std::invalid_argument &e) {
            return QString::fromLatin1(e.what());
        }
        return QString();
    };
    QCOMPARE(message([&] { (void)XMPPJid(over); }), QStringLiteral("domainId too long"));
    QCOMPARE(message([&] { XMPPJid(QStringLiteral("d"), over); }), QStringLiteral("nodeId too long"));
    QCOMPARE(message([&] { XMPPJid(QStringLiteral("d"), QStringLiteral("n"), over); }),
             QStringLiteral("resourceId too long"));
    // The domain is checked first.
    QCOMPARE(message([&] { XMPPJid(over, over, over); }), QStringLiteral("domainId too long"));
}

void TestXmppModel::jidEquality()
{
    // Node and domain compare case aside, the resource exactly.
    QVERIFY(XMPPJid(QStringLiteral("D"), QStringLiteral("A")) == XMPPJid(QStringLiteral("d"), QStringLiteral("a")));
    QCOMPARE(qHash(XMPPJid(QStringLiteral("A@D/r"))), qHash(XMPPJid(QStringLiteral("a@d/r"))));
    QVERIFY(XMPPJid(QStringLiteral("a@d/R")) != XMPPJid(QStringLiteral("a@d/r")));
    QVERIFY(XMPPJid(QStringLiteral("a@d")) == XMPPJid(QStringLiteral("d"), QStringLiteral("a")));
}

void TestXmppModel::exceptionMessages()
{
    const xmpp::stream_error streamError(13, QStringLiteral("TLS required"));
    QCOMPARE(QString::fromLocal8Bit(streamError.what()), QStringLiteral("stream_error, code: 13, what: TLS required"));
    QCOMPARE(streamError.condition(), 13);

    const xmpp::stream_parse_error parseError(23, QStringLiteral("oops"));
    QCOMPARE(QString::fromLocal8Bit(parseError.what()), QStringLiteral("stream_parse_error, code: 23, what: oops"));
    // Caught as a stream error, copied intact.
    try {
        throw parseError;
    } catch (const xmpp::stream_error &e) {
        QCOMPARE(e.code(), 23);
        QCOMPARE(e.text(), QStringLiteral("oops"));
    }

    const xmpp::stanza_error presence(2, 1, 22, QStringLiteral("7"));
    QCOMPARE(QString::fromLocal8Bit(presence.what()), QStringLiteral("presence_error, type: 1, error: 22, id: 7"));
    const xmpp::stanza_error copy = presence;
    QCOMPARE(copy.kind(), 2);
    QCOMPARE(copy.id(), QStringLiteral("7"));
    QCOMPARE(QString::fromLocal8Bit(xmpp::stanza_error(0, 4, 4, QString()).what()),
             QStringLiteral("message_error, type: 4, error: 4, id: "));
    QVERIFY(QString::fromLocal8Bit(xmpp::stanza_error(1, 1, 1, QStringLiteral("x")).what()).startsWith("iq_error"));
}

void TestXmppModel::conditionTables()
{
    using namespace xmpp;
    // Every name maps back to its own code, in all four tables.
    for (int i = 0; i < StreamErrorCondition::Count; ++i)
        QCOMPARE(streamErrorConditionFromName(streamErrorConditionName(i)), i);
    for (int i = 0; i < SASLFailureCondition::Count; ++i)
        QCOMPARE(saslFailureConditionFromName(saslFailureConditionName(i)), i);
    for (int i = 1; i < StanzaErrorType::Count; ++i)
        QCOMPARE(stanzaErrorTypeFromName(stanzaErrorTypeName(i)), i);
    for (int i = 1; i < StanzaErrorCondition::Count; ++i)
        QCOMPARE(stanzaErrorConditionFromName(stanzaErrorConditionName(i)), i);

    QCOMPARE(streamErrorConditionName(17), QStringLiteral("see-other-host"));
    QCOMPARE(streamErrorConditionName(23), QStringLiteral("xml-not-well-formed"));
    QCOMPARE(stanzaErrorConditionName(7), QStringLiteral("item-not-found"));
    QCOMPARE(stanzaErrorConditionName(22), QStringLiteral("unexpected-request"));
    QCOMPARE(stanzaErrorTypeName(4), QStringLiteral("auth"));
    QCOMPARE(saslFailureConditionFromName(QStringLiteral("not-authorized")), 5);

    QCOMPARE(streamErrorConditionFromName(QStringLiteral("Conflict")), -1);
    QCOMPARE(streamErrorConditionFromName(QStringLiteral("zzz")), -1);
    QCOMPARE(stanzaErrorConditionFromName(QStringLiteral("")), 0);
    QCOMPARE(stanzaErrorTypeFromName(QStringLiteral("Cancel")), 0);
    QVERIFY(streamErrorConditionName(24).isEmpty());
    QVERIFY(stanzaErrorConditionName(0).isEmpty());
}

void TestXmppModel::messageTypes()
{
    XMPPMessage message(XMPPJid(QStringLiteral("room@conf")), XMPPMessage::GroupChat);
    QCOMPARE(message.stanza().typeText, QStringLiteral("groupchat"));
    QCOMPARE(message.to().text(), QStringLiteral("room@conf"));
    message.setType(7);
    QVERIFY(message.stanza().typeText.isNull());

    xmpp::MessageStanza stanza;
    for (const char *text : {"normal", "bogus", ""}) {
        stanza.typeText = QString::fromLatin1(text);
        QCOMPARE(XMPPMessage(stanza, QStringLiteral("en")).type(), int(XMPPMessage::Normal));
    }
    stanza.typeText = QStringLiteral("chat");
    QCOMPARE(XMPPMessage(stanza, QString()).type(), int(XMPPMessage::Chat));
    stanza.typeText = QStringLiteral("error");
    QCOMPARE(XMPPMessage(stanza, QString()).type(), int(XMPPMessage::Error));
}

void TestXmppModel::messageBodiesByLanguage()
{
    XMPPMessage message(XMPPJid(QStringLiteral("a@d")), XMPPMessage::Chat);
    message.setBody(QStringLiteral("hello"));
    QCOMPARE(message.body(), QStringLiteral("hello"));
    message.setBody(QStringLiteral("fr"), QStringLiteral("salut"));
    QCOMPARE(message.body(QStringLiteral("fr")), QStringLiteral("salut"));
    QCOMPARE(message.body(), QStringLiteral("hello"));

    XMPPMessage german(XMPPJid(QStringLiteral("a@d")), XMPPMessage::Chat);
    german.stanza().lang = QStringLiteral("de");
    german.setBody(QStringLiteral("de"), QStringLiteral("hallo"));
    QCOMPARE(german.stanza().bodies.value(QStringLiteral("UND")), QStringLiteral("hallo"));
    QCOMPARE(german.body(), QStringLiteral("hallo"));

    // Received: a body tagged with the stream's language is the message's own.
    xmpp::MessageStanza stanza;
    stanza.bodies.insert(QStringLiteral("en"), QStringLiteral("hi"));
    stanza.bodies.insert(QStringLiteral("de"), QStringLiteral("hallo"));
    const XMPPMessage received(stanza, QStringLiteral("en"));
    QCOMPARE(received.body(), QStringLiteral("hi"));
    QCOMPARE(received.body(QStringLiteral("en")), QStringLiteral("hi"));
    QCOMPARE(received.body(QStringLiteral("de")), QStringLiteral("hallo"));
    QCOMPARE(received.stanza().defaultLanguage, QStringLiteral("en"));
}

void TestXmppModel::messageDelay()
{
    XMPPMessage plain(XMPPJid(QStringLiteral("a@d")), XMPPMessage::Chat);
    QVERIFY(!plain.hasDelay());
    QVERIFY(plain.delayStamp().isNull());
    QVERIFY_THROWS_EXCEPTION(std::bad_any_cast, plain.delayInfo());

    xmpp::MessageStanza stanza;
    const QDateTime stamp(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
    stanza.delay = xmpp::DelayedDeliveryInfo{XMPPJid(QStringLiteral("room@conf")), stamp};
    const xmpp::MessageStanza copy = stanza; // the copy clones the held value
    stanza.delay.reset();
    const XMPPMessage delayed(copy, QString());
    QVERIFY(delayed.hasDelay());
    QCOMPARE(delayed.delayStamp(), stamp);
    QCOMPARE(delayed.delayInfo().from.text(), QStringLiteral("room@conf"));
}

void TestXmppModel::dataFormFields()
{
    XMPPDataForm::Field jids(XMPPDataForm::JidMulti, QStringLiteral("j"));
    QVERIFY(std::holds_alternative<QList<XMPPJid>>(jids.value));
    QVERIFY(std::get<QList<XMPPJid>>(jids.value).isEmpty());
    XMPPDataForm::Field flag(XMPPDataForm::Boolean, QStringLiteral("b"));
    QCOMPARE(std::get<bool>(flag.value), false);
    QVERIFY(!flag.required);
    QVERIFY(std::holds_alternative<XMPPJid>(XMPPDataForm::initialValue(XMPPDataForm::JidSingle)));
    QVERIFY(std::holds_alternative<QStringList>(XMPPDataForm::initialValue(XMPPDataForm::TextMulti)));
    QVERIFY(std::holds_alternative<QString>(XMPPDataForm::initialValue(XMPPDataForm::TextPrivate)));

    QCOMPARE(XMPPDataForm::fieldTypeName(7), QStringLiteral("text-single"));
    QCOMPARE(XMPPDataForm::fieldTypeName(8), QStringLiteral("text-multi"));
    QCOMPARE(XMPPDataForm::fieldTypeName(9), QStringLiteral("text-private"));
    QCOMPARE(XMPPDataForm::fieldTypeFromName(QStringLiteral("jid-multi")), 4);
    QCOMPARE(XMPPDataForm::fieldTypeFromName(QStringLiteral("nope")), -1);

    XMPPDataForm form(XMPPDataForm::DataForm);
    form.addField(new XMPPDataForm::Field(XMPPDataForm::TextSingle, QStringLiteral("first")));
    form.addField(new XMPPDataForm::Field(XMPPDataForm::Hidden, QStringLiteral("FORM_TYPE")));
    QCOMPARE(form.vars(), QStringList({"first", "FORM_TYPE"}));
    QCOMPARE(form.field(QStringLiteral("FORM_TYPE"))->type, int(XMPPDataForm::Hidden));
    QVERIFY(!form.field(QStringLiteral("missing")));
}

void TestXmppModel::dataFormCopyIsDeep()
{
    XMPPDataForm form(XMPPDataForm::DataForm);
    form.setTitle(QStringLiteral("Search"));
    form.addField(
        new XMPPDataForm::Field(XMPPDataForm::TextSingle, QStringLiteral("nick"), QStringLiteral("Nickname")));
    {
        XMPPDataForm copy = form;
        copy.field(QStringLiteral("nick"))->value = QStringLiteral("bob");
        XMPPDataForm assigned;
        assigned = copy;
        QCOMPARE(std::get<QString>(assigned.field(QStringLiteral("nick"))->value), QStringLiteral("bob"));
        QCOMPARE(assigned.title(), QStringLiteral("Search"));
    }
    QCOMPARE(form.fieldCount(), 1);
    QCOMPARE(std::get<QString>(form.field(QStringLiteral("nick"))->value), QString());
    QCOMPARE(form.fieldAt(0)->label, QStringLiteral("Nickname"));
}

void TestXmppModel::reportRows()
{
    XMPPDataReport::Row row;
    row.add(QStringLiteral("nick"), QString());
    row.add(QStringLiteral("jid"), QStringLiteral("a@d"));
    QCOMPARE(row.vars, QStringList({"nick", "jid"}));
    QVERIFY(!row.values.contains(QStringLiteral("nick")));
    QCOMPARE(row.value(QStringLiteral("jid")), QStringLiteral("a@d"));
    QVERIFY(XMPPDataReport().isEmpty());
}

void TestXmppModel::mucStatusIndex()
{
    QCOMPARE(xmpp::MucUserInfo::statusIndex(100), 1);
    QCOMPARE(xmpp::MucUserInfo::statusIndex(110), 6);
    QCOMPARE(xmpp::MucUserInfo::statusIndex(201), 12);
    QCOMPARE(xmpp::MucUserInfo::statusIndex(307), 16);
    QCOMPARE(xmpp::MucUserInfo::statusIndex(332), 19);
    QCOMPARE(xmpp::MucUserInfo::statusIndex(999), 0);
}

void TestXmppModel::presenceTypes()
{
    using xmpp::PresenceStanza;
    QCOMPARE(PresenceStanza::presenceTypeFromText(QStringLiteral("unavailable")), 5);
    QCOMPARE(PresenceStanza::presenceTypeFromText(QStringLiteral("error")), 7);
    QCOMPARE(PresenceStanza::presenceTypeFromText(QStringLiteral("Unavailable")), 0);
    const PresenceStanza subscribe(XMPPJid(QStringLiteral("a@d")), PresenceStanza::Subscribe);
    QCOMPARE(subscribe.typeText, QStringLiteral("subscribe"));
    QVERIFY(PresenceStanza(XMPPJid(), PresenceStanza::Available).typeText.isNull());
    QVERIFY(PresenceStanza().photoHash.isNull());
}

void TestXmppModel::vCardPhotoSizeIsBounded()
{
    auto encoded = [](const QSize &size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    };
    XMPPVCard card;
    QVERIFY(card.loadPhoto(encoded(QSize(96, 96))));
    QCOMPARE(card.photo().size(), QSize(96, 96));

    // A small file that claims a huge canvas is refused before decoding.
    const QByteArray wide = encoded(QSize(XMPPVCard::MaxPhotoSide + 1, 2));
    QVERIFY(wide.size() < 1000);
    QVERIFY(!card.loadPhoto(wide, "PNG"));
    QVERIFY(card.photo().isNull());
    QVERIFY(!card.loadPhoto(QByteArray("not a picture")));
}

QTEST_GUILESS_MAIN(TestXmppModel)
#include "tst_xmpp_model.moc"
