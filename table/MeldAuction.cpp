#include "table/MeldAuction.h"

#include "table/MeldChoice.h"
#include "ui_MeldAuction.h"

#include <QEvent>
#include <QLayout>

MeldAuction::MeldAuction(QWidget *parent)
    : MahjongDialog(parent, 0)
    , m_ui(new Ui::MeldAuction)
    , m_content(new QFrame(this))
{
    setWidget(m_content);
    m_ui->setupUi(m_content);
    m_content->setWindowTitle(QString());
    QWidget::layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &MeldAuction::closeClicked);
    connect(m_ui->passButton, &QPushButton::clicked, this, &MeldAuction::passClicked);
    connect(m_ui->mahjongButton, &QPushButton::clicked, this, &MeldAuction::mahjongClicked);
    connect(m_ui->riichiButton, &QPushButton::clicked, this, &MeldAuction::riichiClicked);
    clearOffers();
}

MeldAuction::~MeldAuction()
{
    m_rows.clear();
    delete m_ui;
}

void MeldAuction::clearOffers()
{
    m_rows.clear();
    m_mahjong = false;
    m_pass = false;
    m_ui->mahjongButtonFrame->hide();
    m_ui->meldChoiceSeparator->hide();
    m_ui->mahjongButton->hide();
    m_ui->riichiButton->hide();
    m_ui->closeButton->hide();
    m_ui->passButton->hide();
}

void MeldAuction::enablePass()
{
    m_pass = true;
    m_ui->passButton->show();
}

void MeldAuction::showCloseButton()
{
    m_ui->closeButton->show();
}

void MeldAuction::addOffer(const meld_offer &offer, tile lastDiscard)
{
    m_pass = true;
    if (offer.meldType == 128) {
        m_ui->riichiButton->show();
        return;
    }
    if (offer.meldType == 16) {
        m_mahjong = true;
        m_ui->mahjongButton->show();
        m_ui->mahjongButtonFrame->show();
        m_ui->meldChoiceSeparator->show();
        return;
    }
    auto row = std::make_shared<MeldChoice>(m_ui->meldChoice, offer, lastDiscard);
    connect(row.get(), &MeldChoice::selected, this, &MeldAuction::meldSelected);
    m_ui->meldChoiceLayout->addWidget(row.get());
    m_rows.push_back(row);
    auto separator = std::make_shared<QFrame>(m_ui->meldChoice);
    separator->setObjectName(QStringLiteral("meldChoiceSeparator"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    m_ui->meldChoiceLayout->addWidget(separator.get());
    m_rows.push_back(separator);
    m_ui->meldChoice->resize(m_ui->meldChoiceLayout->sizeHint());
}

QString MeldAuction::title(int type)
{
    switch (type) {
    case Claim:
    case Declaration:
        return tr("Choose Meld");
    case RobKong:
        return tr("Rob the Kong");
    case ReplaceTiles:
        return tr("Replace tiles");
    default:
        return QString();
    }
}

void MeldAuction::setAuctionType(int type)
{
    m_auctionType = type;
    setWindowTitle(title(type));
}

void MeldAuction::mahjongClicked()
{
    if (m_mahjong)
        emit meldSelected(meld_offer(16, 0));
}

void MeldAuction::riichiClicked()
{
    emit meldSelected(meld_offer(128, 0));
}

void MeldAuction::passClicked()
{
    if (m_pass)
        emit passSelected();
}

void MeldAuction::closeClicked()
{
    hide();
    emit closeSelected();
}

void MeldAuction::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(m_content);
        setWindowTitle(title(m_auctionType));
    }
    MahjongDialog::changeEvent(event);
}
