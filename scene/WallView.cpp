#include "scene/WallView.h"

#include "scene/TileGraphics.h"
#include "scene/TileView.h"

#include <algorithm>

namespace {
const TileImages *scaledImages()
{
    return TileGraphics::instance().scaledPainter().images();
}

int metric(const TileImages *images, TileImages::Side side, TileImages::Use use, int TileMetrics::*field)
{
    return images ? images->metrics(side, use).*field : 0;
}
} // namespace

WallView::WallView(TileImages::Side side, int stackCount)
    : m_side(side)
{
    setZValue(side == TileImages::Bottom ? 50 : side == TileImages::Top ? -50 : 0);
    for (int k = 0; k < std::max(stackCount, 0); ++k) {
        auto *stack = new TileView(side, TileImages::Unused);
        addItem(stack);
        stack->setZValue(side == TileImages::Bottom  ? 50
                         : side == TileImages::Right ? -k
                         : side == TileImages::Top   ? -50
                                                     : k);
        m_stacks.push_back(stack);
    }
    relayoutStacks();
}

WallView::~WallView() = default; // the stacks are children

int WallView::stackOffset()
{
    return metric(scaledImages(), TileImages::Right, TileImages::WallTriple, &TileMetrics::depth);
}

QPointF WallView::stackPos(int k) const
{
    const TileImages *images = scaledImages();
    const int a = metric(images, TileImages::Bottom, TileImages::WallSingle, &TileMetrics::width);
    const int b = metric(images, TileImages::Right, TileImages::WallSingle, &TileMetrics::height);
    const int d3 = metric(images, TileImages::Right, TileImages::WallTriple, &TileMetrics::depth);
    const int use = k >= 0 && k < stackCount() ? m_stacks[k]->use() : TileImages::Unused;
    // Lower stacks stand on the same ground as full ones.
    int lift = d3;
    if (use == TileImages::WallSingle)
        lift = metric(images, TileImages::Right, TileImages::WallSingle, &TileMetrics::depth);
    else if (use == TileImages::WallDouble || use == TileImages::WallDora)
        lift = metric(images, TileImages::Right, TileImages::WallDouble, &TileMetrics::depth);
    const int top = d3 - lift;
    const int n = stackCount();
    QPointF p, shift;
    switch (m_side) {
    case TileImages::Bottom:
        p = QPointF(a * k, top);
        shift = QPointF(-a / 2, 0);
        break;
    case TileImages::Right:
        p = QPointF(0, (n - k - 1) * b + top);
        shift = QPointF(0, b / 2);
        break;
    case TileImages::Top:
        p = QPointF((n - k - 1) * a, top);
        shift = QPointF(a / 2, 0);
        break;
    case TileImages::Left:
        p = QPointF(0, b * k + top);
        shift = QPointF(0, -b / 2);
        break;
    }
    if (m_gapBefore != -1 && k < m_gapBefore)
        p += shift;
    if (m_gapFrom != -1 && k >= m_gapFrom)
        p -= shift;
    return p;
}

void WallView::setState(int first, const std::vector<int> &stacks, int gapBefore, int gapFrom,
                        const std::map<int, tile> &doras)
{
    const int n = stackCount();
    const auto local = [first, n](int g) { return g != -1 && first <= g && g < first + n ? g - first : -1; };
    const int before = local(gapBefore), from = local(gapFrom);
    // A draw changes one stack of one row: the other rows, and the other
    // stacks, keep their places and their shadows.
    bool changed = before != m_gapBefore || from != m_gapFrom;
    m_gapBefore = before;
    m_gapFrom = from;
    for (int k = 0; k < n; ++k) {
        const int index = first + k;
        TileView *stack = m_stacks[k];
        const auto dora = doras.find(index);
        TileImages::Use use = TileImages::WallDora;
        if (dora == doras.end()) {
            const int u = index >= 0 && index < static_cast<int>(stacks.size()) ? stacks[index] : TileImages::Unused;
            use = static_cast<TileImages::Use>(u);
        }
        if (stack->use() == use && (dora == doras.end() || stack->getTile() == dora->second))
            continue;
        changed = true;
        stack->setUse(use);
        if (dora != doras.end())
            stack->setTile(dora->second);
        // Its height moved it to stand on the same ground.
        stack->setPos(stackPos(k));
    }
    if (!changed)
        return;
    if (before != -1 || from != -1 || m_gapsShown) {
        m_gapsShown = before != -1 || from != -1;
        for (int k = 0; k < n; ++k)
            m_stacks[k]->setPos(stackPos(k));
    }
    updateShadow();
}

void WallView::relayoutStacks()
{
    for (int k = 0; k < stackCount(); ++k) {
        m_stacks[k]->setPos(stackPos(k));
        m_stacks[k]->imagesChanged(m_stacks[k]->tilePainter());
    }
    updateShadow();
}

int WallView::width(const TileImages *images) const
{
    if (m_side == TileImages::Bottom || m_side == TileImages::Top)
        return metric(images, TileImages::Bottom, TileImages::WallSingle, &TileMetrics::width) * stackCount();
    return metric(images, TileImages::Right, TileImages::WallSingle, &TileMetrics::width);
}

int WallView::height(const TileImages *images) const
{
    if (m_side == TileImages::Bottom || m_side == TileImages::Top)
        return metric(images, TileImages::Bottom, TileImages::WallSingle, &TileMetrics::height);
    return metric(images, TileImages::Right, TileImages::WallSingle, &TileMetrics::height) * stackCount();
}

int WallView::width() const
{
    return width(scaledImages());
}

int WallView::height() const
{
    return height(scaledImages());
}

int WallView::baseWidth() const
{
    return width(TileGraphics::instance().unscaledPainter().images());
}

int WallView::baseHeight() const
{
    return height(TileGraphics::instance().unscaledPainter().images());
}
