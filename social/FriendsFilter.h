#pragma once

#include <QSortFilterProxyModel>

class XMPPRosterModel;

// Keeps the roster rows of the player's friends: contacts whose presence
// the player receives or has asked for.
class FriendsFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit FriendsFilter(QObject *parent = nullptr);

    static bool isFriend(quint8 subscriptionFlags) { return (subscriptionFlags & 5) != 0; }
    static int friendCount(const XMPPRosterModel *roster);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
};
