#include "HttpsTestServer.h"
#include "TestCertificates.h"

#include "app/ServerInfo.h"
#include "app/UpdateDownloader.h"
#include "app/UpdateProgressDialog.h"
#include "app/VersionChecker.h"

#include <QCryptographicHash>
#include <QDir>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QByteArray serverInfoNoDowntime =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<serverinfo>\n"
    "  <downtime brand='OtherBrand'><message lang='en'>Other brand is down</message></downtime>\n"
    "</serverinfo>\n"
    "";

const QByteArray serverInfoDowntime = "<?xml version='1.0' encoding='UTF-8'?>\n"
                                      "<serverinfo>\n"
                                      "  <downtime brand='Brisquel'>\n"
                                      "    <message lang='en'>Down for maintenance until 12:00 UTC.</message>\n"
                                      "    <message lang='ja'>メンテナンス中です。</message>\n"
                                      "  </downtime>\n"
                                      "</serverinfo>\n"
                                      "";

QByteArray versionsFile(const QString &version, const QUrl &installer, qint64 size, const QByteArray &sha256)
{
    return QStringLiteral("<?xml version='1.0' encoding='UTF-8'?>\n"
                          "<clientversions>\n"
                          "  <release version='99.0.0' platform='windows'>\n"
                          "    <installer url='https://localhost/win.exe' size='10' sha256='%4'/>\n"
                          "  </release>\n"
                          "  <release version='%1' platform='linux'>\n"
                          "    <installer url='%2' size='%3' sha256='%4'/>\n"
                          "  </release>\n"
                          "  <release version='0.9.0'>\n"
                          "    <installer url='https://localhost/old.run' size='10' sha256='%4'/>\n"
                          "  </release>\n"
                          "</clientversions>\n"
                          "")
        .arg(version, installer.toString())
        .arg(size)
        .arg(QString::fromLatin1(sha256))
        .toUtf8();
}
} // namespace

