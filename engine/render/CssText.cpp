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

bool HasCssWord(std::wstring_view list, std::wstring_view word)
{
    bool found = false;
    ForEachCssWord(list, [&](std::wstring_view candidate) { found = found || candidate == word; });
    return found;
}

} // namespace engine
