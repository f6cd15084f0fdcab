// HSL colour adjustment.

#include "duilib/core/RenderEngine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ios>
#include <ostream>
#include <random>

using DuiLib::CRenderEngine;

namespace {

TEST(AdjustColor, NeutralArgumentsReturnTheInputBitForBit)
{
    std::mt19937 random(20261208u);
    for (int i = 0; i < 2000; ++i) {
        const DWORD color = static_cast<DWORD>(random());
        ASSERT_EQ(color, CRenderEngine::AdjustColor(color, 180, 100, 100)) << std::hex << color;
    }
}

struct AdjustCase {
    const char* name;
    DWORD color;
    short h;
    short s;
    short l;
    DWORD expected;
};

void PrintTo(const AdjustCase& c, std::ostream* os) { *os << c.name; }

class AdjustColorTable : public testing::TestWithParam<AdjustCase> {};

TEST_P(AdjustColorTable, GivesTheExpectedColour)
{
    const AdjustCase& c = GetParam();
    const DWORD actual = CRenderEngine::AdjustColor(c.color, c.h, c.s, c.l);
    EXPECT_EQ(c.expected, actual) << std::hex << "0x" << actual;
}

// The model reads the lowest byte (blue of an ARGB value) as its first channel, so a
// positive hue shift turns red towards blue and a negative one towards green.
const AdjustCase kAdjustCases[] = {
    {"RedMinus120IsGreen", 0xFFFF0000, 60, 100, 100, 0xFF00FF00},
    {"RedPlus120IsBlue", 0xFFFF0000, 300, 100, 100, 0xFF0000FF},
    // Green's hue lands on exactly 0 and is wrapped to 360.
    {"GreenMinus120IsBlue", 0xFF00FF00, 60, 100, 100, 0xFF0000FF},
    {"FullTurnKeepsRed", 0xFFFF0000, 540, 100, 100, 0xFFFF0000},
    {"BluePlus120IsGreen", 0xFF0000FF, 300, 100, 100, 0xFF00FF00},
    {"AlphaIsKept", 0x40FF0000, 60, 100, 100, 0x4000FF00},
    // Lightness 1 × 0.5: a grey of 127.5, truncated.
    {"HalfLightnessOfWhite", 0xFFFFFFFF, 180, 100, 50, 0xFF7F7F7F},
    {"ZeroLightnessIsBlack", 0xFF336699, 180, 100, 0, 0xFF000000},
    // Saturation 1 × 0.5 at lightness 0.5: q = 0.75, p = 0.25 → 191 and 63.
    {"HalfSaturationOfRed", 0xFFFF0000, 180, 50, 100, 0xFFBF3F3F},
    {"ZeroSaturationIsGrey", 0xFF00FF00, 180, 0, 100, 0xFF7F7F7F},
    {"WhiteHasNoHueToShift", 0xFFFFFFFF, 90, 100, 100, 0xFFFFFFFF},
    {"DoubleLightnessClamps", 0xFFC0C0C0, 180, 100, 200, 0xFFFFFFFF},
};

INSTANTIATE_TEST_SUITE_P(Table, AdjustColorTable, testing::ValuesIn(kAdjustCases),
                         [](const testing::TestParamInfo<AdjustCase>& info) { return std::string(info.param.name); });

} // namespace
