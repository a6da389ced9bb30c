#include "tournaments/TournamentsLobbyWindow.h"

#include "tournaments/TournamentRoles.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "ui_TournamentsLobbyView.h"
#include "widgets/Utils.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <array>
#include <utility>

namespace {
const char *const ClassicKey = "mttlobby/classic";
const char *const InternationalKey = "mttlobby/international";
const char *const RiichiKey = "mttlobby/riichi";
const char *const Level1Key = "mttlobby/level1buyin";
const char *const Level2Key = "mttlobby/level2buyin";
const char *const Level3Key = "mttlobby/level3buyin";
const char *const NoBuyInKey = "mttlobby/nobuyin";
const char *const ViewAllKey = "mttlobby/viewallavailabletournaments";

// Full tournaments are shown (no test) or hidden.
int viewAllMode(bool viewAll)
{
    return viewAll ? 3 : 2;
}

// The options the tree view gives its delegate when it sizes a column.
struct TreeViewItemOption : QTreeView
{
    static QStyleOptionViewItem of(const QTreeView *view)
    {
        QStyleOptionViewItem option;
        (view->*(&TreeViewItemOption::initViewItemOption))(&option);
        return option;
    }
};
} // namespace

TournamentsLobbyWindow::TournamentsLobbyWindow(QWidget *parent)
    : QWidget(parent)
    , m_filter(this)
    , m_ui(std::make_unique<Ui::TournamentsLobbyView>())
{
    m_filter.setSortCaseSensitivity(Qt::CaseInsensitive);
    m_columnTimer.setSingleShot(true);
    m_columnTimer.setInterval(2000);
    m_ui->setupUi(this);

    QTreeView *view = m_ui->tournamentsLobbyTreeView;
    view->setModel(&m_filter);
    view->header()->setSortIndicatorShown(true);
    // The registration mark's column is narrower than a style's default minimum.
    view->header()->setMinimumSectionSize(16);
    view->header()->setStretchLastSection(false);
    view->sortByColumn(TournamentsLobbyModel::StartColumn, Qt::AscendingOrder);
    connect(view, &QTreeView::activated, this, &TournamentsLobbyWindow::onTournamentActivated);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TournamentsLobbyWindow::onCurrentTournamentChanged);
    // Rows whose texts changed, and rows the filter lets in, may be wider
    // than their columns.
    connect(&m_filter, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
        noteRowsToMeasure(topLeft.row(), bottomRight.row());
    });
    connect(&m_filter, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { noteRowsToMeasure(first, last); });

    // The slots are connected first: each box that becomes checked puts its
    // value into the filter and writes its setting back.
    connect(m_ui->classicRules, &QCheckBox::stateChanged, this, &TournamentsLobbyWindow::onClassicRulesChanged);
    connect(m_ui->internationalRules, &QCheckBox::stateChanged, this,
            &TournamentsLobbyWindow::onInternationalRulesChanged);
    connect(m_ui->riichiRules, &QCheckBox::stateChanged, this, &TournamentsLobbyWindow::onRiichiRulesChanged);
    m_ui->classicRules->setCheckState(Utils::settingsCheckState(m_settings, ClassicKey, true));
    m_ui->internationalRules->setCheckState(Utils::settingsCheckState(m_settings, InternationalKey, true));
    m_ui->riichiRules->setCheckState(Utils::settingsCheckState(m_settings, RiichiKey, true));
    m_filter.setRulesetFilterEnabled(true);

    connect(m_ui->level1BuyIn, &QCheckBox::stateChanged, this, &TournamentsLobbyWindow::onLevel1BuyInChanged);
    connect(m_ui->level2BuyIn, &QCheckBox::stateChanged, this, &TournamentsLobbyWindow::onLevel2BuyInChanged);
    connect(m_ui->level3BuyIn, &QCheckBox::stateChanged, this, &TournamentsLobbyWindow::onLevel3BuyInChanged);
    connect(m_ui->noBuyIn, &QCheckBox::stateChanged, this, &TournamentsLobbyWindow::onNoBuyInChanged);
    m_ui->level1BuyIn->setCheckState(Utils::settingsCheckState(m_settings, Level1Key, true));
    m_ui->level2BuyIn->setCheckState(Utils::settingsCheckState(m_settings, Level2Key, true));
    m_ui->level3BuyIn->setCheckState(Utils::settingsCheckState(m_settings, Level3Key, true));
    m_ui->noBuyIn->setCheckState(Utils::settingsCheckState(m_settings, NoBuyInKey, true));
    m_filter.setBuyInFilterEnabled(true);

    const Qt::CheckState viewAll = Utils::settingsCheckState(m_settings, ViewAllKey, true);
    m_ui->viewAllAvailableTournamentsCheckBox->setCheckState(viewAll);
    m_filter.setFilterMode(viewAllMode(viewAll == Qt::Checked));

    connect(m_ui->freeTextSearch, &QLineEdit::textChanged, this, &TournamentsLobbyWindow::onFreeTextSearchChanged);
    connect(&m_columnTimer, &QTimer::timeout, this, &TournamentsLobbyWindow::onResizeColumnsTimeout);
}

