#pragma once
// Source-over blending between device contexts, through the platform's AlphaBlend when
// it has one and through 32-bit pixel buffers otherwise.

#include "common/Win32.h"
#include "duilib/core/PixelBlend.h"

namespace DuiLib {

class CAlphaBlender final {
public:
    CAlphaBlender() = delete;

    // Blends the source rectangle of src, stretched, over dest in dst. With per-pixel
    // alpha the source pixels must be premultiplied. False when nothing was drawn.
    [[nodiscard]] static bool Blend(HDC dst, const RECT& dest, HDC src, const RECT& source, PixelBlendMode mode);
    // The same without the platform: the stretched source and the destination area are
    // copied into 32-bit buffers, blended there and the result copied back.
    [[nodiscard]] static bool BlendOwn(HDC dst, const RECT& dest, HDC src, const RECT& source, PixelBlendMode mode);
};

} // namespace DuiLib
