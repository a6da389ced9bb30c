// The main window's questions and its status line against the scripted game
// server: refused joins that ask, tournament seats whose tournament the lobby
// does not hold yet, a second login answer, and status texts that give way.
#include "app/ResourcePaths.h"
#include "game/GameModel.h"
#include "lobby/LobbyController.h"
#include "table/GameController.h"
#include "lobby/TableModel.h"
#include "mainwindow/MainWindow.h"
#include "peer/PeerProcess.h"
#include "table/GameWindow.h"
#include "table/SelectorButton.h"
#include "table/SideBar.h"
#include "table/TableSelector.h"
#include "widgets/QuestionListBox.h"
#include "widgets/TranslationsManager.h"
#include "widgets/ULabel.h"
#include "widgets/UPushButton.h"
#include "tournaments/ComingEventsModel.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
QMessageBox *openBox(const QString &title)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible() && box->windowTitle() == title)
            return box;
    }
    return nullptr;
}
} // namespace

class TestMainwindowQuestions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void refusedJoinAsks_data();
    void refusedJoinAsks();
    void tournamentSeatAsks_data();
    void tournamentSeatAsks();
    void tableJoinedBeforeTheListGetsItsTournament();
    void secondLoginAnswerIsIgnored();
    void questionsOfOneKindShareOneBox();
    void fullScreenButtonSaysWhatItDoes();
    void openTableIsNamed_data();
    void openTableIsNamed();

private:
    // A peer that plays the scenario (steps after the login), and a window
    // that logs in to it as Ann.
    bool startPeer(const QByteArray &scenario);
    std::unique_ptr<MainWindow> loggedIn(TranslationsManager *translations = nullptr);
    QString status() const { return m_window->view().statusLine->text(); }
    int received(const char *message)
    {
        return int(m_peer->linesStartingWith(QStringLiteral("RECV ") + QLatin1String(message)).size());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PeerProcess> m_peer;
    MainWindow *m_window = nullptr;
};

void TestMainwindowQuestions::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_mainwindow_questions"));
    QSettings().clear();
    ResourcePaths::install({});
    PeerProcess::installTestCa();
    QVERIFY(m_dir.isValid());
}

void TestMainwindowQuestions::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox *>(widget))
            delete widget;
    }
    m_window = nullptr;
    m_peer.reset();
}

bool TestMainwindowQuestions::startPeer(const QByteArray &scenario)
{
    static int count = 0;
    const QString file = m_dir.filePath(QStringLiteral("scenario-%1.json").arg(++count));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(scenario) != scenario.size())
        return false;
    out.close();
    m_peer = std::make_unique<PeerProcess>();
    return m_peer->start(
        {QStringLiteral("--account"), QStringLiteral("ann:secret:1001:Ann"), QStringLiteral("--scenario"), file});
}

std::unique_ptr<MainWindow> TestMainwindowQuestions::loggedIn(TranslationsManager *translations)
{
    auto window = std::make_unique<MainWindow>(QStringLiteral("localhost"), m_peer->port(), QString(), QString(), true,
                                               QStringLiteral("127.0.0.1:1"), translations);
    m_window = window.get();
    QObject::connect(&window->connectionManager(), &ConnectionManager::versionCheckComplete, window.get(),
                     [w = window.get()] { w->login(QStringLiteral("ann"), QStringLiteral("secret")); });
    window->onStartupFinished(true);
    return window;
}

void TestMainwindowQuestions::refusedJoinAsks_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("footer");
    QTest::newRow("insufficient funds")
        << 4 << "You don't have enough money on your account to join the table.\nDo you want to make a deposit now?"
        << "Join Failed: You don't have enough money on your account to join the table.";
    QTest::newRow("not fully registered")
        << 7
        << "You are not fully registered and therefore not allowed to play for money.\nDo you want to complete your "
           "registration now?"
        << "Join Failed: You are not fully registered and therefore not allowed to play for money.";
}

