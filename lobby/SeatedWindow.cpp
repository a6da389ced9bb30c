#include "lobby/SeatedWindow.h"

#include "lobby/LocalizationDb.h"
#include "lobby/TableTexts.h"
#include "core/TimeSpan.h"
#include "core/TextFormat.h"
#include "widgets/Utils.h"
#include "widgets/VisibleTimer.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

SeatedWindow::SeatedWindow(LocalizationDb *localizationDb, QWidget *parent)
    : MahjongDialog(parent, 0)
    , m_localizationDb(localizationDb)
{
    setObjectName(QStringLiteral("seatedWindow"));
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("seatedContent"));
    auto *layout = new QVBoxLayout(content);

    m_tableLabel = new QLabel(content);
    m_tableLabel->setObjectName(QStringLiteral("tableLabel"));
    m_tableLabel->setTextFormat(Qt::PlainText); // the name comes from the server
    layout->addWidget(m_tableLabel);
    m_descriptionLabel = new QLabel(content);
    m_descriptionLabel->setObjectName(QStringLiteral("descriptionLabel"));
    m_descriptionLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(m_descriptionLabel);
    m_countdownLabel = new QLabel(content);
    m_countdownLabel->setObjectName(QStringLiteral("countdownLabel"));
    m_countdownLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(m_countdownLabel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_playButton = new QPushButton(content);
    m_playButton->setObjectName(QStringLiteral("playButton"));
    m_playButton->setDefault(true);
    m_leaveButton = new QPushButton(content);
    m_leaveButton->setObjectName(QStringLiteral("leaveButton"));
    buttons->addWidget(m_playButton);
    buttons->addWidget(m_leaveButton);
    layout->addLayout(buttons);

    // The countdown ticks only while the panel is on screen.
    m_timer = new VisibleTimer(this);
    m_timer->setObjectName(QStringLiteral("countdownTimer"));
    m_timer->setWidget(this);
    m_timer->setInterval(1000);
    connect(m_timer, &VisibleTimer::timeout, this, &SeatedWindow::updateCountdown);
    connect(m_playButton, &QPushButton::clicked, this, &SeatedWindow::playButtonClicked);
    connect(m_leaveButton, &QPushButton::clicked, this, &SeatedWindow::leaveButtonClicked);
    if (localizationDb)
        connect(localizationDb, &LocalizationDb::tableNamesUpdated, this, &SeatedWindow::updateTexts);

    setWidget(content);
    // Drawn inside the table window without a layout around it: the frame
    // follows the size its content asks for.
    QWidget::layout()->setSizeConstraint(QLayout::SetFixedSize);
    updateTexts();
    hide();
}

void SeatedWindow::startCountdown(const TimeSpan &timeSpan)
{
    m_end = timeSpan.end();
    if (!m_end.isValid()) {
        stopCountdown();
        return;
    }
    updateCountdown();
    if (Utils::serverNow().secsTo(m_end) > 0)
        m_timer->start();
}

void SeatedWindow::stopCountdown()
{
    m_timer->stop();
    m_end = QDateTime();
    m_countdownLabel->clear();
}

bool SeatedWindow::isCountingDown() const
{
    return m_timer->isActive();
}

void SeatedWindow::onTableInfo(const TableInfo &info)
{
    m_info = info;
    m_hasInfo = true;
    updateTexts();
}

void SeatedWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        updateTexts();
    MahjongDialog::changeEvent(event);
}

void SeatedWindow::updateCountdown()
{
    if (!m_end.isValid())
        return;
    const qint64 seconds = qMax<qint64>(0, Utils::serverNow().secsTo(m_end));
    m_countdownLabel->setText(tr("The game starts in %1").arg(Utils::durationText(seconds)));
    if (seconds == 0)
        m_timer->stop();
}

void SeatedWindow::updateTexts()
{
    setWindowTitle(tr("Seat reserved"));
    m_playButton->setText(tr("Play"));
    m_leaveButton->setText(tr("Leave"));
    if (!m_hasInfo) {
        m_tableLabel->clear();
        m_descriptionLabel->clear();
    } else {
        QString name = m_localizationDb ? Utils::isolated(m_localizationDb->tableName(m_info)) : QString();
        if (name.isEmpty())
            name = tr("Table %1").arg(m_info.id());
        m_tableLabel->setText(tr("A seat is reserved for you at %1.").arg(name));
        m_descriptionLabel->setText(tr("%1, %2, buy-in %3")
                                        .arg(rulesetName(m_info.ruleset()),
                                             effectiveGameTypeName(m_info.gameType(), m_info.windRounds()),
                                             m_info.buyInText()));
    }
    if (m_end.isValid())
        updateCountdown();
}
