// Band arithmetic of the gradient drawn without the platform's GradientFill.

#include "duilib/core/GradientBands.h"

#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

using DuiLib::GradientBand;
using DuiLib::GradientBands;
using DuiLib::GradientBandShift;

namespace {

struct ShiftCase {
    int steps;
    int shift;
};

void PrintTo(const ShiftCase& c, std::ostream* os) { *os << c.steps << " steps"; }

class GradientBandCount : public testing::TestWithParam<ShiftCase> {};

TEST_P(GradientBandCount, FollowsTheStepRanges)
{
    EXPECT_EQ(GetParam().shift, GradientBandShift(GetParam().steps));
    EXPECT_EQ(std::size_t{1} << GetParam().shift,
              GradientBands({0, 0, 10, 1000}, 0, 0xFFFFFF, true, GetParam().steps).size());
}

INSTANTIATE_TEST_SUITE_P(Table, GradientBandCount,
                         testing::Values(ShiftCase{-5, 1}, ShiftCase{0, 1}, ShiftCase{3, 1}, ShiftCase{4, 2},
                                         ShiftCase{7, 2}, ShiftCase{8, 3}, ShiftCase{15, 3}, ShiftCase{16, 4},
                                         ShiftCase{31, 4}, ShiftCase{32, 5}, ShiftCase{63, 5}, ShiftCase{64, 6},
                                         ShiftCase{100000, 6}));

TEST(GradientBands, VerticalBandsRunFromTheBottomInTheSecondColour)
{
    // 4 bands over 10 rows: edges at bottom - i × 10 / 4 = 30, 28, 25, 23, 20.
    const auto bands = GradientBands({5, 20, 15, 30}, 0xFF000000 | 0x804000, 0xFF000000 | 0x0040C0, true, 4);
    ASSERT_EQ(4u, bands.size());
    EXPECT_EQ((RECT{5, 28, 15, 30}), bands[0].rc);
    EXPECT_EQ((RECT{5, 25, 15, 28}), bands[1].rc);
    EXPECT_EQ((RECT{5, 23, 15, 25}), bands[2].rc);
    EXPECT_EQ((RECT{5, 20, 15, 23}), bands[3].rc);
    // (first × i + second × (4 - i)) >> 2 per channel.
    EXPECT_EQ(0xFF0040C0u, bands[0].color);
    EXPECT_EQ(0xFF204090u, bands[1].color);
    EXPECT_EQ(0xFF404060u, bands[2].color);
    EXPECT_EQ(0xFF604030u, bands[3].color);
}

TEST(GradientBands, HorizontalBandsRunFromTheRightEdge)
{
    const auto bands = GradientBands({0, 3, 6, 9}, 0xFFFFFFFF, 0xFF000000, false, 2);
    ASSERT_EQ(2u, bands.size());
    EXPECT_EQ((RECT{3, 3, 6, 9}), bands[0].rc);
    EXPECT_EQ((RECT{0, 3, 3, 9}), bands[1].rc);
    EXPECT_EQ(0xFF000000u, bands[0].color);
    EXPECT_EQ(0xFF7F7F7Fu, bands[1].color);
}

TEST(GradientBands, BandsWithoutAreaAreLeftOutAndTheRestTile)
{
    const auto bands = GradientBands({0, 0, 3, 4}, 0xFF000000, 0xFFFFFFFF, false, 64);
    ASSERT_EQ(3u, bands.size());
    LONG right = 3;
    for (const GradientBand& band : bands) {
        EXPECT_EQ(right, band.rc.right);
        EXPECT_EQ(band.rc.left + 1, band.rc.right);
        right = band.rc.left;
    }
    EXPECT_EQ(0, right);
    EXPECT_TRUE(GradientBands({0, 0, 10, 0}, 0, 0xFFFFFF, true, 8).empty());
}

} // namespace
