#include "CssText.h"

#include <algorithm>

namespace engine {

bool IsCssSpace(wchar_t c) noexcept
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

std::wstring LowerAscii(std::wstring_view text)
{
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; });
    return out;
}

std::wstring_view TrimCss(std::wstring_view text) noexcept
{
    while (!text.empty() && IsCssSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsCssSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::wstring_view> SplitCssValue(std::wstring_view value)
{
    std::vector<std::wstring_view> parts;
    int depth = 0;
    wchar_t quote = 0;
    size_t start = 0;
    for (size_t pos = 0; pos <= value.size(); ++pos) {
        const wchar_t c = pos < value.size() ? value[pos] : L' ';
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == L'"' || c == L'\'') {
            quote = c;
        } else if (c == L'(') {
            ++depth;
        } else if (c == L')' && depth > 0) {
            --depth;
        } else if (depth == 0 && IsCssSpace(c)) {
            if (pos > start) {
                parts.push_back(value.substr(start, pos - start));
            }
            start = pos + 1;
        }
    }
    if (start < value.size()) {  // an unclosed bracket or quote runs to the end
        parts.push_back(value.substr(start));
    }
    return parts;
}

bool HasCssWord(std::wstring_view list, std::wstring_view word)
{
    bool found = false;
    ForEachCssWord(list, [&](std::wstring_view candidate) { found = found || candidate == word; });
    return found;
}

} // namespace engine