void TestMainwindowQuestions::refusedJoinAsks()
{
    QFETCH(int, reason);
    QFETCH(QString, text);
    QFETCH(QString, footer);
    QVERIFY2(startPeer(QStringLiteral(R"({"trigger": "login", "disable": ["join_table"], "steps": [
                 {"expect": "join_table", "fields": {"tableId": 2001}, "timeout_ms": 60000},
                 {"send": "join_failed", "fields": {"tableId": 2001, "reason": %1}}]})")
                           .arg(reason)
                           .toUtf8()),
             qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Logged in as Ann"), 15000);
    TableModel *tables = window->lobbyController()->tableModel();
    tables->subscribe(QStringLiteral("101/Money"));
    QTRY_VERIFY_WITH_TIMEOUT(tables->hasTable(2001), 15000);

    window->joinTable(2001);
    QTRY_VERIFY_WITH_TIMEOUT(openBox(QStringLiteral("Join Failed")), 15000);
    QMessageBox *box = openBox(QStringLiteral("Join Failed"));
    QCOMPARE(box->text(), text);
    QVERIFY(box->button(QMessageBox::Yes));
    QVERIFY(box->button(QMessageBox::No));
    QCOMPARE(status(), footer);

    // Yes opens the account page.
    const int pages = received("query_web_page");
    box->button(QMessageBox::Yes)->click();
    QTRY_COMPARE_WITH_TIMEOUT(received("query_web_page"), pages + 1, 10000);
    QVERIFY(m_peer->linesStartingWith(QStringLiteral("RECV query_web_page")).constLast().contains("\"page\":1"));

    // The refusal leaves the footer after a while; the lasting status returns.
    QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Logged in as Ann"), MainWindow::PassingStatusMs + 20000);
}

void TestMainwindowQuestions::tournamentSeatAsks_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    // A seat the server still holds at login, reported before the tournament
    // list (which here never comes): the question goes without the name.
    QTest::newRow("rejoined before the list")
        << QByteArray(R"({"trigger": "login", "disable": ["join_table", "tournaments_lobby_subscribe"], "steps": [
               {"send": "notify_seated", "fields": {"tableId": 7001, "playerId": 7, "seat": 0}},
               {"expect": "join_table", "fields": {"tableId": 7001}, "timeout_ms": 60000},
               {"send": "join_ok", "fields": {"tableId": 7001}}]})")
        << "Continuing tournament round"
        << "You are assigned to tournament table 7001. Show now?";
    QTest::newRow("new round of a listed tournament")
        << QByteArray(R"({"trigger": "login", "disable": ["join_table"], "steps": [
               {"expect": "tournaments_lobby_subscribe", "timeout_ms": 60000},
               {"send": "tournament_seated", "fields": {"tournamentId": 7, "tableId": 7001}},
               {"expect": "join_table", "fields": {"tableId": 7001}, "timeout_ms": 60000},
               {"send": "join_ok", "fields": {"tableId": 7001}}]})")
        << "New tournament round - Sunday Classic"
        << "You have been assigned to tournament table 7001. Show now?";
}

void TestMainwindowQuestions::tournamentSeatAsks()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QVERIFY2(startPeer(scenario), qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Logged in as Ann"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(openBox(title), 15000);
    QCOMPARE(openBox(title)->text(), text);
    QVERIFY(window->connectionManager().isLoggedIn());
    openBox(title)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(window->view().tableSelector->checkedTableId(), 7001);
}

void TestMainwindowQuestions::tableJoinedBeforeTheListGetsItsTournament()
{
    // A seat held at login, joined before the tournament list; the list
    // comes a little later.
    QVERIFY2(startPeer(R"({"trigger": "login", "disable": ["join_table", "tournaments_lobby_subscribe"], "steps": [
                 {"send": "notify_seated", "fields": {"tableId": 7001, "playerId": 7, "seat": 0}},
                 {"expect": "join_table", "fields": {"tableId": 7001}, "timeout_ms": 60000},
                 {"send": "join_ok", "fields": {"tableId": 7001}},
                 {"wait_ms": 1000},
                 {"send": "tournament_info", "fields": {"info": {"id": 7, "values": [
                   {"key": 1, "value": 70}, {"key": 2, "value": 3}, {"key": 3, "value": "Sunday Classic"},
                   {"key": 4, "value": 4}, {"key": 5, "value": {"time": "now-600000"}}, {"key": 7, "value": 64},
                   {"key": 8, "value": 3}, {"key": 9, "value": 0},
                   {"key": 10, "value": [{"time": "now-600000"}, {"time": "now+1200000"}, {"time": "now+3000000"}]},
                   {"key": 11, "value": [1800, 1800, 1800]}, {"key": 12, "value": 0}]}}}]})"),
             qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_VERIFY_WITH_TIMEOUT(openBox(QStringLiteral("Continuing tournament round")), 15000);
    openBox(QStringLiteral("Continuing tournament round"))->button(QMessageBox::Yes)->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->gameController()->view(7001), 15000);
    GameModel *model = window->gameController()->model(7001);
    QVERIFY(model);
    QTRY_COMPARE_WITH_TIMEOUT(model->tournamentInfo().id, 7, 10000);
    QCOMPARE(model->tournamentInfo().name, QStringLiteral("Sunday Classic"));
    auto *name = window->gameController()->view(7001)->sideBar()->findChild<QLabel *>(QStringLiteral("tableName"));
    QVERIFY(name);
    QTRY_COMPARE(name->text(), QStringLiteral("Sunday Classic"));
}

