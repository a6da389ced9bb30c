#include "protocol/TableInfo.h"

#include "game/RulesetInfo.h"
#include "protocol/ServerError.h"
#include "core/TextFormat.h"

#include <QCoreApplication>

namespace {
qint64 checkedInt(qint32 key, const QVariant &value, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 v = value.toLongLong(&ok);
    const int type = value.metaType().id();
    const bool integral = type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::UInt
                          || type == QMetaType::ULongLong || type == QMetaType::Short || type == QMetaType::Char
                          || type == QMetaType::SChar || type == QMetaType::UChar;
    if (!ok || !integral)
        throw server_error("table info value " + std::to_string(key) + " is not an integer");
    if (v < min || v > max)
        throw server_error("table info value " + std::to_string(key) + " out of range: " + std::to_string(v));
    return v;
}
} // namespace

int TableInfo::deadWallTiles() const
{
    return rulesetInfo(m_ruleset).deadWall();
}

int TableInfo::liveWallTiles() const
{
    return rulesetInfo(m_ruleset).liveWall();
}

QString TableInfo::buyInText() const
{
    const qint64 total = m_value.total();
    if (total == 0)
        return QCoreApplication::translate("TableInfo", "-");
    return Utils::moneyString(total, false);
}

void TableInfo::setValue(qint32 key, const QVariant &value)
{
    constexpr qint64 i32min = std::numeric_limits<qint32>::min();
    constexpr qint64 i32max = std::numeric_limits<qint32>::max();
    switch (key) {
    case RULESET:
        m_ruleset = qint32(checkedInt(key, value, 0, 2));
        break;
    case CAPACITY:
        m_capacity = qint32(checkedInt(key, value, 0, 16));
        break;
    case SEATED:
        m_seated = qint32(checkedInt(key, value, 0, 16));
        break;
    case BOTS:
        m_bots = qint32(checkedInt(key, value, 0, 16));
        break;
    case GAME_TYPE:
        m_gameType = qint32(checkedInt(key, value, i32min, i32max));
        break;
    case WIND_ROUNDS:
        m_windRounds = qint32(checkedInt(key, value, 0, 4));
        break;
    case TOURNAMENT_ID:
        m_tournamentId = qint32(checkedInt(key, value, i32min, i32max));
        break;
    case SETTLEMENT:
        m_value.settlement = qint32(checkedInt(key, value, i32min, i32max));
        break;
    // Each at most half the range, so that the buy-in (bet + fee) cannot overflow.
    case BET:
        m_value.bet = checkedInt(key, value, 0, std::numeric_limits<qint64>::max() / 2);
        break;
    case FEE:
        m_value.fee = checkedInt(key, value, 0, std::numeric_limits<qint64>::max() / 2);
        break;
    case NAME_ID:
        m_nameId = qint32(checkedInt(key, value, i32min, i32max));
        break;
    case LOBBY_PATH:
        if (value.metaType().id() != QMetaType::QString)
            throw server_error("table info lobby path is not a text");
        m_lobbyPath = value.toString();
        break;
    default:
        m_extra[key] = value;
        break;
    }
}

QVariant TableInfo::value(qint32 key) const
{
    switch (key) {
    case RULESET:
        return m_ruleset;
    case CAPACITY:
        return m_capacity;
    case SEATED:
        return m_seated;
    case BOTS:
        return m_bots;
    case GAME_TYPE:
        return m_gameType;
    case WIND_ROUNDS:
        return m_windRounds;
    case TOURNAMENT_ID:
        return m_tournamentId;
    case SETTLEMENT:
        return m_value.settlement;
    case BET:
        return m_value.bet;
    case FEE:
        return m_value.fee;
    case NAME_ID:
        return m_nameId;
    case LOBBY_PATH:
        return m_lobbyPath;
    default: {
        auto it = m_extra.find(key);
        return it == m_extra.end() ? QVariant() : it->second;
    }
    }
}

bool TableInfo::operator==(const TableInfo &o) const
{
    return m_id == o.m_id && m_lobbyPath == o.m_lobbyPath && m_ruleset == o.m_ruleset && m_capacity == o.m_capacity
           && m_seated == o.m_seated && m_bots == o.m_bots && m_gameType == o.m_gameType
           && m_windRounds == o.m_windRounds && m_tournamentId == o.m_tournamentId && m_nameId == o.m_nameId
           && m_value == o.m_value && m_extra == o.m_extra;
}
