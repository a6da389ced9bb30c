#pragma once

#include "core/TimeSpan.h"
#include "protocol/TableInfo.h"

#include <QPointer>
#include <QWidget>

#include <map>

class LocalizationDb;
class QButtonGroup;
class QPushButton;
class SelectorButton;

namespace Ui {
class TableSelector;
}

// The strip of buttons with which the player switches between the lobby
// (id -1) and the open tables (id = table id).
class TableSelector : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ScrollStep = 40;

    explicit TableSelector(QWidget *parent = nullptr);
    ~TableSelector() override;

    void setLocalizationDb(LocalizationDb *db);
    // These throw std::runtime_error for a table they cannot address.
    void addTable(const TableInfo &info);
    void setActiveTable(qint32 tableId);
    qint32 checkedTableId() const;
    SelectorButton *button(qint32 tableId) const;
    QPushButton *lobbyButton() const { return m_lobbyButton; }
    QWidget *strip() const;
    bool scrollButtonsVisible() const;

    QSize sizeHint() const override;

signals:
    void tableClicked(int tableId);

public slots:
    void removeTable(qint32 tableId);
    void onTableInfo(const TableInfo &info);
    void onTableActivity(qint32 tableId, bool activity, const TimeSpan &ts);
    void onTableActiveChanged(qint32 tableId, bool active);
    void onTableNamesUpdated();
    void scrollButtonClicked();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void relayout();
    void updateScrollState();
    // As the table's own record names it (kept by onTableInfo), else as the
    // lobby model does; "Table %1" when neither has a name.
    QString tableName(qint32 tableId) const;

    Ui::TableSelector *m_ui;
    QButtonGroup *m_group;
    QPushButton *m_lobbyButton;
    QPointer<LocalizationDb> m_localizationDb;
    std::map<qint32, TableInfo> m_records;
};
