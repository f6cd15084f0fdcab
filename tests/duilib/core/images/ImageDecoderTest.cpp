// Decoding image bytes to RGBA: exact pixels, every frame of a GIF with its delay and
// disposal, and refusal of damaged, hostile and oversized input.

#include "ImageTestSupport.h"

#include "duilib/core/ImageDecoder.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using DuiLib::DecodeAnimation;
using DuiLib::DecodedAnimation;
using DuiLib::DecodedImage;
using DuiLib::DecodeImage;
using image_test::BuildGif;
using image_test::GifFrame;

namespace {

const std::vector<BYTE> kQuadRgba = {255, 0, 0, 255, 0, 255, 0, 128, 10, 20, 30, 255, 200, 100, 50, 64};

std::vector<BYTE> Rgba(const BYTE* pixels, size_t count)
{
    return std::vector<BYTE>(pixels, pixels + count * 4);
}

// A 2 x 2 canvas: all red and kept; then a green dot at (1, 1) that is put back
// afterwards (disposal 3, "restore previous"); then a blue dot at (0, 0).
std::vector<GifFrame> ThreeFrames()
{
    return {
        GifFrame{0, 0, 2, 2, {0, 0, 0, 0}, 0, 1, -1},
        GifFrame{1, 1, 1, 1, {1}, 5, 3, -1},
        GifFrame{0, 0, 1, 1, {2}, 20, 0, -1},
    };
}

constexpr BYTE R[] = {255, 0, 0, 255};
constexpr BYTE G[] = {0, 255, 0, 255};
constexpr BYTE B[] = {0, 0, 255, 255};

std::vector<BYTE> Pixels(std::initializer_list<const BYTE*> pixels)
{
    std::vector<BYTE> out;
    for (const BYTE* p : pixels) {
        out.insert(out.end(), p, p + 4);
    }
    return out;
}

TEST(DecodeImage, GivesThePngPixelsUnchanged)
{
    const std::vector<BYTE> png = image_test::EncodePng(2, 2, kQuadRgba);
    DecodedImage image;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), image));
    EXPECT_EQ(2, image.width);
    EXPECT_EQ(2, image.height);
    EXPECT_EQ(kQuadRgba, Rgba(image.rgba.get(), 4));
}

TEST(DecodeImage, GivesTheFirstFrameOfAGif)
{
    const std::vector<BYTE> gif = BuildGif(2, 2, ThreeFrames());
    DecodedImage image;
    ASSERT_TRUE(DecodeImage(gif.data(), gif.size(), image));
    EXPECT_EQ(Pixels({R, R, R, R}), Rgba(image.rgba.get(), 4));
}

struct DamagedCase {
    const char* name;
    std::vector<BYTE> (*make)();
};

class DamagedInput : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedInput, IsRefusedAsImageAndAsAnimation)
{
    const std::vector<BYTE> bytes = GetParam().make();
    DecodedImage image;
    EXPECT_FALSE(DecodeImage(bytes.data(), bytes.size(), image));
    EXPECT_EQ(nullptr, image.rgba);
    DecodedAnimation animation;
    EXPECT_FALSE(DecodeAnimation(bytes.data(), bytes.size(), animation));
    EXPECT_TRUE(animation.frames.empty());
}

std::vector<BYTE> TruncatedPng()
{
    std::vector<BYTE> png = image_test::GradientPng(32, 32);
    png.resize(png.size() / 2);
    return png;
}

std::vector<BYTE> PngSignatureOnly()
{
    std::vector<BYTE> png = image_test::GradientPng(4, 4);
    png.resize(8);
    return png;
}

std::vector<BYTE> Garbage()
{
    std::vector<BYTE> bytes(256);
    std::mt19937 random(7);
    for (BYTE& b : bytes) {
        b = static_cast<BYTE>(random());
    }
    return bytes;
}

std::vector<BYTE> GifHeaderOnly()
{
    std::vector<BYTE> gif = BuildGif(2, 2, {});
    gif.pop_back(); // no trailer, no frame
    return gif;
}

