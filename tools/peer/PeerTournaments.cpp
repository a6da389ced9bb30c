#include "tools/peer/PeerTournaments.h"

#include "tools/peer/PeerConfig.h"

namespace {
TournamentInfo tournament(qint32 id, const char *name, TournamentInfo::status_t status, int ruleset, qint32 bet,
                          qint32 fee, int registered, int maximum, qint64 startInSecs, std::vector<int> rounds)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    TournamentInfo t;
    t.id = id;
    t.persistentId = id * 10;
    t.status = status;
    t.name = QString::fromUtf8(name);
    t.ruleset = ruleset;
    t.cost = TournamentCost(bet, fee);
    t.registeredPlayers = registered;
    t.maxPlayers = maximum;
    t.start = now.addSecs(startInSecs);
    t.closeRegister = t.start.addSecs(-300);
    t.numberOfRounds = int(rounds.size());
    QDateTime roundStart = t.start;
    for (int length : rounds) {
        t.roundsStart.push_back(roundStart);
        roundStart = roundStart.addSecs(length + 300);
    }
    t.roundsLength = std::move(rounds);
    return t;
}
} // namespace

void addDemoTournaments(PeerConfig &config)
{
    config.tournamentUpdateMs = 1500;
    std::vector<TournamentInfo> &t = config.tournaments;
    TournamentInfo freeroll = tournament(9, "Monday Riichi Freeroll", TournamentInfo::Open, 2, 0, 0, 40, 100, 7200,
                                         {1200, 1200, 1200, 1200});
    freeroll.additionalPayoutAmount = 10000;
    t.push_back(freeroll);
    t.push_back(tournament(10, "MCR Weekly", TournamentInfo::Closed, 1, 500, 50, 64, 64, 1200, {1800, 1800}));
    t.push_back(tournament(11, "Classic Sprint", TournamentInfo::Seating, 0, 200, 20, 32, 32, 60, {900, 900}));
    t.push_back(
        tournament(12, "High Roller Riichi", TournamentInfo::Paused, 2, 10000, 500, 18, 24, -3600, {1800, 2400, 3600}));
    t.push_back(tournament(13, "Saturday Classic", TournamentInfo::Done, 0, 1000, 100, 50, 64, -86400, {1500, 1500}));
    t.push_back(tournament(14, "Night Owl MCR", TournamentInfo::Cancelled, 1, -1, 0, 2, 16, -10800, {1200}));
    // Not scheduled yet: five rounds, no lengths known.
    TournamentInfo special = tournament(15, "New Year Special", TournamentInfo::Open, 0, 2500, 250, 3, 256, 30 * 86400,
                                        {});
    special.numberOfRounds = 5;
    t.push_back(special);
    // Refusals: a full one, one over the balance, one for members only.
    t.push_back(tournament(16, "Full House Cup", TournamentInfo::Open, 0, 300, 30, 8, 8, 5400, {1200, 1200}));
    t.push_back(
        tournament(17, "Grand Prix Riichi", TournamentInfo::Open, 2, 250000, 10000, 5, 32, 86400, {3600, 3600, 3600}));
    t.push_back(tournament(18, "Members Only MCR", TournamentInfo::Open, 1, 1000, 100, 4, 32, 10800, {1800}));
    config.registerRefusals[18] = 4;
    // Starts soon: a registration is seated within a few minutes. As it
    // starts another opens (PeerTournamentClock), and so on.
    TournamentInfo sprint = tournament(19, "Coffee Break Sprint", TournamentInfo::Open, 0, 100, 10, 10, 32,
                                       config.shortTournamentSecs, {600, 600});
    sprint.closeRegister = sprint.start;
    t.push_back(sprint);
    config.shortTournamentId = sprint.id;
    config.maintenanceAt = QDateTime::currentDateTimeUtc().addSecs(4 * 3600);
}

void addDemoLobby(PeerConfig &config)
{
    for (TableInfo &t : config.tables) {
        if (t.lobbyPath() == QLatin1String("101/Money"))
            t.setLobbyPath(QStringLiteral("101/Practice/Money"));
        // The demo's hands seat the player alone and bring their own bots:
        // until a player sits down, nobody sits at a table with a free seat.
        if (!t.isFull() && t.gameType() != TableInfo::TOURNAMENT)
            t.setSeated(0);
    }
}
