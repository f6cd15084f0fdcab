#include "duilib/core/AlphaBlender.h"

#include "duilib/core/MsImg32.h"
#include "duilib/core/OffscreenBitmap.h"

#include <algorithm>
#include <cstddef>
#include <memory>

namespace DuiLib {

namespace {

[[nodiscard]] int Width(const RECT& rc) noexcept { return rc.right - rc.left; }
[[nodiscard]] int Height(const RECT& rc) noexcept { return rc.bottom - rc.top; }

// The two pixel buffers of the own blend, kept between calls and only ever grown: under
// Wine the first touch of a fresh window-sized DIB costs far more than the blend itself.
// Painting happens on the user-interface thread only, so one pair serves every call.
class ScratchBuffers final {
public:
    // Buffers of at least width × height; false when the platform refuses them.
    [[nodiscard]] bool Reserve(HDC reference, int width, int height)
    {
        if (m_front && m_front->GetWidth() >= width && m_front->GetHeight() >= height) {
            return true;
        }
        const int newWidth = std::max(width, m_front ? m_front->GetWidth() : 0);
        const int newHeight = std::max(height, m_front ? m_front->GetHeight() : 0);
        m_front = std::make_unique<COffscreenBitmap>(reference, newWidth, newHeight);
        m_back = std::make_unique<COffscreenBitmap>(reference, newWidth, newHeight);
        if (!m_front->IsValid() || !m_back->IsValid()) {
            m_front.reset();
            m_back.reset();
            return false;
        }
        return true;
    }
    [[nodiscard]] const COffscreenBitmap& Front() const noexcept { return *m_front; }
    [[nodiscard]] const COffscreenBitmap& Back() const noexcept { return *m_back; }

private:
    std::unique_ptr<COffscreenBitmap> m_front; // the stretched source
    std::unique_ptr<COffscreenBitmap> m_back;  // the destination area, then the result
};

ScratchBuffers& Scratch()
{
    static ScratchBuffers buffers;
    return buffers;
}

void BlendRows(const COffscreenBitmap& back, const COffscreenBitmap& front, int width, int height,
               PixelBlendMode mode) noexcept
{
    const auto stride = static_cast<std::size_t>(back.GetWidth());
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * stride;
        BlendPixels(back.GetBits() + row, front.GetBits() + row, static_cast<std::size_t>(width), mode);
    }
}

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
    if (width <= 0 || height <= 0 || Width(source) <= 0 || Height(source) <= 0) {
        return false;
    }
    ScratchBuffers& scratch = Scratch();
    if (!scratch.Reserve(dst, width, height)) {
        return false;
    }
    const HDC front = scratch.Front().GetDC();
    const HDC back = scratch.Back().GetDC();
    // Halftone averaging does not carry the alpha byte along; nearest pixels do.
    (void)::SetStretchBltMode(front, COLORONCOLOR); // a memory DC takes any mode
    if (!::StretchBlt(front, 0, 0, width, height, src, source.left, source.top, Width(source), Height(source),
                      SRCCOPY) ||
        !::BitBlt(back, 0, 0, width, height, dst, dest.left, dest.top, SRCCOPY)) {
        return false;
    }
    (void)::GdiFlush(); // the buffers are read directly next; the result only says whether a batch was pending
    BlendRows(scratch.Back(), scratch.Front(), width, height, mode);
    return ::BitBlt(dst, dest.left, dest.top, width, height, back, 0, 0, SRCCOPY) != FALSE;
}

} // namespace DuiLib
