#pragma once

#include <QPoint>
#include <QString>
#include <QtGlobal>

class QWidget;

// What the tournament views need of the window that hosts them: its pages
// (deposit, account), its tables and the player's balance. The main window
// implements it; the views know nothing else of it.
class TournamentsHost
{
public:
    virtual ~TournamentsHost() = default;

    // The parent of message boxes; null when there is none.
    virtual QWidget *mainWidget() const = 0;
    // The parent of the detail and join dialogs, the logged-in page
    // ("lobbyWidget"); null until it is built.
    virtual QWidget *lobbyWidget() const = 0;
    // The account's deposit page.
    virtual void onDeposit() = 0;
    // Asks whether to complete the account's registration; kind 2 titles the
    // question "Tournament registration".
    virtual void askToCompleteRegistration(int kind) = 0;
    // Sends a watch request and answers true; false when none was sent (the
    // table is unknown or already open), so nothing will answer it.
    virtual bool watchTable(qint32 tableId) = 0;
    // The player menu for a name, at a global position.
    virtual void onUserMenuRequested(const QString &name, const QPoint &globalPos) = 0;
    // The account balance in cents as last reported by the server.
    virtual qint64 accountBalance() const = 0;
};
