#pragma once
// The font properties the page view distinguishes.

#include <tuple>

namespace engine {

struct FontSpec {
    int pixelHeight = 16;  // character height (em size), logical pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator<(const FontSpec& a, const FontSpec& b)
    {
        return std::tie(a.pixelHeight, a.bold, a.italic, a.underline) <
               std::tie(b.pixelHeight, b.bold, b.italic, b.underline);
    }
    friend bool operator==(const FontSpec& a, const FontSpec& b)
    {
        return !(a < b) && !(b < a);
    }
};

} // namespace engine
