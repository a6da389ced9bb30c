#include "ClientHome.h"
#include "HttpsTestServer.h"
#include "TestCertificates.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real client against a local HTTPS web host whose certificate comes
// from a test CA handed to the client through a search-path directory.
class ClientRunTest : public QObject
{
    Q_OBJECT

private:
    TestCertificates m_certs;
    std::unique_ptr<HttpsTestServer> m_web;

    struct Client
    {
        QTemporaryDir home;
        QProcess process;
        QString log() const
        {
            QFile file(QDir(home.path()).filePath("data/Kestrova/Kestrova-Brisquel/logs/mahjong.log"));
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        }
    };

    void start(Client &client, const QStringList &extra = {})
    {
        const QString home = client.home.path();
        QDir().mkpath(home + "/res/ca-certs");
        QFile::copy(m_certs.caFile, home + "/res/ca-certs/ca-addtrust.crt");
        client.process.setProcessEnvironment(clientEnvironment(home));
        client.process.start(QStringLiteral(MAHJONG_EXECUTABLE),
                             QStringList{"--searchpath", home + "/res", "--httphost",
                                         QStringLiteral("localhost:%1").arg(m_web->port()), "-m", "debug",
                                         "127.0.0.1:1"}
                                 + extra);
        QVERIFY(client.process.waitForStarted());
    }

    void stop(Client &client)
    {
        client.process.terminate();
        QVERIFY(client.process.waitForFinished(10000));
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_certs.create(&error), qPrintable(error));
        m_web = std::make_unique<HttpsTestServer>(m_certs.server, m_certs.serverKey);
        QVERIFY(m_web->listen());
        m_web->setBody("/client/brisquel/client_versions.xml",
                       "<clientversions><release version='0.1'><installer url='https://localhost/x' size='1' "
                       "sha256='"
                           + QByteArray(64, 'a') + "'/></release></clientversions>");
    }

    void startsUpThroughTheWebHost()
    {
        m_web->setBody("/client/server_info.xml", "<serverinfo/>");
        Client client;
        start(client);
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains("Main window shown"), 20000);
        const QString log = client.log();
        QVERIFY2(log.contains("[INFO ] The client is up to date"), qPrintable(log));
        // (The sounds next to the program do load; with no audio output here
        // their "sound not available" lines are expected.)
        QVERIFY(!log.contains("Client versions not available"));
        QVERIFY(!log.contains("Server information not available"));
        QCOMPARE(m_web->requestCount("/client/server_info.xml"), 1);
        QCOMPARE(m_web->requestCount("/client/brisquel/client_versions.xml"), 1);
        stop(client);
    }

    // A password that is part of many words withholds only the lines where
    // it stands as a word of its own.
    void shortPasswordKeepsTheLog()
    {
        m_web->setBody("/client/server_info.xml", "<serverinfo/>");
        Client client;
        start(client, {"-u", "ann", "-p", "in"});
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains("Main window shown"), 20000);
        stop(client);
        const QString log = client.log();
        QVERIFY2(log.contains("Session started at"), qPrintable(log));
        QVERIFY(log.contains("[INFO ] The client is up to date"));
        QVERIFY(log.contains("Checking client versions") || log.contains("client versions"));
        static const QRegularExpression word(QStringLiteral("\\bin\\b"));
        QVERIFY2(!log.contains(word), qPrintable(log));
    }

    void downtimeStopsTheStartUp()
    {
        m_web->setBody("/client/downtime.xml",
                       "<serverinfo><downtime><message lang='en'>Closed for repairs</message></downtime></serverinfo>");
        Client client;
        start(client, {"--serverinfo", m_web->url("/client/downtime.xml").toString()});
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains("Downtime notice: Closed for repairs"), 20000);
        QTest::qWait(1000);
        const QString log = client.log();
        QVERIFY2(!log.contains("Main window shown"), qPrintable(log));
        QVERIFY(!log.contains("Checking client versions"));
        stop(client);
    }

    void untrustedWebHostIsNotUsed()
    {
        HttpsTestServer rogue(m_certs.rogue, m_certs.rogueKey);
        QVERIFY(rogue.listen());
        rogue.setBody("/client/server_info.xml",
                      "<serverinfo><downtime><message>fake</message></downtime></serverinfo>");
        Client client;
        start(client, {"--serverinfo", rogue.url("/client/server_info.xml").toString()});
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains("Main window shown"), 20000);
        QVERIFY(client.log().contains("Server information not available"));
        QVERIFY(!client.log().contains("fake"));
        stop(client);
    }
};

QTEST_GUILESS_MAIN(ClientRunTest)
#include "tst_clientrun.moc"
