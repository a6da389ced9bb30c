#include "tools/peer/PeerHandRecord.h"

#include "game/EndHandScoring.h"
#include "game/RulesetInfo.h"
#include "protocol/MessageIds.h"
#include "protocol/PrivatePlayerData.h"
#include "protocol/Seating.h"
#include "protocol/WireConversions.h"
#include "protocol/round_score_t.h"

#include <algorithm>

void PeerHandRecord::start(qint32 tableId, int ruleset, qint32 ownId, NameOf nameOf)
{
    *this = PeerHandRecord();
    m_tableId = tableId;
    m_ruleset = ruleset;
    m_ownId = ownId;
    m_nameOf = std::move(nameOf);
}

PlayerData *PeerHandRecord::find(qint32 id)
{
    const auto it = std::find_if(m_players.begin(), m_players.end(),
                                 [id](const PlayerData &p) { return p.id() == id; });
    return it == m_players.end() ? nullptr : &*it;
}

const PlayerData *PeerHandRecord::find(qint32 id) const
{
    return const_cast<PeerHandRecord *>(this)->find(id);
}

tile PeerHandRecord::timeoutDiscard() const
{
    const PlayerData *own = find(m_ownId);
    if (!own)
        return tile(255);
    if (!own->drawnTiles().empty() && own->drawnTiles().size() < 13)
        return own->drawnTiles().back();
    return own->hand().empty() ? tile(255) : own->hand().back();
}

void PeerHandRecord::setOwnActive(bool active)
{
    if (PlayerData *own = find(m_ownId))
        own->setActive(active);
}

bool PeerHandRecord::ownHandHolds(const tile_vector &tiles) const
{
    const PlayerData *own = find(m_ownId);
    if (!own)
        return false;
    tile_vector hand = own->hand();
    for (tile t : tiles) {
        const auto it = std::find(hand.begin(), hand.end(), t);
        if (it == hand.end())
            return false;
        hand.erase(it);
    }
    return true;
}

void PeerHandRecord::takePoints(qint32 playerId, qint32 points)
{
    if (PlayerData *p = find(playerId))
        p->setPoints(p->points() - points);
}

void PeerHandRecord::updateWall(qint32 count, bool fromDeadWall)
{
    updateWallCounts(m_ruleset, count, fromDeadWall, m_wall.liveTiles, m_wall.deadWallTiles, m_wall.deadWallTilesDealt);
}

void PeerHandRecord::removeFromHand(PlayerData &p, tile t, int copies)
{
    tile_vector hand = p.hand();
    for (int i = 0; i < copies; ++i) {
        const auto it = std::find(hand.begin(), hand.end(), t);
        if (it != hand.end())
            hand.erase(it);
    }
    p.setHand(hand);
}

