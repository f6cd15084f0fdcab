// RGBA to premultiplied 32-bit pixels, with the mask colour cut out.

#include "duilib/core/ImagePixels.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

struct PixelCase {
    const char* name;
    std::array<BYTE, 4> rgba;
    DWORD mask;
    DWORD expected;
    bool alpha;
};

class PremultiplyPixel : public testing::TestWithParam<PixelCase> {};

TEST_P(PremultiplyPixel, GivesTheExactValueAndAlphaFlag)
{
    const PixelCase& c = GetParam();
    DWORD out = 0xDEADBEEF;
    EXPECT_EQ(c.alpha, DuiLib::PremultiplyPixels(c.rgba.data(), 1, c.mask, &out));
    EXPECT_EQ(c.expected, out) << std::hex << out;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PremultiplyPixel,
    testing::Values(
        PixelCase{"OpaqueCopiedAsIs", {10, 20, 30, 255}, 0, 0xFF0A141E, false},
        PixelCase{"HalfTransparentGreen", {0, 255, 0, 128}, 0, 0x80008000, true},
        // 200*64/255 = 50.2, 100*64/255 = 25.1, 50*64/255 = 12.5: truncated, not rounded.
        PixelCase{"PremultipliedValuesAreTruncated", {200, 100, 50, 64}, 0, 0x4032190C, true},
        PixelCase{"FullyTransparentLosesItsColour", {255, 255, 255, 0}, 0, 0x00000000, true},
        PixelCase{"AlmostOpaqueIsPremultiplied", {255, 255, 255, 254}, 0, 0xFEFEFEFE, true},
        PixelCase{"MaskCutsOutAnOpaquePixel", {255, 0, 255, 255}, 0xFFFF00FF, 0, true},
        PixelCase{"MaskComparesThePremultipliedValue", {0, 255, 0, 128}, 0x80008000, 0, true},
        PixelCase{"MaskWithoutItsAlphaDoesNotMatch", {255, 0, 255, 255}, 0x00FF00FF, 0xFFFF00FF, false},
        PixelCase{"MaskZeroKeepsOpaqueBlack", {0, 0, 0, 255}, 0, 0xFF000000, false}),
    [](const testing::TestParamInfo<PixelCase>& info) { return std::string(info.param.name); });

TEST(PremultiplyPixels, ConvertsEveryPixelInOrderAndCutsOnlyTheMaskedOne)
{
    const BYTE rgba[] = {1, 2, 3, 255, 255, 0, 255, 255, 4, 5, 6, 255};
    DWORD out[3] = {};
    EXPECT_TRUE(DuiLib::PremultiplyPixels(rgba, 3, 0xFFFF00FF, out));
    EXPECT_EQ(0xFF010203u, out[0]);
    EXPECT_EQ(0u, out[1]);
    EXPECT_EQ(0xFF040506u, out[2]);
    EXPECT_FALSE(DuiLib::PremultiplyPixels(rgba, 3, 0xFF123456, out)) << "no transparency, no mask hit";
    EXPECT_EQ(0xFFFF00FFu, out[1]);
}

} // namespace
