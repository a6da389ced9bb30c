#pragma once

#include "social/FriendsFilter.h"

#include <QSet>
#include <QString>

// The friends who may be invited to a table: online, not at a table of the
// same lobby path, not invited since the last reset.
class TableInviteFilter : public FriendsFilter
{
    Q_OBJECT

public:
    TableInviteFilter(const QString &lobbyPath, QObject *parent);

    void addInvited(const QString &jid);
    void clearInvited();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QString m_pathPrefix;
    QSet<QString> m_invited;
};
