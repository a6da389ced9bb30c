// What a player sees of the table's notices and countdowns: the washout's
// countdown, the strip's time-out mark and names, and the turn countdown
// beside the hand, drawn with the application's style sheet.

#include "app/ResourcePaths.h"
#include "game/GameModel.h"
#include "lobby/LocalizationDb.h"
#include "scene/CompactCityView.h"
#include "scene/GameGraphicsScene.h"
#include "scene/HandView.h"
#include "scene/SquareCityView.h"
#include "scene/TileGraphics.h"
#include "scene/WallView.h"
#include "scene/TimerView.h"
#include "protocol/ConnectionManager.h"
#include "QuietTableSettings.h"
#include "social/ChatOutputWidget.h"
#include "social/PlayerDb.h"
#include "table/GameController.h"
#include "table/GameWindowActionQueue.h"
#include "table/GameWindow.h"
#include "table/ScoreBoard.h"
#include "table/SelectorButton.h"
#include "table/SideBar.h"
#include "table/TableSelector.h"
#include "table/WashoutWindow.h"
#include "widgets/TranslationsManager.h"
#include "xmpp/client/XMPPClient.h"

#include <QApplication>
#include <QAbstractTextDocumentLayout>
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QLinearGradient>
#include <QPainter>
#include <QSignalSpy>
#include <QTextEdit>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSettings>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

const qint32 TABLE = 7, OWN = 100, P1 = 101, P2 = 102, P3 = 103;

