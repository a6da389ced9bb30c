#include "social/FriendDetailWindow.h"
#include "ui_FriendDetailView.h"

#include "widgets/Utils.h"
#include "social/FriendsFilter.h"
#include "social/FriendsRosterModel.h"
#include "social/PlayerDb.h"
#include "xmpp/elements/XMPPRosterItem.h"

#include <QEvent>
#include <QListWidget>

#include <algorithm>
#include <stdexcept>

FriendDetailWindow::FriendDetailWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::FriendDetailView>())
{
    m_ui->setupUi(this);
    m_tableListModel.setFilter(nullptr);
    m_ui->tableListView->setModel(&m_tableListModel);
    clear();
    connect(m_ui->tableListView, &CompactTableView::tableDoubleClicked, this,
            &FriendDetailWindow::onTableDoubleClicked);
    connect(m_ui->removeButton, &QPushButton::clicked, this, &FriendDetailWindow::removeClicked);
    // Join and Watch act on the chosen table: without one they are off.
    connect(m_ui->tableListView->listWidget(), &QListWidget::currentItemChanged, this,
            &FriendDetailWindow::updateTableButtons);
    updateTableButtons();
}

void FriendDetailWindow::updateTableButtons()
{
    const bool chosen = m_ui->tableListView->selectedTableId() != -1;
    m_ui->joinButton->setEnabled(chosen);
    m_ui->watchButton->setEnabled(chosen);
}

FriendDetailWindow::~FriendDetailWindow()
{
    // The model gives back its subscriptions before the filter goes.
    m_tableListModel.setFilter(nullptr);
}

void FriendDetailWindow::setPlayerDb(PlayerDb *playerDb)
{
    if (playerDb == m_playerDb)
        return;
    if (m_playerDb)
        disconnect(m_playerDb, &PlayerDb::playerPictureUpdate, this, &FriendDetailWindow::onPlayerPictureUpdate);
    m_playerDb = playerDb;
    if (m_playerDb)
        connect(m_playerDb, &PlayerDb::playerPictureUpdate, this, &FriendDetailWindow::onPlayerPictureUpdate);
}

void FriendDetailWindow::setLocalizationDb(LocalizationDb *localizationDb)
{
    m_ui->tableListView->setLocalizationDb(localizationDb);
}

void FriendDetailWindow::setTableModel(QAbstractItemModel *tableModel)
{
    m_tableListModel.setSourceModel(tableModel);
}

QString FriendDetailWindow::availabilityText(const XMPPRosterItem &item)
{
    if (!FriendsFilter::isFriend(quint8(item.flags)))
        return QString();
    const XMPPPresence *presence = item.bestPresence();
    if (!presence)
        return FriendsRosterModel::availabilityName(XMPPPresence::Unavailable, false);
    const QString status = presence->status();
    if (status.isEmpty())
        return FriendsRosterModel::availabilityName(presence->availability(), false);
    //: %1 is availability type, %2 is user status message
    return tr("%1 with status \"%2\"")
        .arg(FriendsRosterModel::availabilityName(presence->availability(), true), Utils::isolated(status));
}

void FriendDetailWindow::setRosterItem(const XMPPRosterItem &item)
{
    if (!m_playerDb)
        throw std::runtime_error("no player db set when setting roster item");
    m_friendId = m_playerDb->pidFromJid(item.jid);
    onPlayerPictureUpdate(m_friendId);
    m_ui->presenceIconLabel->setPixmap(FriendsRosterModel::presenceIcon(item).pixmap(64, 64));
    const QString name = FriendsRosterModel::displayName(m_playerDb, item);
    m_ui->nameLabel->setText(name);
    setWindowTitle(tr("Friend details for %1").arg(Utils::isolated(name)));
    m_ui->presenceAndStatusLabel->setText(availabilityText(item));

    // A presence names at most a few tables; a longer list is cut, so that
    // one presence cannot make the lobby subscribe to any number of paths.
    TableLobbyFilter tables;
    QSet<QString> seen;
    if (const XMPPPresence *presence = item.bestPresence()) {
        QStringList paths = presence->tables().values();
        std::sort(paths.begin(), paths.end());
        for (const QString &path : std::as_const(paths)) {
            if (seen.size() >= MaxTablePaths)
                break;
            const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
            bool ok = false;
            const qint32 id = path.mid(slash + 1).toInt(&ok, 10);
            if (!ok || seen.contains(path))
                continue;
            seen.insert(path);
            tables.addTable(slash < 0 ? QString() : path.left(slash), id);
        }
    }
    // Presences come often and mostly change nothing here: the lobby's
    // subscriptions change only when the set of paths does.
    const auto pathSet = [](const TableLobbyFilter &f) { return QSet<QString>(f.paths().begin(), f.paths().end()); };
    const bool samePaths = pathSet(tables) == pathSet(m_tableFilter);
    if (tables.isEmpty()) {
        m_tableListModel.setFilter(nullptr);
        m_tableFilter.clear();
    } else if (samePaths && m_tableListModel.filter() == &m_tableFilter) {
        if (tables.tableIds() != m_tableFilter.tableIds()) {
            m_tableFilter = tables;
            m_tableListModel.refilter();
        }
    } else {
        m_tableListModel.setFilter(nullptr);
        m_tableFilter = tables;
        m_tableListModel.setFilter(&m_tableFilter);
    }
    m_hasItem = true;
    m_ui->removeButton->setEnabled(m_removeAllowed);
    updateTableButtons();
}

void FriendDetailWindow::setRemoveAllowed(bool allowed)
{
    m_removeAllowed = allowed;
    m_ui->removeButton->setEnabled(allowed && m_hasItem);
}

void FriendDetailWindow::clear()
{
    m_friendId = -1;
    m_hasItem = false;
    m_tableListModel.setFilter(nullptr);
    m_tableFilter.clear();
    m_ui->avatarLabel->clear();
    m_ui->presenceIconLabel->clear();
    m_ui->nameLabel->clear();
    m_ui->presenceAndStatusLabel->clear();
    m_ui->removeButton->setEnabled(false);
    updateTableButtons();
}

void FriendDetailWindow::displayStatusIcon(bool display)
{
    m_ui->presenceIconLabel->setVisible(display);
}

void FriendDetailWindow::onPlayerPictureUpdate(qint32 pid)
{
    if (m_playerDb && pid == m_friendId)
        m_ui->avatarLabel->setPixmap(m_playerDb->picture(pid, true));
}

void FriendDetailWindow::on_joinButton_clicked()
{
    const qint32 id = m_ui->tableListView->selectedTableId();
    if (id != -1)
        emit joinTable(id);
}

void FriendDetailWindow::on_watchButton_clicked()
{
    const qint32 id = m_ui->tableListView->selectedTableId();
    if (id != -1)
        emit watchTable(id);
}

void FriendDetailWindow::onTableDoubleClicked(qint32 tableId)
{
    if (tableId != -1)
        emit joinTable(tableId);
}

void FriendDetailWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
