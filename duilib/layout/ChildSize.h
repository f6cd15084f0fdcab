#pragma once
// A child's size kept within its minimum and maximum, as the tab and tile layouts place
// it: raised to the minimum first and then lowered to the maximum, so a minimum above
// the maximum gives the maximum.

#include "duilib/control/ControlUI.h"

#include <algorithm>

namespace DuiLib {

class CChildSize final {
public:
    CChildSize() = delete;

    [[nodiscard]] static LONG LimitWidth(const CControlUI& child, LONG cx)
    {
        return std::min<LONG>(std::max<LONG>(cx, child.GetMinWidth()), child.GetMaxWidth());
    }
    [[nodiscard]] static LONG LimitHeight(const CControlUI& child, LONG cy)
    {
        return std::min<LONG>(std::max<LONG>(cy, child.GetMinHeight()), child.GetMaxHeight());
    }
    // The estimate for the space, 0 meaning all of it, within the limits.
    [[nodiscard]] static SIZE Fit(CControlUI& child, SIZE space)
    {
        SIZE size = child.EstimateSize(space);
        size.cx = LimitWidth(child, size.cx == 0 ? std::max<LONG>(space.cx, 0) : size.cx);
        size.cy = LimitHeight(child, size.cy == 0 ? std::max<LONG>(space.cy, 0) : size.cy);
        return size;
    }
};

} // namespace DuiLib