class ServerFilesTest : public QObject
{
    Q_OBJECT

private:
    TestCertificates m_certs;
    std::unique_ptr<HttpsTestServer> m_server;
    std::unique_ptr<HttpsTestServer> m_rogue;
    QNetworkAccessManager *m_network = nullptr;
    QByteArray m_installer;
    QByteArray m_installerSha;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_certs.create(&error), qPrintable(error));
        m_certs.trustCa();
        m_server = std::make_unique<HttpsTestServer>(m_certs.server, m_certs.serverKey);
        QVERIFY(m_server->listen());
        m_rogue = std::make_unique<HttpsTestServer>(m_certs.rogue, m_certs.rogueKey);
        QVERIFY(m_rogue->listen());
        m_installer = QByteArray("#!/bin/sh\necho installing \"$@\"\n").repeated(2000);
        m_installerSha = QCryptographicHash::hash(m_installer, QCryptographicHash::Sha256).toHex();
        m_server->setBody("/setup.run", m_installer);
    }
    void init() { m_network = new QNetworkAccessManager(this); }
    void cleanup()
    {
        delete m_network;
        m_network = nullptr;
    }

    // --- server information -------------------------------------------

    void defaultAddresses()
    {
        QCOMPARE(ServerInfo::defaultUrl("www.example.net").toString(),
                 QStringLiteral("https://www.example.net/client/server_info.xml"));
        QCOMPARE(VersionChecker::defaultUrl("www.example.net").toString(),
                 QStringLiteral("https://www.example.net/client/brisquel/client_versions.xml"));
    }

    void parseServerInfo()
    {
        QString error;
        auto notices = ServerInfo::parse(serverInfoDowntime, &error);
        QVERIFY2(notices, qPrintable(error));
        QCOMPARE(notices->size(), 1);
        QCOMPARE(ServerInfo::downtimeText(*notices, "Brisquel", "ja").value(), QStringLiteral("メンテナンス中です。"));
        QCOMPARE(ServerInfo::downtimeText(*notices, "Brisquel", "ja_JP").value(),
                 QStringLiteral("メンテナンス中です。"));
        QCOMPARE(ServerInfo::downtimeText(*notices, "Brisquel", "zh_TW").value(),
                 QStringLiteral("Down for maintenance until 12:00 UTC."));
        QVERIFY(!ServerInfo::downtimeText(*notices, "OtherBrand", "en"));

        // A notice without a brand is for everybody; one without text gets ours.
        notices = ServerInfo::parse("<serverinfo><downtime/></serverinfo>", &error);
        QVERIFY(notices);
        QVERIFY(ServerInfo::downtimeText(*notices, "Brisquel", "en").value().contains("maintenance"));
        notices = ServerInfo::parse("<serverinfo><future x='1'><downtime/></future></serverinfo>", &error);
        QVERIFY(notices);
        QVERIFY(notices->isEmpty()); // unknown elements are skipped whole
    }

    void parseServerInfoRejectsBadFiles_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not xml") << QByteArray("Down until noon");
        QTest::newRow("wrong root") << QByteArray("<html><body/></html>");
        QTest::newRow("truncated") << QByteArray("<serverinfo><downtime brand='Brisquel'><message>x");
        QTest::newRow("mismatched") << QByteArray("<serverinfo><downtime></serverinfo>");
        QTest::newRow("two roots") << QByteArray("<serverinfo/><serverinfo/>");
    }
    void parseServerInfoRejectsBadFiles()
    {
        QFETCH(QByteArray, data);
        QString error;
        QVERIFY(!ServerInfo::parse(data, &error));
        QVERIFY(!error.isEmpty());
    }

    void serverInfoOverHttps_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("rogue");
        QTest::addColumn<int>("outcome"); // 0 finished(true), 1 finished(false), 2 downtime
        QTest::newRow("valid") << "/client/server_info.xml" << serverInfoNoDowntime << false << 0;
        QTest::newRow("downtime") << "/client/server_info.xml" << serverInfoDowntime << false << 2;
        QTest::newRow("missing") << "/client/nothing.xml" << QByteArray() << false << 1;
        QTest::newRow("malformed") << "/client/server_info.xml" << QByteArray("<serverinfo><downtime>") << false << 1;
        QTest::newRow("wrong certificate") << "/client/server_info.xml" << serverInfoDowntime << true << 1;
    }
    void serverInfoOverHttps()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(bool, rogue);
        QFETCH(int, outcome);
        HttpsTestServer *server = rogue ? m_rogue.get() : m_server.get();
        if (!body.isEmpty())
            server->setBody("/client/server_info.xml", body);
        ServerInfo info(m_network);
        info.setLanguage("en");
        QSignalSpy finished(&info, &ServerInfo::finished);
        QSignalSpy downtime(&info, &ServerInfo::downtime);
        info.download(server->url(path));
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() + downtime.count() == 1, 10000);
        QTest::qWait(20);
        QCOMPARE(finished.count() + downtime.count(), 1);
        switch (outcome) {
        case 0:
            QCOMPARE(finished.first().first().toBool(), true);
            break;
        case 1:
            QCOMPARE(finished.first().first().toBool(), false);
            break;
        case 2:
            QCOMPARE(downtime.first().first().toString(), QStringLiteral("Down for maintenance until 12:00 UTC."));
            break;
        }
    }

    void plainHttpIsRefused()
    {
        ServerInfo info(m_network);
        QSignalSpy finished(&info, &ServerInfo::finished);
        QUrl url = m_server->url("/client/server_info.xml");
        url.setScheme("http");
        info.download(url);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), false);
    }

    void oversizedFileIsRefused()
    {
        QByteArray huge = "<serverinfo>" + QByteArray(ServerInfo::maxFileSize, ' ') + "</serverinfo>";
        m_server->setBody("/client/huge.xml", huge);
        ServerInfo info(m_network);
        QSignalSpy finished(&info, &ServerInfo::finished);
        info.download(m_server->url("/client/huge.xml"));
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 10000);
        QCOMPARE(finished.first().first().toBool(), false);
    }

    // --- client versions ----------------------------------------------

    void parseVersions()
    {
        QString error;
        const QByteArray data = versionsFile("1.5.0", QUrl("https://localhost/setup.run"), 42, m_installerSha);
        auto release = VersionChecker::parse(data, "linux", &error);
        QVERIFY2(release, qPrintable(error));
        QCOMPARE(release->version, QVersionNumber(1, 5, 0));
        QCOMPARE(release->installer, QUrl("https://localhost/setup.run"));
        QCOMPARE(release->size, qint64(42));
        QCOMPARE(release->sha256, m_installerSha);
        QCOMPARE(VersionChecker::parse(data, "windows", &error)->version, QVersionNumber(99, 0, 0));
        QCOMPARE(VersionChecker::parse(data, "macos", &error)->version, QVersionNumber(0, 9, 0));
        QVERIFY(VersionChecker::parse("<clientversions/>", "linux", &error)->version.isNull());
    }

    void parseVersionsRejectsBadFiles_data()
    {
        QTest::addColumn<QByteArray>("data");
        const QByteArray sha(64, 'a');
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("wrong root") << QByteArray("<versions/>");
        QTest::newRow("truncated") << versionsFile("2.0", QUrl("https://h/x"), 5, sha).left(150);
        QTest::newRow("bad version") << versionsFile("two", QUrl("https://h/x"), 5, sha);
        QTest::newRow("version suffix") << versionsFile("2.0-beta", QUrl("https://h/x"), 5, sha);
        QTest::newRow("http installer") << versionsFile("2.0", QUrl("http://h/x"), 5, sha);
        QTest::newRow("no size") << versionsFile("2.0", QUrl("https://h/x"), 0, sha);
        QTest::newRow("short digest") << versionsFile("2.0", QUrl("https://h/x"), 5, "abcd");
        QTest::newRow("no installer") << QByteArray("<clientversions><release version='2.0'/></clientversions>");
    }
    void parseVersionsRejectsBadFiles()
    {
        QFETCH(QByteArray, data);
        QString error;
        QVERIFY(!VersionChecker::parse(data, "linux", &error));
        QVERIFY(!error.isEmpty());
    }

    void versionCheckOutcomes_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("rogue");
        QTest::addColumn<bool>("expectPrompt");
        const QByteArray sha(64, 'b');
        QTest::newRow("newer") << versionsFile("2.0.0", QUrl("https://localhost/x"), 10, sha) << false << true;
        QTest::newRow("same") << versionsFile("1.0.0", QUrl("https://localhost/x"), 10, sha) << false << false;
        QTest::newRow("older") << versionsFile("0.5", QUrl("https://localhost/x"), 10, sha) << false << false;
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("malformed") << QByteArray("<clientversions><release") << false << false;
        QTest::newRow("wrong certificate")
            << versionsFile("2.0.0", QUrl("https://localhost/x"), 10, sha) << true << false;
    }
    void versionCheckOutcomes()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, rogue);
        QFETCH(bool, expectPrompt);
        HttpsTestServer *server = rogue ? m_rogue.get() : m_server.get();
        const QString path = QStringLiteral("/client/brisquel/%1.xml").arg(QTest::currentDataTag()).replace(' ', '_');
        if (!body.isEmpty())
            server->setBody(path, body);
        VersionChecker checker(m_network);
        checker.setCurrentVersion(QVersionNumber(1, 0, 0));
        int prompts = 0;
        checker.setPrompt([&prompts](const VersionChecker::Release &, std::function<void(bool)> answer) {
            ++prompts;
            answer(false);
        });
        QSignalSpy finished(&checker, &VersionChecker::finished);
        QSignalSpy ready(&checker, &VersionChecker::installerReady);
        checker.check(server->url(path));
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 10000);
        QCOMPARE(prompts, expectPrompt ? 1 : 0);
        QCOMPARE(ready.count(), 0);
    }

    void updateDownloadsVerifiedInstaller()
    {
        QTemporaryDir dir;
        m_server->setBody("/client/brisquel/ok.xml",
                          versionsFile("3.1.4", m_server->url("/setup.run"), m_installer.size(), m_installerSha));
        VersionChecker checker(m_network);
        checker.setCurrentVersion(QVersionNumber(1, 0, 0));
        checker.setDownloadDirectory(dir.path());
        QVersionNumber offered;
        checker.setPrompt([&offered](const VersionChecker::Release &release, std::function<void(bool)> answer) {
            offered = release.version;
            answer(true);
        });
        QSignalSpy finished(&checker, &VersionChecker::finished);
        QSignalSpy ready(&checker, &VersionChecker::installerReady);
        checker.check(m_server->url("/client/brisquel/ok.xml"));
        QTRY_VERIFY_WITH_TIMEOUT(ready.count() == 1, 10000);
        QCOMPARE(offered, QVersionNumber(3, 1, 4));
        QCOMPARE(finished.count(), 0);
        const QString path = ready.first().first().toString();
        QCOMPARE(QFileInfo(path).absolutePath(), QDir(dir.path()).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), m_installer);
        QVERIFY(file.permissions() & QFile::ExeOwner);
    }

    void failedDownloadsAreDeleted_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<qint64>("listedSize");
        QTest::addColumn<bool>("goodDigest");
        QTest::addColumn<bool>("rogue");
        const qint64 size = m_installer.size();
        QTest::newRow("digest mismatch") << m_installer << qint64(-1) << size << false << false;
        QTest::newRow("truncated") << m_installer.left(size / 2) << size << size << true << false;
        QTest::newRow("longer than listed") << m_installer << qint64(-1) << size - 10 << true << false;
        QTest::newRow("not found") << QByteArray() << qint64(-1) << size << true << false;
        QTest::newRow("wrong certificate") << m_installer << qint64(-1) << size << true << true;
    }
    void failedDownloadsAreDeleted()
    {
        QFETCH(QByteArray, body);
        QFETCH(qint64, announced);
        QFETCH(qint64, listedSize);
        QFETCH(bool, goodDigest);
        QFETCH(bool, rogue);
        HttpsTestServer *server = rogue ? m_rogue.get() : m_server.get();
        const QString installerPath = QStringLiteral("/bad-%1.run").arg(QTest::currentDataTag()).replace(' ', '_');
        if (!body.isEmpty())
            server->setResponse(installerPath, {200, body, announced});
        QTemporaryDir dir;
        UpdateDownloader downloader(m_network);
        QSignalSpy finished(&downloader, &UpdateDownloader::finished);
        const QByteArray digest = goodDigest ? m_installerSha : QByteArray(64, 'c');
        downloader.download(server->url(installerPath), listedSize, digest, dir.path());
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 15000);
        QCOMPARE(finished.first().at(0).toString(), QString());
        QVERIFY(!finished.first().at(1).toString().isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void declinedOrFailedUpdateEndsTheCheck()
    {
        m_server->setBody("/client/brisquel/bad.xml",
                          versionsFile("3.0", m_server->url("/setup.run"), m_installer.size(), QByteArray(64, 'd')));
        QTemporaryDir dir;
        VersionChecker checker(m_network);
        checker.setCurrentVersion(QVersionNumber(1, 0, 0));
        checker.setDownloadDirectory(dir.path());
        checker.setPrompt([](const VersionChecker::Release &, std::function<void(bool)> answer) { answer(true); });
        QStringList reported;
        checker.setErrorReport([&reported](const QString &error) { reported << error; });
        QSignalSpy finished(&checker, &VersionChecker::finished);
        QSignalSpy ready(&checker, &VersionChecker::installerReady);
        checker.check(m_server->url("/client/brisquel/bad.xml"));
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 10000);
        QCOMPARE(ready.count(), 0);
        QCOMPARE(reported.size(), 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void cancelledDownloadIsDeleted()
    {
        const QByteArray big(32 << 20, 'x');
        m_server->setBody("/big.run", big);
        m_server->setBody("/client/brisquel/big.xml",
                          versionsFile("4.0", m_server->url("/big.run"), big.size(),
                                       QCryptographicHash::hash(big, QCryptographicHash::Sha256).toHex()));
        QTemporaryDir dir;
        VersionChecker checker(m_network);
        checker.setCurrentVersion(QVersionNumber(1, 0, 0));
        checker.setDownloadDirectory(dir.path());
        checker.setPrompt([](const VersionChecker::Release &, std::function<void(bool)> answer) { answer(true); });
        UpdateProgressDialog dialog(&checker);
        QVERIFY(dialog.isHidden());
        qint64 cancelledAt = 0;
        QString label;
        connect(&checker, &VersionChecker::downloadProgress, &dialog, [&](qint64 received, qint64) {
            if (received == 0 || cancelledAt > 0)
                return;
            QVERIFY(dialog.isVisible());
            cancelledAt = received;
            label = dialog.labelText();
            dialog.findChild<QPushButton *>()->click();
        });
        QSignalSpy finished(&checker, &VersionChecker::finished);
        QSignalSpy ready(&checker, &VersionChecker::installerReady);
        checker.check(m_server->url("/client/brisquel/big.xml"));
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 15000);
        QVERIFY(cancelledAt > 0 && cancelledAt < big.size()); // cancelled half-way
        QVERIFY2(label.startsWith("Downloading version 4.0") && label.contains("of 32.0 MB"), qPrintable(label));
        QVERIFY(dialog.isHidden());
        QVERIFY(!checker.isDownloading());
        QTest::qWait(300);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(ready.count(), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void installerStartsDetachedWithCleanUpArgument()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath("installer.sh");
        const QString out = dir.filePath("args.txt");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(out).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(VersionChecker::launchInstaller(script));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(out).size() > 0, 10000);
        QFile args(out);
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll().trimmed(), QByteArray("/DoDelete=Yes"));
        QVERIFY(!VersionChecker::launchInstaller(dir.filePath("missing")));
    }
};

QTEST_MAIN(ServerFilesTest)
#include "tst_serverfiles.moc"
