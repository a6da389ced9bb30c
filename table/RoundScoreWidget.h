#pragma once

#include <QPixmap>
#include <QWidget>

namespace Ui {
class RoundScoreWidget;
}

// One player's row of the round score board: a money balance (mode 0),
// mahjong points, round result and tournament points (mode 1), or the
// mahjong points alone of a table played without money (mode 2).
// Tournament values come in half points.
class RoundScoreWidget : public QWidget
{
    Q_OBJECT

public:
    enum Mode { Money = 0, Tournament = 1, Points = 2 };

    RoundScoreWidget(int mode, QWidget *parent = nullptr);
    ~RoundScoreWidget() override;

    void setName(const QString &name);
    QString name() const;
    void setPicture(const QPixmap &picture);
    void setMahjongPoints(qint32 points);
    void setRoundResult(qint64 result);
    void setTournamentPoints(qint64 points);

    int mode() const { return m_mode; }
    qint32 mahjongPoints() const { return m_mahjongPoints; }
    qint64 roundResult() const { return m_roundResult; }
    qint64 tournamentPoints() const { return m_tournamentPoints; }

    // The texts shown, in the order of the form.
    QString mahjongPointsText() const;
    QString roundResultText() const;
    QString tournamentPointsText() const;

    static QString halfPoints(qint64 value);

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyMode();

    Ui::RoundScoreWidget *m_ui;
    int m_mode;
    qint32 m_mahjongPoints = 0;
    qint64 m_roundResult = 0;
    qint64 m_tournamentPoints = 0;
};
