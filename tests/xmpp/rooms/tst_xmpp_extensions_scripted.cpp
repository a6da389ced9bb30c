// The extensions against a scripted peer: exact XML written, and answers a
// real server does not give on demand (wrong payloads, spoofed pushes,
// odd vCards, discovery trees).

#include "xmpp/client/FakeXmppServer.h"

#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPConference.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDomDocument>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QByteArray plainMechanism =
    "<mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism></mechanisms>";
const QByteArray bindFeature = "<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/>";
const QString ownJid = QStringLiteral("u@localhost/desk");

QByteArray iqResult(const QString &id, const QByteArray &from, const QByteArray &payload = QByteArray())
{
    const QByteArray fromAttribute = from.isEmpty() ? QByteArray() : " from='" + from + "'";
    return "<iq type='result' id='" + id.toUtf8() + "'" + fromAttribute + ">" + payload + "</iq>";
}

QByteArray pngBytes(const QImage &image, const char *format = "PNG")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray sha1(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

QImage testImage()
{
    QImage image(10, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setPixel(3, 3, qRgb(255, 0, 0));
    return image;
}

// randomPixels pixels of noise (which PNG cannot compress) in rows of width.
QImage noisePhoto(int randomPixels, int width = 256)
{
    QImage image(width, randomPixels / width + 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    QRandomGenerator random(42);
    for (int i = 0; i < randomPixels; ++i)
        image.setPixel(i % width, i / width, random.generate());
    return image;
}

// A noise photo whose PNG is just below pngBytes.
QImage nearLimitPhoto(int pngBytesWanted)
{
    int low = 0;
    int high = pngBytesWanted;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (pngBytes(noisePhoto(middle)).size() <= pngBytesWanted ? low : high) = middle;
    }
    return noisePhoto(low);
}

// A presence of the occupant nick of the room lobby@chat.localhost.
QByteArray occupantPresence(const QByteArray &nick, const QByteArray &type, const QList<int> &codes,
                            const QByteArray &itemAttributes = QByteArray())
{
    QByteArray xml = "<presence from='lobby@chat.localhost/" + nick + "'";
    if (!type.isEmpty())
        xml += " type='" + type + "'";
    xml += "><x xmlns='http://jabber.org/protocol/muc#user'><item affiliation='none' role='";
    xml += type == "unavailable" ? "none'" : "participant'";
    xml += (itemAttributes.isEmpty() ? QByteArray() : " " + itemAttributes) + "/>";
    for (int code : codes)
        xml += "<status code='" + QByteArray::number(code) + "'/>";
    return xml + "</x></presence>";
}

QByteArray entryRefused(const QByteArray &nick, const QByteArray &type, const QByteArray &condition)
{
    return "<presence type='error' from='lobby@chat.localhost/" + nick + "'><error type='" + type + "'><" + condition
           + " xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></presence>";
}

} // namespace

class TestXmppExtensionsScripted : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void vCardRequestAddresses();
    void vCardAnswersAndPhotos();
    void vCardPictureFormats_data();
    void vCardPictureFormats();
    void answersOnlyFromTheAskedEntity();
    void vCardUploadWritesPngAndHash();
    void wrongPayloadEndsSession();
    void rosterResultAndPushes();
    void rosterWrites();
    void searchTagsAndEmptyAnswer();
    void discoveryWalk();
    void discoveryOddAnswers();
    void roomPresencesAndMessages();
    void roomOwnPresence_data();
    void roomOwnPresence();

private:
    bool login();
    // Elements named name that the client wrote since the last clear.
    QList<QDomElement> sent(const QString &name);
    QDomElement waitSent(const QString &name, int count = 1);

    std::unique_ptr<FakeXmppServer> m_fake;
    std::unique_ptr<XMPPClient> m_client;
    QDomDocument m_doc;
};

void TestXmppExtensionsScripted::init()
{
    m_fake = std::make_unique<FakeXmppServer>();
    QVERIFY(m_fake->listen());
    m_client = std::make_unique<XMPPClient>();
    QVERIFY(login());
}

void TestXmppExtensionsScripted::cleanup()
{
    m_client.reset();
    m_fake.reset();
}

bool TestXmppExtensionsScripted::login()
{
    m_client->authenticate(QStringLiteral("u"), QStringLiteral("p"));
    m_client->connectToHost(QStringLiteral("127.0.0.1"), m_fake->port(), XMPPClient::TlsNever);
    if (!m_fake->waitForConnection() || !m_fake->waitFor("<stream:stream"))
        return false;
    m_fake->clearReceived();
    m_fake->sendHeader();
    m_fake->sendFeatures(plainMechanism);
    if (!m_fake->waitFor("</auth>"))
        return false;
    m_fake->clearReceived();
    m_fake->send("<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>");
    if (!m_fake->waitFor("<stream:stream"))
        return false;
    m_fake->clearReceived();
    m_fake->sendHeader();
    m_fake->sendFeatures(bindFeature);
    if (!m_fake->waitFor("</iq>"))
        return false;
    const QString bindId = m_fake->lastId("iq");
    m_fake->clearReceived();
    QSignalSpy connected(m_client.get(), &XMPPClient::connected);
    m_fake->send(iqResult(bindId, QByteArray(),
                          "<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>" + ownJid.toUtf8() + "</jid></bind>"));
    if (!connected.wait(5000) || !m_fake->waitFor("</presence>"))
        return false;
    m_fake->clearReceived();
    return true;
}

QList<QDomElement> TestXmppExtensionsScripted::sent(const QString &name)
{
    QList<QDomElement> found;
    if (!m_doc.setContent("<r xmlns='jabber:client'>" + m_fake->received() + "</r>", true))
        return found;
    for (QDomElement e = m_doc.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.localName() == name)
            found.append(e);
    }
    return found;
}

QDomElement TestXmppExtensionsScripted::waitSent(const QString &name, int count)
{
    QList<QDomElement> found;
    (void)QTest::qWaitFor(
        [&] {
        found = sent(name);
        return found.size() >= count;
        },
        5000);
    return found.size() >= count ? found.at(count - 1) : QDomElement();
}

