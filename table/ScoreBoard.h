#pragma once

#include "core/TimeSpan.h"
#include "game/EndHandScoring.h"
#include "protocol/TableInfo.h"
#include "widgets/MahjongDialog.h"

#include <QDateTime>
#include <QPixmap>

#include <array>
#include <optional>
#include <vector>

class QGraphicsScene;
class QGraphicsView;
class QLabel;
class DeclaredView;
class NextHandCountdown;
class QTextEdit;

namespace Ui {
class ScoreBoard;
}

// The score of one hand: a column per scored player (winners first), the
// hands as tiles, dora, the countdown to the next hand and the buttons.
class ScoreBoard : public MahjongDialog
{
    Q_OBJECT

public:
    static constexpr int Columns = 4;

    explicit ScoreBoard(QWidget *parent = nullptr);
    ~ScoreBoard() override;

    void setScoring(const EndHandScoring &scoring, qint32 localPlayerId, const TableInfo &info);
    void setPlayerPicture(qint32 playerId, const QPixmap &picture);
    void clearPictures();
    void setReadyVisible(bool visible);
    void setNextHandTime(const QDateTime &serverTime);
    void hideNextHandTime();
    // Sizes the board to its content (the scoring lines in full), no taller
    // than its parent less a margin, so that the table shows around it.
    void fitToParent();

    // The scored players in column order.
    const std::vector<qint32> &playerOrder() const { return m_order; }
    const TimeSpan &countdown() const;

    // The scoring lines of one player as HTML; names are escaped.
    static QString scoringHtml(const PlayerHandScore &score, int ruleset);
    // The claim image of a column, empty for none.
    static QString claimImage(const PlayerHandScore &score, int winKind, int ruleset);

signals:
    void closeClicked();
    void readyClicked();
    void leaveClicked();

public slots:
    void onCloseClick();
    void onReadyClick();
    void onLeaveClick();
    void onTileGraphicsChanged();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *avatar(int column) const;
    QLabel *nameLabel(int column) const;
    QLabel *exclamation(int column) const;
    QTextEdit *scoreText(int column) const;
    QLabel *total(int column) const;
    QGraphicsView *handView(int column) const;
    void fitViews();
    // Lays the frame and the content out at the board's present size.
    void layOut();
    // Wraps the scoring lines to their columns before the board shows.
    void layOutLines();
    // Styles and lays the empty board out ahead of its first show.
    void prime();
    // Shows the column's name, cut to the label's width.
    void showName(int column);
    // Shows the column's claim image, scaled to fit its label.
    void showClaim(int column);

    Ui::ScoreBoard *m_ui;
    QFrame *m_content;
    std::array<QGraphicsScene *, 6> m_scenes{};
    std::array<DeclaredView *, 6> m_melds{};
    std::array<QString, Columns> m_names;
    std::array<QPixmap, Columns> m_claims;
    std::vector<qint32> m_order;
    NextHandCountdown *m_countdown = nullptr;
    // The last scoring shown, told again in a new language.
    struct Shown
    {
        EndHandScoring scoring;
        qint32 localPlayerId;
        TableInfo info;
    };
    std::optional<Shown> m_shown;
};
