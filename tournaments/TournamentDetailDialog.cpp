#include "tournaments/TournamentDetailDialog.h"

#include "ui_TournamentDetailDialog.h"

#include "core/TextFormat.h"
#include "lobby/TableModel.h"
#include "lobby/TableTexts.h"
#include "tournaments/TournamentPlayerFilter.h"
#include "tournaments/TournamentPrizeStructureModel.h"
#include "tournaments/TournamentRankingModel.h"
#include "tournaments/TournamentTexts.h"
#include "widgets/UPushButton.h"

#include <QCloseEvent>
#include <QHeaderView>

#include <algorithm>

namespace {

bool isOpenOrClosed(int status)
{
    return status == TournamentInfo::Open || status == TournamentInfo::Closed;
}

bool isSeatedOrPlaying(int status)
{
    return status == TournamentInfo::Seating || status == TournamentInfo::Playing;
}

} // namespace

TournamentDetailDialog::TournamentDetailDialog(QWidget *parent)
    : MahjongDialog(parent, ShowCloseButton)
    , m_playerFilter(new TournamentPlayerFilter(this))
    , m_prizeModel(new TournamentPrizeStructureModel(this))
    , m_ui(std::make_unique<Ui::TournamentDetailDialog>())
{
    auto *content = new QFrame;
    setWidget(content);
    m_ui->setupUi(content);
    content->setWindowTitle(QString());

    m_ui->contentContainerLayout->setRowStretch(1, 1);
    // Titled columns: the points texts ("24/3/$500") mean nothing without them.
    m_ui->playerList->header()->setStretchLastSection(false);
    m_ui->playerList->sortByColumn(0, Qt::AscendingOrder);
    m_ui->playerList->setModel(m_playerFilter);
    m_ui->playerList->hide();
    m_ui->playerList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->playerList, &QWidget::customContextMenuRequested, this,
            &TournamentDetailDialog::onPlayerListContextMenu);
    // The grid sits on the dialog's own background, like the lists.
    m_ui->tableListScrollArea->viewport()->setAutoFillBackground(false);
    m_ui->tableList->setAutoFillBackground(false);
    m_ui->tableListLayout->setAlignment(Qt::AlignTop);
    m_ui->prizeList->header()->hide();
    m_ui->prizeList->setModel(m_prizeModel);

    connect(m_ui->joinButton, &QAbstractButton::clicked, this, &TournamentDetailDialog::onJoinButtonClicked);
    connect(m_ui->leaveButton, &QAbstractButton::clicked, this, &TournamentDetailDialog::onLeaveButtonClicked);
    connect(m_ui->freeTextSearch, &QLineEdit::textChanged, this, &TournamentDetailDialog::onFreeTextSearchChanged);

    m_watchWait.setSingleShot(true);
    m_watchWait.setInterval(WatchWaitMs);
    connect(&m_watchWait, &QTimer::timeout, this, &TournamentDetailDialog::onWatchWaitTimeout);

    updateView();
    relabelWatchButtons();
}

TournamentDetailDialog::~TournamentDetailDialog()
{
    unsubscribe();
    // The grid's widgets go before the form that lays them out.
    m_tableRows.clear();
}

QString TournamentDetailDialog::tournamentLobbyPath(qint32 tournamentId)
{
    return QStringLiteral("101/mtt/%1").arg(tournamentId);
}

bool TournamentDetailDialog::isTournamentTablePath(const QString &lobbyPath, const QString &tournamentPath)
{
    // "101/mtt/12" must not take the tables of "101/mtt/123".
    return lobbyPath == tournamentPath
           || (lobbyPath.startsWith(tournamentPath) && lobbyPath.size() > tournamentPath.size()
               && lobbyPath.at(tournamentPath.size()) == QLatin1Char('/'));
}

QList<qint32> TournamentDetailDialog::listedTables() const
{
    QList<qint32> ids;
    for (const auto &[id, row] : m_tableRows)
        ids.append(id);
    return ids;
}

void TournamentDetailDialog::setTournamentInfo(const TournamentInfo &info)
{
    if (info.id == m_info.id)
        return;
    unsubscribe();
    m_info = info;
    delete m_rankingModel;
    m_rankingModel = new TournamentRankingModel(info.id, this);
    m_playerFilter->setSourceModel(m_rankingModel);
    selectPrizeStructure();
    updateView();
}

