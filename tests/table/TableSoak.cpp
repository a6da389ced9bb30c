#include "table/TableSoak.h"

#include "game/GameModel.h"
#include "lobby/SeatedWindow.h"
#include "lobby/TableModel.h"
#include "lobby/WatchingWindow.h"
#include "protocol/ConnectionManager.h"
#include "scene/HandView.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameController.h"
#include "table/GameWindow.h"
#include "table/GameWindowActionQueue.h"
#include "table/MeldAuction.h"
#include "table/MeldChoice.h"
#include "table/PlayerInactiveWindow.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/WashoutWindow.h"
#include "tools/peer/PeerProcess.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTemporaryFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <random>

namespace {

QString now()
{
    return QString::number(QDateTime::currentMSecsSinceEpoch());
}

QString offersText(const meld_offer_vector &offers)
{
    QStringList parts;
    for (const meld_offer &o : offers)
        parts << QStringLiteral("%1:%2").arg(o.meldType).arg(int(o.t));
    return parts.join(QLatin1Char(','));
}

// The window's open question, for the trace.
QString decisionText(const GameWindow *window)
{
    if (!window)
        return QStringLiteral("no window");
    static const char *subjects[] = {"none", "turn", "claim", "rob", "replacement"};
    const TableDecision &d = window->decision();
    QStringList allowed;
    for (tile t : d.allowedTiles())
        allowed << QString::number(int(t));
    const QDateTime end = d.deadline().end();
    return QStringLiteral("decision %1#%2 offers=[%3] choice=%4 allowed=[%5] answered=%6 held=%7 hand=%8 panel=%9 "
                          "discarder=%10 due=%11")
        .arg(QLatin1String(subjects[d.subject()]))
        .arg(d.serial())
        .arg(offersText(d.offers()))
        .arg(d.tileChoice())
        .arg(allowed.join(QLatin1Char(',')))
        .arg(d.isAnswered())
        .arg(d.holdsTurn())
        .arg(window->handView()->isActive())
        .arg(window->meldAuction() && window->meldAuction()->isVisible())
        .arg(d.discarder())
        .arg(end.isValid() ? QString::number(QDateTime::currentDateTimeUtc().msecsTo(end)) : QStringLiteral("-"));
}

// Answers whatever the table window offers, at random, through the window's
// own buttons and hand. Now and then it lets an offer run out.
class RandomPlayer : public QObject
{
public:
    RandomPlayer(GameController *controller, qint32 tableId, quint32 seed, int answerMs, int sleepMs,
                 QStringList *trace)
        : m_controller(controller)
        , m_tableId(tableId)
        , m_rng(seed)
        , m_answerMs(answerMs)
        , m_sleepMs(sleepMs)
        , m_trace(trace)
    {
        m_clock.start();
        m_timer.setInterval(3);
        connect(&m_timer, &QTimer::timeout, this, &RandomPlayer::act);
        m_timer.start();
    }

    int actions() const { return m_actions; }
    int claimClicks() const { return m_claimClicks; }
    int sleeps() const { return m_sleeps; }
    // When the player began to wait before an answer (ms since the epoch),
    // and for how long: a time-out during a wait was the player's choice.
    const std::vector<std::pair<qint64, int>> &sleepTimes() const { return m_sleepTimes; }

private:
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    static QList<QAbstractButton *> shown(QWidget *parent, const QRegularExpression &names)
    {
        QList<QAbstractButton *> buttons;
        if (!parent || parent->isHidden())
            return buttons;
        for (QAbstractButton *b : parent->findChildren<QAbstractButton *>(names))
            if (b->isVisibleTo(parent) && b->isEnabled())
                buttons << b;
        return buttons;
    }

    void note(const QString &what)
    {
        if (m_trace)
            *m_trace << now() + QStringLiteral(" ACT ") + what + QStringLiteral(" | ") + decisionText(m_window);
    }

