#include "scene/PlayerActionView.h"

#include "game/Meld.h"
#include "game/RulesetInfo.h"
#include "game/Orientation.h"

#include <QPixmap>
#include <QTransform>

PlayerActionView::PlayerActionView(int orientation)
    : m_orientation(orientationOf(orientation))
{
    setTransformationMode(Qt::SmoothTransformation);
}

QString PlayerActionView::imageName(int action, int kind, int ruleset)
{
    const bool riichi = ruleset == RULESET_RIICHI;
    switch (action) {
    case MELD_CHOW:
        return riichi ? QStringLiteral("textimages:claim-chii.png") : QStringLiteral("textimages:claim-chow.png");
    case MELD_PONG:
        return riichi ? QStringLiteral("textimages:claim-pon.png") : QStringLiteral("textimages:claim-pong.png");
    case MELD_KONG:
        return riichi ? QStringLiteral("textimages:claim-kan.png") : QStringLiteral("textimages:claim-kong.png");
    case MELD_MAHJONG:
        if (kind == 2)
            return QStringLiteral("textimages:claim-ron.png");
        if (kind == 3)
            return QStringLiteral("textimages:claim-tsumo.png");
        return QStringLiteral("textimages:claim-mahjong-game-view.png");
    case MELD_RIICHI:
        return QStringLiteral("textimages:claim-riichi.png");
    default:
        return QString();
    }
}

void PlayerActionView::showAction(int action, int kind)
{
    m_action = action;
    m_kind = kind;
    updatePixmap();
}

void PlayerActionView::setRuleset(int ruleset)
{
    m_ruleset = ruleset;
}

void PlayerActionView::setPlacement(int placement)
{
    m_placement = placement;
    updatePixmap();
}

void PlayerActionView::setScale(double scale)
{
    m_scale = scale;
    updatePixmap();
}

void PlayerActionView::updatePixmap()
{
    const QString name = imageName(m_action, m_kind, m_ruleset);
    const QPixmap pixmap = name.isEmpty() ? QPixmap() : QPixmap(name);
    setPixmap(pixmap);
    const int w = pixmap.width(), h = pixmap.height();
    // QTransform's steps pre-multiply: the step given last acts first.
    QTransform t;
    t.scale(1.5 * m_scale, 1.5 * m_scale);
    if (m_placement == CornerPlacement) {
        switch (m_orientation) {
        case Orientation::BOTTOM:
            t.translate(-w, 0);
            break;
        case Orientation::RIGHT:
            t.translate(0, w);
            break;
        case Orientation::TOP:
            t.translate(0, -h);
            break;
        case Orientation::LEFT:
            t.translate(0, -w);
            break;
        }
    }
    if (m_orientation == Orientation::RIGHT)
        t.rotate(270);
    else if (m_orientation == Orientation::LEFT)
        t.rotate(90);
    if (m_placement == CentredPlacement)
        t.translate(-(w / 2), -(h / 2));
    setTransform(t);
}
