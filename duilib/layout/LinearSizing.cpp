#include "duilib/layout/LinearSizing.h"

#include "duilib/layout/ContainerUI.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace DuiLib {

namespace {

using Length = std::int64_t;

// Coordinates stay well inside what RECT and the platform can take.
constexpr Length kCoordinateLimit = Length{1} << 30;

[[nodiscard]] LONG Saturate(Length value) noexcept
{
    return static_cast<LONG>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

// Raised to the minimum first and then lowered to the maximum: a minimum above the
// maximum gives the maximum.
[[nodiscard]] Length Limit(Length value, Length minimum, Length maximum) noexcept
{
    return std::min(std::max(value, minimum), maximum);
}

// One child's measures along and across the axis.
struct ChildAxes {
    Length padNear;      // top (left)
    Length padFar;       // bottom (right)
    Length padCrossNear; // left (top)
    Length padCrossFar;  // right (bottom)
    Length minMain;
    Length maxMain;
    Length minCross;
    Length maxCross;
    Length fixedCross;

    ChildAxes(CLinearSizing::Axis axis, const CControlUI& c)
    {
        const RECT pad = c.GetPadding();
        const bool v = axis == CLinearSizing::Axis::Vertical;
        padNear = v ? pad.top : pad.left;
        padFar = v ? pad.bottom : pad.right;
        padCrossNear = v ? pad.left : pad.top;
        padCrossFar = v ? pad.right : pad.bottom;
        minMain = v ? c.GetMinHeight() : c.GetMinWidth();
        maxMain = v ? c.GetMaxHeight() : c.GetMaxWidth();
        minCross = v ? c.GetMinWidth() : c.GetMinHeight();
        maxCross = v ? c.GetMaxWidth() : c.GetMaxHeight();
        fixedCross = v ? c.GetFixedWidth() : c.GetFixedHeight();
    }
};

[[nodiscard]] SIZE Offer(CLinearSizing::Axis axis, Length main, Length cross) noexcept
{
    return axis == CLinearSizing::Axis::Vertical ? SIZE{Saturate(cross), Saturate(main)}
                                                 : SIZE{Saturate(main), Saturate(cross)};
}

[[nodiscard]] Length MainOf(CLinearSizing::Axis axis, SIZE size) noexcept
{
    return axis == CLinearSizing::Axis::Vertical ? size.cy : size.cx;
}

[[nodiscard]] bool IsStacked(const CControlUI* c) noexcept
{
    return c->IsVisible() && !c->IsFloat();
}

struct FirstPass {
    Length fixed = 0; // fixed lengths, paddings and gaps
    int stretchable = 0;
    std::vector<ChildAxes> axes; // of the stacked children, in order
};

// Pass 1: what the fixed children and every padding take.
FirstPass Measure(CLinearSizing::Axis axis, CContainerUI& container, const CLinearSizing::Space& space)
{
    FirstPass pass;
    pass.axes.reserve(static_cast<size_t>(container.GetCount()));
    for (int i = 0; i < container.GetCount(); ++i) {
        CControlUI* c = container.GetItemAt(i);
        if (!IsStacked(c)) {
            continue;
        }
        const ChildAxes& m = pass.axes.emplace_back(axis, *c);
        const Length estimate = MainOf(axis, c->EstimateSize(Offer(axis, space.availableMain, space.estimateCross)));
        if (estimate == 0) {
            ++pass.stretchable;
        } else {
            pass.fixed += Limit(estimate, m.minMain, m.maxMain);
        }
        pass.fixed += m.padNear + m.padFar;
    }
    const int gaps = std::max(static_cast<int>(pass.axes.size()) - 1, 0);
    pass.fixed += Length{container.GetChildPadding()} * gaps;
    return pass;
}

[[nodiscard]] RECT Place(CLinearSizing::Axis axis, Length mainStart, Length mainEnd, Length crossStart,
                         Length crossEnd) noexcept
{
    if (axis == CLinearSizing::Axis::Vertical) {
        return RECT{Saturate(crossStart), Saturate(mainStart), Saturate(crossEnd), Saturate(mainEnd)};
    }
    return RECT{Saturate(mainStart), Saturate(crossStart), Saturate(mainEnd), Saturate(crossEnd)};
}

// Pass 2: places the stacked children one after another.
class Stacker final {
public:
    Stacker(CLinearSizing::Axis axis, const CLinearSizing::Space& space, const FirstPass& first, Length gap)
        : m_axis(axis), m_space(space), m_first(first), m_gap(gap), m_remaining(space.availableMain),
          m_remainingFixed(first.fixed)
    {
        const bool v = axis == CLinearSizing::Axis::Vertical;
        m_position = v ? space.origin.y : space.origin.x;
        m_crossOrigin = v ? space.origin.x : space.origin.y;
        m_share = first.stretchable > 0
                      ? std::max<Length>((space.availableMain - first.fixed) / first.stretchable, 0)
                      : 0;
    }

    void Place(CControlUI& c, const ChildAxes& m)
    {
        m_remaining -= m.padNear;
        // The paddings and gaps passed no longer count against the last stretchable child.
        m_remainingFixed -= m.padNear + m.padFar;
        const Length length = MainLength(c, m);
        Length cross = m.fixedCross != 0
                           ? std::max<Length>(m.fixedCross, 0)
                           : std::max<Length>(m_space.availableCross - m.padCrossNear - m.padCrossFar, 0);
        cross = Limit(cross, m.minCross, m.maxCross);
        const Length start = m_position + m.padNear;
        const Length crossStart = m_crossOrigin + m.padCrossNear;
        c.SetPos(::DuiLib::Place(m_axis, start, start + length + m.padFar, crossStart, crossStart + cross));
        m_position += length + m_gap + m.padNear + m.padFar;
        m_needed += length + m.padNear + m.padFar;
        m_remaining -= length + m_gap + m.padFar;
        m_remainingFixed -= m_gap;
    }

    [[nodiscard]] Length Needed() const noexcept
    {
        return m_needed + m_gap * std::max(static_cast<int>(m_first.axes.size()) - 1, 0);
    }

private:
    // The fixed length, the share, or for the last stretchable child what is left.
    Length MainLength(CControlUI& c, const ChildAxes& m)
    {
        Length length = MainOf(m_axis, c.EstimateSize(Offer(m_axis, m_remaining, m_space.estimateCross)));
        if (length == 0) {
            ++m_stretchSeen;
            length = m_stretchSeen == m_first.stretchable
                         ? std::max<Length>(m_remaining - m.padFar - m_remainingFixed, 0)
                         : m_share;
        } else {
            length = Limit(length, m.minMain, m.maxMain);
            m_remainingFixed -= length;
        }
        return Limit(length, m.minMain, m.maxMain);
    }

    CLinearSizing::Axis m_axis;
    const CLinearSizing::Space& m_space;
    const FirstPass& m_first;
    Length m_gap;
    Length m_remaining;
    Length m_remainingFixed;
    Length m_position = 0;
    Length m_crossOrigin = 0;
    Length m_share = 0;
    Length m_needed = 0;
    int m_stretchSeen = 0;
};

} // namespace

int CLinearSizing::Arrange(Axis axis, CContainerUI& container, const Space& space)
{
    const FirstPass first = Measure(axis, container, space);
    Stacker stacker(axis, space, first, container.GetChildPadding());
    size_t stacked = 0;
    for (int i = 0; i < container.GetCount(); ++i) {
        CControlUI* c = container.GetItemAt(i);
        if (!c->IsVisible()) {
            continue;
        }
        if (c->IsFloat()) {
            container.SetFloatPos(i);
        } else if (stacked < first.axes.size()) {
            stacker.Place(*c, first.axes[stacked++]);
        }
    }
    return Saturate(stacker.Needed());
}

} // namespace DuiLib
