#pragma once

#include "game/Meld.h"
#include "game/Tile.h"

#include <QMetaType>
#include <QString>

#include <iosfwd>

// One player at a table as the server reports it. The hand is known only for
// the local player and is kept sorted.
class PlayerData
{
public:
    PlayerData() = default;
    PlayerData(qint32 id, const QString &name);

    qint32 id() const { return m_id; }
    qint32 hiddenTiles() const { return m_hiddenTiles; }
    qint32 wind() const { return m_wind; }
    const QString &name() const { return m_name; }
    const meld_vector &melds() const { return m_melds; }
    const tile_vector &bonusTiles() const { return m_bonusTiles; }
    const tile_vector &discards() const { return m_discards; }
    const tile_vector &hand() const { return m_hand; }
    const tile_vector &drawnTiles() const { return m_drawnTiles; }
    qint32 riichiDiscardIndex() const { return m_riichiDiscardIndex; }
    qint32 points() const { return m_points; }
    qint32 wins() const { return m_wins; }
    bool isReady() const { return m_ready; }
    bool isActive() const { return m_active; }
    bool isFuriten() const { return m_furiten; }
    bool isSeated() const { return m_seated; }

    void setHiddenTiles(qint32 hiddenTiles) { m_hiddenTiles = hiddenTiles; }
    void setWind(qint32 wind) { m_wind = wind; }
    void setPoints(qint32 points) { m_points = points; }
    void setWins(qint32 wins) { m_wins = wins; }
    void setReady(bool ready) { m_ready = ready; }
    void setActive(bool active) { m_active = active; }
    void setFuriten(bool furiten) { m_furiten = furiten; }
    void setSeated(bool seated) { m_seated = seated; }

    // Both clear drawnTiles: a declaration ends the draw.
    void setMelds(const meld_vector &melds);
    void addMeld(qint32 meldType, qint32 visibility, tile firstTile, qint32 claimedFrom, qint8 claimedOffset);

    void setBonusTiles(const tile_vector &tiles) { m_bonusTiles = tiles; }
    void setDiscards(const tile_vector &discards, qint32 riichiDiscardIndex);
    // With riichi set, the new discard is the one that declared riichi.
    void addDiscard(tile t, bool riichi);
    // Moves the last discard into `t`. Returns false, leaving everything as it
    // was, when the pond is empty.
    bool takeLastDiscard(tile &t);

    void setHand(const tile_vector &hand);
    void addDrawnTiles(const tile_vector &tiles);

    // Clears what belongs to one hand; identity, wind, scores and flags that
    // last across hands stay.
    void resetForHand();

private:
    qint32 m_id = 0;
    qint32 m_hiddenTiles = 0;
    qint32 m_wind = 0;
    QString m_name;
    meld_vector m_melds;
    tile_vector m_bonusTiles;
    tile_vector m_discards;
    tile_vector m_hand;
    tile_vector m_drawnTiles;
    qint32 m_riichiDiscardIndex = -1;
    qint32 m_points = 0;
    qint32 m_wins = 0;
    bool m_ready = false;
    bool m_active = true;
    bool m_furiten = false;
    bool m_seated = false;
};

std::ostream &operator<<(std::ostream &os, const PlayerData &player);
QDebug operator<<(QDebug dbg, const PlayerData &player);

Q_DECLARE_METATYPE(PlayerData)
