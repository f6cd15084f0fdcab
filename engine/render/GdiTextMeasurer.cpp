#include "GdiTextMeasurer.h"

#include <algorithm>
#include <climits>

namespace engine {
namespace {

constexpr size_t kBmpSize = 0x10000;

bool IsSurrogate(wchar_t ch)
{
    return ch >= 0xD800 && ch <= 0xDFFF;
}

} // namespace

// A page measures every word of every line; asking GDI each time made laying out a
// large page take seconds under Wine. Without kerning (GDI applies none by default)
// a run's extent is the sum of its characters' advances, so those are cached instead.
int GdiTextMeasurer::TextWidth(const FontKey& font, std::wstring_view text)
{
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) {
        return 0;
    }
    if (std::any_of(text.begin(), text.end(), IsSurrogate)) {
        return MeasureWithGdi(font, text);
    }
    auto& advances = m_advances[font];
    if (advances.empty()) {
        advances.assign(kBmpSize, -1);
    }
    long long width = 0;
    for (const wchar_t ch : text) {
        width += Advance(font, advances, ch);
    }
    return static_cast<int>(std::min<long long>(width, INT_MAX));
}

int GdiTextMeasurer::Advance(const FontKey& font, std::vector<int>& advances, wchar_t ch)
{
    int& advance = advances[static_cast<size_t>(ch)];
    if (advance < 0) {
        advance = MeasureWithGdi(font, std::wstring_view(&ch, 1));
    }
    return advance;
}

int GdiTextMeasurer::MeasureWithGdi(const FontKey& font, std::wstring_view text)
{
    const SelectObjectScope select(m_dc, m_fonts.Get(font));
    SIZE size{};
    if (!::GetTextExtentPoint32W(m_dc, text.data(), static_cast<int>(text.size()), &size)) {
        // An estimate keeps the layout usable when the DC cannot measure.
        return static_cast<int>(text.size()) * font.pixelHeight / 2;
    }
    return size.cx;
}

int GdiTextMeasurer::LineHeight(const FontKey& font)
{
    const auto found = m_lineHeights.find(font);
    if (found != m_lineHeights.end()) {
        return found->second;
    }
    const SelectObjectScope select(m_dc, m_fonts.Get(font));
    TEXTMETRICW metrics{};
    const int height = ::GetTextMetricsW(m_dc, &metrics) ? metrics.tmHeight + metrics.tmExternalLeading
                                                         : font.pixelHeight * 5 / 4;
    m_lineHeights.emplace(font, height);
    return height;
}

} // namespace engine