void PeerHandRecord::sent(quint8 classId, const WireValue::List &f)
{
    if (f.empty() || !f.at(0).isInt() || f.at(0).toInt32() != m_tableId)
        return;
    const auto tileAt = [&f](size_t i) { return tile(f.at(i).toInt32()); };
    switch (classId) {
    case msg::GAME_DATA: {
        m_handId = f.at(1).toInt();
        const qint32 state = f.at(2).toInt32();
        m_inHand = state >= 1 && state <= 5;
        m_players = wire::toPlayers(f.at(3));
        m_tableState = wire::toTableState(f.at(4));
        m_wall = wire::toWallState(f.at(5));
        m_claimed = false;
        break;
    }
    case msg::PLAYER_JOINED: {
        const PlayerData p = wire::toPlayerData(f.at(1));
        if (PlayerData *known = find(p.id()))
            *known = p;
        else
            m_players.push_back(p);
        break;
    }
    case msg::PLAYER_LEFT:
        if (!m_inHand) {
            const qint32 id = f.at(1).toInt32();
            m_players.erase(
                std::remove_if(m_players.begin(), m_players.end(), [id](const PlayerData &p) { return p.id() == id; }),
                m_players.end());
        }
        break;
    case msg::START_HAND: {
        m_inHand = true;
        m_handId = f.at(1).toInt();
        const Seating seating = wire::toSeating(f.at(2));
        m_tableState = wire::toTableState(f.at(5));
        m_tableState.lastDiscarder = -1;
        const WallState wall = wire::toWallState(f.at(6));
        // The hand starts from a whole wall, as the client counts it.
        m_wall = WallState();
        m_wall.deadWallPosition = wall.deadWallPosition;
        m_wall.doraIndicators = wall.doraIndicators;
        m_wall.liveTiles = rulesetInfo(m_ruleset).liveWall();
        m_wall.deadWallTiles = rulesetInfo(m_ruleset).deadWall();
        m_claimed = false;
        for (PlayerData &p : m_players)
            p.resetForHand();
        for (int wind = 0; wind < 4; ++wind) {
            const qint32 id = seating.players[size_t(wind)];
            if (id < 0)
                continue;
            PlayerData *p = find(id);
            if (!p) {
                m_players.push_back(PlayerData(id, m_nameOf ? m_nameOf(id) : QString()));
                p = &m_players.back();
            }
            p->setWind(wind);
            p->setReady(true);
        }
        for (const round_score_t &score : wire::toRoundScores(f.at(3))) {
            if (PlayerData *p = find(score.playerId)) {
                p->setPoints(score.points);
                p->setWins(score.wins);
            }
        }
        break;
    }
    case msg::PRIVATE_PLAYER_DATA:
        if (PlayerData *own = find(m_ownId)) {
            const PrivatePlayerData data = wire::toPrivatePlayerData(f.at(1));
            own->setHand(data.tiles);
            own->setActive(data.active);
            own->setFuriten(data.furiten);
        }
        break;
    case msg::TILES_FROM_WALL: {
        const tile_vector tiles = wire::toTiles(f.at(1));
        if (PlayerData *own = find(m_ownId))
            own->addDrawnTiles(tiles);
        updateWall(qint32(tiles.size()), f.at(2).toBool());
        break;
    }
    case msg::HIDDEN_TILES_FROM_WALL: {
        const qint32 id = f.at(1).toInt32();
        PlayerData *p = find(id);
        if (id == m_ownId || !p)
            break;
        p->setHiddenTiles(p->hiddenTiles() + f.at(2).toInt32());
        updateWall(f.at(2).toInt32(), f.at(3).toBool());
        break;
    }
    case msg::TILE_DISCARDED:
    case msg::RIICHI_DECLARED: {
        const qint32 id = f.at(1).toInt32();
        PlayerData *p = find(id);
        if (!p)
            break;
        p->addDiscard(tileAt(2), classId == msg::RIICHI_DECLARED);
        if (id == m_ownId)
            removeFromHand(*p, tileAt(2));
        else
            p->setHiddenTiles(p->hiddenTiles() - 1);
        m_tableState.lastDiscarder = id;
        m_claimed = false;
        break;
    }
    case msg::TILE_CLAIMED: {
        PlayerData *from = find(m_tableState.lastDiscarder);
        PlayerData *to = find(f.at(1).toInt32());
        tile t = 0;
        if (!from || !to || !from->takeLastDiscard(t))
            break;
        if (to->id() == m_ownId) {
            tile_vector hand = to->hand();
            hand.push_back(t);
            to->setHand(hand);
        } else {
            to->setHiddenTiles(to->hiddenTiles() + 1);
        }
        m_claimed = true;
        m_claimedFrom = from->id();
        m_claimedTile = t;
        m_tableState.lastDiscarder = -1;
        break;
    }
    case msg::MELD_DECLARED: {
        PlayerData *p = find(f.at(1).toInt32());
        if (!p)
            break;
        meld_tuple m = wire::toMeld(f.at(2));
        m.claimedFrom = -1;
        if (m_claimed) {
            m.claimedFrom = m_claimedFrom;
            m.claimedOffset = qint8(m_claimedTile - m.firstTile);
            m_claimed = false;
        }
        if (m.meldType == 4) {
            meld_vector melds = p->melds();
            const auto pong = std::find_if(melds.begin(), melds.end(), [&m](const meld_tuple &old) {
                return old.meldType == 2 && old.firstTile == m.firstTile;
            });
            if (pong != melds.end())
                pong->meldType = 8;
            p->setMelds(melds);
        } else {
            p->addMeld(m.meldType, m.visibility, m.firstTile, m.claimedFrom, m.claimedOffset);
        }
        const int leaving = m.meldType == 1 || m.meldType == 2 ? 3 : m.meldType == 4 ? 1 : m.meldType == 8 ? 4 : 0;
        if (p->id() != m_ownId) {
            p->setHiddenTiles(p->hiddenTiles() - leaving);
        } else if (m.meldType == 1) {
            for (int k = 0; k < 3; ++k)
                removeFromHand(*p, tile(m.firstTile + k));
        } else {
            removeFromHand(*p, m.firstTile, leaving);
        }
        break;
    }
    case msg::KAN_DORA:
        m_wall.doraIndicators.push_back(tileAt(1));
        break;
    case msg::DECLARE_BONUS: {
        PlayerData *p = find(f.at(1).toInt32());
        if (!p)
            break;
        const tile_vector tiles = wire::toTiles(f.at(2));
        tile_vector bonus = p->bonusTiles();
        bonus.insert(bonus.end(), tiles.begin(), tiles.end());
        p->setBonusTiles(bonus);
        if (p->id() != m_ownId)
            p->setHiddenTiles(p->hiddenTiles() - qint32(tiles.size()));
        else
            for (tile t : tiles)
                removeFromHand(*p, t);
        break;
    }
    case msg::HAND_END_SCORING:
        m_inHand = false;
        for (const auto &[id, score] : wire::toEndHandScoring(f.at(1)).players)
            if (PlayerData *p = find(id))
                p->setPoints(score.currentScore);
        break;
    case msg::HAND_END_NON_SCORING:
        m_inHand = false;
        break;
    case msg::FURITEN_CHANGED:
        if (PlayerData *own = find(m_ownId))
            own->setFuriten(f.at(1).toBool());
        break;
    case msg::ACTIVE_CHANGED:
        if (PlayerData *own = find(m_ownId))
            own->setActive(f.at(1).toBool());
        break;
    default:
        break;
    }
}

WireValue::List PeerHandRecord::gameData() const
{
    std::vector<PlayerData> players = m_players;
    std::stable_sort(players.begin(), players.end(),
                     [](const PlayerData &a, const PlayerData &b) { return a.wind() < b.wind(); });
    std::vector<WireValue> wirePlayers;
    for (PlayerData p : players) {
        // The player's own count is the tiles in the hand.
        p.setHiddenTiles(std::clamp<qint32>(p.id() == m_ownId ? qint32(p.hand().size()) : p.hiddenTiles(), 0, 64));
        wirePlayers.push_back(wire::fromPlayerData(p));
    }
    // A hand in play whose last discard is on the table.
    return WireValue::List{m_tableId,
                           m_handId,
                           4,
                           WireValue(std::move(wirePlayers)),
                           wire::fromTableState(m_tableState),
                           wire::fromWallState(m_wall)};
}

std::optional<WireValue::List> PeerHandRecord::privateData() const
{
    for (const PlayerData &p : m_players) {
        if (p.id() == m_ownId)
            return WireValue::List{m_tableId,
                                   WireValue(WireValue::List{wire::fromTiles(p.hand()), p.isActive(), p.isFuriten()})};
    }
    return std::nullopt;
}
