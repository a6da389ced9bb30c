#include "lobby/LobbySummary.h"

#include "core/TextFormat.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
// More winners than fit the panel are of no use to anyone.
constexpr size_t MaxWinnersShown = 10;

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

LobbySummary::LobbySummary(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("lobbySummary"));
    auto *layout = new QVBoxLayout(this);
    m_titleLabel = makeLabel(this, "summaryTitle");
    m_onlineLabel = makeLabel(this, "playersOnlineLabel");
    m_seatedLabel = makeLabel(this, "playersSeatedLabel");
    m_tablesLabel = makeLabel(this, "tablesOpenLabel");
    m_tournamentsLabel = makeLabel(this, "tournamentsRunningLabel");
    m_winnersTitle = makeLabel(this, "topWinnersTitle");
    for (QLabel *label :
         {m_titleLabel, m_onlineLabel, m_seatedLabel, m_tablesLabel, m_tournamentsLabel, m_winnersTitle})
        layout->addWidget(label);
    m_winners = new QListWidget(this);
    m_winners->setObjectName(QStringLiteral("topWinnersList"));
    m_winners->setContextMenuPolicy(Qt::CustomContextMenu);
    m_winners->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(m_winners, 1);
    connect(m_winners, &QWidget::customContextMenuRequested, this, &LobbySummary::onWinnerContextMenu);
    updateTexts();
}

void LobbySummary::onLobbySummary(const lobby_summary_t &summary)
{
    m_summary = summary;
    updateTexts();
}

void LobbySummary::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        updateTexts();
    QFrame::changeEvent(event);
}

void LobbySummary::onWinnerContextMenu(const QPoint &pos)
{
    const QListWidgetItem *item = m_winners->itemAt(pos);
    if (!item)
        return;
    const QString name = item->data(Qt::UserRole).toString();
    if (!name.isEmpty())
        emit userMenuRequested(name, m_winners->viewport()->mapToGlobal(pos));
}

void LobbySummary::updateTexts()
{
    m_titleLabel->setText(tr("Lobby"));
    m_onlineLabel->setText(tr("Players online: %L1").arg(m_summary.playersOnline));
    m_seatedLabel->setText(tr("Players seated: %L1").arg(m_summary.playersSeated));
    m_tablesLabel->setText(tr("Open tables: %L1").arg(m_summary.tablesOpen));
    m_tournamentsLabel->setText(tr("Tournaments running: %L1").arg(m_summary.tournamentsRunning));
    m_winnersTitle->setText(tr("Today's top winners"));
    m_winnersTitle->setVisible(!m_summary.topWinners.empty());
    m_winners->setVisible(!m_summary.topWinners.empty());

    m_winners->clear();
    const size_t shown = std::min(m_summary.topWinners.size(), MaxWinnersShown);
    for (size_t i = 0; i < shown; ++i) {
        const auto &winner = m_summary.topWinners[i];
        // List items show plain text: a name is never taken as markup.
        auto *item = new QListWidgetItem(
            tr("%1. %2  %3").arg(i + 1).arg(winner.name, Utils::moneyString(winner.amount, false)), m_winners);
        item->setData(Qt::UserRole, winner.name);
        item->setData(Qt::UserRole + 1, winner.playerId);
    }
}
