#pragma once

#include <QPointF>

class HiddenHandView;
class QGraphicsScene;
class TileAnimation;
class TileAnimationSource;

// What the table animations use of their table window: the scene, the seats'
// wind positions and hidden hands, the wall's next tiles, the deal slots and
// the sound. The window implements it; tests use a double.
class AnimationHost
{
public:
    static constexpr int DealSlotCount = 53;

    virtual ~AnimationHost() = default;

    virtual QGraphicsScene *animationScene() = 0;
    // Whether the window is on screen (sounds play only then).
    virtual bool isShownOnScreen() const = 0;
    virtual void playSound(int soundId) = 0;
    // Scene position of the wind marker of seat position 0-3.
    virtual QPointF windPosition(int position) const = 0;
    // The wind of the player in the bottom seat, and how many are seated.
    virtual int bottomWind() const = 0;
    virtual int seatedPlayers() const = 0;
    // The wall's next tiles, dealt one at a time.
    virtual TileAnimationSource *liveWallSource() = 0;
    virtual HiddenHandView *hiddenHand(int position) = 0;
    // Whether the seat shows its hand face up (the seated player's own):
    // the deal's backs that land there go as they land.
    virtual bool showsHandFaceUp(int /*position*/) const { return false; }
    // Takes the animation, deleting the one held in slot i before.
    virtual void setDealSlot(int index, TileAnimation *animation) = 0;
};
