#include "table/SideBar.h"

#include "core/TextFormat.h"
#include "game/GameModel.h"
#include "game/PlayerData.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableTexts.h"
#include "social/ChatController.h"
#include "social/ConferenceWidget.h"
#include "table/EmptySeatWidget.h"
#include "table/Logging.h"
#include "table/PlayerWidget.h"
#include "ui_SideBar.h"
#include "xmpp/client/XMPPClient.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVBoxLayout>
#include <QTreeView>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

TableInfo unsetTableInfo()
{
    TableInfo info;
    info.setGameType(-1);
    return info;
}

} // namespace

SideBar::SideBar(LocalizationDb *localizationDb, QWidget *parent)
    : QFrame(parent)
    , m_ui(new Ui::SideBar)
    , m_localizationDb(localizationDb)
{
    m_ui->setupUi(this);
    // The table's chat fills the pane the form keeps for it; presence and
    // kick notices of others stay out of a table's chat (mask 11).
    auto *chatLayout = new QVBoxLayout(m_ui->tableConference);
    chatLayout->setContentsMargins(0, 0, 0, 0);
    m_conference = new ConferenceWidget(m_ui->tableConference, 11);
    m_conference->setNoticeMask(11);
    chatLayout->addWidget(m_conference);
    connect(m_conference, &ConferenceWidget::userMenuRequested, this, &SideBar::userMenuRequested);
    connect(m_ui->tableDescription, &QLabel::linkActivated, this, &SideBar::onLinkActivated);
    m_roundTimer.setInterval(1000);
    connect(&m_roundTimer, &QTimer::timeout, this, &SideBar::onTimerTimeout);
    if (localizationDb)
        connect(localizationDb, &LocalizationDb::tableNamesUpdated, this, &SideBar::onTableNamesUpdated);
    clear();
}

SideBar::~SideBar()
{
    delete m_ui;
}

void SideBar::setLinkStyle(const QString &style)
{
    m_linkStyle = style;
    refresh();
}

void SideBar::setModel(GameModel *model)
{
    m_model = model;
    if (model)
        m_tableInfo = model->tableInfo();
    refresh();
    updateEmptySeats();
    joinWantedChat();
}

void SideBar::setTableInfo(const TableInfo &info)
{
    m_tableInfo = info;
    refresh();
    updateEmptySeats();
}

void SideBar::setTournamentInfo(const TournamentInfo &info)
{
    m_tournamentInfo = info;
    refresh();
}

void SideBar::setHandId(qint64 handId)
{
    m_handId = handId;
    refresh();
}

void SideBar::setWindRound(int windRound)
{
    if (windRound == m_windRound)
        return;
    m_windRound = windRound;
    applyWindRound();
}

void SideBar::applyWindRound()
{
    if (m_tableInfo.gameType() == TableInfo::FULL_GAME && m_windRound >= 1) {
        m_ui->tableRound->setText(tr("Wind round %L1 of %L2").arg(m_windRound).arg(m_tableInfo.windRounds()));
        m_ui->tableRound->show();
    } else {
        m_ui->tableRound->hide();
    }
}

void SideBar::updateSticks()
{
    const qint32 riichi = m_model ? m_model->riichiSticks() : 0;
    const qint32 counter = m_model ? m_model->counterSticks() : 0;
    m_ui->riichiStickText->setText(tr("x%1").arg(riichi));
    m_ui->counterStickText->setText(tr("x%1").arg(counter));
}

void SideBar::clear()
{
    for (PlayerWidget *widget : m_players)
        delete widget;
    m_players.clear();
    m_playerMap.clear();
    for (EmptySeatWidget *widget : m_emptySeats)
        delete widget;
    m_emptySeats.clear();
    m_highlighted = -1;
    m_gameType = -1;
    m_tableInfo = unsetTableInfo();
    m_tournamentInfo = TournamentInfo();
    m_roundTimer.stop();
    m_handId = -1;
    m_windRound = -1;
    m_chatWanted = false;
}

