#include "duilib/core/LayeredAlpha.h"

#include <algorithm>

namespace DuiLib {

namespace {

[[nodiscard]] RECT ClipToCanvas(const RECT& rc, int width, int height) noexcept
{
    return RECT{std::clamp<LONG>(rc.left, 0, width), std::clamp<LONG>(rc.top, 0, height),
                std::clamp<LONG>(rc.right, 0, width), std::clamp<LONG>(rc.bottom, 0, height)};
}

template <typename Fn>
void ForEachPixel(DWORD* bits, int width, int height, const RECT& rc, Fn&& fn) noexcept
{
    if (bits == nullptr) {
        return;
    }
    const RECT area = ClipToCanvas(rc, width, height);
    for (LONG y = area.top; y < area.bottom; ++y) {
        DWORD* row = bits + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (LONG x = area.left; x < area.right; ++x) {
            fn(row[x]);
        }
    }
}

} // namespace

void CLayeredAlpha::Clear(DWORD* bits, int width, int height, const RECT& rc) noexcept
{
    ForEachPixel(bits, width, height, rc, [](DWORD& pixel) { pixel = 0; });
}

void CLayeredAlpha::OpaqueDrawnPixels(DWORD* bits, int width, int height, const RECT& rc) noexcept
{
    ForEachPixel(bits, width, height, rc, [](DWORD& pixel) {
        if ((pixel & 0xFF000000u) == 0 && (pixel & 0x00FFFFFFu) != 0) {
            pixel |= 0xFF000000u;
        }
    });
}

} // namespace DuiLib
