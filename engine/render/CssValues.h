#pragma once
// Reads the CSS values the page view uses: colours, font sizes and lengths.

#include <optional>
#include <string_view>

#include "common/Win32.h"

namespace engine {

// "#rgb", "#rrggbb", "rgb(r, g, b)" or a colour name; nothing for anything else
// (including "transparent" and "inherit").
[[nodiscard]] std::optional<COLORREF> ParseCssColor(std::wstring_view value);

// Pixels for px, pt, em, ex, % and the keywords, relative to the parent's size.
[[nodiscard]] std::optional<int> ParseFontSize(std::wstring_view value, int parentPixels);

// False when `value` is not a value of `property` (lower case) that the page view can
// use, so the declaration is dropped and an earlier one applies. True for properties
// the page view does not read.
[[nodiscard]] bool IsUsableCssValue(std::wstring_view property, std::wstring_view value);

} // namespace engine
