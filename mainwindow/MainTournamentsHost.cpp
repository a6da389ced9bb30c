#include "mainwindow/MainTournamentsHost.h"

#include "lobby/LobbyController.h"
#include "lobby/TableModel.h"
#include "mainwindow/Logging.h"
#include "mainwindow/MainWindow.h"
#include "table/GameController.h"

#include <QFrame>

QWidget *MainTournamentsHost::mainWidget() const
{
    return m_window;
}

QWidget *MainTournamentsHost::lobbyWidget() const
{
    return m_window->view().lobbyWidget;
}

void MainTournamentsHost::onDeposit()
{
    m_window->onDeposit();
}

void MainTournamentsHost::askToCompleteRegistration(int kind)
{
    m_window->askToCompleteRegistration(kind);
}

bool MainTournamentsHost::watchTable(qint32 tableId)
{
    // Only a request that goes out gets an answer.
    const bool sent = tableId >= 1 && m_window->connectionManager().isLoggedIn()
                      && m_window->lobbyController()->tableModel()->hasTable(tableId)
                      && !m_window->gameController()->hasTable(tableId);
    m_window->watchTable(tableId);
    return sent;
}

void MainTournamentsHost::onUserMenuRequested(const QString &name, const QPoint &globalPos)
{
    m_window->onUserMenuRequested(name, globalPos);
}

qint64 MainTournamentsHost::accountBalance() const
{
    return m_window->accountBalance();
}
