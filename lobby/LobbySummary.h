#pragma once

#include "protocol/lobby_summary_t.h"

#include <QFrame>

class PlayerDb;
class QLabel;
class QListWidget;
class QPoint;

// The lobby at a glance: players online and seated, open tables, running
// tournaments and today's top winners (names open the user menu).
class LobbySummary : public QFrame
{
    Q_OBJECT

public:
    explicit LobbySummary(QWidget *parent = nullptr);

    // Optional; the summary shows names as the server sends them.
    void setPlayerDb(PlayerDb *playerDb) { m_playerDb = playerDb; }
    PlayerDb *playerDb() const { return m_playerDb; }

    const lobby_summary_t &summary() const { return m_summary; }
    QListWidget *winnerList() const { return m_winners; }

signals:
    void userMenuRequested(const QString &name, const QPoint &globalPos);

public slots:
    void onLobbySummary(const lobby_summary_t &summary);

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void onWinnerContextMenu(const QPoint &pos);

private:
    void updateTexts();

    PlayerDb *m_playerDb = nullptr;
    lobby_summary_t m_summary;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_onlineLabel = nullptr;
    QLabel *m_seatedLabel = nullptr;
    QLabel *m_tablesLabel = nullptr;
    QLabel *m_tournamentsLabel = nullptr;
    QLabel *m_winnersTitle = nullptr;
    QListWidget *m_winners = nullptr;
};
