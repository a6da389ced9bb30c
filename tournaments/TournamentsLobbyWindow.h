#pragma once

#include "protocol/TournamentInfo.h"
#include "tournaments/TournamentLobbyFilter.h"
#include "tournaments/TournamentsLobbyModel.h"

#include <QPointer>
#include <QSet>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class TournamentsLobbyView;
}

class QCheckBox;
class QModelIndex;
class QTreeView;

// The tournament tab: every tournament of the lobby model as a sortable
// list, filtered by ruleset, buy-in level, fullness and a search text, with
// the filter choices kept under "mttlobby/" in the settings.
class TournamentsLobbyWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TournamentsLobbyWindow(QWidget *parent = nullptr);
    ~TournamentsLobbyWindow() override;

    void setModel(TournamentsLobbyModel *model);
    TournamentsLobbyModel *model() const { return m_model; }
    TournamentLobbyFilter *filter() { return &m_filter; }
    QTreeView *view() const;

    // Selects the tournament of a persistent id when the list shows it, and
    // announces it as selected.
    void selectTournament(qint32 persistentId);

signals:
    void tournamentSelected(qint32 tournamentId);
    void tournamentActivated(qint32 tournamentId);

public slots:
    void onCurrentTournamentChanged(const QModelIndex &current);
    void onTournamentActivated(const QModelIndex &index);
    void onTournamentAdded(const TournamentInfo &info);
    void onResizeColumnsTimeout();
    void on_viewAllAvailableTournamentsCheckBox_stateChanged(int state);
    void onClassicRulesChanged(int state);
    void onInternationalRulesChanged(int state);
    void onRiichiRulesChanged(int state);
    void onLevel1BuyInChanged(int state);
    void onLevel2BuyInChanged(int state);
    void onLevel3BuyInChanged(int state);
    void onNoBuyInChanged(int state);
    void onFreeTextSearchChanged(const QString &text);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void widenGrownColumns();
    // Keeps the tournaments of the list's rows from first to last for the
    // next widening.
    void noteRowsToMeasure(int first, int last);
    void rulesetChanged(const char *key, int ruleset, int state);
    void buyInChanged(const char *key, int level, int state);
    qint32 tournamentIdAt(const QModelIndex &index) const;

    TournamentLobbyFilter m_filter;
    QPointer<TournamentsLobbyModel> m_model;
    QTimer m_columnTimer;
    // Columns to size when the window shows: a hidden one waits for nothing.
    bool m_columnsPending = false;
    // Tournaments whose rows changed or came into the list since their cells
    // were last measured: a busy lobby measures these, not every row.
    QSet<qint32> m_unmeasured;
    std::unique_ptr<Ui::TournamentsLobbyView> m_ui;
    QSettings m_settings;
};
