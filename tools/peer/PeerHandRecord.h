#pragma once

#include "game/PlayerData.h"
#include "protocol/TableState.h"
#include "protocol/WallState.h"
#include "protocol/WireValue.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The hand at a scenario's table as the peer told it to the client, kept so
// that the table can be sent again as a whole (game data and the player's
// own tiles) when the server changes what no hand event carries, such as
// the points a riichi deposit takes.
class PeerHandRecord
{
public:
    typedef std::function<QString(qint32)> NameOf;

    // A new table: nothing told yet.
    void start(qint32 tableId, int ruleset, qint32 ownId, NameOf nameOf);
    // Follows a message sent to the client; messages of other tables are
    // not the record's.
    void sent(quint8 classId, const WireValue::List &fields);
    // A hand is in play: a game data now shows it.
    bool inHand() const { return m_inHand; }
    void takePoints(qint32 playerId, qint32 points);
    // The fields of game_data and, while the player sits in the hand, of
    // private_player_data.
    WireValue::List gameData() const;
    std::optional<WireValue::List> privateData() const;
    // The tile a server discards for a player who let the turn run out: the
    // drawn tile, else the last of the hand (255 when the hand is unknown).
    tile timeoutDiscard() const;
    void setOwnActive(bool active);
    // Whether the player's concealed hand holds all these tiles (as many
    // of each as listed).
    bool ownHandHolds(const tile_vector &tiles) const;

private:
    PlayerData *find(qint32 id);
    const PlayerData *find(qint32 id) const;
    void updateWall(qint32 count, bool fromDeadWall);
    void removeFromHand(PlayerData &p, tile t, int copies = 1);

    qint32 m_tableId = -1;
    int m_ruleset = 0;
    qint32 m_ownId = -1;
    NameOf m_nameOf;
    bool m_inHand = false;
    qint64 m_handId = 0;
    std::vector<PlayerData> m_players;
    TableState m_tableState;
    WallState m_wall;
    // The discard a claim took, until its meld is declared.
    bool m_claimed = false;
    qint32 m_claimedFrom = -1;
    tile m_claimedTile = 0;
};