    void click(QAbstractButton *button)
    {
        ++m_actions;
        note(QStringLiteral("click ") + button->objectName() + QLatin1Char(' ') + button->text());
        // The tiles a claim takes from the rack, for a click on one of them
        // while the claim flies.
        m_claimTiles.clear();
        for (QWidget *w = button; w; w = w->parentWidget()) {
            if (const auto *row = qobject_cast<MeldChoice *>(w)) {
                const meld_offer o = row->offer();
                const int n = o.meldType == MELD_CHOW   ? 3
                              : o.meldType == MELD_KONG ? 4
                              : o.meldType == MELD_PONG ? 3
                                                        : 0;
                for (int i = 0; i < n; ++i)
                    m_claimTiles.push_back(o.meldType == MELD_CHOW ? tile(o.t + i) : o.t);
                break;
            }
        }
        button->click();
    }

    // A player in a hurry clicks the rack while the own claim still flies
    // to its meld: the rack may still show the tiles the meld took.
    bool clickDuringTheClaim(GameWindow *window)
    {
        HandView *hand = window->handView();
        if (m_claimTiles.empty() || !window->actionQueue().isBusy() || !hand->isActive())
            return false;
        tile_vector choices;
        for (tile t : hand->tiles()) {
            if (hand->isAllowed(t) && std::find(m_claimTiles.begin(), m_claimTiles.end(), t) != m_claimTiles.end())
                choices.push_back(t);
        }
        m_claimTiles.clear();
        if (choices.empty() || !chance(0.7))
            return false;
        ++m_actions;
        ++m_claimClicks;
        const tile t = choices[pick(int(choices.size()))];
        note(QStringLiteral("tile %1 while the claim flies").arg(int(t)));
        // As a press on the tile reports it: judged after the press returns.
        hand->tilePressed(t);
        return true;
    }

    // How long the player looks at a new question: mostly at once or soon,
    // now and then close to the deadline or just past it, rarely so long
    // that the offer runs out.
    int thinkingTime()
    {
        const double r = std::uniform_real_distribution<double>(0, 1)(m_rng);
        const auto between = [this](double from, double to) {
            return int(std::uniform_real_distribution<double>(from, to)(m_rng));
        };
        if (r < 0.45)
            return 0;
        if (r < 0.75)
            return between(0, m_answerMs * 0.5);
        if (r < 0.90)
            return between(m_answerMs * 0.5, m_answerMs * 0.95);
        if (r < 0.97)
            return between(m_answerMs * 0.95, m_answerMs * 1.1 + 50);
        return m_sleepMs;
    }

    // Every answer the window sends, as it sends it.
    void watch(GameWindow *window)
    {
        if (window == m_window)
            return;
        m_window = window;
        if (!window || !m_trace)
            return;
        const auto sent = [this](const char *name) {
            return [this, name](qint32, qint32, tile t) {
                *m_trace << now() + QStringLiteral(" SEND %1 %2").arg(QLatin1String(name)).arg(int(t));
            };
        };
        connect(window, &GameWindow::discardTile, this, sent("discard_tile"));
        connect(window, &GameWindow::callChow, this, sent("call_chow"));
        connect(window, &GameWindow::callPong, this, sent("call_pong"));
        connect(window, &GameWindow::callKong, this, sent("call_kong"));
        connect(window, &GameWindow::callPongToKong, this, sent("call_pong_to_kong"));
        connect(window, &GameWindow::callBonus, this, sent("call_bonus"));
        connect(window, &GameWindow::callRiichi, this, sent("call_riichi"));
        connect(window, &GameWindow::callPass, this, [this](qint32, qint32, bool autoPass) {
            *m_trace << now() + QStringLiteral(" SEND call_pass auto=%1").arg(autoPass);
        });
        connect(window, &GameWindow::callMahjong, this,
                [this](qint32, qint32) { *m_trace << now() + QStringLiteral(" SEND call_mahjong"); });
    }

