#include "table/TableSelector.h"

#include "lobby/LocalizationDb.h"
#include "protocol/TableInfo.h"
#include "table/SelectorButton.h"
#include "ui_TableSelector.h"

#include <QButtonGroup>
#include <QEvent>

#include <algorithm>
#include <stdexcept>
#include <string>

TableSelector::TableSelector(QWidget *parent)
    : QWidget(parent)
    , m_ui(new Ui::TableSelector)
    , m_group(new QButtonGroup(this))
    , m_lobbyButton(new QPushButton)
{
    m_ui->setupUi(this);
    m_lobbyButton->setParent(m_ui->buttons);
    m_lobbyButton->setObjectName(QStringLiteral("lobbyButton"));
    m_lobbyButton->setCheckable(true);
    // The group gives -1 a number of its own; the lobby is told apart by
    // its button instead.
    m_group->addButton(m_lobbyButton);
    m_ui->hboxLayout1->addWidget(m_lobbyButton);
    onTableNamesUpdated();
    setAttribute(Qt::WA_NoSystemBackground);
    connect(m_ui->selectorLeft, &QToolButton::clicked, this, &TableSelector::scrollButtonClicked);
    connect(m_ui->selectorRight, &QToolButton::clicked, this, &TableSelector::scrollButtonClicked);
    connect(m_group, &QButtonGroup::buttonClicked, this, [this](QAbstractButton *clicked) {
        emit tableClicked(clicked == m_lobbyButton ? -1 : m_group->id(clicked));
    });
    relayout();
}

TableSelector::~TableSelector()
{
    delete m_ui;
}

void TableSelector::setLocalizationDb(LocalizationDb *db)
{
    if (m_localizationDb)
        disconnect(m_localizationDb, nullptr, this, nullptr);
    m_localizationDb = db;
    if (db)
        connect(db, &LocalizationDb::tableNamesUpdated, this, &TableSelector::onTableNamesUpdated);
}

QString TableSelector::tableName(qint32 tableId) const
{
    QString name;
    if (m_localizationDb) {
        const auto record = m_records.find(tableId);
        if (record != m_records.end())
            name = m_localizationDb->tableName(record->second);
        if (name.isEmpty())
            name = m_localizationDb->tableNameById(tableId);
    }
    // Without a name from the server in this language: the lobby's word,
    // never a name of the language shown before.
    return name.isEmpty() ? LocalizationDb::fallbackTableName(tableId) : name;
}

SelectorButton *TableSelector::button(qint32 tableId) const
{
    if (tableId < 0)
        return nullptr;
    return qobject_cast<SelectorButton *>(m_group->button(tableId));
}

QWidget *TableSelector::strip() const
{
    return m_ui->buttons;
}

void TableSelector::addTable(const TableInfo &info)
{
    if (info.id() < 0 || m_group->button(info.id()))
        throw std::runtime_error("duplicate table: " + std::to_string(info.id()));
    auto *button = new SelectorButton(m_ui->buttons);
    m_records[info.id()] = info;
    button->setTableName(tableName(info.id()));
    if (info.gameType() == TableInfo::TOURNAMENT)
        button->setKind(SelectorButton::Tournament);
    m_group->addButton(button, info.id());
    m_ui->hboxLayout1->addWidget(button);
    relayout();
}

void TableSelector::setActiveTable(qint32 tableId)
{
    QAbstractButton *target = tableId == -1 ? m_lobbyButton : button(tableId);
    if (!target)
        throw std::runtime_error("set active table for missing id: " + std::to_string(tableId));
    target->setChecked(true);
    relayout();
}

qint32 TableSelector::checkedTableId() const
{
    QAbstractButton *checked = m_group->checkedButton();
    if (!checked || checked == m_lobbyButton)
        return -1;
    return m_group->id(checked);
}

void TableSelector::removeTable(qint32 tableId)
{
    SelectorButton *target = button(tableId);
    if (!target)
        throw std::runtime_error("missing table when removing from table selector, id: " + std::to_string(tableId));
    m_group->removeButton(target);
    m_records.erase(tableId);
    delete target;
    relayout();
}

void TableSelector::onTableInfo(const TableInfo &info)
{
    SelectorButton *target = button(info.id());
    if (!target)
        throw std::runtime_error("missing table on table info, id: " + std::to_string(info.id()));
    m_records[info.id()] = info;
    target->setTableName(tableName(info.id()));
    if (info.gameType() == TableInfo::TOURNAMENT)
        target->setKind(SelectorButton::Tournament);
    // A longer name takes more room.
    relayout();
}

void TableSelector::onTableActivity(qint32 tableId, bool activity, const TimeSpan &ts)
{
    SelectorButton *target = button(tableId);
    if (!target)
        return;
    target->setTimeSpan(ts);
    if (!target->isChecked())
        target->wantsAttention(activity);
}

void TableSelector::onTableActiveChanged(qint32 tableId, bool active)
{
    if (SelectorButton *target = button(tableId))
        target->setActive(active);
}

void TableSelector::onTableNamesUpdated()
{
    m_lobbyButton->setText(tr("Lobby"));
    for (QAbstractButton *each : m_group->buttons()) {
        const int id = m_group->id(each);
        if (id <= 0)
            continue;
        static_cast<SelectorButton *>(each)->setTableName(tableName(id));
    }
    relayout();
}

void TableSelector::relayout()
{
    for (QAbstractButton *each : m_group->buttons())
        each->show();
    m_ui->hboxLayout1->activate();
    m_ui->buttons->resize(m_ui->hboxLayout1->sizeHint().width(), m_ui->scrollArea->height());
    updateScrollState();
}

bool TableSelector::scrollButtonsVisible() const
{
    return !m_ui->selectorLeft->isHidden();
}

void TableSelector::updateScrollState()
{
    const bool scroll = sizeHint().width() > width();
    m_ui->selectorLeft->setVisible(scroll);
    m_ui->selectorRight->setVisible(scroll);
    const int least = m_ui->scrollArea->width() - m_ui->buttons->width();
    const int x = std::min(std::max(m_ui->buttons->x(), least), 0);
    m_ui->buttons->move(x, m_ui->buttons->y());
}

void TableSelector::scrollButtonClicked()
{
    const int step = sender() == m_ui->selectorLeft ? ScrollStep : -ScrollStep;
    const int least = m_ui->scrollArea->width() - m_ui->buttons->width();
    const int x = std::min(std::max(m_ui->buttons->x() + step, least), 0);
    m_ui->buttons->move(x, m_ui->buttons->y());
}

QSize TableSelector::sizeHint() const
{
    return m_ui->buttons->sizeHint();
}

void TableSelector::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        onTableNamesUpdated();
    QWidget::changeEvent(event);
}

void TableSelector::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateScrollState();
    m_ui->buttons->resize(m_ui->buttons->width(), m_ui->scrollArea->height());
}
