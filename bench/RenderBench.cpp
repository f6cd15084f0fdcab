// Full-window nine-grid background per frame: a 64 × 64 image with 10-pixel corners
// stretched over a 1080 × 700 window-sized 32-bit target, through DrawImage on the
// blended path (per-pixel alpha) and on the opaque path. Each row compares with a single
// platform blit of the same bitmap over the same area, the least a frame can cost.
// The own blend (used without msimg32) is measured against the platform's blend too.

#include "BenchHarness.h"

#include "common/Handles.h"
#include "common/TopDownDib.h"
#include "duilib/core/AlphaBlender.h"
#include "duilib/core/OffscreenBitmap.h"
#include "duilib/core/RenderEngine.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kWindowWidth = 1080;
constexpr int kWindowHeight = 700;
constexpr int kImageSize = 64;
constexpr int kRepetitions = 41;

constexpr RECT kWindow{0, 0, kWindowWidth, kWindowHeight};
constexpr RECT kImage{0, 0, kImageSize, kImageSize};
constexpr RECT kCorners{10, 10, 10, 10};

// A rounded panel: opaque inside, fading to transparent at the border; premultiplied.
std::uint32_t PanelPixel(int x, int y, bool alpha)
{
    const int edge = std::min(std::min(x, y), std::min(kImageSize - 1 - x, kImageSize - 1 - y));
    const std::uint32_t a = alpha ? static_cast<std::uint32_t>(std::min(255, 40 + edge * 25)) : 255u;
    const std::uint32_t r = 0x30 * a / 255;
    const std::uint32_t g = 0x60 * a / 255;
    const std::uint32_t b = 0xC0 * a / 255;
    return (a << 24) | (r << 16) | (g << 8) | b;
}

UniqueBitmap MakePanel(bool alpha)
{
    void* bits = nullptr;
    UniqueBitmap bitmap = CreateTopDownDib(nullptr, kImageSize, kImageSize, &bits);
    for (int y = 0; bits != nullptr && y < kImageSize; ++y) {
        for (int x = 0; x < kImageSize; ++x) {
            static_cast<std::uint32_t*>(bits)[y * kImageSize + x] = PanelPixel(x, y, alpha);
        }
    }
    return bitmap;
}

} // namespace

int main()
{
    using DuiLib::CRenderEngine;
    const DuiLib::COffscreenBitmap target(nullptr, kWindowWidth, kWindowHeight);
    const UniqueBitmap alphaImage = MakePanel(true);
    const UniqueBitmap opaqueImage = MakePanel(false);
    if (!target.IsValid() || !alphaImage || !opaqueImage) {
        std::printf("render: cannot create the bitmaps\n");
        return 1;
    }
    const HDC dc = target.GetDC();
    const HBITMAP alphaBitmap = alphaImage.get();
    const HBITMAP opaqueBitmap = opaqueImage.get();

    const UniqueMemoryDc sourceDc(::CreateCompatibleDC(dc));
    const auto blendWhole = [&] {
        const SelectObjectScope select(sourceDc.get(), alphaBitmap);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        (void)::AlphaBlend(dc, 0, 0, kWindowWidth, kWindowHeight, sourceDc.get(), 0, 0, kImageSize, kImageSize, blend);
    };
    const auto stretchWhole = [&] {
        const SelectObjectScope select(sourceDc.get(), opaqueBitmap);
        (void)::SetStretchBltMode(dc, HALFTONE);
        (void)::StretchBlt(dc, 0, 0, kWindowWidth, kWindowHeight, sourceDc.get(), 0, 0, kImageSize, kImageSize, SRCCOPY);
    };
    const auto stretchWholeNearest = [&] {
        const SelectObjectScope select(sourceDc.get(), opaqueBitmap);
        (void)::SetStretchBltMode(dc, COLORONCOLOR);
        (void)::StretchBlt(dc, 0, 0, kWindowWidth, kWindowHeight, sourceDc.get(), 0, 0, kImageSize, kImageSize, SRCCOPY);
    };
    const auto nineGridBlended = [&] {
        CRenderEngine::DrawImage(dc, alphaBitmap, kWindow, kWindow, kImage, kCorners, true);
    };
    const auto nineGridOpaque = [&] {
        CRenderEngine::DrawImage(dc, opaqueBitmap, kWindow, kWindow, kImage, kCorners, false);
    };
    const auto ownBlend = [&] {
        const SelectObjectScope select(sourceDc.get(), alphaBitmap);
        (void)DuiLib::CAlphaBlender::BlendOwn(dc, kWindow, sourceDc.get(), kImage, {255, true});
    };
    const auto platformBlend = [&] {
        const SelectObjectScope select(sourceDc.get(), alphaBitmap);
        (void)DuiLib::CAlphaBlender::Blend(dc, kWindow, sourceDc.get(), kImage, {255, true});
    };

    std::printf("render: %d x %d target, %d x %d image, corners 10, %d repetitions, medians\n", kWindowWidth,
                kWindowHeight, kImageSize, kImageSize, kRepetitions);
    bench::PrintHeader();
    bench::Compare("nine-grid blended vs one AlphaBlend", kRepetitions, nineGridBlended, blendWhole);
    bench::Compare("nine-grid opaque vs one StretchBlt", kRepetitions, nineGridOpaque, stretchWhole);
    bench::Compare("nine-grid blended vs opaque", kRepetitions, nineGridBlended, nineGridOpaque);
    // What the halftone stretch mode costs the opaque path.
    bench::Compare("StretchBlt halftone vs nearest", kRepetitions, stretchWhole, stretchWholeNearest);
    bench::Compare("own blend vs platform blend", kRepetitions, ownBlend, platformBlend);
    ::GdiFlush();
    return 0;
}
