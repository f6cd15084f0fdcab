#pragma once
// Counting the ink of text drawn in a pure colour over white. Anti-aliased edges mix the
// colour with white, so a pixel counts when each channel the colour lacks is clearly
// darkened and each channel it has full stays white.

#include "tests/duilib/core/render/RenderCanvas.h"

namespace text_ink {

[[nodiscard]] inline bool Tinted(const render_test::Rgb& p, const render_test::Rgb& c)
{
    const auto channel = [](int pixel, int colour) { return colour == 255 ? pixel >= 245 : pixel <= 200; };
    return channel(p.r, c.r) && channel(p.g, c.g) && channel(p.b, c.b);
}

// Tinted pixels inside area and outside it.
struct Ink {
    int inside = 0;
    int outside = 0;
};

[[nodiscard]] inline Ink Count(const render_test::Canvas& canvas, const render_test::Rgb& c, const RECT& area)
{
    Ink ink;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (Tinted(canvas.PixelAt(x, y), c)) {
                const bool in = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                (in ? ink.inside : ink.outside) += 1;
            }
        }
    }
    return ink;
}

} // namespace text_ink
