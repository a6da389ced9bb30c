#pragma once

#include "game/Tile.h"
#include "protocol/meld_offer.h"

#include <QFrame>

class MeldView;
class QGraphicsScene;

namespace Ui {
class MeldChoice;
}

// One offer row of the claim panel: the offered meld drawn with tiles and one
// button with its label and shortcut.
class MeldChoice : public QFrame
{
    Q_OBJECT

public:
    enum Kind { ChowLow, ChowMid, ChowHi, Kong, Pong, PongToKong, Bonus, Riichi };

    // Throws std::runtime_error for a chow that does not fit the last
    // discard and for an offer type it does not know.
    MeldChoice(QWidget *parent, const meld_offer &offer, tile lastDiscard);
    ~MeldChoice() override;

    static Kind kindOf(const meld_offer &offer, tile lastDiscard);
    // Whether a row can be drawn for the offer (kindOf would not throw).
    static bool canShow(const meld_offer &offer, tile lastDiscard);
    static QString label(Kind kind);
    static QString shortcut(Kind kind);

    Kind kind() const { return m_kind; }
    const meld_offer &offer() const { return m_offer; }
    const MeldView *meldItem() const { return m_meld; }

    QSize sizeHint() const override;

signals:
    void selected(meld_offer offer);

public slots:
    void buttonClicked();
    void onTileGraphicsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyTexts();

    Ui::MeldChoice *m_ui;
    QGraphicsScene *m_scene;
    MeldView *m_meld;
    meld_offer m_offer;
    Kind m_kind;
};
