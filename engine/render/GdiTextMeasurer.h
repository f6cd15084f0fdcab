#pragma once
// Measures text with GDI on a given device context.

#include <map>
#include <vector>

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
    [[nodiscard]] int MeasureWithGdi(const FontKey& font, std::wstring_view text);
    [[nodiscard]] int Advance(const FontKey& font, std::vector<int>& advances, wchar_t ch);

    HDC m_dc;
    FontCache& m_fonts;
    std::map<FontKey, int> m_lineHeights;
    // Per font, the advance of every BMP character measured so far (-1: not yet).
    std::map<FontKey, std::vector<int>> m_advances;
};

} // namespace engine
