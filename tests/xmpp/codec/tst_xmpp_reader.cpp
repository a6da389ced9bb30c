#include "XmppTestUtil.h"

#include "xmpp/Logging.h"
#include "xmpp/elements/LogText.h"
#include "xmpp/elements/MessageStanza.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/Stanza.h"
#include "xmpp/elements/StreamFeatures.h"
#include "xmpp/elements/stream_parse_error.h"

#include <QtTest>

using namespace xmpptest;
using xmpp::StreamReader;

namespace {

// The code and text of what next() throws, or -1 when it throws nothing.
QPair<int, QString> refusal(StreamReader &reader, const QByteArray &data)
{
    reader.addData(data);
    try {
        while (reader.next() == StreamReader::ElementReady) {
        }
    } catch (const xmpp::stream_parse_error &e) {
        return {e.code(), e.text()};
    }
    return {-1, QString()};
}

const QByteArray message = "<message from='a@d/r' type='chat' id='m1'><body>hello there</body></message>";

} // namespace

class TestXmppReader : public QObject
{
    Q_OBJECT

private slots:
    void header();
    void headerRefusals_data();
    void headerRefusals();
    void stanzaInPieces();
    void everySplitPoint();
    void twoStanzasInOnePiece();
    void whitespaceProducesNothing();
    void whitespaceTextIsKept_data();
    void whitespaceTextIsKept();
    void endOfStream();
    void resetDropsOldBytes();
    void restrictedXml_data();
    void restrictedXml();
    void malformed();
    void refusedElementSkippedAlone_data();
    void refusedElementSkippedAlone();
    void defaultSizeLimit();
    void burstOverTheBoundReadWhole();
    void keepAlivesDoNotAddUp();
    void factoryErrorLeavesReaderUsable();
    void logLinesShowNoChatAndNoForgedLines();
    void serverLoginTranscript_data();
    void serverLoginTranscript();
};

void TestXmppReader::header()
{
    StreamReader reader;
    reader.addData(serverHeader());
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    QCOMPARE(reader.server().text(), QStringLiteral("example.net"));
    QCOMPARE(reader.streamLanguage(), QStringLiteral("en"));
    QVERIFY(!reader.element());
}

void TestXmppReader::headerRefusals_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("version 0.9") << QByteArray(
        "<stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams' version='0.9'>")
                                 << 22 << "unsupported version: 0.9";
    QTest::newRow("no version") << QByteArray(
        "<stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'>")
                                << 22 << "unsupported version: ";
    QTest::newRow("features first") << QByteArray("<stream:features xmlns:stream='http://etherx.jabber.org/streams'/>")
                                    << 0 << "invalid stream start tag: stream:features";
    QTest::newRow("stream in other namespace")
        << QByteArray("<stream xmlns='urn:other' version='1.0'>") << 0 << "invalid stream start tag: stream";
    QTest::newRow("from too long") << QByteArray(
        "<stream:stream xmlns:stream='http://etherx.jabber.org/streams' version='1.0' from='" + QByteArray(1024, 'x')
        + "'>") << 8 << "domainId too long";
    QTest::newRow("header of 33 attributes")
        << serverHeader(QByteArray(" a=''").repeated(27)) << 13 << "too many attributes";
    QTest::newRow("header over the size")
        << "<!--" + QByteArray(1 << 20, ' ') + "-->" + serverHeader() << 13 << "stream header too large";
    QTest::newRow("UTF-16") << QByteArray("\xff\xfe<\0?\0", 6) << 20 << "stream not in UTF-8";
}

void TestXmppReader::headerRefusals()
{
    QFETCH(QByteArray, data);
    QFETCH(int, code);
    QFETCH(QString, text);
    StreamReader reader;
    const auto result = refusal(reader, data);
    QCOMPARE(result.first, code);
    QCOMPARE(result.second, text);
}