void TestXmppExtensionsScripted::vCardRequestAddresses()
{
    m_client->requestVCard(XMPPJid(QStringLiteral("a@localhost/phone")));
    QDomElement iq = waitSent(QStringLiteral("iq"));
    QCOMPARE(iq.attribute(QStringLiteral("type")), QStringLiteral("get"));
    QCOMPARE(iq.attribute(QStringLiteral("to")), QStringLiteral("a@localhost"));
    const QDomElement vcard = iq.firstChildElement();
    QCOMPARE(vcard.localName(), QStringLiteral("vCard"));
    QCOMPARE(vcard.namespaceURI(), QStringLiteral("vcard-temp"));
    QVERIFY(!vcard.hasChildNodes());

    // The own address, with any resource, is asked for without "to".
    m_client->requestVCard(XMPPJid(QStringLiteral("u@localhost/elsewhere")));
    iq = waitSent(QStringLiteral("iq"), 2);
    QVERIFY(!iq.isNull());
    QVERIFY(!iq.hasAttribute(QStringLiteral("to")));

    // A second request for an address already asked is not sent.
    m_client->requestVCard(XMPPJid(QStringLiteral("a@localhost")));
    QTest::qWait(100);
    QCOMPARE(sent(QStringLiteral("iq")).size(), 2);
}

void TestXmppExtensionsScripted::vCardAnswersAndPhotos()
{
    QSignalSpy received(m_client.get(), &XMPPClient::vCardReceived);

    // A JPEG under another type, after a PHOTO without TYPE.
    const QByteArray jpeg = pngBytes(testImage(), "JPEG");
    m_client->requestVCard(XMPPJid(QStringLiteral("a@localhost")));
    QString id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    m_fake->send(iqResult(id, "a@localhost",
                          "<vCard xmlns='vcard-temp'><PHOTO><BINVAL>" + pngBytes(testImage()).toBase64()
                              + "</BINVAL></PHOTO><PHOTO><TYPE>image/jpeg</TYPE><BINVAL>" + jpeg.toBase64()
                              + "</BINVAL></PHOTO></vCard>"));
    QVERIFY(received.wait(5000));
    QCOMPARE(received.at(0).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("a@localhost")));
    auto card = received.at(0).at(1).value<XMPPVCard>();
    QCOMPARE(card.photo().size(), testImage().size());
    QCOMPARE(card.hash(), sha1(jpeg));

    // Undecodable data: no photo, no hash, still delivered.
    m_fake->clearReceived();
    m_client->requestVCard(XMPPJid(QStringLiteral("b@localhost")));
    id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    m_fake->send(iqResult(id, "b@localhost",
                          "<vCard xmlns='vcard-temp'><PHOTO><TYPE>image/png</TYPE><BINVAL>bm90IGFuIGltYWdl</BINVAL>"
                          "</PHOTO></vCard>"));
    QVERIFY(received.wait(5000));
    card = received.at(1).at(1).value<XMPPVCard>();
    QVERIFY(card.photo().isNull());
    QVERIFY(card.hash().isNull());

    // The own vCard answered without a sender is reported under the own
    // bare address, so it is not taken for someone else's.
    m_fake->clearReceived();
    m_client->requestVCard(XMPPJid(ownJid));
    id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    m_fake->send(iqResult(id, QByteArray(), "<vCard xmlns='vcard-temp'/>"));
    QVERIFY(received.wait(5000));
    QCOMPARE(received.at(2).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("u@localhost")));
    // So is one answered by the server's domain or the own full address.
    for (const QByteArray &sender : {QByteArray("localhost"), ownJid.toUtf8()}) {
        m_fake->clearReceived();
        m_client->requestVCard(XMPPJid(ownJid));
        id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
        m_fake->send(iqResult(id, sender, "<vCard xmlns='vcard-temp'/>"));
        QVERIFY(received.wait(5000));
        QCOMPARE(received.last().at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("u@localhost")));
    }

    // An error answer: the error signal, naming the address asked for.
    QSignalSpy errors(m_client.get(), &XMPPClient::vCardReceivedError);
    m_fake->clearReceived();
    m_client->requestVCard(XMPPJid(QStringLiteral("c@localhost")));
    id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    m_fake->send("<iq type='error' id='" + id.toUtf8()
                 + "' from='c@localhost'><error type='cancel'><item-not-found "
                   "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.at(0).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("c@localhost")));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
    // The failed address may be asked again; an error answer that does
    // not say which error ends the request all the same.
    m_fake->clearReceived();
    m_client->requestVCard(XMPPJid(QStringLiteral("c@localhost")));
    id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    m_fake->send("<iq type='error' id='" + id.toUtf8() + "' from='c@localhost'/>");
    QVERIFY(errors.wait(5000));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
}

void TestXmppExtensionsScripted::vCardPictureFormats_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");
    const QImage image = testImage();
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='6'>"
                           "<rect width='10' height='6' fill='blue'/></svg>";
    QImage canvas(XMPPVCard::MaxPhotoSide * 2, 8, QImage::Format_RGB32);
    canvas.fill(Qt::blue);
    // Qt writes no GIF: a one-pixel one by hand.
    const QByteArray gif = QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");
    QTest::newRow("png") << QByteArray("image/png") << pngBytes(image) << image.size();
    QTest::newRow("jpeg") << QByteArray("image/jpeg") << pngBytes(image, "JPEG") << image.size();
    QTest::newRow("gif") << QByteArray("image/gif") << gif << QSize(1, 1);
    QTest::newRow("bmp") << QByteArray("image/bmp") << pngBytes(image, "BMP") << image.size();
    QTest::newRow("svg") << QByteArray("image/svg+xml") << svg << QSize();
    QTest::newRow("svg as png") << QByteArray("image/png") << svg << QSize();
    QTest::newRow("jpeg as png") << QByteArray("image/png") << pngBytes(image, "JPEG") << QSize();
    QTest::newRow("huge canvas") << QByteArray("image/png") << pngBytes(canvas) << QSize();
    // A one-pixel frame on a screen of 5000 x 5000.
    QByteArray wideGif = gif;
    wideGif[6] = wideGif[8] = char(0x88);
    wideGif[7] = wideGif[9] = char(0x13);
    // A progressive JPEG whose last scan comes a hundred times more.
    QByteArray progressive;
    QBuffer buffer(&progressive);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    QVERIFY(writer.write(image));
    const qsizetype lastScan = progressive.lastIndexOf("\xff\xda");
    const QByteArray scan = progressive.mid(lastScan, progressive.size() - 2 - lastScan);
    QTest::newRow("progressive jpeg") << QByteArray("image/jpeg") << progressive << image.size();
    QTest::newRow("jpeg of many scans") << QByteArray("image/jpeg")
                                        << progressive.left(lastScan) + scan.repeated(100) + "\xff\xd9" << QSize();
    QTest::newRow("huge gif screen") << QByteArray("image/gif") << wideGif << QSize();
}

