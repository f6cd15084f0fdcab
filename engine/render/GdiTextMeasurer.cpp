#include "GdiTextMeasurer.h"

#include <climits>

namespace engine {

int GdiTextMeasurer::TextWidth(const FontKey& font, std::wstring_view text)
{
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) {
        return 0;
    }
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