    void act()
    {
        GameWindow *window = m_controller->view(m_tableId);
        watch(window);
        if (!window || m_clock.elapsed() < m_sleepUntil)
            return;
        if (clickDuringTheClaim(window))
            return;
        // The player looks at what the window shows now.
        window->actionQueue().flush();
        MeldAuction *auction = window->meldAuction();
        const QList<QAbstractButton *> auctionButtons =
            auction ? shown(auction, QRegularExpression(QStringLiteral(
                                         "^(meldChoiceButton|mahjongButton|passButton|closeButton|riichiButton)$")))
                    : QList<QAbstractButton *>{};
        QList<QAbstractButton *> declarations = shown(
            window->concealedActionDialog(),
            QRegularExpression(QStringLiteral("^(riichiButton|kongButton|pongToKongButton|replaceBonusButton)$")));
        HandView *hand = window->handView();
        // A new question: answer it, or now and then let it run out.
        const QString situation = QStringLiteral("%1/%2/%3/%4")
                                      .arg(quintptr(auction))
                                      .arg(hand->isActive())
                                      .arg(window->tileChoice())
                                      .arg(declarations.size());
        const bool asked = !auctionButtons.isEmpty() || hand->isActive();
        if (asked && situation != m_situation) {
            m_situation = situation;
            if (const int wait = thinkingTime(); wait > 0) {
                if (wait >= m_answerMs * 0.8)
                    ++m_sleeps;
                m_sleepTimes.push_back({QDateTime::currentMSecsSinceEpoch(), wait});
                note(QStringLiteral("wait %1 ms").arg(wait));
                m_sleepUntil = m_clock.elapsed() + wait;
                return;
            }
        }
        if (!asked)
            m_situation.clear();

        if (!auctionButtons.isEmpty()) {
            click(auctionButtons[pick(int(auctionButtons.size()))]);
            return;
        }
        if (!declarations.isEmpty() && window->tileChoice() == 0 && chance(0.5)) {
            click(declarations[pick(int(declarations.size()))]);
            return;
        }
        if (hand->isActive()) {
            tile_vector choices;
            for (tile t : hand->tiles())
                if (hand->isAllowed(t))
                    choices.push_back(t);
            // An active hand without tiles offers nothing: look further.
            if (!choices.empty()) {
                ++m_actions;
                const tile t = choices[pick(int(choices.size()))];
                note(QStringLiteral("tile %1").arg(int(t)));
                window->onTileClick(t);
                return;
            }
        }
        for (QWidget *board :
             {static_cast<QWidget *>(window->scoreBoard()), static_cast<QWidget *>(window->washoutWindow()),
              static_cast<QWidget *>(window->seatedWindow())}) {
            const auto ready = shown(board,
                                     QRegularExpression(QStringLiteral("^(readyPushButton|readyButton|playButton)$")));
            if (!ready.isEmpty()) {
                click(ready.front());
                return;
            }
        }
        if (const auto close = shown(window->roundScoreBoard(), QRegularExpression(QStringLiteral("^closeButton$")));
            !close.isEmpty()) {
            click(close.front());
            return;
        }
        if (const auto join = shown(window->watchingWindow(), QRegularExpression(QStringLiteral("^joinButton$")));
            !join.isEmpty()) {
            click(join.front());
            return;
        }
        // Stood down after a time-out: the player comes back.
        if (const auto back = shown(window->playerInactiveWindow(),
                                    QRegularExpression(QStringLiteral("^reactivateButton$")));
            !back.isEmpty())
            click(back.front());
    }

    GameController *m_controller;
    qint32 m_tableId;
    std::mt19937 m_rng;
    int m_answerMs;
    int m_sleepMs;
    QStringList *m_trace;
    QPointer<GameWindow> m_window;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_sleepUntil = 0;
    QString m_situation;
    int m_actions = 0;
    int m_claimClicks = 0;
    tile_vector m_claimTiles;
    int m_sleeps = 0;
    std::vector<std::pair<qint64, int>> m_sleepTimes;
};

// Tallies the client's warnings while a run plays, and passes every message
// on as before. The client's warnings are seen whatever the global logging
// rules say; what they let through stays as it was.
struct WarningTally
{
    static inline std::map<QString, int> *counts = nullptr;
    static inline QStringList *lines = nullptr;
    static inline QtMessageHandler previous = nullptr;
    static inline QLoggingCategory::CategoryFilter previousFilter = nullptr;
    // Categories whose warnings the rules switched off: tallied, not passed on.
    static inline QSet<QByteArray> silenced;