void TestXmppReader::stanzaInPieces()
{
    StreamReader reader;
    reader.addData(serverHeader());
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    reader.addData(message.left(20));
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    reader.addData(message.mid(20, 30));
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    reader.addData(message.mid(50));
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    auto *stanza = dynamic_cast<xmpp::MessageStanza *>(reader.element());
    QVERIFY(stanza);
    QCOMPARE(stanza->bodies.value("UND"), QStringLiteral("hello there"));
    QCOMPARE(stanza->id, QStringLiteral("m1"));
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
}

void TestXmppReader::everySplitPoint()
{
    // Header, a stanza with multi-byte text, and a features element, cut
    // at every byte: the same elements come out every time.
    const QByteArray all = serverHeader() + "<presence from='b@d'><status>日本語 &amp; more</status></presence>"
                           + "<stream:features><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/></stream:features>";
    for (int cut = 1; cut < all.size(); ++cut) {
        StreamReader reader;
        QStringList seen;
        for (const QByteArray &piece : {all.left(cut), all.mid(cut)}) {
            reader.addData(piece);
            while (reader.next() == StreamReader::ElementReady) {
                if (auto *presence = dynamic_cast<xmpp::PresenceStanza *>(reader.element()))
                    seen << presence->statuses.value("UND");
                else if (auto *features = dynamic_cast<xmpp::StreamFeatures *>(reader.element()))
                    seen << (features->bindOffered ? "bind" : "nobind");
            }
        }
        QCOMPARE(seen, QStringList({QStringLiteral("日本語 & more"), QStringLiteral("bind")}));
    }
}

void TestXmppReader::twoStanzasInOnePiece()
{
    StreamReader reader;
    reader.addData(serverHeader() + message + message);
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
}

void TestXmppReader::whitespaceProducesNothing()
{
    StreamReader reader;
    reader.addData(serverHeader() + " \n\t ");
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    reader.addData("   ");
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    reader.addData("stray text " + message);
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    QCOMPARE(reader.element()->type(), int(xmpp::ElementType::MessageStanza));
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
}

void TestXmppReader::whitespaceTextIsKept_data()
{
    QTest::addColumn<QByteArray>("stanza");
    QTest::addColumn<QString>("body");
    QTest::newRow("space") << QByteArray("<message><body> </body></message>") << QStringLiteral(" ");
    QTest::newRow("tabs and lines") << QByteArray("<message><body>\t\n \n</body></message>")
                                    << QStringLiteral("\t\n \n");
    QTest::newRow("character reference") << QByteArray("<message><body>&#10;</body></message>") << QStringLiteral("\n");
    QTest::newRow("around text") << QByteArray("<message><body>  a  </body></message>") << QStringLiteral("  a  ");
    QTest::newRow("indented stanza") << QByteArray("<message>\n  <body>x</body>\n</message>") << QStringLiteral("x");
}

void TestXmppReader::whitespaceTextIsKept()
{
    QFETCH(QByteArray, stanza);
    QFETCH(QString, body);
    // Cut before the body's text ends as well, so the text comes in two reads.
    const QByteArray all = serverHeader() + stanza;
    const qsizetype cut = all.indexOf("</body>") - 1;
    StreamReader reader;
    reader.addData(all.left(cut));
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    reader.addData(all.mid(cut));
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    auto *message = dynamic_cast<xmpp::MessageStanza *>(reader.element());
    QVERIFY(message);
    QCOMPARE(message->bodies.value("UND"), body);
}

void TestXmppReader::endOfStream()
{
    StreamReader reader;
    reader.addData(serverHeader() + message + "</stream:stream>");
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    QCOMPARE(reader.next(), int(StreamReader::EndOfStream));
}

void TestXmppReader::resetDropsOldBytes()
{
    StreamReader reader;
    reader.addData(serverHeader() + message + "<message><bo");
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    reader.reset();
    QVERIFY(!reader.element());
    QVERIFY(reader.server().isNull());
    QVERIFY(reader.streamLanguage().isEmpty());

    // A new header is required again.
    QCOMPARE(refusal(reader, message).first, 0);

    StreamReader fresh;
    fresh.addData(serverHeader() + "<message><bo");
    QCOMPARE(fresh.next(), int(StreamReader::NeedMoreData));
    fresh.reset();
    fresh.addData(serverHeader() + message);
    QCOMPARE(fresh.next(), int(StreamReader::ElementReady));
    QCOMPARE(fresh.streamLanguage(), QStringLiteral("en"));
}

