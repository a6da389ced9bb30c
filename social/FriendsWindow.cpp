#include "social/FriendsWindow.h"
#include "ui_FriendsView.h"

#include "social/FriendSearchWindow.h"
#include "social/FriendsFilter.h"
#include "social/FriendsRosterModel.h"
#include "social/Logging.h"
#include "widgets/AutoCenterToParent.h"
#include "widgets/MahjongDialog.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/elements/XMPPRosterItem.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>

FriendsWindow::FriendsWindow(XMPPClient *client, XMPPRosterModel *roster, PlayerDb *playerDb,
                             LocalizationDb *localizationDb, QWidget *parent)
    : QWidget(parent)
    , m_client(client)
    , m_playerDb(playerDb)
    , m_localizationDb(localizationDb)
    , m_ui(std::make_unique<Ui::FriendsView>())
{
    m_ui->setupUi(this);
    setSearchEnabled(false);
    m_ui->friendDetail->setRemoveAllowed(m_client->state() == XMPPClient::ConnectedState);
    connect(m_client, &XMPPClient::connected, this, &FriendsWindow::onXmppConnected);
    connect(m_client, &XMPPClient::disconnected, this, &FriendsWindow::onXmppDisconnected);

    auto *filter = new FriendsFilter(this);
    auto *model = new FriendsRosterModel(roster, playerDb, this, false);
    filter->setSourceModel(model);
    filter->sort(0, Qt::AscendingOrder);
    m_ui->friendList->setModel(filter);
    // One icon and one line per friend: thousands are laid out without
    // measuring each.
    m_ui->friendList->setUniformItemSizes(true);

    m_ui->friendList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->friendList, &QWidget::customContextMenuRequested, this, &FriendsWindow::onFriendListContextMenu);
    m_ui->friendDetail->setPlayerDb(playerDb);
    m_ui->friendDetail->setLocalizationDb(localizationDb);

    connect(m_ui->friendList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FriendsWindow::onCurrentChanged);
    connect(filter, &QAbstractItemModel::dataChanged, this, &FriendsWindow::onDataChanged);
    connect(m_ui->friendDetail, &FriendDetailWindow::joinTable, this, &FriendsWindow::joinTable);
    connect(m_ui->friendDetail, &FriendDetailWindow::watchTable, this, &FriendsWindow::watchTable);
    connect(m_ui->friendDetail, &FriendDetailWindow::removeClicked, this, &FriendsWindow::onRemoveAction);
    connect(m_ui->searchButton, &QPushButton::clicked, this, &FriendsWindow::onDoSearch);
    connect(m_ui->friendSearchEdit, &QLineEdit::returnPressed, this, &FriendsWindow::onDoSearch);

    m_removeAction = new QAction(this);
    connect(m_removeAction, &QAction::triggered, this, &FriendsWindow::onRemoveAction);
    retranslate();
    m_contextMenu.addAction(m_removeAction);
}

FriendsWindow::~FriendsWindow() = default;

void FriendsWindow::retranslate()
{
    m_removeAction->setText(tr("Remove"));
    m_removeAction->setToolTip(tr("Remove user from list"));
}

void FriendsWindow::setSearchEnabled(bool enabled)
{
    m_ui->friendSearchEdit->setEnabled(enabled);
    m_ui->searchButton->setEnabled(enabled);
}

void FriendsWindow::setSearchService(const XMPPJid &service)
{
    if (service.text() == m_searchService)
        return;
    m_searchService = service.text();
    if (m_client->state() == XMPPClient::ConnectedState)
        setSearchEnabled(!m_searchService.isEmpty());
}

void FriendsWindow::setTableModel(QAbstractItemModel *tableModel)
{
    m_tableModel = tableModel;
    m_ui->friendDetail->setTableModel(tableModel);
}

FriendsRosterModel *FriendsWindow::rosterModel() const
{
    auto *filter = qobject_cast<FriendsFilter *>(m_ui->friendList->model());
    return filter ? qobject_cast<FriendsRosterModel *>(filter->sourceModel()) : nullptr;
}

const XMPPRosterItem *FriendsWindow::itemAt(const QModelIndex &listIndex) const
{
    auto *filter = qobject_cast<FriendsFilter *>(m_ui->friendList->model());
    FriendsRosterModel *model = rosterModel();
    if (!filter || !model || !listIndex.isValid())
        return nullptr;
    return model->item(filter->mapToSource(listIndex));
}