void TournamentDetailDialog::setTableModel(TableModel *tableModel)
{
    if (m_tableModel == tableModel)
        return;
    unsubscribe();
    if (m_tableModel)
        disconnect(m_tableModel, nullptr, this, nullptr);
    m_tableModel = tableModel;
    if (tableModel) {
        connect(tableModel, &TableModel::tableAdded, this, &TournamentDetailDialog::onTableAdded);
        connect(tableModel, &TableModel::tableRemoved, this, &TournamentDetailDialog::onTableRemoved);
    }
    updateView();
}

void TournamentDetailDialog::onTournamentUpdated(const TournamentInfo &ti)
{
    if (ti.id != m_info.id)
        return;
    // A tournament removed with its session comes back with the next one's
    // records.
    m_tournamentPresent = true;
    m_info = ti;
    selectPrizeStructure();
    updateView();
}

void TournamentDetailDialog::onTournamentRemoved(qint32 tournamentId)
{
    if (tournamentId != m_info.id || !m_tournamentPresent)
        return;
    unsubscribe();
    // The id stays: a record of it may come again.
    m_info = TournamentInfo();
    m_info.id = tournamentId;
    m_tournamentPresent = false;
    updateView();
}

void TournamentDetailDialog::onTournamentPrizeConfiguration(qint32 tournamentId,
                                                            const tournament_prize_configuration_t &configuration)
{
    if (tournamentId != m_info.id)
        return;
    if (&configuration != &m_prizeConfiguration)
        m_prizeConfiguration = configuration;
    selectPrizeStructure();
    updateView();
}

void TournamentDetailDialog::onTournamentRankings(qint32 tournamentId, const TournamentRankings &rankings)
{
    if (tournamentId != m_info.id || !m_rankingModel)
        return;
    m_rankingModel->onTournamentRankings(tournamentId, rankings);
    updateView();
}

void TournamentDetailDialog::onTableWatched(qint32 tableId)
{
    if (!m_pendingWatches.remove(tableId))
        return;
    if (m_pendingWatches.isEmpty()) {
        m_watchWait.stop();
        if (m_closePending)
            close();
    }
}

void TournamentDetailDialog::onWatchWaitTimeout()
{
    // The answers are not coming: the hidden dialog is released.
    m_pendingWatches.clear();
    if (m_closePending)
        close();
}

void TournamentDetailDialog::onJoinButtonClicked()
{
    emit registerTournament(m_info.id);
}

void TournamentDetailDialog::onLeaveButtonClicked()
{
    emit unregisterTournament(m_info.id);
}

void TournamentDetailDialog::onPlayerListContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_ui->playerList->indexAt(pos);
    auto *ranking = qobject_cast<TournamentRankingModel *>(m_playerFilter->sourceModel());
    if (!index.isValid() || !ranking)
        return;
    if (const TournamentRanking *r = ranking->rankingAt(m_playerFilter->mapToSource(index)))
        emit userMenuRequested(r->name, m_ui->playerList->mapToGlobal(pos));
}

void TournamentDetailDialog::onFreeTextSearchChanged(const QString &text)
{
    m_playerFilter->setFreeText(text);
}

void TournamentDetailDialog::onTableAdded(qint32 tableId)
{
    if (!m_tableModel || !m_tableModel->hasTable(tableId) || m_tableRows.count(tableId) || m_info.id < 0)
        return;
    const TableInfo table = m_tableModel->tableInfo(tableId);
    if (!isTournamentTablePath(table.lobbyPath(), tournamentLobbyPath(m_info.id)))
        return;
    TableRow row;
    row.button = std::make_unique<UPushButton>(tr("Watch"), this);
    row.button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row.button->setId(tableId);
    connect(row.button.get(), qOverload<qint32>(&UPushButton::clicked), this, &TournamentDetailDialog::onTableClicked);
    QString name = m_tableModel->tableName(table);
    if (name.isEmpty())
        name = QStringLiteral("#%1").arg(tableId);
    row.label = std::make_unique<QLabel>(name);
    // Table names may come from the server.
    row.label->setTextFormat(Qt::PlainText);
    const int at = m_ui->tableListLayout->rowCount();
    m_ui->tableListLayout->addWidget(row.label.get(), at, 0, Qt::AlignLeft | Qt::AlignVCenter);
    m_ui->tableListLayout->addWidget(row.button.get(), at, 1, Qt::AlignLeft | Qt::AlignVCenter);
    m_tableRows.emplace(tableId, std::move(row));
}

