#pragma once

#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "social/PlayerDb.h"
#include "table/GameController.h"
#include "tools/peer/PeerProcess.h"
#include "xmpp/client/XMPPClient.h"

#include <QObject>
#include <QWidget>

#include <memory>

// The client classes a table test drives against the scripted server, made
// anew for each test function and let go in the order they depend on.
class PeerTableTest : public QObject
{
protected:
    void makeClient()
    {
        m_peer = std::make_unique<PeerProcess>();
        m_session = std::make_unique<ConnectionManager>(true);
        m_tables = std::make_unique<TableModel>(m_session.get());
        m_xmpp = std::make_unique<XMPPClient>();
        m_playerDb = std::make_unique<PlayerDb>(m_session.get(), m_xmpp.get(), nullptr);
        m_mainWindow = std::make_unique<QWidget>();
    }

    void dropClient()
    {
        m_controller.reset();
        m_mainWindow.reset();
        m_tables.reset();
        m_playerDb.reset();
        m_xmpp.reset();
        m_session.reset();
        m_peer.reset();
    }

    std::unique_ptr<PeerProcess> m_peer;
    std::unique_ptr<ConnectionManager> m_session;
    std::unique_ptr<TableModel> m_tables;
    std::unique_ptr<XMPPClient> m_xmpp;
    std::unique_ptr<PlayerDb> m_playerDb;
    std::unique_ptr<QWidget> m_mainWindow;
    std::unique_ptr<GameController> m_controller;
};
