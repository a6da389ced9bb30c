#pragma once

#include "xmpp/elements/XMPPJid.h"
#include "xmpp/elements/XMPPPresence.h"
#include "xmpp/elements/XMPPRosterItem.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QString>

#include <vector>

class XMPPClient;

// The contact list as a flat, one-column item model: one row per roster
// entry, in the order entries were first added; views take the item itself.
class XMPPRosterModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit XMPPRosterModel(XMPPClient *client, QObject *parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const XMPPRosterItem *item(const QModelIndex &index) const;
    // The item of the bare form of jid (exact text), or null.
    const XMPPRosterItem *findItem(const XMPPJid &jid) const;
    QModelIndex indexOf(const XMPPJid &jid) const;

public slots:
    void onConnected();
    void onDisconnected();
    void onRosterReset();
    void onRosterUpdate(XMPPJid jid, int subscribeFlags, bool remove, QString name, QString group);
    void onPresence(XMPPPresence presence);
    void onAuthorizationRequestReceived(XMPPJid from);

private:
    int rowOf(const XMPPJid &jid) const;
    void rowChanged(int row);

    XMPPClient *m_client;
    std::vector<XMPPRosterItem> m_items;
    // Row of each item by its bare address: every presence and name update
    // looks its row up, and rosters run to thousands.
    QHash<XMPPJid, int> m_rows;
};