TournamentsLobbyWindow::~TournamentsLobbyWindow() = default;

QTreeView *TournamentsLobbyWindow::view() const
{
    return m_ui->tournamentsLobbyTreeView;
}

void TournamentsLobbyWindow::setModel(TournamentsLobbyModel *model)
{
    if (m_model) {
        disconnect(m_model, &TournamentsLobbyModel::tournamentAdded, this, &TournamentsLobbyWindow::onTournamentAdded);
        disconnect(m_model, &TournamentsLobbyModel::changesShown, this, &TournamentsLobbyWindow::widenGrownColumns);
    }
    m_model = model;
    m_unmeasured.clear();
    if (model) {
        connect(model, &TournamentsLobbyModel::tournamentAdded, this, &TournamentsLobbyWindow::onTournamentAdded);
        connect(model, &TournamentsLobbyModel::changesShown, this, &TournamentsLobbyWindow::widenGrownColumns);
    }
    m_filter.setSourceModel(model);

    QHeaderView *header = view()->header();
    if (model && model->rowCount() > 0) {
        onResizeColumnsTimeout();
        return;
    }
    const int widths[] = {20, 45, 100, 90, 80, 80, 60, 60};
    for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column)
        header->resizeSection(column, widths[column]);
}

void TournamentsLobbyWindow::selectTournament(qint32 persistentId)
{
    if (!m_model)
        return;
    const qint32 id = m_model->tournamentIdByPersistentId(persistentId);
    if (id <= 0)
        return;
    // The view shows the filter: a row it hides cannot be selected.
    const QModelIndex index = m_filter.mapFromSource(m_model->indexOfTournament(id));
    if (index.isValid()) {
        view()->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Current | QItemSelectionModel::Rows);
        view()->scrollTo(index);
    }
    emit tournamentSelected(id);
}

qint32 TournamentsLobbyWindow::tournamentIdAt(const QModelIndex &index) const
{
    const QAbstractItemModel *model = view()->model();
    return model ? model->data(index, TournamentRoles::IdRole).toInt() : -1;
}

void TournamentsLobbyWindow::onCurrentTournamentChanged(const QModelIndex &current)
{
    if (current.isValid())
        emit tournamentSelected(tournamentIdAt(current));
}

void TournamentsLobbyWindow::onTournamentActivated(const QModelIndex &index)
{
    if (index.isValid())
        emit tournamentActivated(tournamentIdAt(index));
}

void TournamentsLobbyWindow::onTournamentAdded(const TournamentInfo &)
{
    // A burst of new tournaments sizes the columns once, after it.
    if (!isVisible()) {
        m_columnsPending = true;
        return;
    }
    m_columnTimer.start();
}

void TournamentsLobbyWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_columnsPending)
        onResizeColumnsTimeout();
}

void TournamentsLobbyWindow::onResizeColumnsTimeout()
{
    if (!isVisible()) {
        m_columnsPending = true;
        return;
    }
    m_columnsPending = false;
    m_unmeasured.clear();
    QHeaderView *header = view()->header();
    for (int column = 0; column < header->count(); ++column)
        view()->resizeColumnToContents(column);
    // The name gives way in a narrow window (it is elided, with the whole
    // name as tool tip), so that the amounts on the right stay readable.
    if (header->count() > TournamentsLobbyModel::NameColumn)
        header->setSectionResizeMode(TournamentsLobbyModel::NameColumn, QHeaderView::Stretch);
}

