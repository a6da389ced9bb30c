#include "tools/peer/PeerSession.h"

#include "protocol/Codec.h"
#include "protocol/MessageFields.h"
#include "protocol/MessageIds.h"
#include "protocol/MonetaryRoundScore.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerRandomTable.h"
#include "tools/peer/PeerServer.h"
#include "tools/peer/PeerTournamentDesk.h"
#include "tools/peer/PeerTournamentTicker.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSslSocket>

#include <algorithm>
#include <functional>

namespace {
typedef WireValue::List L;

constexpr qint32 RiichiDeposit = 1000;

// A player who is away is answered for this soon after each question.
constexpr qint64 AwayAnswerMs = 1000;

// The messages that ask the player for an answer within their time window.
bool isQuestion(const QString &name)
{
    return name == QLatin1String("player_should_act") || name == QLatin1String("meld_suggestion")
           || name == QLatin1String("concealed_meld_suggestion") || name == QLatin1String("are_you_ready");
}

template <quint8 Id>
using In = MessageFields<Codec::Frame, Id>;
template <quint8 Id>
using ServiceIn = MessageFields<Codec::Service, Id>;

QString compact(const QJsonValue &v)
{
    if (v.isObject())
        return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    if (v.isArray())
        return QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact));
    return v.toVariant().toString();
}

// A player whose connection ended at a table keeps the seat: told so at
// the next login (user name -> table id).
std::map<QString, qint32> &keptSeats()
{
    static std::map<QString, qint32> seats;
    return seats;
}

// Each account's money over its connections (user name -> cents).
std::map<QString, qint64> &balances()
{
    static std::map<QString, qint64> cents;
    return cents;
}

// The text "$name" stands for the logged-in player's name (score boards
// name the player as the server knows them).
QJsonValue withPlayerName(const QJsonValue &v, const QString &name)
{
    if (v.isString() && v.toString() == QLatin1String("$name"))
        return name;
    if (v.isArray()) {
        QJsonArray a = v.toArray();
        for (auto it = a.begin(); it != a.end(); ++it)
            *it = withPlayerName(*it, name);
        return a;
    }
    if (v.isObject()) {
        QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            it.value() = withPlayerName(it.value(), name);
        return o;
    }
    return v;
}

// Credentials never reach the peer's output either.
QJsonValue masked(const QJsonValue &v)
{
    if (!v.isObject())
        return v;
    QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it.key().contains(QLatin1String("assword")))
            it.value() = QStringLiteral("***");
        else if (it.value().isObject())
            it.value() = masked(it.value());
    }
    return o;
}

// Every live session of this peer: invitations go from one to another.
QList<PeerSession *> &sessions()
{
    static QList<PeerSession *> all;
    return all;
}
} // namespace

PeerSession::PeerSession(QSslSocket *socket, PeerConfig &config, bool verbose, bool tls, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_config(config)
    , m_verbose(verbose)
    , m_desk(new PeerTournamentDesk(this, config, m_registered))
    , m_balance(config.balance)
{
    m_expectTimer.setSingleShot(true);
    connect(&m_expectTimer, &QTimer::timeout, this, &PeerSession::onExpectTimeout);
    m_deadlineTimer.setSingleShot(true);
    connect(&m_deadlineTimer, &QTimer::timeout, this, &PeerSession::onDeadline);
    // The lobby's figures follow the tables as they fill and empty.
    connect(&m_summaryTimer, &QTimer::timeout, this, [this] { sendLobbySummary(false); });
    connect(socket, &QSslSocket::readyRead, this, &PeerSession::onReadyRead);
    connect(socket, &QSslSocket::disconnected, this, &PeerSession::onDisconnected);
    connect(socket, &QSslSocket::encrypted, this, &PeerSession::onReady);
    connect(socket, &QSslSocket::sslErrors, this, [](const QList<QSslError> &errors) {
        for (const QSslError &e : errors)
            PeerServer::log(QStringLiteral("TLS_ERROR ") + e.errorString());
    });
    connect(socket, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (m_verbose)
            PeerServer::log(QStringLiteral("SOCKET_ERROR ") + m_socket->errorString());
    });

    if (m_config.randomTable)
        m_random = new PeerRandomTable(this, m_config, m_config.random);
    if (!tls)
        QTimer::singleShot(0, this, &PeerSession::onReady);
    sessions().append(this);
}

PeerSession::~PeerSession()
{
    sessions().removeAll(this);
}

void PeerSession::onReady()
{
    if (m_started)
        return;
    m_started = true;
    PeerServer::log(QStringLiteral("CONNECTED %1").arg(m_socket->isEncrypted() ? "tls" : "plain"));
    trigger(QStringLiteral("connect"));
}

void PeerSession::onDisconnected()
{
    if (m_account && !m_seats.empty())
        keptSeats()[m_account->user] = m_seats.back();
    PeerServer::log(QStringLiteral("DISCONNECTED"));
    m_socket->deleteLater();
}

bool PeerSession::enabled(const char *name) const
{
    return !m_disabled.contains(QLatin1String(name));
}

void PeerSession::send(quint8 classId, const WireValue::List &fields)
{
    const QByteArray frame = FrameReader::frame(Codec::instance().encode(classId, fields));
    m_socket->write(frame);
    if (m_verbose)
        PeerServer::log(QStringLiteral("SENT ")
                        + QString::fromStdString(Codec::instance().message(Codec::Frame, classId)->name));
}

void PeerSession::changeBalance(qint64 cents)
{
    m_balance += cents;
    if (m_account)
        balances()[m_account->user] = m_balance;
    send(msg::ACCOUNT_BALANCE, L{m_balance});
}

void PeerSession::announceTable(const TableInfo &t)
{
    for (PeerSession *s : sessions())
        if (s->subscribed(t))
            s->send(msg::TABLE_INFO, L{wire::fromTableInfo(t)});
}

void PeerSession::tellSeats(const TableInfo &t)
{
    for (PeerSession *s : sessions())
        if (s == this || (s->m_account && s->subscribed(t)))
            s->send(msg::TABLE_INFO_UPDATE, L{t.id(), t.seated(), WireValue(L{})});
}

