#include "table/MeldChoice.h"

#include "scene/MeldView.h"
#include "scene/TileGraphics.h"
#include "ui_MeldChoice.h"

#include <QEvent>
#include <QGraphicsScene>
#include <QPainter>
#include <QStyleOption>

#include <memory>
#include <sstream>
#include <stdexcept>

MeldChoice::Kind MeldChoice::kindOf(const meld_offer &offer, tile lastDiscard)
{
    switch (offer.meldType) {
    case 1:
        if (offer.t == lastDiscard)
            return ChowLow;
        if (tile(offer.t + 1) == lastDiscard)
            return ChowMid;
        if (tile(offer.t + 2) == lastDiscard)
            return ChowHi;
        {
            std::ostringstream text;
            text << "invalid tile " << offer.t << " sent in chow meld offer, last discard is " << lastDiscard;
            throw std::runtime_error(text.str());
        }
    case 8:
        return Kong;
    case 2:
        return Pong;
    case 4:
        return PongToKong;
    case 64:
        return Bonus;
    case 128:
        return Riichi;
    default:
        throw std::runtime_error("invalid meld offer sent");
    }
}

bool MeldChoice::canShow(const meld_offer &offer, tile lastDiscard)
{
    // A meld is of suited or honour tiles: a row naming a flower, a season
    // or the face-down tile would draw blanks.
    const bool meldTile = offer.t >= 0 && offer.t <= 33;
    switch (offer.meldType) {
    case 1:
        // Three suited tiles in a row, the discard among them.
        return meldTile && offer.t <= 26 && offer.t / 9 == (offer.t + 2) / 9
               && (offer.t == lastDiscard || tile(offer.t + 1) == lastDiscard || tile(offer.t + 2) == lastDiscard);
    case 2:
    case 4:
    case 8:
        return meldTile;
    case 64:
    case 128:
        return true;
    default:
        return false;
    }
}

QString MeldChoice::label(Kind kind)
{
    switch (kind) {
    case ChowLow:
        return tr("Chow Low");
    case ChowMid:
        return tr("Chow Mid");
    case ChowHi:
        return tr("Chow Hi");
    case Kong:
        return tr("Kong");
    case Pong:
        return tr("Pong");
    case PongToKong:
        return tr("Pong to kong");
    case Bonus:
        return tr("Bonus");
    case Riichi:
        return tr("Riichi");
    }
    return QString();
}

QString MeldChoice::shortcut(Kind kind)
{
    switch (kind) {
    case ChowLow:
        return tr("Alt+1", "Chow Low");
    case ChowMid:
        return tr("Alt+2", "Chow Mid");
    case ChowHi:
        return tr("Alt+3", "Chow Hi");
    case Kong:
        return tr("Alt+K", "Kong");
    case Pong:
        return tr("Alt+P", "Pong");
    case PongToKong:
        return tr("Alt+K", "Pong to kong");
    case Riichi:
        return tr("Alt+R", "Riichi");
    case Bonus:
        break;
    }
    return QString();
}

MeldChoice::MeldChoice(QWidget *parent, const meld_offer &offer, tile lastDiscard)
    : QFrame(parent)
    , m_ui(new Ui::MeldChoice)
    , m_scene(new QGraphicsScene(this))
    , m_meld(nullptr)
    , m_offer(offer)
    , m_kind(ChowLow)
{
    std::unique_ptr<Ui::MeldChoice> ui(m_ui);
    // Upright as offered: nothing is claimed yet.
    auto meld = std::make_unique<MeldView>(0, offer.meldType, offer.t, -1, -1, MeldView::Open);
    m_meld = meld.get();
    // The tile set's own size, whatever the table's scale.
    m_meld->setPainter(&TileGraphics::instance().unscaledPainter());
    m_kind = kindOf(offer, lastDiscard);
    m_ui->setupUi(this);
    applyTexts();
    m_meld->updateToolTips();
    // The claimed tile stands out.
    m_meld->markTile(lastDiscard);
    m_scene->addItem(meld.release());
    m_ui->meldChoiceView->setScene(m_scene);
    m_ui->meldChoiceView->setResizeAnchor(QGraphicsView::AnchorViewCenter);
    onTileGraphicsChanged();
    connect(m_ui->meldChoiceButton, &QPushButton::clicked, this, &MeldChoice::buttonClicked);
    connect(&TileGraphics::instance(), &TileGraphics::tileGraphicsChanged, this, &MeldChoice::onTileGraphicsChanged);
    ui.release();
}

MeldChoice::~MeldChoice()
{
    m_scene->removeItem(m_meld);
    delete m_meld;
    delete m_ui;
}

void MeldChoice::applyTexts()
{
    m_ui->meldChoiceButton->setText(label(m_kind));
    m_ui->meldChoiceButton->setShortcut(QKeySequence(shortcut(m_kind)));
}

void MeldChoice::buttonClicked()
{
    emit selected(m_offer);
}

void MeldChoice::onTileGraphicsChanged()
{
    m_meld->layoutTiles();
    const QRectF rect = m_meld->childrenBoundingRect();
    m_scene->setSceneRect(rect);
    m_ui->meldChoiceView->centerOn(m_meld);
}

QSize MeldChoice::sizeHint() const
{
    return size();
}

void MeldChoice::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void MeldChoice::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyTexts();
        m_meld->updateToolTips();
    }
    QFrame::changeEvent(event);
}