void TestMainwindowQuestions::secondLoginAnswerIsIgnored()
{
    // While the player sits at a table, the server answers the login once
    // more: the table stays in front and nothing of the login is asked again.
    QVERIFY2(startPeer(R"({"trigger": "join", "tables": [1001], "steps": [
                 {"send": "login_ok", "fields": {"playerId": 1001, "name": "Ann", "credentials": "", "fullyRegistered": true}},
                 {"send": "player_message", "fields": {"text": "After the second answer"}}]})"),
             qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_VERIFY_WITH_TIMEOUT(window->lobbyController() && window->lobbyController()->tableModel()->hasTable(1001),
                             15000);
    window->joinTable(1001);
    QTRY_VERIFY_WITH_TIMEOUT(openBox(QStringLiteral("Information")), 15000);
    // Whatever the second answer made the client ask went before this.
    window->connectionManager().lobby_subscribe(QStringLiteral("marker"));
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV lobby_subscribe {\"lobbyPath\":\"marker\"}")).isNull());
    GameWindow *table = window->gameController()->view(1001);
    QVERIFY(table);
    QCOMPARE(window->view().loggedInStack->currentWidget(), table);
    for (const char *query : {"query_client_config", "query_account_balance", "query_lobby_summary"})
        QVERIFY2(received(query) == 1, query);
    QCOMPARE(window->findChildren<ComingEventsModel *>().size(), 1);
}

void TestMainwindowQuestions::questionsOfOneKindShareOneBox()
{
    // After the login: three tables the player still sits at, rejoin
    // questions nobody asked for, and 300 invitations from as many players.
    QJsonArray steps;
    for (int table : {1001, 1002, 1003})
        steps.append(QJsonObject{{"send", "notify_seated"},
                                 {"fields", QJsonObject{{"tableId", table}, {"playerId", -1}, {"seat", 0}}}});
    steps.append(QJsonObject{
        {"expect", "lobby_subscribe"}, {"fields", QJsonObject{{"lobbyPath", "101/Practice"}}}, {"timeout_ms", 60000}});
    steps.append(QJsonObject{{"send", "already_seated"}, {"fields", QJsonObject{{"tableId", 4711}}}, {"repeat", 50}});
    const int invitations = 300;
    for (int i = 1; i <= invitations; ++i)
        steps.append(QJsonObject{{"send", "notify_invited"},
                                 {"fields", QJsonObject{{"tableId", 1001}, {"inviterId", 3000 + i}, {"kind", 0}}}});
    steps.append(QJsonObject{{"send", "account_balance"}, {"fields", QJsonObject{{"cents", 4242}}}});
    QVERIFY2(startPeer(QJsonDocument(QJsonObject{{"trigger", "login"}, {"steps", steps}}).toJson()),
             qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_COMPARE_WITH_TIMEOUT(window->accountBalance(), qint64(4242), 60000);

    const auto list = [&window](const QString &title) -> QListWidget * {
        for (QuestionListBox *box : window->findChildren<QuestionListBox *>()) {
            if (box->isVisible() && box->windowTitle() == title)
                return box->findChild<QListWidget *>(QStringLiteral("questionList"));
        }
        return nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(list("Table invitation") && list("Table invitation")->count() == invitations, 30000);
    QTRY_VERIFY(list("Rejoin Table") && list("Rejoin Table")->count() == 3);
    QStringList open;
    for (QDialog *box : window->findChildren<QDialog *>()) {
        if (box->isVisible() && box->windowTitle() != QLatin1String("Resolution too low!"))
            open << box->windowTitle();
    }
    open.sort();
    QCOMPARE(open, (QStringList{"Rejoin Table", "Table invitation"}));
    const auto rowWith = [](QListWidget *rows, const QString &text) {
        for (int row = 0; row < rows->count(); ++row) {
            if (rows->item(row)->text().contains(text))
                return row;
        }
        return -1;
    };
    QListWidget *invited = list("Table invitation");
    const QString tableName = window->lobbyController()->tableModel()->tableNameById(1001);
    QVERIFY(
        rowWith(invited, QStringLiteral("player3010 has invited you to table %1, do you want to join?").arg(tableName))
        >= 0);

    // Each is answered on its own: an invitation, then one table to rejoin;
    // the rest are declined together.
    const auto answer = [](QListWidget *rows, int row, QDialogButtonBox::StandardButton button) {
        QVERIFY(row >= 0);
        rows->clearSelection();
        rows->item(row)->setSelected(true);
        rows->window()->findChild<QDialogButtonBox *>()->button(button)->click();
    };
    answer(invited, rowWith(invited, QStringLiteral("player3010 ")), QDialogButtonBox::Yes);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV join_table {\"seat\":-1,\"tableId\":1001}")).isNull());
    QCOMPARE(invited->count(), invitations - 1);
    QCOMPARE(rowWith(invited, QStringLiteral("player3010 ")), -1);
    QListWidget *rejoin = list("Rejoin Table");
    answer(rejoin, rowWith(rejoin, QStringLiteral("1002")), QDialogButtonBox::Yes);
    QVERIFY(!m_peer->waitForLine(QStringLiteral("RECV join_table {\"seat\":-1,\"tableId\":1002}")).isNull());
    answer(rejoin, 0, QDialogButtonBox::NoToAll);
    QTRY_VERIFY(!list("Rejoin Table"));
    QCOMPARE(received("join_table"), 2);
}