void PeerSession::tellTournament(quint8 classId, const WireValue::List &fields)
{
    for (PeerSession *s : sessions())
        if (s == this || s->m_tournamentLobby)
            s->send(classId, fields);
}

void PeerSession::removeTournamentSeat(qint32 tableId)
{
    // The round's table is gone with its seat.
    m_tournamentSeats.erase(tableId);
    m_seats.erase(std::remove(m_seats.begin(), m_seats.end(), tableId), m_seats.end());
}

QString PeerSession::playerName(qint32 pid) const
{
    if (pid == playerId())
        return m_name;
    if (const PeerConfig::Account *a = m_config.findAccount(pid))
        return a->name;
    if (m_config.names.count(pid))
        return m_config.names.at(pid);
    return QStringLiteral("player%1").arg(pid);
}

void PeerSession::broadcastTournament(quint8 classId, const WireValue::List &fields)
{
    for (PeerSession *s : sessions())
        if (s->m_tournamentLobby)
            s->send(classId, fields);
}

bool PeerSession::anyRegistered(qint32 tournamentId)
{
    return std::any_of(sessions().begin(), sessions().end(),
                       [tournamentId](const PeerSession *s) { return s->m_registered.count(tournamentId) > 0; });
}

void PeerSession::writeRepeated(const QByteArray &bytes, int times)
{
    // In pieces of about 1 MiB, so that a flood of small frames does not
    // become one write of its whole size.
    const int perPiece = std::max(1, int(1024 * 1024 / std::max<qsizetype>(1, bytes.size())));
    for (int done = 0; done < times; done += perPiece)
        m_socket->write(bytes.repeated(std::min(perPiece, times - done)));
}

void PeerSession::sendService(quint16 service, qint32 seq, quint8 innerId, const WireValue::List &fields)
{
    send(msg::SERVICE_RESPONSE, L{qint64(service), seq, WireValue(fields, innerId)});
}

void PeerSession::onReadyRead()
{
    m_reader.append(m_socket->readAll());
    message_t body;
    try {
        while (m_reader.next(body)) {
            const Codec &codec = Codec::instance();
            const WireValue::List fields = codec.decode(body);
            const Codec::Message *m = codec.message(Codec::Frame, body[0]);
            const QString name = QString::fromStdString(m->name);
            const QJsonValue json = ScenarioJson::recordToJson(m->body, fields);
            if (m_verbose)
                PeerServer::log(QStringLiteral("RECV ") + name + QLatin1Char(' ') + compact(masked(json)));
            const bool random = m_random && json.isObject()
                                && m_random->takes(name, json.toObject(), qint32(m_vars.value(QStringLiteral("pid"))),
                                                   m_name);
            if (!random && enabled(m->name.c_str()))
                handle(body[0], fields);
            if (m_lateNames.contains(name))
                PeerServer::log(QStringLiteral("LATE ") + name); // the peer answered that question already
            else
                checkExpect(name, json);
        }
    } catch (const std::exception &e) {
        PeerServer::log(QStringLiteral("BAD_CLIENT_DATA ") + QString::fromUtf8(e.what()));
        m_socket->abort();
    }
}

TableInfo *PeerSession::findTable(qint32 id)
{
    for (TableInfo &t : m_config.tables)
        if (t.id() == id)
            return &t;
    return nullptr;
}

bool PeerSession::subscribed(const TableInfo &t) const
{
    for (const QString &path : m_lobbyPaths) {
        if (t.lobbyPath() == path || t.lobbyPath().startsWith(path + QLatin1Char('/')))
            return true;
    }
    return false;
}

void PeerSession::joinTable(TableInfo &t)
{
    m_vars[QStringLiteral("table")] = t.id();
    // The stake goes into the pot at the start; the fee is the house's.
    const qint64 stake = t.value().hasBuyIn() ? t.value().bet : 0;
    // A kept seat was paid for at the first join.
    if (t.value().total() > 0 && t.id() != m_keptTable)
        changeBalance(-t.value().total());
    m_stakes[t.id()] = stake;
    // A single hand's pot: the winner takes the three stakes of the others.
    m_vars[QStringLiteral("stakeWon")] = 3 * stake;
    m_vars[QStringLiteral("stakeLost")] = -stake;
    const bool tournamentSeat = m_tournamentSeats.count(t.id()) > 0;
    if (tournamentSeat) {
        m_vars[QStringLiteral("tournament")] = t.tournamentId();
        for (const TournamentInfo &info : m_config.tournaments) {
            if (info.id == t.tournamentId()) {
                m_vars[QStringLiteral("round")] = info.currentRound + 1;
                m_vars[QStringLiteral("lastRound")] = info.currentRound + 1 >= info.numberOfRounds ? 1 : 0;
            }
        }
        m_desk->tableJoined(t.tournamentId());
    }
    // Back at a kept seat, or at a tournament's, or at the table the player
    // walked away from in the middle of a hand, the table has the player already.
    const bool alreadySeated = std::find(m_seats.begin(), m_seats.end(), t.id()) != m_seats.end();
    if (t.id() != m_keptTable && !tournamentSeat && !alreadySeated)
        t.setSeated(t.seated() + 1);
    m_keptTable = -1;
    m_seats.erase(std::remove(m_seats.begin(), m_seats.end(), t.id()), m_seats.end());
    m_seats.push_back(t.id());
    send(msg::JOIN_OK, L{t.id()});
    tellSeats(t);
    const QJsonObject *scenario = startsScenario(QStringLiteral("join"), t.id())
                                      ? findScenario(QStringLiteral("join"), t.id())
                                      : nullptr;
    sendGameData(t, true, scenario && scenario->value(QStringLiteral("empty_table")).toBool());
    trigger(QStringLiteral("join"), t.id());
}

