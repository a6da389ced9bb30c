#pragma once

#include "lobby/LobbyModel.h"
#include "social/TableLobbyFilter.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class LocalizationDb;
class PlayerDb;
class XMPPRosterItem;

namespace Ui {
class FriendDetailView;
}

// One friend: picture, presence, name, status and the tables the friend
// sits at, to join or watch.
class FriendDetailWindow : public QWidget
{
    Q_OBJECT

public:
    // The most table paths taken from one presence.
    static constexpr int MaxTablePaths = 8;

    explicit FriendDetailWindow(QWidget *parent = nullptr);
    ~FriendDetailWindow() override;

    void setPlayerDb(PlayerDb *playerDb);
    void setLocalizationDb(LocalizationDb *localizationDb);
    void setTableModel(QAbstractItemModel *tableModel);
    // Throws std::runtime_error without a player directory.
    void setRosterItem(const XMPPRosterItem &item);
    void clear();
    // Remove asks the chat server: off while there is no connection to it.
    void setRemoveAllowed(bool allowed);

    qint32 friendId() const { return m_friendId; }
    // The status line of an item: empty for a contact that is no friend.
    static QString availabilityText(const XMPPRosterItem &item);

signals:
    void joinTable(qint32 tableId);
    void watchTable(qint32 tableId);
    void removeClicked();

public slots:
    void displayStatusIcon(bool display);
    void onPlayerPictureUpdate(qint32 pid);
    void on_joinButton_clicked();
    void on_watchButton_clicked();
    void onTableDoubleClicked(qint32 tableId);

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateTableButtons();

    qint32 m_friendId = -1;
    bool m_removeAllowed = true;
    bool m_hasItem = false;
    QPointer<PlayerDb> m_playerDb;
    TableLobbyFilter m_tableFilter;
    LobbyModel m_tableListModel;
    std::unique_ptr<Ui::FriendDetailView> m_ui;
};
