#include "LayoutSupport.h"

#include <algorithm>
#include <optional>
#include <string>

#include "CssText.h"
#include "CssValues.h"
#include "engine/dom/DomQueries.h"

namespace engine {

int Advance(long long position, long long distance, long long more)
{
    return static_cast<int>(std::clamp<long long>(position + distance + more, 0, LayoutBuilder::kMaxCoordinate));
}

TextAlign AlignOf(const DomNode& element, const ResolvedStyle& css, TextAlign inherited)
{
    std::wstring value;
    if (const std::wstring* textAlign = css.Find(L"text-align")) {
        value = LowerAscii(*textAlign);
    } else if (element.tagName == L"center") {
        return TextAlign::Center;
    } else if (const DomString* align = FindAttribute(element, L"align")) {
        value = LowerAscii(*align);
    }
    if (value == L"center" || value == L"middle" || value == L"-webkit-center") {
        return TextAlign::Center;
    }
    if (value == L"right") {
        return TextAlign::Right;
    }
    if (value == L"left" || value == L"justify") {
        return TextAlign::Left;
    }
    return inherited;
}

int DimensionAttribute(const DomNode& element, std::wstring_view name, int percentBase)
{
    const DomString* value = FindAttribute(element, name);
    if (value == nullptr) {
        return -1;
    }
    const std::wstring_view text = TrimCss(*value);
    long long number = -1;
    size_t pos = 0;
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        number = std::min<long long>(std::max(number, 0LL) * 10 + (text[pos] - L'0'), LayoutBuilder::kMaxCoordinate);
    }
    if (number >= 0 && pos < text.size() && text[pos] == L'%') {
        number = percentBase < 0 ? -1 : number * percentBase / 100;
    }
    return static_cast<int>(std::min<long long>(number, LayoutBuilder::kMaxCoordinate));
}

std::optional<COLORREF> BackgroundOf(const DomNode& element, const ResolvedStyle& css)
{
    if (const std::wstring* value = css.Find(L"background-color")) {
        return ParseCssColor(*value);  // transparent beats the attribute too
    }
    const DomString* attribute = FindAttribute(element, L"bgcolor");
    return attribute != nullptr ? ParseCssColor(*attribute) : std::nullopt;
}

std::wstring BackgroundImageOf(const DomNode& element, const ResolvedStyle& css)
{
    if (const std::wstring* image = css.Find(L"background-image")) {
        return ParseCssUrl(*image).value_or(L"");
    }
    const DomString* attribute = FindAttribute(element, L"background");
    return attribute != nullptr ? std::wstring(TrimCss(*attribute)) : std::wstring();
}

} // namespace engine
