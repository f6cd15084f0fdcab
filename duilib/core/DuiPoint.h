#pragma once
// Point in signed 32-bit pixels.

#include "common/Win32.h"

namespace DuiLib {

class CDuiPoint final : public POINT {
public:
    CDuiPoint() noexcept : POINT{0, 0} {}
    explicit CDuiPoint(const POINT& src) noexcept : POINT(src) {}
    CDuiPoint(int x, int y) noexcept : POINT{x, y} {}
    // From a mouse message's lParam. Both halves are signed: on a multi-monitor desktop,
    // or while the mouse is captured, coordinates left of or above the origin are negative.
    explicit CDuiPoint(LPARAM lParam) noexcept
        : POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}
    {
    }
};

} // namespace DuiLib
