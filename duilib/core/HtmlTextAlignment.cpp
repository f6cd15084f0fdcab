#include "duilib/core/HtmlTextAlignment.h"

#include <algorithm>

namespace DuiLib {

namespace {

constexpr UINT kHorizontal = DT_CENTER | DT_RIGHT;
constexpr UINT kVertical = DT_VCENTER | DT_BOTTOM;

// The free space before the text: half of it centred, all of it right or bottom aligned.
[[nodiscard]] int Lead(bool centre, bool end, int space) noexcept
{
    if (centre) {
        return space / 2;
    }
    return end ? space : 0;
}

} // namespace

bool HtmlTextAlignment::NeedsPreMeasure(UINT style) noexcept
{
    if ((style & DT_CALCRECT) != 0) {
        return false;
    }
    return (style & kVertical) != 0 || ((style & DT_SINGLELINE) != 0 && (style & kHorizontal) != 0);
}

RECT HtmlTextAlignment::PreMeasureRect(const RECT& rc, UINT style) noexcept
{
    const int width = (style & DT_SINGLELINE) != 0 ? kUnboundedWidth : rc.right - rc.left;
    return RECT{rc.left, rc.top, rc.left + width, rc.top + kPreMeasureHeight};
}

RECT HtmlTextAlignment::Place(const RECT& rc, UINT style, SIZE measured) noexcept
{
    RECT placed = rc;
    if ((style & DT_SINGLELINE) != 0) {
        const int space = rc.right - rc.left - measured.cx;
        placed.left += std::max(0, Lead((style & DT_CENTER) != 0, (style & DT_RIGHT) != 0, space));
    }
    // A text taller than the rectangle is centred or bottom-aligned all the same; the
    // clip cuts what sticks out.
    placed.top += Lead((style & DT_VCENTER) != 0, (style & DT_BOTTOM) != 0, rc.bottom - rc.top - measured.cy);
    return placed;
}

int HtmlTextAlignment::LineShift(UINT style, int available, int lineWidth) noexcept
{
    if ((style & (DT_SINGLELINE | DT_CALCRECT)) != 0) {
        return 0;
    }
    return std::max(0, Lead((style & DT_CENTER) != 0, (style & DT_RIGHT) != 0, available - lineWidth));
}

} // namespace DuiLib
