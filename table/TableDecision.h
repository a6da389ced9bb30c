#pragma once

#include "core/TimeSpan.h"
#include "game/Tile.h"
#include "protocol/meld_offer.h"

#include <QtGlobal>

// The one question the table puts to the local player at a time: what it
// answers (the own turn, a discard, a kong to rob, flowers to replace), the
// kinds offered, the tiles allowed and its deadline. Each suggestion or turn
// replaces it; every table event that settles it ends it. The window draws
// its panels and the hand from it and sends only the answers it allows.
//
// It also follows who holds the turn, as far as the table events tell, so
// that a question that comes after its moment has passed is refused rather
// than shown.
class TableDecision
{
public:
    enum Subject { None, OwnTurn, Claim, RobKong, Replacement };
    enum Request { Nothing, Discard, Pass, Chow, Pong, Kong, PongToKong, Bonus, Riichi, Mahjong };

    struct Answer
    {
        Request request = Nothing;
        tile t = 0;
    };

    explicit TableDecision(qint32 ownId = -1);

    // --- what the server says -------------------------------------------
    // A new hand, or the table taken again from the server: nothing is
    // known of the turn.
    void reset();
    // A draw from the wall; a hand's deal (13 tiles) is no draw. onlyTiles:
    // the tiles the own turn may discard once the draw is in the hand.
    void drawn(qint32 playerId, bool fromDeadWall = false, const tile_vector &onlyTiles = {});
    // A discard reported, a riichi declaration included.
    void discarded(qint32 playerId);
    void claimed(qint32 claimerId);
    // A meld or bonus tiles laid down.
    void declared(qint32 playerId, bool bonus = false);
    // The turn of a player (-1: nobody's). False for the local player's turn
    // when that turn has been answered already.
    bool turn(qint32 playerId, const TimeSpan &ts, const tile_vector &onlyTiles = {});
    // The suggestions; false (nothing changes) when they come too late.
    bool concealed(const meld_offer_vector &offers, const TimeSpan &ts, const tile_vector &onlyTiles = {});
    bool replacement(const meld_offer_vector &offers, const TimeSpan &ts);
    bool claim(const meld_offer_vector &offers, qint32 discarderId, tile discard, const TimeSpan &ts);
    bool robKong(const meld_offer_vector &offers, const TimeSpan &ts);
    // A time-out, the hand's end, a kick, a leave: no question is open.
    void end();

    // --- what the player does -------------------------------------------
    // A tile clicked in the hand.
    Answer click(tile t);
    // A row, the Mahjong or the Riichi button of the panel. Riichi answers
    // nothing yet: it starts the choice of the riichi tile (chose set).
    Answer select(const meld_offer &offer, bool *chose = nullptr);
    Answer pass();
    // A kind of the declarations' dialog: the next click chooses its tile.
    bool chooseKind(int type);
    void cancelKind();
    // The own-turn panel closed by the player; the turn goes on.
    void closePanel();

    // --- what the window draws ------------------------------------------
    Subject subject() const { return m_subject; }
    const meld_offer_vector &offers() const { return m_offers; }
    const TimeSpan &deadline() const { return m_deadline; }
    qint32 discarder() const { return m_discarder; }
    tile discardTile() const { return m_discard; }
    int tileChoice() const { return m_tileChoice; }
    // Changes whenever a new question replaces the last one.
    quint64 serial() const { return m_serial; }
    // The own turn was answered with a discard, a riichi or a win; the
    // server's report has not come yet.
    bool isAnswered() const { return m_answered; }
    // The hand's tiles that an own claim, sent and not yet reported as a
    // meld, takes: none of them is the turn's discard meanwhile, as the turn
    // may be told before the claim.
    const tile_vector &claimTiles() const { return m_claimTiles; }
    // The own turn is announced while another question is still open.
    bool holdsTurn() const { return m_turnHeld; }
    // The own turn's declarations, none perhaps, have been told.
    bool declarationsTold() const { return m_declarationsTold; }
    bool handActive() const;
    // Empty: any tile of the hand.
    tile_vector allowedTiles() const;
    bool showsPanel() const;
    bool showsDeclarations() const;
    bool offers(int type) const;

    static const char *requestName(Request request);

private:
    void open(Subject subject, const meld_offer_vector &offers, const TimeSpan &ts);
    bool ownTurnOver() const;
    // The own turn is open and still the player's to answer.
    bool ownTurnOpen() const;
    // A discard of another player waits for claims.
    bool claimOpen() const;
    void holdClaimTiles(const Answer &answer);

    qint32 m_ownId;
    Subject m_subject = None;
    meld_offer_vector m_offers;
    TimeSpan m_deadline;
    qint32 m_discarder = -1;
    tile m_discard = 0;
    tile_vector m_onlyTiles;
    int m_tileChoice = 0;
    bool m_panelClosed = false;
    bool m_answered = false;
    bool m_declarationsTold = false;
    // The own turn came while flowers were offered for replacement: the
    // offer stands, and a tile not offered is the turn's discard.
    bool m_turnHeld = false;
    quint64 m_serial = 0;
    tile_vector m_claimTiles;
    tile m_claimDiscard = 0;
    // Who holds the turn: a player id, Nobody after a discard, Unknown
    // after a reset.
    static constexpr qint32 Unknown = -2, Nobody = -1;
    qint32 m_holder = Unknown;
    // The discard that is open to claims, by its discarder, or -1.
    qint32 m_openDiscard = -1;
    // Another player who showed a flower while a discard was open to
    // claims: its replacement draw leaves the claim open.
    qint32 m_bonusBy = -1;
};
