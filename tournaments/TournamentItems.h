#pragma once

#include "lobby/CustomItem.h"
#include "protocol/Range.h"
#include "tournaments/TournamentRegisteredInfo.h"

#include <QDateTime>
#include <QStandardItem>
#include <QString>

#include <functional>

// The cells of the tournament models. Every cell is not editable and carries
// the given tool tip; a CustomItem answers its raw value under
// TournamentRoles::RawValueRole for the proxies to sort and filter on.

QStandardItem *createStandardItem(const QString &text, const QString &toolTip, Qt::Alignment alignment);
// The display role holds the number itself, so that it sorts as a number.
QStandardItem *createNumberItem(int value, const QString &toolTip, Qt::Alignment alignment);

CustomItem<int> *createIntItem(const int &value, const QString &toolTip, std::function<QString(const int &)> formatter);
// Money: pots and buy-ins are counted in 64 bits.
CustomItem<qint64> *createAmountItem(const qint64 &value, const QString &toolTip,
                                     std::function<QString(const qint64 &)> formatter);
CustomItem<QDateTime> *createDateTimeItem(const QDateTime &value, const QString &toolTip,
                                          std::function<QString(const QDateTime &)> formatter);
CustomItem<TournamentRegisteredInfo> *createRegisteredInfoItem(const TournamentRegisteredInfo &value,
                                                               const QString &toolTip);
CustomItem<Range<int>> *createRangeItem(const Range<int> &value, const QString &toolTip,
                                        std::function<QString(const Range<int> &)> formatter);
