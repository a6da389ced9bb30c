#pragma once

#include "tournaments/TournamentsHost.h"

class MainWindow;

// What the tournament views use of the main window: its pages, its tables
// and the player's balance.
class MainTournamentsHost : public TournamentsHost
{
public:
    explicit MainTournamentsHost(MainWindow *window)
        : m_window(window)
    {
    }

    QWidget *mainWidget() const override;
    QWidget *lobbyWidget() const override;
    void onDeposit() override;
    void askToCompleteRegistration(int kind) override;
    bool watchTable(qint32 tableId) override;
    void onUserMenuRequested(const QString &name, const QPoint &globalPos) override;
    qint64 accountBalance() const override;

private:
    MainWindow *m_window;
};
