#pragma once
// The computed drop shadow of a window: its shape grown by a size, a soft edge drawn
// with a round kernel, a solid core and a transparent hole where the window itself
// lies. Pure arithmetic on a pixel buffer; the shadow window gives it the window's
// shape and shows the result.

#include "common/Win32.h"

#include <vector>

namespace DuiLib {

// The pixels of one row that a shape covers, both ends inclusive; empty when left > right.
struct TShadowSpan {
    int left = 0;
    int right = -1;
};

class CSoftShadow final {
public:
    CSoftShadow() = delete;

    struct TParams {
        BYTE darkness = 150; // alpha of the core
        int sharpness = 5;   // width of the soft edge, 0..20
        int size = 0;        // growth beyond the window, -20..20
        int xOffset = 5;     // where the window lies relative to the shadow, -20..20 each
        int yOffset = 5;
        COLORREF color = RGB(0, 0, 0);
    };

    // The shadow of a window of shape.size() rows (spans in window coordinates) into
    // bits: width × height premultiplied pixels 0xAARRGGBB, rows top to bottom, where
    // width and height are the window's plus twice the size. Every pixel is written.
    static void Render(DWORD* bits, int width, int height, const std::vector<TShadowSpan>& shape,
                       const TParams& params);
    // The spans of the rows 0 .. height - 1 covered by rects, clipped to 0 .. width - 1.
    [[nodiscard]] static std::vector<TShadowSpan> SpansOf(const RECT* rects, int count, int width, int height);
    // The colour scaled by alpha / 255 in the pixel byte order 0x00RRGGBB.
    [[nodiscard]] static DWORD PreMultiply(COLORREF color, BYTE alpha) noexcept;
};

} // namespace DuiLib
