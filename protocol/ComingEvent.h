#pragma once

#include <QDateTime>
#include <QMetaType>

#include <vector>

// An event the server announces ahead; kind 0 is a maintenance, the only
// kind the server may send.
struct ComingEvent
{
    int kind = 0;
    QDateTime when;
};

typedef std::vector<ComingEvent> ComingEvents;

Q_DECLARE_METATYPE(ComingEvent)
Q_DECLARE_METATYPE(ComingEvents)
