#pragma once

#include <QSortFilterProxyModel>

class XMPPJid;
class XMPPRosterItem;
class XMPPRosterModel;

// The common base of the roster views: a proxy over the roster model that
// turns a row of the view back into its roster item.
class XMPPRosterModelProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    XMPPRosterModelProxy(XMPPRosterModel *roster, QObject *parent);

    XMPPRosterModel *roster() const { return m_roster; }
    // Null when the index has no roster item.
    const XMPPRosterItem *item(const QModelIndex &index) const;
    const XMPPRosterItem *findItem(const XMPPJid &jid) const;
    // Invalid when the address is not in the roster.
    QModelIndex indexOf(const XMPPJid &jid) const;

private:
    XMPPRosterModel *m_roster;
};