void TestXmppExtensionsScripted::vCardPictureFormats()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);
    QSignalSpy received(m_client.get(), &XMPPClient::vCardReceived);
    m_client->requestVCard(XMPPJid(QStringLiteral("a@localhost")));
    const QString id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    m_fake->send(iqResult(id, "a@localhost",
                          "<vCard xmlns='vcard-temp'><PHOTO><TYPE>" + type + "</TYPE><BINVAL>" + data.toBase64()
                              + "</BINVAL></PHOTO></vCard>"));
    QVERIFY(received.wait(5000));
    const auto card = received.at(0).at(1).value<XMPPVCard>();
    QCOMPARE(card.photo().isNull() ? QSize() : card.photo().size(), size);
    QCOMPARE(card.hash(), size.isValid() ? sha1(data) : QByteArray());
}

void TestXmppExtensionsScripted::answersOnlyFromTheAskedEntity()
{
    QSignalSpy received(m_client.get(), &XMPPClient::vCardReceived);
    m_client->requestVCard(XMPPJid(QStringLiteral("a@localhost")));
    const QString id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));

    // Another user guesses the id: neither a result nor an error from them
    // ends the request.
    const QByteArray card = "<vCard xmlns='vcard-temp'><FN>Mallory</FN></vCard>";
    m_fake->send(iqResult(id, "mallory@localhost/x", card));
    m_fake->send("<iq type='error' id='" + id.toUtf8()
                 + "' from='localhost'><error type='cancel'>"
                   "<item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QTest::qWait(200);
    QVERIFY(received.isEmpty());
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));

    // The asked entity's answer still arrives.
    m_fake->send(iqResult(id, "a@localhost", "<vCard xmlns='vcard-temp'><FN>Ann</FN></vCard>"));
    QVERIFY(received.wait(5000));
    QCOMPARE(received.at(0).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("a@localhost")));

    // A request to the own account is answered by the server for it.
    m_fake->clearReceived();
    m_client->requestRoster();
    const QString rosterId = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    QSignalSpy reset(m_client.get(), &XMPPClient::rosterReset);
    m_fake->send(iqResult(rosterId, "other@localhost", "<query xmlns='jabber:iq:roster'/>"));
    QTest::qWait(200);
    QVERIFY(reset.isEmpty());
    m_fake->send(iqResult(rosterId, "u@localhost", "<query xmlns='jabber:iq:roster'/>"));
    QVERIFY(reset.wait(5000));
    // As from the own full address or the server's domain.
    for (const QByteArray &sender : {ownJid.toUtf8(), QByteArray("localhost")}) {
        m_fake->clearReceived();
        m_client->requestRoster();
        m_fake->send(iqResult(waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id")), sender,
                              "<query xmlns='jabber:iq:roster'/>"));
        QVERIFY(reset.wait(5000));
    }
}

void TestXmppExtensionsScripted::vCardUploadWritesPngAndHash()
{
    QSignalSpy ok(m_client.get(), &XMPPClient::uploadVCardOk);
    const QImage image = testImage();
    m_client->uploadVCard(image);
    QDomElement iq = waitSent(QStringLiteral("iq"));
    QCOMPARE(iq.attribute(QStringLiteral("type")), QStringLiteral("set"));
    QVERIFY(!iq.hasAttribute(QStringLiteral("to")));
    const QDomElement vcard = iq.firstChildElement();
    QCOMPARE(vcard.namespaceURI(), QStringLiteral("vcard-temp"));
    QCOMPARE(vcard.firstChildElement(QStringLiteral("FN")).text(), QStringLiteral("Unknown"));
    QVERIFY(!vcard.firstChildElement(QStringLiteral("N")).isNull());
    const QDomElement photo = vcard.firstChildElement(QStringLiteral("PHOTO"));
    QCOMPARE(photo.firstChildElement(QStringLiteral("TYPE")).text(), QStringLiteral("image/png"));
    const QByteArray sentBytes = QByteArray::fromBase64(
        photo.firstChildElement(QStringLiteral("BINVAL")).text().toLatin1());
    QImage decoded;
    QVERIFY(decoded.loadFromData(sentBytes, "PNG"));
    QCOMPARE(decoded.convertToFormat(image.format()), image);

    // Nothing changes before the server confirms.
    QVERIFY(m_client->photoHash().isNull());
    m_fake->clearReceived();
    m_fake->send(iqResult(iq.attribute(QStringLiteral("id")), QByteArray()));
    QVERIFY(ok.wait(5000));
    QCOMPARE(m_client->photoHash(), sha1(sentBytes));
    // The next presence carries the hash of exactly the bytes sent.
    const QDomElement presence = waitSent(QStringLiteral("presence"));
    QCOMPARE(presence.elementsByTagName(QStringLiteral("photo")).at(0).toElement().text(),
             QString::fromLatin1(sha1(sentBytes).toHex()));

    // No picture: no PHOTO, and the hash is cleared.
    m_fake->clearReceived();
    m_client->uploadVCard(QImage());
    iq = waitSent(QStringLiteral("iq"));
    QVERIFY(iq.firstChildElement().firstChildElement(QStringLiteral("PHOTO")).isNull());
    m_fake->send(iqResult(iq.attribute(QStringLiteral("id")), QByteArray()));
    QVERIFY(ok.wait(5000));
    QVERIFY(m_client->photoHash().isNull());

    // A refused upload keeps the hash and says so.
    QSignalSpy failed(m_client.get(), &XMPPClient::uploadVCardError);
    m_fake->clearReceived();
    m_client->uploadVCard(image);
    iq = waitSent(QStringLiteral("iq"));
    m_fake->send("<iq type='error' id='" + iq.attribute(QStringLiteral("id")).toUtf8()
                 + "'><error type='auth'><forbidden xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QVERIFY(failed.wait(5000));
    QVERIFY(m_client->photoHash().isNull());

    // Photos whose vCard would pass the servers' 256 KiB stanza limit are
    // scaled down until the whole stanza fits, and uploaded: one whose PNG
    // alone would just have fitted, and a far larger one.
    const int wholeLimit = 256 * 1024;
    for (const QImage &large : {nearLimitPhoto(3 * wholeLimit / 4 - 40), noisePhoto(400 * 400, 400)}) {
        m_fake->clearReceived();
        m_client->uploadVCard(large);
        iq = waitSent(QStringLiteral("iq"));
        QVERIFY(m_fake->waitFor("</iq>"));
        const QByteArray written = m_fake->received();
        QVERIFY(written.size() <= xmpp::ClientVCard::MaxStanzaBytes);
        const QByteArray png = QByteArray::fromBase64(iq.firstChildElement()
                                                          .firstChildElement(QStringLiteral("PHOTO"))
                                                          .firstChildElement(QStringLiteral("BINVAL"))
                                                          .text()
                                                          .toLatin1());
        QVERIFY(decoded.loadFromData(png, "PNG"));
        QVERIFY(decoded.width() < large.width());
        QVERIFY(qAbs(decoded.width() * large.height() - decoded.height() * large.width()) <= large.width());
        m_fake->send(iqResult(iq.attribute(QStringLiteral("id")), QByteArray()));
        QVERIFY(ok.wait(5000));
        QCOMPARE(m_client->photoHash(), sha1(png));
    }
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
}

void TestXmppExtensionsScripted::wrongPayloadEndsSession()
{
    QSignalSpy errors(m_client.get(), &XMPPClient::xmppError);
    QSignalSpy formErrors(m_client.get(), &XMPPClient::requestSearchFormError);
    m_client->requestSearchForm(XMPPJid(QStringLiteral("search.localhost")), QStringLiteral("t"));
    const QString id = waitSent(QStringLiteral("iq")).attribute(QStringLiteral("id"));
    m_fake->send(iqResult(id, "search.localhost", "<vCard xmlns='vcard-temp'/>"));
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.at(0).at(0).value<XMPPClient::XMPPError>(), XMPPClient::ConnectionError);
    QVERIFY(errors.at(0).at(1).toString().contains(QLatin1String("Expected search query")));
    QVERIFY(m_fake->waitFor("undefined-condition"));
    QCOMPARE(formErrors.size(), 0);
}

