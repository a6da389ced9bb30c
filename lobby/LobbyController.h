#pragma once

#include <QObject>
#include <QStringList>

class ConnectionManager;
class LobbyWindow;
class QWidget;
class TableModel;

// Owns the lobby's table model and makes the lobby windows that show it.
class LobbyController : public QObject
{
    Q_OBJECT

public:
    explicit LobbyController(ConnectionManager *connection, QObject *parent = nullptr);

    TableModel *tableModel() const { return m_tableModel; }

    // A new lobby window listing the tables of lobbyPaths().
    LobbyWindow *createWindow(QWidget *parent);

    // The lobby paths whose tables the lobby window lists.
    static QStringList lobbyPaths();

private:
    TableModel *m_tableModel = nullptr;
};