void TestXmppReader::restrictedXml_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");
    QTest::newRow("DTD") << QByteArray("<?xml version='1.0'?><!DOCTYPE lol [<!ENTITY a 'aaaaaaaaaa'>"
                                       "<!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'>]>"
                                       + serverHeader().mid(21))
                         << "DTD not allowed";
    QTest::newRow("processing instruction")
        << QByteArray(serverHeader() + "<?evil data?>") << "processing instruction not allowed: evil";
    QTest::newRow("processing instruction in stanza")
        << QByteArray(serverHeader() + "<message><?x y?></message>") << "processing instruction not allowed: x";
}

void TestXmppReader::restrictedXml()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    StreamReader reader;
    const auto result = refusal(reader, data);
    QCOMPARE(result.first, 16);
    QCOMPARE(result.second, text);
}

void TestXmppReader::malformed()
{
    StreamReader reader;
    const auto result = refusal(reader, serverHeader() + "<message><body></message>");
    QCOMPARE(result.first, 23);
    QVERIFY(!result.second.isEmpty());

    // An undeclared entity is not well-formed, never expanded.
    StreamReader entity;
    QCOMPARE(refusal(entity, serverHeader() + "<message><body>&xxe;</body></message>").first, 23);
}

void TestXmppReader::refusedElementSkippedAlone_data()
{
    // Under the test's limits: 1000 bytes, depth 8, 20 elements, 6
    // attributes per tag (as many as the stream header has).
    QTest::addColumn<QByteArray>("element");
    // What comes out between the stanzas before and after it.
    QTest::addColumn<QStringList>("events");
    auto nested = [](int levels) {
        return "<message id='d'>" + QByteArray("<a>").repeated(levels) + QByteArray("</a>").repeated(levels)
               + "</message>";
    };
    auto sized = [](int bytes) {
        const QByteArray open = "<message id='s'><body>", close = "</body></message>";
        return open + QByteArray(bytes - open.size() - close.size(), 'x') + close;
    };
    const QString tooLarge = QStringLiteral("refused element too large, kind %1, id %2");
    QTest::newRow("nested to the bound") << nested(7) << QStringList{"d"};
    QTest::newRow("nested one deeper") << nested(8) << QStringList{"refused element nested too deeply, kind 0, id d"};
    QTest::newRow("size of the bound") << sized(1000) << QStringList{"s"};
    QTest::newRow("one byte over") << sized(1001) << QStringList{tooLarge.arg(0).arg("s")};
    QTest::newRow("20 elements") << "<message id='e'>" + QByteArray("<a/>").repeated(19) + "</message>"
                                 << QStringList{"e"};
    QTest::newRow("21 elements") << "<message id='e'>" + QByteArray("<a/>").repeated(20) + "</message>"
                                 << QStringList{"refused too many elements, kind 0, id e"};
    QTest::newRow("six attributes") << QByteArray("<message id='m' a='' b=\"\" c='' d='' e=''/>") << QStringList{"m"};
    // Refused before the XML reader saw the start tag: only its kind is known.
    QTest::newRow("seven attributes on the stanza")
        << QByteArray("<message id='m' a='' b='' c='' d='' e='' f=''><body>x</body></message>")
        << QStringList{"refused too many attributes, kind 0, id "};
    QTest::newRow("seven attributes inside")
        << QByteArray("<iq type='result' id='q'><query xmlns='urn:x' a='1' b='2' c='3' d='4' e='5' f='6'/></iq>")
        << QStringList{"refused too many attributes, kind 1, id q"};
    QTest::newRow("attribute over the size")
        << QByteArray("<presence id='p' x='" + QByteArray(2000, 'y') + "'/>") << QStringList{tooLarge.arg(2).arg("")};
    // What looks like markup inside character data, comments and quoted
    // values does not end the skipped element.
    QTest::newRow("markup hidden in text")
        << QByteArray("<message id='c'><body><![CDATA[</message>]]><!-- </message> -->" + QByteArray(1000, 'z')
                      + "<![CDATA[</message><message>]]]]><!-- </message> --></body><a b='>' c=\"'>\"/>"
                        "<?x </message>?></message>")
        << QStringList{tooLarge.arg(0).arg("c")};
    QTest::newRow("not a stanza") << QByteArray("<stream:features>" + QByteArray(2000, 'f') + "</stream:features>")
                                  << QStringList{tooLarge.arg(-1).arg("")};
    // Keep-alive spaces, text and comments between stanzas: dropped, however long.
    QTest::newRow("text between stanzas")
        << QByteArray(QByteArray(5000, ' ') + "<!-- </stream:stream> -->text<![CDATA[<iq/>]]>") << QStringList();
}

