#pragma once

#include "protocol/Range.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentRanking.h"
#include "tournaments/TournamentRegisteredInfo.h"

#include <QString>

// Texts and amounts of tournaments shared by the tournament views. Money is
// counted in cents in 64 bits; a bet of -1 (no buy-in set) counts as 0.

// "Open" ... "Aborted" in the context "TournamentInfo", "<undefined>" for
// any other value.
QString tournamentStatusName(int status);
// "12/64".
QString registeredInfoText(const TournamentRegisteredInfo &info);
// Bet x registered players + the added amount.
qint64 tournamentPot(const TournamentInfo &info);
// Bet + fee.
qint64 tournamentBuyIn(const TournamentInfo &info);
// False while the status is unknown and once the tournament is over.
bool isTournamentActive(const TournamentInfo &info);
// "4x20 min(s)" for equal rounds, the total minutes for unequal ones, from
// the round lengths the record holds; empty when it holds none.
QString tournamentDurationText(const TournamentInfo &info);
// "-" for 0, otherwise the money text.
QString tournamentAmountText(qint64 cents);
// The buy-in column's text: its own "-" for 0, otherwise the money text.
QString tournamentBuyInText(qint64 cents);

// The prize of a share (tenths of a percent) of a pot, rounded down to a
// multiple of 10 cents; -1 for a share outside 0-1000 or a pot below 0.
qint64 tournamentPrize(qint64 pot, int share);
// "#4-#10", or "#1" for a single position.
QString positionRangeText(const Range<int> &range);

// "4.5/4": table points (half points) and competition points.
QString rankingPointsText(const TournamentRanking &ranking);
// "4.5/4/$12.50": the same and the payout.
QString rankingPointsPayoutText(const TournamentRanking &ranking);
