#pragma once

#include "protocol/meld_offer.h"

#include <QFrame>

namespace Ui {
class ConcealedActionDialog;
}

// The own-turn declarations that need a tile from the hand: the player picks
// the kind here, then the tile in the hand.
class ConcealedActionDialog : public QFrame
{
    Q_OBJECT

public:
    explicit ConcealedActionDialog(QWidget *parent = nullptr);
    ~ConcealedActionDialog() override;

    void setOffers(const meld_offer_vector &offers);
    // Whether setOffers left any of the dialog's buttons to press.
    bool offersChoice() const;
    void showCancelOnly();

signals:
    void riichiSelected();
    void kongSelected();
    void pongToKongSelected();
    void replaceFlowerSelected();
    void cancelSelected();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::ConcealedActionDialog *m_ui;
};