void TestXmppReader::refusedElementSkippedAlone()
{
    QFETCH(QByteArray, element);
    QFETCH(QStringList, events);
    const QByteArray data = serverHeader() + "<iq type='result' id='1'/>" + element + "<iq type='result' id='2'/>";
    for (const int piece : {1, 7, 1 << 20}) {
        StreamReader reader;
        reader.setLimits(1000, 8, 20, 6);
        QStringList seen;
        for (qsizetype pos = 0; pos < data.size(); pos += piece) {
            reader.addData(data.mid(pos, piece));
            for (;;) {
                try {
                    if (reader.next() != StreamReader::ElementReady)
                        break;
                    seen << static_cast<xmpp::Stanza *>(reader.element())->id;
                } catch (const xmpp::stream_parse_error &e) {
                    QVERIFY2(e.code() == 13 && seen.size() < 10, e.what());
                    seen << QStringLiteral("refused %1, kind %2, id %3")
                                .arg(e.text())
                                .arg(reader.refusedStanza().kind)
                                .arg(reader.refusedStanza().id);
                }
            }
        }
        QCOMPARE(seen, QStringList{"1"} + events + QStringList{"2"});
        QCOMPARE(reader.server().text(), QStringLiteral("example.net"));
    }
}

void TestXmppReader::defaultSizeLimit()
{
    // A stanza with a picture passes; one past a mebibyte is refused.
    StreamReader reader;
    reader.addData(serverHeader() + "<iq type='result' id='v'><vCard xmlns='vcard-temp'><PHOTO><BINVAL>"
                   + QByteArray(512 * 1024, 'A') + "</BINVAL></PHOTO></vCard></iq>");
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    const QPair<int, QString> result = refusal(
        reader, "<message><body>" + QByteArray(StreamReader::DefaultMaxElementBytes, 'a') + "</body></message>");
    QCOMPARE(result.first, 13);
    QCOMPARE(result.second, QStringLiteral("element too large"));
    // So is one of more elements than any stanza needs, far below that.
    QCOMPARE(
        refusal(reader, "<message>" + QByteArray("<a/>").repeated(StreamReader::DefaultMaxElements) + "</message>"),
        qMakePair(13, QStringLiteral("too many elements")));
}

