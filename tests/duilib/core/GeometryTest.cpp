#include "duilib/core/DuiPoint.h"
#include "duilib/core/DuiRect.h"
#include "duilib/core/DuiSize.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <functional>

using DuiLib::CDuiPoint;
using DuiLib::CDuiRect;
using DuiLib::CDuiSize;

struct RectCase {
    const char* name;
    RECT start;
    std::function<void(CDuiRect&)> op;
    RECT expected;
};

void PrintTo(const RectCase& c, std::ostream* os) { *os << c.name; }

class DuiRectOps : public ::testing::TestWithParam<RectCase> {};

TEST_P(DuiRectOps, GiveExactRectangles)
{
    CDuiRect rc(GetParam().start);
    GetParam().op(rc);
    EXPECT_EQ(static_cast<const RECT&>(rc), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DuiRectOps,
    ::testing::Values(
        RectCase{"JoinMovesSidesOutwardOnly", {10, 10, 20, 20}, [](CDuiRect& r) { r.Join({15, 5, 18, 30}); },
            {10, 5, 20, 30}},
        RectCase{"JoinCountsEmptyRectangles", {10, 10, 20, 20}, [](CDuiRect& r) { r.Join({0, 0, 0, 0}); },
            {0, 0, 20, 20}},
        RectCase{"UnionIgnoresEmptyRectangles", {10, 10, 20, 20}, [](CDuiRect& r) { r.Union({0, 0, 0, 0}); },
            {10, 10, 20, 20}},
        RectCase{"UnionOfEmptyTakesTheOther", {0, 0, 0, 0}, [](CDuiRect& r) { r.Union({1, 2, 3, 4}); },
            {1, 2, 3, 4}},
        RectCase{"UnionBounds", {0, 0, 5, 5}, [](CDuiRect& r) { r.Union({10, -3, 12, 2}); }, {0, -3, 12, 5}},
        RectCase{"NormalizeSwapsReversedSides", {20, 30, 10, 5}, [](CDuiRect& r) { r.Normalize(); },
            {10, 5, 20, 30}},
        RectCase{"NormalizeKeepsOrderedSides", {1, 2, 3, 4}, [](CDuiRect& r) { r.Normalize(); }, {1, 2, 3, 4}},
        RectCase{"ResetOffsetKeepsSize", {-5, 7, 10, 20}, [](CDuiRect& r) { r.ResetOffset(); }, {0, 0, 15, 13}},
        RectCase{"Offset", {0, 0, 10, 10}, [](CDuiRect& r) { r.Offset(-3, 4); }, {-3, 4, 7, 14}},
        RectCase{"InflateMovesEverySideOut", {10, 10, 20, 20}, [](CDuiRect& r) { r.Inflate(2, 3); },
            {8, 7, 22, 23}},
        RectCase{"DeflateMovesEverySideIn", {10, 10, 20, 20}, [](CDuiRect& r) { r.Deflate(2, 3); },
            {12, 13, 18, 17}},
        RectCase{"DeflateRectPerSide", {0, 0, 100, 50}, [](CDuiRect& r) { r.DeflateRect(1, 2, 3, 4); },
            {1, 2, 97, 46}},
        RectCase{"IntersectKeepsOverlap", {0, 0, 10, 10}, [](CDuiRect& r) { EXPECT_TRUE(r.Intersect({5, 5, 20, 20})); },
            {5, 5, 10, 10}},
        RectCase{"IntersectOfTouchingIsEmpty", {0, 0, 10, 10},
            [](CDuiRect& r) { EXPECT_FALSE(r.Intersect({10, 0, 20, 10})); }, {0, 0, 0, 0}},
        RectCase{"Empty", {1, 2, 3, 4}, [](CDuiRect& r) { r.Empty(); }, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<RectCase>& info) { return std::string(info.param.name); });

TEST(DuiRect, MeasuresHalfOpen)
{
    const CDuiRect rc(10, 20, 30, 60);
    EXPECT_EQ(rc.GetWidth(), 20);
    EXPECT_EQ(rc.GetHeight(), 40);
    EXPECT_TRUE(rc.Contains({10, 20}));
    EXPECT_TRUE(rc.Contains({29, 59}));
    EXPECT_FALSE(rc.Contains({30, 59}));
    EXPECT_FALSE(rc.Contains({29, 60}));
    EXPECT_FALSE(rc.Contains({9, 20}));
    EXPECT_FALSE(rc.IsNull());
    EXPECT_FALSE(CDuiRect(5, 5, 5, 5).IsNull()); // no area, but not null
    EXPECT_TRUE(CDuiRect().IsNull());
}

TEST(DuiSize, FromRectangleIsWidthByHeight)
{
    EXPECT_EQ(static_cast<const SIZE&>(CDuiSize(RECT{-5, 10, 15, 13})), (SIZE{20, 3}));
    EXPECT_EQ(static_cast<const SIZE&>(CDuiSize()), (SIZE{0, 0}));
    EXPECT_EQ(static_cast<const SIZE&>(CDuiSize(SIZE{7, 8})), (SIZE{7, 8}));
}

struct LParamCase {
    LPARAM lParam;
    POINT expected;
};

class DuiPointFromLParam : public ::testing::TestWithParam<LParamCase> {};

TEST_P(DuiPointFromLParam, ReadsSignedHalves)
{
    EXPECT_EQ(static_cast<const POINT&>(CDuiPoint(GetParam().lParam)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DuiPointFromLParam,
    ::testing::Values(LParamCase{MAKELPARAM(10, 20), {10, 20}},
        LParamCase{MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-7)), {-5, -7}},
        LParamCase{MAKELPARAM(0xFFFF, 0x8000), {-1, -32768}}, LParamCase{MAKELPARAM(0x7FFF, 1), {32767, 1}},
        // A sign-extended 64-bit lParam, as a negative packed value arrives on x64.
        LParamCase{static_cast<LPARAM>(static_cast<LONG>(0xFFFEFFFDu)), {-3, -2}}));

TEST(DuiPoint, Constructors)
{
    EXPECT_EQ(static_cast<const POINT&>(CDuiPoint()), (POINT{0, 0}));
    EXPECT_EQ(static_cast<const POINT&>(CDuiPoint(-4, 9)), (POINT{-4, 9}));
    EXPECT_EQ(static_cast<const POINT&>(CDuiPoint(POINT{3, 2})), (POINT{3, 2}));
}
