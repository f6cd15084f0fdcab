#pragma once
// The font properties the page view distinguishes.

#include <tuple>

namespace engine {

enum class FontFamily { Proportional, Monospace };

struct FontKey {
    // Layout never makes a font taller, so that nesting of size-changing elements can
    // neither overflow the size nor ask GDI for an absurd font.
    static constexpr int kMaxPixelHeight = 512;

    int pixelHeight = 16;  // character height (em size), logical pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
    FontFamily family = FontFamily::Proportional;

    friend bool operator<(const FontKey& a, const FontKey& b)
    {
        return std::tie(a.pixelHeight, a.bold, a.italic, a.underline, a.family) <
               std::tie(b.pixelHeight, b.bold, b.italic, b.underline, b.family);
    }
    friend bool operator==(const FontKey& a, const FontKey& b)
    {
        return !(a < b) && !(b < a);
    }
};

} // namespace engine
