#include "table/WashoutWindow.h"

#include "core/TextFormat.h"
#include "table/NextHandCountdown.h"
#include "ui_WashoutWidget.h"

#include <QEvent>
#include <QLayout>
#include <QPixmap>

WashoutWindow::WashoutWindow(QWidget *parent)
    : MahjongDialog(parent, 0)
    , m_ui(new Ui::WashoutWidget)
{
    auto *content = new QWidget(this);
    m_ui->setupUi(content);
    setWidget(content);
    QWidget::layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ui->readyButton, &QPushButton::clicked, this, &WashoutWindow::readyButtonClicked);
    connect(m_ui->leaveButton, &QPushButton::clicked, this, &WashoutWindow::leaveButtonClicked);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QWidget::hide);
    m_ui->textImage->setPixmap(QPixmap(QStringLiteral("textimages:washout.png")));
    applyReason();
    m_countdown = new NextHandCountdown(m_ui->nextRoundLabel, m_ui->nextRoundTimer, this);
    stopCountdown();
    updateButtons();
}

WashoutWindow::~WashoutWindow()
{
    delete m_ui;
}

QString WashoutWindow::reasonText(int type)
{
    switch (type) {
    case 6:
        return tr("Nine honors or terminals.");
    case 7:
        return tr("Four kongs.");
    case 8:
        return tr("Same wind discard.");
    case 9:
        return tr("No-one declared win after all player declared riichi.");
    default:
        return QString();
    }
}

void WashoutWindow::setWashoutType(int type)
{
    m_washoutType = type;
    applyReason();
}

void WashoutWindow::applyReason()
{
    const QString text = reasonText(m_washoutType);
    m_ui->washoutReason->setText(text);
    m_ui->washoutReason->setVisible(!text.isEmpty());
}

void WashoutWindow::setWatchOnly(bool watchOnly)
{
    m_watchOnly = watchOnly;
    updateButtons();
}

void WashoutWindow::setEndOfGame(bool endOfGame)
{
    m_endOfGame = endOfGame;
    updateButtons();
}

void WashoutWindow::setTableInfo(const TableInfo &info)
{
    m_tableInfo = info;
    updateButtons();
}

void WashoutWindow::startCountdown(const QDateTime &end)
{
    m_countdown->start(end);
}

void WashoutWindow::stopCountdown()
{
    m_countdown->stop();
}

const TimeSpan &WashoutWindow::countdown() const
{
    return m_countdown->span();
}

void WashoutWindow::updateButtons()
{
    if (m_watchOnly) {
        m_ui->readyButton->hide();
        m_ui->leaveButton->hide();
        m_ui->okButton->show();
        m_ui->okButton->setDefault(true);
        return;
    }
    m_ui->okButton->hide();
    m_ui->okButton->setDefault(false);
    switch (m_tableInfo.gameType()) {
    case TableInfo::SINGLE_HAND:
        m_ui->readyButton->setText(tr("Ready"));
        m_ui->leaveButton->show();
        break;
    case TableInfo::TOURNAMENT:
        m_ui->readyButton->setText(tr("Next hand"));
        m_ui->leaveButton->hide();
        break;
    case TableInfo::FULL_GAME:
        if (m_endOfGame) {
            m_ui->readyButton->setText(tr("Play (%1)").arg(m_tableInfo.value().betAndFeeText()));
            m_ui->leaveButton->show();
        } else {
            m_ui->readyButton->setText(tr("Next hand"));
            m_ui->leaveButton->hide();
        }
        break;
    default:
        break;
    }
    m_ui->readyButton->show();
    m_ui->readyButton->setDefault(true);
}

void WashoutWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(widget());
        m_ui->textImage->setPixmap(QPixmap(QStringLiteral("textimages:washout.png")));
        applyReason();
        updateButtons();
    }
    MahjongDialog::changeEvent(event);
}
