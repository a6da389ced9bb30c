#pragma once

#include <QMetaType>
#include <QtGlobal>

// How full a tournament is: registered players of the most allowed.
struct TournamentRegisteredInfo
{
    qint32 registered = 0;
    qint32 maximum = 0;

    // A tournament without a limit is never full; one that reports more
    // players than its limit has no room left either.
    bool isFull() const { return maximum > 0 && registered >= maximum; }

    bool operator<(const TournamentRegisteredInfo &other) const
    {
        if (registered != other.registered)
            return registered < other.registered;
        return maximum < other.maximum;
    }
    bool operator==(const TournamentRegisteredInfo &other) const = default;
};

Q_DECLARE_METATYPE(TournamentRegisteredInfo)
