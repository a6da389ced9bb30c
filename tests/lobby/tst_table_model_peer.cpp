// The lobby against the scripted game server over loopback TLS: subscription
// counting as the server sees it, table records and updates from the wire,
// removal, localized names in two languages, the lobby summary, and a new
// session after a reconnect.
#include "lobby/LobbySummary.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableModel.h"
#include "peer/PeerProcess.h"
#include "protocol/ConnectionManager.h"
#include "widgets/TranslationsManager.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestTableModelPeer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void subscriptionsAndTables();
    void namesInTwoLanguages();
    void newSessionAfterReconnect();
    void aTableTheServerRemovedLeavesTheLobby();

private:
    bool connectAndLogin();
    int received(const QString &message) { return int(m_peer->linesStartingWith("RECV " + message).size()); }

    std::unique_ptr<PeerProcess> m_peer;
    std::unique_ptr<ConnectionManager> m_connection;
    std::unique_ptr<TableModel> m_tables;
};

void TestTableModelPeer::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel-lobby-test"));
    QDir::setSearchPaths(QStringLiteral("translations"), {QStringLiteral(LOBBY_TEST_QM_DIR)});
    PeerProcess::installTestCa();
}

void TestTableModelPeer::init()
{
    m_peer = std::make_unique<PeerProcess>();
    QVERIFY2(m_peer->start({QStringLiteral("--account"), QStringLiteral("alice:secret:42:Alice")}),
             qPrintable(m_peer->errorString()));
    m_connection = std::make_unique<ConnectionManager>(true);
    m_tables = std::make_unique<TableModel>(m_connection.get());
    m_tables->setNotifyInterval(0);
}

void TestTableModelPeer::cleanup()
{
    m_tables.reset();
    m_connection.reset();
    m_peer.reset();
}

bool TestTableModelPeer::connectAndLogin()
{
    QSignalSpy checked(m_connection.get(), &ConnectionManager::versionCheckComplete);
    QSignalSpy loggedIn(m_connection.get(), &ConnectionManager::loginSuccess);
    if (m_connection->host().isEmpty())
        m_connection->connectToHost(QStringLiteral("localhost"), m_peer->port());
    else
        m_connection->connectToServer();
    if (!checked.wait(10000))
        return false;
    m_connection->login(QStringLiteral("alice"), QStringLiteral("secret"));
    return loggedIn.wait(10000);
}

void TestTableModelPeer::subscriptionsAndTables()
{
    // Subscribed before the login: asked for once the session exists.
    m_tables->subscribe(QStringLiteral("101/Practice"));
    QSignalSpy added(m_tables.get(), &TableModel::tableAdded);
    QVERIFY(connectAndLogin());
    QTRY_COMPARE(m_tables->rowCount(), 4);
    QCOMPARE(received("lobby_subscribe"), 1);
    for (int id : {1001, 1002, 1003, 1004})
        QVERIFY(m_tables->hasTable(id));
    QCOMPARE(m_tables->tableInfo(1002).ruleset(), 2);

    // Further users of a path only count.
    m_tables->subscribe(QStringLiteral("101/Practice"));
    m_tables->subscribe(QStringLiteral("101/Money"));
    m_tables->subscribe(QStringLiteral("101/mtt/7"));
    QTRY_COMPARE(m_tables->rowCount(), 7);
    QCOMPARE(received("lobby_subscribe"), 3);
    QVERIFY(m_tables->isTableFull(2002));
    QVERIFY(!m_tables->isTableFull(2001));
    QCOMPARE(m_tables->tableInfo(7001).tournamentId(), 7);

    // Joining makes the server send a partial update of the seated count.
    const int seated = m_tables->tableInfo(2001).seated();
    m_connection->join_table(2001);
    QTRY_COMPARE(m_tables->tableInfo(2001).seated(), seated + 1);
    QCOMPARE(m_tables->rowCount(), 7);

    // The last user of a path gives it up; the server hears it once.
    QSignalSpy removed(m_tables.get(), &TableModel::tableRemoved);
    m_tables->unsubscribe(QStringLiteral("101/Practice"));
    m_tables->unsubscribe(QStringLiteral("101/Money"));
    QCOMPARE(removed.count(), 2);
    QVERIFY(!m_tables->hasTable(2001));
    QVERIFY(m_tables->hasTable(1001));
    m_tables->unsubscribe(QStringLiteral("101/Practice"));
    QCOMPARE(removed.count(), 6);
    QCOMPARE(m_tables->rowCount(), 1);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV lobby_unsubscribe"), 10000, 1).isNull());
    QCOMPARE(received("lobby_unsubscribe"), 2);

    try {
        m_tables->tableInfo(1001);
        QFAIL("no exception for a table given up");
    } catch (const std::runtime_error &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("info for table 1001 unavailable"));
    }
    QVERIFY(!m_tables->isTableFull(2002));
    QCOMPARE(m_tables->tableNameById(2002), QString());

    // The lobby summary of the same session.
    LobbySummary summary;
    connect(m_connection.get(), &ConnectionManager::lobbySummary, &summary, &LobbySummary::onLobbySummary);
    QSignalSpy summaries(m_connection.get(), &ConnectionManager::lobbySummary);
    m_connection->query_lobby_summary();
    QVERIFY(summaries.wait(10000));
    const lobby_summary_t data = summaries.first().first().value<lobby_summary_t>();
    QCOMPARE(summary.summary(), data);
    QVERIFY(summary.findChild<QLabel *>(QStringLiteral("playersOnlineLabel"))
                ->text()
                .contains(QLocale().toString(data.playersOnline)));
}