void TournamentDetailDialog::onTableRemoved(qint32 tableId)
{
    m_tableRows.erase(tableId);
}

void TournamentDetailDialog::onTableClicked(qint32 tableId)
{
    m_pendingWatches.insert(tableId);
    emit watchTable(tableId);
}

void TournamentDetailDialog::showEvent(QShowEvent *event)
{
    m_closePending = false;
    m_watchWait.stop();
    MahjongDialog::showEvent(event);
}

void TournamentDetailDialog::closeEvent(QCloseEvent *event)
{
    if (!m_pendingWatches.isEmpty()) {
        // The answer still has to reach this dialog; it goes when the last
        // one came, or after a while.
        m_closePending = true;
        event->ignore();
        hide();
        m_watchWait.start();
        return;
    }
    event->accept();
}

void TournamentDetailDialog::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId || m_timerId == 0) {
        MahjongDialog::timerEvent(event);
        return;
    }
    updateStartLine();
    updateRoundLines();
}

void TournamentDetailDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(widget());
        widget()->setWindowTitle(QString());
        if (m_rankingModel)
            m_rankingModel->retranslateHeaders();
        updateView();
        relabelWatchButtons();
    }
    MahjongDialog::changeEvent(event);
}

void TournamentDetailDialog::updateView()
{
    if (!m_tournamentPresent) {
        m_ui->removedContainer->show();
        m_ui->contentContainer->hide();
        return;
    }
    const int status = m_info.status;
    if (status == TournamentInfo::Open || status == TournamentInfo::Closed || status == TournamentInfo::Playing
        || status == TournamentInfo::Paused) {
        if (m_timerId == 0)
            m_timerId = startTimer(1000);
    } else if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }

    const bool open = status == TournamentInfo::Open;
    m_ui->joinButton->setVisible(open && !m_info.playerRegistered);
    m_ui->leaveButton->setVisible(open && m_info.playerRegistered);

    m_ui->removedContainer->hide();
    m_ui->contentContainer->show();
    updateStartLine();

    // The dialog frame shows the title as plain text.
    setWindowTitle(m_info.name);
    m_ui->statusLabel->setText(tr("Status: %1").arg(tournamentStatusName(status)));
    m_ui->buyInLabel->setText(tr("Buy-in: %1").arg(tournamentBuyInText(tournamentBuyIn(m_info))));
    m_ui->potLabel->setText(tr("Pot: %1").arg(tournamentAmountText(tournamentPot(m_info))));
    m_ui->rulesLabel->setText(tr("Rules: %1").arg(rulesetName(m_info.ruleset)));
    m_ui->durationLabel->setText(tr("Duration: %1").arg(tournamentDurationText(m_info)));
    m_ui->registeredLabel->setText(
        tr("Registered Players: %1").arg(registeredInfoText({m_info.registeredPlayers, m_info.maxPlayers})));

    updateRoundLines();

    const bool standings = !(isOpenOrClosed(status) || status == TournamentInfo::Cancelled
                             || status == TournamentInfo::Aborted);
    m_ui->playersHeader->setText(standings ? tr("Standings") : tr("Players"));
    m_ui->playerList->setColumnHidden(2, !standings);
    updatePlayerList();

    if (isOpenOrClosed(status)) {
        m_ui->tableListScrollArea->hide();
        const bool prizes = m_prizeModel->rowCount() > 0;
        m_ui->payoutAndTablesHeaderFrame->setVisible(prizes);
        m_ui->prizeList->setVisible(prizes);
        if (prizes) {
            m_ui->payoutAndTablesHeader->setText(tr("Payout structure"));
            m_ui->prizeList->setColumnWidth(0, 50);
            m_ui->prizeList->setColumnWidth(1, 50);
        }
    } else if (isSeatedOrPlaying(status)) {
        m_ui->payoutAndTablesHeader->setText(tr("Tables"));
        m_ui->payoutAndTablesHeaderFrame->show();
        m_ui->tableListScrollArea->show();
        m_ui->prizeList->hide();
    } else {
        m_ui->tableListScrollArea->hide();
        m_ui->prizeList->hide();
        m_ui->payoutAndTablesHeaderFrame->hide();
    }

    if (isSeatedOrPlaying(status))
        subscribe();
    else
        unsubscribe();
}

