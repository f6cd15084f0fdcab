// Placement arithmetic of formatted text by the alignment flags.

#include "duilib/core/HtmlTextAlignment.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::HtmlTextAlignment;

namespace {

struct PlaceCase {
    const char* name;
    UINT style;
    SIZE measured;
    RECT expected;
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

constexpr RECT kRc{10, 20, 110, 80}; // 100 x 60

class HtmlTextPlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(HtmlTextPlacement, MovesTheRectangleToTheText)
{
    EXPECT_EQ(GetParam().expected, HtmlTextAlignment::Place(kRc, GetParam().style, GetParam().measured));
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlTextPlacement,
    ::testing::Values(
        PlaceCase{"TopLeftUnchanged", DT_SINGLELINE, {40, 20}, {10, 20, 110, 80}},
        PlaceCase{"SingleLineCentre", DT_SINGLELINE | DT_CENTER, {40, 20}, {40, 20, 110, 80}},
        PlaceCase{"SingleLineRight", DT_SINGLELINE | DT_RIGHT, {40, 20}, {70, 20, 110, 80}},
        PlaceCase{"WiderThanRectStaysLeft", DT_SINGLELINE | DT_CENTER, {140, 20}, {10, 20, 110, 80}},
        PlaceCase{"MultiLineCentreIsPerLine", DT_CENTER, {40, 20}, {10, 20, 110, 80}},
        PlaceCase{"VerticalCentre", DT_VCENTER, {40, 20}, {10, 40, 110, 80}},
        PlaceCase{"Bottom", DT_BOTTOM, {40, 20}, {10, 60, 110, 80}},
        PlaceCase{"TallerThanRectCentresAbove", DT_VCENTER, {40, 80}, {10, 10, 110, 80}},
        PlaceCase{"BothAxes", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, {30, 10}, {80, 70, 110, 80}}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST(HtmlTextAlignment, PreMeasuresOnlyWhenPlacementDependsOnTheExtent)
{
    EXPECT_FALSE(HtmlTextAlignment::NeedsPreMeasure(0));
    EXPECT_FALSE(HtmlTextAlignment::NeedsPreMeasure(DT_CENTER | DT_WORDBREAK));
    EXPECT_FALSE(HtmlTextAlignment::NeedsPreMeasure(DT_VCENTER | DT_CALCRECT));
    EXPECT_TRUE(HtmlTextAlignment::NeedsPreMeasure(DT_SINGLELINE | DT_RIGHT));
    EXPECT_TRUE(HtmlTextAlignment::NeedsPreMeasure(DT_BOTTOM));
    EXPECT_EQ(HtmlTextAlignment::PreMeasureRect(kRc, DT_SINGLELINE), (RECT{10, 20, 10 + 9999, 120}));
    EXPECT_EQ(HtmlTextAlignment::PreMeasureRect(kRc, DT_WORDBREAK), (RECT{10, 20, 110, 120}))
        << "wrapped text is measured at the width it will be drawn in";
}

TEST(HtmlTextAlignment, ShiftsLinesOfMultiLineTextOnly)
{
    EXPECT_EQ(30, HtmlTextAlignment::LineShift(DT_CENTER, 100, 40));
    EXPECT_EQ(60, HtmlTextAlignment::LineShift(DT_RIGHT, 100, 40));
    EXPECT_EQ(0, HtmlTextAlignment::LineShift(DT_LEFT, 100, 40));
    EXPECT_EQ(0, HtmlTextAlignment::LineShift(DT_CENTER | DT_SINGLELINE, 100, 40));
    EXPECT_EQ(0, HtmlTextAlignment::LineShift(DT_RIGHT | DT_CALCRECT, 100, 40));
    EXPECT_EQ(0, HtmlTextAlignment::LineShift(DT_RIGHT, 100, 140)) << "never left of the rectangle";
}

} // namespace
