#pragma once
// Rectangle in signed 32-bit pixels, half-open: right and bottom are exclusive, so the
// width is right - left. Usually in the client coordinates of the host window.

#include "common/Win32.h"

#include <algorithm>
#include <utility>

namespace DuiLib {

class CDuiRect final : public RECT {
public:
    CDuiRect() noexcept : RECT{0, 0, 0, 0} {}
    explicit CDuiRect(const RECT& src) noexcept : RECT(src) {}
    CDuiRect(int iLeft, int iTop, int iRight, int iBottom) noexcept : RECT{iLeft, iTop, iRight, iBottom} {}

    [[nodiscard]] int GetWidth() const noexcept { return right - left; }
    [[nodiscard]] int GetHeight() const noexcept { return bottom - top; }
    void Empty() noexcept { left = top = right = bottom = 0; }
    // All four values 0, unlike ::IsRectEmpty, which is true for any rectangle without area.
    [[nodiscard]] bool IsNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // True when pt lies inside; the right and bottom edges are outside.
    [[nodiscard]] bool Contains(POINT pt) const noexcept
    {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    }

    // Grows to include rc: each side only moves outward. Unlike Union, an empty rc counts.
    void Join(const RECT& rc) noexcept
    {
        left = std::min(left, rc.left);
        top = std::min(top, rc.top);
        right = std::max(right, rc.right);
        bottom = std::max(bottom, rc.bottom);
    }
    // Moves the rectangle so that left and top are 0, keeping its size.
    void ResetOffset() noexcept { Offset(-left, -top); }
    // Swaps left/right and top/bottom where they are reversed.
    void Normalize() noexcept
    {
        if (left > right) {
            std::swap(left, right);
        }
        if (top > bottom) {
            std::swap(top, bottom);
        }
    }
    void Offset(int cx, int cy) noexcept
    {
        left += cx;
        right += cx;
        top += cy;
        bottom += cy;
    }
    // Every side moves outward by cx horizontally and cy vertically.
    void Inflate(int cx, int cy) noexcept { DeflateRect(-cx, -cy, -cx, -cy); }
    void Deflate(int cx, int cy) noexcept { DeflateRect(cx, cy, cx, cy); }
    void DeflateRect(int l, int t, int r, int b) noexcept
    {
        left += l;
        top += t;
        right -= r;
        bottom -= b;
    }
    // Bounding rectangle of both, ignoring whichever has no area (the platform's UnionRect).
    void Union(const RECT& rc) noexcept
    {
        RECT result{};
        (void)::UnionRect(&result, this, &rc); // false only when both are empty; result is then 0,0,0,0
        *static_cast<RECT*>(this) = result;
    }
    // Shrinks to the overlap with rc; false, leaving all four values 0, when there is none.
    bool Intersect(const RECT& rc) noexcept
    {
        RECT result{};
        const bool overlaps = ::IntersectRect(&result, this, &rc) != FALSE;
        *static_cast<RECT*>(this) = result;
        return overlaps;
    }
};

} // namespace DuiLib
