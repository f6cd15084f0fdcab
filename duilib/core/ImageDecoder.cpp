#include "duilib/core/ImageDecoder.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace DuiLib {
namespace {

// stb_image grows its inflate buffer for as long as the compressed data goes on, so a
// small PNG could make it reserve gigabytes before the size check sees a problem. No
// single allocation may exceed what the largest accepted image needs: 16-bit RGBA with
// a filter byte per row.
constexpr size_t kMaxDecoderAllocation = kMaxImagePixels * 8 + (size_t{1} << 20);

void* DecoderMalloc(size_t size) noexcept
{
    return size <= kMaxDecoderAllocation ? std::malloc(size) : nullptr;
}

void* DecoderRealloc(void* block, size_t size) noexcept
{
    return size <= kMaxDecoderAllocation ? std::realloc(block, size) : nullptr;
}

} // namespace
} // namespace DuiLib

// The engine library links its own copy of stb_image; keep this one's symbols private.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_MAX_DIMENSIONS 16384
#define STBI_MALLOC(size) DuiLib::DecoderMalloc(size)
#define STBI_REALLOC(block, size) DuiLib::DecoderRealloc(block, size)
#define STBI_FREE(block) std::free(block)
#include <stb_image.h>

namespace DuiLib {

static_assert(kMaxImageSide == STBI_MAX_DIMENSIONS, "the decoder refuses what the size check refuses");

namespace {

// Frees what stb_image allocates for a GIF between frames.
struct GifState {
    stbi__gif gif{};
    ~GifState() noexcept
    {
        stbi_image_free(gif.out);
        stbi_image_free(gif.history);
        stbi_image_free(gif.background);
    }
};

bool ReadHeaderSize(const BYTE* data, size_t size, int& width, int& height)
{
    if (data == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX)) {
        return false;
    }
    int components = 0;
    return stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &components) != 0 &&
           IsAcceptableImageSize(width, height);
}

// One frame after another through stb_image's GIF frame reader. stb's own loop
// (stbi_load_gif_from_memory) points "two frames back" outside its buffer and sizes that
// buffer in int, so a hostile animation could make it read or write out of bounds. Given
// no frame two back, the reader restores a "restore to previous" frame from the canvas
// as it was before that frame was drawn, which is what the format asks for.
bool DecodeFrames(stbi__context& context, DecodedAnimation& animation)
{
    auto state = std::make_unique<GifState>();
    size_t totalPixels = 0;
    for (;;) {
        int components = 0;
        const stbi_uc* pixels = stbi__gif_load_next(&context, &state->gif, &components, 4, nullptr);
        // stb returns the context itself after the last frame, null on damage.
        if (pixels == nullptr || pixels == reinterpret_cast<const stbi_uc*>(&context)) {
            break;
        }
        const size_t framePixels = static_cast<size_t>(state->gif.w) * static_cast<size_t>(state->gif.h);
        totalPixels += framePixels;
        if (totalPixels > kMaxAnimationPixels) {
            return false;
        }
        const UINT delay = state->gif.delay > 0 ? static_cast<UINT>(state->gif.delay) : kDefaultFrameDelayMs;
        animation.frames.push_back(DecodedFrame{std::vector<BYTE>(pixels, pixels + framePixels * 4), delay});
    }
    return !animation.frames.empty();
}

} // namespace

void DecoderPixelsFree::operator()(BYTE* pixels) const noexcept
{
    stbi_image_free(pixels);
}

bool IsAcceptableImageSize(int width, int height) noexcept
{
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
        return false;
    }
    return static_cast<size_t>(width) * static_cast<size_t>(height) <= kMaxImagePixels;
}

bool DecodeImage(const BYTE* data, size_t size, DecodedImage& image)
{
    image = DecodedImage{};
    int width = 0;
    int height = 0;
    if (!ReadHeaderSize(data, size, width, height)) {
        return false;
    }
    int components = 0;
    image.rgba.reset(stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &components, 4));
    if (!image.rgba || !IsAcceptableImageSize(width, height)) {
        image = DecodedImage{};
        return false;
    }
    image.width = width;
    image.height = height;
    return true;
}

bool DecodeAnimation(const BYTE* data, size_t size, DecodedAnimation& animation)
{
    animation = DecodedAnimation{};
    int width = 0;
    int height = 0;
    if (!ReadHeaderSize(data, size, width, height)) {
        return false;
    }
    stbi__context context;
    stbi__start_mem(&context, data, static_cast<int>(size));
    if (!stbi__gif_test(&context) || !DecodeFrames(context, animation)) {
        animation = DecodedAnimation{};
        return false;
    }
    animation.width = width;
    animation.height = height;
    return true;
}

} // namespace DuiLib