void TestTableModelPeer::namesInTwoLanguages()
{
    TranslationsManager translations;
    QVERIFY(translations.setLanguage(QStringLiteral("en")));
    LocalizationDb names(m_connection.get(), &translations);
    m_tables->setLocalizationDb(&names);
    names.setTableModel(m_tables.get());
    m_tables->subscribe(QStringLiteral("101"));
    QVERIFY(connectAndLogin());
    QTRY_COMPARE(m_tables->rowCount(), 7);

    QSignalSpy updated(&names, &LocalizationDb::tableNamesUpdated);
    names.requestTableNames();
    QVERIFY(updated.wait(10000));
    QCOMPARE(names.tableNameById(1001), QStringLiteral("Practice 1001"));
    QCOMPARE(m_tables->tableNameById(2002), QStringLiteral("High Roller 2002"));
    QCOMPARE(m_tables->index(m_tables->rowOfTable(1003), TableModel::NameColumn).data().toString(),
             QStringLiteral("Practice 1003"));
    QCOMPARE(names.tableNameById(7001), QStringLiteral("Table(7001)"));

    // Switching the language asks for that language's names.
    QVERIFY(translations.setLanguage(QStringLiteral("ja")));
    QTRY_COMPARE(names.tableNameById(1001), QStringLiteral("練習 1001"));
    QCOMPARE(m_tables->tableNameById(2001), QStringLiteral("ハイローラー 2001"));
    QCOMPARE(names.tableNameById(7001), QStringLiteral("テーブル(7001)"));
    QCOMPARE(received("service_request"), 2);

    // Back to a language already known: no new request.
    QVERIFY(translations.setLanguage(QStringLiteral("en")));
    QCOMPARE(m_tables->tableNameById(1001), QStringLiteral("Practice 1001"));
    QTest::qWait(100);
    QCOMPARE(received("service_request"), 2);
    QCOMPARE(names.tableNameById(999), QString());
}

void TestTableModelPeer::newSessionAfterReconnect()
{
    m_tables->subscribe(QStringLiteral("101/Practice"));
    QVERIFY(connectAndLogin());
    QTRY_COMPARE(m_tables->rowCount(), 4);

    QSignalSpy disconnected(m_connection.get(), &ConnectionManager::disconnected);
    m_connection->disconnectFromServer();
    QTRY_COMPARE(disconnected.count(), 1);
    QCOMPARE(m_tables->subscriptionCount(QStringLiteral("101/Practice")), 1);

    // The new session knows none of the paths: they are asked for again, and
    // the tables come back from the server, not from the old session.
    QSignalSpy removed(m_tables.get(), &TableModel::tableRemoved);
    QSignalSpy added(m_tables.get(), &TableModel::tableAdded);
    QVERIFY(connectAndLogin());
    QCOMPARE(removed.count(), 4);
    QTRY_COMPARE(added.count(), 4);
    QCOMPARE(received("lobby_subscribe"), 2);
}

// The server closes a table the lobby lists: it goes, and the lobby's views
// hear of it, as of a table given up.
void TestTableModelPeer::aTableTheServerRemovedLeavesTheLobby()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("removed.json"));
    QFile scenario(file);
    QVERIFY(scenario.open(QIODevice::WriteOnly));
    // Sent once the client has the table: it asks for the summary then.
    scenario.write(R"({"trigger": "login", "steps": [
        {"expect": "query_lobby_summary"},
        {"send": "table_removed", "fields": {"tableId": 1002}}]})");
    scenario.close();
    QVERIFY2(m_peer->start({QStringLiteral("--account"), QStringLiteral("alice:secret:42:Alice"),
                            QStringLiteral("--scenario"), file}),
             qPrintable(m_peer->errorString()));
    m_tables->subscribe(QStringLiteral("101/Practice"));
    QVERIFY(connectAndLogin());
    QTRY_COMPARE(m_tables->rowCount(), 4);
    QSignalSpy removed(m_tables.get(), &TableModel::tableRemoved);
    m_connection->query_lobby_summary();
    QTRY_COMPARE(m_tables->rowCount(), 3);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.first().first().toInt(), 1002);
    QVERIFY(!m_tables->hasTable(1002));
    QVERIFY(m_tables->hasTable(1001) && m_tables->hasTable(1003));
}

QTEST_MAIN(TestTableModelPeer)
#include "tst_table_model_peer.moc"
