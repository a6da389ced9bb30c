#pragma once

#include <QFrame>
#include <QPointer>

class ConnectionManager;
class PlayerDb;
class QLabel;
class QModelIndex;
class QPoint;
class QPushButton;
class TableModel;

// The facts of the table selected in the lobby, kept up to date while it is
// shown, with the buttons to join or to watch it.
class TablePreview : public QFrame
{
    Q_OBJECT

public:
    explicit TablePreview(QWidget *parent = nullptr);
    ~TablePreview() override;

    void setTableModel(TableModel *tableModel);
    void setConnectionManager(ConnectionManager *connection);
    // Optional; null until the player database exists.
    void setPlayerDb(PlayerDb *playerDb) { m_playerDb = playerDb; }

    qint32 tableId() const { return m_tableId; }

signals:
    void joinTable(qint32 tableId);
    void watchTable(qint32 tableId);
    void userMenuRequested(const QString &name, const QPoint &globalPos);

public slots:
    // -1 or an id the table model does not hold clears the preview.
    void onPreviewTable(qint32 tableId);

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void onTableRemoved(qint32 tableId);
    void refresh();

private:
    QPointer<TableModel> m_tableModel;
    QPointer<ConnectionManager> m_connection;
    PlayerDb *m_playerDb = nullptr;
    qint32 m_tableId = -1;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_rulesLabel = nullptr;
    QLabel *m_gameTypeLabel = nullptr;
    QLabel *m_stakesLabel = nullptr;
    QLabel *m_seatsLabel = nullptr;
    QPushButton *m_joinButton = nullptr;
    QPushButton *m_watchButton = nullptr;
};
