#include "xmpp/client/XMPPRosterModel.h"

#include "xmpp/Logging.h"
#include "xmpp/client/XMPPClient.h"

#include <QDebug>

XMPPRosterModel::XMPPRosterModel(XMPPClient *client, QObject *parent)
    : QAbstractItemModel(parent)
    , m_client(client)
{
    connect(client, &XMPPClient::connected, this, &XMPPRosterModel::onConnected);
    connect(client, &XMPPClient::disconnected, this, &XMPPRosterModel::onDisconnected);
    connect(client, &XMPPClient::rosterReset, this, &XMPPRosterModel::onRosterReset);
    connect(client, &XMPPClient::rosterUpdate, this, &XMPPRosterModel::onRosterUpdate);
    connect(client, &XMPPClient::presence, this, &XMPPRosterModel::onPresence);
    connect(client, &XMPPClient::authorizationRequestReceived, this, &XMPPRosterModel::onAuthorizationRequestReceived);
    if (client->state() == XMPPClient::ConnectedState)
        onConnected();
}

QModelIndex XMPPRosterModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || column != 0 || row < 0 || row >= int(m_items.size()))
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex XMPPRosterModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int XMPPRosterModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int XMPPRosterModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant XMPPRosterModel::data(const QModelIndex &index, int role) const
{
    const XMPPRosterItem *rosterItem = item(index);
    if (!rosterItem || role != Qt::DisplayRole)
        return QVariant();
    return rosterItem->jid.text();
}

const XMPPRosterItem *XMPPRosterModel::item(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.column() != 0 || index.row() < 0
        || index.row() >= int(m_items.size()))
        return nullptr;
    return &m_items[size_t(index.row())];
}

int XMPPRosterModel::rowOf(const XMPPJid &jid) const
{
    return m_rows.value(jid.bare(), -1);
}

const XMPPRosterItem *XMPPRosterModel::findItem(const XMPPJid &jid) const
{
    const int row = rowOf(jid);
    return row < 0 ? nullptr : &m_items[size_t(row)];
}

QModelIndex XMPPRosterModel::indexOf(const XMPPJid &jid) const
{
    const int row = rowOf(jid);
    return row < 0 ? QModelIndex() : createIndex(row, 0);
}

void XMPPRosterModel::rowChanged(int row)
{
    const QModelIndex changed = createIndex(row, 0);
    emit dataChanged(changed, changed);
}

void XMPPRosterModel::onConnected()
{
    m_client->requestRoster();
}

void XMPPRosterModel::onDisconnected()
{
    // Nobody is known to be online without a session; the rows stay until
    // the next roster arrives.
    for (size_t row = 0; row < m_items.size(); ++row) {
        if (!m_items[row].presences.isEmpty()) {
            m_items[row].presences.clear();
            rowChanged(int(row));
        }
    }
}

void XMPPRosterModel::onRosterReset()
{
    beginResetModel();
    m_items.clear();
    m_rows.clear();
    endResetModel();
}

void XMPPRosterModel::onRosterUpdate(XMPPJid jid, int subscribeFlags, bool remove, QString name, QString group)
{
    qCDebug(lcXmpp) << "onRosterUpdate: " << jid.text() << " flags" << subscribeFlags << " remove " << remove;
    const int row = rowOf(jid);
    if (row >= 0) {
        if (remove) {
            beginRemoveRows(QModelIndex(), row, row);
            m_rows.remove(m_items[size_t(row)].jid);
            m_items.erase(m_items.begin() + row);
            for (size_t later = size_t(row); later < m_items.size(); ++later)
                m_rows[m_items[later].jid] = int(later);
            endRemoveRows();
        } else {
            XMPPRosterItem &existing = m_items[size_t(row)];
            existing.flags = subscribeFlags;
            existing.name = name;
            existing.group = group;
            rowChanged(row);
        }
    } else if (!remove) {
        const int last = int(m_items.size());
        beginInsertRows(QModelIndex(), last, last);
        m_items.emplace_back(jid.bare(), name, group, subscribeFlags);
        m_rows.insert(m_items.back().jid, last);
        endInsertRows();
    }
}

void XMPPRosterModel::onPresence(XMPPPresence presence)
{
    const int row = rowOf(presence.from());
    if (row < 0)
        return;
    XMPPRosterItem &rosterItem = m_items[size_t(row)];
    const QString resource = presence.from().resource();
    int availability = presence.availability();
    if (availability == XMPPPresence::Error) {
        qCWarning(lcXmpp) << "got error state as presence for a roster item, treating as unavailable";
        availability = XMPPPresence::Unavailable;
    }
    if (availability != XMPPPresence::Unavailable) {
        rosterItem.presences.insert(resource, presence);
        rowChanged(row);
    } else if (rosterItem.presences.remove(resource) > 0) {
        rowChanged(row);
    } else {
        qCDebug(lcXmpp) << "got unavailable presence for roster item with no previous online presence, ignoring";
    }
}

void XMPPRosterModel::onAuthorizationRequestReceived(XMPPJid from)
{
    m_client->answerSubscription(from, true);
}
