#pragma once

#include "protocol/TournamentInfo.h"

#include <QFrame>
#include <QPointer>

#include <map>
#include <memory>
#include <vector>

namespace Ui {
class ComingTournamentsWidget;
}

class TournamentsController;
class TournamentsLobbyModel;
class UPushButton;

// "Upcoming tournaments": the open tournaments whose registration closes
// first, at most three, each with Register or Unregister and Info. Rows are
// rebuilt only when the listed ids, their order or their registration change.
class ComingTournamentsWidget : public QFrame
{
    Q_OBJECT

public:
    explicit ComingTournamentsWidget(QWidget *parent = nullptr);
    ~ComingTournamentsWidget() override;

    void setModel(TournamentsLobbyModel *model);
    void setTournamentsController(TournamentsController *controller);

    // The ids listed, top first.
    std::vector<qint32> listedIds() const;
    // How often the rows were built, for a look at the rebuild rule.
    int rebuildCount() const { return m_rebuilds; }
    // How often the list was chosen anew from the model's tournaments.
    int refreshCount() const { return m_refreshes; }

signals:
    void unregisterTournament(qint32 tournamentId);

public slots:
    void onTournamentAdded(const TournamentInfo &info);
    void onTournamentUpdated(const TournamentInfo &info);
    void onTournamentRemoved(qint32 tournamentId);
    void onJoinLeaveButtonClicked(qint32 tournamentId);
    void onInfoButtonClicked(qint32 tournamentId);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Row
    {
        bool registered = false;
        std::unique_ptr<QFrame> frame;
        UPushButton *joinLeaveButton = nullptr;
        UPushButton *infoButton = nullptr;
    };

    std::vector<TournamentInfo> selection() const;
    void refresh();
    void rebuild();
    void setButtonTexts();

    const size_t m_maxRows = 3;
    std::map<qint32, Row> m_rows;
    std::vector<TournamentInfo> m_upcoming;
    QPointer<TournamentsController> m_controller;
    QPointer<TournamentsLobbyModel> m_model;
    int m_rebuilds = 0;
    int m_refreshes = 0;
    std::unique_ptr<Ui::ComingTournamentsWidget> m_ui;
};
