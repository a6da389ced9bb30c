#include "tools/peer/PeerSession.h"

#include "protocol/Codec.h"
#include "protocol/MessageFields.h"
#include "protocol/MessageIds.h"
#include "protocol/MonetaryRoundScore.h"
#include "protocol/WireConversions.h"
#include "tools/peer/PeerRandomTable.h"
#include "tools/peer/PeerServer.h"
#include "tools/peer/PeerScenarioRun.h"
#include "tools/peer/PeerTournamentDesk.h"
#include "tools/peer/PeerTournamentHall.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSslSocket>

#include <algorithm>
#include <functional>

namespace {
typedef WireValue::List L;

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

int &sessionCount()
{
    static int count = 0;
    return count;
}
} // namespace

PeerSession::PeerSession(QSslSocket *socket, PeerConfig &config, bool verbose, bool tls, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_config(config)
    , m_verbose(verbose)
    , m_number(++sessionCount())
    , m_desk(new PeerTournamentDesk(this, config, m_registered))
    , m_balance(config.balance)
{
    // The bots of a tournament table unless the hall seats others.
    m_vars[QStringLiteral("south")] = 901;
    m_vars[QStringLiteral("west")] = 902;
    m_vars[QStringLiteral("north")] = 903;
    // The lobby's figures follow the tables as they fill and empty.
    connect(&m_summaryTimer, &QTimer::timeout, this, [this] { sendLobbySummary(false); });
    connect(socket, &QSslSocket::readyRead, this, &PeerSession::onReadyRead);
    connect(socket, &QSslSocket::disconnected, this, &PeerSession::onDisconnected);
    connect(socket, &QSslSocket::encrypted, this, &PeerSession::onReady);
    connect(socket, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
        for (const QSslError &e : errors)
            log(QStringLiteral("TLS_ERROR ") + e.errorString());
    });
    connect(socket, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (m_verbose)
            log(QStringLiteral("SOCKET_ERROR ") + m_socket->errorString());
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
    // The scenarios end with the connection; the tournaments go on without it.
    for (PeerScenarioRun *run : m_runs)
        disconnect(run, nullptr, this, nullptr);
    if (PeerTournamentHall *hall = PeerTournamentHall::instance())
        hall->sessionGone(this);
}

const QList<PeerSession *> &PeerSession::all()
{
    return sessions();
}

void PeerSession::log(const QString &line) const
{
    // Two players of one run are told apart by their session's number and name.
    const QString who = m_account
                            ? QStringLiteral(" [session %1, %2 %3]").arg(m_number).arg(m_account->user).arg(playerId())
                            : QStringLiteral(" [session %1]").arg(m_number);
    PeerServer::log(line + who);
}

QString PeerSession::userName() const
{
    return m_account ? m_account->user : QString();
}

void PeerSession::creditAccount(const QString &user, qint64 cents)
{
    for (PeerSession *s : sessions()) {
        if (s->m_account && s->m_account->user == user) {
            s->changeBalance(cents);
            return;
        }
    }
    if (!user.isEmpty())
        balances()[user] += cents;
}

void PeerSession::onReady()
{
    if (m_started)
        return;
    m_started = true;
    log(QStringLiteral("CONNECTED %1").arg(m_socket->isEncrypted() ? "tls" : "plain"));
    trigger(QStringLiteral("connect"));
}

void PeerSession::onDisconnected()
{
    if (m_account && !m_seats.empty())
        keptSeats()[m_account->user] = m_seats.back();
    // Nobody watches any more: the watched hands' players go.
    while (!m_watched.empty())
        watchEnds(m_watched.begin()->first);
    log(QStringLiteral("DISCONNECTED"));
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
        log(QStringLiteral("SENT ") + QString::fromStdString(Codec::instance().message(Codec::Frame, classId)->name));
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

void PeerSession::tableGone(const TableInfo &t)
{
    for (PeerSession *s : sessions()) {
        const bool seated = std::find(s->m_seats.begin(), s->m_seats.end(), t.id()) != s->m_seats.end();
        if (s->m_account && (seated || s->subscribed(t)))
            s->send(msg::TABLE_REMOVED, L{t.id()});
        s->m_seats.erase(std::remove(s->m_seats.begin(), s->m_seats.end(), t.id()), s->m_seats.end());
        s->m_tournamentSeats.erase(t.id());
        s->m_bots.erase(t.id());
    }
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

void PeerSession::tellTournamentNews(qint32 tournamentId, quint8 classId, const WireValue::List &fields)
{
    for (PeerSession *s : sessions())
        if (s->m_tournamentLobby || s->isRegistered(tournamentId))
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
                log(QStringLiteral("RECV ") + name + QLatin1Char(' ') + compact(masked(json)));
            const bool random = m_random && json.isObject()
                                && m_random->takes(name, json.toObject(), qint32(m_vars.value(QStringLiteral("pid"))),
                                                   m_name);
            if (!random && enabled(m->name.c_str()))
                handle(body[0], fields);
            deliver(name, json);
        }
    } catch (const std::exception &e) {
        log(QStringLiteral("BAD_CLIENT_DATA ") + QString::fromUtf8(e.what()));
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
        if (PeerTournamentHall *hall = PeerTournamentHall::instance()) {
            // The bots of the player's own tables in the tournament.
            const std::array<qint32, 3> bots = hall->bots(t.tournamentId(), this);
            m_vars[QStringLiteral("south")] = bots[0];
            m_vars[QStringLiteral("west")] = bots[1];
            m_vars[QStringLiteral("north")] = bots[2];
            hall->tableJoined(t.tournamentId());
        }
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
    // A scenario already at the table takes the join itself.
    const PeerScenarioRun *current = runAt(t.id());
    const QJsonObject *scenario = current && current->expects(QStringLiteral("join_table"))
                                      ? nullptr
                                      : findScenario(QStringLiteral("join"), t.id());
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
        // Every bot that sits down is readied with the player (READY),
        // whatever the lobby's count says.
        if (!bots.insert(pid).second || t->seated() >= t->capacity())
            return;
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

void PeerSession::watchedHandSeated(const WireValue::List &gameData)
{
    const auto watched = m_watched.find(gameData.at(0).toInt32());
    TableInfo *t = findTable(gameData.at(0).toInt32());
    if (watched == m_watched.end() || !t || std::find(m_seats.begin(), m_seats.end(), t->id()) != m_seats.end())
        return;
    if (watched->second < 0)
        watched->second = t->seated();
    const int players = std::min(int(gameData.at(3).size()), t->capacity());
    if (players == t->seated())
        return;
    t->setSeated(std::max(players, watched->second));
    tellSeats(*t);
}

void PeerSession::watchEnds(qint32 tableId)
{
    const auto watched = m_watched.find(tableId);
    if (watched == m_watched.end())
        return;
    const int before = watched->second;
    m_watched.erase(watched);
    TableInfo *t = findTable(tableId);
    if (!t || before < 0 || t->seated() == before)
        return;
    t->setSeated(before);
    tellSeats(*t);
}

PeerScenarioRun *PeerSession::runAt(qint32 tableId) const
{
    for (PeerScenarioRun *run : m_runs)
        if (run->table() == tableId)
            return run;
    return nullptr;
}

void PeerSession::leaveScenario(qint32 tableId, const QString &request)
{
    if (PeerScenarioRun *run = runAt(tableId); run && !run->expects(request))
        run->leave();
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
        // The watched hand's players make room: a join deals its own.
        watchEnds(id);
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
        leaveScenario(id, QStringLiteral("unwatch_table"));
        send(msg::UNWATCH_OK, L{id});
        watchEnds(id);
        break;
    }
    case msg::WATCH_TABLE: {
        TableInfo *t = findTable(In<msg::WATCH_TABLE>(f).i32<"tableId">());
        if (!t) {
            send(msg::WATCH_FAILED, L{In<msg::WATCH_TABLE>(f).i32<"tableId">(), "No such table"});
        } else {
            m_vars[QStringLiteral("table")] = t->id();
            m_watched.try_emplace(t->id(), -1);
            send(msg::WATCH_OK, L{t->id()});
            sendGameData(*t, false);
            trigger(QStringLiteral("watch"), t->id());
        }
        break;
    }
    case msg::LEAVE_TABLE: {
        const qint32 id = In<msg::LEAVE_TABLE>(f).i32<"tableId">();
        // The hand played for the player ends with the player's leave.
        leaveScenario(id, QStringLiteral("leave_table"));
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
        if (PeerScenarioRun *run = runAt(id))
            run->reactivate();
        break;
    }
    case msg::READY: {
        const In<msg::READY> m(f);
        const qint32 tableId = m.i32<"tableId">();
        // The bots still seated at the table wait for no one: they are
        // ready by the time the player's ready is answered, as they were
        // when they sat down.
        if (const auto bots = m_bots.find(tableId); bots != m_bots.end()) {
            for (qint32 bot : bots->second)
                send(msg::PLAYER_IS_READY, L{tableId, bot});
        }
        send(msg::PLAYER_IS_READY, L{tableId, m.i32<"playerId">()});
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
        const PeerTournamentHall *hall = PeerTournamentHall::instance();
        if (const TournamentRankings *played = hall ? hall->standings(id) : nullptr) {
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
             L{id, WireValue(L{wire::fromPrizeConfiguration(PeerTournamentHall::prizeConfiguration())},
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
        // a tournament's hand only at tournament tables, and a hand for so
        // many players only at tables of that many seats: four unless it
        // says otherwise, when it is one of a kind of table.
        const QJsonValue rulesets = scenario.value(QStringLiteral("rulesets"));
        const QJsonValue gameTypes = scenario.value(QStringLiteral("game_types"));
        QJsonValue seats = scenario.value(QStringLiteral("seats"));
        if (!seats.isArray() && (rulesets.isArray() || gameTypes.isArray()))
            seats = QJsonArray{4};
        if (rulesets.isArray() || gameTypes.isArray() || seats.isArray()) {
            const auto table = std::find_if(m_config.tables.begin(), m_config.tables.end(),
                                            [tableId](const TableInfo &t) { return t.id() == tableId; });
            if (table == m_config.tables.end())
                continue;
            if (rulesets.isArray() && !rulesets.toArray().contains(QJsonValue(table->ruleset())))
                continue;
            if (gameTypes.isArray() && !gameTypes.toArray().contains(QJsonValue(table->gameType())))
                continue;
            if (seats.isArray() && !seats.toArray().contains(QJsonValue(table->capacity())))
                continue;
        }
        return &scenario;
    }
    return nullptr;
}

QMap<QString, QString> PeerSession::scenarioTexts() const
{
    return {{QStringLiteral("$name"), m_name},
            {QStringLiteral("$southName"), playerName(qint32(m_vars.value(QStringLiteral("south"))))},
            {QStringLiteral("$westName"), playerName(qint32(m_vars.value(QStringLiteral("west"))))},
            {QStringLiteral("$northName"), playerName(qint32(m_vars.value(QStringLiteral("north"))))}};
}

void PeerSession::trigger(const QString &event, qint32 tableId)
{
    const bool tableEvent = event == QLatin1String("join") || event == QLatin1String("watch");
    if (!tableEvent)
        tableId = -1;
    PeerScenarioRun *current = runAt(tableId);
    // The session's own scenario plays once at a time; a table's scenario
    // that waits for this join or watch takes it itself.
    if (current && (!tableEvent || current->expects(event + QStringLiteral("_table"))))
        return;
    const QJsonObject *chosen = findScenario(event, tableId);
    if (!chosen)
        return;
    // Back at a table whose hand went on without the player: the hand plays
    // again from its start. Every other table's hand plays on.
    if (current)
        current->leave();
    for (const QJsonValue &d : chosen->value(QStringLiteral("disable")).toArray())
        m_disabled.insert(d.toString());
    // What the table was when the scenario started stays its own, whatever
    // the player joins or watches meanwhile.
    ScenarioJson::Variables tableVars;
    if (tableEvent) {
        for (const char *name :
             {"table", "stakeWon", "stakeLost", "tournament", "round", "lastRound", "south", "west", "north"}) {
            const QString key = QLatin1String(name);
            if (m_vars.contains(key))
                tableVars[key] = m_vars.value(key);
        }
        tableVars[QStringLiteral("table")] = tableId;
    }
    auto *run = new PeerScenarioRun(*this, *chosen, event, tableId, tableVars, scenarioTexts());
    m_runs.push_back(run);
    connect(run, &PeerScenarioRun::finished, this, [this, run] {
        m_runs.erase(std::remove(m_runs.begin(), m_runs.end(), run), m_runs.end());
        run->deleteLater();
    });
    run->start();
}

void PeerSession::deliver(const QString &name, const QJsonValue &fields)
{
    const QJsonValue table = fields.toObject().value(QStringLiteral("tableId"));
    // A copy: an answer may end a scenario, or start one.
    const std::vector<QPointer<PeerScenarioRun>> runs(m_runs.begin(), m_runs.end());
    for (const QPointer<PeerScenarioRun> &run : runs) {
        if (run && (!table.isDouble() || run->table() < 0 || run->table() == table.toInt()))
            run->received(name, fields);
    }
}

void PeerSession::scenarioSent(quint8 classId, const WireValue::List &fields)
{
    if (classId == msg::END_OF_ROUND)
        settleRound(fields);
    if (classId == msg::PLAYER_JOINED || classId == msg::PLAYER_LEFT)
        botSeatChanged(classId, fields);
    if (classId == msg::GAME_DATA)
        watchedHandSeated(fields);
    if (classId == msg::END_OF_TOURNAMENT_ROUND)
        if (PeerTournamentHall *hall = PeerTournamentHall::instance())
            hall->roundEnded(this, fields);
    if (classId == msg::TOURNAMENT_SEATED)
        addTournamentSeat(fields.at(1).toInt32());
}

void PeerSession::nextRound(qint32 tournamentId, qint32 fromTable)
{
    if (PeerTournamentHall *hall = PeerTournamentHall::instance())
        hall->nextRound(this, tournamentId, fromTable);
}

void PeerSession::stopReading()
{
    // The client's writes now pile up: the kernel's buffers fill and stay full.
    disconnect(m_socket, &QSslSocket::readyRead, this, &PeerSession::onReadyRead);
    m_socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    m_socket->setReadBufferSize(1);
}

void PeerSession::closeConnection()
{
    m_socket->disconnectFromHost();
}
