#include "lobby/CompactTableView.h"

#include "lobby/ItemRoles.h"
#include "lobby/LocalizationDb.h"
#include "lobby/TableModel.h"

#include <QAbstractItemModel>
#include <QListWidget>
#include <QTextDocument>
#include <QVBoxLayout>

CompactTableView::CompactTableView(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("compactTableList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setWordWrap(true);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CompactTableView::onItemDoubleClicked);
}

void CompactTableView::setModel(QAbstractItemModel *model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &CompactTableView::onRowsInserted);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &CompactTableView::onRowsRemoved);
        connect(model, &QAbstractItemModel::dataChanged, this, &CompactTableView::onDataChanged);
        connect(model, &QAbstractItemModel::modelReset, this, &CompactTableView::rebuild);
        connect(model, &QAbstractItemModel::layoutChanged, this, &CompactTableView::rebuild);
        connect(model, &QAbstractItemModel::rowsMoved, this, &CompactTableView::rebuild);
    }
    rebuild();
}

void CompactTableView::setLocalizationDb(LocalizationDb *localizationDb)
{
    if (m_localizationDb == localizationDb)
        return;
    if (m_localizationDb)
        disconnect(m_localizationDb, nullptr, this, nullptr);
    m_localizationDb = localizationDb;
    if (localizationDb)
        connect(localizationDb, &LocalizationDb::tableNamesUpdated, this, &CompactTableView::refreshAll);
    refreshAll();
}

qint32 CompactTableView::selectedTableId() const
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return -1;
    bool ok = false;
    const qint32 id = item->data(ItemRoles::TableIdRole).toInt(&ok);
    return ok ? id : -1;
}

int CompactTableView::count() const
{
    return m_list->count();
}

void CompactTableView::onRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    for (int row = first; row <= last; ++row) {
        auto *item = new QListWidgetItem;
        fillItem(item, row);
        m_list->insertItem(row, item);
    }
}

void CompactTableView::onRowsRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    for (int row = last; row >= first; --row)
        delete m_list->takeItem(row);
}

void CompactTableView::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (topLeft.parent().isValid())
        return;
    for (int row = topLeft.row(); row <= bottomRight.row() && row < m_list->count(); ++row)
        fillItem(m_list->item(row), row);
}

void CompactTableView::rebuild()
{
    // Sorting moves rows without telling which: rebuild, keeping the
    // current table current.
    const qint32 current = selectedTableId();
    m_list->clear();
    if (!m_model)
        return;
    const int rows = m_model->rowCount();
    for (int row = 0; row < rows; ++row) {
        auto *item = new QListWidgetItem(m_list);
        fillItem(item, row);
        if (current != -1 && item->data(ItemRoles::TableIdRole).toInt() == current)
            m_list->setCurrentItem(item);
    }
}

void CompactTableView::refreshAll()
{
    for (int row = 0; row < m_list->count(); ++row)
        fillItem(m_list->item(row), row);
}

void CompactTableView::onItemDoubleClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    bool ok = false;
    const qint32 id = item->data(ItemRoles::TableIdRole).toInt(&ok);
    if (ok)
        emit tableDoubleClicked(id);
}

void CompactTableView::fillItem(QListWidgetItem *item, int row) const
{
    if (!item || !m_model || row >= m_model->rowCount())
        return;
    const QModelIndex nameIndex = m_model->index(row, TableModel::NameColumn);
    const QVariant idValue = nameIndex.data(ItemRoles::TableIdRole);
    const qint32 id = idValue.isValid() ? idValue.toInt() : -1;
    QString name = m_localizationDb && id != -1 ? m_localizationDb->tableNameById(id) : QString();
    if (name.isEmpty())
        name = nameIndex.data().toString();
    QStringList details;
    for (int column : {int(TableModel::RulesColumn), int(TableModel::GameTypeColumn), int(TableModel::PlayersColumn)}) {
        const QString text = m_model->index(row, column).data().toString();
        if (!text.isEmpty())
            details.append(text);
    }
    item->setText(details.isEmpty() ? name : name + QLatin1Char('\n') + details.join(QStringLiteral(" \u00b7 ")));
    item->setToolTip(Qt::convertFromPlainText(name)); // a tool tip would take markup as markup
    item->setData(ItemRoles::TableIdRole, idValue);
}
