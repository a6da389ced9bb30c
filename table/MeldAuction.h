#pragma once

#include "game/Tile.h"
#include "protocol/meld_offer.h"
#include "widgets/MahjongDialog.h"

#include <memory>
#include <vector>

namespace Ui {
class MeldAuction;
}

// The claim panel: the server's offers for one decision point, Pass or Close,
// and the Mahjong and Riichi buttons. It decides nothing; the table window
// turns the answer into a request.
class MeldAuction : public MahjongDialog
{
    Q_OBJECT

public:
    enum AuctionType { Claim = 0, Declaration = 1, RobKong = 2, ReplaceTiles = 3 };

    explicit MeldAuction(QWidget *parent = nullptr);
    ~MeldAuction() override;

    void clearOffers();
    void enablePass();
    void showCloseButton();
    // Throws std::runtime_error for an offer that cannot be shown.
    void addOffer(const meld_offer &offer, tile lastDiscard);
    void setAuctionType(int type);
    int auctionType() const { return m_auctionType; }

    static QString title(int type);

signals:
    void meldSelected(meld_offer offer);
    void passSelected();
    void closeSelected();

public slots:
    void mahjongClicked();
    void riichiClicked();
    void passClicked();
    void closeClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::MeldAuction *m_ui;
    QFrame *m_content;
    std::vector<std::shared_ptr<QWidget>> m_rows;
    bool m_mahjong = false;
    bool m_pass = false;
    int m_auctionType = 0;
};
