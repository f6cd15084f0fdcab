#pragma once
// Colour conversions of the text operations of CRenderEngine. Colours are ARGB.

#include "common/Win32.h"

namespace DuiLib {

class RenderEngineTextColors final {
public:
    RenderEngineTextColors() = delete;

    // The red, green and blue bytes of an ARGB colour as a platform colour reference.
    [[nodiscard]] static COLORREF ToColorRef(DWORD argb) noexcept;
    // The same, but pure black becomes blue 1: GDI leaves alpha 0 in what it draws, and
    // on a premultiplied layered surface a pure black pixel then reads as a hole.
    [[nodiscard]] static COLORREF ToTextColorRef(DWORD argb) noexcept;
    // A colour next to argb that text is drawn in off-screen, so that pixels of exactly
    // this value are known to be fully covered by a glyph. Each byte moves by a fixed
    // step (red 1, green 2, blue 3) and wraps, with fixed values for 255.
    [[nodiscard]] static COLORREF AlphaTextKey(DWORD argb) noexcept;
};

} // namespace DuiLib
