// Blend arithmetic used where the platform has no AlphaBlend.

#include "duilib/core/PixelBlend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ios>
#include <ostream>
#include <vector>

using DuiLib::BlendPixel;
using DuiLib::BlendPixels;
using DuiLib::PixelBlendMode;

namespace {

struct BlendCase {
    const char* name;
    DWORD dst;
    DWORD src;
    PixelBlendMode mode;
    DWORD expected;
};

void PrintTo(const BlendCase& c, std::ostream* os) { *os << c.name; }

class PixelBlend : public testing::TestWithParam<BlendCase> {};

TEST_P(PixelBlend, GivesTheChannelsTheSourceOverRuleGives)
{
    const BlendCase& c = GetParam();
    EXPECT_EQ(c.expected, BlendPixel(c.dst, c.src, c.mode)) << std::hex << BlendPixel(c.dst, c.src, c.mode);
}

const BlendCase kBlendCases[] = {
    {"OpaqueSourceReplaces", 0xFF102030, 0xFFA0B0C0, {255, true}, 0xFFA0B0C0},
    {"EmptySourceKeepsTheTarget", 0xFF102030, 0x00000000, {255, true}, 0xFF102030},
    // Premultiplied half red over blue: 128 red, 255 × 127 / 255 = 127 blue.
    {"HalfAlphaPremultiplied", 0x000000FF, 0x80800000, {255, true}, 0x8080007F},
    {"ConstantAlphaScalesSourceAndCoverage", 0x00000000, 0xFFFFFFFF, {128, true}, 0x80808080},
    // Coverage 128 × 128 / 255 = 64; the source channels are scaled by 128 / 255 too.
    {"BothAlphasMultiply", 0xFF0000FF, 0x80808080, {128, true}, 0xFF4040FF},
    {"ConstantOnlyIgnoresTheSourceAlphaByte", 0xFF000000, 0x00FF0000, {102, false}, 0x99660000},
    {"ConstantZeroKeepsTheTarget", 0x12345678, 0xFFFFFFFF, {0, false}, 0x12345678},
    {"OverfullSourceSaturates", 0xFFFFFFFF, 0x10FF0000, {255, true}, 0xFFFFEFEF},
};

INSTANTIATE_TEST_SUITE_P(Table, PixelBlend, testing::ValuesIn(kBlendCases),
                         [](const testing::TestParamInfo<BlendCase>& info) { return std::string(info.param.name); });

TEST(PixelBlendRow, MatchesThePixelRuleForEveryKindOfPixel)
{
    const std::vector<DWORD> source = {0xFFFF0000, 0x00000000, 0x80408000, 0x01010101, 0xFE7F7F7F};
    const PixelBlendMode modes[] = {{255, true}, {77, true}, {200, false}};
    for (const PixelBlendMode mode : modes) {
        std::vector<DWORD> row(source.size(), 0xFF204060);
        BlendPixels(row.data(), source.data(), row.size(), mode);
        for (size_t i = 0; i < row.size(); ++i) {
            EXPECT_EQ(BlendPixel(0xFF204060, source[i], mode), row[i]) << "pixel " << i;
        }
    }
}

} // namespace