TableInfo *PeerSession::quickJoinTable(const QString &path)
{
    // "/Practice/Classic/4/", "/Regular/ForFun/Riichi/Express/4/": the
    // ruleset, the seats, and whether it is played for fun.
    int ruleset = -1;
    int seats = 0;
    bool free = false;
    for (const QString &word : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        bool number = false;
        const int n = word.toInt(&number);
        if (number)
            seats = n;
        else if (word.compare(QLatin1String("Classic"), Qt::CaseInsensitive) == 0)
            ruleset = 0;
        else if (word.compare(QLatin1String("International"), Qt::CaseInsensitive) == 0
                 || word.compare(QLatin1String("MCR"), Qt::CaseInsensitive) == 0)
            ruleset = 1;
        else if (word.compare(QLatin1String("Riichi"), Qt::CaseInsensitive) == 0)
            ruleset = 2;
        else if (word.compare(QLatin1String("Practice"), Qt::CaseInsensitive) == 0
                 || word.compare(QLatin1String("ForFun"), Qt::CaseInsensitive) == 0)
            free = true;
    }
    if (ruleset < 0)
        return nullptr;
    const auto fits = [&](const TableInfo &t) {
        return t.ruleset() == ruleset && (seats == 0 || t.capacity() == seats) && t.gameType() != TableInfo::TOURNAMENT
               && (!free || !t.value().hasBuyIn()) && subscribed(t);
    };
    qint32 lastId = 1000;
    TableInfo *pattern = nullptr;
    for (TableInfo &t : m_config.tables) {
        if (fits(t) && !t.isFull())
            return &t;
        if (fits(t) && !pattern)
            pattern = &t;
        if (t.id() < 2000)
            lastId = std::max(lastId, t.id());
    }
    // Every such table is full: the server opens another one like it.
    TableInfo t = pattern ? *pattern : TableInfo(0, m_lobbyPaths.value(0, QStringLiteral("101/Practice")));
    t.setId(lastId + 1);
    t.setSeated(0);
    if (!pattern) {
        t.setRuleset(ruleset);
        t.setCapacity(seats > 0 ? seats : 4);
        t.setGameType(TableInfo::SINGLE_HAND);
        t.setWindRounds(1);
        t.setNameId(1);
    }
    m_config.tables.push_back(t);
    announceTable(t);
    return &m_config.tables.back();
}

void PeerSession::settleRound(const WireValue::List &fields)
{
    const auto stake = m_stakes.find(fields.at(0).toInt32());
    if (stake == m_stakes.end() || stake->second <= 0)
        return;
    const qint64 pid = m_vars.value(QStringLiteral("pid"));
    for (const MonetaryRoundScore &score : wire::toMonetaryRoundScores(fields.at(1))) {
        // The pot pays back the stake with the round's result.
        if (score.playerId == pid && stake->second + score.result > 0)
            changeBalance(stake->second + score.result);
    }
    m_stakes.erase(stake);
}

void PeerSession::botSeatChanged(quint8 classId, const WireValue::List &fields)
{
    const qint32 tableId = fields.at(0).toInt32();
    const qint32 pid = classId == msg::PLAYER_JOINED ? wire::toPlayerData(fields.at(1)).id() : fields.at(1).toInt32();
    TableInfo *t = findTable(tableId);
    if (!t || pid == playerId() || m_tournamentSeats.count(tableId)
        || std::find(m_seats.begin(), m_seats.end(), tableId) == m_seats.end())
        return;
    std::set<qint32> &bots = m_bots[tableId];
    if (classId == msg::PLAYER_JOINED) {
        if (bots.count(pid) || t->seated() >= t->capacity())
            return;
        bots.insert(pid);
        t->setSeated(t->seated() + 1);
    } else {
        if (!bots.erase(pid) || t->seated() <= 0)
            return;
        t->setSeated(t->seated() - 1);
    }
    tellSeats(*t);
}

void PeerSession::botsLeave(qint32 tableId)
{
    const auto bots = m_bots.find(tableId);
    if (bots == m_bots.end())
        return;
    const int count = int(bots->second.size());
    m_bots.erase(bots);
    TableInfo *t = findTable(tableId);
    if (!t || count == 0)
        return;
    t->setSeated(std::max(t->seated() - count, 0));
    tellSeats(*t);
}

void PeerSession::endScenario()
{
    PeerServer::log(QStringLiteral("SCENARIO_LEFT %1").arg(m_scenarioTable));
    m_running = false;
    m_waiting = false;
    m_expectTimer.stop();
    m_deadlineTimer.stop();
    m_expectNames.clear();
    m_reply = QJsonObject();
    m_scenarioTable = 0;
    ++m_generation;
}

bool PeerSession::scenarioExpects(const QString &request) const
{
    if (m_waiting && m_expectNames.contains(request))
        return true;
    std::function<bool(const QJsonArray &, qsizetype)> ahead = [&](const QJsonArray &steps, qsizetype from) {
        for (qsizetype i = from; i < steps.size(); ++i) {
            const QJsonObject step = steps.at(i).toObject();
            const QJsonValue expect = step.value(QStringLiteral("expect"));
            if (expect.toString() == request || expect.toArray().contains(QJsonValue(request)))
                return true;
            const QJsonObject reply = step.value(QStringLiteral("reply")).toObject();
            for (auto it = reply.begin(); it != reply.end(); ++it)
                if (ahead(it.value().isArray() ? it.value().toArray() : QJsonArray{it.value()}, 0))
                    return true;
        }
        return false;
    };
    return m_running && ahead(m_steps, m_step);
}

lobby_summary_t PeerSession::lobbySummary() const
{
    lobby_summary_t s;
    for (const TableInfo &t : m_config.tables)
        s.playersSeated += t.seated();
    // Everyone at a table is online, and so is every player logged in here
    // who sits at none.
    s.playersOnline = s.playersSeated;
    for (const PeerSession *other : sessions())
        if (other->m_account && other->m_seats.empty())
            ++s.playersOnline;
    s.tablesOpen = qint32(m_config.tables.size());
    for (const TournamentInfo &t : m_config.tournaments)
        if (t.status == TournamentInfo::Seating || t.status == TournamentInfo::Playing
            || t.status == TournamentInfo::Paused)
            ++s.tournamentsRunning;
    s.topWinners = {{1001, QStringLiteral("Lucky"), 250000}, {1002, QStringLiteral("Bamboo"), 120050}};
    return s;
}

