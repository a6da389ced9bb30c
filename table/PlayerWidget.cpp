#include "table/PlayerWidget.h"

#include "game/Wind.h"
#include "table/Logging.h"
#include "ui_PlayerWidget.h"

#include <QEvent>
#include <QPixmap>

#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>

namespace {
constexpr int WindCellWidth = 26;
constexpr int WindCellHeight = 21;
const char ReadyImage[] = "textimages:ready.png";

// The count that chooses the plural form of a number of points: its
// magnitude. The lowest int has none that fits an int; the plural rules
// read only the last two digits of large counts, which 2147483548 shares
// with 2147483648.
int pluralCount(int points)
{
    if (points == std::numeric_limits<int>::min())
        return std::numeric_limits<int>::max() - 99;
    return std::abs(points);
}
} // namespace

PlayerWidget::PlayerWidget(QWidget *parent)
    : BugfixWidget(parent)
    , m_ui(new Ui::PlayerWidget)
{
    m_ui->setupUi(this);
    m_ui->windLabel->setBackgroundRole(QPalette::NoRole);
    setPoints(0);
    setWins(0);
    m_ui->claimLabel->hide();
    // Starts highlighted so that this applies every part of the plain state.
    setHighlight(false);
    m_ui->windLabel->hide();
    m_ui->windText->hide();
    m_ui->scoresAndWins->hide();
    m_ui->scoresAndWinsLabel->hide();
    m_ui->highlightLabel->setPixmap(QPixmap(QStringLiteral("resources:/sb-hilight.png")));
    m_ui->timer->lower();
}

PlayerWidget::~PlayerWidget()
{
    delete m_ui;
}

void PlayerWidget::setName(const QString &name)
{
    m_ui->nameLabel->setText(name);
}

QString PlayerWidget::name() const
{
    return m_ui->nameLabel->fullText();
}

void PlayerWidget::setPicture(const QPixmap &picture)
{
    m_ui->avatarLabel->setPixmap(picture);
}

void PlayerWidget::setWind(int wind)
{
    m_wind = wind;
    updateWind();
}

void PlayerWidget::updateWind()
{
    const QString sheet = m_highlight ? QStringLiteral("resources:/sb-winds-hilight.png")
                                      : QStringLiteral("resources:/sb-winds.png");
    // A wind the sheet has no cell for shows no image rather than a cut
    // outside the sheet.
    if (m_wind >= 0 && m_wind <= 3)
        m_ui->windLabel->setPixmap(QPixmap(sheet).copy(m_wind * WindCellWidth, 0, WindCellWidth, WindCellHeight));
    else
        m_ui->windLabel->clear();
    m_ui->windText->setText(translatedWindName(m_wind));
}

void PlayerWidget::setPoints(int points)
{
    m_points = points;
    updateScores();
}

void PlayerWidget::setWins(int wins)
{
    m_wins = wins;
    updateScores();
}

void PlayerWidget::setGameType(int gameType)
{
    m_gameType = gameType;
    updateScores();
}

void PlayerWidget::updateScores()
{
    switch (m_gameType) {
    case -1:
        m_ui->scoresAndWins->clear();
        m_ui->scoresAndWinsLabel->clear();
        break;
    case 0:
        m_ui->scoresAndWins->setText(QStringLiteral("%L2").arg(m_wins));
        //: don't include %n in translation, only used to get correct noun form
        m_ui->scoresAndWinsLabel->setText(tr("%nwins", nullptr, m_wins));
        break;
    case 1:
    case 2:
    case 3: // East only keeps points as a full game does
        m_ui->scoresAndWins->setText(QStringLiteral("%L2").arg(m_points));
        //: don't include %n in translation, only used to get correct noun form
        m_ui->scoresAndWinsLabel->setText(tr("%npts", nullptr, pluralCount(m_points)));
        break;
    default:
        m_ui->scoresAndWins->clear();
        qCWarning(lcTable) << "Unrecognized game_type: " << m_gameType;
        break;
    }
}