void TournamentDetailDialog::updatePlayerList()
{
    // Shown while the tournament has players, whatever the search hides, so
    // that clearing a search that hid every row brings the list back.
    if (m_rankingModel && m_rankingModel->rowCount() > 0) {
        m_ui->playerList->setColumnHidden(0, true);
        m_ui->playerList->show();
        // The name takes what the points leave; the points are never cut.
        QHeaderView *header = m_ui->playerList->header();
        header->setSectionResizeMode(1, QHeaderView::Stretch);
        header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    } else {
        m_ui->playerList->hide();
    }
}

void TournamentDetailDialog::updateStartLine()
{
    if (isOpenOrClosed(m_info.status)) {
        m_ui->startsLabel->setText(tr("Starts in: %1").arg(Utils::timeToStartText(m_info.start)));
        m_ui->startsLabel->show();
    } else {
        m_ui->startsLabel->hide();
    }
}

void TournamentDetailDialog::updateRoundLines()
{
    const int status = m_info.status;
    if (status != TournamentInfo::Playing && status != TournamentInfo::Paused) {
        m_ui->tournamentInPlayContainer->hide();
        return;
    }
    m_ui->tournamentInPlayContainer->show();
    const int round = m_info.currentRound;
    m_ui->currentRoundLabel->setText(tr("Round %1").arg(round + 1));
    const bool lastRound = round + 1 >= m_info.numberOfRounds;
    if (status == TournamentInfo::Playing) {
        // A schedule that lacks the round leaves the line empty.
        if (round < 0 || size_t(round) >= m_info.roundsStart.size() || size_t(round) >= m_info.roundsLength.size()) {
            m_ui->nextBreakLabel->clear();
            return;
        }
        const QDateTime end = m_info.roundsStart[size_t(round)].addSecs(m_info.roundsLength[size_t(round)]);
        // What is left of a round in play: a plain duration ("time to start"
        // belongs to the start line), never below nothing.
        const QString left = Utils::durationText(std::max<qint64>(Utils::serverNow().secsTo(end), 0));
        m_ui->nextBreakLabel->setText(lastRound ? tr("Ends in: %1").arg(left) : tr("Next break in: %1").arg(left));
    } else if (!lastRound) {
        if (round + 1 < 0 || size_t(round + 1) >= m_info.roundsStart.size()) {
            m_ui->nextBreakLabel->clear();
            return;
        }
        m_ui->nextBreakLabel->setText(
            tr("Next round in: %1").arg(Utils::timeToStartText(m_info.roundsStart[size_t(round + 1)])));
    }
}

void TournamentDetailDialog::selectPrizeStructure()
{
    const auto it = m_prizeConfiguration.find(Range<int>(m_info.registeredPlayers, m_info.registeredPlayers));
    if (it != m_prizeConfiguration.end())
        m_prizeModel->onTournamentPrizeStructure(it->second, m_info);
    else
        m_prizeModel->clear();
}

void TournamentDetailDialog::subscribe()
{
    if (!m_tableModel || m_subscribed || m_info.id < 0)
        return;
    m_subscribed = true;
    m_subscribedPath = tournamentLobbyPath(m_info.id);
    m_tableModel->subscribe(m_subscribedPath);
    // Tables the model already held are not announced again.
    for (int row = 0; row < m_tableModel->rowCount(); ++row)
        onTableAdded(m_tableModel->tableInfoAt(row).id());
}

void TournamentDetailDialog::unsubscribe()
{
    if (!m_subscribed)
        return;
    m_subscribed = false;
    if (m_tableModel)
        m_tableModel->unsubscribe(m_subscribedPath);
}

void TournamentDetailDialog::relabelWatchButtons()
{
    for (auto &[id, row] : m_tableRows)
        row.button->setText(tr("Watch"));
}
