#include "tournaments/TournamentPreview.h"

#include "ui_TournamentPreview.h"

#include "core/TextFormat.h"
#include "lobby/TableTexts.h"
#include "tournaments/TournamentTexts.h"
#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"

#include <QEvent>
#include <QTextDocument>

TournamentPreview::TournamentPreview(QWidget *parent)
    : QFrame(parent)
    , m_ui(std::make_unique<Ui::TournamentPreview>())
{
    m_ui->setupUi(this);
    m_startsInTimer = new VisibleTimer(this);
    m_startsInTimer->setObjectName(QStringLiteral("startsInTimer"));
    m_startsInTimer->setWidget(this);
    m_startsInTimer->setInterval(1000);
    connect(m_startsInTimer, &VisibleTimer::timeout, this, &TournamentPreview::updateStartsIn);
    showPlaceholder();
}

TournamentPreview::~TournamentPreview() = default;

void TournamentPreview::setTournamentsController(TournamentsController *controller)
{
    m_controller = controller;
}

void TournamentPreview::setModel(TournamentsLobbyModel *model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (!model)
        return;
    connect(model, &TournamentsLobbyModel::tournamentUpdated, this, &TournamentPreview::onTournamentUpdated);
    connect(model, &TournamentsLobbyModel::tournamentRemoved, this, &TournamentPreview::onTournamentRemoved);
}

void TournamentPreview::onPreviewTournament(qint32 tournamentId)
{
    m_currentId = tournamentId;
    showCurrent();
}

void TournamentPreview::onTournamentUpdated(const TournamentInfo &ti)
{
    if (ti.id == m_currentId)
        showCurrent();
}

void TournamentPreview::onTournamentRemoved(qint32 tournamentId)
{
    if (tournamentId == m_currentId)
        showCurrent();
}

void TournamentPreview::showCurrent()
{
    if (m_model && m_model->hasTournament(m_currentId))
        showTournament(m_model->tournamentInfo(m_currentId));
    else
        showPlaceholder();
}

void TournamentPreview::showTournament(const TournamentInfo &info)
{
    if (!m_startsInTimer->isActive())
        m_startsInTimer->start();
    updateButtons(info);
    m_ui->chooseInfoLabel->hide();
    m_ui->infoButton->show();
    for (QLabel *label : {m_ui->statusLabel, m_ui->buyInLabel, m_ui->potLabel, m_ui->rulesLabel, m_ui->durationLabel,
                          m_ui->registeredLabel})
        label->show();

    // The name comes from the server: plain text, in the label and its tip.
    m_ui->tournamentPreviewHeaderLabel->setText(info.name);
    m_ui->tournamentPreviewHeaderLabel->setToolTip(Qt::convertFromPlainText(info.name));
    m_ui->statusLabel->setText(tr("Status: %1").arg(tournamentStatusName(info.status)));
    m_ui->buyInLabel->setText(tr("Buy-in: %1").arg(tournamentBuyInText(tournamentBuyIn(info))));
    m_ui->potLabel->setText(tr("Pot: %1").arg(tournamentAmountText(tournamentPot(info))));
    m_ui->rulesLabel->setText(tr("Rules: %1").arg(rulesetName(info.ruleset)));
    m_ui->durationLabel->setText(tr("Duration: %1").arg(tournamentDurationText(info)));
    m_ui->registeredLabel->setText(
        tr("Registered Players: %1").arg(registeredInfoText({info.registeredPlayers, info.maxPlayers})));
    updateStartsIn();
}

void TournamentPreview::updateButtons(const TournamentInfo &info)
{
    const bool open = info.status == TournamentInfo::Open;
    m_ui->joinButton->setVisible(open && !info.playerRegistered);
    m_ui->leaveButton->setVisible(open && info.playerRegistered);
}

void TournamentPreview::updateStartsIn()
{
    if (m_model && m_model->hasTournament(m_currentId)) {
        const TournamentInfo &info = m_model->tournamentInfo(m_currentId);
        if (info.status == TournamentInfo::Open || info.status == TournamentInfo::Closed) {
            m_ui->startsLabel->setText(tr("Starts in: %1").arg(Utils::timeToStartText(info.start)));
            m_ui->startsLabel->show();
            return;
        }
    }
    m_ui->startsLabel->hide();
}

void TournamentPreview::showPlaceholder()
{
    m_startsInTimer->stop();
    m_currentId = -1;
    m_ui->chooseInfoLabel->show();
    m_ui->joinButton->hide();
    m_ui->leaveButton->hide();
    m_ui->infoButton->hide();
    m_ui->tournamentPreviewHeaderLabel->setText(tr("Tournament"));
    for (QLabel *label : {m_ui->statusLabel, m_ui->startsLabel, m_ui->buyInLabel, m_ui->potLabel, m_ui->rulesLabel,
                          m_ui->durationLabel, m_ui->registeredLabel})
        label->hide();
}

void TournamentPreview::on_joinButton_clicked()
{
    if (m_controller)
        m_controller->createJoinTournamentDialog(m_currentId);
}

void TournamentPreview::on_leaveButton_clicked()
{
    emit unregisterTournament(m_currentId);
}

void TournamentPreview::on_infoButton_clicked()
{
    if (m_controller)
        m_controller->createTournamentDetailDialog(m_currentId);
}

void TournamentPreview::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        showCurrent();
    }
    QFrame::changeEvent(event);
}