    WarningTally(std::map<QString, int> &target, QStringList &log)
    {
        counts = &target;
        lines = &log;
        previous = qInstallMessageHandler(&WarningTally::handle);
        previousFilter = QLoggingCategory::installFilter(&WarningTally::filter);
    }
    ~WarningTally()
    {
        QLoggingCategory::installFilter(previousFilter);
        qInstallMessageHandler(previous);
        counts = nullptr;
        lines = nullptr;
    }
    static void filter(QLoggingCategory *category)
    {
        if (previousFilter)
            previousFilter(category);
        if (QLatin1String(category->categoryName()).startsWith(QLatin1String("mahjong"))
            && !category->isWarningEnabled()) {
            silenced.insert(QByteArray(category->categoryName()));
            category->setEnabled(QtWarningMsg, true);
        }
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const bool ours = QLatin1String(context.category).startsWith(QLatin1String("mahjong"));
        if (type == QtWarningMsg && counts && ours) {
            QString key = QString::fromLatin1(context.category) + QStringLiteral(": ") + message;
            if (lines)
                *lines << QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss.zzz ")) + key;
            key.replace(QRegularExpression(QStringLiteral("\\d+")), QStringLiteral("#"));
            ++(*counts)[key];
        }
        if (type == QtWarningMsg && ours && silenced.contains(QByteArray(context.category)))
            return;
        if (previous)
            previous(type, context, message);
    }
};

// Runs the event loop until the condition holds or the time is up. With a
// progress count, the time counts from its last change: a slow machine plays
// slowly, only a table where nothing happens any more runs out.
bool runUntil(const std::function<bool()> &condition, int timeoutMs, const qint64 *progress = nullptr)
{
    QElapsedTimer clock;
    clock.start();
    qint64 seen = progress ? *progress : 0;
    while (!condition()) {
        if (progress && *progress != seen) {
            seen = *progress;
            clock.restart();
        }
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

int field(const QString &line, const QString &name)
{
    const QRegularExpression re(QStringLiteral("\\b%1=(\\d+)").arg(name));
    const QRegularExpressionMatch m = re.match(line);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

void TableSoakRun::play()
{
    QElapsedTimer clock;
    clock.start();
    // The table's drawings and text images, found as the client finds them.
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
    QDir::setSearchPaths(QStringLiteral("textimages"), {QStringLiteral(":/default/textimages")});
    PeerProcess peer;
    QStringList args{QStringLiteral("--account"),          QStringLiteral("soak:soak:5001:Soak"),
                     QStringLiteral("--random-table"),     QString::number(seed),
                     QStringLiteral("--random-hands"),     QString::number(hands),
                     QStringLiteral("--random-answer-ms"), QString::number(answerMs)};
    if (tournament)
        args << QStringLiteral("--random-tournament-table") << QString::number(tableId);
    if (!verbose)
        args << QStringLiteral("--quiet");
    if (!off.isEmpty())
        args << QStringLiteral("--random-off") << off.join(QLatin1Char(','));
    if (!peer.start(args)) {
        failure = QStringLiteral("the scripted server did not start: ") + peer.errorString();
        return;
    }
    // The player thinks by the time the server gives, which a run's
    // MAHJONG_PEER_DELAYS may have changed.
    const int questionMs = int(PeerProcess::effectiveValue(args, QStringLiteral("--random-answer-ms"), answerMs));
    // Longer questions make longer hands.
    const int runMs = int(timeoutMs * std::max(1.0, double(questionMs) / std::max(answerMs, 1)));
    PeerProcess::installTestCa();
    ConnectionManager session(true);
    TableModel tables(&session);
    QWidget mainWindow;
    // Made before the login, as the main window makes it: a tournament may
    // seat the player right after it.
    GameController controller(&session, nullptr, nullptr, &mainWindow);
    controller.setTableModel(&tables);
    controller.setPlayerName(QStringLiteral("soak"));
    QObject context;
    QObject::connect(&session, &ConnectionManager::versionCheckComplete, &context,
                     [&session] { session.login(QStringLiteral("soak"), QStringLiteral("soak")); });
    bool loggedIn = false;
    QObject::connect(&session, &ConnectionManager::loginSuccess, &context, [&] {
        loggedIn = true;
        controller.setPlayerId(session.ownPlayerId());
    });
    QObject::connect(&session, &ConnectionManager::exceptionCaught, &context, [this](const std::string &message) {
        ++clientErrors;
        if (failure.isEmpty())
            failure = QStringLiteral("the client refused the server's data: ") + QString::fromStdString(message);
    });
    QObject::connect(&session, &ConnectionManager::disconnected, &context, [this] { disconnected = true; });
    // Every table event the client reads is progress.
    qint64 progress = 0;
    QObject::connect(&session, &ConnectionManager::hiddenTilesFromWall, &context, [&progress] { ++progress; });
    QObject::connect(&session, &ConnectionManager::tilesFromWall, &context, [&progress] { ++progress; });
    QObject::connect(&session, &ConnectionManager::areYouReady, &context, [&progress] { ++progress; });
    QObject::connect(&session, &ConnectionManager::gameData, &context, [&progress] { ++progress; });
    QObject::connect(&session, &ConnectionManager::tileDiscarded, &context, [&progress] { ++progress; });
    // What the table shows at each hand's end, after the controller has
    // passed the event on, in the peer's words (see PeerRandomTable).
    QStringList shownCounts;
    const auto handEnded = [&](qint32 table) {
        const GameModel *model = controller.model(table);
        if (!model)
            return;
        QStringList parts{QStringLiteral("live:%1").arg(model->liveTiles()),
                          QStringLiteral("dead:%1").arg(model->deadWallTiles())};
        for (const auto &[id, player] : model->players())
            if (id != session.ownPlayerId())
                parts << QStringLiteral("%1:%2").arg(id).arg(player.hiddenTiles());
        shownCounts << QStringLiteral("counts=") + parts.join(QLatin1Char(','));
    };
    QObject::connect(&session, &ConnectionManager::handEndScoring, &context,
                     [&](qint32 table, const EndHandScoring &) { handEnded(table); });
    QObject::connect(&session, &ConnectionManager::handEndNonScoring, &context,
                     [&](qint32 table, endhand_reason_t, bool) { handEnded(table); });
    // The trace: each table event as the client read it, with the window's
    // question once the controller has passed the event on.
    const auto traced = [&](const QString &event) {
        trace << now() + QStringLiteral(" RECV ") + event + QStringLiteral(" | ")
                     + decisionText(controller.view(tableId));
    };
    using CM = ConnectionManager;
    QObject::connect(&session, &CM::startHand, &context,
                     [&](qint32, qint64 hand) { traced(QStringLiteral("start_hand %1").arg(hand)); });
    QObject::connect(&session, &CM::tilesFromWall, &context, [&](qint32, const tile_vector &tiles, bool dead) {
        traced(QStringLiteral("tiles_from_wall n=%1 dead=%2 first=%3")
                   .arg(tiles.size())
                   .arg(dead)
                   .arg(tiles.empty() ? -1 : int(tiles.front())));
    });
    QObject::connect(&session, &CM::hiddenTilesFromWall, &context, [&](qint32, qint32 id, qint32 n, bool dead) {
        traced(QStringLiteral("hidden_tiles_from_wall %1 n=%2 dead=%3").arg(id).arg(n).arg(dead));
    });
    QObject::connect(&session, &CM::tileDiscarded, &context, [&](qint32, qint32 id, tile t) {
        traced(QStringLiteral("tile_discarded %1 %2").arg(id).arg(int(t)));
    });
    QObject::connect(&session, &CM::riichiDeclared, &context, [&](qint32, qint32 id, tile t) {
        traced(QStringLiteral("riichi_declared %1 %2").arg(id).arg(int(t)));
    });
    QObject::connect(&session, &CM::tileClaimed, &context,
                     [&](qint32, qint32 id) { traced(QStringLiteral("tile_claimed %1").arg(id)); });
    QObject::connect(&session, &CM::meldDeclared, &context, [&](qint32, qint32 id, const meld_tuple &m) {
        traced(QStringLiteral("meld_declared %1 type=%2 first=%3").arg(id).arg(m.meldType).arg(int(m.firstTile)));
    });
    QObject::connect(&session, &CM::declareBonus, &context, [&](qint32, qint32 id, const tile_vector &tiles) {
        traced(QStringLiteral("declare_bonus %1 n=%2").arg(id).arg(tiles.size()));
    });
    QObject::connect(&session, &CM::playerShouldAct, &context, [&](qint32, const TimeSpan &, qint32 id) {
        traced(QStringLiteral("player_should_act %1").arg(id));
    });
    const auto suggestion = [&](const char *name) {
        return [&traced, name](qint32, const TimeSpan &, const meld_offer_vector &offers) {
            traced(QStringLiteral("%1 [%2]").arg(QLatin1String(name), offersText(offers)));
        };
    };
    QObject::connect(&session, &CM::meldSuggestion, &context, suggestion("meld_suggestion"));
    QObject::connect(&session, &CM::concealedMeldSuggestion, &context, suggestion("concealed_meld_suggestion"));
    QObject::connect(&session, &CM::robTheKongSuggestion, &context, suggestion("rob_the_kong_suggestion"));
    QObject::connect(&session, &CM::replacementMeldSuggestion, &context, suggestion("replacement_meld_suggestion"));
    QObject::connect(&session, &CM::timeoutOccured, &context, [&] { traced(QStringLiteral("timeout_occurred")); });
    QObject::connect(&session, &CM::someoneDeclaredMahjong, &context,
                     [&](qint32, qint32 id) { traced(QStringLiteral("someone_declared_mahjong %1").arg(id)); });
    QObject::connect(&session, &CM::handEndScoring, &context,
                     [&](qint32, const EndHandScoring &) { traced(QStringLiteral("hand_end_scoring")); });
    QObject::connect(&session, &CM::handEndNonScoring, &context,
                     [&](qint32, endhand_reason_t, bool) { traced(QStringLiteral("hand_end_non_scoring")); });
    QObject::connect(&session, &CM::gameData, &context, [&] { traced(QStringLiteral("game_data")); });
    QObject::connect(&session, &CM::kickPlayer, &context, [&] { traced(QStringLiteral("kick_player")); });
    QObject::connect(&session, &CM::activeChanged, &context,
                     [&](qint32, bool active) { traced(QStringLiteral("active_changed %1").arg(active)); });
    session.connectToHost(QStringLiteral("localhost"), peer.port());
    if (!runUntil([&] { return loggedIn || disconnected; }, 15000) || !loggedIn) {
        failure = QStringLiteral("no login");
        return;
    }
    tables.subscribe(QStringLiteral("101/Practice"));
    if (!tournament && !runUntil([&] { return tables.hasTable(tableId); }, 10000)) {
        failure = QStringLiteral("the lobby does not list table %1").arg(tableId);
        return;
    }
    QStringList clientLog;
    {
        WarningTally tally(warnings, clientLog);
        // Long enough that an answer after the time-out is never taken for
        // one that crossed it on the wire.
        const int sleepMs = questionMs * 3 / 2 + 500;
        RandomPlayer player(&controller, tableId, seed, questionMs, sleepMs, &trace);
        if (!tournament)
            session.join_table(tableId, -1);

        finished = runUntil(
            [&] { return !peer.linesStartingWith(QStringLiteral("SOAK_DONE")).isEmpty() || disconnected; }, runMs,
            &progress);
        // The server is done once it has sent the last hand's end; a busy
        // client may still be reading the hand. Answers still on their way
        // count as well.
        runUntil(
            [&] {
            return disconnected || shownCounts.size() >= peer.linesStartingWith(QStringLiteral("SOAK_HAND")).size();
            },
            15000, &progress);
        runUntil([] { return false; }, 300);
        playerActions = player.actions();
        claimClicks = player.claimClicks();
        playerSleeps = player.sleeps();
        // A time-out the player did not choose: the window gave no way to
        // answer in time.
        for (const QString &line : peer.linesStartingWith(QStringLiteral("SOAK_TIMEOUT"))) {
            const qint64 at = line.section(QStringLiteral("at="), 1).section(QLatin1Char(' '), 0, 0).toLongLong();
            const bool chosen = std::any_of(player.sleepTimes().begin(), player.sleepTimes().end(),
                                            [&](const std::pair<qint64, int> &w) {
                return w.first <= at && at - w.first <= w.second + 200;
            });
            if (!chosen)
                unexplainedTimeouts << line;
        }
        log = peer.lines();
        for (const QString &line : peer.lines())
            if (line.startsWith(QLatin1String("SOAK_VIOLATION")) || line.startsWith(QLatin1String("SOAK_MISSING")))
                violations << line;
        const QStringList hands = peer.linesStartingWith(QStringLiteral("SOAK_HAND"));
        for (int i = 0; i < int(hands.size()); ++i) {
            const QString expected = hands[i].section(QStringLiteral("counts="), 1).prepend(QStringLiteral("counts="));
            const QString shown = i < shownCounts.size() ? shownCounts[i] : QStringLiteral("(no hand end)");
            if (shown != expected)
                inconsistencies << QStringLiteral("hand %1: server %2, client %3").arg(i + 1).arg(expected, shown);
        }
        const QStringList done = peer.linesStartingWith(QStringLiteral("SOAK_DONE"));
        if (!done.isEmpty()) {
            const QString &line = done.front();
            handsPlayed = field(line, QStringLiteral("hands"));
            events = field(line, QStringLiteral("events"));
            late = field(line, QStringLiteral("late"));
            timeouts = field(line, QStringLiteral("timeouts"));
            kicks = field(line, QStringLiteral("kicks"));
            lateEvents = field(line, QStringLiteral("late_events"));
            ignoredReady = field(line, QStringLiteral("ignored_ready"));
            answers = line.section(QStringLiteral("answers="), 1);
            roundEnds = int(peer.linesStartingWith(QStringLiteral("SOAK_ROUND_END")).size());
        } else if (failure.isEmpty()) {
            failure = disconnected ? QStringLiteral("the session ended")
                                   : QStringLiteral("nothing happened at the table for %1 s (%2 hands played)")
                                         .arg(runMs / 1000)
                                         .arg(peer.linesStartingWith(QStringLiteral("SOAK_HAND")).size());
        }
        finished = finished && !done.isEmpty() && !disconnected;
    }
    elapsedMs = clock.elapsed();
    if (verbose || !failure.isEmpty() || !violations.isEmpty() || !inconsistencies.isEmpty()
        || !unexplainedTimeouts.isEmpty())
        writeLog(clientLog);
}

void TableSoakRun::writeLog(const QStringList &clientLog)
{
    // A name of its own: runs side by side never share a file.
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("table_soak-%1-%2-XXXXXX.log").arg(tableId).arg(seed)));
    file.setAutoRemove(false);
    if (!file.open())
        return;
    file.write(log.join(QLatin1Char('\n')).toUtf8());
    file.write("\n\n-- the client's warnings --\n");
    file.write(clientLog.join(QLatin1Char('\n')).toUtf8());
    file.write("\n\n-- the client's trace: events read, the player's acts and answers, each with the window's "
               "question (times in ms since the epoch, as the server's at=) --\n");
    file.write(trace.join(QLatin1Char('\n')).toUtf8());
    file.write("\n");
    logFile = file.fileName();
}