void PeerSession::sendLobbySummary(bool always)
{
    const lobby_summary_t s = lobbySummary();
    if (!always && (!m_lastSummary || *m_lastSummary == s))
        return;
    m_lastSummary = s;
    send(msg::LOBBY_SUMMARY, L{wire::fromLobbySummary(s)});
}

void PeerSession::sendGameData(const TableInfo &t, bool seated, bool onlyOwn)
{
    std::vector<WireValue> players;
    const qint32 pid = qint32(m_vars.value(QStringLiteral("pid")));
    for (int i = onlyOwn ? t.seated() - 1 : 0; i < t.seated(); ++i) {
        const bool own = seated && i == t.seated() - 1;
        PlayerData p(own ? pid : 900 + i, own ? m_name : QStringLiteral("Bot %1").arg(i + 1));
        p.setWind(i % 4);
        players.push_back(wire::fromPlayerData(p));
    }
    TableState ts;
    ts.playerId = seated ? pid : -1;
    WallState ws;
    ws.liveTiles = t.liveWallTiles();
    ws.deadWallTiles = t.deadWallTiles();
    send(msg::GAME_DATA,
         L{t.id(), qint64(0), 0, WireValue(std::move(players)), wire::fromTableState(ts), wire::fromWallState(ws)});
}

