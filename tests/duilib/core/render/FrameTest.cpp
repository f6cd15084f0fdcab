// Lines, frames and rounded frames into real pixels.

#include "duilib/core/RenderEngine.h"

#include "RenderCanvas.h"

#include <gtest/gtest.h>

using DuiLib::CRenderEngine;
using render_test::Canvas;
using render_test::Rgb;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGreen{0, 255, 0};

TEST(DrawRect, OnePixelFrameLiesOnTheRectanglesInsideEdge)
{
    Canvas canvas(16, 16, kWhite);
    CRenderEngine::DrawRect(canvas.Dc(), {2, 2, 12, 12}, 1, 0xFF00FF00);
    for (const POINT p : {POINT{2, 2}, POINT{11, 2}, POINT{2, 11}, POINT{11, 11}, POINT{6, 2}, POINT{11, 6}}) {
        EXPECT_EQ(kGreen, canvas.PixelAt(p.x, p.y)) << p.x << "," << p.y;
    }
    for (const POINT p : {POINT{1, 1}, POINT{12, 2}, POINT{2, 12}, POINT{12, 12}, POINT{3, 3}, POINT{6, 6}}) {
        EXPECT_EQ(kWhite, canvas.PixelAt(p.x, p.y)) << p.x << "," << p.y;
    }
    EXPECT_EQ(4 * 9, canvas.CountNot(kWhite));
}

TEST(DrawRect, WidePenGrowsInwardAndLeavesTheInteriorUntouched)
{
    Canvas canvas(16, 16, kWhite);
    CRenderEngine::DrawRect(canvas.Dc(), {2, 2, 14, 14}, 3, 0xFF00FF00);
    // A wide pen joins its corners round, so the outermost corner pixels may stay.
    EXPECT_EQ(kGreen, canvas.PixelAt(3, 3));
    EXPECT_EQ(kGreen, canvas.PixelAt(4, 4));
    EXPECT_EQ(kGreen, canvas.PixelAt(12, 12));
    EXPECT_EQ(kGreen, canvas.PixelAt(2, 8));
    EXPECT_EQ(kGreen, canvas.PixelAt(4, 8));
    EXPECT_EQ(kGreen, canvas.PixelAt(13, 8));
    EXPECT_EQ(kGreen, canvas.PixelAt(11, 8));
    EXPECT_EQ(kGreen, canvas.PixelAt(8, 13));
    EXPECT_EQ(kWhite, canvas.PixelAt(5, 5));
    EXPECT_EQ(kWhite, canvas.PixelAt(10, 10));
    EXPECT_EQ(kWhite, canvas.PixelAt(1, 8));
    EXPECT_EQ(kWhite, canvas.PixelAt(14, 8));
}

TEST(DrawRect, PureBlackIsDrawnAsBlueOne)
{
    Canvas canvas(8, 8, kWhite);
    CRenderEngine::DrawRect(canvas.Dc(), {1, 1, 7, 7}, 1, 0xFF000000);
    EXPECT_EQ((Rgb{0, 0, 1}), canvas.PixelAt(1, 1));
    CRenderEngine::DrawLine(canvas.Dc(), {0, 0, 8, 0}, 1, 0x00000000);
    EXPECT_EQ((Rgb{0, 0, 1}), canvas.PixelAt(4, 0));
    CRenderEngine::DrawRect(canvas.Dc(), {3, 3, 5, 5}, 1, 0xFF000002);
    EXPECT_EQ((Rgb{0, 0, 2}), canvas.PixelAt(3, 3)) << "only pure black is replaced";
}

TEST(DrawLine, RunsFromTopLeftToBottomRightWithoutTheEndPoint)
{
    Canvas canvas(12, 12, kWhite);
    CRenderEngine::DrawLine(canvas.Dc(), {1, 5, 10, 5}, 1, 0xFFFF0000);
    EXPECT_EQ((Rgb{255, 0, 0}), canvas.PixelAt(1, 5));
    EXPECT_EQ((Rgb{255, 0, 0}), canvas.PixelAt(9, 5));
    EXPECT_EQ(kWhite, canvas.PixelAt(10, 5));
    EXPECT_EQ(kWhite, canvas.PixelAt(0, 5));
    EXPECT_EQ(kWhite, canvas.PixelAt(5, 4));
    EXPECT_EQ(kWhite, canvas.PixelAt(5, 6));

    CRenderEngine::DrawLine(canvas.Dc(), {0, 0, 11, 11}, 1, 0xFF0000FF);
    EXPECT_EQ((Rgb{0, 0, 255}), canvas.PixelAt(0, 0));
    EXPECT_EQ((Rgb{0, 0, 255}), canvas.PixelAt(7, 7));
    EXPECT_EQ(kWhite, canvas.PixelAt(11, 11));
}

TEST(DrawRoundRect, RoundsTheCornersAndKeepsTheEdges)
{
    Canvas canvas(24, 24, kWhite);
    CRenderEngine::DrawRoundRect(canvas.Dc(), {2, 2, 22, 22}, 1, 10, 10, 0xFF00FF00);
    EXPECT_EQ(kWhite, canvas.PixelAt(2, 2)) << "the corner is cut";
    EXPECT_EQ(kGreen, canvas.PixelAt(12, 2));
    EXPECT_EQ(kGreen, canvas.PixelAt(2, 12));
    EXPECT_EQ(kGreen, canvas.PixelAt(21, 12));
    EXPECT_EQ(kGreen, canvas.PixelAt(12, 21));
    EXPECT_EQ(kWhite, canvas.PixelAt(12, 12));
    EXPECT_EQ(kWhite, canvas.PixelAt(12, 22));
}

} // namespace
