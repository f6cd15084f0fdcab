#include "duilib/core/AlphaBlender.h"

#include "duilib/core/MsImg32.h"
#include "duilib/core/OffscreenBitmap.h"

#include <cstddef>

namespace DuiLib {

namespace {

[[nodiscard]] int Width(const RECT& rc) noexcept { return rc.right - rc.left; }
[[nodiscard]] int Height(const RECT& rc) noexcept { return rc.bottom - rc.top; }

} // namespace

bool CAlphaBlender::Blend(HDC dst, const RECT& dest, HDC src, const RECT& source, PixelBlendMode mode)
{
    const CMsImg32::AlphaBlendProc alphaBlend = CMsImg32::AlphaBlendEntry();
    if (alphaBlend == nullptr) {
        return BlendOwn(dst, dest, src, source, mode);
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, mode.constantAlpha,
                              static_cast<BYTE>(mode.perPixelAlpha ? AC_SRC_ALPHA : 0)};
    return alphaBlend(dst, dest.left, dest.top, Width(dest), Height(dest), src, source.left, source.top,
                      Width(source), Height(source), blend) != FALSE;
}

bool CAlphaBlender::BlendOwn(HDC dst, const RECT& dest, HDC src, const RECT& source, PixelBlendMode mode)
{
    const int width = Width(dest);
    const int height = Height(dest);
    if (Width(source) <= 0 || Height(source) <= 0) {
        return false;
    }
    const COffscreenBitmap front(dst, width, height);
    const COffscreenBitmap back(dst, width, height);
    if (!front.IsValid() || !back.IsValid()) {
        return false;
    }
    // Halftone averaging does not carry the alpha byte along; nearest pixels do.
    (void)::SetStretchBltMode(front.GetDC(), COLORONCOLOR); // a fresh memory DC takes any mode
    if (!::StretchBlt(front.GetDC(), 0, 0, width, height, src, source.left, source.top, Width(source),
                      Height(source), SRCCOPY) ||
        !::BitBlt(back.GetDC(), 0, 0, width, height, dst, dest.left, dest.top, SRCCOPY)) {
        return false;
    }
    (void)::GdiFlush(); // the buffers are read directly next; the result only says whether a batch was pending
    BlendPixels(back.GetBits(), front.GetBits(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                mode);
    return ::BitBlt(dst, dest.left, dest.top, width, height, back.GetDC(), 0, 0, SRCCOPY) != FALSE;
}

} // namespace DuiLib
