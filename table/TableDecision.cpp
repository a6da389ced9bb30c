#include "table/TableDecision.h"

#include "game/Meld.h"

#include <algorithm>

namespace {

bool declarationKind(int type)
{
    return type == 128 || type == 8 || type == 4 || type == 64;
}

TableDecision::Request requestOf(int type)
{
    switch (type) {
    case 1:
        return TableDecision::Chow;
    case 2:
        return TableDecision::Pong;
    case 4:
        return TableDecision::PongToKong;
    case 8:
        return TableDecision::Kong;
    case 16:
        return TableDecision::Mahjong;
    case 64:
        return TableDecision::Bonus;
    case 128:
        return TableDecision::Riichi;
    default:
        return TableDecision::Nothing;
    }
}

} // namespace

TableDecision::TableDecision(qint32 ownId)
    : m_ownId(ownId)
{
}

void TableDecision::open(Subject subject, const meld_offer_vector &offers, const TimeSpan &ts)
{
    m_subject = subject;
    m_offers = offers;
    m_deadline = ts;
    m_discarder = -1;
    m_discard = 0;
    m_onlyTiles.clear();
    m_tileChoice = 0;
    m_panelClosed = false;
    m_answered = false;
    m_turnHeld = false;
    m_declarationsTold = false;
    ++m_serial;
}

void TableDecision::end()
{
    if (m_subject != None || m_tileChoice != 0 || !m_offers.empty())
        open(None, {}, TimeSpan());
    m_answered = false;
}

void TableDecision::reset()
{
    end();
    m_claimTiles.clear();
    m_answered = false;
    m_holder = Unknown;
    m_openDiscard = -1;
    m_bonusBy = -1;
}

bool TableDecision::ownTurnOpen() const
{
    return m_holder == m_ownId && !m_answered && handActive();
}

bool TableDecision::claimOpen() const
{
    return m_openDiscard >= 0 || m_subject == Claim;
}

void TableDecision::drawn(qint32 playerId, bool fromDeadWall, const tile_vector &onlyTiles)
{
    if (!fromDeadWall)
        m_claimTiles.clear();
    if (playerId == m_ownId && ownTurnOpen()) {
        // The turn was announced before its draw: the draw belongs to it.
        if (!m_turnHeld)
            m_onlyTiles = onlyTiles;
        m_openDiscard = -1;
        m_bonusBy = -1;
        return;
    }
    if (playerId == m_ownId && m_holder == m_ownId && m_answered && !fromDeadWall) {
        // The turn told before its draw was answered already: the draw is
        // the one it discarded from, and opens nothing to answer again.
        end();
        m_answered = true;
        m_openDiscard = -1;
        m_bonusBy = -1;
        return;
    }
    if (fromDeadWall && playerId != m_ownId && playerId == m_bonusBy && claimOpen())
        return; // a flower's replacement: the discard is still open
    end();
    m_answered = false;
    m_holder = playerId;
    m_openDiscard = -1;
    m_bonusBy = -1;
}

void TableDecision::discarded(qint32 playerId)
{
    m_claimTiles.clear();
    end();
    m_answered = false;
    m_holder = Nobody;
    m_openDiscard = playerId == m_ownId ? -1 : playerId;
    m_bonusBy = -1;
}

void TableDecision::claimed(qint32 claimerId)
{
    // The own claim's discard is in the hand now, bound for the meld.
    if (claimerId == m_ownId && !m_claimTiles.empty())
        m_claimTiles.push_back(m_claimDiscard);
    else
        m_claimTiles.clear();
    m_bonusBy = -1;
    if (claimerId == m_ownId && ownTurnOpen()) {
        // The turn that follows the own claim came before its report.
        m_openDiscard = -1;
        return;
    }
    end();
    m_answered = false;
    m_holder = claimerId;
    m_openDiscard = -1;
}

void TableDecision::declared(qint32 playerId, bool bonus)
{
    // The local player's own melds and flowers answer a question that has
    // ended with the answer; another player's end whatever was open, except
    // a flower shown while a discard waits for claims.
    if (playerId == m_ownId) {
        if (!bonus)
            m_claimTiles.clear();
        return;
    }
    if (bonus && claimOpen()) {
        m_bonusBy = playerId;
        return;
    }
    end();
    m_holder = playerId;
    m_openDiscard = -1;
    m_bonusBy = -1;
}

