#pragma once

#include "lobby/RulesetLobbyFilter.h"

#include <QWidget>

class LobbyModel;
class QCheckBox;
class QModelIndex;
class QTreeView;
class TableModel;

// The lobby tab: the tables of the lobby paths as a sortable list, filtered
// by ruleset and fullness with the choices kept under "lobby/" in the
// settings. The list follows the server live and keeps its selection.
class LobbyWindow : public QWidget
{
    Q_OBJECT

public:
    LobbyWindow(TableModel *tableModel, const QStringList &lobbyPaths, QWidget *parent = nullptr);
    ~LobbyWindow() override;

    LobbyModel *lobbyModel() const { return m_model; }
    QTreeView *view() const { return m_view; }
    // The id of the selected table, -1 when none.
    qint32 selectedTableId() const;

signals:
    void tableActivated(qint32 tableId);
    void tableSelected(qint32 tableId);

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void onFilterBoxToggled();
    void updateSelection();
    void onActivated(const QModelIndex &index);

private:
    void retranslate();
    void applyFilterBoxes();
    void emitSelected(qint32 tableId);

    RulesetLobbyFilter m_filter;
    LobbyModel *m_model = nullptr;
    QTreeView *m_view = nullptr;
    QCheckBox *m_classicBox = nullptr;
    QCheckBox *m_internationalBox = nullptr;
    QCheckBox *m_riichiBox = nullptr;
    QCheckBox *m_hideFullBox = nullptr;
    qint32 m_selectedId = -1;
};