void TestXmppExtensionsScripted::rosterResultAndPushes()
{
    QSignalSpy resets(m_client.get(), &XMPPClient::rosterReset);
    QSignalSpy updates(m_client.get(), &XMPPClient::rosterUpdate);
    m_client->requestRoster();
    QDomElement iq = waitSent(QStringLiteral("iq"));
    QCOMPARE(iq.firstChildElement().namespaceURI(), QStringLiteral("jabber:iq:roster"));
    m_fake->send(iqResult(iq.attribute(QStringLiteral("id")), QByteArray(),
                          "<query xmlns='jabber:iq:roster'>"
                          "<item jid='a@localhost' subscription='both' ask='subscribe'><name>Ann</name>"
                          "<group>One</group><group>Two</group></item>"
                          "<item jid='b@localhost' subscription='to'/>"
                          "<item jid='c@localhost' subscription='remove'/></query>"));
    QTRY_COMPARE_WITH_TIMEOUT(updates.size(), 3, 5000);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(updates.at(0).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("a@localhost")));
    QCOMPARE(updates.at(0).at(1).toInt(), 7);
    QCOMPARE(updates.at(0).at(3).toString(), QStringLiteral("Ann"));
    QCOMPARE(updates.at(0).at(4).toString(), QStringLiteral("One"));
    QCOMPARE(updates.at(1).at(1).toInt(), 1);
    QCOMPARE(updates.at(1).at(3).toString(), QString());
    QCOMPARE(updates.at(2).at(1).toInt(), 0);
    QCOMPARE(updates.at(2).at(2).toBool(), true);

    // A push from the server (no sender) or from the own bare address.
    m_fake->clearReceived();
    m_fake->send("<iq type='set' id='push1'><query xmlns='jabber:iq:roster'><item jid='d@localhost' "
                 "subscription='from'/></query></iq>");
    m_fake->send("<iq type='set' id='push2' from='u@localhost'><query xmlns='jabber:iq:roster'><item "
                 "jid='e@localhost'/></query></iq>");
    QTRY_COMPARE_WITH_TIMEOUT(updates.size(), 5, 5000);
    QCOMPARE(updates.at(3).at(1).toInt(), 2);
    iq = waitSent(QStringLiteral("iq"), 2);
    QList<QDomElement> answers = sent(QStringLiteral("iq"));
    QCOMPARE(answers.size(), 2);
    QCOMPARE(answers.at(0).attribute(QStringLiteral("type")), QStringLiteral("result"));
    QCOMPARE(answers.at(0).attribute(QStringLiteral("id")), QStringLiteral("push1"));
    QVERIFY(!answers.at(0).hasAttribute(QStringLiteral("to")));
    QCOMPARE(answers.at(1).attribute(QStringLiteral("id")), QStringLiteral("push2"));

    // Anyone else's push is refused and changes nothing.
    m_fake->clearReceived();
    m_fake->send("<iq type='set' id='spoof' from='mallory@localhost/x'><query xmlns='jabber:iq:roster'><item "
                 "jid='mallory@localhost' subscription='both'/></query></iq>");
    iq = waitSent(QStringLiteral("iq"));
    QCOMPARE(iq.attribute(QStringLiteral("type")), QStringLiteral("error"));
    QCOMPARE(iq.attribute(QStringLiteral("id")), QStringLiteral("spoof"));
    QCOMPARE(iq.attribute(QStringLiteral("to")), QStringLiteral("mallory@localhost/x"));
    QVERIFY(!iq.elementsByTagName(QStringLiteral("forbidden")).isEmpty());
    QCOMPARE(updates.size(), 5);

    // A roster "get" is refused with bad-request, naming the request.
    m_fake->clearReceived();
    m_fake->send("<iq type='get' id='rg'><query xmlns='jabber:iq:roster'/></iq>");
    iq = waitSent(QStringLiteral("iq"));
    QCOMPARE(iq.attribute(QStringLiteral("type")), QStringLiteral("error"));
    QCOMPARE(iq.attribute(QStringLiteral("id")), QStringLiteral("rg"));
    QVERIFY(!iq.elementsByTagName(QStringLiteral("bad-request")).isEmpty());
    QCOMPARE(updates.size(), 5);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));

    // Another user answering a roster request by its id replaces nothing.
    m_fake->clearReceived();
    m_client->requestRoster();
    iq = waitSent(QStringLiteral("iq"));
    m_fake->send("<iq type='result' id='" + iq.attribute(QStringLiteral("id")).toUtf8()
                 + "' from='mallory@localhost/x'><query xmlns='jabber:iq:roster'><item jid='mallory@localhost' "
                   "subscription='both'/></query></iq>");
    m_fake->send("<iq type='set' id='after'><query xmlns='jabber:iq:roster'><item jid='f@localhost'/></query></iq>");
    QTRY_COMPARE_WITH_TIMEOUT(updates.size(), 6, 5000);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(updates.at(5).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("f@localhost")));
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
}

