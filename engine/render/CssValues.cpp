#include "CssValues.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
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

struct Dimension {
    double number;
    std::wstring_view unit;  // lower case; empty for a bare number
};

// A number and the unit after it; nothing unless the text starts with a finite number.
std::optional<Dimension> SplitDimension(std::wstring_view lower)
{
    if (lower.empty() || !(std::iswdigit(lower[0]) || lower[0] == L'.' || lower[0] == L'-' || lower[0] == L'+')) {
        return std::nullopt;
    }
    const std::wstring text(lower);
    wchar_t* end = nullptr;
    const double number = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(number)) {
        return std::nullopt;
    }
    return Dimension{number, lower.substr(static_cast<size_t>(end - text.c_str()))};
}

// Pixels of a number in a unit; em and ex count in `fontPixels`, % in `percentBase`.
std::optional<double> UnitPixels(const Dimension& dimension, int fontPixels, int percentBase)
{
    struct Unit {
        std::wstring_view name;
        double pixels;
    };
    static constexpr Unit kAbsolute[] = {{L"px", 1}, {L"pt", 4.0 / 3}, {L"pc", 16}, {L"in", 96},
                                         {L"cm", 96 / 2.54}, {L"mm", 96 / 25.4}, {L"rem", 16}};
    for (const Unit& unit : kAbsolute) {
        if (unit.name == dimension.unit) {
            return dimension.number * unit.pixels;
        }
    }
    if (dimension.unit == L"em" || dimension.unit == L"ex" || dimension.unit == L"ch") {
        return dimension.number * fontPixels / (dimension.unit == L"em" ? 1 : 2);
    }
    if (dimension.unit == L"%" && percentBase >= 0) {
        return dimension.number * percentBase / 100;
    }
    return std::nullopt;
}

bool IsOneOf(std::wstring_view value, std::initializer_list<std::wstring_view> words)
{
    return std::find(words.begin(), words.end(), value) != words.end();
}

bool IsSide(std::wstring_view property, std::wstring_view prefix, std::wstring_view suffix)
{
    if (property.size() <= prefix.size() + suffix.size() || property.substr(0, prefix.size()) != prefix ||
        property.substr(property.size() - suffix.size()) != suffix) {
        return false;
    }
    return IsOneOf(property.substr(prefix.size(), property.size() - prefix.size() - suffix.size()),
                   {L"top", L"right", L"bottom", L"left"});
}

bool IsLength(std::wstring_view lower, bool allowNegative)
{
    const auto length = ParseCssLength(lower, 16, 100);
    return length.has_value() && (allowNegative || *length >= 0);
}

// The box, background and flow properties; true for the properties the page view
// does not read.
bool IsUsableBoxValue(std::wstring_view property, std::wstring_view lower)
{
    if (IsSide(property, L"margin-", L"")) {
        return lower == L"auto" || IsLength(lower, true);
    }
    if (IsSide(property, L"padding-", L"")) {
        return IsLength(lower, false);
    }
    if (IsSide(property, L"border-", L"-width")) {
        return ParseBorderWidth(lower, 16).has_value();
    }
    if (IsSide(property, L"border-", L"-style")) {
        return lower == L"none" || lower == L"hidden" || IsVisibleBorderStyle(lower);
    }
    if (IsSide(property, L"border-", L"-color") || property == L"background-color") {
        return lower == L"currentcolor" || lower == L"transparent" || ParseCssColor(lower).has_value();
    }
    if (property == L"width" || property == L"height") {
        return lower == L"auto" || IsLength(lower, false);
    }
    if (property == L"max-width") {
        return lower == L"none" || IsLength(lower, false);
    }
    if (property == L"background-image") {
        return lower == L"none" || ParseCssUrl(lower).has_value();
    }
    if (property == L"background-repeat") {
        return IsOneOf(lower, {L"repeat", L"no-repeat", L"repeat-x", L"repeat-y"});
    }
    if (property == L"box-sizing") {
        return IsOneOf(lower, {L"content-box", L"border-box"});
    }
    if (property == L"float") {
        return IsOneOf(lower, {L"left", L"right", L"none"});
    }
    if (property == L"clear") {
        return IsOneOf(lower, {L"left", L"right", L"both", L"none"});
    }
    if (property == L"line-height") {
        const auto number = SplitDimension(lower);
        return lower == L"normal" || (number.has_value() && number->unit.empty() && number->number >= 0) ||
               IsLength(lower, false);
    }
    return true;
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
    const auto dimension = SplitDimension(lower);
    if (!dimension.has_value() || dimension->number < 0 || dimension->number > 1e6 || dimension->unit.empty()) {
        return std::nullopt;
    }
    const auto pixels = UnitPixels(*dimension, parentPixels, parentPixels);
    return pixels.has_value() ? std::optional<int>(static_cast<int>(std::lround(*pixels))) : std::nullopt;
}

std::optional<int> ParseCssLength(std::wstring_view value, int fontPixels, int percentBase)
{
    const std::wstring lower = LowerAscii(TrimCss(value));
    const auto dimension = SplitDimension(lower);
    if (!dimension.has_value() || (dimension->unit.empty() && dimension->number != 0)) {
        return std::nullopt;
    }
    const auto pixels = dimension->unit.empty() ? std::optional<double>(0) : UnitPixels(*dimension, fontPixels, percentBase);
    if (!pixels.has_value()) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(std::clamp<double>(*pixels, -kMaxCssPixels, kMaxCssPixels)));
}

std::optional<int> ParseBorderWidth(std::wstring_view value, int fontPixels)
{
    const std::wstring lower = LowerAscii(TrimCss(value));
    if (lower == L"thin" || lower == L"medium" || lower == L"thick") {
        return lower == L"thin" ? 1 : lower == L"medium" ? 3 : 5;
    }
    const auto width = ParseCssLength(lower, fontPixels, -1);
    return width.has_value() && *width >= 0 ? width : std::nullopt;
}

bool IsVisibleBorderStyle(std::wstring_view value)
{
    static constexpr std::wstring_view kVisible[] = {L"solid", L"dashed", L"dotted", L"double",
                                                     L"groove", L"ridge", L"inset", L"outset"};
    const std::wstring lower = LowerAscii(TrimCss(value));
    return std::find(std::begin(kVisible), std::end(kVisible), lower) != std::end(kVisible);
}

std::optional<std::wstring> ParseCssUrl(std::wstring_view value)
{
    value = TrimCss(value);
    if (value.size() < 5 || LowerAscii(value.substr(0, 4)) != L"url(" || value.back() != L')') {
        return std::nullopt;
    }
    std::wstring_view address = TrimCss(value.substr(4, value.size() - 5));
    if (address.size() >= 2 && (address.front() == L'"' || address.front() == L'\'') && address.back() == address.front()) {
        address = address.substr(1, address.size() - 2);
    }
    return std::wstring(address);
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
    return IsUsableBoxValue(property, lower);
}

} // namespace engine
