// What a server sends in bulk, against the whole window and the scripted
// game server: a burst of messages and refusals nobody asked for, and texts
// too long for the boxes and the table. Timing figures are the benchmark's
// (mainwindow_bulk_benchmark); here what cannot race.
#include "app/ResourcePaths.h"
#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainView.h"
#include "peer/PeerProcess.h"
#include "table/GameController.h"
#include "protocol/WireConversions.h"
#include "table/GameWindow.h"
#include "table/ScoreBoard.h"
#include "xmpp/client/XMPPClient.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/TranslationsManager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace {
QJsonObject send(const char *message, const QJsonObject &fields, int repeat = 1)
{
    QJsonObject step{{"send", message}, {"fields", fields}};
    if (repeat > 1)
        step.insert("repeat", repeat);
    return step;
}

// The boxes of the server's messages (the offscreen screen is smaller than
// the window asks for, which it says in a box of its own).
QList<QMessageBox *> openBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible() && box->windowTitle() != QLatin1String("Resolution too low!"))
            boxes << box;
    }
    return boxes;
}

QMessageBox *openBox(const QString &title, QMessageBox::Icon icon)
{
    for (QMessageBox *box : openBoxes()) {
        if (box->windowTitle() == title && box->icon() == icon)
            return box;
    }
    return nullptr;
}
} // namespace

class TestMainwindowBulk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void burstOfMessagesOpensOneBoxPerKind();
    void longServerTextsAreCutBeforeTheyAreShown();
    void longLobbyPathIsCutBeforeItIsSentOn();

private:
    bool startPeer(const QJsonObject &scenario, QStringList arguments = {});
    std::unique_ptr<MainWindow> loggedIn();

    QTemporaryDir m_dir;
    std::unique_ptr<PeerProcess> m_peer;
};

void TestMainwindowBulk::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_mainwindow_bulk"));
    QSettings().clear();
    QSettings().setValue(QStringLiteral("game/animations"), false);
    QSettings().setValue(QStringLiteral("game/sound"), false);
    ResourcePaths::install({});
    PeerProcess::installTestCa();
    QVERIFY(m_dir.isValid());
}

void TestMainwindowBulk::cleanup()
{
    for (QMessageBox *box : openBoxes())
        delete box;
    m_peer.reset();
}

bool TestMainwindowBulk::startPeer(const QJsonObject &scenario, QStringList arguments)
{
    static int count = 0;
    const QString file = m_dir.filePath(QStringLiteral("scenario-%1.json").arg(++count));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(QJsonDocument(scenario).toJson(QJsonDocument::Compact));
    out.close();
    m_peer = std::make_unique<PeerProcess>();
    arguments << QStringLiteral("--scenario") << file;
    return m_peer->start(arguments);
}

std::unique_ptr<MainWindow> TestMainwindowBulk::loggedIn()
{
    auto window = std::make_unique<MainWindow>(QStringLiteral("localhost"), m_peer->port(), QString(), QString(), true,
                                               QStringLiteral("127.0.0.1:1"), nullptr);
    QObject::connect(&window->connectionManager(), &ConnectionManager::versionCheckComplete, window.get(),
                     [w = window.get()] { w->login(QStringLiteral("ann"), QStringLiteral("secret")); });
    window->onStartupFinished(true);
    return window;
}