QString SideBar::rulesLink() const
{
    static const char *const anchors[] = {
        "<a href=\"client://rules/classic\" style=\"%1\">",
        "<a href=\"client://rules/international\" style=\"%1\">",
        "<a href=\"client://rules/riichi\" style=\"%1\">",
    };
    const int ruleset = m_tableInfo.ruleset();
    QString anchor;
    if (ruleset >= 0 && ruleset <= 2)
        anchor = QString::fromLatin1(anchors[ruleset]).arg(m_linkStyle.toHtmlEscaped());
    else
        anchor = QStringLiteral("<a>");
    return anchor + rulesetName(ruleset).toHtmlEscaped() + QStringLiteral("</a> ")
           + effectiveGameTypeName(m_tableInfo.gameType(), m_tableInfo.windRounds()).toHtmlEscaped();
}

void SideBar::refresh()
{
    if (!m_model || m_tableInfo.gameType() == -1)
        return;
    if (m_handId >= 0) {
        m_ui->handId->setText(tr("Hand Id: %1").arg(m_handId));
        m_ui->handId->show();
    } else {
        m_ui->handId->clear();
        m_ui->handId->hide();
    }
    m_ui->tableLimit->hide();
    m_ui->tableDescription->setText(rulesLink());
    if (m_tableInfo.gameType() == TableInfo::TOURNAMENT) {
        m_ui->tableName->setText(m_tournamentInfo.name);
        m_ui->tableRound->setText(
            tr("Round %L1 of %L2").arg(m_tournamentInfo.currentRound + 1).arg(m_tournamentInfo.numberOfRounds));
        m_ui->tableRound->show();
        m_ui->tableCost->hide();
        m_ui->roundLimit->show();
        onTimerTimeout();
        m_roundTimer.setSingleShot(false);
        if (m_tournamentInfo.status == TournamentInfo::Playing && !roundOver())
            m_roundTimer.start(1000);
    } else {
        QString name = m_localizationDb ? m_localizationDb->tableName(m_tableInfo) : QString();
        // Without a name from the server in this language: the lobby's word.
        if (name.isEmpty())
            name = LocalizationDb::fallbackTableName(m_tableInfo.id());
        m_ui->tableName->setText(name);
        m_ui->tableCost->setText(m_tableInfo.buyInText());
        m_ui->tableCost->show();
        m_ui->roundLimit->hide();
        applyWindRound();
    }
    if (m_tableInfo.ruleset() == 2) {
        m_ui->riichiInfo->show();
        updateSticks();
    } else {
        m_ui->riichiInfo->hide();
    }
    m_gameType = m_tableInfo.gameType();
    for (PlayerWidget *widget : m_players)
        widget->setGameType(m_gameType);
}

bool SideBar::roundOver() const
{
    return m_model && m_model->gameState() == GameModel::ROUND_ENDED;
}

void SideBar::onTimerTimeout()
{
    // A table whose round is over counts down nothing, even while the
    // tournament's round goes on at other tables.
    if (roundOver())
        m_roundTimer.stop();
    if (m_tournamentInfo.status != TournamentInfo::Playing || roundOver()) {
        m_ui->roundLimit->setText(tr("No round playing"));
        return;
    }
    const int round = m_tournamentInfo.currentRound;
    if (round < 0 || round >= int(m_tournamentInfo.roundsStart.size())
        || round >= int(m_tournamentInfo.roundsLength.size())) {
        qCWarning(lcTable) << "Tournament" << m_tournamentInfo.id << "has no start or length for round" << round;
        m_ui->roundLimit->setText(tr("No round playing"));
        return;
    }
    const QDateTime end = m_tournamentInfo.roundsStart[size_t(round)].addSecs(
        m_tournamentInfo.roundsLength[size_t(round)]);
    const QDateTime now = Utils::serverNow();
    const QString wait = now.msecsTo(end) < 1000 ? tr("now") : Utils::durationBetween(now, end);
    m_ui->roundLimit->setText(tr("Round ends in %1").arg(wait));
}

