#pragma once
// Text metrics without fonts: every character is half the font height wide, and a
// line is the font height plus four pixels. Layout positions become exact numbers.

#include "engine/render/TextMeasurer.h"

namespace engine::test {

class FixedMeasurer final : public TextMeasurer {
public:
    static int CharWidth(const FontKey& font) { return font.pixelHeight / 2; }
    static int Line(const FontKey& font) { return font.pixelHeight + 4; }

    int TextWidth(const FontKey& font, std::wstring_view text) override
    {
        return static_cast<int>(text.size()) * CharWidth(font);
    }
    int LineHeight(const FontKey& font) override { return Line(font); }
};

} // namespace engine::test
