// Switching the language on the main window's login page: the client's words,
// Qt's own words (standard buttons), dates and the status line all follow it.
// Switching it with a table open: the account menu, the table's boards,
// word pictures and leave question and the strip of open tables follow it.
#include "ReservedPort.h"
#include "app/ResourcePaths.h"
#include "game/GameModel.h"
#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/LoginWindow.h"
#include "mainwindow/MainView.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PreferencesWindow.h"
#include "peer/PeerProcess.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/SelectorButton.h"
#include "table/SideBar.h"
#include "table/TableSelector.h"
#include "lobby/SeatedWindow.h"
#include "widgets/TranslationsManager.h"
#include "widgets/UPushButton.h"
#include "widgets/Utils.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGraphicsPixmapItem>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The open question (Yes and No), if any.
QMessageBox *openQuestion()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible() && box->button(QMessageBox::Yes) && box->button(QMessageBox::No))
            return box;
    }
    return nullptr;
}

// The picture the client finds for a word picture in the current language.
QImage wordPicture(const char *name)
{
    return QPixmap(QStringLiteral("textimages:/") + QLatin1String(name)).toImage();
}

// Saved for a look when MAHJONG_LANGUAGE_SHOTS names a folder.
void keep(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("MAHJONG_LANGUAGE_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// A Full game hand at Practice 1002 (Riichi): dealt with the player furiten,
// renamed by the server, scored and the round result shown; after Ready the
// next hand is dealt and stays in play.
const char tableScenario[] = R"({"trigger": "join", "tables": [1002], "empty_table": true, "steps": [
  {"send": "player_joined", "fields": {"tableId": "$table", "player": {"id": 901, "name": "Bot South", "wind": 1, "riichiDiscardIndex": -1}}},
  {"send": "player_joined", "fields": {"tableId": "$table", "player": {"id": 902, "name": "Bot West", "wind": 2, "riichiDiscardIndex": -1}}},
  {"send": "player_joined", "fields": {"tableId": "$table", "player": {"id": 903, "name": "Bot North", "wind": 3, "riichiDiscardIndex": -1}}},
  {"send": "start_hand", "fields": {"tableId": "$table", "handId": 7,
    "seating": {"east": "$pid", "south": 901, "west": 902, "north": 903},
    "scores": [{"playerId": "$pid", "points": 25000}, {"playerId": 901, "points": 25000},
               {"playerId": 902, "points": 25000}, {"playerId": 903, "points": 25000}],
    "newRound": true, "tableState": {"playerId": "$pid", "prevailingWind": 0, "thirdValue": "$pid", "lastDiscarder": -1},
    "wallState": {"deadWallPosition": 0, "doraIndicators": [4], "liveTiles": 70, "deadWallTiles": 14, "deadWallTilesDealt": 0}}},
  {"send": "private_player_data", "fields": {"tableId": "$table", "data": {
    "tiles": [0, 1, 2, 9, 10, 11, 18, 19, 20, 31, 31, 27, 27], "active": true, "furiten": true}}},
  {"send": "table_info_update", "fields": {"tableId": "$table", "seated": 4, "updates": [{"key": 11, "value": 2}]}},
  {"send": "someone_declared_mahjong", "fields": {"tableId": "$table", "playerId": "$pid"}},
  {"send": "hand_end_scoring", "fields": {"tableId": "$table", "scoring": {
    "endOfGame": false, "winKind": 3,
    "scores": [
      {"playerId": "$pid", "name": "Ann", "result": 1,
       "points": [{"name": "Fu", "value": 30}], "doubles": [{"name": "Self-drawn", "value": 1}, {"name": "Dragon pung", "value": 1}],
       "pointsTotal": 30, "doublesTotal": 2, "handScore": 2900, "settlement": 2900, "currentScore": 27900, "payment": 0,
       "tileGroups": [{"tiles": [0, 1, 2], "marked": -1}, {"tiles": [31, 31, 31], "marked": 31}, {"tiles": [27, 27, 27], "marked": 27}]},
      {"playerId": 901, "name": "Bot South", "result": 0, "settlement": -1000, "currentScore": 24000},
      {"playerId": 902, "name": "Bot West", "result": 0, "settlement": -900, "currentScore": 24100},
      {"playerId": 903, "name": "Bot North", "result": 0, "settlement": -1000, "currentScore": 24000}],
    "dora": [4], "uraDora": []}}},
  {"send": "end_of_round", "fields": {"tableId": "$table", "scores": [
    {"playerId": "$pid", "mahjongPoints": 27900, "result": 2900}, {"playerId": 901, "mahjongPoints": 24000, "result": -1000},
    {"playerId": 902, "mahjongPoints": 24100, "result": -900}, {"playerId": 903, "mahjongPoints": 24000, "result": -1000}]}},
  {"send": "are_you_ready", "fields": {"tableId": "$table", "ts": {"start": "now", "end": "now+300000"}}},
  {"expect": "ready", "fields": {"tableId": "$table"}, "timeout_ms": 120000},
  {"send": "start_hand", "fields": {"tableId": "$table", "handId": 8,
    "seating": {"east": "$pid", "south": 901, "west": 902, "north": 903},
    "scores": [{"playerId": "$pid", "points": 27900}, {"playerId": 901, "points": 24000},
               {"playerId": 902, "points": 24100}, {"playerId": 903, "points": 24000}],
    "newRound": false, "tableState": {"playerId": "$pid", "prevailingWind": 0, "thirdValue": "$pid", "lastDiscarder": -1},
    "wallState": {"deadWallPosition": 0, "doraIndicators": [5], "liveTiles": 70, "deadWallTiles": 14, "deadWallTilesDealt": 0}}},
  {"send": "private_player_data", "fields": {"tableId": "$table", "data": {
    "tiles": [0, 1, 2, 9, 10, 11, 18, 19, 20, 31, 31, 27, 27], "active": true, "furiten": true}}},
  {"expect": "leave_table", "timeout_ms": 120000}]})";
} // namespace

class TestMainwindowLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_mainwindow_language"));
        QSettings().clear();
        QSettings().setValue(QStringLiteral("game/animations"), false);
        QSettings().setValue(QStringLiteral("game/sound"), false);
        ResourcePaths::install({});
        PeerProcess::installTestCa();
    }

    // One switch after another with a table open whose score board is filled:
    // everything the player sees says it in the language chosen last.
    void openTableFollowsTheLanguage()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("table.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(tableScenario);
        file.close();
        PeerProcess peer;
        QVERIFY2(peer.start({QStringLiteral("--scenario"), file.fileName(), QStringLiteral("--demo")}),
                 qPrintable(peer.errorString()));

        TranslationsManager translations(ResourcePaths::roots({}));
        QVERIFY(translations.setLanguage(QStringLiteral("en")));
        MainWindow window(QStringLiteral("localhost"), peer.port(), QStringLiteral("ann"), QStringLiteral("any"), true,
                          QStringLiteral("127.0.0.1:1"), &translations);
        window.onStartupFinished(true);
        QVERIFY(window.isVisible());

        // Japanese chosen on the login page, before logging in.
        LoginWindow *login = window.view().loginWindow;
        auto *loginLanguages = login->findChild<QComboBox *>(QStringLiteral("languageSelection"));
        QVERIFY(loginLanguages);
        loginLanguages->setCurrentIndex(loginLanguages->findData(QStringLiteral("ja")));
        QCOMPARE(translations.language(), QStringLiteral("ja"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        auto *logIn = login->findChild<QPushButton *>(QStringLiteral("loginButton"));
        QTRY_VERIFY_WITH_TIMEOUT(logIn->isEnabled(), 15000);
        logIn->click();
        QTRY_VERIFY_WITH_TIMEOUT(window.lobbyController() && window.lobbyController()->tableModel()->hasTable(1002),
                                 15000);
        QMenu *menu = window.view().accountButton->menu();
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("入金"));

        // Without the chat server the preferences show the default picture.
        auto *preferences = window.findChild<PreferencesWindow *>();
        QVERIFY(preferences);
        const QLabel *avatar = preferences->findChild<QLabel *>(QStringLiteral("avatarLabel"));
        QVERIFY(avatar && !avatar->pixmap().isNull());

        window.joinTable(1002);
        GameWindow *page = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (page = qobject_cast<GameWindow *>(window.view().loggedInStack->currentWidget())) != nullptr, 15000);
        ScoreBoard *board = page->scoreBoard();
        QTRY_VERIFY_WITH_TIMEOUT(!board->isHidden() && !page->roundScoreBoard()->isHidden(), 15000);
        TableSelector *strip = window.view().tableSelector;
        // The server's new name for the table reaches its button.
        QTRY_COMPARE_WITH_TIMEOUT(strip->button(1002)->toolTip(),
                                  Qt::convertFromPlainText(QStringLiteral("ハイローラー 1002")), 10000);
        auto *languages = preferences->findChild<QComboBox *>(QStringLiteral("languageSelection"));
        QVERIFY(languages);
        auto *ready = board->findChild<QPushButton *>(QStringLiteral("readyPushButton"));
        auto *tabs = board->findChild<QTabWidget *>(QStringLiteral("scoreMelds"));
        auto *title = page->roundScoreBoard()->findChild<QLabel *>(QStringLiteral("titleLabel"));
        QVERIFY(ready && tabs && title);

        struct Case
        {
            const char *language;
            const char *deposit;
            const char *changePassword;
            const char *nextHand;
            const char *winningHand;
            // No names for Simplified Chinese: the lobby's word stands in.
            const char *tableName;
            const char *leave;
        };
        static const Case cases[] = {
            {"en", "Deposit", "Change password", "Next hand", "Winning hand", "High Roller 1002",
             "Are you sure you want to leave table High Roller 1002?"},
            {"ja", "入金", "パスワード変更", "次の局", "和了", "ハイローラー 1002",
             "卓 ハイローラー 1002 を離れてもよろしいですか？"},
            {"zh_CN", "充值", "修改密码", "下一局", "和牌", "牌桌 1002", "确定要离开牌桌 牌桌 1002 吗？"},
        };
        const auto choose = [&](const Case &c) {
            const QString language = QString::fromLatin1(c.language);
            languages->setCurrentIndex(languages->findData(language));
            // The windows hear of it by posted events.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            return translations.language() == language;
        };

        // The scored hand: the board, the strip and the word pictures.
        for (const Case &c : cases) {
            QVERIFY2(choose(c), c.language);
            const QString suffix = QLatin1Char('-') + QLatin1String(c.language);
            const QList<QAction *> actions = menu->actions();
            QCOMPARE(actions.size(), 7);
            QCOMPARE(actions.first()->text(), QString::fromUtf8(c.deposit));
            QCOMPARE(actions.last()->text(), QString::fromUtf8(c.changePassword));
            QCOMPARE(ready->text(), QString::fromUtf8(c.nextHand));
            QCOMPARE(tabs->tabText(0), QString::fromUtf8(c.winningHand));
            QCOMPARE(page->furitenItem()->pixmap().toImage(), wordPicture("furiten.png"));
            QCOMPARE(page->timeoutItem()->pixmap().toImage(), wordPicture("timeout.png"));
            const QString name = QString::fromUtf8(c.tableName);
            QTRY_COMPARE_WITH_TIMEOUT(strip->button(1002)->toolTip(), Qt::convertFromPlainText(name), 10000);
            QTRY_COMPARE_WITH_TIMEOUT(title->text(), name, 10000);
            menu->adjustSize();
            keep(menu, QStringLiteral("account-menu") + suffix);
            keep(board, QStringLiteral("score-board") + suffix);
            keep(page->roundScoreBoard(), QStringLiteral("round-board") + suffix);
            keep(strip, QStringLiteral("strip") + suffix);
            // The renamed button shows its whole name beside its icon.
            SelectorButton *button = strip->button(1002);
            QVERIFY(button->width() >= button->sizeHint().width());
        }

        // The next hand in play: the leave question names the table.
        page->roundScoreBoard()->hide();
        QTRY_VERIFY(!board->isHidden() && ready->isVisible() && ready->isEnabled());
        ready->click();
        GameModel *model = window.gameController()->model(1002);
        QTRY_VERIFY_WITH_TIMEOUT(model && model->isInPlay() && model->handId() == 8, 15000);
        auto *leave = page->sideBar()->findChild<QAbstractButton *>(QStringLiteral("leaveButton"));
        QVERIFY(leave);
        for (const Case &c : cases) {
            QVERIFY2(choose(c), c.language);
            QTRY_VERIFY(leave->isEnabled());
            leave->click();
            QMessageBox *box = openQuestion();
            QVERIFY2(box, c.language);
            QCOMPARE(box->text(), QString::fromUtf8(c.leave));
            keep(box, QStringLiteral("leave-question-") + QLatin1String(c.language));
            box->button(QMessageBox::No)->click();
            QTRY_VERIFY(!openQuestion());
        }
        QVERIFY(peer.linesStartingWith(QStringLiteral("RECV leave_table")).isEmpty());
    }

    void standardButtonsAndDatesFollowTheLanguage()
    {
        TranslationsManager translations(ResourcePaths::roots({}));
        QVERIFY(translations.setLanguage(QStringLiteral("en")));
        // A loopback port on which nobody listens: the login page stays.
        const ReservedPort reserved;
        const quint16 port = reserved.port();
        QVERIFY(port != 0);
        MainWindow window(QStringLiteral("127.0.0.1"), port, QStringLiteral("ann"), QStringLiteral("pw"), false,
                          QStringLiteral("web.example"), &translations);
        window.onStartupFinished(true);
        QVERIFY(window.isVisible());
        auto *languages = window.view().loginWindow->findChild<QComboBox *>(QStringLiteral("languageSelection"));
        QVERIFY(languages);
        const QDateTime when(QDate(2026, 12, 7), QTime(18, 5), Qt::UTC);

        const struct
        {
            const char *language;
            const char *yes;
            const char *no;
            const char *cancel;
            const char *date;
            const char *status;
        } cases[] = {
            {"ja", "はい(&Y)", "いいえ(&N)", "キャンセル", "2026/12/07 18:05", "%1 に接続できません"},
            {"zh_CN", "是(&Y)", "否(&N)", "取消", "2026/12/7 18:05", "无法连接到 %1"},
            {"en", "&Yes", "&No", "Cancel", "12/7/26 6:05 PM", "Cannot connect to %1"},
        };
        const QString server = QStringLiteral("127.0.0.1:%1").arg(port);
        QTRY_COMPARE_WITH_TIMEOUT(window.view().statusLine->text(), QStringLiteral("Cannot connect to %1").arg(server),
                                  15000);
        for (const auto &c : cases) {
            const QString language = QString::fromLatin1(c.language);
            const int index = languages->findData(language);
            QVERIFY2(index >= 0, c.language);
            languages->setCurrentIndex(index);
            QCOMPARE(translations.language(), language);
            // The status said before the switch is said again in the new language.
            QTRY_COMPARE(window.view().statusLine->text(), QString::fromUtf8(c.status).arg(server));

            // The main window's own question: Quit, answered No.
            window.view().quitButton->click();
            QMessageBox *box = openQuestion();
            QVERIFY(box);
            QCOMPARE(box->button(QMessageBox::Yes)->text(), QString::fromUtf8(c.yes));
            QCOMPARE(box->button(QMessageBox::No)->text(), QString::fromUtf8(c.no));
            box->button(QMessageBox::No)->click();
            QTRY_VERIFY(!openQuestion());

            // A standard dialog's buttons, made after the switch.
            QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.cancel));

            // Dates as the lists and the chat show them (tests run in UTC).
            QCOMPARE(Utils::localDateTimeString(when), QString::fromUtf8(c.date));
        }
    }
};

QTEST_MAIN(TestMainwindowLanguage)
#include "tst_mainwindow_language.moc"