void TestMainwindowBulk::burstOfMessagesOpensOneBoxPerKind()
{
    // Right after the login (and the server's answer of the balance that
    // it asks for), every kind of message the server may send unasked,
    // interleaved and repeated; the balance last tells the test that the
    // client has read it all.
    QJsonArray steps{QJsonObject{{"expect", "query_account_balance"}, {"timeout_ms", 60000}}};
    const int rounds = 150;
    for (int i = 1; i <= rounds; ++i) {
        steps.append(send("player_message", {{"text", QStringLiteral("Player note %1").arg(i)}}));
        steps.append(send("system_message", {{"kind", 1}, {"id", i}, {"text", QStringLiteral("Notice %1").arg(i)}}));
        steps.append(send("join_failed", {{"tableId", 4000 + i}, {"reason", i % 2 ? 2 : 3}}));
        steps.append(send("tournament_register_failed", {{"tournamentId", 7}, {"reason", 6}}));
    }
    steps.append(send("system_message", {{"kind", 1}, {"id", 0}, {"text", "Same again"}}, 300));
    steps.append(send("join_failed", {{"tableId", 4999}, {"reason", 4}}, 100));
    steps.append(send("tournament_register_failed", {{"tournamentId", 7}, {"reason", 2}}, 100));
    steps.append(send("account_balance", {{"cents", 4242}}));
    QVERIFY2(startPeer({{"trigger", "login"}, {"steps", steps}}, {"--account", "ann:secret:1001:Ann"}),
             qPrintable(m_peer->errorString()));
    // The plural forms of the counts, as the client runs with them.
    TranslationsManager translations(ResourcePaths::roots({}));
    QVERIFY(translations.setLanguage(QStringLiteral("en")));
    auto window = loggedIn();
    QTRY_COMPARE_WITH_TIMEOUT(window->accountBalance(), qint64(4242), 60000);

    // One box for each kind of message, not one for each message.
    QPointer<QMessageBox> players = openBox(QStringLiteral("Information"), QMessageBox::Information);
    QPointer<QMessageBox> notices = openBox(QStringLiteral("System message"), QMessageBox::Information);
    QPointer<QMessageBox> joins = openBox(QStringLiteral("Join Failed"), QMessageBox::Critical);
    QPointer<QMessageBox> funds = openBox(QStringLiteral("Join Failed"), QMessageBox::Question);
    QPointer<QMessageBox> tournaments = openBox(QStringLiteral("Join tournament"), QMessageBox::Warning);
    QPointer<QMessageBox> tournamentFunds = openBox(QStringLiteral("Join tournament"), QMessageBox::Question);
    QVERIFY(players && notices && joins && funds && tournaments && tournamentFunds);
    QStringList titles;
    for (const QMessageBox *box : openBoxes())
        titles << box->windowTitle() + QLatin1Char('/') + QString::number(box->icon());
    QVERIFY2(titles.size() == 6, qPrintable(titles.join(QStringLiteral(", "))));

    // Each stays readable: its own text is the first message, the others are
    // counted below it and the newest of them listed in its details.
    QCOMPARE(players->text(), QStringLiteral("Player note 1"));
    QTRY_COMPARE(players->informativeText(),
                 QStringLiteral("%1 more messages, listed in the details.").arg(rounds - 1));
    QStringList listed = players->detailedText().split(QStringLiteral("\n\n"));
    QCOMPARE(listed.size(), ModelessMsgBox::MaxListed + 1);
    QCOMPARE(listed.first(),
             QStringLiteral("%1 earlier messages not listed.").arg(rounds - 1 - ModelessMsgBox::MaxListed));
    QCOMPARE(listed.last(), QStringLiteral("Player note %1").arg(rounds));

    QCOMPARE(notices->text(), QStringLiteral("Notice 1"));
    QTRY_VERIFY(notices->detailedText().endsWith(QStringLiteral("Same again\n(300 times)")));
    QCOMPARE(joins->text(), QStringLiteral("Table Full"));
    QTRY_VERIFY(joins->detailedText().endsWith(QStringLiteral("Table Full\n\nTable In Play")));
    QTRY_COMPARE(tournaments->text(),
                 QStringLiteral("Join tournament failed!\nTournament is running\n\n(%1 times)").arg(rounds));
    QCOMPARE(tournaments->informativeText(), QString());

    // A question asked a hundred times is asked once: one answer, one page.
    const QRegularExpression accountPage(QStringLiteral("^RECV query_web_page .*\"page\":1\\b"));
    const int pages = int(m_peer->lines().filter(accountPage).size());
    funds->button(QMessageBox::Yes)->click();
    QTRY_VERIFY(!funds);
    QCOMPARE(openBoxes().size(), 5);
    // Whatever the answer sent went before this request.
    const int summaries = int(m_peer->linesStartingWith(QStringLiteral("RECV query_lobby_summary")).size());
    window->connectionManager().query_lobby_summary();
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV query_lobby_summary"), 10000, summaries).isNull());
    QCOMPARE(int(m_peer->lines().filter(accountPage).size()), pages + 1);
}

