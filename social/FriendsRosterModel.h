#pragma once

#include "social/XMPPRosterModelProxy.h"

#include <QIcon>
#include <QSet>
#include <QString>
#include <QTimer>

class PlayerDb;

// The roster as the social views show it: contacts by screen name, with a
// presence icon and a tool tip saying how they are (unless names only).
class FriendsRosterModel : public XMPPRosterModelProxy
{
    Q_OBJECT

public:
    FriendsRosterModel(XMPPRosterModel *roster, PlayerDb *playerDb, QObject *parent, bool namesOnly);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    static QString availabilityName(int code, bool capitalize);
    // The screen name; for a contact who is none of our players, the name
    // the roster gives, else the address.
    static QString displayName(PlayerDb *playerDb, const XMPPRosterItem &item);
    static QIcon presenceIcon(const XMPPRosterItem &item);
    // Plain text of the name and status wrapped as rich text, so that views
    // show it exactly as the player wrote it.
    QString toolTip(const XMPPRosterItem &item) const;

public slots:
    // The rows of the players named since the event loop last ran show
    // their names together, as one change: a login names thousands at once,
    // and a sorted view re-sorts once for all of them.
    void onPlayerNameUpdate(qint32 pid, const QString &screenname);

private:
    void showNewNames();

    PlayerDb *m_playerDb;
    bool m_namesOnly;
    QSet<qint32> m_renamed;
    QTimer m_namesTimer;
};