void TestXmppExtensionsScripted::rosterWrites()
{
    QSignalSpy updates(m_client.get(), &XMPPClient::rosterUpdate);
    m_client->updateRosterItem(XMPPJid(QStringLiteral("a@localhost")), true, QString(), QString());
    QDomElement iq = waitSent(QStringLiteral("iq"));
    QCOMPARE(iq.attribute(QStringLiteral("type")), QStringLiteral("set"));
    QDomElement item = iq.firstChildElement().firstChildElement(QStringLiteral("item"));
    QCOMPARE(item.attribute(QStringLiteral("jid")), QStringLiteral("a@localhost"));
    QCOMPARE(item.attribute(QStringLiteral("subscription")), QStringLiteral("remove"));

    m_fake->clearReceived();
    m_client->updateRosterItem(XMPPJid(QStringLiteral("b@localhost")), false, QStringLiteral("Bo"),
                               QStringLiteral("G"));
    iq = waitSent(QStringLiteral("iq"));
    item = iq.firstChildElement().firstChildElement(QStringLiteral("item"));
    QVERIFY(!item.hasAttribute(QStringLiteral("subscription")));
    QVERIFY(!item.hasAttribute(QStringLiteral("ask")));
    QCOMPARE(item.attribute(QStringLiteral("name")), QStringLiteral("Bo"));
    QCOMPARE(item.firstChildElement(QStringLiteral("group")).text(), QStringLiteral("G"));
    // The answer alone changes nothing: the push does.
    m_fake->send(iqResult(iq.attribute(QStringLiteral("id")), QByteArray()));
    QTest::qWait(100);
    QCOMPARE(updates.size(), 0);
}

void TestXmppExtensionsScripted::searchTagsAndEmptyAnswer()
{
    QSignalSpy forms(m_client.get(), &XMPPClient::requestSearchFormResult);
    const XMPPJid service(QStringLiteral("search.localhost"));
    m_client->requestSearchForm(service, QStringLiteral("a"));
    m_client->requestSearchForm(service, QStringLiteral("b"));
    (void)waitSent(QStringLiteral("iq"), 2);
    const QList<QDomElement> requests = sent(QStringLiteral("iq"));
    QCOMPARE(requests.size(), 2);
    const QByteArray form = "<query xmlns='jabber:iq:search'><instructions>Fill</instructions><first/></query>";
    m_fake->send(iqResult(requests.at(1).attribute(QStringLiteral("id")), "search.localhost", form));
    m_fake->send(iqResult(requests.at(0).attribute(QStringLiteral("id")), "search.localhost", form));
    QTRY_COMPARE_WITH_TIMEOUT(forms.size(), 2, 5000);
    QCOMPARE(forms.at(0).at(1).toString(), QStringLiteral("b"));
    QCOMPARE(forms.at(1).at(1).toString(), QStringLiteral("a"));
    QVERIFY(forms.at(0).at(0).value<XMPPDataForm>().field(QStringLiteral("first")));

    // A result without a report is an empty list, not an error.
    QSignalSpy reports(m_client.get(), &XMPPClient::searchReport);
    QSignalSpy errors(m_client.get(), &XMPPClient::searchError);
    m_fake->clearReceived();
    m_client->search(service, forms.at(0).at(0).value<XMPPDataForm>(), QStringLiteral("s"));
    const QDomElement iq = waitSent(QStringLiteral("iq"));
    QCOMPARE(iq.attribute(QStringLiteral("type")), QStringLiteral("set"));
    QCOMPARE(iq.attribute(QStringLiteral("to")), service.text());
    m_fake->send(iqResult(iq.attribute(QStringLiteral("id")), "search.localhost", "<query xmlns='jabber:iq:search'/>"));
    QVERIFY(reports.wait(5000));
    QVERIFY(reports.at(0).at(0).value<XMPPDataReport>().isEmpty());
    QCOMPARE(reports.at(0).at(1).toString(), QStringLiteral("s"));
    QCOMPARE(errors.size(), 0);
}

void TestXmppExtensionsScripted::discoveryWalk()
{
    QSignalSpy found(m_client.get(), &XMPPClient::conferenceJID);
    m_client->discoverConference();
    QDomElement info = waitSent(QStringLiteral("iq"));
    QCOMPARE(info.attribute(QStringLiteral("to")), QStringLiteral("localhost"));
    QCOMPARE(info.firstChildElement().namespaceURI(), QStringLiteral("http://jabber.org/protocol/disco#info"));
    m_fake->clearReceived();
    m_fake->send(iqResult(info.attribute(QStringLiteral("id")), "localhost",
                          "<query xmlns='http://jabber.org/protocol/disco#info'><feature var='jabber:iq:version'/>"
                          "</query>"));
    const QDomElement items = waitSent(QStringLiteral("iq"));
    QCOMPARE(items.attribute(QStringLiteral("to")), QStringLiteral("localhost"));
    QCOMPARE(items.firstChildElement().namespaceURI(), QStringLiteral("http://jabber.org/protocol/disco#items"));
    m_fake->clearReceived();
    m_fake->send(iqResult(items.attribute(QStringLiteral("id")), "localhost",
                          "<query xmlns='http://jabber.org/protocol/disco#items'><item jid='localhost'/>"
                          "<item jid='chat.localhost'/><item jid='search.localhost'/></query>"));
    (void)waitSent(QStringLiteral("iq"), 2);
    QList<QDomElement> asked = sent(QStringLiteral("iq"));
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked.at(0).attribute(QStringLiteral("to")), QStringLiteral("chat.localhost"));
    QCOMPARE(asked.at(1).attribute(QStringLiteral("to")), QStringLiteral("search.localhost"));
    m_fake->clearReceived();
    m_fake->send(iqResult(asked.at(0).attribute(QStringLiteral("id")), "chat.localhost",
                          "<query xmlns='http://jabber.org/protocol/disco#info'>"
                          "<feature var='http://jabber.org/protocol/muc'/></query>"));
    m_fake->send(iqResult(asked.at(1).attribute(QStringLiteral("id")), "search.localhost",
                          "<query xmlns='http://jabber.org/protocol/disco#info'><feature var='jabber:iq:search'/>"
                          "</query>"));
    QVERIFY(found.wait(5000));
    // The search service's items are asked; it names the server again,
    // which is not asked twice.
    const QDomElement searchItems = waitSent(QStringLiteral("iq"));
    QCOMPARE(searchItems.attribute(QStringLiteral("to")), QStringLiteral("search.localhost"));
    m_fake->clearReceived();
    m_fake->send(iqResult(searchItems.attribute(QStringLiteral("id")), "search.localhost",
                          "<query xmlns='http://jabber.org/protocol/disco#items'><item jid='localhost'/></query>"));
    QTest::qWait(200);
    QCOMPARE(sent(QStringLiteral("iq")).size(), 0);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("chat.localhost")));

    // A server that is itself the room service is announced at once.
    m_client->discoverConference();
    info = waitSent(QStringLiteral("iq"));
    m_fake->clearReceived();
    m_fake->send(iqResult(info.attribute(QStringLiteral("id")), "localhost",
                          "<query xmlns='http://jabber.org/protocol/disco#info'>"
                          "<feature var='http://jabber.org/protocol/muc'/></query>"));
    QVERIFY(found.wait(5000));
    QCOMPARE(found.at(1).at(0).value<XMPPJid>(), XMPPJid(QStringLiteral("localhost")));
    QTest::qWait(100);
    QCOMPARE(sent(QStringLiteral("iq")).size(), 0);
}