void PeerSession::handle(quint8 classId, const WireValue::List &f)
{
    switch (classId) {
    case msg::HELLO:
        if (In<msg::HELLO>(f).i64<"protocolVersion">() == 1)
            send(msg::HELLO_OK, L{1});
        else
            send(msg::HELLO_REFUSED, L{"unsupported protocol version"});
        break;
    case msg::PING:
        send(msg::PONG,
             L{In<msg::PING>(f).i64<"stamp">(), QDateTime::currentDateTimeUtc().addMSecs(m_config.clockOffsetMs)});
        break;
    case msg::LOGIN: {
        const QString &user = In<msg::LOGIN>(f).text<"userName">();
        const QString &password = In<msg::LOGIN>(f).text<"password">();
        const PeerConfig::Account *a = m_config.findAccount(user);
        if (!a && m_config.openAccounts && !user.trimmed().isEmpty()) {
            PeerConfig::Account account;
            account.user = user.trimmed();
            account.password = password;
            account.playerId = qint32(2000 + m_config.accounts.size());
            account.name = account.user;
            m_config.accounts.push_back(account);
            a = &m_config.accounts.back();
            m_config.publishNames();
        }
        if (!a || a->password != password) {
            send(msg::LOGIN_FAILED, L{2});
        } else if (a->loginStatus != 0) {
            send(msg::LOGIN_FAILED, L{a->loginStatus});
        } else {
            m_account = *a;
            m_name = a->name;
            const auto money = balances().find(a->user);
            m_balance = money != balances().end() ? money->second : m_config.balance;
            m_vars[QStringLiteral("pid")] = a->playerId;
            send(msg::LOGIN_OK, L{a->playerId, a->name, QStringLiteral("cred-%1").arg(a->playerId), true});
            if (const auto kept = keptSeats().find(a->user); kept != keptSeats().end()) {
                m_keptTable = kept->second;
                send(msg::NOTIFY_SEATED, L{kept->second, -1, 0});
                keptSeats().erase(kept);
            }
            if (m_random)
                m_random->loggedIn(a->playerId, a->name);
            m_summaryTimer.start(2000);
            trigger(QStringLiteral("login"));
        }
        break;
    }
    case msg::LOGOUT:
        m_account.reset();
        m_socket->disconnectFromHost();
        break;
    case msg::QUERY_CLIENT_CONFIG:
        send(msg::CLIENT_CONFIG, L{QStringLiteral("localhost:%1").arg(m_config.xmppPort), "conference.localhost",
                                   "lobby@conference.localhost", "search.localhost"});
        break;
    case msg::QUERY_ACCOUNT_BALANCE:
        send(msg::ACCOUNT_BALANCE, L{m_balance});
        break;
    case msg::QUERY_LOBBY_SUMMARY:
        sendLobbySummary(true);
        break;
    case msg::QUERY_WEB_PAGE: {
        const qint32 page = In<msg::QUERY_WEB_PAGE>(f).i32<"page">();
        send(msg::WEB_PAGE, L{page, QStringLiteral("https://{host}/client/page%1.html?lang={locale}").arg(page)});
        break;
    }
    case msg::LOBBY_SUBSCRIBE: {
        const QString path = In<msg::LOBBY_SUBSCRIBE>(f).text<"lobbyPath">();
        if (!m_lobbyPaths.contains(path))
            m_lobbyPaths << path;
        for (const TableInfo &t : m_config.tables) {
            if (t.lobbyPath() == path || t.lobbyPath().startsWith(path + QLatin1Char('/')))
                send(msg::TABLE_INFO, L{wire::fromTableInfo(t)});
        }
        break;
    }
    case msg::JOIN_TABLE: {
        const qint32 id = In<msg::JOIN_TABLE>(f).i32<"tableId">();
        TableInfo *t = findTable(id);
        if (!t) {
            send(msg::JOIN_FAILED, L{id, 1});
        } else if (t->isFull() && id != m_keptTable && !m_tournamentSeats.count(id)
                   && std::find(m_seats.begin(), m_seats.end(), id) == m_seats.end()) {
            send(msg::JOIN_FAILED, L{id, 2});
        } else if (t->value().total() > m_balance && id != m_keptTable) {
            send(msg::JOIN_FAILED, L{id, 4});
        } else {
            joinTable(*t);
        }
        break;
    }
    case msg::LOBBY_UNSUBSCRIBE:
        m_lobbyPaths.removeAll(In<msg::LOBBY_UNSUBSCRIBE>(f).text<"lobbyPath">());
        break;
    case msg::UNWATCH_TABLE: {
        const qint32 id = In<msg::UNWATCH_TABLE>(f).i32<"tableId">();
        if (m_running && id == m_scenarioTable && !scenarioExpects(QStringLiteral("unwatch_table")))
            endScenario();
        send(msg::UNWATCH_OK, L{id});
        break;
    }
    case msg::WATCH_TABLE: {
        TableInfo *t = findTable(In<msg::WATCH_TABLE>(f).i32<"tableId">());
        if (!t) {
            send(msg::WATCH_FAILED, L{In<msg::WATCH_TABLE>(f).i32<"tableId">(), "No such table"});
        } else {
            m_vars[QStringLiteral("table")] = t->id();
            send(msg::WATCH_OK, L{t->id()});
            sendGameData(*t, false);
            trigger(QStringLiteral("watch"), t->id());
        }
        break;
    }
    case msg::LEAVE_TABLE: {
        const qint32 id = In<msg::LEAVE_TABLE>(f).i32<"tableId">();
        // The hand played for the player ends with the player's leave.
        if (m_running && id == m_scenarioTable && !scenarioExpects(QStringLiteral("leave_table")))
            endScenario();
        send(msg::LEAVE_OK, L{id});
        m_seats.erase(std::remove(m_seats.begin(), m_seats.end(), id), m_seats.end());
        botsLeave(id);
        // The lobby learns of the free seat as it learned of the taken one.
        if (TableInfo *t = findTable(id); t && t->seated() > 0) {
            t->setSeated(t->seated() - 1);
            tellSeats(*t);
        }
        break;
    }
    case msg::REACTIVATE_TABLE: {
        // Back from away: the player answers the questions again.
        const qint32 id = In<msg::REACTIVATE_TABLE>(f).i32<"tableId">();
        if (m_away && id == m_scenarioTable) {
            m_away = false;
            m_timeouts = 0;
            m_hand.setOwnActive(true);
            send(msg::ACTIVE_CHANGED, L{id, true});
        }
        break;
    }
    case msg::READY: {
        const In<msg::READY> m(f);
        const qint32 tableId = m.i32<"tableId">();
        send(msg::PLAYER_IS_READY, L{tableId, m.i32<"playerId">()});
        // The bots still seated at the table are ready as soon as the
        // player is, as they were when they sat down.
        if (const auto bots = m_bots.find(tableId); bots != m_bots.end()) {
            for (qint32 bot : bots->second)
                send(msg::PLAYER_IS_READY, L{tableId, bot});
        }
        break;
    }
    case msg::INVITE_PLAYERS: {
        // Every logged-in session of an invitee hears of it, as from the
        // inviter; the inviter hears nothing back.
        const In<msg::INVITE_PLAYERS> m(f);
        if (!m_account)
            break;
        const std::vector<qint32> invitees = wire::toInts(m.value<"invitees">());
        for (PeerSession *other : sessions()) {
            if (other == this || !other->m_account)
                continue;
            if (std::find(invitees.begin(), invitees.end(), other->m_account->playerId) != invitees.end())
                other->send(msg::NOTIFY_INVITED, L{m.i32<"tableId">(), m_account->playerId, 0});
        }
        break;
    }
    case msg::FILTER_JOIN: {
        // A seat at once when a table of that kind is free, as the lobby's
        // quick-join buttons expect; else the waiting list.
        TableInfo *t = quickJoinTable(In<msg::FILTER_JOIN>(f).text<"lobbyPath">());
        if (t && t->value().total() <= m_balance)
            joinTable(*t);
        else
            send(msg::WAITING_LIST, L{m_nextWaitingSeq++});
        break;
    }
    case msg::TOURNAMENTS_LOBBY_SUBSCRIBE: {
        m_tournamentLobby = true;
        for (const TournamentInfo &t : m_config.tournaments)
            send(msg::TOURNAMENT_INFO, L{wire::fromTournamentInfo(t)});
        std::vector<qint32> ids(m_registered.begin(), m_registered.end());
        send(msg::NOTIFY_REGISTERED, L{wire::fromInts(ids)});
        if (m_config.tournamentUpdateMs > 0 && !findChild<PeerTournamentTicker *>())
            new PeerTournamentTicker(this, m_config);
        break;
    }
    case msg::REGISTER_TOURNAMENT:
        m_desk->registerPlayer(In<msg::REGISTER_TOURNAMENT>(f).i32<"tournamentId">());
        break;
    case msg::UNREGISTER_TOURNAMENT:
        m_desk->unregisterPlayer(In<msg::UNREGISTER_TOURNAMENT>(f).i32<"tournamentId">());
        break;
    case msg::TOURNAMENT_ENVELOPE:
        handleTournament(f);
        break;
    case msg::SERVICE_REQUEST:
        handleService(f);
        break;
    default:
        break; // play requests and the rest: only scenarios answer them
    }
}

void PeerSession::handleTournament(const WireValue::List &f)
{
    const In<msg::TOURNAMENT_ENVELOPE> envelope(f);
    const qint32 id = envelope.i32<"tournamentId">();
    switch (envelope.value<"request">().tag()) {
    case tmt_msg::RANKING_LIST_REQUEST: {
        if (const TournamentRankings *played = m_desk->standings(id)) {
            send(msg::TOURNAMENT_ENVELOPE,
                 L{id, WireValue(L{wire::fromTournamentRankings(*played)}, tmt_msg::RANKING_LIST)});
            break;
        }
        TournamentRankings r = {{1001, QStringLiteral("Lucky"), 48, 3, 50000, false},
                                {1002, QStringLiteral("Bamboo"), 31, 2, 0, false},
                                {1003, QStringLiteral("Dragon"), -5, 0, 0, true}};
        // A registered player is on the list from the registration on.
        if (m_registered.count(id))
            r.push_back({qint32(m_vars.value(QStringLiteral("pid"))), m_name, 0, 0, 0, false});
        // The list names as many players as the tournament counts.
        for (const TournamentInfo &t : m_config.tournaments) {
            if (t.id != id)
                continue;
            const qint32 count = std::min(t.registeredPlayers, 256);
            for (qint32 n = qint32(r.size()) + 1; n <= count; ++n)
                r.push_back({3000 + n, QStringLiteral("Player %1").arg(3000 + n), 0, 0, 0, false});
        }
        send(msg::TOURNAMENT_ENVELOPE, L{id, WireValue(L{wire::fromTournamentRankings(r)}, tmt_msg::RANKING_LIST)});
        break;
    }
    case tmt_msg::PRIZE_CONFIGURATION_REQUEST: {
        send(msg::TOURNAMENT_ENVELOPE,
             L{id, WireValue(L{wire::fromPrizeConfiguration(PeerTournamentDesk::prizeConfiguration())},
                             tmt_msg::PRIZE_CONFIGURATION)});
        break;
    }
    default:
        break;
    }
}