QString PlayerWidget::scoreText() const
{
    return m_ui->scoresAndWins->text();
}

QString PlayerWidget::scoreLabelText() const
{
    return m_ui->scoresAndWinsLabel->text();
}

void PlayerWidget::setHighlight(bool highlight)
{
    if (highlight == m_highlight)
        return;
    m_highlight = highlight;
    m_ui->highlightLabel->setVisible(highlight);
    m_ui->highlightLabel->setGeometry(rect());
    updateWind();
    // Rules that select on the property apply again only on a new sheet.
    setStyleSheet(highlight ? QStringLiteral("/* */") : QString());
    if (highlight)
        m_ui->highlightLabel->stackUnder(m_ui->timer);
}

void PlayerWidget::showReady(bool ready)
{
    if (ready) {
        m_readyShown = true;
        setClaimImage(QString::fromLatin1(ReadyImage));
    }
    m_ui->claimLabel->setVisible(ready);
}

QString PlayerWidget::claimImageName(int meldType, int ruleset, int declarationKind)
{
    const bool riichi = ruleset == 2;
    switch (meldType) {
    case 1:
        return riichi ? QStringLiteral("textimages:claim-chii.png") : QStringLiteral("textimages:claim-chow.png");
    case 2:
        return riichi ? QStringLiteral("textimages:claim-pon.png") : QStringLiteral("textimages:claim-pong.png");
    case 8:
        return riichi ? QStringLiteral("textimages:claim-kan.png") : QStringLiteral("textimages:claim-kong.png");
    case 16:
        if (declarationKind == 2)
            return QStringLiteral("textimages:claim-ron.png");
        if (declarationKind == 3)
            return QStringLiteral("textimages:claim-tsumo.png");
        return QStringLiteral("textimages:claim-mahjong.png");
    case 128:
        return QStringLiteral("textimages:claim-riichi.png");
    default:
        throw std::runtime_error("invalid claim meld " + std::to_string(meldType));
    }
}

void PlayerWidget::showClaim(int meldType, int ruleset, int declarationKind)
{
    m_claimMeld = meldType;
    m_claimRuleset = ruleset;
    m_claimKind = declarationKind;
    const QString image = claimImageName(meldType, ruleset, declarationKind);
    m_readyShown = false;
    setClaimImage(image);
    m_ui->claimLabel->show();
}

void PlayerWidget::setClaimImage(const QString &name)
{
    m_claimImage = name;
    QPixmap image(name);
    // A word drawn larger than the claim area is shrunk, never cut.
    const QSize area = m_ui->claimLabel->size();
    if (image.width() > area.width() || image.height() > area.height())
        image = image.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_ui->claimLabel->setPixmap(image);
}

void PlayerWidget::hideClaim()
{
    m_ui->claimLabel->hide();
}

bool PlayerWidget::isClaimShown() const
{
    return !m_ui->claimLabel->isHidden();
}

void PlayerWidget::setTimer(const TimeSpan &span)
{
    m_timeSpan = span;
    m_ui->timer->setTimeSpan(span);
}

void PlayerWidget::clearTimer()
{
    m_timeSpan = TimeSpan();
    m_ui->timer->setTimeSpan(TimeSpan());
}

void PlayerWidget::setWindVisible(bool visible)
{
    m_ui->windLabel->setVisible(visible);
    m_ui->windText->setVisible(visible);
}

void PlayerWidget::setScoresVisible(bool visible)
{
    m_ui->scoresAndWins->setVisible(visible);
    m_ui->scoresAndWinsLabel->setVisible(visible);
}

void PlayerWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        updateScores();
        updateWind();
        // Text images exist per language.
        if (isClaimShown()) {
            if (m_readyShown)
                setClaimImage(QString::fromLatin1(ReadyImage));
            else
                setClaimImage(claimImageName(m_claimMeld, m_claimRuleset, m_claimKind));
        }
    }
    BugfixWidget::changeEvent(event);
}
