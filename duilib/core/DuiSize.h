#pragma once
// Size in signed 32-bit pixels.

#include "common/Win32.h"

namespace DuiLib {

class CDuiSize final : public SIZE {
public:
    CDuiSize() noexcept : SIZE{0, 0} {}
    explicit CDuiSize(const SIZE& src) noexcept : SIZE(src) {}
    // The size of a half-open rectangle: right - left by bottom - top.
    explicit CDuiSize(const RECT& rc) noexcept : SIZE{rc.right - rc.left, rc.bottom - rc.top} {}
    CDuiSize(int cx, int cy) noexcept : SIZE{cx, cy} {}
};

} // namespace DuiLib
