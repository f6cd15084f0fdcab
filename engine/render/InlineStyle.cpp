#include "InlineStyle.h"

#include <algorithm>

#include "engine/dom/DomQueries.h"

namespace engine {
namespace {

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

std::wstring TrimLower(std::wstring_view s)
{
    while (!s.empty() && IsSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsSpace(s.back())) {
        s.remove_suffix(1);
    }
    std::wstring out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; });
    return out;
}

} // namespace

std::optional<std::wstring> InlineStyleValue(std::wstring_view style, std::wstring_view property)
{
    std::optional<std::wstring> found;
    size_t start = 0;
    while (start <= style.size()) {
        const size_t end = std::min(style.find(L';', start), style.size());
        const std::wstring_view declaration = style.substr(start, end - start);
        const size_t colon = declaration.find(L':');
        if (colon != std::wstring_view::npos && TrimLower(declaration.substr(0, colon)) == property) {
            std::wstring value = TrimLower(declaration.substr(colon + 1));
            const size_t important = value.find(L"!important");
            if (important != std::wstring::npos) {
                value = TrimLower(std::wstring_view(value).substr(0, important));
            }
            found = std::move(value);  // later declarations win, as in CSS
        }
        start = end + 1;
    }
    return found;
}

bool IsDisplayNone(const DomNode& element)
{
    const DomString* style = FindAttribute(element, L"style");
    if (style == nullptr) {
        return false;
    }
    const auto display = InlineStyleValue(*style, L"display");
    return display.has_value() && *display == L"none";
}

} // namespace engine
