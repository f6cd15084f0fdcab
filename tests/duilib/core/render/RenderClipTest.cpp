// Clip regions set up and restored around painting.

#include "duilib/core/RenderClip.h"
#include "duilib/core/RenderEngine.h"

#include "RenderCanvas.h"

#include <gtest/gtest.h>

#include <utility>

using DuiLib::CRenderClip;
using DuiLib::CRenderEngine;
using render_test::Canvas;
using render_test::Rgb;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 255, 0};

void FillAll(const Canvas& canvas, DWORD color)
{
    CRenderEngine::DrawColor(canvas.Dc(), {0, 0, canvas.Width(), canvas.Height()}, color);
}

TEST(RenderClip, DrawingOutsideTheClipLeavesPixelsUntouched)
{
    Canvas canvas(20, 20, kWhite);
    CRenderClip clip;
    CRenderClip::GenerateClip(canvas.Dc(), {5, 5, 15, 15}, clip);
    FillAll(canvas, 0xFFFF0000);
    EXPECT_EQ(kRed, canvas.PixelAt(5, 5));
    EXPECT_EQ(kRed, canvas.PixelAt(14, 14));
    EXPECT_EQ(kWhite, canvas.PixelAt(4, 5));
    EXPECT_EQ(kWhite, canvas.PixelAt(15, 14));
    EXPECT_EQ(kWhite, canvas.PixelAt(14, 15));
    EXPECT_EQ(100, canvas.CountNot(kWhite));
}

TEST(RenderClip, OldClipCanBeUsedForAWhile)
{
    Canvas canvas(20, 20, kWhite);
    CRenderClip clip;
    CRenderClip::GenerateClip(canvas.Dc(), {5, 5, 15, 15}, clip);
    CRenderClip::UseOldClipBegin(canvas.Dc(), clip);
    FillAll(canvas, 0xFF0000FF);
    EXPECT_EQ(kBlue, canvas.PixelAt(0, 0));
    CRenderClip::UseOldClipEnd(canvas.Dc(), clip);
    FillAll(canvas, 0xFF00FF00);
    EXPECT_EQ(kBlue, canvas.PixelAt(0, 0));
    EXPECT_EQ(kBlue, canvas.PixelAt(15, 15));
    EXPECT_EQ(kGreen, canvas.PixelAt(5, 5));
    EXPECT_EQ(kGreen, canvas.PixelAt(14, 14));
}

TEST(RenderClip, DestructorRestoresNoClipAtAll)
{
    Canvas canvas(20, 20, kWhite);
    {
        CRenderClip clip;
        CRenderClip::GenerateClip(canvas.Dc(), {5, 5, 15, 15}, clip);
    }
    FillAll(canvas, 0xFFFF0000);
    EXPECT_EQ(0, canvas.CountNot(kRed));
}

TEST(RenderClip, NestedClipsIntersectAndRestoreTheOuterOne)
{
    Canvas canvas(40, 40, kWhite);
    CRenderClip outer;
    CRenderClip::GenerateClip(canvas.Dc(), {0, 0, 20, 20}, outer);
    {
        CRenderClip inner;
        CRenderClip::GenerateClip(canvas.Dc(), {10, 10, 30, 30}, inner);
        FillAll(canvas, 0xFF0000FF);
        EXPECT_EQ(kBlue, canvas.PixelAt(10, 10));
        EXPECT_EQ(kBlue, canvas.PixelAt(19, 19));
        EXPECT_EQ(kWhite, canvas.PixelAt(20, 20));
        EXPECT_EQ(kWhite, canvas.PixelAt(9, 9));
        CRenderClip::UseOldClipBegin(canvas.Dc(), inner);
        CRenderClip::UseOldClipEnd(canvas.Dc(), inner);
        FillAll(canvas, 0xFF00FF00);
        EXPECT_EQ(kWhite, canvas.PixelAt(25, 25)) << "the old clip is kept after UseOldClipEnd";
        EXPECT_EQ(kGreen, canvas.PixelAt(19, 19));
    }
    FillAll(canvas, 0xFFFF0000);
    EXPECT_EQ(kRed, canvas.PixelAt(0, 0));
    EXPECT_EQ(kRed, canvas.PixelAt(19, 19));
    EXPECT_EQ(kWhite, canvas.PixelAt(25, 25));
    EXPECT_EQ(kWhite, canvas.PixelAt(20, 5));
}

TEST(RenderClip, RoundClipCutsTheCorners)
{
    Canvas canvas(24, 24, kWhite);
    CRenderClip clip;
    CRenderClip::GenerateRoundClip(canvas.Dc(), {2, 2, 22, 22}, {2, 2, 22, 22}, 12, 12, clip);
    FillAll(canvas, 0xFFFF0000);
    EXPECT_EQ(kWhite, canvas.PixelAt(2, 2));
    EXPECT_EQ(kWhite, canvas.PixelAt(21, 21));
    EXPECT_EQ(kRed, canvas.PixelAt(12, 2));
    EXPECT_EQ(kRed, canvas.PixelAt(12, 12));
    EXPECT_EQ(kRed, canvas.PixelAt(21, 12));
    EXPECT_EQ(kRed, canvas.PixelAt(12, 21));
    EXPECT_EQ(kWhite, canvas.PixelAt(22, 12));
    EXPECT_EQ(kWhite, canvas.PixelAt(12, 22));
    EXPECT_EQ(kWhite, canvas.PixelAt(1, 12));
}

TEST(RenderClip, MovedClipRestoresOnceFromItsNewOwner)
{
    Canvas canvas(20, 20, kWhite);
    CRenderClip outer;
    CRenderClip::GenerateClip(canvas.Dc(), {0, 0, 10, 10}, outer);
    {
        CRenderClip moved;
        {
            CRenderClip clip;
            CRenderClip::GenerateClip(canvas.Dc(), {5, 5, 15, 15}, clip);
            moved = std::move(clip);
        }
        FillAll(canvas, 0xFF0000FF);
        EXPECT_EQ(kWhite, canvas.PixelAt(4, 4)) << "the moved-from clip restored nothing";
        EXPECT_EQ(kBlue, canvas.PixelAt(5, 5));
    }
    FillAll(canvas, 0xFFFF0000);
    EXPECT_EQ(kRed, canvas.PixelAt(0, 0));
    EXPECT_EQ(kWhite, canvas.PixelAt(12, 12));
}

TEST(RenderClip, ReusedClipGivesBackItsFirstClipBeforeTakingTheSecond)
{
    Canvas canvas(20, 20, kWhite);
    {
        CRenderClip clip;
        CRenderClip::GenerateClip(canvas.Dc(), {0, 0, 5, 5}, clip);
        CRenderClip::GenerateClip(canvas.Dc(), {10, 10, 20, 20}, clip);
        FillAll(canvas, 0xFF0000FF);
        EXPECT_EQ(kWhite, canvas.PixelAt(0, 0));
        EXPECT_EQ(kBlue, canvas.PixelAt(15, 15));
    }
    FillAll(canvas, 0xFFFF0000);
    EXPECT_EQ(0, canvas.CountNot(kRed));
}

} // namespace
