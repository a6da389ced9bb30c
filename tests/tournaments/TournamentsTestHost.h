#pragma once

#include "tournaments/TournamentsHost.h"

#include <QList>
#include <QWidget>

// The window around the views, as the main window offers it.
class TournamentsTestHost : public TournamentsHost
{
public:
    TournamentsTestHost() { lobby.setParent(&main); }
    QWidget *mainWidget() const override { return const_cast<QWidget *>(&main); }
    QWidget *lobbyWidget() const override { return hasLobby ? const_cast<QWidget *>(&lobby) : nullptr; }
    void onDeposit() override { ++deposits; }
    void askToCompleteRegistration(int kind) override { completeKinds.append(kind); }
    bool watchTable(qint32 tableId) override
    {
        watched.append(tableId);
        return watchAnswers;
    }
    void onUserMenuRequested(const QString &, const QPoint &) override {}
    qint64 accountBalance() const override { return balance; }

    QWidget main;
    QWidget lobby;
    bool hasLobby = true;
    bool watchAnswers = true;
    int deposits = 0;
    QList<int> completeKinds;
    QList<qint32> watched;
    qint64 balance = 0;
};
