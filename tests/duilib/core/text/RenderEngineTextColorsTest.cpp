// Colour conversions of the text operations.

#include "duilib/core/RenderEngineTextColors.h"

#include <gtest/gtest.h>

using DuiLib::RenderEngineTextColors;

namespace {

struct KeyCase {
    DWORD argb;
    COLORREF key;
};

class AlphaTextKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AlphaTextKey, StepsEachByteAndWraps)
{
    EXPECT_EQ(GetParam().key, RenderEngineTextColors::AlphaTextKey(GetParam().argb));
}

INSTANTIATE_TEST_SUITE_P(Table, AlphaTextKey,
    ::testing::Values(KeyCase{0xFF000000u, RGB(1, 2, 3)}, KeyCase{0xFFFFFFFFu, RGB(254, 253, 252)},
                      KeyCase{0x00102030u, RGB(0x11, 0x22, 0x33)}, KeyCase{0xFFFEFEFEu, RGB(255, 0, 1)},
                      KeyCase{0xFFFDFDFDu, RGB(254, 255, 0)}, KeyCase{0xFF00FFFFu, RGB(1, 253, 252)}));

TEST(RenderEngineTextColors, ReordersBytesAndDrawsBlackAsBlueOne)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), RenderEngineTextColors::ToColorRef(0xFF123456u));
    EXPECT_EQ(RGB(0, 0, 0), RenderEngineTextColors::ToColorRef(0xFF000000u));
    EXPECT_EQ(RGB(0, 0, 1), RenderEngineTextColors::ToTextColorRef(0xFF000000u));
    EXPECT_EQ(RGB(0, 0, 1), RenderEngineTextColors::ToTextColorRef(0x00000000u));
    EXPECT_EQ(RGB(0, 0, 2), RenderEngineTextColors::ToTextColorRef(0xFF000002u));
}

} // namespace