void TestXmppReader::burstOverTheBoundReadWhole()
{
    // A presence flood read from the socket at once: over a mebibyte in one
    // piece, each stanza far below the bound.
    QByteArray burst;
    constexpr int count = 14000;
    for (int i = 0; i < count; ++i)
        burst += "<presence from='" + QByteArray::number(100000 + i) + "@localhost/desk' id='p" + QByteArray::number(i)
                 + "'><show>away</show></presence>";
    QVERIFY(burst.size() > StreamReader::DefaultMaxElementBytes);
    StreamReader reader;
    reader.addData(serverHeader() + burst);
    int read = 0;
    try {
        while (reader.next() == StreamReader::ElementReady) {
            QCOMPARE(reader.element()->type(), int(xmpp::ElementType::PresenceStanza));
            ++read;
        }
    } catch (const xmpp::stream_parse_error &e) {
        QFAIL(qPrintable(QStringLiteral("refused after %1 of %2 stanzas: %3").arg(read).arg(count).arg(e.text())));
    }
    QCOMPARE(read, count);

    // The bound is on one element, its tags included, wherever the pieces
    // are cut: exactly at the limit passes, one character over is refused,
    // also behind many small stanzas in the same piece.
    const QByteArray small = "<iq type='result' id='1'/>";
    for (const int piece : {1 << 30, 7}) {
        for (const int extra : {0, 1}) {
            StreamReader bounded;
            bounded.setLimits(1000, 8);
            const QByteArray open = "<message><body>", close = "</body></message>";
            const QByteArray element = open + QByteArray(1000 + extra - open.size() - close.size(), 'x') + close;
            QByteArray data = serverHeader();
            for (int i = 0; i < 100; ++i)
                data += small;
            data += element + small;
            int elements = 0;
            QString refused;
            try {
                for (qsizetype pos = 0; pos < data.size(); pos += piece) {
                    bounded.addData(data.mid(pos, piece));
                    while (bounded.next() == StreamReader::ElementReady)
                        ++elements;
                }
            } catch (const xmpp::stream_parse_error &e) {
                refused = e.text();
            }
            const QByteArray label = "piece " + QByteArray::number(piece) + ", extra " + QByteArray::number(extra);
            QVERIFY2(refused == (extra ? QStringLiteral("element too large") : QString()), label);
            QVERIFY2(elements == (extra ? 100 : 102), label);
        }
    }
}

void TestXmppReader::keepAlivesDoNotAddUp()
{
    StreamReader reader;
    reader.setLimits(1000, 8);
    reader.addData(serverHeader());
    QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
    for (int i = 0; i < 3000; ++i) {
        reader.addData(" ");
        QCOMPARE(reader.next(), int(StreamReader::NeedMoreData));
        if (i % 100 == 0) {
            reader.addData("<iq type='result' id='1'/>");
            QCOMPARE(reader.next(), int(StreamReader::ElementReady));
        }
    }
}

void TestXmppReader::factoryErrorLeavesReaderUsable()
{
    StreamReader reader;
    reader.addData(serverHeader() + "<foo xmlns='urn:x'><deep/></foo>" + message);
    try {
        reader.next();
        QFAIL("accepted");
    } catch (const xmpp::stream_parse_error &e) {
        QCOMPARE(e.code(), 21);
        QCOMPARE(e.text(), QStringLiteral("foo"));
    }
    // The refused element was taken out of the tree; the next one is whole.
    QCOMPARE(reader.next(), int(StreamReader::ElementReady));
    QCOMPARE(reader.element()->type(), int(xmpp::ElementType::MessageStanza));
}

void TestXmppReader::logLinesShowNoChatAndNoForgedLines()
{
    QCOMPARE(xmpp::logText(u"a\nb\r\t\x1b[31m\u2028\u0085"), QStringLiteral("a\\nb\\r\\t\\u001b[31m\\u2028\\u0085"));
    QCOMPARE(xmpp::logText(u"日本語 & more"), QStringLiteral("日本語 & more"));

    static QStringList lines;
    lines.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("mahjong.xmpp.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &line) { lines << line; });
    StreamReader reader;
    reader.addData(serverHeader()
                   + "<message id='m&#10;[INFO ] forged' type='chat'><body>secret&#10;words</body></message>");
    const int result = reader.next();
    QString refused;
    try {
        reader.addData("<iq id='q' type='get&#10;[INFO ] forged'/>");
        reader.next();
    } catch (const xmpp::stream_parse_error &e) {
        refused = QString::fromLocal8Bit(e.what());
    }
    xmpp::MessageStanza sent;
    sent.id = QStringLiteral("s");
    sent.bodies.insert(QStringLiteral("UND"), QStringLiteral("secret reply"));
    written(sent);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());

    QCOMPARE(result, int(StreamReader::ElementReady));
    QCOMPARE(refused,
             QStringLiteral("stream_parse_error, code: 0, what: invalid iq type attribute <get\\n[INFO ] forged>"));
    QCOMPARE(lines, QStringList({QStringLiteral("xmpp: received message id=m\\n[INFO ] forged type=chat"),
                                 QStringLiteral("xmpp: sent message id=s")}));
}

