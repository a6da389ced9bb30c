#include "table/RoundScoreWidget.h"

#include "core/TextFormat.h"
#include "ui_RoundScoreWidget.h"

#include <QEvent>

RoundScoreWidget::RoundScoreWidget(int mode, QWidget *parent)
    : QWidget(parent)
    , m_ui(new Ui::RoundScoreWidget)
    , m_mode(mode)
{
    m_ui->setupUi(this);
    // A plain widget paints its style-sheet background only when asked.
    setAttribute(Qt::WA_StyledBackground);
    applyMode();
}

RoundScoreWidget::~RoundScoreWidget()
{
    delete m_ui;
}

void RoundScoreWidget::applyMode()
{
    if (m_mode == Money || m_mode == Points) {
        if (m_mode == Money)
            m_ui->mahjongPointsLabel->setText(tr("Round balance:"));
        m_ui->roundResultsLabel->hide();
        m_ui->roundResults->hide();
        m_ui->tournamentPointsLabel->hide();
        m_ui->tournamentPoints->hide();
    } else {
        m_ui->roundResultsLabel->setText(tr("Round results:"));
    }
}

QString RoundScoreWidget::halfPoints(qint64 value)
{
    return QString::number(double(value) * 0.5, 'g', 6);
}

void RoundScoreWidget::setName(const QString &name)
{
    m_ui->screenName->setText(name);
}

QString RoundScoreWidget::name() const
{
    return m_ui->screenName->text();
}

void RoundScoreWidget::setPicture(const QPixmap &picture)
{
    m_ui->avatar->setPixmap(picture);
}

void RoundScoreWidget::setMahjongPoints(qint32 points)
{
    m_mahjongPoints = points;
    if (m_mode == Tournament)
        m_ui->mahjongPoints->setText(QString::number(points));
    else if (m_mode == Points)
        m_ui->mahjongPoints->setText(QStringLiteral("%L1").arg(points));
}

void RoundScoreWidget::setRoundResult(qint64 result)
{
    m_roundResult = result;
    if (m_mode == Money)
        m_ui->mahjongPoints->setText(Utils::moneyString(result));
    else if (m_mode == Tournament)
        m_ui->roundResults->setText(halfPoints(result));
}

void RoundScoreWidget::setTournamentPoints(qint64 points)
{
    m_tournamentPoints = points;
    m_ui->tournamentPoints->setText(halfPoints(points));
}

QString RoundScoreWidget::mahjongPointsText() const
{
    return m_ui->mahjongPoints->text();
}

QString RoundScoreWidget::roundResultText() const
{
    return m_ui->roundResults->text();
}

QString RoundScoreWidget::tournamentPointsText() const
{
    return m_ui->tournamentPoints->text();
}

void RoundScoreWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The form's placeholders must not replace what the row shows.
        const QString name = m_ui->screenName->text();
        const QString tournamentPoints = m_ui->tournamentPoints->text();
        m_ui->retranslateUi(this);
        applyMode();
        m_ui->screenName->setText(name);
        setMahjongPoints(m_mahjongPoints);
        setRoundResult(m_roundResult);
        m_ui->tournamentPoints->setText(tournamentPoints);
    }
    QWidget::changeEvent(event);
}
