#pragma once
// Source-over blending of 32-bit pixels (0xAARRGGBB in memory order B, G, R, A), with
// the arithmetic of the platform's AlphaBlend, so that drawing without it looks the same.

#include "common/Win32.h"

#include <cstddef>

namespace DuiLib {

struct PixelBlendMode {
    BYTE constantAlpha = 255;
    bool perPixelAlpha = false; // the source is premultiplied and its alpha byte counts
};

// Each channel: with per-pixel alpha, src × c + dst × (1 - srcAlpha × c), c = constant
// alpha / 255; without it, src × c + dst × (1 - c). Rounded to nearest.
[[nodiscard]] DWORD BlendPixel(DWORD dst, DWORD src, PixelBlendMode mode) noexcept;
void BlendPixels(DWORD* dst, const DWORD* src, std::size_t count, PixelBlendMode mode) noexcept;

} // namespace DuiLib