void TestMainwindowQuestions::fullScreenButtonSaysWhatItDoes()
{
    QVERIFY2(startPeer(R"({"trigger": "login", "steps": []})"), qPrintable(m_peer->errorString()));
    auto window = loggedIn();
    QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Logged in as Ann"), 15000);
    UPushButton *button = window->view().toggleFullscreenButton;
    QTRY_VERIFY(window->isFullScreen());
    QCOMPARE(button->text(), QStringLiteral("Windowed"));

    // The window manager gives the window a normal frame instead: the button
    // offers full screen, and asks for it again.
    window->setWindowState(Qt::WindowNoState);
    QTRY_COMPARE(button->text(), QStringLiteral("Fullscreen"));
    button->click();
    QTRY_VERIFY(window->isFullScreen());
    QCOMPARE(button->text(), QStringLiteral("Windowed"));
    button->click();
    QTRY_VERIFY(!window->isFullScreen());
    QCOMPARE(button->text(), QStringLiteral("Fullscreen"));
}

void TestMainwindowQuestions::openTableIsNamed_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("name");
    // The server names tables in English and Japanese only: in Chinese the
    // table has the lobby's name for it.
    QTest::newRow("en") << "en"
                        << "Practice 1001";
    QTest::newRow("ja") << "ja"
                        << "練習 1001";
    QTest::newRow("zh_CN") << "zh_CN"
                           << "牌桌 1001";
}

void TestMainwindowQuestions::openTableIsNamed()
{
    QFETCH(QString, language);
    QFETCH(QString, name);
    TranslationsManager translations(ResourcePaths::roots({}));
    QVERIFY(translations.setLanguage(language));
    m_peer = std::make_unique<PeerProcess>();
    QVERIFY2(m_peer->start({QStringLiteral("--demo")}), qPrintable(m_peer->errorString()));
    auto window = loggedIn(&translations);
    TableModel *tables = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((tables = window->lobbyController() ? window->lobbyController()->tableModel() : nullptr)
                                 && tables->hasTable(1001),
                             15000);
    QTRY_COMPARE_WITH_TIMEOUT(tables->tableNameById(1001).isEmpty(), language == QLatin1String("zh_CN"), 15000);

    window->joinTable(1001);
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<GameWindow *>(), 15000);
    SelectorButton *button = window->view().tableSelector->button(1001);
    QVERIFY(button);
    QTRY_COMPARE_WITH_TIMEOUT(button->text(), name, 15000);
    auto *sideBar = window->findChild<GameWindow *>()->findChild<SideBar *>();
    QVERIFY(sideBar);
    QTRY_COMPARE_WITH_TIMEOUT(sideBar->findChild<ULabel *>(QStringLiteral("tableName"))->fullText(), name, 15000);
    QVERIFY(translations.setLanguage(QStringLiteral("en")));
}

QTEST_MAIN(TestMainwindowQuestions)
#include "tst_mainwindow_questions.moc"
