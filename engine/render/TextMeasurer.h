#pragma once
// What layout needs to know about text. The GDI implementation measures with real
// fonts; tests give fixed metrics so that positions can be asserted exactly.

#include <string_view>

#include "FontKey.h"

namespace engine {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Advance width in pixels of `text` in `font`.
    [[nodiscard]] virtual int TextWidth(const FontKey& font, std::wstring_view text) = 0;
    // Distance in pixels from one line's top to the next.
    [[nodiscard]] virtual int LineHeight(const FontKey& font) = 0;
};

} // namespace engine
