// Nine-grid drawing into real pixels: corners, stretched edges, stretched and tiled
// middles, holes, the paint rectangle and blending.

#include "duilib/core/RenderEngine.h"

#include "RenderCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>

using DuiLib::CRenderEngine;
using render_test::Canvas;
using render_test::MakeBitmap;
using render_test::Near;
using render_test::Pack;
using render_test::Rgb;

namespace {

constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kTopLeft{250, 0, 0};
constexpr Rgb kTop{0, 250, 0};
constexpr Rgb kTopRight{0, 0, 250};
constexpr Rgb kLeft{250, 250, 0};
constexpr Rgb kRight{0, 250, 250};
constexpr Rgb kBottomLeft{250, 0, 250};
constexpr Rgb kBottom{120, 120, 120};
constexpr Rgb kBottomRight{60, 60, 60};

// The middle 10 × 10 pixels of the grid image tell which of them landed where.
constexpr Rgb Middle(int x, int y) { return {10 * x + 5, 10 * y + 5, 200}; }

// 30 × 30 opaque image with 10-pixel borders: one colour per border piece.
std::uint32_t GridPixel(int x, int y)
{
    const int column = x / 10;
    const int row = y / 10;
    const Rgb pieces[3][3] = {{kTopLeft, kTop, kTopRight}, {kLeft, {}, kRight}, {kBottomLeft, kBottom, kBottomRight}};
    return Pack(column == 1 && row == 1 ? Middle(x - 10, y - 10) : pieces[row][column]);
}

class GridImage {
protected:
    UniqueBitmap m_bitmap{MakeBitmap(30, 30, GridPixel)};
    static constexpr RECT kPart{0, 0, 30, 30};
    static constexpr RECT kCorners{10, 10, 10, 10};
};

enum class Path { Opaque, Blended };

// Both paths must place the same pixels; the blended one goes through the platform's
// blend with a fully opaque image.
class NineGridPixels : public GridImage, public testing::TestWithParam<Path> {
protected:
    void Draw(Canvas& canvas, const RECT& dest, const RECT& paint, bool hole = false, bool xtiled = false,
              bool ytiled = false)
    {
        CRenderEngine::DrawImage(canvas.Dc(), m_bitmap.get(), dest, paint, kPart, kCorners, GetParam() == Path::Blended,
                                 255, hole, xtiled, ytiled);
    }
};

TEST_P(NineGridPixels, CopiesCornersOneToOneAndStretchesEdges)
{
    Canvas canvas(70, 60, kBackground);
    Draw(canvas, {5, 5, 65, 55}, {0, 0, 70, 60});
    EXPECT_EQ(kTopLeft, canvas.PixelAt(5, 5));
    EXPECT_EQ(kTopLeft, canvas.PixelAt(14, 14));
    EXPECT_EQ(kBackground, canvas.PixelAt(4, 5));
    EXPECT_EQ(kBackground, canvas.PixelAt(5, 4));
    EXPECT_EQ(kTopRight, canvas.PixelAt(55, 5));
    EXPECT_EQ(kTopRight, canvas.PixelAt(64, 14));
    EXPECT_EQ(kBackground, canvas.PixelAt(65, 5));
    EXPECT_EQ(kBottomLeft, canvas.PixelAt(5, 54));
    EXPECT_EQ(kBottomRight, canvas.PixelAt(64, 54));
    EXPECT_EQ(kBackground, canvas.PixelAt(64, 55));
    // Edges: 10 source pixels over 40 (top, bottom) and over 30 (left, right).
    EXPECT_EQ(kTop, canvas.PixelAt(15, 5));
    EXPECT_EQ(kTop, canvas.PixelAt(54, 14));
    EXPECT_EQ(kBottom, canvas.PixelAt(35, 50));
    EXPECT_EQ(kLeft, canvas.PixelAt(10, 15));
    EXPECT_EQ(kLeft, canvas.PixelAt(14, 44));
    EXPECT_EQ(kRight, canvas.PixelAt(60, 30));
}

TEST_P(NineGridPixels, StretchesTheMiddleOverItsWholeArea)
{
    Canvas canvas(70, 60, kBackground);
    Draw(canvas, {5, 5, 65, 55}, {0, 0, 70, 60});
    // 10 × 10 over 40 × 30: the first source column covers x 15..18, the last x 51..54.
    EXPECT_TRUE(Near(Middle(0, 0), canvas.PixelAt(15, 15), 12)) << testing::PrintToString(canvas.PixelAt(15, 15));
    EXPECT_TRUE(Near(Middle(9, 9), canvas.PixelAt(54, 44), 12)) << testing::PrintToString(canvas.PixelAt(54, 44));
    EXPECT_TRUE(Near(Middle(9, 0), canvas.PixelAt(54, 15), 12)) << testing::PrintToString(canvas.PixelAt(54, 15));
    EXPECT_EQ(200, canvas.PixelAt(35, 30).b);
}

// A 10-pixel middle over 25 pixels: tiles of 10, 10 and 5 starting at x 10, 20 and 30.
TEST_P(NineGridPixels, TilesTheMiddleAcrossAndCutsTheLastTile)
{
    Canvas canvas(50, 30, kBackground);
    Draw(canvas, {0, 0, 45, 30}, {0, 0, 50, 30}, false, true, false);
    EXPECT_EQ(kLeft, canvas.PixelAt(9, 10));
    EXPECT_EQ(Middle(0, 0), canvas.PixelAt(10, 10));
    EXPECT_EQ(Middle(9, 0), canvas.PixelAt(19, 10));
    EXPECT_EQ(Middle(0, 2), canvas.PixelAt(20, 12));
    EXPECT_EQ(Middle(9, 9), canvas.PixelAt(29, 19));
    EXPECT_EQ(Middle(0, 0), canvas.PixelAt(30, 10));
    EXPECT_EQ(Middle(4, 9), canvas.PixelAt(34, 19));
    EXPECT_EQ(kRight, canvas.PixelAt(35, 10));
    EXPECT_EQ(kBackground, canvas.PixelAt(45, 10));
}

TEST_P(NineGridPixels, TilesTheMiddleDownAndBothWaysWithoutStretching)
{
    Canvas down(30, 50, kBackground);
    Draw(down, {0, 0, 30, 45}, {0, 0, 30, 50}, false, false, true);
    EXPECT_EQ(Middle(3, 0), down.PixelAt(13, 10));
    EXPECT_EQ(Middle(3, 0), down.PixelAt(13, 30));
    EXPECT_EQ(Middle(3, 4), down.PixelAt(13, 34));
    EXPECT_EQ(kBottom, down.PixelAt(13, 35));

    Canvas both(50, 50, kBackground);
    Draw(both, {0, 0, 45, 45}, {0, 0, 50, 50}, false, true, true);
    EXPECT_EQ(Middle(0, 0), both.PixelAt(10, 10));
    EXPECT_EQ(Middle(0, 0), both.PixelAt(30, 30));
    EXPECT_EQ(Middle(5, 3), both.PixelAt(25, 33));
    EXPECT_EQ(Middle(4, 4), both.PixelAt(34, 34));
    EXPECT_EQ(Middle(9, 4), both.PixelAt(29, 34));
    EXPECT_EQ(kBottomRight, both.PixelAt(35, 35));
}

TEST_P(NineGridPixels, HoleLeavesTheMiddleUntouched)
{
    Canvas canvas(40, 40, kBackground);
    Draw(canvas, {0, 0, 40, 40}, {0, 0, 40, 40}, true);
    EXPECT_EQ(kTopLeft, canvas.PixelAt(9, 9));
    EXPECT_EQ(kBackground, canvas.PixelAt(10, 10));
    EXPECT_EQ(kBackground, canvas.PixelAt(20, 20));
    EXPECT_EQ(kBackground, canvas.PixelAt(29, 29));
    EXPECT_EQ(kBottomRight, canvas.PixelAt(30, 30));
    EXPECT_EQ(kTop, canvas.PixelAt(20, 9));
    EXPECT_EQ(kRight, canvas.PixelAt(30, 20));
}

TEST_P(NineGridPixels, PiecesOutsideThePaintRectangleAreNotDrawn)
{
    Canvas canvas(40, 40, kBackground);
    Draw(canvas, {0, 0, 40, 40}, {0, 0, 12, 12});
    EXPECT_EQ(kTopLeft, canvas.PixelAt(0, 0));
    EXPECT_EQ(kTop, canvas.PixelAt(20, 5)) << "a piece meeting the paint rectangle is drawn whole";
    EXPECT_EQ(kLeft, canvas.PixelAt(5, 20));
    EXPECT_EQ(kBackground, canvas.PixelAt(35, 5));
    EXPECT_EQ(kBackground, canvas.PixelAt(35, 20));
    EXPECT_EQ(kBackground, canvas.PixelAt(5, 35));
    EXPECT_EQ(kBackground, canvas.PixelAt(20, 35));
    EXPECT_EQ(kBackground, canvas.PixelAt(35, 35));
}

INSTANTIATE_TEST_SUITE_P(Paths, NineGridPixels, testing::Values(Path::Opaque, Path::Blended),
                         [](const testing::TestParamInfo<Path>& info) {
                             return info.param == Path::Opaque ? "Opaque" : "Blended";
                         });

class UnscaledOpaqueImage : public GridImage, public testing::Test {};

TEST_F(UnscaledOpaqueImage, CopiesOnlyTheVisiblePart)
{
    Canvas canvas(40, 40, kBackground);
    CRenderEngine::DrawImage(canvas.Dc(), m_bitmap.get(), {5, 5, 35, 35}, {0, 0, 20, 20}, kPart, {}, false);
    EXPECT_EQ(kTopLeft, canvas.PixelAt(5, 5));
    EXPECT_EQ(Middle(4, 4), canvas.PixelAt(19, 19));
    EXPECT_EQ(kBackground, canvas.PixelAt(20, 19));
    EXPECT_EQ(kBackground, canvas.PixelAt(19, 20));
    EXPECT_EQ(kBackground, canvas.PixelAt(34, 34));
}

TEST_F(UnscaledOpaqueImage, NothingWithoutBitmapOrDc)
{
    Canvas canvas(10, 10, kBackground);
    CRenderEngine::DrawImage(canvas.Dc(), nullptr, {0, 0, 10, 10}, {0, 0, 10, 10}, kPart, {}, false);
    CRenderEngine::DrawImage(nullptr, m_bitmap.get(), {0, 0, 10, 10}, {0, 0, 10, 10}, kPart, {}, false);
    EXPECT_EQ(0, canvas.CountNot(kBackground));
}

TEST_F(UnscaledOpaqueImage, BitmapHeldByAnotherDcIsNotDrawn)
{
    const UniqueMemoryDc holder(::CreateCompatibleDC(nullptr));
    const SelectObjectScope held(holder.get(), m_bitmap.get());
    Canvas canvas(30, 30, kBackground);
    CRenderEngine::DrawImage(canvas.Dc(), m_bitmap.get(), {0, 0, 30, 30}, {0, 0, 30, 30}, kPart, {}, false);
    CRenderEngine::DrawImage(canvas.Dc(), m_bitmap.get(), {0, 0, 30, 30}, {0, 0, 30, 30}, kPart, kCorners, true);
    EXPECT_EQ(0, canvas.CountNot(kBackground));
}

TEST(ImageBlending, FadeBlendsAnOpaqueImageWithConstantAlpha)
{
    const UniqueBitmap white(MakeBitmap(4, 4, [](int, int) { return Pack({255, 255, 255}); }));
    Canvas canvas(8, 8, Rgb{0, 0, 200});
    CRenderEngine::DrawImage(canvas.Dc(), white.get(), {0, 0, 4, 4}, {0, 0, 8, 8}, {0, 0, 4, 4}, {}, false, 128);
    // 255 × 128 / 255 + background × 127 / 255.
    EXPECT_TRUE(Near({128, 128, 228}, canvas.PixelAt(0, 0), 1)) << testing::PrintToString(canvas.PixelAt(0, 0));
    EXPECT_TRUE(Near({128, 128, 228}, canvas.PixelAt(3, 3), 1));
    EXPECT_EQ((Rgb{0, 0, 200}), canvas.PixelAt(4, 3));
}

TEST(ImageBlending, AlphaBitmapsBlendPerPixel)
{
    // Transparent (as a mask leaves it), half-transparent red, opaque green; premultiplied.
    const std::uint32_t pixels[3] = {0x00000000, 0x80800000, 0xFF00FF00};
    const UniqueBitmap bitmap(MakeBitmap(3, 1, [&](int x, int) { return pixels[x]; }));
    Canvas canvas(4, 1, Rgb{0, 0, 255});
    CRenderEngine::DrawImage(canvas.Dc(), bitmap.get(), {0, 0, 3, 1}, {0, 0, 4, 1}, {0, 0, 3, 1}, {}, true);
    EXPECT_EQ((Rgb{0, 0, 255}), canvas.PixelAt(0, 0));
    EXPECT_TRUE(Near({128, 0, 127}, canvas.PixelAt(1, 0), 1)) << testing::PrintToString(canvas.PixelAt(1, 0));
    EXPECT_EQ((Rgb{0, 255, 0}), canvas.PixelAt(2, 0));
    EXPECT_EQ((Rgb{0, 0, 255}), canvas.PixelAt(3, 0));
}

TEST(ImageBlending, FadeAndPixelAlphaMultiply)
{
    const UniqueBitmap half(MakeBitmap(1, 1, [](int, int) { return std::uint32_t{0x80808080}; }));
    Canvas canvas(2, 2, Rgb{0, 0, 0});
    CRenderEngine::DrawImage(canvas.Dc(), half.get(), {0, 0, 2, 2}, {0, 0, 2, 2}, {0, 0, 1, 1}, {}, true, 128);
    EXPECT_TRUE(Near({64, 64, 64}, canvas.PixelAt(1, 1), 1)) << testing::PrintToString(canvas.PixelAt(1, 1));
}

} // namespace