void TestXmppExtensionsScripted::discoveryOddAnswers()
{
    // An error answer ends the walk quietly.
    QSignalSpy found(m_client.get(), &XMPPClient::conferenceJID);
    m_client->discoverConference();
    QDomElement info = waitSent(QStringLiteral("iq"));
    m_fake->clearReceived();
    m_fake->send("<iq type='error' id='" + info.attribute(QStringLiteral("id")).toUtf8()
                 + "' from='localhost'><error type='cancel'><service-unavailable "
                   "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QTest::qWait(200);
    QCOMPARE(m_client->state(), int(XMPPClient::ConnectedState));
    QCOMPARE(sent(QStringLiteral("iq")).size(), 0);

    // A service that cannot list its rooms gives an empty list.
    QSignalSpy rooms(m_client.get(), &XMPPClient::conferenceRooms);
    m_client->requestConferenceRooms(XMPPJid(QStringLiteral("chat.localhost")));
    info = waitSent(QStringLiteral("iq"));
    m_fake->clearReceived();
    m_fake->send("<iq type='error' id='" + info.attribute(QStringLiteral("id")).toUtf8()
                 + "' from='chat.localhost'><error type='cancel'><service-unavailable "
                   "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");
    QVERIFY(rooms.wait(5000));
    QVERIFY(rooms.at(0).at(0).value<QList<XMPPJid>>().isEmpty());

    // A room list answer that is no item list ends the session.
    QSignalSpy errors(m_client.get(), &XMPPClient::xmppError);
    m_client->requestConferenceRooms(XMPPJid(QStringLiteral("chat.localhost")));
    info = waitSent(QStringLiteral("iq"));
    m_fake->send(iqResult(info.attribute(QStringLiteral("id")), "chat.localhost",
                          "<query xmlns='http://jabber.org/protocol/disco#info'/>"));
    QVERIFY(errors.wait(5000));
    QVERIFY(errors.at(0).at(1).toString().contains(QLatin1String("expected disco items")));
    QCOMPARE(found.size(), 0);
}

void TestXmppExtensionsScripted::roomPresencesAndMessages()
{
    m_client->setPhotoHash(QByteArray::fromHex("0102"));
    QVERIFY(!waitSent(QStringLiteral("presence")).isNull());
    m_fake->clearReceived();
    XMPPConference room;
    room.setClient(m_client.get());
    const XMPPJid roomJid(QStringLiteral("lobby@chat.localhost"));
    room.setRoomJid(roomJid);

    QVERIFY_THROWS_EXCEPTION(std::runtime_error, m_client->joinRoom(XMPPJid(QStringLiteral("lobby@chat/x")), "n"));
    // Without a nick, the node of the own address is used.
    room.join();
    QCOMPARE(room.nick(), QStringLiteral("u"));
    QDomElement presence = waitSent(QStringLiteral("presence"));
    QCOMPARE(presence.attribute(QStringLiteral("to")), QStringLiteral("lobby@chat.localhost/u"));
    QVERIFY(!presence.hasAttribute(QStringLiteral("type")));
    QCOMPARE(presence.elementsByTagNameNS(QStringLiteral("http://jabber.org/protocol/muc"), QStringLiteral("x")).size(),
             1);
    QCOMPARE(presence.elementsByTagName(QStringLiteral("photo")).at(0).toElement().text(), QStringLiteral("0102"));

    // The room was created by this entry: it is made an instant room.
    QSignalSpy joined(&room, &XMPPConference::userJoined);
    m_fake->clearReceived();
    m_fake->send("<presence from='lobby@chat.localhost/u'><x xmlns='http://jabber.org/protocol/muc#user'>"
                 "<item affiliation='owner' role='moderator'/><status code='110'/><status code='201'/></x>"
                 "</presence>");
    QVERIFY(joined.wait(5000));
    QVERIFY(room.isJoined());
    const QDomElement owner = waitSent(QStringLiteral("iq"));
    QCOMPARE(owner.attribute(QStringLiteral("type")), QStringLiteral("set"));
    QCOMPARE(owner.attribute(QStringLiteral("to")), roomJid.text());
    QCOMPARE(owner.firstChildElement().namespaceURI(), QStringLiteral("http://jabber.org/protocol/muc#owner"));
    // Its answer, whatever it is, is consumed.
    m_fake->clearReceived();
    m_fake->send("<iq type='error' id='" + owner.attribute(QStringLiteral("id")).toUtf8() + "' from='"
                 + roomJid.text().toUtf8()
                 + "'><error type='cancel'><not-allowed xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>");

    // The room itself (no nick) is no occupant; another one is.
    QSignalSpy participants(&room, &XMPPConference::participantJoined);
    QSignalSpy kicked(&room, &XMPPConference::participantKicked);
    QSignalSpy left(&room, &XMPPConference::participantLeft);
    QSignalSpy userLeft(&room, &XMPPConference::userLeft);
    m_fake->send("<presence from='lobby@chat.localhost'/>");
    m_fake->send("<presence from='lobby@chat.localhost/Ben'><x xmlns='http://jabber.org/protocol/muc#user'>"
                 "<item affiliation='none' role='participant'/></x></presence>");
    QVERIFY(participants.wait(5000));
    QCOMPARE(participants.size(), 1);
    QCOMPARE(participants.at(0).at(1).toString(), QStringLiteral("Ben"));
    QCOMPARE(userLeft.size(), 0);

    // Ben is kicked: kicked first, then gone.
    m_fake->send("<presence type='unavailable' from='lobby@chat.localhost/Ben'><x "
                 "xmlns='http://jabber.org/protocol/muc#user'><item affiliation='none' role='none'><actor "
                 "jid='boss@localhost'/><reason>spam</reason></item><status code='307'/></x></presence>");
    QVERIFY(left.wait(5000));
    QCOMPARE(kicked.size(), 1);
    QCOMPARE(kicked.at(0).at(1).toString(), QStringLiteral("Ben"));
    QCOMPARE(kicked.at(0).at(2).value<XMPPJid>(), XMPPJid(QStringLiteral("boss@localhost")));
    QCOMPARE(kicked.at(0).at(3).toString(), QStringLiteral("spam"));

    // Messages: only group chat from an occupant of this room.
    QSignalSpy messages(&room, &XMPPConference::message);
    m_fake->send("<message type='groupchat' from='lobby@chat.localhost'><body>notice</body></message>");
    m_fake->send("<message type='chat' from='lobby@chat.localhost/Ben'><body>private</body></message>");
    m_fake->send("<message type='groupchat' from='other@chat.localhost/Ben'><body>elsewhere</body></message>");
    m_fake->send("<message type='groupchat' from='lobby@chat.localhost/Ben'><body>hi all</body></message>");
    QVERIFY(messages.wait(5000));
    QTest::qWait(100);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).at(0).value<XMPPMessage>().body(), QStringLiteral("hi all"));

    // Sending: group chat to the room; the stream's language is left out.
    m_fake->clearReceived();
    room.sendMessage(QStringLiteral("hello"));
    const QDomElement message = waitSent(QStringLiteral("message"));
    QCOMPARE(message.attribute(QStringLiteral("type")), QStringLiteral("groupchat"));
    QCOMPARE(message.attribute(QStringLiteral("to")), roomJid.text());
    QVERIFY(!message.hasAttributeNS(QStringLiteral("http://www.w3.org/XML/1998/namespace"), QStringLiteral("lang")));
    QCOMPARE(message.firstChildElement(QStringLiteral("body")).text(), QStringLiteral("hello"));

    // Leaving sends the unavailable presence without a photo hash.
    m_fake->clearReceived();
    room.leave();
    QVERIFY(!room.isJoined());
    presence = waitSent(QStringLiteral("presence"));
    QCOMPARE(presence.attribute(QStringLiteral("type")), QStringLiteral("unavailable"));
    QCOMPARE(presence.attribute(QStringLiteral("to")), QStringLiteral("lobby@chat.localhost/u"));
    QVERIFY(presence.elementsByTagName(QStringLiteral("photo")).isEmpty());
    // The room's confirmation of the departure is reported, once.
    QSignalSpy confirmed(&room, &XMPPConference::userLeft);
    for (int i = 0; i < 2; ++i)
        m_fake->send("<presence type='unavailable' from='lobby@chat.localhost/u'><x "
                     "xmlns='http://jabber.org/protocol/muc#user'><item affiliation='none' role='none'/>"
                     "<status code='110'/></x></presence>");
    QVERIFY(confirmed.wait(5000));
    QTest::qWait(100);
    QCOMPARE(confirmed.size(), 1);
    QVERIFY(!room.isJoined());
    // While not joined, leaving again sends nothing.
    m_fake->clearReceived();
    room.leave();
    QTest::qWait(100);
    QVERIFY(sent(QStringLiteral("presence")).isEmpty());

    // Leaving before the room answered the entry still leaves: the late
    // confirmation is followed by the departure, and the room is free again.
    room.join(QStringLiteral("late"));
    (void)waitSent(QStringLiteral("presence"));
    m_fake->clearReceived();
    room.leave();
    presence = waitSent(QStringLiteral("presence"));
    QCOMPARE(presence.attribute(QStringLiteral("type")), QStringLiteral("unavailable"));
    QCOMPARE(presence.attribute(QStringLiteral("to")), QStringLiteral("lobby@chat.localhost/late"));
    // Late answers to an entry already left change nothing: neither a
    // confirmation nor "recipient unavailable" (which would retry).
    QSignalSpy ownLeft(&room, &XMPPConference::userLeft);
    QSignalSpy errors(&room, &XMPPConference::userError);
    joined.clear();
    m_fake->clearReceived();
    m_fake->send("<presence type='error' from='lobby@chat.localhost/late'><error type='wait'>"
                 "<recipient-unavailable xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></presence>");
    m_fake->send("<presence from='lobby@chat.localhost/late'><x xmlns='http://jabber.org/protocol/muc#user'>"
                 "<item affiliation='none' role='participant'/><status code='110'/><status code='201'/></x>"
                 "</presence>");
    m_fake->send("<presence type='unavailable' from='lobby@chat.localhost/late'><x "
                 "xmlns='http://jabber.org/protocol/muc#user'><item affiliation='none' role='none'/>"
                 "<status code='110'/></x></presence>");
    QTest::qWait(XMPPConference::JoinRetryInterval + 300);
    QVERIFY(!room.isJoined());
    QCOMPARE(joined.size() + ownLeft.size() + errors.size(), 0);
    QVERIFY(m_fake->received().isEmpty());
    room.setRoomJid(XMPPJid(QStringLiteral("table-1@chat.localhost")));
}