void TestMainwindowBulk::longServerTextsAreCutBeforeTheyAreShown()
{
    // A scored hand whose score line is one word of 20,000 characters, and a
    // message of 200,000: both cut, with a warning, before any view lays
    // them out.
    const int lineLength = 20000;
    const int messageLength = 200000;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("score line name of %1 characters from the "
                                                                         "game server cut to %2")
                                                              .arg(lineLength)
                                                              .arg(wire::maxNameLength)));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("message of %1 characters from the game "
                                                                         "server cut to %2")
                                                              .arg(messageLength)
                                                              .arg(wire::maxMessageLength)));
    const QString longLine(lineLength, QLatin1Char('L'));
    const QJsonObject tableState{{"playerId", "$pid"}, {"thirdValue", "$pid"}, {"lastDiscarder", -1}};
    QJsonArray steps;
    for (int i = 1; i <= 3; ++i)
        steps.append(send("player_joined", {{"tableId", "$table"},
                                            {"player", QJsonObject{{"id", 900 + i},
                                                                   {"name", QStringLiteral("Bot %1").arg(i)},
                                                                   {"wind", i},
                                                                   {"riichiDiscardIndex", -1}}}}));
    steps.append(send(
        "start_hand",
        {{"tableId", "$table"},
         {"handId", 1},
         {"seating", QJsonObject{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}}},
         {"newRound", true},
         {"tableState", tableState},
         {"wallState", QJsonObject{{"doraIndicators", QJsonArray{4}}, {"liveTiles", 70}, {"deadWallTiles", 14}}}}));
    steps.append(send("someone_declared_mahjong", {{"tableId", "$table"}, {"playerId", "$pid"}}));
    QJsonArray scores{
        QJsonObject{{"playerId", "$pid"},
                    {"name", "Ann"},
                    {"result", 1},
                    {"doubles", QJsonArray{QJsonObject{{"name", longLine}, {"value", 1}},
                                           QJsonObject{{"name", "Self-drawn"}, {"value", 1}}}},
                    {"doublesTotal", 2},
                    {"handScore", 2900},
                    {"settlement", 2900},
                    {"tileGroups", QJsonArray{QJsonObject{{"tiles", QJsonArray{0, 1, 2}}, {"marked", -1}}}}}};
    for (int i = 1; i <= 3; ++i)
        scores.append(QJsonObject{{"playerId", 900 + i}, {"name", QStringLiteral("Bot %1").arg(i)}, {"result", 0}});
    steps.append(send("hand_end_scoring",
                      {{"tableId", "$table"},
                       {"scoring", QJsonObject{{"winKind", 3}, {"scores", scores}, {"dora", QJsonArray{4}}}}}));
    steps.append(send("system_message", {{"kind", 1}, {"id", 1}, {"text", QString(messageLength, QLatin1Char('M'))}}));
    steps.append(QJsonObject{{"expect", "leave_table"}, {"timeout_ms", 60000}});
    QVERIFY2(startPeer({{"trigger", "join"}, {"tables", QJsonArray{1002}}, {"empty_table", true}, {"steps", steps}},
                       {"--demo"}),
             qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_VERIFY_WITH_TIMEOUT(window->lobbyController() && window->lobbyController()->tableModel()->hasTable(1002),
                             15000);
    window->joinTable(1002);

    const auto board = [&window]() -> ScoreBoard * {
        GameWindow *page = window->gameController()->view(1002);
        return page && !page->scoreBoard()->isHidden() ? page->scoreBoard() : nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(board(), 15000);
    auto *lines = board()->findChild<QTextEdit *>(QStringLiteral("score1"));
    QVERIFY(lines);
    const QString shown = lines->toPlainText();
    QVERIFY2(shown.contains(QString(wire::maxNameLength, QLatin1Char('L'))), qPrintable(shown.left(300)));
    QVERIFY(!shown.contains(QString(wire::maxNameLength + 1, QLatin1Char('L'))));
    QVERIFY(shown.contains(QStringLiteral("Self-drawn")));

    QTRY_VERIFY_WITH_TIMEOUT(openBox(QStringLiteral("System message"), QMessageBox::Information), 30000);
    QMessageBox *box = openBox(QStringLiteral("System message"), QMessageBox::Information);
    QCOMPARE(box->text(), QString(wire::maxMessageLength, QLatin1Char('M')));
}

void TestMainwindowBulk::longLobbyPathIsCutBeforeItIsSentOn()
{
    // A table of the practice lobby whose path goes on for 300,000
    // characters; the player joins it and sits down. The client echoes the
    // path in its subscription and publishes it in its presence: cut.
    const QString path = QStringLiteral("101/Practice/") + QString(300000, QLatin1Char('p'));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("lobby path of %1 characters from the game "
                                                                         "server cut to %2")
                                                              .arg(path.size())
                                                              .arg(wire::maxLobbyPathLength)));
    const QJsonObject info{
        {"id", 1009},
        {"lobbyPath", path},
        {"values", QJsonArray{QJsonObject{{"key", 1}, {"value", 2}}, QJsonObject{{"key", 2}, {"value", 4}}}}};
    QJsonArray steps{QJsonObject{{"expect", "lobby_subscribe"},
                                 {"fields", QJsonObject{{"lobbyPath", "101/Practice"}}},
                                 {"timeout_ms", 60000}},
                     send("table_info", {{"info", info}}),
                     QJsonObject{{"expect", "join_table"}, {"fields", QJsonObject{{"tableId", 1009}}}},
                     send("join_ok", {{"tableId", 1009}})};
    for (int i = 0; i <= 3; ++i)
        steps.append(send("player_joined", {{"tableId", 1009},
                                            {"player", QJsonObject{{"id", i ? QJsonValue(900 + i) : "$pid"},
                                                                   {"wind", i},
                                                                   {"riichiDiscardIndex", -1}}}}));
    // The hand that seats the player.
    steps.append(send("start_hand",
                      {{"tableId", 1009},
                       {"handId", 1},
                       {"seating", QJsonObject{{"east", "$pid"}, {"south", 901}, {"west", 902}, {"north", 903}}},
                       {"newRound", true},
                       {"tableState", QJsonObject{{"playerId", "$pid"}, {"thirdValue", "$pid"}, {"lastDiscarder", -1}}},
                       {"wallState", QJsonObject{{"liveTiles", 70}, {"deadWallTiles", 14}}}}));
    QVERIFY2(startPeer({{"trigger", "login"}, {"disable", QJsonArray{"join_table"}}, {"steps", steps}},
                       {"--account", "ann:secret:1001:Ann"}),
             qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_VERIFY_WITH_TIMEOUT(window->lobbyController() && window->lobbyController()->tableModel()->hasTable(1009),
                             30000);
    const QString kept = window->lobbyController()->tableModel()->tableInfo(1009).lobbyPath();
    QCOMPARE(kept, path.left(wire::maxLobbyPathLength));
    window->joinTable(1009);
    QTRY_COMPARE_WITH_TIMEOUT(window->xmppClient().tablePaths(), QSet<QString>{kept + QStringLiteral("/1009")}, 15000);
    const QStringList subscriptions = m_peer->linesStartingWith(QStringLiteral("RECV lobby_subscribe"));
    QVERIFY(subscriptions.filter(kept).size() == 1);
    for (const QString &line : subscriptions)
        QVERIFY2(line.size() < 1000, qPrintable(line.left(200)));
}

QTEST_MAIN(TestMainwindowBulk)
#include "tst_mainwindow_bulk.moc"