void TournamentsLobbyWindow::noteRowsToMeasure(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        const qint32 id = m_filter.index(row, 0).data(TournamentRoles::IdRole).toInt();
        if (id > 0)
            m_unmeasured.insert(id);
    }
}

void TournamentsLobbyWindow::widenGrownColumns()
{
    // A pot or a count that grew after the columns were sized would be cut:
    // such a column widens at once (it never narrows here). Every other row
    // fitted when it was last measured, so only the changed ones are.
    const QSet<qint32> changed = std::exchange(m_unmeasured, {});
    if (changed.isEmpty() || !m_model)
        return;
    QTreeView *tree = view();
    QHeaderView *header = tree->header();
    tree->ensurePolished();
    const QStyleOptionViewItem option = TreeViewItemOption::of(tree);
    const int treeColumn = header->logicalIndex(0);
    std::array<int, TournamentsLobbyModel::ColumnCount> widest{};
    for (const qint32 id : changed) {
        // A row the filter hides is measured when it is let in.
        const QModelIndex row = m_filter.mapFromSource(m_model->indexOfTournament(id));
        if (!row.isValid())
            continue;
        for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column) {
            if (column == TournamentsLobbyModel::NameColumn || tree->isColumnHidden(column))
                continue;
            const QModelIndex cell = row.siblingAtColumn(column);
            int width = tree->itemDelegateForIndex(cell)->sizeHint(option, cell).width();
            if (column == treeColumn && tree->rootIsDecorated())
                width += tree->indentation();
            widest[size_t(column)] = std::max(widest[size_t(column)], width);
        }
    }
    for (int column = 0; column < TournamentsLobbyModel::ColumnCount; ++column) {
        if (widest[size_t(column)] <= tree->columnWidth(column))
            continue;
        // As resizeColumnToContents: never narrower than the caption.
        const int caption = header->isHidden() ? 0 : header->sectionSizeHint(column);
        header->resizeSection(column, std::max(widest[size_t(column)], caption));
    }
}

void TournamentsLobbyWindow::on_viewAllAvailableTournamentsCheckBox_stateChanged(int state)
{
    m_settings.setValue(ViewAllKey, state == Qt::Checked);
    m_filter.setFilterMode(viewAllMode(state == Qt::Checked));
}

void TournamentsLobbyWindow::rulesetChanged(const char *key, int ruleset, int state)
{
    m_settings.setValue(key, state == Qt::Checked);
    if (state == Qt::Checked)
        m_filter.addRuleset(ruleset);
    else
        m_filter.removeRuleset(ruleset);
}

void TournamentsLobbyWindow::buyInChanged(const char *key, int level, int state)
{
    m_settings.setValue(key, state == Qt::Checked);
    if (state == Qt::Checked)
        m_filter.addBuyInLevel(level);
    else
        m_filter.removeBuyInLevel(level);
}

void TournamentsLobbyWindow::onClassicRulesChanged(int state)
{
    rulesetChanged(ClassicKey, 0, state);
}

void TournamentsLobbyWindow::onInternationalRulesChanged(int state)
{
    rulesetChanged(InternationalKey, 1, state);
}

void TournamentsLobbyWindow::onRiichiRulesChanged(int state)
{
    rulesetChanged(RiichiKey, 2, state);
}

void TournamentsLobbyWindow::onLevel1BuyInChanged(int state)
{
    buyInChanged(Level1Key, 1, state);
}

void TournamentsLobbyWindow::onLevel2BuyInChanged(int state)
{
    buyInChanged(Level2Key, 2, state);
}

void TournamentsLobbyWindow::onLevel3BuyInChanged(int state)
{
    buyInChanged(Level3Key, 3, state);
}

void TournamentsLobbyWindow::onNoBuyInChanged(int state)
{
    buyInChanged(NoBuyInKey, 0, state);
}

void TournamentsLobbyWindow::onFreeTextSearchChanged(const QString &text)
{
    m_filter.setFreeText(text);
}

void TournamentsLobbyWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        if (m_model)
            m_model->retranslate();
        m_columnTimer.start();
    }
    QWidget::changeEvent(event);
}
