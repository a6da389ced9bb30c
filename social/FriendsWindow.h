#pragma once

#include "xmpp/elements/XMPPJid.h"

#include <QMenu>
#include <QModelIndex>
#include <QWidget>

#include <memory>

class FriendsRosterModel;
class LocalizationDb;
class PlayerDb;
class QAbstractItemModel;
class QAction;
class XMPPClient;
class XMPPRosterItem;
class XMPPRosterModel;

namespace Ui {
class FriendsView;
}

// The friends page: the friends with their presence, the details of the
// chosen one, removing friends and finding and adding new ones.
class FriendsWindow : public QWidget
{
    Q_OBJECT

public:
    FriendsWindow(XMPPClient *client, XMPPRosterModel *roster, PlayerDb *playerDb, LocalizationDb *localizationDb,
                  QWidget *parent);
    ~FriendsWindow() override;

    void setSearchService(const XMPPJid &service);
    void setTableModel(QAbstractItemModel *tableModel);
    void addFriend(const XMPPJid &jid);
    void openFriendSearch(const QString &text);
    // Null when the list shows no friends model or the address is unknown.
    const XMPPRosterItem *findFriend(const XMPPJid &jid) const;
    // Whether the list's menu offers Remove for a roster item of these
    // subscription flags (while the chat connection is up).
    static bool offersRemove(int flags);

signals:
    void joinTable(qint32 tableId);
    void watchTable(qint32 tableId);

public slots:
    void onXmppConnected();
    void onXmppDisconnected();
    void onFriendListContextMenu(const QPoint &pos);
    void onCurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void onRemoveAction();
    void onDetailAction();
    void onDoSearch();
    void onSelectedJid(const XMPPJid &jid);

protected:
    void changeEvent(QEvent *event) override;

private:
    FriendsRosterModel *rosterModel() const;
    const XMPPRosterItem *itemAt(const QModelIndex &listIndex) const;
    const XMPPRosterItem *currentFriend() const;
    void setSearchEnabled(bool enabled);
    void retranslate();

    QAction *m_removeAction = nullptr;
    QMenu m_contextMenu;
    QString m_searchService;
    XMPPClient *m_client;
    PlayerDb *m_playerDb;
    QAbstractItemModel *m_tableModel = nullptr;
    LocalizationDb *m_localizationDb;
    std::unique_ptr<Ui::FriendsView> m_ui;
};
