#include "lobby/TablePreview.h"

#include "lobby/TableModel.h"
#include "lobby/TableTexts.h"
#include "protocol/ConnectionManager.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // names come from the server
    label->setWordWrap(true);
    return label;
}
} // namespace

TablePreview::TablePreview(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("tablePreview"));
    auto *layout = new QVBoxLayout(this);
    m_nameLabel = makeLabel(this, "tableNameLabel");
    m_rulesLabel = makeLabel(this, "rulesLabel");
    m_gameTypeLabel = makeLabel(this, "gameTypeLabel");
    m_stakesLabel = makeLabel(this, "stakesLabel");
    m_seatsLabel = makeLabel(this, "seatsLabel");
    for (QLabel *label : {m_nameLabel, m_rulesLabel, m_gameTypeLabel, m_stakesLabel, m_seatsLabel})
        layout->addWidget(label);
    layout->addStretch(1);
    auto *buttons = new QHBoxLayout;
    m_joinButton = new QPushButton(this);
    m_joinButton->setObjectName(QStringLiteral("joinButton"));
    m_watchButton = new QPushButton(this);
    m_watchButton->setObjectName(QStringLiteral("watchButton"));
    buttons->addWidget(m_joinButton);
    buttons->addWidget(m_watchButton);
    layout->addLayout(buttons);

    connect(m_joinButton, &QPushButton::clicked, this, [this] {
        if (m_tableId > 0)
            emit joinTable(m_tableId);
    });
    connect(m_watchButton, &QPushButton::clicked, this, [this] {
        if (m_tableId > 0)
            emit watchTable(m_tableId);
    });
    refresh();
}

TablePreview::~TablePreview() = default;

void TablePreview::setConnectionManager(ConnectionManager *connection)
{
    m_connection = connection;
}

void TablePreview::setTableModel(TableModel *tableModel)
{
    if (m_tableModel == tableModel)
        return;
    if (m_tableModel)
        disconnect(m_tableModel, nullptr, this, nullptr);
    m_tableModel = tableModel;
    if (tableModel) {
        connect(tableModel, &QAbstractItemModel::dataChanged, this, &TablePreview::onDataChanged);
        connect(tableModel, &TableModel::tableRemoved, this, &TablePreview::onTableRemoved);
        connect(tableModel, &QAbstractItemModel::modelReset, this, &TablePreview::refresh);
    }
    refresh();
}

void TablePreview::onPreviewTable(qint32 tableId)
{
    m_tableId = tableId;
    refresh();
}

void TablePreview::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        refresh();
    QFrame::changeEvent(event);
}

void TablePreview::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (!m_tableModel || m_tableId < 1)
        return;
    const int row = m_tableModel->rowOfTable(m_tableId);
    if (row >= topLeft.row() && row <= bottomRight.row())
        refresh();
}

void TablePreview::onTableRemoved(qint32 tableId)
{
    if (tableId == m_tableId)
        refresh();
}

void TablePreview::refresh()
{
    m_joinButton->setText(tr("Join"));
    m_watchButton->setText(tr("Watch"));
    const bool known = m_tableModel && m_tableId > 0 && m_tableModel->hasTable(m_tableId);
    if (!known) {
        m_nameLabel->setText(tr("Select a table to see it here."));
        for (QLabel *label : {m_rulesLabel, m_gameTypeLabel, m_stakesLabel, m_seatsLabel})
            label->clear();
        m_joinButton->setEnabled(false);
        m_watchButton->setEnabled(false);
        return;
    }
    const TableInfo info = m_tableModel->tableInfo(m_tableId);
    QString name = m_tableModel->tableNameById(m_tableId);
    if (name.isEmpty())
        name = tr("Table %1").arg(m_tableId);
    m_nameLabel->setText(name);
    m_rulesLabel->setText(tr("Rules: %1").arg(rulesetName(info.ruleset())));
    m_gameTypeLabel->setText(tr("Game: %1").arg(effectiveGameTypeName(info.gameType(), info.windRounds())));
    m_stakesLabel->setText(info.value().hasBuyIn() ? tr("Stakes: %1").arg(info.value().betAndFeeText())
                                                   : tr("Stakes: %1").arg(info.buyInText()));
    QString seats = tr("Players: %1 of %2").arg(info.seated()).arg(info.capacity());
    if (info.bots() > 0)
        seats += QLatin1Char(' ') + tr("(%n bot(s))", nullptr, info.bots());
    if (info.isFull())
        seats += QLatin1Char(' ') + tr("- table full");
    m_seatsLabel->setText(seats);
    // Tournament tables are seated by the tournament; a full table can only
    // be watched.
    m_joinButton->setEnabled(!info.isFull() && !info.isTournamentTable());
    m_watchButton->setEnabled(true);
}
