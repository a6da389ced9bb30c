#include "tournaments/JoinDialog.h"

#include "ui_JoinDialog.h"

#include "core/TextFormat.h"
#include "lobby/TableTexts.h"
#include "tournaments/TournamentTexts.h"

#include <QEvent>
#include <QFrame>

JoinDialog::JoinDialog(QWidget *parent, const TournamentInfo &tournament, int joinType)
    : MahjongDialog(parent, ShowCloseButton)
    , m_tournament(tournament)
    , m_joinType(joinType)
    , m_ui(std::make_unique<Ui::JoinDialog>())
{
    auto *content = new QFrame;
    setWidget(content);
    m_ui->setupUi(content);
    content->setWindowTitle(QString());

    connect(m_ui->cancelButton, &QAbstractButton::clicked, this, &JoinDialog::onCloseClicked);
    connect(m_ui->acceptButton, &QAbstractButton::clicked, this, &JoinDialog::onAcceptClicked);
    connect(m_ui->depositButton, &QAbstractButton::clicked, this, &JoinDialog::onDepositClicked);
    fillTexts();
}

JoinDialog::~JoinDialog() = default;

JoinDialog::JoinType JoinDialog::joinTypeFor(const TournamentInfo &tournament, qint64 balance)
{
    return tournamentBuyIn(tournament) > balance ? NeedsDeposit : Confirm;
}

bool JoinDialog::canRegister() const
{
    return !m_removed && m_tournament.status == TournamentInfo::Open;
}

void JoinDialog::onAcceptClicked()
{
    // The server no longer takes registrations for it.
    if (!canRegister())
        return;
    emit registerTournament(m_tournament.id);
    close();
}

void JoinDialog::onDepositClicked()
{
    emit deposit();
    close();
}

void JoinDialog::onTournamentUpdated(const TournamentInfo &tournament)
{
    if (tournament.id != m_tournament.id)
        return;
    m_tournament = tournament;
    m_removed = false;
    fillTexts();
}

void JoinDialog::onTournamentRemoved(qint32 tournamentId)
{
    if (tournamentId != m_tournament.id)
        return;
    m_removed = true;
    fillTexts();
}

void JoinDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->cancelButton->setText(tr("Cancel"));
        m_ui->acceptButton->setText(tr("Accept"));
        m_ui->depositButton->setText(tr("Deposit"));
        fillTexts();
    }
    MahjongDialog::changeEvent(event);
}

void JoinDialog::fillTexts()
{
    setWindowTitle(tr("Tournament registration"));
    // The name comes from the server: the label shows it as plain text.
    m_ui->nameLabel->setText(tr("Name: %1").arg(m_tournament.name));
    m_ui->startsLabel->setText(tr("Start: %1").arg(Utils::localDateTimeString(m_tournament.start)));
    m_ui->buyInLabel->setText(tr("Buy-in: %1").arg(tournamentBuyInText(tournamentBuyIn(m_tournament))));
    m_ui->potLabel->setText(tr("Pot: %1").arg(tournamentAmountText(tournamentPot(m_tournament))));
    m_ui->rulesLabel->setText(tr("Rules: %1").arg(rulesetName(m_tournament.ruleset)));
    m_ui->registeredLabel->setText(
        tr("Registered Players: %1")
            .arg(registeredInfoText({m_tournament.registeredPlayers, m_tournament.maxPlayers})));
    m_ui->acceptButton->setVisible(canRegister() && m_joinType == Confirm);
    m_ui->depositButton->setVisible(canRegister() && m_joinType == NeedsDeposit);
    if (m_removed)
        m_ui->confirmationInfoLabel->setText(tr("This tournament has been removed."));
    else if (!canRegister())
        m_ui->confirmationInfoLabel->setText(tr("Registration for this tournament is closed."));
    else if (m_joinType == NeedsDeposit)
        m_ui->confirmationInfoLabel->setText(tr("You do not have sufficient funds in your account to play. Please "
                                                "deposit more money to your account to continue playing."));
    else
        m_ui->confirmationInfoLabel->setText(
            tr("Accepting the tournament will withdraw the buy-in from your account. If you choose to unregister "
               "from the tournament at a later time, but before the tournament starts, the buy-in will be refunded "
               "to your account."));
}
