#pragma once
// 32-bit DIB sections whose rows run top to bottom, the pixel layout that image
// decoders deliver and that the drawing code and its tests address as y * width + x.

#include "common/Handles.h"
#include "common/Win32.h"

// *bits receives the zero-filled pixels (0xAARRGGBB each). Null, with *bits null, when
// a size is not positive or the platform refuses the bitmap.
[[nodiscard]] inline UniqueBitmap CreateTopDownDib(HDC reference, int width, int height, void** bits) noexcept
{
    *bits = nullptr;
    if (width <= 0 || height <= 0) {
        return UniqueBitmap();
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    UniqueBitmap bitmap(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (*bits == nullptr) {
        bitmap.reset();
    }
    return bitmap;
}
