#include "CssShorthands.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "CssText.h"
#include "CssValues.h"

namespace engine {
namespace {

constexpr std::array<std::wstring_view, 4> kSides = {L"top", L"right", L"bottom", L"left"};

using Longhands = std::vector<std::pair<std::wstring, std::wstring>>;

// One to four values for top, right, bottom and left, as the box shorthands take them.
bool FourSides(std::wstring_view prefix, std::wstring_view suffix, const std::vector<std::wstring_view>& values,
               Longhands& out)
{
    if (values.empty() || values.size() > 4) {
        return false;
    }
    static constexpr size_t kSource[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    for (size_t side = 0; side < kSides.size(); ++side) {
        const std::wstring_view value = values[kSource[values.size() - 1][side]];
        out.emplace_back(std::wstring(prefix) + std::wstring(kSides[side]) + std::wstring(suffix), std::wstring(value));
    }
    return true;
}

// "1px solid red" in any order; what is left out takes its initial value.
bool Border(const std::vector<std::wstring_view>& parts, std::wstring_view side, Longhands& out)
{
    std::wstring width = L"medium";
    std::wstring style = L"none";
    std::wstring color = L"currentcolor";
    for (const std::wstring_view part : parts) {
        const std::wstring lower = LowerAscii(part);
        if (ParseBorderWidth(lower, 16).has_value()) {
            width = lower;
        } else if (lower == L"none" || lower == L"hidden" || IsVisibleBorderStyle(lower)) {
            style = lower;
        } else if (lower == L"currentcolor" || lower == L"transparent" || ParseCssColor(lower).has_value()) {
            color = lower;
        } else {
            return false;
        }
    }
    for (size_t i = 0; i < kSides.size(); ++i) {
        if (side.empty() || side == kSides[i]) {
            const std::wstring prefix = L"border-" + std::wstring(kSides[i]);
            out.emplace_back(prefix + L"-width", width);
            out.emplace_back(prefix + L"-style", style);
            out.emplace_back(prefix + L"-color", color);
        }
    }
    return !parts.empty();
}

// The colour, image and repetition; positions, sizes and attachment are not read.
bool Background(const std::vector<std::wstring_view>& parts, Longhands& out)
{
    std::wstring color = L"transparent";
    std::wstring image = L"none";
    std::wstring repeat = L"repeat";
    for (const std::wstring_view part : parts) {
        const std::wstring lower = LowerAscii(part);
        if (ParseCssColor(lower).has_value() || lower == L"transparent") {
            color = lower;
        } else if (ParseCssUrl(part).has_value()) {
            image = std::wstring(part);  // the address keeps its case
        } else if (lower == L"repeat" || lower == L"no-repeat" || lower == L"repeat-x" || lower == L"repeat-y") {
            repeat = lower;
        }
    }
    out.emplace_back(L"background-color", color);
    out.emplace_back(L"background-image", image);
    out.emplace_back(L"background-repeat", repeat);
    return !parts.empty();
}

bool IsFontWeight(std::wstring_view lower)
{
    return lower == L"bold" || lower == L"bolder" || lower == L"lighter" ||
           (lower.size() == 3 && lower[0] >= L'1' && lower[0] <= L'9' && lower.substr(1) == L"00");
}

// [style] [variant] [weight] size[/line-height] family.
bool Font(std::wstring_view value, const std::vector<std::wstring_view>& parts, Longhands& out)
{
    // Step 1: the keywords before the size.
    std::wstring style = L"normal";
    std::wstring weight = L"normal";
    size_t i = 0;
    for (; i < parts.size(); ++i) {
        const std::wstring lower = LowerAscii(parts[i]);
        if (lower == L"italic" || lower == L"oblique") {
            style = lower;
        } else if (IsFontWeight(lower)) {
            weight = lower;
        } else if (lower != L"normal" && lower != L"small-caps") {
            break;
        }
    }
    if (i == parts.size()) {
        return false;
    }
    // Step 2: the size, and the line height after a slash with or without spaces.
    std::wstring sizeAndHeight = LowerAscii(parts[i++]);
    while (i < parts.size() && (sizeAndHeight.back() == L'/' || parts[i].front() == L'/')) {
        sizeAndHeight += LowerAscii(parts[i++]);
    }
    if (i == parts.size()) {
        return false;  // the family is required
    }
    const size_t slash = sizeAndHeight.find(L'/');
    // Step 3: the family list is the rest of the value as written.
    const size_t familyStart = static_cast<size_t>(parts[i].data() - value.data());
    out.emplace_back(L"font-style", style);
    out.emplace_back(L"font-weight", weight);
    out.emplace_back(L"font-size", sizeAndHeight.substr(0, slash));
    out.emplace_back(L"line-height", slash == std::wstring::npos ? L"normal" : sizeAndHeight.substr(slash + 1));
    out.emplace_back(L"font-family", std::wstring(value.substr(familyStart)));
    return true;
}

bool IsSideName(std::wstring_view name)
{
    return std::find(kSides.begin(), kSides.end(), name) != kSides.end();
}

} // namespace

bool ExpandShorthand(const CssDeclaration& declaration, std::vector<CssDeclaration>& out)
{
    const std::wstring& property = declaration.property;
    const std::vector<std::wstring_view> parts = SplitCssValue(declaration.value);
    Longhands longhands;
    bool valid = false;
    if (property == L"margin" || property == L"padding") {
        valid = FourSides(property + L"-", L"", parts, longhands);
    } else if (property == L"border-width" || property == L"border-style" || property == L"border-color") {
        valid = FourSides(L"border-", std::wstring_view(property).substr(6), parts, longhands);
    } else if (property == L"border") {
        valid = Border(parts, L"", longhands);
    } else if (property.rfind(L"border-", 0) == 0 && IsSideName(std::wstring_view(property).substr(7))) {
        valid = Border(parts, std::wstring_view(property).substr(7), longhands);
    } else if (property == L"background") {
        valid = Background(parts, longhands);
    } else if (property == L"font") {
        valid = Font(declaration.value, parts, longhands);
    } else {
        return false;
    }
    for (const auto& [name, value] : longhands) {
        valid = valid && IsUsableCssValue(name, value);
    }
    if (valid) {
        for (auto& [name, value] : longhands) {
            out.push_back(CssDeclaration{std::move(name), std::move(value), declaration.important});
        }
    }
    return true;
}

} // namespace engine
