#pragma once

#include "protocol/MonetaryRoundScore.h"
#include "protocol/TableInfo.h"
#include "protocol/TournamentInfo.h"
#include "protocol/TournamentRanking.h"
#include "protocol/TournamentRoundScore.h"

#include <QFrame>
#include <QPixmap>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class LocalizationDb;
class RoundScoreWidget;
class TableInfo;

namespace Ui {
class RoundScoreBoard;
}

// The results of a round: a money round (balance per player) or a tournament
// round (mahjong points, round result, tournament points). Dragged by its
// title within the table window.
class RoundScoreBoard : public QFrame
{
    Q_OBJECT

public:
    // Where names and pictures of players come from (the player database).
    using NameLookup = std::function<QString(qint32)>;
    using PictureLookup = std::function<QPixmap(qint32)>;

    explicit RoundScoreBoard(LocalizationDb *localizationDb, QWidget *parent = nullptr);
    ~RoundScoreBoard() override;

    void setPlayerLookup(NameLookup names, PictureLookup pictures);

    void setTournamentInfo(const TournamentInfo &info);
    void setTableInfo(const TableInfo &info);
    void setRoundScores(const TournamentRoundScores &scores);
    void setMonetaryRoundScores(const MonetaryRoundScores &scores);
    void setTournamentRankings(const TournamentRankings &rankings);

    // Rows top to bottom.
    const std::vector<RoundScoreWidget *> &rows() const { return m_rows; }
    bool isTournament() const { return m_tournament; }
    QString title() const;
    QString roundText() const;

signals:
    void closeClick();

public slots:
    void onCloseClick();
    void onPlayerNameUpdate(qint32 playerId, const QString &name);
    void onPlayerPictureUpdate(qint32 playerId);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void clearRows();
    RoundScoreWidget *addRow(qint32 playerId, int mode);
    void layoutRows();

    Ui::RoundScoreBoard *m_ui;
    NameLookup m_names;
    PictureLookup m_pictures;
    std::vector<RoundScoreWidget *> m_rows;
    std::map<qint32, RoundScoreWidget *> m_byPlayer;
    bool m_tournament = false;
    bool m_dragging = false;
    QPoint m_dragPoint;
    QPointer<LocalizationDb> m_localizationDb;
    // What the title names, so that it follows the language.
    std::optional<TableInfo> m_titledTable;
    std::optional<TournamentInfo> m_titledTournament;
    void retitle();
};
