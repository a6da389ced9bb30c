#pragma once

#include "core/TimeSpan.h"
#include "protocol/TableInfo.h"
#include "protocol/TournamentInfo.h"

#include <QFrame>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <list>
#include <map>
#include <vector>

class ChatController;
class ConferenceWidget;
class EmptySeatWidget;
class GameModel;
class LocalizationDb;
class PlayerData;
class PlayerWidget;
class QTreeView;

namespace Ui {
class SideBar;
}

// The column beside the table scene: leave button, table name and rules link,
// round, buy-in, tournament countdown, sticks, hand id, one seat widget per
// seat and the table chat.
class SideBar : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString linkStyle READ linkStyle WRITE setLinkStyle)

public:
    explicit SideBar(LocalizationDb *localizationDb, QWidget *parent = nullptr);
    ~SideBar() override;

    QString linkStyle() const { return m_linkStyle; }
    void setLinkStyle(const QString &style);

    void setModel(GameModel *model);
    void setTableInfo(const TableInfo &info);
    void setTournamentInfo(const TournamentInfo &info);
    const TournamentInfo &tournamentInfo() const { return m_tournamentInfo; }
    void setHandId(qint64 handId);
    void setWindRound(int windRound);
    void updateSticks();
    void clear();

    void addPlayer(qint32 id, const QString &name, int wind, int points, int wins, bool ready);
    void addPlayer(const PlayerData &player);
    // The operations that name a seated player throw std::runtime_error
    // "no such player, pid: <id>" for an id that is not seated here.
    void removePlayer(qint32 id);
    PlayerWidget *playerWidget(qint32 id) const;
    bool hasPlayer(qint32 id) const;
    std::vector<qint32> playerIds() const;
    void setPlayerWind(qint32 id, int wind);
    void setPlayerPoints(qint32 id, int points);
    void setPlayerWins(qint32 id, int wins);
    void setPlayerPicture(qint32 id, const QPixmap &picture);
    void setPlayerReady(qint32 id);
    void clearReady();
    void setHighlightedPlayer(qint32 id);
    qint32 highlightedPlayer() const { return m_highlighted; }
    void clearHighlight();
    void showPlayerClaim(qint32 id, int meldType, int declarationKind);
    void hideClaims();
    void setPlayerTimer(qint32 id, const TimeSpan &span);
    void clearTimers();
    void setWindsVisible(bool visible);
    void setScoresVisible(bool visible);

    // Seat widgets top to bottom, then the empty seats.
    QList<PlayerWidget *> seatOrder() const;
    int emptySeats() const { return int(m_emptySeats.size()); }

    // Connects the leave button to receiver's slot onLeaveButtonClick().
    void connectLeaveButton(QObject *receiver);
    void setLeaveEnabled(bool enabled);
    void setLeaveVisible(bool visible);

    // Where the table's chat pane goes; the chat widget is placed here.
    QWidget *chatArea() const;
    ConferenceWidget *conference() const { return m_conference; }
    void setChatController(ChatController *controller);
    // A notice line in the table's chat; text is plain.
    void appendNotice(const QString &text);
    // Enters the model's table chat, or leaves it. Wanted but impossible
    // now (no XMPP session or no conference service yet), it is entered
    // when they come, and again after the XMPP session was lost.
    void setChatJoined(bool joined);

signals:
    void userMenuRequested(QString name, QPoint pos);
    void linkActivated(QString link);

public slots:
    void on_leaveButton_clicked();
    void onTimerTimeout();
    void onPlayerWidgetContextMenu(QPoint p);
    void onLinkActivated(QString link);
    void onTableNamesUpdated();

protected:
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    // The table's tournament round has ended: nothing plays here any more.
    bool roundOver() const;
    void applyWindRound();
    void updateEmptySeats();
    void arrangeSeats();
    QString rulesLink() const;
    void joinWantedChat();

    Ui::SideBar *m_ui;
    QPointer<GameModel> m_model;
    std::map<qint32, PlayerWidget *> m_playerMap;
    std::list<PlayerWidget *> m_players;
    std::list<EmptySeatWidget *> m_emptySeats;
    qint32 m_highlighted = -1;
    int m_gameType = -1;
    TournamentInfo m_tournamentInfo;
    TableInfo m_tableInfo;
    QTimer m_roundTimer;
    qint64 m_handId = -1;
    QString m_linkStyle;
    QPointer<LocalizationDb> m_localizationDb;
    int m_windRound = -1;
    ConferenceWidget *m_conference = nullptr;
    QPointer<ChatController> m_chatController;
    // The table window wants its chat; whether it is in the room is the
    // conference's to say.
    bool m_chatWanted = false;
};

// Sets the widths of columns 0, 1 and 2 of view, in that order.
void setColumnWidths(QTreeView *view, const int widths[3]);
