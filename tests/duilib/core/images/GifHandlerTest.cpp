// CRenderEngine::LoadGif and CGifHandler: every frame as a premultiplied bitmap with
// its delay, and the current frame index that wraps after the last frame.

#include "ImageTestSupport.h"

#include "duilib/core/GifHandler.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using DuiLib::CGifHandler;
using DuiLib::CPaintManagerUI;
using DuiLib::CRenderEngine;
using DuiLib::TGifFrameInfo;
using image_test::Argb;
using image_test::GifFrame;
using image_test::PixelAt;

namespace {

constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kBlue = 0xFF0000FF;

// Red 2 x 2, then a green dot at (1, 1) that is undone, then a blue dot at (0, 0).
std::vector<BYTE> ThreeFrameGif()
{
    return image_test::BuildGif(2, 2,
                                {GifFrame{0, 0, 2, 2, {0, 0, 0, 0}, 0, 1, -1}, GifFrame{1, 1, 1, 1, {1}, 5, 3, -1},
                                 GifFrame{0, 0, 1, 1, {2}, 20, 0, -1}});
}

class LoadGifTest : public testing::Test {
protected:
    void SetUp() override { CPaintManagerUI::SetResourcePath(m_scratch.Path().c_str()); }

    std::unique_ptr<CGifHandler> Load(const std::vector<BYTE>& bytes, DWORD mask = 0)
    {
        (void)m_scratch.Write(L"anim.gif", bytes);
        return std::unique_ptr<CGifHandler>(CRenderEngine::LoadGif(L"anim.gif", nullptr, mask));
    }

    image_test::SkinFolderScope m_skin{image_test::TestSkinFolder()};
    image_test::ScratchFolder m_scratch;
};

TEST_F(LoadGifTest, GivesEveryFrameWithItsDelayAndPixels)
{
    const std::unique_ptr<CGifHandler> gif = Load(ThreeFrameGif());
    ASSERT_NE(nullptr, gif);
    ASSERT_EQ(3, gif->GetFrameCount());
    const UINT delays[] = {100, 50, 200};
    for (int i = 0; i < 3; ++i) {
        const TGifFrameInfo* frame = gif->GetFrameInfoAt(i);
        ASSERT_NE(nullptr, frame);
        EXPECT_EQ(2, frame->image.nX);
        EXPECT_EQ(2, frame->image.nY);
        EXPECT_EQ("2x2/32", image_test::DibShape(frame->image.hBitmap.get()));
        EXPECT_TRUE(frame->image.alphaChannel) << "set for every frame, opaque or not";
        EXPECT_EQ(delays[i], frame->nDelay) << "frame " << i;
    }
    const HBITMAP second = gif->GetFrameInfoAt(1)->image.hBitmap.get();
    EXPECT_EQ(Argb{kGreen}, PixelAt(second, 1, 1));
    EXPECT_EQ(Argb{kRed}, PixelAt(second, 0, 0));
    const HBITMAP third = gif->GetFrameInfoAt(2)->image.hBitmap.get();
    EXPECT_EQ(Argb{kBlue}, PixelAt(third, 0, 0));
    EXPECT_EQ(Argb{kRed}, PixelAt(third, 1, 1));
}

TEST_F(LoadGifTest, AppliesTheMaskToEveryFrame)
{
    const std::unique_ptr<CGifHandler> gif = Load(ThreeFrameGif(), kRed);
    ASSERT_NE(nullptr, gif);
    EXPECT_EQ(Argb{0}, PixelAt(gif->GetFrameInfoAt(0)->image.hBitmap.get(), 1, 1));
    EXPECT_EQ(Argb{kGreen}, PixelAt(gif->GetFrameInfoAt(1)->image.hBitmap.get(), 1, 1));
    EXPECT_EQ(Argb{0}, PixelAt(gif->GetFrameInfoAt(2)->image.hBitmap.get(), 1, 0));
}

TEST_F(LoadGifTest, ReadsFromTheSameSourcesAsImages)
{
    const std::wstring path = m_scratch.Write(L"plain.gif", ThreeFrameGif());
    const std::unique_ptr<CGifHandler> byPath(CRenderEngine::LoadGif(path.c_str()));
    ASSERT_NE(nullptr, byPath);
    EXPECT_EQ(3, byPath->GetFrameCount());
    EXPECT_EQ(nullptr, CRenderEngine::LoadGif(L"missing.gif"));
}

TEST_F(LoadGifTest, RefusesImagesThatAreNotGifs)
{
    (void)m_scratch.Write(L"still.png", image_test::EncodePng(1, 1, {1, 2, 3, 255}));
    EXPECT_EQ(nullptr, CRenderEngine::LoadGif(L"still.png"));
}

TEST_F(LoadGifTest, NextFrameReturnsTheCurrentOneAndWrapsAfterTheLast)
{
    const std::unique_ptr<CGifHandler> gif = Load(ThreeFrameGif());
    ASSERT_NE(nullptr, gif);
    const TGifFrameInfo* frames[] = {gif->GetFrameInfoAt(0), gif->GetFrameInfoAt(1), gif->GetFrameInfoAt(2)};
    EXPECT_EQ(frames[0], gif->GetCurrentFrameInfo());
    EXPECT_EQ(frames[0], gif->GetCurrentFrameInfo()) << "looking does not move on";
    const int expectedIndexAfter[] = {1, 2, 0, 1, 2, 0, 1};
    for (int step = 0; step < 7; ++step) {
        EXPECT_EQ(frames[step % 3], gif->GetNextFrameInfo()) << "step " << step;
        EXPECT_EQ(expectedIndexAfter[step], gif->GetCurrentFrameIndex()) << "step " << step;
    }
}

TEST(GifHandler, WithoutFramesHasNothingToShow)
{
    CGifHandler gif;
    EXPECT_EQ(0, gif.GetFrameCount());
    EXPECT_EQ(nullptr, gif.GetCurrentFrameInfo());
    EXPECT_EQ(nullptr, gif.GetNextFrameInfo());
    EXPECT_EQ(0, gif.GetCurrentFrameIndex());
}

TEST(GifHandler, FramesOutsideTheListAreNull)
{
    CGifHandler gif;
    auto frame = std::make_unique<TGifFrameInfo>();
    const TGifFrameInfo* added = frame.get();
    gif.AddFrameInfo(std::move(frame));
    EXPECT_EQ(added, gif.GetFrameInfoAt(0));
    EXPECT_EQ(nullptr, gif.GetFrameInfoAt(-1));
    EXPECT_EQ(nullptr, gif.GetFrameInfoAt(1));
    EXPECT_EQ(added, gif.GetNextFrameInfo());
    EXPECT_EQ(added, gif.GetNextFrameInfo()) << "a single frame wraps onto itself";
}

} // namespace
