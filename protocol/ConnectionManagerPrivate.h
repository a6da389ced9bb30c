#pragma once

#include "protocol/ConnectionManager.h"
#include "protocol/MessageIds.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QtGlobal>

#include <map>
#include <set>
#include <utility>

// The request for which a service answer is awaited.
enum class ConnectionManager::ServiceCall {
    ComingEvents,
    PlayerName,
    SetScreenname,
    QueryScreenname,
    RegisterUser,
    ChangePassword,
    ClientUuid,
    TableNames
};

// The request registries of a ConnectionManager, kept out of its public
// header. Everything here is guarded by lock.
class ConnectionManagerPrivate
{
public:
    using ServiceCall = ConnectionManager::ServiceCall;

    // An answer of another kind under a request's sequence number would
    // leave the caller of that request waiting for ever.
    static bool answersCall(quint8 innerId, ServiceCall call)
    {
        using namespace svc_msg;
        switch (call) {
        case ServiceCall::ComingEvents:
            return innerId == COMING_EVENTS;
        case ServiceCall::PlayerName:
            return innerId == PLAYER_NAME;
        case ServiceCall::SetScreenname:
            return innerId == SET_SCREENNAME_OK || innerId == SET_SCREENNAME_FAILED;
        case ServiceCall::QueryScreenname:
            return innerId == QUERY_SCREENNAME_OK || innerId == QUERY_SCREENNAME_FAILED;
        case ServiceCall::RegisterUser:
            return innerId == REGISTER_USER_OK || innerId == REGISTER_USER_FAILED;
        case ServiceCall::ChangePassword:
            return innerId == CHANGE_PASSWORD_OK || innerId == CHANGE_PASSWORD_FAILED;
        case ServiceCall::ClientUuid:
            return innerId == LOG_CLIENT_UUID_OK;
        case ServiceCall::TableNames:
            return innerId == TABLE_NAMES;
        }
        return false;
    }

    QMutex lock;
    qint32 nextSeq = 1;
    std::map<qint32, std::pair<ServiceCall, qint32>> pendingServiceCalls;
    std::map<std::pair<quint8, qint32>, QElapsedTimer> throttle;
    // Quick joins (filter_join) not answered yet.
    int pendingQuickJoins = 0;
    std::set<qint64> pendingPings; // local ms of each unanswered ping
    QHash<qint32, QString> names;
    std::set<qint32> pendingNames;
};
