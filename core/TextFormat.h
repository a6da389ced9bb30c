#pragma once

#include <QDateTime>
#include <QString>

// Text helpers that need no widgets: money, percentages, dates, durations and
// elided text, shared by the protocol, the models and every view.
namespace Utils {
// "%1$%L2": a minus sign for negative amounts, then the absolute amount in
// whole units (grouped) when it is whole and alwaysDecimals is false,
// otherwise with exactly two decimals.
QString moneyString(qint64 cents, bool alwaysDecimals = false);

// A value in tenths of a percent: "12%" or "12.50%".
QString percentString(qint64 tenthsOfPercent);

// Cuts the middle out of a text longer than maximum and puts "..." there.
// The result is never longer than maximum.
QString elideMiddle(const QString &text, int maximum);

// The one duration format of the program, e.g. "2d 03h 04m 05s"; leading zero
// units are left out, seconds are always shown.
QString durationText(qint64 seconds);

// durationText of from.secsTo(to).
QString durationBetween(const QDateTime &from, const QDateTime &to);

// "now" when less than a second remains until start by the server clock,
// otherwise "<duration> - time to start".
QString timeToStartText(const QDateTime &start);

// "%Ln min(s)" of seconds / 60.
QString minutesString(int seconds);

// Local date and time / local time of day in the short format of the default
// locale, which follows the user-interface language.
QString localDateTimeString(const QDateTime &dateTime);
QString localTimeString(const QDateTime &dateTime);

// The clock used for "time to start" texts. The game-server session installs
// its estimate of the server's clock here; until then it is the local UTC
// clock. Kept as a plain function so this library need not know the session.
using Clock = QDateTime (*)();
void setServerClock(Clock clock);
QDateTime serverNow();
} // namespace Utils
