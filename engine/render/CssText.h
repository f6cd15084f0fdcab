#pragma once
// Small text helpers shared by the style sheet reader, the cascade and layout.

#include <string>
#include <string_view>
#include <vector>

namespace engine {

[[nodiscard]] bool IsCssSpace(wchar_t c) noexcept;
// ASCII letters lowered; other characters kept.
[[nodiscard]] std::wstring LowerAscii(std::wstring_view text);
[[nodiscard]] std::wstring_view TrimCss(std::wstring_view text) noexcept;

// Calls `visit` with each space-separated word of `list`.
template <typename Visit>
void ForEachCssWord(std::wstring_view list, Visit&& visit)
{
    size_t pos = 0;
    while (pos < list.size()) {
        while (pos < list.size() && IsCssSpace(list[pos])) {
            ++pos;
        }
        const size_t start = pos;
        while (pos < list.size() && !IsCssSpace(list[pos])) {
            ++pos;
        }
        if (pos > start) {
            visit(list.substr(start, pos - start));
        }
    }
}

// The space-separated parts of a property value; spaces inside brackets or quotes
// ("rgb(1, 2, 3)", "url(a b.png)", "'Courier New'") do not separate.
[[nodiscard]] std::vector<std::wstring_view> SplitCssValue(std::wstring_view value);

// True when `word` is one of the space-separated words of `list`.
[[nodiscard]] bool HasCssWord(std::wstring_view list, std::wstring_view word);

} // namespace engine
