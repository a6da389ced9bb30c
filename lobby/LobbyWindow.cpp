#include "lobby/LobbyWindow.h"

#include "lobby/ItemRoles.h"
#include "lobby/LobbyModel.h"
#include "lobby/LobbyTableView.h"
#include "lobby/TableModel.h"
#include "lobby/TableTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSettings>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const char *const ClassicKey = "lobby/classic";
const char *const InternationalKey = "lobby/international";
const char *const RiichiKey = "lobby/riichi";
const char *const HideFullKey = "lobby/hidefull";
} // namespace

LobbyWindow::LobbyWindow(TableModel *tableModel, const QStringList &lobbyPaths, QWidget *parent)
    : QWidget(parent)
    , m_filter(lobbyPaths)
{
    setObjectName(QStringLiteral("lobbyWindow"));
    auto *layout = new QVBoxLayout(this);

    auto *filterBar = new QHBoxLayout;
    m_classicBox = new QCheckBox(this);
    m_classicBox->setObjectName(QStringLiteral("classicBox"));
    m_internationalBox = new QCheckBox(this);
    m_internationalBox->setObjectName(QStringLiteral("internationalBox"));
    m_riichiBox = new QCheckBox(this);
    m_riichiBox->setObjectName(QStringLiteral("riichiBox"));
    m_hideFullBox = new QCheckBox(this);
    m_hideFullBox->setObjectName(QStringLiteral("hideFullBox"));
    for (QCheckBox *box : {m_classicBox, m_internationalBox, m_riichiBox, m_hideFullBox})
        filterBar->addWidget(box);
    filterBar->addStretch(1);
    layout->addLayout(filterBar);

    QSettings settings;
    m_classicBox->setChecked(settings.value(ClassicKey, true).toBool());
    m_internationalBox->setChecked(settings.value(InternationalKey, true).toBool());
    m_riichiBox->setChecked(settings.value(RiichiKey, true).toBool());
    m_hideFullBox->setChecked(settings.value(HideFullKey, false).toBool());
    applyFilterBoxes();

    m_model = new LobbyModel(this);
    m_model->setSourceModel(tableModel);
    m_model->setFilter(&m_filter);

    m_view = new LobbyTableView(this);
    m_view->setObjectName(QStringLiteral("lobbyTableView"));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAllColumnsShowFocus(true);
    m_view->setModel(m_model);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(TableModel::NameColumn, Qt::AscendingOrder);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(TableModel::NameColumn, QHeaderView::Stretch);
    layout->addWidget(m_view, 1);

    for (QCheckBox *box : {m_classicBox, m_internationalBox, m_riichiBox, m_hideFullBox})
        connect(box, &QCheckBox::toggled, this, &LobbyWindow::onFilterBoxToggled);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LobbyWindow::updateSelection);
    connect(m_view, &QTreeView::activated, this, &LobbyWindow::onActivated);
    // A selected table that leaves the list is no longer selected.
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &LobbyWindow::updateSelection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LobbyWindow::updateSelection);

    retranslate();
}

LobbyWindow::~LobbyWindow()
{
    // The filter is a member: give its paths back while it still exists.
    m_model->setFilter(nullptr);
}

qint32 LobbyWindow::selectedTableId() const
{
    return m_selectedId;
}

void LobbyWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void LobbyWindow::onFilterBoxToggled()
{
    QSettings settings;
    settings.setValue(ClassicKey, m_classicBox->isChecked());
    settings.setValue(InternationalKey, m_internationalBox->isChecked());
    settings.setValue(RiichiKey, m_riichiBox->isChecked());
    settings.setValue(HideFullKey, m_hideFullBox->isChecked());
    applyFilterBoxes();
    m_model->refilter();
    updateSelection();
}

void LobbyWindow::applyFilterBoxes()
{
    m_filter.setRulesetShown(0, m_classicBox->isChecked());
    m_filter.setRulesetShown(1, m_internationalBox->isChecked());
    m_filter.setRulesetShown(2, m_riichiBox->isChecked());
    m_filter.setFullTablesHidden(m_hideFullBox->isChecked());
}

void LobbyWindow::updateSelection()
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    const QVariant id = rows.isEmpty() ? QVariant() : rows.first().data(ItemRoles::TableIdRole);
    emitSelected(id.isValid() ? id.toInt() : -1);
}

void LobbyWindow::onActivated(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QVariant id = index.data(ItemRoles::TableIdRole);
    if (id.isValid())
        emit tableActivated(id.toInt());
}

void LobbyWindow::retranslate()
{
    m_classicBox->setText(rulesetName(0));
    m_internationalBox->setText(rulesetName(1));
    m_riichiBox->setText(rulesetName(2));
    m_hideFullBox->setText(tr("Hide full tables"));
    if (QAbstractItemModel *source = m_model->sourceModel())
        emit source->headerDataChanged(Qt::Horizontal, 0, source->columnCount() - 1);
    m_view->viewport()->update();
}

void LobbyWindow::emitSelected(qint32 tableId)
{
    if (tableId == m_selectedId)
        return;
    m_selectedId = tableId;
    emit tableSelected(tableId);
}