const XMPPRosterItem *FriendsWindow::currentFriend() const
{
    return itemAt(m_ui->friendList->currentIndex());
}

const XMPPRosterItem *FriendsWindow::findFriend(const XMPPJid &jid) const
{
    FriendsRosterModel *model = rosterModel();
    return model ? model->findItem(jid.bare()) : nullptr;
}

void FriendsWindow::addFriend(const XMPPJid &jid)
{
    if (!rosterModel()) {
        qCWarning(lcSocial) << "no source model";
        return;
    }
    const XMPPJid bare = jid.bare();
    if (jid.text() == m_client->jid().bare().text())
        return;
    const XMPPRosterItem *item = findFriend(bare);
    if (item && (item->flags & 5))
        return;
    m_client->requestSubscription(bare, false);
}

void FriendsWindow::openFriendSearch(const QString &text)
{
    if (findChild<FriendSearchWindow *>() || text.isEmpty())
        return;
    auto *dialog = new MahjongDialog(this, MahjongDialog::HideTitleBar);
    auto *search = new FriendSearchWindow(m_client, m_searchService, dialog);
    connect(search, &FriendSearchWindow::selectedJid, this, &FriendsWindow::onSelectedJid);
    search->setSearchText(text);
    search->startSearch();
    dialog->setWidget(search);
    dialog->showDialog(true);
    new AutoCenterToParent(dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
}

void FriendsWindow::onXmppConnected()
{
    setSearchEnabled(!m_searchService.isEmpty());
    m_ui->friendDetail->setRemoveAllowed(true);
}

void FriendsWindow::onXmppDisconnected()
{
    setSearchEnabled(false);
    m_ui->friendDetail->setRemoveAllowed(false);
}

void FriendsWindow::onFriendListContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_ui->friendList->indexAt(pos);
    const XMPPRosterItem *item = itemAt(index);
    if (!item)
        return;
    m_removeAction->setEnabled(offersRemove(item->flags) && m_client->state() == XMPPClient::ConnectedState);
    m_ui->friendList->setCurrentIndex(index);
    m_contextMenu.popup(m_ui->friendList->viewport()->mapToGlobal(pos));
}

bool FriendsWindow::offersRemove(int flags)
{
    return (flags & 1) || ((flags & 4) && !(flags & 2));
}

void FriendsWindow::onCurrentChanged(const QModelIndex &, const QModelIndex &)
{
    const XMPPRosterItem *item = m_playerDb ? currentFriend() : nullptr;
    if (item)
        m_ui->friendDetail->setRosterItem(*item);
    else
        m_ui->friendDetail->clear();
}

void FriendsWindow::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    const QModelIndex current = m_ui->friendList->currentIndex();
    if (current.isValid() && current.row() >= topLeft.row() && current.row() <= bottomRight.row())
        onCurrentChanged(current, QModelIndex());
}

void FriendsWindow::onRemoveAction()
{
    const XMPPRosterItem *item = currentFriend();
    if (!item)
        return;
    // Nothing would reach the server, and no answer would come.
    if (m_client->state() != XMPPClient::ConnectedState) {
        qCDebug(lcSocial) << "not connected: no friend removed";
        return;
    }
    const XMPPJid jid = item->jid;
    if (!(item->flags & 2)) {
        qCDebug(lcSocial) << "removing roster item";
        m_client->updateRosterItem(jid, true, QString(), QString());
    } else {
        qCDebug(lcSocial) << "unsubscribing";
        m_client->requestSubscription(jid, true);
    }
}

void FriendsWindow::onDetailAction()
{
    const XMPPRosterItem *item = currentFriend();
    if (!item || !m_playerDb)
        return;
    auto *window = new FriendDetailWindow(this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlags(Qt::Window);
    window->setPlayerDb(m_playerDb);
    window->setRosterItem(*item);
    window->setTableModel(m_tableModel);
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<QMainWindow *>(top)) {
            window->move(main->x() + (main->width() / 2 - window->width() / 2),
                         main->y() + (main->height() / 2 - window->height() / 2));
        }
    }
    window->show();
}

void FriendsWindow::onDoSearch()
{
    openFriendSearch(m_ui->friendSearchEdit->text());
}

void FriendsWindow::onSelectedJid(const XMPPJid &jid)
{
    addFriend(jid);
}

void FriendsWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        retranslate();
    }
    QWidget::changeEvent(event);
}