void PeerSession::handleService(const WireValue::List &f)
{
    const In<msg::SERVICE_REQUEST> request(f);
    const quint16 service = quint16(request.i64<"service">());
    const qint32 seq = request.i32<"seq">();
    const WireValue &inner = request.value<"request">();
    const WireValue::List &in = inner.toList();
    m_vars[QStringLiteral("seq")] = seq;
    switch (inner.tag()) {
    case svc_msg::QUERY_PLAYER_NAME: {
        const qint32 pid = ServiceIn<svc_msg::QUERY_PLAYER_NAME>(in).i32<"playerId">();
        QString name = QStringLiteral("player%1").arg(pid);
        if (const PeerConfig::Account *a = m_config.findAccount(pid))
            name = a->name;
        else if (m_config.names.count(pid))
            name = m_config.names.at(pid);
        sendService(service, seq, svc_msg::PLAYER_NAME, L{pid, name});
        break;
    }
    case svc_msg::SET_SCREENNAME: {
        const QString &name = ServiceIn<svc_msg::SET_SCREENNAME>(in).text<"screenname">();
        if (name.trimmed().isEmpty()) {
            sendService(service, seq, svc_msg::SET_SCREENNAME_FAILED, L{"The screen name is empty.", true});
        } else {
            m_name = name;
            // The player is known by the new name everywhere.
            for (PeerConfig::Account &a : m_config.accounts)
                if (m_account && a.user == m_account->user)
                    a.name = name;
            m_config.publishNames();
            sendService(service, seq, svc_msg::SET_SCREENNAME_OK, L{});
        }
        break;
    }
    case svc_msg::QUERY_SCREENNAME: {
        const QString name = ServiceIn<svc_msg::QUERY_SCREENNAME>(in).text<"screenname">();
        const PeerConfig::Account *found = nullptr;
        for (const PeerConfig::Account &a : m_config.accounts)
            if (a.name == name)
                found = &a;
        if (found)
            sendService(service, seq, svc_msg::QUERY_SCREENNAME_OK, L{name, found->playerId, true});
        else
            sendService(service, seq, svc_msg::QUERY_SCREENNAME_FAILED, L{"No player with that screen name."});
        break;
    }
    case svc_msg::REGISTER_USER: {
        const ServiceIn<svc_msg::REGISTER_USER> m(in);
        if (m_config.findAccount(m.text<"userName">())) {
            sendService(service, seq, svc_msg::REGISTER_USER_FAILED, L{"The user name is already taken."});
        } else {
            m_config.addAccount(m.text<"userName">() + QLatin1Char(':') + m.text<"password">());
            m_config.publishNames();
            sendService(service, seq, svc_msg::REGISTER_USER_OK, L{true});
        }
        break;
    }
    case svc_msg::CHANGE_PASSWORD:
        if (m_account && m_account->password == ServiceIn<svc_msg::CHANGE_PASSWORD>(in).text<"oldPassword">())
            sendService(service, seq, svc_msg::CHANGE_PASSWORD_OK, L{});
        else
            sendService(service, seq, svc_msg::CHANGE_PASSWORD_FAILED, L{"The old password is wrong."});
        break;
    case svc_msg::LOG_CLIENT_UUID:
        sendService(service, seq, svc_msg::LOG_CLIENT_UUID_OK, L{});
        break;
    case svc_msg::QUERY_TABLE_NAMES: {
        const QString lang = ServiceIn<svc_msg::QUERY_TABLE_NAMES>(in).text<"language">();
        const auto it = m_config.tableNames.find(lang);
        L names;
        if (it != m_config.tableNames.end())
            for (const auto &[id, text] : it->second)
                names.push_back(WireValue(L{id, text}));
        sendService(service, seq, svc_msg::TABLE_NAMES, L{lang, WireValue(std::move(names))});
        break;
    }
    case svc_msg::COMING_EVENTS_REQUEST:
        sendService(service, seq, svc_msg::COMING_EVENTS, m_desk->comingEvents());
        break;
    default:
        sendService(service, seq, svc_msg::SERVICE_FAILED, L{"Unsupported request."});
        break;
    }
}

// ---------------------------------------------------------------- scenario

const QJsonObject *PeerSession::findScenario(const QString &event, qint32 tableId) const
{
    for (const QJsonObject &scenario : m_config.scenarios) {
        if (scenario.value(QStringLiteral("trigger")).toString(QStringLiteral("login")) != event
            || scenario.value(QStringLiteral("steps")).toArray().isEmpty())
            continue;
        const QJsonValue tables = scenario.value(QStringLiteral("tables"));
        if (tables.isArray() && !tables.toArray().contains(QJsonValue(tableId)))
            continue;
        // A hand of one ruleset is played only at tables of that ruleset,
        // a tournament's hand only at tournament tables.
        const QJsonValue rulesets = scenario.value(QStringLiteral("rulesets"));
        const QJsonValue gameTypes = scenario.value(QStringLiteral("game_types"));
        if (rulesets.isArray() || gameTypes.isArray()) {
            const auto table = std::find_if(m_config.tables.begin(), m_config.tables.end(),
                                            [tableId](const TableInfo &t) { return t.id() == tableId; });
            if (table == m_config.tables.end())
                continue;
            if (rulesets.isArray() && !rulesets.toArray().contains(QJsonValue(table->ruleset())))
                continue;
            if (gameTypes.isArray() && !gameTypes.toArray().contains(QJsonValue(table->gameType())))
                continue;
        }
        return &scenario;
    }
    return nullptr;
}

