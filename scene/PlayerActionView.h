#pragma once

#include <QGraphicsPixmapItem>
#include <QString>

// The banner of a claim or declaration next to a seat: the word as a picture
// in the player's language, turned to the seat.
class PlayerActionView : public QGraphicsPixmapItem
{
public:
    // Anchored at a corner, or centred on the item's position.
    enum Placement { CornerPlacement = 0, CentredPlacement = 1 };

    explicit PlayerActionView(int orientation);

    void showAction(int action, int kind);
    void setRuleset(int ruleset);
    void setPlacement(int placement);
    void setScale(double scale);
    void updatePixmap();

    int orientation() const { return m_orientation; }
    int action() const { return m_action; }
    int kind() const { return m_kind; }
    int placement() const { return m_placement; }
    double bannerScale() const { return m_scale; }

    // The picture of an action ("textimages:claim-pong.png" ...), empty for
    // an action without a banner.
    static QString imageName(int action, int kind, int ruleset);

private:
    int m_orientation;
    int m_action = 0;
    int m_kind = 0;
    int m_ruleset = 0;
    int m_placement = CornerPlacement;
    double m_scale = 1.0;
};
