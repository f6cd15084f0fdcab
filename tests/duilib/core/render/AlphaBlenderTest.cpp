// The blend used without the platform's AlphaBlend, against the platform's own.

#include "duilib/core/AlphaBlender.h"

#include "RenderCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>

namespace DuiLib {
inline void PrintTo(const PixelBlendMode& mode, std::ostream* os)
{
    *os << "constant " << int{mode.constantAlpha} << (mode.perPixelAlpha ? " per-pixel" : "");
}
} // namespace DuiLib

using DuiLib::CAlphaBlender;
using DuiLib::PixelBlendMode;
using render_test::Canvas;
using render_test::MakeBitmap;
using render_test::Near;
using render_test::Rgb;

namespace {

constexpr Rgb kBlue{0, 0, 255};

// The own blend must give what the platform's AlphaBlend gives.
class OwnBlend : public testing::TestWithParam<PixelBlendMode> {};

TEST_P(OwnBlend, MatchesThePlatformBlendPixelForPixel)
{
    std::mt19937 random(77u);
    const UniqueBitmap source(MakeBitmap(16, 16, [&](int, int) {
        const std::uint32_t alpha = random() % 256;
        std::uint32_t pixel = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            pixel |= (random() % (alpha + 1)) << shift; // premultiplied: no channel above alpha
        }
        return pixel;
    }));
    const UniqueMemoryDc sourceDc(::CreateCompatibleDC(nullptr));
    const SelectObjectScope select(sourceDc.get(), source.get());
    Canvas platform(20, 20, Rgb{10, 200, 90});
    Canvas own(20, 20, Rgb{10, 200, 90});
    ASSERT_TRUE(CAlphaBlender::Blend(platform.Dc(), {2, 2, 18, 18}, sourceDc.get(), {0, 0, 16, 16}, GetParam()));
    ASSERT_TRUE(CAlphaBlender::BlendOwn(own.Dc(), {2, 2, 18, 18}, sourceDc.get(), {0, 0, 16, 16}, GetParam()));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_TRUE(Near(platform.PixelAt(x, y), own.PixelAt(x, y), 1))
                << x << "," << y << ": " << testing::PrintToString(own.PixelAt(x, y)) << " instead of "
                << testing::PrintToString(platform.PixelAt(x, y));
        }
    }
}

TEST_P(OwnBlend, StretchesTheSourceOverTheDestination)
{
    const UniqueBitmap source(MakeBitmap(2, 2, [](int, int) { return std::uint32_t{0xC0C00000}; }));
    const UniqueMemoryDc sourceDc(::CreateCompatibleDC(nullptr));
    const SelectObjectScope select(sourceDc.get(), source.get());
    Canvas platform(12, 12, kBlue);
    Canvas own(12, 12, kBlue);
    ASSERT_TRUE(CAlphaBlender::Blend(platform.Dc(), {1, 1, 11, 11}, sourceDc.get(), {0, 0, 2, 2}, GetParam()));
    ASSERT_TRUE(CAlphaBlender::BlendOwn(own.Dc(), {1, 1, 11, 11}, sourceDc.get(), {0, 0, 2, 2}, GetParam()));
    for (const POINT p : {POINT{0, 0}, POINT{1, 1}, POINT{10, 10}, POINT{11, 11}, POINT{5, 7}}) {
        EXPECT_TRUE(Near(platform.PixelAt(p.x, p.y), own.PixelAt(p.x, p.y), 1))
            << p.x << "," << p.y << ": " << testing::PrintToString(own.PixelAt(p.x, p.y));
    }
    EXPECT_EQ(kBlue, own.PixelAt(0, 0));
    EXPECT_EQ(kBlue, own.PixelAt(11, 11));
    EXPECT_NE(kBlue, own.PixelAt(10, 10));
}

// The own blend keeps its buffers between calls: a small blend after a large one reads
// the large buffers' rows at their own stride.
TEST(OwnBlendBuffers, SmallBlendAfterALargeOneMatchesThePlatform)
{
    std::mt19937 random(9u);
    const UniqueBitmap source(MakeBitmap(7, 5, [&](int, int) {
        const std::uint32_t alpha = random() % 256;
        return (alpha << 24) | ((random() % (alpha + 1)) << 16) | ((random() % (alpha + 1)) << 8);
    }));
    const UniqueMemoryDc sourceDc(::CreateCompatibleDC(nullptr));
    const SelectObjectScope select(sourceDc.get(), source.get());
    Canvas large(300, 200, kBlue);
    ASSERT_TRUE(CAlphaBlender::BlendOwn(large.Dc(), {0, 0, 300, 200}, sourceDc.get(), {0, 0, 7, 5}, {255, true}));
    Canvas platform(12, 12, Rgb{90, 90, 90});
    Canvas own(12, 12, Rgb{90, 90, 90});
    ASSERT_TRUE(CAlphaBlender::Blend(platform.Dc(), {3, 4, 10, 9}, sourceDc.get(), {0, 0, 7, 5}, {200, true}));
    ASSERT_TRUE(CAlphaBlender::BlendOwn(own.Dc(), {3, 4, 10, 9}, sourceDc.get(), {0, 0, 7, 5}, {200, true}));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            ASSERT_TRUE(Near(platform.PixelAt(x, y), own.PixelAt(x, y), 1)) << x << "," << y;
        }
    }
    EXPECT_NE((Rgb{90, 90, 90}), own.PixelAt(3, 4));
}

INSTANTIATE_TEST_SUITE_P(Modes, OwnBlend,
                         testing::Values(PixelBlendMode{255, true}, PixelBlendMode{100, true},
                                         PixelBlendMode{77, false}, PixelBlendMode{255, false}));

} // namespace
