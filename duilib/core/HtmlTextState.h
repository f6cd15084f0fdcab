#pragma once
// What formatted text carries from one token to the next: the font, colour and
// paragraph-spacing stacks, the selection and raw flags, the pen position and the
// open link. A line is laid out twice from one saved copy of it.

#include "common/Win32.h"

#include <algorithm>
#include <vector>

namespace DuiLib {

// Positions and heights stay within this, so tag values from the text cannot overflow.
constexpr int kHtmlTextCoordinateLimit = 1 << 24;

[[nodiscard]] inline int HtmlTextSaturate(long long value) noexcept
{
    return static_cast<int>(std::clamp<long long>(value, -kHtmlTextCoordinateLimit, kHtmlTextCoordinateLimit));
}

// A stack whose first entry is never popped, so stray closing tags change nothing.
template <typename T>
class HtmlTextStack final {
public:
    explicit HtmlTextStack(T base) : m_items{base} {}

    void Push(T value) { m_items.push_back(value); }
    // False, leaving the base in place, when only the base is left.
    bool Pop() noexcept
    {
        if (m_items.size() <= 1) {
            return false;
        }
        m_items.pop_back();
        return true;
    }
    [[nodiscard]] T Top() const noexcept { return m_items.back(); }
    [[nodiscard]] size_t Depth() const noexcept { return m_items.size(); }

private:
    std::vector<T> m_items;
};

struct HtmlTextState {
    HtmlTextState(HFONT baseFont, DWORD baseColor, POINT origin) : fonts(baseFont), colors(baseColor), pt(origin) {}

    HtmlTextStack<HFONT> fonts;
    HtmlTextStack<DWORD> colors;
    HtmlTextStack<int> spacings{0};
    bool selected = false;
    bool raw = false;
    POINT pt{};   // pen position; y is the top of the current line
    int pos = 0;  // next unit of the text
    int linkIndex = 0;
    bool inLink = false;
    POINT linkStart{}; // drawn position where the open link began
};

} // namespace DuiLib
