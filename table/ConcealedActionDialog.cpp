#include "table/ConcealedActionDialog.h"

#include "ui_ConcealedActionDialog.h"

#include <QEvent>

ConcealedActionDialog::ConcealedActionDialog(QWidget *parent)
    : QFrame(parent)
    , m_ui(new Ui::ConcealedActionDialog)
{
    m_ui->setupUi(this);
    connect(m_ui->riichiButton, &QPushButton::clicked, this, &ConcealedActionDialog::riichiSelected);
    connect(m_ui->kongButton, &QPushButton::clicked, this, &ConcealedActionDialog::kongSelected);
    connect(m_ui->pongToKongButton, &QPushButton::clicked, this, &ConcealedActionDialog::pongToKongSelected);
    connect(m_ui->replaceBonusButton, &QPushButton::clicked, this, &ConcealedActionDialog::replaceFlowerSelected);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &ConcealedActionDialog::cancelSelected);
}

ConcealedActionDialog::~ConcealedActionDialog()
{
    delete m_ui;
}

void ConcealedActionDialog::setOffers(const meld_offer_vector &offers)
{
    m_ui->riichiButton->hide();
    m_ui->kongButton->hide();
    m_ui->pongToKongButton->hide();
    m_ui->replaceBonusButton->hide();
    m_ui->cancelButton->hide();
    for (const meld_offer &offer : offers) {
        switch (offer.meldType) {
        case 128:
            m_ui->riichiButton->show();
            break;
        case 8:
            m_ui->kongButton->show();
            break;
        case 4:
            m_ui->pongToKongButton->show();
            break;
        case 64:
            m_ui->replaceBonusButton->show();
            break;
        default:
            // Answered through the claim panel.
            break;
        }
    }
}

bool ConcealedActionDialog::offersChoice() const
{
    for (const QWidget *button :
         {m_ui->riichiButton, m_ui->kongButton, m_ui->pongToKongButton, m_ui->replaceBonusButton, m_ui->cancelButton}) {
        if (!button->isHidden())
            return true;
    }
    return false;
}

void ConcealedActionDialog::showCancelOnly()
{
    m_ui->riichiButton->hide();
    m_ui->kongButton->hide();
    m_ui->pongToKongButton->hide();
    m_ui->replaceBonusButton->hide();
    m_ui->cancelButton->show();
}

void ConcealedActionDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QFrame::changeEvent(event);
}
