#pragma once

#include "protocol/TournamentInfo.h"
#include "widgets/MahjongDialog.h"

#include <memory>

namespace Ui {
class JoinDialog;
}

// Confirms a tournament registration, or, when the balance does not cover
// the buy-in, offers a deposit instead. Keeps its own copy of the record,
// kept current by the lobby's updates: the tournament may leave the lobby
// while the dialog is open.
class JoinDialog : public MahjongDialog
{
    Q_OBJECT

public:
    enum JoinType { Confirm = 0, NeedsDeposit = 1 };

    JoinDialog(QWidget *parent, const TournamentInfo &tournament, int joinType);
    ~JoinDialog() override;

    // NeedsDeposit when bet + fee exceeds the balance; an equal balance is
    // enough.
    static JoinType joinTypeFor(const TournamentInfo &tournament, qint64 balance);

    int joinType() const { return m_joinType; }
    const TournamentInfo &tournament() const { return m_tournament; }
    // Registration is open and the tournament still there: Accept is offered.
    bool canRegister() const;

signals:
    void registerTournament(qint32 tournamentId);
    void deposit();

public slots:
    void onAcceptClicked();
    void onDepositClicked();
    // Shows the tournament's new pot, count and status as the lobby gets them.
    void onTournamentUpdated(const TournamentInfo &tournament);
    void onTournamentRemoved(qint32 tournamentId);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillTexts();

    TournamentInfo m_tournament;
    bool m_removed = false;
    const int m_joinType;
    std::unique_ptr<Ui::JoinDialog> m_ui;
};
