#include "BoxStyle.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "CssText.h"
#include "CssValues.h"
#include "LayoutSupport.h"

namespace engine {
namespace {

// The longhands of each side, in BoxStyle::Side order, spelt out so that reading them
// builds no strings.
struct SideProperties {
    std::wstring_view margin;
    std::wstring_view padding;
    std::wstring_view borderWidth;
    std::wstring_view borderStyle;
    std::wstring_view borderColor;
};
constexpr SideProperties kSides[] = {
    {L"margin-top", L"padding-top", L"border-top-width", L"border-top-style", L"border-top-color"},
    {L"margin-right", L"padding-right", L"border-right-width", L"border-right-style", L"border-right-color"},
    {L"margin-bottom", L"padding-bottom", L"border-bottom-width", L"border-bottom-style", L"border-bottom-color"},
    {L"margin-left", L"padding-left", L"border-left-width", L"border-left-style", L"border-left-color"},
};

int& SideOf(BoxSides& sides, int side)
{
    int* const members[] = {&sides.top, &sides.right, &sides.bottom, &sides.left};
    return *members[side];
}

// A declared length; nothing when it is absent, auto, none or a percentage of nothing.
std::optional<int> Length(const ResolvedStyle& css, std::wstring_view property, const BoxContext& context,
                          int percentBase)
{
    const std::wstring* value = css.Find(property);
    return value != nullptr ? ParseCssLength(*value, context.fontPixels, percentBase) : std::nullopt;
}

bool IsAuto(const ResolvedStyle& css, std::wstring_view property)
{
    const std::wstring* value = css.Find(property);
    return value != nullptr && LowerAscii(*value) == L"auto";
}

void ReadBorder(const ResolvedStyle& css, const BoxContext& context, int side, BoxStyle& box)
{
    const std::wstring* style = css.Find(kSides[side].borderStyle);
    const std::wstring* width = css.Find(kSides[side].borderWidth);
    const std::wstring* color = css.Find(kSides[side].borderColor);
    const bool visible = style != nullptr && IsVisibleBorderStyle(*style);
    const auto pixels = width != nullptr ? ParseBorderWidth(*width, context.fontPixels) : std::optional<int>(3);
    SideOf(box.border, side) = visible ? std::min(pixels.value_or(3), kMaxCssPixels) : 0;
    const bool current = color == nullptr || LowerAscii(*color) == L"currentcolor";
    box.borderColor[side] = current ? std::optional<COLORREF>(context.color) : ParseCssColor(*color);
}

void ReadSides(const ResolvedStyle& css, const BoxContext& context, BoxStyle& box)
{
    // Vertical margins and padding are percentages of the container's width too.
    const int base = std::max(context.containerWidth, 0);
    for (int side = BoxStyle::kTop; side <= BoxStyle::kLeft; ++side) {
        SideOf(box.margin, side) = Length(css, kSides[side].margin, context, base).value_or(SideOf(box.margin, side));
        const auto padding = Length(css, kSides[side].padding, context, base);
        SideOf(box.padding, side) = std::max(padding.value_or(SideOf(box.padding, side)), 0);
        ReadBorder(css, context, side, box);
    }
    box.autoMarginLeft = IsAuto(css, kSides[BoxStyle::kLeft].margin);
    box.autoMarginRight = IsAuto(css, kSides[BoxStyle::kRight].margin);
}

} // namespace

int BoxStyle::BorderSides() const
{
    int count = 0;
    for (const int width : {border.top, border.right, border.bottom, border.left}) {
        count += width > 0 ? 1 : 0;
    }
    return count;
}

BoxStyle ComputeBoxStyle(const DomNode& element, const ResolvedStyle& css, const BoxContext& context,
                         const BoxStyle& defaults)
{
    BoxStyle box = defaults;
    box.background = BackgroundOf(element, css);
    box.backgroundImage = BackgroundImageOf(element, css);
    if (css.Empty()) {
        return box;  // most elements: nothing to read
    }
    ReadSides(css, context, box);
    box.width = std::max(Length(css, L"width", context, context.containerWidth).value_or(-1), -1);
    box.maxWidth = std::max(Length(css, L"max-width", context, context.containerWidth).value_or(-1), -1);
    box.height = std::max(Length(css, L"height", context, context.containerHeight).value_or(-1), -1);
    const std::wstring* sizing = css.Find(L"box-sizing");
    if (sizing != nullptr && LowerAscii(*sizing) == L"border-box") {
        const int across = box.border.left + box.border.right + box.padding.left + box.padding.right;
        const int down = box.border.top + box.border.bottom + box.padding.top + box.padding.bottom;
        box.width = box.width < 0 ? -1 : std::max(box.width - across, 0);
        box.maxWidth = box.maxWidth < 0 ? -1 : std::max(box.maxWidth - across, 0);
        box.height = box.height < 0 ? -1 : std::max(box.height - down, 0);
    }
    if (const std::wstring* repeat = css.Find(L"background-repeat")) {
        const std::wstring value = LowerAscii(*repeat);
        box.backgroundRepeat = value == L"no-repeat"  ? BackgroundRepeat::None
                               : value == L"repeat-x" ? BackgroundRepeat::X
                               : value == L"repeat-y" ? BackgroundRepeat::Y
                                                      : BackgroundRepeat::Both;
    }
    return box;
}

UsedWidth ResolveWidth(const BoxStyle& box, int available)
{
    const long long insets = 0LL + box.border.left + box.border.right + box.padding.left + box.padding.right;
    const long long marginLeft = box.autoMarginLeft ? 0 : box.margin.left;
    const long long marginRight = box.autoMarginRight ? 0 : box.margin.right;
    long long width = box.width;
    if (width < 0) {
        width = available - marginLeft - marginRight - insets;
        if (box.maxWidth < 0 || width <= box.maxWidth) {
            return {static_cast<int>(marginLeft), static_cast<int>(std::clamp<long long>(width, 0, kMaxCssPixels))};
        }
    }
    if (box.maxWidth >= 0) {
        width = std::min<long long>(width, box.maxWidth);
    }
    const long long room = std::max(available - marginLeft - marginRight - insets - width, 0LL);
    long long left = marginLeft;
    if (box.autoMarginLeft) {
        left += box.autoMarginRight ? room / 2 : room;
    }
    return {static_cast<int>(std::clamp<long long>(left, -kMaxCssPixels, kMaxCssPixels)), static_cast<int>(width)};
}

} // namespace engine