bool PeerSession::startsScenario(const QString &event, qint32 tableId) const
{
    // Sitting down at another table leaves the hand of the last one where it
    // stands: the new table's hand plays.
    const bool tableEvent = event == QLatin1String("join") || event == QLatin1String("watch");
    const bool elsewhere = tableEvent && m_scenarioTable > 0 && tableId != m_scenarioTable;
    // Back at the table whose hand the player walked away from: the hand
    // plays again from its start.
    const bool again = tableEvent && tableId == m_scenarioTable
                       && (m_scenarioEvent == QLatin1String("join") || m_scenarioEvent == QLatin1String("watch"))
                       && !scenarioExpects(event + QStringLiteral("_table"));
    return !m_running || elsewhere || again;
}

void PeerSession::trigger(const QString &event, qint32 tableId)
{
    if (!startsScenario(event, tableId))
        return;
    const QJsonObject *chosen = findScenario(event, tableId);
    if (!chosen)
        return;
    if (m_running) {
        PeerServer::log(QStringLiteral("SCENARIO_LEFT %1").arg(m_scenarioTable));
        m_expectTimer.stop();
        m_expectNames.clear();
        m_reply = QJsonObject();
        m_waiting = false;
        ++m_generation;
    }
    // A new hand: its questions, time-outs and the player's presence are its own.
    m_deadlineTimer.stop();
    m_questionEnd = QDateTime();
    m_timeouts = 0;
    m_away = false;
    m_lateNames.clear();
    m_steps = chosen->value(QStringLiteral("steps")).toArray();
    // The requests the scenario answers itself, from its start on.
    for (const QJsonValue &d : chosen->value(QStringLiteral("disable")).toArray())
        m_disabled.insert(d.toString());
    m_running = true;
    m_scenarioTable = tableId;
    m_scenarioEvent = event;
    const TableInfo *table = findTable(tableId);
    m_hand.start(tableId, table ? table->ruleset() : 0, playerId(), [this](qint32 id) { return playerName(id); });
    m_step = 0;
    PeerServer::log(QStringLiteral("SCENARIO_START ") + event);
    QTimer::singleShot(0, this, &PeerSession::runSteps);
}

ScenarioJson::Variables PeerSession::scenarioVars() const
{
    ScenarioJson::Variables vars = m_vars;
    if (m_scenarioTable > 0)
        vars[QStringLiteral("table")] = m_scenarioTable;
    return vars;
}

void PeerSession::runSteps()
{
    while (m_running && !m_waiting && m_step < m_steps.size()) {
        const QJsonObject step = m_steps.at(m_step).toObject();
        const QString where = QStringLiteral("step %1").arg(m_step + 1);
        ++m_step;
        try {
            if (step.contains(QStringLiteral("send"))) {
                const std::string name = step.value(QStringLiteral("send")).toString().toStdString();
                const Codec::Message *m = Codec::instance().messageByName(name);
                if (!m || m->space != Codec::Frame)
                    throw std::invalid_argument("unknown message " + name);
                QJsonValue json = withPlayerName(step.value(QStringLiteral("fields")), m_name);
                const QString message = QString::fromStdString(m->name);
                if (m_config.questionMs > 0 && (isQuestion(message) || message == QLatin1String("waiting_for"))
                    && json.toObject().value(QStringLiteral("ts")).isObject()) {
                    QJsonObject o = json.toObject();
                    QJsonObject ts = o.value(QStringLiteral("ts")).toObject();
                    ts[QStringLiteral("end")] = QStringLiteral("now+%1").arg(m_config.questionMs);
                    o[QStringLiteral("ts")] = ts;
                    json = o;
                }
                const WireValue::List fields = ScenarioJson::recordToWire(m->body, json, scenarioVars(), where);
                const int repeat = step.value(QStringLiteral("repeat")).toInt(1);
                if (repeat == 1)
                    send(m->id, fields);
                else
                    writeRepeated(FrameReader::frame(Codec::instance().encode(m->id, fields)), repeat);
                m_hand.sent(m->id, fields);
                if (isQuestion(message))
                    questionSent(message, ScenarioJson::recordToJson(m->body, fields).toObject());
                if (m->id == msg::RIICHI_DECLARED && fields.at(0).toInt32() == m_scenarioTable)
                    takeRiichiDeposit(fields.at(1).toInt32());
                if (m->id == msg::END_OF_ROUND)
                    settleRound(fields);
                if (m->id == msg::PLAYER_JOINED || m->id == msg::PLAYER_LEFT)
                    botSeatChanged(m->id, fields);
                if (m->id == msg::END_OF_TOURNAMENT_ROUND)
                    m_desk->roundEnded(fields);
                if (m->id == msg::TOURNAMENT_SEATED)
                    addTournamentSeat(fields.at(1).toInt32());
            } else if (step.value(QStringLiteral("hold")).toBool() && m_config.skipHolds) {
                continue;
            } else if (step.contains(QStringLiteral("next_round"))) {
                const ScenarioJson::Variables vars = scenarioVars();
                if (!vars.contains(QStringLiteral("tournament")))
                    throw std::invalid_argument("next_round away from a tournament table");
                m_desk->nextRound(qint32(vars.value(QStringLiteral("tournament"))),
                                  qint32(vars.value(QStringLiteral("table"))));
            } else if (step.contains(QStringLiteral("expect"))) {
                const QJsonValue names = step.value(QStringLiteral("expect"));
                m_expectNames.clear();
                if (names.isArray()) {
                    for (const QJsonValue &n : names.toArray())
                        m_expectNames << n.toString();
                } else {
                    m_expectNames << names.toString();
                }
                m_expectNames.removeAll(QString());
                if (m_expectNames.isEmpty())
                    throw std::invalid_argument("expect names no request");
                m_reply = step.value(QStringLiteral("reply")).toObject();
                m_expectFields = ScenarioJson::substitute(step.value(QStringLiteral("fields")), scenarioVars());
                m_capture = step.value(QStringLiteral("capture")).toObject();
                m_waiting = true;
                m_expectTimer.start(step.value(QStringLiteral("timeout_ms")).toInt(5000));
                // A question with its deadline: answered for the player when
                // it runs out, at once for a player who is away.
                m_onDeadline = step.value(QStringLiteral("on_deadline")).toString();
                if (!m_onDeadline.isEmpty() && m_questionEnd.isValid()) {
                    const qint64 left = QDateTime::currentDateTimeUtc().msecsTo(m_questionEnd);
                    m_deadlineTimer.start(int(std::clamp<qint64>(m_away ? AwayAnswerMs : left, 0, 3600000)));
                }
            } else if (step.contains(QStringLiteral("wait_ms"))) {
                m_waiting = true;
                QTimer::singleShot(step.value(QStringLiteral("wait_ms")).toInt(), this,
                                   [this, generation = m_generation] {
                    if (generation != m_generation)
                        return; // the scenario was left meanwhile
                    m_waiting = false;
                    runSteps();
                });
            } else if (step.contains(QStringLiteral("raw"))) {
                writeRepeated(QByteArray::fromHex(step.value(QStringLiteral("raw")).toString().toLatin1()),
                              step.value(QStringLiteral("repeat")).toInt(1));
            } else if (step.contains(QStringLiteral("stop_reading"))) {
                // The client's writes now pile up: the kernel's buffers fill
                // and stay full.
                disconnect(m_socket, &QSslSocket::readyRead, this, &PeerSession::onReadyRead);
                m_socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
                m_socket->setReadBufferSize(1);
            } else if (step.contains(QStringLiteral("close"))) {
                m_socket->disconnectFromHost();
            } else {
                throw std::invalid_argument(
                    "step without send, expect, wait_ms, raw, stop_reading, next_round or close");
            }
        } catch (const std::exception &e) {
            scenarioFailed(where + QStringLiteral(": ") + QString::fromUtf8(e.what()));
            return;
        }
    }
    if (m_running && !m_waiting && m_step >= m_steps.size()) {
        m_running = false;
        PeerServer::log(QStringLiteral("SCENARIO_DONE"));
    }
}