void TestXmppExtensionsScripted::roomOwnPresence_data()
{
    QTest::addColumn<QByteArrayList>("stanzas");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("entries");
    // Where the leave presence goes; empty when the player is not in.
    QTest::addColumn<QString>("leaveTo");
    // "nick=address" the room showed for the player menu.
    QTest::addColumn<QStringList>("addresses");

    const QByteArray unavailable = "unavailable";
    QTest::newRow("own presence") << QByteArrayList{occupantPresence("Ann", {}, {110})} << QStringList{"joined Ann"}
                                  << QStringList{"Ann"} << "Ann" << QStringList{"Ann=u@localhost"};
    // The occupants come before the own presence; the room gives the
    // player another nick than the one asked for, which someone has.
    QTest::newRow("occupant with the nick asked for")
        << QByteArrayList{occupantPresence("Ann", {}, {}), occupantPresence("Ann2", {}, {110, 210}),
                          occupantPresence("Ann", unavailable, {})}
        << QStringList{"+Ann", "joined Ann2", "-Ann"} << QStringList{"Ann"} << "Ann2"
        << QStringList{"Ann=", "Ann2=u@localhost"};
    // A room that never marks the own presence: the one under the nick
    // asked for is the player's once the subject follows; a marked one
    // coming after all names the player's nick.
    const QByteArray subject = "<message type='groupchat' from='lobby@chat.localhost'><subject>s</subject></message>";
    QTest::newRow("own presence unmarked")
        << QByteArrayList{occupantPresence("Bea", {}, {}), occupantPresence("Ann", {}, {}), subject}
        << QStringList{"+Bea", "joined Ann"} << QStringList{"Ann"} << "Ann" << QStringList{"Ann=u@localhost"};
    QTest::newRow("marked after the subject")
        << QByteArrayList{occupantPresence("Ann", {}, {}), subject, occupantPresence("Ann2", {}, {110, 210})}
        << QStringList{"joined Ann", "+Ann", "renamed Ann2"} << QStringList{"Ann"} << "Ann2"
        << QStringList{"Ann=", "Ann2=u@localhost"};
    QTest::newRow("renamed by the room") << QByteArrayList{occupantPresence("Ann", {}, {110}),
                                                           occupantPresence("Ann", unavailable, {303, 110},
                                                                            "nick='Anne'"),
                                                           occupantPresence("Bea", {}, {}),
                                                           occupantPresence("Anne", {}, {110})}
                                         << QStringList{"joined Ann", "+Bea", "renamed Anne"} << QStringList{"Ann"}
                                         << "Anne" << QStringList{"Anne=u@localhost"};
    QTest::newRow("own presence restated")
        << QByteArrayList{occupantPresence("Ann", {}, {110}), occupantPresence("Ann", {}, {110})}
        << QStringList{"joined Ann"} << QStringList{"Ann"} << "Ann" << QStringList{};
    QTest::newRow("marked as own under another nick")
        << QByteArrayList{occupantPresence("Ann", {}, {110}), occupantPresence("Bea", unavailable, {110})}
        << QStringList{"joined Ann", "-Bea"} << QStringList{"Ann"} << "Ann" << QStringList{};
    QTest::newRow("another occupant renamed")
        << QByteArrayList{occupantPresence("Ann", {}, {110}), occupantPresence("Bea", {}, {}, "jid='b@localhost/x'"),
                          occupantPresence("Bea", unavailable, {303}, "nick='Bee' jid='b@localhost/x'"),
                          occupantPresence("Bee", {}, {}, "jid='b@localhost/x'")}
        << QStringList{"joined Ann", "+Bea", "-Bea", "+Bee"} << QStringList{"Ann"} << "Ann"
        << QStringList{"Bea=b@localhost", "Bee=b@localhost"};
    QTest::newRow("nick taken") << QByteArrayList{entryRefused("Ann", "cancel", "conflict"),
                                                  occupantPresence("Ann (u)", {}, {110})}
                                << QStringList{"joined Ann (u)"} << QStringList{"Ann", "Ann (u)"} << "Ann (u)"
                                << QStringList{};
    QTest::newRow("nick the room cannot spell")
        << QByteArrayList{entryRefused("Ann", "modify", "jid-malformed"),
                          entryRefused("Ann (u)", "modify", "jid-malformed"), occupantPresence("u", {}, {110})}
        << QStringList{"joined u"} << QStringList{"Ann", "Ann (u)", "u"} << "u" << QStringList{};
    QTest::newRow("every nick refused") << QByteArrayList{entryRefused("Ann", "cancel", "conflict"),
                                                          entryRefused("Ann (u)", "cancel", "conflict"),
                                                          entryRefused("u", "cancel", "conflict")}
                                        << QStringList{"error 5"} << QStringList{"Ann", "Ann (u)", "u"} << QString()
                                        << QStringList{};
    // A room that may not be created refuses the player, not the nick.
    QTest::newRow("room not allowed") << QByteArrayList{entryRefused("Ann", "cancel", "not-allowed")}
                                      << QStringList{"error 8"} << QStringList{"Ann"} << QString() << QStringList{};
}

