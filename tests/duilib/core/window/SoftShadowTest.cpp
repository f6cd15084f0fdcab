// The computed shadow: the window's shape grown by the size, eroded first when the
// edge is wider than the growth, a solid core, a linear fall-off through the round
// kernel, premultiplied colour and a transparent hole under the window itself.

#include "duilib/core/SoftShadow.h"

#include <gtest/gtest.h>

#include <vector>

using DuiLib::CSoftShadow;
using DuiLib::TShadowSpan;

namespace {

struct Probe {
    int x;
    int y;
    BYTE alpha;
};

struct ShadowCase {
    const char* name;
    CSoftShadow::TParams params;
    std::vector<Probe> probes;
};

void PrintTo(const ShadowCase& c, std::ostream* os)
{
    *os << c.name;
}

constexpr int kWidth = 40;
constexpr int kHeight = 30;

class SoftShadowRender : public testing::TestWithParam<ShadowCase> {};

TEST_P(SoftShadowRender, CoreFallOffAndHole)
{
    const ShadowCase& c = GetParam();
    const RECT window{0, 0, kWidth, kHeight};
    const int width = kWidth + 2 * c.params.size;
    const int height = kHeight + 2 * c.params.size;
    std::vector<DWORD> bits(static_cast<size_t>(width * height), 0xDEADBEEF);
    CSoftShadow::Render(bits.data(), width, height, CSoftShadow::SpansOf(&window, 1, kWidth, kHeight), c.params);
    for (const Probe& p : c.probes) {
        const DWORD pixel = bits[static_cast<size_t>(p.y * width + p.x)];
        EXPECT_EQ(p.alpha, pixel >> 24) << "at " << p.x << "," << p.y;
        EXPECT_EQ(CSoftShadow::PreMultiply(c.params.color, p.alpha), pixel & 0xFFFFFF) << "at " << p.x << "," << p.y;
    }
    for (int i = 0; i < width * height; ++i) {
        ASSERT_NE(0xDEADBEEF, bits[static_cast<size_t>(i)]) << "every pixel is written";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SoftShadowRender,
    testing::Values(
        // Edge wider than the growth: the shape is eroded by 5 to columns 5..34 and rows
        // 5..24; the window lies 5 up and left of the shadow, covering columns and rows
        // up to 34 and 24. Fall-off round((1 - d / 6) × 150).
        ShadowCase{"ErodedByTheEdge",
                   {150, 5, 0, 5, 5, RGB(0, 0, 0)},
                   {{10, 10, 0}, {34, 24, 0}, {35, 15, 125}, {36, 15, 100}, {39, 15, 25}, {20, 25, 125},
                    {20, 27, 75}, {37, 27, 44}}},
        // Growth wider than the edge: solid out to 2 pixels beyond the shape, then
        // round((1 - (d - 2) / 3) × 200); the window covers the whole grown core.
        ShadowCase{"GrownBeyondTheEdge",
                   {200, 2, 4, 0, 0, RGB(255, 0, 0)},
                   {{20, 20, 0}, {4, 4, 0}, {3, 20, 200}, {2, 20, 200}, {1, 20, 133}, {0, 20, 67},
                    {20, 0, 67}, {45, 35, 145}, {47, 37, 0}}},
        // Darkness 0 draws nothing at all.
        ShadowCase{"Invisible", {0, 5, 3, 5, 5, RGB(0, 0, 255)}, {{0, 0, 0}, {44, 34, 0}, {30, 30, 0}}}),
    [](const testing::TestParamInfo<ShadowCase>& info) { return std::string(info.param.name); });

TEST(SoftShadow, PreMultipliesIntoThePixelByteOrder)
{
    EXPECT_EQ(0x00FF8000U, CSoftShadow::PreMultiply(RGB(255, 128, 0), 255));
    EXPECT_EQ(0x00804000U, CSoftShadow::PreMultiply(RGB(255, 128, 0), 128)); // 255 × 128 / 255, 128 × 128 / 255
    EXPECT_EQ(0x00000000U, CSoftShadow::PreMultiply(RGB(255, 255, 255), 0));
    EXPECT_EQ(0x000000FFU, CSoftShadow::PreMultiply(RGB(0, 0, 255), 255));
}

TEST(SoftShadow, SpansJoinTheRectsOfEachRowAndStayInside)
{
    // A rounded outline as regions report it: a narrow top band, a full middle, a band
    // split in two, and a rect reaching past the window.
    const RECT rects[] = {{2, 0, 8, 1}, {0, 1, 10, 3}, {0, 3, 3, 4}, {6, 3, 9, 4}, {-5, 5, 20, 7}};
    const std::vector<TShadowSpan> rows = CSoftShadow::SpansOf(rects, 5, 10, 6);
    ASSERT_EQ(6U, rows.size());
    const int expected[6][2] = {{2, 7}, {0, 9}, {0, 9}, {0, 8}, {0, -1}, {0, 9}};
    for (size_t y = 0; y < rows.size(); ++y) {
        const bool empty = expected[y][0] > expected[y][1];
        EXPECT_EQ(empty, rows[y].left > rows[y].right) << "row " << y;
        if (!empty) {
            EXPECT_EQ(expected[y][0], rows[y].left) << "row " << y;
            EXPECT_EQ(expected[y][1], rows[y].right) << "row " << y;
        }
    }
}

} // namespace