bool TableDecision::ownTurnOver() const
{
    // Declarations and flowers belong to the own turn: not after its
    // discard went out, nor while another player holds the turn.
    return m_answered || m_holder == Nobody || (m_holder >= 0 && m_holder != m_ownId);
}

bool TableDecision::turn(qint32 playerId, const TimeSpan &ts, const tile_vector &onlyTiles)
{
    if (playerId < 0)
        return true;
    if (playerId != m_ownId) {
        end();
        m_holder = playerId;
        m_openDiscard = -1;
        return true;
    }
    if (m_answered)
        return false;
    m_holder = m_ownId;
    m_openDiscard = -1;
    if (m_subject == Replacement && m_tileChoice == 64) {
        // Flowers offered before the turn stay offered beside it.
        m_turnHeld = true;
        m_deadline = ts;
        m_onlyTiles = onlyTiles;
        return true;
    }
    if (m_subject == OwnTurn) {
        // The declarations came first: the turn keeps them.
        m_deadline = ts;
        m_onlyTiles = onlyTiles;
        return true;
    }
    open(OwnTurn, {}, ts);
    m_onlyTiles = onlyTiles;
    return true;
}

bool TableDecision::concealed(const meld_offer_vector &offers, const TimeSpan &ts, const tile_vector &onlyTiles)
{
    // After another player's discard the own turn may be next: its
    // declarations can come before its turn and its draw.
    const bool turnBegins = m_holder == Nobody && m_openDiscard >= 0 && !m_answered;
    if (ownTurnOver() && !turnBegins)
        return false;
    if (turnBegins) {
        m_holder = m_ownId;
        m_openDiscard = -1;
        m_bonusBy = -1;
    }
    const TimeSpan deadline = m_subject == OwnTurn && !ts.end().isValid() ? m_deadline : ts;
    open(OwnTurn, offers, deadline);
    m_onlyTiles = onlyTiles;
    m_declarationsTold = true;
    return true;
}

bool TableDecision::replacement(const meld_offer_vector &offers, const TimeSpan &ts)
{
    if (ownTurnOver())
        return false;
    // Flowers offered after the turn was told stand beside it, as they do
    // when the turn comes second.
    const bool turnTold = m_subject == OwnTurn && m_holder == m_ownId;
    const tile_vector onlyTiles = m_onlyTiles;
    open(Replacement, offers, ts);
    if (!offers.empty()) {
        m_tileChoice = 64;
        m_turnHeld = turnTold;
        if (turnTold)
            m_onlyTiles = onlyTiles;
    }
    return true;
}

bool TableDecision::claim(const meld_offer_vector &offers, qint32 discarderId, tile discard, const TimeSpan &ts)
{
    // Only the discard still open to claims; after a reset the table cannot
    // tell, and the server's word is taken.
    if (discarderId == m_ownId || (m_holder != Unknown && m_openDiscard != discarderId))
        return false;
    open(Claim, offers, ts);
    m_discarder = discarderId;
    m_discard = discard;
    return true;
}

bool TableDecision::robKong(const meld_offer_vector &offers, const TimeSpan &ts)
{
    if (m_answered)
        return false;
    open(RobKong, offers, ts);
    return true;
}

bool TableDecision::offers(int type) const
{
    return std::any_of(m_offers.begin(), m_offers.end(), [type](const meld_offer &o) { return o.meldType == type; });
}

bool TableDecision::handActive() const
{
    if (m_subject == OwnTurn)
        return true;
    return m_subject == Replacement && m_tileChoice == 64;
}

tile_vector TableDecision::allowedTiles() const
{
    if (m_tileChoice == 0)
        return m_onlyTiles;
    if (m_turnHeld && m_onlyTiles.empty())
        return {};
    tile_vector allowed = m_turnHeld ? m_onlyTiles : tile_vector{};
    for (const meld_offer &o : m_offers) {
        if (o.meldType == m_tileChoice)
            allowed.push_back(o.t);
    }
    return allowed;
}

bool TableDecision::showsPanel() const
{
    switch (m_subject) {
    case Claim:
    case RobKong:
    case Replacement:
        return true;
    case OwnTurn:
        return !m_panelClosed && offers(16);
    case None:
        break;
    }
    return false;
}

