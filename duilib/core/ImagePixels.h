#pragma once
// Conversion of decoded RGBA pixels into the premultiplied 32-bit pixels of the
// framework's bitmaps. Pure arithmetic, kept apart from GDI so it can be tested alone.

#include "common/Win32.h"

#include <cstddef>

namespace DuiLib {

// Writes pixelCount pixels of `rgba` (red, green, blue, alpha bytes) to `bgra` as 32-bit
// values 0xAARRGGBB: colours copied when opaque, else premultiplied (c * a / 255,
// truncated); a resulting value equal to `mask` becomes 0. Returns whether any pixel is
// not opaque or was cut out by the mask.
[[nodiscard]] bool PremultiplyPixels(const BYTE* rgba, size_t pixelCount, DWORD mask, DWORD* bgra) noexcept;

} // namespace DuiLib
