#pragma once
// Reads the CSS values the page view uses: colours, font sizes and lengths.

#include <optional>
#include <string_view>

#include "common/Win32.h"

namespace engine {

// "#rgb", "#rrggbb", "rgb(r, g, b)" or a colour name; nothing for anything else
// (including "transparent" and "inherit").
[[nodiscard]] std::optional<COLORREF> ParseCssColor(std::wstring_view value);

// Lengths read from style sheets stay within this many pixels either way, as layout
// coordinates do.
inline constexpr int kMaxCssPixels = 1 << 28;

// Pixels of a length: px, pt, pc, in, cm, mm, em (of `fontPixels`), rem, ex, a
// percentage of `percentBase`, or a unitless 0. Nothing for anything else, and for a
// percentage while `percentBase` is negative (nothing to take it of yet).
[[nodiscard]] std::optional<int> ParseCssLength(std::wstring_view value, int fontPixels, int percentBase);

// A border width: thin, medium, thick or a length that is not negative.
[[nodiscard]] std::optional<int> ParseBorderWidth(std::wstring_view value, int fontPixels);

// True for a border style that draws a line (drawn solid); false for none and hidden.
[[nodiscard]] bool IsVisibleBorderStyle(std::wstring_view value);

// The address inside url(...), unquoted; nothing for any other value.
[[nodiscard]] std::optional<std::wstring> ParseCssUrl(std::wstring_view value);

// Pixels for px, pt, em, ex, % and the keywords, relative to the parent's size.
[[nodiscard]] std::optional<int> ParseFontSize(std::wstring_view value, int parentPixels);

// False when `value` is not a value of `property` (lower case) that the page view can
// use, so the declaration is dropped and an earlier one applies. True for properties
// the page view does not read.
[[nodiscard]] bool IsUsableCssValue(std::wstring_view property, std::wstring_view value);

} // namespace engine