bool TableDecision::showsDeclarations() const
{
    return m_subject == OwnTurn && std::any_of(m_offers.begin(), m_offers.end(), [](const meld_offer &o) {
               return declarationKind(o.meldType);
           });
}

TableDecision::Answer TableDecision::click(tile t)
{
    if (!handActive())
        return {};
    const tile_vector allowed = allowedTiles();
    if (!allowed.empty() && std::find(allowed.begin(), allowed.end(), t) == allowed.end())
        return {};
    Request request = m_tileChoice == 0 ? Discard : requestOf(m_tileChoice);
    if (m_turnHeld && !std::any_of(m_offers.begin(), m_offers.end(), [t](const meld_offer &o) {
            return o.meldType == 64 && o.t == t;
        }))
        request = Discard;
    Answer answer{request, t};
    const bool turnOver = answer.request == Discard || answer.request == Riichi;
    end();
    m_answered = turnOver;
    return answer;
}

TableDecision::Answer TableDecision::select(const meld_offer &offer, bool *chose)
{
    if (chose)
        *chose = false;
    if (m_subject == None || m_tileChoice != 0)
        return {};
    if (offer.meldType == 128) {
        // The riichi tile is chosen in the hand, in the own turn only.
        if (m_subject != OwnTurn || !offers(128))
            return {};
        m_tileChoice = 128;
        m_panelClosed = true;
        if (chose)
            *chose = true;
        return {};
    }
    if (offer.meldType == 16) {
        // The Mahjong button names no tile.
        if (!offers(16))
            return {};
    } else if (m_subject == OwnTurn || m_subject == Replacement
               || std::find(m_offers.begin(), m_offers.end(), offer) == m_offers.end()) {
        // Rows are shown for claims and robbing only; the own turn's
        // declarations go through the hand.
        return {};
    }
    const Answer answer{requestOf(offer.meldType), offer.t};
    const bool turnOver = m_subject == OwnTurn && answer.request == Mahjong;
    if (m_subject == Claim)
        holdClaimTiles(answer);
    end();
    m_answered = turnOver;
    return answer;
}

void TableDecision::holdClaimTiles(const Answer &answer)
{
    switch (answer.request) {
    case Chow:
        m_claimTiles = makeChowTiles(answer.t);
        break;
    case Pong:
        m_claimTiles = makePongTiles(answer.t);
        break;
    case Kong:
        m_claimTiles = makeKongTiles(answer.t);
        break;
    default:
        m_claimTiles.clear();
        return;
    }
    // The discard joins the hand only when the claim is reported.
    const auto it = std::find(m_claimTiles.begin(), m_claimTiles.end(), m_discard);
    if (it != m_claimTiles.end())
        m_claimTiles.erase(it);
    m_claimDiscard = m_discard;
}

TableDecision::Answer TableDecision::pass()
{
    if (m_subject != Claim && m_subject != RobKong && m_subject != Replacement)
        return {};
    if (m_turnHeld) {
        // The flowers are passed on; the turn they stood beside goes on.
        const TimeSpan deadline = m_deadline;
        const tile_vector onlyTiles = m_onlyTiles;
        open(OwnTurn, {}, deadline);
        m_onlyTiles = onlyTiles;
        return {Pass, 0};
    }
    end();
    return {Pass, 0};
}

bool TableDecision::chooseKind(int type)
{
    if (m_subject != OwnTurn || !declarationKind(type) || !offers(type))
        return false;
    m_tileChoice = type;
    return true;
}

void TableDecision::cancelKind()
{
    if (m_subject == OwnTurn)
        m_tileChoice = 0;
}

void TableDecision::closePanel()
{
    m_panelClosed = true;
}

const char *TableDecision::requestName(Request request)
{
    switch (request) {
    case Nothing:
        return "nothing";
    case Discard:
        return "discard_tile";
    case Pass:
        return "call_pass";
    case Chow:
        return "call_chow";
    case Pong:
        return "call_pong";
    case Kong:
        return "call_kong";
    case PongToKong:
        return "call_pong_to_kong";
    case Bonus:
        return "call_bonus";
    case Riichi:
        return "call_riichi";
    case Mahjong:
        return "call_mahjong";
    }
    return "nothing";
}