void TestXmppExtensionsScripted::roomOwnPresence()
{
    QFETCH(QByteArrayList, stanzas);
    QFETCH(QStringList, events);
    QFETCH(QStringList, entries);
    QFETCH(QString, leaveTo);
    QFETCH(QStringList, addresses);

    XMPPConference room;
    room.setClient(m_client.get());
    room.setRoomJid(XMPPJid(QStringLiteral("lobby@chat.localhost")));
    QStringList seen;
    connect(&room, &XMPPConference::userJoined, this, [&] { seen << QStringLiteral("joined ") + room.nick(); });
    connect(&room, &XMPPConference::userLeft, this, [&] { seen << QStringLiteral("left"); });
    connect(&room, &XMPPConference::userNickChanged, this,
            [&](XMPPConference *, const QString &nick) { seen << QStringLiteral("renamed ") + nick; });
    connect(&room, &XMPPConference::userError, this,
            [&](XMPPConference *, XMPPPresence::error_t error) { seen << QStringLiteral("error %1").arg(error); });
    connect(&room, &XMPPConference::participantJoined, this,
            [&](XMPPConference *, const QString &nick) { seen << QStringLiteral("+") + nick; });
    connect(&room, &XMPPConference::participantLeft, this,
            [&](XMPPConference *, const QString &nick) { seen << QStringLiteral("-") + nick; });
    QSignalSpy messages(&room, &XMPPConference::message);

    room.join(QStringLiteral("Ann"), {QStringLiteral("Ann (u)"), QStringLiteral("u")});
    QVERIFY(!waitSent(QStringLiteral("presence")).isNull());
    for (const QByteArray &stanza : stanzas)
        m_fake->send(stanza);
    // The room's stanzas are read in order: once this one is through, all are.
    m_fake->send("<message type='groupchat' from='lobby@chat.localhost/Zed'><body>end</body></message>");
    QVERIFY(messages.wait(5000));
    QCOMPARE(seen, events);
    QCOMPARE(room.isJoined(), !leaveTo.isEmpty());
    for (const QString &pair : addresses)
        QCOMPARE(room.occupantJid(pair.section(QLatin1Char('='), 0, 0)).text(), pair.section(QLatin1Char('='), 1));

    room.leave();
    (void)waitSent(QStringLiteral("presence"), int(entries.size()) + (leaveTo.isEmpty() ? 0 : 1));
    QStringList entered;
    QString left;
    for (const QDomElement &presence : sent(QStringLiteral("presence"))) {
        const QString nick = XMPPJid(presence.attribute(QStringLiteral("to"))).resource();
        if (presence.attribute(QStringLiteral("type")) == QLatin1String("unavailable"))
            left = nick;
        else
            entered << nick;
    }
    QCOMPARE(entered, entries);
    QCOMPARE(left, leaveTo);
}

QTEST_MAIN(TestXmppExtensionsScripted)
#include "tst_xmpp_extensions_scripted.moc"
