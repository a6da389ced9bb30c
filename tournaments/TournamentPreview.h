#pragma once

#include "protocol/TournamentInfo.h"
#include "widgets/VisibleTimer.h"

#include <QFrame>
#include <QPointer>

#include <memory>

namespace Ui {
class TournamentPreview;
}

class TournamentsController;
class TournamentsLobbyModel;

// The panel beside the tournament lobby: the selected tournament in short,
// a countdown to its start, and Register, Unregister and Info.
class TournamentPreview : public QFrame
{
    Q_OBJECT

public:
    explicit TournamentPreview(QWidget *parent = nullptr);
    ~TournamentPreview() override;

    void setTournamentsController(TournamentsController *controller);
    void setModel(TournamentsLobbyModel *model);
    qint32 currentTournament() const { return m_currentId; }
    bool isCountingDown() const { return m_startsInTimer->isActive(); }

signals:
    void unregisterTournament(qint32 tournamentId);
    void deposit();

public slots:
    void onPreviewTournament(qint32 tournamentId);
    void onTournamentUpdated(const TournamentInfo &ti);
    void onTournamentRemoved(qint32 tournamentId);
    void on_joinButton_clicked();
    void on_leaveButton_clicked();
    void on_infoButton_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showCurrent();
    void showTournament(const TournamentInfo &info);
    void updateButtons(const TournamentInfo &info);
    void updateStartsIn();
    void showPlaceholder();

    QPointer<TournamentsController> m_controller;
    QPointer<TournamentsLobbyModel> m_model;
    qint32 m_currentId = -1;
    std::unique_ptr<Ui::TournamentPreview> m_ui;
    // Counts the start down each second, only while the preview is shown.
    VisibleTimer *m_startsInTimer = nullptr;
};