void TestXmppReader::serverLoginTranscript_data()
{
    QTest::addColumn<int>("piece");
    for (int piece : {1, 7, 64, 100000})
        QTest::addRow("pieces of %d", piece) << piece;
}

void TestXmppReader::serverLoginTranscript()
{
    // What a server sends through a whole login, as three streams (the
    // stream restarts after TLS and after authentication).
    const QByteArray header = "<?xml version='1.0'?><stream:stream xmlns='jabber:client' xml:lang='en' id='a1b2' "
                              "from='localhost' version='1.0' xmlns:stream='http://etherx.jabber.org/streams'>";
    const QList<QByteArray> streams = {
        header
            + "<stream:features><starttls xmlns='urn:ietf:params:xml:ns:xmpp-tls'><required/></starttls>"
              "</stream:features><proceed xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>",
        header
            + "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>SCRAM-SHA-1</mechanism>"
              "<mechanism>PLAIN</mechanism></mechanisms></stream:features>\n"
              "<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>",
        header
            + "<stream:features><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><required/></bind>"
              "<session xmlns='urn:ietf:params:xml:ns:xmpp-session'><optional/></session>"
              "<ver xmlns='urn:xmpp:features:rosterver'/><c xmlns='http://jabber.org/protocol/caps' hash='sha-1' "
              "node='http://prosody.im' ver='abc='/></stream:features>"
              "<iq id='1' type='result'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>12@localhost/desk</jid></bind></iq>"
              "<iq type='result' id='2'/>"
              "<iq id='3' type='result'><query xmlns='jabber:iq:roster' ver='1'>"
              "<item jid='7@localhost' subscription='both' name='Ann'/></query></iq>"
              "<presence from='lobby@conference.localhost/ann'><x xmlns='http://jabber.org/protocol/muc#user'>"
              "<item affiliation='none' role='participant' jid='7@localhost/desk'/></x></presence>"
              "<message type='groupchat' from='lobby@conference.localhost/ann' id='x' xml:lang='en'><body>hi</body>"
              "<delay xmlns='urn:xmpp:delay' stamp='2024-03-09T14:05:06.123456Z' from='lobby@conference.localhost'/></message>"
              "<message from='lobby@conference.localhost' type='groupchat'><subject/></message> "
              "</stream:stream>"};
    QFETCH(int, piece);

    StreamReader reader;
    QList<int> types;
    for (const QByteArray &stream : streams) {
        reader.reset();
        bool ended = false;
        for (qsizetype pos = 0; pos < stream.size() && !ended; pos += piece) {
            reader.addData(stream.mid(pos, piece));
            for (int result; !ended && (result = reader.next()) != StreamReader::NeedMoreData;) {
                if (result == StreamReader::EndOfStream)
                    ended = true;
                else
                    types << reader.element()->type();
            }
        }
        QCOMPARE(reader.server().text(), QStringLiteral("localhost"));
        QCOMPARE(reader.streamLanguage(), QStringLiteral("en"));
    }
    using T = xmpp::ElementType;
    QCOMPARE(types, QList<int>({T::StreamFeatures, T::TLSProceed, T::StreamFeatures, T::SASLSuccess, T::StreamFeatures,
                                T::IqBind, T::Iq, T::IqRoster, T::PresenceStanza, T::MessageStanza, T::MessageStanza}));
}

QTEST_GUILESS_MAIN(TestXmppReader)
#include "tst_xmpp_reader.moc"
