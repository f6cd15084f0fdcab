#include "duilib/core/PixelBlend.h"

#include <algorithm>

namespace DuiLib {

namespace {

[[nodiscard]] DWORD Channel(DWORD pixel, int shift) noexcept { return (pixel >> shift) & 0xFFu; }

[[nodiscard]] DWORD Scale(DWORD value, DWORD alpha) noexcept { return (value * alpha + 127u) / 255u; }

} // namespace

DWORD BlendPixel(DWORD dst, DWORD src, PixelBlendMode mode) noexcept
{
    const DWORD constant = mode.constantAlpha;
    DWORD result = 0;
    if (mode.perPixelAlpha) {
        const DWORD coverage = Scale(Channel(src, 24), constant);
        for (int shift = 0; shift < 32; shift += 8) {
            // A source that is not really premultiplied could exceed 255.
            const DWORD value = Scale(Channel(src, shift), constant) + Scale(Channel(dst, shift), 255u - coverage);
            result |= std::min<DWORD>(value, 255u) << shift;
        }
        return result;
    }
    for (int shift = 0; shift < 32; shift += 8) {
        const DWORD value = (Channel(src, shift) * constant + Channel(dst, shift) * (255u - constant) + 127u) / 255u;
        result |= value << shift;
    }
    return result;
}

void BlendPixels(DWORD* dst, const DWORD* src, std::size_t count, PixelBlendMode mode) noexcept
{
    if (mode.perPixelAlpha && mode.constantAlpha == 255) {
        for (std::size_t i = 0; i < count; ++i) {
            const DWORD alpha = src[i] >> 24;
            // Opaque and empty pixels are the common case of skin images.
            if (alpha == 255) {
                dst[i] = src[i];
            } else if (src[i] != 0) {
                dst[i] = BlendPixel(dst[i], src[i], mode);
            }
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        dst[i] = BlendPixel(dst[i], src[i], mode);
    }
}

} // namespace DuiLib