std::vector<BYTE> GifWithoutFrames()
{
    return BuildGif(2, 2, {});
}

// The canvas is within limits for each side but not in pixel count (4096 * 4097 > 2^24).
std::vector<BYTE> GifOverPixelLimit()
{
    return BuildGif(4096, 4097, {GifFrame{0, 0, 1, 1, {0}, 0, 0, -1}});
}

std::vector<BYTE> GifWiderThanLimit()
{
    return BuildGif(DuiLib::kMaxImageSide + 1, 1, {GifFrame{0, 0, 1, 1, {0}, 0, 0, -1}});
}

std::vector<BYTE> GifFrameOutsideCanvas()
{
    return BuildGif(2, 2, {GifFrame{1, 1, 2, 2, {0, 0, 0, 0}, 0, 0, -1}});
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedInput,
                         testing::Values(DamagedCase{"Empty", [] { return std::vector<BYTE>(); }},
                                         DamagedCase{"TruncatedPng", TruncatedPng},
                                         DamagedCase{"PngSignatureOnly", PngSignatureOnly},
                                         DamagedCase{"Garbage", Garbage},
                                         DamagedCase{"GifHeaderOnly", GifHeaderOnly},
                                         DamagedCase{"GifWithoutFrames", GifWithoutFrames},
                                         DamagedCase{"GifOverPixelLimit", GifOverPixelLimit},
                                         DamagedCase{"GifWiderThanLimit", GifWiderThanLimit},
                                         DamagedCase{"GifFrameOutsideCanvas", GifFrameOutsideCanvas}),
                         [](const testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

struct SizeCase {
    int width;
    int height;
    bool acceptable;
};

class ImageSizeLimit : public testing::TestWithParam<SizeCase> {};

TEST_P(ImageSizeLimit, AcceptsOnlySizesWithinBothLimits)
{
    EXPECT_EQ(GetParam().acceptable, DuiLib::IsAcceptableImageSize(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Table, ImageSizeLimit,
                         testing::Values(SizeCase{1, 1, true}, SizeCase{16384, 1, true}, SizeCase{16385, 1, false},
                                         SizeCase{1, 16385, false}, SizeCase{16384, 1024, true},
                                         SizeCase{16384, 1025, false}, SizeCase{4097, 4097, false},
                                         SizeCase{0, 5, false}, SizeCase{5, 0, false}, SizeCase{-1, -1, false}));

TEST(DecodeImage, AcceptsTheWidestImageAllowed)
{
    const std::vector<BYTE> gif = BuildGif(DuiLib::kMaxImageSide, 1, {GifFrame{0, 0, 1, 1, {2}, 0, 0, -1}});
    DecodedImage image;
    ASSERT_TRUE(DecodeImage(gif.data(), gif.size(), image));
    EXPECT_EQ(DuiLib::kMaxImageSide, image.width);
    EXPECT_EQ(Pixels({B}), Rgba(image.rgba.get(), 1));
}

TEST(DecodeAnimation, GivesEveryComposedFrameWithItsDelay)
{
    const std::vector<BYTE> gif = BuildGif(2, 2, ThreeFrames());
    DecodedAnimation animation;
    ASSERT_TRUE(DecodeAnimation(gif.data(), gif.size(), animation));
    EXPECT_EQ(2, animation.width);
    EXPECT_EQ(2, animation.height);
    ASSERT_EQ(3u, animation.frames.size());
    EXPECT_EQ(Pixels({R, R, R, R}), animation.frames[0].rgba);
    EXPECT_EQ(Pixels({R, R, R, G}), animation.frames[1].rgba);
    EXPECT_EQ(Pixels({B, R, R, R}), animation.frames[2].rgba) << "the green dot is restored to the red under it";
    EXPECT_EQ(100u, animation.frames[0].delayMs) << "a delay field of 0 means 100 ms";
    EXPECT_EQ(50u, animation.frames[1].delayMs);
    EXPECT_EQ(200u, animation.frames[2].delayMs);
}

TEST(DecodeAnimation, RestorePreviousGoesBackToTheCanvasBeforeThatFrame)
{
    // White; a red dot undone to white (disposal 2); a green dot on the same pixel undone
    // (disposal 3) to what was there before it, white, not to the red of two frames
    // back; then a blue dot elsewhere.
    const std::vector<BYTE> gif = BuildGif(2, 1,
                                           {GifFrame{0, 0, 2, 1, {3, 3}, 1, 1, -1}, GifFrame{0, 0, 1, 1, {0}, 1, 2, -1},
                                            GifFrame{0, 0, 1, 1, {1}, 1, 3, -1}, GifFrame{1, 0, 1, 1, {2}, 1, 0, -1}});
    DecodedAnimation animation;
    ASSERT_TRUE(DecodeAnimation(gif.data(), gif.size(), animation));
    ASSERT_EQ(4u, animation.frames.size());
    constexpr BYTE W[] = {255, 255, 255, 255};
    EXPECT_EQ(Pixels({R, W}), animation.frames[1].rgba);
    EXPECT_EQ(Pixels({G, W}), animation.frames[2].rgba);
    EXPECT_EQ(Pixels({W, B}), animation.frames[3].rgba);
}

TEST(DecodeAnimation, MakesTheTransparentIndexFullyTransparent)
{
    const std::vector<BYTE> gif = BuildGif(2, 1, {GifFrame{0, 0, 2, 1, {1, 3}, 0, 0, 3}});
    DecodedAnimation animation;
    ASSERT_TRUE(DecodeAnimation(gif.data(), gif.size(), animation));
    ASSERT_EQ(1u, animation.frames.size());
    EXPECT_EQ(0, animation.frames[0].rgba[7]) << "alpha of the transparent pixel";
    EXPECT_EQ(Pixels({G}), std::vector<BYTE>(animation.frames[0].rgba.begin(), animation.frames[0].rgba.begin() + 4));
}

TEST(DecodeAnimation, KeepsTheFramesBeforeDamage)
{
    std::vector<GifFrame> frames = ThreeFrames();
    frames.pop_back();
    std::vector<BYTE> gif = BuildGif(2, 2, frames);
    gif.back() = 0x99; // an unknown block where the trailer should be
    DecodedAnimation animation;
    ASSERT_TRUE(DecodeAnimation(gif.data(), gif.size(), animation));
    EXPECT_EQ(2u, animation.frames.size());
}

TEST(DecodeAnimation, RefusesAnimationsOverThePixelBudget)
{
    // 2048 * 2048 pixels a frame: 8 frames are exactly the budget, 9 exceed it.
    std::vector<GifFrame> frames(8, GifFrame{0, 0, 1, 1, {0}, 1, 1, -1});
    DecodedAnimation animation;
    std::vector<BYTE> gif = BuildGif(2048, 2048, frames);
    ASSERT_TRUE(DecodeAnimation(gif.data(), gif.size(), animation));
    EXPECT_EQ(8u, animation.frames.size());
    frames.push_back(frames.back());
    gif = BuildGif(2048, 2048, frames);
    EXPECT_FALSE(DecodeAnimation(gif.data(), gif.size(), animation));
    EXPECT_TRUE(animation.frames.empty());
}

void AppendBigEndian(std::vector<BYTE>& out, uLong value)
{
    out.insert(out.end(), {static_cast<BYTE>(value >> 24), static_cast<BYTE>(value >> 16),
                           static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)});
}

void AppendChunk(std::vector<BYTE>& png, const char* type, const std::vector<BYTE>& data)
{
    AppendBigEndian(png, static_cast<uLong>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    AppendBigEndian(png, crc32(0, png.data() + start, static_cast<uInt>(png.size() - start)));
}

// A zlib stream of `count` zero bytes, deflated a block at a time.
std::vector<BYTE> DeflateZeros(size_t count)
{
    z_stream stream{};
    EXPECT_EQ(Z_OK, deflateInit(&stream, Z_BEST_COMPRESSION));
    std::vector<BYTE> zeros(size_t{1} << 20);
    std::vector<BYTE> chunk(size_t{1} << 16);
    std::vector<BYTE> out;
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const size_t now = std::min(count, zeros.size());
        count -= now;
        flush = count == 0 ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = zeros.data();
        stream.avail_in = static_cast<uInt>(now);
        do {
            stream.next_out = chunk.data();
            stream.avail_out = static_cast<uInt>(chunk.size());
            (void)deflate(&stream, flush); // progress is what avail_out shows
            out.insert(out.end(), chunk.data(), chunk.data() + (chunk.size() - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    (void)deflateEnd(&stream);
    return out;
}

// A 1 x 1 RGBA PNG whose pixel data inflates to `inflated` bytes (all but the first
// five are surplus the decoder has to inflate before it can look at the size).
std::vector<BYTE> PngInflatingTo(size_t inflated)
{
    std::vector<BYTE> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<BYTE> header;
    AppendBigEndian(header, 1);
    AppendBigEndian(header, 1);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", DeflateZeros(inflated));
    AppendChunk(png, "IEND", {});
    return png;
}

TEST(DecodeImage, RefusesPixelDataThatInflatesBeyondAnyAcceptableImage)
{
    std::vector<BYTE> png = PngInflatingTo(size_t{1} << 20);
    DecodedImage image;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), image)) << "some surplus data is tolerated";
    EXPECT_EQ(1, image.width);
    png = PngInflatingTo(size_t{160} << 20);
    EXPECT_FALSE(DecodeImage(png.data(), png.size(), image)) << "160 MB for one pixel is not";
}

// Random byte changes and cuts of valid images: each result is either a refusal or a
// complete image within the limits, never a crash or a half-filled result.
void Mutate(std::vector<BYTE>& bytes, std::mt19937& random)
{
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) {
        bytes[random() % bytes.size()] = static_cast<BYTE>(random());
    }
    if (random() % 8 == 0) {
        bytes.resize(1 + random() % bytes.size());
    }
}

TEST(DecoderFuzz, MutatedPngsDecodeCompletelyOrAreRefused)
{
    const std::vector<BYTE> original = image_test::GradientPng(16, 16);
    std::mt19937 random(20261208);
    int decoded = 0;
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        std::vector<BYTE> bytes = original;
        Mutate(bytes, random);
        DecodedImage image;
        if (DecodeImage(bytes.data(), bytes.size(), image)) {
            ++decoded;
            ASSERT_NE(nullptr, image.rgba);
            ASSERT_TRUE(DuiLib::IsAcceptableImageSize(image.width, image.height)) << "mutation " << i;
        } else {
            ++refused;
            ASSERT_EQ(nullptr, image.rgba);
        }
    }
    EXPECT_GT(decoded, 100);
    EXPECT_GT(refused, 100);
}

TEST(DecoderFuzz, MutatedGifsDecodeCompletelyOrAreRefused)
{
    std::vector<GifFrame> frames = ThreeFrames();
    frames.push_back(GifFrame{0, 0, 2, 2, {3, 2, 1, 0}, 3, 2, 1});
    const std::vector<BYTE> original = BuildGif(2, 2, frames);
    std::mt19937 random(1208);
    int decoded = 0;
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        std::vector<BYTE> bytes = original;
        Mutate(bytes, random);
        DecodedAnimation animation;
        if (DecodeAnimation(bytes.data(), bytes.size(), animation)) {
            ++decoded;
            ASSERT_FALSE(animation.frames.empty());
            const size_t frameBytes = static_cast<size_t>(animation.width) * static_cast<size_t>(animation.height) * 4;
            for (const DuiLib::DecodedFrame& frame : animation.frames) {
                ASSERT_EQ(frameBytes, frame.rgba.size()) << "mutation " << i;
                ASSERT_GT(frame.delayMs, 0u);
            }
        } else {
            ++refused;
            ASSERT_TRUE(animation.frames.empty());
        }
    }
    EXPECT_GT(decoded, 100);
    EXPECT_GT(refused, 100);
}

} // namespace
