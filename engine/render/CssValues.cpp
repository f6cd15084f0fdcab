#include "CssValues.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>

#include "CssText.h"

namespace engine {
namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

std::optional<COLORREF> HexColor(std::wstring_view hex)
{
    if (hex.size() != 3 && hex.size() != 6) {
        return std::nullopt;
    }
    int channels[3] = {};
    for (size_t i = 0; i < 3; ++i) {
        const int high = HexDigit(hex[hex.size() == 3 ? i : 2 * i]);
        const int low = HexDigit(hex[hex.size() == 3 ? i : 2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        channels[i] = high * 16 + low;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

// The three channels of rgb() or rgba(), as numbers or percentages; alpha is ignored.
std::optional<COLORREF> FunctionalColor(std::wstring_view arguments)
{
    std::wstring text(arguments);
    std::replace_if(text.begin(), text.end(), [](wchar_t c) { return c == L',' || c == L'/' || c == L')'; }, L' ');
    const wchar_t* pos = text.c_str();
    int channels[3] = {};
    for (int& channel : channels) {
        wchar_t* end = nullptr;
        const double number = std::wcstod(pos, &end);
        if (end == pos) {
            return std::nullopt;
        }
        const bool percent = *end == L'%';
        channel = static_cast<int>(std::lround(std::clamp(percent ? number * 255 / 100 : number, 0.0, 255.0)));
        pos = end + (percent ? 1 : 0);
    }
    return RGB(channels[0], channels[1], channels[2]);
}

std::optional<COLORREF> NamedColor(std::wstring_view name)
{
    struct Entry {
        std::wstring_view name;
        COLORREF color;
    };
    static constexpr Entry kNames[] = {
        {L"black", RGB(0, 0, 0)},         {L"silver", RGB(192, 192, 192)}, {L"gray", RGB(128, 128, 128)},
        {L"grey", RGB(128, 128, 128)},    {L"white", RGB(255, 255, 255)},  {L"maroon", RGB(128, 0, 0)},
        {L"red", RGB(255, 0, 0)},         {L"purple", RGB(128, 0, 128)},   {L"fuchsia", RGB(255, 0, 255)},
        {L"green", RGB(0, 128, 0)},       {L"lime", RGB(0, 255, 0)},       {L"olive", RGB(128, 128, 0)},
        {L"yellow", RGB(255, 255, 0)},    {L"navy", RGB(0, 0, 128)},       {L"blue", RGB(0, 0, 255)},
        {L"teal", RGB(0, 128, 128)},      {L"aqua", RGB(0, 255, 255)},     {L"orange", RGB(255, 165, 0)},
        {L"darkgray", RGB(169, 169, 169)}, {L"lightgray", RGB(211, 211, 211)}, {L"darkred", RGB(139, 0, 0)},
        {L"darkblue", RGB(0, 0, 139)},    {L"darkgreen", RGB(0, 100, 0)},  {L"brown", RGB(165, 42, 42)},
    };
    for (const Entry& entry : kNames) {
        if (entry.name == name) {
            return entry.color;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<COLORREF> ParseCssColor(std::wstring_view value)
{
    const std::wstring lower = LowerAscii(value);
    if (!lower.empty() && lower[0] == L'#') {
        return HexColor(std::wstring_view(lower).substr(1));
    }
    const size_t open = lower.find(L'(');
    if (open != std::wstring::npos && (lower.rfind(L"rgb(", 0) == 0 || lower.rfind(L"rgba(", 0) == 0)) {
        return FunctionalColor(std::wstring_view(lower).substr(open + 1));
    }
    return NamedColor(lower);
}

std::optional<int> ParseFontSize(std::wstring_view value, int parentPixels)
{
    struct Keyword {
        std::wstring_view name;
        int pixels;
    };
    static constexpr Keyword kKeywords[] = {{L"xx-small", 9}, {L"x-small", 10}, {L"small", 13}, {L"medium", 16},
                                            {L"large", 18},   {L"x-large", 24}, {L"xx-large", 32}};
    const std::wstring lower = LowerAscii(value);
    for (const Keyword& keyword : kKeywords) {
        if (keyword.name == lower) {
            return keyword.pixels;
        }
    }
    if (lower == L"smaller" || lower == L"larger") {
        return lower == L"smaller" ? parentPixels * 5 / 6 : parentPixels * 6 / 5;
    }
    wchar_t* end = nullptr;
    const double number = std::wcstod(lower.c_str(), &end);
    if (end == lower.c_str() || !(number >= 0) || number > 1e6) {
        return std::nullopt;
    }
    const std::wstring_view unit = std::wstring_view(lower).substr(static_cast<size_t>(end - lower.c_str()));
    double pixels = 0;
    if (unit == L"px") {
        pixels = number;
    } else if (unit == L"pt") {
        pixels = number * 4 / 3;
    } else if (unit == L"em" || unit == L"rem") {
        pixels = number * (unit == L"rem" ? 16 : parentPixels);
    } else if (unit == L"ex") {
        pixels = number * parentPixels / 2;
    } else if (unit == L"%") {
        pixels = number * parentPixels / 100;
    } else {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(pixels));
}

bool IsUsableCssValue(std::wstring_view property, std::wstring_view value)
{
    static constexpr std::wstring_view kDisplays[] = {
        L"none", L"block", L"inline", L"inline-block", L"list-item", L"flex", L"inline-flex", L"grid",
        L"inline-grid", L"table", L"inline-table", L"table-row", L"table-cell", L"table-row-group",
        L"table-header-group", L"table-footer-group", L"table-column", L"table-column-group", L"table-caption",
        L"contents", L"flow-root"};
    const std::wstring lower = LowerAscii(value);
    if (property == L"display") {
        return std::find(std::begin(kDisplays), std::end(kDisplays), lower) != std::end(kDisplays);
    }
    if (property == L"color") {
        return ParseCssColor(lower).has_value();
    }
    if (property == L"font-size") {
        return ParseFontSize(lower, 16).has_value();
    }
    return true;
}

} // namespace engine
