#include "game/PlayerData.h"

#include "game/Wind.h"

#include <QDebug>

#include <algorithm>
#include <ostream>
#include <sstream>

PlayerData::PlayerData(qint32 id, const QString &name)
    : m_id(id)
    , m_name(name)
{
}

void PlayerData::setMelds(const meld_vector &melds)
{
    m_melds = melds;
    m_drawnTiles.clear();
}

void PlayerData::addMeld(qint32 meldType, qint32 visibility, tile firstTile, qint32 claimedFrom, qint8 claimedOffset)
{
    m_melds.push_back(meld_tuple{meldType, visibility, firstTile, claimedFrom, claimedOffset});
    m_drawnTiles.clear();
}

void PlayerData::setDiscards(const tile_vector &discards, qint32 riichiDiscardIndex)
{
    m_discards = discards;
    m_riichiDiscardIndex = riichiDiscardIndex;
}

void PlayerData::addDiscard(tile t, bool riichi)
{
    if (riichi)
        m_riichiDiscardIndex = static_cast<qint32>(m_discards.size());
    m_discards.push_back(t);
    m_drawnTiles.clear();
}

bool PlayerData::takeLastDiscard(tile &t)
{
    if (m_discards.empty())
        return false;
    t = m_discards.back();
    m_discards.pop_back();
    return true;
}

void PlayerData::setHand(const tile_vector &hand)
{
    m_hand = hand;
    std::sort(m_hand.begin(), m_hand.end());
}

void PlayerData::addDrawnTiles(const tile_vector &tiles)
{
    m_hand.insert(m_hand.end(), tiles.begin(), tiles.end());
    std::sort(m_hand.begin(), m_hand.end());
    m_drawnTiles = tiles;
}

void PlayerData::resetForHand()
{
    m_hiddenTiles = 0;
    m_riichiDiscardIndex = -1;
    m_hand.clear();
    m_melds.clear();
    m_bonusTiles.clear();
    m_discards.clear();
    m_drawnTiles.clear();
    m_ready = false;
}

std::ostream &operator<<(std::ostream &os, const PlayerData &player)
{
    return os << "PlayerData { id:" << player.id() << " name:\"" << player.name().toStdString()
              << "\" wind:" << windName(player.wind()) << " }";
}

QDebug operator<<(QDebug dbg, const PlayerData &player)
{
    std::ostringstream os;
    os << player;
    QDebugStateSaver saver(dbg);
    dbg.noquote() << QString::fromStdString(os.str());
    return dbg;
}
