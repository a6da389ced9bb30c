#pragma once

#include "core/TimeSpan.h"
#include "widgets/BugfixWidget.h"

#include <QPixmap>
#include <QString>

namespace Ui {
class PlayerWidget;
}

// One seated player in the side bar: picture, name, wind, score, turn timer
// and one image at a time in the claim area (ready mark or last claim).
class PlayerWidget : public BugfixWidget
{
    Q_OBJECT
    Q_PROPERTY(bool highlight READ highlight WRITE setHighlight)

public:
    explicit PlayerWidget(QWidget *parent = nullptr);
    ~PlayerWidget() override;

    void setName(const QString &name);
    // The whole name, whatever the label shows.
    QString name() const;
    void setPicture(const QPixmap &picture);
    void setWind(int wind);
    int wind() const { return m_wind; }
    void setPoints(int points);
    void setWins(int wins);
    void setGameType(int gameType);

    bool highlight() const { return m_highlight; }
    void setHighlight(bool highlight);

    void showReady(bool ready);
    // Throws std::runtime_error for a meld type that has no claim image.
    void showClaim(int meldType, int ruleset, int declarationKind);
    void hideClaim();
    bool isClaimShown() const;
    // The image shown in the claim area ("textimages:..."), empty for none.
    const QString &claimImage() const { return m_claimImage; }

    void setTimer(const TimeSpan &span);
    void clearTimer();
    const TimeSpan &timeSpan() const { return m_timeSpan; }

    void setWindVisible(bool visible);
    void setScoresVisible(bool visible);

    QString scoreText() const;
    QString scoreLabelText() const;

    static QString claimImageName(int meldType, int ruleset, int declarationKind);

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateScores();
    void updateWind();
    void setClaimImage(const QString &name);

    Ui::PlayerWidget *m_ui;
    int m_wind = 0;
    int m_points = 0;
    int m_wins = 0;
    int m_gameType = -1;
    bool m_highlight = true;
    int m_claimMeld = 0;
    int m_claimRuleset = 0;
    int m_claimKind = 0;
    bool m_readyShown = false;
    QString m_claimImage;
    TimeSpan m_timeSpan;
};
