#pragma once
// Measures text with GDI on a given device context.

#include <map>

#include "FontCache.h"
#include "TextMeasurer.h"
#include "common/Win32.h"

namespace engine {

class GdiTextMeasurer final : public TextMeasurer {
public:
    // Both borrowed; must outlive the measurer.
    GdiTextMeasurer(HDC dc, FontCache& fonts) : m_dc(dc), m_fonts(fonts) {}

    [[nodiscard]] int TextWidth(const FontKey& font, std::wstring_view text) override;
    [[nodiscard]] int LineHeight(const FontKey& font) override;

private:
    HDC m_dc;
    FontCache& m_fonts;
    std::map<FontKey, int> m_lineHeights;
};

} // namespace engine
