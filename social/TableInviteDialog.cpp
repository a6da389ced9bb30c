#include "social/TableInviteDialog.h"
#include "ui_TableInviteDialog.h"

#include "social/FriendsRosterModel.h"
#include "social/Logging.h"
#include "social/PlayerDb.h"
#include "social/TableInviteFilter.h"
#include "xmpp/elements/XMPPRosterItem.h"

TableInviteDialog::TableInviteDialog(qint32 tableId, const QString &lobbyPath, XMPPRosterModel *roster,
                                     PlayerDb *playerDb, QWidget *parent)
    : MahjongDialog(parent, MahjongDialog::ShowCloseButton)
    , m_content(new QWidget(this))
    , m_ui(std::make_unique<Ui::TableInviteDialog>())
    , m_tableId(tableId)
    , m_playerDb(playerDb)
    , m_filter(new TableInviteFilter(lobbyPath, this))
{
    m_ui->setupUi(m_content);
    setWidget(m_content);
    connect(m_ui->inviteButton, &QPushButton::clicked, this, &TableInviteDialog::onInviteButtonClicked);
    m_ui->playerList->setHeaderHidden(true);
    m_filter->setPlayerDb(playerDb);
    m_filter->setSourceModel(new FriendsRosterModel(roster, playerDb, m_filter, true));
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &TableInviteDialog::onAvailableFriendsChanged);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &TableInviteDialog::onAvailableFriendsChanged);
    m_ui->playerList->setModel(m_filter);
    m_ui->playerList->sortByColumn(0, Qt::AscendingOrder);
    m_filter->sort(0, Qt::AscendingOrder);
    connect(m_ui->playerList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TableInviteDialog::onCurrentFriendChanged);
    m_ui->inviteButton->setEnabled(currentFriend() != nullptr);
    onAvailableFriendsChanged();
}

TableInviteDialog::~TableInviteDialog() = default;

void TableInviteDialog::resetInvites()
{
    m_invitesSent = 0;
    m_filter->clearInvited();
}

const XMPPRosterItem *TableInviteDialog::currentFriend() const
{
    auto *proxy = qobject_cast<QSortFilterProxyModel *>(m_ui->playerList->model());
    auto *model = proxy ? qobject_cast<FriendsRosterModel *>(proxy->sourceModel()) : nullptr;
    if (!model)
        return nullptr;
    return model->item(proxy->mapToSource(m_ui->playerList->currentIndex()));
}

void TableInviteDialog::onCurrentFriendChanged(const QModelIndex &)
{
    m_ui->inviteButton->setEnabled(currentFriend() != nullptr);
}

void TableInviteDialog::onInviteButtonClicked()
{
    const XMPPRosterItem *item = currentFriend();
    if (!item)
        return;
    const QString jid = item->jid.text();
    const qint32 pid = m_playerDb ? m_playerDb->pidFromJid(item->jid) : -1;
    // The game server knows players by id only: an address that names no
    // player cannot be invited and must not use up an invitation.
    if (pid < 0) {
        qCWarning(lcSocial) << "no player id for" << jid;
        return;
    }
    const std::vector<qint32> ids{pid};
    m_filter->addInvited(jid);
    ++m_invitesSent;
    onAvailableFriendsChanged();
    emit invitePlayers(m_tableId, ids);
}

void TableInviteDialog::onAvailableFriendsChanged()
{
    if (m_filter->rowCount() > 0) {
        m_ui->info->hide();
        m_ui->playerList->show();
        m_ui->inviteButton->show();
        m_content->setMinimumWidth(250);
        m_content->setMaximumWidth(250);
    } else {
        m_ui->playerList->hide();
        m_ui->inviteButton->hide();
        m_ui->info->show();
        m_ui->info->setText(m_invitesSent >= InviteLimit ? QStringLiteral("No invites left!")
                                                         : QStringLiteral("No friends to invite available"));
        m_content->setMinimumWidth(250);
        m_content->setMaximumWidth(350);
    }
    m_content->setFixedHeight(175);
    m_content->updateGeometry();
}