void PeerSession::takeRiichiDeposit(qint32 playerId)
{
    if (!m_hand.inHand())
        return;
    m_hand.takePoints(playerId, RiichiDeposit);
    send(msg::GAME_DATA, m_hand.gameData());
    if (const std::optional<WireValue::List> own = m_hand.privateData())
        send(msg::PRIVATE_PLAYER_DATA, *own);
}

void PeerSession::checkExpect(const QString &name, const QJsonValue &fields, bool byPeer)
{
    if (!m_waiting || !m_expectNames.contains(name))
        return;
    if (!m_expectFields.isUndefined() && !m_expectFields.isNull() && !ScenarioJson::matches(m_expectFields, fields))
        return;
    m_deadlineTimer.stop();
    // The player answered: the time-outs so far are forgiven.
    if (!byPeer)
        m_timeouts = 0;
    for (auto it = m_capture.begin(); it != m_capture.end(); ++it) {
        const QJsonValue v = fields.toObject().value(it.key());
        if (v.isDouble())
            m_vars[it.value().toString()] = qint64(v.toDouble());
    }
    m_expectTimer.stop();
    m_expectNames.clear();
    // The answer to this request plays next.
    const QJsonValue reply = m_reply.value(name);
    const QJsonArray replySteps = reply.isArray() ? reply.toArray() : QJsonArray{reply};
    for (qsizetype i = replySteps.size() - 1; i >= 0; --i) {
        if (replySteps.at(i).isObject())
            m_steps.insert(m_step, replySteps.at(i));
    }
    m_reply = QJsonObject();
    m_waiting = false;
    QTimer::singleShot(0, this, &PeerSession::runSteps);
}

void PeerSession::questionSent(const QString &name, const QJsonObject &fields)
{
    // A turn of another player asks the player nothing.
    if (name == QLatin1String("player_should_act")
        && fields.value(QStringLiteral("playerId")).toInteger() != playerId())
        return;
    const QString end = fields.value(QStringLiteral("ts")).toObject().value(QStringLiteral("end")).toString();
    m_questionEnd = QDateTime::fromString(end, Qt::ISODateWithMs);
    // A new question: an answer now is this one's, not a late one.
    m_lateNames.clear();
}

void PeerSession::onDeadline()
{
    if (!m_running || !m_waiting || m_onDeadline.isEmpty() || !m_expectNames.contains(m_onDeadline))
        return;
    const qint32 table = m_scenarioTable;
    QJsonObject answer{{QStringLiteral("tableId"), table}, {QStringLiteral("playerId"), playerId()}};
    if (m_onDeadline == QLatin1String("discard_tile"))
        answer[QStringLiteral("tile")] = int(m_hand.timeoutDiscard());
    PeerServer::log(QStringLiteral("TIMEOUT ") + m_onDeadline);
    // Ready is not a decision of the hand: the table goes on without a word.
    if (m_onDeadline != QLatin1String("ready"))
        send(msg::TIMEOUT_OCCURRED, L{table});
    if (++m_timeouts >= 2 && !m_away) {
        m_away = true;
        m_hand.setOwnActive(false);
        send(msg::ACTIVE_CHANGED, L{table, false});
    }
    m_lateNames = m_expectNames;
    checkExpect(m_onDeadline, answer, true);
}

void PeerSession::onExpectTimeout()
{
    scenarioFailed(QStringLiteral("step %1: no %2 arrived").arg(m_step).arg(m_expectNames.join(QLatin1Char('/'))));
}

void PeerSession::scenarioFailed(const QString &reason)
{
    m_deadlineTimer.stop();
    m_running = false;
    m_waiting = false;
    m_expectNames.clear();
    m_reply = QJsonObject();
    PeerServer::log(QStringLiteral("SCENARIO_FAILED ") + reason);
}
