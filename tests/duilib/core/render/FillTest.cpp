// Solid and gradient fills into real pixels.

#include "duilib/core/GradientBands.h"
#include "duilib/core/GradientFiller.h"
#include "duilib/core/RenderEngine.h"

#include "RenderCanvas.h"

#include <gtest/gtest.h>

using DuiLib::CGradientFiller;
using DuiLib::CRenderEngine;
using render_test::Canvas;
using render_test::Near;
using render_test::Rgb;
using render_test::Unpack;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 0, 255};

TEST(DrawColor, TransparentColourDrawsNothing)
{
    Canvas canvas(10, 10, kWhite);
    CRenderEngine::DrawColor(canvas.Dc(), {0, 0, 10, 10}, 0x00FF0000);
    CRenderEngine::DrawColor(canvas.Dc(), {0, 0, 10, 10}, 0x00000000);
    CRenderEngine::DrawColor(nullptr, {0, 0, 10, 10}, 0xFFFF0000);
    EXPECT_EQ(0, canvas.CountNot(kWhite));
}

TEST(DrawColor, OpaqueColourFillsTheRectangleExactly)
{
    Canvas canvas(12, 12, kWhite);
    CRenderEngine::DrawColor(canvas.Dc(), {2, 3, 8, 9}, 0xFF336699);
    const Rgb fill{0x33, 0x66, 0x99};
    EXPECT_EQ(fill, canvas.PixelAt(2, 3));
    EXPECT_EQ(fill, canvas.PixelAt(7, 8));
    EXPECT_EQ(kWhite, canvas.PixelAt(1, 3));
    EXPECT_EQ(kWhite, canvas.PixelAt(2, 2));
    EXPECT_EQ(kWhite, canvas.PixelAt(8, 8));
    EXPECT_EQ(kWhite, canvas.PixelAt(7, 9));
    EXPECT_EQ(6 * 6, canvas.CountNot(kWhite));
}

TEST(DrawColor, SemiTransparentColourBlendsOverTheTarget)
{
    Canvas canvas(12, 12, kBlue);
    CRenderEngine::DrawColor(canvas.Dc(), {2, 2, 10, 10}, 0x80FF0000);
    // Half red over blue: red 255 × 128 / 255, blue 255 × 127 / 255.
    EXPECT_TRUE(Near({128, 0, 127}, canvas.PixelAt(2, 2), 1)) << testing::PrintToString(canvas.PixelAt(2, 2));
    EXPECT_TRUE(Near({128, 0, 127}, canvas.PixelAt(9, 9), 1));
    EXPECT_EQ(kBlue, canvas.PixelAt(10, 9));
    EXPECT_EQ(kBlue, canvas.PixelAt(1, 2));
}

// The first and last rows (columns) hold the end colours, within one band's step.
TEST(DrawGradient, VerticalRunsFromTheFirstColourAtTheTop)
{
    Canvas canvas(10, 70, kWhite);
    CRenderEngine::DrawGradient(canvas.Dc(), {0, 2, 10, 66}, 0xFFFF0000, 0xFF0000FF, true, 64);
    EXPECT_TRUE(Near({255, 0, 0}, canvas.PixelAt(0, 2), 5)) << testing::PrintToString(canvas.PixelAt(0, 2));
    EXPECT_TRUE(Near({0, 0, 255}, canvas.PixelAt(9, 65), 5)) << testing::PrintToString(canvas.PixelAt(9, 65));
    EXPECT_TRUE(Near({128, 0, 128}, canvas.PixelAt(5, 34), 8)) << testing::PrintToString(canvas.PixelAt(5, 34));
    EXPECT_EQ(kWhite, canvas.PixelAt(0, 1));
    EXPECT_EQ(kWhite, canvas.PixelAt(0, 66));
    EXPECT_EQ(canvas.PixelAt(0, 20), canvas.PixelAt(9, 20)) << "rows are uniform";
}

TEST(DrawGradient, HorizontalRunsFromTheFirstColourAtTheLeft)
{
    Canvas canvas(70, 4, kWhite);
    CRenderEngine::DrawGradient(canvas.Dc(), {0, 0, 64, 4}, 0xFF00FF00, 0xFF000000, false, 64);
    EXPECT_TRUE(Near({0, 255, 0}, canvas.PixelAt(0, 0), 5)) << testing::PrintToString(canvas.PixelAt(0, 0));
    EXPECT_TRUE(Near({0, 0, 0}, canvas.PixelAt(63, 3), 5)) << testing::PrintToString(canvas.PixelAt(63, 3));
    EXPECT_EQ(kWhite, canvas.PixelAt(64, 0));
    EXPECT_EQ(canvas.PixelAt(10, 0), canvas.PixelAt(10, 3)) << "columns are uniform";
}

TEST(DrawGradient, TransparentEndsDrawNothing)
{
    Canvas canvas(10, 10, kWhite);
    CRenderEngine::DrawGradient(canvas.Dc(), {0, 0, 10, 10}, 0x00FF0000, 0x000000FF, true, 16);
    CRenderEngine::DrawGradient(canvas.Dc(), {0, 0, 10, 10}, 0x00FF0000, 0x010000FF, true, 16);
    EXPECT_EQ(0, canvas.CountNot(kWhite));
}

TEST(DrawGradient, MeanAlphaBlendsTheWholeGradient)
{
    Canvas canvas(10, 10, Rgb{0, 0, 0});
    // (0xFF + 0x01) >> 1 = 128 of white over black.
    CRenderEngine::DrawGradient(canvas.Dc(), {0, 0, 10, 10}, 0xFFFFFFFF, 0x01FFFFFF, true, 16);
    EXPECT_TRUE(Near({128, 128, 128}, canvas.PixelAt(0, 0), 1)) << testing::PrintToString(canvas.PixelAt(0, 0));
    EXPECT_TRUE(Near({128, 128, 128}, canvas.PixelAt(9, 9), 1)) << testing::PrintToString(canvas.PixelAt(9, 9));
}

TEST(GradientFiller, BandedFillPaintsEachBandInItsExactColour)
{
    Canvas canvas(10, 20, kWhite);
    const RECT rc{0, 0, 10, 20};
    CGradientFiller::FillBanded(canvas.Dc(), rc, {0xFF804000, 0xFF0040C0, true, 4});
    for (const DuiLib::GradientBand& band : DuiLib::GradientBands(rc, 0xFF804000, 0xFF0040C0, true, 4)) {
        const Rgb expected = Unpack(band.color);
        EXPECT_EQ(expected, canvas.PixelAt(band.rc.left, band.rc.top));
        EXPECT_EQ(expected, canvas.PixelAt(band.rc.right - 1, band.rc.bottom - 1));
    }
    EXPECT_EQ((Rgb{0x60, 0x40, 0x30}), canvas.PixelAt(0, 0));
    EXPECT_EQ((Rgb{0x00, 0x40, 0xC0}), canvas.PixelAt(0, 19));
}

} // namespace
