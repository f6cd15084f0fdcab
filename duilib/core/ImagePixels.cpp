#include "duilib/core/ImagePixels.h"

namespace DuiLib {

bool PremultiplyPixels(const BYTE* rgba, size_t pixelCount, DWORD mask, DWORD* bgra) noexcept
{
    bool alpha = false;
    for (size_t i = 0; i < pixelCount; ++i, rgba += 4) {
        const DWORD a = rgba[3];
        DWORD r = rgba[0];
        DWORD g = rgba[1];
        DWORD b = rgba[2];
        if (a != 255) {
            r = r * a / 255;
            g = g * a / 255;
            b = b * a / 255;
            alpha = true;
        }
        DWORD pixel = (a << 24) | (r << 16) | (g << 8) | b;
        if (pixel == mask) {
            pixel = 0;
            alpha = true;
        }
        bgra[i] = pixel;
    }
    return alpha;
}

} // namespace DuiLib
