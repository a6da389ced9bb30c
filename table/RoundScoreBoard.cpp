#include "table/RoundScoreBoard.h"

#include "lobby/LocalizationDb.h"
#include "protocol/TableInfo.h"
#include "table/RoundScoreWidget.h"
#include "ui_RoundScoreBoard.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

RoundScoreBoard::RoundScoreBoard(LocalizationDb *localizationDb, QWidget *parent)
    : QFrame(parent)
    , m_ui(new Ui::RoundScoreBoard)
    , m_localizationDb(localizationDb)
{
    m_ui->setupUi(this);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &RoundScoreBoard::onCloseClick);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &RoundScoreBoard::closeClick);
    // A language change sends the table names again.
    if (m_localizationDb)
        connect(m_localizationDb, &LocalizationDb::tableNamesUpdated, this, &RoundScoreBoard::retitle);
}

RoundScoreBoard::~RoundScoreBoard()
{
    clearRows();
    delete m_ui;
}

void RoundScoreBoard::setPlayerLookup(NameLookup names, PictureLookup pictures)
{
    m_names = std::move(names);
    m_pictures = std::move(pictures);
}

QString RoundScoreBoard::title() const
{
    return m_ui->titleLabel->text();
}

QString RoundScoreBoard::roundText() const
{
    return m_ui->roundLabel->text();
}

void RoundScoreBoard::setTournamentInfo(const TournamentInfo &info)
{
    m_titledTournament = info;
    m_titledTable.reset();
    retitle();
}

void RoundScoreBoard::setTableInfo(const TableInfo &info)
{
    m_titledTable = info;
    m_titledTournament.reset();
    retitle();
}

void RoundScoreBoard::retitle()
{
    if (m_titledTournament) {
        m_ui->titleLabel->setText(m_titledTournament->name);
        m_ui->roundLabel->setText(
            tr("Round %L1/%L2").arg(m_titledTournament->currentRound + 1).arg(m_titledTournament->numberOfRounds));
    } else if (m_titledTable) {
        m_ui->titleLabel->setText(m_localizationDb ? m_localizationDb->displayName(*m_titledTable)
                                                   : LocalizationDb::fallbackTableName(m_titledTable->id()));
        m_ui->roundLabel->setText(tr("Round results"));
    }
}

void RoundScoreBoard::clearRows()
{
    for (RoundScoreWidget *row : m_rows)
        delete row;
    m_rows.clear();
    m_byPlayer.clear();
}

RoundScoreWidget *RoundScoreBoard::addRow(qint32 playerId, int mode)
{
    auto *row = new RoundScoreWidget(mode, this);
    m_rows.push_back(row);
    // A player listed twice keeps the first row.
    m_byPlayer.emplace(playerId, row);
    row->setName(m_names ? m_names(playerId) : QString());
    row->setPicture(m_pictures ? m_pictures(playerId) : QPixmap());
    return row;
}

void RoundScoreBoard::setRoundScores(const TournamentRoundScores &scores)
{
    m_tournament = true;
    clearRows();
    for (const TournamentRoundScore &score : scores) {
        RoundScoreWidget *row = addRow(score.playerId, RoundScoreWidget::Tournament);
        row->setMahjongPoints(score.mahjongPoints);
        row->setRoundResult(score.result);
        row->setTournamentPoints(0);
    }
    layoutRows();
}

void RoundScoreBoard::setMonetaryRoundScores(const MonetaryRoundScores &scores)
{
    m_tournament = false;
    clearRows();
    // A table without a buy-in has no balance to show: "$0" for everyone
    // would say nothing, the points say who placed where.
    const bool money = !m_titledTable || m_titledTable->value().hasBuyIn();
    for (const MonetaryRoundScore &score : scores) {
        RoundScoreWidget *row = addRow(score.playerId, money ? RoundScoreWidget::Money : RoundScoreWidget::Points);
        row->setMahjongPoints(score.mahjongPoints);
        row->setRoundResult(score.result);
    }
    layoutRows();
}

void RoundScoreBoard::setTournamentRankings(const TournamentRankings &rankings)
{
    for (RoundScoreWidget *row : m_rows)
        row->setTournamentPoints(0);
    for (const TournamentRanking &ranking : rankings) {
        const auto found = m_byPlayer.find(ranking.playerId);
        if (found != m_byPlayer.end())
            found->second->setTournamentPoints(ranking.competitionPoints);
    }
}

void RoundScoreBoard::layoutRows()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const RoundScoreWidget *a, const RoundScoreWidget *b) {
        if (a->roundResult() != b->roundResult())
            return a->roundResult() > b->roundResult();
        if (a->mahjongPoints() != b->mahjongPoints())
            return a->mahjongPoints() > b->mahjongPoints();
        return a->name() > b->name();
    });
    for (size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i]->setGeometry(11, 55 + 95 * int(i), 334, 94);
        m_rows[i]->show();
    }
}

void RoundScoreBoard::onCloseClick()
{
    hide();
}

void RoundScoreBoard::onPlayerNameUpdate(qint32 playerId, const QString &name)
{
    const auto found = m_byPlayer.find(playerId);
    if (found != m_byPlayer.end())
        found->second->setName(name);
}

void RoundScoreBoard::onPlayerPictureUpdate(qint32 playerId)
{
    const auto found = m_byPlayer.find(playerId);
    if (found != m_byPlayer.end() && m_pictures)
        found->second->setPicture(m_pictures(playerId));
}

void RoundScoreBoard::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_ui->titleLabel->geometry().contains(event->pos())) {
        m_dragPoint = event->pos();
        m_dragging = true;
        raise();
        return;
    }
    QFrame::mousePressEvent(event);
}

void RoundScoreBoard::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    QWidget *parent = parentWidget();
    const QPoint cursor = parent ? parent->mapFromGlobal(event->globalPosition().toPoint())
                                 : event->globalPosition().toPoint();
    if (!parent || parent->rect().contains(cursor))
        move(cursor - m_dragPoint);
}

void RoundScoreBoard::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QFrame::mouseReleaseEvent(event);
}

void RoundScoreBoard::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        const QString title = m_ui->titleLabel->text();
        const QString round = m_ui->roundLabel->text();
        m_ui->retranslateUi(this);
        // The tournament's or table's name is not the form's placeholder.
        m_ui->titleLabel->setText(title);
        m_ui->roundLabel->setText(round);
        retitle();
    }
    QFrame::changeEvent(event);
}
