#pragma once

#include "social/FriendsFilter.h"

#include <QPointer>
#include <QSet>
#include <QString>

class PlayerDb;

// The friends who may be invited to a table: players (the server invites by
// player id), online, not at a table of the same lobby path, not invited
// since the last reset.
class TableInviteFilter : public FriendsFilter
{
    Q_OBJECT

public:
    TableInviteFilter(const QString &lobbyPath, QObject *parent);

    // Without it every address is taken for a player's.
    void setPlayerDb(const PlayerDb *playerDb);
    void addInvited(const QString &jid);
    void clearInvited();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QString m_pathPrefix;
    QSet<QString> m_invited;
    QPointer<const PlayerDb> m_playerDb;
};
