#pragma once
// The opaque parts of an image as one-pixel-high runs, the pieces of a hit region.
// Pure pixel arithmetic; the caller makes the region.

#include "common/Win32.h"

#include <functional>

namespace DuiLib {

class COpaqueRuns final {
public:
    COpaqueRuns() = delete;

    // pixels: width × height values 0xAARRGGBB, rows top to bottom. A pixel is
    // transparent when each of its blue, green and red bytes lies between the key's byte
    // and that byte plus the tolerance's byte (at most 255); the low bytes of keyColor
    // and tolerance pair with blue. Every maximal run of other pixels in a row is handed
    // to emit, offset by (x, y), from the top row down and left to right.
    static void Scan(const DWORD* pixels, int width, int height, DWORD keyColor, DWORD tolerance, int x, int y,
                     const std::function<void(const RECT&)>& emit);
};

} // namespace DuiLib
