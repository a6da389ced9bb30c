#include "protocol/TournamentInfo.h"

#include "protocol/ServerError.h"

#include <limits>

namespace {
bool isIntegral(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

int checkedInt(qint32 key, const QVariant &value, qint64 min = std::numeric_limits<qint32>::min(),
               qint64 max = std::numeric_limits<qint32>::max())
{
    if (!isIntegral(value))
        throw server_error("tournament info value " + std::to_string(key) + " is not an integer");
    const qint64 v = value.toLongLong();
    if (v < min || v > max)
        throw server_error("tournament info value " + std::to_string(key) + " out of range: " + std::to_string(v));
    return int(v);
}

QDateTime checkedTime(qint32 key, const QVariant &value)
{
    if (value.metaType().id() != QMetaType::QDateTime)
        throw server_error("tournament info value " + std::to_string(key) + " is not a date-time");
    return value.toDateTime();
}

QVariantList checkedList(qint32 key, const QVariant &value)
{
    if (value.metaType().id() != QMetaType::QVariantList)
        throw server_error("tournament info value " + std::to_string(key) + " is not a list");
    return value.toList();
}
} // namespace

void TournamentInfo::setValue(qint32 key, const QVariant &value)
{
    switch (key) {
    case PERSISTENT_ID:
        persistentId = checkedInt(key, value);
        break;
    case STATUS:
        status = status_t(checkedInt(key, value, Open, Aborted));
        break;
    case NAME:
        if (value.metaType().id() != QMetaType::QString)
            throw server_error("tournament name is not a text");
        name = value.toString();
        break;
    case REGISTERED_PLAYERS:
        registeredPlayers = checkedInt(key, value, 0);
        break;
    case START:
        start = checkedTime(key, value);
        break;
    case CLOSE_REGISTER:
        closeRegister = checkedTime(key, value);
        break;
    case MAX_PLAYERS:
        maxPlayers = checkedInt(key, value, 0);
        break;
    case NUMBER_OF_ROUNDS:
        numberOfRounds = checkedInt(key, value, 0);
        break;
    // An index into the round lists: never negative, and the next round's
    // index (currentRound + 1) must stay representable.
    case CURRENT_ROUND:
        currentRound = checkedInt(key, value, 0, std::numeric_limits<qint32>::max() - 1);
        break;
    case ROUNDS_START: {
        std::vector<QDateTime> starts;
        for (const QVariant &v : checkedList(key, value))
            starts.push_back(checkedTime(key, v));
        roundsStart = std::move(starts);
        break;
    }
    case ROUNDS_LENGTH: {
        std::vector<int> lengths;
        for (const QVariant &v : checkedList(key, value))
            lengths.push_back(checkedInt(key, v, 0));
        roundsLength = std::move(lengths);
        break;
    }
    case RULESET:
        ruleset = checkedInt(key, value, 0, 2);
        break;
    case BET:
        cost.bet = checkedInt(key, value, -1);
        break;
    case FEE:
        cost.fee = checkedInt(key, value, 0);
        break;
    case ADDITIONAL_PAYOUT_AMOUNT:
        additionalPayoutAmount = checkedInt(key, value, 0);
        break;
    default:
        extraValues[key] = value;
        break;
    }
}

QVariant TournamentInfo::value(qint32 key) const
{
    switch (key) {
    case PERSISTENT_ID:
        return persistentId;
    case STATUS:
        return int(status);
    case NAME:
        return name;
    case REGISTERED_PLAYERS:
        return registeredPlayers;
    case START:
        return start;
    case CLOSE_REGISTER:
        return closeRegister;
    case MAX_PLAYERS:
        return maxPlayers;
    case NUMBER_OF_ROUNDS:
        return numberOfRounds;
    case CURRENT_ROUND:
        return currentRound;
    case ROUNDS_START: {
        QVariantList l;
        for (const QDateTime &t : roundsStart)
            l.append(t);
        return l;
    }
    case ROUNDS_LENGTH: {
        QVariantList l;
        for (int s : roundsLength)
            l.append(s);
        return l;
    }
    case RULESET:
        return ruleset;
    case BET:
        return cost.bet;
    case FEE:
        return cost.fee;
    case ADDITIONAL_PAYOUT_AMOUNT:
        return additionalPayoutAmount;
    default: {
        auto it = extraValues.find(key);
        return it == extraValues.end() ? QVariant() : it->second;
    }
    }
}

bool TournamentInfo::operator==(const TournamentInfo &o) const
{
    return id == o.id && persistentId == o.persistentId && status == o.status && playerRegistered == o.playerRegistered
           && name == o.name && registeredPlayers == o.registeredPlayers && start == o.start
           && closeRegister == o.closeRegister && maxPlayers == o.maxPlayers && numberOfRounds == o.numberOfRounds
           && currentRound == o.currentRound && roundsStart == o.roundsStart && roundsLength == o.roundsLength
           && ruleset == o.ruleset && cost == o.cost && additionalPayoutAmount == o.additionalPayoutAmount
           && extraValues == o.extraValues;
}
