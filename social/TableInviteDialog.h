#pragma once

#include "widgets/MahjongDialog.h"

#include <QModelIndex>

#include <memory>
#include <vector>

class PlayerDb;
class TableInviteFilter;
class XMPPRosterItem;
class XMPPRosterModel;

namespace Ui {
class TableInviteDialog;
}

// Lists the friends who may be invited to a table; one invitation per click.
class TableInviteDialog : public MahjongDialog
{
    Q_OBJECT

public:
    // Shared by every table: past this many the empty list says so.
    static constexpr int InviteLimit = 10;

    TableInviteDialog(qint32 tableId, const QString &lobbyPath, XMPPRosterModel *roster, PlayerDb *playerDb,
                      QWidget *parent);
    ~TableInviteDialog() override;

    void resetInvites();
    int invitesSent() const { return m_invitesSent; }

signals:
    void invitePlayers(qint32 tableId, std::vector<qint32> playerId);

public slots:
    void onCurrentFriendChanged(const QModelIndex &current);
    void onInviteButtonClicked();
    void onAvailableFriendsChanged();

private:
    const XMPPRosterItem *currentFriend() const;

    QWidget *m_content;
    std::unique_ptr<Ui::TableInviteDialog> m_ui;
    qint32 m_tableId;
    PlayerDb *m_playerDb;
    TableInviteFilter *m_filter;
    int m_invitesSent = 0;
};