QDateTime now()
{
    // The timers measure against the server clock, which is the local one
    // before any estimate.
    return QDateTime::currentDateTimeUtc();
}

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// Pixels a widget paints over a transparent image.
int paintedPixels(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

// How a countdown's digits read against what lies behind them (the timer
// with nothing to show): the pixels at 4.5:1 or more from the brightest
// pixel behind, and how many rows they span.
struct Reading
{
    int pixels = 0;
    int height = 0;
};
Reading readDigits(QWidget *window, TimerView *timer, const TimeSpan &span)
{
    const QRect at(timer->mapTo(window, QPoint()), timer->size());
    timer->setTimeSpan(TimeSpan());
    const QImage behind = window->grab(at).toImage();
    timer->setTimeSpan(span);
    const QImage shown = window->grab(at).toImage();
    double brightest = 0;
    for (int y = 0; y < behind.height(); ++y)
        for (int x = 0; x < behind.width(); ++x)
            brightest = std::max(brightest, luminance(behind.pixel(x, y)));
    Reading reading;
    int top = shown.height(), bottom = -1;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const double l = luminance(shown.pixel(x, y));
            if (l > brightest && contrast(l, brightest) >= 4.5) {
                ++reading.pixels;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    reading.height = std::max(0, bottom - top + 1);
    return reading;
}

TimerView *timerNamed(QWidget *parent, const char *name)
{
    return qobject_cast<TimerView *>(parent->findChild<QWidget *>(QLatin1String(name)));
}

PlayerData player(qint32 id, int wind, int hidden = 13)
{
    PlayerData p(id, QStringLiteral("player%1").arg(id));
    p.setWind(wind);
    p.setHiddenTiles(hidden);
    p.setSeated(true);
    return p;
}

TableInfo tableInfo()
{
    TableInfo info(TABLE, QStringLiteral("101/Practice"));
    info.setRuleset(2);
    info.setGameType(2);
    info.setCapacity(4);
    info.setNameId(1);
    return info;
}

} // namespace

class TestTableLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        useQuietTableSettings(QStringLiteral("tst_tablelook"));
        QFile css(QStringLiteral(":/default/defaultui.css"));
        QVERIFY(css.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(css.readAll()));
        TileGraphics::instance().setTileSet(0, 0);
    }

    void cleanupTestCase() { QSettings().clear(); }

    void washoutCountsDown()
    {
        WashoutWindow window;
        window.showDialog(true);
        TimerView *timer = timerNamed(&window, "nextRoundTimer");
        QVERIFY2(timer, "the countdown is no timer");
        const QDateTime end = now().addSecs(12);
        window.startCountdown(end);
        QVERIFY(timer->isVisible());
        QCOMPARE(timer->deadline(), end);
        QVERIFY(timer->isRunning());
        QCOMPARE(timer->counterText(), QStringLiteral("12"));
        const Reading reading = readDigits(&window, timer, TimeSpan(now(), end));
        QVERIFY2(reading.pixels >= 30 && reading.height >= 10,
                 qPrintable(QStringLiteral("%1 pixels, %2 rows read").arg(reading.pixels).arg(reading.height)));

        window.stopCountdown();
        QVERIFY(timer->isHidden());
        QVERIFY(!timer->isRunning());
        QVERIFY(!window.findChild<QLabel *>(QStringLiteral("nextRoundLabel"))->isVisible());
        // An end already past shows no countdown at all.
        window.startCountdown(now().addSecs(-1));
        QVERIFY(timer->isHidden());
        QCOMPARE(timer->remaining(), 0);
    }

    void stripShowsTheTimeOut()
    {
        TableSelector strip;
        strip.resize(600, 40);
        strip.addTable(tableInfo());
        strip.show();
        SelectorButton *button = strip.button(TABLE);
        TimerView *mark = timerNamed(button, "tableTimeout");
        QVERIFY2(mark, "the time-out mark is no timer");
        QCOMPARE(mark->size(), QSize(12, 12));
        QCOMPARE(paintedPixels(mark), 0);
        const QDateTime end = now().addSecs(20);
        strip.onTableActivity(TABLE, true, TimeSpan(now(), end));
        QCOMPARE(mark->deadline(), end);
        QVERIFY(mark->isRunning());
        // The pie: too small for a number.
        QCOMPARE(mark->displayType(), TimerView::DEC_PIE);
        QVERIFY(mark->pieSpan() > 5000);
        QVERIFY(paintedPixels(mark) > 50);
        strip.onTableActivity(TABLE, false, TimeSpan());
        QCOMPARE(paintedPixels(mark), 0);
    }

    // Names sent again (a language change) keep every button named, also a
    // table the lobby does not list.
    void stripNamesResent_data()
    {
        QTest::addColumn<QString>("template_");
        QTest::addColumn<QString>("text");
        QTest::newRow("new name") << QStringLiteral("Grove {tableId}") << QStringLiteral("Grove 7");
        QTest::newRow("same name") << QStringLiteral("Bamboo {tableId}") << QStringLiteral("Bamboo 7");
        // A name no longer known is not kept: the lobby's word stands in.
        QTest::newRow("none in this language") << QString() << QStringLiteral("Table 7");
    }
    void stripNamesResent()
    {
        QFETCH(QString, template_);
        QFETCH(QString, text);
        LocalizationDb names(nullptr, nullptr);
        names.onTableNames(QStringLiteral("en"), {{1, QStringLiteral("Bamboo {tableId}")}});
        TableSelector strip;
        strip.setLocalizationDb(&names);
        strip.addTable(tableInfo());
        QCOMPARE(strip.button(TABLE)->text(), QStringLiteral("Bamboo 7"));
        std::map<qint32, QString> resent;
        if (!template_.isEmpty())
            resent[1] = template_;
        names.onTableNames(QStringLiteral("en"), resent);
        QCOMPARE(strip.button(TABLE)->text(), text);
        QCOMPARE(strip.lobbyButton()->text(), QStringLiteral("Lobby"));
    }

    // The local player's countdown beside the hand, on the cloth of a real
    // table window: light on dark, large enough to read across the room.
    void turnCountdownReads()
    {
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        GameWindow window(nullptr, OWN);
        QObject::connect(&model, &GameModel::playerShouldAct, &window, &GameWindow::onPlayerShouldAct);
        TableState state;
        state.playerId = OWN;
        WallState wall;
        wall.liveTiles = 60;
        wall.deadWallTiles = 14;
        wall.deadWallPosition = 4;
        model.markJoined();
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE,
                         {player(P1, 0), player(OWN, 1, 0), player(P2, 2), player(P3, 3)}, state, wall);
        model.onPrivatePlayerData(PrivatePlayerData{{1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32, 33}, true, false});
        window.setModel(&model);
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
        QCoreApplication::processEvents();

        TimerView *timer = window.turnTimer();
        QVERIFY(timer->isVisible());
        const TimeSpan span(now(), now().addSecs(20));
        window.onPlayerShouldAct(OWN, span);
        QCOMPARE(timer->counterText(), QStringLiteral("20"));
        const Reading reading = readDigits(&window, timer, span);
        QVERIFY2(reading.pixels >= 60, qPrintable(QStringLiteral("%1 pixels of the digits read").arg(reading.pixels)));
        QVERIFY2(reading.height >= 14, qPrintable(QStringLiteral("digits %1 px high").arg(reading.height)));
        // The claim countdown beside a discard looks the same.
        QCOMPARE(window.bigTurnTimer()->font(), timer->font());
        QCOMPARE(window.bigTurnTimer()->backdropColor(), timer->backdropColor());
    }

    // The claim countdown beside the newest discard of the player on the
    // right, in the table page of the smallest client: it covers no wall.
    void claimCountdownKeepsOffTheWall_data()
    {
        QTest::addColumn<bool>("compact");
        QTest::newRow("regular") << false;
        QTest::newRow("compact") << true;
    }
    void claimCountdownKeepsOffTheWall()
    {
        QFETCH(bool, compact);
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        GameWindow window(nullptr, OWN);
        GameController::connectModelToWindow(&model, &window);
        window.setCompactTableLayout(compact);
        PlayerData right = player(P1, 2);
        right.setDiscards({28, 32, 8, 18, 2, 26, 3}, -1);
        TableState state;
        state.playerId = OWN;
        state.lastDiscarder = P1;
        WallState wall;
        wall.liveTiles = 58;
        wall.deadWallTiles = 14;
        wall.deadWallPosition = 5;
        model.markJoined();
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE,
                         {player(OWN, 1, 0), right, player(P2, 3), player(P3, 0)}, state, wall);
        window.setModel(&model);
        window.resize(1024, 686);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
        QCoreApplication::processEvents();
        QCOMPARE(window.seatPlayerId(1), P1);

        window.onWaitingFor(WaitCondition::CLAIMS, TimeSpan(now(), now().addSecs(8)), {OWN});
        window.actionQueue().flush();
        TimerView *countdown = window.bigTurnTimer();
        QVERIFY(countdown->isVisible());
        QList<WallView *> rows;
        if (auto *square = dynamic_cast<SquareCityView *>(window.cityView()))
            for (int side = 0; side < 4; ++side)
                rows << square->wall(side);
        else if (auto *short_ = dynamic_cast<CompactCityView *>(window.cityView()))
            rows << short_->wall();
        QVERIFY(!rows.isEmpty());
        for (WallView *row : rows) {
            const QRectF drawn = row->sceneTransform().mapRect(row->childrenBoundingRect());
            const QRect onScreen = window.graphicsView()->mapFromScene(drawn).boundingRect();
            QVERIFY2(!countdown->geometry().intersects(onScreen),
                     qPrintable(QStringLiteral("countdown at %1,%2 over the wall at %3,%4 %5x%6")
                                    .arg(countdown->x())
                                    .arg(countdown->y())
                                    .arg(onScreen.x())
                                    .arg(onScreen.y())
                                    .arg(onScreen.width())
                                    .arg(onScreen.height())));
        }
    }

    // The tile scale is one for all tables. A tournament that seats the
    // player makes the new table's window out of sight, at its first size;
    // the table on screen keeps its own hand rack inside its window, and the
    // new table, once shown, fits its own.
    void ownHandStaysInTheWindow()
    {
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        GameWindow first(nullptr, OWN);
        GameController::connectModelToWindow(&model, &first);
        TableState state;
        state.playerId = OWN;
        model.markJoined();
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE,
                         {player(P1, 0), player(OWN, 1, 0), player(P2, 2), player(P3, 3)}, state, WallState());
        model.onPrivatePlayerData(PrivatePlayerData{{1, 2, 3, 9, 10, 11, 18, 19, 20, 27, 27, 31, 32, 33}, true, false});
        first.setModel(&model);
        const auto rackFits = [](GameWindow &window, const char *when) {
            QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
            QCoreApplication::processEvents();
            const QRectF rack = window.handView()->mapRectToScene(window.handView()->childrenBoundingRect());
            const QRectF shown =
                window.graphicsView()->mapToScene(window.graphicsView()->viewport()->rect()).boundingRect();
            QVERIFY2(rack.height() > 20 && shown.contains(rack),
                     qPrintable(QStringLiteral("%7: rack %1,%2 to %3,%4 in a view to %5,%6")
                                    .arg(rack.left())
                                    .arg(rack.top())
                                    .arg(rack.right())
                                    .arg(rack.bottom())
                                    .arg(shown.right())
                                    .arg(shown.bottom())
                                    .arg(QLatin1String(when))));
        };
        first.resize(1024, 686);
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        rackFits(first, "shown");
        if (QTest::currentTestFailed())
            return;
        {
            GameWindow second(nullptr, OWN);
            QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
            rackFits(first, "another table made");
            if (QTest::currentTestFailed())
                return;
            // The seated table shown in the other's place.
            second.setModel(&model);
            first.hide();
            second.resize(1280, 900);
            second.show();
            QVERIFY(QTest::qWaitForWindowExposed(&second));
            rackFits(second, "the other shown");
            if (QTest::currentTestFailed())
                return;
            // And the first again, at its own size.
            second.hide();
            first.show();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            rackFits(first, "the first again");
        }
        rackFits(first, "the other gone");
    }

    // The shading bands at the top and right edges are part of the cloth
    // the view keeps: the table looks as with the two gradient bands drawn
    // over the plain cloth at every repaint.
    void bandsLieInTheCloth()
    {
        GameWindow window(nullptr, OWN);
        window.resize(1000, 640);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(!TileGraphics::instance().hasWorker(), 60000);
        QCoreApplication::processEvents();
        QGraphicsView *view = window.graphicsView();
        const QSize size = view->viewport()->size();
        const QImage plain = GameWindow::backgroundBrush(size.width(), size.height()).textureImage();
        const QImage cloth = window.tableScene().backgroundBrush().textureImage();
        QCOMPARE(cloth.size(), size);
        const auto darker = [](QRgb a, QRgb b) {
            return qRed(a) + qGreen(a) + qBlue(a) < qRed(b) + qGreen(b) + qBlue(b);
        };
        QVERIFY(darker(cloth.pixel(size.width() / 2, 0), plain.pixel(size.width() / 2, 0)));
        QVERIFY(
            darker(cloth.pixel(size.width() - 1, size.height() / 2), plain.pixel(size.width() - 1, size.height() / 2)));
        QCOMPARE(cloth.pixel(size.width() / 2, size.height() / 2), plain.pixel(size.width() / 2, size.height() / 2));

        const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The old drawing: the plain cloth, and the bands as items.
        GameGraphicsScene &scene = window.tableScene();
        const QBrush kept = scene.backgroundBrush();
        scene.setBackgroundBrush(GameWindow::backgroundBrush(size.width(), size.height()));
        QLinearGradient top(0, 0, 0, 8), right(size.width(), 0, size.width() - 8, 0);
        for (QLinearGradient *g : {&top, &right}) {
            g->setColorAt(0, QColor(0, 0, 0, 100));
            g->setColorAt(1, QColor(0, 0, 0, 0));
        }
        QGraphicsRectItem *bands[] = {scene.addRect(0, 0, size.width(), 8, Qt::NoPen, top),
                                      scene.addRect(size.width() - 8, 0, 8, size.height(), Qt::NoPen, right)};
        QImage old(size, QImage::Format_RGB32);
        {
            QPainter p(&old);
            p.setRenderHints(view->renderHints());
            scene.render(&p, QRectF(old.rect()), view->mapToScene(view->viewport()->rect()).boundingRect());
        }
        for (QGraphicsRectItem *band : bands)
            delete band;
        scene.setBackgroundBrush(kept);
        int wrong = 0;
        for (int y = 0; y < old.height(); ++y)
            for (int x = 0; x < old.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = old.pixel(x, y);
                wrong += std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))})
                         > 2;
            }
        QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 pixels differ").arg(wrong)));
    }

    // The board is laid out when the scoring arrives: showing it wraps no
    // scoring line again.
    void scoreBoardLaidOutBeforeItShows()
    {
        GameWindow window(nullptr, OWN);
        window.resize(1024, 686);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScoreBoard *board = window.scoreBoard();
        QVERIFY(board->isHidden());
        EndHandScoring scoring;
        scoring.winKind = EndHandScoring::MAHJONG;
        PlayerHandScore winner;
        winner.playerId = OWN;
        winner.screenName = QStringLiteral("me");
        winner.result = 1;
        winner.handScore = 64;
        winner.pointsLines = {{QStringLiteral("Mahjong"), 20}, {QStringLiteral("Pair of prevailing wind"), 2}};
        winner.pointsTotal = 22;
        scoring.players[OWN] = winner;
        board->setScoring(scoring, OWN, tableInfo());

        std::vector<std::unique_ptr<QSignalSpy>> relaid;
        for (const char *name : {"score1", "score2", "score3", "score4"}) {
            auto *lines = board->findChild<QTextEdit *>(QLatin1String(name));
            QVERIFY(lines);
            QCOMPARE(lines->document()->textWidth(), qreal(lines->viewport()->width()));
            relaid.push_back(std::make_unique<QSignalSpy>(lines->document()->documentLayout(),
                                                          &QAbstractTextDocumentLayout::update));
        }
        board->showDialog(false);
        QCoreApplication::processEvents();
        QVERIFY(board->isVisible());
        for (const auto &spy : relaid)
            QCOMPARE(spy->size(), 0);
    }

    // Each hand's board shows the pictures of that hand's players only: a
    // column a hand leaves empty keeps no picture of the hand before.
    void scoreBoardPicturesFollowTheHand()
    {
        ConnectionManager session(true);
        XMPPClient xmpp;
        PlayerDb players(&session, &xmpp, nullptr);
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        GameWindow window(nullptr, OWN, nullptr, nullptr, &players);
        GameController::connectModelToWindow(&model, &window);
        TableState state;
        state.playerId = OWN;
        model.markJoined();
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE,
                         {player(P1, 0), player(OWN, 1, 0), player(P2, 2), player(P3, 3)}, state, WallState());
        window.setModel(&model);
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const auto scored = [](std::initializer_list<qint32> ids) {
            EndHandScoring scoring;
            scoring.winKind = EndHandScoring::SELF_DRAWN;
            for (qint32 id : ids) {
                PlayerHandScore score;
                score.playerId = id;
                score.screenName = QStringLiteral("player%1").arg(id);
                score.result = id == OWN ? 1 : 0;
                score.handScore = id == OWN ? 8000 : 0;
                scoring.players[id] = score;
            }
            return scoring;
        };
        const auto pictures = [&window] {
            QList<bool> shown;
            for (const char *name : {"avatar1", "avatar2", "avatar3", "avatar4"})
                shown << !window.scoreBoard()->findChild<QLabel *>(QLatin1String(name))->pixmap().isNull();
            return shown;
        };
        model.onHandEndScoring(scored({OWN, P1, P2, P3}));
        QVERIFY(!window.scoreBoard()->isHidden());
        QCOMPARE(pictures(), (QList<bool>{true, true, true, true}));
        model.onHandEndScoring(scored({OWN, P1, P2}));
        QCOMPARE(int(window.scoreBoard()->playerOrder().size()), 3);
        QCOMPARE(pictures(), (QList<bool>{true, true, true, false}));
    }

    // The heading of the points lines in Japanese: fu only at Riichi tables.
    void scoreBoardPointsHeading_data()
    {
        QTest::addColumn<int>("ruleset");
        QTest::addColumn<QString>("heading");
        QTest::newRow("Classic") << 0 << QStringLiteral("点数：");
        QTest::newRow("International") << 1 << QStringLiteral("点数：");
        QTest::newRow("Riichi") << 2 << QStringLiteral("符：");
    }
    void scoreBoardPointsHeading()
    {
        QFETCH(int, ruleset);
        QFETCH(QString, heading);
        ResourcePaths::install({});
        TranslationsManager translations(ResourcePaths::roots({}));
        QVERIFY(translations.setLanguage(QStringLiteral("ja")));
        PlayerHandScore score;
        score.pointsLines = {{QStringLiteral("Base"), 20}};
        score.pointsTotal = 20;
        const QString html = ScoreBoard::scoringHtml(score, ruleset);
        QVERIFY2(html.contains(QStringLiteral("<u>%1</u>").arg(heading)), qPrintable(html));
        QVERIFY(translations.setLanguage(QStringLiteral("en")));
    }

    // The table's chat in the table page of a 1024x768 client in Japanese
    // and of a 1440x900 one in English, scrolled to its newest line: no
    // line cut by the pane's top or bottom edge shows any part of itself.
    void chatShowsWholeLines_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QSize>("page");
        QTest::newRow("ja 1024x768") << QStringLiteral("ja") << QSize(1024, 686);
        QTest::newRow("en 1440x900") << QStringLiteral("en") << QSize(1440, 818);
    }
    void chatShowsWholeLines()
    {
        QFETCH(QString, language);
        QFETCH(QSize, page);
        ResourcePaths::install({});
        TranslationsManager translations(ResourcePaths::roots({}));
        QVERIFY(translations.setLanguage(language));
        GameModel model(TABLE, tableInfo(), OWN, QStringLiteral("me"));
        GameWindow window(nullptr, OWN);
        GameController::connectModelToWindow(&model, &window);
        TableState state;
        state.playerId = OWN;
        model.markJoined();
        model.onGameData(3, server_game_state::TILE_DISCARDED_STATE,
                         {player(P1, 0), player(OWN, 1, 0), player(P2, 2), player(P3, 3)}, state, WallState());
        window.setModel(&model);
        window.resize(page);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *chat = window.sideBar()->findChild<ChatOutputWidget *>();
        QVERIFY(chat);
        for (int i = 0; i < 40; ++i) {
            const char *notices[] = {"Hand ended in washout!", "Hand ended in Mahjong!", "Table round ended"};
            window.sideBar()->appendNotice(QCoreApplication::translate("GameWindow", notices[i % 3]));
        }

        // The lines the pane's edges cut, in the pane's coordinates; the
        // page grows a pixel at a time until an edge cuts a line in half or
        // worse (a line cut in its blank top shows nothing either way).
        struct Cut
        {
            int top, bottom;
        };
        const auto cutLines = [chat] {
            std::vector<Cut> cut;
            const int offset = chat->verticalScrollBar()->value();
            const int height = chat->viewport()->height();
            for (QTextBlock block = chat->document()->begin(); block.isValid(); block = block.next()) {
                const QRectF area = chat->document()->documentLayout()->blockBoundingRect(block);
                for (int i = 0; i < block.layout()->lineCount(); ++i) {
                    const QTextLine line = block.layout()->lineAt(i);
                    const int top = int(std::floor(area.top() + line.y())) - offset;
                    const int bottom = int(std::ceil(area.top() + line.y() + line.height())) - offset;
                    const int shown = std::min(bottom, height) - std::max(top, 0);
                    if (shown > 0 && shown < bottom - top && 2 * shown >= bottom - top)
                        cut.push_back({std::max(top, 0), std::min(bottom, height)});
                }
            }
            return cut;
        };
        std::vector<Cut> cut;
        for (int grown = 0; grown < 40 && (cut = cutLines()).empty(); ++grown) {
            window.resize(page.width(), page.height() + grown + 1);
            QCoreApplication::processEvents();
        }
        QVERIFY2(!cut.empty(), "no size cuts a line in half");
        QCoreApplication::processEvents();
        const QRect pane(chat->viewport()->mapTo(&window, QPoint()), chat->viewport()->size());
        const QImage shown = window.grab(pane).toImage().convertToFormat(QImage::Format_RGB32);
        chat->clear();
        const QImage behind = window.grab(pane).toImage().convertToFormat(QImage::Format_RGB32);
        const auto drawnRows = [&](int top, int bottom) {
            int drawn = 0;
            for (int y = top; y < bottom; ++y)
                for (int x = 0; x < shown.width(); ++x)
                    drawn += shown.pixel(x, y) != behind.pixel(x, y);
            return drawn;
        };
        QVERIFY2(drawnRows(0, shown.height()) > 0, "the chat shows nothing");
        for (const Cut &line : cut)
            QVERIFY2(drawnRows(line.top, line.bottom) == 0,
                     qPrintable(QStringLiteral("a line cut at rows %1 to %2 of %3 shows")
                                    .arg(line.top)
                                    .arg(line.bottom)
                                    .arg(shown.height())));
    }
};

QTEST_MAIN(TestTableLook)
#include "tst_tablelook.moc"
