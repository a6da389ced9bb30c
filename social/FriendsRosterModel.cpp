#include "social/FriendsRosterModel.h"

#include "widgets/Utils.h"
#include "social/PlayerDb.h"
#include "xmpp/elements/XMPPRosterItem.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

namespace {
enum PresenceIcon { AvailableIcon, AwayIcon, ExtendedAwayIcon, NotAvailableIcon, UnknownIcon };

const QIcon &icon(PresenceIcon which)
{
    static const std::array<QIcon, 5> icons{
        QIcon(QStringLiteral("resources:xmpp_available.png")),
        QIcon(QStringLiteral("resources:xmpp_away.png")),
        QIcon(QStringLiteral("resources:xmpp_extended_away.png")),
        QIcon(QStringLiteral("resources:xmpp_not_available.png")),
        QIcon(QStringLiteral("resources:xmpp_unknown.png")),
    };
    return icons[which];
}
} // namespace

FriendsRosterModel::FriendsRosterModel(XMPPRosterModel *roster, PlayerDb *playerDb, QObject *parent, bool namesOnly)
    : XMPPRosterModelProxy(roster, parent)
    , m_playerDb(playerDb)
    , m_namesOnly(namesOnly)
{
    m_namesTimer.setSingleShot(true);
    m_namesTimer.setInterval(0);
    connect(&m_namesTimer, &QTimer::timeout, this, &FriendsRosterModel::showNewNames);
    if (m_playerDb)
        connect(m_playerDb, &PlayerDb::playerNameUpdate, this, &FriendsRosterModel::onPlayerNameUpdate);
}

QVariant FriendsRosterModel::data(const QModelIndex &index, int role) const
{
    const XMPPRosterItem *rosterItem = item(index);
    if (!rosterItem)
        return QVariant();
    if (role == Qt::DisplayRole)
        return displayName(m_playerDb, *rosterItem);
    if (!m_namesOnly && role == Qt::DecorationRole)
        return presenceIcon(*rosterItem);
    if (!m_namesOnly && role == Qt::ToolTipRole)
        return toolTip(*rosterItem);
    return XMPPRosterModelProxy::data(index, role);
}

QString FriendsRosterModel::availabilityName(int code, bool capitalize)
{
    QString name;
    switch (code) {
    case XMPPPresence::Unavailable:
        name = tr("offline");
        break;
    case XMPPPresence::Available:
        name = tr("online");
        break;
    case XMPPPresence::Away:
        name = tr("away");
        break;
    case XMPPPresence::Chat:
        name = tr("talkative");
        break;
    case XMPPPresence::Dnd:
        name = tr("busy");
        break;
    case XMPPPresence::Xa:
        name = tr("away");
        break;
    default:
        name = tr("<unknown availability>");
        break;
    }
    if (capitalize && !name.isEmpty())
        name[0] = name.at(0).toUpper();
    return name;
}

QString FriendsRosterModel::displayName(PlayerDb *playerDb, const XMPPRosterItem &item)
{
    QString name = playerDb ? playerDb->screennameForJid(item.jid) : QString();
    if (name.isEmpty())
        name = item.name.isEmpty() ? item.jid.text() : item.name;
    return name;
}

QIcon FriendsRosterModel::presenceIcon(const XMPPRosterItem &item)
{
    if (item.flags & 1) {
        switch (item.availability()) {
        case XMPPPresence::Unavailable:
        case XMPPPresence::Dnd:
            return icon(NotAvailableIcon);
        case XMPPPresence::Available:
        case XMPPPresence::Chat:
            return icon(AvailableIcon);
        case XMPPPresence::Away:
            return icon(AwayIcon);
        case XMPPPresence::Xa:
            return icon(ExtendedAwayIcon);
        default:
            return icon(UnknownIcon);
        }
    }
    if (item.flags & 4)
        return icon(NotAvailableIcon);
    return icon(UnknownIcon);
}

QString FriendsRosterModel::toolTip(const XMPPRosterItem &item) const
{
    const QString name = displayName(m_playerDb, item);
    QString status;
    QString availability = availabilityName(XMPPPresence::Unavailable, false);
    if (const XMPPPresence *presence = item.bestPresence()) {
        status = presence->status();
        availability = availabilityName(presence->availability(), false);
    }
    // A tool tip that looks like markup would be rendered as such: the
    // player's texts are escaped and the whole is marked as rich text.
    const QString text = status.isEmpty()
                             //: %1 is friend name, %2 is availability type
                             ? tr("%1 is %2").arg(Utils::isolated(name).toHtmlEscaped(), availability.toHtmlEscaped())
                             //: %1 is friend name, %2 is availability type, %3 is user status message
                             : tr("%1 is %2 with status \"%3\"")
                                   .arg(Utils::isolated(name).toHtmlEscaped(), availability.toHtmlEscaped(),
                                        Utils::isolated(status).toHtmlEscaped());
    return QStringLiteral("<qt>") + text + QStringLiteral("</qt>");
}

void FriendsRosterModel::onPlayerNameUpdate(qint32 pid, const QString &)
{
    if (!m_playerDb)
        return;
    m_renamed.insert(pid);
    if (!m_namesTimer.isActive())
        m_namesTimer.start();
}

void FriendsRosterModel::showNewNames()
{
    int first = INT_MAX;
    int last = -1;
    for (const qint32 pid : std::exchange(m_renamed, {})) {
        const QModelIndex index = indexOf(m_playerDb->jidForPid(pid));
        if (index.isValid()) {
            first = std::min(first, index.row());
            last = std::max(last, index.row());
        }
    }
    if (last >= 0)
        emit dataChanged(index(first, 0), index(last, 0));
}