void SideBar::addPlayer(qint32 id, const QString &name, int wind, int points, int wins, bool ready)
{
    PlayerWidget *widget;
    const auto found = m_playerMap.find(id);
    if (found != m_playerMap.end()) {
        widget = found->second;
    } else {
        widget = new PlayerWidget(this);
        m_players.push_back(widget);
        m_playerMap[id] = widget;
        m_ui->playersContainer->addWidget(widget);
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this, &SideBar::onPlayerWidgetContextMenu);
    }
    widget->setName(name);
    widget->setWind(wind);
    widget->setPoints(points);
    widget->setWins(wins);
    widget->showReady(ready);
    widget->setGameType(m_gameType);
    updateEmptySeats();
    arrangeSeats();
}

void SideBar::addPlayer(const PlayerData &player)
{
    addPlayer(player.id(), player.name(), player.wind(), player.points(), player.wins(), player.isReady());
}

PlayerWidget *SideBar::playerWidget(qint32 id) const
{
    const auto found = m_playerMap.find(id);
    if (found == m_playerMap.end())
        throw std::runtime_error("no such player, pid: " + std::to_string(id));
    return found->second;
}

bool SideBar::hasPlayer(qint32 id) const
{
    return m_playerMap.count(id) != 0;
}

void SideBar::removePlayer(qint32 id)
{
    PlayerWidget *widget = playerWidget(id);
    m_players.remove(widget);
    m_playerMap.erase(id);
    delete widget;
    updateEmptySeats();
    if (id == m_highlighted)
        clearHighlight();
}

void SideBar::updateEmptySeats()
{
    // A player who left during a hand stays listed until it ends, so the
    // seats can briefly hold more players than the table has seats.
    const int wanted = std::max(0, m_tableInfo.capacity() - int(m_players.size()));
    while (int(m_emptySeats.size()) > wanted) {
        delete m_emptySeats.back();
        m_emptySeats.pop_back();
    }
    while (int(m_emptySeats.size()) < wanted) {
        auto *seat = new EmptySeatWidget(this);
        m_emptySeats.push_back(seat);
        m_ui->playersContainer->addWidget(seat);
    }
}

void SideBar::arrangeSeats()
{
    int reference = 0;
    if (m_model) {
        const auto found = m_playerMap.find(m_model->referencePlayerId());
        if (found != m_playerMap.end())
            reference = found->second->wind();
    }
    while (m_ui->playersContainer->count() > 0)
        delete m_ui->playersContainer->takeAt(0);
    m_players.sort([reference](const PlayerWidget *a, const PlayerWidget *b) {
        return (a->wind() - reference + 4) % 4 < (b->wind() - reference + 4) % 4;
    });
    for (PlayerWidget *widget : m_players) {
        m_ui->playersContainer->addWidget(widget);
        widget->show();
    }
    for (EmptySeatWidget *seat : m_emptySeats) {
        m_ui->playersContainer->addWidget(seat);
        seat->show();
    }
}

QList<PlayerWidget *> SideBar::seatOrder() const
{
    QList<PlayerWidget *> result;
    for (int i = 0; i < m_ui->playersContainer->count(); ++i)
        if (auto *widget = qobject_cast<PlayerWidget *>(m_ui->playersContainer->itemAt(i)->widget()))
            result << widget;
    return result;
}

void SideBar::setPlayerWind(qint32 id, int wind)
{
    playerWidget(id)->setWind(wind);
    arrangeSeats();
}

void SideBar::setPlayerPoints(qint32 id, int points)
{
    playerWidget(id)->setPoints(points);
}

void SideBar::setPlayerWins(qint32 id, int wins)
{
    playerWidget(id)->setWins(wins);
}

void SideBar::setPlayerPicture(qint32 id, const QPixmap &picture)
{
    const auto found = m_playerMap.find(id);
    if (found != m_playerMap.end())
        found->second->setPicture(picture);
}

void SideBar::setPlayerReady(qint32 id)
{
    playerWidget(id)->showReady(true);
}

void SideBar::clearReady()
{
    for (PlayerWidget *widget : m_players)
        widget->showReady(false);
}

void SideBar::setHighlightedPlayer(qint32 id)
{
    if (id == m_highlighted)
        return;
    PlayerWidget *next = playerWidget(id);
    if (m_highlighted != -1) {
        const auto previous = m_playerMap.find(m_highlighted);
        if (previous != m_playerMap.end())
            previous->second->setHighlight(false);
    }
    m_highlighted = id;
    next->setHighlight(true);
    update();
}

