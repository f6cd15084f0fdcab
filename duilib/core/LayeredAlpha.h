#pragma once
// The pixel passes around painting a layered window's 32-bit canvas: the dirty area is
// cleared to transparent first, and afterwards every pixel that GDI drew without
// writing alpha is made opaque. Pure arithmetic on the pixel buffer.

#include "common/Win32.h"

namespace DuiLib {

class CLayeredAlpha final {
public:
    CLayeredAlpha() = delete;

    // bits: width × height pixels 0xAARRGGBB, rows top to bottom. rc is clipped to the
    // canvas.
    static void Clear(DWORD* bits, int width, int height, const RECT& rc) noexcept;
    // Pixels of rc with alpha 0 and a colour other than black get alpha 255: plain GDI
    // drawing leaves alpha 0 behind, while untouched pixels are still all 0.
    static void OpaqueDrawnPixels(DWORD* bits, int width, int height, const RECT& rc) noexcept;
};

} // namespace DuiLib
