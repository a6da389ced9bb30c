#pragma once

#include "lobby/TableModel.h"
#include "protocol/PrizeConfiguration.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentRanking.h"
#include "widgets/MahjongDialog.h"

#include <QPointer>
#include <QSet>
#include <QTimer>

#include <map>
#include <memory>

namespace Ui {
class TournamentDetailDialog;
}

class QLabel;
class TournamentPlayerFilter;
class TournamentPrizeStructureModel;
class TournamentRankingModel;
class UPushButton;

// One tournament in full: its facts and countdowns, the players or
// standings with a search, the payouts before the start and the tables to
// watch while it is played. Every request leaves it as a signal.
class TournamentDetailDialog : public MahjongDialog
{
    Q_OBJECT

public:
    // How long a dialog closed with unanswered watch requests waits for them.
    static constexpr int WatchWaitMs = 30000;

    explicit TournamentDetailDialog(QWidget *parent = nullptr);
    ~TournamentDetailDialog() override;

    void setTournamentInfo(const TournamentInfo &info);
    void setTableModel(TableModel *tableModel);

    const TournamentInfo &tournamentInfo() const { return m_info; }
    // "101/mtt/<id>".
    static QString tournamentLobbyPath(qint32 tournamentId);
    // Whether a table of lobbyPath belongs to the tournament of
    // tournamentPath: the same path, or one below it after a "/".
    static bool isTournamentTablePath(const QString &lobbyPath, const QString &tournamentPath);
    // The ids listed in the tables grid, ascending.
    QList<qint32> listedTables() const;
    bool isWatchPending() const { return !m_pendingWatches.isEmpty(); }

signals:
    void registerTournament(qint32 tournamentId);
    void unregisterTournament(qint32 tournamentId);
    void userMenuRequested(const QString &name, const QPoint &pos);
    void watchTable(qint32 tableId);

public slots:
    void onTournamentUpdated(const TournamentInfo &ti);
    void onTournamentRemoved(qint32 tournamentId);
    void onTournamentPrizeConfiguration(qint32 tournamentId, const tournament_prize_configuration_t &configuration);
    void onTournamentRankings(qint32 tournamentId, const TournamentRankings &rankings);
    // Any answer to a watch request: watched, refused or never sent.
    void onTableWatched(qint32 tableId);
    void onJoinButtonClicked();
    void onLeaveButtonClicked();
    void onPlayerListContextMenu(const QPoint &pos);
    void onFreeTextSearchChanged(const QString &text);
    void onTableAdded(qint32 tableId);
    void onTableRemoved(qint32 tableId);
    void onTableClicked(qint32 tableId);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct TableRow
    {
        std::unique_ptr<QLabel> label;
        std::unique_ptr<UPushButton> button;
    };

    void updateView();
    void updateStartLine();
    void updateRoundLines();
    void updatePlayerList();
    void selectPrizeStructure();
    void subscribe();
    void unsubscribe();
    void relabelWatchButtons();
    void onWatchWaitTimeout();

    std::map<qint32, TableRow> m_tableRows;
    TournamentRankingModel *m_rankingModel = nullptr;
    TournamentInfo m_info;
    int m_timerId = 0;
    bool m_tournamentPresent = true;
    TournamentPlayerFilter *m_playerFilter;
    QPointer<TableModel> m_tableModel;
    bool m_subscribed = false;
    QString m_subscribedPath;
    TournamentPrizeStructureModel *m_prizeModel;
    tournament_prize_configuration_t m_prizeConfiguration;
    bool m_closePending = false;
    QSet<qint32> m_pendingWatches;
    QTimer m_watchWait;
    std::unique_ptr<Ui::TournamentDetailDialog> m_ui;
};