void SideBar::clearHighlight()
{
    for (PlayerWidget *widget : m_players)
        widget->setHighlight(false);
    m_highlighted = -1;
    update();
}

void SideBar::showPlayerClaim(qint32 id, int meldType, int declarationKind)
{
    playerWidget(id)->showClaim(meldType, m_tableInfo.ruleset(), declarationKind);
}

void SideBar::hideClaims()
{
    for (PlayerWidget *widget : m_players)
        widget->hideClaim();
}

void SideBar::setPlayerTimer(qint32 id, const TimeSpan &span)
{
    playerWidget(id)->setTimer(span);
}

void SideBar::clearTimers()
{
    for (PlayerWidget *widget : m_players)
        widget->clearTimer();
}

void SideBar::setWindsVisible(bool visible)
{
    for (PlayerWidget *widget : m_players)
        widget->setWindVisible(visible);
}

void SideBar::setScoresVisible(bool visible)
{
    for (PlayerWidget *widget : m_players)
        widget->setScoresVisible(visible);
}

void SideBar::connectLeaveButton(QObject *receiver)
{
    connect(m_ui->leaveButton, SIGNAL(clicked()), receiver, SLOT(onLeaveButtonClick()));
}

void SideBar::setLeaveEnabled(bool enabled)
{
    m_ui->leaveButton->setEnabled(enabled);
}

void SideBar::setLeaveVisible(bool visible)
{
    m_ui->leaveButton->setVisible(visible);
}

QWidget *SideBar::chatArea() const
{
    return m_ui->tableConference;
}

std::vector<qint32> SideBar::playerIds() const
{
    std::vector<qint32> ids;
    for (const auto &entry : m_playerMap)
        ids.push_back(entry.first);
    return ids;
}

void SideBar::setChatController(ChatController *controller)
{
    if (m_chatController) {
        disconnect(m_chatController, nullptr, this, nullptr);
        if (m_chatController->client())
            disconnect(m_chatController->client(), nullptr, this, nullptr);
    }
    m_chatController = controller;
    m_conference->setChatController(controller);
    if (!controller)
        return;
    connect(controller, &ChatController::conferenceServiceChanged, this, &SideBar::joinWantedChat);
    if (controller->client())
        connect(controller->client(), &XMPPClient::connected, this, &SideBar::joinWantedChat);
}

void SideBar::appendNotice(const QString &text)
{
    m_conference->appendNotice(text.toHtmlEscaped());
}

void SideBar::setChatJoined(bool joined)
{
    if (!joined) {
        m_chatWanted = false;
        m_conference->leave();
        return;
    }
    // Asked again every hand: a room that refused the entry is not asked
    // again until the session or the service changes.
    if (m_chatWanted)
        return;
    m_chatWanted = true;
    joinWantedChat();
}

void SideBar::joinWantedChat()
{
    if (!m_chatWanted || !m_model)
        return;
    const qint32 tableId = m_model->tableId();
    if (m_conference->isInTableChat(tableId))
        return;
    // Still in another table's room: the address can change only outside.
    if (m_conference->conference().isJoined())
        m_conference->leave();
    m_conference->joinTableChat(tableId);
}

void SideBar::on_leaveButton_clicked()
{
    qCDebug(lcTable) << "leave";
}

void SideBar::onPlayerWidgetContextMenu(QPoint p)
{
    auto *widget = qobject_cast<PlayerWidget *>(sender());
    if (!widget) {
        qCWarning(lcTable) << "Bogus widget requested player context menu";
        return;
    }
    // The whole name: the label may show it elided.
    emit userMenuRequested(widget->name(), widget->mapToGlobal(p));
}

void SideBar::onLinkActivated(QString link)
{
    emit linkActivated(link);
}

void SideBar::onTableNamesUpdated()
{
    refresh();
}

void SideBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        refresh();
    }
    QFrame::changeEvent(event);
}

void setColumnWidths(QTreeView *view, const int widths[3])
{
    for (int column = 0; column < 3; ++column)
        view->setColumnWidth(column, widths[column]);
}
